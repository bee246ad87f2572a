#include "fakeenvironment.h"
#include "aboutbox.h"
#include "infowindow.h"
#include "mainwindow.h"
#include "playfixture.h"
#include "recordinghelp.h"
#include "recordingprompter.h"
#include "shell/playbrowser.h"
#include "shell/session.h"
#include "store/playstore.h"
#include "splashwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <memory>

// One main window over an empty session.
struct Fixture {
    FakeEnvironment env;
    RecordingPrompter prompter;
    Session session{env, prompter};
    RecordingHelp help;
    FixedClock clock;
    PlayStore store{session, clock};
    PlayBrowser browser{session, store};
    MainWindow window{session, help, browser};

    QAction *item(const char *name) { return window.findChild<QAction *>(QLatin1String(name)); }
    QMenu *menu(const char *name) { return window.findChild<QMenu *>(QLatin1String(name)); }
    QTabWidget *pages() { return window.findChild<QTabWidget *>(QStringLiteral("PageControl1")); }
    void showPage(int page) { pages()->setCurrentIndex(page); }
    void open(const char *menuName) { Q_EMIT menu(menuName)->aboutToShow(); }
};

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowFrame();
    void menusPerPage_data();
    void menusPerPage();
    void playListPopupOnlyOnOverview();
    void everyEnabledItemDoesSomething_data();
    void everyEnabledItemDoesSomething();
    void everyItemHasItsCaption_data();
    void everyItemHasItsCaption();
    void sendPlayNeedsMail_data();
    void sendPlayNeedsMail();
    void fileMenuSwapsPlayAndListItems();
    void exportHtmlNeedsPlayInfoDatabase();
    void editMenuFollowsUndoHistorySetting();
    void pluginItemNeedsAPlugin();
    void helpFollowsThePage_data();
    void helpFollowsThePage();
    void closingRunsTheCloseHook();
    void ctrlIMeansItalicWhileEditingText();
    void modifiersAreForgottenAtAnyRelease();
    void preferencesRereadRuntimeSettings();
    void infoWindowClosesItself();
    void splashAndAboutBox();
};

