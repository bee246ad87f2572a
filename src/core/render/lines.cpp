// Swims, passes, dribbles, screens and shots: straight segments with their
// end marks, and curved runs through a uniform cubic B-spline.

#include "render/renderer.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// A hostile file must not ask for a pen wider than any picture.
constexpr int MaxThickness = 100;

int lineColor(int color, bool ghost, const RenderContext &context)
{
    if (ghost)
        return Silver;
    return context.grey ? grey(color) : color;
}

// Sets the line's colour and its width (the width set by the caller times the
// part's thickness) and gives the caller's width back afterwards.
class LinePen {
public:
    LinePen(Canvas &canvas, int color, int thickness) : canvas(canvas), saved(canvas.penWidth())
    {
        canvas.setMode(Canvas::Mode::Copy);
        canvas.setPen(color, saved * std::clamp(thickness, 1, MaxThickness));
    }
    ~LinePen() { canvas.setPenWidth(saved); }
    LinePen(const LinePen &) = delete;
    LinePen &operator=(const LinePen &) = delete;

private:
    Canvas &canvas;
    int saved;
};

QPoint pixel(QPointF point)
{
    return {rnd(point.x()), rnd(point.y())};
}

void strokeLine(Canvas &canvas, QPointF from, QPointF to)
{
    const QPoint a = pixel(from), b = pixel(to);
    canvas.line(a.x(), a.y(), b.x(), b.y());
}

void lineTo(Canvas &canvas, QPointF to)
{
    const QPoint p = pixel(to);
    canvas.lineTo(p.x(), p.y());
}

void moveTo(Canvas &canvas, QPointF to)
{
    const QPoint p = pixel(to);
    canvas.moveTo(p.x(), p.y());
}

// The direction of a segment. The angle is measured with y pointing up and
// lies between -90 and 90 degrees, or is 90 or 270 for vertical segments, so
// it names the direction only up to its sense; unit points from the start
// towards the end. x values are compared at a hundredth.
struct Direction {
    double degrees = 0;
    QPointF unit{1, 0};
    bool towardsSmallerX = false;
};

Direction directionOf(QPointF from, QPointF to)
{
    const int fromX = rnd(from.x() * 100), toX = rnd(to.x() * 100);
    Direction d;
    if (fromX == toX && rnd(from.y() * 100) == rnd(to.y() * 100))
        return d;
    if (fromX != toX)
        d.degrees = qRadiansToDegrees(std::atan((to.y() - from.y()) / (from.x() - to.x())));
    else
        d.degrees = from.y() <= to.y() ? 270 : 90;
    const double radians = qDegreesToRadians(d.degrees);
    d.unit = {std::cos(radians), -std::sin(radians)};
    d.towardsSmallerX = fromX > toX;
    if (d.towardsSmallerX)
        d.unit = -d.unit;
    return d;
}

