#include "editor/moveplayers.h"

#include "sketchparts.h"
#include "store/datamodule.h"
#include "store/undohistory.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(QList<PartFields>)

namespace {

constexpr int sourceDrawing = 1;
constexpr int newDrawing = 2;
const QString category = QStringLiteral("Attack");
const QString playName = QStringLiteral("Overload");
constexpr int sourceSequence = 1;

// A symbol or ball whose centre lies at (x, y).
PartFields piece(const QString &type, int x, int y)
{
    return part(type, x - 11, y - 11);
}

PartFields line(const QString &type, int x1, int y1, int x2, int y2, int arrow = 0)
{
    PartFields fields = part(type, x1, y1, x2, y2);
    fields.arrow = arrow;
    return fields;
}

PartFields court(int layout)
{
    PartFields fields = part("Court", 0, 0);
    fields.Graphicnr = layout;
    return fields;
}

QList<PartRow> partsOf(const Tables &tables, int drawing)
{
    QList<PartRow> rows;
    for (const PartRow &row : tables.parts) {
        if (row.Drawingnr == drawing)
            rows.append(row);
    }
    return rows;
}

UndoRow undoStep(const QString &name, int sequence)
{
    UndoRow row;
    row.Category = category;
    row.Drillname = name;
    row.Sequence = sequence;
    row.Undonr = 1;
    row.Action = QStringLiteral("Undo");
    return row;
}

} // namespace

class TestMovePlayers : public QObject {
    Q_OBJECT

    // A fresh module per test: it remembers the part numbers it gave out.
    struct Play {
        Tables tables;
        DataModule data{tables};
    };
    std::unique_ptr<Play> play;

    void addSource(const QList<PartFields> &parts)
    {
        for (const PartFields &fields : parts)
            play->data.addpart(sourceDrawing, fields);
    }
    void move() { MovePlayers(play->data, sourceDrawing, newDrawing, category, playName, sourceSequence); }

private Q_SLOTS:
    void init() { play = std::make_unique<Play>(); }

    void shotTarget_data();
    void shotTarget();
    void placement_data();
    void placement();
    void keepsEveryFieldButThePlace();
    void copiesOnlyCourtPlayersAndBalls();
    void reappendsSourceBallsAndClearsTheirHistory();
    void withoutBallsTheHistoryStays();
    void placesEveryPlayerOfALargeTeam();
};

