#include "command.h"
#include "playinput.h"
#include "settingsinput.h"

#include "model/courts.h"
#include "render/renderer.h"
#include "render/sketch.h"
#include "store/datamodule.h"

#include <QFileInfo>
#include <QSaveFile>

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

    Tables tables;
    DataModule data(tables);
    if (const int status = loadSettingsInput(options.settingsFolder, tables.params, err);
        status != CliExit::Ok)
        return status;
    PlayRow header;
    QString version;
    if (const int status = loadPlayInput(options.file, data, header, version, err); status != CliExit::Ok)
        return status;
    if (data.getdrawingnr(options.sequence) <= 0) {
        err << "quorvane-cli: " << options.file << " has no sequence " << options.sequence
            << " (it has " << data.sequencecount() << ")\n";
        return CliExit::BadInput;
    }
    if (options.grey) {
        for (PartRow &part : tables.parts) {
            if (isCourt(part.Type))
                part.Graphicnr = blackAndWhiteTwin(part.Graphicnr);
        }
    }

    // Court plug-in pictures live beside the desktop program; here their
    // courts fall back to the built-in pools (no program folder: no
    // plug-ins, whatever the current folder holds).
    RenderContext context(data, QString());
    QImage picture;
    if (options.smooth > 0) {
        // The smoothing of exported images, with its fallback to lower factors.
        const SmoothPicture smooth = sketchImage(options.zoom, options.sequence, options.smooth, context);
        picture = smooth.image;
        if (smooth.factor != options.smooth)
            err << "quorvane-cli: smoothing by " << options.smooth << " failed; smoothed by "
                << smooth.factor << " instead\n";
    } else {
        getimage(picture, options.zoom, options.sequence, context);
    }
    if (picture.isNull()) {
        const QSize size = sketchSize(options.zoom);
        err << "quorvane-cli: cannot make a picture of " << size.width() << " x " << size.height()
            << " pixels\n";
        return CliExit::BadInput;
    }

    QSaveFile file(options.output);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        err << "quorvane-cli: cannot write " << options.output << ": " << file.errorString() << '\n';
        return CliExit::BadInput;
    }
    return CliExit::Ok;
}
