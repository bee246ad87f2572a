#include "render/canvas.h"

#include <QFontMetrics>
#include <QtMath>

#include <algorithm>

// --- Canvas -----------------------------------------------------------------------

Canvas::Canvas(QImage &image) : Canvas(image, image.size(), {})
{
}

Canvas::Canvas(QImage &image, QSize fullSize, QPoint origin)
    : picture(image), fullSize(fullSize), bandOrigin(origin)
{
    if (picture.format() != QImage::Format_RGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    if (!picture.isNull() && painter.begin(&picture)) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.translate(-bandOrigin);
    }
    clearClip();
    setFont(currentFont);
}

Canvas::~Canvas()
{
    if (painter.isActive())
        painter.end();
}

void Canvas::setPen(int color, int width)
{
    pen = {color, std::max(width, 1), false};
}

void Canvas::setPenWidth(int width)
{
    pen.width = std::max(width, 1);
}

void Canvas::setPenColor(int color)
{
    pen.color = color;
    pen.clear = false;
}

void Canvas::setPenClear()
{
    pen.clear = true;
}

void Canvas::setBrush(int color)
{
    brushColor = color;
    brushClear = false;
}

void Canvas::setBrushClear()
{
    brushClear = true;
}

void Canvas::setMode(Mode newMode)
{
    mode = newMode;
    if (painter.isActive())
        painter.setCompositionMode(mode == Mode::Invert ? QPainter::RasterOp_NotDestination
                                                        : QPainter::CompositionMode_SourceOver);
}

void Canvas::setClip(int left, int top, int right, int bottom)
{
    clearClip();
    clipRect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(clipRect);
    if (painter.isActive())
        painter.setClipRect(clipRect);
}

void Canvas::clearClip()
{
    readable = QRect(QPoint(), fullSize).intersected(QRect(bandOrigin, picture.size()));
    clipRect = readable;
    if (painter.isActive())
        painter.setClipRect(clipRect);
}

QPen Canvas::strokePen() const
{
    if (pen.clear)
        return Qt::NoPen;
    QPen stroke{QColor::fromRgb(toQRgb(pen.color))};
    if (pen.width <= 1) {
        stroke.setWidth(0);
    } else {
        stroke.setWidth(pen.width);
        stroke.setCapStyle(Qt::RoundCap);
        stroke.setJoinStyle(Qt::RoundJoin);
    }
    return stroke;
}

void Canvas::moveTo(int x, int y)
{
    current = {x, y};
}

void Canvas::lineTo(int x, int y)
{
    if (painter.isActive() && !pen.clear && current != QPoint(x, y)) {
        if (pen.width <= 1) {
            thinLine(current, {x, y});
        } else {
            painter.setPen(strokePen());
            painter.drawLine(current, QPoint(x, y));
        }
    }
    current = {x, y};
}

// One-pixel lines are stepped here rather than by the paint engine, so that
// the last pixel is left out whichever way the line runs.
void Canvas::thinLine(QPoint from, QPoint to)
{
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    int x = from.x(), y = from.y();
    while (x != to.x() || y != to.y()) {
        setPixel(x, y, pen.color);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void Canvas::line(int x1, int y1, int x2, int y2)
{
    moveTo(x1, y1);
    lineTo(x2, y2);
}

void Canvas::polyline(const QList<QPoint> &points)
{
    if (points.isEmpty())
        return;
    moveTo(points.first().x(), points.first().y());
    for (qsizetype i = 1; i < points.size(); ++i)
        lineTo(points.at(i).x(), points.at(i).y());
}

void Canvas::rectangle(int left, int top, int right, int bottom)
{
    if (!painter.isActive())
        return;
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1)
        return;
    if (!brushClear)
        fillRect(left, top, right, bottom, brushColor);
    if (pen.clear)
        return;
    const QPoint start = current;
    polyline({{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}, {left, top}});
    current = start;
}

void Canvas::ellipse(int left, int top, int right, int bottom)
{
    if (!painter.isActive())
        return;
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)).normalized();
    if (box.width() < 2 || box.height() < 2)
        return;
    painter.setPen(strokePen());
    if (brushClear)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(QColor::fromRgb(toQRgb(brushColor)));
    painter.drawEllipse(box.adjusted(0, 0, -2, -2));
}

void Canvas::polygon(const QList<QPoint> &points)
{
    if (!painter.isActive() || points.size() < 2)
        return;
    // A one-pixel outline is stepped like a line: the paint engine's own
    // thin outline moves with the clip, and a band must get the pixels of
    // the whole picture.
    const bool steppedOutline = !pen.clear && pen.width <= 1;
    painter.setPen(steppedOutline ? QPen(Qt::NoPen) : strokePen());
    if (brushClear)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(QColor::fromRgb(toQRgb(brushColor)));
    painter.drawPolygon(points.constData(), int(points.size()), Qt::OddEvenFill);
    if (steppedOutline) {
        const QPoint start = current;
        polyline(points);
        lineTo(points.first().x(), points.first().y());
        current = start;
    }
}

void Canvas::arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY)
{
    if (!painter.isActive() || pen.clear)
        return;
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)).normalized();
    if (box.width() < 2 || box.height() < 2)
        return;
    const QPointF centre = QRectF(box).center();
    const auto angleOf = [&centre](int x, int y) {
        return qRadiansToDegrees(std::atan2(centre.y() - y, x - centre.x()));
    };
    const double start = angleOf(startX, startY);
    double span = angleOf(endX, endY) - start;
    while (span <= 0)
        span += 360;
    painter.setPen(strokePen());
    painter.drawArc(box.adjusted(0, 0, -2, -2), rnd(start * 16), rnd(span * 16));
}