void TestMovePlayers::shotTarget_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("ballY");
    QTest::addColumn<int>("endX");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("endY");
    QTest::addColumn<QPoint>("expected");

    // Straight shots (direction 900 or 2700) cross every line at endX; the
    // 45-degree ones move one pixel sideways per pixel of height.
    QTest::newRow("0: into the mouth") << 0 << 200 << 150 << 900 << 120 << QPoint(150, 74);
    QTest::newRow("3: into the mouth") << 3 << 200 << 150 << 900 << 120 << QPoint(150, 74);
    QTest::newRow("0: mouth edge") << 0 << 200 << 126 << 900 << 120 << QPoint(126, 74);
    QTest::newRow("0: just beside the mouth") << 0 << 200 << 125 << 900 << 120 << QPoint(125, 73);
    QTest::newRow("0: slanted beyond the mouth") << 0 << 200 << 200 << 450 << 100 << QPoint(227, 73);
    QTest::newRow("0: slanted the other way") << 0 << 200 << 100 << -450 << 100 << QPoint(73, 73);
    QTest::newRow("0: beyond the pool") << 0 << 200 << 250 << 450 << 100 << QPoint(250, 100);
    QTest::newRow("0: ends below the window") << 0 << 300 << 150 << 900 << 251 << QPoint(150, 251);
    QTest::newRow("0: ends above the window") << 0 << 200 << 150 << 900 << 78 << QPoint(150, 78);
    QTest::newRow("0: window edges") << 0 << 260 << 150 << 900 << 250 << QPoint(150, 74);
    QTest::newRow("0: away from the goal") << 0 << 100 << 150 << 900 << 120 << QPoint(150, 120);
    QTest::newRow("0: level with the ball") << 0 << 120 << 150 << 900 << 120 << QPoint(150, 120);
    QTest::newRow("0: horizontal") << 0 << 200 << 150 << 0 << 120 << QPoint(150, 120);
    QTest::newRow("0: horizontal backwards") << 0 << 200 << 150 << 1800 << 120 << QPoint(150, 120);

    QTest::newRow("1: into the mouth") << 1 << 100 << 150 << 2700 << 200 << QPoint(150, 287);
    QTest::newRow("4: mouth edge") << 4 << 100 << 200 << 450 << 250 << QPoint(162, 287);
    QTest::newRow("1: beyond the mouth") << 1 << 100 << 220 << 450 << 250 << QPoint(171, 288);
    QTest::newRow("1: beyond the pool") << 1 << 100 << 100 << 450 << 200 << QPoint(100, 200);
    QTest::newRow("1: away from the goal") << 1 << 250 << 150 << 900 << 200 << QPoint(150, 200);
    QTest::newRow("1: below the window") << 1 << 100 << 150 << 900 << 282 << QPoint(150, 282);

    QTest::newRow("2: lower goal") << 2 << 200 << 140 << 900 << 300 << QPoint(140, 338);
    QTest::newRow("5: lower, beside the mouth") << 5 << 200 << 127 << 900 << 300 << QPoint(127, 339);
    QTest::newRow("2: lower, beyond the pool") << 2 << 200 << 40 << 900 << 300 << QPoint(40, 300);
    QTest::newRow("2: upper goal") << 2 << 200 << 140 << 900 << 100 << QPoint(140, 22);
    QTest::newRow("5: upper, beside the mouth") << 5 << 200 << 161 << 900 << 100 << QPoint(161, 21);
    QTest::newRow("2: upper, beyond the pool") << 2 << 200 << 248 << 900 << 100 << QPoint(248, 100);
    QTest::newRow("2: between both windows") << 2 << 300 << 150 << 900 << 180 << QPoint(150, 180);
    QTest::newRow("2: lower window, wrong way") << 2 << 320 << 150 << 900 << 300 << QPoint(150, 300);

    QTest::newRow("6: into the mouth") << 6 << 260 << 150 << 900 << 200 << QPoint(150, 92);
    QTest::newRow("9: beside the mouth") << 9 << 260 << 90 << 900 << 200 << QPoint(90, 55);
    QTest::newRow("6: beyond the pool") << 6 << 260 << 150 << 450 << 200 << QPoint(150, 200);
    QTest::newRow("6: above the window") << 6 << 260 << 150 << 900 << 100 << QPoint(150, 100);

    QTest::newRow("7: into the mouth") << 7 << 100 << 150 << 900 << 200 << QPoint(150, 270);
    QTest::newRow("10: beside the mouth") << 10 << 100 << 190 << 900 << 200 << QPoint(190, 310);
    QTest::newRow("7: beyond the pool") << 7 << 100 << 281 << 900 << 200 << QPoint(281, 200);
    QTest::newRow("7: away from the goal") << 7 << 250 << 150 << 900 << 200 << QPoint(150, 200);

    QTest::newRow("8: no goal") << 8 << 200 << 150 << 900 << 120 << QPoint(150, 120);
    QTest::newRow("11: unknown layout") << 11 << 200 << 150 << 900 << 120 << QPoint(150, 120);
    QTest::newRow("-1: unknown layout") << -1 << 200 << 150 << 900 << 120 << QPoint(150, 120);
}

void TestMovePlayers::shotTarget()
{
    QFETCH(int, layout);
    QFETCH(int, ballY);
    QFETCH(int, endX);
    QFETCH(int, direction);
    QFETCH(int, endY);
    QFETCH(QPoint, expected);
    QCOMPARE(shottarget(layout, ballY, endX, direction, endY), expected);
}

