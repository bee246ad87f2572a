// Loading and saving the settings, control and symbol tables.

#include "recordingprompter.h"
#include "store/datafiles.h"
#include "store/packet/datapacketfile.h"
#include "store/packet/tablepackets.h"

#include <QTemporaryDir>
#include <QTest>

class DataFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    RecordingPrompter prompter;

    void writeFile(const QString &name, const DataPacket &packet)
    {
        QString error;
        QVERIFY2(DataPacketFile::write(dir.filePath(name), packet, &error), qPrintable(error));
    }

    void writeEmptyFiles()
    {
        writeFile(DataFiles::GraphicFile, TablePackets::graphicLayout());
        writeFile(DataFiles::ParamFile, TablePackets::paramLayout());
        writeFile(DataFiles::ControlFile, TablePackets::controlLayout());
    }

private Q_SLOTS:
    void init()
    {
        prompter = RecordingPrompter();
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.filePath(name));
        writeEmptyFiles();
    }

    void testfield_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("passes");
        QTest::newRow("letters and digits") << "POOLPC2" << true;
        QTest::newRow("lower case") << "databasepath" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "POOL PC" << false;
        QTest::newRow("hyphen") << "pool-pc" << false;
        QTest::newRow("accent") << "\u00e9t\u00e9" << false;
    }
    void testfield()
    {
        QFETCH(QString, text);
        QFETCH(bool, passes);
        QCOMPARE(DataFiles::testfield(text), passes);
    }

    void controlRowsWithBadKeysAreDropped()
    {
        const auto row = [](const char *type, int count, const char *login, const char *computer) {
            return ControlRow{QString::fromLatin1(type), count, QString::fromLatin1(login),
                              QString::fromLatin1(computer), QStringLiteral("text"), QStringLiteral("0")};
        };
        const QList<ControlRow> rows = {
            row("DatabasePath", 1, "COACH", "POOLPC"),
            row("Database Path", 1, "COACH", "POOLPC"),
            row("DatabasePath", 1, "co-ach", "POOLPC"),
            row("DatabasePath", 1, "COACH", ""),
            row("DatabasePath", 101, "COACH", "POOLPC"),
            row("DatabasePath", -1, "COACH", "POOLPC"),
            row("DatabasePath", 100, "coach", "poolpc"),
            row("Note", 0, "COACH", "POOLPC"),
        };
        writeFile(DataFiles::ControlFile, TablePackets::fromRows(rows));
        DataFiles files(dir.path(), dir.path(), prompter);
        QString error;
        QVERIFY2(files.SetDatasets(&error), qPrintable(error));
        Tables tables;
        files.FillControlDataset(tables);
        QCOMPARE(tables.controls.size(), 3);
        QCOMPARE(tables.controls[0].TypeCount, 1);
        QCOMPARE(tables.controls[1].TypeCount, 100);
        QCOMPARE(tables.controls[2].Type, QStringLiteral("Note"));
        QCOMPARE(prompter.messages, QStringList{QStringLiteral("Something went wrong CDS")});
        QCOMPARE(prompter.kinds, QList<Prompter::Kind>{Prompter::Kind::Information});
    }

    // A file takes the fields stored in it: missing ones get defaults, unknown
    // ones are ignored, values are taken over from other types.
    void fileTakesTheFieldsStoredInIt()
    {
        DataPacket packet;
        packet.fields = {{QStringLiteral("Extra"), FieldType::Memo, 0, false},
                         {QStringLiteral("type"), FieldType::String, 20, true},
                         {QStringLiteral("Color"), FieldType::String, 10, false}};
        packet.rows = {{QStringLiteral("ignored"), QStringLiteral("Speedometer"), QStringLiteral("35")},
                       {QVariant(), QStringLiteral("Snap"), QVariant()}};
        writeFile(DataFiles::ParamFile, packet);
        DataFiles files(dir.path(), dir.path(), prompter);
        QString error;
        QVERIFY2(files.SetDatasets(&error), qPrintable(error));
        Tables tables;
        files.FillParamDataset(tables);
        QCOMPARE(tables.params.size(), 2);
        QCOMPARE(tables.params[0].Type, QStringLiteral("Speedome"));
        QCOMPARE(tables.params[0].Color, 35);
        QCOMPARE(tables.params[0].Htext, QString());
        QVERIFY(!tables.params[0].Filled);
        QCOMPARE(tables.params[1].Color, 0);
    }

    void savedTablesFillBack()
    {
        Tables tables;
        QImage picture(39, 33, QImage::Format_Mono);
        picture.fill(1);
        tables.graphics = {{3, QStringLiteral("Rack"), picture}, {0, QStringLiteral("pass"), QImage()}};
        tables.params = {{QStringLiteral("Headtext"), QStringLiteral("Playbook"), true, 0},
                         {QStringLiteral("Border"), QString(), true, 7340032}};
        tables.controls = {{QStringLiteral("DatabasePath"), 1, QStringLiteral("COACH"),
                            QStringLiteral("POOLPC"), QStringLiteral("/pool/"), QStringLiteral("0")}};
        DataFiles files(dir.path(), dir.path(), prompter);
        QString error;
        QVERIFY2(files.SaveGraphDataset(tables, &error), qPrintable(error));
        QVERIFY2(files.SaveParamDataset(tables, &error), qPrintable(error));
        QVERIFY2(files.SaveControlDataset(tables, &error), qPrintable(error));

        DataFiles reopened(dir.path(), dir.path(), prompter);
        QVERIFY2(reopened.SetDatasets(&error), qPrintable(error));
        Tables back;
        reopened.FillGraphDataset(back);
        reopened.FillParamDataset(back);
        reopened.FillControlDataset(back);
        QCOMPARE(back.graphics.size(), 2);
        QCOMPARE(back.graphics[0].Graphic.depth(), 1);
        QCOMPARE(back.graphics[0].Graphic.convertToFormat(QImage::Format_RGB32),
                 picture.convertToFormat(QImage::Format_RGB32));
        QVERIFY(back.graphics[1].Graphic.isNull());
        QCOMPARE(back.params.size(), 2);
        QCOMPARE(back.params[0].Htext, QStringLiteral("Playbook"));
        QCOMPARE(back.params[1].Color, 7340032);
        QCOMPARE(back.controls.size(), 1);
        QCOMPARE(back.controls[0].InfoString, QStringLiteral("/pool/"));
        QVERIFY(prompter.messages.isEmpty());
    }

    void failuresAreReported()
    {
        const QString gone = dir.filePath(QStringLiteral("gone"));
        DataFiles files(dir.path(), gone, prompter);
        QString error;
        QVERIFY(!files.SetDatasets(&error));
        QVERIFY(error.contains(QLatin1String("wcontrol.cds")));
        error.clear();
        QVERIFY(!files.SaveControlDataset(Tables(), &error));
        QVERIFY(error.contains(QLatin1String("wcontrol.cds")));
    }
};

QTEST_GUILESS_MAIN(DataFilesTest)
#include "tst_datafiles.moc"
