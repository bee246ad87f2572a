#include "editorharness.h"
#include "editor/historychoice.h"
#include "model/parttypes.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

namespace {

QPoint point(const QString &text)
{
    const QStringList xy = text.split(u',');
    return {xy.value(0).toInt(), xy.value(1).toInt()};
}

SketchEditor::Tool toolNamed(const QString &name)
{
    static const QHash<QString, SketchEditor::Tool> tools{
        {"none", SketchEditor::Tool::None},       {"loop", SketchEditor::Tool::Loop},
        {"pass", SketchEditor::Tool::Pass},       {"dribbel", SketchEditor::Tool::Dribbel},
        {"screen", SketchEditor::Tool::Screen},   {"shot", SketchEditor::Tool::Shot},
        {"ellipse", SketchEditor::Tool::Ellipse}, {"poly", SketchEditor::Tool::Poly},
        {"text", SketchEditor::Tool::Text}};
    return tools.value(name, SketchEditor::Tool::None);
}

int keyNamed(const QString &name)
{
    static const QHash<QString, int> keys{{"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up},
                                          {"Down", Qt::Key_Down}, {"Delete", Qt::Key_Delete}};
    return keys.value(name);
}

} // namespace

// The sketch editor driven by gesture scripts: the rows each script leaves
// in the sketch, the undo history it writes, and the invariants that hold
// after every gesture.
class TestSketchEditor : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorHarness> h;

    // Runs a script of gestures separated by ";", checking the invariants
    // after each one.
    void run(const QString &script)
    {
        for (const QString &gesture : script.split(u';', Qt::SkipEmptyParts)) {
            perform(gesture.trimmed());
            checkInvariants(gesture);
        }
    }

    void perform(const QString &gesture)
    {
        const QStringList w = gesture.split(u' ', Qt::SkipEmptyParts);
        const QString verb = w.value(0);
        SketchEditor &e = h->editor;
        const auto click = [&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
            e.press(button, modifiers, at);
            e.release(button, modifiers, at);
        };
        const auto drag = [&](Qt::KeyboardModifiers modifiers, QPoint from, QPoint to) {
            e.press(Qt::LeftButton, modifiers, from);
            e.move(modifiers, to);
            e.release(Qt::LeftButton, modifiers, to);
        };
        if (verb == u"tool") {
            e.chooseTool(toolNamed(w.value(1)));
        } else if (verb == u"curved") {
            e.setCurvedLines(w.value(1) == u"on");
        } else if (verb == u"snap") {
            h->session.runtime.snap = w.value(1) != u"off";
            h->session.runtime.gridSize = w.value(1).toInt();
        } else if (verb == u"keepdown") {
            h->session.runtime.keepDown = true;
        } else if (verb == u"click") {
            click(Qt::LeftButton, Qt::NoModifier, point(w.value(1)));
        } else if (verb == u"ctrl") {
            click(Qt::LeftButton, Qt::ControlModifier, point(w.value(1)));
        } else if (verb == u"right") {
            click(Qt::RightButton, Qt::NoModifier, point(w.value(1)));
        } else if (verb == u"press") {
            e.press(Qt::LeftButton, Qt::NoModifier, point(w.value(1)));
        } else if (verb == u"move") {
            e.move(Qt::NoModifier, point(w.value(1)));
        } else if (verb == u"hover") {
            e.move(Qt::NoModifier, point(w.value(1)));
        } else if (verb == u"drag") {
            drag(Qt::NoModifier, point(w.value(1)), point(w.value(2)));
        } else if (verb == u"shiftdrag") {
            drag(Qt::ShiftModifier, point(w.value(1)), point(w.value(2)));
        } else if (verb == u"ctrlshiftdrag") {
            drag(Qt::ShiftModifier | Qt::ControlModifier, point(w.value(1)), point(w.value(2)));
        } else if (verb == u"drop") {
            e.dropSymbol(w.value(2).toInt(), w.value(1), point(w.value(3)));
        } else if (verb == u"key") {
            e.key(keyNamed(w.value(1)));
        } else if (verb == u"selectall") {
            e.selectAll();
        } else if (verb == u"undo") {
            e.undo();
        } else if (verb == u"redo") {
            e.redo();
        } else if (verb == u"text") {
            h->host.texts.append(gesture.mid(5));
        } else if (verb == u"next") {
            e.releaseAll();
            h->browser.nextSequence(MainPage::EditDrawing);
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown gesture ") + gesture));
        }
    }

