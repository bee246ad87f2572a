#include "render/poollayout.h"

namespace {

using Mark = PoolLine::Mark;
using Growth = PoolLine::Growth;

// Below this zoom a few edges sit one pixel off so that they still meet
// their neighbours after rounding.
constexpr double SmallZoom = 1.5;

PoolLayout halfGoalTop(bool smaller)
{
    PoolLayout pool;
    pool.water = {23, 66, 265, 306};
    pool.strips = {{11, 54, 23, 306}, {11, 54, 277, 66}, {265, 54, 277, 306}};
    const int goal = smaller ? 80 : 78;
    pool.lines = {{Mark::GoalLine, goal, Growth::Centred},
                  {Mark::TwoMetre, smaller ? 120 : 102, Growth::Centred},
                  {Mark::FiveMetre, smaller ? 180 : 138, Growth::Centred},
                  {Mark::HalfWay, smaller ? 284 : 268, Growth::Centred}};
    if (smaller)
        pool.framedGoals = {{{111, 69, 177, 80}}};
    else
        pool.openGoals = {{125, 162, 69, goal}};
    pool.outlines = {{11, 54, 277, 306}, {23, 66, 265, 306}};
    pool.areaClip = {23, 66, 264, 304};
    return pool;
}

PoolLayout halfGoalBottom(bool smaller)
{
    PoolLayout pool;
    pool.water = {23, 55, 265, 295};
    pool.strips = {{11, 55, 23, 307}, {11, 295, 277, 307}, {265, 55, 277, 307}};
    pool.lines = {{Mark::GoalLine, smaller ? 281 : 283, Growth::Centred},
                  {Mark::TwoMetre, smaller ? 241 : 259, Growth::Centred},
                  {Mark::FiveMetre, smaller ? 181 : 223, Growth::Centred},
                  {Mark::HalfWay, smaller ? 77 : 93, Growth::Centred}};
    pool.framedGoals = {{smaller ? SketchBox{111, 281, 177, 292} : SketchBox{126, 283, 162, 292}}};
    pool.outlines = {{11, 55, 277, 307}, {23, 55, 265, 295}};
    pool.areaClip = {23, 55, 264, 295};
    return pool;
}

PoolLayout whole(bool smaller, bool colourCourt)
{
    PoolLayout pool;
    pool.water = {41, 15, 248, 346};
    pool.strips = {{31, 5, 258, 15}, {31, 5, 41, 356}, {248, 5, 258, 356}, {31, 346, 258, 356}};
    // Both halves' lines grow towards the half-way line.
    const int goalTop = smaller ? 30 : 26;
    const int goalBottom = smaller ? 330 : 334;
    pool.lines = {{Mark::HalfWay, 180, Growth::Centred},
                  {Mark::GoalLine, goalTop, Growth::Down},
                  {Mark::GoalLine, goalBottom, Growth::Up},
                  {Mark::TwoMetre, smaller ? 60 : 46, Growth::Down},
                  {Mark::TwoMetre, smaller ? 300 : 314, Growth::Up},
                  {Mark::FiveMetre, smaller ? 105 : 77, Growth::Down},
                  {Mark::FiveMetre, smaller ? 255 : 283, Growth::Up}};
    const int leftPost = smaller ? 119 : 128;
    const int rightPost = smaller ? 169 : 160;
    pool.openGoals = {{leftPost, rightPost, 18, goalTop}, {leftPost, rightPost, 342, goalBottom}};
    pool.outlines = {{31, 5, 258, 356}, {41, 15, 248, 346}};
    pool.areaClip = {41, colourCourt ? 15 : 14, 248, 346};
    return pool;
}

PoolLayout closeUpGoalTop(double zoom)
{
    const bool small = zoom < SmallZoom;
    PoolLayout pool;
    pool.water = {9, 40, 279, 331};
    pool.strips = {{9, 28, 279, 40}};
    pool.lines = {{Mark::GoalLine, small ? 99 : 100, Growth::Down},
                  {Mark::TwoMetre, 160, Growth::Down},
                  {Mark::FiveMetre, 250, Growth::Down}};
    pool.framedGoals = {{{98, 55, 189, 101}}};
    pool.stripEdges = {28, 40};
    pool.areaClip = {9, 40, small ? 277 : 278, 330};
    return pool;
}

PoolLayout closeUpGoalBottom(double zoom)
{
    PoolLayout pool;
    pool.water = {9, 30, 279, 321};
    pool.strips = {{9, 321, 279, 333}};
    pool.lines = {{Mark::GoalLine, 262, Growth::Up},
                  {Mark::TwoMetre, 201, Growth::Up},
                  {Mark::FiveMetre, 101, Growth::Up}};
    pool.openGoals = {{96, 191, 307, 262}};
    pool.stripEdges = {321, 333};
    pool.areaClip = {9, 30, zoom < SmallZoom ? 277 : 278, 321};
    return pool;
}

} // namespace

PoolLayout poolLayout(PoolShape shape, bool smallerPool, bool colourCourt, double zoom)
{
    switch (shape) {
    case PoolShape::HalfGoalTop: {
        PoolLayout pool = halfGoalTop(smallerPool);
        // The smaller pool's goal would end a pixel short of its goal line.
        if (smallerPool && zoom < SmallZoom)
            pool.framedGoals.first().bottomShift = 1;
        return pool;
    }
    case PoolShape::HalfGoalBottom:
        return halfGoalBottom(smallerPool);
    case PoolShape::Whole:
        return whole(smallerPool, colourCourt);
    case PoolShape::CloseUpGoalTop:
        return closeUpGoalTop(zoom);
    case PoolShape::CloseUpGoalBottom:
        return closeUpGoalBottom(zoom);
    }
    return {};
}
