#include "render/renderer.h"

RenderContext::RenderContext(const DataModule &data, QString programFolder)
    : data(data), programFolder(std::move(programFolder))
{
    readSettings();
}

void RenderContext::readSettings()
{
    const ParamValue offense = data.getparam(QStringLiteral("Offense"));
    const ParamValue defense = data.getparam(QStringLiteral("Defense"));
    sides = {offense.number, defense.number};
    offenseFilled = offense.filled;
    defenseFilled = defense.filled;
    antiExp = data.getparam(QStringLiteral("Antiexp")).filled;
    grey = false;
}
