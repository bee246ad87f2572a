#include "undohistorydialog.h"

#include "platform/helprouter.h"
#include "shell/session.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A history line is number, age, action and command between runs of tabs;
// the age is left out when the step is not older than now.
QStringList columnsOf(const QString &line)
{
    QStringList columns = line.split(u'\t', Qt::SkipEmptyParts);
    if (columns.size() == 3)
        columns.insert(1, QString());
    return columns;
}

} // namespace

UndoHistoryDialog::UndoHistoryDialog(Session &session, int sequence, HelpRouter &help, QWidget *parent)
    : QDialog(parent), session(session), sequence(sequence)
{
    setWindowTitle(QStringLiteral("Undo - redo history"));
    auto *layout = new QVBoxLayout(this);
    list = new QTreeWidget(this);
    list->setObjectName(QStringLiteral("ListBox1"));
    list->setHeaderLabels({QStringLiteral("Number"), QStringLiteral("Time"), QStringLiteral("Action"),
                           QStringLiteral("Command")});
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->header()->setStretchLastSection(true);
    layout->addWidget(list);

    auto *buttons = new QDialogButtonBox(this);
    action = buttons->addButton(QStringLiteral("&Undo"), QDialogButtonBox::AcceptRole);
    action->setObjectName(QStringLiteral("BitBtn1"));
    action->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    QPushButton *helpButton = buttons->addButton(QDialogButtonBox::Help);
    layout->addWidget(buttons);
    connect(action, &QPushButton::clicked, this, &UndoHistoryDialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto showHelp = [&help] { help.showTopic(QStringLiteral("historylist")); };
    connect(helpButton, &QPushButton::clicked, this, showHelp);
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, showHelp);

    lines = session.undo.historylist(session.loadedCategory, session.loadedName, sequence,
                                     QDateTime::currentDateTime());
    for (const QString &line : std::as_const(lines))
        new QTreeWidgetItem(list, columnsOf(line));
    // The line under the cursor, moved by the mouse or the arrow keys, is
    // the line clicked; Enter or the button's access key applies.
    connect(list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            choose(HistoryChoice::clicked(lines, list->indexOfTopLevelItem(item)));
    });
    const HistoryChoice initial = HistoryChoice::initial(lines);
    choose(initial);
    if (!initial.rows.isEmpty())
        list->setCurrentItem(list->topLevelItem(initial.rows.first()));
    list->setFocus();
    resize(520, 320);
}

// The chosen lines are marked by hand: the list takes no selection of its
// own, so neither a click nor a key can choose lines the rules do not allow.
void UndoHistoryDialog::choose(const HistoryChoice &choice)
{
    chosen = choice;
    action->setText(choice.undo ? QStringLiteral("&Undo") : QStringLiteral("&Redo"));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = list->topLevelItem(i);
        const bool marked = choice.rows.contains(i);
        for (int column = 0; column < list->columnCount(); ++column) {
            item->setBackground(column, marked ? palette().highlight() : QBrush());
            item->setForeground(column, marked ? palette().highlightedText() : QBrush());
        }
    }
}

void UndoHistoryDialog::apply()
{
    const int count = int(lines.size());
    if (!chosen.rows.isEmpty()) {
        const int first = chosen.firstStep(count);
        const int last = chosen.lastStep(count);
        if (chosen.undo)
            session.undo.undosteps(session.loadedCategory, session.loadedName, sequence, first, last);
        else
            session.undo.redosteps(session.loadedCategory, session.loadedName, sequence, first, last);
        session.PlayModified = true;
        changed = true;
    }
    accept();
}