void TestMovePlayers::placement_data()
{
    QTest::addColumn<QList<PartFields>>("source");
    // Centres in the new drawing: players, then balls, in source order.
    QTest::addColumn<QList<QPoint>>("expected");

    const QString loop = QStringLiteral("ploop");
    const PartFields player = piece("Circle", 100, 100);
    const PartFields ball = piece("Ball", 110, 105);

    QTest::newRow("loop 20 px away") << QList{player, line(loop, 100, 120, 200, 220)}
                                     << QList{QPoint(200, 220)};
    QTest::newRow("loop 40 px away") << QList{player, line(loop, 100, 140, 200, 220)}
                                     << QList{QPoint(100, 100)};
    QTest::newRow("squared distance 961") << QList{player, line(loop, 131, 100, 200, 220)}
                                          << QList{QPoint(200, 220)};
    QTest::newRow("squared distance 1000") << QList{player, line(loop, 130, 110, 200, 220)}
                                           << QList{QPoint(100, 100)};
    QTest::newRow("each movement kind")
        << QList{player, line("pback", 100, 100, 10, 10),
                 piece("Dsquare", 200, 100), line("pfast", 200, 100, 20, 20),
                 piece("Coach", 300, 100), line("pscreen", 300, 100, 30, 30)}
        << QList{QPoint(10, 10), QPoint(20, 20), QPoint(30, 30)};
    QTest::newRow("a pass moves no player") << QList{player, line("ppass", 100, 100, 200, 200)}
                                            << QList{QPoint(100, 100)};
    QTest::newRow("nearer of two players")
        << QList{piece("Circle", 100, 80), piece("Triangle", 100, 110),
                 line(loop, 100, 100, 200, 200)}
        << QList{QPoint(100, 80), QPoint(200, 200)};
    QTest::newRow("tie goes to the first player")
        << QList{piece("Circle", 100, 90), piece("Triangle", 100, 110),
                 line(loop, 100, 100, 200, 200)}
        << QList{QPoint(200, 200), QPoint(100, 110)};
    QTest::newRow("nearer of two lines")
        << QList{player, line(loop, 100, 120, 200, 200), line(loop, 100, 105, 300, 300)}
        << QList{QPoint(300, 300)};
    QTest::newRow("goal never moves") << QList{piece("Goal", 100, 100), line(loop, 100, 100, 200, 200)}
                                      << QList{QPoint(100, 100)};
    QTest::newRow("player behind a goal moves")
        << QList{piece("Goal", 100, 100), piece("Pylon", 100, 101),
                 piece("Rack", 100, 102), piece("Circle", 100, 120),
                 line(loop, 100, 100, 200, 200)}
        << QList{QPoint(100, 100), QPoint(100, 101), QPoint(100, 102), QPoint(200, 200)};
    QTest::newRow("line without arrowhead") << QList{player, line(loop, 100, 100, 200, 200, 1)}
                                            << QList{QPoint(100, 100)};
    QTest::newRow("moved once only")
        << QList{player, line(loop, 100, 100, 200, 200), line(loop, 200, 200, 300, 300)}
        << QList{QPoint(200, 200)};
    QTest::newRow("run of three segments")
        << QList{player, line("loop", 100, 100, 150, 100), line("loop", 150, 100, 150, 150),
                 line(loop, 150, 150, 250, 50)}
        << QList{QPoint(250, 50)};

    QTest::newRow("pass") << QList{ball, line("ppass", 110, 105, 200, 220)}
                          << QList{QPoint(200, 220)};
    QTest::newRow("pass run") << QList{ball, line("pass", 110, 105, 150, 150),
                                       line("ppass", 150, 150, 200, 220)}
                              << QList{QPoint(200, 220)};
    QTest::newRow("a loop moves no ball") << QList{ball, line(loop, 110, 105, 200, 220)}
                                          << QList{QPoint(110, 105)};
    QTest::newRow("dribble keeps the offset")
        << QList{player, ball, line("pdribbel", 100, 100, 200, 150)}
        << QList{QPoint(200, 150), QPoint(210, 155)};
    QTest::newRow("dribble run keeps the offset")
        << QList{player, ball, line("dribbel", 100, 100, 100, 200),
                 line("pdribbel", 100, 200, 200, 150)}
        << QList{QPoint(200, 150), QPoint(210, 155)};
    QTest::newRow("dribble without a player")
        << QList{ball, line("pdribbel", 110, 105, 200, 150)} << QList{QPoint(200, 150)};
    QTest::newRow("dribble without arrowhead")
        << QList{player, ball, line("pdribbel", 100, 100, 200, 150, 1)}
        << QList{QPoint(100, 100), QPoint(110, 105)};
    QTest::newRow("dribble and pass of one ball")
        << QList{player, ball, line("pdribbel", 100, 100, 200, 150),
                 line("ppass", 112, 105, 300, 300)}
        << QList{QPoint(200, 150), QPoint(300, 300)};

    const PartFields shooter = piece("Ball", 150, 200);
    QTest::newRow("shot straight up")
        << QList{court(0), shooter, line("shot", 150, 200, 150, 150),
                 line("pshot", 150, 150, 150, 120)}
        << QList{QPoint(150, 74)};
    QTest::newRow("shot straight down")
        << QList{court(1), shooter, line("pshot", 150, 200, 150, 240)}
        << QList{QPoint(150, 287)};
    QTest::newRow("slanted shot")
        << QList{court(0), shooter, line("pshot", 150, 200, 170, 100)}
        << QList{QPoint(175, 73)};
    QTest::newRow("shot along a slanted last segment")
        << QList{court(0), shooter, line("shot", 150, 200, 150, 160),
                 line("pshot", 150, 160, 130, 140)}
        << QList{QPoint(63, 73)};
    // -682.79 tenths of a degree rounds to -683, which lands one pixel
    // beside where the segment itself would cross (79.49).
    QTest::newRow("direction in whole tenths")
        << QList{court(0), piece("Ball", 150, 250), line("pshot", 150, 250, 101, 127)}
        << QList{QPoint(80, 73)};
    QTest::newRow("shot ending flat")
        << QList{court(0), shooter, line("shot", 150, 200, 150, 120),
                 line("pshot", 150, 120, 180, 120)}
        << QList{QPoint(180, 120)};
    QTest::newRow("shot ending in a point")
        << QList{court(0), shooter, line("shot", 150, 200, 150, 120),
                 line("pshot", 150, 120, 150, 120)}
        << QList{QPoint(150, 120)};
    QTest::newRow("shot without a court") << QList{shooter, line("pshot", 150, 200, 150, 120)}
                                          << QList{QPoint(150, 74)};
    QTest::newRow("shot on layout 8") << QList{court(8), shooter, line("pshot", 150, 200, 150, 120)}
                                      << QList{QPoint(150, 120)};

    QTest::newRow("run without its end")
        << QList{player, ball, line(loop, 100, 100, 200, 200), line("ppass", 110, 105, 300, 300),
                 line("screen", 50, 50, 60, 60)}
        << QList{QPoint(100, 100), QPoint(110, 105)};
    QTest::newRow("run broken by a player")
        << QList{ball, line("pass", 110, 105, 150, 150), player,
                 line("ppass", 150, 150, 200, 220)}
        << QList{QPoint(100, 100), QPoint(110, 105)};
}

