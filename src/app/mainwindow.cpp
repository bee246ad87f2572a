#include "mainwindow.h"

#include "aboutbox.h"
#include "browsercontroller.h"
#include "drawingpage.h"
#include "model/geometry.h"
#include "platform/helprouter.h"
#include "preferencesdialog.h"
#include "shell/session.h"
#include "sketchview.h"
#include "symbolpalette.h"
#include "undohistorydialog.h"
#include "texteditortools.h"
#include "updownarrows.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QShortcut>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>

#include <algorithm>

namespace {

// The window's client area, built around the sketch.
constexpr int ClientWidth = 630;
constexpr int ClientHeight = 426;
// The Edit Text page shows the sketch at 75 %.
constexpr int SmallSketchWidth = 217;
constexpr int SmallSketchHeight = 271;

template <typename W>
W *place(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel *sketchLabel(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *label = place<QLabel>(parent, name, geometry);
    label->setScaledContents(true);
    label->setFrameShape(QFrame::Box);
    label->setBackgroundRole(QPalette::Base);
    label->setAutoFillBackground(true);
    return label;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, QPoint at)
{
    auto *box = place<QCheckBox>(parent, name, QRect(at, QSize(200, 20)));
    box->setText(caption);
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &r)
{
    auto *b = place<QPushButton>(parent, name, r);
    b->setText(caption);
    return b;
}

QWidget *addPage(QTabWidget *pages, const char *name, const QString &caption)
{
    auto *page = new QWidget;
    page->setObjectName(QLatin1String(name));
    pages->addTab(page, caption);
    return page;
}

} // namespace

// What the pages hand on to the classes that work them.
struct MainWindow::Pages {
    BrowserWidgets browser;
    QToolBar *textToolBar = nullptr;
    QTabWidget *drawingTools = nullptr;
};

MainWindow::MainWindow(Session &session, HelpRouter &help, PlayBrowser &browser, QWidget *parent)
    : QMainWindow(parent), session(session), help(help)
{
    setWindowTitle(QStringLiteral("Quorvane"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);

    auto *central = new QWidget(this);
    central->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(central);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    pages = place<QTabWidget>(central, "PageControl1", QRect(0, 0, ClientWidth, 400));
    Pages built = buildPages();
    buildSelectors(central, built);
    textTools = new TextEditorTools(textEditor, overviewText, built.textToolBar, this);
    drawingTools = new DrawingPage(session, browser, built.browser.drawingSketch, built.drawingTools, this);
    browserController = new BrowserController(built.browser, session, browser, *textTools, this);
    connect(drawingTools, &DrawingPage::sketchEdited, browserController, &BrowserController::redrawSketch);
    connect(browserController, &BrowserController::sketchChanging, drawingTools,
            [this] { drawingTools->editor().releaseAll(); });
    connect(browserController, &BrowserController::sequenceAdded, drawingTools, &DrawingPage::firstPlayers);
    buildMenus();

    connect(pages, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
    pages->setCurrentIndex(int(MainPage::Overview));
    pageChanged(pages->currentIndex());

    // The window sees every key before its controls do.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::showLoading()
{
    overviewText->setPlainText(QStringLiteral("Loading"));
    textEditor->setFont(overviewText->font());
}

MainPage MainWindow::currentPage() const
{
    return static_cast<MainPage>(pages->currentIndex());
}

// --- pages ---------------------------------------------------------------------

MainWindow::Pages MainWindow::buildPages()
{
    Pages built;
    BrowserWidgets &ui = built.browser;
    ui.pages = pages;
    const QRect sketch(4, 4, SketchWidth, SketchHeight);

    QWidget *overview = addPage(pages, "TabSheet1", QStringLiteral("Overview"));
    ui.overviewSketch = sketchLabel(overview, "Image1", sketch);
    overviewText = place<QTextEdit>(overview, "RichEdit1", QRect(299, 4, 322, SketchHeight));
    overviewText->setReadOnly(true);

    QWidget *drawing = addPage(pages, "TabSheet2", QStringLiteral("Edit Drawing"));
    ui.drawingSketch = place<SketchView>(drawing, "Image2", sketch);
    built.drawingTools = place<QTabWidget>(drawing, "PageControl2", QRect(299, 4, 323, 260));
    QWidget *players = addPage(built.drawingTools, "TabSheet4", QStringLiteral("Players"));
    ui.smallerPool = checkBox(players, "CheckBox7", QStringLiteral("Smaller pool"), {6, 206});
    QWidget *court = addPage(built.drawingTools, "TabSheet5", QStringLiteral("Court"));
    ui.courtPalette = new SymbolPalette(QStringLiteral("DBImage1"), court);
    ui.courtPalette->setObjectName(QStringLiteral("CourtPalette"));
    ui.courtPalette->setGeometry(6, 6, 120, 110);
    ui.applyCourt = button(court, "BitBtn1", QStringLiteral("Apply Court"), {6, 124, 120, 26});
    ui.animationOnly.append(checkBox(drawing, "CheckBox1", QStringLiteral("Animation only"), {299, 268}));
    ui.previousPositions = checkBox(drawing, "CheckBox2", QStringLiteral("Previous positions"), {299, 290});
    ui.previousLines = checkBox(drawing, "CheckBox3", QStringLiteral("Previous lines"), {299, 312});
    ui.addSequence.append(button(drawing, "BitBtn3", QStringLiteral("Add Sequence"), {299, 338, 110, 26}));
    ui.deleteSequence.append(button(drawing, "BitBtn4", QStringLiteral("Delete Sequence"), {415, 338, 110, 26}));

    QWidget *text = addPage(pages, "TabSheet3", QStringLiteral("Edit Text"));
    built.textToolBar = place<QToolBar>(text, "ToolBar1", QRect(4, 2, 618, 26));
    built.textToolBar->setIconSize(QSize(16, 16));
    textEditor = place<QTextEdit>(text, "RichEdit2", QRect(4, 32, 395, 333));
    ui.textEditor = textEditor;
    ui.smallSketch = sketchLabel(text, "Image4", QRect(405, 32, SmallSketchWidth, SmallSketchHeight));
    ui.animationOnly.append(checkBox(text, "CheckBox4", QStringLiteral("Animation only"), {405, 308}));
    ui.addSequence.append(button(text, "BitBtn5", QStringLiteral("Add Sequence"), {405, 334, 106, 26}));
    ui.deleteSequence.append(button(text, "BitBtn6", QStringLiteral("Delete Sequence"), {516, 334, 106, 26}));

    addPage(pages, "TabSheet6", QStringLiteral("Play List"));
    return built;
}

void MainWindow::buildSelectors(QWidget *central, Pages &built)
{
    BrowserWidgets &ui = built.browser;
    ui.categories = place<QComboBox>(central, "ComboBox1", QRect(4, 402, 200, 22));
    ui.plays = place<QComboBox>(central, "ComboBox2", QRect(210, 402, 290, 22));
    ui.counter = place<QLineEdit>(central, "Edit3", QRect(506, 402, 96, 22));
    ui.counter->setReadOnly(true);
    ui.arrows = place<UpDownArrows>(central, "UpDown1", QRect(604, 402, 22, 22));
}

// --- menus -----------------------------------------------------------------------

QMenu *MainWindow::addMenu(QWidget *parent, const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    menuItems.insert(QLatin1String(name), menu->menuAction());
    if (auto *bar = qobject_cast<QMenuBar *>(parent))
        bar->addMenu(menu);
    else
        static_cast<QMenu *>(parent)->addMenu(menu);
    return menu;
}

QAction *MainWindow::addItem(QMenu *menu, const char *name, const QString &caption,
                             const QKeySequence &shortcut)
{
    QAction *action = addItem(menu, name, caption);
    action->setShortcut(shortcut);
    return action;
}

// An item starts disabled: it is enabled once it has a command.
QAction *MainWindow::addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setEnabled(false);
    menuItems.insert(QLatin1String(name), action);
    return action;
}

QAction *MainWindow::addSeparator(QMenu *menu, const char *name)
{
    QAction *separator = menu->addSeparator();
    if (name) {
        separator->setObjectName(QLatin1String(name));
        menuItems.insert(QLatin1String(name), separator);
    }
    return separator;
}

void MainWindow::command(QAction *action, std::function<void()> work)
{
    connect(action, &QAction::triggered, this, std::move(work));
    commands.insert(action);
    action->setEnabled(true);
}

// A sub-menu works when one of its items does.
bool MainWindow::hasCommand(const QAction *action) const
{
    if (action->isSeparator() || commands.contains(action))
        return true;
    if (const QMenu *menu = action->menu()) {
        const QList<QAction *> items = menu->actions();
        return std::any_of(items.cbegin(), items.cend(), [this](const QAction *item) {
            return !item->isSeparator() && hasCommand(item);
        });
    }
    return false;
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();

    // Items without a command yet (New, Open, Save, the exports, play info,
    // copy and rename, printing, sending, backups, the colour dialogs, the
    // play list, the animation and plug-ins) stay disabled until theirs is
    // built.
    QMenu *file = addMenu(bar, "File1", QStringLiteral("&File"));
    addItem(file, "New1", QStringLiteral("&New Play..."));
    addItem(file, "Open1", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    addItem(file, "Save1", QStringLiteral("&Save..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    addSeparator(file);
    QMenu *exports = addMenu(file, "Export1", QStringLiteral("&Export"));
    addItem(exports, "ExportImage1", QStringLiteral("&Image..."));
    addItem(exports, "ExportImage2001", QStringLiteral("I&mage 200%..."));
    addItem(exports, "ExportPlay1", QStringLiteral("&Play..."));
    addItem(exports, "ExportCategory1", QStringLiteral("&Category ..."));
    addItem(file, "ExportList1", QStringLiteral("&Export ..."));
    addSeparator(file);
    addItem(file, "PlayInfo1", QStringLiteral("Play &Info..."));
    addItem(file, "CopyPlay1", QStringLiteral("&Copy Play..."));
    command(addItem(file, "DeletePlay1", QStringLiteral("&Delete Play")),
            [this] { browserController->deletePlay(); });
    addItem(file, "RenamePlay1", QStringLiteral("&Rename Play..."));
    addSeparator(file);
    addItem(file, "Print1", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    addItem(file, "PrintList1", QStringLiteral("&Print ..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    addSeparator(file, "SendSeparator");
    addItem(file, "Sendplay1", QStringLiteral("Sen&d Play ..."));
    addSeparator(file);
    QMenu *backup = addMenu(file, "Backup1", QStringLiteral("&Backup"));
    addItem(backup, "BackupPlaybook1", QStringLiteral("&Playbook ..."));
    addItem(backup, "BackupCategory1", QStringLiteral("&Category ..."));
    addItem(file, "ExportHtml1", QStringLiteral("E&xport html"))->setVisible(false);
    addSeparator(file);
    command(addItem(file, "Exit1", QStringLiteral("E&xit")), [this] { close(); });
    connect(file, &QMenu::aboutToShow, this, &MainWindow::adjustFileMenu);

    QMenu *edit = addMenu(bar, "Edit1", QStringLiteral("&Edit"));
    command(addItem(edit, "Undo1", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z)), [this] {
        if (currentPage() == MainPage::EditDrawing)
            drawingTools->editor().undo();
        else
            editCommand(&TextEditorTools::undo);
    });
    command(addItem(edit, "Redo1", QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y)), [this] {
        if (currentPage() == MainPage::EditDrawing)
            drawingTools->editor().redo();
    });
    command(addItem(edit, "UndoHistory1", QStringLiteral("Undo &History"),
                    QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z)),
            [this] { showUndoHistory(); });
    addSeparator(edit);
    command(addItem(edit, "Cut1", QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X)),
            [this] { editCommand(&TextEditorTools::cut); });
    // "Copy Image 2" is always 200 %; "Copy Image" is 200 % with Shift held.
    QAction *copyImageItem =
        addItem(edit, "CopyImage1", QStringLiteral("Copy &Image"), QKeySequence(Qt::CTRL | Qt::Key_I));
    command(copyImageItem, [this] { copyImage(shiftHeld() ? 2 : 1); });
    QAction *copyImage2Item = addItem(edit, "CopyImage21", QStringLiteral("Copy Image 2"),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    command(copyImage2Item, [this] { copyImage(2); });
    copyImage2Item->setVisible(false);
    for (QAction *item : {copyImageItem, copyImage2Item})
        keepShortcutWhileHidden(item);
    command(addItem(edit, "Copy1", QStringLiteral("&Copy All Text"), QKeySequence(Qt::CTRL | Qt::Key_C)),
            [this] {
                if (currentPage() == MainPage::Overview)
                    textTools->copyOverview();
                else
                    editCommand(&TextEditorTools::copy);
            });
    command(addItem(edit, "Paste1", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V)),
            [this] { editCommand(&TextEditorTools::paste); });
    addSeparator(edit);
    command(addItem(edit, "SelectAll1", QStringLiteral("Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A)),
            [this] {
                if (currentPage() == MainPage::EditDrawing)
                    drawingTools->editor().selectAll();
                else
                    editCommand(&TextEditorTools::selectAll);
            });
    connect(edit, &QMenu::aboutToShow, this, &MainWindow::adjustEditMenu);

    QMenu *options = addMenu(bar, "Options1", QStringLiteral("&Options"));
    command(addItem(options, "Font1", QStringLiteral("&Font...")),
            [this] { editCommand(&TextEditorTools::chooseFont); });
    addItem(options, "ChangeSymbols1", QStringLiteral("Change Symbols..."));
    addItem(options, "CourtColor1", QStringLiteral("Court Color..."));
    addSeparator(options);
    command(addItem(options, "Preferences1", QStringLiteral("&Preferences...")), [this] { showPreferences(); });
    addItem(options, "DefaultColors1", QStringLiteral("Default &Colors..."));

    QMenu *list = addMenu(bar, "List1", QStringLiteral("&List"));
    QAction *addPlay = addItem(list, "Add1", QStringLiteral("Add Play to Play &List"),
                               QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction *addCategory =
        addItem(list, "AddCategorytoPlayList1", QStringLiteral("Add Category to Play List"));
    addSeparator(list);
    addItem(list, "Clear1", QStringLiteral("&Clear Play List"));
    // The page control's pop-up offers the same two commands.
    pages->addAction(addPlay);
    pages->addAction(addCategory);

    QMenu *special = addMenu(bar, "Experiment1", QStringLiteral("&Special"));
    addItem(special, "Animation1", QStringLiteral("&Animation"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addSeparator(special, "PluginSeparator");
    addItem(special, "Plugin1", QStringLiteral("&Plugin..."));
    connect(special, &QMenu::aboutToShow, this, &MainWindow::adjustSpecialMenu);

    QMenu *helpMenu = addMenu(bar, "Help1", QStringLiteral("&Help"));
    command(addItem(helpMenu, "HelpTopics1", QStringLiteral("&Help Topics")), [this] { help.showContents(); });
    command(addItem(helpMenu, "Contents1", QStringLiteral("Overview Help"), QKeySequence(Qt::Key_F1)),
            [this] { help.showTopic(pageHelpTopic); });
    addSeparator(helpMenu);
    command(addItem(helpMenu, "About1", QStringLiteral("&About...")), [this] { showAbout(); });
}

// A hidden item keeps its shortcut while it is enabled, as "Copy Image 2"
// and "Copy Image" on the Edit Text page need. Qt switches off the shortcut
// of a hidden action, so a window shortcut stands in for it; apply() turns
// the stand-in on and off.
void MainWindow::keepShortcutWhileHidden(QAction *action)
{
    auto *shortcut = new QShortcut(action->shortcut(), this);
    shortcut->setObjectName(action->objectName() + QStringLiteral("Shortcut"));
    shortcut->setEnabled(false);
    connect(shortcut, &QShortcut::activated, action, &QAction::trigger);
    hiddenShortcuts.insert(action, shortcut);
}

// The page and the menu's state say what is shown and allowed; an item
// whose command is not built is never enabled.
void MainWindow::apply(const QList<MenuItemState> &states)
{
    for (const MenuItemState &state : states) {
        QAction *action = menuItems.value(state.item);
        if (!action)
            continue;
        const bool enabled = state.enabled && hasCommand(action);
        action->setVisible(state.visible);
        action->setEnabled(enabled);
        if (!state.caption.isEmpty())
            action->setText(state.caption);
        if (QShortcut *standIn = hiddenShortcuts.value(action))
            standIn->setEnabled(enabled && !state.visible);
    }
}

void MainWindow::pageChanged(int index)
{
    const PageMenus menus = menusForPage(static_cast<MainPage>(index));
    apply(menus.items);
    pageHelpTopic = menus.helpTopic;
    pages->setContextMenuPolicy(menus.playListPopup ? Qt::ActionsContextMenu : Qt::NoContextMenu);
}

void MainWindow::adjustFileMenu()
{
    const bool mail = !session.data.getparam(QStringLiteral("Yoursmt")).text.isEmpty()
                   || mailClient;
    // Until the play list is built there is never a list to save or print.
    const bool playListEmpty = true;
    apply(fileMenuOnOpening(currentPage(), mail, playListEmpty,
                            hasHtmlExportDatabase(session.folders.program)));
}

void MainWindow::adjustEditMenu()
{
    const SketchEditor &editor = drawingTools->editor();
    apply(editMenuOnOpening(currentPage(), editor.hasUndoSteps(), editor.canRedo(),
                            session.runtime.showHistory));
}

void MainWindow::adjustSpecialMenu()
{
    apply(specialMenuOnOpening(hasCourtPlugin(session.folders.program)));
}

// --- commands ----------------------------------------------------------------------

void MainWindow::copyImage(int factor)
{
    // Ctrl+I means italic while the text is edited.
    if (currentPage() == MainPage::EditText)
        textTools->toggleItalic();
    else
        browserController->copySketch(factor);
}

// The text commands of the Edit and Options menus act on the editor of the
// Edit Text page only; the sketch page has commands of its own.
void MainWindow::editCommand(void (TextEditorTools::*command)())
{
    if (currentPage() == MainPage::EditText)
        (textTools->*command)();
}

void MainWindow::showPreferences()
{
    browserController->takeOverText();
    PreferencesDialog dialog(session, help, this);
    dialog.exec();
    session.readRuntimeSettings();
    if (!session.runtime.showHistory)
        session.undo.clearundo();
    browserController->showplay();
}

void MainWindow::showUndoHistory()
{
    if (currentPage() != MainPage::EditDrawing || !drawingTools->editor().hasSequence())
        return;
    UndoHistoryDialog dialog(session, drawingTools->editor().sequenceShown(), help, this);
    dialog.exec();
    drawingTools->editor().freeSelected();
}

void MainWindow::showAbout()
{
    AboutBox about(this);
    about.exec();
}

// --- window events -------------------------------------------------------------------

// A line or polygon half drawn gets its end form or goes, as when the page
// changes, before anything is stored.
void MainWindow::closeEvent(QCloseEvent *event)
{
    drawingTools->editor().releaseAll();
    Q_EMIT closing();
    event->accept();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (centred)
        return;
    centred = true;
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// On the drawing page Delete deletes the selection and the arrow keys move
// it, unless a field being typed in has the focus.
bool MainWindow::sketchKey(const QWidget *receiver, const QKeyEvent *press)
{
    if (currentPage() != MainPage::EditDrawing || press->modifiers() != Qt::NoModifier
        || qobject_cast<const QAbstractSpinBox *>(receiver) || qobject_cast<const QLineEdit *>(receiver))
        return false;
    return drawingTools->editor().key(press->key());
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *press = static_cast<QKeyEvent *>(event);
        const int key = press->key();
        if (key == Qt::Key_Shift)
            shiftDown = true;
        else if (key == Qt::Key_Control)
            ctrlDown = true;
        else if (sketchKey(widget, press))
            return true;
        break;
    }
    case QEvent::KeyRelease:
        shiftDown = false;
        ctrlDown = false;
        break;
    case QEvent::ShortcutOverride:
        // A shortcut finds its menu as if the menu had just been opened, so
        // that Ctrl+Z works without opening the Edit menu first.
        adjustFileMenu();
        adjustEditMenu();
        break;
    default:
        break;
    }
    return false;
}
