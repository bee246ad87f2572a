#include "store/datamodule.h"

#include "model/parttypes.h"

#include <QHash>

#include <algorithm>

// The parts of the loaded play's sketches, and the tag numbers that tie one
// player or ball together from sequence to sequence.

namespace {

PartFields fitted(PartFields fields)
{
    fields.Type.truncate(FieldSize::PartType);
    fields.tekst.truncate(FieldSize::Tekst);
    fields.fontname.truncate(FieldSize::Fontname);
    fields.extra3.truncate(FieldSize::Extra3);
    fields.extra4.truncate(FieldSize::Extra4);
    return fields;
}

qsizetype indexOfPart(const QList<PartRow> &parts, int drawing, int partnr)
{
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (parts[i].Drawingnr == drawing && parts[i].Partnr == partnr)
            return i;
    }
    return -1;
}

qsizetype indexOfCourt(const QList<PartRow> &parts, int drawing)
{
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (parts[i].Drawingnr == drawing && isCourt(parts[i].Type))
            return i;
    }
    return -1;
}

} // namespace

int DataModule::addpart(int drawing, const PartFields &fields)
{
    // Numbered above every number the sketch has had, not above the last
    // row: an undo row names its part by number, and a number given again
    // would let it reach another part. The highest number is kept per sketch
    // as parts are added, so that a sketch of many parts loads in linear
    // time; the rows are looked through once, at the sketch's first part,
    // for tables filled without addpart.
    auto highest = highestPartnr.find(drawing);
    if (highest == highestPartnr.end()) {
        int found = 0;
        for (const PartRow &part : std::as_const(t.parts)) {
            if (part.Drawingnr == drawing)
                found = std::max(found, part.Partnr);
        }
        highest = highestPartnr.insert(drawing, found);
    }
    PartRow row;
    static_cast<PartFields &>(row) = fitted(fields);
    row.Drawingnr = drawing;
    row.Partnr = *highest + 1;
    row.Selected = 0;
    lastAdded = row.Partnr;
    *highest = row.Partnr;
    t.parts.append(std::move(row));
    return lastAdded;
}

void DataModule::updatepart(int drawing, int partnr, const PartFields &fields)
{
    if (const qsizetype i = indexOfPart(t.parts, drawing, partnr); i >= 0)
        static_cast<PartFields &>(t.parts[i]) = fitted(fields);
}

bool DataModule::getpart(int drawing, int partnr, PartFields &fields) const
{
    const qsizetype i = indexOfPart(t.parts, drawing, partnr);
    if (i < 0)
        return false;
    fields = t.parts[i];
    return true;
}

void DataModule::deletepart(int drawing, int partnr)
{
    if (const qsizetype i = indexOfPart(t.parts, drawing, partnr); i >= 0)
        t.parts.removeAt(i);
}

void DataModule::deletepartchain(int drawing, int partnr, const QString &type)
{
    deletepart(drawing, partnr);
    if (!isRunRow(type))
        return;
    const QString kind = runBaseKind(type);
    // The run's earlier rows carry the plain kind; the end form of the line
    // before it stops the walk even when that line is of the same kind.
    for (int nr = partnr - 1;; --nr) {
        const qsizetype i = indexOfPart(t.parts, drawing, nr);
        if (i < 0 || t.parts[i].Type != kind)
            break;
        t.parts.removeAt(i);
    }
}

bool DataModule::removeShortPolygons(int drawing)
{
    QList<int> tooShort;
    int corners = 0;
    for (const PartRow &part : std::as_const(t.parts)) {
        if (part.Drawingnr != drawing || !isPolygonRow(part.Type))
            continue;
        ++corners;
        if (part.Type != PartType::PolyEnd)
            continue;
        if (corners < 3)
            tooShort.append(part.Partnr);
        corners = 0;
    }
    for (const int partnr : std::as_const(tooShort))
        deletepartchain(drawing, partnr, PartType::PolyEnd);
    return !tooShort.isEmpty();
}

void DataModule::deletedrawing(int drawing)
{
    t.parts.removeIf([drawing](const PartRow &part) { return part.Drawingnr == drawing; });
}

