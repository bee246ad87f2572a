#include "command.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const CliCommand commands[] = {
    {"settings", "settings FOLDER", runSettingsCommand},
    {"scan", "scan FOLDER", runScanCommand},
    {"dump", "dump FILE", runDumpCommand},
    {"convert", "convert FILE -o OUT", runConvertCommand},
    {"render",
     "render FILE --sequence N [--zoom Z] [--smooth F] [--grey] [--settings FOLDER] -o OUT.png",
     runRenderCommand, true},
    {"text", "text FILE --sequence N [--format plain|rtf]", runTextCommand, true},
};

void printUsage(QTextStream &err)
{
    err << "usage: quorvane-cli --version\n";
    for (const CliCommand &command : commands)
        err << "       quorvane-cli " << command.usage << '\n';
}

} // namespace

QString escapeField(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': escaped += QLatin1String("\\\\"); break;
        case '\t': escaped += QLatin1String("\\t"); break;
        case '\r': escaped += QLatin1String("\\r"); break;
        case '\n': escaped += QLatin1String("\\n"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

namespace {

const CliCommand *commandNamed(const char *name)
{
    for (const CliCommand &command : commands) {
        if (std::strcmp(name, command.name) == 0)
            return &command;
    }
    return nullptr;
}

// What a script reads on stderr is the tool's own text only: Qt's notes
// about the machine (such as "XDG_RUNTIME_DIR not set" where no desktop
// session runs) are left out. A fatal one still ends the program.
void keepQtQuiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "quorvane-cli: %s\n", qPrintable(message));
}

// A command that needs fonts gets a GUI application on the offscreen
// platform when none is chosen, so no display is needed. The other commands
// stay plain console programs.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    const CliCommand *command = argc < 2 ? nullptr : commandNamed(argv[1]);
    if (!command || !command->needsFonts)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(keepQtQuiet);
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList arguments = app->arguments().mid(1);
    if (arguments.isEmpty()) {
        printUsage(err);
        return CliExit::Usage;
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--version")) {
        out << "quorvane-cli " << QUORVANE_VERSION_TEXT << '\n';
        return CliExit::Ok;
    }
    if (const CliCommand *command = commandNamed(name.toUtf8().constData()))
        return command->run(arguments, out, err);
    err << "quorvane-cli: unknown command \"" << name << "\"\n";
    printUsage(err);
    return CliExit::Usage;
}
