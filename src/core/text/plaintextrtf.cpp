#include "text/plaintextrtf.h"

#include "text/cp1252.h"
#include "text/textroutines.h"

namespace {

void appendEscaped(QString &rtf, QStringView line)
{
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            rtf += u'\\';
            rtf += c;
        } else if (u == u'\t') {
            rtf += QLatin1String("\\tab ");
        } else if (u >= 0x20 && u < 0x7F) {
            rtf += c;
        } else if (Cp1252::canEncode(c)) {
            const QByteArray byte = Cp1252::encode(QStringView(&c, 1));
            rtf += QLatin1String("\\'") + QString::number(quint8(byte[0]), 16).rightJustified(2, u'0');
        } else {
            // Outside the code page: a Unicode escape with "?" for readers
            // that do not know it (\uc1 announces the one character).
            rtf += QLatin1String("\\u") + QString::number(qint16(u)) + u'?';
        }
    }
}

} // namespace

QString plainTextToRtf(QStringView text)
{
    QString rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
                                 "\\viewkind4\\uc1\\pard\\f0\\fs20 ");
    // Every paragraph ends in its mark, the last one too.
    for (const QString &line : splitLines(text)) {
        appendEscaped(rtf, line);
        rtf += QLatin1String("\\par\r\n");
    }
    rtf += u'}';
    return rtf;
}
