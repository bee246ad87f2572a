#include "text/rtfreader.h"

#include "text/codepages.h"
#include "text/cp1252.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <optional>
#include <string_view>

namespace {

// Deeper groups than this are skipped whole; the control writes a handful.
constexpr int maxGroupDepth = 64;
// Numeric parameters are cut to this many digits, so no number overflows.
constexpr int maxParameterDigits = 9;
constexpr int defaultHalfPoints = 24;
// Distances are kept within 22 inches, the most a page holds, so that no
// layout has to place text at absurd widths.
constexpr int maxTwips = 31680;
// The control keeps 32 tab stops per paragraph; more are dropped.
constexpr int maxTabStops = 64;

enum class Destination { Text, FontTable, ColorTable, BulletFormat, Skipped };

// Groups whose content is no text of the document. Those marked "\*" are
// skipped anyway; these come without the mark.
constexpr std::u16string_view skippedDestinations[] = {
    u"pntext",    u"listtext", u"listtable", u"listoverridetable", u"pntxtb", u"pntxta", u"stylesheet",
    u"info",      u"pict",     u"object",    u"fldinst",           u"header", u"headerl", u"headerr",
    u"headerf",   u"footer",   u"footerl",   u"footerr",           u"footerf", u"footnote",
    // The plain-text stand-in for nested tables, which are read themselves.
    u"nonesttables",
};

struct NamedCharacter {
    std::u16string_view word;
    char16_t character;
};

// Control words that stand for one character.
constexpr NamedCharacter namedCharacters[] = {
    {u"tab", u'\t'},        {u"line", 0x2028},      {u"bullet", 0x2022},  {u"lquote", 0x2018},
    {u"rquote", 0x2019},    {u"ldblquote", 0x201C}, {u"rdblquote", 0x201D}, {u"endash", 0x2013},
    {u"emdash", 0x2014},    {u"enspace", 0x2002},   {u"emspace", 0x2003}, {u"qmspace", 0x2005},
    {u"zwj", 0x200D},       {u"zwnj", 0x200C},
};

struct CharacterState {
    int font = 0;
    int halfPoints = defaultHalfPoints;
    int color = 0;
    int highlight = 0; // colour table entry, 0 for none
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QTextCharFormat::VerticalAlignment verticalAlignment = QTextCharFormat::AlignNormal;

    bool operator==(const CharacterState &) const = default;
};

struct ParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndentTwips = 0;
    int rightIndentTwips = 0;
    int firstIndentTwips = 0;
    int spaceBeforeTwips = 0;
    int spaceAfterTwips = 0;
    // "\sl": at least this many twips, exactly as many when negative, or
    // 240ths of a single line with "\slmult1"; 0 is single spacing.
    int lineSpacing = 0;
    bool lineMultiple = false;
    QList<QTextOption::Tab> tabs; // by position
    bool bullet = false;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharacterState character;
    ParagraphState paragraph;
    int unicodeSkip = 1;
    QTextOption::TabType nextTabType = QTextOption::LeftTab; // "\tqr", "\tqc", "\tqdec" come before "\tx"
};

struct Font {
    QString name;
    int codePage = 0; // 0: the document's
};

struct Run {
    QString text;
    CharacterState character;
};

struct Paragraph {
    QList<Run> runs;
    ParagraphState format;
};

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

int twips(int parameter)
{
    return qBound(-maxTwips, parameter, maxTwips);
}

void addTabStop(QList<QTextOption::Tab> &tabs, int positionTwips, QTextOption::TabType type)
{
    if (positionTwips < 0)
        return;
    const QTextOption::Tab tab(qMin(positionTwips, maxTwips) / 20.0, type,
                               type == QTextOption::DelimiterTab ? QChar(u'.') : QChar());
    const auto at = std::find_if(tabs.begin(), tabs.end(),
                                 [&tab](const QTextOption::Tab &t) { return t.position >= tab.position; });
    if (at != tabs.end() && at->position == tab.position)
        *at = tab;
    else if (tabs.size() < maxTabStops)
        tabs.insert(at, tab);
}

class Parser {
public:
    explicit Parser(QStringView rtf) : m_rtf(rtf) {}

