#include "command.h"

#include "store/datapacketfile.h"
#include "store/tablepackets.h"

#include <QDir>

#include <algorithm>

int runSettingsCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 1) {
        err << "usage: quorvane-cli settings FOLDER\n";
        return CliExit::Usage;
    }
    const QString path = QDir(arguments.first()).filePath(QStringLiteral("wparam.xml"));

    DataPacket packet;
    QString error;
    if (DataPacketFile::read(path, packet, &error) != DataPacketFile::Status::Ok) {
        err << "quorvane-cli: " << error << '\n';
        return CliExit::BadInput;
    }
    if (const QString missing = TablePackets::missingField(packet, TablePackets::paramLayout());
        !missing.isEmpty()) {
        err << "quorvane-cli: " << path << " is not a settings file: it has no field \"" << missing
            << "\"\n";
        return CliExit::BadInput;
    }

    QList<ParamRow> rows = TablePackets::paramRows(packet);
    std::stable_sort(rows.begin(), rows.end(), [](const ParamRow &a, const ParamRow &b) {
        const int folded = a.Type.compare(b.Type, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.Type < b.Type;
    });
    for (const ParamRow &row : rows) {
        out << escapeField(row.Type) << '\t' << escapeField(row.Htext) << '\t'
            << (row.Filled ? '1' : '0') << '\t' << row.Color << '\n';
    }
    return CliExit::Ok;
}
