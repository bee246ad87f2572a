#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The desktop program as a whole: started in a folder of its own, ended by
// a signal, as a logout or a kill would end it.
class TestProgram : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    QString program;

    QString dataFolder() const { return root.filePath(QStringLiteral("Zavad uve Davuzi/Quorvane 009")); }

    // Starts the program, waits until its window is up, ends it with signal.
    void runUntilSignal(int signal)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QUORVANE_SPLASH_MS"), QStringLiteral("0"));
        process.setProcessEnvironment(environment);
        process.start(program, {});
        QVERIFY(process.waitForStarted());
        // The settings file exists once the start-up has read and written it.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dataFolder() + QStringLiteral("/wparam.xml")), 20000);
        QTest::qWait(500);
        ::kill(static_cast<pid_t>(process.processId()), signal);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }

    QString counterLine()
    {
        QProcess cli;
        cli.start(QStringLiteral(QUORVANE_CLI), {QStringLiteral("settings"), dataFolder()});
        cli.waitForFinished(30000);
        for (const QString &line : QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n')) {
            if (line.startsWith(QLatin1String("Counter\t")))
                return line;
        }
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A copy of the program, so that its own folder is the test's.
        program = root.filePath(QStringLiteral("quorvane"));
        QVERIFY(QFile::copy(QStringLiteral(QUORVANE_PROGRAM), program));
        QDir().mkpath(root.filePath(QStringLiteral("home")));
    }

    void signalsCloseLikeExit()
    {
        runUntilSignal(SIGTERM);
        QCOMPARE(counterLine(), QStringLiteral("Counter\t\t1\t0"));
        QVERIFY(QFile::exists(dataFolder() + QStringLiteral("/wgraphic.xml")));
        QVERIFY(QFile::exists(root.filePath(QStringLiteral("home/.local/share/Korvath/Quorvane 009/wcontrol.cds"))));

        runUntilSignal(SIGINT);
        QCOMPARE(counterLine(), QStringLiteral("Counter\t\t1\t1"));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
