#include "store/undohistory.h"

#include "store/datamodule.h"

#include "model/parttypes.h"

#include <algorithm>

// Part numbers are never given twice while a play is loaded (see addpart),
// so a row finds its part by drawing and number alone.

namespace {

const QString undoAction = QStringLiteral("Undo");
const QString redoAction = QStringLiteral("Redo");

bool ofSequence(const UndoRow &row, const QString &category, const QString &name, int sequence)
{
    return row.Sequence == sequence && row.Category.compare(category, Qt::CaseInsensitive) == 0
        && row.Drillname.compare(name, Qt::CaseInsensitive) == 0;
}

PartRow partRow(int drawing, int partnr, const PartFields &fields)
{
    PartRow row;
    static_cast<PartFields &>(row) = fields;
    row.Drawingnr = drawing;
    row.Partnr = partnr;
    return row;
}

// An object as a step keeps it: the representative row, then the earlier
// rows of its run. Empty when the part does not exist.
QList<PartRow> objectRows(const DataModule &data, int drawing, int partnr)
{
    PartFields part;
    if (!data.getpart(drawing, partnr, part))
        return {};
    QList<PartRow> rows{partRow(drawing, partnr, part)};
    if (!isRunRow(part.Type))
        return rows;
    const QString base = runBaseKind(part.Type);
    PartFields earlier;
    for (int number = partnr - 1; number >= 1 && data.getpart(drawing, number, earlier) && earlier.Type == base;
         --number)
        rows.append(partRow(drawing, number, earlier));
    return rows;
}

QString otherAction(const QString &action)
{
    return action == undoAction ? redoAction : undoAction;
}

// Which way a step is applied: undo applies the rows in effect, redo the
// undone ones.
enum class Way { Undo, Redo };

// Applies one step to the sketch, row by row.
class StepPlayer {
public:
    StepPlayer(DataModule &data, const QString &category, const QString &name, int sequence)
        : data(data), rows(data.tables().undo), category(category), name(name), sequence(sequence)
    {
    }

    void play(int step, Way way)
    {
        const QString &from = way == Way::Undo ? undoAction : redoAction;
        QList<qsizetype> stepRows;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (rows[i].Undonr == step && rows[i].Action == from && ofSequence(rows[i], category, name, sequence))
                stepRows.append(i);
        }
        // A single object was kept from its last row back to its first, so
        // it is re-created backwards; a selection was kept in storage order
        // and is re-created in that order.
        for (auto i = stepRows.crbegin(); i != stepRows.crend(); ++i) {
            if (!isSelection(rows[*i]))
                apply(rows[*i], way);
        }
        for (qsizetype i : std::as_const(stepRows)) {
            if (isSelection(rows[i]))
                apply(rows[i], way);
        }
    }

private:
    static bool isSelection(const UndoRow &row)
    {
        const QString command = row.Command.toLower();
        return command.contains(u"delete selection") || command.contains(u"move selection");
    }

    void apply(UndoRow &row, Way way)
    {
        const QString command = row.Command.toLower();
        const bool undoing = way == Way::Undo;
        if (command.contains(u"delete"))
            undoing ? restore(row) : remove(row);
        else if (command.contains(u"add"))
            undoing ? remove(row) : restore(row);
        else if (command.contains(u"change") || command.contains(u"move"))
            exchange(row);
        else
            row.Action = otherAction(row.Action);
    }

    // Appends the part again under a new number; the rows on the same side
    // of the history (the steps that will be applied after this one) that
    // named its old number take the new one.
    void restore(UndoRow &row)
    {
        const QString side = row.Action;
        const int old = row.Partnr;
        const int number = data.addpart(row.Drawingnr, row);
        row.Action = otherAction(side);
        row.Partnr = number;
        for (UndoRow &other : rows) {
            if (other.Action == side && other.Drawingnr == row.Drawingnr && other.Partnr == old
                && ofSequence(other, category, name, sequence))
                other.Partnr = number;
        }
    }

    void remove(UndoRow &row)
    {
        data.deletepart(row.Drawingnr, row.Partnr);
        row.Action = otherAction(row.Action);
    }

    // The part takes the row's values and the row the part's.
    void exchange(UndoRow &row)
    {
        PartFields current;
        if (data.getpart(row.Drawingnr, row.Partnr, current)) {
            data.updatepart(row.Drawingnr, row.Partnr, row);
            static_cast<PartFields &>(row) = current;
        }
        row.Action = otherAction(row.Action);
    }

