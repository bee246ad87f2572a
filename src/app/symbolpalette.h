#pragma once

#include "model/tables.h"

#include <QList>
#include <QWidget>

class QLabel;

// A palette: the picture of one symbol row at a time, with the navigator
// (First, Prior, Next, Last) that pages through its rows.
class SymbolPalette : public QWidget {
    Q_OBJECT
public:
    // name: the object name of the picture; the navigator is named after
    // it with "Navigator" instead of "Image" ("DBImage1", "DBNavigator1").
    SymbolPalette(const QString &name, QWidget *parent = nullptr);

    void setRows(QList<GraphRow> rows);
    // The picture can be dragged onto the sketch, carrying its row under
    // the mime type given.
    void makeDragSource(const QString &mimeType);
    // The row shown, or nullptr when the palette is empty.
    const GraphRow *current() const;
    void first();
    void step(int by);
    void last();

Q_SIGNALS:
    void currentChanged();
    // The picture was pressed to drag it away.
    void picked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show(qsizetype index);

    QList<GraphRow> rows;
    qsizetype index = 0;
    QLabel *picture = nullptr;
    QString dragMimeType;
};
