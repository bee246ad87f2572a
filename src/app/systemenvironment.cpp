#include "systemenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

namespace {

QString folderOf(QStandardPaths::StandardLocation location)
{
    const QString path = QStandardPaths::writableLocation(location);
    return path.isEmpty() ? QString() : path + u'/';
}

} // namespace

QString SystemEnvironment::programFolder() const
{
    return QCoreApplication::applicationDirPath() + u'/';
}

QString SystemEnvironment::tempFolder() const
{
    return QDir::tempPath() + u'/';
}

QString SystemEnvironment::documentsFolder() const
{
    return folderOf(QStandardPaths::DocumentsLocation);
}

// Linux has no folders shared by every user that a user may write to.
QString SystemEnvironment::sharedDocumentsFolder() const
{
    return {};
}

QString SystemEnvironment::sharedAppDataFolder() const
{
    return {};
}

QString SystemEnvironment::localAppDataFolder() const
{
    // The folder belongs to the user even on a fresh account where nothing
    // has created it yet.
    const QString folder = folderOf(QStandardPaths::GenericDataLocation);
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    return folder;
}

QString SystemEnvironment::userName() const
{
    if (const passwd *entry = getpwuid(getuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString SystemEnvironment::computerName() const
{
    return QSysInfo::machineHostName();
}
