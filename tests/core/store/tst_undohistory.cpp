#include "store/datamodule.h"
#include "store/undohistory.h"
#include "store/playfile/playfile.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <memory>

// The undo history of a sketch: steps recorded the way the editor records
// them, undone and redone singly, in ranges and all at once, and checked
// against the sketch as it was.

namespace {

const QString category = QStringLiteral("Attack");
const QString playName = QStringLiteral("Zone");
const QStringList runKinds = {QStringLiteral("pass"), QStringLiteral("shot"), QStringLiteral("poly")};

PartFields shape(const QString &type, int graphicnr = 0, int x = 0, int y = 0)
{
    PartFields fields;
    fields.Type = type;
    fields.Graphicnr = graphicnr;
    fields.x1 = qint16(x);
    fields.y1 = qint16(y);
    fields.x2 = qint16(x + 10);
    fields.y2 = qint16(y + 10);
    return fields;
}

bool isPlainRunKind(const QString &type)
{
    return runKinds.contains(type);
}

bool isEndForm(const QString &type)
{
    return type.startsWith(u'p') && runKinds.contains(type.mid(1));
}

// A sketch as a sorted list of its parts' fields, without number and
// selection: restores append at the end under new numbers.
QStringList sketchOf(const Tables &tables, int drawing)
{
    QStringList parts;
    for (const PartRow &p : tables.parts) {
        if (p.Drawingnr != drawing)
            continue;
        parts.append(QStringList{QString::number(p.level), QString::number(p.Graphicnr), p.Type,
                                 QString::number(p.x1), QString::number(p.y1), QString::number(p.x2),
                                 QString::number(p.y2), QString::number(p.thickness), QString::number(p.rotation),
                                 QString::number(p.arrow), QString::number(p.color), QString::number(p.color2),
                                 p.tekst, p.fontname, QString::number(p.tagnr), QString::number(p.transparent),
                                 p.extra3, p.extra4}
                         .join(u'|'));
    }
    parts.sort();
    return parts;
}

QList<int> partNumbers(const Tables &tables, int drawing)
{
    QList<int> numbers;
    for (const PartRow &p : tables.parts) {
        if (p.Drawingnr == drawing)
            numbers.append(p.Partnr);
    }
    return numbers;
}

QStringList partTypes(const Tables &tables, int drawing)
{
    QStringList types;
    for (const PartRow &p : tables.parts) {
        if (p.Drawingnr == drawing)
            types.append(p.Type);
    }
    return types;
}

// What must hold after every edit, undo and redo; empty when all does.
QString brokenInvariant(const Tables &tables, int sequence, int drawing)
{
    QSet<QPair<int, int>> keys;
    for (const PartRow &p : tables.parts) {
        if (keys.contains({p.Drawingnr, p.Partnr}))
            return QStringLiteral("part %1/%2 twice").arg(p.Drawingnr).arg(p.Partnr);
        keys.insert({p.Drawingnr, p.Partnr});
    }
    // Runs: consecutive rows numbered one apart, ending in their end form.
    QString open;
    int previous = 0;
    for (const PartRow &p : tables.parts) {
        if (p.Drawingnr != drawing)
            continue;
        if (!open.isEmpty() && previous + 1 != p.Partnr)
            return QStringLiteral("run broken before part %1").arg(p.Partnr);
        if (isPlainRunKind(p.Type)) {
            if (!open.isEmpty() && open != p.Type)
                return QStringLiteral("run of %1 runs into %2").arg(open, p.Type);
            open = p.Type;
        } else if (isEndForm(p.Type)) {
            if (!open.isEmpty() && open != p.Type.mid(1))
                return QStringLiteral("run of %1 ends in %2").arg(open, p.Type);
            open.clear();
        } else if (!open.isEmpty()) {
            return QStringLiteral("run of %1 has no end form").arg(open);
        }
        previous = p.Partnr;
    }
    if (!open.isEmpty())
        return QStringLiteral("last run has no end form");
    // Steps 1..N in storage order, each all "Undo" or all "Redo", the
    // undone ones the highest.
    int step = 0;
    QString action;
    bool undone = false;
    for (const UndoRow &row : tables.undo) {
        if (row.Sequence != sequence)
            continue;
        if (row.Undonr == step) {
            if (row.Action != action)
                return QStringLiteral("step %1 is half undone").arg(step);
            continue;
        }
        if (row.Undonr != step + 1)
            return QStringLiteral("step %1 follows step %2").arg(row.Undonr).arg(step);
        step = row.Undonr;
        action = row.Action;
        if (undone && action == u"Undo")
            return QStringLiteral("step %1 in effect after an undone one").arg(step);
        undone = action == u"Redo";
    }
    return {};
}

// Edits one sketch the way the editor does: the change on the tables, and
// the step that records it.
class Sketcher {
public:
    Sketcher(DataModule &data, int sequence, int drawing)
        : data(data), history(data), sequence(sequence), drawing(drawing)
    {
    }

