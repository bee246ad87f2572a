#include "editor/hittest.h"

#include "editor/selection.h"
#include "render/canvas.h"
#include "render/renderer.h"
#include "model/parttypes.h"

namespace {

// Symbols and balls sit in a cell of 22 pixels from their top-left corner.
constexpr int Cell = 21;
constexpr int CellCentre = 11;
constexpr long long NotFound = 100000;

long long squaredDistance(QPoint a, QPoint b)
{
    const long long dx = a.x() - b.x();
    const long long dy = a.y() - b.y();
    return dx * dx + dy * dy;
}

QPoint midpoint(const PartRow &part)
{
    return {rnd((part.x1 + part.x2) / 2.0), rnd((part.y1 + part.y2) / 2.0)};
}

// From (x1, y1) to (x1 + w, y1 + h), the text block's size added.
QRect textBox(const PartRow &part)
{
    const QSize size = textBlockSize(part);
    return QRect(QPoint(part.x1, part.y1), QPoint(part.x1 + size.width(), part.y1 + size.height()));
}

} // namespace

namespace HitTest {

int nearestObject(const SketchSelection &sketch, int drawing, QPoint point)
{
    const QList<PartRow> &parts = sketch.parts();
    long long best = NotFound;
    int found = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const PartRow &part = parts[i];
        if (part.Drawingnr != drawing || isCourt(part.Type))
            continue;
        QPoint centre;
        int candidate = part.Partnr;
        if (isEllipse(part.Type)) {
            centre = midpoint(part);
        } else if (is_symbol(part.Type) || is_ball(part.Type)) {
            centre = {part.x1 + CellCentre, part.y1 + CellCentre};
        } else if (isText(part.Type)) {
            const QSize size = textBlockSize(part);
            centre = {part.x1 + rnd(size.width() / 2.0), part.y1 + rnd(size.height() / 2.0)};
        } else if (isPolygonRow(part.Type)) {
            // A polygon is one candidate: the mean of its corners, found
            // at its closing row.
            long long sumX = 0;
            long long sumY = 0;
            int corners = 0;
            for (; i < parts.size(); ++i) {
                const PartRow &corner = parts[i];
                if (corner.Drawingnr != drawing)
                    continue;
                sumX += corner.x1;
                sumY += corner.y1;
                ++corners;
                candidate = corner.Partnr;
                if (corner.Type == PartType::PolyEnd)
                    break;
            }
            centre = {rnd(double(sumX) / corners), rnd(double(sumY) / corners)};
        } else if (is_line(part.Type)) {
            centre = midpoint(part);
        } else {
            continue;
        }
        const long long distance = squaredDistance(centre, point);
        if (distance < best) {
            best = distance;
            found = candidate;
        }
    }
    return found == 0 ? 0 : sketch.representative(drawing, found);
}

QRect objectBox(const SketchSelection &sketch, int drawing, int partnr)
{
    const PartRow *part = sketch.find(drawing, partnr);
    if (!part)
        return {};
    if (is_symbol(part->Type))
        return QRect(part->x1, part->y1, Cell + 1, Cell + 1);
    if (is_ball(part->Type))
        return QRect(part->x1 + 7, part->y1 + 7, 8, 8);
    if (isText(part->Type))
        return textBox(*part);
    if (isEllipse(part->Type))
        return QRect(QPoint(part->x1, part->y1), QPoint(part->x2, part->y2)).normalized();
    if (isRunRow(part->Type))
        return sketch.runbounds(drawing, partnr, part->Type).adjusted(-3, -3, 3, 3);
    return {};
}

bool onObject(const SketchSelection &sketch, int drawing, int partnr, QPoint point)
{
    const QRect box = objectBox(sketch, drawing, partnr);
    if (box.isNull())
        return false;
    const PartRow *part = sketch.find(drawing, partnr);
    if (is_symbol(part->Type) || is_ball(part->Type))
        return box.contains(point);
    return box.left() < point.x() && point.x() < box.right() && box.top() < point.y()
        && point.y() < box.bottom();
}

QRect selectionBox(const SketchSelection &sketch, int drawing)
{
    QRect box;
    for (const PartRow &part : sketch.parts()) {
        // A run is boxed once, through its end form.
        if (part.Drawingnr == drawing && part.Selected == 1
            && (!isRunRow(part.Type) || isRunEnd(part.Type)))
            box |= objectBox(sketch, drawing, part.Partnr);
    }
    return box;
}

bool inMarquee(const SketchSelection &sketch, int drawing, const PartRow &part, const QRect &marquee)
{
    const auto holds = [&marquee](int x, int y) {
        return marquee.left() <= x && x <= marquee.right() && marquee.top() <= y && y <= marquee.bottom();
    };
    if (is_symbol(part.Type))
        return holds(part.x1, part.y1) && holds(part.x1 + Cell, part.y1 + Cell);
    if (is_ball(part.Type))
        return holds(part.x1 + CellCentre, part.y1 + CellCentre);
    if (isEllipse(part.Type))
        return holds(part.x1, part.y1) && holds(part.x2, part.y2);
    if (isRunEnd(part.Type)) {
        const QRect box = sketch.runbounds(drawing, part.Partnr, part.Type);
        return holds(box.left(), box.top()) && holds(box.right(), box.bottom());
    }
    if (isText(part.Type)) {
        const QRect box = textBox(part);
        return holds(box.left(), box.top()) && holds(box.right(), box.bottom());
    }
    return false;
}

} // namespace HitTest
