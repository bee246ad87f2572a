#include "shell/playbrowser.h"

#include "editor/moveplayers.h"
#include "platform/prompter.h"
#include "model/courts.h"
#include "model/parttypes.h"
#include "shell/session.h"
#include "store/playstore.h"

#include <algorithm>

namespace {

QStringList sorted(QStringList names)
{
    names.sort(Qt::CaseInsensitive);
    return names;
}

// A court names the active court plug-in by its name and number.
QString pluginCourtName(const DataModule &data)
{
    const PluginChoice plugin = data.getplugin();
    return plugin.name.isEmpty() ? QString() : plugin.name + QString::number(plugin.number);
}

} // namespace

QString SequenceCounter::text() const
{
    if (count == 0)
        return {};
    return QStringLiteral("%1 of %2").arg(number).arg(count);
}

PlayBrowser::PlayBrowser(Session &session, PlayStore &store) : session(session), store(store)
{
}

// --- the selectors -----------------------------------------------------------------

void PlayBrowser::categorybox(bool rebuildIndex, const QString &category, const QString &play)
{
    if (rebuildIndex)
        store.FillPlayDataset();
    categoryList = sorted(session.data.getcategories());
    if (categoryList.isEmpty()) {
        playList.clear();
        chosenCategory.clear();
        chosenPlay.clear();
        showNothing();
        return;
    }
    namebox(categoryList.contains(category) ? category : categoryList.first(), play);
}

void PlayBrowser::namebox(const QString &category, const QString &play)
{
    session.undo.clearundo();
    chosenCategory = category;
    playList = sorted(session.data.getplaynames(category));
    chosenPlay = playList.contains(play) ? play : playList.value(0);
    sequencebox(1);
}

void PlayBrowser::indexChanged()
{
    categoryList = sorted(session.data.getcategories());
    if (!categoryList.contains(chosenCategory))
        chosenCategory.clear();
    playList = sorted(session.data.getplaynames(chosenCategory));
    if (!playList.contains(chosenPlay))
        chosenPlay.clear();
}

void PlayBrowser::choosePlay(const QString &play)
{
    session.undo.clearundo();
    chosenPlay = play;
    sequencebox(1);
}

bool PlayBrowser::sequencebox(int n)
{
    if (chosenPlay.isEmpty()) {
        showNothing();
        return false;
    }
    if (!store.choosePlay(chosenCategory, chosenPlay)) {
        if (!session.loadedName.isEmpty()) {
            // The modified play could not be stored: it stays loaded, and
            // the selectors go back to it.
            chosenCategory = session.loadedCategory;
            playList = sorted(session.data.getplaynames(chosenCategory));
            chosenPlay = session.loadedName;
            return false;
        }
        // The play could not be read; the store has told the user and
        // rebuilt the index. Nothing is shown until another play is chosen.
        indexChanged();
        showNothing();
        return false;
    }
    // Only later sequences can be left out of the overview.
    if (session.data.getanimationonly(1)) {
        session.data.setanimationonly(1, false);
        session.PlayModified = true;
    }
    const int count = session.data.sequencecount();
    current = count == 0 ? 0 : std::clamp(n, 1, count);
    return current > 0;
}

void PlayBrowser::showNothing()
{
    current = 0;
    shownBefore = 0;
}

// --- the sequence shown --------------------------------------------------------------

bool PlayBrowser::hasSequence() const
{
    return current > 0 && session.data.getdrawingnr(current) > 0;
}

ShownSequence PlayBrowser::showplay(MainPage page)
{
    if (!hasSequence())
        return {};
    if (page == MainPage::Overview && !session.runtime.showAll && shownBefore != 1) {
        while (current > 1 && session.data.getanimationonly(current))
            --current;
    }
    shownBefore = current;

    ShownSequence shown;
    shown.number = current;
    session.data.getseqtext(current, shown.text);
    shown.animationOnly = session.data.getanimationonly(current);
    shown.previousEnabled = current != 1;
    PartFields court;
    const int drawing = session.data.getdrawingnr(current);
    shown.smallerPool = session.data.getpart(drawing, courtPartnr(drawing), court) && court.x2 == 1;
    return shown;
}

