#include "desktopapp.h"

#include "mainwindow.h"
#include "render/renderer.h"
#include "signalcloser.h"
#include "splashwindow.h"

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
    window = std::make_unique<MainWindow>(session, help);
    prompter.parent = window.get();
    window->onClose = [this] { closeDown(); };
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
    if (session.startupDone)
        playStore.storeLoadedPlay();
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

// The tool palettes arrive with the drawing tools.
void DesktopApp::preparePalettes()
{
}

// The backup window arrives with backup and restore.
void DesktopApp::showBackupWindow()
{
}

bool DesktopApp::restoreSamplePlays(const QString &)
{
    return false;
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
    const auto sorted = [](QStringList names) {
        names.sort(Qt::CaseInsensitive);
        return names;
    };
    const QStringList categories = sorted(session.data.getcategories());
    if (categories.isEmpty())
        return;
    const QStringList plays = sorted(session.data.getplaynames(categories.first()));
    if (plays.isEmpty() || !playStore.choosePlay(categories.first(), plays.first()))
        return;
    window->fillSelectors(categories, categories.first(), plays, plays.first());
    showSequence(1);
}

void DesktopApp::showSequence(int sequence)
{
    RenderContext context(session.data, session.folders.program);
    QImage sketch;
    QImage smallSketch;
    getimage(sketch, 1.0, sequence, context);
    getimage(smallSketch, 0.75, sequence, context);
    if (context.changedPlay)
        session.PlayModified = true;
    window->showSequence(sketch, smallSketch, session.data.visiblesequencenr(sequence),
                         session.data.visiblesequencecount());
}

// The play list arrives with its own page.
void DesktopApp::openPlayList(const QString &)
{
}
