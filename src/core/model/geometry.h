#pragma once

#include <QPoint>

#include <cmath>

// Rounds to the nearest whole number, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4), as every sketch coordinate is rounded.
inline int rnd(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// The sketch frame at 100 %: coordinates run from 0 to these, inclusive.
constexpr int SketchWidth = 289;
constexpr int SketchHeight = 361;

inline bool insideSketch(QPoint point)
{
    return point.x() >= 0 && point.x() <= SketchWidth && point.y() >= 0 && point.y() <= SketchHeight;
}
