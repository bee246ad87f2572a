#include "playbookfolder.h"
#include "shell/session.h"
#include "store/playstore.h"

#include <QDir>
#include <QTest>

#include <memory>

// The play store over a real data folder: the scan, loading with its three
// corrupt messages and "not found", storing with the ".~at" copy, renaming
// and setting aside, and what happens when the disk refuses.
class TestPlayStore : public QObject {
    Q_OBJECT

    // What the play store told the play list and the selectors.
    struct Observer : PlayStoreObserver {
        QStringList removedFromList;
        int rebuilds = 0;
        void removeFromPlayList(const QString &category, const QString &name) override
        {
            removedFromList << category + u'/' + name;
        }
        void indexRebuilt() override { ++rebuilds; }
    };

    std::unique_ptr<PlaybookFolder> book;
    std::unique_ptr<Observer> told;

    QString data() const { return book->data(); }

    static PlayFixture play(const QString &category, const QString &name)
    {
        PlayFixture fixture;
        fixture.category = category;
        fixture.name = name;
        return fixture;
    }

    // A row of the index as the play info dialog or a new play makes it.
    static PlayRow indexRow(const QString &category, const QString &name)
    {
        PlayRow row;
        row.Category = category;
        row.Drillname = name;
        return row;
    }

    void put(const QString &relative, const QByteArray &bytes) { QVERIFY(writeFile(data() + relative, bytes)); }

    // "Category/Drillname <- path below data/" for every row of the index.
    QStringList index() const
    {
        QStringList rows;
        for (const PlayRow &row : std::as_const(book->session.tables.plays))
            rows << row.Category + u'/' + row.Drillname + QStringLiteral(" <- ") + row.filePath.mid(data().size());
        return rows;
    }

    const PlayRow *row(const QString &name) const
    {
        for (const PlayRow &row : std::as_const(book->session.tables.plays)) {
            if (row.Drillname == name)
                return &row;
        }
        return nullptr;
    }

    // Loads a play and marks it changed, as an edit would.
    void loadAndChange(const QString &category, const QString &name)
    {
        QVERIFY(book->store.choosePlay(category, name));
        change();
    }

    void change()
    {
        PartFields fields;
        fields.Type = QStringLiteral("Ball");
        fields.x1 = qint16(book->session.tables.parts.size());
        book->session.data.addpart(book->session.data.getdrawingnr(1), fields);
        book->session.PlayModified = true;
    }

private Q_SLOTS:
    void init()
    {
        book = std::make_unique<PlaybookFolder>();
        told = std::make_unique<Observer>();
        book->store.setObserver(told.get());
    }

