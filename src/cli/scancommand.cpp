#include "command.h"

#include "platform/clock.h"
#include "store/datamodule.h"
#include "store/playfolder.h"

#include <QFileInfo>

// Prints the play index of a data folder. Files whose header cannot be read
// are named on err and left as they are: the program too only leaves them
// out of the index at start-up (they may be plays of a newer version), and
// sets a file aside only when the user loads it and it proves damaged.
int runScanCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 1) {
        err << "usage: quorvane-cli scan FOLDER\n";
        return CliExit::Usage;
    }
    const QString folder = arguments.first();
    if (!QFileInfo(folder).isDir()) {
        err << "quorvane-cli: " << folder << " is not a folder\n";
        return CliExit::BadInput;
    }

    Tables tables;
    DataModule data(tables);
    QStringList unreadable;
    const PlayFolder plays(folder.endsWith(u'/') ? folder : folder + u'/');
    plays.FillPlayDataset(data, SystemClock().nowText(), &unreadable);

    for (const QString &path : std::as_const(unreadable))
        err << "quorvane-cli: " << path << " cannot be read as a play file; not listed\n";

    for (const PlayRow &row : std::as_const(tables.plays)) {
        out << escapeField(row.Category) << '\t' << escapeField(row.Drillname) << '\t'
            << escapeField(row.Type) << '\t' << row.Quality << '\t' << row.Nrplayers << '\t'
            << row.Nrballs << '\t' << row.Agegroup << '\t' << row.Hide << '\t'
            << escapeField(row.Subcat1) << '\t' << escapeField(row.Subcat2) << '\t'
            << escapeField(row.Subcat3) << '\t' << escapeField(row.Createdby) << '\n';
    }
    return CliExit::Ok;
}
