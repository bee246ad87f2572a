#pragma once

#include "editor/historychoice.h"

#include <QDialog>
#include <QStringList>

class HelpRouter;
class QPushButton;
class QTreeWidget;
class Session;

// The undo history of the shown sequence, newest step first: a range of
// steps can be undone or redone at once.
class UndoHistoryDialog : public QDialog {
    Q_OBJECT
public:
    UndoHistoryDialog(Session &session, int sequence, HelpRouter &help, QWidget *parent = nullptr);

    // True when steps were undone or redone.
    bool changedSketch() const { return changed; }

private:
    void choose(const HistoryChoice &choice);
    void apply();

    Session &session;
    int sequence;
    QStringList lines;
    QTreeWidget *list;
    QPushButton *action;
    HistoryChoice chosen;
    bool changed = false;
};
