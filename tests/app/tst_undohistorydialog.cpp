#include "editorharness.h"
#include "recordinghelp.h"
#include "undohistorydialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using KeyPresses = QList<QPair<int, int>>; // key, modifiers
Q_DECLARE_METATYPE(KeyPresses)

// The undo history window over real steps of the first sequence: its
// columns, and choosing and applying steps from the keyboard.
class TestUndoHistoryDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorHarness> h;
    RecordingHelp help;

    QString category() const { return h->session.loadedCategory; }
    QString play() const { return h->session.loadedName; }

    // Steps 1..count, each adding a player; the newest `undone` are undone.
    void addSteps(int count, int undone)
    {
        for (int step = 1; step <= count; ++step) {
            PartFields player;
            player.Type = QStringLiteral("Circle");
            player.Graphicnr = step;
            player.x1 = qint16(20 * step);
            player.y1 = 40;
            const int partnr = h->session.data.addpart(h->drawing(), player);
            h->session.undo.recordadd(category(), play(), 1, h->drawing(), partnr);
        }
        if (undone > 0)
            h->session.undo.undosteps(category(), play(), 1, count, count - undone + 1);
    }

    // "U" or "R" for steps 1, 2, ... as the history holds them.
    QString actions() const
    {
        QMap<int, QChar> byStep;
        for (const UndoRow &row : std::as_const(h->session.tables.undo))
            byStep.insert(row.Undonr, row.Action.at(0));
        QString text;
        for (const QChar action : std::as_const(byStep))
            text += action;
        return text;
    }

    static QList<int> marked(const QTreeWidget *list)
    {
        QList<int> rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->background(0) != QBrush())
                rows.append(i);
        }
        return rows;
    }

private Q_SLOTS:
    void init() { h = std::make_unique<EditorHarness>(1); }
    void cleanup() { h.reset(); }

    // Number, time, action and command each keep their column, also when
    // a step is too fresh to have an age.
    void columnsStayInPlace_data()
    {
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<QString>("time");
        QTest::newRow("fresh steps") << 0 << QString();
        QTest::newRow("two minutes old") << 125 << QStringLiteral("02:05");
    }

    void columnsStayInPlace()
    {
        QFETCH(int, ageSeconds);
        QFETCH(QString, time);
        addSteps(3, 1);
        // Half a second more, so that the age is whole when the window opens;
        // a step written after now has no age.
        const QDateTime now = QDateTime::currentDateTime();
        for (UndoRow &row : h->session.tables.undo)
            row.TST = ageSeconds > 0 ? now.addMSecs(-1000 * ageSeconds - 500) : now.addSecs(60);

        UndoHistoryDialog dialog(h->session, 1, help);
        auto *list = dialog.findChild<QTreeWidget *>(QStringLiteral("ListBox1"));
        QCOMPARE(list->topLevelItemCount(), 3);
        const QStringList expected[] = {{"3", time, "Redo", "Add player"},
                                        {"2", time, "Undo", "Add player"},
                                        {"1", time, "Undo", "Add player"}};
        for (int i = 0; i < 3; ++i) {
            QStringList columns;
            for (int c = 0; c < 4; ++c)
                columns << list->topLevelItem(i)->text(c);
            QCOMPARE(columns, expected[i]);
        }
    }

    // Five steps, 4 and 5 undone: the lines read 5 Redo, 4 Redo, 3 Undo,
    // 2 Undo, 1 Undo, with the line of step 3 chosen at first. The arrows
    // (with or without Shift) move the line clicked; Enter or the button's
    // access key applies the choice.
    void workedFromTheKeyboard_data()
    {
        QTest::addColumn<KeyPresses>("keys");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<KeyPresses>("apply");
        QTest::addColumn<QString>("after"); // steps 1..5

        const KeyPresses enter{{Qt::Key_Return, Qt::NoModifier}};
        QTest::newRow("nothing moved, Enter") << KeyPresses{} << QList<int>{2} << "&Undo" << enter << "UURRR";
        QTest::newRow("down to step 1, Enter")
            << KeyPresses{{Qt::Key_Down, Qt::NoModifier}, {Qt::Key_Down, Qt::NoModifier}}
            << QList<int>{2, 3, 4} << "&Undo" << enter << "RRRRR";
        QTest::newRow("up to step 4, Enter")
            << KeyPresses{{Qt::Key_Up, Qt::NoModifier}} << QList<int>{1} << "&Redo" << enter << "UUUUR";
        QTest::newRow("shift up to step 5, Alt+R")
            << KeyPresses{{Qt::Key_Up, Qt::ShiftModifier}, {Qt::Key_Up, Qt::ShiftModifier}}
            << QList<int>{0, 1} << "&Redo" << KeyPresses{{Qt::Key_R, Qt::AltModifier}} << "UUUUU";
        QTest::newRow("shift down to step 2, Alt+U")
            << KeyPresses{{Qt::Key_Down, Qt::ShiftModifier}} << QList<int>{2, 3} << "&Undo"
            << KeyPresses{{Qt::Key_U, Qt::AltModifier}} << "URRRR";
    }

    void workedFromTheKeyboard()
    {
        QFETCH(KeyPresses, keys);
        QFETCH(QList<int>, chosen);
        QFETCH(QString, caption);
        QFETCH(KeyPresses, apply);
        QFETCH(QString, after);
        addSteps(5, 2);
        QCOMPARE(actions(), QStringLiteral("UUURR"));

        UndoHistoryDialog dialog(h->session, 1, help);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *list = dialog.findChild<QTreeWidget *>(QStringLiteral("ListBox1"));
        auto *button = dialog.findChild<QPushButton *>(QStringLiteral("BitBtn1"));
        QVERIFY(list->hasFocus());

        for (const auto &[key, modifiers] : std::as_const(keys))
            QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(marked(list), chosen);
        QCOMPARE(button->text(), caption);

        for (const auto &[key, modifiers] : std::as_const(apply))
            QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        // The access key presses the button visibly, a moment later.
        QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.changedSketch());
        QCOMPARE(actions(), after);
    }
};

QTEST_MAIN(TestUndoHistoryDialog)
#include "tst_undohistorydialog.moc"
