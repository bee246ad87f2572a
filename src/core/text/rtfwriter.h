#pragma once

#include <QString>

class QTextDocument;

// Writes a document as the Windows rich edit control does: the header with
// the code page, the font and colour tables, one "\par" and CR LF per
// paragraph with its indents, spacing, tab stops and alignment, bullets as
// "\pntext" with the "\pn" destination, highlights from the colour table,
// and only 7-bit characters ("\'hh" for the code page, "\uN?" beyond it).
// Other routines search these byte patterns in the stored texts.
namespace RtfWriter {

QString write(const QTextDocument &document);

} // namespace RtfWriter
