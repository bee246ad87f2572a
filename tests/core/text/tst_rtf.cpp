#include "text/rtfcleaner.h"
#include "text/rtfreader.h"
#include "text/rtfwriter.h"
#include "text/sequencetext.h"
#include "text/textroutines.h"

#include <QRegularExpression>
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

// The document's paragraphs as lines.
QString readLines(const QString &rtf)
{
    return read(rtf).replace(QChar::ParagraphSeparator, u'\n');
}

// A stored text as the editors show it.
QString readStored(const QString &stored)
{
    QTextDocument document;
    SequenceText::load(stored, document);
    return document.toRawText();
}

// The text stored for a document once it was shown and taken over.
QString takenOver(const QString &rtf)
{
    QTextDocument document;
    SequenceText::load(rtf, document);
    return SequenceText::takeOver(document);
}

bool isSevenBit(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

class TestRtf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsText_data();
    void readsText();
    void readsDocuments_data();
    void readsDocuments();
    void readsFontCharsets_data();
    void readsFontCharsets();
    void readsFontNames_data();
    void readsFontNames();
    void textBeforeAnyFontIsInTheDefaultFont();
    void readsLists_data();
    void readsLists();
    void lastParagraphKeepsItsFormat_data();
    void lastParagraphKeepsItsFormat();
    void keepsParagraphFormats_data();
    void keepsParagraphFormats();
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
    QTest::newRow("quotes and dashes") << "don\\rquote t \\ldblquote double\\rdblquote  a\\endash b\\emdash c"
                                       << QString::fromUtf8("don’t “double” a–b—c");
    QTest::newRow("single quotes") << "\\lquote x\\rquote" << QString::fromUtf8("‘x’");
    QTest::newRow("typographic spaces") << "a\\enspace b\\emspace c\\qmspace d"
                                        << QString::fromUtf8("a\u2002b\u2003c\u2005d");
    QTest::newRow("hyphens") << "left\\_back counter\\-attack"
                             << QString::fromUtf8("left\u2011back counter\u00adattack");
    QTest::newRow("a group ends the fallback") << "\\uc2\\u937{\\b x}" << QString::fromUtf8("Ωx");
    QTest::newRow("unicode beyond 16 bits") << "\\u70000?x" << QString::fromUtf8("\ufffdx");
    QTest::newRow("listtext is no text") << "{\\listtext\\pard\\plain\\f1 \\'b7\\tab}a" << QStringLiteral("a");
    QTest::newRow("list tables are no text")
        << "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'01\\u8226 ?;}}\\listid1}}"
           "{\\listoverridetable{\\listoverride\\listid1\\ls1}}a"
        << QStringLiteral("a");
}

// Whole documents, their paragraphs as lines.
void TestRtf::readsDocuments_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("text");
    const QString cyrillicFonts = QStringLiteral("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fnil Arial;}"
                                                 "{\\f1\\fnil\\fcharset0 Arial;}{\\f2\\fnil\\fcharset1 Arial;}}");
    QTest::newRow("document code page") << cyrillicFonts + "\\f0 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\par}"
                                        << QString::fromUtf8("Привет");
    QTest::newRow("ANSI font stays Western") << cyrillicFonts + "\\f1 \\'cf\\'f0\\par}" << QString::fromUtf8("Ïð");
    QTest::newRow("default character set is the document's") << cyrillicFonts + "\\f2 \\'cf\\'f0\\par}"
                                                              << QString::fromUtf8("Пр");
    // Play files are read as Windows-1252: the bytes CF F0 arrive as "Ïð".
    QTest::newRow("8-bit source characters are bytes of the code page")
        << cyrillicFonts + QString::fromUtf8("\\f0 Ïð\\par}") << QString::fromUtf8("Пр");
    QTest::newRow("table cells")
        << "{\\rtf1 \\trowd\\cellx1000\\cellx2000\\pard\\intbl Cap\\cell Name\\cell\\row"
           "\\trowd\\cellx1000\\cellx2000\\pard\\intbl 1\\cell Anna\\cell\\row\\pard After\\par}"
        << "Cap\nName\n1\nAnna\nAfter";
    QTest::newRow("nested table cells")
        << "{\\rtf1 \\pard\\intbl\\itap2 Ben\\nestcell Bo\\nestcell{\\*\\nesttableprops\\nestrow}"
           "{\\nonesttables Ben Bo\\par}\\pard\\intbl\\cell\\row}"
        << "Ben\nBo\n";
    QTest::newRow("rows without a last cell mark") << "{\\rtf1 a\\cell b\\row c\\row}" << "a\nb\nc";
    QTest::newRow("uc lasts to the end of its group")
        << "{\\rtf1 {\\uc2\\u937 ab}\\u937 ab\\uc0\\u937 ab\\par\\u937 ab}" << QString::fromUtf8("ΩΩbΩab\nΩab");
}

