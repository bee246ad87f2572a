#pragma once

#include "model/tables.h"
#include "store/datamodule.h"
#include "store/playfile/playfile.h"

#include <QList>
#include <QString>

class QIODevice;

// One play read on its own, outside the running program's tables: its
// header, sequences and parts, and the settings drawing needs (the default
// settings until others are given). Exporters, the command line, tests and
// benchmarks work on snapshots; any number of them can exist at once.
struct PlaySnapshot {
    PlaySnapshot();
    PlaySnapshot(const PlaySnapshot &) = delete;
    PlaySnapshot &operator=(const PlaySnapshot &) = delete;

    Tables tables;
    DataModule data{tables};
    PlayRow header;
    QString version; // of the file read, e.g. "0.6"

    // These settings, completed by the default settings for every key they
    // lack.
    void useSettings(QList<ParamRow> settings);

    // Which reader a play's bytes are for.
    enum class Format { PlayFile, ExchangeFile };
    // An exchange file when the name ends in ".qvb", else a play file.
    static Format formatOf(const QString &path);

    struct Loaded {
        bool opened = true;                        // false: message says why not
        PlayReadError error = PlayReadError::None; // what the reader found wrong
        QString message;                           // empty when the play was read
        bool ok() const { return message.isEmpty(); }
    };
    // Replaces the play with the one the file at path holds. A damaged
    // file's message is the program's own, naming the file as the program
    // names a play; on any failure the snapshot holds no play.
    Loaded load(const QString &path);
    // The same from an open device; name stands for the play in messages.
    Loaded load(QIODevice &device, Format format, const QString &name);
};
