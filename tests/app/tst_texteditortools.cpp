#include "fontdialog.h"
#include "render/canvas.h"
#include "store/preferencesmodel.h"
#include "texteditortools.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <functional>

namespace {

struct Editors;
using Step = std::function<void(Editors &)>;

const QStringList styleButtons{QStringLiteral("BoldButton1"),     QStringLiteral("ItalicButton1"),
                               QStringLiteral("UnderlineButton1"), QStringLiteral("BulletsButton1"),
                               QStringLiteral("LeftAlignButton1"), QStringLiteral("CenterButton1"),
                               QStringLiteral("RightAlignButton1")};

FontPreferences bodyFont()
{
    FontPreferences font;
    font.name = QStringLiteral("DejaVu Sans");
    font.size = 10;
    return font;
}

// The editor page as the main window lays it out, with a counter for the
// change notifications.
struct Editors {
    QWidget window;
    QToolBar *toolBar = new QToolBar(&window);
    QTextEdit *editor = new QTextEdit(&window);
    QTextEdit *overview = new QTextEdit(&window);
    TextEditorTools tools{editor, overview, toolBar, &window};
    int changes = 0;

    Editors()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(toolBar);
        layout->addWidget(editor);
        layout->addWidget(overview);
        overview->setReadOnly(true);
        QObject::connect(&tools, &TextEditorTools::changed, &window, [this] { ++changes; });
        tools.setInstalledFamilies({QStringLiteral("DejaVu Sans")});
        tools.resetFont(bodyFont());
        window.show();
        editor->setFocus();
    }

    QAction *action(const QString &name) const { return toolBar->findChild<QAction *>(name); }

    QStringList pressed() const
    {
        QStringList names;
        for (const QString &name : styleButtons) {
            if (action(name)->isChecked())
                names.append(name);
        }
        return names;
    }

    void place(int position, int anchor = -1)
    {
        QTextCursor cursor(editor->document());
        cursor.setPosition(anchor < 0 ? position : anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    }

    void type(const QString &text) { QTest::keyClicks(editor, text); }

    // The format of the character at position.
    QTextCharFormat formatAt(int position) const
    {
        QTextCursor cursor(editor->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }

    int length() const { return editor->document()->characterCount() - 1; }
};

// A control word of the stored text, not the start of a longer one ("\b"
// is not "\blue" nor "\b0").
bool hasWord(const QString &rtf, const QString &word)
{
    return rtf.contains(QRegularExpression(QRegularExpression::escape(word) + QStringLiteral("(?![a-z0-9-])")));
}

bool isBold(const QTextCharFormat &format)
{
    return format.fontWeight() >= QFont::DemiBold;
}

// One paragraph with plain, bold and italic underlined runs, then a centred,
// a right-aligned and a bulleted paragraph.
// Positions: "plain " 0-5, "bold" 6-9, "iu" 11-12, "mid" 14-16, "end" 18-20,
// "dot" 22-24.
const QString runsText = QStringLiteral(
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs20 plain \\b bold\\b0  \\i\\ul iu\\i0\\ulnone\\par\r\n"
    "\\pard\\qc mid\\par\r\n"
    "\\pard\\qr end\\par\r\n"
    "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}dot\\par\r\n"
    "}\r\n");

// Plain text of the given length (paragraph ends included), in paragraphs
// of 100 characters, not ending with an empty one.
QString filler(int length)
{
    QString text(length, u'x');
    for (int i = 99; i < length - 1; i += 100)
        text[i] = u'\n';
    return text;
}

} // namespace

Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(FontPreferences)

class TextEditorToolsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buttonsFollowTheCaret_data();
    void buttonsFollowTheCaret();
    void characterStyles_data();
    void characterStyles();
    void bulletsAndAlignment_data();
    void bulletsAndAlignment();
    void resetFontGivesTheDefaultFont_data();
    void resetFontGivesTheDefaultFont();
    void plainTextTakesTheDefaultFont();
    void changeNotifications_data();
    void changeNotifications();
    void numberedSymbols_data();
    void numberedSymbols();
    void sizeLimit_data();
    void sizeLimit();
    void fontDialog_data();
    void fontDialog();
    void takeOverShowsTheTextInTheOverview();
};

