#include "store/exporter.h"

#include <QSaveFile>

ExportError exportToFile(Exporter &exporter, const QString &path, ExportProgress &progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {ExportError::Kind::CannotWrite, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString())};
    if (ExportError error = exporter.write(file, progress); error.failed()) {
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return {ExportError::Kind::CannotWrite, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString())};
    return {};
}