void TestMovePlayers::placement()
{
    QFETCH(QList<PartFields>, source);
    QFETCH(QList<QPoint>, expected);
    addSource(source);

    move();

    QList<QPoint> centres;
    for (const PartRow &row : partsOf(play->tables, newDrawing)) {
        if (row.Type != u"Court")
            centres.append(QPoint(row.x1 + 11, row.y1 + 11));
    }
    QCOMPARE(centres, expected);
}

void TestMovePlayers::keepsEveryFieldButThePlace()
{
    PartFields player = piece("Opop", 100, 100);
    player.Graphicnr = 7;
    player.tagnr = 12;
    player.color = 0x123456;
    player.color2 = 0x654321;
    player.x2 = 33;
    player.y2 = 44;
    player.tekst = QStringLiteral("7");
    PartFields ball = piece("Ballf", 300, 300);
    ball.tagnr = 13;
    ball.color = 0xabcdef;
    addSource({player, ball, line("ploop", 100, 100, 150, 160),
               line("ppass", 300, 300, 250, 260)});

    move();

    const QList<PartRow> placed = partsOf(play->tables, newDrawing);
    QCOMPARE(placed.size(), 2);
    PartFields movedPlayer = player;
    movedPlayer.x1 = 150 - 11;
    movedPlayer.y1 = 160 - 11;
    PartFields movedBall = ball;
    movedBall.x1 = 250 - 11;
    movedBall.y1 = 260 - 11;
    QCOMPARE(static_cast<const PartFields &>(placed[0]), movedPlayer);
    QCOMPARE(static_cast<const PartFields &>(placed[1]), movedBall);
}

