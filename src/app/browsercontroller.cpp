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

template <typename W>
W *child(QWidget *window, const char *name)
{
    auto *widget = window->findChild<W *>(QLatin1String(name));
    Q_ASSERT_X(widget, "BrowserController", name);
    return widget;
}

void fill(QComboBox *box, const QStringList &entries, const QString &chosen)
{
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(int(entries.indexOf(chosen)));
}

} // namespace

BrowserController::BrowserController(QWidget *window, Session &session, PlayBrowser &browser,
                                     TextEditorTools &text)
    : QObject(window),
      session(session),
      browser(browser),
      text(text),
      pages(child<QTabWidget>(window, "PageControl1")),
      categories(child<QComboBox>(window, "ComboBox1")),
      plays(child<QComboBox>(window, "ComboBox2")),
      counter(child<QLineEdit>(window, "Edit3")),
      overviewSketch(child<QLabel>(window, "Image1")),
      drawingSketch(child<SketchView>(window, "Image2")),
      smallSketch(child<QLabel>(window, "Image4")),
      editor(child<QWidget>(window, "RichEdit2")),
      animationOnly{child<QCheckBox>(window, "CheckBox1"), child<QCheckBox>(window, "CheckBox4")},
      previousPositions(child<QCheckBox>(window, "CheckBox2")),
      previousLines(child<QCheckBox>(window, "CheckBox3")),
      smallerPool(child<QCheckBox>(window, "CheckBox7")),
      courtPalette(child<SymbolPalette>(window, "CourtPalette"))
{
    shownPage = page();
    connect(pages, &QTabWidget::currentChanged, this, &BrowserController::pageChanged);
    connect(categories, &QComboBox::activated, this, &BrowserController::categoryChosen);
    connect(plays, &QComboBox::activated, this, &BrowserController::playChosen);
    auto *arrows = child<UpDownArrows>(window, "UpDown1");
    connect(arrows, &UpDownArrows::upClicked, this, [this] { stepSequence(false); });
    connect(arrows, &UpDownArrows::downClicked, this, [this] { stepSequence(true); });
    for (QCheckBox *box : std::as_const(animationOnly))
        connect(box, &QCheckBox::clicked, this, &BrowserController::animationOnlyClicked);
    connect(previousPositions, &QCheckBox::clicked, this,
            [this](bool ticked) { previousOverlayClicked("Prevpos", ticked); });
    connect(previousLines, &QCheckBox::clicked, this,
            [this](bool ticked) { previousOverlayClicked("Prevline", ticked); });
    connect(smallerPool, &QCheckBox::clicked, this, &BrowserController::smallerPoolClicked);
    for (const char *name : {"BitBtn3", "BitBtn5"})
        connect(child<QAbstractButton>(window, name), &QAbstractButton::clicked, this,
                &BrowserController::addSequence);
    for (const char *name : {"BitBtn4", "BitBtn6"})
        connect(child<QAbstractButton>(window, name), &QAbstractButton::clicked, this,
                &BrowserController::deleteSequence);
    connect(child<QAbstractButton>(window, "BitBtn1"), &QAbstractButton::clicked, this,
            &BrowserController::applyCourt);
    text.changed = [&session] { session.PlayModified = true; };
}

// --- entry points --------------------------------------------------------------------

void BrowserController::fillSelectors()
{
    previousPositions->setChecked(session.runtime.prevPositions);
    previousLines->setChecked(session.runtime.prevLines);
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
    courtPalette->setRows(courts);
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
    browser.namebox(categories->itemText(index));
    showSelectors();
    showplay();
}

void BrowserController::playChosen(int index)
{
    takeOverText();
    release();
    browser.choosePlay(plays->itemText(index));
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
    for (QCheckBox *box : std::as_const(animationOnly))
        box->setChecked(ticked && browser.sequence() > 1);
    counter->setText(browser.counter(page()).text());
}

void BrowserController::previousOverlayClicked(const char *key, bool ticked)
{
    const ParamValue setting = session.data.getparam(QLatin1String(key));
    session.data.setparam(QLatin1String(key), setting.text, ticked, setting.number);
    session.runtime.prevPositions = previousPositions->isChecked();
    session.runtime.prevLines = previousLines->isChecked();
    showplay();
}

void BrowserController::addSequence()
{
    takeOverText();
    release();
    browser.addSequence();
    if (sequenceAdded)
        sequenceAdded();
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

void BrowserController::applyCourt()
{
    const GraphRow *court = courtPalette->current();
    if (!court)
        return;
    takeOverText();
    browser.applyCourt(court->Graphicnr, smallerPool->isChecked());
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
    fill(categories, browser.categories(), browser.category());
    fill(plays, browser.plays(), browser.play());
}

void BrowserController::showplay()
{
    const ShownSequence shown = browser.showplay(page());
    counter->setText(browser.counter(page()).text());
    for (QCheckBox *box : std::as_const(animationOnly)) {
        box->setEnabled(shown.previousEnabled);
        box->setChecked(shown.animationOnly);
    }
    previousPositions->setEnabled(shown.previousEnabled);
    previousLines->setEnabled(shown.previousEnabled);
    smallerPool->setChecked(shown.smallerPool);

    text.resetFont(readFontPreferences(session.data));
    if (shown.number == 0) {
        overviewSketch->clear();
        smallSketch->clear();
        drawingSketch->setPicture({});
        return;
    }
    text.load(shown.text);

    redrawSketch();
    RenderContext context(session.data, session.folders.program);
    // The overview shows no ghosts; without any, it is the editor's picture.
    const bool ghosts = session.runtime.prevPositions || session.runtime.prevLines;
    overviewSketch->setPixmap(QPixmap::fromImage(
        ghosts ? editorSketchImage(1.0, shown.number, {}, context) : drawingSketch->picture()));
    smallSketch->setPixmap(QPixmap::fromImage(editorSketchImage(0.75, shown.number, {}, context)));
    if (page() == MainPage::EditText) {
        text.setStyleButtons();
        editor->setFocus();
    }
}

void BrowserController::redrawSketch()
{
    if (!browser.hasSequence()) {
        drawingSketch->setPicture({});
        return;
    }
    session.tidyDrawing(browser.sequence());
    RenderContext context(session.data, session.folders.program);
    const PreviousOverlays overlays{session.runtime.prevPositions, session.runtime.prevLines};
    drawingSketch->setPicture(editorSketchImage(1.0, browser.sequence(), overlays, context));
}

void BrowserController::release()
{
    if (releaseEditor)
        releaseEditor();
}

MainPage BrowserController::page() const
{
    return static_cast<MainPage>(pages->currentIndex());
}
