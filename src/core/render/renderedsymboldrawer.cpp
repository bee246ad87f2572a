#include "render/renderedsymboldrawer.h"

#include "store/symbolpictures.h"

RenderedSymbolDrawer::RenderedSymbolDrawer()
{
    context.sides = {rgb(0, 0, 0), rgb(0, 0, 0)};
    context.offenseFilled = false;
    context.defenseFilled = false;
    context.antiExp = false;
    // Colour courts in the colours a new playbook starts with.
    data.courtDefaults = {rgb(0, 0, 112), rgb(24, 173, 247), rgb(255, 255, 255), rgb(248, 248, 210)};
}

void RenderedSymbolDrawer::drawSymbol(QImage &picture, const QString &type, int number, int x,
                                      int y, double scale, bool antialias)
{
    if (type.compare(QLatin1String("Court"), Qt::CaseInsensitive) == 0) {
        drawCourt(picture, number);
        return;
    }
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

// A court picture is the whole pool in small, centred in the picture.
void RenderedSymbolDrawer::drawCourt(QImage &picture, int layout)
{
    const double zoom = double(picture.height()) / SketchHeight;
    QImage court(rnd(SketchWidth * zoom), rnd(SketchHeight * zoom), QImage::Format_RGB32);
    court.fill(Qt::white);
    {
        Canvas canvas(court);
        draw_court(canvas, layout, 0, zoom, context);
    }
    QPainter painter(&picture);
    painter.drawImage((picture.width() - court.width()) / 2, 0, court);
}
