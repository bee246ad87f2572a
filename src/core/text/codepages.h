#pragma once

#include <QChar>

// The single-byte Windows code pages that rich text names with "\ansicpg",
// "\cpg" and "\fcharset": 874 (Thai) and 1250 to 1258. Qt 6 has no codecs
// for them without ICU, so the tables are our own.
namespace CodePages {

// Windows' number for the symbol character set: its bytes are glyph
// numbers of a symbol font, kept as they are (U+0000 to U+00FF).
constexpr int Symbol = 42;

// The code page of a font character set ("\fcharsetN"); 0 when the set
// names none of its own and the document's code page applies.
int ofCharset(int charset);

// The character of a byte in a code page. Code pages without a table (the
// multi-byte ones among them) decode as Windows-1252; a byte the code page
// leaves undefined is U+FFFD.
QChar decode(int codePage, quint8 byte);

} // namespace CodePages
