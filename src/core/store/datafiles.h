#pragma once

#include "store/packet/datapacket.h"
#include "model/tables.h"

#include <QLatin1String>

class Prompter;

// The three data files: the symbol pictures and the settings in the computed
// data folder, the control records in the control folder. Each file has a
// twin here that carries its rows between the file and the tables.
class DataFiles {
public:
    static constexpr QLatin1String GraphicFile{"wgraphic.xml"};
    static constexpr QLatin1String ParamFile{"wparam.xml"};
    static constexpr QLatin1String ControlFile{"wcontrol.cds"};

    DataFiles(const QString &computedDataFolder, const QString &controlFolder, Prompter &prompter);

    QString graphicPath() const { return graphicFilePath; }
    QString paramPath() const { return paramFilePath; }
    QString controlPath() const { return controlFilePath; }

    // Reads the three files into their twins; false, with the reason, when
    // one of them cannot be read.
    bool SetDatasets(QString *error);

    // Append the rows of a twin to its table.
    void FillGraphDataset(Tables &tables) const;
    void FillParamDataset(Tables &tables) const;
    // Takes only rows whose keys pass testfield and whose TypeCount lies in
    // 0..100; the user is told once when rows were dropped.
    void FillControlDataset(Tables &tables) const;

    // Write a table to its file, whole or not at all; false, with the reason,
    // when the file could not be written.
    bool SaveGraphDataset(const Tables &tables, QString *error);
    bool SaveParamDataset(const Tables &tables, QString *error);
    bool SaveControlDataset(const Tables &tables, QString *error);

    // True when the text, upper-cased, is not empty and holds only 0-9 and A-Z.
    static bool testfield(const QString &text);

private:
    QString graphicFilePath;
    QString paramFilePath;
    QString controlFilePath;
    Prompter &prompter;

    DataPacket graphicTwin;
    DataPacket paramTwin;
    DataPacket controlTwin;

    bool save(const QString &path, const DataPacket &packet, DataPacket &twin, QString *error);
};
