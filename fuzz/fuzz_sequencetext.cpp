// Feeds any text to the rich text reader the way a sequence text reaches the
// editors, and checks the take-over: the text stored for what was shown,
// shown again and taken over again, must be stored identically. Any breach
// aborts, so the fuzzer keeps the input.
#include "text/cp1252.h"
#include "text/sequencetext.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Laying out a document needs the font database of a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Play files are Windows-1252; half the inputs start as rich text.
    QString text = Cp1252::decode(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (size > 0 && data[0] % 2 == 0)
        text.prepend(QStringLiteral("{\\rtf1\\ansi "));

    QTextDocument shown;
    SequenceText::load(text, shown);
    const QString stored = SequenceText::takeOver(shown);
    for (const QChar c : stored) {
        if (c.unicode() > 0x7f)
            std::abort(); // stored rich text is 7-bit only
    }
    QTextDocument again;
    SequenceText::load(stored, again);
    if (SequenceText::takeOver(again) != stored)
        std::abort();
    return 0;
}
