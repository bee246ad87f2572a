#pragma once

#include "shell/menustate.h"

#include <QHash>
#include <QMainWindow>
#include <QSet>

#include <functional>

class BrowserController;
class DrawingPage;
class HelpRouter;
class PlayBrowser;
class QAction;
class QKeyEvent;
class QKeySequence;
class QMenu;
class QShortcut;
class QTabWidget;
class QTextEdit;
class Session;
class TextEditorTools;

// The main window: four pages (Overview, Edit Drawing, Edit Text, Play List)
// above the category and play selectors and the sequence counter, and the
// menus that follow the page shown. A menu item whose command is not built
// yet stays disabled on every page.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session &session, HelpRouter &help, PlayBrowser &browser, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Whether the system has a mail client for "Send Play".
    void setMailClientAvailable(bool available) { mailClient = available; }

    MainPage currentPage() const;

    // Start-up: "Loading" in the overview text, and the text editor takes
    // the overview's font.
    void showLoading();

    // The selectors, the sketches, the texts and the counter.
    BrowserController &browserView() { return *browserController; }
    // The tools and the editor of the Edit Drawing page.
    DrawingPage &drawingPage() { return *drawingTools; }

    // Shift and Ctrl as held on the keyboard, for the mouse handlers; both
    // are forgotten at any key release.
    bool shiftHeld() const { return shiftDown; }
    bool ctrlHeld() const { return ctrlDown; }

Q_SIGNALS:
    // The window is closing, with the drawing tool already released: the
    // play and the settings are to be stored. Closing is always allowed.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Pages;
    Pages buildPages();
    void buildSelectors(QWidget *central, Pages &built);
    void buildMenus();
    QMenu *addMenu(QWidget *parent, const char *name, const QString &caption);
    QAction *addItem(QMenu *menu, const char *name, const QString &caption,
                     const QKeySequence &shortcut);
    QAction *addItem(QMenu *menu, const char *name, const QString &caption);
    QAction *addSeparator(QMenu *menu, const char *name = nullptr);
    void command(QAction *action, std::function<void()> work);
    bool hasCommand(const QAction *action) const;
    void keepShortcutWhileHidden(QAction *action);

    void apply(const QList<MenuItemState> &states);
    void pageChanged(int index);
    void adjustFileMenu();
    void adjustEditMenu();
    void adjustSpecialMenu();

    void copyImage(int factor);
    bool sketchKey(const QWidget *receiver, const QKeyEvent *press);
    void editCommand(void (TextEditorTools::*command)());
    void showPreferences();
    void showAbout();
    void showUndoHistory();

    Session &session;
    HelpRouter &help;

    QTabWidget *pages = nullptr;
    QTextEdit *overviewText = nullptr;
    QTextEdit *textEditor = nullptr;
    TextEditorTools *textTools = nullptr;
    BrowserController *browserController = nullptr;
    DrawingPage *drawingTools = nullptr;
    QHash<QString, QAction *> menuItems; // by the names the menu states use
    QSet<const QAction *> commands;      // the items that do something
    QHash<QAction *, QShortcut *> hiddenShortcuts;
    QString pageHelpTopic;
    bool mailClient = false;
    bool shiftDown = false;
    bool ctrlDown = false;
    bool centred = false;
};
