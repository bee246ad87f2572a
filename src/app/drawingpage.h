#pragma once

#include "editor/sketcheditor.h"

#include <QHash>
#include <QObject>

#include <memory>

class PlayBrowser;
class QAbstractButton;
class QCheckBox;
class QSpinBox;
class QTabWidget;
class QToolButton;
class Session;
class SketchView;
class SymbolPalette;

// The Edit Drawing page's tools around the sketch: the drawing tool
// buttons, "Curved lines", "Snap" with its grid, the player and equipment
// palettes and "Delete" on the "Players" tab. It owns the sketch editor and
// is the editor's host: it redraws, sets cursors and opens the dialogs the
// editor asks for.
class DrawingPage : public QObject, private EditorHost {
    Q_OBJECT
public:
    // tools: the page control of the drawing page ("Players", "Court").
    DrawingPage(Session &session, PlayBrowser &browser, SketchView *view, QTabWidget *tools,
                QWidget *dialogParent);
    ~DrawingPage() override;

    SketchEditor &editor() { return *sketchEditor; }

    // Start-up: the palettes' pictures from the symbol table and the
    // "Snap" box from its setting.
    void preparePalettes();
    // After adding a sequence the player palettes start from their first
    // player again.
    void firstPlayers();

Q_SIGNALS:
    // The editor changed the sketch: it is to be drawn again.
    void sketchEdited();

private:
    void buildTools(QWidget *players);
    QToolButton *toolButton(QWidget *parent, const char *name, SketchEditor::Tool tool,
                            const QString &tip, QPoint at);
    void toolClicked(QToolButton *button, bool down);
    void snapChanged();
    void toolsTabChanged(int index);

    int sequence() const override;
    void sketchChanged() override;
    void overlayChanged() override;
    void setCursor(EditorCursor cursor) override;
    void toolButtonsUp() override;
    void setCurvedLinesEnabled(bool enabled) override;
    bool editSketchText(PartFields &text) override;
    void editProperties(int drawing, int partnr) override;
    void advancePalette(PaletteSide side) override;

    Session &session;
    const PlayBrowser &browser;
    SketchView *view;
    QWidget *dialogParent;
    std::unique_ptr<SketchEditor> sketchEditor;
    QHash<QToolButton *, SketchEditor::Tool> tools;
    QCheckBox *curvedLines = nullptr;
    QCheckBox *snap = nullptr;
    QSpinBox *grid = nullptr;
    SymbolPalette *offense = nullptr;
    SymbolPalette *defense = nullptr;
    SymbolPalette *equipment = nullptr;
};