void TestMainWindow::windowFrame()
{
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Quorvane"));
    QCOMPARE(f.window.centralWidget()->size(), QSize(630, 426));
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QVERIFY(!f.window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(f.window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    QTabWidget *pages = f.pages();
    QVERIFY(pages);
    const QStringList captions{"Overview", "Edit Drawing", "Edit Text", "Play List"};
    const QStringList names{"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet6"};
    QCOMPARE(pages->count(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(pages->tabText(i), captions[i]);
        QCOMPARE(pages->widget(i)->objectName(), names[i]);
    }
    QCOMPARE(pages->currentIndex(), 0);
    // The selectors are shared by all pages, so they sit outside the page control.
    for (const char *shared : {"ComboBox1", "ComboBox2", "Edit3", "UpDown1"}) {
        QWidget *w = f.window.findChild<QWidget *>(QLatin1String(shared));
        QVERIFY2(w && !pages->isAncestorOf(w), shared);
    }
}

// The menu table: S shown, H hidden, D shown but disabled, E hidden but
// enabled (its shortcut still works). Items whose command is not built yet
// (New, the colour dialogs, Clear Play List) are shown disabled.
void TestMainWindow::menusPerPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QChar>("look");

    const struct {
        const char *item;
        const char *looks; // Overview, Edit Drawing, Edit Text, Play List
    } table[] = {
        {"New1", "DDDD"},         {"Edit1", "SSSH"},          {"Paste1", "HHSH"},
        {"Cut1", "HHSH"},         {"Copy1", "SHSH"},          {"CopyImage1", "SSEH"},
        {"CopyImage21", "EEEH"},  {"Undo1", "HDSH"},          {"Redo1", "HDHH"},
        {"UndoHistory1", "HDHH"}, {"SelectAll1", "HSSH"},     {"Font1", "HHSH"},
        {"ChangeSymbols1", "HDHH"}, {"CourtColor1", "HDHH"},  {"DefaultColors1", "DDDH"},
        {"Clear1", "HHHD"},       {"Contents1", "SSSS"},
    };
    const char *pageNames[] = {"Overview", "Edit Drawing", "Edit Text", "Play List"};
    for (int page = 0; page < 4; ++page) {
        for (const auto &row : table)
            QTest::addRow("%s: %s", pageNames[page], row.item)
                << page << QString::fromLatin1(row.item) << QChar::fromLatin1(row.looks[page]);
    }
}

void TestMainWindow::menusPerPage()
{
    QFETCH(int, page);
    QFETCH(QString, item);
    QFETCH(QChar, look);

    Fixture f;
    // Arrive from every other page, so that no page leaves a state behind
    // that the next one forgets to set.
    for (int from = 1; from <= 3; ++from) {
        f.showPage((page + from) % 4);
        f.showPage(page);
        QAction *action = f.window.findChild<QAction *>(item);
        QVERIFY(action);
        QCOMPARE(action->isVisible(), look == u'S' || look == u'D');
        if (action->isVisible())
            QCOMPARE(action->isEnabled(), look == u'S');
        // Qt disables a hidden action's own shortcut; a stand-in keeps it.
        if (auto *standIn = f.window.findChild<QShortcut *>(item + QStringLiteral("Shortcut")))
            QCOMPARE(standIn->isEnabled(), look == u'E');
        else
            QVERIFY(look != u'E');
    }
}

void TestMainWindow::playListPopupOnlyOnOverview()
{
    Fixture f;
    const QList<Qt::ContextMenuPolicy> expected{Qt::ActionsContextMenu, Qt::NoContextMenu,
                                                Qt::NoContextMenu, Qt::NoContextMenu};
    for (int page : {1, 2, 3, 0}) {
        f.showPage(page);
        QCOMPARE(f.pages()->contextMenuPolicy(), expected[page]);
    }
    QStringList popup;
    for (QAction *a : f.pages()->actions())
        popup << a->text();
    QCOMPARE(popup, (QStringList{"Add Play to Play &List", "Add Category to Play List"}));
}

namespace {

// QObject::receivers is protected; a test may look.
struct SignalPeek : QObject {
    static int receivers(const QObject *object, const char *signal)
    {
        return static_cast<const SignalPeek *>(object)->QObject::receivers(signal);
    }
};

// Every item of a menu and of its sub-menus.
QList<QAction *> itemsOf(const QList<QAction *> &actions)
{
    QList<QAction *> items;
    for (QAction *action : actions) {
        items.append(action);
        if (action->menu())
            items += itemsOf(action->menu()->actions());
    }
    return items;
}

} // namespace

// Whatever page is shown and whichever menu was opened, an item that can be
// chosen (or its shortcut pressed) has a command behind it.
void TestMainWindow::everyEnabledItemDoesSomething_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("Overview") << 0;
    QTest::newRow("Edit Drawing") << 1;
    QTest::newRow("Edit Text") << 2;
    QTest::newRow("Play List") << 3;
}

void TestMainWindow::everyEnabledItemDoesSomething()
{
    QFETCH(int, page);

    QTemporaryDir program;
    Fixture f;
    // Everything a menu can offer: mail, a court plug-in, the html export.
    f.session.folders.program = program.path() + u'/';
    QVERIFY(QDir(program.path()).mkdir(QStringLiteral("Home1")));
    for (const char *name : {"Home1.plg", "playinfo.db"}) {
        QFile file(program.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    f.window.setMailClientAvailable(true);
    f.showPage((page + 1) % 4);
    f.showPage(page);
    for (const char *menu : {"File1", "Edit1", "Experiment1"})
        f.open(menu);

    QList<QAction *> items = itemsOf(f.window.menuBar()->actions());
    items += f.pages()->actions();
    QStringList idle;
    for (const QAction *item : std::as_const(items)) {
        if (item->isEnabled() && !item->isSeparator() && !item->menu()
            && SignalPeek::receivers(item, SIGNAL(triggered(bool))) == 0)
            idle << item->objectName();
    }
    QCOMPARE(idle, QStringList());
    QVERIFY(f.item("DeletePlay1")->isEnabled() == (page != 3));
}

void TestMainWindow::everyItemHasItsCaption_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");

    const auto row = [](int page, const char *item, const char *caption, QKeySequence key = {}) {
        QTest::addRow("%d %s", page, item) << page << QString::fromLatin1(item)
                                           << QString::fromLatin1(caption) << key;
    };
    const auto ctrl = [](int key) { return QKeySequence(Qt::CTRL | key); };
    row(0, "File1", "&File");
    row(0, "New1", "&New Play...");
    row(3, "New1", "&New List...");
    row(0, "Open1", "&Open...", ctrl(Qt::Key_O));
    row(0, "Save1", "&Save...", ctrl(Qt::Key_S));
    row(0, "Export1", "&Export");
    row(0, "ExportImage1", "&Image...");
    row(0, "ExportImage2001", "I&mage 200%...");
    row(0, "ExportPlay1", "&Play...");
    row(0, "ExportCategory1", "&Category ...");
    row(0, "ExportList1", "&Export ...");
    row(0, "PlayInfo1", "Play &Info...");
    row(0, "CopyPlay1", "&Copy Play...");
    row(0, "DeletePlay1", "&Delete Play");
    row(0, "RenamePlay1", "&Rename Play...");
    row(0, "Print1", "&Print...", ctrl(Qt::Key_P));
    row(0, "Sendplay1", "Sen&d Play ...");
    row(0, "Backup1", "&Backup");
    row(0, "BackupPlaybook1", "&Playbook ...");
    row(0, "BackupCategory1", "&Category ...");
    row(0, "ExportHtml1", "E&xport html");
    row(0, "Exit1", "E&xit");
    row(0, "Edit1", "&Edit");
    row(0, "Undo1", "&Undo", ctrl(Qt::Key_Z));
    row(0, "Redo1", "&Redo", ctrl(Qt::Key_Y));
    row(0, "UndoHistory1", "Undo &History", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
    row(0, "Cut1", "Cu&t", ctrl(Qt::Key_X));
    row(0, "CopyImage1", "Copy &Image", ctrl(Qt::Key_I));
    row(0, "CopyImage21", "Copy Image 2", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    row(0, "Copy1", "&Copy All Text", ctrl(Qt::Key_C));
    row(2, "Copy1", "&Copy Selected Text", ctrl(Qt::Key_C));
    row(0, "Paste1", "&Paste", ctrl(Qt::Key_V));
    row(0, "SelectAll1", "Select &All", ctrl(Qt::Key_A));
    row(0, "Options1", "&Options");
    row(0, "Font1", "&Font...");
    row(0, "ChangeSymbols1", "Change Symbols...");
    row(0, "CourtColor1", "Court Color...");
    row(0, "Preferences1", "&Preferences...");
    row(0, "DefaultColors1", "Default &Colors...");
    row(0, "List1", "&List");
    row(0, "Add1", "Add Play to Play &List", ctrl(Qt::Key_L));
    row(0, "AddCategorytoPlayList1", "Add Category to Play List");
    row(0, "Clear1", "&Clear Play List");
    row(0, "Experiment1", "&Special");
    row(0, "Animation1", "&Animation", ctrl(Qt::Key_N));
    row(0, "Plugin1", "&Plugin...");
    row(0, "Help1", "&Help");
    row(0, "HelpTopics1", "&Help Topics");
    row(0, "Contents1", "Overview Help", QKeySequence(Qt::Key_F1));
    row(1, "Contents1", "Edit Drawing Help", QKeySequence(Qt::Key_F1));
    row(2, "Contents1", "Edit Text Help", QKeySequence(Qt::Key_F1));
    row(3, "Contents1", "Play List Help", QKeySequence(Qt::Key_F1));
    row(0, "About1", "&About...");
}

void TestMainWindow::everyItemHasItsCaption()
{
    QFETCH(int, page);
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);

    Fixture f;
    f.showPage((page + 1) % 4);
    f.showPage(page);
    QAction *action = f.window.findChild<QAction *>(item);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
}

void TestMainWindow::sendPlayNeedsMail_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("smtpServer");
    QTest::addColumn<bool>("mailClient");
    QTest::addColumn<bool>("shown");

    QTest::newRow("no mail at all") << 0 << QString() << false << false;
    QTest::newRow("smtp server") << 0 << QStringLiteral("mail.club.org") << false << true;
    QTest::newRow("mail client") << 2 << QString() << true << true;
    QTest::newRow("both") << 1 << QStringLiteral("mail.club.org") << true << true;
    QTest::newRow("play list page") << 3 << QStringLiteral("mail.club.org") << true << false;
}

void TestMainWindow::sendPlayNeedsMail()
{
    QFETCH(int, page);
    QFETCH(QString, smtpServer);
    QFETCH(bool, mailClient);
    QFETCH(bool, shown);

    Fixture f;
    f.session.data.setparam(QStringLiteral("Yoursmt"), smtpServer, !smtpServer.isEmpty(), 0);
    f.window.setMailClientAvailable(mailClient);
    f.showPage(page);
    // Open twice: the second opening must not keep what the first one set.
    f.open("File1");
    f.open("File1");
    QCOMPARE(f.item("Sendplay1")->isVisible(), shown);
    QCOMPARE(f.item("SendSeparator")->isVisible(), shown);
    QVERIFY(f.item("SendSeparator")->isSeparator());
}

void TestMainWindow::fileMenuSwapsPlayAndListItems()
{
    Fixture f;
    const char *playItems[] = {"Export1", "PlayInfo1", "CopyPlay1", "DeletePlay1",
                               "RenamePlay1", "Print1", "Backup1"};
    const char *listItems[] = {"ExportList1", "PrintList1"};
    for (int page : {3, 0, 3, 1, 2}) {
        f.showPage(page);
        f.open("File1");
        const bool listPage = page == 3;
        for (const char *item : playItems)
            QVERIFY2(f.item(item)->isVisible() == !listPage, item);
        for (const char *item : listItems)
            QVERIFY2(f.item(item)->isVisible() == listPage, item);
        for (const char *item : {"New1", "Open1", "Save1", "Exit1"})
            QVERIFY2(f.item(item)->isVisible(), item);
    }
}

void TestMainWindow::exportHtmlNeedsPlayInfoDatabase()
{
    QTemporaryDir program;
    Fixture f;
    f.session.folders.program = program.path() + u'/';
    QVERIFY(!f.item("ExportHtml1")->isVisible());
    f.open("File1");
    QVERIFY(!f.item("ExportHtml1")->isVisible());

    QFile database(program.filePath(QStringLiteral("playinfo.db")));
    QVERIFY(database.open(QIODevice::WriteOnly));
    database.close();
    f.open("File1");
    QVERIFY(f.item("ExportHtml1")->isVisible());
    // Shown, but greyed until the html export is built.
    QVERIFY(!f.item("ExportHtml1")->isEnabled());
}

void TestMainWindow::editMenuFollowsUndoHistorySetting()
{
    Fixture f;
    f.showPage(1);
    f.session.runtime.showHistory = true;
    f.open("Edit1");
    QVERIFY(f.item("Undo1")->isVisible());
    QVERIFY(f.item("Redo1")->isVisible());
    QVERIFY(f.item("UndoHistory1")->isVisible());
    QVERIFY(!f.item("Undo1")->isEnabled());

    f.session.runtime.showHistory = false;
    f.open("Edit1");
    QVERIFY(f.item("Undo1")->isVisible());
    QVERIFY(!f.item("Redo1")->isVisible());
    QVERIFY(!f.item("UndoHistory1")->isVisible());

    // On the Edit Text page the text undo stays as the page set it.
    f.showPage(2);
    f.session.runtime.showHistory = true;
    f.open("Edit1");
    QVERIFY(f.item("Undo1")->isVisible() && f.item("Undo1")->isEnabled());
    QVERIFY(!f.item("Redo1")->isVisible());
}

void TestMainWindow::pluginItemNeedsAPlugin()
{
    QTemporaryDir program;
    Fixture f;
    f.session.folders.program = program.path() + u'/';
    f.open("Experiment1");
    QVERIFY(!f.item("Plugin1")->isVisible());
    QVERIFY(!f.item("PluginSeparator")->isVisible());

    QVERIFY(QDir(program.path()).mkdir(QStringLiteral("Home1")));
    QFile description(program.filePath(QStringLiteral("Home1.plg")));
    QVERIFY(description.open(QIODevice::WriteOnly));
    description.close();
    f.open("Experiment1");
    QVERIFY(f.item("Plugin1")->isVisible());
    QVERIFY(f.item("PluginSeparator")->isVisible());
}

void TestMainWindow::helpFollowsThePage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("topic");
    QTest::newRow("Overview") << 0 << QStringLiteral("overview");
    QTest::newRow("Edit Drawing") << 1 << QStringLiteral("edit");
    QTest::newRow("Edit Text") << 2 << QStringLiteral("text");
    QTest::newRow("Play List") << 3 << QStringLiteral("playlist");
}

void TestMainWindow::helpFollowsThePage()
{
    QFETCH(int, page);
    QFETCH(QString, topic);

    Fixture f;
    f.showPage((page + 2) % 4);
    f.showPage(page);
    f.item("Contents1")->trigger();
    f.item("HelpTopics1")->trigger();
    QCOMPARE(f.help.topics, (QStringList{topic, QStringLiteral("contents")}));
}

void TestMainWindow::closingRunsTheCloseHook()
{
    Fixture f;
    int stored = 0;
    QObject::connect(&f.window, &MainWindow::closing, [&] { ++stored; });
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.item("Exit1")->trigger();
    QCOMPARE(stored, 1);
    QVERIFY(!f.window.isVisible());

    // Without a hook closing still works.
    Fixture g;
    g.window.show();
    QVERIFY(g.window.close());
}

void TestMainWindow::ctrlIMeansItalicWhileEditingText()
{
    Fixture f;
    f.window.show();
    QApplication::setActiveWindow(&f.window);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    auto *editor = f.window.findChild<QTextEdit *>(QStringLiteral("RichEdit2"));
    QAction *italic = f.item("ItalicButton1");

    // Elsewhere Ctrl+I is the image copy and leaves the text alone.
    QTest::keyClick(&f.window, Qt::Key_I, Qt::ControlModifier);
    QVERIFY(!editor->fontItalic());

    f.showPage(2);
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_I, Qt::ControlModifier);
    QVERIFY(editor->fontItalic());
    QVERIFY(italic->isChecked());
    QVERIFY(f.session.PlayModified);

    QTest::keyClick(editor, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!editor->fontItalic());
    QVERIFY(!italic->isChecked());
}

