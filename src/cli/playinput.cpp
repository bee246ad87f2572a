#include "playinput.h"

#include "command.h"
#include "store/playfile/playfile.h"
#include "store/playstore.h"
#include "text/linereader.h"

#include <QFile>
#include <QFileInfo>

bool isExchangeFileName(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("qvb"), Qt::CaseInsensitive) == 0;
}

int loadPlayInput(const QString &path, DataModule &data, PlayRow &header, QString &version,
                  QTextStream &err)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "quorvane-cli: cannot read " << path << ": " << file.errorString() << '\n';
        return CliExit::BadInput;
    }
    if (!isExchangeFileName(path)) {
        const PlayReadError error = PlayFile::read(file, data, header, &version);
        if (error == PlayReadError::None)
            return CliExit::Ok;
        // The program names the play; here the file stands for it.
        err << PlayStore::corruptMessage(error, QFileInfo(path).completeBaseName()) << '\n';
        return CliExit::BadInput;
    }
    const PlayReadError error = ExchangeFile::read(file, data, header, &version);
    if (error == PlayReadError::None)
        return CliExit::Ok;
    if (error == PlayReadError::Version) {
        file.seek(0);
        LineReader lines(file);
        lines.next();
        err << ExchangeFile::notSupportedMessage(lines.line()) << '\n';
    } else {
        err << ExchangeFile::corruptMessage(path) << '\n';
    }
    return CliExit::BadInput;
}
