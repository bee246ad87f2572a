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

    // On a machine without a desktop session (no XDG_RUNTIME_DIR) every
    // command writes its own messages and nothing else on stderr: the same
    // text as where a session runs, and nothing at all when it succeeds.
    void stderrIsTheToolsOwn_data()
    {
        const QString play = QStringLiteral(QUORVANE_FIXTURES "/plays/v07_full.dat");
        const QString picture = folder.filePath(QStringLiteral("sketch.png"));
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("version") << QStringList{"--version"} << true;
        QTest::newRow("dump") << QStringList{"dump", play} << true;
        QTest::newRow("render") << QStringList{"render", play, "--sequence", "1", "-o", picture} << true;
        QTest::newRow("text") << QStringList{"text", play, "--sequence", "1"} << true;
        QTest::newRow("text, no such sequence") << QStringList{"text", play, "--sequence", "99"} << false;
        QTest::newRow("render, no such sequence")
            << QStringList{"render", play, "--sequence", "99", "-o", picture} << false;
    }

    void stderrIsTheToolsOwn()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, succeeds);
        QTemporaryDir runtime; // private to the user, as a session's is
        const QByteArray before = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const CliResult session = runCli(arguments);
        qputenv("XDG_RUNTIME_DIR", before);
        const CliResult headless = runCli(arguments, {QStringLiteral("XDG_RUNTIME_DIR")});

        QCOMPARE(headless.exitCode == 0, succeeds);
        QCOMPARE(headless.exitCode, session.exitCode);
        QCOMPARE(headless.err, session.err);
        if (succeeds)
            QCOMPARE(headless.err, QString());
        else
            QVERIFY(headless.err.startsWith(QLatin1String("quorvane-cli: ")));
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
