#include "editor/sketcheditor.h"

#include "editor/editorshapes.h"
#include "platform/prompter.h"
#include "render/canvas.h"
#include "model/parttypes.h"
#include "store/playbook.h"

#include <algorithm>

using namespace EditorShapes;

// Moving: dragging the selection, the arrow keys and reshaping a line,
// polygon or ellipse by one of its vertices.

// --- moving ------------------------------------------------------------------------------

bool SketchEditor::key(int key)
{
    if (key == Qt::Key_Delete) {
        deleteSelection();
        return true;
    }
    if (!selectedFlag)
        return false;
    QPoint step;
    switch (key) {
    case Qt::Key_Left: step = {-1, 0}; break;
    case Qt::Key_Right: step = {1, 0}; break;
    case Qt::Key_Up: step = {0, -1}; break;
    case Qt::Key_Down: step = {0, 1}; break;
    default: return false;
    }
    if (moveselection(step.x(), step.y()))
        host.sketchChanged();
    return true;
}

// Moves the selected objects; a single object snaps to the grid. The
// result is checked before anything changes, snapping included, so nothing
// ends outside the sketch. False when nothing moved.
bool SketchEditor::moveselection(int dx, int dy)
{
    const int d = drawing();
    const int count = selection.countselected(d);
    if (count == 0)
        return false;
    const bool snapping = count == 1 && session.runtime.snap;
    const int grid = std::max(session.runtime.gridSize, 5);
    const auto snapped = [&](QPoint point) { return snapping ? snap(point) : point; };
    const QPoint lineOffset = snapping ? QPoint(rnd(double(dx) / grid) * grid, rnd(double(dy) / grid) * grid)
                                       : QPoint(dx, dy);

    QList<PartRow> moved;
    bool outside = false;
    bool anyChange = false;
    for (const PartRow &part : selection.parts()) {
        if (part.Drawingnr != d || part.Selected != 1)
            continue;
        PartRow row = part;
        QList<QPoint> bounded;
        if (is_symbol(row.Type) || is_ball(row.Type) || isText(row.Type)) {
            const QPoint at = snapped(QPoint(row.x1 + dx, row.y1 + dy));
            row.x1 = qint16(at.x());
            row.y1 = qint16(at.y());
            bounded = {at};
        } else if (isEllipse(row.Type)) {
            const QPoint size(row.x2 - row.x1, row.y2 - row.y1);
            const QPoint at = snapped(QPoint(row.x1 + dx, row.y1 + dy));
            row.x1 = qint16(at.x());
            row.y1 = qint16(at.y());
            row.x2 = qint16(at.x() + size.x());
            row.y2 = qint16(at.y() + size.y());
            bounded = {at, at + size};
        } else if (isRunRow(row.Type)) {
            row.x1 = qint16(row.x1 + lineOffset.x());
            row.y1 = qint16(row.y1 + lineOffset.y());
            row.x2 = qint16(row.x2 + lineOffset.x());
            row.y2 = qint16(row.y2 + lineOffset.y());
            bounded = {QPoint(row.x1, row.y1)};
            if (isRunEnd(row.Type))
                bounded += QPoint(row.x2, row.y2);
        }
        for (const QPoint &point : std::as_const(bounded))
            outside = outside || !insideSketch(point);
        anyChange = anyChange || row.x1 != part.x1 || row.y1 != part.y1 || row.x2 != part.x2
                 || row.y2 != part.y2;
        moved.append(row);
    }
    if (outside) {
        session.prompter.inform(QStringLiteral("Move outside the sketch not possible"));
        return false;
    }
    if (!anyChange)
        return false;
    if (count > 1) {
        session.undo.recordselection(category(), play(), sequence(), QStringLiteral("Move selection"), d);
    } else {
        QString type;
        int partnr = -1;
        selection.getselectedobject(d, type, partnr);
        session.undo.recordchange(category(), play(), sequence(), {}, QStringLiteral("Move"), type, partnr, d);
    }
    for (const PartRow &row : std::as_const(moved))
        session.data.updatepart(d, row.Partnr, row);
    changed();
    DrawSelectObjects();
    return true;
}

void SketchEditor::hover(QPoint point)
{
    const int d = drawing();
    const bool before = overHandle;
    overHandle = false;
    if (selectedFlag && grabbed < 0 && selection.countselected(d) == 1) {
        for (const PartRow &part : selection.parts()) {
            if (part.Drawingnr != d || part.Selected != 1
                || !(isRunRow(part.Type) || isEllipse(part.Type)))
                continue;
            QList<QPoint> corners{{part.x1, part.y1}, {part.x2, part.y2}};
            if (isEllipse(part.Type))
                corners += {QPoint(part.x1, part.y2), QPoint(part.x2, part.y1)};
            overHandle = std::any_of(corners.cbegin(), corners.cend(),
                                     [&](QPoint corner) { return near(point, corner, HandleReach); });
            if (overHandle)
                break;
        }
    }
    if (overHandle != before)
        host.setCursor(overHandle ? EditorCursor::OverHandle : EditorCursor::Normal);
}

