#pragma once

#include "shell/menustate.h"

#include <QList>
#include <QObject>

class PlayBrowser;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class SketchView;
class QTabWidget;
class Session;
class SymbolPalette;
class TextEditorTools;
class UpDownArrows;

// The main window's controls that show and choose what is browsed.
struct BrowserWidgets {
    QTabWidget *pages = nullptr;
    QComboBox *categories = nullptr;
    QComboBox *plays = nullptr;
    QLineEdit *counter = nullptr;
    UpDownArrows *arrows = nullptr;
    QLabel *overviewSketch = nullptr;
    SketchView *drawingSketch = nullptr;
    QLabel *smallSketch = nullptr;
    QWidget *textEditor = nullptr;
    QList<QCheckBox *> animationOnly; // on the drawing and the text page
    QCheckBox *previousPositions = nullptr;
    QCheckBox *previousLines = nullptr;
    QCheckBox *smallerPool = nullptr;
    SymbolPalette *courtPalette = nullptr;
    QAbstractButton *applyCourt = nullptr;
    QList<QAbstractButton *> addSequence;    // on the drawing and the text page
    QList<QAbstractButton *> deleteSequence; // on the drawing and the text page
};

// Connects the main window's selectors, counter, pages, sketches, check
// boxes and sequence buttons to the play browser, and shows what it
// chooses: the sketch at 100 % and 75 %, the text in both text controls and
// the counter.
class BrowserController : public QObject {
    Q_OBJECT
public:
    BrowserController(const BrowserWidgets &widgets, Session &session, PlayBrowser &browser,
                      TextEditorTools &text, QObject *parent);

    // Start-up: the selectors from the play index, showing the first play.
    void fillSelectors();
    // The court palette's pictures from the symbol table.
    void prepareCourtPalette();
    // Takes the text over into the current sequence when it was edited.
    void takeOverText();
    // Puts the shown sketch on the clipboard at 100 % (factor 1) or 200 %.
    void copySketch(int factor);
    // Shows the current sequence again, as the settings now want it.
    void showplay();
    // Draws the editable sketch again after the editor changed it.
    void redrawSketch();
    // After the play index was rebuilt: the selectors refilled without
    // scanning or loading again.
    void refillSelectors();
    // File > Delete Play: deletes the chosen play after asking, and shows
    // the next one.
    void deletePlay();

Q_SIGNALS:
    // The sketch shown is about to change: the drawing tool and the
    // selection are to be released.
    void sketchChanging();
    // A sequence was added: the player palettes start again.
    void sequenceAdded();

private:
    void pageChanged(int index);
    void categoryChosen(int index);
    void playChosen(int index);
    void stepSequence(bool forward);
    void animationOnlyClicked(bool ticked);
    void previousOverlayClicked(const char *key, bool ticked);
    void addSequence();
    void deleteSequence();
    void applyCourt();
    void smallerPoolClicked(bool ticked);

    void showSelectors();
    void release();
    MainPage page() const;

    Session &session;
    PlayBrowser &browser;
    TextEditorTools &text;
    BrowserWidgets ui;
    MainPage shownPage = MainPage::Overview;
};
