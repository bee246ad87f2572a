#include "browsercontroller.h"

#include "render/renderer.h"
#include "render/sketch.h"
#include "shell/playbrowser.h"
#include "shell/session.h"
#include "store/preferencesmodel.h"
#include "sketchview.h"
#include "symbolpalette.h"
#include "texteditortools.h"
#include "updownarrows.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>

namespace {

void fill(QComboBox *box, const QStringList &entries, const QString &chosen)
{
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(int(entries.indexOf(chosen)));
}

} // namespace

BrowserController::BrowserController(const BrowserWidgets &widgets, Session &session, PlayBrowser &browser,
                                     TextEditorTools &text, QObject *parent)
    : QObject(parent), session(session), browser(browser), text(text), ui(widgets)
{
    shownPage = page();
    connect(ui.pages, &QTabWidget::currentChanged, this, &BrowserController::pageChanged);
    connect(ui.categories, &QComboBox::activated, this, &BrowserController::categoryChosen);
    connect(ui.plays, &QComboBox::activated, this, &BrowserController::playChosen);
    connect(ui.arrows, &UpDownArrows::upClicked, this, [this] { stepSequence(false); });
    connect(ui.arrows, &UpDownArrows::downClicked, this, [this] { stepSequence(true); });
    for (QCheckBox *box : std::as_const(ui.animationOnly))
        connect(box, &QCheckBox::clicked, this, &BrowserController::animationOnlyClicked);
    connect(ui.previousPositions, &QCheckBox::clicked, this,
            [this](bool ticked) { previousOverlayClicked("Prevpos", ticked); });
    connect(ui.previousLines, &QCheckBox::clicked, this,
            [this](bool ticked) { previousOverlayClicked("Prevline", ticked); });
    connect(ui.smallerPool, &QCheckBox::clicked, this, &BrowserController::smallerPoolClicked);
    for (QAbstractButton *button : std::as_const(ui.addSequence))
        connect(button, &QAbstractButton::clicked, this, &BrowserController::addSequence);
    for (QAbstractButton *button : std::as_const(ui.deleteSequence))
        connect(button, &QAbstractButton::clicked, this, &BrowserController::deleteSequence);
    connect(ui.applyCourt, &QAbstractButton::clicked, this, &BrowserController::applyCourt);
    connect(&text, &TextEditorTools::changed, this, [&session] { session.PlayModified = true; });
}

// --- entry points --------------------------------------------------------------------

void BrowserController::fillSelectors()
{
    ui.previousPositions->setChecked(session.runtime.prevPositions);
    ui.previousLines->setChecked(session.runtime.prevLines);
    browser.categorybox(false);
    showSelectors();
    showplay();
}

void BrowserController::refillSelectors()
{
    browser.indexChanged();
    showSelectors();
}

void BrowserController::prepareCourtPalette()
{
    QList<GraphRow> courts;
    for (const GraphRow &row : std::as_const(session.tables.graphics)) {
        if (row.Type.compare(QLatin1String("Court"), Qt::CaseInsensitive) == 0)
            courts.append(row);
    }
    ui.courtPalette->setRows(courts);
}

void BrowserController::takeOverText()
{
    // An unedited text stays as stored: writing it again would drop what
    // the editor cannot hold.
    if (session.startupDone && browser.hasSequence() && text.isModified())
        browser.takeOverText(text.takeOver());
}

void BrowserController::copySketch(int factor)
{
    if (!browser.hasSequence())
        return;
    session.tidyDrawing(browser.sequence());
    RenderContext context(session.data, session.folders.program);
    const QString key = factor == 1 ? QStringLiteral("Antiexp2") : QStringLiteral("Antiexp3");
    const ParamValue smoothing = session.data.getparam(key);
    const SmoothPicture picture = sketchImage(factor, browser.sequence(), smoothing.number, context);
    // A factor that failed is not tried again on later pictures.
    if (smoothing.number > 0)
        session.data.setparam(key, smoothing.text, picture.factor > 0, picture.factor);
    if (!picture.image.isNull())
        QGuiApplication::clipboard()->setImage(picture.image);
}

// --- handlers ---------------------------------------------------------------------------

void BrowserController::pageChanged(int)
{
    if (shownPage == MainPage::EditText)
        takeOverText();
    if (shownPage == MainPage::EditDrawing)
        release();
    shownPage = page();
    showplay();
}

void BrowserController::categoryChosen(int index)
{
    takeOverText();
    release();
    browser.namebox(ui.categories->itemText(index));
    showSelectors();
    showplay();
}

