#include "render/symbolcell.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// The kinds whose goalkeeper (number 1) is filled red when the part has no
// colour of its own.
bool hasRedGoalkeeper(const QString &code)
{
    for (const char *kind : {"circle", "otriangl", "osquare", "opop", "dcircle", "triangle",
                             "dsquare", "dpop"}) {
        if (code == QLatin1String(kind))
            return true;
    }
    return false;
}

int sideColor(const SymbolCell &cell)
{
    return isOffensePlayer(cell.code) ? cell.context.sides.offense : cell.context.sides.defense;
}

bool sideFilled(const SymbolCell &cell)
{
    return isOffensePlayer(cell.code) ? cell.context.offenseFilled : cell.context.defenseFilled;
}

// The colours of the circle family, squares, triangles and pops.
struct PlayerColors {
    bool filled = false;
    int fill = White;
    int outline = Black; // also labels and numbers
    int number = Black;
};

PlayerColors playerColors(const SymbolCell &cell)
{
    const PartFields &part = cell.part;
    PlayerColors colors;
    colors.filled = sideFilled(cell) && !cell.ghost;
    const bool redGoalkeeper = part.color == 0 && part.Graphicnr == 1 && hasRedGoalkeeper(cell.code);
    if (part.color != 0)
        colors.fill = part.color;
    else if (redGoalkeeper)
        colors.fill = Red;
    else
        colors.fill = sideColor(cell);
    if (cell.grey())
        colors.fill = White;

    colors.outline = part.color2 > 0 && !cell.grey() ? part.color2 : Black;
    if (cell.ghost)
        colors.outline = Silver;
    // The goalkeeper's number shows the team colour where the team colour
    // gave way to red; anywhere else it could vanish in a fill of that colour.
    const bool teamColoredNumber = redGoalkeeper && part.color2 <= 0 && !cell.grey() && !cell.ghost;
    colors.number = teamColoredNumber ? sideColor(cell) : colors.outline;
    return colors;
}

int outlineWidth(const SymbolCell &cell)
{
    int width = cell.canvas.penWidth();
    const double scaled = cell.zoom * cell.size;
    if (scaled > 1.9)
        width = std::max(width, rnd(scaled));
    if (cell.code == QLatin1String("circlef") || cell.code == QLatin1String("triangf"))
        width = std::max(width, rnd(2 * cell.zoom));
    return std::max(width, 1);
}

void setOutline(const SymbolCell &cell, const PlayerColors &colors)
{
    cell.canvas.setPen(colors.outline, outlineWidth(cell));
    if (colors.filled)
        cell.canvas.setBrush(colors.fill);
    else
        cell.canvas.setBrushClear();
}

bool onlyNumber(const SymbolCell &cell)
{
    return cell.part.transparent == 1;
}

// --- numbers and labels -------------------------------------------------------------

const QString NoText = QStringLiteral("##");

// What a player shows inside its shape: its number, or a label of one to
// three characters of its own. "##" shows nothing; a longer text is not a
// label, and the number shows instead.
struct Caption {
    QString text;
    bool label = false;
};

Caption captionOf(const PartFields &part)
{
    const QString number = number_label(part.Graphicnr).left(3);
    QString shown = part.tekst.isEmpty() ? number : part.tekst.left(3);
    if (shown == NoText)
        shown.clear();
    if (shown == part.tekst && shown != number)
        return {shown, true};
    if (part.tekst == NoText)
        return {};
    return {number, false};
}

// Where a shape puts its number: font size and top-left corner for one and
// for two digits, in sketch units before the zoom (sizes per unit of z * s).
struct NumberPlace {
    double size;
    double x, y;
};

struct NumberLayout {
    NumberPlace oneDigit;
    NumberPlace twoDigits;
};

void drawNumber(const SymbolCell &cell, const QString &number, const NumberLayout &layout, int color)
{
    const NumberPlace &place = number.size() == 1 ? layout.oneDigit : layout.twoDigits;
    CanvasFont font;
    font.pointSize = rnd(place.size * cell.zoom * cell.size);
    cell.canvas.setFont(font);
    cell.canvas.setTextColor(color);
    cell.canvas.textOut(cell.px(place.x), cell.px(place.y), number);
}

using FitRule = bool (*)(double width, double height, double zs);

