#include "text/textroutines.h"

namespace {

bool isBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Length of the line break at i (CR LF counts as one), 0 when none.
qsizetype breakLength(QStringView text, qsizetype i)
{
    if (!isBreak(text[i]))
        return 0;
    return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
}

} // namespace

QString remove_enter(QString text)
{
    while (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    if (text.endsWith(QLatin1String(" }"))) {
        text.chop(1);
        while (text.endsWith(u' '))
            text.chop(1);
        text += QLatin1String(" }");
    }
    if (text.endsWith(u'}')) {
        text.chop(1);
        while (text.endsWith(QLatin1String("\r\n\\par ")))
            text.chop(7);
        text += u'}';
    }
    return text;
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (const qsizetype length = breakLength(text, i)) {
            lines.append(text.sliced(lineStart, i - lineStart).toString());
            i += length;
            lineStart = i;
        } else {
            ++i;
        }
    }
    if (lineStart < text.size())
        lines.append(text.sliced(lineStart).toString());
    return lines;
}

QString replaceLineBreaks(QStringView text, QStringView replacement)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (const qsizetype length = breakLength(text, i)) {
            result += replacement;
            i += length;
        } else {
            result += text[i++];
        }
    }
    return result;
}
