#include "settingsinput.h"

#include "command.h"
#include "store/packet/datapacketfile.h"
#include "store/packet/tablepackets.h"

#include <QDir>

int readSettingsFile(const QString &folder, QList<ParamRow> &rows, QTextStream &err)
{
    const QString path = QDir(folder).filePath(QStringLiteral("wparam.xml"));
    DataPacket packet;
    QString error;
    if (DataPacketFile::read(path, packet, &error) != DataPacketFile::Status::Ok) {
        err << "quorvane-cli: " << error << '\n';
        return CliExit::BadInput;
    }
    if (const QString missing = TablePackets::missingField(packet, TablePackets::paramLayout());
        !missing.isEmpty()) {
        err << "quorvane-cli: " << path << " is not a settings file: it has no field \""
            << missing << "\"\n";
        return CliExit::BadInput;
    }
    rows = TablePackets::paramRows(packet);
    return CliExit::Ok;
}
