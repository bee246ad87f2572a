#pragma once

#include "store/datamodule.h"

#include <QPoint>
#include <QString>

// Where a shot sends the ball: onto the goal line when the shot's last segment
// crosses it inside the goal mouth, else onto the line behind the goal while
// that lies within the pool, else the shot's end point. courtLayout is the
// court part's Graphicnr, direction the last segment's angle in tenths of a
// degree (see MovePlayers).
QPoint shottarget(int courtLayout, int ballY, int endX, int direction, int endY);

// Fills the new drawing of a sequence added after the last one from the
// source drawing: the court, then the players carried along their movement
// lines, then the balls carried along passes, shots and dribbles. Lines,
// areas and texts stay behind. The balls of the source drawing are appended
// again so that they hold its highest part numbers; their old numbers would
// no longer match the undo history of the source sequence, so that history
// (key: category, name, sourceSequence) is cleared.
void MovePlayers(DataModule &data, int sourceDrawing, int newDrawing, const QString &category,
                 const QString &name, int sourceSequence);
