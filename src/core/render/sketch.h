#pragma once

#include "render/renderer.h"

#include <QSize>

// The size of a sketch picture at a zoom: rnd(289 z) x rnd(361 z).
QSize sketchSize(double zoom);

// Draws the drawing of a sequence of the loaded play onto a canvas, parts in
// storage order, as getimage does. The canvas may hold a band of a larger
// picture; the pixels of the band are those of the whole picture.
void drawSketch(Canvas &canvas, double zoom, int sequence, RenderContext &context);

// The ghosts of earlier sequences the editor can show over the court.
struct PreviousOverlays {
    bool positions = false; // players and balls of the previous sequence
    bool lines = false;     // lines of the nearest earlier sequence that has any
};

// The sketch as the editor shows it: the parts by layer (level, then part
// number) rather than in storage order, and from sequence 2 on the chosen
// ghosts drawn over the court, below everything else.
void drawEditorSketch(Canvas &canvas, double zoom, int sequence, PreviousOverlays overlays,
                        RenderContext &context);
QImage editorSketchImage(double zoom, int sequence, PreviousOverlays overlays,
                           RenderContext &context);
