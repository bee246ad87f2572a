#pragma once

// What the parts of the sketch editor share: the nearness tests of its
// gestures.

#include "model/geometry.h"

#include <QPoint>

#include <algorithm>
#include <cstdlib>

namespace EditorShapes {

// A drop this close to where the drag started moves nothing.
constexpr int DropSlack = 3;
// How near the pointer must be to a vertex to grab it.
constexpr int HandleReach = 3;

inline bool near(QPoint a, QPoint b, int reach)
{
    return std::abs(a.x() - b.x()) <= reach && std::abs(a.y() - b.y()) <= reach;
}

// The nearest point on the sketch: whatever the pointer does off its edges,
// nothing is stored outside it.
inline QPoint clampedToSketch(QPoint point)
{
    return {std::clamp(point.x(), 0, SketchWidth), std::clamp(point.y(), 0, SketchHeight)};
}

} // namespace EditorShapes