    void scanTree()
    {
        put(QStringLiteral("Attack/Upper.DAT"), play("Attack", "Upper").bytes());
        put(QStringLiteral("Attack/ab.dat"), play("Attack", "a/b").bytes());
        put(QStringLiteral("Elsewhere/Counter.dat"), play("Defence", "Counter").bytes());
        for (const QStringList &intro : {QStringList{"One"}, QStringList{"One", "Two"},
                                         QStringList{"One", "Two", "Three"}}) {
            PlayFixture fixture = play("Attack", QStringLiteral("Intro %1").arg(intro.size()));
            fixture.intro = intro;
            put(QStringLiteral("Attack/") + fixture.name + QStringLiteral(".dat"), fixture.bytes());
        }
        PlayFixture older = play("Attack", "Six");
        older.version = QStringLiteral("0.6");
        older.sequences = 0;
        put(QStringLiteral("Attack/Six.dat"), older.bytes());

        // A play is listed under its header's key whatever the file's name.
        put(QStringLiteral("Attack/Other name.dat"), play("Attack", "Something").bytes());

        // Left out: another version, a hidden folder, another extension, a
        // folder named like a play file, a file outside any category folder,
        // a link.
        PlayFixture ancient = play("Attack", "Old");
        ancient.version = QStringLiteral("0.4");
        put(QStringLiteral("Attack/Old.dat"), ancient.bytes());
        put(QStringLiteral(".Attic/Pass.dat"), play("Attic", "Pass").bytes());
        put(QStringLiteral("Attack/Notes.txt"), play("Attack", "Notes").bytes());
        QVERIFY(QDir().mkpath(data() + QStringLiteral("Attack/Folder.dat")));
        put(QStringLiteral("Loose.dat"), play("Loose", "Loose").bytes());
        QVERIFY(writeFile(book->dir.path() + QStringLiteral("/outside/Link.dat"), play("Attack", "Link").bytes()));
        QVERIFY(QFile::link(book->dir.path() + QStringLiteral("/outside/Link.dat"), data() + QStringLiteral("Attack/Link.dat")));

        QVERIFY(!book->store.nodrill());
        QCOMPARE(index(), (QStringList{"Attack/a/b <- Attack/ab.dat",
                                       "Attack/Intro 1 <- Attack/Intro 1.dat",
                                       "Attack/Intro 2 <- Attack/Intro 2.dat",
                                       "Attack/Intro 3 <- Attack/Intro 3.dat",
                                       "Attack/Six <- Attack/Six.dat",
                                       "Attack/Something <- Attack/Other name.dat",
                                       "Attack/Upper <- Attack/Upper.DAT",
                                       "Defence/Counter <- Elsewhere/Counter.dat"}));

        QCOMPARE(row("Intro 1")->Intro, QStringLiteral("One\r\n"));
        QCOMPARE(row("Intro 2")->Intro, QStringLiteral("One\r\nTwo\r\n"));
        QCOMPARE(row("Intro 3")->Intro, QStringLiteral("One\r\nTwo\r\nThree\r\n"));

        const PlayRow &upper = *row("Upper");
        QCOMPARE(upper.Type, QStringLiteral("Drill"));
        QCOMPARE((QList<int>{upper.Quality, upper.Nrplayers, upper.Nrballs, upper.Agegroup, upper.Hide}),
                 (QList<int>{3, 6, 1, 12, 0}));
        QCOMPARE((QStringList{upper.Subcat1, upper.Subcat2, upper.Subcat3, upper.Createdby,
                              upper.Credate, upper.Moddate, upper.Drilltime, upper.Extra1}),
                 (QStringList{"Sub one", "Sub two", "Sub three", "Coach", "1-2-2020 10:00:00",
                              "2-2-2020 11:00:00", "45", "spare"}));

        // A file older than 0.7 has no dates: it was made now.
        const PlayRow &six = *row("Six");
        QCOMPARE(six.Credate, book->clock.nowText());
        QVERIFY(six.Moddate.isEmpty() && six.Drilltime.isEmpty() && six.Extra1.isEmpty());
    }

    // Two files naming one play in any letter case give one row, and it
    // belongs to the file it was read from.
    void oneRowPerPlay_data()
    {
        QTest::addColumn<QString>("otherFile");
        QTest::addColumn<QString>("otherCategory");
        QTest::addColumn<QString>("otherName");
        QTest::newRow("same folder, other case") << "Attack/PRESS.dat" << "ATTACK" << "PRESS";
        QTest::newRow("other folder") << "attack/press.dat" << "attack" << "press";
        QTest::newRow("other file name") << "Attack/Press 2.dat" << "Attack" << "press";
    }

    void oneRowPerPlay()
    {
        QFETCH(QString, otherFile);
        QFETCH(QString, otherCategory);
        QFETCH(QString, otherName);
        PlayFixture first = play("Attack", "Press");
        first.type = QStringLiteral("First");
        put(QStringLiteral("Attack/Press.dat"), first.bytes());
        PlayFixture second = play(otherCategory, otherName);
        second.type = QStringLiteral("Second");
        put(otherFile, second.bytes());

        book->store.FillPlayDataset();
        QCOMPARE(book->session.tables.plays.size(), 1);
        const PlayRow &found = book->session.tables.plays.first();
        QCOMPARE(found.Type, found.filePath.endsWith(QStringLiteral("Attack/Press.dat")) ? "First" : "Second");
        QVERIFY(book->store.keyTaken(QStringLiteral("attack"), QStringLiteral("press")));
        QVERIFY(book->store.keyTaken(QStringLiteral("Attack"), QStringLiteral("Pre/ss")));
        QVERIFY(!book->store.keyTaken(QStringLiteral("Attack"), QStringLiteral("Pres")));
    }