void TestRtf::readsDocuments()
{
    QFETCH(QString, rtf);
    QFETCH(QString, text);
    QCOMPARE(readLines(rtf), text);
}

// The font's character set decides the code page of its bytes. Taken over,
// the text is stored as Unicode escapes that read back the same.
void TestRtf::readsFontCharsets_data()
{
    QTest::addColumn<int>("charset");
    QTest::addColumn<QString>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("Eastern European") << 238 << "Dvo\\'f8\\'e1k \\'a3\\'f3d\\'9f" << QString::fromUtf8("Dvořák Łódź");
    QTest::newRow("Cyrillic") << 204 << "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2" << QString::fromUtf8("Привет");
    QTest::newRow("Greek") << 161 << "\\'ca\\'e1\\'eb\\'e7\\'ec\\'dd\\'f1\\'e1" << QString::fromUtf8("Καλημέρα");
    QTest::newRow("Turkish") << 162 << "\\'ddstanbul \\'f0\\'fe" << QString::fromUtf8("İstanbul ğş");
    QTest::newRow("Hebrew") << 177 << "\\'f9\\'ec\\'e5\\'ed" << QString::fromUtf8("שלום");
    QTest::newRow("Arabic") << 178 << "\\'e3\\'d1\\'cd\\'c8\\'c7" << QString::fromUtf8("مرحبا");
    QTest::newRow("Baltic") << 186 << "R\\'eega \\'d0iauliai" << QString::fromUtf8("Rīga Šiauliai");
    QTest::newRow("Vietnamese") << 163 << "Vi\\'ea\\'f2t \\'f5" << QString::fromUtf8("Vi\u00ea\u0323t ơ");
    QTest::newRow("Thai") << 222 << "\\'ca\\'c7\\'d1\\'ca\\'b4\\'d5" << QString::fromUtf8("สวัสดี");
    QTest::newRow("ANSI") << 0 << "caf\\'e9 \\'80" << QString::fromUtf8("café €");
    QTest::newRow("undefined byte") << 161 << "\\'aa" << QString::fromUtf8("\ufffd");
    // Glyph numbers of a symbol font stay as they are.
    QTest::newRow("symbol") << 2 << "\\'80j\\'b7" << QString::fromUtf8("\u0080j\u00b7");
}

void TestRtf::readsFontCharsets()
{
    QFETCH(int, charset);
    QFETCH(QString, bytes);
    QFETCH(QString, text);
    // The writer knows a symbol font by its name.
    const QString family = charset == 2 ? QStringLiteral("Wingdings") : QStringLiteral("Tahoma");
    const QString rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}"
                                       "{\\f1\\fnil\\fcharset%1 %2;}}\r\n\\pard a\\f1 %3\\f0 z\\par\r\n}")
                            .arg(charset)
                            .arg(family, bytes);
    QCOMPARE(read(rtf), u'a' + text + u'z');

    const QString stored = takenOver(rtf);
    QVERIFY2(isSevenBit(stored), qPrintable(stored));
    QCOMPARE(readStored(stored), u'a' + text + u'z');
    QCOMPARE(takenOver(stored), stored);
}

void TestRtf::readsFontNames_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("family");
    QTest::newRow("in the font's code page") << "{\\f0\\fnil\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}"
                                             << QString::fromUtf8("Ариал");
    QTest::newRow("in the code page named by cpg") << "{\\f0\\fnil\\cpg1253 \\'c1\\'f1\\'e9\\'e1\\'eb;}"
                                                   << QString::fromUtf8("Αριαλ");
    QTest::newRow("unicode without its fallback") << "{\\f0\\fnil \\u937?mega;}" << QString::fromUtf8("Ωmega");
    QTest::newRow("alternative name left out")
        << "{\\f0\\froman Liberation Serif{\\*\\falt Times New Roman};}" << "Liberation Serif";
}

