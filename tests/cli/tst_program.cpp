#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

namespace {

// A screen of the test's own (Xvfb), looked at and typed on with xdotool.
class Screen {
public:
    Screen()
    {
        for (int number = 90; number < 200 && display.isEmpty(); ++number) {
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
            if (QFile::exists(socket) || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
                continue;
            server.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"),
                                                  QStringLiteral("0"), QStringLiteral("1024x768x24"),
                                                  QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!server.waitForStarted())
                return;
            for (int wait = 0; wait < 100 && !QFile::exists(socket) && server.state() == QProcess::Running; ++wait)
                QTest::qWait(100);
            if (server.state() == QProcess::Running && QFile::exists(socket))
                display = QStringLiteral(":%1").arg(number);
            else
                server.waitForFinished(1000); // another server took the number first
        }
    }

    ~Screen()
    {
        server.terminate();
        server.waitForFinished(5000);
    }

    bool up() const { return !display.isEmpty(); }
    QString name() const { return display; }

    QString xdotool(const QStringList &arguments) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display);
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral("xdotool"), arguments);
        tool.waitForFinished(10000);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

    // The windows shown, each as "name WIDTHxHEIGHT".
    QStringList windows() const
    {
        QStringList shown;
        const QStringList ids = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--name"), QString()})
                                    .split(u'\n', Qt::SkipEmptyParts);
        static const QRegularExpression size(QStringLiteral("Geometry: (\\d+x\\d+)"));
        for (const QString &id : ids) {
            const QString name = xdotool({QStringLiteral("getwindowname"), id});
            if (name.isEmpty())
                continue; // the root window
            const QRegularExpressionMatch geometry =
                size.match(xdotool({QStringLiteral("getwindowgeometry"), id}));
            shown << name + u' ' + geometry.captured(1);
        }
        return shown;
    }

    // The first window shown whose name and size match pattern; empty when
    // none shows up within timeoutMs.
    QString waitFor(const QString &pattern, int timeoutMs = 30000) const
    {
        const QRegularExpression wanted(u'^' + pattern + u'$');
        for (int waited = 0; waited < timeoutMs; waited += 200) {
            for (const QString &window : windows()) {
                if (wanted.match(window).hasMatch())
                    return window;
            }
            QTest::qWait(200);
        }
        return {};
    }

    void type(const QString &windowName, const QStringList &keys) const
    {
        const QString id = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--name"), u'^' + windowName + u'$'})
                               .section(u'\n', 0, 0);
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
        for (const QString &key : keys) {
            xdotool({QStringLiteral("key"), key});
            QTest::qWait(300);
        }
    }

private:
    QProcess server;
    QString display;
};

// What shows at each moment: the splash (named after the application), the
// main window, a message box and the preferences.
const QString Splash = QStringLiteral("Quorvane 009 450x300");
const QString MainWindow = QStringLiteral("Quorvane 630x\\d+");
const QString MessageBox = QStringLiteral("Quorvane (?!630x)\\d+x\\d+");
const QString Preferences = QStringLiteral("Preferences \\d+x\\d+");

} // namespace