bool fitsCircle(double w, double h, double zs)
{
    return w <= 18 * zs && (w <= 17 * zs || h <= 11 * zs) && (w <= 15 * zs || h <= 13 * zs)
        && (w <= 13 * zs || h <= 15 * zs);
}

// The triangle narrows towards its apex: the taller the label, the narrower
// it must be.
bool fitsTriangle(double w, double h, double zs)
{
    for (int step = 0; step <= 6; ++step) {
        if (w > (13 - step) * zs && h > (5 + step) * zs)
            return false;
    }
    return true;
}

// Shrinks the font from 10 * z * s until the label fits the shape and
// returns the label's extent; the canvas keeps the font.
QSize fitLabel(const SymbolCell &cell, const QString &label, FitRule fits)
{
    const double zs = cell.zoom * cell.size;
    // Whole points per step, and never a step of nothing at small zooms.
    const int step = std::max(1, rnd(cell.zoom));
    CanvasFont font;
    font.pointSize = rnd(10 * zs);
    cell.canvas.setFont(font);
    QSize extent = cell.canvas.textExtent(label);
    while (!fits(extent.width(), extent.height(), zs) && font.pointSize >= 1) {
        font.pointSize -= step;
        CanvasFont shrunk = font;
        shrunk.pointSize = std::max(font.pointSize, 1);
        cell.canvas.setFont(shrunk);
        extent = cell.canvas.textExtent(label);
    }
    return extent;
}

int halfOf(int length)
{
    return rnd((length + 1) / 2.0);
}

// Circles and squares centre the label on (cx, cy).
void drawCentredLabel(const SymbolCell &cell, const QString &label, double cx, double cy, int color)
{
    const QSize extent = fitLabel(cell, label, fitsCircle);
    cell.canvas.setTextColor(color);
    cell.canvas.textOut(cell.px(cx) - halfOf(extent.width()), cell.px(cy) - halfOf(extent.height()),
                        label);
}

void drawCaption(const SymbolCell &cell, const PlayerColors &colors, const NumberLayout &layout,
                 double centreX, double centreY)
{
    const Caption caption = captionOf(cell.part);
    if (caption.label)
        drawCentredLabel(cell, caption.text, centreX, centreY, colors.outline);
    else if (!caption.text.isEmpty())
        drawNumber(cell, caption.text, layout, colors.number);
}

// Circles and squares place their numbers alike, from the corner offset o.
NumberLayout roundLayout(const SymbolCell &cell, double o)
{
    const double s = cell.size, left = cell.x1() + o, top = cell.y1() + o;
    return {{10, left + 7 * s, top + 3 * s}, {9, left + 4 * s, top + 4 * s}};
}

// --- turned number of the pops ------------------------------------------------------

// The number drawn upright on a white square of the cell's size, turned with
// the body by nearest-pixel lookup, and its ink written into the picture.
void drawTurnedNumber(const SymbolCell &cell, const QString &number, int color)
{
    const double z = cell.zoom;
    const int side = rnd(21 * z);
    if (side < 1 || side > 4096)
        return;
    const int left = rnd(cell.x1() * z), top = rnd(cell.y1() * z);
    // Only the part of the square that can change is turned: a band of a
    // large picture holds a few of its rows at most.
    const QRect visible = QRect(left, top, side, side) & cell.canvas.drawable();
    if (visible.isEmpty())
        return;
    QImage square(side, side, QImage::Format_RGB32);
    if (square.isNull())
        return;
    square.fill(Qt::white);
    {
        Canvas upright(square);
        const double m = std::min(cell.size, 1.35);
        CanvasFont font;
        const bool oneDigit = number.size() == 1;
        font.pointSize = rnd((oneDigit ? 9 : 7) * z * m);
        upright.setFont(font);
        upright.setTextColor(Black);
        if (oneDigit)
            upright.textOut(rnd(z * (10.5 - 3.5 * m)), rnd(z * (10.5 - 10 * m)), number);
        else
            upright.textOut(rnd(z * (10.5 - 5.95 * m)), rnd(z * (12.5 - 10 * m)), number);
    }
    const double a = qDegreesToRadians(360.0 - cell.part.rotation);
    const double cosA = std::cos(a), sinA = std::sin(a);
    const double centre = (side - 1) / 2.0;
    for (int y = visible.top() - top; y <= visible.bottom() - top; ++y) {
        for (int x = visible.left() - left; x <= visible.right() - left; ++x) {
            const double dx = x - centre, dy = y - centre;
            const int sx = rnd(centre + dx * cosA - dy * sinA);
            const int sy = rnd(centre + dx * sinA + dy * cosA);
            if (sx < 0 || sy < 0 || sx >= side || sy >= side)
                continue;
            if (fromQRgb(reinterpret_cast<const QRgb *>(square.constScanLine(sy))[sx]) == Black)
                cell.canvas.setPixel(left + x, top + y, color);
        }
    }
}

} // namespace

