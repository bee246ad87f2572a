#include "text/rtfcleaner.h"
#include "text/rtfreader.h"
#include "text/rtfwriter.h"
#include "text/textroutines.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {

// The header and the start of the body as the rich edit control writes them.
const QString header = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                                      "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\fnil\\fcharset0 Courier New;}}\r\n"
                                      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
                                      "\\viewkind4\\uc1\\pard\\f0\\fs20 ");

QString read(const QString &rtf)
{
    QTextDocument document;
    RtfReader::read(rtf, document);
    return document.toRawText();
}

QTextCharFormat formatOfWord(const QTextDocument &document, const QString &word)
{
    const QTextCursor found = document.find(word);
    if (found.isNull())
        return {};
    QTextCursor cursor(found);
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

QString rewritten(const QString &rtf)
{
    QTextDocument document;
    RtfReader::read(rtf, document);
    return RtfWriter::write(document);
}

} // namespace

class TestRtf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsText_data();
    void readsText();
    void readsCharacterFormats_data();
    void readsCharacterFormats();
    void readsParagraphs();
    void readsBullets();
    void writesTheControlsShape();
    void writesCharacters_data();
    void writesCharacters();
    void roundTripIsStable_data();
    void roundTripIsStable();
    void takingOverTwiceStoresTheSame_data();
    void takingOverTwiceStoresTheSame();
    void removesBulletResidue_data();
    void removesBulletResidue();
    void survivesHostileInput_data();
    void survivesHostileInput();
    void fontNamesAreWrittenAsTheyReadBack();
};

void TestRtf::readsText_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("text");
    QTest::newRow("accented letters") << "caf\\'e9 \\'C0 la carte" << QString::fromUtf8("café À la carte");
    QTest::newRow("code page above 127") << "\\'80 \\'93x\\'94" << QString::fromUtf8("€ “x”");
    QTest::newRow("unicode with one fallback") << "a\\u8364?b" << QString::fromUtf8("a€b");
    QTest::newRow("negative unicode") << "\\u-4064?" << QString(QChar(0xF020));
    QTest::newRow("uc2 skips two") << "\\uc2\\u937 ??x" << QString::fromUtf8("Ωx");
    QTest::newRow("fallback as escape") << "\\u937\\'3fx" << QString::fromUtf8("Ωx");
    QTest::newRow("uc0 skips none") << "\\uc0\\u937 x" << QString::fromUtf8("Ωx");
    QTest::newRow("surrogate pair") << "\\u-10179?\\u-8694?" << QString::fromUtf8("😊");
    QTest::newRow("escaped braces") << "\\{a\\} \\\\ b" << QStringLiteral("{a} \\ b");
    QTest::newRow("symbols") << "a\\~b\\tab c\\line d\\bullet" << QString::fromUtf8("a\u00a0b\tc\u2028d•");
    QTest::newRow("unknown destination") << "a{\\*\\generator Msftedit 5.41;}b" << QStringLiteral("ab");
    QTest::newRow("unknown word ignored") << "a\\zzzy12 b" << QStringLiteral("ab");
    QTest::newRow("known skipped destination") << "a{\\info{\\title x}}b{\\stylesheet{\\s0 Normal;}}c" << QStringLiteral("abc");
    QTest::newRow("pntext is no text") << "{\\pntext\\f1\\'B7\\tab}a" << QStringLiteral("a");
    QTest::newRow("line breaks in source") << "a\r\nb" << QStringLiteral("ab");
}

void TestRtf::readsText()
{
    QFETCH(QString, body);
    QFETCH(QString, text);
    QCOMPARE(read(header + body + QStringLiteral("\\par\r\n}\r\n")), text);
}