double distance(QPointF a, QPointF b)
{
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

double squaredDistance(QPointF a, QPointF b)
{
    const QPointF d = b - a;
    return QPointF::dotProduct(d, d);
}

// Screen point at the given angle (degrees, y up) on a circle.
QPointF onCircle(QPointF centre, double radius, double degrees)
{
    const double radians = qDegreesToRadians(degrees);
    return centre + QPointF(radius * std::cos(radians), -radius * std::sin(radians));
}

// An arc drawn as a polyline in steps of one degree, from one angle to the
// other in either sense.
void arcPolyline(Canvas &canvas, QPointF centre, double radius, int fromDegrees, int toDegrees)
{
    const int step = fromDegrees <= toDegrees ? 1 : -1;
    moveTo(canvas, onCircle(centre, radius, fromDegrees));
    for (int a = fromDegrees + step; a != toDegrees + step; a += step)
        lineTo(canvas, onCircle(centre, radius, a));
}

enum class LineKind { Move, Pass, Dribble, Screen, Nothing };

LineKind kindOf(const QString &type)
{
    const QString code = type.toLower();
    if (code == u"loop" || code == u"ploop" || code == u"shot" || code == u"pshot")
        return LineKind::Move;
    if (code == u"pass" || code == u"ppass")
        return LineKind::Pass;
    if (code == u"dribbel" || code == u"pdribbel")
        return LineKind::Dribble;
    if (code == u"screen" || code == u"pscreen")
        return LineKind::Screen;
    return LineKind::Nothing;
}

// Dashes of 1.5 w with gaps of 1.5 w after a first dash, the rest solid.
void passBody(Canvas &canvas, QPointF from, QPointF to, double zoom)
{
    const double length = distance(from, to);
    const double w = std::max(rnd(3 * zoom), 1);
    if (2 * w >= length) {
        strokeLine(canvas, from, to);
        return;
    }
    const QPointF d = directionOf(from, to).unit;
    strokeLine(canvas, from, from + 1.5 * w * d);
    double covered = 0;
    for (; covered < length - 6 * w; covered += 3 * w)
        strokeLine(canvas, from + (3 * w + covered) * d, from + (4.5 * w + covered) * d);
    strokeLine(canvas, from + (1.5 * w + covered) * d, to);
}

// A short straight start, then half circles of radius 2z on alternating
// sides, a pair at a time, then straight on to the end.
void dribbleBody(Canvas &canvas, QPointF from, QPointF to, double zoom)
{
    const double length = distance(from, to);
    const double step = 4 * zoom;
    if (step >= length) {
        strokeLine(canvas, from, to);
        return;
    }
    const Direction direction = directionOf(from, to);
    const QPointF d = direction.unit;
    const int theta = rnd(direction.degrees);
    strokeLine(canvas, from, from + step * d);
    double covered = 0;
    int arcs = 0;
    do {
        for (int k = 0; k < 2 && covered < length - 8 * zoom; ++k) {
            const int start = theta + (arcs % 2 == 0 ? 0 : 180);
            arcPolyline(canvas, from + (6 * zoom + covered) * d, 2 * zoom, start - 1, start + 181);
            covered += step;
            ++arcs;
        }
    } while (covered < length - 16 * zoom);
    strokeLine(canvas, from + (step + covered) * d, to);
}

bool validZoom(double zoom)
{
    return std::isfinite(zoom) && zoom > 0;
}

// --- curves ---------------------------------------------------------------------

// The uniform cubic B-spline kernel.
double kernel(double t)
{
    if (t <= -2 || t >= 2)
        return 0;
    if (t <= -1)
        return std::pow(t + 2, 3) / 6;
    if (t <= 0)
        return (4 - 6 * t * t - 3 * t * t * t) / 6;
    if (t <= 1)
        return (4 - 6 * t * t + 3 * t * t * t) / 6;
    return std::pow(2 - t, 3) / 6;
}

// Visits the curve points between P1 and Pn (sketch units), stepsPerPoint
// steps per point of the list; the stretches towards the phantom points are
// left out. The points are made one at a time: a long run at a large zoom has
// millions of them.
template <typename Visit>
void forEachCurvePoint(const QList<QPointF> &points, int stepsPerPoint, Visit visit)
{
    const qsizetype m = points.size();
    const qsizetype steps = m * stepsPerPoint;
    for (qsizetype i = stepsPerPoint + 1; i < steps - 2 * stepsPerPoint; ++i) {
        const double u = double(i) / stepsPerPoint;
        const qsizetype j = rnd(u) - 2;
        QPointF sum;
        for (qsizetype k = std::max<qsizetype>(j, 0); k <= std::min(j + 5, m - 1); ++k)
            sum += points.at(k) * kernel(double(k) - u);
        visit(sum);
    }
}

// One curved run: its point list (phantom points included, sketch units) and
// the zoom. Every kind is drawn from P1 through the curve points to Pn.
struct CurveRun {
    Canvas &canvas;
    double zoom;
    const QList<QPointF> &points;
    int stepsPerPoint;

    QPointF first() const { return points.at(1); }
    QPointF beforeLast() const { return points.at(points.size() - 3); }
    QPointF last() const { return points.at(points.size() - 2); }
    QPointF scaled(QPointF p) const { return p * zoom; }
    template <typename Visit>
    void forEachPoint(Visit visit) const { forEachCurvePoint(points, stepsPerPoint, visit); }
};

void plainCurve(const CurveRun &run)
{
    moveTo(run.canvas, run.scaled(run.first()));
    run.forEachPoint([&](QPointF c) { lineTo(run.canvas, run.scaled(c)); });
    lineTo(run.canvas, run.scaled(run.last()));
}

// Pen down and up every 3 sketch units, down again close to the end.
void passCurve(const CurveRun &run)
{
    bool down = true;
    QPointF toggle = run.first();
    const QPointF last = run.last();
    moveTo(run.canvas, run.scaled(run.first()));
    run.forEachPoint([&](QPointF c) {
        if (down)
            lineTo(run.canvas, run.scaled(c));
        else
            moveTo(run.canvas, run.scaled(c));
        if (distance(c, toggle) > 3) {
            toggle = c;
            down = !down;
        }
        if (distance(c, last) < 3)
            down = true;
    });
    lineTo(run.canvas, run.scaled(last));
}

// Straight near both ends, half circles of diameter 4 sketch units on
// alternating sides in between.
void dribbleCurve(const CurveRun &run)
{
    enum class Stage { Lead, Wave, Tail } stage = Stage::Lead;
    const double z = run.zoom;
    const QPointF first = run.first(), last = run.last();
    QPointF anchor = first;
    int arcs = 0;
    moveTo(run.canvas, run.scaled(first));
    run.forEachPoint([&](QPointF c) {
        switch (stage) {
        case Stage::Lead:
            lineTo(run.canvas, run.scaled(c));
            if (squaredDistance(c, first) > 10 * z) {
                stage = Stage::Wave;
                anchor = c;
            }
            break;
        case Stage::Wave:
            if (squaredDistance(c, last) <= (12 - 2 * z) * 10 * z) {
                stage = Stage::Tail;
                lineTo(run.canvas, run.scaled(c));
                anchor = c;
            } else if (distance(anchor, c) >= 4) {
                const QPointF delta = c - anchor;
                const int a = rnd(qRadiansToDegrees(std::atan2(-delta.y(), delta.x())));
                const int start = a + (arcs % 2 == 0 ? 360 : 180);
                arcPolyline(run.canvas, run.scaled((anchor + c) / 2), 2 * z, start, start - 180);
                moveTo(run.canvas, run.scaled(c));
                anchor = c;
                ++arcs;
            }
            break;
        case Stage::Tail:
            lineTo(run.canvas, run.scaled(c));
            break;
        }
    });
    lineTo(run.canvas, run.scaled(last));
}

// The corner where the offset lines of two segments meet; the offset end
// point when they are parallel or meet too far away (a run that turns back
// on itself), so that no spike leaves the line.
QPointF offsetCorner(QPointF a1, QPointF b1, QPointF a2, QPointF b2, double offset)
{
    const QPointF r = b1 - a1, s = b2 - a2;
    const double cross = r.x() * s.y() - r.y() * s.x();
    const double scale = std::hypot(r.x(), r.y()) * std::hypot(s.x(), s.y());
    if (scale == 0 || std::abs(cross) <= 1e-9 * scale)
        return b1;
    const QPointF q = a2 - a1;
    const QPointF corner = a1 + r * ((q.x() * s.y() - q.y() * s.x()) / cross);
    return distance(corner, b1) > 4 * std::max(offset, 1.0) ? b1 : corner;
}

// Two polylines at rnd(1.49 z) pixels either side of the run's segments.
void straightShot(const CurveRun &run)
{
    const QList<QPointF> corners = run.points.mid(1, run.points.size() - 2);
    const double offset = rnd(1.49 * run.zoom);
    for (const int side : {1, -1}) {
        QList<QPointF> starts, ends;
        for (qsizetype k = 0; k + 1 < corners.size(); ++k) {
            const QPointF a = run.scaled(corners[k]), b = run.scaled(corners[k + 1]);
            const QPointF d = directionOf(a, b).unit;
            const QPointF shift = side * offset * QPointF(-d.y(), d.x());
            starts.append(a + shift);
            ends.append(b + shift);
        }
        moveTo(run.canvas, starts.first());
        for (qsizetype k = 0; k + 1 < starts.size(); ++k)
            lineTo(run.canvas, offsetCorner(starts[k], ends[k], starts[k + 1], ends[k + 1], offset));
        lineTo(run.canvas, ends.last());
    }
}

// The pixel offset of a curved shot's sides for a step from one point to the
// next (sketch units); the first side lies at (-x, +y), the second at (+x, -y).
QPointF shotOffset(QPointF from, QPointF to, double zoom)
{
    const Direction direction = directionOf(from, to);
    const double radians = qDegreesToRadians(direction.degrees + 90);
    const QPointF v(rnd(1.49 * zoom * std::cos(radians)), rnd(1.49 * zoom * std::sin(radians)));
    return direction.towardsSmallerX ? -v : v;
}

void curvedShot(const CurveRun &run)
{
    const QList<QPointF> &points = run.points;
    const QPointF firstOffset = shotOffset(points.at(0), points.at(1), run.zoom);
    const QPointF lastOffset = shotOffset(run.last(), points.last(), run.zoom);
    for (const int side : {1, -1}) {
        const auto shifted = [&](QPointF p, QPointF v) {
            return run.scaled(p) + side * QPointF(-v.x(), v.y());
        };
        moveTo(run.canvas, shifted(run.first(), firstOffset));
        QPointF previous = run.first();
        run.forEachPoint([&](QPointF c) {
            lineTo(run.canvas, shifted(c, shotOffset(previous, c, run.zoom)));
            previous = c;
        });
        lineTo(run.canvas, shifted(run.last(), lastOffset));
    }
}

// The arrowhead of a shot sits a little beyond the end, clear of the two lines.
void shotHead(const CurveRun &run, int rotation)
{
    const QPointF d = directionOf(run.beforeLast(), run.last()).unit;
    const QPointF beyond = rotation == 0 ? 2.98 * d : QPointF(rnd(2.98 * d.x()), rnd(2.98 * d.y()));
    arrowhead(run.canvas, run.scaled(run.beforeLast()), run.scaled(run.last() + beyond), run.zoom);
}

} // namespace

