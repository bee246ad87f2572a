#include "editor/sketcheditor.h"

#include "editor/hittest.h"
#include "platform/prompter.h"
#include "render/canvas.h"
#include "render/renderer.h"
#include "render/vocabulary.h"
#include "shell/playbrowser.h"
#include "shell/session.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int SketchRight = 289;
constexpr int SketchBottom = 361;
// A drop this close to where the drag started moves nothing.
constexpr int DropSlack = 3;
// How near the pointer must be to a vertex to grab it.
constexpr int HandleReach = 3;

const QString CourtType = QStringLiteral("Court");
const QString TextType = QStringLiteral("Text");
const QString EllipseType = QStringLiteral("ellipse");
const QString PolyType = QStringLiteral("poly");
const QString PolyEnd = QStringLiteral("ppoly");

bool offenseSide(const QString &type)
{
    static const QStringList kinds{"Otriangl", "Ocross", "Ochair", "Circle", "Osquare", "Opop"};
    return kinds.contains(type);
}

bool defenseSide(const QString &type)
{
    static const QStringList kinds{"Triangle", "Ncross", "Dchair", "Dcircle", "Dsquare", "Dpop"};
    return kinds.contains(type);
}

bool insideSketch(QPoint point)
{
    return point.x() >= 0 && point.x() <= SketchRight && point.y() >= 0 && point.y() <= SketchBottom;
}

bool near(QPoint a, QPoint b, int reach)
{
    return std::abs(a.x() - b.x()) <= reach && std::abs(a.y() - b.y()) <= reach;
}

QRect square(int cx, int cy)
{
    return QRect(cx - 3, cy - 3, 6, 6);
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

SketchEditor::SketchEditor(Session &session, PlayBrowser &browser, EditorHost &host)
    : session(session), browser(browser), host(host), selection(session.data)
{
    lastText.color2 = -1;
    lastText.transparent = 1;
    lastText.extra3 = QStringLiteral("1");
}

// --- context ------------------------------------------------------------------------

int SketchEditor::sequence() const
{
    return browser.sequence();
}

int SketchEditor::drawing() const
{
    return session.data.getdrawingnr(browser.sequence());
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
    case Tool::Loop: return QStringLiteral("loop");
    case Tool::Pass: return QStringLiteral("pass");
    case Tool::Dribbel: return QStringLiteral("dribbel");
    case Tool::Screen: return QStringLiteral("screen");
    case Tool::Shot: return QStringLiteral("shot");
    case Tool::Fast: return QStringLiteral("fast");
    case Tool::Back: return QStringLiteral("back");
    case Tool::Ellipse: return EllipseType;
    case Tool::Poly: return PolyType;
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
    F = S = A = M = point;
}

void SketchEditor::commitSegment()
{
    if (current == Tool::Poly) {
        PartFields corner = areaPart(PolyType, A, M);
        corner.thickness = 1;
        committed.append(session.data.addpart(drawing(), corner));
    } else if (current != Tool::Ellipse) {
        PartFields segment = newPart(toolName(), A, M);
        segment.thickness = 1;
        segment.rotation = curved;
        committed.append(session.data.addpart(drawing(), segment));
    }
    if (current != Tool::Ellipse) {
        changed();
        host.sketchChanged();
    }
    S = A;
    A = M;
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
        if (M != A && std::abs(A.x() - M.x()) > 2 && std::abs(A.y() - M.y()) > 2) {
            const int partnr = session.data.addpart(d, areaPart(EllipseType, A, M));
            session.data.recordadd(category(), play(), sequence(), d, partnr);
            changed();
        }
        if (M != A)
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
            PartFields closing = areaPart(PolyEnd, A, F);
            const int partnr = session.data.addpart(d, closing);
            session.data.recordadd(category(), play(), sequence(), d, partnr);
        }
    } else {
        PartFields last;
        session.data.getpart(d, committed.last(), last);
        last.Type = line_end_code(last.Type);
        session.data.updatepart(d, committed.last(), last);
        session.data.recordadd(category(), play(), sequence(), d, committed.last());
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
            drawn.rubberEllipse = QRect(A, M).normalized();
        else
            drawn.rubberLine = QLine(A, M);
    }
    host.overlayChanged();
}

