#include "fakeenvironment.h"
#include "preferencesdialog.h"
#include "recordinghelp.h"
#include "recordingprompter.h"
#include "shell/session.h"
#include "store/logofile.h"
#include "store/preferencesmodel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using Edit = std::function<void(PreferencesModel &)>;
Q_DECLARE_METATYPE(Edit)

namespace {

// Settings as the first start leaves them, for the keys this window uses.
void defaultSettings(DataModule &data)
{
    data.setparam("Fname1", "Arial", false, 0);
    data.setparam("Fsize", {}, false, 10);
    for (const char *key : {"Fbold", "Fitalic", "Funder", "Fstrike", "Fcolor", "Showall",
                            "Automove", "Keepdown", "Oldprint", "Antiexp2", "Antiexp3"})
        data.setparam(QLatin1String(key), {}, false, 0);
    data.setparam("Htmlpng", {}, true, 0);
    data.setparam("Antiexp", {}, true, 0);
    data.setparam("Showhis", {}, true, 0);
    data.setparam("Zfactor", {}, false, 100);
}

ParamValue param(const DataModule &data, const char *key)
{
    return data.getparam(QLatin1String(key));
}

bool writePicture(const QString &path, QSize size = {400, 100})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 40));
    return image.save(path);
}

// A session with its own program and data folders.
struct Fixture {
    QTemporaryDir root;
    FakeEnvironment env;
    RecordingPrompter prompter;
    Session session{env, prompter};
    RecordingHelp help;

    Fixture()
    {
        QDir(root.path()).mkpath(QStringLiteral("program"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        session.folders.program = root.filePath(QStringLiteral("program")) + u'/';
        session.folders.data = root.filePath(QStringLiteral("data")) + u'/';
        session.userKey = QStringLiteral("COACH");
        session.computerKey = QStringLiteral("POOLPC");
        defaultSettings(session.data);
    }

    PreferencesModel model()
    {
        return PreferencesModel(session.data, session.folders.program, session.folders.data);
    }
    QString data(const QString &name) const { return session.folders.data + name; }
    QString program(const QString &name) const { return session.folders.program + name; }
};

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void storageRules_data();
    void storageRules();
    void storesOnlyThePageGiven();
    void loadsWhatTheSettingsHold();
    void differsTracksEachPage();
    void zoomValue_data();
    void zoomValue();
    void fontNames();
    void sizeIndex_data();
    void sizeIndex();

    void logoFileRule();
    void browsedLogoIsCopiedTwice();
    void cancelledVisitLeavesNoCopies();
    void storingANewLogoRemovesThePreviousCopies();
    void foreignFilesAreNeverRemoved();
    void databasePath();

    void applyFollowsThePageShown();
    void okStoresAndCancelDoesNot();
    void helpTopicPerPage();
    void ctrlClickRevealsDatabasePath();
    void choosingTheDatabasePath_data();
    void choosingTheDatabasePath();
    void zoomFieldFallsBackTo100();
};

// --- the model ------------------------------------------------------------------

void TestPreferences::storageRules_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<int>("number");

