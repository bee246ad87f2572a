#include "editor/historychoice.h"

namespace {

bool undoable(const QString &line)
{
    return line.contains(QLatin1String("Undo"));
}

} // namespace

HistoryChoice HistoryChoice::initial(const QStringList &lines)
{
    for (int row = 0; row < lines.size(); ++row) {
        if (undoable(lines[row]))
            return {{row}, true};
    }
    if (lines.isEmpty())
        return {{}, true};
    return {{int(lines.size()) - 1}, false};
}

HistoryChoice HistoryChoice::clicked(const QStringList &lines, int row)
{
    HistoryChoice choice;
    choice.undo = undoable(lines.value(row));
    for (int i = 0; i < lines.size(); ++i) {
        const bool wanted = choice.undo ? i <= row && undoable(lines[i])
                                        : i >= row && lines[i].contains(QLatin1String("Redo"));
        if (wanted)
            choice.rows.append(i);
    }
    return choice;
}

int HistoryChoice::firstStep(int lineCount) const
{
    return rows.isEmpty() ? 0 : lineCount - rows.first();
}

int HistoryChoice::lastStep(int lineCount) const
{
    return rows.isEmpty() ? 0 : lineCount - rows.last();
}