    void parse();
    void fill(QTextDocument &document) const;

private:
    void openGroup();
    void closeGroup();
    void controlWord(QStringView word, bool hasParameter, int parameter);
    void paragraphWord(QStringView word, bool hasParameter, int parameter);
    void controlSymbol(QChar symbol);
    void character(QChar c);
    void endParagraph();
    int readParameter(bool &hasParameter);
    int codePage() const;
    QChar decodeByte(quint8 byte) const;
    QChar fromSource(QChar c) const;
    QTextCharFormat charFormat(const CharacterState &state) const;
    QColor tableColor(int index) const;

    QStringView m_rtf;
    qsizetype m_pos = 0;
    GroupState m_state;
    QList<GroupState> m_stack;
    int m_ignoredDepth = 0; // groups opened beyond maxGroupDepth
    bool m_nextIsIgnorable = false; // "\*" seen
    int m_charactersToSkip = 0; // after "\uN"

    int m_codePage = 1252; // "\ansicpg"
    int m_defaultFont = 0; // "\deff"
    QHash<int, Font> m_fonts; // by number
    int m_tableFont = 0;
    QList<QColor> m_colors;
    QColor m_tableColor;

    QList<Paragraph> m_paragraphs;
    Paragraph m_current;
    // The paragraph format in force when the document's group closed: a
    // text that ends without "\par" keeps it for its last paragraph.
    std::optional<ParagraphState> m_closingParagraph;
};

void Parser::parse()
{
    while (m_pos < m_rtf.size()) {
        const QChar c = m_rtf[m_pos++];
        if (m_ignoredDepth > 0) {
            if (c == u'{')
                ++m_ignoredDepth;
            else if (c == u'}')
                --m_ignoredDepth;
            else if (c == u'\\' && m_pos < m_rtf.size())
                ++m_pos; // an escaped brace must not count
            continue;
        }
        if (c == u'{') {
            openGroup();
        } else if (c == u'}') {
            closeGroup();
        } else if (c == u'\\') {
            if (m_pos >= m_rtf.size())
                break;
            const QChar next = m_rtf[m_pos];
            if (next.isLetter() && next.unicode() < 0x80) {
                const qsizetype start = m_pos;
                while (m_pos < m_rtf.size() && m_rtf[m_pos].isLetter() && m_rtf[m_pos].unicode() < 0x80)
                    ++m_pos;
                const QStringView word = m_rtf.sliced(start, m_pos - start);
                bool hasParameter = false;
                const int parameter = readParameter(hasParameter);
                if (m_pos < m_rtf.size() && m_rtf[m_pos] == u' ')
                    ++m_pos; // the delimiter belongs to the word
                controlWord(word, hasParameter, parameter);
            } else {
                ++m_pos;
                controlSymbol(next);
            }
        } else if (c != u'\r' && c != u'\n') {
            character(fromSource(c));
        }
    }
    m_current.format = m_closingParagraph.value_or(m_state.paragraph);
    m_paragraphs.append(std::exchange(m_current, Paragraph()));
}

int Parser::readParameter(bool &hasParameter)
{
    bool negative = false;
    if (m_pos < m_rtf.size() && m_rtf[m_pos] == u'-') {
        negative = true;
        ++m_pos;
    }
    qint64 value = 0;
    int digits = 0;
    while (m_pos < m_rtf.size() && m_rtf[m_pos].isDigit() && m_rtf[m_pos].unicode() < 0x80) {
        if (digits++ < maxParameterDigits)
            value = value * 10 + m_rtf[m_pos].digitValue();
        ++m_pos;
    }
    hasParameter = digits > 0;
    return int(negative ? -value : value);
}

void Parser::openGroup()
{
    m_charactersToSkip = 0; // a group ends the fallback of "\uN"
    if (m_stack.size() >= maxGroupDepth) {
        m_ignoredDepth = 1;
        return;
    }
    m_stack.append(m_state);
    m_nextIsIgnorable = false;
}

void Parser::closeGroup()
{
    m_charactersToSkip = 0;
    m_nextIsIgnorable = false;
    if (m_stack.isEmpty())
        return; // stray brace
    if (m_state.destination == Destination::ColorTable && m_stack.last().destination != Destination::ColorTable)
        m_tableColor = QColor();
    if (m_stack.size() == 1 && m_state.destination == Destination::Text)
        m_closingParagraph = m_state.paragraph;
    m_state = m_stack.takeLast();
}

