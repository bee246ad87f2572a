#pragma once

#include "store/playsnapshot.h"

#include <QBuffer>
#include <QFile>
#include <QStringList>

// The bytes of a fixture play file.
inline QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(QUORVANE_FIXTURES "/plays/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lines as a file of the program holds them: Latin-1 bytes, CR LF ends.
inline QByteArray crlf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// One play as a reader left it, with what the reader found wrong.
struct Loaded : PlaySnapshot {
    PlayReadError error = PlayReadError::None;
};

inline void loadBytes(const QByteArray &bytes, PlaySnapshot::Format format, Loaded &play)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    play.error = play.load(buffer, format, QStringLiteral("fixture")).error;
}

inline void loadPlayFile(const QByteArray &bytes, Loaded &play)
{
    loadBytes(bytes, PlaySnapshot::Format::PlayFile, play);
}

inline void loadExchangeFile(const QByteArray &bytes, Loaded &play)
{
    loadBytes(bytes, PlaySnapshot::Format::ExchangeFile, play);
}

// The part with this key, or an empty one.
inline const PartRow &part(const Tables &tables, int drawing, int partnr)
{
    for (const PartRow &row : tables.parts) {
        if (row.Drawingnr == drawing && row.Partnr == partnr)
            return row;
    }
    static const PartRow none;
    return none;
}
