#pragma once

#include <QList>
#include <QStringList>

// Which lines of the undo history window are chosen. The lines come newest
// first; a step can only be undone together with every newer undoable step,
// and redone together with every older redoable one.
struct HistoryChoice {
    QList<int> rows; // chosen lines, from the top, counted from 0
    bool undo = true;

    // The lines chosen when the window opens: the newest undoable step, or
    // the last line when nothing can be undone.
    static HistoryChoice initial(const QStringList &lines);
    // The lines chosen by a click on a line.
    static HistoryChoice clicked(const QStringList &lines, int row);

    // The range of step numbers the chosen lines stand for, newest first;
    // the steps are numbered 1..N from the bottom line up.
    int firstStep(int lineCount) const;
    int lastStep(int lineCount) const;
};