void arrowhead(Canvas &canvas, QPointF from, QPointF to, double zoom)
{
    const QPointF tip = pixel(to);
    const QPointF back = -directionOf(from, to).unit;
    const int length = rnd(7 * zoom);
    for (const double degrees : {30.0, -30.0}) {
        const double radians = qDegreesToRadians(degrees);
        const QPointF stroke(back.x() * std::cos(radians) - back.y() * std::sin(radians),
                             back.x() * std::sin(radians) + back.y() * std::cos(radians));
        strokeLine(canvas, tip, tip + length * stroke);
    }
}

void screen_bar(Canvas &canvas, QPointF from, QPointF to, double zoom)
{
    const QPointF d = directionOf(from, to).unit;
    const QPointF normal(-d.y(), d.x());
    const int half = rnd(7 * zoom);
    strokeLine(canvas, to - half * normal, to + half * normal);
}

void drawLineSegment(Canvas &canvas, const PartFields &part, double zoom, bool ghost, bool body,
                       RenderContext &context)
{
    drawLineSegment(canvas, part, QLineF(part.x1, part.y1, part.x2, part.y2), zoom, ghost, body,
                    context);
}

void drawLineSegment(Canvas &canvas, const PartFields &part, QLineF segment, double zoom,
                     bool ghost, bool body, RenderContext &context)
{
    const LineKind kind = kindOf(part.Type);
    if (kind == LineKind::Nothing || !validZoom(zoom) || (!body && part.arrow != 0))
        return;
    const LinePen pen(canvas, lineColor(part.color, ghost, context), part.thickness);
    const QPointF from = segment.p1() * zoom;
    const QPointF to = segment.p2() * zoom;
    if (!body) {
        if (kind == LineKind::Screen)
            screen_bar(canvas, from, to, zoom);
        else
            arrowhead(canvas, from, to, zoom);
        return;
    }
    switch (kind) {
    case LineKind::Pass:
        passBody(canvas, from, to, zoom);
        break;
    case LineKind::Dribble:
        dribbleBody(canvas, from, to, zoom);
        break;
    default:
        strokeLine(canvas, from, to);
    }
}

