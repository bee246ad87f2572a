#include "browsercontroller.h"
#include "fakeenvironment.h"
#include "mainwindow.h"
#include "playfixture.h"
#include "recordinghelp.h"
#include "recordingprompter.h"
#include "shell/playbrowser.h"
#include "shell/session.h"
#include "store/playstore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

namespace {

const QString BoldText = QStringLiteral(
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs20 Swim \\b fast\\b0  now\\par\r\n}");

// A playbook of three plays in two categories, written to disk.
void writePlaybook(const QString &data)
{
    const auto put = [&](const QString &category, const QString &name, int sequences,
                         QList<int> animationOnly, QMap<int, QString> texts) {
        PlayFixture play;
        play.category = category;
        play.name = name;
        play.sequences = sequences;
        play.animationOnly = animationOnly;
        play.texts = texts;
        QVERIFY(writeFile(data + QStringLiteral("data/") + category + u'/' + name + QStringLiteral(".dat"),
                          play.bytes()));
    };
    put(QStringLiteral("Attack"), QStringLiteral("Drive"), 4, {2, 3}, {{1, BoldText}});
    put(QStringLiteral("Attack"), QStringLiteral("Center"), 2, {}, {});
    put(QStringLiteral("Defence"), QStringLiteral("Zone"), 1, {}, {});
}

int darkPixels(const QImage &picture)
{
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            dark += qGray(picture.pixel(x, y)) < 128;
    }
    return dark;
}

} // namespace

// The main window over a playbook on disk, driven with the mouse and the
// keyboard: the selectors, the counter and its arrows, the texts, adding
// and deleting sequences, copying the sketch, and edits that survive a
// restart.
class TestBrowserWindow : public QObject {
    Q_OBJECT

    struct Program {
        FakeEnvironment env;
        RecordingPrompter prompter;
        Session session{env, prompter};
        RecordingHelp help;
        FixedClock clock;
        PlayStore store{session, clock};
        PlayBrowser browser{session, store};
        std::unique_ptr<MainWindow> window;

        explicit Program(const QString &folder)
        {
            session.folders.data = folder;
            session.startupDone = true;
            store.FillPlayDataset();
            window = std::make_unique<MainWindow>(session, help, browser);
            window->browserView().fillSelectors();
            window->show();
        }

        template <typename W>
        W *find(const char *name) const { return window->findChild<W *>(QLatin1String(name)); }
        QString counter() const { return find<QLineEdit>("Edit3")->text(); }
        QString overviewText() const { return find<QTextEdit>("RichEdit1")->toPlainText(); }
        void showPage(MainPage page) { find<QTabWidget>("PageControl1")->setCurrentIndex(int(page)); }
        void arrow(const char *name)
        {
            QTest::mouseClick(find<QToolButton>(name), Qt::LeftButton);
        }
        // Chooses an entry of a selector as the user does, with the keyboard.
        void choose(const char *selector, const QString &entry)
        {
            auto *box = find<QComboBox>(selector);
            box->setFocus();
            const int target = box->findText(entry);
            QVERIFY(target >= 0);
            while (box->currentIndex() != target)
                QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        }
    };

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Program> program;

