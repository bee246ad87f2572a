#include "editor/sketcheditor.h"

#include "editor/editorshapes.h"
#include "editor/hittest.h"
#include "render/canvas.h"
#include "model/parttypes.h"
#include "store/playbook.h"

#include <algorithm>

using namespace EditorShapes;

namespace {

bool offenseSide(const QString &type)
{
    return playerKindsOfSide(true).contains(type);
}

bool defenseSide(const QString &type)
{
    return playerKindsOfSide(false).contains(type);
}

PartFields newPart(const QString &type, QPoint from, QPoint to)
{
    PartFields part;
    part.Type = type;
    part.x1 = qint16(from.x());
    part.y1 = qint16(from.y());
    part.x2 = qint16(to.x());
    part.y2 = qint16(to.y());
    part.color2 = -1;
    part.level = default_level(type);
    return part;
}

// An ellipse or polygon is an area: see-through, and drawn with a border.
PartFields areaPart(const QString &type, QPoint from, QPoint to)
{
    PartFields part = newPart(type, from, to);
    part.transparent = 1;
    part.extra3 = QStringLiteral("1");
    return part;
}

} // namespace

SketchEditor::SketchEditor(Playbook &session, EditorHost &host)
    : session(session), host(host), selection(session.data)
{
    lastText.color2 = -1;
    lastText.transparent = 1;
    lastText.extra3 = QStringLiteral("1");
}

// --- context ------------------------------------------------------------------------

int SketchEditor::sequence() const
{
    return host.sequence();
}

int SketchEditor::drawing() const
{
    return session.data.getdrawingnr(host.sequence());
}

const QString &SketchEditor::category() const
{
    return session.loadedCategory;
}

const QString &SketchEditor::play() const
{
    return session.loadedName;
}

QPoint SketchEditor::snap(QPoint point) const
{
    if (!session.runtime.snap)
        return point;
    const int grid = std::max(session.runtime.gridSize, 5);
    return {rnd(double(point.x()) / grid) * grid, rnd(double(point.y()) / grid) * grid};
}

void SketchEditor::changed()
{
    session.PlayModified = true;
}

// --- tools ---------------------------------------------------------------------------

void SketchEditor::chooseTool(Tool down)
{
    if (armed && lineInProgress)
        discardLine();
    armed = false;
    if (down == Tool::None) {
        current = Tool::None;
        return;
    }
    lineInProgress = false;
    host.setCurvedLinesEnabled(true);
    freeSelected();
    armed = true;
    current = down;
}

bool SketchEditor::drawsLines() const
{
    return armed && current != Tool::None && current != Tool::Text;
}

QString SketchEditor::toolName() const
{
    switch (current) {
    case Tool::Loop: return PartType::Loop;
    case Tool::Pass: return PartType::Pass;
    case Tool::Dribbel: return PartType::Dribble;
    case Tool::Screen: return PartType::Screen;
    case Tool::Shot: return PartType::Shot;
    case Tool::Fast: return PartType::Fast;
    case Tool::Back: return PartType::Back;
    case Tool::Ellipse: return PartType::Ellipse;
    case Tool::Poly: return PartType::Poly;
    case Tool::Text: return QStringLiteral("text");
    case Tool::None: break;
    }
    return {};
}

void SketchEditor::startLine(QPoint point)
{
    lineInProgress = true;
    host.setCurvedLinesEnabled(false);
    committed.clear();
    points.start(point);
}

void SketchEditor::commitSegment()
{
    if (current == Tool::Poly) {
        PartFields corner = areaPart(PartType::Poly, points.anchor, points.pointer);
        corner.thickness = 1;
        committed.append(session.data.addpart(drawing(), corner));
    } else if (current != Tool::Ellipse) {
        PartFields segment = newPart(toolName(), points.anchor, points.pointer);
        segment.thickness = 1;
        segment.rotation = curved;
        committed.append(session.data.addpart(drawing(), segment));
    }
    if (current != Tool::Ellipse) {
        changed();
        host.sketchChanged();
    }
    points.commit();
    showRubberBand();
}