    const int font = PreferencesModel::DefaultFont, exp = PreferencesModel::Export,
              misc = PreferencesModel::Miscellaneous;
    QTest::newRow("check box ticked")
        << misc << Edit([](auto &m) { m.misc.showAll = true; }) << "Showall" << "" << true << 0;
    QTest::newRow("check box cleared")
        << misc << Edit([](auto &m) { m.misc.showHistory = false; }) << "Showhis" << "" << false << 0;
    QTest::newRow("zoom kept switched off")
        << misc << Edit([](auto &m) { m.misc.zoom = 120; }) << "Zfactor" << "" << false << 120;
    QTest::newRow("zoom above the limit")
        << misc << Edit([](auto &m) { m.misc.zoom = 400; }) << "Zfactor" << "" << false << 150;
    QTest::newRow("zoom below the limit")
        << misc << Edit([](auto &m) { m.misc.zoom = 10; }) << "Zfactor" << "" << false << 50;
    QTest::newRow("anti-alias on, 100 %")
        << exp << Edit([](auto &m) { m.exports.antiAlias = true; }) << "Antiexp2" << "" << true << 8;
    QTest::newRow("anti-alias on, 200 %")
        << exp << Edit([](auto &m) { m.exports.antiAlias = true; }) << "Antiexp3" << "" << true << 8;
    QTest::newRow("anti-alias off") << exp << Edit([](auto &m) {
        m.exports.antiAlias = true;
        m.store(PreferencesModel::Export);
        m.exports.antiAlias = false;
    }) << "Antiexp3" << "" << false << 0;
    QTest::newRow("jpg") << exp << Edit([](auto &m) { m.exports.png = false; }) << "Htmlpng" << ""
                         << false << 0;
    QTest::newRow("old print") << exp << Edit([](auto &m) { m.exports.oldPrint = true; })
                               << "Oldprint" << "" << true << 0;
    QTest::newRow("font name") << font << Edit([](auto &m) { m.font.name = "Liberation Serif"; })
                               << "Fname1" << "Liberation Serif" << false << 0;
    QTest::newRow("font size") << font << Edit([](auto &m) { m.font.size = 14; }) << "Fsize" << ""
                               << false << 14;
    QTest::newRow("bold") << font << Edit([](auto &m) { m.font.bold = true; }) << "Fbold" << ""
                          << true << 0;
    QTest::newRow("strike") << font << Edit([](auto &m) { m.font.strike = true; }) << "Fstrike"
                            << "" << true << 0;
    QTest::newRow("colour") << font << Edit([](auto &m) { m.font.color = 0x0000ff; }) << "Fcolor"
                            << "" << false << 0x0000ff;
}

void TestPreferences::storageRules()
{
    QFETCH(int, page);
    QFETCH(Edit, edit);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(bool, filled);
    QFETCH(int, number);

    Fixture f;
    // A number left over in a switch setting must not survive the store.
    f.session.data.setparam(key, QStringLiteral("old"), !filled, 77);
    PreferencesModel model = f.model();
    edit(model);
    model.store(PreferencesModel::Page(page));
    const ParamValue stored = f.session.data.getparam(key);
    QCOMPARE(stored.text, text);
    QCOMPARE(stored.filled, filled);
    QCOMPARE(stored.number, number);
}

void TestPreferences::storesOnlyThePageGiven()
{
    Fixture f;
    PreferencesModel model = f.model();
    model.font.name = QStringLiteral("Courier");
    model.exports.png = false;
    model.misc.keepDown = true;
    model.store(PreferencesModel::Miscellaneous);
    QVERIFY(param(f.session.data, "Keepdown").filled);
    QCOMPARE(param(f.session.data, "Fname1").text, QStringLiteral("Arial"));
    QVERIFY(param(f.session.data, "Htmlpng").filled);
    model.store(PreferencesModel::MailIdentity);
    QCOMPARE(param(f.session.data, "Fname1").text, QStringLiteral("Arial"));
}

void TestPreferences::loadsWhatTheSettingsHold()
{
    Fixture f;
    f.session.data.setparam("Antiexp2", {}, false, 4); // a number, whatever the switch
    f.session.data.setparam("Zfactor", {}, false, 300);
    f.session.data.setparam("Fitalic", {}, true, 0);
    f.session.data.setparam("Fcolor", {}, false, 0x123456);
    const PreferencesModel model = f.model();
    QVERIFY(model.exports.antiAlias);
    QCOMPARE(model.misc.zoom, 150);
    QVERIFY(model.font.italic);
    QCOMPARE(model.font.color, 0x123456);
    QCOMPARE(model.font.name, QStringLiteral("Arial"));
    QVERIFY(model.misc.showHistory);
}

void TestPreferences::differsTracksEachPage()
{
    Fixture f;
    PreferencesModel model = f.model();
    for (int page = 0; page < 4; ++page)
        QVERIFY(!model.differs(PreferencesModel::Page(page)));

    model.font.underline = true;
    QVERIFY(model.differs(PreferencesModel::DefaultFont));
    QVERIFY(!model.differs(PreferencesModel::Miscellaneous));
    model.font.underline = false;
    QVERIFY(!model.differs(PreferencesModel::DefaultFont));

    model.misc.zoom = 90;
    QVERIFY(model.differs(PreferencesModel::Miscellaneous));
    model.store(PreferencesModel::Miscellaneous);
    QVERIFY(!model.differs(PreferencesModel::Miscellaneous));
}

