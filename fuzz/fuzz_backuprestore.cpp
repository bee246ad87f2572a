// Feeds any bytes to the restore of a backup file into an empty playbook:
// it must end without a crash, every play it restored must be in the index
// and load again from its file, and the index must hold nothing else.
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/prompter.h"
#include "shell/session.h"
#include "store/backuprestore.h"
#include "store/playstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/book/");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QString backup = dir.path() + QStringLiteral("/in.bak");
    {
        QFile file(backup);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    NoEnvironment environment;
    QuietPrompter prompter;
    Session session(environment, prompter);
    session.folders.data = folder;
    StillClock clock;
    PlayStore store(session, clock);
    store.FillPlayDataset();
    BackupRestore restore(session, store);
    const BackupRestore::Outcome outcome = restore.recover2(backup);

    store.FillPlayDataset();
    if (session.tables.plays.size() < outcome.restored)
        std::abort();
    for (const PlayRow &row : std::as_const(session.tables.plays)) {
        if (!store.FillSequenceDataset(row.Category, row.Drillname))
            std::abort();
    }
    return 0;
}
