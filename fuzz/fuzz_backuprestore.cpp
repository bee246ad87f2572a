// Feeds any bytes to the restore of a backup file into an empty playbook:
// it must end without a crash, the index must hold only plays it restored,
// each loading again from its file, and nothing may be written outside the
// playbook's "data/" folder. Conflicts (a key the backup holds twice) are
// answered in turn with every answer but Cancel.
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/prompter.h"
#include "shell/session.h"
#include "store/backuprestore.h"
#include "store/playstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <iterator>

namespace {

class QuietPrompter : public Prompter {
public:
    Button ask(Kind, const QString &, int buttons) override { return buttons & Yes ? Yes : Ok; }
};

class NoEnvironment : public Environment {
public:
    QString programFolder() const override { return {}; }
    QString tempFolder() const override { return {}; }
    QString documentsFolder() const override { return {}; }
    QString sharedDocumentsFolder() const override { return {}; }
    QString localAppDataFolder() const override { return {}; }
    QString sharedAppDataFolder() const override { return {}; }
    QString userName() const override { return {}; }
    QString computerName() const override { return {}; }
};

class StillClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2024, 1, 1), QTime(12, 0)); }
    QString dateTimeText(const QDateTime &moment) const override { return moment.toString(Qt::ISODate); }
};

class TakingTurnsHost : public RestoreHost {
public:
    RestoreConflict resolveConflict(const QString &category, const QString &name) override
    {
        using Answer = RestoreConflict::Answer;
        constexpr Answer answers[] = {Answer::Replace, Answer::Skip, Answer::NewKey, Answer::ReplaceAll,
                                      Answer::SkipAll};
        const Answer answer = answers[turn++ % std::size(answers)];
        return {answer, category, name + QStringLiteral(" 2")};
    }

private:
    std::size_t turn = 0;
};

// Every entry below root (links not followed), as paths relative to it.
QStringList entriesBelow(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileInfo().isSymLink())
            std::abort(); // the restore makes no links
        entries.append(path.mid(root.size() + 1));
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/book/");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QString backup = dir.path() + QStringLiteral("/in.bak");
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(backup);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }

    NoEnvironment environment;
    QuietPrompter prompter;
    Session session(environment, prompter);
    session.folders.data = folder;
    StillClock clock;
    PlayStore store(session, clock);
    store.FillPlayDataset();
    BackupRestore restore(session, store);
    TakingTurnsHost host;
    restore.setHost(&host);
    const BackupRestore::Outcome outcome = restore.recover2(backup);

    // Written only below book/data/; the backup itself untouched.
    for (const QString &entry : entriesBelow(dir.path())) {
        if (entry != QLatin1String("in.bak") && entry != QLatin1String("book") && entry != QLatin1String("book/data")
            && !entry.startsWith(QLatin1String("book/data/")))
            std::abort();
    }
    {
        QFile file(backup);
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != bytes)
            std::abort();
    }

    // The playbook was empty: the index holds at most the plays stored (a
    // replaced one counts twice), among them the last one.
    store.FillPlayDataset();
    if (session.tables.plays.size() > outcome.restored
        || (outcome.restored > 0 && !store.keyTaken(outcome.category, outcome.name)))
        std::abort();
    for (const PlayRow &row : std::as_const(session.tables.plays)) {
        if (!store.FillSequenceDataset(row.Category, row.Drillname))
            std::abort();
    }
    return 0;
}
