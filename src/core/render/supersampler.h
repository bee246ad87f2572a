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
    // Every band draws every part again, and some parts cost the same in
    // any band (a text box fits its font to the zoom), so bands are few and
    // large: a sketch at zoom 2 smoothed by 8 (a large picture of 427 MB)
    // takes three bands.
    static constexpr qsizetype DefaultBandBytes = qsizetype(144) << 20;
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