void TestPreferences::zoomValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << "" << 100;
    QTest::newRow("not a number") << "abc" << 100;
    QTest::newRow("in range") << "75" << 75;
    QTest::newRow("lowest") << "50" << 50;
    QTest::newRow("too small") << "20" << 50;
    QTest::newRow("highest") << "150" << 150;
    QTest::newRow("too large") << "999" << 150;
}

void TestPreferences::zoomValue()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(PreferencesModel::zoomValue(text), value);
}

void TestPreferences::fontNames()
{
    const QStringList families{"Arial", "Arial Bold", "Liberation Sans Bold", "Bold", "Tahoma"};
    QCOMPARE(PreferencesModel::fontNames(families),
             (QStringList{"Arial", "Liberation Sans Bold", "Bold", "Tahoma"}));
}

void TestPreferences::sizeIndex_data()
{
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("index");
    const QList<int> sizes{8, 9, 10, 12, 14};
    QTest::newRow("equal") << sizes << 10 << 2;
    QTest::newRow("next above") << sizes << 11 << 3;
    QTest::newRow("below all") << sizes << 4 << 0;
    QTest::newRow("above all") << sizes << 30 << 4;
    QTest::newRow("no sizes") << QList<int>{} << 10 << -1;
}

void TestPreferences::sizeIndex()
{
    QFETCH(QList<int>, sizes);
    QFETCH(int, size);
    QFETCH(int, index);
    QCOMPARE(PreferencesModel::sizeIndex(sizes, size), index);
}

// --- logo -----------------------------------------------------------------------

void TestPreferences::logoFileRule()
{
    Fixture f;
    QTemporaryDir working;
    const QString oldWorking = QDir::currentPath();
    QDir::setCurrent(working.path());
    const auto restore = qScopeGuard([&] { QDir::setCurrent(oldWorking); });
    DataModule &data = f.session.data;
    const QString program = f.session.folders.program;

    QCOMPARE(chosenLogoFile(data, program), QString());

    QVERIFY(writePicture(working.filePath("logo.bmp")));
    QCOMPARE(QFileInfo(chosenLogoFile(data, program)).canonicalFilePath(),
             QFileInfo(working.filePath("logo.bmp")).canonicalFilePath());

    QVERIFY(writePicture(f.program("logo.bmp")));
    QCOMPARE(chosenLogoFile(data, program), f.program("logo.bmp"));

    data.setparam("Logopath", f.data("gone.bmp"), true, 0);
    QCOMPARE(chosenLogoFile(data, program), f.program("logo.bmp"));
    QVERIFY(writePicture(f.data("club.bmp")));
    data.setparam("Logopath", f.data("club.bmp"), true, 0);
    QCOMPARE(chosenLogoFile(data, program), f.data("club.bmp"));

    // An active court plug-in with a logo of its own wins.
    QVERIFY(QDir(program).mkpath("Home3"));
    data.setparam("Plugin", "Home", true, 3);
    QCOMPARE(findLogoFile(data, program), f.data("club.bmp"));
    QVERIFY(writePicture(f.program("Home3/logo.bmp")));
    QCOMPARE(findLogoFile(data, program), f.program("Home3/logo.bmp"));
    QCOMPARE(f.model().shownLogo(), f.program("Home3/logo.bmp"));
    data.setparam("Plugin", "Home", false, 3);
    QCOMPARE(findLogoFile(data, program), f.data("club.bmp"));
}

