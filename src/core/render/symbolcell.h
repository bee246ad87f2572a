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
void drawCirclePlayer(const SymbolCell &cell);
void drawSquarePlayer(const SymbolCell &cell);
void drawTrianglePlayer(const SymbolCell &cell);
void drawPop(const SymbolCell &cell);
void drawChair(const SymbolCell &cell);
void drawNumberedCross(const SymbolCell &cell);

// Markers, equipment and balls.
void drawCross(const SymbolCell &cell);
void drawCoach(const SymbolCell &cell);
void drawGoal(const SymbolCell &cell);
void drawPylon(const SymbolCell &cell);
void drawRack(const SymbolCell &cell);
void drawBall(const SymbolCell &cell);
