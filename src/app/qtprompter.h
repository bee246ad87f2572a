#pragma once

#include "platform/prompter.h"

#include <QObject>

class QWidget;

// Shows the program's messages and questions as message boxes. Once the
// program is ending, nothing is shown any more: a question gets the answer
// that leaves things as they are, a message goes to the error output.
class QtPrompter : public QObject, public Prompter {
    Q_OBJECT
public:
    // The window the boxes belong to; may change while running.
    void setWindow(QWidget *window) { owner = window; }
    void declineFromNowOn() { declining = true; }

    Button ask(Kind kind, const QString &text, int buttons) override;

    // The answer that leaves things as they are: Cancel, else No, else OK.
    static Button declined(int buttons);

Q_SIGNALS:
    // A box is about to be shown.
    void aboutToShow();

private:
    QWidget *owner = nullptr;
    bool declining = false;
};