void TestPreferences::browsedLogoIsCopiedTwice()
{
    Fixture f;
    QTemporaryDir pictures;
    const QString picture = pictures.filePath("Club Badge.PNG");
    QVERIFY(writePicture(picture));

    PreferencesModel model = f.model();
    QVERIFY(model.chooseLogoPicture(picture));
    QCOMPARE(model.exports.logo, f.data("club badge.bmp"));
    QVERIFY(model.differs(PreferencesModel::Export));
    QCOMPARE(param(f.session.data, "Openlogo").text, pictures.path() + u'/');

    const QImage copy(f.data("club badge.bmp"));
    QCOMPARE(copy.size(), QSize(260, 180));
    const QImage reduced(f.data("club badge256.bmp"));
    QCOMPARE(reduced.size(), QSize(260, 180));
    QCOMPARE(reduced.depth(), 8);

    QCOMPARE(PreferencesModel::logoCaption(model.exports.logo), QStringLiteral("Club badge"));
    QCOMPARE(PreferencesModel::logoPreview(model.exports.logo).size(), QSize(130, 90));
    QCOMPARE(PreferencesModel::logoCaption(QString()), QStringLiteral("No logo"));

    // A file that is no picture changes nothing.
    QFile junk(pictures.filePath("junk.png"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    QVERIFY(!model.chooseLogoPicture(junk.fileName()));
    QCOMPARE(model.exports.logo, f.data("club badge.bmp"));
    QVERIFY(!QFile::exists(f.data("junk.bmp")));
}

void TestPreferences::cancelledVisitLeavesNoCopies()
{
    Fixture f;
    QTemporaryDir pictures;
    QVERIFY(writePicture(pictures.filePath("a.png")));
    QVERIFY(writePicture(pictures.filePath("b.png")));
    QVERIFY(writePicture(f.program("logo.bmp")));

    PreferencesModel model = f.model();
    QVERIFY(model.chooseLogoPicture(pictures.filePath("a.png")));
    QVERIFY(model.chooseLogoPicture(pictures.filePath("b.png")));
    model.exports.logo = model.defaultLogo();
    model.discardUnstoredCopies();
    QCOMPARE(QDir(f.session.folders.data).entryList(QDir::Files), QStringList());
    QVERIFY(QFile::exists(f.program("logo.bmp")));
}

void TestPreferences::storingANewLogoRemovesThePreviousCopies()
{
    Fixture f;
    QTemporaryDir pictures;
    QVERIFY(writePicture(pictures.filePath("a.png")));
    QVERIFY(writePicture(pictures.filePath("b.png")));

    {
        PreferencesModel first = f.model();
        QVERIFY(first.chooseLogoPicture(pictures.filePath("a.png")));
        first.store(PreferencesModel::Export);
        first.discardUnstoredCopies();
    }
    QCOMPARE(param(f.session.data, "Logopath").text, f.data("a.bmp"));
    QVERIFY(QFile::exists(f.data("a.bmp")) && QFile::exists(f.data("a256.bmp")));

    PreferencesModel second = f.model();
    QCOMPARE(second.exports.logo, f.data("a.bmp"));
    QVERIFY(second.chooseLogoPicture(pictures.filePath("b.png")));
    second.store(PreferencesModel::Export);
    second.discardUnstoredCopies();
    QCOMPARE(param(f.session.data, "Logopath").text, f.data("b.bmp"));
    QCOMPARE(QDir(f.session.folders.data).entryList(QDir::Files),
             (QStringList{"b.bmp", "b256.bmp"}));
}

void TestPreferences::foreignFilesAreNeverRemoved()
{
    Fixture f;
    QTemporaryDir elsewhere;
    const QString foreign = elsewhere.filePath("mine.bmp");
    QVERIFY(writePicture(foreign));
    QVERIFY(writePicture(elsewhere.filePath("mine256.bmp")));
    QVERIFY(writePicture(f.program("logo.bmp")));
    f.session.data.setparam("Logopath", foreign, true, 0);

    PreferencesModel model = f.model();
    QCOMPARE(model.exports.logo, foreign);
    model.exports.logo = model.defaultLogo();
    model.store(PreferencesModel::Export);
    QVERIFY(QFile::exists(foreign));
    QVERIFY(QFile::exists(elsewhere.filePath("mine256.bmp")));

    // Nor is the default logo, whatever is stored after it.
    PreferencesModel again = f.model();
    QVERIFY(again.chooseLogoPicture(foreign));
    again.store(PreferencesModel::Export);
    QVERIFY(QFile::exists(f.program("logo.bmp")));
}

void TestPreferences::databasePath()
{
    Fixture f;
    PreferencesModel model = f.model();
    const QString folder = f.root.filePath("new data");
    QVERIFY(model.storeDatabasePath(folder, f.session.userKey, f.session.computerKey));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(f.session.data.getcontroltext("DatabasePath", "COACH", "POOLPC"), folder + u'/');
    QCOMPARE(f.session.data.getcontrolvalue("DatabasePath", "COACH", "POOLPC"), 0);

    // A folder that cannot be made is not stored.
    QFile blocker(f.root.filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!model.storeDatabasePath(blocker.fileName() + "/sub", "COACH", "POOLPC"));
    QCOMPARE(f.session.data.getcontroltext("DatabasePath", "COACH", "POOLPC"), folder + u'/');
}

// --- the window -------------------------------------------------------------------

void TestPreferences::applyFollowsThePageShown()
{
    Fixture f;
    PreferencesDialog dialog(f.session, f.help);
    auto *pages = dialog.findChild<QTabWidget *>("Pages");
    auto *apply = dialog.findChild<QPushButton *>("ApplyButton");
    auto *showAll = dialog.findChild<QCheckBox *>("ShowAll");
    QCOMPARE(pages->count(), 4);
    QCOMPARE(pages->tabText(0), QStringLiteral("Default Font"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Mail Identity"));
    QCOMPARE(pages->tabText(2), QStringLiteral("Export"));
    QCOMPARE(pages->tabText(3), QStringLiteral("Miscellaneous"));
    QVERIFY(!apply->isEnabled());

    pages->setCurrentIndex(PreferencesModel::Miscellaneous);
    QVERIFY(!apply->isEnabled());
    showAll->click();
    QVERIFY(apply->isEnabled());
    showAll->click();
    QVERIFY(!apply->isEnabled());

    showAll->click();
    pages->setCurrentIndex(PreferencesModel::Export);
    QVERIFY(!apply->isEnabled());
    pages->setCurrentIndex(PreferencesModel::Miscellaneous);
    QVERIFY(apply->isEnabled());
    apply->click();
    QVERIFY(!apply->isEnabled());
    QVERIFY(param(f.session.data, "Showall").filled);
}

void TestPreferences::okStoresAndCancelDoesNot()
{
    Fixture f;
    {
        PreferencesDialog dialog(f.session, f.help);
        dialog.findChild<QTabWidget *>("Pages")->setCurrentIndex(PreferencesModel::Export);
        dialog.findChild<QCheckBox *>("OldPrint")->click();
        dialog.findChild<QPushButton *>("CancelButton")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QVERIFY(!param(f.session.data, "Oldprint").filled);
    {
        PreferencesDialog dialog(f.session, f.help);
        dialog.findChild<QTabWidget *>("Pages")->setCurrentIndex(PreferencesModel::Export);
        dialog.findChild<QCheckBox *>("OldPrint")->click();
        dialog.findChild<QPushButton *>("OKButton")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QVERIFY(param(f.session.data, "Oldprint").filled);

    // OK keeps what was changed on a page that is no longer shown.
    {
        PreferencesDialog dialog(f.session, f.help);
        auto *pages = dialog.findChild<QTabWidget *>("Pages");
        pages->setCurrentIndex(PreferencesModel::Export);
        dialog.findChild<QCheckBox *>("OldPrint")->click();
        pages->setCurrentIndex(PreferencesModel::Miscellaneous);
        dialog.findChild<QCheckBox *>("ShowAll")->click();
        dialog.findChild<QPushButton *>("OKButton")->click();
    }
    QVERIFY(!param(f.session.data, "Oldprint").filled);
    QVERIFY(param(f.session.data, "Showall").filled);
}

void TestPreferences::helpTopicPerPage()
{
    Fixture f;
    PreferencesDialog dialog(f.session, f.help);
    auto *pages = dialog.findChild<QTabWidget *>("Pages");
    for (int page = 0; page < 4; ++page) {
        pages->setCurrentIndex(page);
        dialog.findChild<QPushButton *>("HelpButton")->click();
    }
    QCOMPARE(f.help.topics, (QStringList{"Defaultfont", "Mailidentity", "Exportsettings",
                                         "Miscellaneoussettings"}));
}

void TestPreferences::ctrlClickRevealsDatabasePath()
{
    Fixture f;
    PreferencesDialog dialog(f.session, f.help);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *group = dialog.findChild<QGroupBox *>("DatabasePathGroup");
    auto *pages = dialog.findChild<QTabWidget *>("Pages");
    QCOMPARE(group->title(), QStringLiteral("Change database path"));

    pages->setCurrentIndex(PreferencesModel::Miscellaneous);
    QWidget *panel = dialog.findChild<QWidget *>("MiscPanel");
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(5, panel->height() - 5));
    QVERIFY(!group->isVisible());
    QTest::mouseClick(panel, Qt::LeftButton, Qt::ControlModifier, QPoint(5, panel->height() - 5));
    QVERIFY(group->isVisible());
}

// The folder chosen with "..." is shown in the window when it is stored;
// one that cannot be written is named in a message and changes nothing.
void TestPreferences::choosingTheDatabasePath_data()
{
    QTest::addColumn<bool>("writable");
    QTest::newRow("writable folder") << true;
    QTest::newRow("folder that cannot be written") << false;
}

void TestPreferences::choosingTheDatabasePath()
{
    QFETCH(bool, writable);
    Fixture f;
    const QString chosen = f.root.filePath(QStringLiteral("coach plays"));
    QVERIFY(QDir().mkpath(chosen));
    if (!writable) // the settings file of that folder cannot be opened for appending
        QVERIFY(QDir().mkpath(chosen + QStringLiteral("/Zavad uve Davuzi/Quorvane 009/wparam.xml")));

    PreferencesDialog dialog(f.session, f.help);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *folder = dialog.findChild<QLineEdit *>("DatabasePathFolder");
    const QString before = folder->text();
    QCOMPARE(before, QDir::toNativeSeparators(f.session.folders.data));

    bool picked = false;
    QTimer::singleShot(0, [&] {
        auto *picker = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(picker);
        picker->setDirectory(chosen);
        static_cast<QDialog *>(picker)->accept(); // as its Choose button does
        picked = true;
    });
    dialog.findChild<QPushButton *>("DatabasePathButton")->click();
    QVERIFY(picked);

    const QString stored = f.session.data.getcontroltext("DatabasePath", "COACH", "POOLPC");
    if (writable) {
        QCOMPARE(stored, chosen + u'/');
        QCOMPARE(folder->text(), QDir::toNativeSeparators(chosen + u'/'));
        QCOMPARE(f.prompter.messages, QStringList{"Restart the program to make change effective"});
    } else {
        QVERIFY(stored.isEmpty());
        QCOMPARE(folder->text(), before);
        QCOMPARE(f.prompter.kinds, QList<Prompter::Kind>{Prompter::Kind::Warning});
        QCOMPARE(f.prompter.messages,
                 QStringList{QStringLiteral("The folder %1 cannot be written; the database path stays as it was.")
                                 .arg(QDir::toNativeSeparators(chosen))});
    }
}

void TestPreferences::zoomFieldFallsBackTo100()
{
    Fixture f;
    f.session.data.setparam("Zfactor", {}, false, 80);
    PreferencesDialog dialog(f.session, f.help);
    dialog.findChild<QTabWidget *>("Pages")->setCurrentIndex(PreferencesModel::Miscellaneous);
    auto *zoom = dialog.findChild<QLineEdit *>("Zoom");
    QCOMPARE(zoom->text(), QStringLiteral("80"));
    zoom->clear();
    QTest::keyClicks(zoom, "x7");
    QCOMPARE(zoom->text(), QStringLiteral("7")); // only digits get in
    Q_EMIT zoom->editingFinished();
    QCOMPARE(zoom->text(), QStringLiteral("50"));
    zoom->clear();
    Q_EMIT zoom->textEdited(QString());
    Q_EMIT zoom->editingFinished();
    QCOMPARE(zoom->text(), QStringLiteral("100"));
    dialog.findChild<QPushButton *>("ApplyButton")->click();
    QCOMPARE(param(f.session.data, "Zfactor").number, 100);
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
