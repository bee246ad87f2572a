#include "store/playstore.h"

#include "platform/clock.h"
#include "platform/prompter.h"
#include "store/playbook.h"
#include "store/playnames.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool sameKey(const QString &category, const QString &name, const QString &otherCategory,
             const QString &otherName)
{
    return category.compare(otherCategory, Qt::CaseInsensitive) == 0
        && name.compare(otherName, Qt::CaseInsensitive) == 0;
}

QString unusableName(const QString &category, const QString &name)
{
    return QStringLiteral("The play %1 in category %2 cannot be stored: its name gives no file name")
        .arg(name, category);
}

} // namespace

PlayStore::PlayStore(Playbook &session, const Clock &clock)
    : session(session), clock(clock)
{
}

PlayStoreObserver &PlayStore::observer() const
{
    static PlayStoreObserver nobody;
    return watcher ? *watcher : nobody;
}

PlayFolder PlayStore::folder() const
{
    return PlayFolder(session.folders.data);
}

// The row of the key itself; else a row whose key gives the same file, since
// two such keys would be one play. A play of an older playbook keeps its own
// file, so its row is found by its key even when the key gives no file name
// today.
PlayRow *PlayStore::findRow(const QString &category, const QString &name) const
{
    for (PlayRow &row : session.tables.plays) {
        if (sameKey(row.Category, row.Drillname, category, name))
            return &row;
    }
    const QString key = PlayNames::fileKey(category, name);
    if (key.isEmpty())
        return nullptr;
    for (PlayRow &row : session.tables.plays) {
        if (PlayNames::fileKey(row.Category, row.Drillname) == key)
            return &row;
    }
    return nullptr;
}

bool PlayStore::nothingLoaded() const
{
    return session.loadedCategory.isEmpty() || session.loadedName.isEmpty();
}

void PlayStore::FillPlayDataset()
{
    folder().FillPlayDataset(session.data, clock.nowText());
}

bool PlayStore::nodrill()
{
    FillPlayDataset();
    return session.tables.plays.isEmpty();
}

QString PlayStore::playPath(const QString &category, const QString &name) const
{
    if (const PlayRow *row = findRow(category, name); row && !row->filePath.isEmpty())
        return row->filePath;
    return folder().playPath(category, name);
}

bool PlayStore::keyTaken(const QString &category, const QString &name) const
{
    return findRow(category, name) != nullptr;
}

QString PlayStore::corruptMessage(PlayReadError error, const QString &name)
{
    switch (error) {
    case PlayReadError::Playname:
        return QStringLiteral("The data of play ") + name
            + QStringLiteral(" is corrupt and the play be removed from the database");
    case PlayReadError::NrSeq:
        return QStringLiteral("The data of play ") + name
            + QStringLiteral(" is corrupt the play will be removed from the database");
    default:
        return QStringLiteral("The data of play ") + name
            + QStringLiteral(" is corrupt and will be removed from the database");
    }
}

// The line break is LF: message boxes here do not break lines at CR.
QString PlayStore::notFoundMessage(const QString &path)
{
    return QStringLiteral("Play path = ") + path
        + QStringLiteral("\nPlay not found, play list will be refreshed");
}

bool PlayStore::FillSequenceDataset(const QString &category, const QString &name)
{
    session.data.clearplay();
    const QString path = playPath(category, name);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        session.prompter.inform(notFoundMessage(path));
        refreshdb({}, {});
        return false;
    }
    PlayRow header;
    const PlayReadError error = PlayFile::read(file, session.data, header);
    file.close();
    if (error == PlayReadError::None)
        return true;
    session.prompter.inform(corruptMessage(error, name));
    refreshdb(category, name);
    return false;
}

bool PlayStore::choosePlay(const QString &category, const QString &name)
{
    if (!nothingLoaded() && sameKey(session.loadedCategory, session.loadedName, category, name))
        return true;
    // The changes of the loaded play must be on disk before its tables are
    // emptied; when they cannot be stored, the play stays loaded.
    if (session.PlayModified && !storeLoadedPlay())
        return false;
    session.undo.clearundo();
    session.loadedCategory.clear();
    session.loadedName.clear();
    session.PlayModified = false;
    if (!FillSequenceDataset(category, name))
        return false;
    const PlayRow *row = findRow(category, name);
    session.loadedCategory = row ? row->Category : category;
    session.loadedName = row ? row->Drillname : name;
    return true;
}