QRect Canvas::clipped(QRect rect) const
{
    return rect.normalized().intersected(clipRect);
}

void Canvas::fillRect(int left, int top, int right, int bottom, int color)
{
    if (!painter.isActive() || right <= left || bottom <= top)
        return;
    const QRect area = clipped(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    if (area.isEmpty())
        return;
    if (mode == Mode::Invert)
        painter.fillRect(area, Qt::black);
    else
        painter.fillRect(area, QColor::fromRgb(toQRgb(color)));
}

void Canvas::floodFill(int x, int y, int borderColor)
{
    if (!holds(clipRect, x, y) || brushClear)
        return;
    const QRgb border = toQRgb(borderColor) | 0xff000000u;
    const QRgb fill = toQRgb(brushColor) | 0xff000000u;
    const auto at = [this](int px, int py) -> QRgb & { return *pixelAt(px, py); };
    if (at(x, y) == border || at(x, y) == fill)
        return;
    // Scanline fill: each span is filled once and seeds the rows above and
    // below, so the work is bounded by the number of pixels.
    QList<QPoint> seeds{{x, y}};
    while (!seeds.isEmpty()) {
        const QPoint seed = seeds.takeLast();
        const int row = seed.y();
        int left = seed.x();
        if (at(left, row) == border || at(left, row) == fill)
            continue;
        while (left > clipRect.left() && at(left - 1, row) != border && at(left - 1, row) != fill)
            --left;
        int right = seed.x();
        while (right < clipRect.right() && at(right + 1, row) != border && at(right + 1, row) != fill)
            ++right;
        for (int px = left; px <= right; ++px)
            at(px, row) = fill;
        for (const int next : {row - 1, row + 1}) {
            if (next < clipRect.top() || next > clipRect.bottom())
                continue;
            bool inSpan = false;
            for (int px = left; px <= right; ++px) {
                const QRgb value = at(px, next);
                const bool open = value != border && value != fill;
                if (open && !inSpan)
                    seeds.append({px, next});
                inSpan = open;
            }
        }
    }
}

int Canvas::pixel(int x, int y) const
{
    if (!holds(readable, x, y))
        return -1;
    const QPoint local = QPoint(x, y) - bandOrigin;
    return fromQRgb(reinterpret_cast<const QRgb *>(picture.constScanLine(local.y()))[local.x()]);
}

void Canvas::setPixel(int x, int y, int color)
{
    if (!holds(clipRect, x, y))
        return;
    QRgb &target = *pixelAt(x, y);
    target = mode == Mode::Invert ? (~target | 0xff000000u) : (toQRgb(color) | 0xff000000u);
}

void Canvas::setPixels(int x, int y, const QImage &source, QRect area)
{
    const QPoint shift = QPoint(x, y) - area.topLeft();
    const QRect target = area.intersected(source.rect()).translated(shift).intersected(clipRect);
    for (int row = target.top(); row <= target.bottom(); ++row) {
        const QRgb *from = reinterpret_cast<const QRgb *>(source.constScanLine(row - shift.y()))
            + (target.left() - shift.x());
        QRgb *to = pixelAt(target.left(), row);
        for (int k = 0; k < target.width(); ++k)
            to[k] = mode == Mode::Invert ? (~to[k] | 0xff000000u) : (from[k] | 0xff000000u);
    }
}

void Canvas::setFont(const CanvasFont &font)
{
    currentFont = font;
    qfont = QFont(font.family);
    // Points at 96 dots per inch, rounded as the system rounds them.
    qfont.setPixelSize(std::max(1, (std::abs(font.pointSize) * 96 + 36) / 72));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    qfont.setStyleStrategy(QFont::NoAntialias);
    qfont.setHintingPreference(QFont::PreferFullHinting);
}

void Canvas::setTextColor(int color)
{
    textColor = color;
}

void Canvas::textOut(int x, int y, const QString &text)
{
    if (!painter.isActive() || text.isEmpty())
        return;
    const QFontMetrics metrics(qfont);
    const QPoint baseline(x, y + metrics.ascent());
    if (mode == Mode::Invert) {
        painter.setFont(qfont);
        painter.setPen(QColor::fromRgb(toQRgb(textColor)));
        painter.drawText(baseline, text);
        return;
    }
    // Large glyphs are filled as outlines, and an outline cut by the edge of
    // a band can fill a pixel differently from the whole one. So the text is
    // drawn whole on a picture of its own and then copied, clipped, into
    // this one: every band gets the pixels of the whole picture.
    const int margin = std::max(2, qfont.pixelSize() / 4);
    const QRect box = metrics.boundingRect(text)
                          .united(QRect(0, -metrics.ascent(), metrics.horizontalAdvance(text),
                                        metrics.height()))
                          .translated(baseline)
                          .adjusted(-margin, -margin, margin, margin);
    if (!box.intersects(clipRect))
        return;
    QImage glyphs(box.size(), QImage::Format_ARGB32_Premultiplied);
    if (glyphs.isNull())
        return;
    glyphs.fill(Qt::transparent);
    {
        QPainter glyphPainter(&glyphs);
        glyphPainter.setRenderHint(QPainter::TextAntialiasing, false);
        glyphPainter.setFont(qfont);
        glyphPainter.setPen(QColor::fromRgb(toQRgb(textColor)));
        glyphPainter.drawText(baseline - box.topLeft(), text);
    }
    painter.drawImage(box.topLeft(), glyphs);
}

QSize Canvas::textExtent(const QString &text) const
{
    const QFontMetrics metrics(qfont);
    return {metrics.horizontalAdvance(text), metrics.height()};
}