void SketchEditor::finishLine()
{
    lineInProgress = false;
    host.setCurvedLinesEnabled(true);
    drawn.rubberLine.reset();
    drawn.rubberEllipse.reset();
    const int d = drawing();
    if (current == Tool::Ellipse) {
        const QPoint span = points.pointer - points.anchor;
        if (std::abs(span.x()) > 2 && std::abs(span.y()) > 2) {
            const int partnr = session.data.addpart(d, areaPart(PartType::Ellipse, points.anchor, points.pointer));
            session.undo.recordadd(category(), play(), sequence(), d, partnr);
            changed();
        }
        if (points.pointer != points.anchor)
            afterFinishing();
        else
            host.overlayChanged();
        return;
    }
    if (committed.isEmpty()) {
        // Nothing was stored; the tool stays armed.
        host.overlayChanged();
        return;
    }
    if (current == Tool::Poly) {
        // An area needs three corners; fewer are taken back.
        if (committed.size() < 2) {
            for (const int partnr : std::as_const(committed))
                session.data.deletepart(d, partnr);
        } else {
            PartFields closing = areaPart(PartType::PolyEnd, points.anchor, points.first);
            const int partnr = session.data.addpart(d, closing);
            session.undo.recordadd(category(), play(), sequence(), d, partnr);
        }
    } else {
        PartFields last;
        session.data.getpart(d, committed.last(), last);
        last.Type = line_end_code(last.Type);
        session.data.updatepart(d, committed.last(), last);
        session.undo.recordadd(category(), play(), sequence(), d, committed.last());
    }
    committed.clear();
    changed();
    afterFinishing();
}

void SketchEditor::afterFinishing()
{
    const Tool tool = current;
    if (!session.runtime.keepDown) {
        host.toolButtonsUp();
        chooseTool(Tool::None);
    } else {
        chooseTool(tool);
    }
    freeSelected();
}

// Takes back the rows stored for the unfinished line, and only those.
void SketchEditor::discardLine()
{
    lineInProgress = false;
    host.setCurvedLinesEnabled(true);
    drawn.rubberLine.reset();
    drawn.rubberEllipse.reset();
    if (committed.isEmpty()) {
        host.overlayChanged();
        return;
    }
    for (const int partnr : std::as_const(committed))
        session.data.deletepart(drawing(), partnr);
    committed.clear();
    changed();
    host.sketchChanged();
}

void SketchEditor::showRubberBand()
{
    drawn.rubberLine.reset();
    drawn.rubberEllipse.reset();
    if (lineInProgress) {
        if (current == Tool::Ellipse)
            drawn.rubberEllipse = QRect(points.anchor, points.pointer).normalized();
        else
            drawn.rubberLine = QLine(points.anchor, points.pointer);
    }
    host.overlayChanged();
}

void SketchEditor::placeText(QPoint point)
{
    PartFields text = lastText;
    text.Type = PartType::Text;
    text.x1 = qint16(point.x());
    text.y1 = qint16(point.y());
    text.x2 = text.y2 = 0;
    text.Graphicnr = 0;
    text.rotation = 0;
    text.tagnr = 0;
    text.level = default_level(PartType::Text);
    text.color2 = -1;
    text.transparent = 1;
    text.extra3 = QStringLiteral("1");
    text.extra4.clear();
    if (host.editSketchText(text) && !text.tekst.isEmpty()) {
        lastText = text;
        const int d = drawing();
        const int partnr = session.data.addpart(d, text);
        session.undo.recordadd(category(), play(), sequence(), d, partnr);
        changed();
    }
    host.toolButtonsUp();
    chooseTool(Tool::None);
    freeSelected();
}

// --- mouse -----------------------------------------------------------------------------

void SketchEditor::press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint point)
{
    if (drawing() <= 0)
        return;
    marqueeOn = false;
    drawn.marquee.reset();
    curved = curvedLines ? 1 : 0;
    if (drawsLines() && button == Qt::LeftButton) {
        const QPoint at = snap(point);
        if (!lineInProgress) {
            startLine(at);
            showRubberBand();
        } else if (points.pointer != points.anchor) {
            commitSegment();
        }
        return;
    }
    if (button == Qt::RightButton) {
        if (lineInProgress)
            finishLine();
        else if (const int partnr = HitTest::nearestObject(selection, drawing(), point))
            host.editProperties(drawing(), partnr);
        return;
    }
    if ((button == Qt::LeftButton || button == Qt::MiddleButton) && !armed)
        findclosest(point, modifiers);
}

