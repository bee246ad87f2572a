#pragma once

#include <QWidget>

// The pair of arrows beside the sequence counter: the upper one steps back,
// the lower one steps on.
class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    explicit UpDownArrows(QWidget *parent = nullptr);

Q_SIGNALS:
    void upClicked();
    void downClicked();
};
