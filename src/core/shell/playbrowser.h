#pragma once

#include "shell/menustate.h"

#include <QString>
#include <QStringList>

class PlayStore;
class Session;

// What the pages show of the current sequence.
struct ShownSequence {
    int number = 0;              // 0: nothing to show
    QString text;                // as stored (SequenceText prepares it for the editors)
    bool animationOnly = false;
    bool previousEnabled = false; // "Animation only" and the ghost boxes: from sequence 2 on
    bool smallerPool = false;    // the court part's flag
};

// The sequence counter: "n of m".
struct SequenceCounter {
    int number = 0;
    int count = 0;
    QString text() const;
    bool operator==(const SequenceCounter &) const = default;
};

// The new-play window, as the browser needs it.
class NewPlayWindow {
public:
    virtual ~NewPlayWindow() = default;
    // Shown when deleting the last play empties the playbook; true when a
    // new play was made there (it is then in the index and chosen).
    virtual bool makeNewPlay() = 0;
};

// Choosing a category, a play and a sequence of the playbook, and the
// changes to the loaded play's sequences that the browser offers: adding
// and deleting sequences, the "Animation only" flag, the text taken over
// from the editor and the court chosen in the palette.
//
// The chosen key is what the selectors show; the play store loads it. Pages
// matter only for which sequences count: the Overview page with "Showall"
// off passes over animation-only sequences.
class PlayBrowser {
public:
    PlayBrowser(Session &session, PlayStore &store);
    PlayBrowser(const PlayBrowser &) = delete;
    PlayBrowser &operator=(const PlayBrowser &) = delete;

    // Without one, deleting the last play leaves the playbook empty.
    void setNewPlayWindow(NewPlayWindow *window) { newPlayWindow = window; }

    // --- the selectors -------------------------------------------------------
    const QStringList &categories() const { return categoryList; }
    const QStringList &plays() const { return playList; }
    const QString &category() const { return chosenCategory; }
    const QString &play() const { return chosenPlay; }

    // Refills the categories from the play index, rebuilding it first when
    // asked; chooses the given category (a play just made) or else the
    // first, then namebox.
    void categorybox(bool rebuildIndex, const QString &category = {}, const QString &play = {});
    // Fills the plays of a category, chooses the given play or else the
    // first, and shows its first sequence.
    void namebox(const QString &category, const QString &play = {});
    // The play index was rebuilt: the selectors' lists again, without
    // loading anything; a chosen entry that is gone is no longer chosen.
    void indexChanged();
    // The user chose another play of the category: its first sequence.
    void choosePlay(const QString &play);
    // Loads the chosen play when it is not the loaded one and makes
    // sequence n current. A play that cannot be loaded leaves nothing
    // shown; a modified play that cannot be stored stays loaded and chosen.
    bool sequencebox(int n);

    // --- the sequence shown ----------------------------------------------------
    // The current sequence, 0 when there is none.
    int sequence() const { return current; }
    bool hasSequence() const;
    // Settles the current sequence for the page and tells what to show. On
    // the Overview page with "Showall" off an animation-only sequence gives
    // way to the one before it (never below sequence 1).
    ShownSequence showplay(MainPage page);
    SequenceCounter counter(MainPage page) const;
    // The arrows: true when the current sequence changed.
    bool nextSequence(MainPage page);
    bool previousSequence(MainPage page);

    // --- changes ------------------------------------------------------------------
    // Stores the text taken over from the editor as the current sequence's.
    void takeOverText(const QString &text);
    void setAnimationOnly(bool flag);
    // Inserts a sequence after the current one and makes it current. It
    // starts with the court, players and balls of the current one, carried
    // along their lines when it is the new last one and "Automove" is on; the
    // first sequence of a play gets a court of its own.
    void addSequence();
    enum class Deletion { Deleted, Cancelled, PlayDeleted, PlayKept };
    // Deletes the current sequence after asking; the only sequence of a
    // play takes the play with it (deletePlay).
    Deletion deleteSequence();
    // Deletes the chosen play after asking and shows the next one.
    bool deletePlay();
    // The court of the palette, with the "Smaller pool" tick, for the
    // current sequence.
    void applyCourt(int layout, bool smallerPool);
    void setSmallerPool(bool smallerPool);

private:
    int courtPartnr(int drawing) const;
    void copySketch(int fromDrawing, int toDrawing);
    void addCourt(int drawing);
    void renumberFrom(int first, int last, int shift);
    void showNothing();

    Session &session;
    PlayStore &store;
    NewPlayWindow *newPlayWindow = nullptr;

    QStringList categoryList;
    QStringList playList;
    QString chosenCategory;
    QString chosenPlay;
    int current = 0;
    int shownBefore = 0;
};
