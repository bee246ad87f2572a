#include "desktopapp.h"

#include "browsercontroller.h"
#include "drawingpage.h"
#include "mainwindow.h"
#include "signalcloser.h"
#include "splashwindow.h"
#include "store/backuprestore.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPrinterInfo>
#include <QThread>
#include <QTimer>

namespace {

// Open pop-up menus close; open dialogs are left as Cancel or No would
// leave them.
void leaveModalWindows()
{
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible())
            dialog->reject();
    }
}

} // namespace

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
    signalCloser = new SignalCloser(this);
    connect(signalCloser, &SignalCloser::signalled, this, &DesktopApp::endOnSignal);
    window = std::make_unique<MainWindow>(session, help, browser);
    prompter.setWindow(window.get());
    connect(&prompter, &QtPrompter::aboutToShow, this, &DesktopApp::dropSplash);
    connect(window.get(), &MainWindow::closing, this, &DesktopApp::closeDown);
    playStore.setObserver(this);

    StartupSequence startup(session, *this, drawer, &printer);
    const StartupSequence::Outcome outcome = startup.run(arguments, startFolder);
    if (outcome == StartupSequence::Outcome::Failed) {
        code = 1;
        return false;
    }
    // Leaving the new-play window of an empty playbook, or a signal during
    // the start-up, ends the program the normal way: the counted start is
    // written back.
    if (outcome == StartupSequence::Outcome::Quit || ending) {
        closeDown();
        code = 0;
        return false;
    }
    window->show();
    running = true;
    return true;
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

void DesktopApp::endOnSignal()
{
    if (ending)
        return;
    ending = true;
    prompter.declineFromNowOn();
    if (splashWait)
        splashWait->quit();
    if (running)
        closeWhenUnwound();
    else
        leaveModalWindows(); // the start-up goes on to its end and stops there
}

// A dialog runs an event loop of its own inside the command that opened
// it; the window closes once every such command has finished.
void DesktopApp::closeWhenUnwound()
{
    leaveModalWindows();
    if (QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(10, this, &DesktopApp::closeWhenUnwound);
        return;
    }
    if (window->isVisible())
        window->close();
    QCoreApplication::quit();
}

// Takes the splash down so that it never hides a message.
void DesktopApp::dropSplash()
{
    splash.reset();
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
    const qint64 left = minimumMs - splashClock.elapsed();
    if (splash && left > 0 && !ending) {
        QEventLoop wait;
        QTimer::singleShot(left, &wait, &QEventLoop::quit);
        splashWait = &wait;
        wait.exec(QEventLoop::ExcludeUserInputEvents);
        splashWait = nullptr;
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
