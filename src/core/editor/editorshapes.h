#pragma once

// What the parts of the sketch editor share: the sketch's bounds, the type
// codes it tests and the nearness tests of its gestures.

#include <QPoint>
#include <QString>

#include <cstdlib>

namespace EditorShapes {

constexpr int SketchRight = 289;
constexpr int SketchBottom = 361;
// A drop this close to where the drag started moves nothing.
constexpr int DropSlack = 3;
// How near the pointer must be to a vertex to grab it.
constexpr int HandleReach = 3;

inline const QString CourtType = QStringLiteral("Court");
inline const QString TextType = QStringLiteral("Text");
inline const QString EllipseType = QStringLiteral("ellipse");
inline const QString PolyType = QStringLiteral("poly");
inline const QString PolyEnd = QStringLiteral("ppoly");

inline bool insideSketch(QPoint point)
{
    return point.x() >= 0 && point.x() <= SketchRight && point.y() >= 0 && point.y() <= SketchBottom;
}

inline bool near(QPoint a, QPoint b, int reach)
{
    return std::abs(a.x() - b.x()) <= reach && std::abs(a.y() - b.y()) <= reach;
}

} // namespace EditorShapes