void TextEditorToolsTest::buttonsFollowTheCaret_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("pressed");

    const QString left = QStringLiteral("LeftAlignButton1");
    QTest::newRow("bold to plain") << 8 << 3 << QStringList{left};
    QTest::newRow("plain to bold") << 3 << 8 << QStringList{QStringLiteral("BoldButton1"), left};
    QTest::newRow("bold to italic underlined")
        << 8 << 12 << QStringList{QStringLiteral("ItalicButton1"), QStringLiteral("UnderlineButton1"), left};
    QTest::newRow("bold to centred") << 8 << 15 << QStringList{QStringLiteral("CenterButton1")};
    QTest::newRow("centred to right-aligned") << 15 << 19 << QStringList{QStringLiteral("RightAlignButton1")};
    QTest::newRow("right-aligned to bullet") << 19 << 23 << QStringList{QStringLiteral("BulletsButton1"), left};
    QTest::newRow("bullet to bold") << 23 << 8 << QStringList{QStringLiteral("BoldButton1"), left};
}

void TextEditorToolsTest::buttonsFollowTheCaret()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, pressed);

    Editors editors;
    editors.tools.load(runsText);
    editors.place(from);
    for (int i = from; i != to; i += to > from ? 1 : -1)
        QTest::keyClick(editors.editor, to > from ? Qt::Key_Right : Qt::Key_Left);
    QCOMPARE(editors.editor->textCursor().position(), to);
    QCOMPARE(editors.pressed(), pressed);

    // Buttons pressed by hand are set right again.
    for (const QString &name : styleButtons)
        editors.action(name)->setChecked(!pressed.contains(name));
    editors.tools.setStyleButtons();
    QCOMPARE(editors.pressed(), pressed);
}

void TextEditorToolsTest::characterStyles_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<Step>("toggle");
    QTest::addColumn<std::function<bool(const QTextCharFormat &)>>("styled");

    const auto trigger = [](const char *name) {
        return Step([name](Editors &e) { e.action(QLatin1String(name))->trigger(); });
    };
    const auto ctrl = [](Qt::Key key) {
        return Step([key](Editors &e) { QTest::keyClick(e.editor, key, Qt::ControlModifier); });
    };
    const std::function<bool(const QTextCharFormat &)> bold = isBold;
    const std::function<bool(const QTextCharFormat &)> italic = &QTextCharFormat::fontItalic;
    const std::function<bool(const QTextCharFormat &)> underline = &QTextCharFormat::fontUnderline;

    QTest::newRow("Bold button") << "BoldButton1" << trigger("BoldButton1") << bold;
    QTest::newRow("Ctrl+B") << "BoldButton1" << ctrl(Qt::Key_B) << bold;
    QTest::newRow("Italic button") << "ItalicButton1" << trigger("ItalicButton1") << italic;
    QTest::newRow("toggleItalic") << "ItalicButton1" << Step([](Editors &e) { e.tools.toggleItalic(); }) << italic;
    QTest::newRow("Underline button") << "UnderlineButton1" << trigger("UnderlineButton1") << underline;
    QTest::newRow("Ctrl+U") << "UnderlineButton1" << ctrl(Qt::Key_U) << underline;
}

