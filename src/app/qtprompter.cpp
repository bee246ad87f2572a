#include "qtprompter.h"

#include <QMessageBox>

Prompter::Button QtPrompter::ask(Kind kind, const QString &text, int buttons)
{
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

    QMessageBox box(icon, QStringLiteral("Quorvane"), text, QMessageBox::NoButton, parent);
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
    // Closing the box with Escape or the window's close button.
    return (buttons & Cancel) ? Cancel : (buttons & No) ? No : Ok;
}
