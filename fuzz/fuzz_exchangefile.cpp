// Feeds any bytes to the exchange file reader (the keyed play record) and
// the round trip through the exchange file writer.
#include "roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkRoundTrip(bytes, ExchangeFile::read, [](QIODevice &device, const DataModule &module, const PlayRow &header) {
        return ExchangeFile::write(device, module, header, header.Category, header.Drillname);
    });
    return 0;
}
