#include "command.h"
#include "settingsinput.h"

#include <algorithm>

int runSettingsCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 1) {
        err << "usage: quorvane-cli settings FOLDER\n";
        return CliExit::Usage;
    }
    QList<ParamRow> rows;
    if (const int code = readSettingsFile(arguments.first(), rows, err); code != CliExit::Ok)
        return code;

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