void TestRtf::readsFontNames()
{
    QFETCH(QString, entry);
    QFETCH(QString, family);
    QTextDocument document;
    const QString rtf = QStringLiteral("{\\rtf1\\ansi{\\fonttbl") + entry + QStringLiteral("}\\f0 X\\par}");
    RtfReader::read(rtf, document);
    QCOMPARE(formatOfWord(document, QStringLiteral("X")).fontFamilies().toStringList().value(0), family);
}

void TestRtf::textBeforeAnyFontIsInTheDefaultFont()
{
    QTextDocument document;
    RtfReader::read(QStringLiteral("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                                   "{\\f1\\fnil\\fcharset204 Courier New;}}\\'cf\\'f0 {\\f0 X}\\plain Y\\par}"),
                    document);
    QCOMPARE(document.toPlainText(), QString::fromUtf8("Пр XY"));
    QCOMPARE(formatOfWord(document, QString::fromUtf8("П")).fontFamilies().toStringList().value(0), "Courier New");
    QCOMPARE(formatOfWord(document, QStringLiteral("X")).fontFamilies().toStringList().value(0), "Arial");
    QCOMPARE(formatOfWord(document, QStringLiteral("Y")).fontFamilies().toStringList().value(0), "Courier New");
}

// Lists as other programs write them; the program knows bullets only.
void TestRtf::readsLists_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("text");
    QTest::newRow("numbered by the control")
        << "\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}"
           "\\fi-360\\li360 One\\par\r\n{\\pntext\\f0 2.\\tab}Two\\par\r\n\\pard After\\par\r\n"
        << QString::fromUtf8("• One\n• Two\nAfter");
    QTest::newRow("Word")
        << "\\pard\\fi-360\\li720\\ls1\\ilvl0{\\listtext\\pard\\plain\\f1 \\'b7\\tab}One\\par\r\n"
           "{\\listtext\\pard\\plain\\f1 \\'b7\\tab}Two\\par\r\n\\pard After\\par\r\n"
        << QString::fromUtf8("• One\n• Two\nAfter");
    QTest::newRow("LibreOffice")
        << "\\pard\\plain{\\listtext\\pard\\plain \\u8226\\'95\\tab}\\ilvl0\\ls1 \\li709\\fi-283{\\loch One}\r\n"
           "\\par \\pard\\plain{\\listtext\\pard\\plain  1.\\tab}\\ilvl1\\ls2 \\li1418\\fi-283{\\loch Two}\r\n"
           "\\par \\pard\\plain After\\par\r\n"
        << QString::fromUtf8("• One\n• Two\nAfter");
}

void TestRtf::readsLists()
{
    QFETCH(QString, body);
    QFETCH(QString, text);
    QTextDocument document;
    RtfReader::read(QString(header + body + u'}'), document);
    QCOMPARE(SequenceText::plain(document), text);

    // Taken over, the bullets are the control's own.
    const QString stored = SequenceText::takeOver(document);
    QVERIFY2(!stored.contains(QStringLiteral("listtext")) && stored.count(QStringLiteral("{\\pntext")) == 2,
             qPrintable(stored));
    QTextDocument again;
    SequenceText::load(stored, again);
    QCOMPARE(SequenceText::plain(again), text);
}

// A text that ends without "\par" keeps the format of its last paragraph.
void TestRtf::lastParagraphKeepsItsFormat_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("leftMargin");
    QTest::addColumn<bool>("bullet");
    QTest::newRow("centred") << "\\pard\\qc Centred" << int(Qt::AlignHCenter) << 0.0 << false;
    QTest::newRow("indented") << "\\pard\\li720 Indented" << int(Qt::AlignLeft) << 36.0 << false;
    QTest::newRow("bulleted")
        << "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-720\\li720 Point"
        << int(Qt::AlignLeft) << 36.0 << true;
}

