#pragma once

#include "render/renderer.h"

#include <QSize>

// The size of a sketch picture at a zoom: rnd(289 z) x rnd(361 z).
QSize sketch_size(double zoom);

// Draws the drawing of a sequence of the loaded play onto a canvas, parts in
// storage order, as getimage does. The canvas may hold a band of a larger
// picture; the pixels of the band are those of the whole picture.
void draw_sketch(Canvas &canvas, double zoom, int sequence, RenderContext &context);