    // Plays of older playbooks, whose files were named by other rules, are
    // listed under their header's key and are loaded, stored and set aside
    // through their own files; nothing else is written.
    void listedUnderTheHeaderKey_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("backup");
        QTest::newRow("trailing full stop") << "Attack/Press..dat" << "Attack" << "Press." << "Attack/Press..~at";
        QTest::newRow("other name") << "Attack/Press 2.dat" << "Attack" << "Zone" << "Attack/Press 2.~at";
        QTest::newRow("no file name today") << "Attack/\x01.dat" << "Attack" << "\x01" << "Attack/\x01.~at";
        QTest::newRow("category folder with a full stop") << "Attack./Press.dat" << "Attack." << "Press"
                                                          << "Attack./Press.~at";
    }

    void listedUnderTheHeaderKey()
    {
        QFETCH(QString, file);
        QFETCH(QString, category);
        QFETCH(QString, name);
        QFETCH(QString, backup);
        // The same key by today's rule sits beside it as a play of its own.
        put(QStringLiteral("Attack/Press.dat"), play("Attack", "Press").bytes());
        put(file, play(category, name).bytes());
        const QString other = QStringLiteral("Attack/Press <- Attack/Press.dat");
        book->store.FillPlayDataset();
        QStringList expected{other, category + u'/' + name + QStringLiteral(" <- ") + file};
        expected.sort();
        QStringList listed = index();
        listed.sort();
        QCOMPARE(listed, expected);
        QVERIFY(book->store.keyTaken(category.toUpper(), name.toUpper()));

        const QByteArray before = readFile(data() + file);
        loadAndChange(category, name);
        QVERIFY(book->store.storeLoadedPlay());
        QCOMPARE(readFile(data() + backup), before);
        QVERIFY(readFile(data() + file) != before);
        book->store.FillPlayDataset();
        listed = index();
        listed.sort();
        QCOMPARE(listed, expected);

        QVERIFY(book->store.DeletePlay(category, name));
        QVERIFY(!QFileInfo::exists(data() + file));
        QCOMPARE(readFile(data() + QStringLiteral("Attack/Press.dat")), play("Attack", "Press").bytes());
        book->store.FillPlayDataset();
        QCOMPARE(index(), QStringList{other});
        QVERIFY(book->prompter.messages.isEmpty());
    }

    // A file the scan cannot read (a newer version, a damaged file) is never
    // written over by a new play of the same key: the play takes the next
    // free numbered name and is found there by its header.
    void newPlayLeavesUnreadFilesAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("inTheWay");
        QTest::addColumn<QString>("stored");
        const QByteArray newer = play("Attack", "Press").bytes().replace("Quorvane 0.7", "Quorvane 0.8");
        QTest::newRow("newer version") << newer << QStringList{"Press.dat"} << "Press (2).dat";
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + play("Attack", "Press").bytes()
                                         << QStringList{"Press.dat"} << "Press (2).dat";
        QTest::newRow("not a play") << QByteArray("notes") << QStringList{"Press.dat", "Press (2).dat"}
                                    << "Press (3).dat";
    }

    void newPlayLeavesUnreadFilesAlone()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, inTheWay);
        QFETCH(QString, stored);
        for (const QString &file : std::as_const(inTheWay))
            put(QStringLiteral("Attack/") + file, content);
        QVERIFY(book->store.nodrill());

        book->session.tables.plays = {indexRow("Attack", "Press")};
        book->session.loadedCategory = QStringLiteral("Attack");
        book->session.loadedName = QStringLiteral("Press");
        book->session.data.addsequence(1, 1, false);
        QVERIFY(book->store.storeLoadedPlay());
        book->store.FillPlayDataset();
        QCOMPARE(index(), QStringList{"Attack/Press <- Attack/" + stored});

        // Stored again, it stays in its own file.
        loadAndChange(QStringLiteral("Attack"), QStringLiteral("Press"));
        QVERIFY(book->store.storeLoadedPlay());
        for (const QString &file : std::as_const(inTheWay))
            QCOMPARE(readFile(data() + QStringLiteral("Attack/") + file), content);
        QStringList files = inTheWay;
        files << stored << PlayFolder::backupPath(stored);
        files.sort();
        QCOMPARE(QDir(data() + QStringLiteral("Attack")).entryList(QDir::Files, QDir::Name), files);
        QVERIFY(book->prompter.messages.isEmpty());
    }

    // The index keeps the file's real place: a play whose header names
    // another category than its folder is loaded and stored where it is.
    void loadAndStoreThroughRealPath()
    {
        put(QStringLiteral("Elsewhere/Counter.dat"), play("Defence", "Counter").bytes());
        book->store.FillPlayDataset();
        book->session.tables.undo.append(UndoRow());

        loadAndChange(QStringLiteral("defence"), QStringLiteral("counter"));
        QCOMPARE(book->session.loadedCategory, QStringLiteral("Defence"));
        QCOMPARE(book->session.loadedName, QStringLiteral("Counter"));
        QCOMPARE(book->session.tables.sequences.size(), 1);
        QVERIFY(book->session.tables.undo.isEmpty());
        const QByteArray before = readFile(data() + QStringLiteral("Elsewhere/Counter.dat"));

        QVERIFY(book->store.storeLoadedPlay());
        QVERIFY(!book->session.PlayModified);
        QCOMPARE(readFile(data() + QStringLiteral("Elsewhere/Counter.~at")), before);
        QVERIFY(!QFileInfo::exists(data() + QStringLiteral("Defence")));
        QVERIFY(book->prompter.messages.isEmpty());
    }

    void storeTwiceKeepsSecondToLast()
    {
        PlayFixture original = play("Attack", "Press");
        original.intro = QStringList{"Keep this"};
        put(QStringLiteral("Attack/Press.dat"), original.bytes());
        book->store.FillPlayDataset();
        const QString path = data() + QStringLiteral("Attack/Press.dat");
        const QString backup = data() + QStringLiteral("Attack/Press.~at");

        loadAndChange(QStringLiteral("Attack"), QStringLiteral("Press"));
        QVERIFY(book->store.DBUpdate(QStringLiteral("Attack"), QStringLiteral("Press")));
        const QByteArray first = readFile(path);
        QCOMPARE(readFile(backup), original.bytes());
        QVERIFY(first != original.bytes());

        change();
        QVERIFY(book->store.DBUpdate(QStringLiteral("Attack"), QStringLiteral("Press")));
        QCOMPARE(readFile(backup), first);
        QVERIFY(readFile(path) != first);
        QCOMPARE(QDir(data() + QStringLiteral("Attack")).entryList(QDir::Files).size(), 2);

        // The header keeps what the play had; only the modification date is new.
        book->store.FillPlayDataset();
        const PlayRow &stored = *row("Press");
        QCOMPARE(stored.Intro, QStringLiteral("Keep this\r\n"));
        QCOMPARE(stored.Credate, QStringLiteral("1-2-2020 10:00:00"));
        QCOMPARE(stored.Moddate, book->clock.nowText());
        QCOMPARE(stored.Subcat1, QStringLiteral("Sub one"));
        QVERIFY(book->prompter.messages.isEmpty());
    }

    void corruptFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("olderBackup");
        const QByteArray good = play("Attack", "Broken").bytes();
        const auto with = [&](const char *from, const char *to) {
            QByteArray changed = good;
            return changed.replace(from, to);
        };
        const QString removed = QStringLiteral("The data of play Broken is corrupt and will be removed from the database");
        QTest::newRow("version") << with("Quorvane 0.7", "Quorvane 0.4") << removed << false;
        QTest::newRow("no type") << with("Type     =", "Tipe     =") << removed << true;
        QTest::newRow("no category") << with("Category =", "Categori =") << removed << false;
        QTest::newRow("no play name") << with("Playname =", "Play     =")
                                      << "The data of play Broken is corrupt and the play be removed from the database"
                                      << true;
        QTest::newRow("no sequence count") << with("Nr_seq   =", "Nr_sequ  =")
                                           << "The data of play Broken is corrupt the play will be removed from the database"
                                           << false;
        QTest::newRow("ends inside a sequence") << good.left(good.indexOf("Focus    =")) << removed << true;
    }

    // The message, the play taken out of the list and the index, and the
    // file set aside without losing an older backup copy.
    void corruptFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(bool, olderBackup);
        const QString path = data() + QStringLiteral("Attack/Broken.dat");
        const QString backup = data() + QStringLiteral("Attack/Broken.~at");
        const QByteArray good = play("Attack", "Broken").bytes();
        put(QStringLiteral("Attack/Broken.dat"), content);
        if (olderBackup)
            put(QStringLiteral("Attack/Broken.~at"), good);
        put(QStringLiteral("Attack/Other.dat"), play("Attack", "Other").bytes());
        book->session.tables.plays = {indexRow("Attack", "Broken")};

        QVERIFY(!book->store.choosePlay(QStringLiteral("Attack"), QStringLiteral("Broken")));
        QCOMPARE(book->prompter.messages, QStringList{message});
        QCOMPARE(book->prompter.kinds.first(), Prompter::Kind::Information);
        QCOMPARE(told->removedFromList, QStringList{"Attack/Broken"});
        QCOMPARE(told->rebuilds, 1);
        QCOMPARE(index(), QStringList{"Attack/Other <- Attack/Other.dat"});
        QVERIFY(book->session.loadedName.isEmpty());
        QVERIFY(book->session.tables.sequences.isEmpty() && book->session.tables.parts.isEmpty());

        QVERIFY(!QFileInfo::exists(path));
        if (olderBackup) {
            QCOMPARE(readFile(backup), good);
            QCOMPARE(readFile(path + QStringLiteral(".damaged")), content);
        } else {
            QCOMPARE(readFile(backup), content);
        }
    }

    void missingFile()
    {
        put(QStringLiteral("Attack/Here.dat"), play("Attack", "Here").bytes());
        book->session.tables.plays = {indexRow("Attack", "Gone")};

        QVERIFY(!book->store.choosePlay(QStringLiteral("Attack"), QStringLiteral("Gone")));
        QCOMPARE(book->prompter.messages,
                 QStringList{"Play path = " + data() + "Attack/Gone.dat\nPlay not found, play list will be refreshed"});
        QVERIFY(told->removedFromList.isEmpty());
        QCOMPARE(told->rebuilds, 1);
        QCOMPARE(index(), QStringList{"Attack/Here <- Attack/Here.dat"});
        QCOMPARE(QDir(data() + QStringLiteral("Attack")).entryList(QDir::Files), QStringList{"Here.dat"});
    }

    // After a failed load nothing is loaded, so nothing can be stored over
    // the play that failed; the play before it was stored first.
    void failedLoadLeavesNothingLoaded()
    {
        put(QStringLiteral("Attack/Good.dat"), play("Attack", "Good").bytes());
        put(QStringLiteral("Attack/Bad.dat"), "Version  = Quorvane 0.7\r\nIntro    = \r\n");
        book->store.FillPlayDataset();
        loadAndChange(QStringLiteral("Attack"), QStringLiteral("Good"));

        QVERIFY(!book->store.choosePlay(QStringLiteral("Attack"), QStringLiteral("Bad")));
        QVERIFY(QFileInfo::exists(data() + QStringLiteral("Attack/Good.~at")));
        QVERIFY(book->session.loadedCategory.isEmpty() && book->session.loadedName.isEmpty());
        QVERIFY(!book->session.PlayModified);
        const QByteArray good = readFile(data() + QStringLiteral("Attack/Good.dat"));

        QVERIFY(book->store.storeLoadedPlay());
        QVERIFY(book->store.DBUpdate(QStringLiteral("Attack"), QStringLiteral("Bad")));
        QVERIFY(!QFileInfo::exists(data() + QStringLiteral("Attack/Bad.dat")));
        QCOMPARE(readFile(data() + QStringLiteral("Attack/Good.dat")), good);
    }

    void storingWithNothingLoadedWritesNothing()
    {
        book->session.tables.plays = {indexRow("Attack", "Press")};
        QVERIFY(book->store.DBUpdate(QStringLiteral("Attack"), QStringLiteral("Press")));
        QVERIFY(book->store.updateName(QStringLiteral("Attack"), QStringLiteral("Press"),
                                  QStringLiteral("Attack"), QStringLiteral("Zone")));
        QVERIFY(!QFileInfo::exists(data()));
        QVERIFY(book->prompter.messages.isEmpty());
    }

    // A new play goes where its key puts it; a/b is stored as ab.dat, comes
    // back under its own name, and takes ab's place.
    void newPlayStoredUnderItsFileName()
    {
        book->session.tables.plays = {indexRow("Attack", "a/b")};
        book->session.loadedCategory = QStringLiteral("Attack");
        book->session.loadedName = QStringLiteral("a/b");
        book->session.data.addsequence(1, 1, false);

        QVERIFY(book->store.storeLoadedPlay());
        book->store.FillPlayDataset();
        QCOMPARE(index(), QStringList{"Attack/a/b <- Attack/ab.dat"});
        QCOMPARE(row("a/b")->Credate, book->clock.nowText());
        QVERIFY(book->store.keyTaken(QStringLiteral("ATTACK"), QStringLiteral("ab")));
    }

    void unusableNameIsRefused()
    {
        book->session.loadedCategory = QStringLiteral("..");
        book->session.loadedName = QStringLiteral("Press");
        QVERIFY(!book->store.storeLoadedPlay());
        QCOMPARE(book->prompter.messages.size(), 1);
        QCOMPARE(book->prompter.kinds.first(), Prompter::Kind::Error);
        QVERIFY(!QFileInfo::exists(data()));
        QVERIFY(QDir(book->dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }

    // The backup copy cannot replace the folder in its place: the store
    // fails, says so, and the play file and the changes are kept.
    void failedStoreKeepsOldFile()
    {
        put(QStringLiteral("Attack/Press.dat"), play("Attack", "Press").bytes());
        put(QStringLiteral("Attack/Other.dat"), play("Attack", "Other").bytes());
        put(QStringLiteral("Attack/Press.~at/keep"), "in the way");
        book->store.FillPlayDataset();
        loadAndChange(QStringLiteral("Attack"), QStringLiteral("Press"));
        const QByteArray before = readFile(data() + QStringLiteral("Attack/Press.dat"));
        const int parts = int(book->session.tables.parts.size());

        QVERIFY(!book->store.DBUpdate(QStringLiteral("Attack"), QStringLiteral("Press")));
        QCOMPARE(book->prompter.kinds, QList<Prompter::Kind>{Prompter::Kind::Error});
        QVERIFY(book->prompter.messages.first().startsWith(QStringLiteral("The play Press could not be stored.")));
        QCOMPARE(readFile(data() + QStringLiteral("Attack/Press.dat")), before);
        QVERIFY(book->session.PlayModified);
        QCOMPARE(QDir(data() + QStringLiteral("Attack")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{"Other.dat", "Press.dat", "Press.~at"}));

        // Choosing another play keeps the changed one loaded rather than
        // dropping its changes.
        QVERIFY(!book->store.choosePlay(QStringLiteral("Attack"), QStringLiteral("Other")));
        QCOMPARE(book->session.loadedName, QStringLiteral("Press"));
        QCOMPARE(book->session.tables.parts.size(), parts);
    }

    void renameIntoBlockedCategoryKeepsOldFile()
    {
        put(QStringLiteral("Attack/Press.dat"), play("Attack", "Press").bytes());
        QVERIFY(writeFile(data() + QStringLiteral("Defence"), "a file where the folder belongs"));
        book->store.FillPlayDataset();
        loadAndChange(QStringLiteral("Attack"), QStringLiteral("Press"));
        const QByteArray before = readFile(data() + QStringLiteral("Attack/Press.dat"));

        QVERIFY(!book->store.updateName(QStringLiteral("Attack"), QStringLiteral("Press"),
                                   QStringLiteral("Defence"), QStringLiteral("Press")));
        QCOMPARE(book->prompter.messages, QStringList{"Cannot create " + data() + "Defence/"});
        QCOMPARE(readFile(data() + QStringLiteral("Attack/Press.dat")), before);
        QVERIFY(!QFileInfo::exists(data() + QStringLiteral("Attack/Press.~at")));
        QVERIFY(book->session.PlayModified);
    }

    void renameSetsOldFileAside()
    {
        put(QStringLiteral("Attack/Press.dat"), play("Attack", "Press").bytes());
        book->store.FillPlayDataset();
        loadAndChange(QStringLiteral("Attack"), QStringLiteral("Press"));
        const QByteArray before = readFile(data() + QStringLiteral("Attack/Press.dat"));

        QVERIFY(book->store.updateName(QStringLiteral("Attack"), QStringLiteral("Press"),
                                  QStringLiteral("Defence"), QStringLiteral("Zone")));
        QCOMPARE(readFile(data() + QStringLiteral("Attack/Press.~at")), before);
        QVERIFY(!QFileInfo::exists(data() + QStringLiteral("Attack/Press.dat")));
        book->store.FillPlayDataset();
        QCOMPARE(index(), QStringList{"Defence/Zone <- Defence/Zone.dat"});
        QCOMPARE(row("Zone")->Credate, QStringLiteral("1-2-2020 10:00:00"));
    }

    // a/b and ab are one file: renaming one into the other rewrites it in
    // place, its previous content becoming the backup copy.
    void renameToTheSameFile()
    {
        put(QStringLiteral("Attack/ab.dat"), play("Attack", "a/b").bytes());
        book->store.FillPlayDataset();
        loadAndChange(QStringLiteral("Attack"), QStringLiteral("a/b"));
        const QByteArray before = readFile(data() + QStringLiteral("Attack/ab.dat"));

        QVERIFY(book->store.updateName(QStringLiteral("Attack"), QStringLiteral("a/b"),
                                  QStringLiteral("Attack"), QStringLiteral("ab")));
        QCOMPARE(readFile(data() + QStringLiteral("Attack/ab.~at")), before);
        book->store.FillPlayDataset();
        QCOMPARE(index(), QStringList{"Attack/ab <- Attack/ab.dat"});
    }

    void deleteReplacesOlderBackup()
    {
        put(QStringLiteral("Attack/Press.dat"), play("Attack", "Press").bytes());
        put(QStringLiteral("Attack/Press.~at"), "older");
        book->store.FillPlayDataset();

        QVERIFY(book->store.DeletePlay(QStringLiteral("Attack"), QStringLiteral("Press")));
        QCOMPARE(readFile(data() + QStringLiteral("Attack/Press.~at")), play("Attack", "Press").bytes());
        QVERIFY(!QFileInfo::exists(data() + QStringLiteral("Attack/Press.dat")));
        QVERIFY(book->store.DeletePlay(QStringLiteral("Attack"), QStringLiteral("Press")));
        QVERIFY(book->prompter.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPlayStore)
#include "tst_playstore.moc"
