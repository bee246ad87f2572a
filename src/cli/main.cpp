#include "command.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const CliCommand commands[] = {
    {"settings", "settings FOLDER", runSettingsCommand},
    {"scan", "scan FOLDER", runScanCommand},
    {"dump", "dump FILE", runDumpCommand},
    {"convert", "convert FILE -o OUT", runConvertCommand},
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

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty()) {
        printUsage(err);
        return CliExit::Usage;
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--version")) {
        out << "quorvane-cli " << QUORVANE_VERSION_TEXT << '\n';
        return CliExit::Ok;
    }
    for (const CliCommand &command : commands) {
        if (name == QLatin1String(command.name))
            return command.run(arguments, out, err);
    }
    err << "quorvane-cli: unknown command \"" << name << "\"\n";
    printUsage(err);
    return CliExit::Usage;
}
