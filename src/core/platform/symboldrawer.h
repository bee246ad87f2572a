#pragma once

#include <QString>

class QImage;

// Draws the palette picture of a symbol. The first start asks for each
// picture through this interface so that the store does not depend on the
// symbol renderer.
class SymbolDrawer {
public:
    virtual ~SymbolDrawer() = default;

    // Draws symbol `number` of kind `type` in black, without a second colour,
    // onto a 39 x 33 white picture with its top left corner at (x, y), at the
    // given scale, anti-aliased when asked.
    virtual void drawSymbol(QImage &picture, const QString &type, int number, int x, int y,
                            double scale, bool antialias) = 0;

    // True for a stand-in whose pictures the real renderer should redraw.
    virtual bool isPlaceholder() const { return false; }
};