void TextEditorToolsTest::characterStyles()
{
    QFETCH(QString, button);
    QFETCH(Step, toggle);
    QFETCH(std::function<bool(const QTextCharFormat &)>, styled);

    Editors editors;
    editors.tools.load(QStringLiteral("one two"));
    QAction *action = editors.action(button);

    // On the selection "two".
    editors.place(7, 4);
    editors.changes = 0;
    toggle(editors);
    QVERIFY(action->isChecked());
    QVERIFY(editors.changes > 0);
    QVERIFY(styled(editors.formatAt(5)));
    QVERIFY(!styled(editors.formatAt(1)));

    // Off at the typing position after "two".
    editors.place(7);
    QVERIFY(action->isChecked());
    toggle(editors);
    QVERIFY(!action->isChecked());
    editors.type(QStringLiteral("x"));
    QCOMPARE(editors.editor->toPlainText(), QStringLiteral("one twox"));
    QVERIFY(!styled(editors.formatAt(7)));
    QVERIFY(styled(editors.formatAt(6)));

    // On at the typing position after "one".
    editors.place(3);
    QVERIFY(!action->isChecked());
    toggle(editors);
    QVERIFY(action->isChecked());
    editors.type(QStringLiteral("y"));
    QCOMPARE(editors.editor->toPlainText(), QStringLiteral("oney twox"));
    QVERIFY(styled(editors.formatAt(3)));
    QVERIFY(!styled(editors.formatAt(2)));
    QVERIFY(!styled(editors.formatAt(4)));
}

void TextEditorToolsTest::bulletsAndAlignment_data()
{
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("bulletParagraphs");
    QTest::addColumn<QString>("alignmentWord");
    QTest::addColumn<QStringList>("pressed");

    const QString bullets = QStringLiteral("BulletsButton1");
    const QString left = QStringLiteral("LeftAlignButton1");
    const QString center = QStringLiteral("CenterButton1");
    const QString right = QStringLiteral("RightAlignButton1");
    QTest::newRow("bullets align a centred paragraph left")
        << QStringList{center, bullets} << 1 << QString() << QStringList{bullets, left};
    QTest::newRow("centring ends bullets") << QStringList{bullets, center} << 0 << "\\qc" << QStringList{center};
    QTest::newRow("aligning right ends bullets") << QStringList{bullets, right} << 0 << "\\qr" << QStringList{right};
    QTest::newRow("bullets off") << QStringList{bullets, bullets} << 0 << QString() << QStringList{left};
    QTest::newRow("aligning left keeps bullets")
        << QStringList{bullets, left} << 1 << QString() << QStringList{bullets, left};
}