void Parser::controlWord(QStringView word, bool hasParameter, int parameter)
{
    const bool ignorable = std::exchange(m_nextIsIgnorable, false);
    const bool on = !hasParameter || parameter != 0;
    CharacterState &ch = m_state.character;

    if (m_charactersToSkip > 0) {
        --m_charactersToSkip; // a control word stands for one fallback character
        return;
    }
    if (m_state.destination == Destination::Skipped)
        return;

    if (m_state.destination == Destination::BulletFormat) {
        // The bullet belongs to the paragraph around the "\pn" group. The
        // program knows bullets only: numbered paragraphs get one too.
        if (word == u"pnlvlblt" || word == u"pnlvlbody") {
            for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
                if (it->destination != Destination::BulletFormat) {
                    it->paragraph.bullet = true;
                    break;
                }
            }
        }
        return;
    }
    if (word == u"u") {
        // UTF-16 units as signed 16-bit numbers; anything else is no character.
        const bool valid = parameter >= -32768 && parameter <= 65535;
        character(valid ? QChar(char16_t(parameter < 0 ? parameter + 65536 : parameter)) : QChar::ReplacementCharacter);
        m_charactersToSkip = m_state.unicodeSkip;
        return;
    }
    if (word == u"uc") {
        m_state.unicodeSkip = qMax(0, parameter);
        return;
    }
    if (word == u"fonttbl") {
        m_state.destination = Destination::FontTable;
    } else if (word == u"colortbl") {
        m_state.destination = Destination::ColorTable;
        m_tableColor = QColor();
    } else if (word == u"pn") {
        m_state.destination = Destination::BulletFormat;
    } else if (ignorable || std::find(std::begin(skippedDestinations), std::end(skippedDestinations), word)
                                != std::end(skippedDestinations)) {
        m_state.destination = Destination::Skipped;
    } else if (m_state.destination == Destination::FontTable) {
        if (word == u"f") {
            m_tableFont = parameter;
            m_fonts[m_tableFont] = Font();
        } else if (word == u"fcharset") {
            m_fonts[m_tableFont].codePage = CodePages::ofCharset(parameter);
        } else if (word == u"cpg") {
            m_fonts[m_tableFont].codePage = qMax(0, parameter);
        }
    } else if (m_state.destination == Destination::ColorTable) {
        if (!m_tableColor.isValid())
            m_tableColor = QColor(0, 0, 0);
        const int component = qBound(0, parameter, 255);
        if (word == u"red")
            m_tableColor.setRed(component);
        else if (word == u"green")
            m_tableColor.setGreen(component);
        else if (word == u"blue")
            m_tableColor.setBlue(component);
    } else if (const auto named = std::find_if(std::begin(namedCharacters), std::end(namedCharacters),
                                               [word](const NamedCharacter &n) { return n.word == word; });
               named != std::end(namedCharacters)) {
        character(QChar(named->character));
    } else if (word == u"ansicpg") {
        if (parameter > 0)
            m_codePage = parameter;
    } else if (word == u"deff") {
        m_defaultFont = parameter;
        ch.font = parameter;
    } else if (word == u"plain") {
        ch = CharacterState();
        ch.font = m_defaultFont;
    } else if (word == u"f") {
        ch.font = parameter;
    } else if (word == u"fs") {
        ch.halfPoints = hasParameter ? qBound(2, parameter, 3276) : defaultHalfPoints;
    } else if (word == u"cf") {
        ch.color = parameter;
    } else if (word == u"highlight" || word == u"chcbpat" || word == u"cb") {
        ch.highlight = parameter;
    } else if (word == u"b") {
        ch.bold = on;
    } else if (word == u"i") {
        ch.italic = on;
    } else if (word == u"ul") {
        ch.underline = on;
    } else if (word == u"ulnone") {
        ch.underline = false;
    } else if (word == u"strike") {
        ch.strikeOut = on;
    } else if (word == u"super") {
        ch.verticalAlignment = on ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal;
    } else if (word == u"sub") {
        ch.verticalAlignment = on ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal;
    } else if (word == u"nosupersub") {
        ch.verticalAlignment = QTextCharFormat::AlignNormal;
    } else {
        paragraphWord(word, hasParameter, parameter);
    }
}

