#include "command.h"
#include "playinput.h"
#include "settingsinput.h"

#include "render/sketch.h"
#include "render/sketchimageexporter.h"

#include <QFileInfo>

#include <cmath>

namespace {

const char *const Usage =
    "usage: quorvane-cli render FILE --sequence N [--zoom Z] [--smooth F] [--grey] "
    "[--settings FOLDER] -o OUT.png\n"
    "       FILE is a .dat or .qvb play; Z > 0 (default 1); F is 0, 1, 2, 4 or 8 (default 0)\n";

struct RenderOptions {
    QString file;
    QString output;
    QString settingsFolder;
    int sequence = 0;
    double zoom = 1;
    int smooth = 0;
    bool grey = false;
};

bool parseOptions(const QStringList &arguments, RenderOptions &options)
{
    bool sound = true;
    for (qsizetype i = 0; i < arguments.size() && sound; ++i) {
        const QString &argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        const QString value = hasValue ? arguments.at(i + 1) : QString();
        bool number = true;
        if (argument == u"--grey") {
            options.grey = true;
            continue;
        }
        if (argument == u"--sequence" && hasValue)
            options.sequence = value.toInt(&number);
        else if (argument == u"--zoom" && hasValue)
            options.zoom = value.toDouble(&number);
        else if (argument == u"--smooth" && hasValue)
            options.smooth = value.toInt(&number);
        else if (argument == u"--settings" && hasValue)
            options.settingsFolder = value;
        else if (argument == u"-o" && hasValue)
            options.output = value;
        else if (!argument.startsWith(u'-') && options.file.isEmpty()) {
            options.file = argument;
            continue;
        } else
            return false;
        sound = number && !value.isEmpty();
        ++i;
    }
    return sound && !options.file.isEmpty() && !options.output.isEmpty()
           && QFileInfo(options.output).suffix().compare(u"png", Qt::CaseInsensitive) == 0
           && options.sequence >= 1 && !sketchSize(options.zoom).isEmpty()
           && (options.smooth == 0 || options.smooth == 1 || options.smooth == 2
               || options.smooth == 4 || options.smooth == 8);
}

} // namespace

int runRenderCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    RenderOptions options;
    if (!parseOptions(arguments, options)) {
        err << Usage;
        return CliExit::Usage;
    }

    PlaySnapshot play;
    QList<ParamRow> settings;
    if (!options.settingsFolder.isEmpty()) {
        if (const int status = readSettingsFile(options.settingsFolder, settings, err); status != CliExit::Ok)
            return status;
    }
    play.useSettings(settings);
    if (const int status = loadPlayInput(options.file, play, err); status != CliExit::Ok)
        return status;
    if (const int status = checkSequence(play, options.file, options.sequence, err); status != CliExit::Ok)
        return status;

    SketchImageExporter exporter(play, {options.sequence, options.zoom, options.smooth, options.grey});
    NoProgress progress;
    const ExportError error = exportToFile(exporter, options.output, progress);
    if (options.smooth > 0 && exporter.smoothingUsed() != options.smooth)
        err << "quorvane-cli: smoothing by " << options.smooth << " failed; smoothed by "
            << exporter.smoothingUsed() << " instead\n";
    if (error.failed()) {
        err << "quorvane-cli: " << error.message << '\n';
        return CliExit::BadInput;
    }
    return CliExit::Ok;
}