void BrowserController::playChosen(int index)
{
    takeOverText();
    release();
    browser.choosePlay(ui.plays->itemText(index));
    showSelectors();
    showplay();
}

void BrowserController::stepSequence(bool forward)
{
    takeOverText();
    const bool moved = forward ? browser.nextSequence(page()) : browser.previousSequence(page());
    if (!moved)
        return;
    release();
    showplay();
}

void BrowserController::animationOnlyClicked(bool ticked)
{
    browser.setAnimationOnly(ticked);
    for (QCheckBox *box : std::as_const(ui.animationOnly))
        box->setChecked(ticked && browser.sequence() > 1);
    ui.counter->setText(browser.counter(page()).text());
}

void BrowserController::previousOverlayClicked(const char *key, bool ticked)
{
    const ParamValue setting = session.data.getparam(QLatin1String(key));
    session.data.setparam(QLatin1String(key), setting.text, ticked, setting.number);
    session.runtime.prevPositions = ui.previousPositions->isChecked();
    session.runtime.prevLines = ui.previousLines->isChecked();
    showplay();
}

void BrowserController::addSequence()
{
    takeOverText();
    release();
    browser.addSequence();
    Q_EMIT sequenceAdded();
    showplay();
}

void BrowserController::deleteSequence()
{
    takeOverText();
    release();
    const PlayBrowser::Deletion outcome = browser.deleteSequence();
    if (outcome == PlayBrowser::Deletion::PlayDeleted)
        showSelectors();
    if (outcome != PlayBrowser::Deletion::Cancelled)
        showplay();
}

void BrowserController::deletePlay()
{
    takeOverText();
    release();
    if (!browser.deletePlay())
        return;
    showSelectors();
    showplay();
}

void BrowserController::applyCourt()
{
    const GraphRow *court = ui.courtPalette->current();
    if (!court)
        return;
    takeOverText();
    browser.applyCourt(court->Graphicnr, ui.smallerPool->isChecked());
    showplay();
}

void BrowserController::smallerPoolClicked(bool ticked)
{
    takeOverText();
    browser.setSmallerPool(ticked);
    showplay();
}

// --- showing ------------------------------------------------------------------------------

void BrowserController::showSelectors()
{
    fill(ui.categories, browser.categories(), browser.category());
    fill(ui.plays, browser.plays(), browser.play());
}

void BrowserController::showplay()
{
    const ShownSequence shown = browser.showplay(page());
    ui.counter->setText(browser.counter(page()).text());
    for (QCheckBox *box : std::as_const(ui.animationOnly)) {
        box->setEnabled(shown.previousEnabled);
        box->setChecked(shown.animationOnly);
    }
    ui.previousPositions->setEnabled(shown.previousEnabled);
    ui.previousLines->setEnabled(shown.previousEnabled);
    ui.smallerPool->setChecked(shown.smallerPool);

    text.resetFont(readFontPreferences(session.data));
    if (shown.number == 0) {
        ui.overviewSketch->clear();
        ui.smallSketch->clear();
        ui.drawingSketch->setPicture({});
        return;
    }
    text.load(shown.text);

    redrawSketch();
    RenderContext context(session.data, session.folders.program);
    // The overview shows no ghosts; without any, it is the editor's picture.
    const bool ghosts = session.runtime.prevPositions || session.runtime.prevLines;
    ui.overviewSketch->setPixmap(QPixmap::fromImage(
        ghosts ? editorSketchImage(1.0, shown.number, {}, context) : ui.drawingSketch->picture()));
    ui.smallSketch->setPixmap(QPixmap::fromImage(editorSketchImage(0.75, shown.number, {}, context)));
    if (page() == MainPage::EditText) {
        text.setStyleButtons();
        ui.textEditor->setFocus();
    }
}

void BrowserController::redrawSketch()
{
    if (!browser.hasSequence()) {
        ui.drawingSketch->setPicture({});
        return;
    }
    session.tidyDrawing(browser.sequence());
    RenderContext context(session.data, session.folders.program);
    const PreviousOverlays overlays{session.runtime.prevPositions, session.runtime.prevLines};
    ui.drawingSketch->setPicture(editorSketchImage(1.0, browser.sequence(), overlays, context));
}

void BrowserController::release()
{
    Q_EMIT sketchChanging();
}

MainPage BrowserController::page() const
{
    return static_cast<MainPage>(ui.pages->currentIndex());
}