void SketchEditor::move(Qt::KeyboardModifiers, QPoint point)
{
    if (drawing() <= 0)
        return;
    if (lineInProgress) {
        points.pointer = snap(point);
        showRubberBand();
    } else if (marqueeOn) {
        drawn.marquee = QRect(marqueeStart, snap(point)).normalized();
        host.overlayChanged();
    } else if (handlesShown && grabbed >= 0) {
        dragVertex(clampedToSketch(snap(point)));
    } else if (dragging) {
        const QRect box = HitTest::selectionBox(selection, drawing());
        drawn.dragBox = box.translated(point - dragOrigin);
        host.overlayChanged();
    } else {
        hover(point);
    }
}

void SketchEditor::release(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint point)
{
    if (drawing() <= 0)
        return;
    selectedFlag = selection.countselected(drawing()) > 0;
    if (marqueeOn) {
        finishMarquee(point, modifiers);
        return;
    }
    if (handlesShown && grabbed >= 0) {
        releaseVertex(clampedToSketch(snap(point)));
        return;
    }
    if (dragging) {
        dragging = false;
        drawn.dragBox.reset();
        host.setCursor(EditorCursor::Normal);
        // A drop near the start, or off the sketch, moves nothing.
        if (near(point, dragOrigin, DropSlack) || !insideSketch(point))
            host.overlayChanged();
        else if (moveselection(point.x() - dragOrigin.x(), point.y() - dragOrigin.y()))
            host.sketchChanged();
        else
            host.overlayChanged();
        return;
    }
    if (button == Qt::LeftButton && armed && current == Tool::Text)
        placeText(snap(point));
}

// --- palettes --------------------------------------------------------------------------

void SketchEditor::pickFromPalette()
{
    if (selectedFlag)
        freeSelected();
    host.toolButtonsUp();
    chooseTool(Tool::None);
}

void SketchEditor::dropSymbol(int graphicnr, const QString &type, QPoint point)
{
    const int d = drawing();
    if (d <= 0 || !(is_symbol(type) || is_ball(type)))
        return;
    PartFields symbol = newPart(type, snap(point - QPoint(10, 10)), {0, session.runtime.zoomFactor});
    symbol.Graphicnr = graphicnr;
    symbol.tagnr = session.data.findtagnr(type, graphicnr, sequence());
    const int partnr = session.data.addpart(d, symbol);
    session.undo.recordadd(category(), play(), sequence(), d, partnr);
    changed();
    host.sketchChanged();
    if (graphicnr > 0 && graphicnr < 14) {
        if (offenseSide(type))
            host.advancePalette(PaletteSide::Offense);
        else if (defenseSide(type))
            host.advancePalette(PaletteSide::Defense);
    }
}

// --- undo ----------------------------------------------------------------------------------

bool SketchEditor::hasUndoSteps() const
{
    return session.undo.hasundo(category(), play(), sequence());
}

bool SketchEditor::canRedo() const
{
    return session.undo.hasredo(category(), play(), sequence());
}

void SketchEditor::undo()
{
    if (drawing() <= 0)
        return;
    const int last = session.undo.lastundostep(category(), play(), sequence());
    if (!session.runtime.showHistory && canRedo()) {
        const int first = session.undo.firstredostep(category(), play(), sequence());
        session.undo.redosteps(category(), play(), sequence(), first, first);
        changed();
    } else if (last > 0) {
        session.undo.undosteps(category(), play(), sequence(), last, last);
        changed();
    }
    freeSelected();
}

void SketchEditor::redo()
{
    if (drawing() <= 0)
        return;
    const int first = session.undo.firstredostep(category(), play(), sequence());
    if (first > 0) {
        session.undo.redosteps(category(), play(), sequence(), first, first);
        changed();
    }
    freeSelected();
}
