// Feeds any bytes to the exchange file reader (the keyed play record). A
// play it reads must export and import again. Exporting may tidy a play once
// (a "|" of an old text becomes a line break, texts are cut to their field
// size); after that, exporting what was imported must give the same bytes.
#include "store/datamodule.h"
#include "store/playfile.h"

#include <QBuffer>

#include <cstdlib>

namespace {

QByteArray store(const DataModule &data, const PlayRow &header)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!ExchangeFile::write(buffer, data, header, header.Category, header.Drillname))
        std::abort();
    return bytes;
}

PlayReadError load(QByteArray bytes, DataModule &data, PlayRow &header)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ExchangeFile::read(buffer, data, header);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Tables tables;
    DataModule module(tables);
    PlayRow header;
    if (load(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), module, header) != PlayReadError::None)
        return 0;
    QByteArray stored = store(module, header);
    for (int round = 0; round < 2; ++round) {
        Tables again;
        DataModule moduleAgain(again);
        PlayRow headerAgain;
        if (load(stored, moduleAgain, headerAgain) != PlayReadError::None)
            std::abort();
        const QByteArray storedAgain = store(moduleAgain, headerAgain);
        if (round == 1 && storedAgain != stored)
            std::abort();
        stored = storedAgain;
    }
    return 0;
}