    int court()
    {
        return data.addpart(drawing, shape("Court", 1));
    }

    int addSymbol(const QString &type, int graphicnr, int x, int y)
    {
        const int number = data.addpart(drawing, shape(type, graphicnr, x, y));
        history.recordadd(category, playName, sequence, drawing, number);
        return number;
    }

    // A run of segments rows of the plain kind but the last; returns the
    // number of its end-form row.
    int addRun(const QString &kind, int segments, int x, int y)
    {
        int number = 0;
        for (int i = 0; i < segments; ++i) {
            const QString type = i == segments - 1 ? u'p' + kind : kind;
            number = data.addpart(drawing, shape(type, 0, x + 20 * i, y + 5 * i));
        }
        history.recordadd(category, playName, sequence, drawing, number);
        return number;
    }

    // The rows of an object: its representative, then back along its run.
    QList<PartRow> object(int partnr) const
    {
        QList<PartRow> rows;
        PartFields fields;
        for (int number = partnr; data.getpart(drawing, number, fields); --number) {
            if (number != partnr && fields.Type != rows.first().Type.mid(1))
                break;
            PartRow row;
            static_cast<PartFields &>(row) = fields;
            row.Drawingnr = drawing;
            row.Partnr = number;
            rows.append(row);
            if (!isEndForm(rows.first().Type))
                break;
        }
        return rows;
    }

    QString typeOf(int partnr) const
    {
        PartFields fields;
        data.getpart(drawing, partnr, fields);
        return fields.Type;
    }

    void deleteObject(int partnr)
    {
        const QString type = typeOf(partnr);
        history.recorddelete(category, playName, sequence, type, partnr, drawing);
        data.deletepartchain(drawing, partnr, type);
    }

    void moveObject(int partnr, int dx, int dy)
    {
        history.recordchange(category, playName, sequence, {}, QStringLiteral("Move"), typeOf(partnr), partnr, drawing);
        for (const PartRow &row : object(partnr))
            data.updatepart(drawing, row.Partnr, shifted(row, dx, dy));
    }

    void changeGraphic(int partnr, int graphicnr)
    {
        history.recordchange(category, playName, sequence, {}, QStringLiteral("Change"), typeOf(partnr), partnr,
                          drawing);
        PartFields fields;
        data.getpart(drawing, partnr, fields);
        fields.Graphicnr = graphicnr;
        data.updatepart(drawing, partnr, fields);
    }

    void deleteSelection(const QList<int> &objects)
    {
        select(objects);
        history.recordselection(category, playName, sequence, QStringLiteral("Delete selection"), drawing);
        data.tables().parts.removeIf([this](const PartRow &p) { return p.Drawingnr == drawing && p.Selected == 1; });
    }

    void moveSelection(const QList<int> &objects, int dx, int dy)
    {
        select(objects);
        history.recordselection(category, playName, sequence, QStringLiteral("Move selection"), drawing);
        for (PartRow &p : data.tables().parts) {
            if (p.Drawingnr == drawing && p.Selected == 1)
                static_cast<PartFields &>(p) = shifted(p, dx, dy);
            p.Selected = 0;
        }
    }

