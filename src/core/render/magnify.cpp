#include "render/renderer.h"

#include <algorithm>
#include <cstring>

namespace {

// The square around a symbol that draw_magnified redraws, in sketch units.
constexpr int Margin = 15;
constexpr int WindowSide = 60;
// QImage cannot hold a side longer than this.
constexpr qint64 MaxSide = 32767;

// One halving step over the top-left width x height pixels, written into
// the top-left quarter of the same pixels: each output pixel lies at or
// before the block it is made of, so no pixel is overwritten before it is
// read. The channels are summed two at a time in one word (red with blue,
// alpha with green; ten bits each leave room for the sums) and rounded to
// the nearest, halves to even: (sum + 1 + (sum / 4 odd)) / 4.
void halveStep(uchar *bits, qsizetype bytesPerLine, int width, int height)
{
    constexpr quint32 Low = 0x00ff00ff, Ones = 0x00010001;
    const auto mean = [](quint32 sums) {
        return ((sums + Ones + ((sums >> 2) & Ones)) >> 2) & Low;
    };
    for (int y = 0; y < height / 2; ++y) {
        const auto *upper = reinterpret_cast<const quint32 *>(bits + 2 * y * bytesPerLine);
        const auto *lower = reinterpret_cast<const quint32 *>(bits + (2 * y + 1) * bytesPerLine);
        auto *out = reinterpret_cast<quint32 *>(bits + y * bytesPerLine);
        for (int x = 0; x < width / 2; ++x) {
            const quint32 a = upper[2 * x], b = upper[2 * x + 1], c = lower[2 * x], d = lower[2 * x + 1];
            const quint32 redBlue = (a & Low) + (b & Low) + (c & Low) + (d & Low);
            const quint32 alphaGreen = ((a >> 8) & Low) + ((b >> 8) & Low) + ((c >> 8) & Low)
                + ((d >> 8) & Low);
            out[x] = mean(redBlue) | (mean(alphaGreen) << 8);
        }
    }
}

// Every pixel of the source as a factor x factor square: each row is
// widened once and copied to the rows below it.
QImage magnify(const QImage &source, int factor)
{
    QImage target(source.width() * factor, source.height() * factor, QImage::Format_RGB32);
    if (target.isNull())
        return {};
    const int width = source.width(), height = source.height();
    const size_t rowBytes = size_t(target.width()) * sizeof(QRgb);
    for (int y = 0; y < height; ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        QRgb *out = reinterpret_cast<QRgb *>(target.scanLine(y * factor));
        for (int x = 0; x < width; ++x)
            std::fill_n(out + x * factor, factor, in[x]);
        for (int copy = 1; copy < factor; ++copy)
            std::memcpy(target.scanLine(y * factor + copy), out, rowBytes);
    }
    return target;
}

} // namespace

QSize halveInPlace(QImage &image, QSize size, int factor)
{
    const int steps = factor == 2 ? 1 : factor == 4 ? 2 : factor == 8 ? 3 : factor == 16 ? 4 : 0;
    if (image.format() != QImage::Format_RGB32 || !image.rect().contains(QRect(QPoint(), size)))
        return {};
    for (int step = 0; step < steps; ++step) {
        if (size.width() < 2 || size.height() < 2)
            return {};
        halveStep(image.bits(), image.bytesPerLine(), size.width(), size.height());
        size = QSize(size.width() / 2, size.height() / 2);
    }
    return size;
}

QImage halve_image(const QImage &source, int factor)
{
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    const QSize size = halveInPlace(image, image.size(), factor);
    if (size.isEmpty())
        return {};
    return size == image.size() ? image : image.copy(QRect(QPoint(), size));
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
    // A band gives only the rows it holds.
    const QRect band(canvas.origin(), canvas.image().size());
    const QRect given = window & band;
    for (int y = given.top(); y <= given.bottom(); ++y) {
        const QRgb *from = reinterpret_cast<const QRgb *>(canvas.image().constScanLine(y - band.top()))
            + (given.left() - band.left());
        std::memcpy(reinterpret_cast<QRgb *>(copy.scanLine(y - originY)) + (given.left() - originX),
                    from, size_t(given.width()) * sizeof(QRgb));
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
    // Shrunk in its own pixels: the result is its top-left side x side.
    if (halveInPlace(large, large.size(), factor) != copy.size()) {
        draw_symbol(canvas, direct, zoom, false, context);
        return;
    }
    canvas.setPixels(window.left(), window.top(), large, window.translated(-originX, -originY));
}
