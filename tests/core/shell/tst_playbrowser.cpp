#include "playbookfolder.h"
#include "shell/playbrowser.h"
#include "shell/session.h"
#include "store/playstore.h"
#include "text/sequencetext.h"

#include <QTest>
#include <QTextDocument>

#include <memory>

Q_DECLARE_METATYPE(MainPage)

namespace {

// A new-play window the user leaves without making a play.
struct CountingNewPlayWindow : NewPlayWindow {
    int shown = 0;
    bool makeNewPlay() override { return ++shown, false; }
};

} // namespace

// The play browser over a small playbook on disk: the selectors, the
// counter and the arrows with animation-only sequences, adding and deleting
// sequences with their undo history, the court palette, and the text taken
// over from the editor surviving a store and a reload.
class TestPlayBrowser : public QObject {
    Q_OBJECT

    std::unique_ptr<PlaybookFolder> book;
    std::unique_ptr<PlayBrowser> browser;

    QString data() const { return book->data(); }

    void put(const QString &category, const QString &name, int sequences,
             const QList<int> &animationOnly = {})
    {
        PlayFixture play;
        play.category = category;
        play.name = name;
        play.sequences = sequences;
        play.animationOnly = animationOnly;
        QVERIFY(writeFile(data() + category + u'/' + name + QStringLiteral(".dat"), play.bytes()));
    }

    void open(const QString &category, const QString &play)
    {
        browser->categorybox(true, category, play);
        QCOMPARE(browser->play(), play);
        QVERIFY(browser->hasSequence());
    }

    void goTo(int sequence)
    {
        while (browser->sequence() < sequence && browser->nextSequence(MainPage::EditDrawing)) {
        }
        QCOMPARE(browser->sequence(), sequence);
    }

    // One undo step of two rows for a sequence, tagged by its text.
    void addUndoStep(int sequence, const QString &tag)
    {
        for (int sub = 1; sub <= 2; ++sub) {
            UndoRow row;
            row.Category = book->session.loadedCategory;
            row.Drillname = book->session.loadedName;
            row.Sequence = sequence;
            row.Undonr = book->session.undo.lastundonr(row.Category, row.Drillname, sequence) + (sub == 1);
            row.Undosubnr = sub;
            row.Action = QStringLiteral("Undo");
            row.tekst = tag;
            book->session.tables.undo.append(row);
        }
    }

    // "tag@sequence" for every undo row, in storage order.
    QStringList undoRows() const
    {
        QStringList rows;
        for (const UndoRow &row : std::as_const(book->session.tables.undo))
            rows << row.tekst + u'@' + QString::number(row.Sequence);
        return rows;
    }

    // "number:text[*]" for every sequence, * for animation-only.
    QStringList sequences() const
    {
        QStringList rows;
        for (const SequenceRow &row : std::as_const(book->session.tables.sequences))
            rows << QString::number(row.Sequence) + u':' + row.Text.trimmed() + (row.Animationonly ? "*" : "");
        return rows;
    }

    QStringList typesOf(int drawing) const
    {
        QStringList types;
        for (const PartRow &part : std::as_const(book->session.tables.parts)) {
            if (part.Drawingnr == drawing)
                types << QString::number(part.Partnr) + u':' + part.Type;
        }
        return types;
    }

    // Where the first player of a sequence stands.
    QPoint firstPlayerAt(int sequence) const
    {
        for (const PartRow &part : std::as_const(book->session.tables.parts)) {
            if (part.Drawingnr == book->session.data.getdrawingnr(sequence) && part.Type == u"Circle")
                return {part.x1, part.y1};
        }
        return {-1, -1};
    }

    int addPart(int sequence, const QString &type, int graphicnr = 0)
    {
        PartFields fields;
        fields.Type = type;
        fields.Graphicnr = graphicnr;
        fields.x1 = 40;
        fields.y1 = 50;
        fields.tagnr = 7;
        fields.color = 0x123456;
        return book->session.data.addpart(book->session.data.getdrawingnr(sequence), fields);
    }

private Q_SLOTS:
    void init()
    {
        book = std::make_unique<PlaybookFolder>();
        book->session.startupDone = true;
        browser = std::make_unique<PlayBrowser>(book->session, book->store);

        put(QStringLiteral("Attack"), QStringLiteral("Zeta"), 4, {2, 3});
        put(QStringLiteral("Attack"), QStringLiteral("alpha"), 1);
        put(QStringLiteral("Attack"), QStringLiteral("Middle"), 2);
        put(QStringLiteral("Defence"), QStringLiteral("Press"), 2, {1});
    }

