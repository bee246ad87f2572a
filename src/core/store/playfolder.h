#pragma once

#include "model/tables.h"

#include <QStringList>

#include <functional>

class DataModule;
class QIODevice;

// The play files below "data/" of a data folder: the scan into the play
// index, where a key's file lives, and writing and setting aside play files
// with their ".~at" backup copies. Nothing here talks to the user; failures
// come back as texts.
class PlayFolder {
public:
    // dataFolder ends with '/'.
    explicit PlayFolder(const QString &dataFolder);

    // "data/" of the data folder, ending with '/'.
    QString root() const { return rootPath; }

    // Rebuilds the play index from the play files and orders it by
    // "Category;Drillname". A play file is listed under the key its header
    // gives, whatever its file name and folder; of two files giving one key
    // (in any letter case) the first met is listed. nowText is the creation
    // date of files older than 0.7. A file that is no play file of a known
    // version, or whose header lacks the category or the play name, is left
    // out; its path is added to unreadable when given. A file that cannot be
    // opened is left out too.
    void FillPlayDataset(DataModule &data, const QString &nowText,
                         QStringList *unreadable = nullptr) const;

    // "data/<category folder>/<file name>.dat" for the key, empty when the
    // names cannot be stored (see PlayNames).
    QString playPath(const QString &category, const QString &name) const;

    // Makes sure "data/" and its folder folderName exist. Otherwise false and
    // "Cannot create " + the folder that could not be made.
    bool checkdir(const QString &folderName, QString *error) const;

    // The play file path with " (n)" before ".dat", for n from 2 on; the
    // path itself for 1.
    static QString numberedPath(const QString &playPath, int n);

    // True when something is at path, even a link that leads nowhere.
    static bool taken(const QString &path);

    // The backup copy of a play file: the same name with ".~at".
    static QString backupPath(const QString &playPath);

    // Writes a play file whole or not at all. The new content is written to
    // a temporary file first; only when that succeeded does the previous
    // content (if any) become the ".~at" copy, and then the new file takes
    // the play file's place in one rename. On failure the play file is as it
    // was. write fills the device and returns false when it could not.
    static bool writeWithBackup(const QString &path, const std::function<bool(QIODevice &)> &write,
                                QString *error);

    // Gives an existing play file its backup name, replacing an older backup
    // copy in one rename: what is left of a deleted or renamed play.
    static bool setAside(const QString &path, QString *error);

    // Sets a damaged play file aside without losing the backup copy, which
    // may be the last good version of the play: the file becomes the ".~at"
    // copy when there is none, otherwise "<file>.damaged" ("<file>.damaged2"
    // and so on when taken). aside receives the new name.
    static bool setAsideDamaged(const QString &path, QString *aside, QString *error);

private:
    QString rootPath;
};
