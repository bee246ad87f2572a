#pragma once

#include "render/canvas.h"
#include "model/parttypes.h"
#include "model/tables.h"

#include <QImage>

// A part of a sketch at the given place, on its default layer.
inline PartFields part(const QString &type, int x1, int y1, int x2 = 0, int y2 = 0)
{
    PartFields fields;
    fields.Type = type;
    fields.x1 = qint16(x1);
    fields.y1 = qint16(y1);
    fields.x2 = qint16(x2);
    fields.y2 = qint16(y2);
    fields.level = default_level(type);
    return fields;
}

// The colour of a pixel as a COLORREF value.
inline int colorAt(const QImage &picture, int x, int y)
{
    return fromQRgb(picture.pixel(x, y));
}