void SketchEditor::placeText(QPoint point)
{
    PartFields text = lastText;
    text.Type = TextType;
    text.x1 = qint16(point.x());
    text.y1 = qint16(point.y());
    text.x2 = text.y2 = 0;
    text.Graphicnr = 0;
    text.rotation = 0;
    text.tagnr = 0;
    text.level = default_level(TextType);
    text.color2 = -1;
    text.transparent = 1;
    text.extra3 = QStringLiteral("1");
    text.extra4.clear();
    if (host.editSketchText(text) && !text.tekst.isEmpty()) {
        lastText = text;
        const int d = drawing();
        const int partnr = session.data.addpart(d, text);
        session.data.recordadd(category(), play(), sequence(), d, partnr);
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
        } else if (M != A) {
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
        M = snap(point);
        showRubberBand();
    } else if (marqueeOn) {
        drawn.marquee = QRect(marqueeStart, snap(point)).normalized();
        host.overlayChanged();
    } else if (handlesShown && grabbed >= 0) {
        dragVertex(snap(point));
    } else if (dragging) {
        const QRect box = selection.selectionbounds(drawing());
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
        releaseVertex(snap(point));
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
    session.data.recordadd(category(), play(), sequence(), d, partnr);
    changed();
    host.sketchChanged();
    if (graphicnr > 0 && graphicnr < 14) {
        if (offenseSide(type))
            host.advancePalette(PaletteSide::Offense);
        else if (defenseSide(type))
            host.advancePalette(PaletteSide::Defense);
    }
}

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
    const QPoint corner(std::clamp(point.x(), 0, SketchRight), std::clamp(point.y(), 0, SketchBottom));
    const QRect box = QRect(marqueeStart, corner).normalized();
    if (!(modifiers & Qt::ControlModifier))
        selection.clearselection(d);
    QList<int> held;
    for (const PartRow &part : selection.parts()) {
        if (part.Drawingnr == d && part.Type != CourtType && part.Selected != 1
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
    } else if (part.Type == TextType) {
        const QSize size = text_block_size(part);
        const int w = size.width();
        const int h = size.height();
        drawn.marks += {QRect(x1 - 5, y1 - 5, 6, 6), QRect(x1 + w, y1 - 5, 6, 6),
                        QRect(x1 - 5, y1 + h, 6, 6), QRect(x1 + w, y1 + h, 6, 6)};
    } else if (part.Type == EllipseType) {
        drawn.marks += {square(x1, y1), square(x1, part.y2), square(part.x2, y1), square(part.x2, part.y2)};
    } else if (is_run_row(part.Type)) {
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
    // Every selection of the drawing goes, also one left from a sequence
    // shown before.
    for (PartRow &part : session.tables.parts)
        part.Selected = 0;
    selectedFlag = true;
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
            session.data.recorddelete(category(), play(), sequence(), type, partnr, d);
            session.data.deletepartchain(d, partnr, type);
            changed();
        }
        freeSelected();
    } else if (count > 1) {
        changed();
        session.data.recordselection(category(), play(), sequence(), QStringLiteral("Delete selection"), d);
        selection.deleteselected(d);
        lineInProgress = false;
        committed.clear();
        host.setCurvedLinesEnabled(true);
        freeSelected();
    }
}

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
        if (is_symbol(row.Type) || is_ball(row.Type) || row.Type == TextType) {
            const QPoint at = snapped(QPoint(row.x1 + dx, row.y1 + dy));
            row.x1 = qint16(at.x());
            row.y1 = qint16(at.y());
            bounded = {at};
        } else if (row.Type == EllipseType) {
            const QPoint size(row.x2 - row.x1, row.y2 - row.y1);
            const QPoint at = snapped(QPoint(row.x1 + dx, row.y1 + dy));
            row.x1 = qint16(at.x());
            row.y1 = qint16(at.y());
            row.x2 = qint16(at.x() + size.x());
            row.y2 = qint16(at.y() + size.y());
            bounded = {at, at + size};
        } else if (is_run_row(row.Type)) {
            row.x1 = qint16(row.x1 + lineOffset.x());
            row.y1 = qint16(row.y1 + lineOffset.y());
            row.x2 = qint16(row.x2 + lineOffset.x());
            row.y2 = qint16(row.y2 + lineOffset.y());
            bounded = {QPoint(row.x1, row.y1)};
            if (is_run_end(row.Type))
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
        session.data.recordselection(category(), play(), sequence(), QStringLiteral("Move selection"), d);
    } else {
        QString type;
        int partnr = -1;
        selection.getselectedobject(d, type, partnr);
        session.data.recordchange(category(), play(), sequence(), {}, QStringLiteral("Move"), type, partnr, d);
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
                || !(is_line(part.Type) || part.Type == EllipseType || part.Type == PolyType
                     || part.Type == PolyEnd))
                continue;
            QList<QPoint> corners{{part.x1, part.y1}, {part.x2, part.y2}};
            if (part.Type == EllipseType)
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
            && (is_line_end(part.Type) || part.Type == EllipseType || part.Type == PolyEnd)) {
            object = &part;
            break;
        }
    }
    if (!object)
        return;
    grab = *object;
    handles.clear();
    if (grab.Type == EllipseType) {
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
    if (grab.Type == EllipseType) {
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
    } else if (grab.Type == PolyEnd && (grabbed == 0 || grabbed == last)) {
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
    if (grab.Type == EllipseType) {
        PartFields box = grab;
        box.x1 = qint16(handles[0].x());
        box.y1 = qint16(handles[0].y());
        box.x2 = qint16(handles[3].x());
        box.y2 = qint16(handles[3].y());
        PartFields stored;
        if (session.data.getpart(d, grab.Partnr, stored) && !(stored == box)) {
            session.data.recordchange(category(), play(), sequence(), QStringLiteral("point"),
                                      QStringLiteral("Move"), EllipseType, grab.Partnr, d);
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
    session.data.recordrebuild(category(), play(), sequence(),
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
    if (grab.Type == EllipseType)
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

// --- undo ----------------------------------------------------------------------------------

bool SketchEditor::hasUndoSteps() const
{
    return session.data.hasundo(category(), play(), sequence());
}

bool SketchEditor::canRedo() const
{
    return session.data.hasredo(category(), play(), sequence());
}

void SketchEditor::undo()
{
    if (drawing() <= 0)
        return;
    const int last = session.data.lastundostep(category(), play(), sequence());
    if (!session.runtime.showHistory && canRedo()) {
        const int first = session.data.firstredostep(category(), play(), sequence());
        session.data.redosteps(category(), play(), sequence(), first, first);
        changed();
    } else if (last > 0) {
        session.data.undosteps(category(), play(), sequence(), last, last);
        changed();
    }
    freeSelected();
}

void SketchEditor::redo()
{
    if (drawing() <= 0)
        return;
    const int first = session.data.firstredostep(category(), play(), sequence());
    if (first > 0) {
        session.data.redosteps(category(), play(), sequence(), first, first);
        changed();
    }
    freeSelected();
}
