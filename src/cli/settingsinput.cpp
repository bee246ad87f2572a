#include "settingsinput.h"

#include "command.h"
#include "store/packet/datapacketfile.h"
#include "store/defaultsettings.h"
#include "store/packet/tablepackets.h"

#include <QDir>

#include <algorithm>

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

int loadSettingsInput(const QString &folder, QList<ParamRow> &rows, QTextStream &err)
{
    rows.clear();
    if (!folder.isEmpty()) {
        if (const int code = readSettingsFile(folder, rows, err); code != CliExit::Ok)
            return code;
    }
    for (const DefaultSetting &setting : defaultSettings()) {
        const QString key = QString::fromLatin1(setting.key);
        const bool present = std::any_of(rows.cbegin(), rows.cend(), [&key](const ParamRow &row) {
            return row.Type.compare(key, Qt::CaseInsensitive) == 0;
        });
        if (!present)
            rows.append({key, QString::fromLatin1(setting.text), setting.filled, setting.number});
    }
    return CliExit::Ok;
}