// The desktop program as a whole: a copy of it in a folder of its own, for
// a user of its own, on a screen of its own, ended by a signal as a logout
// or a kill would end it.
class TestProgram : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> root;
    std::unique_ptr<Screen> screen;
    QString program;

    QString programFolder() const { return root->filePath(QStringLiteral("program")) + u'/'; }
    QString home() const { return root->filePath(QStringLiteral("home")); }
    // Where a copy of the program that keeps no playbook beside it keeps it.
    QString playbook() const { return home() + QStringLiteral("/.local/share/Korvath/Quorvane 009/"); }
    QString portablePlaybook() const { return programFolder() + QStringLiteral("Zavad uve Davuzi/Quorvane 009/"); }

    // Starts the program; onScreen: on the test's screen, else offscreen.
    void start(QProcess &process, int splashMs, bool onScreen)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("HOME"), home());
        environment.insert(QStringLiteral("QUORVANE_SPLASH_MS"), QString::number(splashMs));
        if (onScreen) {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            environment.insert(QStringLiteral("DISPLAY"), screen->name());
        } else {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        process.setProcessEnvironment(environment);
        process.start(program, {});
        QVERIFY(process.waitForStarted());
    }

    // Ends the program with signal; it must end by itself, with exit code 0.
    static void endWith(QProcess &process, int signal)
    {
        ::kill(static_cast<pid_t>(process.processId()), signal);
        const bool ended = process.waitForFinished(20000);
        if (!ended) {
            process.kill();
            process.waitForFinished();
        }
        QVERIFY2(ended, "the program went on after the signal");
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }

    // Starts the program offscreen, waits until its window is up, ends it with signal.
    void runUntilSignal(int signal)
    {
        QProcess process;
        start(process, 0, false);
        // The settings file exists once the start-up has read and written it.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(playbook() + QStringLiteral("wparam.xml")), 20000);
        QTest::qWait(500);
        endWith(process, signal);
    }

    QString counterLine(const QString &folder)
    {
        QProcess cli;
        cli.start(QStringLiteral(QUORVANE_CLI), {QStringLiteral("settings"), folder});
        cli.waitForFinished(30000);
        for (const QString &line : QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n')) {
            if (line.startsWith(QLatin1String("Counter\t")))
                return line;
        }
        return {};
    }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private Q_SLOTS:
    void initTestCase()
    {
        screen = std::make_unique<Screen>();
        QVERIFY2(screen->up(), "Xvfb could not be started (scripts/deps installs it)");
        QVERIFY2(!screen->xdotool({QStringLiteral("version")}).isEmpty(),
                 "xdotool is missing (scripts/deps installs it)");
    }

    void cleanupTestCase() { screen.reset(); }

    void init()
    {
        // A copy of the program, so that its own folder is the test's.
        root = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(programFolder()));
        QVERIFY(QDir().mkpath(home()));
        program = programFolder() + QStringLiteral("quorvane");
        QVERIFY(QFile::copy(QStringLiteral(QUORVANE_PROGRAM), program));
    }

    void signalsCloseLikeExit()
    {
        runUntilSignal(SIGTERM);
        QCOMPARE(counterLine(playbook()), QStringLiteral("Counter\t\t1\t0"));
        QVERIFY(QFile::exists(playbook() + QStringLiteral("/wgraphic.xml")));
        QVERIFY(QFile::exists(home() + QStringLiteral("/.local/share/Korvath/Quorvane 009/wcontrol.cds")));

        runUntilSignal(SIGINT);
        QCOMPARE(counterLine(playbook()), QStringLiteral("Counter\t\t1\t1"));
    }

    // A signal at any moment ends the program as File > Exit does: what is
    // open is left as Cancel or No would leave it, the settings (with the
    // start counted) are stored, and the exit code is 0.
    void signalAtAnyMoment_data()
    {
        QTest::addColumn<QString>("moment"); // the window shown when the signal comes
        QTest::addColumn<int>("splashMs");
        QTest::addColumn<bool>("samplePlays");
        QTest::addColumn<QStringList>("keys"); // typed on the main window first
        QTest::addColumn<int>("signal");

        const QStringList none;
        QTest::newRow("main window, SIGTERM") << MainWindow << 0 << false << none << int(SIGTERM);
        QTest::newRow("main window, SIGINT") << MainWindow << 0 << false << none << int(SIGINT);
        QTest::newRow("splash") << Splash << 60000 << false << none << int(SIGTERM);
        QTest::newRow("sample plays question") << MessageBox << 0 << true << none << int(SIGTERM);
        QTest::newRow("preferences") << Preferences << 0 << false << QStringList{"alt+o", "p"} << int(SIGINT);
    }

    void signalAtAnyMoment()
    {
        QFETCH(QString, moment);
        QFETCH(int, splashMs);
        QFETCH(bool, samplePlays);
        QFETCH(QStringList, keys);
        QFETCH(int, signal);
        if (samplePlays)
            QVERIFY(QFile::copy(QStringLiteral(QUORVANE_SAMPLE_PLAYS), programFolder() + QStringLiteral("initwplays.bak")));

        QProcess process;
        start(process, splashMs, true);
        if (!keys.isEmpty()) {
            QVERIFY(!screen->waitFor(MainWindow).isEmpty());
            screen->type(QStringLiteral("Quorvane"), keys);
        }
        const QString shown = screen->waitFor(moment);
        QVERIFY2(!shown.isEmpty(), qPrintable(screen->windows().join(u", ")));
        QTest::qWait(300);
        endWith(process, signal);

        QCOMPARE(counterLine(playbook()), QStringLiteral("Counter\t\t1\t0"));
        // The question was answered No: no sample play came in.
        const QStringList plays = QDir(playbook() + QStringLiteral("data"))
                                      .entryList({QStringLiteral("*.dat")}, QDir::Files);
        QCOMPARE(plays, QStringList());
    }

    // A message during the start-up is never hidden behind the splash,
    // which stays on top of everything while it is up.
    void startupMessagesAreNotHiddenBySplash_data()
    {
        QTest::addColumn<QString>("damagedFile");
        QTest::newRow("damaged settings") << QStringLiteral("wparam.xml");
        QTest::newRow("damaged control records") << QStringLiteral("wcontrol.cds");
    }

    void startupMessagesAreNotHiddenBySplash()
    {
        QFETCH(QString, damagedFile);
        writeFile(playbook() + damagedFile, "not a data packet at all");

        QProcess process;
        start(process, 60000, true);
        const QString message = screen->waitFor(MessageBox);
        QVERIFY2(!message.isEmpty(), qPrintable(screen->windows().join(u", ")));
        QTest::qWait(500);
        const QStringList shown = screen->windows();
        QVERIFY2(!shown.contains(Splash), qPrintable(shown.join(u", ")));
        endWith(process, SIGTERM);
    }

    // A copy of the program in a folder that can be written keeps no
    // playbook there (a build folder must never hold a coach's plays),
    // unless the folder already holds one: a portable copy.
    void playbookHome_data()
    {
        QTest::addColumn<bool>("portable");
        QTest::newRow("writable program folder") << false;
        QTest::newRow("portable copy") << true;
    }

    void playbookHome()
    {
        QFETCH(bool, portable);
        if (portable)
            QVERIFY(QDir().mkpath(portablePlaybook() + QStringLiteral("data")));

        QProcess process;
        start(process, 0, false);
        const QString used = portable ? portablePlaybook() : playbook();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(used + QStringLiteral("wparam.xml")), 20000);
        QTest::qWait(500);
        endWith(process, SIGTERM);

        QCOMPARE(counterLine(used), QStringLiteral("Counter\t\t1\t0"));
        QVERIFY(!QFile::exists((portable ? playbook() : portablePlaybook()) + QStringLiteral("wparam.xml")));
        QCOMPARE(QFileInfo::exists(programFolder() + QStringLiteral("Zavad uve Davuzi")), portable);
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