void drawCirclePlayer(const SymbolCell &cell)
{
    const PlayerColors colors = playerColors(cell);
    const double o = 11 - 11 * cell.size, x1 = cell.x1(), y1 = cell.y1();
    if (!onlyNumber(cell)) {
        setOutline(cell, colors);
        cell.canvas.ellipse(cell.px(x1 + o), cell.px(y1 + o), cell.px(x1 + 21 - o),
                            cell.px(y1 + 21 - o));
    }
    drawCaption(cell, colors, roundLayout(cell, o), x1 + o + 11 * cell.size,
                y1 + o + 11 * cell.size);
}

void drawSquarePlayer(const SymbolCell &cell)
{
    const PlayerColors colors = playerColors(cell);
    const double s = cell.size, o = 10.5 - 10.5 * s;
    const double cx = cell.x1() + 10.5, cy = cell.y1() + 10.5;
    if (!onlyNumber(cell)) {
        setOutline(cell, colors);
        cell.canvas.rectangle(cell.px(cx - 9.5 * s), cell.px(cy - 9.5 * s), cell.px(cx + 9.5 * s),
                              cell.px(cy + 9.5 * s));
    }
    drawCaption(cell, colors, roundLayout(cell, o), cell.x1() + o + 11 * s, cell.y1() + o + 11 * s);
}

void drawTrianglePlayer(const SymbolCell &cell)
{
    const PlayerColors colors = playerColors(cell);
    const double s = cell.size, o = 11 - 11 * s, x1 = cell.x1(), y1 = cell.y1();
    const QPoint apex = cell.at(x1 + 11, y1 + o);
    const QPoint right = cell.at(x1 + 21 - o, y1 + 21 - o);
    const QPoint left = cell.at(x1 + o, y1 + 21 - o);
    if (!onlyNumber(cell)) {
        if (colors.filled) {
            cell.canvas.setPen(colors.fill, 1);
            cell.canvas.setBrush(colors.fill);
            cell.canvas.polygon({apex, right, left});
        }
        cell.canvas.setPen(colors.outline, outlineWidth(cell));
        cell.canvas.polyline({apex, right, left, apex});
    }

    const Caption caption = captionOf(cell.part);
    if (caption.label) {
        // Centred across, standing on the base.
        const QSize extent = fitLabel(cell, caption.text, fitsTriangle);
        const double zs = cell.zoom * s;
        int top = rnd(21 * zs) - extent.height() + cell.px(y1 + o);
        if (caption.text.size() == 1)
            top += rnd(zs);
        cell.canvas.setTextColor(colors.outline);
        cell.canvas.textOut(cell.px(x1 + o + 11 * s) - halfOf(extent.width()), top, caption.text);
    } else if (!caption.text.isEmpty()) {
        const NumberLayout layout{{10, x1 + o + 8 * s, y1 + o + 7 * s},
                                  {8, x1 + o + 5 * s, y1 + o + 9.4 * s}};
        drawNumber(cell, caption.text, layout, colors.number);
    }
}

