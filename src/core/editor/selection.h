#pragma once

#include "model/tables.h"

#include <QList>
#include <QRect>
#include <QString>

class DataModule;

// The selection state of the parts of a sketch (PartRow::Selected):
// 0 not selected, 1 selected, 2 about to be selected, 3 about to be
// unselected. States 2 and 3 last until settle() makes them 1 and 0.
//
// An object is what the user sees as one thing. A line run or a polygon is
// one object represented by its end-form row ("ppass", "ppoly"); its earlier
// rows follow that row's state.
class SketchSelection {
public:
    explicit SketchSelection(DataModule &data) : data(data) {}

    // The parts of every sketch of the loaded play, in storage order.
    const QList<PartRow> &parts() const;
    const PartRow *find(int drawing, int partnr) const;

    void setselected(int drawing, int partnr, int state);
    bool isselected(int drawing, int partnr) const;
    // Every selected part of the drawing becomes "about to be unselected".
    void clearselection(int drawing);
    // Objects in state 1 or 2: a run counts once, through its end form.
    int countselected(int drawing) const;
    // The one selected object's representative row; false when not exactly
    // one object is selected.
    bool getselectedobject(int drawing, QString &type, int &partnr) const;
    void deleteselected(int drawing);
    // The box of the selected points (states 1 and 2); empty when nothing
    // is selected.
    QRect selectionbounds(int drawing) const;
    // The box of a run's points, or of a single part's two points.
    QRect runbounds(int drawing, int partnr, const QString &type) const;

    // Sets a state on an object and, for a run, on every earlier row.
    void setObjectState(int drawing, int partnr, int state);
    // The rows of a run from its representative row back to its first row
    // (just the part itself when it is no run).
    QList<int> runOf(int drawing, int partnr) const;
    // The representative row of the object a row belongs to: a line segment
    // or polygon corner leads forward to its run's end form.
    int representative(int drawing, int partnr) const;
    // States 2 and 3 become 1 and 0.
    void settle(int drawing);
    // Every part but the court that is not selected becomes "about to be
    // selected".
    void selectAll(int drawing);
    // No part of any sketch stays selected.
    void unselectAll();

private:
    PartRow *findRow(int drawing, int partnr);

    DataModule &data;
};
