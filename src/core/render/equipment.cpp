#include "render/symbolcell.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// Markers and equipment are drawn in the part's colour (0 is black). In grey
// mode some keep the shade of their colour, the others turn black.
enum class InGrey { Shade, Black };

int markColor(const SymbolCell &cell, InGrey inGrey)
{
    if (cell.ghost)
        return Silver;
    if (cell.grey())
        return inGrey == InGrey::Shade ? grey(cell.part.color) : Black;
    return cell.part.color;
}

// Zooms such as 0.75 or 1.5 get a pen one pixel wider, so that thin
// equipment does not break up.
int fractionWidening(double zoom)
{
    return zoom - std::floor(zoom) > 0.05 ? 1 : 0;
}

// Calls plot(x, y) for each point of one octant of the midpoint circle of
// the radius (0 <= x <= y).
template <typename Plot>
void midpointOctant(int radius, Plot plot)
{
    int x = 0, y = radius, decision = 1 - radius;
    while (x <= y) {
        plot(x, y);
        if (decision < 0) {
            decision += 2 * x + 3;
        } else {
            decision += 2 * (x - y) + 5;
            --y;
        }
        ++x;
    }
}

struct Ball {
    double x1 = 0, y1 = 0; // top-left of the ball's cell
    bool solid = false;    // Ballf
    int color = 0;
};

// Small balls are set pixel by pixel so that they stay round at the sizes
// the sketch is mostly drawn at: the inside as vertical spans, then the rim.
void drawSmallBall(Canvas &canvas, QPoint centre, int radius, int fill, bool filled, int rim)
{
    const int cx = centre.x(), cy = centre.y();
    if (filled) {
        midpointOctant(radius, [&](int x, int y) {
            for (const int column : {cx - x, cx + x})
                canvas.fillRect(column, cy - y, column + 1, cy + y + 1, fill);
            for (const int column : {cx - y, cx + y})
                canvas.fillRect(column, cy - x, column + 1, cy + x + 1, fill);
        });
    }
    const int pen = canvas.penWidth();
    const auto dot = [&](int x, int y) {
        if (pen < 2) {
            canvas.setPixel(x, y, rim);
            return;
        }
        const int left = x - pen / 2, top = y - pen / 2;
        canvas.fillRect(left, top, left + pen + 1, top + pen + 1, rim);
    };
    for (int ring = radius; ring < radius + std::max(pen, 1); ++ring) {
        midpointOctant(ring, [&](int x, int y) {
            for (const QPoint p : {QPoint(x, y), QPoint(y, x)}) {
                dot(cx + p.x(), cy + p.y());
                dot(cx - p.x(), cy + p.y());
                dot(cx + p.x(), cy - p.y());
                dot(cx - p.x(), cy - p.y());
            }
        });
    }
}

void drawBall(Canvas &canvas, const Ball &ball, double zoom, bool ghost, bool greyMode)
{
    int rim = ball.color;
    int fill = ball.solid ? (ball.color != 0 ? ball.color : Yellow) : White;
    bool filled = true;
    if (greyMode) {
        rim = Black;
        if (ball.solid)
            fill = Black;
    }
    if (ghost) {
        rim = fill = Silver;
        filled = ball.solid;
    }
    if (zoom < 4) {
        const QPoint centre(rnd((ball.x1 + 10.5) * zoom), rnd((ball.y1 + 10.5) * zoom));
        drawSmallBall(canvas, centre, rnd(3 * zoom), fill, filled, rim);
        return;
    }
    canvas.setPenColor(rim);
    if (filled)
        canvas.setBrush(fill);
    else
        canvas.setBrushClear();
    canvas.ellipse(rnd((ball.x1 + 7) * zoom), rnd((ball.y1 + 7) * zoom), rnd((ball.x1 + 15) * zoom),
                   rnd((ball.y1 + 15) * zoom));
}

} // namespace

void drawCross(const SymbolCell &cell)
{
    const double s = cell.size, cx = cell.x1() + 10, cy = cell.y1() + 10;
    cell.canvas.setPenColor(markColor(cell, InGrey::Shade));
    if (cell.code == QLatin1String("crossf"))
        cell.canvas.setPenWidth(rnd(2 * cell.zoom));
    cell.line(cell.at(cx - 8 * s, cy - 8 * s), cell.at(cx + 8 * s, cy + 8 * s));
    cell.line(cell.at(cx + 8 * s, cy - 8 * s), cell.at(cx - 8 * s, cy + 8 * s));
}

void drawCoach(const SymbolCell &cell)
{
    const double s = cell.size;
    CanvasFont font;
    font.pointSize = rnd(15 * cell.zoom * s);
    cell.canvas.setFont(font);
    cell.canvas.setTextColor(markColor(cell, InGrey::Shade));
    cell.canvas.textOut(cell.px(cell.x1() + 10.5 - 6.5 * s), cell.px(cell.y1() + 10.5 - 10.5 * s),
                        QStringLiteral("C"));
}

