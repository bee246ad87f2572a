#pragma once

#include <QString>

class PlayStore;
struct Playbook;
struct PlayRow;

// What the user chose for a play of a backup whose key the playbook
// already holds.
struct RestoreConflict {
    enum class Answer {
        Skip,       // leave the existing play, pass over this one
        SkipAll,    // ... and every later conflict of this restore
        Replace,    // store this play over the existing one
        ReplaceAll, // ... and every later conflict of this restore
        Cancel,     // stop; the plays restored so far stay
        NewKey,     // restore it under category and name (tested again)
    };
    Answer answer = Answer::Skip;
    QString category;
    QString name;
};

// The user's side of a restore: the conflict question and the list of the
// plays restored. Without one, every conflict is skipped.
class RestoreHost {
public:
    virtual ~RestoreHost() = default;

    // Asked for every play whose key is taken, unless "all" was answered
    // before in the same restore.
    virtual RestoreConflict resolveConflict(const QString &category, const QString &name)
    {
        Q_UNUSED(category);
        Q_UNUSED(name);
        return {};
    }

    // Told the name of each play once it is stored, for the "Loading plays:"
    // list of the overview text.
    virtual void playRestored(const QString &name) { Q_UNUSED(name); }
};

// Restores the plays of a backup file into the play store, play by play:
// the file's version line, "Backup   = " + the number of plays, then that
// many keyed play records. Each play is written into the play index
// (setplayinfo) and stored (DBUpdate); the last one restored stays the
// loaded play. Messages go through the playbook's prompter.
class BackupRestore {
public:
    BackupRestore(Playbook &session, PlayStore &store);

    // Set by the window that runs the restore; null for none.
    void setHost(RestoreHost *restoreHost) { host = restoreHost; }

    struct Outcome {
        QString category; // key of the last play restored; empty when none
        QString name;
        int restored = 0;
    };

    // Restores the plays of the backup file at path. A file whose first line
    // is not a version line this reader takes is passed over without a
    // message; a file that breaks off or misses a key line is reported as
    // corrupt. Either way the plays restored before stay. A play that cannot
    // be stored under its key (a blank category or play name, a name that
    // gives no file name) is reported and passed over.
    Outcome recover2(const QString &path);

private:
    enum class Decision { Store, Skip, Cancel };
    Decision settle(QString &category, QString &name);
    bool refuses(int play, const QString &category, const QString &name);
    bool storePlay(const QString &category, const QString &name, const PlayRow &header);

    Playbook &session;
    PlayStore &store;
    RestoreHost *host = nullptr;
    RestoreConflict::Answer lasting = RestoreConflict::Answer::Skip;
    bool answerLasts = false;
};
