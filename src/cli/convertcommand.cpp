#include "command.h"
#include "playinput.h"

#include "platform/clock.h"
#include "store/datamodule.h"
#include "store/playfile/playfile.h"

#include <QFileInfo>
#include <QSaveFile>

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

    Tables tables;
    DataModule data(tables);
    PlayRow header;
    QString version;
    if (const int status = loadPlayInput(source, data, header, version, err); status != CliExit::Ok)
        return status;

    QSaveFile file(outPath);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && target == QLatin1String("qvb"))
        written = ExchangeFile::write(file, data, header, header.Category, header.Drillname);
    else if (written)
        written = PlayFile::write(file, data, header, header.Category, header.Drillname, SystemClock().nowText());
    if (!written || !file.commit()) {
        err << "quorvane-cli: cannot write " << outPath << ": " << file.errorString() << '\n';
        return CliExit::BadInput;
    }
    return CliExit::Ok;
}
