#include "qtprompter.h"

#include <QMessageBox>

#include <cstdio>

Prompter::Button QtPrompter::declined(int buttons)
{
    return (buttons & Cancel) ? Cancel : (buttons & No) ? No : Ok;
}

Prompter::Button QtPrompter::ask(Kind kind, const QString &text, int buttons)
{
    if (declining) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return declined(buttons);
    }
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case Kind::Information: icon = QMessageBox::Information; break;
    case Kind::Warning: icon = QMessageBox::Warning; break;
    case Kind::Confirmation: icon = QMessageBox::Question; break;
    case Kind::Error: icon = QMessageBox::Critical; break;
    }
    const std::pair<Button, QMessageBox::StandardButton> map[] = {
        {Ok, QMessageBox::Ok}, {Cancel, QMessageBox::Cancel},
        {Yes, QMessageBox::Yes}, {No, QMessageBox::No}};

    Q_EMIT aboutToShow();
    QMessageBox box(icon, QStringLiteral("Quorvane"), text, QMessageBox::NoButton, owner);
    for (const auto &[ours, theirs] : map) {
        if (buttons & ours)
            box.addButton(theirs);
    }
    if (box.buttons().isEmpty())
        box.addButton(QMessageBox::Ok);
    const auto chosen = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto &[ours, theirs] : map) {
        if (theirs == chosen)
            return ours;
    }
    // Closed with Escape, the window's close button or by the program.
    return declined(buttons);
}
