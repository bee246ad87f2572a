#include "text/sequencetext.h"

#include "text/rtfcleaner.h"
#include "text/rtfreader.h"
#include "text/rtfwriter.h"
#include "text/textroutines.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace SequenceText {

QString forDisplay(const QString &stored)
{
    return remove_enter(removeBulletResidue(stored));
}

void load(const QString &stored, QTextDocument &document)
{
    const QString text = forDisplay(stored);
    if (text.startsWith(QLatin1String("{\\rtf")))
        RtfReader::read(text, document);
    else
        document.setPlainText(text);
    // A stored text ends in an empty paragraph ("\par\pard }"); shown, it
    // would come back one paragraph longer at every take-over.
    while (document.blockCount() > 1 && document.lastBlock().text().isEmpty()) {
        QTextCursor cursor(document.lastBlock());
        cursor.movePosition(QTextCursor::PreviousCharacter);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

QString takeOver(const QTextDocument &document)
{
    return takeOverRtf(RtfWriter::write(document));
}

QString plain(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line = block.text();
        // Soft line breaks inside a paragraph become line breaks too.
        line.replace(QChar::LineSeparator, u'\n');
        if (block.textList())
            line.prepend(QStringLiteral("\u2022 "));
        lines.append(line);
    }
    return lines.join(u'\n');
}

} // namespace SequenceText
