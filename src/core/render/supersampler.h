#pragma once

#include "render/canvas.h"

#include <QImage>
#include <QSize>

#include <functional>

// Draws a picture scale times larger than the result and shrinks it with
// 2 x 2 box filters (halve_image), one horizontal band of the large picture
// at a time, so that the large picture never exists whole: memory stays near
// one band however large the scale. The result has exactly the size asked
// for, whether its sides are odd or even.
class Supersampler {
public:
    // Every band draws every part again, which favours few bands; but a
    // band's pages are touched anew on every picture and the band is filled
    // several times over (background, court, water), which favours small
    // ones. A sketch at zoom 2 smoothed by 8 (a large picture of 427 MB)
    // takes fourteen bands of 32 MB.
    static constexpr qsizetype DefaultBandBytes = qsizetype(32) << 20;
    // QPainter cannot address pixels beyond this.
    static constexpr int MaxSide = 32767;

    // scale: 2, 4, 8 or 16.
    Supersampler(QSize size, int scale, qsizetype bandBytes = DefaultBandBytes);

    QSize largeSize() const { return target * scale; }
    // Rows of the large picture drawn at once, a multiple of the scale.
    int bandRows() const;

    // Calls draw once per band with a canvas holding that band of the large
    // picture (coordinates are those of the whole large picture). A null
    // image when the large picture is too big to draw or memory for a band
    // or the result cannot be had.
    QImage render(const std::function<void(Canvas &)> &draw) const;

private:
    QSize target;
    int scale;
    qsizetype bandBytes;
};
