#pragma once

// What the parts of the sketch editor share: the nearness tests of its
// gestures.

#include <QPoint>

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

} // namespace EditorShapes
