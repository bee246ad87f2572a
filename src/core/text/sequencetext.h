#pragma once

#include <QString>

class QTextDocument;

// How a sequence text travels between the sequences table and the text
// editors. The table keeps rich text in the shape the Windows rich edit
// control writes; older plays may hold plain text instead.
namespace SequenceText {

// The stored text as the editors get it: bullet residue and trailing empty
// paragraphs removed.
QString forDisplay(const QString &stored);

// Loads a stored text into a document: rich text when it is one, else the
// text as it stands.
void load(const QString &stored, QTextDocument &document);

// The text to store for an edited document.
QString takeOver(const QTextDocument &document);

// The document as plain text: one line per paragraph, bulleted paragraphs
// starting with "• ".
QString plain(const QTextDocument &document);

} // namespace SequenceText