    QString folder() const { return dir->path() + u'/'; }

private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        writePlaybook(folder());
        program = std::make_unique<Program>(folder());
    }

    void cleanup() { program.reset(); }

    void browsesCategoriesPlaysAndSequences()
    {
        Program &p = *program;
        QCOMPARE(p.find<QComboBox>("ComboBox1")->currentText(), QStringLiteral("Attack"));
        QCOMPARE(p.find<QComboBox>("ComboBox2")->currentText(), QStringLiteral("Center"));
        QCOMPARE(p.counter(), QStringLiteral("1 of 2"));

        p.choose("ComboBox2", QStringLiteral("Drive"));
        QCOMPARE(p.session.loadedName, QStringLiteral("Drive"));
        QCOMPARE(p.counter(), QStringLiteral("1 of 2"));
        QCOMPARE(p.overviewText(), QStringLiteral("Swim fast now"));
        auto *overview = p.find<QTextEdit>("RichEdit1");
        // Shown after another play's text, the text is painted too.
        QVERIFY(darkPixels(overview->viewport()->grab().toImage()) > 20);
        QTextCursor cursor = overview->document()->find(QStringLiteral("fast"));
        QVERIFY(cursor.charFormat().fontWeight() >= QFont::Bold);

        p.showPage(MainPage::EditText);
        QCOMPARE(p.find<QTextEdit>("RichEdit2")->toPlainText(), QStringLiteral("Swim fast now"));
        QVERIFY(p.find<QAction>("BoldButton1")->isEnabled());
        p.showPage(MainPage::Overview);

        // The overview passes over the animation-only sequences 2 and 3.
        p.arrow("DownArrow");
        QCOMPARE(p.counter(), QStringLiteral("2 of 2"));
        QCOMPARE(p.overviewText(), QStringLiteral("Sequence 4"));
        p.arrow("DownArrow");
        QCOMPARE(p.counter(), QStringLiteral("2 of 2"));

        // The drawing page counts every sequence and shows them all.
        p.showPage(MainPage::EditDrawing);
        QCOMPARE(p.counter(), QStringLiteral("4 of 4"));
        p.arrow("UpArrow");
        QCOMPARE(p.counter(), QStringLiteral("3 of 4"));
        QVERIFY(p.find<QCheckBox>("CheckBox1")->isChecked());
        QVERIFY(p.find<QCheckBox>("CheckBox1")->isEnabled());

        // Back on the overview, an animation-only sequence gives way.
        p.showPage(MainPage::Overview);
        QCOMPARE(p.counter(), QStringLiteral("1 of 2"));
        QCOMPARE(p.overviewText(), QStringLiteral("Swim fast now"));

        p.choose("ComboBox1", QStringLiteral("Defence"));
        QCOMPARE(p.find<QComboBox>("ComboBox2")->currentText(), QStringLiteral("Zone"));
        QCOMPARE(p.counter(), QStringLiteral("1 of 1"));
        QCOMPARE(p.overviewText(), QStringLiteral("Sequence 1"));
        QVERIFY(!p.find<QCheckBox>("CheckBox1")->isEnabled());
    }

    void copiesTheSketchAtBothSizes()
    {
        Program &p = *program;
        QApplication::clipboard()->clear();
        p.find<QAction>("CopyImage1")->trigger();
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(289, 361));
        p.find<QAction>("CopyImage21")->trigger();
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(578, 722));

        // With anti-aliasing asked for, the picture is smoothed and keeps
        // its size.
        p.session.data.addparam(QStringLiteral("Antiexp2"), {}, true, 2);
        p.find<QAction>("CopyImage1")->trigger();
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(289, 361));
        QCOMPARE(p.session.data.getparam(QStringLiteral("Antiexp2")).number, 2);
    }

    // Browsing through the texts stores none of them again: the stored text
    // keeps what the editor cannot hold. An edited text is taken over once.
    void onlyEditedTextsAreTakenOver()
    {
        Program &p = *program;
        p.choose("ComboBox2", QStringLiteral("Drive"));
        const auto stored = [&p](int sequence) {
            QString text;
            p.session.data.getseqtext(sequence, text);
            return text;
        };
        const QString first = stored(1);
        const QString second = stored(2);
        QVERIFY(first.startsWith(BoldText));
        for (MainPage page : {MainPage::EditText, MainPage::Overview, MainPage::EditDrawing, MainPage::EditText}) {
            p.showPage(page);
            p.arrow("DownArrow");
            p.arrow("UpArrow");
        }
        QCOMPARE(p.counter(), QStringLiteral("1 of 4"));
        QCOMPARE(stored(1), first);
        QCOMPARE(stored(2), second);

        auto *editor = p.find<QTextEdit>("RichEdit2");
        editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor, QStringLiteral(" please"));
        p.arrow("DownArrow");
        QVERIFY2(stored(1).contains(QStringLiteral("now please\\par")), qPrintable(stored(1)));
        p.arrow("UpArrow");
        QCOMPARE(p.overviewText(), QStringLiteral("Swim fast now please"));
        QCOMPARE(stored(2), second);
    }

    // Text edited on the Edit Text page, a sequence added and one deleted:
    // all of it is on disk after another play is chosen and read back by
    // a new run of the program.
    void editsSurviveARestart()
    {
        {
            Program &p = *program;
            p.showPage(MainPage::EditText);
            auto *editor = p.find<QTextEdit>("RichEdit2");
            QCOMPARE(editor->toPlainText(), QStringLiteral("Sequence 1"));
            editor->moveCursor(QTextCursor::End);
            QTest::keyClicks(editor, QStringLiteral(" and go"));
            QVERIFY(p.session.PlayModified);

            QTest::mouseClick(p.find<QPushButton>("BitBtn5"), Qt::LeftButton);
            QCOMPARE(p.counter(), QStringLiteral("2 of 3"));
            QCOMPARE(editor->toPlainText(), QString());
            QTest::keyClicks(editor, QStringLiteral("New one"));

            // The old second sequence is now the third; delete it.
            p.arrow("DownArrow");
            QCOMPARE(editor->toPlainText(), QStringLiteral("Sequence 2"));
            p.prompter.answers = {Prompter::Ok};
            QTest::mouseClick(p.find<QPushButton>("BitBtn6"), Qt::LeftButton);
            QCOMPARE(p.prompter.messages.last(), QStringLiteral("Delete Sequence\n\nNo restore possible, continue ?"));
            QCOMPARE(p.counter(), QStringLiteral("2 of 2"));
            QCOMPARE(editor->toPlainText(), QStringLiteral("New one"));

            p.choose("ComboBox2", QStringLiteral("Drive"));
            QVERIFY(!p.session.PlayModified);
        }
        program.reset();
        program = std::make_unique<Program>(folder());
        Program &again = *program;
        QCOMPARE(again.session.loadedName, QStringLiteral("Center"));
        QCOMPARE(again.counter(), QStringLiteral("1 of 2"));
        QCOMPARE(again.overviewText(), QStringLiteral("Sequence 1 and go"));
        again.arrow("DownArrow");
        QCOMPARE(again.overviewText(), QStringLiteral("New one"));
    }

    void deletingTheOnlySequenceAsksToDeleteThePlay()
    {
        Program &p = *program;
        p.choose("ComboBox1", QStringLiteral("Defence"));
        p.showPage(MainPage::EditDrawing);
        p.prompter.answers = {Prompter::Ok};
        QTest::mouseClick(p.find<QPushButton>("BitBtn4"), Qt::LeftButton);
        QCOMPARE(p.prompter.messages.last(), QStringLiteral("Delete Play\n\nNo restore possible, continue ?"));
        QCOMPARE(p.find<QComboBox>("ComboBox1")->count(), 1);
        QCOMPARE(p.find<QComboBox>("ComboBox1")->currentText(), QStringLiteral("Attack"));
        QVERIFY(!QFileInfo::exists(folder() + QStringLiteral("data/Defence/Zone.dat")));
    }

    // File > Delete Play asks, and on OK deletes the play shown and shows
    // the next one of the index.
    void fileMenuDeletesThePlay()
    {
        Program &p = *program;
        QAction *deletePlay = p.find<QAction>("DeletePlay1");
        Q_EMIT p.find<QMenu>("File1")->aboutToShow();
        QVERIFY(deletePlay->isEnabled());

        p.prompter.answers = {Prompter::Cancel};
        deletePlay->trigger();
        QCOMPARE(p.prompter.messages.last(), QStringLiteral("Delete Play\n\nNo restore possible, continue ?"));
        QVERIFY(QFileInfo::exists(folder() + QStringLiteral("data/Attack/Center.dat")));
        QCOMPARE(p.find<QComboBox>("ComboBox2")->currentText(), QStringLiteral("Center"));

        p.prompter.answers = {Prompter::Ok};
        deletePlay->trigger();
        QVERIFY(!QFileInfo::exists(folder() + QStringLiteral("data/Attack/Center.dat")));
        QCOMPARE(p.find<QComboBox>("ComboBox2")->count(), 1);
        QCOMPARE(p.find<QComboBox>("ComboBox2")->currentText(), QStringLiteral("Drive"));
        QCOMPARE(p.session.loadedName, QStringLiteral("Drive"));
        QCOMPARE(p.overviewText(), QStringLiteral("Swim fast now"));
    }
};

QTEST_MAIN(TestBrowserWindow)
#include "tst_browserwindow.moc"
