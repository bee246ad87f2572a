#include "clirunner.h"
#include "recordingprompter.h"
#include "store/datafiles.h"
#include "store/datamodule.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>


// quorvane-cli as scripts see it: exact output and exit codes.
class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    void writeSettings(const QList<ParamRow> &rows)
    {
        Tables tables;
        tables.params = rows;
        RecordingPrompter prompter;
        DataFiles files(folder.path() + u'/', folder.path() + u'/', prompter);
        QString error;
        QVERIFY2(files.SaveParamDataset(tables, &error), qPrintable(error));
    }

private Q_SLOTS:
    void version()
    {
        const CliResult result = runCli({QStringLiteral("--version")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.text(), QStringLiteral("quorvane-cli 009\n"));
    }

    void settingsSortedByKeyWithEscapes()
    {
        writeSettings({{"Zfactor", "", false, 100},
                       {"Headtext", "Play\tbook\r\nA\\B", true, 0},
                       {"abrush", "", false, 12},
                       {"Counter", "", true, -3}});
        const CliResult result = runCli({QStringLiteral("settings"), folder.path()});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.text(), QStringLiteral("abrush\t\t0\t12\n"
                                            "Counter\t\t1\t-3\n"
                                            "Headtext\tPlay\\tbook\\r\\nA\\\\B\t1\t0\n"
                                            "Zfactor\t\t0\t100\n"));
        QVERIFY(result.err.isEmpty());
    }

    void badInput_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<int>("exitCode");
        QTest::newRow("missing file") << QByteArray() << 2;
        QTest::newRow("garbage") << QByteArray("not a settings file at all") << 2;
        QTest::newRow("truncated") << QByteArray("<?xml version=\"1.0\"?>\n<datapacket format=\"quorvane-datapacket\" version=\"1\">\n <fields>") << 2;
    }

    void badInput()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, exitCode);
        QFile::remove(folder.filePath(QStringLiteral("wparam.xml")));
        if (!content.isEmpty()) {
            QFile file(folder.filePath(QStringLiteral("wparam.xml")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const CliResult result = runCli({QStringLiteral("settings"), folder.path()});
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(result.out.isEmpty());
        QVERIFY(!result.err.isEmpty());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown command") << QStringList{"frobnicate"};
        QTest::newRow("settings without folder") << QStringList{"settings"};
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        const CliResult result = runCli(arguments);
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.err.contains(QStringLiteral("usage")));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
