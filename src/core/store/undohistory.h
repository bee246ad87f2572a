#pragma once

#include "model/tables.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class DataModule;

// The undo history of the sketches, kept in the undo table: each step
// holds full copies of the part rows it touched, and undo and redo apply the
// copies and flip the step's Action. A view over the tables of a DataModule,
// made wherever it is needed.
class UndoHistory {
public:
    explicit UndoHistory(DataModule &data);

    // Forgets every step of every play.
    void clearundo();
    // Every routine takes the key of the loaded play and the sequence first.
    // A step is recorded before its change (recordRebuild after it): the
    // rows of older undone steps are dropped, the step takes the number after
    // the last one, and each object is kept as its representative row
    // followed by the earlier rows of its run, walking back by number.
    int lastundonr(const QString &category, const QString &name, int sequence) const;
    void clearredo(const QString &category, const QString &name, int sequence);
    void clearhistory(const QString &category, const QString &name, int sequence);
    // Moves the whole history of a sequence to its new number.
    void moveUndoSequence(const QString &category, const QString &name, int sequence, int newNumber);
    // The object whose representative row is partnr, as "Add kind".
    void recordadd(const QString &category, const QString &name, int sequence, int drawing, int partnr);
    // The object, as "Delete kind"; called before the deletion.
    void recorddelete(const QString &category, const QString &name, int sequence, const QString &type,
                      int partnr, int drawing);
    // Every part with Selected 1 except the court, in storage order.
    void recordselection(const QString &category, const QString &name, int sequence, const QString &command,
                         int drawing);
    // One object as "verb kind detail" (blanks trimmed). Nothing is written
    // when the part does not exist.
    void recordchange(const QString &category, const QString &name, int sequence,
                      const QString &detail, const QString &verb, const QString &type, int partnr,
                      int drawing);
    // A run deleted and added again under new numbers (a vertex drag):
    // before holds the old rows as they were (representative first, then
    // walking back), newNumbers the numbers addpart gave the rebuilt rows in
    // the same order. Recorded as one step under command; rows of older steps
    // that named the old numbers name the new ones from now on. Nothing is
    // recorded when the two lists differ in length.
    void recordRebuild(const QString &category, const QString &name, int sequence, const QString &command,
                       int drawing, const QList<PartRow> &before, const QList<int> &newNumbers);
    // The court of the drawing of every sequence, as "Change all courts colors".
    void recordallcourts(const QString &category, const QString &name, int sequence);
    bool hasundo(const QString &category, const QString &name, int sequence) const;
    bool hasredo(const QString &category, const QString &name, int sequence) const;
    int lastundostep(const QString &category, const QString &name, int sequence) const;
    int firstredostep(const QString &category, const QString &name, int sequence) const;
    // Undoes the steps from the newest one in effect down to the lower of a
    // and b: a step is only ever undone together with every newer one.
    void undosteps(const QString &category, const QString &name, int sequence, int a, int b);
    // Redoes the steps from the oldest undone one up to the higher of a and b.
    void redosteps(const QString &category, const QString &name, int sequence, int a, int b);
    // The lines of the history window, newest step first: tab, number, tabs,
    // age "mm:ss" at now, three tabs, Action, two tabs, Command.
    QStringList historylist(const QString &category, const QString &name, int sequence,
                            const QDateTime &now) const;


private:
    DataModule &data;
    Tables &t;
};
