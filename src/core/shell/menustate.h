#pragma once

#include <QList>
#include <QString>

// The four pages of the main window, in the order of their tabs.
enum class MainPage { Overview = 0, EditDrawing = 1, EditText = 2, PlayList = 3 };

// What one menu item should look like. The item is named by the objectName
// of its action; an empty caption leaves the caption as it is.
struct MenuItemState {
    QString item;
    bool visible = true;
    bool enabled = true;
    QString caption;

    bool operator==(const MenuItemState &) const = default;
};

// The menus as a page wants them when it is shown.
struct PageMenus {
    QList<MenuItemState> items;
    QString helpTopic;          // opened by the page's help item (F1)
    bool playListPopup = false; // the page control offers the play-list pop-up
};

PageMenus menusForPage(MainPage page);

// The File menu as it opens. mailAvailable: an SMTP server is set or the
// system has a mail client; exportHtmlAvailable: see hasHtmlExportDatabase.
QList<MenuItemState> fileMenuOnOpening(MainPage page, bool mailAvailable, bool playListEmpty,
                                       bool exportHtmlAvailable);

// The Edit menu as it opens: the undo items follow the undo history of the
// sequence shown on the Edit Drawing page.
QList<MenuItemState> editMenuOnOpening(MainPage page, bool hasUndo, bool hasRedo,
                                       bool showHistory);

// The Special menu as it opens.
QList<MenuItemState> specialMenuOnOpening(bool courtPluginAvailable);

// The program folder holds "playinfo.db", which unlocks the html export item.
bool hasHtmlExportDatabase(const QString &programFolder);

// The program folder holds a court plug-in: a "*.plg" file next to a folder
// of the same base name.
bool hasCourtPlugin(const QString &programFolder);
