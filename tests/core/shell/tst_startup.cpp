#include "fakeenvironment.h"
#include "recordingprompter.h"
#include "shell/session.h"
#include "shell/startup.h"
#include "render/renderedsymboldrawer.h"
#include "store/datafiles.h"
#include "store/placeholdersymboldrawer.h"
#include "store/symbolpictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

// Records which steps the start-up sequence asked of the windows.
class RecordingHost : public StartupHost {
public:
    QStringList calls;
    NewPlayOutcome newPlay = NewPlayOutcome::NotAvailable;
    bool samplesRestore = true;
    // What the scan finds, put into playIndex.
    QList<PlayRow> plays;
    QList<PlayRow> *playIndex = nullptr;

    void showSplash() override { calls << QStringLiteral("splash"); }
    void finishSplash(int) override { calls << QStringLiteral("splash done"); }
    void scanPlayIndex() override
    {
        calls << QStringLiteral("scan");
        if (playIndex)
            *playIndex = plays;
    }
    void showLoading() override { calls << QStringLiteral("loading"); }
    void preparePalettes() override { calls << QStringLiteral("palettes"); }
    void showBackupWindow() override { calls << QStringLiteral("backup"); }
    bool restoreSamplePlays(const QString &file) override
    {
        calls << QStringLiteral("samples ") + QFileInfo(file).fileName();
        return samplesRestore;
    }
    NewPlayOutcome showNewPlayWindow() override
    {
        calls << QStringLiteral("new play");
        return newPlay;
    }
    void fillSelectors() override { calls << QStringLiteral("selectors"); }
    void openPlayList(const QString &file) override { calls << QStringLiteral("list ") + QFileInfo(file).fileName(); }
};

// One run of the program: a session over the test's folders.
struct Run {
    RecordingPrompter prompter;
    Session session;
    RecordingHost host;
    PlaceholderSymbolDrawer drawer;
    StartupSequence::Outcome outcome{};

    explicit Run(Environment &environment)
        : session(environment, prompter)
    {
        host.playIndex = &session.tables.plays;
    }

    StartupSequence::Outcome start(const QStringList &arguments = {}, const QString &base = {})
    {
        StartupSequence startup(session, host, drawer, nullptr);
        outcome = startup.run(arguments, base);
        return outcome;
    }

    // What closing the main window writes.
    void close() { QVERIFY(session.writeSettingsFiles().isEmpty()); }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> rootDir;
    FakeEnvironment env;

    QString rootPath(const QString &name) const { return rootDir->filePath(name); }

    // A program folder that keeps no playbook yet is never made its home.
    QString dataFolder() const { return env.localAppData + QStringLiteral("Korvath/Quorvane 009/"); }

private Q_SLOTS:
    void init()
    {
        rootDir.emplace();
        env.program = rootPath(QStringLiteral("prog")) + u'/';
        env.localAppData = rootPath(QStringLiteral("local")) + u'/';
        env.temp = rootPath(QStringLiteral("tmp")) + u'/';
        for (const QString &folder : {env.program, env.localAppData, env.temp})
            QDir().mkpath(folder);
    }

    void firstStartOnEmptyFolders()
    {
        Run run(env);
        QCOMPARE(run.start(), StartupSequence::Outcome::Running);
        QCOMPARE(run.host.calls, (QStringList{"splash", "scan", "loading", "palettes", "splash done", "new play"}));
        QCOMPARE(run.session.folders.data, dataFolder());
        QCOMPARE(run.session.folders.computedData, dataFolder());
        QCOMPARE(run.session.folders.control, env.localAppData + QStringLiteral("Korvath/Quorvane 009/"));
        QCOMPARE(QDir::currentPath() + u'/', env.program);
        QCOMPARE(run.session.userKey, QStringLiteral("COACH"));
        QCOMPARE(run.session.computerKey, QStringLiteral("POOLPC"));
        QCOMPARE(run.session.startCount, 0);
        QVERIFY(run.session.startupDone);
        QCOMPARE(run.session.data.courtDefaults.water, 24 + 173 * 256 + 247 * 65536);
        QCOMPARE(run.session.dialogFolders.save, env.documents);
        // The computed folder is remembered as this user's data folder.
        QCOMPARE(run.session.data.getcontroltext("DatabasePath", "COACH", "POOLPC"), dataFolder());
        run.close();

        Run second(env);
        QCOMPARE(second.start(), StartupSequence::Outcome::Running);
        QCOMPARE(second.session.startCount, 1);
        QVERIFY(second.prompter.messages.isEmpty());
    }