void drawPop(const SymbolCell &cell)
{
    const PlayerColors colors = playerColors(cell);
    const double s = cell.size, r = qDegreesToRadians(double(cell.part.rotation));
    const double cx = cell.x1() + 10.5, cy = cell.y1() + 10.5;
    const double cosR = std::cos(r), sinR = std::sin(r);
    // (du, dv) about the centre, turned clockwise by the rotation.
    const auto turned = [&](double du, double dv) {
        du *= s;
        dv *= s;
        return cell.at(cx + du * cosR - dv * sinR, cy + dv * cosR + du * sinR);
    };
    if (!onlyNumber(cell)) {
        cell.canvas.setPen(colors.outline, outlineWidth(cell));
        cell.line(turned(-9.5, 10.5), turned(-9.5, -4.5));
        cell.line(turned(9.5, 10.5), turned(9.5, -4.5));
        setOutline(cell, colors);
        cell.canvas.polygon({turned(-2.5, -13.5), turned(2.5, -13.5), turned(7.5, -8.5),
                             turned(7.5, 4.5), turned(-7.5, 4.5), turned(-7.5, -8.5)});
    }
    const QString number = number_label(cell.part.Graphicnr);
    if (!number.isEmpty()) {
        int color = cell.part.color2 > 0 && !cell.grey() ? cell.part.color2 : Black;
        if (cell.ghost)
            color = Silver;
        drawTurnedNumber(cell, number, color);
    }
}

void drawChair(const SymbolCell &cell)
{
    const PartFields &part = cell.part;
    const double s = cell.size, z = cell.zoom;
    const double cx = cell.x1() + 10.5, cy = cell.y1() + 10.5;

    int color = part.color != 0 ? part.color : sideColor(cell);
    int numberColor = part.color2 > 0 ? part.color2 : Black;
    // A white chair on white would vanish.
    const bool onWhite = cell.canvas.pixel(cell.px(cx), cell.px(cy)) == White && color == White;
    if (cell.grey() || onWhite)
        color = numberColor = Black;
    if (cell.ghost)
        color = numberColor = Silver;

    // The arms: an arc in front of the head, opening towards the rotation.
    const double r = double(part.rotation);
    const double rad = qDegreesToRadians(r);
    const double ax = cx + 7.5 * s * std::sin(rad), ay = cy - 7.5 * s * std::cos(rad);
    const double radius = 10 * s;
    const auto onArc = [&](double degrees) {
        const double t = qDegreesToRadians(degrees);
        return cell.at(ax + radius * std::cos(t), ay + radius * std::sin(t));
    };
    // Clockwise on the screen from r + 20 to r + 160 is the canvas's
    // counter-clockwise arc from r + 160 to r + 20.
    const QPoint from = onArc(r + 160), to = onArc(r + 20);
    cell.canvas.setPen(color, rnd(3 * z));
    cell.canvas.arc(cell.px(ax - radius), cell.px(ay - radius), cell.px(ax + radius),
                    cell.px(ay + radius), from.x(), from.y(), to.x(), to.y());

    // The head.
    cell.canvas.setPen(color, 1);
    if (cell.ghost)
        cell.canvas.setBrushClear();
    else
        cell.canvas.setBrush(color);
    cell.canvas.ellipse(cell.px(cx - 6 * s), cell.px(cy - 6 * s), cell.px(cx + 6 * s),
                        cell.px(cy + 6 * s));

    const QString number = number_label(part.Graphicnr);
    if (part.tekst != NoText && !number.isEmpty()) {
        const NumberPlace place{9, cx + 6.5 * s, cy + 3.5 * s};
        drawNumber(cell, number, {place, place}, numberColor);
    }
}

void drawNumberedCross(const SymbolCell &cell)
{
    const PartFields &part = cell.part;
    const double s = cell.size, cx = cell.x1() + 10, cy = cell.y1() + 10;
    int color = cell.grey() ? Black : part.color;
    if (cell.ghost)
        color = Silver;

    // The text of a numbered cross is its number or the first three
    // characters of its text, drawn alike.
    QString text = part.tekst.isEmpty() ? number_label(part.Graphicnr) : part.tekst.left(3);
    if (text == NoText)
        text.clear();

    cell.canvas.setPenColor(color);
    const auto stroke = [&](double u1, double v1, double u2, double v2) {
        cell.line(cell.at(cx + u1 * s, cy + v1 * s), cell.at(cx + u2 * s, cy + v2 * s));
    };
    if (text.isEmpty()) {
        stroke(-8, -8, 8, 8);
        stroke(8, -8, -8, 8);
        return;
    }
    // A shortened X that leaves the lower right quarter to the number.
    stroke(-10, -10, 4, 4);
    stroke(6, -10, -10, 6);
    const NumberPlace place{9, cx + 5 * s, cy - 3 * s};
    drawNumber(cell, text, {place, place}, color);
}
