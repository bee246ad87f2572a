#include "store/firststart.h"

#include "platform/prompter.h"
#include "store/datafiles.h"
#include "store/datamodule.h"
#include "store/packet/datapacketfile.h"
#include "platform/defaultprinter.h"
#include "store/defaultsettings.h"
#include "store/symbolpictures.h"
#include "store/packet/tablepackets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>

namespace {

bool sameText(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// What the user is told when a file had to be put aside.
QString damageMessage(const QString &path, const QString &keptAs)
{
    const QString name = QFileInfo(path).fileName();
    const QString kept = QDir::toNativeSeparators(keptAs);
    if (sameText(name, DataFiles::ParamFile))
        return QStringLiteral("The settings file %1 could not be read, so the default settings "
                              "are used from now on. The old file also held your address book "
                              "and mail identity; it has been kept as %2.")
            .arg(name, kept);
    if (sameText(name, DataFiles::ControlFile))
        return QStringLiteral("The file %1 with your own settings could not be read and has "
                              "been made anew; the data folder you chose may have to be chosen "
                              "again. The old file has been kept as %2.")
            .arg(name, kept);
    return QStringLiteral("The symbol picture file %1 could not be read and has been made anew. "
                          "The old file has been kept as %2.")
        .arg(name, kept);
}

} // namespace

FirstStart::FirstStart(DataModule &data, Prompter &prompter, SymbolDrawer &drawer,
                       DefaultPrinter *printer)
    : data(data), prompter(prompter), drawer(drawer), printer(printer)
{
}

FirstStartResult FirstStart::run(const QString &computedDataFolder, const QString &controlFolder)
{
    defaults = false;
    newSymbolFile = false;
    firstStartCount = 0;
    Tables &tables = data.tables();
    tables.graphics.clear();
    tables.params.clear();
    tables.controls.clear();

    DataFiles files(computedDataFolder, controlFolder, prompter);
    QString error;
    if (!firststart(files, &error) || !files.SetDatasets(&error))
        return {false, error, firstStartCount};
    files.FillParamDataset(tables);
    files.FillControlDataset(tables);
    paramupdate();
    files.FillGraphDataset(tables);
    if ((defaults || newSymbolFile) && !checkplayers(files, &error))
        return {false, error, firstStartCount};
    return {true, {}, firstStartCount};
}

// Checks each file that exists and creates each that does not (or no longer
// does), empty. Creating the picture file counts 2, each other file 1.
bool FirstStart::firststart(const DataFiles &files, QString *error)
{
    const struct {
        QString path;
        DataPacket layout;
        int weight;
    } dataFiles[] = {
        {files.graphicPath(), TablePackets::graphicLayout(), 2},
        {files.paramPath(), TablePackets::paramLayout(), 1},
        {files.controlPath(), TablePackets::controlLayout(), 1},
    };
    for (const auto &file : dataFiles) {
        if (QFileInfo::exists(file.path) && !CheckDataSet(file.path, file.layout, error))
            return false;
        if (!QFileInfo::exists(file.path)) {
            if (!DataPacketFile::write(file.path, file.layout, error))
                return false;
            firstStartCount += file.weight;
            newSymbolFile = newSymbolFile || file.path == files.graphicPath();
        }
    }
    return true;
}

// A damaged file costs 2 and is put aside; an empty one costs 1 and is
// removed. Either way the defaults are made afterwards.
bool FirstStart::CheckDataSet(const QString &path, const DataPacket &layout, QString *error)
{
    DataPacket packet;
    QString problem;
    switch (DataPacketFile::read(path, packet, &problem)) {
    case DataPacketFile::Status::Ok:
        break;
    case DataPacketFile::Status::Missing:
        return true;
    case DataPacketFile::Status::Unreadable:
        *error = problem;
        return false;
    case DataPacketFile::Status::Damaged:
        defaults = true;
        firstStartCount -= 2;
        return putAside(path, error);
    }
    if (!TablePackets::missingField(packet, layout).isEmpty()) {
        defaults = true;
        firstStartCount -= 2;
        return putAside(path, error);
    }
    if (packet.rows.isEmpty()) {
        defaults = true;
        firstStartCount -= 1;
        QFile file(path);
        if (!file.remove()) {
            *error = QStringLiteral("Cannot remove %1: %2").arg(path, file.errorString());
            return false;
        }
    }
    return true;
}

// Renames the file to "<name>.damaged", or "<name>.damaged2" and so on when
// that is taken, and tells the user where it went.
bool FirstStart::putAside(const QString &path, QString *error)
{
    constexpr int MaxCopies = 999;
    for (int n = 1; n <= MaxCopies; ++n) {
        const QString target = path + QStringLiteral(".damaged") + (n > 1 ? QString::number(n) : QString());
        if (QFileInfo::exists(target))
            continue;
        QFile file(path);
        if (!file.rename(target)) {
            *error = QStringLiteral("Cannot rename the damaged file %1: %2").arg(path, file.errorString());
            return false;
        }
        prompter.warn(damageMessage(path, target));
        return true;
    }
    *error = QStringLiteral("Cannot put the damaged file %1 aside: %2 earlier copies are in the way")
                 .arg(path)
                 .arg(MaxCopies);
    return false;
}

void FirstStart::paramupdate()
{
    const QList<ParamRow> &params = data.tables().params;
    const bool counted = std::any_of(params.cbegin(), params.cend(), [](const ParamRow &row) {
        return sameText(row.Type, QStringLiteral("Counter"));
    });
    if (counted) {
        const int starts = data.getparam(QStringLiteral("Counter")).number;
        data.setparam(QStringLiteral("Counter"), QString(), true, starts < INT_MAX ? starts + 1 : starts);
    } else {
        data.addparam(QStringLiteral("Counter"), QString(), true, 0);
        defaults = true;
    }

    if (defaults) {
        for (const DefaultSetting &setting : defaultSettings())
            data.addparam(QString::fromLatin1(setting.key), QString::fromLatin1(setting.text),
                          setting.filled, setting.number);
    }

    if (printer && !printer->name().isEmpty()) {
        printer->setPortrait();
        const QString name = printer->name().toUpper();
        if (name.contains(QLatin1String("HP")) || name.contains(QLatin1String("HEWLET"))
            || name.contains(QLatin1String("PACKER")))
            data.setparam(QStringLiteral("Printmod"), QString(), true, 1);
    }
}

bool FirstStart::checkplayers(DataFiles &files, QString *error)
{
    for (const SymbolPictures::Symbol &symbol : SymbolPictures::standard())
        make_graphic(symbol.number, symbol.type);
    return files.SaveGraphDataset(data.tables(), error);
}

void FirstStart::make_graphic(int number, const QString &type)
{
    QList<GraphRow> &graphics = data.tables().graphics;
    const bool exists = std::any_of(graphics.cbegin(), graphics.cend(), [&](const GraphRow &row) {
        return row.Graphicnr == number && sameText(row.Type, type);
    });
    if (!exists)
        graphics.append({number, type, SymbolPictures::draw(drawer, type, number)});
}