    void playbookHome_data()
    {
        QTest::addColumn<QString>("keeps"); // what the program folder already keeps
        QTest::addColumn<bool>("inProgramFolder");
        QTest::newRow("writable program folder, no playbook") << QString() << false;
        QTest::newRow("portable copy with settings") << QStringLiteral("wparam.xml") << true;
        QTest::newRow("portable copy with plays") << QStringLiteral("data/") << true;
    }

    void playbookHome()
    {
        QFETCH(QString, keeps);
        QFETCH(bool, inProgramFolder);

        const QString portable = env.program + QStringLiteral("Zavad uve Davuzi/Quorvane 009/");
        if (keeps.endsWith(u'/')) {
            QVERIFY(QDir().mkpath(portable + keeps));
        } else if (!keeps.isEmpty()) {
            // The settings of this copy's earlier runs.
            QVERIFY(QDir().mkpath(portable));
            Tables tables;
            tables.params = {{QStringLiteral("Counter"), QString(), true, 7}};
            RecordingPrompter prompter;
            QString error;
            QVERIFY2(DataFiles(portable, portable, prompter).SaveParamDataset(tables, &error), qPrintable(error));
        }

        Run run(env);
        QCOMPARE(run.start(), StartupSequence::Outcome::Running);
        const QString home = inProgramFolder ? portable : dataFolder();
        const QString other = inProgramFolder ? dataFolder() : portable;
        QCOMPARE(run.session.folders.computedData, home);
        QCOMPARE(run.session.folders.data, home);
        if (keeps == QLatin1String("wparam.xml"))
            QCOMPARE(run.session.startCount, 8);
        run.close();
        QVERIFY(QFileInfo::exists(home + QStringLiteral("wparam.xml")));
        QVERIFY(!QFileInfo::exists(other + QStringLiteral("wparam.xml")));
    }

    // The symbol picture file alone gone: the next start makes it with
    // every picture, not an empty palette.
    void missingSymbolFileGetsItsPictures()
    {
        {
            Run run(env);
            run.start();
            QCOMPARE(run.session.tables.graphics.size(), 201);
            run.close();
        }
        QVERIFY(QFile::remove(dataFolder() + QStringLiteral("wgraphic.xml")));
        {
            Run run(env);
            run.start();
            QCOMPARE(run.session.startCount, 1);
            QCOMPARE(run.session.tables.graphics.size(), 201);
            run.close();
        }
        Run again(env);
        again.start();
        QCOMPARE(again.session.tables.graphics.size(), 201);
    }

    void storedDatabasePathAndCommandLine()
    {
        const QString stored = rootPath(QStringLiteral("stored")) + u'/';
        const QString once = rootPath(QStringLiteral("once")) + u'/';
        QDir().mkpath(stored);
        QDir().mkpath(once);
        {
            Run run(env);
            run.start();
            run.session.data.setcontroltext("DatabasePath", run.session.userKey, run.session.computerKey, 0, stored);
            run.close();
        }
        Run run(env);
        run.start({QStringLiteral("-d"), once});
        QCOMPARE(run.session.folders.data, once);
        run.close();

        // The command line is never stored: the next plain start is back on the stored folder.
        Run next(env);
        next.start();
        QCOMPARE(next.session.folders.data, stored);
    }

    void unwritableFoldersEndTheStartWithoutWriting()
    {
        env.program = rootPath(QStringLiteral("missing-prog")) + u'/';
        env.localAppData = rootPath(QStringLiteral("missing-local")) + u'/';
        Run run(env);
        QCOMPARE(run.start(), StartupSequence::Outcome::Failed);
        QCOMPARE(run.prompter.kinds, QList<Prompter::Kind>{Prompter::Kind::Error});
        QVERIFY(!run.session.startupDone);
        QCOMPARE(run.host.calls, (QStringList{"splash", "splash done"}));
        run.close();
        QVERIFY(!QFileInfo::exists(rootPath(QStringLiteral("missing-prog"))));
    }

