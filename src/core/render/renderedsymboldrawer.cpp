#include "render/renderedsymboldrawer.h"

#include "store/symbolpictures.h"

RenderedSymbolDrawer::RenderedSymbolDrawer()
{
    context.sides = {rgb(0, 0, 0), rgb(0, 0, 0)};
    context.offenseFilled = false;
    context.defenseFilled = false;
    context.antiExp = false;
}

void RenderedSymbolDrawer::drawSymbol(QImage &picture, const QString &type, int number, int x,
                                      int y, double scale, bool antialias)
{
    Canvas canvas(picture);
    canvas.setPen(rgb(0, 0, 0), 1);
    PartFields part;
    part.Type = type;
    part.Graphicnr = number;
    part.color = rgb(0, 0, 0);
    part.color2 = -1;
    part.level = default_level(type);
    if (is_line(type)) {
        // A line kind has no cell: show a stroke across the picture.
        part.x1 = qint16(x + 4);
        part.y1 = qint16(y + SymbolPictures::Height - 6);
        part.x2 = qint16(x + SymbolPictures::Width - 6);
        part.y2 = qint16(y + 5);
    } else {
        part.x1 = qint16(x);
        part.y1 = qint16(y);
    }
    if (antialias && is_symbol(type))
        draw_magnified(canvas, part, scale, scale <= 1.11 ? 4 : 2, context);
    else
        draw_symbol(canvas, part, scale, false, context);
}
