#include "store/datafiles.h"

#include "platform/prompter.h"
#include "store/controllimits.h"
#include "store/packet/datapacketfile.h"
#include "store/packet/tablepackets.h"

#include <QDir>

DataFiles::DataFiles(const QString &computedDataFolder, const QString &controlFolder,
                     Prompter &prompter)
    : graphicFilePath(QDir(computedDataFolder).filePath(GraphicFile)),
      paramFilePath(QDir(computedDataFolder).filePath(ParamFile)),
      controlFilePath(QDir(controlFolder).filePath(ControlFile)),
      prompter(prompter)
{
}

bool DataFiles::SetDatasets(QString *error)
{
    DataPacket graphic, param, control;
    const bool ok = DataPacketFile::read(graphicFilePath, graphic, error) == DataPacketFile::Status::Ok
                    && DataPacketFile::read(paramFilePath, param, error) == DataPacketFile::Status::Ok
                    && DataPacketFile::read(controlFilePath, control, error) == DataPacketFile::Status::Ok;
    if (!ok)
        return false;
    graphicTwin = std::move(graphic);
    paramTwin = std::move(param);
    controlTwin = std::move(control);
    return true;
}

void DataFiles::FillGraphDataset(Tables &tables) const
{
    tables.graphics.append(TablePackets::graphRows(graphicTwin));
}

void DataFiles::FillParamDataset(Tables &tables) const
{
    tables.params.append(TablePackets::paramRows(paramTwin));
}

void DataFiles::FillControlDataset(Tables &tables) const
{
    bool dropped = false;
    for (const ControlRow &row : TablePackets::controlRows(controlTwin)) {
        if (testfield(row.Type) && testfield(row.LoginName) && testfield(row.ComputerName)
            && row.TypeCount >= 0 && row.TypeCount <= MaxControlTypeCount)
            tables.controls.append(row);
        else
            dropped = true;
    }
    // One message for the whole file: a damaged file may hold many such rows.
    if (dropped)
        prompter.inform(QStringLiteral("Something went wrong CDS"));
}

bool DataFiles::SaveGraphDataset(const Tables &tables, QString *error)
{
    return save(graphicFilePath, TablePackets::fromRows(tables.graphics), graphicTwin, error);
}

bool DataFiles::SaveParamDataset(const Tables &tables, QString *error)
{
    return save(paramFilePath, TablePackets::fromRows(tables.params), paramTwin, error);
}

bool DataFiles::SaveControlDataset(const Tables &tables, QString *error)
{
    return save(controlFilePath, TablePackets::fromRows(tables.controls), controlTwin, error);
}

bool DataFiles::save(const QString &path, const DataPacket &packet, DataPacket &twin, QString *error)
{
    if (!DataPacketFile::write(path, packet, error))
        return false;
    twin = packet;
    return true;
}

bool DataFiles::testfield(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text.toUpper()) {
        if (!(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'Z'))
            return false;
    }
    return true;
}
