#include "command.h"
#include "playinput.h"

#include "store/playsnapshot.h"
#include "text/sequencetext.h"

#include <QTextDocument>

#include <optional>

namespace {

const char *const Usage = "usage: quorvane-cli text FILE --sequence N [--format plain|rtf]\n"
                          "       FILE is a .dat or .qvb play; N counts from 1\n";

enum class TextFormat { Plain, Rtf };

struct TextOptions {
    QString file;
    std::optional<int> sequence;
    std::optional<TextFormat> format;
};

std::optional<int> positiveNumber(const QString &value)
{
    bool number = false;
    const int n = value.toInt(&number, 10);
    if (!number || n < 1)
        return std::nullopt;
    return n;
}

std::optional<TextFormat> formatNamed(const QString &value)
{
    if (value == u"plain")
        return TextFormat::Plain;
    if (value == u"rtf")
        return TextFormat::Rtf;
    return std::nullopt;
}

// Each option at most once; a repeated one is as wrong as an unknown one,
// since a script that gives two values means one of them.
bool parseOptions(const QStringList &arguments, TextOptions &options)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(u'-') && options.file.isEmpty()) {
            options.file = argument;
            continue;
        }
        if (i + 1 >= arguments.size())
            return false;
        const QString &value = arguments.at(++i);
        if (argument == u"--sequence" && !options.sequence) {
            options.sequence = positiveNumber(value);
            if (!options.sequence)
                return false;
        } else if (argument == u"--format" && !options.format) {
            options.format = formatNamed(value);
            if (!options.format)
                return false;
        } else {
            return false;
        }
    }
    return !options.file.isEmpty() && options.sequence;
}

} // namespace

int runTextCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    TextOptions options;
    if (!parseOptions(arguments, options)) {
        err << Usage;
        return CliExit::Usage;
    }

    PlaySnapshot play;
    if (const int status = loadPlayInput(options.file, play, err); status != CliExit::Ok)
        return status;
    const int sequence = *options.sequence;
    if (const int status = checkSequence(play, options.file, sequence, err); status != CliExit::Ok)
        return status;

    QString stored;
    play.data.getseqtext(sequence, stored);
    QTextDocument document;
    SequenceText::load(stored, document);
    if (options.format.value_or(TextFormat::Plain) == TextFormat::Plain) {
        out << SequenceText::plain(document) << '\n';
        return CliExit::Ok;
    }
    // The stored text exactly, CR LF inside included; a line feed after it
    // unless it ends in a line break already, so that the output is a
    // complete line for the tools that read it.
    const QString rtf = SequenceText::takeOver(document);
    out << rtf;
    if (!rtf.endsWith(u'\n'))
        out << '\n';
    return CliExit::Ok;
}