SequenceCounter PlayBrowser::counter(MainPage page) const
{
    if (!hasSequence())
        return {};
    if (page == MainPage::Overview && !session.runtime.showAll)
        return {session.data.visiblesequencenr(current), session.data.visiblesequencecount()};
    return {current, session.data.sequencecount()};
}

bool PlayBrowser::nextSequence(MainPage page)
{
    if (!hasSequence())
        return false;
    const bool skip = page == MainPage::Overview && !session.runtime.showAll;
    for (int s = current + 1; s <= session.data.sequencecount(); ++s) {
        if (!skip || !session.data.getanimationonly(s)) {
            current = s;
            return true;
        }
    }
    return false;
}

bool PlayBrowser::previousSequence(MainPage page)
{
    if (!hasSequence())
        return false;
    const bool skip = page == MainPage::Overview && !session.runtime.showAll;
    for (int s = current - 1; s >= 1; --s) {
        if (!skip || !session.data.getanimationonly(s)) {
            current = s;
            return true;
        }
    }
    return false;
}

// --- changes ---------------------------------------------------------------------------

void PlayBrowser::takeOverText(const QString &text)
{
    if (session.startupDone && hasSequence())
        session.data.setseqtext(current, text);
}

void PlayBrowser::setAnimationOnly(bool flag)
{
    if (!hasSequence() || current == 1 || session.data.getanimationonly(current) == flag)
        return;
    session.data.setanimationonly(current, flag);
    session.PlayModified = true;
}

void PlayBrowser::addSequence()
{
    if (session.loadedName.isEmpty())
        return;
    session.PlayModified = true;
    const int number = current + 1;
    renumberFrom(number, session.data.sequencecount(), +1);
    const int source = session.data.getdrawingnr(current);
    const int drawing = session.data.maxdrawingnr() + 1;
    session.data.addsequence(number, drawing, false);
    if (source == 0)
        addCourt(drawing);
    else if (session.runtime.autoMove && number == session.data.sequencecount())
        MovePlayers(session.data, source, drawing, session.loadedCategory, session.loadedName, current);
    else
        copySketch(source, drawing);
    current = number;
}

PlayBrowser::Deletion PlayBrowser::deleteSequence()
{
    if (!hasSequence())
        return Deletion::Cancelled;
    if (session.data.sequencecount() == 1)
        return deletePlay() ? Deletion::PlayDeleted : Deletion::PlayKept;
    if (session.prompter.ask(Prompter::Kind::Warning,
                             QStringLiteral("Delete Sequence\n\nNo restore possible, continue ?"),
                             Prompter::Ok | Prompter::Cancel)
        != Prompter::Ok)
        return Deletion::Cancelled;

    session.PlayModified = true;
    const int count = session.data.sequencecount();
    session.data.deletedrawing(session.data.getdrawingnr(current));
    session.data.deletesequence(current);
    session.undo.clearhistory(session.loadedCategory, session.loadedName, current);
    if (current == 1)
        session.data.setanimationonly(2, false);
    renumberFrom(current + 1, count, -1);
    current = std::min(current, count - 1);
    return Deletion::Deleted;
}

bool PlayBrowser::deletePlay()
{
    if (chosenPlay.isEmpty())
        return false;
    if (session.PlayModified && !store.storeLoadedPlay())
        return false;
    if (session.prompter.ask(Prompter::Kind::Warning,
                             QStringLiteral("Delete Play\n\nNo restore possible, continue ?"),
                             Prompter::Ok | Prompter::Cancel)
        != Prompter::Ok)
        return false;

    // The play after it in the index, or the first one, is shown next.
    const QList<PlayRow> &index = session.tables.plays;
    const auto deleted = std::find_if(index.cbegin(), index.cend(), [this](const PlayRow &row) {
        return row.Category == chosenCategory && row.Drillname == chosenPlay;
    });
    const PlayRow next = deleted != index.cend() && deleted + 1 != index.cend() ? *(deleted + 1)
                                                                              : index.value(0);

    if (!store.DeletePlay(chosenCategory, chosenPlay))
        return false;
    store.observer().removeFromPlayList(chosenCategory, chosenPlay);
    session.data.clearplay();
    session.undo.clearundo();
    session.loadedCategory.clear();
    session.loadedName.clear();
    session.PlayModified = false;
    chosenCategory.clear();
    chosenPlay.clear();
    showNothing();

    if (store.nodrill()) {
        categoryList.clear();
        playList.clear();
        if (newPlayWindow && newPlayWindow->makeNewPlay())
            categorybox(false);
        return true;
    }
    categorybox(false, next.Category, next.Drillname);
    return true;
}