    void selectorsAreSortedAndShowTheFirstPlay()
    {
        browser->categorybox(true);
        QCOMPARE(browser->categories(), (QStringList{"Attack", "Defence"}));
        QCOMPARE(browser->plays(), (QStringList{"alpha", "Middle", "Zeta"}));
        QCOMPARE(browser->play(), QStringLiteral("alpha"));
        QCOMPARE(book->session.loadedName, QStringLiteral("alpha"));
        QCOMPARE(browser->sequence(), 1);

        browser->namebox(QStringLiteral("Defence"));
        QCOMPARE(browser->plays(), QStringList{"Press"});
        QCOMPARE(book->session.loadedName, QStringLiteral("Press"));
    }

    // Zeta has four sequences, 2 and 3 animation-only. Steps: n = lower
    // arrow (next), p = upper arrow (previous); after each, the sequence and
    // the counter.
    void counterAndArrows_data()
    {
        QTest::addColumn<MainPage>("page");
        QTest::addColumn<bool>("showAll");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("shown");

        QTest::newRow("overview skips animation-only")
            << MainPage::Overview << false << QStringLiteral("nnpp")
            << QStringList{"1 1 of 2", "4 2 of 2", "4 2 of 2", "1 1 of 2", "1 1 of 2"};
        QTest::newRow("overview with Showall")
            << MainPage::Overview << true << QStringLiteral("nnnn")
            << QStringList{"1 1 of 4", "2 2 of 4", "3 3 of 4", "4 4 of 4", "4 4 of 4"};
        QTest::newRow("edit drawing counts every sequence")
            << MainPage::EditDrawing << false << QStringLiteral("nnpp")
            << QStringList{"1 1 of 4", "2 2 of 4", "3 3 of 4", "2 2 of 4", "1 1 of 4"};
        QTest::newRow("edit text counts every sequence")
            << MainPage::EditText << false << QStringLiteral("ppn")
            << QStringList{"1 1 of 4", "1 1 of 4", "1 1 of 4", "2 2 of 4"};
    }

    void counterAndArrows()
    {
        QFETCH(MainPage, page);
        QFETCH(bool, showAll);
        QFETCH(QString, steps);
        QFETCH(QStringList, shown);
        book->session.runtime.showAll = showAll;
        open(QStringLiteral("Attack"), QStringLiteral("Zeta"));

        const auto state = [&]() -> QString {
            return QString::number(browser->sequence()) + u' ' + browser->counter(page).text();
        };
        QStringList seen{state()};
        for (const QChar step : steps) {
            if (step == u'n')
                browser->nextSequence(page);
            else
                browser->previousSequence(page);
            browser->showplay(page);
            seen << state();
        }
        QCOMPARE(seen, shown);
    }

    // Coming to the overview on an animation-only sequence steps back to
    // the nearest shown one; a play that flags its first sequence still
    // starts there, and the flag does not survive loading.
    void overviewStepsBackButNotBelowOne()
    {
        open(QStringLiteral("Attack"), QStringLiteral("Zeta"));
        goTo(3);
        QCOMPARE(browser->showplay(MainPage::EditDrawing).number, 3);
        QCOMPARE(browser->showplay(MainPage::Overview).number, 1);

        open(QStringLiteral("Defence"), QStringLiteral("Press"));
        QVERIFY(!book->session.data.getanimationonly(1));
        QVERIFY(book->session.PlayModified);
        const ShownSequence first = browser->showplay(MainPage::Overview);
        QCOMPARE(first.number, 1);
        QVERIFY(!first.previousEnabled);
        QCOMPARE(browser->counter(MainPage::Overview).text(), QStringLiteral("1 of 2"));
        QVERIFY(!browser->previousSequence(MainPage::Overview));
        browser->setAnimationOnly(true);
        QVERIFY(!book->session.data.getanimationonly(1));

        QVERIFY(browser->nextSequence(MainPage::Overview));
        const ShownSequence second = browser->showplay(MainPage::EditText);
        QCOMPARE(second.text.trimmed(), QStringLiteral("Sequence 2"));
        QVERIFY(second.previousEnabled);
    }

