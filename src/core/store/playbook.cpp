#include "store/playbook.h"

void Playbook::tidyDrawing(int sequence)
{
    if (data.removeShortPolygons(data.getdrawingnr(sequence)))
        PlayModified = true;
}

void Playbook::readRuntimeSettings()
{
    const auto on = [this](const char *key) { return data.getparam(QLatin1String(key)).filled; };
    const auto number = [this](const char *key) { return data.getparam(QLatin1String(key)).number; };

    runtime.prevPositions = on("Prevpos");
    runtime.prevLines = on("Prevline");
    runtime.showAll = on("Showall");
    runtime.autoMove = on("Automove");
    runtime.keepDown = on("Keepdown");
    runtime.antiExp = on("Antiexp");
    runtime.antiExp2 = number("Antiexp2");
    runtime.antiExp3 = number("Antiexp3");
    runtime.showHistory = on("Showhis");
    runtime.snap = on("Snap");
    runtime.gridSize = number("Snap");
    runtime.zoomFactor = number("Zfactor");
}
