#pragma once

#include "platform/prompter.h"

#include <QList>
#include <QPair>
#include <QStringList>

// A prompter for tests: records every message and answers from a script
// (the default answer when the script is used up).
class RecordingPrompter : public Prompter {
public:
    Button ask(Kind kind, const QString &text, int buttons) override
    {
        messages.append(text);
        kinds.append(kind);
        if (!answers.isEmpty())
            return answers.takeFirst();
        if (buttons & Yes)
            return defaultYes ? Yes : No;
        return Ok;
    }

    QStringList messages;
    QList<Kind> kinds;
    QList<Button> answers;
    bool defaultYes = false;
};
