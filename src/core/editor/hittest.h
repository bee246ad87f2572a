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

// The box of the object represented by this row: a symbol's cell, a ball's
// core, a text block, an ellipse's box, a run's points widened by 3. A null
// rectangle when there is no such part.
QRect objectBox(const SketchSelection &sketch, int drawing, int partnr);

// Whether the point lies on the object's box: symbols and balls with their
// edges, the others strictly inside.
bool onObject(const SketchSelection &sketch, int drawing, int partnr, QPoint point);

// The boxes of every selected object (state 1) together; null when nothing
// is selected. Shown while the selection is dragged.
QRect selectionBox(const SketchSelection &sketch, int drawing);

// Whether a marquee (inclusive) holds the object represented by this row.
// Segments and corners that are no end form are held only through their run.
bool inMarquee(const SketchSelection &sketch, int drawing, const PartRow &part, const QRect &marquee);

} // namespace HitTest
