#pragma once

#include "store/exporter.h"
#include "store/playsnapshot.h"

// A play written as a version 0.7 play file or exchange file, under the
// key its header holds. The creation date is kept; the modification date
// is nowText.
class PlayFileExporter : public Exporter {
public:
    PlayFileExporter(const PlaySnapshot &play, PlaySnapshot::Format format, QString nowText);

    ExportError write(QIODevice &device, ExportProgress &progress) override;

private:
    const PlaySnapshot &play;
    PlaySnapshot::Format format;
    QString nowText;
};
