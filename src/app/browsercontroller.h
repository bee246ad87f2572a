#pragma once

#include "shell/menustate.h"

#include <QObject>

#include <functional>

class PlayBrowser;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class SketchView;
class QTabWidget;
class Session;
class SymbolPalette;
class TextEditorTools;

// Connects the main window's selectors, counter, pages, sketches, check
// boxes and sequence buttons to the play browser, and shows what it
// chooses: the sketch at 100 % and 75 %, the text in both text controls and
// the counter.
class BrowserController : public QObject {
    Q_OBJECT
public:
    // window: the main window whose controls are found by their names.
    BrowserController(QWidget *window, Session &session, PlayBrowser &browser,
                      TextEditorTools &text);

    // Releases the drawing tool and the selection before the sketch shown
    // changes; set by the sketch editor.
    std::function<void()> releaseEditor;
    // A sequence was added: the player palettes start again.
    std::function<void()> sequenceAdded;

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

    QTabWidget *pages;
    QComboBox *categories;
    QComboBox *plays;
    QLineEdit *counter;
    QLabel *overviewSketch;
    SketchView *drawingSketch;
    QLabel *smallSketch;
    QWidget *editor;
    QList<QCheckBox *> animationOnly;
    QCheckBox *previousPositions;
    QCheckBox *previousLines;
    QCheckBox *smallerPool;
    SymbolPalette *courtPalette;
    MainPage shownPage = MainPage::Overview;
};