void TestRtf::lastParagraphKeepsItsFormat()
{
    QFETCH(QString, body);
    QFETCH(int, alignment);
    QFETCH(double, leftMargin);
    QFETCH(bool, bullet);
    const QString rtf = header + "First\\par\r\n" + body + u'}';
    for (const QString &source : {rtf, takenOver(rtf)}) {
        QTextDocument document;
        SequenceText::load(source, document);
        QCOMPARE(document.blockCount(), 2);
        const QTextBlock last = document.lastBlock();
        QCOMPARE(int(last.blockFormat().alignment() & Qt::AlignHorizontal_Mask), alignment);
        QCOMPARE(last.blockFormat().leftMargin(), leftMargin);
        QCOMPARE(last.textList() != nullptr, bullet);
    }
}

// Paragraph formats the document can hold survive reading, and are written
// back as the control writes them.
void TestRtf::keepsParagraphFormats_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QTextFormat>("expected");

    const auto format = [](const std::function<void(QTextBlockFormat &)> &set) {
        QTextBlockFormat f;
        set(f);
        return QTextFormat(f);
    };
    QTest::newRow("space before and after") << "\\sb120\\sa200"
                                            << format([](QTextBlockFormat &f) {
                                                   f.setTopMargin(6);
                                                   f.setBottomMargin(10);
                                               });
    QTest::newRow("right indent") << "\\li360\\ri567"
                                  << format([](QTextBlockFormat &f) {
                                         f.setLeftMargin(18);
                                         f.setRightMargin(28.35);
                                     });
    QTest::newRow("justified") << "\\qj" << format([](QTextBlockFormat &f) { f.setAlignment(Qt::AlignJustify); });
    QTest::newRow("multiple line spacing") << "\\sl276\\slmult1" << format([](QTextBlockFormat &f) {
        f.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    });
    QTest::newRow("least line spacing") << "\\sl300\\slmult0" << format([](QTextBlockFormat &f) {
        f.setLineHeight(15, QTextBlockFormat::MinimumHeight);
    });
    QTest::newRow("exact line spacing") << "\\sl-300\\slmult0" << format([](QTextBlockFormat &f) {
        f.setLineHeight(15, QTextBlockFormat::FixedHeight);
    });
    QTest::newRow("tab stops") << "\\tx720\\tqr\\tx2880\\tqc\\tx4320\\tqdec\\tx5760"
                               << format([](QTextBlockFormat &f) {
                                      f.setTabPositions({QTextOption::Tab(36, QTextOption::LeftTab),
                                                         QTextOption::Tab(144, QTextOption::RightTab),
                                                         QTextOption::Tab(216, QTextOption::CenterTab),
                                                         QTextOption::Tab(288, QTextOption::DelimiterTab, u'.')});
                                  });
}