    DataModule &data;
    QList<UndoRow> &rows;
    const QString &category;
    const QString &name;
    const int sequence;
};

// Writes one step of the given rows under the next step number.
void writeStep(UndoHistory &history, Tables &t, const QString &category, const QString &name,
               int sequence, const QString &command, const QList<PartRow> &parts)
{
    const int step = history.lastundonr(category, name, sequence) + 1;
    const QDateTime now = QDateTime::currentDateTime();
    int subnr = 0;
    for (const PartRow &part : parts) {
        UndoRow row;
        static_cast<PartFields &>(row) = part;
        row.Category = category.left(FieldSize::UndoKey);
        row.Drillname = name.left(FieldSize::UndoKey);
        row.Sequence = sequence;
        row.Undonr = step;
        row.Undosubnr = ++subnr;
        row.Action = undoAction;
        row.Command = command.left(FieldSize::UndoCommand);
        row.Drawingnr = part.Drawingnr;
        row.Partnr = part.Partnr;
        row.TST = now;
        t.undo.append(row);
    }
}

// Tabs after the step number in a history line, so that the columns line
// up for numbers of up to seven digits.
QString numberTabs(int number)
{
    const qsizetype digits = QString::number(number).size();
    return QString(digits <= 2 ? 3 : digits <= 5 ? 2 : 1, u'\t');
}

