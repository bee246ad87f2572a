#include "model/color.h"

#include "model/geometry.h"

#include <algorithm>

QRgb toQRgb(int color)
{
    return qRgb(redOf(color), greenOf(color), blueOf(color));
}

int fromQRgb(QRgb value)
{
    return rgb(qRed(value), qGreen(value), qBlue(value));
}

// --- HLS ------------------------------------------------------------------------
// The integer conversion of the classic 0-240 colour picker.

namespace {

constexpr int HlsMax = 240;
constexpr int RgbMax = 255;
constexpr int UndefinedHue = HlsMax * 2 / 3;

int hueToRgb(int n1, int n2, int hue)
{
    if (hue < 0)
        hue += HlsMax;
    if (hue > HlsMax)
        hue -= HlsMax;
    if (hue < HlsMax / 6)
        return n1 + (((n2 - n1) * hue + HlsMax / 12) / (HlsMax / 6));
    if (hue < HlsMax / 2)
        return n2;
    if (hue < HlsMax * 2 / 3)
        return n1 + (((n2 - n1) * (HlsMax * 2 / 3 - hue) + HlsMax / 12) / (HlsMax / 6));
    return n1;
}

} // namespace

Hls rgbToHls(int color)
{
    const int r = redOf(color), g = greenOf(color), b = blueOf(color);
    const int cMax = std::max({r, g, b});
    const int cMin = std::min({r, g, b});
    Hls hls;
    hls.luminosity = ((cMax + cMin) * HlsMax + RgbMax) / (2 * RgbMax);
    if (cMax == cMin) {
        hls.hue = UndefinedHue;
        return hls;
    }
    const int span = cMax - cMin;
    if (hls.luminosity <= HlsMax / 2)
        hls.saturation = (span * HlsMax + (cMax + cMin) / 2) / (cMax + cMin);
    else
        hls.saturation = (span * HlsMax + (2 * RgbMax - cMax - cMin) / 2) / (2 * RgbMax - cMax - cMin);
    const int rDelta = ((cMax - r) * (HlsMax / 6) + span / 2) / span;
    const int gDelta = ((cMax - g) * (HlsMax / 6) + span / 2) / span;
    const int bDelta = ((cMax - b) * (HlsMax / 6) + span / 2) / span;
    if (r == cMax)
        hls.hue = bDelta - gDelta;
    else if (g == cMax)
        hls.hue = HlsMax / 3 + rDelta - bDelta;
    else
        hls.hue = HlsMax * 2 / 3 + gDelta - rDelta;
    if (hls.hue < 0)
        hls.hue += HlsMax;
    if (hls.hue > HlsMax)
        hls.hue -= HlsMax;
    return hls;
}

int hlsToRgb(const Hls &hls)
{
    const int hue = hls.hue, lum = hls.luminosity, sat = hls.saturation;
    if (sat == 0) {
        const int grey = lum * RgbMax / HlsMax;
        return rgb(grey, grey, grey);
    }
    const int magic2 = lum <= HlsMax / 2 ? (lum * (HlsMax + sat) + HlsMax / 2) / HlsMax
                                         : lum + sat - (lum * sat + HlsMax / 2) / HlsMax;
    const int magic1 = 2 * lum - magic2;
    const auto channel = [&](int h) {
        return std::clamp((hueToRgb(magic1, magic2, h) * RgbMax + HlsMax / 2) / HlsMax, 0, 255);
    };
    return rgb(channel(hue + HlsMax / 3), channel(hue), channel(hue - HlsMax / 3));
}

int grey(int color)
{
    const int g = rnd((redOf(color) + greenOf(color) + blueOf(color)) / 3.0);
    return rgb(g, g, g);
}
