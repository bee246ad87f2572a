#include "shell/menustate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

MenuItemState find(const QList<MenuItemState> &states, const QString &item)
{
    for (const MenuItemState &s : states) {
        if (s.item == item)
            return s;
    }
    return {QStringLiteral("<missing>"), false, false, {}};
}

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestMenuState : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void editMenuOnTheDrawingPage_data();
    void editMenuOnTheDrawingPage();
    void editMenuElsewhereHidesRedoOnly();
    void fileMenuListCommandsNeedAList();
    void courtPluginNeedsFileAndFolder_data();
    void courtPluginNeedsFileAndFolder();
    void htmlExportNeedsTheDatabaseFile();
};

void TestMenuState::editMenuOnTheDrawingPage_data()
{
    QTest::addColumn<bool>("hasUndo");
    QTest::addColumn<bool>("hasRedo");
    QTest::addColumn<bool>("showHistory");
    QTest::addColumn<bool>("undo");
    QTest::addColumn<bool>("redoShown");
    QTest::addColumn<bool>("redo");
    QTest::addColumn<bool>("history");

    //                               undo?  redo?  Showhis | Undo   Redo shown/enabled  History
    QTest::newRow("history, nothing") << false << false << true << false << true << false << false;
    QTest::newRow("history, undo") << true << false << true << true << true << false << true;
    QTest::newRow("history, redo") << false << true << true << false << true << true << true;
    QTest::newRow("history, both") << true << true << true << true << true << true << true;
    QTest::newRow("toggle, nothing") << false << false << false << false << false << false << false;
    QTest::newRow("toggle, undo") << true << false << false << true << false << false << false;
    // Without the history Undo switches a step that was undone back on.
    QTest::newRow("toggle, redo") << false << true << false << true << false << false << false;
}

void TestMenuState::editMenuOnTheDrawingPage()
{
    QFETCH(bool, hasUndo);
    QFETCH(bool, hasRedo);
    QFETCH(bool, showHistory);
    QFETCH(bool, undo);
    QFETCH(bool, redoShown);
    QFETCH(bool, redo);
    QFETCH(bool, history);

    const auto states = editMenuOnOpening(MainPage::EditDrawing, hasUndo, hasRedo, showHistory);
    const MenuItemState u = find(states, QStringLiteral("Undo1"));
    QVERIFY(u.visible);
    QCOMPARE(u.enabled, undo);
    QCOMPARE(find(states, QStringLiteral("Redo1")).visible, redoShown);
    QCOMPARE(find(states, QStringLiteral("Redo1")).enabled, redo);
    QCOMPARE(find(states, QStringLiteral("UndoHistory1")).visible, redoShown);
    QCOMPARE(find(states, QStringLiteral("UndoHistory1")).enabled, history);
}

void TestMenuState::editMenuElsewhereHidesRedoOnly()
{
    for (MainPage page : {MainPage::Overview, MainPage::EditText, MainPage::PlayList}) {
        const auto states = editMenuOnOpening(page, true, true, true);
        QCOMPARE(find(states, QStringLiteral("Redo1")), (MenuItemState{"Redo1", false, false, {}}));
        QCOMPARE(find(states, QStringLiteral("UndoHistory1")).visible, false);
        // The text undo of the Edit Text page is not the drawing's to change.
        QCOMPARE(find(states, QStringLiteral("Undo1")).item, QStringLiteral("<missing>"));
    }
}

void TestMenuState::fileMenuListCommandsNeedAList()
{
    const auto empty = fileMenuOnOpening(MainPage::PlayList, true, true, false);
    for (const char *item : {"New1", "Save1", "PrintList1", "ExportList1"})
        QVERIFY2(!find(empty, QLatin1String(item)).enabled, item);
    QVERIFY(find(empty, QStringLiteral("Open1")).enabled);

    const auto filled = fileMenuOnOpening(MainPage::PlayList, true, false, false);
    for (const char *item : {"New1", "Save1", "PrintList1", "ExportList1", "Open1"})
        QVERIFY2(find(filled, QLatin1String(item)).enabled, item);

    // The play pages never care about the list.
    const auto play = fileMenuOnOpening(MainPage::Overview, true, true, false);
    QVERIFY(find(play, QStringLiteral("New1")).enabled);
    QVERIFY(find(play, QStringLiteral("Save1")).enabled);
}

void TestMenuState::courtPluginNeedsFileAndFolder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<bool>("available");

    QTest::newRow("file and folder") << QStringList{"Pool3.plg"} << QStringList{"Pool3"} << true;
    QTest::newRow("file only") << QStringList{"Pool3.plg"} << QStringList{} << false;
    QTest::newRow("folder only") << QStringList{} << QStringList{"Pool3"} << false;
    QTest::newRow("other folder") << QStringList{"Pool3.plg"} << QStringList{"Pool4"} << false;
    QTest::newRow("second of two") << QStringList{"Pool3.plg", "Home1.plg"} << QStringList{"Home1"}
                                   << true;
    QTest::newRow("plg folder is no file") << QStringList{} << QStringList{"Pool3.plg", "Pool3"}
                                           << false;
    QTest::newRow("nothing") << QStringList{} << QStringList{} << false;
}

void TestMenuState::courtPluginNeedsFileAndFolder()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(bool, available);

    QTemporaryDir program;
    QDir dir(program.path());
    for (const QString &f : folders)
        QVERIFY(dir.mkdir(f));
    for (const QString &f : files)
        touch(dir.filePath(f));
    QCOMPARE(hasCourtPlugin(program.path() + u'/'), available);
}

void TestMenuState::htmlExportNeedsTheDatabaseFile()
{
    QTemporaryDir program;
    const QString folder = program.path() + u'/';
    QVERIFY(!hasHtmlExportDatabase(folder));
    QVERIFY(QDir(folder).mkdir(QStringLiteral("playinfo.db")));
    QVERIFY(!hasHtmlExportDatabase(folder));
    QVERIFY(QDir(folder).rmdir(QStringLiteral("playinfo.db")));
    touch(folder + QStringLiteral("playinfo.db"));
    QVERIFY(hasHtmlExportDatabase(folder));
    QVERIFY(!hasHtmlExportDatabase(QString()));
}

QTEST_GUILESS_MAIN(TestMenuState)
#include "tst_menustate.moc"