    // New sequence 3 of Zeta: the old 3 and 4 move up with their flags,
    // texts and whole undo history; the new one copies the court, symbols
    // and balls of sequence 2 with every field.
    void addAfterSecondOfFour()
    {
        open(QStringLiteral("Attack"), QStringLiteral("Zeta"));
        for (int s = 1; s <= 4; ++s) {
            addUndoStep(s, QStringLiteral("a%1").arg(s));
            addUndoStep(s, QStringLiteral("b%1").arg(s));
        }
        goTo(2);
        addPart(2, QStringLiteral("Court"), 3);
        addPart(2, QStringLiteral("pass"));
        addPart(2, QStringLiteral("ppass"));
        addPart(2, QStringLiteral("Ball"), 1);
        addPart(2, QStringLiteral("Text"));
        addPart(2, QStringLiteral("Triangle"), 5);
        const QStringList oldTypes = typesOf(book->session.data.getdrawingnr(2));
        const int highest = book->session.data.maxdrawingnr();
        book->session.PlayModified = false;

        browser->addSequence();

        QCOMPARE(browser->sequence(), 3);
        QVERIFY(book->session.PlayModified);
        QCOMPARE(sequences(), (QStringList{"1:Sequence 1", "2:Sequence 2*", "3:", "4:Sequence 3*",
                                           "5:Sequence 4"}));
        QCOMPARE(book->session.data.getdrawingnr(3), highest + 1);
        QCOMPARE(undoRows(), (QStringList{"a1@1", "a1@1", "b1@1", "b1@1", "a2@2", "a2@2", "b2@2", "b2@2",
                                          "a3@4", "a3@4", "b3@4", "b3@4", "a4@5", "a4@5", "b4@5", "b4@5"}));
        QCOMPARE(typesOf(book->session.data.getdrawingnr(2)), oldTypes);
        // The fixture's two players, then the court, ball and triangle.
        QCOMPARE(typesOf(highest + 1), (QStringList{"1:Circle", "2:Circle", "3:Court", "4:Ball", "5:Triangle"}));
        PartFields copy;
        QVERIFY(book->session.data.getpart(highest + 1, 5, copy));
        QCOMPARE(copy.Graphicnr, 5);
        QCOMPARE(copy.tagnr, 7);
        QCOMPARE(copy.color, 0x123456);
    }

    // With "Automove" the players are carried along their lines, but only
    // into a new last sequence; elsewhere they stay where they stand.
    void automoveOnlyAtTheEnd()
    {
        book->session.runtime.autoMove = true;
        open(QStringLiteral("Attack"), QStringLiteral("Middle"));
        // A swim from the first player of each sequence to the same place.
        for (int s : {1, 2}) {
            PartFields swim;
            swim.Type = QStringLiteral("ploop");
            swim.x1 = 21;
            swim.y1 = qint16(11 + 20 * s);
            swim.x2 = 150;
            swim.y2 = 160;
            book->session.data.addpart(book->session.data.getdrawingnr(s), swim);
        }

        browser->addSequence();
        QCOMPARE(firstPlayerAt(2), QPoint(10, 20));

        goTo(3);
        browser->addSequence();
        QCOMPARE(browser->sequence(), 4);
        QCOMPARE(firstPlayerAt(4), QPoint(139, 149));
    }

    // The first sequence of a play that has none starts with a court, so
    // the court palette and "Smaller pool" work on it.
    void firstSequenceGetsACourt()
    {
        PlayFixture empty;
        empty.category = QStringLiteral("Attack");
        empty.name = QStringLiteral("Blank");
        empty.sequences = 0;
        QVERIFY(writeFile(data() + QStringLiteral("Attack/Blank.dat"), empty.bytes()));
        browser->categorybox(true, QStringLiteral("Attack"), QStringLiteral("Blank"));
        QCOMPARE(book->session.loadedName, QStringLiteral("Blank"));
        QVERIFY(!browser->hasSequence());

        browser->addSequence();
        QCOMPARE(browser->sequence(), 1);
        const int drawing = book->session.data.getdrawingnr(1);
        QCOMPARE(typesOf(drawing), QStringList{"1:Court"});
        PartFields court;
        QVERIFY(book->session.data.getpart(drawing, 1, court));
        QCOMPARE(court.color2, -1);

        browser->applyCourt(3, true);
        QVERIFY(book->session.data.getpart(drawing, 1, court));
        QCOMPARE(court.Graphicnr, 3);
        QVERIFY(browser->showplay(MainPage::EditDrawing).smallerPool);
    }

