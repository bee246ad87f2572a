#include "editor/moveplayers.h"

#include "store/undohistory.h"

#include "render/canvas.h"
#include "model/parttypes.h"

#include <QHash>
#include <QList>

#include <cmath>
#include <numbers>

namespace {

// ----- shottarget -----------------------------------------------------------

struct Span {
    int low = 0;
    int high = 0;
    bool contains(int value) const { return value >= low && value <= high; }
};

// One goal of a court layout: the shot must end inside the window, moving
// towards the goal, before it is carried onto the goal line or the line
// behind it.
struct GoalLines {
    Span window;          // allowed end y of the shot
    bool goalAbove;       // the goal lies towards smaller y
    int firstLine;        // y of the goal line
    int firstPlacedY;     // where the ball lands on it
    Span mouth;           // goal mouth on the goal line
    int secondLine;       // y of the line behind the goal
    int secondPlacedY;
    Span pool;            // pool width on that line
};

constexpr GoalLines topGoal{{79, 250}, true, 74, 74, {126, 162}, 73, 73, {24, 264}};
constexpr GoalLines bottomGoal{{101, 281}, false, 288, 287, {126, 162}, 299, 288, {24, 264}};
constexpr GoalLines fullPoolLower{{220, 332}, false, 338, 338, {128, 160}, 339, 339, {42, 247}};
constexpr GoalLines fullPoolUpper{{27, 140}, true, 22, 22, {128, 160}, 21, 21, {42, 247}};
constexpr GoalLines wideTopGoal{{101, 250}, true, 92, 92, {95, 188}, 55, 55, {8, 280}};
constexpr GoalLines wideBottomGoal{{101, 281}, false, 270, 270, {95, 188}, 310, 310, {8, 280}};

QList<GoalLines> goalsOf(int courtLayout)
{
    switch (courtLayout) {
    case 0:
    case 3:
        return {topGoal};
    case 1:
    case 4:
        return {bottomGoal};
    case 2:
    case 5:
        return {fullPoolLower, fullPoolUpper};
    case 6:
    case 9:
        return {wideTopGoal};
    case 7:
    case 10:
        return {wideBottomGoal};
    default:
        return {}; // layouts without a goal to shoot at
    }
}

// ----- MovePlayers ----------------------------------------------------------

// A symbol or ball on its way into the new drawing.
struct Piece {
    PartFields fields;
    int partnr = 0; // in the source drawing
    QPoint centre;
    bool used = false;
};

// One whole line run, reduced to what the placement needs.
struct Movement {
    QString type;    // the end form
    int arrow = 0;   // of the run's first row
    QPoint start;
    QPoint end;
    int direction = 0; // of the last segment, tenths of a degree
    bool used = false;
};

// A player carried along a dribble, remembered so that the ball keeps its
// place beside him.
struct Dribble {
    qsizetype player = 0;
    QPoint formerCentre;
};

// Closer than this (squared pixels) a line's start takes a piece along.
constexpr qint64 reach = 1000;
// Half the size of a symbol: its centre lies this far from its corner.
constexpr int halfSymbol = 11;
// A line drawn without arrowhead marks no movement.
constexpr int noArrowhead = 1;

QPoint centreOf(const PartFields &fields)
{
    return {fields.x1 + halfSymbol, fields.y1 + halfSymbol};
}

// The angle of a segment in whole tenths of a degree, y growing downwards.
// Only its slope matters where it is used, so it may be off by a half turn.
int directionOf(const PartFields &last)
{
    double angle = 0;
    if (last.x1 != last.x2)
        angle = std::atan(double(last.y2 - last.y1) / double(last.x1 - last.x2));
    else if (last.y1 != last.y2)
        angle = last.y2 > last.y1 ? 3 * std::numbers::pi / 2 : std::numbers::pi / 2;
    return rnd(angle * 1800 / std::numbers::pi);
}

struct SourceParts {
    QList<Piece> players;
    QList<Piece> balls;
    QList<Movement> lines;
    bool runsComplete = true;
};

// Reads the source drawing in storage order; its court goes to the new
// drawing at once so that it stays the first part there.
SourceParts readSource(DataModule &data, int sourceDrawing, int newDrawing)
{
    QList<PartRow> rows;
    for (const PartRow &row : data.tables().parts) {
        if (row.Drawingnr == sourceDrawing)
            rows.append(row);
    }

    SourceParts source;
    qsizetype openRun = -1; // the line whose run is still being read
    QString openKind;
    for (const PartRow &row : rows) {
        if (openRun >= 0) {
            Movement &line = source.lines[openRun];
            if (row.Type == line.type) {
                line.end = QPoint(row.x2, row.y2);
                line.direction = directionOf(row);
                openRun = -1;
                continue;
            }
            if (row.Type == openKind)
                continue;
            // Something else stands between a run's rows: the run has no
            // end, but the part is still read so that nothing is lost.
            source.runsComplete = false;
            openRun = -1;
        }
        if (isCourt(row.Type)) {
            data.addpart(newDrawing, row);
        } else if (is_symbol(row.Type)) {
            // Goals, pylons and racks stay where they are.
            source.players.append({row, row.Partnr, centreOf(row), is_equipment(row.Type)});
        } else if (is_ball(row.Type)) {
            source.balls.append({row, row.Partnr, centreOf(row)});
        } else if (is_line(row.Type)) {
            Movement line;
            line.type = line_end_code(row.Type);
            line.arrow = row.arrow;
            line.start = QPoint(row.x1, row.y1);
            line.end = QPoint(row.x2, row.y2);
            line.direction = directionOf(row);
            line.used = row.arrow == noArrowhead;
            source.lines.append(line);
            if (!is_line_end(row.Type)) {
                openRun = source.lines.size() - 1;
                openKind = row.Type;
            }
        }
    }
    if (openRun >= 0)
        source.runsComplete = false;
    return source;
}

qint64 squaredDistance(QPoint a, QPoint b)
{
    const qint64 dx = a.x() - b.x();
    const qint64 dy = a.y() - b.y();
    return dx * dx + dy * dy;
}

struct Pair {
    qsizetype line = -1;
    qsizetype piece = -1;
};

// The free line of one of the kinds whose start lies nearest to a free
// piece; on a tie the first line, then the first piece wins.
Pair nearestPair(const QList<Movement> &lines, const QStringList &kinds, const QList<Piece> &pieces)
{
    Pair best;
    qint64 bestDistance = reach;
    for (qsizetype l = 0; l < lines.size(); ++l) {
        if (lines[l].used || !kinds.contains(lines[l].type))
            continue;
        for (qsizetype p = 0; p < pieces.size(); ++p) {
            if (pieces[p].used)
                continue;
            const qint64 distance = squaredDistance(lines[l].start, pieces[p].centre);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = {l, p};
            }
        }
    }
    return best;
}