void drawGoal(const SymbolCell &cell)
{
    const double z = cell.zoom;
    // At rotation 0 the crossbar lies across and the net below it.
    double phi = cell.part.rotation + 180.0;
    if (phi > 360)
        phi = cell.part.rotation - 180.0;
    const double rad = qDegreesToRadians(phi);
    const QPointF c(rnd((cell.x1() + 10.5) * z), rnd((cell.y1() + 10.5) * z));
    const QPointF a(std::cos(rad), std::sin(rad));
    const QPointF b(-std::sin(rad), std::cos(rad));
    const auto pixel = [](QPointF p) { return QPoint(rnd(p.x()), rnd(p.y())); };

    cell.canvas.setPen(markColor(cell, InGrey::Black), rnd(2 * z));
    cell.line(pixel(c - 13.5 * z * a), pixel(c + 13.5 * z * a));
    cell.canvas.polyline({pixel(c - 9.5 * z * a), pixel(c - 9.5 * z * a - 7 * z * b),
                          pixel(c + 9.5 * z * a - 7 * z * b), pixel(c + 9.5 * z * a)});
}

void drawPylon(const SymbolCell &cell)
{
    const double z = cell.zoom, x1 = cell.x1(), y1 = cell.y1();
    const int color = markColor(cell, InGrey::Black);
    cell.canvas.setPen(color, cell.canvas.penWidth() + fractionWidening(z));
    cell.canvas.setBrush(color);

    QList<QPoint> cone;
    QPoint baseFrom, baseTo;
    const int size = cell.part.Graphicnr;
    if ((size == 2 || size == 3) && z != 1) {
        // Medium and small scaled down from the large cone.
        const double k = size == 2 ? 0.75 : 0.5, cx = x1 + 10, cy = y1 + 10;
        cone = {cell.at(cx + k, cy - 9 * k), cell.at(cx + 6 * k, cy + 10 * k),
                cell.at(cx - 4 * k, cy + 10 * k)};
        baseFrom = cell.at(cx - 7 * k, cy + 9 * k);
        baseTo = cell.at(cx + 10 * k, cy + 11 * k);
    } else if (size == 2) {
        cone = {cell.at(x1 + 11, y1 + 3), cell.at(x1 + 15, y1 + 18), cell.at(x1 + 7, y1 + 18)};
        baseFrom = cell.at(x1 + 5, y1 + 17);
        baseTo = cell.at(x1 + 18, y1 + 19);
    } else if (size == 3) {
        cone = {cell.at(x1 + 11, y1 + 6), cell.at(x1 + 13, y1 + 16), cell.at(x1 + 9, y1 + 16)};
        baseFrom = cell.at(x1 + 7, y1 + 17);
        baseTo = cell.at(x1 + 16, y1 + 18);
    } else {
        cone = {cell.at(x1 + 11, y1 + 1), cell.at(x1 + 16, y1 + 20), cell.at(x1 + 6, y1 + 20)};
        baseFrom = cell.at(x1 + 3, y1 + 19);
        baseTo = cell.at(x1 + 20, y1 + 21);
    }
    cell.canvas.polygon(cone);
    cell.canvas.rectangle(baseFrom.x(), baseFrom.y(), baseTo.x(), baseTo.y());
}

void drawRack(const SymbolCell &cell)
{
    const double z = cell.zoom, x1 = cell.x1(), y1 = cell.y1();
    cell.canvas.setPen(markColor(cell, InGrey::Shade), rnd(2 * z) + fractionWidening(z));
    cell.canvas.setBrush(Black);
    cell.canvas.polyline({cell.at(x1 + 1, y1 + 3), cell.at(x1 + 1, y1 + 19),
                          cell.at(x1 + 21, y1 + 19), cell.at(x1 + 21, y1 + 3)});
    cell.line(cell.at(x1, y1 + 3), cell.at(x1 + 4, y1 + 3));
    cell.line(cell.at(x1 + 18, y1 + 3), cell.at(x1 + 22, y1 + 3));

    cell.canvas.setPenWidth(rnd(z));
    const int color = cell.part.color;
    for (const Ball &ball : {Ball{x1 - 4, y1 - 3, false, color}, Ball{x1 - 3, y1 + 3, true, color},
                             Ball{x1 + 5, y1 + 4, false, color}, Ball{x1 + 4, y1 - 3, true, color}})
        drawBall(cell.canvas, ball, z, cell.ghost, cell.grey());
}

void drawBall(const SymbolCell &cell)
{
    const Ball ball{cell.x1(), cell.y1(), cell.code == QLatin1String("ballf"), cell.part.color};
    drawBall(cell.canvas, ball, cell.zoom, cell.ghost, cell.grey());
}
