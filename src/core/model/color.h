#pragma once

#include <QRgb>

// Colours are held as COLORREF values: red in the low byte, then green,
// then blue.
constexpr int rgb(int red, int green, int blue)
{
    return (red & 0xff) | ((green & 0xff) << 8) | ((blue & 0xff) << 16);
}
constexpr int redOf(int color) { return color & 0xff; }
constexpr int greenOf(int color) { return (color >> 8) & 0xff; }
constexpr int blueOf(int color) { return (color >> 16) & 0xff; }
QRgb toQRgb(int color);
int fromQRgb(QRgb rgb);

// Hue, luminosity and saturation on the 0-240 scale, in whole numbers.
struct Hls {
    int hue = 0;
    int luminosity = 0;
    int saturation = 0;
};
Hls rgbToHls(int color);
int hlsToRgb(const Hls &hls);

constexpr int Black = rgb(0, 0, 0);
constexpr int White = rgb(255, 255, 255);
constexpr int Red = rgb(255, 0, 0);
constexpr int Yellow = rgb(255, 255, 0);
constexpr int Silver = rgb(192, 192, 192);

// The grey of the same brightness: the mean of the three channels.
int grey(int color);
