#pragma once

#include "helpviewer.h"
#include "platform/clock.h"
#include "qtprompter.h"
#include "shell/playbrowser.h"
#include "shell/session.h"
#include "render/renderedsymboldrawer.h"
#include "shell/startup.h"
#include "platform/defaultprinter.h"
#include "store/playstore.h"
#include "systemenvironment.h"

#include <QElapsedTimer>
#include <QObject>

#include <memory>

class MainWindow;
class QEventLoop;
class SignalCloser;
class SplashWindow;

// The system's default printer, for the start-up check.
class SystemDefaultPrinter : public DefaultPrinter {
public:
    QString name() const override;
    void setPortrait() override;
};

// The desktop program: owns the session and the windows, runs the start-up
// sequence and the closing work of the main window. A SIGTERM or SIGINT at
// any moment ends it as File > Exit does: open dialogs are left as Cancel
// or No would leave them, then the play and the settings are stored.
class DesktopApp : public QObject, private StartupHost, private PlayStoreObserver {
    Q_OBJECT
public:
    // arguments: the command line without the program name; startFolder:
    // the working directory the program was started in.
    DesktopApp(QStringList arguments, QString startFolder);
    ~DesktopApp() override;
    DesktopApp(const DesktopApp &) = delete;
    DesktopApp &operator=(const DesktopApp &) = delete;

    // Runs the start-up sequence. True when the main window is up and the
    // event loop should run; otherwise exitCode() tells how it ended.
    bool start();
    int exitCode() const { return code; }

private:
    void showSplash() override;
    void finishSplash(int minimumMs) override;
    void scanPlayIndex() override;
    void showLoading() override;
    void preparePalettes() override;
    void showBackupWindow() override;
    bool restoreSamplePlays(const QString &file) override;
    NewPlayOutcome showNewPlayWindow() override;
    void fillSelectors() override;
    void openPlayList(const QString &file) override;

    void indexRebuilt() override;

    void closeDown();
    void endOnSignal();
    void closeWhenUnwound();
    void dropSplash();

    QStringList arguments;
    QString startFolder;
    int code = 0;

    SystemEnvironment environment;
    QtPrompter prompter;
    Session session{environment, prompter};
    SystemClock clock;
    PlayStore playStore{session, clock};
    PlayBrowser browser{session, playStore};
    HelpViewer help;
    RenderedSymbolDrawer drawer;
    SystemDefaultPrinter printer;

    std::unique_ptr<MainWindow> window;
    std::unique_ptr<SplashWindow> splash;
    QElapsedTimer splashClock;
    QEventLoop *splashWait = nullptr; // while the splash's least time runs out
    SignalCloser *signalCloser = nullptr;
    bool running = false; // the start-up is over and the main window is up
    bool ending = false;  // a signal asked the program to end
};