    // Deleting sequence 1 of Zeta: the new first sequence is a normal one,
    // the deleted sketch and history go, the rest move down with theirs.
    void deleteFirstWithAnimationOnlySecond()
    {
        open(QStringLiteral("Attack"), QStringLiteral("Zeta"));
        for (int s = 1; s <= 4; ++s)
            addUndoStep(s, QStringLiteral("u%1").arg(s));
        const int deletedDrawing = book->session.data.getdrawingnr(1);
        book->session.PlayModified = false;

        book->prompter.answers = {Prompter::Cancel};
        QCOMPARE(browser->deleteSequence(), PlayBrowser::Deletion::Cancelled);
        QCOMPARE(book->session.data.sequencecount(), 4);
        QVERIFY(!book->session.PlayModified);

        book->prompter.answers = {Prompter::Ok};
        QCOMPARE(browser->deleteSequence(), PlayBrowser::Deletion::Deleted);
        QCOMPARE(book->prompter.messages.last(), QStringLiteral("Delete Sequence\n\nNo restore possible, continue ?"));
        QCOMPARE(book->prompter.kinds.last(), Prompter::Kind::Warning);
        QVERIFY(book->session.PlayModified);
        QCOMPARE(sequences(), (QStringList{"1:Sequence 2", "2:Sequence 3*", "3:Sequence 4"}));
        QCOMPARE(undoRows(), (QStringList{"u2@1", "u2@1", "u3@2", "u3@2", "u4@3", "u4@3"}));
        QVERIFY(typesOf(deletedDrawing).isEmpty());
        QCOMPARE(browser->sequence(), 1);
        QCOMPARE(browser->counter(MainPage::Overview).text(), QStringLiteral("1 of 2"));

        // The last sequence gives way to the one before it.
        goTo(3);
        book->prompter.answers = {Prompter::Ok};
        QCOMPARE(browser->deleteSequence(), PlayBrowser::Deletion::Deleted);
        QCOMPARE(browser->sequence(), 2);
    }

    // The only sequence takes the play with it, after asking; the next play
    // of the index is shown.
    void deleteOnlySequenceAsksToDeletePlay()
    {
        open(QStringLiteral("Attack"), QStringLiteral("alpha"));
        book->prompter.answers = {Prompter::Cancel};
        QCOMPARE(browser->deleteSequence(), PlayBrowser::Deletion::PlayKept);
        QCOMPARE(book->prompter.messages, QStringList{"Delete Play\n\nNo restore possible, continue ?"});
        QVERIFY(QFileInfo::exists(data() + QStringLiteral("Attack/alpha.dat")));
        QCOMPARE(book->session.data.sequencecount(), 1);

        book->prompter.answers = {Prompter::Ok};
        QCOMPARE(browser->deleteSequence(), PlayBrowser::Deletion::PlayDeleted);
        QVERIFY(!QFileInfo::exists(data() + QStringLiteral("Attack/alpha.dat")));
        QVERIFY(QFileInfo::exists(data() + QStringLiteral("Attack/alpha.~at")));
        QCOMPARE(browser->plays(), (QStringList{"Middle", "Zeta"}));
        QVERIFY(!browser->play().isEmpty());
        QCOMPARE(book->session.loadedName, browser->play());
        QCOMPARE(browser->sequence(), 1);
    }

    void deletingTheLastPlayLeavesNothingShown()
    {
        for (const char *name : {"Zeta", "Middle", "alpha"})
            QVERIFY(QFile::remove(data() + QStringLiteral("Attack/") + name + QStringLiteral(".dat")));
        open(QStringLiteral("Defence"), QStringLiteral("Press"));
        CountingNewPlayWindow newPlayWindow;
        browser->setNewPlayWindow(&newPlayWindow);
        book->prompter.answers = {Prompter::Ok, Prompter::Ok};
        QCOMPARE(browser->deleteSequence(), PlayBrowser::Deletion::Deleted);
        QCOMPARE(browser->deleteSequence(), PlayBrowser::Deletion::PlayDeleted);
        QCOMPARE(newPlayWindow.shown, 1);
        QVERIFY(browser->categories().isEmpty());
        QVERIFY(!browser->hasSequence());
        QCOMPARE(browser->counter(MainPage::Overview).text(), QString());
        QCOMPARE(browser->showplay(MainPage::Overview).number, 0);
    }

