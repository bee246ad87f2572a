#pragma once

#include <QList>

// The geometry of the built-in pools in sketch coordinates at 100 %. Boxes
// are left, top, right, bottom with the right and bottom edge outside.
struct SketchBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A line across the whole width of the water.
struct PoolLine {
    enum class Mark { GoalLine, TwoMetre, FiveMetre, HalfWay };
    // Centred: a pen of 2z centred on y. Down and Up: a band of rnd(2z)
    // one-pixel lines starting at y and growing that way.
    enum class Growth { Centred, Down, Up };
    Mark mark;
    int y;
    Growth growth;
};

// A goal drawn as two posts and a back bar, each rnd(2z) pixels wide: the
// posts reach from the back bar to the goal line and grow outwards, the back
// bar grows into the goal.
struct OpenGoal {
    int leftPost;
    int rightPost;
    int backY;
    int goalLineY;
};

// A goal drawn as a rectangle outline with a pen of 2z.
struct FramedGoal {
    SketchBox box;
    int bottomShift = 0; // pixels the bottom edge is moved down
};

struct PoolLayout {
    SketchBox water;
    QList<SketchBox> strips;
    QList<PoolLine> lines;
    QList<OpenGoal> openGoals;
    QList<FramedGoal> framedGoals;
    // Close-ups: the pool end strip's edges, drawn again in black after the
    // goals as bands growing downwards.
    QList<int> stripEdges;
    // Rectangles drawn in black with a pen of rnd(z) at the end.
    QList<SketchBox> outlines;
    SketchBox areaClip;
};

// The pool shapes; the colour courts use the shape of their black and white
// twin.
enum class PoolShape { HalfGoalTop, HalfGoalBottom, Whole, CloseUpGoalTop, CloseUpGoalBottom };

// The layout of a shape at zoom z (a few edges move by a pixel at small
// zooms). smallerPool is ignored by the close-ups, which have no smaller
// variant; colourCourt gives the whole pool's colour version its own area
// clip.
PoolLayout poolLayout(PoolShape shape, bool smallerPool, bool colourCourt, double zoom);
