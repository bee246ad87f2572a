// Feeds any bytes to the play file reader, the header reader of the scan
// and the round trip through the play file writer.
#include "roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        PlayRow header;
        PlayFile::readHeader(buffer, header, QStringLiteral("now"));
    }
    checkRoundTrip(bytes, PlayFile::read, [](QIODevice &device, const DataModule &module, const PlayRow &header) {
        return PlayFile::write(device, module, header, header.Category, header.Drillname, QStringLiteral("now"));
    });
    return 0;
}
