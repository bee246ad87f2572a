#include "store/symbolpictures.h"

#include "platform/symboldrawer.h"

#include <QImage>

namespace {

const QString PlaceholderKey = QStringLiteral("QuorvanePlaceholder");

bool isChair(const QString &type)
{
    return type.compare(QLatin1String("Ochair"), Qt::CaseInsensitive) == 0
           || type.compare(QLatin1String("Dchair"), Qt::CaseInsensitive) == 0;
}

struct Placement {
    const char *types[4];
    int x, y;
    double scale;
};

// Where each kind sits in its picture, so that it looks centred.
constexpr Placement Placements[] = {
    {{"Opop", "Dpop"}, 8, 7, 1.0},
    {{"Coach"}, 6, 4, 1.1},
    {{"Ball", "Ballf"}, 7, 5, 1.1},
    {{"Cross"}, 7, 6, 1.1},
    {{"Crossf"}, 8, 6, 1.1},
    {{"Triangle", "Otriangl"}, 8, 6, 1.0},
    {{"Rack", "Pylon"}, 8, 7, 1.0},
    {{"Triangf"}, 9, 6, 1.0},
    {{"Circle", "Dcircle", "Osquare", "Dsquare"}, 9, 7, 1.0},
    {{"Ncross", "Ocross"}, 9, 8, 1.0},
    {{"Circlef"}, 10, 7, 1.0},
    {{"Ochair", "Dchair"}, 6, 4, 1.0},
    {{"Goal"}, 9, 5, 1.0},
};

Placement placement(const QString &type)
{
    for (const Placement &p : Placements) {
        for (const char *name : p.types) {
            if (name && type.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return p;
        }
    }
    return {{}, 0, 0, 1.0};
}

} // namespace

QList<SymbolPictures::Symbol> SymbolPictures::standard()
{
    QList<Symbol> symbols;
    const auto add = [&](std::initializer_list<const char *> types, std::initializer_list<int> numbers) {
        for (const char *type : types) {
            for (int number : numbers)
                symbols.append({QString::fromLatin1(type), number});
        }
    };
    add({"Ball", "Ballf", "Coach", "Goal"}, {1});
    add({"Rack"}, {3});
    add({"Triangf", "Circlef", "Crossf"}, {14});
    add({"Cross"}, {10});
    add({"Pylon"}, {1, 2, 3});
    // The player kinds are made number by number: all kinds for 1, then for 2.
    for (int number = 1; number <= 14; ++number) {
        add({"Ncross", "Circle", "Otriangl", "Ocross", "Dcircle", "Triangle", "Ochair", "Dchair",
             "Osquare", "Dsquare", "Opop", "Dpop"},
            {number});
    }
    add({"Court"}, {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 12, 13});
    add({"dribbel", "loop", "pass", "pdribbel", "ploop", "ppass", "pscreen", "screen", "shot"}, {0});
    return symbols;
}

QImage SymbolPictures::draw(SymbolDrawer &drawer, const QString &type, int number)
{
    QImage canvas(Width, Height, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    const Placement where = placement(type);
    const bool chair = isChair(type);
    drawer.drawSymbol(canvas, type, number, where.x, where.y, where.scale, chair);
    QImage picture = chair ? canvas.convertToFormat(QImage::Format_RGB888)
                           : canvas.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    if (drawer.isPlaceholder())
        picture.setText(PlaceholderKey, QStringLiteral("1"));
    return picture;
}

bool SymbolPictures::isPlaceholder(const QImage &picture)
{
    return picture.text(PlaceholderKey) == QLatin1String("1");
}

int SymbolPictures::redrawPlaceholders(QList<GraphRow> &rows, SymbolDrawer &drawer)
{
    if (drawer.isPlaceholder())
        return 0;
    int redrawn = 0;
    for (GraphRow &row : rows) {
        if (isPlaceholder(row.Graphic)) {
            row.Graphic = draw(drawer, row.Type, row.Graphicnr);
            ++redrawn;
        }
    }
    return redrawn;
}
