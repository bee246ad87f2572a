#pragma once

#include "store/exporter.h"
#include "store/playsnapshot.h"

// One sequence of a play drawn as a PNG picture of rnd(289 z) x rnd(361 z)
// pixels: plain, or smoothed as exported images are (falling back to lower
// factors when a picture that large cannot be made), in colour or in grey
// as "Black & white court and players" draws it.
class SketchImageExporter : public Exporter {
public:
    struct Settings {
        int sequence = 1;
        double zoom = 1;
        int smoothing = 0; // 0 plain, else 1, 2, 4 or 8
        bool grey = false;
    };

    SketchImageExporter(const PlaySnapshot &play, Settings settings);

    ExportError write(QIODevice &device, ExportProgress &progress) override;

    // The smoothing factor the last picture was drawn with.
    int smoothingUsed() const { return usedFactor; }

private:
    const PlaySnapshot &play;
    Settings settings;
    int usedFactor = 0;
};
