#pragma once

#include <QImage>
#include <QWidget>

class SketchEditor;

// The editable sketch of the Edit Drawing page at 100 %: shows the picture
// with the editor's overlay and hands mouse input and palette drops to the
// editor in sketch coordinates.
class SketchView : public QWidget {
    Q_OBJECT
public:
    explicit SketchView(QWidget *parent = nullptr);

    // The mime type a palette drag carries: "Graphicnr;Type".
    static const QString SymbolMimeType;

    void setEditor(SketchEditor *editor) { this->editor = editor; }
    void setPicture(const QImage &picture);
    const QImage &picture() const { return sketch; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QImage sketch;
    SketchEditor *editor = nullptr;
};
