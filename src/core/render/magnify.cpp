#include "render/renderer.h"

#include <algorithm>

namespace {

// The square around a symbol that draw_magnified redraws, in sketch units.
constexpr int Margin = 15;
constexpr int WindowSide = 60;
// QImage cannot hold a side longer than this.
constexpr qint64 MaxSide = 32767;

// Rounds sum / 4 to the nearest whole number, halves to the even one.
int meanOfFour(int sum)
{
    int mean = sum >> 2;
    const int rest = sum & 3;
    if (rest > 2 || (rest == 2 && (mean & 1)))
        ++mean;
    return mean;
}

QImage halveOnce(const QImage &source)
{
    const int width = source.width() / 2, height = source.height() / 2;
    if (width < 1 || height < 1)
        return {};
    QImage target(width, height, QImage::Format_RGB32);
    if (target.isNull())
        return {};
    for (int y = 0; y < height; ++y) {
        const QRgb *upper = reinterpret_cast<const QRgb *>(source.constScanLine(2 * y));
        const QRgb *lower = reinterpret_cast<const QRgb *>(source.constScanLine(2 * y + 1));
        QRgb *out = reinterpret_cast<QRgb *>(target.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb block[4] = {upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]};
            int red = 0, green = 0, blue = 0;
            for (const QRgb value : block) {
                red += qRed(value);
                green += qGreen(value);
                blue += qBlue(value);
            }
            out[x] = qRgb(meanOfFour(red), meanOfFour(green), meanOfFour(blue));
        }
    }
    return target;
}

// Every pixel of the source as a factor x factor square.
QImage magnify(const QImage &source, int factor)
{
    QImage target(source.width() * factor, source.height() * factor, QImage::Format_RGB32);
    if (target.isNull())
        return {};
    for (int y = 0; y < target.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(source.constScanLine(y / factor));
        QRgb *out = reinterpret_cast<QRgb *>(target.scanLine(y));
        for (int x = 0; x < target.width(); ++x)
            out[x] = in[x / factor];
    }
    return target;
}

} // namespace

QImage halve_image(const QImage &source, int factor)
{
    const int steps = factor == 2 ? 1 : factor == 4 ? 2 : factor == 8 ? 3 : 0;
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    for (int step = 0; step < steps && !image.isNull(); ++step)
        image = halveOnce(image);
    return image;
}

// The symbol is drawn factor times larger over a magnified copy of the
// picture around it and shrunk back, so that its edges blend with whatever
// lies under it. A picture that cannot be made draws the symbol directly.
void draw_magnified(Canvas &canvas, const PartFields &part, double zoom, int factor,
                    RenderContext &context)
{
    PartFields direct = part;
    direct.x2 = -1;
    const int side = rnd(WindowSide * zoom);
    if (side < 1 || factor < 1 || qint64(side) * factor > MaxSide) {
        draw_symbol(canvas, direct, zoom, false, context);
        return;
    }
    QImage copy(side, side, QImage::Format_RGB32);
    if (copy.isNull()) {
        draw_symbol(canvas, direct, zoom, false, context);
        return;
    }
    // Where the picture has nothing to give (it is smaller than the sketch)
    // the copy keeps this colour.
    copy.fill(canvas.width() < WindowSide ? Qt::white : Qt::black);

    // The window is cut to the sketch and to the picture; the copy keeps
    // every pixel at its place relative to the window's corner.
    const int windowLeft = part.x1 - Margin, windowTop = part.y1 - Margin;
    const int originX = rnd(windowLeft * zoom), originY = rnd(windowTop * zoom);
    const QRect inSketch(QPoint(rnd(std::max(windowLeft, 0) * zoom), rnd(std::max(windowTop, 0) * zoom)),
                         QPoint(rnd(std::min(windowLeft + WindowSide, SketchWidth) * zoom) - 1,
                                rnd(std::min(windowTop + WindowSide, SketchHeight) * zoom) - 1));
    const QRect window = inSketch.intersected(QRect(0, 0, canvas.width(), canvas.height()))
                             .intersected(QRect(originX, originY, side, side));
    for (int y = window.top(); y <= window.bottom(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(copy.scanLine(y - originY));
        for (int x = window.left(); x <= window.right(); ++x) {
            const int value = canvas.pixel(x, y); // -1 outside a band
            if (value >= 0)
                line[x - originX] = toQRgb(value) | 0xff000000u;
        }
    }

    QImage large = magnify(copy, factor);
    if (large.isNull()) {
        draw_symbol(canvas, direct, zoom, false, context);
        return;
    }
    {
        Canvas largeCanvas(large);
        PartFields centred = direct;
        centred.x1 = Margin;
        centred.y1 = Margin;
        draw_symbol(largeCanvas, centred, zoom * factor, false, context);
    }
    const QImage smooth = halve_image(large, factor);
    if (smooth.size() != copy.size()) {
        draw_symbol(canvas, direct, zoom, false, context);
        return;
    }
    for (int y = window.top(); y <= window.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(smooth.constScanLine(y - originY));
        for (int x = window.left(); x <= window.right(); ++x)
            canvas.setPixel(x, y, fromQRgb(line[x - originX]));
    }
}