void PlayBrowser::applyCourt(int layout, bool smallerPool)
{
    if (!hasSequence())
        return;
    const int drawing = session.data.getdrawingnr(current);
    const int partnr = courtPartnr(drawing);
    PartFields court;
    if (!session.data.getpart(drawing, partnr, court))
        return;
    if (court.Graphicnr != layout)
        session.undo.recordchange(session.loadedCategory, session.loadedName, current, {},
                                  QStringLiteral("Change"), PartType::Court, partnr, drawing);
    court.Graphicnr = layout;
    if (isColourCourt(layout)) {
        const auto setting = [this](const char *key) {
            return session.data.getparam(QLatin1String(key)).number;
        };
        court.thickness = setting("Border");
        court.rotation = setting("Court");
        court.arrow = setting("Threepoi");
        court.color = setting("Bucket");
    }
    court.x2 = smallerPool ? 1 : 0;
    court.tekst = pluginCourtName(session.data);
    session.data.updatepart(drawing, partnr, court);
    session.PlayModified = true;
}

void PlayBrowser::setSmallerPool(bool smallerPool)
{
    if (!hasSequence())
        return;
    const int drawing = session.data.getdrawingnr(current);
    const int partnr = courtPartnr(drawing);
    PartFields court;
    if (!session.data.getpart(drawing, partnr, court) || (court.x2 == 1) == smallerPool)
        return;
    court.x2 = smallerPool ? 1 : 0;
    session.data.updatepart(drawing, partnr, court);
    session.PlayModified = true;
}

// --- helpers ------------------------------------------------------------------------------

// The court is part 1 of a sketch as the editor makes it; a sketch from
// elsewhere may hold it under another number.
int PlayBrowser::courtPartnr(int drawing) const
{
    for (const PartRow &part : session.tables.parts) {
        if (part.Drawingnr == drawing && isCourt(part.Type))
            return part.Partnr;
    }
    return 0;
}

// The court, symbols and balls of a sketch, with every field, under new
// part numbers in the same order; lines, areas and texts stay behind.
void PlayBrowser::copySketch(int fromDrawing, int toDrawing)
{
    QList<PartFields> carried;
    for (const PartRow &part : session.tables.parts) {
        if (part.Drawingnr == fromDrawing
            && (isCourt(part.Type) || is_symbol(part.Type) || is_ball(part.Type)))
            carried.append(part);
    }
    for (const PartFields &part : std::as_const(carried))
        session.data.addpart(toDrawing, part);
}

// The court a new play starts with: the first layout of the court palette,
// drawn with the active court plug-in.
void PlayBrowser::addCourt(int drawing)
{
    PartFields court;
    court.Type = PartType::Court;
    court.color2 = -1;
    court.tekst = pluginCourtName(session.data);
    session.data.addpart(drawing, court);
}

// Moves sequences first..last by shift, with their undo history; the
// highest go first when moving up so that no two share a number.
void PlayBrowser::renumberFrom(int first, int last, int shift)
{
    const auto move = [this, shift](int s) {
        session.data.renumberSequence(s, s + shift);
        session.undo.moveUndoSequence(session.loadedCategory, session.loadedName, s, s + shift);
    };
    if (shift > 0) {
        for (int s = last; s >= first; --s)
            move(s);
    } else {
        for (int s = first; s <= last; ++s)
            move(s);
    }
}