void draw_curve(Canvas &canvas, const QString &endCode, const QList<QPointF> &points, bool ghost,
                double zoom, int color, int arrow, int rotation, int thickness,
                RenderContext &context)
{
    const QString code = endCode.toLower();
    const bool shot = code == u"pshot";
    if (points.size() < 4 || !validZoom(zoom)
        || !(shot || code == u"ploop" || code == u"pscreen" || code == u"ppass" || code == u"pdribbel"))
        return;
    if (zoom > 1.9)
        canvas.setPenWidth(rnd(zoom));
    {
        const LinePen pen(canvas, lineColor(color, ghost, context), thickness);
        const int stepsPerPoint = std::max(rnd(zoom), 1) * (code == u"pdribbel" ? 200 : 25);
        const CurveRun run{canvas, zoom, points, stepsPerPoint};
        if (code == u"ppass")
            passCurve(run);
        else if (code == u"pdribbel")
            dribbleCurve(run);
        else if (!shot)
            plainCurve(run);
        else if (rotation == 0)
            straightShot(run);
        else
            curvedShot(run);

        if (arrow == 0) {
            const QPointF from = run.scaled(run.beforeLast()), to = run.scaled(run.last());
            if (code == u"pscreen")
                screen_bar(canvas, from, to, zoom);
            else if (shot)
                shotHead(run, rotation);
            else
                arrowhead(canvas, from, to, zoom);
        }
    }
    canvas.setPenWidth(1);
}
