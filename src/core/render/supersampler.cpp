#include "render/supersampler.h"

#include "render/renderer.h"

#include <algorithm>
#include <cstring>

Supersampler::Supersampler(QSize size, int scale, qsizetype bandBytes)
    : target(size), scale(scale), bandBytes(bandBytes)
{
}

int Supersampler::bandRows() const
{
    const qsizetype blockBytes = qsizetype(largeSize().width()) * int(sizeof(QRgb)) * scale;
    const qsizetype blocks = std::max<qsizetype>(1, bandBytes / std::max<qsizetype>(blockBytes, 1));
    return int(std::min<qsizetype>(blocks, target.height()) * scale);
}

QImage Supersampler::render(const std::function<void(Canvas &)> &draw) const
{
    if ((scale != 2 && scale != 4 && scale != 8 && scale != 16) || target.isEmpty()
        || target.width() > MaxSide / scale || target.height() > MaxSide / scale)
        return {};
    const QSize large = largeSize();
    QImage result(target, QImage::Format_RGB32);
    QImage band(large.width(), bandRows(), QImage::Format_RGB32);
    if (result.isNull() || band.isNull())
        return {};
    for (int top = 0; top < large.height(); top += band.height()) {
        {
            Canvas canvas(band, large, QPoint(0, top));
            draw(canvas);
        }
        // The last band may hold fewer rows than the buffer. The band is
        // shrunk in its own pixels: no picture is made per band.
        const int rows = std::min(band.height(), large.height() - top);
        const QSize reduced = halveInPlace(band, QSize(band.width(), rows), scale);
        if (reduced != QSize(target.width(), rows / scale))
            return {};
        for (int y = 0; y < reduced.height(); ++y)
            std::memcpy(result.scanLine(top / scale + y), band.constScanLine(y),
                        size_t(target.width()) * sizeof(QRgb));
    }
    return result;
}