    // "type x1,y1-x2,y2" for every part of the sketch but the court.
    QStringList rows() const
    {
        QStringList shown;
        for (const PartRow &part : std::as_const(h->session.tables.parts)) {
            if (part.Drawingnr == h->drawing() && part.Type != u"Court")
                shown << QStringLiteral("%1 %2,%3-%4,%5").arg(part.Type).arg(part.x1).arg(part.y1).arg(part.x2).arg(part.y2);
        }
        return shown;
    }

    // "n Action Command" for every step of the shown sequence, oldest first.
    QStringList history() const
    {
        QStringList steps;
        int last = 0;
        for (const UndoRow &row : std::as_const(h->session.tables.undo)) {
            if (row.Sequence == h->browser.sequence() && row.Undonr != last) {
                steps << QStringLiteral("%1 %2 %3").arg(row.Undonr).arg(row.Action, row.Command);
                last = row.Undonr;
            }
        }
        return steps;
    }

    void checkInvariants(const QString &after)
    {
        const auto where = qPrintable(QStringLiteral("after ") + after);
        QSet<QPair<int, int>> keys;
        for (const PartRow &part : std::as_const(h->session.tables.parts)) {
            QVERIFY2(!keys.contains({part.Drawingnr, part.Partnr}), where);
            keys.insert({part.Drawingnr, part.Partnr});
        }
        // Steps 1..N without gaps, the undone ones the highest.
        QList<int> numbers;
        bool redoSeen = false;
        for (const UndoRow &row : std::as_const(h->session.tables.undo)) {
            if (row.Sequence != h->browser.sequence())
                continue;
            if (!numbers.contains(row.Undonr))
                numbers.append(row.Undonr);
            if (row.Action == u"Redo")
                redoSeen = true;
            else
                QVERIFY2(!redoSeen || row.Undonr < std::ranges::min(redoNumbers()), where);
        }
        std::sort(numbers.begin(), numbers.end());
        for (int i = 0; i < numbers.size(); ++i)
            QVERIFY2(numbers[i] == i + 1, where);
    }

    QList<int> redoNumbers() const
    {
        QList<int> numbers;
        for (const UndoRow &row : std::as_const(h->session.tables.undo)) {
            if (row.Sequence == h->browser.sequence() && row.Action == u"Redo")
                numbers.append(row.Undonr);
        }
        return numbers;
    }

    // Every run of the sketch ends in its end form, its rows consecutive.
    void checkRuns()
    {
        QString open;
        for (const PartRow &part : std::as_const(h->session.tables.parts)) {
            if (part.Drawingnr != h->drawing())
                continue;
            const bool plain = (is_line(part.Type) && !is_line_end(part.Type)) || part.Type == u"poly";
            if (!open.isEmpty())
                QVERIFY2(part.Type == open || part.Type == u'p' + open, qPrintable(part.Type));
            open = plain ? part.Type : QString();
        }
        QVERIFY2(open.isEmpty(), qPrintable(open));
    }

    // The sketch as a sorted list of its rows' fields, numbers left out.
    QStringList sketch() const
    {
        QStringList fields;
        for (const PartRow &p : std::as_const(h->session.tables.parts)) {
            if (p.Drawingnr == h->drawing())
                fields << QStringLiteral("%1 %2 %3,%4-%5,%6 %7 %8 %9 %10 %11 %12 %13")
                              .arg(p.Type).arg(p.Graphicnr).arg(p.x1).arg(p.y1).arg(p.x2).arg(p.y2)
                              .arg(p.thickness).arg(p.rotation).arg(p.color).arg(p.color2).arg(p.tagnr)
                              .arg(p.level).arg(p.tekst);
        }
        std::sort(fields.begin(), fields.end());
        return fields;
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<EditorHarness>();
        h->session.runtime.showHistory = true;
    }

    void gestures_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expectedRows");
        QTest::addColumn<QStringList>("expectedHistory");

