#pragma once

#include "render/renderer.h"
#include "store/datamodule.h"
#include "platform/symboldrawer.h"
#include "model/tables.h"

// Draws the palette pictures with the symbol renderer: black outlines and
// numbers without fills, whatever the team colours of the settings are, so
// that the pictures read well with one bit per pixel.
class RenderedSymbolDrawer : public SymbolDrawer {
public:
    RenderedSymbolDrawer();

    void drawSymbol(QImage &picture, const QString &type, int number, int x, int y, double scale,
                    bool antialias) override;

private:
    void drawCourt(QImage &picture, int layout);

    // The renderer reads its settings through a context; the palette keeps
    // its own, independent of the loaded settings.
    Tables tables;
    DataModule data{tables};
    RenderContext context{data, QString()};
};
