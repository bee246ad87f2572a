#include "store/datamodule.h"
#include "store/undohistory.h"

#include <QTest>

namespace {

constexpr int rgb(int red, int green, int blue)
{
    return red | (green << 8) | (blue << 16);
}

PartFields part(const QString &type, int graphicnr = 0, int tagnr = 0)
{
    PartFields fields;
    fields.Type = type;
    fields.Graphicnr = graphicnr;
    fields.tagnr = tagnr;
    return fields;
}

PartFields colored(const QString &type, int color, int color2 = -1)
{
    PartFields fields = part(type);
    fields.color = color;
    fields.color2 = color2;
    return fields;
}

PlayRow play(const QString &category, const QString &name)
{
    PlayRow row;
    row.Category = category;
    row.Drillname = name;
    return row;
}

QList<int> partNumbers(const Tables &tables, int drawing)
{
    QList<int> numbers;
    for (const PartRow &row : tables.parts) {
        if (row.Drawingnr == drawing)
            numbers.append(row.Partnr);
    }
    return numbers;
}

QStringList texts(std::initializer_list<int> colors)
{
    QStringList list;
    for (int color : colors)
        list.append(QString::number(color));
    return list;
}

} // namespace

class TestDataModule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tables = Tables();
        data = std::make_unique<DataModule>(tables);
    }

    // --- play index ---------------------------------------------------------

    void playKeysIgnoreCaseButCategoryListsDoNot()
    {
        tables.plays = {play("Attack", "Fast Break"), play("attack", "Zone"), play("Attack", "Counter")};
        QVERIFY(data->playexists("ATTACK", "fast break"));
        QVERIFY(data->playexists("attack", "COUNTER"));
        QVERIFY(!data->playexists("Attack", "Fast"));
        QCOMPARE(data->getcategories(), QStringList({"Attack", "attack"}));
        QCOMPARE(data->getplaynames("Attack"), QStringList({"Fast Break", "Counter"}));
        QCOMPARE(data->getplaynames("ATTACK"), QStringList());
    }

    void playInfoCopiesTheHeaderAndLeavesTheRest()
    {
        PlayRow row = play("Attack", "Zone");
        row.Type = "Drill";
        row.Quality = 4;
        row.Nrplayers = 7;
        row.Subcat2 = "press";
        row.Createdby = "Ann";
        row.Intro = "from the index";
        tables.plays = {row};

        PlayInfo info;
        info.Intro = "kept";
        info.Moddate = "kept too";
        data->getplayinfo("ATTACK", "zone", info);
        QCOMPARE(info.Category, QString("Attack"));
        QCOMPARE(info.Drillname, QString("Zone"));
        QCOMPARE(info.Type, QString("Drill"));
        QCOMPARE(info.Quality, 4);
        QCOMPARE(info.Nrplayers, 7);
        QCOMPARE(info.Subcat2, QString("press"));
        QCOMPARE(info.Createdby, QString("Ann"));
        QCOMPARE(info.Intro, QString("kept"));
        QCOMPARE(info.Moddate, QString("kept too"));

        PlayInfo untouched = info;
        data->getplayinfo("Attack", "Missing", untouched);
        QCOMPARE(untouched.Type, info.Type);
    }

    void setplayinfoEditsTheRowFoundWithoutCaseAndAppendsOtherwise()
    {
        tables.plays = {play("Attack", "Zone")};
        PlayInfo info;
        info.Type = "Template-and-more";
        info.Quality = 5;
        info.Createdby = QString(30, 'x');
        data->setplayinfo("ATTACK", "zone", info);
        QCOMPARE(tables.plays.size(), 1);
        QCOMPARE(tables.plays[0].Category, QString("Attack"));
        QCOMPARE(tables.plays[0].Type, QString("Template-a"));
        QCOMPARE(tables.plays[0].Quality, 5);
        QCOMPARE(tables.plays[0].Createdby.size(), 20);

        data->setplayinfo(QString(30, 'c'), "New", info);
        QCOMPARE(tables.plays.size(), 2);
        QCOMPARE(tables.plays[1].Category, QString(25, 'c'));
        QCOMPARE(tables.plays[1].Drillname, QString("New"));
        QCOMPARE(tables.plays[1].Quality, 5);
    }

    void sortplayindexIgnoresCaseThenSettlesTies()
    {
        const QList<PlayRow> expected = {play("A", "b"), play("a", "X"), play("A", "y"), play("a", "y"),
                                         play("b", "x")};
        const QList<QList<int>> orders = {{4, 3, 2, 1, 0}, {3, 0, 4, 2, 1}, {2, 3, 0, 1, 4}};
        for (const QList<int> &order : orders) {
            tables.plays.clear();
            for (int i : order)
                tables.plays.append(expected[i]);
            data->sortPlayIndex();
            QStringList keys;
            for (const PlayRow &row : tables.plays)
                keys.append(row.Category + ';' + row.Drillname);
            QCOMPARE(keys, QStringList({"A;b", "a;X", "A;y", "a;y", "b;x"}));
        }
    }

    // --- sequences ------------------------------------------------------------

    void visibleSequences_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("visible");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("first") << 1 << 1;
        QTest::newRow("after an animation-only one") << 2 << 1;
        QTest::newRow("third") << 3 << 2;
        QTest::newRow("two animation-only in a row") << 5 << 2;
        QTest::newRow("all") << 6 << 3;
        QTest::newRow("beyond the end") << 9 << 3;
    }

    void visibleSequences()
    {
        QFETCH(int, n);
        QFETCH(int, visible);
        // Stored out of number order, as after adding sequences in the middle.
        data->addsequence(1, 1, false);
        data->addsequence(3, 2, false);
        data->addsequence(2, 6, true);
        data->addsequence(6, 3, false);
        data->addsequence(4, 4, true);
        data->addsequence(5, 5, true);
        QCOMPARE(data->sequencecount(), 6);
        QCOMPARE(data->visiblesequencecount(), 3);
        QCOMPARE(data->visiblesequencenr(n), visible);
    }

    void sequenceRowsByNumber()
    {
        data->addsequence(1, 4, false);
        data->addsequence(2, 7, true);
        data->addsequence(2, 9, false); // the number exists: nothing added
        QCOMPARE(data->sequencecount(), 2);
        QCOMPARE(data->getdrawingnr(2), 7);
        QCOMPARE(data->getdrawingnr(3), 0);
        QCOMPARE(data->maxdrawingnr(), 7);
        QVERIFY(data->getanimationonly(2));
        data->setanimationonly(2, false);
        QVERIFY(!data->getanimationonly(2));

        tables.sequences[0].Text = "rtf";
        QString text = "unchanged";
        data->getseqtext(3, text);
        QCOMPARE(text, QString("unchanged"));
        data->getseqtext(1, text);
        QCOMPARE(text, QString("rtf"));

        data->deletesequence(1);
        QCOMPARE(data->sequencecount(), 1);
        QCOMPARE(data->getdrawingnr(1), 0);
        QCOMPARE(data->maxdrawingnr(), 7);
    }

    // --- parts ----------------------------------------------------------------

    void addpartNumbersAboveTheHighestNumberOfTheSketch()
    {
        QCOMPARE(data->addpart(1, part("Court")), 1);
        QCOMPARE(data->addpart(1, part("Circle", 3)), 2);
        QCOMPARE(data->addpart(2, part("Court")), 1);
        QCOMPARE(data->addpart(1, part("Ball", 1)), 3);
        QCOMPARE(data->lastAddedPartnr(), 3);

        // An undo puts part 2 back at the end of the table: the last row is
        // no longer the highest number.
        PartRow restored = tables.parts[1];
        data->deletepart(1, 2);
        tables.parts.append(restored);
        QCOMPARE(data->lastpartnr(1), 2);

        QCOMPARE(data->addpart(1, part("Dcircle", 4)), 4);
        QCOMPARE(data->lastAddedPartnr(), 4);
        QCOMPARE(partNumbers(tables, 1), QList<int>({1, 3, 2, 4}));
        PartFields added;
        QVERIFY(data->getpart(1, 4, added));
        QCOMPARE(added.Type, QString("Dcircle"));
    }

    void partTextsAreCutToTheirFieldSizes()
    {
        PartFields fields = part("Otriangle");
        fields.tekst = QString(300, 't');
        fields.fontname = QString(260, 'f');
        fields.extra3 = QString(30, '3');
        fields.extra4 = QString(30, '4');
        const int nr = data->addpart(1, fields);
        PartFields stored;
        QVERIFY(data->getpart(1, nr, stored));
        QCOMPARE(stored.Type, QString("Otriangl"));
        QCOMPARE(stored.tekst.size(), 255);
        QCOMPARE(stored.fontname.size(), 255);
        QCOMPARE(stored.extra3.size(), 25);
        QCOMPARE(stored.extra4.size(), 25);

        tables.parts[0].Selected = 1;
        fields.Type = "Ballfancy";
        fields.x1 = 17;
        data->updatepart(1, nr, fields);
        QCOMPARE(tables.parts[0].Type, QString("Ballfanc"));
        QCOMPARE(tables.parts[0].tekst.size(), 255);
        QCOMPARE(tables.parts[0].x1, qint16(17));
        QCOMPARE(tables.parts[0].Partnr, nr);
        QCOMPARE(tables.parts[0].Selected, 1);

        PartFields untouched = stored;
        QVERIFY(!data->getpart(1, 99, untouched));
        QCOMPARE(untouched, stored);
    }

    void lastpartnrFollowsStorageOrder()
    {
        QCOMPARE(data->lastpartnr(1), 0);
        data->addpart(1, part("Court"));
        data->addpart(1, part("Circle", 2));
        data->addpart(2, part("Court"));
        data->addpart(1, part("Circle", 3));
        data->deletepart(1, 3);
        QCOMPARE(data->lastpartnr(1), 2);
        QCOMPARE(data->lastpartnr(2), 1);
        data->deletedrawing(1);
        QCOMPARE(data->lastpartnr(1), 0);
        QCOMPARE(data->lastpartnr(2), 1);
    }

    void deletepartchain_data()
    {
        QTest::addColumn<int>("partnr");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QList<int>>("left");
        // Sketch: 1 Court, 2-4 polygon, 5-7 pass line, 8-9 pass line, 10 loop line, 11 player.
        QTest::newRow("last segment stops at the line before of the same kind")
            << 9 << "ppass" << QList<int>({1, 2, 3, 4, 5, 6, 7, 10, 11});
        QTest::newRow("last segment stops at the polygon end")
            << 7 << "ppass" << QList<int>({1, 2, 3, 4, 8, 9, 10, 11});
        QTest::newRow("middle segment takes those before it")
            << 6 << "pass" << QList<int>({1, 2, 3, 4, 7, 8, 9, 10, 11});
        QTest::newRow("polygon stops at the court") << 4 << "ppoly" << QList<int>({1, 5, 6, 7, 8, 9, 10, 11});
        QTest::newRow("single-part line") << 10 << "ploop" << QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 11});
        QTest::newRow("symbol") << 11 << "Circle" << QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    }

    void deletepartchain()
    {
        QFETCH(int, partnr);
        QFETCH(QString, type);
        QFETCH(QList<int>, left);
        for (const char *code : {"Court", "poly", "poly", "ppoly", "pass", "pass", "ppass", "pass", "ppass",
                                 "ploop", "Circle"})
            data->addpart(1, part(code));
        data->addpart(2, part("pass")); // another sketch is never touched
        data->addpart(2, part("ppass"));
        data->deletepartchain(1, partnr, type);
        QCOMPARE(partNumbers(tables, 1), left);
        QCOMPARE(partNumbers(tables, 2), QList<int>({1, 2}));
    }

    void courtRoutines()
    {
        data->courtDefaults = {11, 22, 33, 44};
        QCOMPARE(data->getcourtcolors(1), data->courtDefaults);
        QCOMPARE(data->getcourtnr(1), 0);
        QVERIFY(!data->courtplugin(1));

        PartFields court = part("Court", 5);
        court.thickness = 0;
        court.rotation = rgb(0, 0, 200);
        court.arrow = 0;
        court.color = rgb(10, 20, 30);
        data->addpart(1, part("Text"));
        data->addpart(1, court);
        QCOMPARE(data->getcourtcolors(1), CourtColors({11, rgb(0, 0, 200), 33, rgb(10, 20, 30)}));
        QCOMPARE(data->getcourtnr(1), 5);
        data->setcourtnr(1, 9);
        QCOMPARE(data->getcourtnr(1), 9);
        data->setcourtnr(2, 9); // no court: nothing happens
        QCOMPARE(tables.parts.size(), 2);

        tables.parts[1].tekst = "Polo plug-in 2";
        QVERIFY(data->courtplugin(1));
        QCOMPARE(data->getparttext(1, "court"), QString("Polo plug-in 2"));
        QCOMPARE(data->getparttext(1, "Ball"), QString());
    }

    void countlines()
    {
        for (const PartFields &fields :
             {part("Court", 3), part("ellipse"), part("poly"), part("ppoly"), part("Text"), part("Circle", 4),
              part("Ball", 1), part("Goal", 1), part("pass"), part("ppass"), part("pshot"), part("Circle", 0)})
            data->addpart(1, fields);
        data->addpart(2, part("ploop"));
        // Everything numbered 0 that is not an area, the court or a text
        // counts, including a player without a number.
        QCOMPARE(data->countlines(1), 4);
        QCOMPARE(data->countlines(2), 1);
        QCOMPARE(data->countlines(3), 0);
    }

    void partkindname_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("word");
        QTest::newRow("segment") << "dribbel" << "line";
        QTest::newRow("end form") << "ppass" << "line";
        QTest::newRow("kind no tool draws") << "pfast" << "line";
        QTest::newRow("line codes are exact") << "Pass" << "";
        QTest::newRow("ball") << "Ball" << "ball";
        QTest::newRow("filled ball") << "Ballf" << "ball";
        QTest::newRow("goal") << "Goal" << "goal";
        QTest::newRow("cone") << "Pylon" << "pylon";
        QTest::newRow("rack") << "Rack" << "ball net";
        QTest::newRow("coach") << "Coach" << "coach";
        QTest::newRow("offense player") << "Otriangl" << "player";
        QTest::newRow("defense player") << "Dpop" << "player";
        QTest::newRow("marker") << "Crossf" << "player";
        QTest::newRow("symbol codes ignore case") << "circle" << "player";
        QTest::newRow("text") << "Text" << "text";
        QTest::newRow("ellipse") << "ellipse" << "ellipse";
        QTest::newRow("polygon corner") << "poly" << "polygoon";
        QTest::newRow("polygon end") << "ppoly" << "polygoon";
        QTest::newRow("court") << "Court" << "court";
        QTest::newRow("unknown") << "Whale" << "";
    }

    void partkindname()
    {
        QFETCH(QString, type);
        QFETCH(QString, word);
        QCOMPARE(DataModule::partkindname(type), word);
    }

    // --- tag numbers ----------------------------------------------------------

    void findtagnrOnAnEmptyPlay()
    {
        data->addsequence(1, 1, false);
        QCOMPARE(data->findtagnr("Circle", 3, 1), 1);
        QCOMPARE(data->findtagnr("Circle", 3, 2), 1);
    }

    void findtagnrCarriesPlayersIntoTheNextSequence()
    {
        // Drawing numbers out of sequence order, as after inserting a sequence.
        data->addsequence(1, 2, false);
        data->addsequence(2, 1, false);
        data->addsequence(3, 3, false);
        data->addpart(2, part("Court"));
        data->addpart(2, part("Circle", 3, 1));
        data->addpart(2, part("Circle", 5, 2));
        data->addpart(2, part("Ball", 1, 3));
        data->addpart(2, part("Circle", 3, 4)); // a second player 3

        const auto place = [this](const QString &type, int graphicnr, int sequence) {
            const int tag = data->findtagnr(type, graphicnr, sequence);
            data->addpart(data->getdrawingnr(sequence), part(type, graphicnr, tag));
            return tag;
        };
        QCOMPARE(place("Circle", 3, 1), 5);  // sequence 1: always a new tag
        QCOMPARE(place("Circle", 3, 2), 1);  // takes player 3's tag of sequence 1
        QCOMPARE(place("Circle", 3, 2), 4);  // the second player 3 of sequence 1
        QCOMPARE(place("Circle", 3, 2), 5);  // the third one of sequence 1
        QCOMPARE(place("Circle", 3, 2), 6);  // a copy with no match gets its own
        QCOMPARE(place("Ball", 1, 2), 3);
        QCOMPARE(place("Dcircle", 5, 2), 7); // type and number must both match
        QCOMPARE(place("circle", 5, 2), 8);  // types compare exactly
        QCOMPARE(place("Circle", 3, 3), 1);  // follows sequence 2, not sequence 1
        QVERIFY(data->tagnrused(2, 1));
        QVERIFY(!data->tagnrused(2, 2));
        QCOMPARE(data->maxtagnr(), 8);
    }

    void findtagnrSkipsUntaggedParts()
    {
        data->addsequence(1, 1, false);
        data->addsequence(2, 2, false);
        data->addpart(1, part("Circle", 3, 0));
        data->addpart(1, part("Circle", 3, 2));
        QCOMPARE(data->findtagnr("Circle", 3, 2), 2);
    }

    // --- undo history ---------------------------------------------------------

    void lastundonrIsTheLastRowOfTheSequence()
    {
        const auto row = [](const QString &category, const QString &name, int sequence, int undonr) {
            UndoRow undo;
            undo.Category = category;
            undo.Drillname = name;
            undo.Sequence = sequence;
            undo.Undonr = undonr;
            return undo;
        };
        tables.undo = {row("Attack", "Zone", 1, 5), row("Attack", "Zone", 2, 6), row("Attack", "Zone", 1, 4),
                       row("Attack", "Press", 1, 9)};
        QCOMPARE(UndoHistory(*data).lastundonr("ATTACK", "zone", 1), 4);
        QCOMPARE(UndoHistory(*data).lastundonr("Attack", "Zone", 2), 6);
        QCOMPARE(UndoHistory(*data).lastundonr("Attack", "Zone", 3), 0);
        UndoHistory(*data).clearundo();
        QCOMPARE(UndoHistory(*data).lastundonr("Attack", "Zone", 1), 0);
    }

    // --- colours --------------------------------------------------------------

    void addcolor_data()
    {
        QTest::addColumn<int>("filled");
        QTest::addColumn<int>("color");
        QTest::addColumn<int>("size");
        QTest::newRow("new colour") << 3 << 77 << 4;
        QTest::newRow("duplicate") << 3 << 1 << 3;
        QTest::newRow("negative ignored") << 3 << -1 << 3;
        QTest::newRow("black is a colour") << 3 << 0 << 4;
        QTest::newRow("duplicate in entry 256") << 300 << 256 << 300;
        QTest::newRow("duplicate in entry 257") << 300 << 257 << 301;
    }

    void addcolor()
    {
        QFETCH(int, filled);
        QFETCH(int, color);
        QFETCH(int, size);
        QStringList list;
        for (int i = 1; i <= filled; ++i)
            list.append(QString::number(i));
        DataModule::addcolor(list, color);
        QCOMPARE(list.size(), size);
    }

    void getcolorlist_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("expected");

        const QStringList standard =
            texts({rgb(0, 0, 0), rgb(128, 0, 0), rgb(0, 128, 0), rgb(128, 128, 0), rgb(0, 0, 128), rgb(128, 0, 128),
                   rgb(0, 128, 128), rgb(128, 128, 128), rgb(160, 160, 164), rgb(192, 192, 192), rgb(255, 0, 0),
                   rgb(0, 255, 0), rgb(255, 255, 0), rgb(0, 0, 255), rgb(255, 0, 255), rgb(0, 255, 255),
                   rgb(166, 202, 240), rgb(255, 255, 255)});
        // The settings of the fixture: Court 1001, Border 1002, Bucket white
        // (a duplicate), Threepoi 1003, Offense 1004, Defense 1005.
        const QStringList settings = texts({1001, 1002, 1003, 1004, 1005});
        const QStringList parts = texts({500, 600, 700});

        QTest::newRow("element dialogs")
            << 2
            << texts({rgb(24, 173, 247), rgb(0, 0, 112), rgb(248, 248, 210), rgb(255, 255, 255), rgb(102, 102, 255)})
                   + settings + texts({rgb(255, 0, 0), rgb(255, 255, 0)}) + parts;
        QTest::newRow("full list")
            << 0
            << standard + texts({rgb(24, 173, 247), rgb(0, 0, 112), rgb(248, 248, 210), rgb(102, 102, 255)})
                   + settings + parts + texts({rgb(192, 220, 192), rgb(255, 251, 240)});
        QTest::newRow("court dialog")
            << 3
            << texts({rgb(24, 173, 247), rgb(0, 0, 112), rgb(248, 248, 210), rgb(255, 255, 255), rgb(102, 102, 255)})
                   + settings + texts({rgb(255, 0, 0), rgb(255, 255, 0)}) + texts({2001, 2002, 2003}) + parts;
    }

    void getcolorlist()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, expected);
        tables.params = {ParamRow{"Court", "", false, 1001},    ParamRow{"Border", "", false, 1002},
                         ParamRow{"Bucket", "", false, rgb(255, 255, 255)},
                         ParamRow{"Threepoi", "", true, 1003}, ParamRow{"Offense", "", true, 1004},
                         ParamRow{"Defense", "", false, 1005}, ParamRow{"Zfactor", "", false, 1006}};
        data->addpart(1, colored("Circle", 500));
        data->addpart(1, colored("Text", 600, 700));
        data->addpart(1, colored("ellipse", 800, 801)); // areas are left out
        data->addpart(2, colored("pass", 0, 900));      // default colour: left out
        data->addpart(2, colored("ppass", 500, 1001));  // both already listed

        QStringList list = {"stale"};
        data->getcolorlist(list, mode, {2001, 2002, rgb(255, 255, 255), 2003});
        QCOMPARE(list, expected);
    }

    void colorsOfDrawings()
    {
        data->addpart(1, colored("Circle", 100));
        data->addpart(1, colored("Text", 200, 100));
        data->addpart(2, colored("ppass", 100, 300));
        data->addpart(2, colored("poly", 400));
        QCOMPARE(data->countcolors(1), 2);
        QCOMPARE(data->countcolors(2), 2);
        QCOMPARE(data->countcolors(-999), 3);
        QCOMPARE(data->countcolors(3), 0);

        QStringList list = {"stale"};
        data->getdrawingcolors(2, list);
        QCOMPARE(list, QStringList({"100", "300"}));
        data->getallcolors(list);
        QCOMPARE(list, QStringList({"100", "200", "300"}));
    }

private:
    Tables tables;
    std::unique_ptr<DataModule> data;
};

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