bool PlayStore::storeLoadedPlay()
{
    return DBUpdate(session.loadedCategory, session.loadedName);
}

// Where a play goes that the index does not place: the path made from its
// key, with its folders made. A file in the way there that is not this
// play's own is one the scan could not read (a newer version, a damaged
// file); it is never written over: the play takes the next free numbered
// name instead, where the scan finds it by its header all the same.
QString PlayStore::newPlayPath(const QString &category, const QString &name)
{
    const QString path = folder().playPath(category, name);
    if (path.isEmpty()) {
        session.prompter.error(unusableName(category, name));
        return {};
    }
    if (!checkdir(PlayNames::diskName(category)))
        return {};
    const PlayRow *row = findRow(category, name);
    const QString own = row ? row->filePath : QString();
    constexpr int MaxNumber = 999;
    for (int n = 1; n <= MaxNumber; ++n) {
        const QString candidate = PlayFolder::numberedPath(path, n);
        if (candidate == own || !PlayFolder::taken(candidate))
            return candidate;
    }
    session.prompter.error(QStringLiteral("The play %1 could not be stored: %2 and %3 further names are taken")
                               .arg(name, path)
                               .arg(MaxNumber - 1));
    return {};
}

bool PlayStore::DBUpdate(const QString &category, const QString &name)
{
    if (nothingLoaded())
        return true;
    PlayRow header;
    QString path;
    if (const PlayRow *row = findRow(category, name)) {
        header = *row;
        // A file gone since the scan is written where the key puts it.
        if (QFileInfo::exists(row->filePath))
            path = row->filePath;
    }
    if (path.isEmpty())
        path = newPlayPath(category, name);
    return !path.isEmpty() && storeplay(path, category, name, header);
}

bool PlayStore::updateName(const QString &oldCategory, const QString &oldName,
                           const QString &newCategory, const QString &newName)
{
    if (nothingLoaded())
        return true;
    const PlayRow *newRow = findRow(newCategory, newName);
    const PlayRow *oldRow = findRow(oldCategory, oldName);
    const PlayRow header = newRow ? *newRow : oldRow ? *oldRow : PlayRow();
    const QString oldPath = playPath(oldCategory, oldName);
    const QString newPath = newPlayPath(newCategory, newName);
    if (newPath.isEmpty() || !storeplay(newPath, newCategory, newName, header))
        return false;
    if (sameKey(oldCategory, oldName, session.loadedCategory, session.loadedName))
        session.PlayModified = false;
    // A new key with the old file name (a/b renamed to ab) was just stored
    // over its own previous content.
    if (oldPath == newPath || oldPath.isEmpty() || !QFileInfo::exists(oldPath))
        return true;
    QString error;
    if (!PlayFolder::setAside(oldPath, &error)) {
        session.prompter.error(error);
        return false;
    }
    return true;
}

bool PlayStore::DeletePlay(const QString &category, const QString &name)
{
    const QString path = playPath(category, name);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return true;
    QString error;
    if (!PlayFolder::setAside(path, &error)) {
        session.prompter.error(error);
        return false;
    }
    return true;
}

bool PlayStore::checkdir(const QString &folderName)
{
    QString error;
    if (folder().checkdir(folderName, &error))
        return true;
    session.prompter.error(error);
    return false;
}

void PlayStore::refreshdb(const QString &category, const QString &name)
{
    if (!category.isEmpty() && !name.isEmpty()) {
        observer().removeFromPlayList(category, name);
        const QString path = playPath(category, name);
        QString aside;
        QString error;
        if (QFileInfo::exists(path) && !PlayFolder::setAsideDamaged(path, &aside, &error))
            session.prompter.error(error);
    }
    FillPlayDataset();
    observer().indexRebuilt();
}

bool PlayStore::storeplay(const QString &path, const QString &category, const QString &name,
                          PlayRow header)
{
    const QString now = clock.nowText();
    QString error;
    const bool written = PlayFolder::writeWithBackup(
        path,
        [&](QIODevice &device) {
            return PlayFile::write(device, session.data, header, category, name, now);
        },
        &error);
    if (!written) {
        session.prompter.error(QStringLiteral("The play %1 could not be stored. %2").arg(name, error));
        return false;
    }
    if (PlayRow *row = findRow(category, name)) {
        row->filePath = path;
        row->Moddate = now;
        if (row->Credate.isEmpty())
            row->Credate = now;
    }
    if (sameKey(category, name, session.loadedCategory, session.loadedName))
        session.PlayModified = false;
    return true;
}