void TestRtf::readsCharacterFormats_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strikeOut");
    QTest::addColumn<int>("vertical");

    const int normal = QTextCharFormat::AlignNormal;
    const QColor automatic;
    QTest::newRow("plain") << "X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("font and size") << "\\f2\\fs36 X" << "Courier New" << 18.0 << automatic << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("colour") << "\\cf2 X" << "Arial" << 10.0 << QColor(0, 128, 0) << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("colour 0 is automatic") << "\\cf1 a\\cf0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("bold") << "\\b X" << "Arial" << 10.0 << automatic << int(QFont::Bold) << false << false << false << normal;
    QTest::newRow("bold off") << "\\b a\\b0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("italic") << "\\i X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << true << false << false << normal;
    QTest::newRow("italic off") << "\\i a\\i0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("underline") << "\\ul X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << true << false << normal;
    QTest::newRow("ulnone") << "\\ul a\\ulnone X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("ul0") << "\\ul a\\ul0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("strike") << "\\strike X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << true << normal;
    QTest::newRow("strike off") << "\\strike a\\strike0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("superscript") << "\\super X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << int(QTextCharFormat::AlignSuperScript);
    QTest::newRow("subscript") << "\\sub X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << int(QTextCharFormat::AlignSubScript);
    QTest::newRow("nosupersub") << "\\super a\\nosupersub X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("group restores") << "{\\b\\i\\f2 a}X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal;
    QTest::newRow("plain resets") << "\\b\\i\\ul\\cf1 a\\plain X" << "Arial" << 12.0 << automatic << int(QFont::Normal) << false << false << false << normal;
}

void TestRtf::readsCharacterFormats()
{
    QFETCH(QString, body);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(QColor, color);
    QFETCH(int, weight);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, strikeOut);
    QFETCH(int, vertical);

    // Read directly, and after a trip through the writer.
    const QString rtf = header + body + QStringLiteral("\\par\r\n}\r\n");
    for (const QString &source : {rtf, rewritten(rtf)}) {
        QTextDocument document;
        RtfReader::read(source, document);
        const QTextCharFormat format = formatOfWord(document, QStringLiteral("X"));
        QCOMPARE(format.fontFamilies().toStringList().value(0), family);
        QCOMPARE(format.fontPointSize(), points);
        QCOMPARE(format.foreground().style() == Qt::NoBrush ? QColor() : format.foreground().color(), color);
        QCOMPARE(format.fontWeight(), weight);
        QCOMPARE(format.fontItalic(), italic);
        QCOMPARE(format.fontUnderline(), underline);
        QCOMPARE(format.fontStrikeOut(), strikeOut);
        QCOMPARE(int(format.verticalAlignment()), vertical);
    }
}

void TestRtf::readsParagraphs()
{
    QTextDocument document;
    RtfReader::read(QString(header
                        + QStringLiteral("Left\\par\r\n\\pard\\qc Centre\\par\r\n\\pard\\qr Right\\par\r\n"
                                         "\\pard\\fi-360\\li720\\ql Indented\\par\r\nSame\\par\r\n\\pard Reset\\par\r\n}\r\n")),
                    document);
    QCOMPARE(document.blockCount(), 6);
    const auto block = [&](int n) { return document.findBlockByNumber(n).blockFormat(); };
    QCOMPARE(block(0).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(block(1).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(block(2).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(block(3).leftMargin(), 36.0);
    QCOMPARE(block(3).textIndent(), -18.0);
    QCOMPARE(block(4).leftMargin(), 36.0); // paragraph formats last until \pard
    QCOMPARE(block(5).leftMargin(), 0.0);
}

void TestRtf::readsBullets()
{
    // As the control writes a bulleted list between two plain paragraphs.
    QTextDocument document;
    RtfReader::read(QString(header
                        + QStringLiteral("Before\\par\r\n"
                                         "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
                                         "\\fi-720\\li720 One\\par\r\n{\\pntext\\f1\\'B7\\tab}Two\\par\r\n"
                                         "\\pard After\\par\r\n}\r\n")),
                    document);
    QCOMPARE(document.toPlainText(), QStringLiteral("Before\nOne\nTwo\nAfter"));
    QVERIFY(!document.findBlockByNumber(0).textList());
    QTextList *list = document.findBlockByNumber(1).textList();
    QVERIFY(list);
    QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(document.findBlockByNumber(2).textList(), list);
    QVERIFY(!document.findBlockByNumber(3).textList());
}

void TestRtf::writesTheControlsShape()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Arial")});
    plain.setFontPointSize(10);
    QTextCharFormat red = plain;
    red.setForeground(QColor(255, 0, 0));
    red.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("Hello "), plain);
    cursor.insertText(QStringLiteral("red"), red);
    cursor.insertText(QStringLiteral(" text"), plain);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centred);
    cursor.insertText(QStringLiteral("Mid"), plain);
    cursor.insertBlock(QTextBlockFormat());
    cursor.createList(QTextListFormat::ListDisc);
    cursor.insertText(QStringLiteral("Point"), plain);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Next"), plain);

    QCOMPARE(RtfWriter::write(document),
             QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                            "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
                            "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
                            "\\viewkind4\\uc1\\pard\\cf0\\f0\\fs20 Hello \\cf1\\b red\\cf0\\b0  text\\par\r\n"
                            "\\pard\\qc Mid\\par\r\n"
                            "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}Point\\par\r\n"
                            "{\\pntext\\f1\\'B7\\tab}Next\\par\r\n"
                            "}\r\n"));
}

