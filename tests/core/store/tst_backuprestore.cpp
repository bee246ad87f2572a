#include "loadedplay.h"
#include "playbookfolder.h"
#include "shell/session.h"
#include "store/backuprestore.h"
#include "store/playstore.h"

#include <QDirIterator>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(RestoreConflict)

namespace {

// One keyed play record of version 0.7, written by hand: every sequence has
// a court and one player.
QStringList record(const QString &category, const QString &name, int sequences)
{
    QStringList lines{"Intro    = ", "",
                      "Type     = Drill",
                      "Category = " + category,
                      "Playname = " + name,
                      "Nr_seq   = " + QString::number(sequences),
                      "Quality  = 3", "Nrplayers= 6", "Nrballs  = 1", "Agegroup = 12", "Hide     = 0",
                      "Subcat1  = Sub", "Subcat2  = ", "Subcat3  = ", "Createdby= Coach",
                      "Credate  = ", "Moddate  = ", "Drilltime= ", "Extra1   = "};
    for (int s = 1; s <= sequences; ++s) {
        lines += {"Animation= No", "Text     = ", "{\\rtf1 Sequence " + QString::number(s) + "\\par", "}",
                  "Focus    = ", "Nr_parts = 2", "Extra2   = "};
        const auto part = [&](const QString &type, int graphicnr, int tag, int level) {
            lines += {"Graphicnr= " + QString::number(graphicnr), "type     = " + type,
                      "x1       = " + QString::number(40 + 10 * s), "y1       = 100", "x2       = 0",
                      "y2       = 100", "thickness = 0", "rotation  = 0", "arrow    = 0", "color    = 0",
                      "color2   = -1", "playtext = ", "fontname = ", "tagnr    = " + QString::number(tag),
                      "level    = " + QString::number(level), "transpar = 0", "extra3   = ", "extra4   = "};
        };
        part(QStringLiteral("Court"), 3, 1, 0);
        part(QStringLiteral("Circle"), 4, 2, 4000);
    }
    return lines;
}

// One record of version 0.6, which has no tag numbers: sequence 1 holds
// players 3 and 5 and a ball; sequence 2 the same players in another order,
// a second player 3 and the ball.
QStringList record06(const QString &category, const QString &name)
{
    QStringList lines{"Intro    = ", "", "Type     = Drill", "Category = " + category, "Playname = " + name,
                      "Nr_seq   = 2", "Quality  = 3", "Nrplayers= 6", "Nrballs  = 1", "Agegroup = 12",
                      "Hide     = 0", "Subcat1  = ", "Subcat2  = ", "Subcat3  = ", "Createdby= Coach"};
    const QList<QList<std::pair<QString, int>>> sketches{
        {{"Circle", 3}, {"Circle", 5}, {"Ball", 1}},
        {{"Circle", 5}, {"Circle", 3}, {"Circle", 3}, {"Ball", 1}},
    };
    for (const auto &sketch : sketches) {
        lines += {"Animation= No", "Text     = ", "{\\rtf1 text\\par}", "Focus    = ",
                  "Nr_parts = " + QString::number(sketch.size())};
        for (const auto &[type, graphicnr] : sketch) {
            lines += {"Graphicnr= " + QString::number(graphicnr), "type     = " + type, "x1       = 50",
                      "y1       = 60", "x2       = 0", "y2       = 0", "thickness = 0", "rotation  = 0",
                      "arrow    = 0", "color    = 0", "playtext = ", "fontname = "};
        }
    }
    return lines;
}

QByteArray backup(const QList<QStringList> &records, int count = -1, const QString &version = "0.7")
{
    QStringList lines{"Version  = Quorvane " + version,
                      "Backup   = " + QString::number(count < 0 ? records.size() : count)};
    for (const QStringList &played : records)
        lines += played;
    return crlf(lines);
}

// The two plays most cases restore: Attack/One with 2 sequences and
// Drills/Two with 3.
QByteArray twoPlays()
{
    return backup({record("Attack", "One", 2), record("Drills", "Two", 3)});
}

// The bytes with the first line that reads line replaced.
QByteArray withLine(QByteArray bytes, const QByteArray &line, const QByteArray &replacement)
{
    const qsizetype at = bytes.indexOf(QByteArray(line + "\r\n"));
    return bytes.replace(at, line.size(), replacement);
}

RestoreConflict answer(RestoreConflict::Answer word)
{
    RestoreConflict conflict;
    conflict.answer = word;
    return conflict;
}

RestoreConflict newKey(const QString &category, const QString &name)
{
    return {RestoreConflict::Answer::NewKey, category, name};
}

// Answers the conflict questions from a script (skip when it is used up) and
// keeps the names announced as restored.
struct ScriptedHost : RestoreHost {
    QList<RestoreConflict> answers;
    int questions = 0;
    QStringList announced;

