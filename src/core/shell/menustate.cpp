#include "shell/menustate.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace {

// How an item looks on one page.
enum Look { Hidden, Shown, ShownDisabled, HiddenEnabled };

MenuItemState state(const QString &item, Look look, const QString &caption = {})
{
    const bool visible = look == Shown || look == ShownDisabled;
    const bool enabled = look == Shown || look == HiddenEnabled;
    return {item, visible, enabled, caption};
}

constexpr const char *newCaptions[] = {"&New Play...", "&New Play...", "&New Play...",
                                       "&New List..."};
constexpr const char *copyCaptions[] = {"&Copy All Text", "", "&Copy Selected Text", ""};
constexpr const char *helpCaptions[] = {"Overview Help", "Edit Drawing Help", "Edit Text Help",
                                        "Play List Help"};
constexpr const char *helpTopics[] = {"overview", "edit", "text", "playlist"};

// One row of the page table: the item's look, and its caption when the page
// sets one, on Overview, Edit Drawing, Edit Text and Play List.
struct Row {
    const char *item;
    std::array<Look, 4> looks;
    const char *const *captions = nullptr;
};

// "Copy Image 2" is never shown; its shortcut works wherever "Copy &Image"
// is enabled.
constexpr Row pageTable[] = {
    {"New1", {Shown, Shown, Shown, Shown}, newCaptions},
    {"Edit1", {Shown, Shown, Shown, Hidden}},
    {"Paste1", {Hidden, Hidden, Shown, Hidden}},
    {"Cut1", {Hidden, Hidden, Shown, Hidden}},
    {"Copy1", {Shown, Hidden, Shown, Hidden}, copyCaptions},
    {"CopyImage1", {Shown, Shown, HiddenEnabled, Hidden}},
    {"CopyImage21", {HiddenEnabled, HiddenEnabled, HiddenEnabled, Hidden}},
    {"Undo1", {Hidden, ShownDisabled, Shown, Hidden}},
    {"Redo1", {Hidden, ShownDisabled, Hidden, Hidden}},
    {"UndoHistory1", {Hidden, ShownDisabled, Hidden, Hidden}},
    {"SelectAll1", {Hidden, Shown, Shown, Hidden}},
    {"Font1", {Hidden, Hidden, Shown, Hidden}},
    {"ChangeSymbols1", {Hidden, Shown, Hidden, Hidden}},
    {"CourtColor1", {Hidden, Shown, Hidden, Hidden}},
    {"DefaultColors1", {Shown, Shown, Shown, Hidden}},
    {"Clear1", {Hidden, Hidden, Hidden, Shown}},
    {"Contents1", {Shown, Shown, Shown, Shown}, helpCaptions},
};

} // namespace

PageMenus menusForPage(MainPage page)
{
    const int p = static_cast<int>(page);
    PageMenus menus;
    for (const Row &row : pageTable) {
        const QString caption = row.captions ? QLatin1String(row.captions[p]) : QString();
        menus.items.append(state(QLatin1String(row.item), row.looks[p], caption));
    }
    menus.helpTopic = QLatin1String(helpTopics[p]);
    menus.playListPopup = page == MainPage::Overview;
    return menus;
}

QList<MenuItemState> fileMenuOnOpening(MainPage page, bool mailAvailable, bool playListEmpty,
                                       bool exportHtmlAvailable)
{
    const bool listPage = page == MainPage::PlayList;
    // On the Play List page the list commands need a list to work on.
    const bool listCommandsEnabled = !listPage || !playListEmpty;
    const bool sendShown = !listPage && mailAvailable;

    QList<MenuItemState> items;
    for (const char *play : {"Export1", "PlayInfo1", "CopyPlay1", "DeletePlay1", "RenamePlay1",
                             "Print1", "Backup1"})
        items.append({QLatin1String(play), !listPage, !listPage, {}});
    for (const char *list : {"ExportList1", "PrintList1"})
        items.append({QLatin1String(list), listPage, listPage && !playListEmpty, {}});
    items.append({QStringLiteral("New1"), true, listCommandsEnabled, {}});
    items.append({QStringLiteral("Save1"), true, listCommandsEnabled, {}});
    items.append({QStringLiteral("Open1"), true, true, {}});
    items.append({QStringLiteral("SendSeparator"), sendShown, true, {}});
    items.append({QStringLiteral("Sendplay1"), sendShown, true, {}});
    items.append({QStringLiteral("ExportHtml1"), exportHtmlAvailable, exportHtmlAvailable, {}});
    return items;
}

QList<MenuItemState> editMenuOnOpening(MainPage page, bool hasUndo, bool hasRedo,
                                       bool showHistory)
{
    QList<MenuItemState> items{{QStringLiteral("Redo1"), false, false, {}},
                               {QStringLiteral("UndoHistory1"), false, false, {}}};
    if (page != MainPage::EditDrawing)
        return items;
    if (showHistory) {
        items = {{QStringLiteral("Undo1"), true, hasUndo, {}},
                 {QStringLiteral("Redo1"), true, hasRedo, {}},
                 {QStringLiteral("UndoHistory1"), true, hasUndo || hasRedo, {}}};
    } else {
        // Without the history Undo switches the last step off and on again.
        items.append({QStringLiteral("Undo1"), true, hasUndo || hasRedo, {}});
    }
    return items;
}

QList<MenuItemState> specialMenuOnOpening(bool courtPluginAvailable)
{
    return {{QStringLiteral("PluginSeparator"), courtPluginAvailable, true, {}},
            {QStringLiteral("Plugin1"), courtPluginAvailable, true, {}}};
}

bool hasHtmlExportDatabase(const QString &programFolder)
{
    return !programFolder.isEmpty()
        && QFileInfo(QDir(programFolder).filePath(QStringLiteral("playinfo.db"))).isFile();
}

bool hasCourtPlugin(const QString &programFolder)
{
    if (programFolder.isEmpty())
        return false;
    const QDir folder(programFolder);
    const QFileInfoList descriptions =
        folder.entryInfoList({QStringLiteral("*.plg")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &description : descriptions) {
        if (QFileInfo(folder.filePath(description.completeBaseName())).isDir())
            return true;
    }
    return false;
}