    // Drags the first point of a run: the run is deleted and added again.
    void dragVertex(int partnr, int dx, int dy)
    {
        const QList<PartRow> before = object(partnr);
        data.deletepartchain(drawing, partnr, before.first().Type);
        QList<int> numbers;
        for (qsizetype i = before.size() - 1; i >= 0; --i) {
            PartFields fields = before[i];
            if (i == before.size() - 1) {
                fields.x1 = qint16(fields.x1 + dx);
                fields.y1 = qint16(fields.y1 + dy);
            }
            numbers.prepend(data.addpart(drawing, fields));
        }
        history.recordRebuild(category, playName, sequence,
                           u"Move " + DataModule::partkindname(before.first().Type) + u" point", drawing, before,
                           numbers);
    }

    // The representative rows of the objects on the sketch, the court aside.
    QList<int> objects() const
    {
        QList<int> numbers;
        for (const PartRow &p : data.tables().parts) {
            if (p.Drawingnr == drawing && p.Type != u"Court" && !isPlainRunKind(p.Type))
                numbers.append(p.Partnr);
        }
        return numbers;
    }

    int lastStep() const { return history.lastundostep(category, playName, sequence); }
    int firstUndone() const { return history.firstredostep(category, playName, sequence); }
    void undo(int a, int b) { history.undosteps(category, playName, sequence, a, b); }
    void redo(int a, int b) { history.redosteps(category, playName, sequence, a, b); }

    QStringList commands() const
    {
        QStringList list;
        int step = 0;
        for (const UndoRow &row : data.tables().undo) {
            if (row.Sequence == sequence && row.Undonr != step) {
                list.append(row.Command);
                step = row.Undonr;
            }
        }
        return list;
    }

    QStringList actions() const
    {
        QStringList list;
        int step = 0;
        for (const UndoRow &row : data.tables().undo) {
            if (row.Sequence == sequence && row.Undonr != step) {
                list.append(row.Action);
                step = row.Undonr;
            }
        }
        return list;
    }

    QStringList sketch() const { return sketchOf(data.tables(), drawing); }

private:
    static PartFields shifted(PartFields fields, int dx, int dy)
    {
        fields.x1 = qint16(fields.x1 + dx);
        fields.y1 = qint16(fields.y1 + dy);
        fields.x2 = qint16(fields.x2 + dx);
        fields.y2 = qint16(fields.y2 + dy);
        return fields;
    }

    void select(const QList<int> &objects)
    {
        QList<int> rows;
        for (int partnr : objects) {
            for (const PartRow &row : object(partnr))
                rows.append(row.Partnr);
        }
        for (PartRow &p : data.tables().parts)
            p.Selected = p.Drawingnr == drawing && rows.contains(p.Partnr) ? 1 : 0;
    }

    DataModule &data;
    UndoHistory history;
    int sequence;
    int drawing;
};

} // namespace