void SketchEditor::grabVertex(QPoint point)
{
    const int d = drawing();
    const PartRow *object = nullptr;
    for (const PartRow &part : selection.parts()) {
        if (part.Drawingnr == d && part.Selected == 1
            && (isRunEnd(part.Type) || isEllipse(part.Type))) {
            object = &part;
            break;
        }
    }
    if (!object)
        return;
    grab = *object;
    handles.clear();
    if (isEllipse(grab.Type)) {
        const QRect box = QRect(QPoint(grab.x1, grab.y1), QPoint(grab.x2, grab.y2)).normalized();
        grab.x1 = qint16(box.left());
        grab.y1 = qint16(box.top());
        grab.x2 = qint16(box.right());
        grab.y2 = qint16(box.bottom());
        handles = {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()};
    } else {
        handles = {QPoint(grab.x2, grab.y2), QPoint(grab.x1, grab.y1)};
        for (const int earlier : selection.runOf(d, grab.Partnr).mid(1)) {
            const PartRow *row = selection.find(d, earlier);
            handles.append(QPoint(row->x1, row->y1));
        }
    }
    for (int i = int(handles.size()) - 1; i >= 0; --i) {
        if (near(point, handles[i], HandleReach)) {
            grabbed = i;
            break;
        }
    }
    if (grabbed < 0)
        return;
    handlesShown = true;
    showOutline();
}

void SketchEditor::dragVertex(QPoint point)
{
    const int last = int(handles.size()) - 1;
    if (isEllipse(grab.Type)) {
        const QPoint topLeft = handles[0];
        const QPoint bottomRight = handles[3];
        QPoint from;
        QPoint to;
        switch (grabbed) {
        case 0: from = point; to = bottomRight; break;
        case 1: from = {topLeft.x(), point.y()}; to = {point.x(), bottomRight.y()}; break;
        case 2: from = {point.x(), topLeft.y()}; to = {bottomRight.x(), point.y()}; break;
        default: from = topLeft; to = point; break;
        }
        handles = {from, QPoint(to.x(), from.y()), QPoint(from.x(), to.y()), to};
    } else if (grab.Type == PartType::PolyEnd && (grabbed == 0 || grabbed == last)) {
        // The first corner is both the start and the end of the outline.
        handles[0] = point;
        handles[last] = point;
    } else {
        handles[grabbed] = point;
    }
    showOutline();
}

void SketchEditor::releaseVertex(QPoint point)
{
    dragVertex(point);
    const int d = drawing();
    handlesShown = false;
    drawn.outline.clear();
    drawn.outlineEllipse.reset();
    if (isEllipse(grab.Type)) {
        PartFields box = grab;
        box.x1 = qint16(handles[0].x());
        box.y1 = qint16(handles[0].y());
        box.x2 = qint16(handles[3].x());
        box.y2 = qint16(handles[3].y());
        PartFields stored;
        if (session.data.getpart(d, grab.Partnr, stored) && !(stored == box)) {
            session.undo.recordchange(category(), play(), sequence(), QStringLiteral("point"),
                                      QStringLiteral("Move"), PartType::Ellipse, grab.Partnr, d);
            session.data.updatepart(d, grab.Partnr, box);
            static_cast<PartFields &>(grab) = box;
            changed();
        }
        DrawSelectObjects();
        host.sketchChanged();
        return;
    }

    // The run is stored again under new numbers, first segment first, all
    // of it with the attributes of its end-form row.
    const QList<int> oldRows = selection.runOf(d, grab.Partnr);
    QList<PartRow> before;
    bool moved = false;
    for (qsizetype k = 0; k < oldRows.size(); ++k) {
        const PartRow *row = selection.find(d, oldRows[k]);
        before.append(*row);
        moved = moved || QPoint(row->x2, row->y2) != handles[k] || QPoint(row->x1, row->y1) != handles[k + 1];
    }
    if (!moved || before.size() + 1 != handles.size()) {
        DrawSelectObjects();
        host.sketchChanged();
        return;
    }
    session.data.deletepartchain(d, grab.Partnr, grab.Type);
    QList<int> rebuilt;
    for (int k = int(handles.size()) - 2; k >= 0; --k) {
        PartFields row = grab;
        row.Type = k == 0 ? grab.Type : grab.Type.mid(1);
        row.x1 = qint16(handles[k + 1].x());
        row.y1 = qint16(handles[k + 1].y());
        row.x2 = qint16(handles[k].x());
        row.y2 = qint16(handles[k].y());
        rebuilt.prepend(session.data.addpart(d, row));
    }
    session.undo.recordRebuild(category(), play(), sequence(),
                               QStringLiteral("Move %1 point").arg(DataModule::partkindname(grab.Type)), d,
                               before, rebuilt);
    for (const int partnr : std::as_const(rebuilt))
        selection.setselected(d, partnr, 1);
    grab.Partnr = rebuilt.first();
    grab.x1 = qint16(handles[1].x());
    grab.y1 = qint16(handles[1].y());
    grab.x2 = qint16(handles[0].x());
    grab.y2 = qint16(handles[0].y());
    changed();
    DrawSelectObjects();
    host.sketchChanged();
}

void SketchEditor::showOutline()
{
    drawn.outline.clear();
    drawn.outlineEllipse.reset();
    if (isEllipse(grab.Type))
        drawn.outlineEllipse = QRect(handles[0], handles[3]).normalized();
    else
        drawn.outline = QPolygon(QList<QPoint>(handles.cbegin(), handles.cend()));
    host.overlayChanged();
}

void SketchEditor::freeDrag()
{
    handlesShown = false;
    grabbed = -1;
    handles.clear();
    drawn.outline.clear();
    drawn.outlineEllipse.reset();
}

