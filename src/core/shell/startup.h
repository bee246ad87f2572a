#pragma once

#include <QString>
#include <QStringList>

class Session;
class SymbolDrawer;
class DefaultPrinter;

// What the start-up sequence needs from the windows around it. Steps whose
// windows belong to later work (scanning, sample plays, the new-play window,
// the play list) come through here too.
class StartupHost {
public:
    enum class NewPlayOutcome { Created, Cancelled, NotAvailable };

    virtual ~StartupHost() = default;

    virtual void showSplash() = 0;
    // Keeps the splash window up for at least minimumMs since showSplash,
    // then removes it.
    virtual void finishSplash(int minimumMs) = 0;
    // Reads the data folder into the play index.
    virtual void scanPlayIndex() = 0;
    // Shows "Loading" in the overview text.
    virtual void showLoading() = 0;
    virtual void preparePalettes() = 0;
    virtual void showBackupWindow() = 0;
    // Restores the sample plays from file; true when they were restored.
    virtual bool restoreSamplePlays(const QString &file) = 0;
    virtual NewPlayOutcome showNewPlayWindow() = 0;
    // Fills the category and play selectors from the play index and shows
    // the first play.
    virtual void fillSelectors() = 0;
    virtual void openPlayList(const QString &file) = 0;
};

// The start-up sequence, run once when the main window is first shown.
class StartupSequence {
public:
    enum class Outcome {
        Running, // the main window stays up
        Quit,    // the user left the new-play window of an empty playbook
        Failed,  // an error was shown; nothing may be written back
    };

    StartupSequence(Session &session, StartupHost &host, SymbolDrawer &drawer,
                    DefaultPrinter *printer);

    // arguments: the command line without the program name; baseFolder: the
    // working directory the program was started in (for relative "-d").
    Outcome run(const QStringList &arguments, const QString &baseFolder);

    // Least time the splash window stays up, in milliseconds. The
    // environment variable QUORVANE_SPLASH_MS shortens it (for tests).
    static int splashMinimumMs();

private:
    bool fixFolders();
    void redrawStandInPictures();
    void chooseDataFolder(const QStringList &arguments, const QString &baseFolder);
    void readDialogFolders();
    void loadCourtColors();
    void offerSamplePlays();

    Session &session;
    StartupHost &host;
    SymbolDrawer &drawer;
    DefaultPrinter *printer;
};
