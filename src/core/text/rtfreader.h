#pragma once

#include <QStringView>

class QTextDocument;

// Reads rich text as the Windows rich edit control writes it into a
// document: fonts, sizes, colours, the character styles, alignment, indents
// and bullet paragraphs. Anything else is skipped. The input is treated as
// hostile: nesting is bounded and every loop ends with the input.
namespace RtfReader {

// Replaces the document's content.
void read(QStringView rtf, QTextDocument &document);

} // namespace RtfReader