int DataModule::lastpartnr(int drawing) const
{
    for (auto part = t.parts.crbegin(); part != t.parts.crend(); ++part) {
        if (part->Drawingnr == drawing)
            return part->Partnr;
    }
    return 0;
}

int DataModule::getcourtnr(int drawing) const
{
    const qsizetype i = indexOfCourt(t.parts, drawing);
    return i < 0 ? 0 : t.parts[i].Graphicnr;
}

void DataModule::setcourtnr(int drawing, int layout)
{
    if (const qsizetype i = indexOfCourt(t.parts, drawing); i >= 0)
        t.parts[i].Graphicnr = layout;
}

CourtColors DataModule::getcourtcolors(int drawing) const
{
    // A colour of 0, or a sketch without a court part, means the default.
    // Any other value is a colour in its low 24 bits: black is stored with a
    // flag in the high byte so that it is not taken for 0.
    CourtColors colors = courtDefaults;
    if (const qsizetype i = indexOfCourt(t.parts, drawing); i >= 0) {
        const PartRow &court = t.parts[i];
        const auto take = [](int color, int &slot) {
            if (color != 0)
                slot = color & 0xFFFFFF;
        };
        take(court.thickness, colors.border);
        take(court.rotation, colors.water);
        take(court.arrow, colors.threepoint);
        take(court.color, colors.bucket);
    }
    return colors;
}

QString DataModule::getparttext(int drawing, const QString &type) const
{
    for (const PartRow &part : t.parts) {
        if (part.Drawingnr == drawing && part.Type.compare(type, Qt::CaseInsensitive) == 0)
            return part.tekst;
    }
    return {};
}

bool DataModule::courtplugin(int drawing) const
{
    const qsizetype i = indexOfCourt(t.parts, drawing);
    return i >= 0 && !t.parts[i].tekst.isEmpty();
}

int DataModule::countlines(int drawing) const
{
    return int(std::count_if(t.parts.cbegin(), t.parts.cend(), [drawing](const PartRow &part) {
        return part.Drawingnr == drawing && part.Graphicnr == 0 && !isCourt(part.Type) && !isArea(part.Type) && !isText(part.Type);
    }));
}

int DataModule::maxtagnr() const
{
    int highest = 0;
    for (const PartRow &part : t.parts)
        highest = std::max(highest, part.tagnr);
    return highest;
}

bool DataModule::tagnrused(int sequence, int tagnr) const
{
    const int drawing = getdrawingnr(sequence);
    return std::any_of(t.parts.cbegin(), t.parts.cend(), [&](const PartRow &part) {
        return part.Drawingnr == drawing && part.tagnr == tagnr;
    });
}

int DataModule::findtagnr(const QString &type, int graphicnr, int sequence) const
{
    if (sequence != 1) {
        const int previous = getdrawingnr(sequence - 1);
        for (const PartRow &part : t.parts) {
            // A part of the previous sketch without a tag has nothing to hand on.
            if (part.Drawingnr == previous && part.Type == type && part.Graphicnr == graphicnr
                && part.tagnr > 0 && !tagnrused(sequence, part.tagnr))
                return part.tagnr;
        }
    }
    return maxtagnr() + 1;
}

QString DataModule::partkindname(const QString &type)
{
    // Line codes are matched exactly, every other code without regard to case.
    static const QHash<QString, QString> kindByCode = [] {
        QHash<QString, QString> kinds;
        const auto put = [&kinds](std::initializer_list<const char *> codes, const char *word) {
            for (const char *code : codes)
                kinds.insert(QString::fromLatin1(code), QString::fromLatin1(word));
        };
        put({"ball", "ballf"}, "ball");
        put({"goal"}, "goal");
        put({"pylon"}, "pylon");
        put({"rack"}, "ball net");
        put({"coach"}, "coach");
        put({"circle", "otriangl", "osquare", "ochair", "opop", "circlef", "dcircle", "triangle", "dsquare",
             "dchair", "dpop", "triangf", "ocross", "ncross", "cross", "crossf"},
            "player");
        put({"text"}, "text");
        put({"ellipse"}, "ellipse");
        put({"poly", "ppoly"}, "polygoon");
        put({"court"}, "court");
        return kinds;
    }();
    if (is_line(type))
        return QStringLiteral("line");
    return kindByCode.value(type.toLower());
}
