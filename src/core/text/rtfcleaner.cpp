#include "text/rtfcleaner.h"

#include "text/textroutines.h"

#include <QRegularExpression>

namespace {

// Occurrences followed by a control word or a blank go first, then the rest
// (including those the first pass has just formed).
void replaceResidue(QString &rtf, const QString &residue, const QString &replacement)
{
    const QRegularExpression beforeDelimiter(QRegularExpression::escape(residue) + QStringLiteral("(?=[\\\\ ])"));
    rtf.replace(beforeDelimiter, replacement);
    rtf.replace(residue, replacement);
}

} // namespace

QString removeBulletResidue(QString rtf)
{
    for (int font = 0; font <= 20; ++font) {
        const QString mark = QStringLiteral("{\\pntext\\f%1\\'B7\\tab}").arg(font);
        replaceResidue(rtf, mark + QStringLiteral("\\pard\\'b7\\tab"), QStringLiteral("\\pard"));
        replaceResidue(rtf, mark + QStringLiteral("\\pard"), QStringLiteral("\\pard"));
        replaceResidue(rtf, mark + u'}', QStringLiteral("}"));
    }
    return rtf;
}

QString takeOverRtf(QString rtf)
{
    rtf = removeBulletResidue(std::move(rtf));
    for (QString previous; previous != rtf;) {
        previous = rtf;
        rtf = remove_enter(rtf);
    }
    rtf.chop(1);
    return rtf + QStringLiteral("\\par\\pard }");
}
