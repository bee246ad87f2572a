#pragma once

#include "platform/symboldrawer.h"

// Stands in for the symbol renderer: writes the first two letters of the kind
// and the symbol number in a small block font of its own, so it needs no
// system fonts and works without a screen.
class PlaceholderSymbolDrawer : public SymbolDrawer {
public:
    void drawSymbol(QImage &picture, const QString &type, int number, int x, int y, double scale,
                    bool antialias) override;
    bool isPlaceholder() const override { return true; }
};
