#pragma once

// The check both play readers are fuzzed with: a play a reader takes must
// store and read back. Storing may tidy a play once (a "|" of an old text
// becomes a line break, texts are cut to their field size); after that,
// storing what was read back must give the same bytes. Any breach aborts, so
// the fuzzer keeps the input.
#include "store/datamodule.h"
#include "store/playfile/playfile.h"

#include <QBuffer>

#include <cstdlib>

using PlayReader = PlayReadError (*)(QIODevice &, DataModule &, PlayRow &, QString *);
using PlayWriter = bool (*)(QIODevice &, const DataModule &, const PlayRow &);

inline void checkRoundTrip(const QByteArray &input, PlayReader read, PlayWriter write)
{
    const auto load = [read](QByteArray bytes, DataModule &data, PlayRow &header) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return read(buffer, data, header, nullptr);
    };
    const auto store = [write](const DataModule &data, const PlayRow &header) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!write(buffer, data, header))
            std::abort();
        return bytes;
    };

    Tables tables;
    DataModule module(tables);
    PlayRow header;
    if (load(input, module, header) != PlayReadError::None)
        return;
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
}
