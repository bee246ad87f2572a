#include "render/renderer.h"
#include "render/symbolcell.h"

#include <QHash>
#include <QtMath>

#include <cmath>

namespace {

using ShapeRoutine = void (*)(const SymbolCell &);

ShapeRoutine shapeOf(const QString &code)
{
    static const QHash<QString, ShapeRoutine> shapes{
        {QStringLiteral("circle"), drawCirclePlayer},
        {QStringLiteral("dcircle"), drawCirclePlayer},
        {QStringLiteral("circlef"), drawCirclePlayer},
        {QStringLiteral("osquare"), drawSquarePlayer},
        {QStringLiteral("dsquare"), drawSquarePlayer},
        {QStringLiteral("otriangl"), drawTrianglePlayer},
        {QStringLiteral("triangle"), drawTrianglePlayer},
        {QStringLiteral("triangf"), drawTrianglePlayer},
        {QStringLiteral("opop"), drawPop},
        {QStringLiteral("dpop"), drawPop},
        {QStringLiteral("ochair"), drawChair},
        {QStringLiteral("dchair"), drawChair},
        {QStringLiteral("ocross"), drawNumberedCross},
        {QStringLiteral("ncross"), drawNumberedCross},
        {QStringLiteral("cross"), drawCross},
        {QStringLiteral("crossf"), drawCross},
        {QStringLiteral("coach"), drawCoach},
        {QStringLiteral("goal"), drawGoal},
        {QStringLiteral("pylon"), drawPylon},
        {QStringLiteral("rack"), drawRack},
        {QStringLiteral("ball"), drawBall},
        {QStringLiteral("ballf"), drawBall},
    };
    return shapes.value(code);
}

bool isThickOutlined(const QString &code)
{
    return code == QLatin1String("circlef") || code == QLatin1String("triangf");
}

// The size factor s from y2 (percent). The thick-outlined kinds skip the
// 50-150 check; a size of 0 or below means 100 % for every kind.
double sizeFactor(const QString &code, int y2)
{
    if (isThickOutlined(code))
        return y2 > 0 ? y2 / 100.0 : 1.0;
    return y2 >= 50 && y2 <= 150 ? y2 / 100.0 : 1.0;
}

// Rotated pops are smoothed only when they are visibly off the axes.
bool isOffAxis(int rotation)
{
    const int degrees = ((rotation % 360) + 360) % 360;
    for (const int axis : {0, 90, 180, 270, 360}) {
        if (std::abs(degrees - axis) <= 2)
            return false;
    }
    return true;
}

// Ghosts are always drawn directly: the smoothing path has no silver.
bool drawsMagnified(const QString &code, const PartFields &part, double zoom, bool ghost,
                    const RenderContext &context)
{
    if (!context.antiExp || !context.magnifiedSymbols || ghost || part.x2 == -1 || zoom < 0.88
        || zoom > 2)
        return false;
    if (code == QLatin1String("ochair") || code == QLatin1String("dchair")
        || code == QLatin1String("goal") || code == QLatin1String("pylon"))
        return true;
    return (code == QLatin1String("opop") || code == QLatin1String("dpop"))
        && isOffAxis(part.rotation);
}

// The line a player faces along, drawn under the body so that the body
// covers its start. Its end is rounded only in pixels, after the zoom.
void drawFacingLine(Canvas &canvas, const PartFields &part, double zoom, bool ghost,
                    RenderContext &context)
{
    const double angle = qDegreesToRadians(double(part.rotation));
    const QPointF start(part.x1 + 11.0, part.y1 + 11.0);
    const QLineF segment(start, start + 21 * QPointF(std::sin(angle), -std::cos(angle)));
    PartFields line;
    line.Type = part.arrow == 2 ? QStringLiteral("ploop") : QStringLiteral("loop");
    line.arrow = 0;
    line.color = Black;
    line.thickness = part.thickness;
    drawLineSegment(canvas, line, segment, zoom, ghost, true, context);
    if (part.arrow == 2)
        drawLineSegment(canvas, line, segment, zoom, ghost, false, context);
}

void drawLineSegment(Canvas &canvas, const PartFields &part, const QString &code, double zoom,
                     bool ghost, RenderContext &context)
{
    PartFields segment = part;
    segment.Type = code;
    drawLineSegment(canvas, segment, zoom, ghost, true, context);
    if (is_line_end(code))
        drawLineSegment(canvas, segment, zoom, ghost, false, context);
}

} // namespace

void draw_symbol(Canvas &canvas, const PartFields &part, double zoom, bool ghost,
                 RenderContext &context)
{
    const QString code = part.Type.toLower();
    if (drawsMagnified(code, part, zoom, ghost, context)) {
        draw_magnified(canvas, part, zoom, zoom <= 1.11 ? 4 : 2, context);
        canvas.setPenWidth(1);
        return;
    }
    if (zoom > 1.9)
        canvas.setPenWidth(rnd(zoom));
    if ((part.arrow == 2 || part.arrow == 3) && is_symbol(code))
        drawFacingLine(canvas, part, zoom, ghost, context);

    if (code == QLatin1String("text")) {
        draw_text_box(canvas, part, zoom, ghost, context);
    } else if (is_line(code)) {
        drawLineSegment(canvas, part, code, zoom, ghost, context);
    } else if (const ShapeRoutine shape = shapeOf(code)) {
        shape(SymbolCell{canvas, part, code, zoom, sizeFactor(code, part.y2), ghost, context});
    }
    canvas.setPenWidth(1);
}
