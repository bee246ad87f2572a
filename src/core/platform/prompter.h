#pragma once

#include <QString>

// Every message box and question of the program goes through this interface:
// the desktop program shows a message box, tests script the answers.
class Prompter {
public:
    enum class Kind { Information, Warning, Confirmation, Error };
    enum Button { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };

    virtual ~Prompter() = default;

    // Shows text with the given buttons (an OR of Button values) and returns
    // the button chosen.
    virtual Button ask(Kind kind, const QString &text, int buttons) = 0;

    void inform(const QString &text) { ask(Kind::Information, text, Ok); }
    void warn(const QString &text) { ask(Kind::Warning, text, Ok); }
    void error(const QString &text) { ask(Kind::Error, text, Ok); }
    bool confirm(const QString &text) { return ask(Kind::Confirmation, text, Yes | No) == Yes; }
};