void TestRtf::writesCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("body");
    QTest::newRow("accented letter") << QString::fromUtf8("é") << "\\'e9";
    QTest::newRow("euro in the code page") << QString::fromUtf8("€") << "\\'80";
    QTest::newRow("outside the code page") << QString::fromUtf8("Ω") << "\\u937?";
    QTest::newRow("above 32767") << QString(QChar(0xF020)) << "\\u-4064?";
    QTest::newRow("braces and backslash") << "{a}\\" << "\\{a\\}\\\\";
    QTest::newRow("tab before a letter") << "a\tb" << "a\\tab b";
    QTest::newRow("line break") << QString::fromUtf8("a\u2028b") << "a\\line b";
}

void TestRtf::writesCharacters()
{
    QFETCH(QString, text);
    QFETCH(QString, body);
    QTextDocument document;
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Arial")});
    plain.setFontPointSize(10);
    QTextCursor(&document).insertText(text, plain);
    const QString rtf = RtfWriter::write(document);
    QVERIFY2(rtf.contains(QStringLiteral("\\fs20 ") + body + QStringLiteral("\\par\r\n}")), qPrintable(rtf));
    for (const QChar c : rtf)
        QVERIFY(c.unicode() < 0x80);
    QCOMPARE(read(rtf), text);
}

void TestRtf::roundTripIsStable_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::newRow("styles") << header + "\\b bold\\b0  \\i it\\i0  \\ul u\\ulnone  \\strike s\\strike0  x\\super 2\\nosupersub  H\\sub 2\\nosupersub O\\par\r\n}\r\n";
    QTest::newRow("fonts and colours") << header + "\\cf1\\f2\\fs28 red courier\\cf2\\f0\\fs16  green\\par\r\n}\r\n";
    QTest::newRow("alignments and bullets") << header + "\\pard\\qc c\\par\r\n\\pard\\qr r\\par\r\n\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-720\\li720 one\\par\r\n{\\pntext\\f1\\'B7\\tab}two\\par\r\n\\pard\\ql back\\par\r\n}\r\n";
    QTest::newRow("characters") << header + "caf\\'e9 \\u937? \\{\\} \\\\ a\\tab b\\line c\\par\r\n}\r\n";
    QTest::newRow("empty paragraphs inside") << header + "a\\par\r\n\\par\r\n\\par\r\nb\\par\r\n}\r\n";
    QTest::newRow("foreign writer") << "{\\rtf1\\ansi{\\fonttbl\\f0\\froman Times;}\\f0 Hi {\\b there}\\par}";
    QTest::newRow("empty") << "{\\rtf1}";
}

void TestRtf::roundTripIsStable()
{
    QFETCH(QString, rtf);
    const QString once = rewritten(rtf);
    QCOMPARE(rewritten(once), once);
    QCOMPARE(read(once), read(rtf));
}