    RestoreConflict resolveConflict(const QString &, const QString &) override
    {
        ++questions;
        return answers.isEmpty() ? RestoreConflict{} : answers.takeFirst();
    }
    void playRestored(const QString &name) override { announced << name; }
};

} // namespace

// Restoring a backup into a real data folder: what ends up in the play
// index and on disk, which messages the user sees, and how conflicts with
// plays already there are settled.
class TestBackupRestore : public QObject {
    Q_OBJECT

    std::unique_ptr<PlaybookFolder> book;

    QString data() const { return book->data(); }
    QString backupPath() const { return book->dir.path() + QStringLiteral("/plays.bak"); }

    // A play already in the playbook: one sequence, so that a replaced one
    // shows.
    void existing(const QString &key)
    {
        PlayFixture play;
        play.category = key.section(u'/', 0, 0);
        play.name = key.section(u'/', 1);
        QVERIFY(writeFile(data() + key + QStringLiteral(".dat"), play.bytes()));
    }

    // "Category/Name sequences" for every play of the index, each loaded
    // from its file.
    QStringList index()
    {
        QStringList rows;
        const QList<PlayRow> plays = book->session.tables.plays;
        for (const PlayRow &row : plays) {
            const bool loaded = book->store.FillSequenceDataset(row.Category, row.Drillname);
            rows << row.Category + u'/' + row.Drillname + u' '
                    + (loaded ? QString::number(book->session.data.sequencecount()) : QStringLiteral("unreadable"));
        }
        rows.sort();
        return rows;
    }