// The age of a step as minutes within the hour and seconds, empty when the
// step is not older than now.
QString ageText(const QDateTime &written, const QDateTime &now)
{
    const qint64 ms = written.msecsTo(now);
    if (ms <= 0)
        return {};
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2")
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

UndoHistory::UndoHistory(DataModule &data) : data(data), t(data.tables())
{
}

void UndoHistory::clearundo()
{
    t.undo.clear();
}

int UndoHistory::lastundonr(const QString &category, const QString &name, int sequence) const
{
    for (auto row = t.undo.crbegin(); row != t.undo.crend(); ++row) {
        if (ofSequence(*row, category, name, sequence))
            return row->Undonr;
    }
    return 0;
}

void UndoHistory::clearredo(const QString &category, const QString &name, int sequence)
{
    t.undo.removeIf([&](const UndoRow &row) {
        return row.Action == redoAction && ofSequence(row, category, name, sequence);
    });
}

void UndoHistory::clearhistory(const QString &category, const QString &name, int sequence)
{
    t.undo.removeIf([&](const UndoRow &row) { return ofSequence(row, category, name, sequence); });
}

void UndoHistory::moveUndoSequence(const QString &category, const QString &name, int sequence,
                                  int newNumber)
{
    for (UndoRow &row : t.undo) {
        if (ofSequence(row, category, name, sequence))
            row.Sequence = newNumber;
    }
}

void UndoHistory::recordadd(const QString &category, const QString &name, int sequence, int drawing, int partnr)
{
    clearredo(category, name, sequence);
    const QList<PartRow> rows = objectRows(data, drawing, partnr);
    if (!rows.isEmpty())
        writeStep(*this, t, category, name, sequence, u"Add " + DataModule::partkindname(rows.first().Type), rows);
}

void UndoHistory::recorddelete(const QString &category, const QString &name, int sequence, const QString &type,
                              int partnr, int drawing)
{
    clearredo(category, name, sequence);
    const QList<PartRow> rows = objectRows(data, drawing, partnr);
    if (!rows.isEmpty())
        writeStep(*this, t, category, name, sequence, u"Delete " + DataModule::partkindname(type), rows);
}

void UndoHistory::recordselection(const QString &category, const QString &name, int sequence,
                                 const QString &command, int drawing)
{
    clearredo(category, name, sequence);
    QList<PartRow> rows;
    for (const PartRow &part : std::as_const(t.parts)) {
        if (part.Drawingnr == drawing && part.Selected == 1 && !isCourt(part.Type))
            rows.append(part);
    }
    if (!rows.isEmpty())
        writeStep(*this, t, category, name, sequence, command, rows);
}

void UndoHistory::recordchange(const QString &category, const QString &name, int sequence,
                              const QString &detail, const QString &verb, const QString &type,
                              int partnr, int drawing)
{
    clearredo(category, name, sequence);
    const QList<PartRow> rows = objectRows(data, drawing, partnr);
    if (!rows.isEmpty())
        writeStep(*this, t, category, name, sequence,
                  QString(verb + u' ' + DataModule::partkindname(type) + u' ' + detail).trimmed(), rows);
}

void UndoHistory::recordRebuild(const QString &category, const QString &name, int sequence,
                               const QString &command, int drawing, const QList<PartRow> &before,
                               const QList<int> &newNumbers)
{
    clearredo(category, name, sequence);
    if (before.isEmpty() || before.size() != newNumbers.size())
        return;
    QHash<int, int> renumbered;
    QList<PartRow> rows;
    for (qsizetype i = 0; i < before.size(); ++i) {
        renumbered.insert(before[i].Partnr, newNumbers[i]);
        rows.append(partRow(drawing, newNumbers[i], before[i]));
    }
    for (UndoRow &row : t.undo) {
        if (row.Drawingnr == drawing && renumbered.contains(row.Partnr) && ofSequence(row, category, name, sequence))
            row.Partnr = renumbered.value(row.Partnr);
    }
    writeStep(*this, t, category, name, sequence, command, rows);
}

void UndoHistory::recordallcourts(const QString &category, const QString &name, int sequence)
{
    clearredo(category, name, sequence);
    // The court is found by its type: it is part 1 of a sketch the editor
    // made, but a drawing number given again after a deleted sequence
    // continues the old numbering.
    QList<PartRow> rows;
    for (int s = 1; s <= data.sequencecount(); ++s) {
        const int drawing = data.getdrawingnr(s);
        const auto court = std::find_if(t.parts.cbegin(), t.parts.cend(), [drawing](const PartRow &part) {
            return part.Drawingnr == drawing && isCourt(part.Type);
        });
        if (court != t.parts.cend())
            rows.append(*court);
    }
    if (!rows.isEmpty())
        writeStep(*this, t, category, name, sequence, QStringLiteral("Change all courts colors"), rows);
}

bool UndoHistory::hasundo(const QString &category, const QString &name, int sequence) const
{
    return lastundostep(category, name, sequence) > 0;
}

bool UndoHistory::hasredo(const QString &category, const QString &name, int sequence) const
{
    return firstredostep(category, name, sequence) > 0;
}

int UndoHistory::lastundostep(const QString &category, const QString &name, int sequence) const
{
    for (auto row = t.undo.crbegin(); row != t.undo.crend(); ++row) {
        if (row->Action == undoAction && ofSequence(*row, category, name, sequence))
            return row->Undonr;
    }
    return 0;
}

int UndoHistory::firstredostep(const QString &category, const QString &name, int sequence) const
{
    for (const UndoRow &row : t.undo) {
        if (row.Action == redoAction && ofSequence(row, category, name, sequence))
            return row.Undonr;
    }
    return 0;
}

void UndoHistory::undosteps(const QString &category, const QString &name, int sequence, int a, int b)
{
    // Undoing an older step while a newer one stays in effect would leave the
    // newer one naming parts that are gone, and a gap once the next step
    // drops the undone ones.
    StepPlayer player(data, category, name, sequence);
    const int lowest = std::max(1, std::min(a, b));
    for (int step = lastundostep(category, name, sequence); step >= lowest; --step)
        player.play(step, Way::Undo);
}

void UndoHistory::redosteps(const QString &category, const QString &name, int sequence, int a, int b)
{
    const int first = firstredostep(category, name, sequence);
    if (first == 0)
        return;
    StepPlayer player(data, category, name, sequence);
    const int highest = std::max(a, b);
    for (int step = first; step <= highest; ++step)
        player.play(step, Way::Redo);
}

QStringList UndoHistory::historylist(const QString &category, const QString &name, int sequence,
                                    const QDateTime &now) const
{
    QStringList lines;
    int previous = 0;
    for (auto row = t.undo.crbegin(); row != t.undo.crend(); ++row) {
        if (!ofSequence(*row, category, name, sequence) || row->Undonr == previous)
            continue;
        previous = row->Undonr;
        lines.append(u'\t' + QString::number(row->Undonr) + numberTabs(row->Undonr) + ageText(row->TST, now)
                     + u"\t\t\t" + row->Action + u"\t\t" + row->Command);
    }
    return lines;
}
