#include "store/packet/datapacketfile.h"

#include "store/packet/binarypacket.h"
#include "store/packet/xmlpacket.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool isXml(const QString &path)
{
    return path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive);
}

} // namespace

DataPacketFile::Status DataPacketFile::read(const QString &path, DataPacket &packet, QString *error)
{
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        *error = QStringLiteral("%1 does not exist").arg(path);
        return Status::Missing;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot open %1: %2").arg(path, file.errorString());
        return Status::Unreadable;
    }
    QString problem;
    const bool ok = isXml(path) ? XmlPacket::read(file, packet, &problem)
                                : BinaryPacket::read(file, packet, &problem);
    if (!ok) {
        *error = QStringLiteral("%1 is damaged: %2").arg(path, problem);
        return Status::Damaged;
    }
    return Status::Ok;
}

bool DataPacketFile::write(const QString &path, const DataPacket &packet, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    QString problem;
    const bool ok = isXml(path) ? XmlPacket::write(packet, file, &problem)
                                : BinaryPacket::write(packet, file, &problem);
    if (!ok) {
        file.cancelWriting();
        *error = QStringLiteral("Cannot write %1: %2").arg(path, problem);
        return false;
    }
    if (!file.commit()) {
        *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
