#include "shell/startup.h"

#include "platform/environment.h"
#include "platform/prompter.h"
#include "shell/session.h"
#include "store/datafiles.h"
#include "store/firststart.h"
#include "store/folders.h"
#include "store/symbolpictures.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString DatabasePath = QStringLiteral("DatabasePath");
}

StartupSequence::StartupSequence(Session &session, StartupHost &host, SymbolDrawer &drawer,
                                 DefaultPrinter *printer)
    : session(session), host(host), drawer(drawer), printer(printer)
{
}

int StartupSequence::splashMinimumMs()
{
    bool ok = false;
    const int fromEnvironment = qEnvironmentVariableIntValue("QUORVANE_SPLASH_MS", &ok);
    return ok && fromEnvironment >= 0 ? fromEnvironment : 2000;
}

StartupSequence::Outcome StartupSequence::run(const QStringList &arguments, const QString &baseFolder)
{
    host.showSplash();

    if (!fixFolders()) {
        host.finishSplash(0);
        return Outcome::Failed;
    }

    session.loadedCategory.clear();
    session.loadedName.clear();
    QDir::setCurrent(session.folders.program);
    FirstStart firstStart(session.data, session.prompter, drawer, printer);
    const FirstStartResult result =
        firstStart.run(session.folders.computedData, session.folders.control);
    if (!result.ok) {
        host.finishSplash(0);
        session.prompter.error(result.error);
        return Outcome::Failed;
    }
    session.settingsLoaded = true;
    session.firstStartCount = result.firstStartCount;
    redrawStandInPictures();

    chooseDataFolder(arguments, baseFolder);

    host.scanPlayIndex();
    session.playIndexEmpty = session.tables.plays.isEmpty();

    session.startCount = session.data.getparam(QStringLiteral("Counter")).number;
    session.readRuntimeSettings();
    host.showLoading();

    readDialogFolders();
    loadCourtColors();
    host.preparePalettes();
    host.finishSplash(splashMinimumMs());

    if (session.startCount > 0 && session.startCount % 25 == 0
        && session.data.getparam(QStringLiteral("Backup")).filled)
        host.showBackupWindow();

    offerSamplePlays();

    if (session.tables.plays.isEmpty()) {
        switch (host.showNewPlayWindow()) {
        case StartupHost::NewPlayOutcome::Cancelled:
            return Outcome::Quit;
        case StartupHost::NewPlayOutcome::Created:
            host.fillSelectors();
            break;
        case StartupHost::NewPlayOutcome::NotAvailable:
            break;
        }
    } else {
        host.fillSelectors();
    }

    session.startupDone = true;
    const QString playList = session.folders.data + QStringLiteral("lastlst.lst");
    if (QFileInfo::exists(playList))
        host.openPlayList(playList);
    return Outcome::Running;
}

bool StartupSequence::fixFolders()
{
    const Environment &environment = session.environment;
    Folders &folders = session.folders;
    folders.program = withSlash(environment.programFolder());
    folders.temp = withSlash(environment.tempFolder());
    if (folders.temp.isEmpty())
        folders.temp = folders.program;
    folders.documents = withSlash(environment.documentsFolder());

    const FolderChoice computed = computedDataFolder(environment);
    if (!computed.ok()) {
        session.prompter.error(computed.error);
        return false;
    }
    const FolderChoice control = controlFolder(environment, computed.folder);
    if (!control.ok()) {
        session.prompter.error(control.error);
        return false;
    }
    folders.computedData = computed.folder;
    folders.data = computed.folder;
    folders.control = control.folder;

    session.userKey = controlKey(environment.userName());
    session.computerKey = controlKey(environment.computerName().left(15));
    return true;
}

// Pictures made before the symbol renderer was there are drawn anew, once:
// the file keeps the redrawn ones.
void StartupSequence::redrawStandInPictures()
{
    if (SymbolPictures::redrawPlaceholders(session.tables.graphics, drawer) == 0)
        return;
    DataFiles files(session.folders.computedData, session.folders.control, session.prompter);
    QString error;
    if (!files.SaveGraphDataset(session.tables, &error))
        session.prompter.warn(error);
}

void StartupSequence::chooseDataFolder(const QStringList &arguments, const QString &baseFolder)
{
    DataModule &data = session.data;
    const QString stored = data.getcontroltext(DatabasePath, session.userKey, session.computerKey);
    const DataFolderChoice choice =
        ::chooseDataFolder(session.folders.data, stored, arguments, baseFolder);
    if (choice.storeAsDatabasePath)
        data.setcontroltext(DatabasePath, session.userKey, session.computerKey, 0,
                            session.folders.data);
    session.folders.data = choice.folder;
}

void StartupSequence::readDialogFolders()
{
    const auto folderOf = [this](const char *key) {
        const QString folder = session.data.getparam(QLatin1String(key)).text;
        return !folder.isEmpty() && QFileInfo(folder).isDir() ? withSlash(folder)
                                                              : session.folders.documents;
    };
    session.dialogFolders.save = folderOf("Saveinit");
    session.dialogFolders.image = folderOf("Imginit");
    session.dialogFolders.open = folderOf("Openinit");
    session.dialogFolders.backup = session.folders.documents;
}

void StartupSequence::loadCourtColors()
{
    const DataModule &data = session.data;
    const auto colour = [&data](const char *key) { return data.getparam(QLatin1String(key)).number; };
    session.data.courtDefaults = {colour("Border"), colour("Court"), colour("Threepoi"), colour("Bucket")};
}

void StartupSequence::offerSamplePlays()
{
    const QString samples = QDir::current().absoluteFilePath(QStringLiteral("initwplays.bak"));
    if ((session.firstStartCount >= 3 || session.tables.plays.isEmpty())
        && QFileInfo::exists(samples) && session.startCount <= 5
        && session.prompter.ask(Prompter::Kind::Confirmation,
                                QStringLiteral("Do you want to load the sample plays?"),
                                Prompter::Yes | Prompter::No)
            == Prompter::Yes) {
        if (host.restoreSamplePlays(samples))
            host.scanPlayIndex();
    }
    session.firstStartCount = 0;
}
