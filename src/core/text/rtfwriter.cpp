#include "text/rtfwriter.h"

#include "text/cp1252.h"

#include <QColor>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace {

constexpr int defaultHalfPoints = 20; // 10 pt, the control's default

struct CharacterState {
    int font = -1;
    int halfPoints = -1;
    int color = -1;
    int highlight = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QTextCharFormat::VerticalAlignment verticalAlignment = QTextCharFormat::AlignNormal;
};

struct ParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndentTwips = 0;
    int rightIndentTwips = 0;
    int firstIndentTwips = 0;
    int spaceBeforeTwips = 0;
    int spaceAfterTwips = 0;
    int lineSpacing = 0; // as "\sl" takes it
    bool lineMultiple = false; // "\slmult1"
    QList<QTextOption::Tab> tabs;
    bool bullet = false;

    bool operator==(const ParagraphState &) const = default;
};

QString familyOf(const QTextCharFormat &format)
{
    const QStringList families = format.fontFamilies().toStringList();
    QString family = families.isEmpty() ? QString() : families.first();
    // The table ends each name with ";" and has no escape for it; blanks
    // around a name do not survive reading it back.
    family = family.remove(u';').trimmed();
    return family.isEmpty() ? QStringLiteral("Arial") : family;
}

bool isSymbolFont(const QString &family)
{
    return family == u"Symbol" || family.startsWith(u"Wingdings") || family == u"Webdings";
}

ParagraphState paragraphOf(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    ParagraphState state;
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    state.alignment = horizontal & Qt::AlignJustify  ? Qt::AlignJustify
                      : horizontal & Qt::AlignHCenter ? Qt::AlignHCenter
                      : horizontal & Qt::AlignRight   ? Qt::AlignRight
                                                      : Qt::AlignLeft;
    state.leftIndentTwips = qRound(format.leftMargin() * 20);
    state.rightIndentTwips = qRound(format.rightMargin() * 20);
    state.firstIndentTwips = qRound(format.textIndent() * 20);
    state.spaceBeforeTwips = qRound(format.topMargin() * 20);
    state.spaceAfterTwips = qRound(format.bottomMargin() * 20);
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        state.lineSpacing = qRound(format.lineHeight() * 240 / 100);
        state.lineMultiple = true;
        break;
    case QTextBlockFormat::MinimumHeight:
        state.lineSpacing = qRound(format.lineHeight() * 20);
        break;
    case QTextBlockFormat::FixedHeight:
        state.lineSpacing = -qRound(format.lineHeight() * 20);
        break;
    default:
        break;
    }
    state.tabs = format.tabPositions();
    state.bullet = block.textList() != nullptr;
    return state;
}

// A character that is neither a tab nor a line break, as 7-bit text. In a
// symbol font a byte is the glyph's number, not a Windows-1252 character.
void appendCharacter(QString &rtf, QChar c, bool symbolFont)
{
    const char16_t u = c.unicode();
    if (u == u'\\' || u == u'{' || u == u'}') {
        rtf += u'\\';
        rtf += c;
    } else if (u >= 0x20 && u < 0x7F) {
        rtf += c;
    } else if (symbolFont ? u <= 0xFF : Cp1252::canEncode(c)) {
        const quint8 byte = symbolFont ? quint8(u) : quint8(Cp1252::encode(QStringView(&c, 1)).at(0));
        rtf += QStringLiteral("\\'%1").arg(byte, 2, 16, QLatin1Char('0'));
    } else {
        // Each UTF-16 unit as a signed number, with "?" for readers that
        // know no Unicode (\uc1 announces the one character).
        rtf += QStringLiteral("\\u%1?").arg(qint16(u));
    }
}

class Writer {
public:
    explicit Writer(const QTextDocument &document);
    QString write();

private:
    void collectTables();
    QString header() const;
    void writeParagraph(const QTextBlock &block);
    void writeParagraphFormat(const ParagraphState &paragraph);
    void writeCharacterChanges(const QTextCharFormat &format);
    void writeText(QStringView text);
    void word(QStringView controlWord);

