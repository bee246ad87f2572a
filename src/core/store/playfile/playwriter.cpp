#include "store/playfile/playwriter.h"

#include "store/datamodule.h"
#include "store/playfile/playkeys.h"
#include "text/linewriter.h"
#include "text/textroutines.h"

#include <QHash>

#include <algorithm>

namespace {

// A value of a one-line field: a line break would end it early.
QString oneLine(const QString &value)
{
    return replaceLineBreaks(value, {});
}

// True when the line ends in an RTF control word ("\par", "\fs20"), whose
// end a line break marks; text joined to it then needs a blank in between.
bool endsInControlWord(QStringView line)
{
    qsizetype i = line.size();
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const auto isLetter = [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    const qsizetype digitsEnd = i;
    while (i > 0 && isDigit(line[i - 1]))
        --i;
    if (i < digitsEnd && i > 0 && line[i - 1] == u'-')
        --i;
    const qsizetype lettersEnd = i;
    while (i > 0 && isLetter(line[i - 1]))
        --i;
    if (i == lettersEnd)
        return false;
    // The backslash in front must not itself be escaped ("\\par" is text).
    qsizetype backslashes = 0;
    while (i - backslashes > 0 && line[i - 1 - backslashes] == u'\\')
        ++backslashes;
    return backslashes % 2 == 1;
}

// The lines of a memo text, broken where a reader of the file breaks them (at
// CR LF and at a lone LF), so that what is read back is what was written.
QStringList fileLines(const QString &text)
{
    QStringList lines = text.split(u'\n');
    // Every piece but the last ended in LF, with the CR of a CR LF before it.
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].endsWith(u'\r'))
            lines[i].chop(1);
    }
    if (lines.last().isEmpty())
        lines.removeLast(); // a break at the very end starts no line
    return lines;
}

// The lines of a memo text such that none begins with the key that ends the
// memo. In rich text line breaks carry no meaning, so such a line joins the
// last line before it that is not empty; in other texts it gets a blank in
// front.
QStringList memoLines(const QString &text, QLatin1StringView endKey)
{
    const bool richText = text.startsWith(QLatin1String("{\\rtf"));
    QStringList lines;
    for (QString &line : fileLines(text)) {
        if (!PlayKeys::begins(line, endKey)) {
            lines.append(std::move(line));
            continue;
        }
        if (richText) {
            while (!lines.isEmpty() && lines.last().isEmpty())
                lines.removeLast();
        }
        if (richText && !lines.isEmpty())
            lines.last() += (endsInControlWord(lines.last()) ? QStringLiteral(" ") : QString()) + line;
        else
            lines.append(u' ' + line);
    }
    return lines;
}

// The intro as the one line the section holds: readers of the index take
// the intro in pairs of lines, the first of a pair being text and the second
// ending the section when it is the type line, so the section must hold an
// odd number of lines. Line breaks become blanks (empty lines carry nothing
// then), and a line that would read as the type line gets a blank in front.
QString introLine(const QString &intro)
{
    QStringList lines = splitLines(intro);
    lines.removeAll(QString());
    QString line = lines.join(u' ');
    if (PlayKeys::begins(line, PlayKeys::Type))
        line.prepend(u' ');
    return line;
}

} // namespace

void PlayWriter::keyed(QLatin1StringView key, const QString &value)
{
    out.write(QString(key + value));
}

void PlayWriter::field(QLatin1StringView key, const QString &value)
{
    if (layout == Layout::Record)
        out.write(QString(key + value));
    else
        out.write(value);
}

void PlayWriter::field(QLatin1StringView key, int value)
{
    field(key, QString::number(value));
}

void PlayWriter::memo(QLatin1StringView key, const QString &text, QLatin1StringView endKey)
{
    out.write(QString(key));
    for (const QString &line : memoLines(text, endKey))
        out.write(line);
}

void PlayWriter::write(const DataModule &data, const PlayRow &header, const QString &category,
                       const QString &name)
{
    using namespace PlayKeys;
    const Tables &tables = data.tables();

    out.write(QString(Intro));
    out.write(introLine(header.Intro));
    keyed(Type, oneLine(header.Type));
    keyed(Category, oneLine(category));
    keyed(Playname, oneLine(name));
    keyed(NrSeq, QString::number(tables.sequences.size()));
    field(Quality, header.Quality);
    field(Nrplayers, header.Nrplayers);
    field(Nrballs, header.Nrballs);
    field(Agegroup, header.Agegroup);
    field(Hide, header.Hide);
    field(Subcat1, oneLine(header.Subcat1));
    field(Subcat2, oneLine(header.Subcat2));
    field(Subcat3, oneLine(header.Subcat3));
    field(Createdby, oneLine(header.Createdby));
    field(Credate, oneLine(header.Credate));
    field(Moddate, oneLine(header.Moddate));
    field(Drilltime, oneLine(header.Drilltime));
    field(Extra1, oneLine(header.Extra1));

    // Sequences by number; parts of a sketch in the order they were added.
    QList<const SequenceRow *> sequences;
    for (const SequenceRow &row : tables.sequences)
        sequences.append(&row);
    std::stable_sort(sequences.begin(), sequences.end(),
                     [](const SequenceRow *a, const SequenceRow *b) { return a->Sequence < b->Sequence; });
    QHash<int, QList<const PartRow *>> partsOf;
    for (const PartRow &part : tables.parts)
        partsOf[part.Drawingnr].append(&part);

    for (const SequenceRow *sequence : std::as_const(sequences)) {
        const QList<const PartRow *> parts = partsOf.value(sequence->Drawingnr);
        field(Animation, sequence->Animationonly ? QStringLiteral("Yes") : QStringLiteral("No"));
        memo(Text, sequence->Text, Focus);
        memo(Focus, sequence->Focus, NrParts);
        keyed(NrParts, QString::number(parts.size()));
        field(Extra2, oneLine(sequence->Extra2));
        for (const PartRow *part : parts) {
            field(Graphicnr, part->Graphicnr);
            field(PartType, oneLine(part->Type));
            field(X1, part->x1);
            field(Y1, part->y1);
            field(X2, part->x2);
            field(Y2, part->y2);
            field(Thickness, part->thickness);
            field(Rotation, part->rotation);
            field(Arrow, part->arrow);
            field(Color, part->color);
            field(Color2, part->color2);
            field(Playtext, replaceLineBreaks(part->tekst, u"|"));
            field(Fontname, oneLine(part->fontname));
            field(Tagnr, part->tagnr);
            field(Level, part->level);
            field(Transpar, part->transparent);
            field(Extra3, oneLine(part->extra3));
            field(Extra4, oneLine(part->extra4));
        }
    }
}
