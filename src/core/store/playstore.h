#pragma once

#include "store/playfile/playfile.h"
#include "store/playfolder.h"
#include "store/playstoreobserver.h"

#include <QString>

class Clock;
struct Playbook;
struct PlayRow;

// The play operations of a playbook: the play index from the data folder,
// loading the chosen play into the sequence and parts tables, and storing
// the loaded play back. Messages go through the playbook's prompter.
//
// A play's file is the one the scan found (PlayRow::filePath), whatever its
// name, else the one made from its key ("Press (2).dat" when a file the scan
// could not read is in the way). Only one play is loaded at a time: its key
// is the playbook's loaded key, empty when nothing is loaded.
class PlayStore {
public:
    PlayStore(Playbook &session, const Clock &clock);
    PlayStore(const PlayStore &) = delete;
    PlayStore &operator=(const PlayStore &) = delete;

    // Set by the program's window side (the play list, the selectors); null
    // for none. The observer must outlive the store or be unset first.
    void setObserver(PlayStoreObserver *observer) { watcher = observer; }
    // The observer set, or one that ignores every notice.
    PlayStoreObserver &observer() const;

    // Rebuilds the play index from the play files of the data folder.
    void FillPlayDataset();
    // Rebuilds the play index; true when it is empty.
    bool nodrill();

    // Empties the sequences and parts and loads the play into them. A
    // missing file or a corrupt one is reported and the index rebuilt (a
    // corrupt file is set aside first); then false and the tables are empty.
    bool FillSequenceDataset(const QString &category, const QString &name);

    // Makes the chosen play the loaded one, as the selectors do: a modified
    // loaded play is stored first (when that fails, it stays loaded and the
    // result is false), the undo history is emptied, and the chosen play is
    // loaded. Only a play that loaded becomes the loaded play.
    bool choosePlay(const QString &category, const QString &name);

    // Stores the loaded play under its own key; true when nothing is loaded.
    bool storeLoadedPlay();

    // Stores the loaded play under this key, keeping the previous file as
    // the ".~at" copy. The header values come from the index row, the
    // modification date from the clock. Nothing is written when no play is
    // loaded. A failure is reported, the previous file stays, and the result
    // is false.
    bool DBUpdate(const QString &category, const QString &name);

    // Stores the loaded play under the new key and sets the old file aside.
    // The header comes from the index row of the new key (or of the old one
    // while the index still holds it); the old file is the one of the old
    // key's row when the index still holds it, else the one made from the
    // old key. The old file is only set aside once the new one is written.
    bool updateName(const QString &oldCategory, const QString &oldName, const QString &newCategory,
                    const QString &newName);

    // Sets the play's file aside as its ".~at" copy; the index is not
    // touched. True when there was no file.
    bool DeletePlay(const QString &category, const QString &name);

    // Makes sure "data/" and the category folder exist; reports
    // "Cannot create " + folder when not.
    bool checkdir(const QString &folderName);

    // With both names given: takes the play out of the play list and sets
    // its unreadable file aside (keeping an older backup copy, see
    // PlayFolder::setAsideDamaged). Then rebuilds the index.
    void refreshdb(const QString &category, const QString &name);

    // The file of a key: where the scan found it, else where it would be
    // stored. Empty when the names cannot be stored.
    QString playPath(const QString &category, const QString &name) const;

    // True when the index holds a play that has this key or would share its
    // file: the two keys would be one play.
    bool keyTaken(const QString &category, const QString &name) const;

    // The messages of a play file that could not be read.
    static QString corruptMessage(PlayReadError error, const QString &name);
    static QString notFoundMessage(const QString &path);

private:
    Playbook &session;
    const Clock &clock;
    PlayStoreObserver *watcher = nullptr;

    PlayFolder folder() const;
    PlayRow *findRow(const QString &category, const QString &name) const;
    bool nothingLoaded() const;
    QString newPlayPath(const QString &category, const QString &name);
    bool storeplay(const QString &path, const QString &category, const QString &name, PlayRow header);
};
