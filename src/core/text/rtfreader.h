#pragma once

#include <QStringView>

class QTextDocument;

// Reads rich text as the Windows rich edit control writes it into a
// document: fonts, sizes, colours and highlights, the character styles, the
// typographic characters, alignment, indents, spacing, tab stops and bullet
// paragraphs. Bytes are read in the code page of their font or document;
// lists of other writers become bullets, table cells paragraphs. Anything
// else is skipped. The input is treated as hostile: nesting and counts are
// bounded and every loop ends with the input.
namespace RtfReader {

// Replaces the document's content.
void read(QStringView rtf, QTextDocument &document);

} // namespace RtfReader
