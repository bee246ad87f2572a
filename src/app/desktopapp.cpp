#include "desktopapp.h"

#include "browsercontroller.h"
#include "drawingpage.h"
#include "mainwindow.h"
#include "signalcloser.h"
#include "splashwindow.h"
#include "store/backuprestore.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QThread>

QString SystemDefaultPrinter::name() const
{
    return QPrinterInfo::defaultPrinterName();
}

// Every print job here starts in portrait; there is no system-wide
// orientation of the default printer to reset.
void SystemDefaultPrinter::setPortrait()
{
}

DesktopApp::DesktopApp(QStringList arguments, QString startFolder)
    : arguments(std::move(arguments)), startFolder(std::move(startFolder))
{
}

DesktopApp::~DesktopApp() = default;

bool DesktopApp::start()
{
    window = std::make_unique<MainWindow>(session, help, browser);
    prompter.parent = window.get();
    window->onClose = [this] { closeDown(); };
    playStore.setObserver(this);
    signalCloser = std::make_unique<SignalCloser>([this] {
        if (window)
            window->close();
    });

    StartupSequence startup(session, *this, drawer, &printer);
    switch (startup.run(arguments, startFolder)) {
    case StartupSequence::Outcome::Running:
        window->show();
        return true;
    case StartupSequence::Outcome::Quit:
        // Leaving the new-play window of an empty playbook ends the program
        // the normal way: the counted start is written back.
        closeDown();
        code = 0;
        return false;
    case StartupSequence::Outcome::Failed:
        code = 1;
        return false;
    }
    return false;
}

void DesktopApp::closeDown()
{
    // A play that cannot be stored has been reported; the settings are
    // written all the same. Writing the play list comes with the play list.
    if (session.startupDone) {
        window->browserView().takeOverText();
        playStore.storeLoadedPlay();
    }
    const QString error = session.writeSettingsFiles();
    if (!error.isEmpty())
        prompter.error(error);
}

void DesktopApp::showSplash()
{
    splash = std::make_unique<SplashWindow>();
    splash->show();
    QApplication::processEvents();
    splashClock.start();
}

void DesktopApp::finishSplash(int minimumMs)
{
    while (splash && splashClock.elapsed() < minimumMs) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
        QThread::msleep(20);
    }
    splash.reset();
}

void DesktopApp::scanPlayIndex()
{
    playStore.FillPlayDataset();
}

void DesktopApp::showLoading()
{
    window->showLoading();
}

void DesktopApp::preparePalettes()
{
    window->browserView().prepareCourtPalette();
    window->drawingPage().preparePalettes();
}

// The backup window arrives with backup and restore.
void DesktopApp::showBackupWindow()
{
}

bool DesktopApp::restoreSamplePlays(const QString &file)
{
    BackupRestore restore(session, playStore);
    // The conflict window arrives with exchange files, as a RestoreHost;
    // until then, without a host, a sample play whose key the playbook holds
    // is skipped, so nothing of the user's is overwritten.
    return restore.recover2(file).restored > 0;
}

// The new-play window arrives with play management; until then an empty
// playbook opens on an empty main window instead of ending the program.
StartupHost::NewPlayOutcome DesktopApp::showNewPlayWindow()
{
    return NewPlayOutcome::NotAvailable;
}

// Shows the first play of the first category, at its first sequence.
void DesktopApp::fillSelectors()
{
    window->browserView().fillSelectors();
}

void DesktopApp::indexRebuilt()
{
    window->browserView().refillSelectors();
}

// The play list arrives with its own page.
void DesktopApp::openPlayList(const QString &)
{
}
