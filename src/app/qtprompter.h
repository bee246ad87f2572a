#pragma once

#include "platform/prompter.h"

class QWidget;

// Shows the program's messages and questions as message boxes.
class QtPrompter : public Prompter {
public:
    // parent: the window the boxes belong to; may change while running.
    QWidget *parent = nullptr;

    Button ask(Kind kind, const QString &text, int buttons) override;
};