// Paragraph marks and formats, and the ends of table cells and rows.
void Parser::paragraphWord(QStringView word, bool hasParameter, int parameter)
{
    ParagraphState &para = m_state.paragraph;
    if (word == u"par" || word == u"cell" || word == u"nestcell") {
        // A cell is a paragraph of its own, as other readers show it.
        endParagraph();
    } else if (word == u"row" || word == u"nestrow") {
        if (!m_current.runs.isEmpty())
            endParagraph();
    } else if (word == u"pard") {
        para = ParagraphState();
        m_state.nextTabType = QTextOption::LeftTab;
    } else if (word == u"ql") {
        para.alignment = Qt::AlignLeft;
    } else if (word == u"qc") {
        para.alignment = Qt::AlignHCenter;
    } else if (word == u"qr") {
        para.alignment = Qt::AlignRight;
    } else if (word == u"qj") {
        para.alignment = Qt::AlignJustify;
    } else if (word == u"li") {
        para.leftIndentTwips = twips(parameter);
    } else if (word == u"ri") {
        para.rightIndentTwips = twips(parameter);
    } else if (word == u"fi") {
        para.firstIndentTwips = twips(parameter);
    } else if (word == u"sb") {
        para.spaceBeforeTwips = qBound(0, parameter, maxTwips);
    } else if (word == u"sa") {
        para.spaceAfterTwips = qBound(0, parameter, maxTwips);
    } else if (word == u"sl") {
        para.lineSpacing = twips(parameter);
    } else if (word == u"slmult") {
        para.lineMultiple = !hasParameter || parameter != 0;
    } else if (word == u"tqr") {
        m_state.nextTabType = QTextOption::RightTab;
    } else if (word == u"tqc") {
        m_state.nextTabType = QTextOption::CenterTab;
    } else if (word == u"tqdec") {
        m_state.nextTabType = QTextOption::DelimiterTab;
    } else if (word == u"tx" || word == u"tb") {
        // Bar tabs draw a line the document cannot show; they are no stops.
        if (word == u"tx")
            addTabStop(para.tabs, parameter, m_state.nextTabType);
        m_state.nextTabType = QTextOption::LeftTab;
    } else if (word == u"ls") {
        // Lists of other writers; numbered ones get bullets as well.
        para.bullet = parameter > 0;
    }
}

void Parser::controlSymbol(QChar symbol)
{
    if (symbol == u'*') {
        m_nextIsIgnorable = true;
    } else if (symbol == u'\'') {
        int value = 0;
        int digits = 0;
        for (; digits < 2 && m_pos < m_rtf.size(); ++digits) {
            const int digit = hexDigit(m_rtf[m_pos]);
            if (digit < 0)
                break;
            value = value * 16 + digit;
            ++m_pos;
        }
        if (digits == 0)
            return; // a broken escape stands for nothing
        character(decodeByte(quint8(value)));
    } else if (symbol == u'~') {
        character(QChar::Nbsp);
    } else if (symbol == u'_') {
        character(QChar(0x2011)); // non-breaking hyphen
    } else if (symbol == u'-') {
        character(QChar::SoftHyphen); // optional hyphen, kept as the soft hyphen
    } else if (symbol == u'\\' || symbol == u'{' || symbol == u'}') {
        character(symbol);
    } else if (symbol == u'\r' || symbol == u'\n') {
        // "\" before a line break is a paragraph mark in old writers
        if (m_state.destination == Destination::Text && m_charactersToSkip == 0)
            endParagraph();
    }
}

// The code page of the bytes at this point: the current font's, else the
// document's. In the font table it is that of the font being named.
int Parser::codePage() const
{
    const int font = m_state.destination == Destination::FontTable ? m_tableFont : m_state.character.font;
    const int own = m_fonts.value(font).codePage;
    return own != 0 ? own : m_codePage;
}

QChar Parser::decodeByte(quint8 byte) const
{
    return CodePages::decode(codePage(), byte);
}

// Rich text is 7-bit; an 8-bit character in the source is a byte of the
// code page that was read as Windows-1252, as the play files are.
QChar Parser::fromSource(QChar c) const
{
    if (c.unicode() < 0x80 || !Cp1252::canEncode(c))
        return c;
    return decodeByte(quint8(Cp1252::encode(QStringView(&c, 1)).at(0)));
}

