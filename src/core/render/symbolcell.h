#pragma once

#include "render/renderer.h"

// One symbol being drawn: the part, its lower-case code, the zoom and the
// size factor, with the scaling every shape of a symbol uses. Shared by the
// drawing routines of the player shapes and of the markers, equipment and
// balls.
struct SymbolCell {
    Canvas &canvas;
    const PartFields &part;
    QString code;
    double zoom = 1;
    double size = 1; // the size factor s
    bool ghost = false;
    RenderContext &context;

    // A sketch coordinate in pixels.
    int px(double u) const { return rnd(u * zoom); }
    QPoint at(double u, double v) const { return {px(u), px(v)}; }
    double x1() const { return part.x1; }
    double y1() const { return part.y1; }
    bool grey() const { return context.grey; }
    void line(QPoint from, QPoint to) const { canvas.line(from.x(), from.y(), to.x(), to.y()); }
};

// Player shapes: circle family, squares, triangles, pops, chairs and the
// numbered crosses.
void draw_circle_player(const SymbolCell &cell);
void draw_square_player(const SymbolCell &cell);
void draw_triangle_player(const SymbolCell &cell);
void draw_pop(const SymbolCell &cell);
void draw_chair(const SymbolCell &cell);
void draw_numbered_cross(const SymbolCell &cell);

// Markers, equipment and balls.
void draw_cross(const SymbolCell &cell);
void draw_coach(const SymbolCell &cell);
void draw_goal(const SymbolCell &cell);
void draw_pylon(const SymbolCell &cell);
void draw_rack(const SymbolCell &cell);
void draw_ball(const SymbolCell &cell);
