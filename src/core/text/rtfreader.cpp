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
    explicit Parser(QStringView rtf) : input(rtf) {}

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

    QStringView input;
    qsizetype pos = 0;
    GroupState groupState;
    QList<GroupState> stack;
    int ignoredDepth = 0; // groups opened beyond maxGroupDepth
    bool nextIsIgnorable = false; // "\*" seen
    int charactersToSkip = 0; // after "\uN"

    int documentCodePage = 1252; // "\ansicpg"
    int defaultFont = 0; // "\deff"
    QHash<int, Font> fonts; // by number
    int tableFont = 0;
    QList<QColor> colors;
    QColor colorEntry;

    QList<Paragraph> finished;
    Paragraph unfinished;
    // The paragraph format in force when the document's group closed: a
    // text that ends without "\par" keeps it for its last paragraph.
    std::optional<ParagraphState> closingParagraph;
};

void Parser::parse()
{
    while (pos < input.size()) {
        const QChar c = input[pos++];
        if (ignoredDepth > 0) {
            if (c == u'{')
                ++ignoredDepth;
            else if (c == u'}')
                --ignoredDepth;
            else if (c == u'\\' && pos < input.size())
                ++pos; // an escaped brace must not count
            continue;
        }
        if (c == u'{') {
            openGroup();
        } else if (c == u'}') {
            closeGroup();
        } else if (c == u'\\') {
            if (pos >= input.size())
                break;
            const QChar next = input[pos];
            if (next.isLetter() && next.unicode() < 0x80) {
                const qsizetype start = pos;
                while (pos < input.size() && input[pos].isLetter() && input[pos].unicode() < 0x80)
                    ++pos;
                const QStringView word = input.sliced(start, pos - start);
                bool hasParameter = false;
                const int parameter = readParameter(hasParameter);
                if (pos < input.size() && input[pos] == u' ')
                    ++pos; // the delimiter belongs to the word
                controlWord(word, hasParameter, parameter);
            } else {
                ++pos;
                controlSymbol(next);
            }
        } else if (c != u'\r' && c != u'\n') {
            character(fromSource(c));
        }
    }
    unfinished.format = closingParagraph.value_or(groupState.paragraph);
    finished.append(std::exchange(unfinished, Paragraph()));
}

int Parser::readParameter(bool &hasParameter)
{
    bool negative = false;
    if (pos < input.size() && input[pos] == u'-') {
        negative = true;
        ++pos;
    }
    qint64 value = 0;
    int digits = 0;
    while (pos < input.size() && input[pos].isDigit() && input[pos].unicode() < 0x80) {
        if (digits++ < maxParameterDigits)
            value = value * 10 + input[pos].digitValue();
        ++pos;
    }
    hasParameter = digits > 0;
    return int(negative ? -value : value);
}

void Parser::openGroup()
{
    charactersToSkip = 0; // a group ends the fallback of "\uN"
    if (stack.size() >= maxGroupDepth) {
        ignoredDepth = 1;
        return;
    }
    stack.append(groupState);
    nextIsIgnorable = false;
}

void Parser::closeGroup()
{
    charactersToSkip = 0;
    nextIsIgnorable = false;
    if (stack.isEmpty())
        return; // stray brace
    if (groupState.destination == Destination::ColorTable && stack.last().destination != Destination::ColorTable)
        colorEntry = QColor();
    if (stack.size() == 1 && groupState.destination == Destination::Text)
        closingParagraph = groupState.paragraph;
    groupState = stack.takeLast();
}

