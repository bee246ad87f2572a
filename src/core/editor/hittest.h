#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class SketchSelection;
struct PartRow;

// Finding objects on a sketch: the nearest object to a click, whether a
// click lies on an object, and what a marquee holds.
namespace HitTest {

// The representative row of the object whose centre is nearest to the
// point, or 0 when none lies closer than about 316 pixels. Ties go to the
// earlier row; the court is never found.
int nearestObject(const SketchSelection &sketch, int drawing, QPoint point);

// Whether the point lies on the object's box (a symbol's cell, a ball's
// core, a text block, inside an ellipse's box, a run's points widened by 3).
bool onObject(const SketchSelection &sketch, int drawing, int partnr, QPoint point);

// Whether a marquee (inclusive) holds the object represented by this row.
// Segments and corners that are no end form are held only through their run.
bool inMarquee(const SketchSelection &sketch, int drawing, const PartRow &part, const QRect &marquee);

} // namespace HitTest
