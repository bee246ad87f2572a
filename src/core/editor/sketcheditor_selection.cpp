#include "editor/sketcheditor.h"

#include "editor/editorshapes.h"
#include "editor/hittest.h"
#include "render/renderer.h"
#include "model/parttypes.h"
#include "store/playbook.h"


using namespace EditorShapes;

// The selection: the click, Ctrl-click and marquee, the marks, Select All,
// releasing and deleting.

namespace {

QRect square(int cx, int cy)
{
    return QRect(cx - 3, cy - 3, 6, 6);
}

} // namespace

// --- selection ---------------------------------------------------------------------------

void SketchEditor::findclosest(QPoint point, Qt::KeyboardModifiers modifiers)
{
    const int d = drawing();
    grabbed = -1;
    handlesShown = false;
    if (overHandle) {
        grabVertex(point);
        return;
    }
    if (modifiers & Qt::ShiftModifier) {
        marqueeStart = point;
        marqueeOn = true;
        drawn.marquee = QRect(point, point);
        host.overlayChanged();
        return;
    }
    const int object = HitTest::nearestObject(selection, d, point);
    if (modifiers & Qt::ControlModifier) {
        if (object) {
            selection.setObjectState(d, object, selection.isselected(d, object) ? 3 : 2);
            DrawSelectObjects();
        }
        return;
    }
    const bool wasSelected = object && selection.isselected(d, object);
    if (!wasSelected) {
        selection.clearselection(d);
        if (object)
            selection.setObjectState(d, object, 2);
        DrawSelectObjects();
    }
    if (object && HitTest::onObject(selection, d, object, point)) {
        dragOrigin = point;
        dragging = true;
        host.setCursor(EditorCursor::Dragging);
    } else if (wasSelected) {
        selection.clearselection(d);
        DrawSelectObjects();
    }
}

void SketchEditor::finishMarquee(QPoint point, Qt::KeyboardModifiers modifiers)
{
    const int d = drawing();
    const QRect box = QRect(marqueeStart, clampedToSketch(point)).normalized();
    if (!(modifiers & Qt::ControlModifier))
        selection.clearselection(d);
    QList<int> held;
    for (const PartRow &part : selection.parts()) {
        if (part.Drawingnr == d && !isCourt(part.Type) && part.Selected != 1
            && HitTest::inMarquee(selection, d, part, box))
            held.append(part.Partnr);
    }
    for (const int partnr : std::as_const(held))
        selection.setObjectState(d, partnr, 2);
    marqueeOn = false;
    drawn.marquee.reset();
    DrawSelectObjects();
    host.sketchChanged();
}

void SketchEditor::DrawSelectObjects()
{
    const int d = drawing();
    selection.settle(d);
    drawn.marks.clear();
    for (const PartRow &part : selection.parts()) {
        if (part.Drawingnr == d && part.Selected == 1)
            addMarks(part);
    }
    selectedFlag = selection.countselected(d) > 0;
    host.overlayChanged();
}

void SketchEditor::addMarks(const PartRow &part)
{
    const int x1 = part.x1;
    const int y1 = part.y1;
    if (is_symbol(part.Type)) {
        drawn.marks += {square(x1, y1), square(x1 + 21, y1), square(x1 + 21, y1 + 21), square(x1, y1 + 21)};
    } else if (is_ball(part.Type)) {
        const int bx = x1 + 7 + (((x1 + 7) % 2 == 0) ? 1 : 0);
        const int by = y1 + 7 + (((y1 + 7) % 2 == 0) ? 1 : 0);
        drawn.marks += {square(bx, by), square(bx + 7, by), square(bx + 7, by + 7), square(bx, by + 7)};
    } else if (isText(part.Type)) {
        const QSize size = textBlockSize(part);
        const int w = size.width();
        const int h = size.height();
        drawn.marks += {QRect(x1 - 5, y1 - 5, 6, 6), QRect(x1 + w, y1 - 5, 6, 6),
                        QRect(x1 - 5, y1 + h, 6, 6), QRect(x1 + w, y1 + h, 6, 6)};
    } else if (isEllipse(part.Type)) {
        drawn.marks += {square(x1, y1), square(x1, part.y2), square(part.x2, y1), square(part.x2, part.y2)};
    } else if (isRunRow(part.Type)) {
        drawn.marks += square(x1, y1);
        if (is_line_end(part.Type))
            drawn.marks += square(part.x2, part.y2);
    }
}

void SketchEditor::selectAll()
{
    const int d = drawing();
    if (d <= 0)
        return;
    selection.selectAll(d);
    DrawSelectObjects();
}

void SketchEditor::freeSelected()
{
    const int d = drawing();
    if (selectedFlag && d > 0) {
        selection.clearselection(d);
        selection.settle(d);
    }
    drawn.marks.clear();
    selectedFlag = false;
    overHandle = false;
    freeDrag();
    host.setCursor(EditorCursor::Normal);
    host.sketchChanged();
}

void SketchEditor::releaseAll()
{
    if (armed && lineInProgress)
        discardLine();
    host.toolButtonsUp();
    chooseTool(Tool::None);
    dragging = false;
    marqueeOn = false;
    drawn = {};
    // Also a selection left in a sequence shown before goes.
    selection.unselectAll();
    freeSelected();
}

void SketchEditor::deleteSelection()
{
    const int d = drawing();
    if (d <= 0)
        return;
    const int count = selection.countselected(d);
    if (count == 1) {
        QString type;
        int partnr = -1;
        if (selection.getselectedobject(d, type, partnr)) {
            session.undo.recorddelete(category(), play(), sequence(), type, partnr, d);
            session.data.deletepartchain(d, partnr, type);
            changed();
        }
        freeSelected();
    } else if (count > 1) {
        changed();
        session.undo.recordselection(category(), play(), sequence(), QStringLiteral("Delete selection"), d);
        selection.deleteselected(d);
        lineInProgress = false;
        committed.clear();
        host.setCurvedLinesEnabled(true);
        freeSelected();
    }
}

