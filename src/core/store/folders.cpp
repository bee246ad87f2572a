#include "store/folders.h"

#include "platform/environment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString productFolder(const QString &base)
{
    return base + u'/' + FolderNames::Product + u'/';
}

// The folder is there afterwards, or the error names the one that failed.
FolderChoice makeProductFolder(const QString &parent, const QString &baseName)
{
    const QString base = parent + baseName;
    const QString folder = productFolder(base);
    if (QFileInfo(folder).isDir())
        return {folder, {}};
    QDir dir;
    if (!QFileInfo(base).isDir() && !dir.mkdir(base))
        return {{}, QStringLiteral("Cannot create ") + base};
    if (!dir.mkdir(folder))
        return {{}, QStringLiteral("Cannot create ") + folder};
    return {folder, {}};
}

// A program folder that already keeps a playbook (a portable copy) goes on
// keeping it; any other, a build folder above all, never receives one.
bool holdsPlaybook(const QString &programFolder)
{
    const QString product = productFolder(programFolder + FolderNames::SharedBase);
    return QFileInfo::exists(product + QStringLiteral("wparam.xml"))
        || QFileInfo(product + QStringLiteral("data")).isDir();
}

bool missingOrAppendable(const QString &file)
{
    if (!QFileInfo::exists(file))
        return true;
    QFile f(file);
    return f.open(QIODevice::Append);
}

} // namespace

QString withSlash(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

bool isWritableFolder(const QString &folderIn)
{
    const QString folder = withSlash(folderIn);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    for (int n = 1; n <= 9998; ++n) {
        const QString probe = folder + QStringLiteral("pb%1.tmp").arg(n);
        if (QFileInfo::exists(probe))
            continue;
        QFile file(probe);
        if (!file.open(QIODevice::NewOnly | QIODevice::WriteOnly))
            return false;
        file.close();
        file.remove();
        return missingOrAppendable(productFolder(folder + FolderNames::SharedBase)
                                   + QStringLiteral("wparam.xml"));
    }
    return false;
}

QString controlKey(const QString &name)
{
    QString key;
    for (const QChar c : name.toUpper()) {
        if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
            key += c;
        if (key.size() == 255)
            break;
    }
    return key.isEmpty() ? QStringLiteral("X") : key;
}

FolderChoice computedDataFolder(const Environment &environment)
{
    QString chosen = withSlash(environment.programFolder());
    const bool programFolderFit = isWritableFolder(chosen) && chosen.size() <= 90
        && !chosen.toLower().contains(QStringLiteral("documents and settings"))
        && holdsPlaybook(chosen);
    const QString localAppData = withSlash(environment.localAppDataFolder());
    if (!programFolderFit) {
        chosen.clear();
        for (const QString &candidate : {localAppData, withSlash(environment.documentsFolder()),
                                         withSlash(environment.sharedDocumentsFolder())}) {
            if (isWritableFolder(candidate)) {
                chosen = candidate;
                break;
            }
        }
    }
    // Without any writable folder there is nowhere to keep the playbook; a
    // folder relative to wherever the program happens to run would scatter it.
    if (chosen.isEmpty())
        return {{}, QStringLiteral("Cannot find a folder where the playbook can be written")};
    const QString &base = (chosen == localAppData) ? FolderNames::LocalBase : FolderNames::SharedBase;
    return makeProductFolder(chosen, base);
}

FolderChoice controlFolder(const Environment &environment, const QString &computedData)
{
    for (const QString &candidate : {withSlash(environment.sharedAppDataFolder()),
                                     withSlash(environment.localAppDataFolder())}) {
        if (!isWritableFolder(candidate))
            continue;
        if (!missingOrAppendable(productFolder(candidate + FolderNames::LocalBase)
                                 + QStringLiteral("wcontrol.cds")))
            continue;
        return makeProductFolder(candidate, FolderNames::LocalBase);
    }
    return {computedData, {}};
}

DataFolderChoice chooseDataFolder(const QString &computed, const QString &storedPath,
                                  const QStringList &arguments, const QString &baseFolder)
{
    DataFolderChoice choice{computed, true};
    const QString stored = withSlash(storedPath);
    if (!stored.isEmpty() && isWritableFolder(stored))
        choice = {stored, false};
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) != QLatin1String("-d") || arguments.at(i + 1).isEmpty())
            continue;
        const QString folder = withSlash(QDir::cleanPath(QDir(baseFolder).absoluteFilePath(arguments.at(i + 1))));
        if (isWritableFolder(folder))
            choice.folder = folder;
    }
    return choice;
}
