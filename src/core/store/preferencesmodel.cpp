#include "store/preferencesmodel.h"

#include "store/datamodule.h"
#include "store/folders.h"
#include "store/logofile.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr int MinZoom = 50;
constexpr int MaxZoom = 150;
constexpr int DefaultZoom = 100;
const QSize LogoSize(260, 180);

bool saveBitmap(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "BMP") && file.commit();
}

bool samePath(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty()
        && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

FontPreferences readFontPreferences(const DataModule &data)
{
    const auto on = [&data](const char *key) { return data.getparam(QLatin1String(key)).filled; };
    FontPreferences font;
    font.name = data.getparam(QStringLiteral("Fname1")).text;
    font.size = data.getparam(QStringLiteral("Fsize")).number;
    font.bold = on("Fbold");
    font.italic = on("Fitalic");
    font.underline = on("Funder");
    font.strike = on("Fstrike");
    font.color = data.getparam(QStringLiteral("Fcolor")).number;
    return font;
}

PreferencesModel::PreferencesModel(DataModule &data, const QString &programFolder,
                                   const QString &dataFolder)
    : data(data), programFolder(programFolder), dataFolder(dataFolder)
{
    load();
}

void PreferencesModel::load()
{
    const auto on = [this](const char *key) { return data.getparam(QLatin1String(key)).filled; };

    font = readFontPreferences(data);

    exports.png = on("Htmlpng");
    exports.antiAlias = data.getparam(QStringLiteral("Antiexp2")).number != 0;
    exports.oldPrint = on("Oldprint");
    exports.logo = chosenLogoFile(data, programFolder);

    misc.showAll = on("Showall");
    misc.autoMove = on("Automove");
    misc.showHistory = on("Showhis");
    misc.keepDown = on("Keepdown");
    misc.antiAliasSymbols = on("Antiexp");
    misc.zoom = std::clamp(data.getparam(QStringLiteral("Zfactor")).number, MinZoom, MaxZoom);

    loadedFont = font;
    loadedExports = exports;
    loadedMisc = misc;
}

bool PreferencesModel::differs(Page page) const
{
    switch (page) {
    case DefaultFont:
        return font != loadedFont;
    case Export:
        return exports != loadedExports;
    case Miscellaneous:
        return misc != loadedMisc;
    case MailIdentity:
        break;
    }
    return false;
}

void PreferencesModel::storeChanged()
{
    for (const Page page : {DefaultFont, MailIdentity, Export, Miscellaneous}) {
        if (differs(page))
            store(page);
    }
}

void PreferencesModel::store(Page page)
{
    switch (page) {
    case DefaultFont:
        storeFont();
        break;
    case Export:
        storeExport();
        break;
    case Miscellaneous:
        storeMisc();
        break;
    case MailIdentity:
        break;
    }
}

void PreferencesModel::setSwitch(const char *key, bool on)
{
    data.setparam(QLatin1String(key), QString(), on, 0);
}

void PreferencesModel::storeFont()
{
    data.setparam(QStringLiteral("Fname1"), font.name, false, 0);
    data.setparam(QStringLiteral("Fsize"), QString(), false, font.size);
    setSwitch("Fbold", font.bold);
    setSwitch("Fitalic", font.italic);
    setSwitch("Funder", font.underline);
    setSwitch("Fstrike", font.strike);
    data.setparam(QStringLiteral("Fcolor"), QString(), false, font.color);
    loadedFont = font;
}

void PreferencesModel::storeExport()
{
    setSwitch("Htmlpng", exports.png);
    setSwitch("Oldprint", exports.oldPrint);
    const int factor = exports.antiAlias ? 8 : 0;
    data.setparam(QStringLiteral("Antiexp2"), QString(), exports.antiAlias, factor);
    data.setparam(QStringLiteral("Antiexp3"), QString(), exports.antiAlias, factor);
    data.setparam(QStringLiteral("Logopath"), exports.logo, true, 0);
    if (!samePath(loadedExports.logo, exports.logo))
        removeLogoCopies(loadedExports.logo);
    loadedExports = exports;
}

void PreferencesModel::storeMisc()
{
    setSwitch("Showall", misc.showAll);
    setSwitch("Automove", misc.autoMove);
    setSwitch("Showhis", misc.showHistory);
    setSwitch("Keepdown", misc.keepDown);
    setSwitch("Antiexp", misc.antiAliasSymbols);
    data.setparam(QStringLiteral("Zfactor"), QString(), false,
                  std::clamp(misc.zoom, MinZoom, MaxZoom));
    loadedMisc = misc;
}

// --- logo --------------------------------------------------------------------

QString PreferencesModel::defaultLogo() const
{
    return QDir(programFolder).filePath(QStringLiteral("logo.bmp"));
}

QString PreferencesModel::shownLogo() const
{
    const QString logo = findLogoFile(data, programFolder);
    const bool pluginLogo = !logo.isEmpty() && !samePath(logo, chosenLogoFile(data, programFolder));
    return pluginLogo ? logo : exports.logo;
}

QString PreferencesModel::logoFolder() const
{
    return data.getparam(QStringLiteral("Openlogo")).text;
}

bool PreferencesModel::chooseLogoPicture(const QString &picture)
{
    const QFileInfo info(picture);
    data.setparam(QStringLiteral("Openlogo"), withSlash(info.absolutePath()), true, 0);

    QImageReader reader(picture);
    const QImage image = reader.read();
    if (image.isNull() || dataFolder.isEmpty())
        return false;

    const QImage stretched = image.convertToFormat(QImage::Format_RGB32)
                                 .scaled(LogoSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QString copy = QDir(dataFolder).filePath(info.completeBaseName().toLower()
                                                   + QStringLiteral(".bmp"));
    if (!saveBitmap(stretched, copy)
        || !saveBitmap(stretched.convertToFormat(QImage::Format_Indexed8), reducedLogoPath(copy)))
        return false;

    copiesOfThisVisit.append(copy);
    exports.logo = copy;
    return true;
}

void PreferencesModel::discardUnstoredCopies()
{
    for (const QString &copy : std::as_const(copiesOfThisVisit)) {
        if (!samePath(copy, loadedExports.logo))
            removeLogoCopies(copy);
    }
    copiesOfThisVisit.clear();
}

void PreferencesModel::removeLogoCopies(const QString &logo) const
{
    // Only our own copies go: a stored path may name any file at all.
    const bool ownCopy = !dataFolder.isEmpty() && QFileInfo(logo).absoluteDir() == QDir(dataFolder);
    if (logo.isEmpty() || !ownCopy || samePath(logo, defaultLogo()))
        return;
    QFile::remove(logo);
    QFile::remove(reducedLogoPath(logo));
}

QImage PreferencesModel::logoPreview(const QString &logo)
{
    if (logo.isEmpty())
        return {};
    QImageReader reader(logo);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    const QImage fitted = image.scaled(LogoSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return fitted.scaled(std::max(1, fitted.width() / 2), std::max(1, fitted.height() / 2),
                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString PreferencesModel::logoCaption(const QString &logo)
{
    if (logo.isEmpty())
        return QStringLiteral("No logo");
    QString name = QFileInfo(logo).completeBaseName();
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

// --- database path -------------------------------------------------------------

bool PreferencesModel::storeDatabasePath(const QString &folder, const QString &userKey,
                                         const QString &computerKey)
{
    const QString path = withSlash(folder);
    if (path.isEmpty() || !QDir().mkpath(path) || !isWritableFolder(path))
        return false;
    data.setcontroltext(QStringLiteral("DatabasePath"), userKey, computerKey, 0, path);
    return true;
}

// --- helpers of the controls -------------------------------------------------------

int PreferencesModel::zoomValue(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::clamp(value, MinZoom, MaxZoom) : DefaultZoom;
}

QString PreferencesModel::helpTopic(Page page)
{
    switch (page) {
    case DefaultFont:
        return QStringLiteral("Defaultfont");
    case MailIdentity:
        return QStringLiteral("Mailidentity");
    case Export:
        return QStringLiteral("Exportsettings");
    case Miscellaneous:
        break;
    }
    return QStringLiteral("Miscellaneoussettings");
}

QStringList PreferencesModel::fontNames(const QStringList &families)
{
    QStringList names;
    for (QString name : families) {
        if (name.count(u' ') == 1)
            name = name.remove(QStringLiteral("Bold")).trimmed();
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    return names;
}

int PreferencesModel::sizeIndex(const QList<int> &sizes, int size)
{
    for (int i = 0; i < sizes.size(); ++i) {
        if (sizes[i] >= size)
            return i;
    }
    return int(sizes.size()) - 1;
}