    void folderThatCannotBeCreatedIsShown()
    {
        QFile blocker(env.localAppData + QStringLiteral("Korvath"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Run run(env);
        QCOMPARE(run.start(), StartupSequence::Outcome::Failed);
        QCOMPARE(run.prompter.messages, QStringList{QStringLiteral("Cannot create ") + blocker.fileName()});
    }

    void backupReminderEveryTwentyFifthStart_data()
    {
        QTest::addColumn<int>("counterBefore");
        QTest::addColumn<bool>("backupOn");
        QTest::addColumn<bool>("shown");
        QTest::newRow("25th start") << 24 << true << true;
        QTest::newRow("50th start") << 49 << true << true;
        QTest::newRow("26th start") << 25 << true << false;
        QTest::newRow("reminder off") << 24 << false << false;
    }

    void backupReminderEveryTwentyFifthStart()
    {
        QFETCH(int, counterBefore);
        QFETCH(bool, backupOn);
        QFETCH(bool, shown);
        {
            Run run(env);
            run.start();
            run.session.data.setparam("Counter", {}, true, counterBefore);
            run.session.data.setparam("Backup", {}, backupOn, 0);
            run.close();
        }
        Run run(env);
        run.start();
        QCOMPARE(run.session.startCount, counterBefore + 1);
        QCOMPARE(run.host.calls.contains(QStringLiteral("backup")), shown);
    }

    void samplePlaysOffered_data()
    {
        QTest::addColumn<bool>("sampleFile");
        QTest::addColumn<int>("counterBefore"); // -1: first start
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QStringList>("expectedTail");

        QTest::newRow("first start, yes") << true << -1 << true << QStringList{"samples initwplays.bak", "scan", "new play"};
        QTest::newRow("first start, no") << true << -1 << false << QStringList{"new play"};
        QTest::newRow("no sample file") << false << -1 << true << QStringList{"new play"};
        QTest::newRow("sixth start, empty playbook") << true << 5 << true << QStringList{"new play"};
        QTest::newRow("fifth start, empty playbook") << true << 4 << true << QStringList{"samples initwplays.bak", "scan", "new play"};
    }

    void samplePlaysOffered()
    {
        QFETCH(bool, sampleFile);
        QFETCH(int, counterBefore);
        QFETCH(bool, answerYes);
        QFETCH(QStringList, expectedTail);

        if (sampleFile) {
            QFile samples(env.program + QStringLiteral("initwplays.bak"));
            QVERIFY(samples.open(QIODevice::WriteOnly));
        }
        if (counterBefore >= 0) {
            Run run(env);
            run.start();
            run.session.data.setparam("Counter", {}, true, counterBefore);
            run.close();
        }
        Run run(env);
        run.prompter.defaultYes = answerYes;
        run.start();
        const QStringList tail = run.host.calls.mid(run.host.calls.indexOf(QStringLiteral("splash done")) + 1);
        QCOMPARE(tail, expectedTail);
        const bool asked = run.prompter.messages.contains(QStringLiteral("Do you want to load the sample plays?"));
        QCOMPARE(asked, expectedTail.size() > 1 || (sampleFile && !answerYes));
        QCOMPARE(run.session.firstStartCount, 0);
    }

    // A playbook that holds plays is offered the sample plays only when the
    // first start made at least three of the data files' worth anew (the
    // symbol pictures count two) and the start count is at most 5.
    void samplePlaysOfferedToAPlaybookWithPlays_data()
    {
        QTest::addColumn<QStringList>("removed"); // data files gone before the start
        QTest::addColumn<int>("counterBefore");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("asked");

        const QStringList graphicAndParam{"wgraphic.xml", "wparam.xml"};
        const QStringList graphicAndControl{"wgraphic.xml", "wcontrol.cds"};
        QTest::newRow("pictures and settings made anew: 3") << graphicAndParam << 8 << true << true;
        QTest::newRow("all three made anew: 4") << QStringList{"wgraphic.xml", "wparam.xml", "wcontrol.cds"} << 8
                                                << true << true;
        QTest::newRow("3, answered no") << graphicAndParam << 8 << false << true;
        QTest::newRow("pictures made anew: 2") << QStringList{"wgraphic.xml"} << 2 << true << false;
        QTest::newRow("settings and control made anew: 2") << QStringList{"wparam.xml", "wcontrol.cds"} << 2 << true
                                                           << false;
        QTest::newRow("3 on the sixth start") << graphicAndControl << 4 << true << true;
        QTest::newRow("3 on the seventh start") << graphicAndControl << 5 << true << false;
    }

    void samplePlaysOfferedToAPlaybookWithPlays()
    {
        QFETCH(QStringList, removed);
        QFETCH(int, counterBefore);
        QFETCH(bool, answerYes);
        QFETCH(bool, asked);

        QFile samples(env.program + QStringLiteral("initwplays.bak"));
        QVERIFY(samples.open(QIODevice::WriteOnly));
        samples.close();
        {
            Run run(env);
            run.start();
            run.session.data.setparam("Counter", {}, true, counterBefore);
            run.close();
        }
        const QString control = env.localAppData + QStringLiteral("Korvath/Quorvane 009/");
        for (const QString &file : std::as_const(removed))
            QVERIFY(QFile::remove((file == QLatin1String("wcontrol.cds") ? control : dataFolder()) + file));

        Run run(env);
        PlayRow play;
        play.Category = QStringLiteral("Attack");
        play.Drillname = QStringLiteral("Press");
        run.host.plays = {play};
        run.prompter.defaultYes = answerYes;
        run.start();
        const QStringList tail = run.host.calls.mid(run.host.calls.indexOf(QStringLiteral("splash done")) + 1);
        const QStringList expectedTail = asked && answerYes
                                             ? QStringList{"samples initwplays.bak", "scan", "selectors"}
                                             : QStringList{"selectors"};
        QCOMPARE(tail, expectedTail);
        QCOMPARE(run.prompter.messages.contains(QStringLiteral("Do you want to load the sample plays?")), asked);
        QCOMPARE(run.session.firstStartCount, 0);
    }

    void leavingTheNewPlayWindowQuits()
    {
        Run run(env);
        run.host.newPlay = StartupHost::NewPlayOutcome::Cancelled;
        QCOMPARE(run.start(), StartupSequence::Outcome::Quit);
        QVERIFY(!run.session.startupDone);
    }

    void standInPicturesAreRedrawnOnce()
    {
        {
            Run run(env); // the placeholder drawer of Run
            run.start();
            QVERIFY(SymbolPictures::isPlaceholder(run.session.tables.graphics.first().Graphic));
            run.close();
        }
        RecordingPrompter prompter;
        Session session(env, prompter);
        RecordingHost host;
        RenderedSymbolDrawer drawer;
        StartupSequence(session, host, drawer, nullptr).run({}, {});
        QCOMPARE(session.tables.graphics.size(), 201);
        for (const GraphRow &row : session.tables.graphics)
            QVERIFY(!SymbolPictures::isPlaceholder(row.Graphic));

        // The file now holds the drawn pictures.
        Run again(env);
        again.start();
        QVERIFY(!SymbolPictures::isPlaceholder(again.session.tables.graphics.first().Graphic));
    }

    void lastPlayListIsReopened()
    {
        {
            Run run(env);
            run.host.newPlay = StartupHost::NewPlayOutcome::Created;
            run.start();
            QVERIFY(run.host.calls.endsWith(QStringLiteral("selectors")));
            run.close();
        }
        QFile list(dataFolder() + QStringLiteral("lastlst.lst"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.close();
        Run run(env);
        run.start();
        QCOMPARE(run.host.calls.last(), QStringLiteral("list lastlst.lst"));
    }
};

// The symbol renderer needs the font database of a GUI application.
QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