        QTest::newRow("one swim") << "tool loop; click 10,10; move 50,10; click 50,10; right 0,0"
                                  << QStringList{"ploop 10,10-50,10"} << QStringList{"1 Undo Add line"};
        QTest::newRow("pass of two segments")
            << "tool pass; click 10,10; move 50,10; click 50,10; move 50,60; click 50,60; right 0,0"
            << QStringList{"pass 10,10-50,10", "ppass 50,10-50,60"} << QStringList{"1 Undo Add line"};
        QTest::newRow("same point twice commits nothing")
            << "tool screen; click 10,10; click 10,10; move 40,40; click 40,40; click 40,40; right 0,0"
            << QStringList{"pscreen 10,10-40,40"} << QStringList{"1 Undo Add line"};
        QTest::newRow("finished without a segment stores nothing")
            << "tool shot; click 10,10; right 90,90" << QStringList{} << QStringList{};
        QTest::newRow("polygon")
            << "tool poly; click 10,10; move 60,10; click 60,10; move 60,60; click 60,60; right 0,0"
            << QStringList{"poly 10,10-60,10", "poly 60,10-60,60", "ppoly 60,60-10,10"}
            << QStringList{"1 Undo Add polygoon"};
        QTest::newRow("polygon of two corners is not kept")
            << "tool poly; click 10,10; move 60,10; click 60,10; right 0,0" << QStringList{} << QStringList{};
        QTest::newRow("ellipse") << "tool ellipse; click 10,10; move 60,50; right 0,0"
                                 << QStringList{"ellipse 10,10-60,50"} << QStringList{"1 Undo Add ellipse"};
        QTest::newRow("ellipse of 2 pixels is not kept")
            << "tool ellipse; click 10,10; move 12,50; right 0,0" << QStringList{} << QStringList{};
        QTest::newRow("another tool discards the line")
            << "tool pass; click 10,10; move 50,10; click 50,10; move 50,60; click 50,60; tool loop"
            << QStringList{} << QStringList{};
        QTest::newRow("discarding spares an older identical line")
            << "tool pass; click 10,10; move 50,10; click 50,10; right 0,0;"
               "tool pass; click 10,10; move 50,10; click 50,10; tool none"
            << QStringList{"ppass 10,10-50,10"} << QStringList{"1 Undo Add line"};
        QTest::newRow("snap rounds halves to even")
            << "snap 20; tool loop; click 29,31; move 30,30; click 30,30; right 0,0"
            << QStringList{"ploop 20,40-40,40"} << QStringList{"1 Undo Add line"};
        QTest::newRow("grid below 5 is 5")
            << "snap 2; tool loop; click 12,13; move 33,31; click 33,31; right 0,0"
            << QStringList{"ploop 10,15-35,30"} << QStringList{"1 Undo Add line"};
        QTest::newRow("drop") << "drop Circle 3 100,100" << QStringList{"Circle 90,90-0,100"}
                              << QStringList{"1 Undo Add player"};
        QTest::newRow("dropping a line kind stores nothing") << "drop ppass 0 100,100" << QStringList{}
                                                            << QStringList{};
        QTest::newRow("text") << "text Press!; tool text; click 40,50" << QStringList{"Text 40,50-0,0"}
                              << QStringList{"1 Undo Add text"};
        QTest::newRow("text cancelled") << "tool text; click 40,50" << QStringList{} << QStringList{};
        QTest::newRow("drag a player")
            << "drop Circle 3 100,100; drag 100,100 130,120" << QStringList{"Circle 120,110-0,100"}
            << QStringList{"1 Undo Add player", "2 Undo Move player"};
        QTest::newRow("drop within 3 pixels moves nothing")
            << "drop Circle 3 100,100; drag 100,100 103,97" << QStringList{"Circle 90,90-0,100"}
            << QStringList{"1 Undo Add player"};
        QTest::newRow("arrow keys move the selection")
            << "drop Goal 1 100,100; click 100,100; key Right; key Down; key Down"
            << QStringList{"Goal 91,92-0,100"}
            << QStringList{"1 Undo Add goal", "2 Undo Move goal", "3 Undo Move goal", "4 Undo Move goal"};
        QTest::newRow("snap with one symbol: arrow snaps to the grid")
            << "drop Circle 1 51,61; snap 20; click 51,61; key Right" << QStringList{"Circle 40,60-0,100"}
            << QStringList{"1 Undo Add player", "2 Undo Move player"};
        QTest::newRow("snap with one line: the arrow moves nothing")
            << "tool loop; click 10,10; move 50,10; click 50,10; right 0,0; snap 20; click 30,10; key Right"
            << QStringList{"ploop 10,10-50,10"} << QStringList{"1 Undo Add line"};
        QTest::newRow("delete one object")
            << "drop Ball 1 100,100; click 100,100; key Delete" << QStringList{}
            << QStringList{"1 Undo Add ball", "2 Undo Delete ball"};
        QTest::newRow("select all and delete")
            << "drop Circle 1 50,50; drop Triangle 2 150,150; tool poly; click 10,10; move 60,10; click 60,10;"
               "move 60,60; click 60,60; right 0,0; selectall; key Delete"
            << QStringList{}
            << QStringList{"1 Undo Add player", "2 Undo Add player", "3 Undo Add polygoon",
                           "4 Undo Delete selection"};
        QTest::newRow("marquee holds a symbol whole")
            << "drop Circle 1 50,50; shiftdrag 30,30 70,70; key Delete" << QStringList{}
            << QStringList{"1 Undo Add player", "2 Undo Delete player"};
        QTest::newRow("marquee over a corner only")
            << "drop Circle 1 50,50; shiftdrag 30,30 55,55; key Delete" << QStringList{"Circle 40,40-0,100"}
            << QStringList{"1 Undo Add player"};
        QTest::newRow("marquee over a ball's centre")
            << "drop Ball 1 50,50; shiftdrag 48,48 53,53; key Delete" << QStringList{}
            << QStringList{"1 Undo Add ball", "2 Undo Delete ball"};
        // Clamped to the sketch, the marquee no longer holds a cell that
        // reaches past the edge.
        QTest::newRow("marquee released off the sketch is clamped")
            << "drop Circle 1 280,350; shiftdrag 250,330 400,500; key Delete" << QStringList{"Circle 270,340-0,100"}
            << QStringList{"1 Undo Add player"};
        QTest::newRow("click on a middle segment selects the run")
            << "tool pass; click 10,10; move 50,10; click 50,10; move 50,60; click 50,60; move 90,60;"
               "click 90,60; right 0,0; click 50,35; key Delete"
            << QStringList{} << QStringList{"1 Undo Add line", "2 Undo Delete line"};
        QTest::newRow("ctrl-click takes one object out")
            << "drop Circle 1 50,50; drop Circle 2 150,150; selectall; ctrl 150,150; key Delete"
            << QStringList{"Circle 140,140-0,100"}
            << QStringList{"1 Undo Add player", "2 Undo Add player", "3 Undo Delete player"};
        QTest::newRow("click beside a selected player unselects all")
            << "drop Circle 1 50,50; click 50,50; click 75,75; key Delete" << QStringList{"Circle 40,40-0,100"}
            << QStringList{"1 Undo Add player"};
        QTest::newRow("move of a selection")
            << "drop Circle 1 50,50; drop Circle 2 150,150; selectall; drag 150,150 160,150"
            << QStringList{"Circle 50,40-0,100", "Circle 150,140-0,100"}
            << QStringList{"1 Undo Add player", "2 Undo Add player", "3 Undo Move selection"};
        QTest::newRow("undo and redo a pass")
            << "tool pass; click 10,10; move 50,10; click 50,10; move 50,60; click 50,60; right 0,0; undo; redo"
            << QStringList{"pass 10,10-50,10", "ppass 50,10-50,60"} << QStringList{"1 Undo Add line"};
        QTest::newRow("a new step drops the undone ones")
            << "drop Circle 1 50,50; drop Circle 2 80,80; drop Circle 3 110,110; undo; undo; drop Ball 1 20,20"
            << QStringList{"Circle 40,40-0,100", "Ball 10,10-0,100"}
            << QStringList{"1 Undo Add player", "2 Undo Add ball"};
        QTest::newRow("vertex drag rebuilds the run")
            << "tool pass; click 10,10; move 50,10; click 50,10; move 50,60; click 50,60; right 0,0;"
               "click 50,35; hover 50,10; drag 50,10 70,20"
            << QStringList{"pass 10,10-70,20", "ppass 70,20-50,60"}
            << QStringList{"1 Undo Add line", "2 Undo Move line point"};
        QTest::newRow("vertex drag undone")
            << "tool pass; click 10,10; move 50,10; click 50,10; move 50,60; click 50,60; right 0,0;"
               "click 50,35; hover 50,10; drag 50,10 70,20; undo"
            << QStringList{"pass 10,10-50,10", "ppass 50,10-50,60"}
            << QStringList{"1 Undo Add line", "2 Redo Move line point"};
        QTest::newRow("first corner of a polygon moves both edges")
            << "tool poly; click 10,10; move 60,10; click 60,10; move 60,60; click 60,60; right 0,0;"
               "click 40,30; hover 10,10; drag 10,10 20,30"
            << QStringList{"poly 20,30-60,10", "poly 60,10-60,60", "ppoly 60,60-20,30"}
            << QStringList{"1 Undo Add polygoon", "2 Undo Move polygoon point"};
        QTest::newRow("ellipse corner dragged across")
            << "tool ellipse; click 10,10; move 60,50; right 0,0; click 30,30; hover 60,50; drag 60,50 5,5"
            << QStringList{"ellipse 10,10-5,5"} << QStringList{"1 Undo Add ellipse", "2 Undo Move ellipse point"};
        // A vertex dragged off the sketch stays on its edge, and the object
        // can still be moved afterwards.
        QTest::newRow("vertex dragged off the sketch stops at its edge")
            << "tool pass; click 10,10; move 50,10; click 50,10; move 50,60; click 50,60; right 0,0;"
               "click 50,35; hover 50,10; drag 50,10 -20,400; key Right"
            << QStringList{"pass 11,10-1,361", "ppass 1,361-51,60"}
            << QStringList{"1 Undo Add line", "2 Undo Move line point", "3 Undo Move line"};
        QTest::newRow("polygon corner dragged off the sketch stops at its edge")
            << "tool poly; click 10,10; move 60,10; click 60,10; move 60,60; click 60,60; right 0,0;"
               "click 40,30; hover 60,10; drag 60,10 350,-40; key Down"
            << QStringList{"poly 10,11-289,1", "poly 289,1-60,61", "ppoly 60,61-10,11"}
            << QStringList{"1 Undo Add polygoon", "2 Undo Move polygoon point", "3 Undo Move polygoon"};
        QTest::newRow("ellipse corner dragged off the sketch stops at its edge")
            << "tool ellipse; click 10,10; move 60,50; right 0,0; click 30,30; hover 60,50; drag 60,50 400,-30"
            << QStringList{"ellipse 10,10-289,0"} << QStringList{"1 Undo Add ellipse", "2 Undo Move ellipse point"};
        QTest::newRow("snapped past the edge stops at the edge")
            << "tool loop; click 10,10; move 50,10; click 50,10; right 0,0; snap 100;"
               "click 30,10; hover 50,10; drag 50,10 280,355"
            << QStringList{"ploop 10,10-289,361"} << QStringList{"1 Undo Add line", "2 Undo Move line point"};
    }

    void gestures()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, expectedRows);
        QFETCH(QStringList, expectedHistory);
        run(script);
        checkRuns();
        QCOMPARE(rows(), expectedRows);
        QCOMPARE(history(), expectedHistory);
        if (!expectedHistory.isEmpty())
            QVERIFY(h->session.PlayModified);
    }

    // A new line segment row and the dropped symbol carry the values the
    // tools give them.
    void newRowsCarryTheirValues()
    {
        run("curved on; tool dribbel; click 10,10; move 50,10; click 50,10; move 50,60; click 50,60; right 0,0;"
            "drop Triangle 13 100,100; drop Triangle 14 150,150");
        const QList<PartRow> &parts = h->session.tables.parts;
        const PartRow &segment = parts.at(parts.size() - 4);
        QCOMPARE(segment.Type, QStringLiteral("dribbel"));
        QCOMPARE(segment.rotation, 1);
        QCOMPARE(segment.thickness, 1);
        QCOMPARE(segment.level, 6000);
        QCOMPARE(segment.color2, -1);
        const PartRow &end = parts.at(parts.size() - 3);
        QCOMPARE(end.Partnr, segment.Partnr + 1);
        QCOMPARE(end.rotation, 1);
        const PartRow &player = parts.at(parts.size() - 2);
        QCOMPARE(player.level, default_level(QStringLiteral("Triangle")));
        QVERIFY(player.tagnr > 0);
        QCOMPARE(h->host.defenseSteps, 1); // number 13 moves on, 14 does not
        QVERIFY(h->host.curvedEnabled);
    }

    // While the selection is dragged, the box of its objects follows the
    // pointer: a symbol's cell, a ball's core, a run's points widened by 3.
    void dragShowsTheObjectBox_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QRect>("box");
        QTest::newRow("player") << "drop Circle 3 100,100; press 100,100; move 130,120"
                                << QRect(QPoint(120, 110), QPoint(141, 131));
        QTest::newRow("ball") << "drop Ball 1 100,100; press 100,100; move 90,100"
                              << QRect(QPoint(87, 97), QPoint(94, 104));
        QTest::newRow("pass run")
            << "tool pass; click 10,10; move 50,10; click 50,10; move 50,60; click 50,60; right 0,0;"
               "click 50,35; press 50,35; move 60,45"
            << QRect(QPoint(17, 17), QPoint(63, 73));
        QTest::newRow("two players")
            << "drop Circle 1 50,50; drop Circle 2 150,150; selectall; press 150,150; move 160,150"
            << QRect(QPoint(50, 40), QPoint(171, 161));
    }
    void dragShowsTheObjectBox()
    {
        QFETCH(QString, script);
        QFETCH(QRect, box);
        run(script);
        QVERIFY(h->editor.overlay().dragBox.has_value());
        QCOMPARE(*h->editor.overlay().dragBox, box);
    }

    void keepdownKeepsTheTool()
    {
        run("keepdown; tool loop; click 10,10; move 50,10; click 50,10; right 0,0");
        QCOMPARE(h->editor.tool(), SketchEditor::Tool::Loop);
        run("text Hi; tool text; click 40,40");
        QCOMPARE(h->editor.tool(), SketchEditor::Tool::None);
        h->session.runtime.keepDown = false;
        run("tool loop; click 10,10; move 50,10; click 50,10; right 0,0");
        QCOMPARE(h->editor.tool(), SketchEditor::Tool::None);
    }

    void moveOutsideTheSketchIsRefused()
    {
        run("drop Ball 1 13,113; click 13,113; key Left; key Left; key Left");
        QCOMPARE(rows(), QStringList{"Ball 0,103-0,100"});
        run("key Left; drag 10,113 5,113");
        QCOMPARE(h->prompter.messages, QStringList(2, "Move outside the sketch not possible"));
        QCOMPARE(rows(), QStringList{"Ball 0,103-0,100"});
        QCOMPARE(history().size(), 4);

        // The snapped place is what must lie on the sketch.
        run("drop Ball 1 270,213; snap 100; click 270,213; key Right");
        QCOMPARE(h->prompter.messages.size(), 3);
        QCOMPARE(rows().last(), QStringLiteral("Ball 260,203-0,100"));
    }

    void rightClickOpensThePropertiesOfTheNearest()
    {
        run("drop Circle 1 50,50; drop Circle 2 150,150; right 140,140");
        QCOMPARE(h->host.opened.size(), 1);
        QCOMPARE(h->host.opened.first().second, 3); // the court is part 1
    }

    void showhisOffTogglesTheLastStep()
    {
        h->session.runtime.showHistory = false;
        run("drop Circle 1 50,50; drop Circle 2 80,80; undo");
        QCOMPARE(rows().size(), 1);
        run("undo");
        QCOMPARE(rows().size(), 2);
        run("undo");
        QCOMPARE(rows().size(), 1);
    }

    // Steps 1 to 5, of which 4 and 5 are undone, newest first.
    void historyWindowChoices()
    {
        const QStringList lines{"\t5\t\t\t00:04\t\t\tRedo\t\tAdd player", "\t4\t\t\t00:05\t\t\tRedo\t\tAdd player",
                                "\t3\t\t\t00:06\t\t\tUndo\t\tAdd line", "\t2\t\t\t00:07\t\t\tUndo\t\tMove player",
                                "\t1\t\t\t00:08\t\t\tUndo\t\tAdd player"};
        const HistoryChoice first = HistoryChoice::initial(lines);
        QCOMPARE(first.rows, QList<int>{2});
        QVERIFY(first.undo);

        const HistoryChoice oldest = HistoryChoice::clicked(lines, 4);
        QCOMPARE(oldest.rows, (QList<int>{2, 3, 4}));
        QVERIFY(oldest.undo);
        QCOMPARE(QList<int>({oldest.firstStep(5), oldest.lastStep(5)}), QList<int>({3, 1}));

        const HistoryChoice newest = HistoryChoice::clicked(lines, 0);
        QCOMPARE(newest.rows, (QList<int>{0, 1}));
        QVERIFY(!newest.undo);
        QCOMPARE(QList<int>({newest.firstStep(5), newest.lastStep(5)}), QList<int>({5, 4}));

        const HistoryChoice allUndone = HistoryChoice::initial(lines.mid(0, 2));
        QCOMPARE(allUndone.rows, QList<int>{1});
        QVERIFY(!allUndone.undo);
    }

    // Random edits; undoing every step gives back the first sketch and
    // redoing every step the last one.
    void randomEditsRoundTrip_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 99u, 2024u, 4711u, 31337u, 65535u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }

    void randomEditsRoundTrip()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const auto at = [&] { return QStringLiteral("%1,%2").arg(random.bounded(10, 280)).arg(random.bounded(10, 350)); };
        const QStringList before = sketch();
        static const QStringList lineTools{"loop", "pass", "dribbel", "screen", "shot", "poly"};
        static const QStringList symbols{"Circle", "Triangle", "Ball", "Goal", "Pylon"};
        for (int step = 0; step < 120; ++step) {
            switch (random.bounded(8)) {
            case 0:
            case 1: {
                QString script = QStringLiteral("tool %1; click %2").arg(lineTools.at(random.bounded(lineTools.size())), at());
                for (int corner = random.bounded(1, 4); corner > 0; --corner) {
                    const QString next = at();
                    script += QStringLiteral("; move %1; click %1").arg(next);
                }
                run(script + QStringLiteral("; right 0,0; tool none"));
                break;
            }
            case 2:
                run(QStringLiteral("drop %1 %2 %3").arg(symbols.at(random.bounded(symbols.size()))).arg(random.bounded(1, 14)).arg(at()));
                break;
            case 3: {
                const QString from = at();
                run(QStringLiteral("click %1; drag %1 %2").arg(from, at()));
                break;
            }
            case 4:
                run(QStringLiteral("click %1; key Delete").arg(at()));
                break;
            case 5: {
                // Grab a vertex of whatever is selected, if the pointer is on one.
                const QString from = at();
                run(QStringLiteral("click %1; hover %1; drag %1 %2").arg(from, at()));
                break;
            }
            case 6:
                run(random.bounded(6) == 0 ? QStringLiteral("selectall; key Delete")
                                           : QStringLiteral("shiftdrag %1 %2; key Right").arg(at(), at()));
                break;
            default:
                run(random.bounded(2) ? QStringLiteral("undo") : QStringLiteral("redo"));
                break;
            }
            checkRuns();
        }
        // Steps undone at the end stay undone when everything is redone.
        const QStringList after = sketch();
        const auto undone = [this] {
            const QList<int> numbers = redoNumbers();
            return QSet<int>(numbers.cbegin(), numbers.cend()).size();
        };
        const qsizetype pending = undone();
        while (h->editor.hasUndoSteps())
            run("undo");
        QCOMPARE(sketch(), before);
        while (undone() > pending)
            run("redo");
        QCOMPARE(sketch(), after);
        checkRuns();
    }
};

QTEST_MAIN(TestSketchEditor)
#include "tst_sketcheditor.moc"
