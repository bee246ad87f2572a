#pragma once

#include "model/tables.h"

#include <QList>

class SymbolDrawer;

// The palette pictures of the symbols: which symbols have one, and how each
// picture is drawn.
namespace SymbolPictures {

constexpr int Width = 39;
constexpr int Height = 33;

struct Symbol {
    QString type;
    int number = 0;
};

// The 201 symbols a first start makes pictures for, in the order it makes them.
QList<Symbol> standard();

// The picture of one symbol: one bit per pixel, except the chairs, which are
// anti-aliased and kept with 24 bits per pixel. A picture drawn by a
// placeholder drawer carries a mark that isPlaceholder finds.
QImage draw(SymbolDrawer &drawer, const QString &type, int number);

bool isPlaceholder(const QImage &picture);

// Redraws every placeholder picture of the rows with the given drawer and
// returns how many it redrew (none when the drawer is a placeholder itself).
int redrawPlaceholders(QList<GraphRow> &rows, SymbolDrawer &drawer);

} // namespace SymbolPictures