    QList<QTextBlock> blocks;
    QStringList fonts;
    QList<QColor> colors;
    int bulletFont = -1;
    QString body;
    bool needsDelimiter = false; // a control word waits for its blank
    CharacterState lastCharacter;
    ParagraphState lastParagraph;
    bool firstParagraph = true;
};

Writer::Writer(const QTextDocument &document)
{
    // Trailing empty paragraphs are left out: the stored text never keeps
    // them, and taking a text over twice must give the same text.
    QTextBlock last = document.lastBlock();
    while (last != document.firstBlock() && last.length() <= 1)
        last = last.previous();
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        blocks.append(block);
        if (block == last)
            break;
    }
    collectTables();
}

void Writer::collectTables()
{
    bool bullets = false;
    for (const QTextBlock &block : blocks) {
        bullets = bullets || block.textList();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!fonts.contains(familyOf(format)))
                fonts.append(familyOf(format));
            for (const QBrush &brush : {format.foreground(), format.background()}) {
                if (brush.style() != Qt::NoBrush && !colors.contains(brush.color()))
                    colors.append(brush.color());
            }
        }
    }
    if (fonts.isEmpty())
        fonts.append(QStringLiteral("Arial"));
    if (bullets) {
        bulletFont = fonts.indexOf(QStringLiteral("Symbol"));
        if (bulletFont < 0) {
            bulletFont = fonts.size();
            fonts.append(QStringLiteral("Symbol"));
        }
    }
}

QString Writer::header() const
{
    QString header = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl");
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        header += QStringLiteral("{\\f%1\\fnil\\fcharset%2 ").arg(i).arg(isSymbolFont(fonts[i]) ? 2 : 0);
        for (const QChar c : fonts[i])
            appendCharacter(header, c, isSymbolFont(fonts[i]));
        header += QStringLiteral(";}");
    }
    header += QStringLiteral("}\r\n");
    if (!colors.isEmpty()) {
        header += QStringLiteral("{\\colortbl ;");
        for (const QColor &color : colors)
            header += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(color.red()).arg(color.green()).arg(color.blue());
        header += QStringLiteral("}\r\n");
    }
    return header + QStringLiteral("\\viewkind4\\uc1");
}

void Writer::word(QStringView controlWord)
{
    body += u'\\';
    body += controlWord;
    needsDelimiter = true;
}

void Writer::writeParagraph(const QTextBlock &block)
{
    const ParagraphState paragraph = paragraphOf(block);
    const QString bulletText = QStringLiteral("{\\pntext\\f%1\\'B7\\tab}").arg(bulletFont);
    if (firstParagraph || !(paragraph == lastParagraph)) {
        word(u"pard");
        if (paragraph.bullet) {
            body += bulletText;
            body += QStringLiteral("{\\*\\pn\\pnlvlblt\\pnf%1\\pnindent0{\\pntxtb\\'B7}}").arg(bulletFont);
            needsDelimiter = false;
        }
        writeParagraphFormat(paragraph);
    } else if (paragraph.bullet) {
        body += bulletText;
        needsDelimiter = false;
    }
    lastParagraph = paragraph;
    firstParagraph = false;

    for (auto it = block.begin(); !it.atEnd(); ++it) {
        writeCharacterChanges(it.fragment().charFormat());
        writeText(it.fragment().text());
    }
    word(u"par");
    body += QStringLiteral("\r\n");
    needsDelimiter = false;
}