void Parser::controlWord(QStringView word, bool hasParameter, int parameter)
{
    const bool ignorable = std::exchange(nextIsIgnorable, false);
    const bool on = !hasParameter || parameter != 0;
    CharacterState &ch = groupState.character;

    if (charactersToSkip > 0) {
        --charactersToSkip; // a control word stands for one fallback character
        return;
    }
    if (groupState.destination == Destination::Skipped)
        return;

    if (groupState.destination == Destination::BulletFormat) {
        // The bullet belongs to the paragraph around the "\pn" group. The
        // program knows bullets only: numbered paragraphs get one too.
        if (word == u"pnlvlblt" || word == u"pnlvlbody") {
            for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
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
        charactersToSkip = groupState.unicodeSkip;
        return;
    }
    if (word == u"uc") {
        groupState.unicodeSkip = qMax(0, parameter);
        return;
    }
    if (word == u"fonttbl") {
        groupState.destination = Destination::FontTable;
    } else if (word == u"colortbl") {
        groupState.destination = Destination::ColorTable;
        colorEntry = QColor();
    } else if (word == u"pn") {
        groupState.destination = Destination::BulletFormat;
    } else if (ignorable || std::find(std::begin(skippedDestinations), std::end(skippedDestinations), word)
                                != std::end(skippedDestinations)) {
        groupState.destination = Destination::Skipped;
    } else if (groupState.destination == Destination::FontTable) {
        if (word == u"f") {
            tableFont = parameter;
            fonts[tableFont] = Font();
        } else if (word == u"fcharset") {
            fonts[tableFont].codePage = CodePages::ofCharset(parameter);
        } else if (word == u"cpg") {
            fonts[tableFont].codePage = qMax(0, parameter);
        }
    } else if (groupState.destination == Destination::ColorTable) {
        if (!colorEntry.isValid())
            colorEntry = QColor(0, 0, 0);
        const int component = qBound(0, parameter, 255);
        if (word == u"red")
            colorEntry.setRed(component);
        else if (word == u"green")
            colorEntry.setGreen(component);
        else if (word == u"blue")
            colorEntry.setBlue(component);
    } else if (const auto named = std::find_if(std::begin(namedCharacters), std::end(namedCharacters),
                                               [word](const NamedCharacter &n) { return n.word == word; });
               named != std::end(namedCharacters)) {
        character(QChar(named->character));
    } else if (word == u"ansicpg") {
        if (parameter > 0)
            documentCodePage = parameter;
    } else if (word == u"deff") {
        defaultFont = parameter;
        ch.font = parameter;
    } else if (word == u"plain") {
        ch = CharacterState();
        ch.font = defaultFont;
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
    ParagraphState &para = groupState.paragraph;
    if (word == u"par" || word == u"cell" || word == u"nestcell") {
        // A cell is a paragraph of its own, as other readers show it.
        endParagraph();
    } else if (word == u"row" || word == u"nestrow") {
        if (!unfinished.runs.isEmpty())
            endParagraph();
    } else if (word == u"pard") {
        para = ParagraphState();
        groupState.nextTabType = QTextOption::LeftTab;
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
        groupState.nextTabType = QTextOption::RightTab;
    } else if (word == u"tqc") {
        groupState.nextTabType = QTextOption::CenterTab;
    } else if (word == u"tqdec") {
        groupState.nextTabType = QTextOption::DelimiterTab;
    } else if (word == u"tx" || word == u"tb") {
        // Bar tabs draw a line the document cannot show; they are no stops.
        if (word == u"tx")
            addTabStop(para.tabs, parameter, groupState.nextTabType);
        groupState.nextTabType = QTextOption::LeftTab;
    } else if (word == u"ls") {
        // Lists of other writers; numbered ones get bullets as well.
        para.bullet = parameter > 0;
    }
}

void Parser::controlSymbol(QChar symbol)
{
    if (symbol == u'*') {
        nextIsIgnorable = true;
    } else if (symbol == u'\'') {
        int value = 0;
        int digits = 0;
        for (; digits < 2 && pos < input.size(); ++digits) {
            const int digit = hexDigit(input[pos]);
            if (digit < 0)
                break;
            value = value * 16 + digit;
            ++pos;
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
        if (groupState.destination == Destination::Text && charactersToSkip == 0)
            endParagraph();
    }
}

// The code page of the bytes at this point: the current font's, else the
// document's. In the font table it is that of the font being named.
int Parser::codePage() const
{
    const int font = groupState.destination == Destination::FontTable ? tableFont : groupState.character.font;
    const int own = fonts.value(font).codePage;
    return own != 0 ? own : documentCodePage;
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
    if (charactersToSkip > 0) {
        --charactersToSkip;
        return;
    }
    switch (groupState.destination) {
    case Destination::Text:
        if (unfinished.runs.isEmpty() || unfinished.runs.last().character != groupState.character)
            unfinished.runs.append(Run{QString(), groupState.character});
        unfinished.runs.last().text += c;
        break;
    case Destination::FontTable:
        if (c == u';')
            fonts[tableFont].name = fonts[tableFont].name.trimmed();
        else if (fonts[tableFont].name.size() < 256)
            fonts[tableFont].name += c;
        break;
    case Destination::ColorTable:
        if (c == u';' && colors.size() < 65536) {
            colors.append(colorEntry);
            colorEntry = QColor();
        }
        break;
    case Destination::BulletFormat:
    case Destination::Skipped:
        break;
    }
}

void Parser::endParagraph()
{
    unfinished.format = groupState.paragraph;
    finished.append(std::exchange(unfinished, Paragraph()));
}

QColor Parser::tableColor(int index) const
{
    return index > 0 && index < colors.size() ? colors[index] : QColor();
}

QTextCharFormat Parser::charFormat(const CharacterState &state) const
{
    QTextCharFormat format;
    const QString family = fonts.value(state.font).name;
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
    QList<Paragraph> paragraphs = finished;
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