    QStringList files() const
    {
        QStringList found;
        QDirIterator it(data(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next().mid(data().size());
        found.sort();
        return found;
    }

private Q_SLOTS:
    void init()
    {
        book = std::make_unique<PlaybookFolder>();
    }

    void restores_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QList<RestoreConflict>>("answers");
        QTest::addColumn<QStringList>("messages"); // "%1" is the backup's path
        QTest::addColumn<QStringList>("playIndex");
        QTest::addColumn<QStringList>("dataFiles");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("asked");

        const QStringList none;
        const QStringList both{"Attack/One 2", "Drills/Two 3"};
        const QStringList bothFiles{"Attack/One.dat", "Drills/Two.dat"};
        using Answer = RestoreConflict::Answer;

        QTest::newRow("two plays") << twoPlays() << none << QList<RestoreConflict>() << none << both
                                   << bothFiles << "Drills/Two" << 0;
        QTest::newRow("names cleaned and cut")
            << backup({record(" Att\"ack ", "One 'a' `b` |c|", 1), record("Drills", QString(60, u'x'), 1)})
            << none << QList<RestoreConflict>() << none
            << QStringList{"Att_ack/One _a_ _b_ _c_ 1", "Drills/" + QString(50, u'x') + " 1"}
            << QStringList{"Att_ack/One _a_ _b_ _c_.dat", "Drills/" + QString(50, u'x') + ".dat"}
            << "Drills/" + QString(50, u'x') << 0;
        QTest::newRow("lone line feeds") << twoPlays().replace("\r\n", "\n") << none << QList<RestoreConflict>()
                                         << none << both << bothFiles << "Drills/Two" << 0;

        // A file the restore does not take is passed over silently.
        QTest::newRow("unknown version") << withLine(twoPlays(), "Version  = Quorvane 0.7", "Version  = Quorvane 0.8")
                                         << none << QList<RestoreConflict>() << none << none << none << "" << 0;
        QTest::newRow("exchange file") << crlf(QStringList{"Version  = Quorvane 0.7"} + record("Attack", "One", 1))
                                       << none << QList<RestoreConflict>() << QStringList{"Importfile %1 is corrupt"}
                                       << none << none << "" << 0;

        // A broken record stops the restore with its own message; the plays
        // before it stay.
        QTest::newRow("no Category") << withLine(twoPlays(), "Category = Drills", "Kategory = Drills") << none
                                     << QList<RestoreConflict>() << QStringList{"Importfile 7%1 is corrupt"}
                                     << QStringList{"Attack/One 2"} << QStringList{"Attack/One.dat"} << "Attack/One"
                                     << 0;
        QTest::newRow("no Playname") << withLine(twoPlays(), "Playname = Two", "Name     = Two") << none
                                     << QList<RestoreConflict>() << QStringList{"Importfile %1 is corrupt"}
                                     << QStringList{"Attack/One 2"} << QStringList{"Attack/One.dat"} << "Attack/One"
                                     << 0;
        QTest::newRow("no Nr_seq") << withLine(twoPlays(), "Nr_seq   = 2", "Sequences= 2") << none
                                   << QList<RestoreConflict>() << QStringList{"Importfile 9%1 is corrupt"} << none
                                   << none << "" << 0;
        QTest::newRow("count above the records")
            << backup({record("Attack", "One", 2), record("Drills", "Two", 3)}, 5) << none << QList<RestoreConflict>()
            << QStringList{"Importfile 7%1 is corrupt"} << both << bothFiles << "Drills/Two" << 0;
        QTest::newRow("count below the records")
            << backup({record("Attack", "One", 2), record("Drills", "Two", 3)}, 1) << none << QList<RestoreConflict>()
            << none << QStringList{"Attack/One 2"} << QStringList{"Attack/One.dat"} << "Attack/One" << 0;
        QTest::newRow("huge count") << backup({record("Attack", "One", 2)}, 2147483647) << none
                                    << QList<RestoreConflict>() << QStringList{"Importfile 7%1 is corrupt"}
                                    << QStringList{"Attack/One 2"} << QStringList{"Attack/One.dat"} << "Attack/One"
                                    << 0;
        QTest::newRow("sequence count above the blocks")
            << withLine(twoPlays(), "Nr_seq   = 3", "Nr_seq   = 40000") << none << QList<RestoreConflict>()
            << QStringList{"Importfile %1 is corrupt"} << QStringList{"Attack/One 2"} << QStringList{"Attack/One.dat"}
            << "Attack/One" << 0;
        const QByteArray good = twoPlays();
        QTest::newRow("ends inside a part") << good.left(good.lastIndexOf("tagnr")) << none << QList<RestoreConflict>()
                                            << QStringList{"Importfile %1 is corrupt"} << QStringList{"Attack/One 2"}
                                            << QStringList{"Attack/One.dat"} << "Attack/One" << 0;

        // Conflicts with plays of the playbook.
        QTest::newRow("skip") << twoPlays() << QStringList{"Attack/One"}
                              << QList<RestoreConflict>{answer(Answer::Skip)} << none
                              << QStringList{"Attack/One 1", "Drills/Two 3"} << bothFiles << "Drills/Two" << 1;
        QTest::newRow("replace") << twoPlays() << QStringList{"attack/one"}
                                 << QList<RestoreConflict>{answer(Answer::Replace)} << none
                                 << QStringList{"Drills/Two 3", "attack/one 2"}
                                 << QStringList{"Drills/Two.dat", "attack/one.dat", "attack/one.~at"} << "Drills/Two"
                                 << 1;
        QTest::newRow("cancel") << twoPlays() << QStringList{"Attack/One"}
                                << QList<RestoreConflict>{answer(Answer::Cancel)} << none
                                << QStringList{"Attack/One 1"} << QStringList{"Attack/One.dat"} << "" << 1;
        QTest::newRow("cancel at the second")
            << twoPlays() << QStringList{"Drills/Two"} << QList<RestoreConflict>{answer(Answer::Cancel)} << none
            << QStringList{"Attack/One 2", "Drills/Two 1"} << bothFiles << "Attack/One" << 1;
        QTest::newRow("new key") << twoPlays() << QStringList{"Attack/One"}
                                 << QList<RestoreConflict>{newKey(" Attack ", "One \"again\"")} << none
                                 << QStringList{"Attack/One 1", "Attack/One _again_ 2", "Drills/Two 3"}
                                 << QStringList{"Attack/One _again_.dat", "Attack/One.dat", "Drills/Two.dat"}
                                 << "Drills/Two" << 1;
        QTest::newRow("new key taken too")
            << twoPlays() << QStringList{"Attack/One", "Drills/Two"}
            << QList<RestoreConflict>{newKey("Drills", "Two"), answer(Answer::Skip), answer(Answer::Skip)} << none
            << QStringList{"Attack/One 1", "Drills/Two 1"} << bothFiles << "" << 3;
        QTest::newRow("skip all") << twoPlays() << QStringList{"Attack/One", "Drills/Two"}
                                  << QList<RestoreConflict>{answer(Answer::SkipAll)} << none
                                  << QStringList{"Attack/One 1", "Drills/Two 1"} << bothFiles << "" << 1;
        QTest::newRow("replace all")
            << twoPlays() << QStringList{"Attack/One", "Drills/Two"}
            << QList<RestoreConflict>{answer(Answer::ReplaceAll)} << none << both
            << QStringList{"Attack/One.dat", "Attack/One.~at", "Drills/Two.dat", "Drills/Two.~at"} << "Drills/Two"
            << 1;
        // A key that is not the same but names the same file is one play.
        QTest::newRow("same file name") << backup({record("Attack", "One:", 2)}) << QStringList{"Attack/One"}
                                        << QList<RestoreConflict>{answer(Answer::Replace)} << none
                                        << QStringList{"Attack/One 2"}
                                        << QStringList{"Attack/One.dat", "Attack/One.~at"} << "Attack/One" << 1;
        // A skipped play is read to its end: a text line that looks like a
        // key does not start the next play.
        QTest::newRow("skip over a key in a text")
            << withLine(twoPlays(), "{\\rtf1 Sequence 1\\par", "Category = Fake") << QStringList{"Attack/One"}
            << QList<RestoreConflict>{answer(Answer::Skip)} << none << QStringList{"Attack/One 1", "Drills/Two 3"}
            << bothFiles << "Drills/Two" << 1;
    }

    void restores()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, before);
        QFETCH(QList<RestoreConflict>, answers);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, playIndex);
        QFETCH(QStringList, dataFiles);
        QFETCH(QString, last);
        QFETCH(int, asked);

        for (const QString &key : std::as_const(before))
            existing(key);
        book->store.FillPlayDataset();
        QVERIFY(writeFile(backupPath(), file));

        BackupRestore restore(book->session, book->store);
        ScriptedHost host;
        host.answers = answers;
        restore.setHost(&host);

        const BackupRestore::Outcome outcome = restore.recover2(backupPath());
        const int questions = host.questions;
        const QStringList &announced = host.announced;

        for (QString &message : messages)
            message = message.arg(backupPath());
        QCOMPARE(book->prompter.messages, messages);
        QCOMPARE(questions, asked);
        QCOMPARE(outcome.category + (last.isEmpty() ? QString() : QStringLiteral("/")) + outcome.name, last);
        QCOMPARE(outcome.restored, announced.size());
        // The last play restored is the loaded one, stored and unchanged.
        if (!last.isEmpty()) {
            QCOMPARE(book->session.loadedCategory + u'/' + book->session.loadedName, last);
            QVERIFY(!book->session.PlayModified);
            QCOMPARE(announced.last(), outcome.name);
        }
        QCOMPARE(files(), dataFiles);
        QCOMPARE(index(), playIndex);
        // The index held in memory is the one the folder gives.
        book->store.FillPlayDataset();
        QCOMPARE(index(), playIndex);
    }

    // A play whose key cannot be stored (a blank name, a name that gives no
    // file name) is reported and passed over, wherever it stands; it is not
    // announced, and the plays after it are restored.
    void refusedPlayIsPassedOver_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("message");
        const QString noFileName = QStringLiteral("Play %1 of the backup, \"%2\" in category \"%3\", was not "
                                                  "restored: its name cannot be used as a file name");
        QTest::newRow("blank play name") << "Attack" << "" << 1
                                         << "Play 2 of the backup has no play name and was not restored";
        QTest::newRow("blank category") << "" << "Press" << 1
                                        << "Play 2 of the backup has no category and was not restored";
        QTest::newRow("blanks only, first") << "   " << "  " << 0
                                            << "Play 1 of the backup has no category and was not restored";
        QTest::newRow("full stops") << "Attack" << ".." << 1 << noFileName.arg("2", "..", "Attack");
        QTest::newRow("slashes, last") << "Attack" << "///" << 2 << noFileName.arg("3", "///", "Attack");
        QTest::newRow("control characters") << "Attack" << "\x01\x02" << 1
                                            << noFileName.arg("2", "\x01\x02", "Attack");
        QTest::newRow("category of full stops") << ".." << "Press" << 1 << noFileName.arg("2", "Press", "..");
    }

    void refusedPlayIsPassedOver()
    {
        QFETCH(QString, category);
        QFETCH(QString, name);
        QFETCH(int, at);
        QFETCH(QString, message);
        QList<QStringList> records{record("Attack", "One", 2), record("Drills", "Two", 3)};
        records.insert(at, record(category, name, 1));
        QVERIFY(writeFile(backupPath(), backup(records)));

        BackupRestore restore(book->session, book->store);
        ScriptedHost host;
        restore.setHost(&host);
        const BackupRestore::Outcome outcome = restore.recover2(backupPath());

        QCOMPARE(book->prompter.messages, QStringList{message});
        QCOMPARE(book->prompter.kinds, QList<Prompter::Kind>{Prompter::Kind::Information});
        QCOMPARE(host.announced, (QStringList{"One", "Two"}));
        QCOMPARE(host.questions, 0);
        QCOMPARE(outcome.restored, 2);
        QCOMPARE(outcome.name, QStringLiteral("Two"));
        QCOMPARE(files(), (QStringList{"Attack/One.dat", "Drills/Two.dat"}));
        QCOMPARE(index(), (QStringList{"Attack/One 2", "Drills/Two 3"}));
    }

    // Tag numbers a version 0.6 backup lacks are computed play by play:
    // each player keeps its number from sequence to sequence, a second copy
    // of one gets a number of its own, and every play starts afresh.
    void version06TagNumbers()
    {
        QVERIFY(writeFile(backupPath(), backup({record06("Attack", "One"), record06("Attack", "Two")}, -1, "0.6")));
        const BackupRestore::Outcome outcome = BackupRestore(book->session, book->store).recover2(backupPath());
        QCOMPARE(outcome.restored, 2);
        QVERIFY(book->prompter.messages.isEmpty());

        for (const QString name : {"One", "Two"}) {
            QVERIFY(book->store.FillSequenceDataset(QStringLiteral("Attack"), name));
            QStringList tags;
            for (const PartRow &part : std::as_const(book->session.tables.parts))
                tags << QStringLiteral("%1:%2%3=%4").arg(part.Drawingnr).arg(part.Type).arg(part.Graphicnr).arg(part.tagnr);
            QCOMPARE(tags, (QStringList{"1:Circle3=1", "1:Circle5=2", "1:Ball1=3",
                                        "2:Circle5=2", "2:Circle3=1", "2:Circle3=4", "2:Ball1=3"}));
        }
    }

    // The hand-made backups the restore is fuzzed from, restored with every
    // conflict skipped.
    void restoresTheFixtureBackups_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("playIndex");
        QTest::addColumn<int>("messages");
        QTest::newRow("0.7") << "two-plays-v07.bak" << QStringList{"Attack/Press 2", "Drills/Sprint 1"} << 0;
        QTest::newRow("0.6") << "tags-v06.bak" << QStringList{"Attack/One 2", "Attack/Two 2"} << 0;
        QTest::newRow("0.2") << "old-v02.bak" << QStringList{"Old _one_/Two_three 2"} << 0;
        QTest::newRow("two-line intro") << "two-line-intro-v05.bak" << QStringList{"Set/Intro 1"} << 0;
        // The same play twice, in other letter case and as "Press.", is
        // skipped; "..", a blank name and the category ".." are refused.
        QTest::newRow("conflicts and refusals") << "conflicts-v07.bak" << QStringList{"Attack/Press 1"} << 3;
    }

    void restoresTheFixtureBackups()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, playIndex);
        QFETCH(int, messages);
        const QString path = QStringLiteral(QUORVANE_FIXTURES "/backups/") + file;
        const BackupRestore::Outcome outcome = BackupRestore(book->session, book->store).recover2(path);
        QCOMPARE(book->prompter.messages.size(), messages);
        QCOMPARE(outcome.restored, playIndex.size());
        QCOMPARE(index(), playIndex);
    }

    // What refuses one play refuses the next: the first failure is reported
    // by the store and ends the restore, and the index lists what is on disk.
    void stopsWhenAPlayCannotBeStored()
    {
        QVERIFY(writeFile(data() + QStringLiteral("Drills"), "not a folder"));
        QVERIFY(writeFile(backupPath(), backup({record("Attack", "One", 2), record("Drills", "Two", 3),
                                                record("Drills", "Three", 1)})));

        const BackupRestore::Outcome outcome = BackupRestore(book->session, book->store).recover2(backupPath());

        QCOMPARE(book->prompter.messages.size(), 1);
        QVERIFY2(book->prompter.messages.first().contains(QLatin1String("Drills")), qPrintable(book->prompter.messages.first()));
        QCOMPARE(outcome.restored, 1);
        QCOMPARE(outcome.name, QStringLiteral("One"));
        QCOMPARE(index(), QStringList{"Attack/One 2"});
        QVERIFY(book->session.loadedName.isEmpty());
    }

    // The changes of the play being edited are stored before the restore
    // takes over the tables.
    void storesTheEditedPlayFirst()
    {
        existing(QStringLiteral("Attack/Edited"));
        book->store.FillPlayDataset();
        QVERIFY(book->store.choosePlay(QStringLiteral("Attack"), QStringLiteral("Edited")));
        book->session.data.addsequence(2, book->session.data.maxdrawingnr() + 1, false);
        book->session.PlayModified = true;
        QVERIFY(writeFile(backupPath(), twoPlays()));

        BackupRestore(book->session, book->store).recover2(backupPath());

        QCOMPARE(book->prompter.messages, QStringList());
        QCOMPARE(index(), (QStringList{"Attack/Edited 2", "Attack/One 2", "Drills/Two 3"}));
    }

    void missingFileIsReported()
    {
        const BackupRestore::Outcome outcome = BackupRestore(book->session, book->store).recover2(backupPath());
        QCOMPARE(book->prompter.messages.size(), 1);
        QVERIFY(book->prompter.messages.first().startsWith(backupPath()));
        QCOMPARE(outcome.restored, 0);
    }

    // The sample plays that ship with the program restore into an empty
    // playbook without a word, each play whole.
    void restoresTheSamplePlays()
    {
        BackupRestore restore(book->session, book->store);
        ScriptedHost host;
        restore.setHost(&host);
        const BackupRestore::Outcome outcome = restore.recover2(QStringLiteral(QUORVANE_SAMPLE_PLAYS));
        const QStringList &announced = host.announced;

        QCOMPARE(book->prompter.messages, QStringList());
        QVERIFY(outcome.restored >= 3);
        QCOMPARE(book->session.tables.plays.size(), outcome.restored);
        QCOMPARE(announced.size(), outcome.restored);
        const QList<PlayRow> plays = book->session.tables.plays;
        for (const PlayRow &play : plays) {
            QVERIFY2(book->store.FillSequenceDataset(play.Category, play.Drillname), qPrintable(play.Drillname));
            const int sequences = book->session.data.sequencecount();
            QVERIFY2(sequences >= 3 && sequences <= 5, qPrintable(play.Drillname));
            QVERIFY(!play.Type.isEmpty());
            // Each symbol keeps its tag number from sequence to sequence, and
            // every sketch has its court.
            QHash<QString, int> tags;
            for (int s = 1; s <= sequences; ++s) {
                const int drawing = book->session.data.getdrawingnr(s);
                QVERIFY2(book->session.data.getcourtnr(drawing) > 0, qPrintable(play.Drillname));
                QString text;
                book->session.data.getseqtext(s, text);
                QVERIFY(text.startsWith(QLatin1String("{\\rtf1")));
                for (const PartRow &part : std::as_const(book->session.tables.parts)) {
                    if (part.Drawingnr != drawing || part.Type == QLatin1String("Court")
                        || part.Type.startsWith(u'p') || part.Type == QLatin1String("loop"))
                        continue;
                    const QString symbol = part.Type + QString::number(part.Graphicnr);
                    QCOMPARE(tags.value(symbol, part.tagnr), part.tagnr);
                    tags.insert(symbol, part.tagnr);
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestBackupRestore)
#include "tst_backuprestore.moc"