// The words after "\pard" for what differs from a plain paragraph.
void Writer::writeParagraphFormat(const ParagraphState &paragraph)
{
    const auto distance = [this](const char *name, int twips) {
        if (twips != 0)
            word(QString(QLatin1String(name) + QString::number(twips)));
    };
    distance("fi", paragraph.firstIndentTwips);
    distance("li", paragraph.leftIndentTwips);
    distance("ri", paragraph.rightIndentTwips);
    distance("sb", paragraph.spaceBeforeTwips);
    distance("sa", paragraph.spaceAfterTwips);
    if (paragraph.lineSpacing != 0) {
        distance("sl", paragraph.lineSpacing);
        word(paragraph.lineMultiple ? u"slmult1" : u"slmult0");
    }
    for (const QTextOption::Tab &tab : paragraph.tabs) {
        if (tab.type == QTextOption::RightTab)
            word(u"tqr");
        else if (tab.type == QTextOption::CenterTab)
            word(u"tqc");
        else if (tab.type == QTextOption::DelimiterTab)
            word(u"tqdec");
        word(QStringLiteral("tx%1").arg(qRound(tab.position * 20)));
    }
    if (paragraph.alignment == Qt::AlignHCenter)
        word(u"qc");
    else if (paragraph.alignment == Qt::AlignRight)
        word(u"qr");
    else if (paragraph.alignment == Qt::AlignJustify)
        word(u"qj");
}

void Writer::writeCharacterChanges(const QTextCharFormat &format)
{
    CharacterState next;
    next.font = int(fonts.indexOf(familyOf(format)));
    next.halfPoints = format.hasProperty(QTextFormat::FontPointSize) ? qRound(format.fontPointSize() * 2)
                                                                       : defaultHalfPoints;
    next.color = format.foreground().style() == Qt::NoBrush ? 0
                                                            : int(colors.indexOf(format.foreground().color())) + 1;
    next.highlight = format.background().style() == Qt::NoBrush
                         ? 0
                         : int(colors.indexOf(format.background().color())) + 1;
    next.bold = format.fontWeight() >= QFont::DemiBold;
    next.italic = format.fontItalic();
    next.underline = format.fontUnderline();
    next.strikeOut = format.fontStrikeOut();
    next.verticalAlignment = format.verticalAlignment();
    if (next.verticalAlignment != QTextCharFormat::AlignSuperScript && next.verticalAlignment != QTextCharFormat::AlignSubScript)
        next.verticalAlignment = QTextCharFormat::AlignNormal;

    CharacterState &now = lastCharacter;
    if (next.color != now.color && !(now.color < 0 && colors.isEmpty()))
        word(QStringLiteral("cf%1").arg(next.color));
    if (next.font != now.font)
        word(QStringLiteral("f%1").arg(next.font));
    if (next.halfPoints != now.halfPoints)
        word(QStringLiteral("fs%1").arg(next.halfPoints));
    if (next.highlight != now.highlight)
        word(QStringLiteral("highlight%1").arg(next.highlight));
    if (next.bold != now.bold)
        word(next.bold ? u"b" : u"b0");
    if (next.italic != now.italic)
        word(next.italic ? u"i" : u"i0");
    if (next.underline != now.underline)
        word(next.underline ? u"ul" : u"ulnone");
    if (next.strikeOut != now.strikeOut)
        word(next.strikeOut ? u"strike" : u"strike0");
    if (next.verticalAlignment != now.verticalAlignment) {
        word(next.verticalAlignment == QTextCharFormat::AlignSuperScript ? u"super"
             : next.verticalAlignment == QTextCharFormat::AlignSubScript ? u"sub"
                                                                           : u"nosupersub");
    }
    now = next;
}

void Writer::writeText(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\t') {
            word(u"tab");
            continue;
        }
        if (u == QChar::LineSeparator) {
            word(u"line");
            continue;
        }
        if (u == QChar::ObjectReplacementCharacter || u == QChar::ParagraphSeparator)
            continue;
        if (needsDelimiter) {
            body += u' ';
            needsDelimiter = false;
        }
        appendCharacter(body, c, isSymbolFont(fonts.value(lastCharacter.font)));
    }
}

QString Writer::write()
{
    for (const QTextBlock &block : blocks)
        writeParagraph(block);
    return header() + body + QStringLiteral("}\r\n");
}

} // namespace

namespace RtfWriter {

QString write(const QTextDocument &document)
{
    return Writer(document).write();
}

} // namespace RtfWriter
