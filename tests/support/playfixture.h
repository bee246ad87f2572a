#pragma once

#include "platform/clock.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QMap>
#include <QStringList>

// A play file written by hand, line by line as the format lays it out, so
// that tests do not depend on the writer they check. Bytes are ASCII with
// CR LF.
struct PlayFixture {
    QString version = QStringLiteral("0.7");
    QStringList intro{QString()}; // the lines after "Intro    = "
    QString type = QStringLiteral("Drill");
    QString category;
    QString name;
    QStringList values{"3", "6", "1", "12", "0", "Sub one", "Sub two", "Sub three", "Coach",
                       "1-2-2020 10:00:00", "2-2-2020 11:00:00", "45", "spare"};
    int sequences = 1;
    int partsPerSequence = 2;
    QList<int> animationOnly; // sequences flagged "Yes"
    QMap<int, QString> texts;  // sequence texts other than "Sequence n"

    QByteArray bytes() const
    {
        QStringList lines{QStringLiteral("Version  = Quorvane ") + version,
                          QStringLiteral("Intro    = ")};
        lines += intro;
        lines += {QStringLiteral("Type     = ") + type, QStringLiteral("Category = ") + category,
                  QStringLiteral("Playname = ") + name,
                  QStringLiteral("Nr_seq   = ") + QString::number(sequences)};
        // Versions before 0.7 end the header after the author.
        lines += version == QLatin1String("0.7") ? values : values.mid(0, 9);
        for (int s = 1; s <= sequences; ++s) {
            lines += {animationOnly.contains(s) ? QStringLiteral("Yes") : QStringLiteral("No"),
                      QStringLiteral("Text     = ")};
            lines += texts.value(s, QStringLiteral("Sequence %1").arg(s)).split(QStringLiteral("\r\n"));
            lines += {QStringLiteral("Focus    = "),
                      QStringLiteral("Nr_parts = ") + QString::number(partsPerSequence),
                      QString()};
            for (int p = 1; p <= partsPerSequence; ++p) {
                lines += {QStringLiteral("12"), QStringLiteral("Circle"), QString::number(10 * p),
                          QString::number(20 * s), QStringLiteral("0"), QStringLiteral("0"),
                          QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                          QStringLiteral("255"), QStringLiteral("-1"), QString::number(p),
                          QStringLiteral("Arial"), QString::number(p), QStringLiteral("6"),
                          QStringLiteral("0"), QString(), QString()};
            }
        }
        return lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
    }
};

// Writes bytes to path, making its folders; false when that fails.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A clock that stands still.
class FixedClock : public Clock {
public:
    QDateTime moment{QDate(2024, 3, 9), QTime(14, 5, 6)};
    QDateTime now() const override { return moment; }
    QString dateTimeText(const QDateTime &m) const override
    {
        return m.toString(QStringLiteral("d-M-yyyy HH:mm:ss"));
    }
};
