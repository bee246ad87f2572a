#include "shell/session.h"

#include "store/datafiles.h"

Session::Session(Environment &environment, Prompter &prompter)
    : environment(environment), prompter(prompter)
{
}

void Session::readRuntimeSettings()
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

QString Session::writeSettingsFiles()
{
    if (!settingsLoaded)
        return {};
    DataFiles files(folders.computedData, folders.control, prompter);
    QStringList errors;
    QString error;
    if (!files.SaveParamDataset(tables, &error))
        errors.append(error);
    if (!files.SaveControlDataset(tables, &error))
        errors.append(error);
    return errors.join(u'\n');
}