class TestUndoHistory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tables = Tables();
        data = std::make_unique<DataModule>(tables);
        data->addsequence(1, 1, false);
        sketcher = std::make_unique<Sketcher>(*data, 1, 1);
        sketcher->court();
    }

    // --- part numbers ----------------------------------------------------------

    void partNumbersAreNeverGivenTwiceWhileThePlayIsLoaded()
    {
        QCOMPARE(data->addpart(1, shape("Circle", 1)), 2);
        QCOMPARE(data->addpart(1, shape("Circle", 2)), 3);
        data->deletepart(1, 3);
        data->deletepart(1, 2);
        QCOMPARE(data->addpart(1, shape("Ball")), 4);
        QCOMPARE(data->addpart(2, shape("Court")), 1);

        data->clearplay();
        QCOMPARE(data->addpart(1, shape("Court")), 1);
    }

    void numberGapsDoNotReachThePlayFile()
    {
        sketcher->addSymbol("Circle", 1, 10, 10);
        const int doomed = sketcher->addSymbol("Circle", 2, 20, 20);
        sketcher->addRun("pass", 2, 30, 30);
        sketcher->deleteObject(doomed);
        sketcher->undo(sketcher->lastStep(), sketcher->lastStep());
        QCOMPARE(partNumbers(tables, 1), QList<int>({1, 2, 4, 5, 6}));

        QBuffer file;
        file.open(QIODevice::ReadWrite);
        QVERIFY(PlayFile::write(file, *data, PlayRow(), category, playName, QStringLiteral("1-1-2026")));
        file.seek(0);
        Tables read;
        DataModule readData(read);
        PlayRow header;
        QCOMPARE(PlayFile::read(file, readData, header), PlayReadError::None);
        QCOMPARE(partNumbers(read, 1), QList<int>({1, 2, 3, 4, 5}));
        QCOMPARE(partTypes(read, 1), partTypes(tables, 1));
        QCOMPARE(readData.addpart(1, shape("Ball")), 6);
    }

    // --- recording -------------------------------------------------------------

    void commands_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("rows");
        QTest::newRow("one player moved") << "move player" << "Move player" << 1;
        QTest::newRow("ball net moved") << "move rack" << "Move ball net" << 1;
        QTest::newRow("player and line moved") << "move selection" << "Move selection" << 3;
        QTest::newRow("court colours") << "court colors" << "Change court colors" << 1;
        QTest::newRow("line drawn") << "add line" << "Add line" << 3;
        QTest::newRow("polygon deleted") << "delete polygon" << "Delete polygoon" << 4;
        QTest::newRow("polygon point dragged") << "drag polygon" << "Move polygoon point" << 4;
    }

    void commands()
    {
        QFETCH(QString, edit);
        QFETCH(QString, command);
        QFETCH(int, rows);
        const int player = data->addpart(1, shape("Circle", 3));
        const int rack = data->addpart(1, shape("Rack", 1));
        const int polygon = [this] {
            int number = 0;
            for (const char *type : {"poly", "poly", "poly", "ppoly"})
                number = data->addpart(1, shape(type));
            return number;
        }();
        if (edit == u"move player")
            sketcher->moveObject(player, 5, 5);
        else if (edit == u"move rack")
            sketcher->moveObject(rack, 5, 5);
        else if (edit == u"move selection")
            sketcher->moveSelection({player, sketcher->addRun("pass", 2, 0, 0)}, 5, 5);
        else if (edit == u"court colors")
            UndoHistory(*data).recordchange(category, playName, 1, "colors", "Change", "Court", 1, 1);
        else if (edit == u"add line")
            sketcher->addRun("shot", 3, 0, 0);
        else if (edit == u"delete polygon")
            sketcher->deleteObject(polygon);
        else
            sketcher->dragVertex(polygon, 3, 3);
        QCOMPARE(sketcher->commands().last(), command);
        const int step = sketcher->lastStep();
        QCOMPARE(std::count_if(tables.undo.cbegin(), tables.undo.cend(),
                               [step](const UndoRow &row) { return row.Undonr == step; }),
                 rows);
    }

    void anObjectIsKeptFromItsEndFormBack()
    {
        sketcher->addRun("pass", 1, 0, 0); // a run of the same kind before it
        const int line = sketcher->addRun("pass", 3, 50, 50);
        QList<int> numbers;
        QList<int> subnumbers;
        for (const UndoRow &row : tables.undo) {
            if (row.Undonr == 2) {
                numbers.append(row.Partnr);
                subnumbers.append(row.Undosubnr);
            }
        }
        QCOMPARE(numbers, QList<int>({line, line - 1, line - 2}));
        QCOMPARE(subnumbers, QList<int>({1, 2, 3}));
        QCOMPARE(tables.undo.first().Action, QString("Undo"));
        QCOMPARE(tables.undo.first().Category, category);
    }

    void nothingToRecordStillDropsTheUndoneSteps()
    {
        sketcher->addSymbol("Circle", 1, 0, 0);
        sketcher->undo(1, 1);
        QVERIFY(UndoHistory(*data).hasredo(category, playName, 1));
        UndoHistory(*data).recordselection(category, playName, 1, "Move selection", 1); // nothing selected
        QVERIFY(!UndoHistory(*data).hasredo(category, playName, 1));
        QVERIFY(tables.undo.isEmpty());
        UndoHistory(*data).recordadd(category, playName, 1, 1, 99);
        UndoHistory(*data).recorddelete(category, playName, 1, "Circle", 99, 1);
        UndoHistory(*data).recordchange(category, playName, 1, {}, "Move", "Circle", 99, 1);
        QVERIFY(tables.undo.isEmpty());
    }

    // --- undo and redo ---------------------------------------------------------

    void threeSegmentPassComesBackAfterTheHighestNumber()
    {
        sketcher->addSymbol("Circle", 1, 0, 0);
        const QStringList before = sketcher->sketch();
        const int line = sketcher->addRun("pass", 3, 40, 40);
        QCOMPARE(line, 5);
        const QStringList after = sketcher->sketch();

        sketcher->undo(2, 2);
        QCOMPARE(sketcher->sketch(), before);
        QCOMPARE(sketcher->actions(), QStringList({"Undo", "Redo"}));

        sketcher->redo(2, 2);
        QCOMPARE(sketcher->sketch(), after);
        QCOMPARE(partNumbers(tables, 1), QList<int>({1, 2, 6, 7, 8}));
        QCOMPARE(partTypes(tables, 1), QStringList({"Court", "Circle", "pass", "pass", "ppass"}));
        QCOMPARE(sketcher->actions(), QStringList({"Undo", "Undo"}));
        QCOMPARE(brokenInvariant(tables, 1, 1), QString());
        // The step names the parts as they are now, so it undoes again.
        sketcher->undo(2, 2);
        QCOMPARE(sketcher->sketch(), before);
    }

    void deletedRunComesBackAndAnOlderMoveStillFindsIt()
    {
        const int line = sketcher->addRun("shot", 3, 40, 40);
        const QStringList drawn = sketcher->sketch();
        sketcher->moveObject(line, 30, -10);
        sketcher->addSymbol("Ball", 0, 100, 100);
        tables.parts[1].Selected = 1;
        sketcher->deleteObject(line);

        sketcher->undo(4, 4);
        QCOMPARE(partTypes(tables, 1), QStringList({"Court", "Ball", "shot", "shot", "pshot"}));
        for (const PartRow &p : tables.parts)
            QCOMPARE(p.Selected, 0);
        QCOMPARE(brokenInvariant(tables, 1, 1), QString());

        sketcher->undo(3, 2);
        QCOMPARE(sketcher->sketch(), drawn);
        sketcher->redo(2, 4);
        QCOMPARE(partTypes(tables, 1), QStringList({"Court", "Ball"}));
    }

    // A change that gave the part another symbol, then its deletion: the
    // change step still finds the restored part though its copy holds the
    // old symbol.
    void restoredPartIsFoundByNumberWhateverItsSymbol()
    {
        const int player = sketcher->addSymbol("Circle", 3, 10, 10);
        const QStringList placed = sketcher->sketch();
        sketcher->changeGraphic(player, 5);
        sketcher->deleteObject(player);
        sketcher->undo(3, 2);
        QCOMPARE(sketcher->sketch(), placed);
        sketcher->redo(2, 3);
        QCOMPARE(partTypes(tables, 1), QStringList({"Court"}));
        sketcher->undo(3, 1);
        QCOMPARE(partTypes(tables, 1), QStringList({"Court"}));
        sketcher->redo(1, 2);
        PartFields changed;
        QVERIFY(data->getpart(1, tables.parts.last().Partnr, changed));
        QCOMPARE(changed.Graphicnr, 5);
    }

    void newStepAfterUndoTakesTheNextNumber()
    {
        for (int i = 1; i <= 4; ++i)
            sketcher->addSymbol("Circle", i, 10 * i, 0);
        sketcher->undo(4, 3);
        QCOMPARE(sketcher->lastStep(), 2);
        QCOMPARE(sketcher->firstUndone(), 3);
        sketcher->addRun("pass", 2, 0, 0);
        QCOMPARE(sketcher->commands(), QStringList({"Add player", "Add player", "Add line"}));
        QCOMPARE(sketcher->actions(), QStringList({"Undo", "Undo", "Undo"}));
        QVERIFY(!UndoHistory(*data).hasredo(category, playName, 1));
        QCOMPARE(brokenInvariant(tables, 1, 1), QString());
    }

    // Ranges that would leave a step in effect above an undone one, or apply
    // a step twice, are widened or passed over.
    void rangesKeepTheUndoneStepsOnTop()
    {
        for (int i = 1; i <= 3; ++i)
            sketcher->addSymbol("Circle", i, 10 * i, 0);
        const QStringList all = sketcher->sketch();
        sketcher->undo(2, 2);
        QCOMPARE(sketcher->actions(), QStringList({"Undo", "Redo", "Redo"}));
        QCOMPARE(partTypes(tables, 1), QStringList({"Court", "Circle"}));
        sketcher->undo(3, 2); // already undone: nothing again
        QCOMPARE(partTypes(tables, 1), QStringList({"Court", "Circle"}));
        sketcher->redo(3, 3);
        QCOMPARE(sketcher->sketch(), all);
        sketcher->redo(1, 3);
        QCOMPARE(sketcher->sketch(), all);
        QCOMPARE(brokenInvariant(tables, 1, 1), QString());
    }

    // Without the history list Undo redoes the first undone step when there
    // is one, else undoes the last: pressed three times, it leaves the last
    // step undone.
    void undoTogglesTheLastStepWithoutTheHistoryList()
    {
        QVERIFY(!UndoHistory(*data).hasundo(category, playName, 1));
        QVERIFY(!UndoHistory(*data).hasredo(category, playName, 1));
        QCOMPARE(sketcher->lastStep(), 0);
        QCOMPARE(sketcher->firstUndone(), 0);
        sketcher->addSymbol("Circle", 1, 0, 0);
        const QStringList before = sketcher->sketch();
        const int player = sketcher->addSymbol("Circle", 2, 0, 0);
        sketcher->moveObject(player, 9, 9);
        const auto press = [this] {
            if (UndoHistory(*data).hasredo(category, playName, 1))
                sketcher->redo(sketcher->firstUndone(), sketcher->firstUndone());
            else
                sketcher->undo(sketcher->lastStep(), sketcher->lastStep());
        };
        const QStringList moved = sketcher->sketch();
        press();
        press();
        QCOMPARE(sketcher->sketch(), moved);
        press();
        QCOMPARE(sketcher->actions(), QStringList({"Undo", "Undo", "Redo"}));
        QVERIFY(UndoHistory(*data).hasundo(category, playName, 1));
        QCOMPARE(sketcher->firstUndone(), 3);
        sketcher->undo(2, 2);
        QCOMPARE(sketcher->sketch(), before);
    }

    void allCourtsAreUndoneAtOnce()
    {
        data->addsequence(2, 2, false);
        data->addsequence(3, 3, false);
        data->addsequence(4, 4, false); // a sketch without a court adds no row
        data->addpart(2, shape("Court", 2));
        data->addpart(3, shape("Circle", 1));
        data->addpart(3, shape("Court", 3)); // not its part 1
        QList<QStringList> before;
        for (int drawing = 1; drawing <= 3; ++drawing)
            before.append(sketchOf(tables, drawing));

        UndoHistory(*data).recordallcourts(category, playName, 2);
        QCOMPARE(tables.undo.size(), 3);
        QCOMPARE(tables.undo.first().Command, QString("Change all courts colors"));
        for (PartRow &p : tables.parts) {
            if (p.Type == u"Court")
                p.rotation = 0x123456;
        }
        UndoHistory(*data).undosteps(category, playName, 2, 1, 1);
        for (int drawing = 1; drawing <= 3; ++drawing)
            QCOMPARE(sketchOf(tables, drawing), before[drawing - 1]);
        UndoHistory(*data).redosteps(category, playName, 2, 1, 1);
        for (const PartRow &p : tables.parts)
            QCOMPARE(p.rotation, p.Type == u"Court" ? 0x123456 : 0);
        QVERIFY(!UndoHistory(*data).hasundo(category, playName, 1));
    }

    // Move a run, draw something else, drag a vertex of the run (added again
    // under new numbers), then undo all three: the run is back where it was.
    void vertexDragThenUndoAllGivesTheFirstSketch()
    {
        const int line = sketcher->addRun("pass", 3, 20, 20);
        const QStringList drawn = sketcher->sketch();
        sketcher->moveObject(line, 15, 15);
        sketcher->addSymbol("Circle", 4, 60, 60);
        sketcher->dragVertex(line, -7, 3);
        const QStringList dragged = sketcher->sketch();
        QCOMPARE(partTypes(tables, 1), QStringList({"Court", "Circle", "pass", "pass", "ppass"}));
        // The older steps name the run by its new numbers.
        for (const UndoRow &row : tables.undo) {
            if (row.Type != u"Circle")
                QVERIFY2(row.Partnr >= 6, qPrintable(row.Command));
        }
        QCOMPARE(brokenInvariant(tables, 1, 1), QString());

        sketcher->undo(4, 2);
        QCOMPARE(sketcher->sketch(), drawn);
        sketcher->undo(1, 1);
        QCOMPARE(partTypes(tables, 1), QStringList({"Court"}));
        sketcher->redo(1, 4);
        QCOMPARE(sketcher->sketch(), dragged);
        QCOMPARE(brokenInvariant(tables, 1, 1), QString());
    }

    void historyOtherSequencesAndPlaysStayApart()
    {
        sketcher->addSymbol("Circle", 1, 0, 0);
        Sketcher second(*data, 2, 2);
        data->addsequence(2, 2, false);
        second.court();
        second.addSymbol("Ball", 0, 0, 0);
        second.addSymbol("Ball", 0, 5, 5);
        UndoHistory(*data).undosteps("ATTACK", "zone", 2, 2, 2); // the play key ignores case
        QCOMPARE(second.actions(), QStringList({"Undo", "Redo"}));
        QCOMPARE(sketcher->actions(), QStringList({"Undo"}));
        UndoHistory(*data).undosteps("Attack", "Press", 1, 1, 1);
        QCOMPARE(sketcher->actions(), QStringList({"Undo"}));
    }

    // --- history window --------------------------------------------------------

    void historyListsTheNewestStepFirst()
    {
        for (int i = 1; i <= 5; ++i)
            sketcher->addSymbol("Circle", i, 0, 0);
        sketcher->undo(5, 4);
        const QDateTime now(QDate(2026, 3, 1), QTime(10, 0, 0));
        for (UndoRow &row : tables.undo)
            row.TST = now.addSecs(-10 * row.Undonr);
        QCOMPARE(UndoHistory(*data).historylist(category, playName, 1, now),
                 QStringList({"\t5\t\t\t00:50\t\t\tRedo\t\tAdd player", "\t4\t\t\t00:40\t\t\tRedo\t\tAdd player",
                              "\t3\t\t\t00:30\t\t\tUndo\t\tAdd player", "\t2\t\t\t00:20\t\t\tUndo\t\tAdd player",
                              "\t1\t\t\t00:10\t\t\tUndo\t\tAdd player"}));
        QVERIFY(UndoHistory(*data).historylist(category, playName, 2, now).isEmpty());
    }

    void historyLine_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<QString>("line");
        QTest::newRow("two digits") << 99 << 5 << "\t99\t\t\t00:05\t\t\tUndo\t\tMove line";
        QTest::newRow("three digits") << 100 << 5 << "\t100\t\t00:05\t\t\tUndo\t\tMove line";
        QTest::newRow("five digits") << 99999 << 5 << "\t99999\t\t00:05\t\t\tUndo\t\tMove line";
        QTest::newRow("six digits") << 100000 << 5 << "\t100000\t00:05\t\t\tUndo\t\tMove line";
        QTest::newRow("minutes within the hour") << 1 << 3725 << "\t1\t\t\t02:05\t\t\tUndo\t\tMove line";
        QTest::newRow("written now") << 1 << 0 << "\t1\t\t\t\t\t\tUndo\t\tMove line";
        QTest::newRow("written later") << 1 << -30 << "\t1\t\t\t\t\t\tUndo\t\tMove line";
    }

    void historyLine()
    {
        QFETCH(int, step);
        QFETCH(int, ageSeconds);
        QFETCH(QString, line);
        const QDateTime now(QDate(2026, 3, 1), QTime(10, 0, 0));
        UndoRow row;
        row.Category = category;
        row.Drillname = playName;
        row.Sequence = 1;
        row.Undonr = step;
        row.Action = "Undo";
        row.Command = "Move line";
        row.TST = now.addSecs(-ageSeconds);
        tables.undo = {row, row};
        QCOMPARE(UndoHistory(*data).historylist(category, playName, 1, now), QStringList({line}));
    }

    // --- random edits ----------------------------------------------------------

    void randomEditsUndoAndRedoExactly_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 1234u, 98765u, 31337u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }

    // Random edits with undos and redos between them. states[k] is the sketch
    // with steps 1..k in effect; every undo and redo must give one of them.
    void randomEditsUndoAndRedoExactly()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const auto between = [&random](int low, int high) { return int(random.bounded(low, high + 1)); };
        data->addpart(1, shape("Circle", 1, 50, 50)); // drawn before the history began
        data->addpart(1, shape("pass", 0, 0, 0));
        data->addpart(1, shape("ppass", 0, 10, 10));
        QList<QStringList> states{sketcher->sketch()};

        for (int round = 0; round < 80; ++round) {
            const QList<int> objects = sketcher->objects();
            const auto anyObject = [&] { return objects.at(between(0, int(objects.size()) - 1)); };
            const int choice = objects.isEmpty() ? between(0, 2) : between(0, 11);
            const int stepBefore = sketcher->lastStep();
            QString what;
            switch (choice) {
            case 0:
                what = "add symbol";
                sketcher->addSymbol(QStringList({"Circle", "Ball", "Rack"}).at(between(0, 2)), between(1, 7),
                                    between(0, 280), between(0, 350));
                break;
            case 1:
                what = "add line";
                sketcher->addRun(between(0, 1) ? "pass" : "shot", between(1, 4), between(0, 280), between(0, 350));
                break;
            case 2:
                what = "add polygon";
                sketcher->addRun("poly", between(3, 5), between(0, 280), between(0, 350));
                break;
            case 3:
                what = "delete";
                sketcher->deleteObject(anyObject());
                break;
            case 4:
            case 5: {
                QList<int> chosen;
                for (int partnr : objects) {
                    if (between(0, 1))
                        chosen.append(partnr);
                }
                if (chosen.isEmpty())
                    chosen.append(anyObject());
                what = choice == 4 ? "delete selection" : "move selection";
                if (choice == 4)
                    sketcher->deleteSelection(chosen);
                else
                    sketcher->moveSelection(chosen, between(-20, 20), between(-20, 20));
                break;
            }
            case 6:
                what = "move";
                sketcher->moveObject(anyObject(), between(-20, 20), between(-20, 20));
                break;
            case 7: {
                QList<int> runs;
                for (int partnr : objects) {
                    if (isEndForm(sketcher->typeOf(partnr)))
                        runs.append(partnr);
                }
                if (runs.isEmpty())
                    continue;
                what = "drag vertex";
                sketcher->dragVertex(runs.at(between(0, int(runs.size()) - 1)), between(-9, 9), between(-9, 9));
                break;
            }
            case 8: {
                const int partnr = anyObject();
                if (isEndForm(sketcher->typeOf(partnr)))
                    continue;
                what = "change symbol";
                sketcher->changeGraphic(partnr, between(1, 7));
                break;
            }
            case 9:
            case 10: {
                const int last = sketcher->lastStep();
                if (last == 0)
                    continue;
                what = "undo";
                sketcher->undo(last, std::max(1, last - between(0, 2)));
                break;
            }
            default: {
                const int first = sketcher->firstUndone();
                if (first == 0)
                    continue;
                what = "redo";
                sketcher->redo(first, first + between(0, 2));
                break;
            }
            }
            const QString where = QStringLiteral("round %1, %2").arg(round).arg(what);
            const QString broken = brokenInvariant(tables, 1, 1);
            QVERIFY2(broken.isEmpty(), qPrintable(where + ": " + broken));
            const int step = sketcher->lastStep();
            if (what != u"undo" && what != u"redo") {
                QVERIFY2(step == stepBefore + 1, qPrintable(where));
                states.resize(stepBefore + 1);
                states.append(sketcher->sketch());
            }
            QVERIFY2(sketcher->sketch() == states.at(step), qPrintable(where));
        }

        const int last = int(states.size()) - 1;
        QVERIFY(last > 10);
        sketcher->undo(sketcher->lastStep(), 1);
        QCOMPARE(sketcher->sketch(), states.first());
        QCOMPARE(brokenInvariant(tables, 1, 1), QString());
        sketcher->redo(1, last);
        QCOMPARE(sketcher->sketch(), states.last());
        QCOMPARE(brokenInvariant(tables, 1, 1), QString());
        QCOMPARE(sketcher->lastStep(), last);
    }

private:
    Tables tables;
    std::unique_ptr<DataModule> data;
    std::unique_ptr<Sketcher> sketcher;
};

QTEST_GUILESS_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
