#include "sketchview.h"

#include "editor/sketcheditor.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

const QString SketchView::SymbolMimeType = QStringLiteral("application/x-quorvane-symbol");

namespace {

// Drawn twice, an inverted figure leaves the picture as it was.
void invert(QPainter &painter)
{
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
}

void paintOverlay(QImage &picture, const EditorOverlay &overlay)
{
    QPainter painter(&picture);
    invert(painter);
    if (overlay.rubberLine)
        painter.drawLine(*overlay.rubberLine);
    if (overlay.rubberEllipse)
        painter.drawEllipse(*overlay.rubberEllipse);
    QPen dashed(Qt::white, 1, Qt::DashLine);
    painter.setPen(dashed);
    if (overlay.marquee)
        painter.drawRect(*overlay.marquee);
    if (overlay.dragBox)
        painter.drawRect(*overlay.dragBox);
    // Reshaping shows a grey outline: grey in an inverting pen.
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    if (overlay.outline.size() > 1)
        painter.drawPolyline(overlay.outline);
    if (overlay.outlineEllipse)
        painter.drawEllipse(*overlay.outlineEllipse);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    for (const QRect &mark : overlay.marks)
        painter.drawRect(mark);
}

} // namespace

SketchView::SketchView(QWidget *parent) : QWidget(parent)
{
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SketchView::setPicture(const QImage &picture)
{
    sketch = picture;
    update();
}

void SketchView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (sketch.isNull())
        return;
    if (!editor) {
        painter.drawImage(0, 0, sketch);
        return;
    }
    QImage shown = sketch.convertToFormat(QImage::Format_RGB32);
    paintOverlay(shown, editor->overlay());
    painter.drawImage(0, 0, shown);
}

void SketchView::mousePressEvent(QMouseEvent *event)
{
    if (editor)
        editor->press(event->button(), event->modifiers(), event->position().toPoint());
}

void SketchView::mouseMoveEvent(QMouseEvent *event)
{
    if (editor)
        editor->move(event->modifiers(), event->position().toPoint());
}

void SketchView::mouseReleaseEvent(QMouseEvent *event)
{
    if (editor)
        editor->release(event->button(), event->modifiers(), event->position().toPoint());
}

void SketchView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(SymbolMimeType))
        event->acceptProposedAction();
}

void SketchView::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasFormat(SymbolMimeType))
        event->acceptProposedAction();
}

void SketchView::dropEvent(QDropEvent *event)
{
    const QStringList fields = QString::fromUtf8(event->mimeData()->data(SymbolMimeType)).split(u';');
    if (!editor || fields.size() != 2)
        return;
    editor->dropSymbol(fields[0].toInt(), fields[1], event->position().toPoint());
    event->acceptProposedAction();
}
