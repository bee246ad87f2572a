#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Small text routines shared by the file readers, the exports and the mail.

// Removes CR LF pairs from the end of a text, and the empty paragraphs that
// a rich text keeps before its closing brace.
QString remove_enter(QString text);

// The lines of a text. CR LF, a lone CR, a lone LF and the Unicode line and
// paragraph separators all end a line; a break at the very end does not
// start another, empty line.
QStringList splitLines(QStringView text);

// The text with every line break (as splitLines counts them) replaced.
QString replaceLineBreaks(QStringView text, QStringView replacement);