void TestRtf::takingOverTwiceStoresTheSame_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::newRow("one paragraph") << header + "Hello\\par\r\n}\r\n";
    QTest::newRow("trailing empty paragraphs") << header + "Hello\\par\r\n\\par\r\n\\par\r\n}\r\n";
    QTest::newRow("bullets at the end") << header + "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-720\\li720 one\\par\r\n{\\pntext\\f1\\'B7\\tab}\\par\r\n}\r\n";
    QTest::newRow("formatted") << header + "\\pard\\qc\\b\\cf1 Title\\par\r\n\\pard\\b0\\cf0 text\\par\r\n}\r\n";
}

void TestRtf::takingOverTwiceStoresTheSame()
{
    // Taking over: the editor's content is written and cleaned. Showing the
    // stored text: it is cleaned and read into the editor again.
    QFETCH(QString, rtf);
    const QString first = takeOverRtf(rewritten(rtf));
    const QString shown = remove_enter(removeBulletResidue(first));
    const QString second = takeOverRtf(rewritten(shown));
    QCOMPARE(second, first);
    QVERIFY(first.endsWith(QStringLiteral("\\par\\pard }")));
}

void TestRtf::removesBulletResidue_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("cleaned");
    QTest::newRow("mark before pard with bullet text") << "a{\\pntext\\f1\\'B7\\tab}\\pard\\'b7\\tab b" << "a\\pard b";
    QTest::newRow("mark before pard") << "a{\\pntext\\f12\\'B7\\tab}\\pard\\qc b" << "a\\pard\\qc b";
    QTest::newRow("mark at the end") << "a\\par\r\n{\\pntext\\f0\\'B7\\tab}}" << "a\\par\r\n}";
    QTest::newRow("font beyond 20 stays") << "{\\pntext\\f21\\'B7\\tab}\\pard" << "{\\pntext\\f21\\'B7\\tab}\\pard";
    QTest::newRow("mark before text stays") << "{\\pntext\\f1\\'B7\\tab}one" << "{\\pntext\\f1\\'B7\\tab}one";
}

void TestRtf::removesBulletResidue()
{
    QFETCH(QString, rtf);
    QFETCH(QString, cleaned);
    QCOMPARE(removeBulletResidue(rtf), cleaned);
}

void TestRtf::survivesHostileInput_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("deep nesting") << "{\\rtf1 a" + QString(100000, u'{') + "x" + QString(100000, u'}') + "b}" << "ab";
    QTest::newRow("unbalanced closing") << "{\\rtf1 a}}}}b" << "ab";
    QTest::newRow("truncated word") << "{\\rtf1 a\\b" << "a";
    QTest::newRow("truncated escape") << "{\\rtf1 a\\'" << "a";
    QTest::newRow("escape without digits") << "{\\rtf1 a\\'zb" << "azb";
    QTest::newRow("truncated group") << "{\\rtf1 a{\\fonttbl{\\f0 Ari" << "a";
    QTest::newRow("huge uc") << "{\\rtf1\\uc999999999999 \\u937 abc}" << QString::fromUtf8("Ω");
    QTest::newRow("huge numbers") << "{\\rtf1\\fs99999999999999999999\\cf-99999999999\\li99999999999 a}" << "a";
    QTest::newRow("lone backslash") << "\\" << "";
}

void TestRtf::survivesHostileInput()
{
    QFETCH(QString, rtf);
    QFETCH(QString, text);
    QTextDocument document;
    RtfReader::read(rtf, document);
    QCOMPARE(document.toRawText(), text);
    QCOMPARE(rewritten(rewritten(rtf)), rewritten(rtf));
}

// A name the reader would trim is written trimmed, so that a text taken
// over, shown and taken over again stays the same.
void TestRtf::fontNamesAreWrittenAsTheyReadBack()
{
    QTextDocument document;
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral(" Arial ;")});
    QTextCursor(&document).insertText(QStringLiteral("x"), format);
    const QString rtf = RtfWriter::write(document);
    QVERIFY2(rtf.contains(QStringLiteral("\\fcharset0 Arial;}")), qPrintable(rtf));
    QCOMPARE(rewritten(rtf), rtf);
}

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
