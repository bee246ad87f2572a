#pragma once

#include "editor/selection.h"
#include "model/tables.h"

#include <QLine>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <optional>

struct Playbook;

// What the editor draws over the sketch, reversibly: the rubber band of the
// line being drawn, the marquee, the outline of a vertex being dragged, the
// box of a selection being dragged, and the marks of the selected objects.
struct EditorOverlay {
    std::optional<QLine> rubberLine;
    std::optional<QRect> rubberEllipse; // the box the ellipse is drawn in
    std::optional<QRect> marquee;
    std::optional<QRect> dragBox;
    QPolygon outline;                     // a run or polygon being reshaped
    std::optional<QRect> outlineEllipse;  // an ellipse being reshaped
    QList<QRect> marks;                   // 6 x 6 squares
};

// The points of the line or area being drawn.
struct LinePoints {
    QPoint first;   // the first click; a polygon closes back to it
    QPoint anchor;  // the last point committed; the rubber band leaves from it
    QPoint pointer; // where the pointer is: the rubber band's free end

    void start(QPoint point) { first = anchor = pointer = point; }
    // The pointer's place becomes a corner of the line.
    void commit() { anchor = pointer; }
};

enum class EditorCursor { Normal, OverHandle, Dragging };

// The side of a player palette, which moves on after a drop.
enum class PaletteSide { Offense, Defense };

// What the editor needs from the window around it.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    // The sequence whose drawing is edited.
    virtual int sequence() const = 0;
    // The parts of the sketch changed: draw it again (with the overlay).
    virtual void sketchChanged() = 0;
    // Only the overlay changed.
    virtual void overlayChanged() = 0;
    virtual void setCursor(EditorCursor cursor) = 0;
    // Every tool button goes up.
    virtual void toolButtonsUp() = 0;
    // "Curved lines" can be changed only while no line is being drawn.
    virtual void setCurvedLinesEnabled(bool enabled) = 0;
    // The text dialog, preset with the text's values; false when cancelled.
    virtual bool editSketchText(PartFields &text) = 0;
    // The property dialog of an object, opened by a right click.
    virtual void editProperties(int drawing, int partnr) = 0;
    // A player of that side was dropped: its palette shows the next one.
    virtual void advancePalette(PaletteSide side) = 0;
};

// The sketch editor of the Edit Drawing page: the drawing tools, the
// selection, moving and reshaping, deleting, undo and redo. It works on the
// drawing of the host's current sequence, keeps every change in the
// undo history and marks the play changed. It is fed with mouse and key
// input in sketch coordinates (pixels at 100 %); the widget only translates
// events and paints the sketch with the overlay.
class SketchEditor {
public:
    enum class Tool { None, Loop, Pass, Dribbel, Screen, Shot, Fast, Back, Ellipse, Poly, Text };

    SketchEditor(Playbook &session, EditorHost &host);
    SketchEditor(const SketchEditor &) = delete;
    SketchEditor &operator=(const SketchEditor &) = delete;

    // The tool button that is down now (None when all are up). A line in
    // progress is discarded; the tool is armed.
    void chooseTool(Tool down);
    Tool tool() const { return armed ? current : Tool::None; }
    // The "Curved lines" box: new segments are curved.
    void setCurvedLines(bool curved) { curvedLines = curved; }

    void press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint point);
    void move(Qt::KeyboardModifiers modifiers, QPoint point);
    void release(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint point);

    // A symbol taken from a palette: the tool buttons go up and a line in
    // progress is discarded.
    void pickFromPalette();
    // A palette symbol dropped on the sketch.
    void dropSymbol(int graphicnr, const QString &type, QPoint point);
    // Arrow keys move the selection by one pixel, Delete deletes it; true
    // when the key was used.
    bool key(int key);
    void selectAll();
    void deleteSelection();
    void undo();
    void redo();
    // The shown sequence has steps to undo, respectively to redo.
    bool hasUndoSteps() const;
    bool canRedo() const;

    // The tool buttons go up and the selection is released, as leaving the
    // page or showing another sequence does.
    void releaseAll();
    // Releases the selection and redraws.
    void freeSelected();
    bool objectsSelected() const { return selectedFlag; }
    // The sequence whose sketch is edited; false when there is none.
    bool hasSequence() const { return drawing() > 0; }
    int sequenceShown() const { return sequence(); }

    const EditorOverlay &overlay() const { return drawn; }

private:
    int drawing() const;
    const QString &category() const;
    const QString &play() const;
    int sequence() const;
    QPoint snap(QPoint point) const;
    void changed();

    // Drawing tools.
    bool drawsLines() const;
    QString toolName() const;
    void startLine(QPoint point);
    void commitSegment();
    void finishLine();
    void discardLine();
    void afterFinishing();
    void placeText(QPoint point);
    void showRubberBand();

    // Selection.
    void findclosest(QPoint point, Qt::KeyboardModifiers modifiers);
    void finishMarquee(QPoint point, Qt::KeyboardModifiers modifiers);
    void DrawSelectObjects();
    void addMarks(const PartRow &part);

    // Moving.
    bool moveselection(int dx, int dy);
    void hover(QPoint point);
    void grabVertex(QPoint point);
    void dragVertex(QPoint point);
    void releaseVertex(QPoint point);
    void showOutline();
    void freeDrag();

    Playbook &session;
    EditorHost &host;
    SketchSelection selection;

    Tool current = Tool::None;
    bool armed = false;
    bool curvedLines = false;
    bool lineInProgress = false;
    int curved = 0;
    LinePoints points;
    QList<int> committed; // the rows stored for the line in progress
    PartFields lastText;

    bool selectedFlag = false;
    bool marqueeOn = false;
    QPoint marqueeStart;
    bool dragging = false;
    QPoint dragOrigin;

    bool overHandle = false;
    bool handlesShown = false;
    int grabbed = -1;
    PartRow grab;
    QList<QPoint> handles;

    EditorOverlay drawn;
};
