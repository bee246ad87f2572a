#include "command.h"
#include "playinput.h"

#include "store/playsnapshot.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

QJsonObject partObject(const PartRow &part)
{
    return {
        {"Drawingnr", part.Drawingnr}, {"Partnr", part.Partnr},       {"level", part.level},
        {"Graphicnr", part.Graphicnr}, {"Type", part.Type},           {"x1", part.x1},
        {"y1", part.y1},               {"x2", part.x2},               {"y2", part.y2},
        {"thickness", part.thickness}, {"rotation", part.rotation},   {"arrow", part.arrow},
        {"color", part.color},         {"color2", part.color2},       {"tekst", part.tekst},
        {"fontname", part.fontname},   {"tagnr", part.tagnr},         {"transparent", part.transparent},
        {"extra3", part.extra3},       {"extra4", part.extra4},
    };
}

QJsonArray partsOf(const Tables &tables, int drawing)
{
    QList<const PartRow *> parts;
    for (const PartRow &part : tables.parts) {
        if (part.Drawingnr == drawing)
            parts.append(&part);
    }
    std::stable_sort(parts.begin(), parts.end(),
                     [](const PartRow *a, const PartRow *b) { return a->Partnr < b->Partnr; });
    QJsonArray array;
    for (const PartRow *part : std::as_const(parts))
        array.append(partObject(*part));
    return array;
}

QJsonObject playObject(const Tables &tables, const PlayRow &header, const QString &version)
{
    QJsonArray sequences;
    for (const SequenceRow &row : tables.sequences) {
        sequences.append(QJsonObject{
            {"Sequence", row.Sequence},
            {"Animationonly", row.Animationonly},
            {"Drawingnr", row.Drawingnr},
            {"Text", row.Text},
            {"Focus", row.Focus},
            {"Extra2", row.Extra2},
            {"parts", partsOf(tables, row.Drawingnr)},
        });
    }
    return {
        {"Category", header.Category},   {"Drillname", header.Drillname}, {"Type", header.Type},
        {"Intro", header.Intro},         {"Quality", header.Quality},     {"Nrplayers", header.Nrplayers},
        {"Nrballs", header.Nrballs},     {"Agegroup", header.Agegroup},   {"Hide", header.Hide},
        {"Subcat1", header.Subcat1},     {"Subcat2", header.Subcat2},     {"Subcat3", header.Subcat3},
        {"Createdby", header.Createdby}, {"Credate", header.Credate},     {"Moddate", header.Moddate},
        {"Drilltime", header.Drilltime}, {"Extra1", header.Extra1},       {"version", version},
        {"sequences", sequences},
    };
}

} // namespace

int runDumpCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 1) {
        err << "usage: quorvane-cli dump FILE\n";
        return CliExit::Usage;
    }
    PlaySnapshot play;
    if (const int status = loadPlayInput(arguments.first(), play, err); status != CliExit::Ok)
        return status;
    out << QString::fromUtf8(QJsonDocument(playObject(play.tables, play.header, play.version)).toJson(QJsonDocument::Indented));
    return CliExit::Ok;
}
