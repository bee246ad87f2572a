#include "text/rtfreader.h"

#include "text/cp1252.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {

// Deeper groups than this are skipped whole; the control writes a handful.
constexpr int maxGroupDepth = 64;
// Numeric parameters are cut to this many digits, so no number overflows.
constexpr int maxParameterDigits = 9;
constexpr int defaultHalfPoints = 24;

enum class Destination { Text, FontTable, ColorTable, BulletFormat, Skipped };

struct CharacterState {
    int font = 0;
    int halfPoints = defaultHalfPoints;
    int color = 0;
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
    int firstIndentTwips = 0;
    bool bullet = false;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharacterState character;
    ParagraphState paragraph;
    int unicodeSkip = 1;
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

class Parser {
public:
    explicit Parser(QStringView rtf) : m_rtf(rtf) {}

    void parse();
    void fill(QTextDocument &document) const;

private:
    void openGroup();
    void closeGroup();
    void controlWord(QStringView word, bool hasParameter, int parameter);
    void controlSymbol(QChar symbol);
    void character(QChar c);
    void endParagraph();
    int readParameter(bool &hasParameter);
    QTextCharFormat charFormat(const CharacterState &state) const;

    QStringView m_rtf;
    qsizetype m_pos = 0;
    GroupState m_state;
    QList<GroupState> m_stack;
    int m_ignoredDepth = 0; // groups opened beyond maxGroupDepth
    bool m_nextIsIgnorable = false; // "\*" seen
    int m_charactersToSkip = 0; // after "\uN"

    QHash<int, QString> m_fonts; // by number; \fcharset needs nothing, the text is 7-bit
    int m_tableFont = 0;
    QList<QColor> m_colors;
    QColor m_tableColor;

    QList<Paragraph> m_paragraphs;
    Paragraph m_current;
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
            character(c);
        }
    }
    endParagraph();
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
    m_state = m_stack.takeLast();
}

void Parser::controlWord(QStringView word, bool hasParameter, int parameter)
{
    const bool ignorable = std::exchange(m_nextIsIgnorable, false);
    const bool on = !hasParameter || parameter != 0;
    CharacterState &ch = m_state.character;
    ParagraphState &para = m_state.paragraph;

    if (m_charactersToSkip > 0 && m_state.destination == Destination::Text) {
        --m_charactersToSkip; // a control word stands for one fallback character
        return;
    }
    if (m_state.destination == Destination::Skipped)
        return;

    if (m_state.destination == Destination::BulletFormat) {
        // The bullet belongs to the paragraph around the "\pn" group.
        if (word == u"pnlvlblt") {
            for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
                if (it->destination != Destination::BulletFormat) {
                    it->paragraph.bullet = true;
                    break;
                }
            }
        }
        return;
    }
    if (word == u"fonttbl") {
        m_state.destination = Destination::FontTable;
    } else if (word == u"colortbl") {
        m_state.destination = Destination::ColorTable;
        m_tableColor = QColor();
    } else if (word == u"pn") {
        m_state.destination = Destination::BulletFormat;
    } else if (ignorable || word == u"pntext" || word == u"stylesheet" || word == u"info" || word == u"pict"
               || word == u"object" || word == u"header" || word == u"footer" || word == u"footnote"
               || word == u"listtable" || word == u"listoverridetable" || word == u"pntxtb"
               || word == u"pntxta") {
        m_state.destination = Destination::Skipped;
    } else if (m_state.destination == Destination::FontTable) {
        if (word == u"f") {
            m_tableFont = parameter;
            m_fonts[m_tableFont].clear();
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
    } else if (word == u"par") {
        endParagraph();
    } else if (word == u"pard") {
        para = ParagraphState();
    } else if (word == u"plain") {
        ch = CharacterState();
    } else if (word == u"f") {
        ch.font = parameter;
    } else if (word == u"fs") {
        ch.halfPoints = hasParameter ? qBound(2, parameter, 3276) : defaultHalfPoints;
    } else if (word == u"cf") {
        ch.color = parameter;
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
    } else if (word == u"ql") {
        para.alignment = Qt::AlignLeft;
    } else if (word == u"qc") {
        para.alignment = Qt::AlignHCenter;
    } else if (word == u"qr") {
        para.alignment = Qt::AlignRight;
    } else if (word == u"li") {
        para.leftIndentTwips = parameter;
    } else if (word == u"fi") {
        para.firstIndentTwips = parameter;
    } else if (word == u"tab") {
        character(u'\t');
    } else if (word == u"line") {
        character(QChar::LineSeparator);
    } else if (word == u"bullet") {
        character(QChar(0x2022));
    } else if (word == u"uc") {
        m_state.unicodeSkip = qMax(0, parameter);
    } else if (word == u"u") {
        character(QChar(char16_t(parameter < 0 ? parameter + 65536 : parameter)));
        m_charactersToSkip = m_state.unicodeSkip;
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
        const char byte = char(value);
        character(Cp1252::decode(QByteArrayView(&byte, 1)).at(0));
    } else if (symbol == u'~') {
        character(QChar::Nbsp);
    } else if (symbol == u'\\' || symbol == u'{' || symbol == u'}') {
        character(symbol);
    } else if (symbol == u'\r' || symbol == u'\n') {
        // "\" before a line break is a paragraph mark in old writers
        if (m_state.destination == Destination::Text && m_charactersToSkip == 0)
            endParagraph();
    }
}

void Parser::character(QChar c)
{
    if (m_charactersToSkip > 0 && m_state.destination == Destination::Text) {
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
            m_fonts[m_tableFont] = m_fonts[m_tableFont].trimmed();
        else if (m_fonts[m_tableFont].size() < 256)
            m_fonts[m_tableFont] += c;
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

QTextCharFormat Parser::charFormat(const CharacterState &state) const
{
    QTextCharFormat format;
    const QString family = m_fonts.value(state.font);
    format.setFontFamilies({family.isEmpty() ? QStringLiteral("Arial") : family});
    format.setFontPointSize(state.halfPoints / 2.0);
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontUnderline(state.underline);
    format.setFontStrikeOut(state.strikeOut);
    format.setVerticalAlignment(state.verticalAlignment);
    if (state.color > 0 && state.color < m_colors.size() && m_colors[state.color].isValid())
        format.setForeground(m_colors[state.color]);
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
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(paragraph.format.alignment);
        blockFormat.setLeftMargin(paragraph.format.leftIndentTwips / 20.0);
        blockFormat.setTextIndent(paragraph.format.firstIndentTwips / 20.0);
        if (i == 0)
            cursor.setBlockFormat(blockFormat);
        else
            cursor.insertBlock(blockFormat);
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
