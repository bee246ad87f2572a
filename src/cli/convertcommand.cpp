#include "command.h"
#include "playinput.h"

#include "platform/clock.h"
#include "store/playfile/playfileexporter.h"

#include <QFileInfo>

int runConvertCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString outPath = arguments.value(2);
    const QString target = QFileInfo(outPath).suffix().toLower();
    if (arguments.size() != 3 || arguments[1] != QLatin1String("-o")
        || (target != QLatin1String("dat") && target != QLatin1String("qvb"))) {
        err << "usage: quorvane-cli convert FILE -o OUT   (OUT ends in .dat or .qvb)\n";
        return CliExit::Usage;
    }
    const QString source = arguments.first();

    PlaySnapshot play;
    if (const int status = loadPlayInput(source, play, err); status != CliExit::Ok)
        return status;

    PlayFileExporter exporter(play, PlaySnapshot::formatOf(outPath), SystemClock().nowText());
    NoProgress progress;
    if (const ExportError error = exportToFile(exporter, outPath, progress); error.failed()) {
        err << "quorvane-cli: " << error.message << '\n';
        return CliExit::BadInput;
    }
    return CliExit::Ok;
}