void Parser::character(QChar c)
{
    if (m_charactersToSkip > 0) {
        --m_charactersToSkip;
        return;
    }
    switch (m_state.destination) {
    case Destination::Text:
        if (m_current.runs.isEmpty() || m_current.runs.last().character != m_state.character)
            m_current.runs.append(Run{QString(), m_state.character});
        m_current.runs.last().text += c;
        break;
    case Destination::FontTable:
        if (c == u';')
            m_fonts[m_tableFont].name = m_fonts[m_tableFont].name.trimmed();
        else if (m_fonts[m_tableFont].name.size() < 256)
            m_fonts[m_tableFont].name += c;
        break;
    case Destination::ColorTable:
        if (c == u';' && m_colors.size() < 65536) {
            m_colors.append(m_tableColor);
            m_tableColor = QColor();
        }
        break;
    case Destination::BulletFormat:
    case Destination::Skipped:
        break;
    }
}

void Parser::endParagraph()
{
    m_current.format = m_state.paragraph;
    m_paragraphs.append(std::exchange(m_current, Paragraph()));
}

QColor Parser::tableColor(int index) const
{
    return index > 0 && index < m_colors.size() ? m_colors[index] : QColor();
}

QTextCharFormat Parser::charFormat(const CharacterState &state) const
{
    QTextCharFormat format;
    const QString family = m_fonts.value(state.font).name;
    format.setFontFamilies({family.isEmpty() ? QStringLiteral("Arial") : family});
    format.setFontPointSize(state.halfPoints / 2.0);
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontUnderline(state.underline);
    format.setFontStrikeOut(state.strikeOut);
    format.setVerticalAlignment(state.verticalAlignment);
    if (const QColor color = tableColor(state.color); color.isValid())
        format.setForeground(color);
    if (const QColor highlight = tableColor(state.highlight); highlight.isValid())
        format.setBackground(highlight);
    return format;
}

QTextBlockFormat blockFormat(const ParagraphState &paragraph)
{
    QTextBlockFormat format;
    format.setAlignment(paragraph.alignment);
    format.setLeftMargin(paragraph.leftIndentTwips / 20.0);
    format.setRightMargin(paragraph.rightIndentTwips / 20.0);
    format.setTextIndent(paragraph.firstIndentTwips / 20.0);
    format.setTopMargin(paragraph.spaceBeforeTwips / 20.0);
    format.setBottomMargin(paragraph.spaceAfterTwips / 20.0);
    if (paragraph.lineSpacing < 0)
        format.setLineHeight(-paragraph.lineSpacing / 20.0, QTextBlockFormat::FixedHeight);
    else if (paragraph.lineSpacing > 0 && paragraph.lineMultiple)
        format.setLineHeight(paragraph.lineSpacing * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
    else if (paragraph.lineSpacing > 0)
        format.setLineHeight(paragraph.lineSpacing / 20.0, QTextBlockFormat::MinimumHeight);
    if (!paragraph.tabs.isEmpty())
        format.setTabPositions(paragraph.tabs);
    return format;
}

void Parser::fill(QTextDocument &document) const
{
    document.clear();
    QTextCursor cursor(&document);
    QList<Paragraph> paragraphs = m_paragraphs;
    // Text after the last paragraph mark is a paragraph of its own; an empty
    // remainder is only the end of the document.
    if (paragraphs.size() > 1 && paragraphs.last().runs.isEmpty())
        paragraphs.removeLast();
    QTextList *list = nullptr;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        const Paragraph &paragraph = paragraphs[i];
        if (i == 0)
            cursor.setBlockFormat(blockFormat(paragraph.format));
        else
            cursor.insertBlock(blockFormat(paragraph.format));
        if (!paragraph.format.bullet)
            list = nullptr;
        else if (list)
            list->add(cursor.block());
        else
            list = cursor.createList(QTextListFormat::ListDisc);
        for (const Run &run : paragraph.runs)
            cursor.insertText(run.text, charFormat(run.character));
    }
}

} // namespace

namespace RtfReader {

void read(QStringView rtf, QTextDocument &document)
{
    Parser parser(rtf);
    parser.parse();
    parser.fill(document);
}

} // namespace RtfReader