void TestRtf::keepsParagraphFormats()
{
    QFETCH(QString, words);
    QFETCH(QTextFormat, expected);
    const QTextBlockFormat format = expected.toBlockFormat();
    const QString rtf = header + "Plain\\par\r\n\\pard" + words + " X\\par\r\nSame\\par\r\n\\pard Reset\\par\r\n}";
    const QString stored = takenOver(rtf);
    const QRegularExpression written(QRegularExpression::escape("\\par\r\n\\pard" + words) + "(?![a-z0-9])");
    QVERIFY2(stored.contains(written), qPrintable(stored));
    for (const QString &source : {rtf, stored}) {
        QTextDocument document;
        SequenceText::load(source, document);
        QCOMPARE(document.blockCount(), 4);
        const auto blockFormat = [&](int n) { return document.findBlockByNumber(n).blockFormat(); };
        for (int n : {1, 2}) {
            const QTextBlockFormat read = blockFormat(n);
            QCOMPARE(read.topMargin(), format.topMargin());
            QCOMPARE(read.bottomMargin(), format.bottomMargin());
            QCOMPARE(read.leftMargin(), format.leftMargin());
            QCOMPARE(read.rightMargin(), format.rightMargin());
            QCOMPARE(read.alignment() & Qt::AlignHorizontal_Mask, format.alignment() & Qt::AlignHorizontal_Mask);
            QCOMPARE(read.lineHeightType(), format.lineHeightType());
            QCOMPARE(read.lineHeight(), format.lineHeight());
            QCOMPARE(read.tabPositions(), format.tabPositions());
        }
        for (int n : {0, 3}) {
            QCOMPARE(blockFormat(n).bottomMargin(), 0.0);
            QCOMPARE(blockFormat(n).rightMargin(), 0.0);
            QCOMPARE(blockFormat(n).lineHeightType(), int(QTextBlockFormat::SingleHeight));
            QVERIFY(blockFormat(n).tabPositions().isEmpty());
            QCOMPARE(blockFormat(n).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        }
    }
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
    QTest::addColumn<QColor>("background");

    const int normal = QTextCharFormat::AlignNormal;
    const QColor automatic;
    QTest::newRow("plain") << "X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("font and size") << "\\f2\\fs36 X" << "Courier New" << 18.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("colour") << "\\cf2 X" << "Arial" << 10.0 << QColor(0, 128, 0) << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("colour 0 is automatic") << "\\cf1 a\\cf0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("bold") << "\\b X" << "Arial" << 10.0 << automatic << int(QFont::Bold) << false << false << false << normal << automatic;
    QTest::newRow("bold off") << "\\b a\\b0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("italic") << "\\i X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << true << false << false << normal << automatic;
    QTest::newRow("italic off") << "\\i a\\i0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("underline") << "\\ul X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << true << false << normal << automatic;
    QTest::newRow("ulnone") << "\\ul a\\ulnone X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("ul0") << "\\ul a\\ul0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("strike") << "\\strike X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << true << normal << automatic;
    QTest::newRow("strike off") << "\\strike a\\strike0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("superscript") << "\\super X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << int(QTextCharFormat::AlignSuperScript) << automatic;
    QTest::newRow("subscript") << "\\sub X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << int(QTextCharFormat::AlignSubScript) << automatic;
    QTest::newRow("nosupersub") << "\\super a\\nosupersub X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("group restores") << "{\\b\\i\\f2 a}X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("plain resets") << "\\b\\i\\ul\\cf1 a\\plain X" << "Arial" << 12.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
    QTest::newRow("highlight") << "\\highlight1 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << QColor(255, 0, 0);
    QTest::newRow("highlight off") << "\\highlight2 a\\highlight0 X" << "Arial" << 10.0 << automatic << int(QFont::Normal) << false << false << false << normal << automatic;
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
    QFETCH(QColor, background);

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
        QCOMPARE(format.background().style() == Qt::NoBrush ? QColor() : format.background().color(), background);
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
    QTest::addColumn<QString>("family");
    QTest::newRow("accented letter") << QString::fromUtf8("é") << "\\'e9" << "Arial";
    QTest::newRow("euro in the code page") << QString::fromUtf8("€") << "\\'80" << "Arial";
    QTest::newRow("outside the code page") << QString::fromUtf8("Ω") << "\\u937?" << "Arial";
    QTest::newRow("above 32767") << QString(QChar(0xF020)) << "\\u-4064?" << "Arial";
    QTest::newRow("braces and backslash") << "{a}\\" << "\\{a\\}\\\\" << "Arial";
    QTest::newRow("tab before a letter") << "a\tb" << "a\\tab b" << "Arial";
    QTest::newRow("line break") << QString::fromUtf8("a\u2028b") << "a\\line b" << "Arial";
    QTest::newRow("typographic characters") << QString::fromUtf8("‘’“”–—•") << "\\'91\\'92\\'93\\'94\\'96\\'97\\'95"
                                            << "Arial";
    QTest::newRow("non-breaking hyphen") << QString::fromUtf8("a\u2011b") << "a\\u8209?b" << "Arial";
    // A symbol font's bytes are glyph numbers, not characters of the code page.
    QTest::newRow("glyph number in a symbol font") << QString::fromUtf8("\u00b7j") << "\\'b7j" << "Wingdings 2";
    QTest::newRow("euro in a symbol font") << QString::fromUtf8("€") << "\\u8364?" << "Wingdings";
}

void TestRtf::writesCharacters()
{
    QFETCH(QString, text);
    QFETCH(QString, body);
    QFETCH(QString, family);
    QTextDocument document;
    QTextCharFormat plain;
    plain.setFontFamilies({family});
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
    QTest::newRow("tab stop without a position") << "{\\rtf1\\tqr\\tx a}" << "a";
    QString tabStops;
    for (int i = 1; i <= 1000; ++i)
        tabStops += QStringLiteral("\\tx%1").arg(i * 7);
    QTest::newRow("many tab stops") << "{\\rtf1" + tabStops + " a}" << "a";
    QTest::newRow("huge distances") << "{\\rtf1\\sl-999999999\\sa999999999\\ri-999999999\\tx999999999 a}" << "a";
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
