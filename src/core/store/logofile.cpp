#include "store/logofile.h"

#include "store/datamodule.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

const QString LogoName = QStringLiteral("logo.bmp");

} // namespace

QString chosenLogoFile(const DataModule &data, const QString &programFolder)
{
    const QString stored = data.getparam(QStringLiteral("Logopath")).text;
    if (isFile(stored))
        return stored;
    if (!programFolder.isEmpty()) {
        const QString program = QDir(programFolder).filePath(LogoName);
        if (isFile(program))
            return program;
    }
    const QString working = QDir::current().filePath(LogoName);
    return isFile(working) ? working : QString();
}

QString findLogoFile(const DataModule &data, const QString &programFolder)
{
    const PluginChoice plugin = data.getplugin();
    if (!plugin.name.isEmpty() && !programFolder.isEmpty()) {
        const QString pluginFolder = plugin.name + QString::number(plugin.number);
        const QString pluginLogo = QDir(programFolder).filePath(pluginFolder + u'/' + LogoName);
        if (isFile(pluginLogo))
            return pluginLogo;
    }
    return chosenLogoFile(data, programFolder);
}

QString reducedLogoPath(const QString &logo)
{
    const QFileInfo info(logo);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("256.bmp"));
}