void TestMainWindow::modifiersAreForgottenAtAnyRelease()
{
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QWidget *selector = f.window.findChild<QWidget *>(QStringLiteral("ComboBox1"));

    QTest::keyPress(selector, Qt::Key_Shift);
    QVERIFY(f.window.shiftHeld());
    QVERIFY(!f.window.ctrlHeld());
    QTest::keyPress(selector, Qt::Key_Control, Qt::ShiftModifier);
    QVERIFY(f.window.shiftHeld() && f.window.ctrlHeld());
    QTest::keyRelease(selector, Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
    QVERIFY(!f.window.shiftHeld());
    QVERIFY(!f.window.ctrlHeld());
}

void TestMainWindow::preferencesRereadRuntimeSettings()
{
    Fixture f;
    f.session.data.setparam(QStringLiteral("Zfactor"), QString(), false, 120);
    f.session.data.setparam(QStringLiteral("Showall"), QString(), true, 0);
    f.session.data.setparam(QStringLiteral("Showhis"), QString(), false, 0);
    f.session.tables.undo.append(UndoRow{});

    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Preferences"));
            dialog->reject();
        }
    });
    f.item("Preferences1")->trigger();

    QCOMPARE(f.session.runtime.zoomFactor, 120);
    QVERIFY(f.session.runtime.showAll);
    QVERIFY(f.session.tables.undo.isEmpty());
}

void TestMainWindow::infoWindowClosesItself()
{
    QElapsedTimer clock;
    clock.start();
    InfoWindow::show(nullptr, QStringLiteral("Play: Press"), QStringLiteral("Added to play list"));
    QVERIFY(clock.elapsed() >= 1100);
    QVERIFY(clock.elapsed() < 5000);
}

void TestMainWindow::splashAndAboutBox()
{
    SplashWindow splash;
    QCOMPARE(splash.size(), QSize(450, 300));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QImage picture = splash.grab().toImage();
    // The pool is drawn in the court's water colour.
    QCOMPARE(picture.pixelColor(60, 200), QColor(24, 173, 247));

    AboutBox about;
    QStringList texts;
    for (QLabel *label : about.findChildren<QLabel *>())
        texts << label->text();
    QCOMPARE(texts, (QStringList{"Quorvane", "Version 009 ", "Quorvane developers"}));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
