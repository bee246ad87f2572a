#include "store/backuprestore.h"

#include "platform/prompter.h"
#include "store/playbook.h"
#include "store/playfile/playkeys.h"
#include "store/playnames.h"
#include "store/playfile/playreading.h"
#include "store/playfile/playrecord.h"
#include "store/playstore.h"
#include "text/linereader.h"
#include "text/parsednumber.h"

#include <QFile>

namespace {

// The line after the version line: the number of plays that follow.
constexpr QLatin1StringView BackupKey("Backup   = ");

QString corrupt(const QString &marker, const QString &path)
{
    return QStringLiteral("Importfile ") + marker + path + QStringLiteral(" is corrupt");
}

// The message of a record that cannot be read; each missing key line has
// its own marker so that a user reporting it says where the file broke.
QString recordMessage(PlayReadError error, const QString &path)
{
    switch (error) {
    case PlayReadError::Type: // the input ended inside the intro
    case PlayReadError::Category:
        return corrupt(QStringLiteral("7"), path);
    case PlayReadError::NrSeq:
        return corrupt(QStringLiteral("9"), path);
    default:
        return corrupt(QString(), path);
    }
}

// The index keeps keys at their field sizes; the file must be stored under
// the key the index will hold.
void fitKey(QString &category, QString &name)
{
    category = category.left(FieldSize::Category).trimmed();
    name = name.left(FieldSize::Drillname).trimmed();
}

} // namespace

BackupRestore::BackupRestore(Playbook &session, PlayStore &store) : session(session), store(store)
{
}

BackupRestore::Outcome BackupRestore::recover2(const QString &path)
{
    Outcome outcome;
    answerLasts = false;
    // The loaded play's changes must be on disk before its tables are reused.
    if (session.PlayModified && !store.storeLoadedPlay())
        return outcome;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        session.prompter.error(path + QStringLiteral("\n") + file.errorString());
        return outcome;
    }
    LineReader lines(file);
    lines.next();
    const int version = PlayReading::versionOf(lines.line());
    if (version == 0)
        return outcome;
    lines.next();
    if (!PlayKeys::begins(lines.line(), BackupKey)) {
        session.prompter.inform(corrupt(QString(), path));
        return outcome;
    }
    // The count only bounds the loop: a file that holds fewer records ends
    // it at its last line.
    const int count = parseNumber(PlayKeys::value(lines.line())).value;
    Tables skippedTables;
    DataModule skipped(skippedTables);

    for (int i = 1; i <= count; ++i) {
        lines.next();
        PlayRow header;
        PlayReadError error = PlayRecord::readKey(lines, header);
        if (error != PlayReadError::None) {
            session.prompter.inform(recordMessage(error, path));
            break;
        }
        QString category = header.Category;
        QString name = header.Drillname;
        fitKey(category, name);
        Decision decision = settle(category, name);
        if (decision == Decision::Cancel)
            break;
        if (decision == Decision::Store && refuses(i, category, name))
            decision = Decision::Skip;
        // A skipped play is read to its end like any other, so the next
        // record starts exactly where this one ends.
        DataModule &target = decision == Decision::Skip ? skipped : session.data;
        error = PlayRecord::readBody(lines, version, target, header);
        if (error != PlayReadError::None) {
            session.prompter.inform(recordMessage(error, path));
            break;
        }
        if (decision == Decision::Skip)
            continue;
        if (!storePlay(category, name, header))
            break;
        if (host)
            host->playRestored(name);
        outcome = {session.loadedCategory, session.loadedName, outcome.restored + 1};
    }
    return outcome;
}

// Settles a taken key: Store with the key to store under (a replaced
// play's own key, so that its row and file are the ones replaced), Skip or
// Cancel.
BackupRestore::Decision BackupRestore::settle(QString &category, QString &name)
{
    using Answer = RestoreConflict::Answer;
    while (store.keyTaken(category, name)) {
        RestoreConflict conflict;
        if (answerLasts)
            conflict.answer = lasting;
        else if (host)
            conflict = host->resolveConflict(category, name);
        switch (conflict.answer) {
        case Answer::Cancel:
            return Decision::Cancel;
        case Answer::SkipAll:
        case Answer::ReplaceAll:
            lasting = conflict.answer;
            answerLasts = true;
            break;
        case Answer::Skip:
        case Answer::Replace:
            break;
        case Answer::NewKey:
            category = PlayNames::replacechars(conflict.category.trimmed());
            name = PlayNames::replacechars(conflict.name.trimmed());
            fitKey(category, name);
            continue;
        }
        if (conflict.answer == Answer::Skip || conflict.answer == Answer::SkipAll)
            return Decision::Skip;
        const QString taken = PlayNames::fileKey(category, name);
        for (const PlayRow &row : std::as_const(session.tables.plays)) {
            if (PlayNames::fileKey(row.Category, row.Drillname) == taken) {
                category = row.Category;
                name = row.Drillname;
                break;
            }
        }
        return Decision::Store;
    }
    return Decision::Store;
}

// A play whose key cannot be stored is reported and passed over; the plays
// after it are restored all the same. play counts the records of the file.
bool BackupRestore::refuses(int play, const QString &category, const QString &name)
{
    QString reason;
    if (category.isEmpty())
        reason = QStringLiteral("Play %1 of the backup has no category and was not restored").arg(play);
    else if (name.isEmpty())
        reason = QStringLiteral("Play %1 of the backup has no play name and was not restored").arg(play);
    else if (store.playPath(category, name).isEmpty())
        reason = QStringLiteral("Play %1 of the backup, \"%2\" in category \"%3\", was not restored: "
                                "its name cannot be used as a file name")
                     .arg(QString::number(play), name, category);
    else
        return false;
    session.prompter.inform(reason);
    return true;
}

// The tables hold the play just read: it becomes the loaded play and is
// stored. A play that cannot be stored is reported by the store and ends
// the restore, since what refuses one play (a full disk, a folder without
// permission) refuses the next ones too; the index is rebuilt from the
// folder so that it lists only what is on disk.
bool BackupRestore::storePlay(const QString &category, const QString &name, const PlayRow &header)
{
    session.undo.clearundo();
    session.data.setplayinfo(category, name, header);
    session.loadedCategory = category;
    session.loadedName = name;
    session.PlayModified = true;
    if (store.DBUpdate(category, name))
        return true;
    session.data.clearplay();
    session.loadedCategory.clear();
    session.loadedName.clear();
    session.PlayModified = false;
    store.FillPlayDataset();
    return false;
}