    // The court of the palette: layout, the settings' colours for the
    // layouts that take them, the "Smaller pool" tick, the plug-in, and one
    // undo step only when the layout changes.
    void courtPalette()
    {
        book->session.data.addparam(QStringLiteral("Border"), {}, false, 11);
        book->session.data.addparam(QStringLiteral("Court"), {}, false, 22);
        book->session.data.addparam(QStringLiteral("Threepoi"), {}, false, 33);
        book->session.data.addparam(QStringLiteral("Bucket"), {}, false, 44);
        book->session.data.addparam(QStringLiteral("Plugin"), QStringLiteral("Lake"), true, 2);
        open(QStringLiteral("Attack"), QStringLiteral("Middle"));
        const int court = addPart(1, QStringLiteral("Court"), 0);
        const int drawing = book->session.data.getdrawingnr(1);
        book->session.PlayModified = false;

        browser->applyCourt(6, true);
        PartFields after;
        QVERIFY(book->session.data.getpart(drawing, court, after));
        QCOMPARE(after.Graphicnr, 6);
        QCOMPARE(after.color, 0x123456); // layout 6 keeps its own colours
        QCOMPARE(after.x2, qint16(1));
        QCOMPARE(after.tekst, QStringLiteral("Lake2"));
        QVERIFY(book->session.PlayModified);
        QVERIFY(browser->showplay(MainPage::EditDrawing).smallerPool);
        QCOMPARE(book->session.tables.undo.size(), 1);
        QCOMPARE(book->session.tables.undo.first().Command, QStringLiteral("Change court"));
        QCOMPARE(book->session.tables.undo.first().Graphicnr, 0);

        browser->applyCourt(4, false);
        QVERIFY(book->session.data.getpart(drawing, court, after));
        QCOMPARE(QList<int>({after.thickness, after.rotation, after.arrow, after.color}),
                 QList<int>({11, 22, 33, 44}));
        QCOMPARE(after.x2, qint16(0));
        QCOMPARE(book->session.tables.undo.size(), 2);
        QCOMPARE(book->session.tables.undo.last().Undonr, 2);

        browser->applyCourt(4, true);
        QCOMPARE(book->session.tables.undo.size(), 2);
        browser->setSmallerPool(false);
        QVERIFY(!browser->showplay(MainPage::EditDrawing).smallerPool);
    }

    // The editor's text goes into the table, is stored when another play
    // is chosen, and reads back the same; taking it over again without
    // changes stores the same bytes.
    void editedTextSurvivesStoreAndReload()
    {
        open(QStringLiteral("Attack"), QStringLiteral("Middle"));
        QTextDocument document;
        SequenceText::load(QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}}"
                                          "\\pard\\f0\\fs20 Swim \\b fast\\b0\\par\r\n\\par\r\n}"),
                           document);
        browser->takeOverText(SequenceText::takeOver(document));
        book->session.PlayModified = true;
        QString first;
        book->session.data.getseqtext(1, first);
        QVERIFY(first.endsWith(QStringLiteral("\\par\\pard }")));

        browser->choosePlay(QStringLiteral("Zeta"));
        QCOMPARE(book->session.loadedName, QStringLiteral("Zeta"));
        browser->choosePlay(QStringLiteral("Middle"));
        const ShownSequence shown = browser->showplay(MainPage::EditText);
        QTextDocument reloaded;
        SequenceText::load(shown.text, reloaded);
        QCOMPARE(reloaded.toPlainText(), QStringLiteral("Swim fast"));
        browser->takeOverText(SequenceText::takeOver(reloaded));
        QString second;
        book->session.data.getseqtext(1, second);
        QCOMPARE(second, first);
    }

    // A changed play that cannot be stored stays loaded and chosen; a play
    // that cannot be read leaves nothing shown instead of another play's
    // sketch.
    void failuresLeaveNothingMisleading()
    {
        open(QStringLiteral("Attack"), QStringLiteral("Middle"));
        QVERIFY(writeFile(data() + QStringLiteral("Attack/Middle.~at/keep"), "in the way"));
        book->session.PlayModified = true;
        browser->choosePlay(QStringLiteral("Zeta"));
        QCOMPARE(browser->play(), QStringLiteral("Middle"));
        QCOMPARE(book->session.loadedName, QStringLiteral("Middle"));
        QVERIFY(browser->hasSequence());

        QVERIFY(QDir(data() + QStringLiteral("Attack/Middle.~at")).removeRecursively());
        QVERIFY(QFile::remove(data() + QStringLiteral("Attack/Zeta.dat")));
        browser->choosePlay(QStringLiteral("Zeta"));
        QVERIFY(!browser->hasSequence());
        QCOMPARE(browser->plays(), (QStringList{"alpha", "Middle"}));
        QVERIFY(browser->play().isEmpty());
        QCOMPARE(browser->counter(MainPage::EditText).text(), QString());
    }
};

QTEST_GUILESS_MAIN(TestPlayBrowser)
#include "tst_playbrowser.moc"