void TestMovePlayers::copiesOnlyCourtPlayersAndBalls()
{
    PartFields courtPart = court(6);
    courtPart.thickness = 0x1000000;
    courtPart.rotation = 0xff00;
    courtPart.tekst = QStringLiteral("Home pool");
    addSource({piece("Ball", 50, 50), piece("Circle", 60, 60), courtPart,
               part("Text", 10, 10, 80, 30), part("poly", 10, 10, 40, 40),
               part("ppoly", 40, 40, 10, 10), part("Rectangl", 5, 5, 9, 9),
               line("pback", 200, 200, 210, 210), part("Pass", 1, 1, 2, 2)});
    play->data.addpart(3, piece("Circle", 70, 70)); // another sketch

    move();

    const QList<PartRow> placed = partsOf(play->tables, newDrawing);
    QStringList types;
    for (const PartRow &row : placed)
        types.append(row.Type);
    QCOMPARE(types, QStringList({"Court", "Circle", "Ball"}));
    QCOMPARE(static_cast<const PartFields &>(placed[0]), courtPart);
    QCOMPARE(placed[0].Partnr, 1);
}

void TestMovePlayers::reappendsSourceBallsAndClearsTheirHistory()
{
    PartFields first = piece("Ball", 50, 50);
    first.tagnr = 20;
    PartFields second = piece("Ballf", 90, 90);
    second.tagnr = 21;
    addSource({first, piece("Circle", 60, 60), second, line("ppass", 50, 50, 300, 300),
               piece("Goal", 150, 20)});
    play->tables.undo = {undoStep(playName, sourceSequence), undoStep(playName, 2),
                         undoStep(QStringLiteral("Other play"), sourceSequence),
                         undoStep(playName, sourceSequence)};

    move();

    QStringList sourceOrder;
    for (const PartRow &row : partsOf(play->tables, sourceDrawing))
        sourceOrder.append(QStringLiteral("%1 %2").arg(row.Partnr).arg(row.Type));
    QCOMPARE(sourceOrder, QStringList({"2 Circle", "4 ppass", "5 Goal", "6 Ball", "7 Ballf"}));
    PartFields kept;
    QVERIFY(play->data.getpart(sourceDrawing, 6, kept));
    QCOMPARE(kept, first); // the source keeps the ball where it was
    QVERIFY(play->data.getpart(sourceDrawing, 7, kept));
    QCOMPARE(kept, second);

    QCOMPARE(play->tables.undo.size(), 2);
    QCOMPARE(UndoHistory(play->data).lastundonr(category, playName, sourceSequence), 0);
    QCOMPARE(UndoHistory(play->data).lastundonr(category, playName, 2), 1);
    QCOMPARE(UndoHistory(play->data).lastundonr(category, QStringLiteral("Other play"), sourceSequence), 1);
}

void TestMovePlayers::withoutBallsTheHistoryStays()
{
    addSource({piece("Circle", 60, 60), line("ploop", 60, 60, 100, 100)});
    play->tables.undo = {undoStep(playName, sourceSequence)};

    move();

    QCOMPARE(play->tables.undo.size(), 1);
    QCOMPARE(partsOf(play->tables, sourceDrawing).size(), 2);
}

void TestMovePlayers::placesEveryPlayerOfALargeTeam()
{
    constexpr int team = 150;
    for (int i = 0; i < team; ++i) {
        const int x = 20 + (i % 15) * 40;
        const int y = 20 + (i / 15) * 40;
        PartFields player = piece("Circle", x, y);
        player.tagnr = i + 1;
        addSource({player, line("ploop", x, y, x + 5, y + 7)});
    }
    for (int i = 0; i < team; ++i)
        addSource({piece("Ball", 1000 + i, 1000), line("ppass", 1000 + i, 1000, 2000 + i, 2000)});

    move();

    const QList<PartRow> placed = partsOf(play->tables, newDrawing);
    QCOMPARE(placed.size(), 2 * team);
    for (int i = 0; i < team; ++i) {
        QCOMPARE(placed[i].tagnr, i + 1);
        QCOMPARE(QPoint(placed[i].x1 + 11, placed[i].y1 + 11),
                 QPoint(20 + (i % 15) * 40 + 5, 20 + (i / 15) * 40 + 7));
        QCOMPARE(QPoint(placed[team + i].x1 + 11, placed[team + i].y1 + 11), QPoint(2000 + i, 2000));
    }
}

QTEST_GUILESS_MAIN(TestMovePlayers)
#include "tst_moveplayers.moc"