void placePieces(SourceParts &source, int courtLayout)
{
    static const QStringList playerMoves = {PartType::LoopEnd, PartType::BackEnd, PartType::FastEnd,
                                            PartType::ScreenEnd, PartType::DribbleEnd};
    static const QStringList ballMoves = {PartType::ShotEnd, PartType::PassEnd, PartType::DribbleEnd};

    QHash<qsizetype, Dribble> dribbles;
    for (Pair pair; (pair = nearestPair(source.lines, playerMoves, source.players)).line >= 0;) {
        Movement &line = source.lines[pair.line];
        Piece &player = source.players[pair.piece];
        if (line.type == PartType::DribbleEnd)
            dribbles.insert(pair.line, {pair.piece, player.centre});
        player.centre = line.end;
        line.used = player.used = true;
    }

    // A dribble carries the ball as well as the player.
    for (Movement &line : source.lines) {
        if (line.type == PartType::DribbleEnd && line.arrow != noArrowhead)
            line.used = false;
    }

    for (Pair pair; (pair = nearestPair(source.lines, ballMoves, source.balls)).line >= 0;) {
        Movement &line = source.lines[pair.line];
        Piece &ball = source.balls[pair.piece];
        if (line.type == PartType::ShotEnd) {
            ball.centre = shottarget(courtLayout, ball.centre.y(), line.end.x(), line.direction,
                                     line.end.y());
        } else if (const auto dribble = dribbles.constFind(pair.line); dribble != dribbles.cend()) {
            const QPoint offset = ball.centre - dribble->formerCentre;
            ball.centre = source.players[dribble->player].centre + offset;
        } else {
            ball.centre = line.end;
        }
        line.used = ball.used = true;
    }
}

// Gives the source drawing's balls its highest part numbers.
void reappendBalls(DataModule &data, int sourceDrawing, const QList<Piece> &balls)
{
    for (const Piece &ball : balls)
        data.deletepart(sourceDrawing, ball.partnr);
    for (const Piece &ball : balls)
        data.addpart(sourceDrawing, ball.fields);
}

void appendPlaced(DataModule &data, int drawing, const QList<Piece> &pieces)
{
    for (const Piece &piece : pieces) {
        PartFields fields = piece.fields;
        fields.x1 = qint16(piece.centre.x() - halfSymbol);
        fields.y1 = qint16(piece.centre.y() - halfSymbol);
        data.addpart(drawing, fields);
    }
}

} // namespace

QPoint shottarget(int courtLayout, int ballY, int endX, int direction, int endY)
{
    const QPoint endPoint(endX, endY);
    const double theta = direction * std::numbers::pi / 1800;
    if (std::abs(std::sin(theta)) <= 0.0001)
        return endPoint; // a horizontal shot never reaches a goal line
    const double run = std::cos(theta) / std::sin(theta);
    const auto crossing = [&](int lineY) { return endX - rnd((lineY - endY) * run); };

    for (const GoalLines &goal : goalsOf(courtLayout)) {
        const bool towardsGoal = goal.goalAbove ? endY < ballY : endY > ballY;
        if (!goal.window.contains(endY) || !towardsGoal)
            continue;
        if (const int x = crossing(goal.firstLine); goal.mouth.contains(x))
            return {x, goal.firstPlacedY};
        if (const int x = crossing(goal.secondLine); goal.pool.contains(x))
            return {x, goal.secondPlacedY};
        return endPoint;
    }
    return endPoint;
}

void MovePlayers(DataModule &data, int sourceDrawing, int newDrawing, const QString &category,
                 const QString &name, int sourceSequence)
{
    SourceParts source = readSource(data, sourceDrawing, newDrawing);
    if (!source.balls.isEmpty()) {
        UndoHistory(data).clearhistory(category, name, sourceSequence);
        reappendBalls(data, sourceDrawing, source.balls);
    }
    // A run without its end has no end point to carry anything to.
    if (source.runsComplete)
        placePieces(source, data.getcourtnr(sourceDrawing));
    appendPlaced(data, newDrawing, source.players);
    appendPlaced(data, newDrawing, source.balls);
}
