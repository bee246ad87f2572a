#pragma once

#include <QString>
#include <QStringList>

class Environment;

// Names of the folders below which the program keeps its files.
namespace FolderNames {
inline const QString Product = QStringLiteral("Quorvane 009");
inline const QString SharedBase = QStringLiteral("Zavad uve Davuzi");
inline const QString LocalBase = QStringLiteral("Korvath");
} // namespace FolderNames

// Adds the trailing '/' every folder path carries; empty stays empty.
QString withSlash(const QString &folder);

// A folder is writable when a fresh "pbN.tmp" can be created in it (and is
// removed at once), and the settings file the program would keep below it is
// missing or can be opened for appending.
bool isWritableFolder(const QString &folder);

// The user and computer keys of the control records: upper case, only A-Z
// and 0-9, "X" when nothing is left, at most 255 characters.
QString controlKey(const QString &name);

// A folder found for the program's files, or the reason none could be made.
struct FolderChoice {
    QString folder; // ends with '/'
    QString error;  // "Cannot create ..." when the folder could not be created
    bool ok() const { return error.isEmpty(); }
};

// Where wgraphic.xml and wparam.xml live: the program folder when it is fit
// for it and already holds a playbook (its "Zavad uve Davuzi/Quorvane 009/"
// has wparam.xml or a data folder), else the first writable of local
// application data, documents and shared documents.
FolderChoice computedDataFolder(const Environment &environment);

// Where wcontrol.cds lives: below shared, else local application data; the
// computed data folder when neither will do.
FolderChoice controlFolder(const Environment &environment, const QString &computedData);

// The data folder for this run: the stored one when it is still writable,
// then every "-d FOLDER" of the command line in turn (relative folders are
// taken from baseFolder). storeChoice tells whether the computed folder must
// be stored as the new "DatabasePath".
struct DataFolderChoice {
    QString folder;
    bool storeAsDatabasePath = false;
};
DataFolderChoice chooseDataFolder(const QString &computed, const QString &storedPath,
                                  const QStringList &arguments, const QString &baseFolder);
