#include "store/playnames.h"

#include "text/cp1252.h"

namespace {

bool removedFromPaths(QChar c)
{
    switch (c.unicode()) {
    case '*': case '|': case '\\': case ':': case '<': case '>': case '/':
        return true;
    default:
        return false;
    }
}

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator
        || c == QChar::ParagraphSeparator;
}

} // namespace

QString PlayNames::removechars(const QString &text)
{
    QString kept = text;
    kept.removeIf(removedFromPaths);
    return kept;
}

QString PlayNames::replacechars(const QString &text)
{
    QString replaced = text;
    for (QChar &c : replaced) {
        if (c == u'`' || c == u'"' || c == u'\'' || c == u'|')
            c = u'_';
    }
    return replaced;
}

QString PlayNames::diskName(const QString &name)
{
    QString kept = removechars(name);
    kept.removeIf(isControl);
    kept = Cp1252::decode(Cp1252::encode(kept));
    qsizetype first = 0;
    while (first < kept.size() && kept.at(first) == u'.')
        ++first;
    qsizetype end = kept.size();
    while (end > first && (kept.at(end - 1) == u'.' || kept.at(end - 1) == u' '))
        --end;
    return kept.mid(first, end - first);
}

QString PlayNames::fileKey(const QString &category, const QString &name)
{
    const QString folder = diskName(category);
    const QString file = diskName(name);
    if (folder.isEmpty() || file.isEmpty())
        return {};
    return folder.toLower() + u'/' + file.toLower();
}