void TextEditorToolsTest::bulletsAndAlignment()
{
    QFETCH(QStringList, buttons);
    QFETCH(int, bulletParagraphs);
    QFETCH(QString, alignmentWord);
    QFETCH(QStringList, pressed);

    Editors editors;
    editors.tools.load(QStringLiteral("one\ntwo"));
    editors.place(1);
    for (const QString &name : buttons)
        editors.action(name)->trigger();

    QCOMPARE(editors.pressed(), pressed);
    const QString stored = editors.tools.takeOver();
    QCOMPARE(int(stored.count(QStringLiteral("{\\pntext"))), bulletParagraphs);
    for (const QString &word : {QStringLiteral("\\qc"), QStringLiteral("\\qr")})
        QCOMPARE(hasWord(stored, word), word == alignmentWord);
    // The second paragraph is left as it was.
    const QTextBlock second = editors.editor->document()->lastBlock();
    QVERIFY(!second.textList());
    QCOMPARE(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

void TextEditorToolsTest::resetFontGivesTheDefaultFont_data()
{
    QTest::addColumn<FontPreferences>("font");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("absentWords");
    QTest::addColumn<QStringList>("pressed");

    FontPreferences styled;
    styled.name = QStringLiteral("DejaVu Serif");
    styled.size = 14;
    styled.bold = styled.italic = styled.underline = styled.strike = true;
    styled.color = rgb(200, 30, 40);
    QTest::newRow("every style")
        << styled
        << QStringList{"DejaVu Serif;", "\\fs28", "\\b", "\\i", "\\ul", "\\strike", "\\red200\\green30\\blue40"}
        << QStringList{"\\qc", "\\pntext"}
        << QStringList{"BoldButton1", "ItalicButton1", "UnderlineButton1", "LeftAlignButton1"};

    FontPreferences plain;
    plain.name = QStringLiteral("Liberation Mono");
    plain.size = 9;
    plain.color = rgb(0, 0, 255);
    QTest::newRow("no style") << plain << QStringList{"Liberation Mono;", "\\fs18", "\\red0\\green0\\blue255"}
                              << QStringList{"\\b", "\\i", "\\ul", "\\strike", "\\qc", "\\pntext"}
                              << QStringList{"LeftAlignButton1"};
}

void TextEditorToolsTest::resetFontGivesTheDefaultFont()
{
    QFETCH(FontPreferences, font);
    QFETCH(QStringList, words);
    QFETCH(QStringList, absentWords);
    QFETCH(QStringList, pressed);

    Editors editors;
    // The caret stands in a bold, centred and bulleted paragraph.
    editors.tools.load(runsText);
    editors.place(23);
    editors.action(QStringLiteral("BoldButton1"))->trigger();
    editors.action(QStringLiteral("CenterButton1"))->trigger();
    editors.changes = 0;

    editors.tools.resetFont(font);
    QCOMPARE(editors.changes, 0);
    QVERIFY(editors.editor->document()->isEmpty());
    QVERIFY(editors.overview->document()->isEmpty());
    QVERIFY(!editors.editor->document()->isUndoAvailable());
    QCOMPARE(editors.pressed(), pressed);
    QCOMPARE(editors.overview->currentCharFormat().fontFamilies().toStringList(), QStringList{font.name});

    editors.type(QStringLiteral("x"));
    const QString stored = editors.tools.takeOver();
    for (const QString &word : words)
        QVERIFY2(word.endsWith(u';') ? stored.contains(word) : hasWord(stored, word), qPrintable(word + stored));
    for (const QString &word : absentWords)
        QVERIFY2(!hasWord(stored, word), qPrintable(word + stored));
}

void TextEditorToolsTest::plainTextTakesTheDefaultFont()
{
    Editors editors;
    FontPreferences font = bodyFont();
    font.name = QStringLiteral("Liberation Serif");
    font.size = 12;
    editors.tools.resetFont(font);

    editors.tools.load(QStringLiteral("old\nplain text"));
    const QString stored = editors.tools.takeOver();
    QVERIFY2(stored.contains(QStringLiteral("Liberation Serif;")), qPrintable(stored));
    QVERIFY2(hasWord(stored, QStringLiteral("\\fs24")), qPrintable(stored));

    // Rich text keeps its own font.
    editors.tools.load(runsText);
    QVERIFY(!editors.tools.takeOver().contains(QStringLiteral("Liberation Serif")));
}

void TextEditorToolsTest::changeNotifications_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<bool>("notified");
    // The text differs from the one loaded or last taken over, and is to be
    // taken over.
    QTest::addColumn<bool>("modified");

    QTest::newRow("typing") << Step([](Editors &e) { e.type(QStringLiteral("a")); }) << true << true;
    QTest::newRow("backspace") << Step([](Editors &e) { QTest::keyClick(e.editor, Qt::Key_Backspace); }) << true
                               << true;
    QTest::newRow("paste") << Step([](Editors &e) {
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        e.tools.paste();
    }) << true << true;
    QTest::newRow("cut") << Step([](Editors &e) {
        e.place(3, 0);
        e.tools.cut();
    }) << true << true;
    // Undone back to the text as loaded, there is nothing to take over.
    QTest::newRow("undo") << Step([](Editors &e) {
        e.type(QStringLiteral("z"));
        e.changes = 0;
        e.action(QStringLiteral("UndoButton1"))->trigger();
        QCOMPARE(e.editor->toPlainText(), QStringLiteral("one two"));
    }) << true << false;
    QTest::newRow("undo after a take-over") << Step([](Editors &e) {
        e.type(QStringLiteral("z"));
        e.tools.takeOver();
        QVERIFY(!e.tools.isModified());
        e.changes = 0;
        e.action(QStringLiteral("UndoButton1"))->trigger();
        QCOMPARE(e.editor->toPlainText(), QStringLiteral("one two"));
    }) << true << true;
    // Nothing of the text changes until something is typed.
    QTest::newRow("style at the typing position")
        << Step([](Editors &e) { e.action(QStringLiteral("BoldButton1"))->trigger(); }) << true << false;
    QTest::newRow("style of a selection") << Step([](Editors &e) {
        e.place(3, 0);
        e.action(QStringLiteral("ItalicButton1"))->trigger();
    }) << true << true;
    QTest::newRow("alignment") << Step([](Editors &e) { e.action(QStringLiteral("CenterButton1"))->trigger(); })
                               << true << true;
    QTest::newRow("bullets") << Step([](Editors &e) { e.action(QStringLiteral("BulletsButton1"))->trigger(); })
                             << true << true;
    QTest::newRow("numbered symbol") << Step([](Editors &e) {
        e.tools.setInstalledFamilies({QStringLiteral("Wingdings 2")});
        QTest::keyClick(e.editor, Qt::Key_1, Qt::ControlModifier);
    }) << true << true;
    QTest::newRow("moving the caret") << Step([](Editors &e) { QTest::keyClick(e.editor, Qt::Key_Left); }) << false
                                      << false;
    QTest::newRow("copying") << Step([](Editors &e) {
        e.tools.selectAll();
        e.tools.copy();
    }) << false << false;
    QTest::newRow("loading") << Step([](Editors &e) { e.tools.load(runsText); }) << false << false;
    QTest::newRow("resetting the font") << Step([](Editors &e) { e.tools.resetFont(bodyFont()); }) << false
                                        << false;
    QTest::newRow("taking over") << Step([](Editors &e) {
        e.type(QStringLiteral("a"));
        e.changes = 0;
        e.tools.takeOver();
    }) << false << false;
}

void TextEditorToolsTest::changeNotifications()
{
    QFETCH(Step, step);
    QFETCH(bool, notified);
    QFETCH(bool, modified);

    Editors editors;
    editors.tools.load(QStringLiteral("one two"));
    QVERIFY(!editors.tools.isModified());
    editors.place(7);
    editors.changes = 0;
    step(editors);
    QCOMPARE(editors.changes > 0, notified);
    QCOMPARE(editors.tools.isModified(), modified);
}

void TextEditorToolsTest::numberedSymbols_data()
{
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("insertedFamily");

    const QStringList installed{"DejaVu Sans", "Wingdings 2"};
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+1") << installed << int(Qt::Key_1) << ctrl << "j" << "Wingdings 2";
    QTest::newRow("Ctrl+9") << installed << int(Qt::Key_9) << ctrl << "r" << "Wingdings 2";
    QTest::newRow("Ctrl+0") << installed << int(Qt::Key_0) << ctrl << "s" << "Wingdings 2";
    QTest::newRow("name in capitals") << QStringList{"WINGDINGS 2"} << int(Qt::Key_5) << ctrl << "n"
                                      << "WINGDINGS 2";
    QTest::newRow("not installed") << QStringList{"DejaVu Sans", "Wingdings 3", "Wingdings"} << int(Qt::Key_1)
                                   << ctrl << "" << "";
    QTest::newRow("digit without Ctrl") << installed << int(Qt::Key_1) << int(Qt::NoModifier) << "1"
                                        << "DejaVu Sans";
}

void TextEditorToolsTest::numberedSymbols()
{
    QFETCH(QStringList, families);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, inserted);
    QFETCH(QString, insertedFamily);

    Editors editors;
    editors.tools.setInstalledFamilies(families);
    editors.tools.load(QStringLiteral("ab"));
    editors.place(1);
    editors.changes = 0;
    QTest::keyClick(editors.editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(editors.editor->toPlainText(), "a" + inserted + "b");
    QCOMPARE(editors.changes > 0, !inserted.isEmpty());
    if (!inserted.isEmpty())
        QCOMPARE(editors.formatAt(1).fontFamilies().toStringList(), QStringList{insertedFamily});

    // Typing goes on in the font used before.
    editors.type(QStringLiteral("c"));
    QCOMPARE(editors.editor->toPlainText(), "a" + inserted + "cb");
    QCOMPARE(editors.formatAt(1 + inserted.size()).fontFamilies().toStringList(), QStringList{"DejaVu Sans"});
}

void TextEditorToolsTest::sizeLimit_data()
{
    QTest::addColumn<int>("initial");
    QTest::addColumn<Step>("insert");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("refused");

    const int max = TextEditorTools::MaxCharacters;
    const Step typeA = [](Editors &e) { e.type(QStringLiteral("a")); };
    const Step pasteAbc = [](Editors &e) {
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        e.tools.paste();
    };
    QTest::newRow("typing into the last place") << max - 1 << typeA << max << false;
    QTest::newRow("typing beyond the limit") << max << typeA << max << true;
    QTest::newRow("pasting what fits") << max - 3 << pasteAbc << max << false;
    QTest::newRow("pasting more than fits") << max - 2 << pasteAbc << max - 2 << true;
    QTest::newRow("typing over a selection at the limit") << max << Step([](Editors &e) {
        e.place(e.length(), e.length() - 1);
        e.type(QStringLiteral("a"));
    }) << max << false;
}

void TextEditorToolsTest::sizeLimit()
{
    QFETCH(int, initial);
    QFETCH(Step, insert);
    QFETCH(int, expected);
    QFETCH(bool, refused);

    Editors editors;
    editors.tools.load(filler(initial));
    editors.place(initial);
    const QString before = editors.editor->toPlainText();
    insert(editors);
    QCOMPARE(editors.length(), expected);
    QCOMPARE(editors.editor->toPlainText() == before, refused);
    // Undo never brings back more than fits.
    editors.tools.undo();
    QVERIFY(editors.length() <= TextEditorTools::MaxCharacters);
    QCOMPARE(editors.editor->toPlainText(), before);
}

void TextEditorToolsTest::fontDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TextEditorToolsTest::fontDialog()
{
    QFETCH(bool, accept);

    Editors editors;
    FontPreferences red = bodyFont();
    red.size = 12;
    red.bold = true;
    red.color = rgb(255, 0, 0);
    editors.tools.resetFont(red);
    editors.tools.load(QStringLiteral("one two"));
    editors.place(7, 4);
    editors.changes = 0;

    QFont preset;
    QColor presetColor;
    QString title;
    QTimer::singleShot(0, &editors.window, [&] {
        auto *dialog = qobject_cast<FontDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        title = dialog->windowTitle();
        preset = dialog->selectedFont();
        presetColor = dialog->selectedColor();
        QFont chosen(QStringLiteral("DejaVu Serif"), 18);
        chosen.setItalic(true);
        dialog->findChild<QFontDialog *>()->setCurrentFont(chosen);
        accept ? dialog->accept() : dialog->reject();
    });
    editors.tools.chooseFont();

    QCOMPARE(title, QStringLiteral("Font"));
    QCOMPARE(preset.family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(preset.pointSize(), 12);
    QVERIFY(preset.bold());
    QCOMPARE(presetColor, QColor(Qt::red));

    const QTextCharFormat two = editors.formatAt(5);
    QCOMPARE(two.fontFamilies().toStringList(),
             QStringList{accept ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans")});
    QCOMPARE(two.fontPointSize(), accept ? 18.0 : 12.0);
    QCOMPARE(two.fontItalic(), accept);
    QCOMPARE(isBold(two), !accept);
    QCOMPARE(two.foreground().color(), QColor(Qt::red));
    QCOMPARE(editors.changes > 0, accept);
    QCOMPARE(editors.tools.isModified(), accept);
    // The text before the selection is not touched.
    QCOMPARE(editors.formatAt(1).fontPointSize(), 12.0);
}

void TextEditorToolsTest::takeOverShowsTheTextInTheOverview()
{
    Editors editors;
    editors.tools.load(runsText);
    QCOMPARE(editors.overview->toPlainText(), editors.editor->toPlainText());
    QVERIFY(!editors.editor->document()->isUndoAvailable());

    editors.place(0);
    editors.type(QStringLiteral("new "));
    const QString stored = editors.tools.takeOver();
    QVERIFY(stored.contains(QStringLiteral("new plain")));
    QCOMPARE(editors.overview->toPlainText(), editors.editor->toPlainText());

    // Taken over twice without changes, the text is stored the same.
    editors.tools.load(stored);
    QCOMPARE(editors.tools.takeOver(), stored);
}

QTEST_MAIN(TextEditorToolsTest)
#include "tst_texteditortools.moc"
