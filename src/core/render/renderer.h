#pragma once

#include "render/canvas.h"
#include "model/geometry.h"
#include "model/parttypes.h"
#include "store/datamodule.h"
#include "model/tables.h"

#include <QImage>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>

// Everything the sketch renderers read besides the part being drawn: the
// tables of the loaded play and the settings (never changed by drawing), the folder of the court
// plug-ins, and the grey mode that the court of a drawing sets for every
// part drawn after it.
struct RenderContext {
    RenderContext(const DataModule &data, QString programFolder);

    const DataModule &data;
    // Where the court plug-ins live; empty: no plug-in pictures at all (the
    // built-in pools are drawn), wherever the program runs.
    QString programFolder;

    // Read from the settings when the context is made (and again with
    // readSettings): side colours and fill flags, "Antiexp".
    SideColors sides;
    bool offenseFilled = true;
    bool defenseFilled = true;
    bool antiExp = false;
    void readSettings();

    // Set by draw_court for the drawing being drawn; reading the settings
    // clears it.
    bool grey = false;
    // Off while draw_sketch_smooth supersamples a whole sketch.
    bool magnifiedSymbols = true;
};

// --- court and areas --------------------------------------------------------------
// Paints the court of the given index and the drawing's areas over the whole
// picture and sets grey mode. drawing < 1: no drawing (court previews).
void draw_court(Canvas &canvas, int courtIndex, int drawing, double zoom, RenderContext &context);
// Draws the drawing's areas clipped to the rectangle (sketch coordinates);
// true when the drawing has any. Polygon runs of fewer than three corners
// are not drawn.
bool draw_areas(Canvas &canvas, int drawing, int clipLeft, int clipTop, int clipRight,
                int clipBottom, double zoom, RenderContext &context);
// Border, Water, Three point area and Pool border colours of a drawing. A
// colour field of the court part that is 0 means "the setting of that name";
// any other value is the colour itself, its low 24 bits. So that black can be
// chosen, a colour dialog stores black as BlackCourtColor.
constexpr int BlackCourtColor = 0x02000000;
CourtColors court_colors(int drawing, const RenderContext &context);
bool is_smaller_pool(int drawing, const DataModule &data);

// --- symbols ----------------------------------------------------------------------
// Draws one part that is not a court, an area or a curved run; straight
// line segments go to the line routines. Leaves the pen width at 1.
void draw_symbol(Canvas &canvas, const PartFields &part, double zoom, bool ghost,
                 RenderContext &context);
// The size of a text part's block at 100 %: its widest line and the sum of
// its line heights, as the editor measures it for hit tests and marks.
QSize textBlockSize(const PartFields &part);
void draw_text_box(Canvas &canvas, const PartFields &part, double zoom, bool ghost,
                   RenderContext &context);
void draw_magnified(Canvas &canvas, const PartFields &part, double zoom, int factor,
                    RenderContext &context);
// Shrinks source by factor 2, 4 or 8 (2 x 2 box filter per step).
QImage halve_image(const QImage &source, int factor);
// The same in place over the top-left size pixels of an RGB32 picture (also
// by 16): the result takes the top-left corner; its size is returned, empty
// when the pixels are too few for the factor.
QSize halveInPlace(QImage &image, QSize size, int factor);

// --- lines ------------------------------------------------------------------------
// One straight segment of a line kind, with body (the segment) or without
// (its end mark only, drawn when arrow is 0; the caller asks for it for end
// forms).
void drawLineSegment(Canvas &canvas, const PartFields &part, double zoom, bool ghost,
                       bool body, RenderContext &context);
// The same for a segment in sketch units that need not be whole (a player's
// facing line); the part gives the kind, colour, thickness and arrow.
void drawLineSegment(Canvas &canvas, const PartFields &part, QLineF segment, double zoom,
                     bool ghost, bool body, RenderContext &context);
// The end marks at `to` for the direction from -> to, in pixels of the
// picture, with the current pen.
void arrowhead(Canvas &canvas, QPointF from, QPointF to, double zoom);
void screen_bar(Canvas &canvas, QPointF from, QPointF to, double zoom);
// One curved run or one shot through the point list (phantom points
// included), in sketch coordinates.
void draw_curve(Canvas &canvas, const QString &endCode, const QList<QPointF> &points, bool ghost,
                double zoom, int color, int arrow, int rotation, int thickness,
                RenderContext &context);

// --- whole sketches ---------------------------------------------------------------
// Draws the drawing of a sequence of the loaded play, parts in storage order.
// The image becomes rnd(289 z) x rnd(361 z) pixels (null when a picture that
// large cannot be made). Drawing onto a canvas: drawSketch (sketch.h).
void getimage(QImage &image, double zoom, int sequence, RenderContext &context);
// As getimage, supersampled; false (and image untouched) when the picture
// could not be made at this factor.
bool draw_sketch_smooth(QImage &image, double zoom, int sequence, int factor,
                        RenderContext &context);
// The smooth picture with the fallback 8 -> 4 -> 2 -> 1 -> 0 from factor,
// and the factor that worked; 0 draws the picture plainly (getimage). The
// caller keeps the working factor (settings "Antiexp2", "Antiexp3") so that
// a factor that failed is not tried again.
struct SmoothPicture {
    QImage image;
    int factor = 0;
};
SmoothPicture sketchImage(double zoom, int sequence, int factor, RenderContext &context);
// Ghosts of the previous sequence's symbols and of the nearest earlier
// sequence's lines (the editor's previous-positions display).
void draw_prev_players(Canvas &canvas, int sequence, RenderContext &context);
void draw_prev_lines(Canvas &canvas, int sequence, RenderContext &context);
