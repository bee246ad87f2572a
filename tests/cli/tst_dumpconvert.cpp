#include "clirunner.h"
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {


QString fixturePath(const char *name)
{
    return QStringLiteral(QUORVANE_FIXTURES "/plays/") + QLatin1String(name);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QJsonObject dump(const QString &path)
{
    const CliResult result = runCli({QStringLiteral("dump"), path});
    if (result.exitCode != 0)
        return {};
    return QJsonDocument::fromJson(result.out).object();
}

} // namespace

// quorvane-cli dump and convert as scripts use them.
class TestDumpConvert : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private Q_SLOTS:
    void dumpPlayFile()
    {
        const CliResult result = runCli({QStringLiteral("dump"), fixturePath("v07_full.dat")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QString());
        const QJsonObject play = QJsonDocument::fromJson(result.out).object();
        QStringList keys = play.keys();
        keys.sort();
        QStringList expected = {"Category", "Drillname", "Type", "Intro", "Quality", "Nrplayers", "Nrballs",
                                 "Agegroup", "Hide", "Subcat1", "Subcat2", "Subcat3", "Createdby", "Credate",
                                 "Moddate", "Drilltime", "Extra1", "version", "sequences"};
        expected.sort();
        QCOMPARE(keys, expected);
        QCOMPARE(play[u"version"].toString(), QStringLiteral("0.7"));
        QCOMPARE(play[u"Createdby"].toString(), QStringLiteral("Coach Kov\u00e1cs")); // UTF-8 out
        QCOMPARE(play[u"Intro"].toString(), QStringLiteral("A short intro\r\n"));

        const QJsonArray sequences = play[u"sequences"].toArray();
        QCOMPARE(sequences.size(), 3);
        const QJsonObject first = sequences[0].toObject();
        QCOMPARE(first[u"Sequence"].toInt(), 1);
        QCOMPARE(first[u"Animationonly"].toBool(), false);
        QCOMPARE(first[u"Drawingnr"].toInt(), 1);
        QCOMPARE(first[u"Focus"].toString(), QStringLiteral("Keep the ball dry\r\n"));
        QCOMPARE(first[u"Extra2"].toString(), QStringLiteral("spare two"));
        QVERIFY(first[u"Text"].toString().endsWith(QLatin1String("\\par\r\n}\r\n")));
        QCOMPARE(sequences[1].toObject()[u"Animationonly"].toBool(), true);

        const QJsonArray parts = first[u"parts"].toArray();
        QCOMPARE(parts.size(), 4);
        const QJsonObject text = parts[2].toObject();
        QStringList partKeys = text.keys();
        partKeys.sort();
        QStringList expectedPartKeys = {"Drawingnr", "Partnr", "level", "Graphicnr", "Type", "x1", "y1",
                                        "x2", "y2", "thickness", "rotation", "arrow", "color", "color2",
                                        "tekst", "fontname", "tagnr", "transparent", "extra3", "extra4"};
        expectedPartKeys.sort();
        QCOMPARE(partKeys, expectedPartKeys);
        QCOMPARE(text[u"Partnr"].toInt(), 3);
        QCOMPARE(text[u"tekst"].toString(), QStringLiteral("Line one\r\nLine two"));
        QCOMPARE(text[u"color2"].toInt(), 16777215);
        QCOMPARE(text[u"extra4"].toString(), QStringLiteral("e4"));
    }

    void dumpExchangeFile()
    {
        const QJsonObject play = dump(fixturePath("record_v04.qvb"));
        QCOMPARE(play[u"version"].toString(), QStringLiteral("0.4"));
        QCOMPARE(play[u"Drillname"].toString(), QStringLiteral("Four"));
        const QJsonArray parts = play[u"sequences"].toArray()[0].toObject()[u"parts"].toArray();
        QCOMPARE(parts[2].toObject()[u"x1"].toInt(), 50);
        QCOMPARE(parts[3].toObject()[u"Type"].toString(), QStringLiteral("pshot"));
    }

    // A file the program cannot read: its own message, exit code 2.
    void unreadable_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray head = "Version  = Quorvane 0.7\r\nIntro    = \r\n\r\nType     = D\r\n";
        QTest::newRow("play file without category") << "Corner drill.dat" << head + "Playname = P\r\n"
                                                    << "The data of play Corner drill is corrupt and will be removed from the database\n";
        QTest::newRow("play file without play name") << "x.dat" << head + "Category = C\r\nNr_seq   = 0\r\n"
                                                     << "The data of play x is corrupt and the play be removed from the database\n";
        QTest::newRow("play file without sequence count") << "y.dat" << head + "Category = C\r\nPlayname = P\r\n"
                                                          << "The data of play y is corrupt the play will be removed from the database\n";
        QTest::newRow("play file cut short") << "z.dat" << head + "Category = C\r\nPlayname = P\r\nNr_seq   = 3\r\n1\r\n"
                                             << "The data of play z is corrupt and will be removed from the database\n";
        QTest::newRow("exchange file without category") << "e.qvb" << head + "Playname = P\r\n"
                                                        << "Importfile %1 is corrupt\n";
        QTest::newRow("exchange file of an unknown version") << "f.qvb" << QByteArray("Version  = Quorvane 0.9\r\n")
                                                             << "Importfile Version  = Quorvane 0.9 is not supported\n";
    }

    void unreadable()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString path = folder.filePath(fileName);
        QVERIFY(writeAll(path, bytes));
        for (const QStringList &arguments : {QStringList{"dump", path},
                                             QStringList{"convert", path, "-o", folder.filePath("out.dat")}}) {
            const CliResult result = runCli(arguments);
            QCOMPARE(result.exitCode, 2);
            QCOMPARE(result.err, message.contains(QLatin1String("%1")) ? message.arg(path) : message);
            QVERIFY(result.out.isEmpty());
        }
        QVERIFY(!QFile::exists(folder.filePath("out.dat")));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("dump without file") << QStringList{"dump"} << 1;
        QTest::newRow("dump of two files") << QStringList{"dump", "a.dat", "b.dat"} << 1;
        QTest::newRow("convert without -o") << QStringList{"convert", fixturePath("v05_shot.dat"), "x.dat"} << 1;
        QTest::newRow("convert to another kind") << QStringList{"convert", fixturePath("v05_shot.dat"), "-o", "x.txt"} << 1;
        QTest::newRow("dump of a missing file") << QStringList{"dump", "/nonexistent/x.dat"} << 2;
    }

    void usage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        const CliResult result = runCli(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(!result.err.isEmpty());
    }

    // Converting keeps the play: its dump stays the same through a play
    // file of version 0.7, and through an exchange file the values a record
    // carries.
    void convert_data()
    {
        QTest::addColumn<QString>("source");
        for (const char *name : {"v05_shot.dat", "v06_areas.dat", "v07_full.dat", "record_v02.qvb", "record_v07.qvb"})
            QTest::newRow(name) << fixturePath(name);
    }

    void convert()
    {
        QFETCH(QString, source);
        const QJsonObject original = dump(source);
        QVERIFY(!original.isEmpty());

        const QString dat = folder.filePath(QStringLiteral("converted.dat"));
        QCOMPARE(runCli({QStringLiteral("convert"), source, QStringLiteral("-o"), dat}).exitCode, 0);
        QVERIFY(readAll(dat).startsWith("Version  = Quorvane 0.7\r\nIntro    = \r\n"));
        const QJsonObject viaPlayFile = dump(dat);
        QCOMPARE(viaPlayFile[u"version"].toString(), QStringLiteral("0.7"));
        QCOMPARE(viaPlayFile[u"Createdby"], original[u"Createdby"]);
        const QJsonArray sequences = viaPlayFile[u"sequences"].toArray();
        const QJsonArray originalSequences = original[u"sequences"].toArray();
        QCOMPARE(sequences.size(), originalSequences.size());
        for (qsizetype i = 0; i < sequences.size(); ++i) {
            // A play file ends every text line with CR LF; a record's texts
            // lose the last one on reading.
            if (source.endsWith(QLatin1String(".dat")))
                QCOMPARE(sequences[i], originalSequences[i]);
            QCOMPARE(sequences[i].toObject()[u"parts"], originalSequences[i].toObject()[u"parts"]);
            QCOMPARE(sequences[i].toObject()[u"Animationonly"], originalSequences[i].toObject()[u"Animationonly"]);
        }

        const QString qvb = folder.filePath(QStringLiteral("converted.qvb"));
        QCOMPARE(runCli({QStringLiteral("convert"), dat, QStringLiteral("-o"), qvb}).exitCode, 0);
        const QJsonObject viaExchangeFile = dump(qvb);
        QCOMPARE(viaExchangeFile[u"Drillname"], original[u"Drillname"]);
        QCOMPARE(viaExchangeFile[u"Quality"], original[u"Quality"]);
        QCOMPARE(viaExchangeFile[u"sequences"].toArray().size(), original[u"sequences"].toArray().size());
        QCOMPARE(viaExchangeFile[u"Credate"].toString(), QString());
    }

    void convertKeepsTheCreationDate()
    {
        const QString dat = folder.filePath(QStringLiteral("kept.dat"));
        QCOMPARE(runCli({QStringLiteral("convert"), fixturePath("v07_full.dat"), QStringLiteral("-o"), dat}).exitCode, 0);
        const QJsonObject converted = dump(dat);
        QCOMPARE(converted[u"Credate"].toString(), QStringLiteral("01-02-2020 10:11:12"));
        QVERIFY(converted[u"Moddate"].toString() != QLatin1String("03-04-2021 13:14:15"));
    }
};

QTEST_GUILESS_MAIN(TestDumpConvert)
#include "tst_dumpconvert.moc"
