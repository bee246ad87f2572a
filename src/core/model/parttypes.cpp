#include "model/parttypes.h"

#include "model/color.h"

#include <QHash>

namespace {

bool isOneOf(const QString &type, std::initializer_list<const char *> codes)
{
    for (const char *code : codes) {
        if (type.compare(QLatin1String(code), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool isExactlyOneOf(const QString &type, std::initializer_list<const char *> codes)
{
    for (const char *code : codes) {
        if (type == QLatin1String(code))
            return true;
    }
    return false;
}

// The kinds whose number 1 is drawn in red instead of the side colour.
bool redGoalkeeper(const QString &type)
{
    return isOneOf(type, {"Otriangl", "Circle", "Ochair", "Osquare", "Opop", "Triangle", "Dcircle",
                          "Dchair", "Dsquare", "Dpop"});
}

int sideColor(const QString &type, const SideColors &sides)
{
    if (isOffensePlayer(type))
        return sides.offense;
    if (isDefensePlayer(type))
        return sides.defense;
    return 0;
}

} // namespace

bool isCourt(const QString &type)
{
    return isOneOf(type, {"Court"});
}

bool isText(const QString &type)
{
    return isOneOf(type, {"Text"});
}

bool isEllipse(const QString &type)
{
    return isOneOf(type, {"ellipse"});
}

bool isPolygonRow(const QString &type)
{
    return type == PartType::Poly || type == PartType::PolyEnd;
}

bool isArea(const QString &type)
{
    return isEllipse(type) || isPolygonRow(type);
}

bool isShot(const QString &type)
{
    return type == PartType::Shot || type == PartType::ShotEnd;
}

bool isRunRow(const QString &type)
{
    return is_line(type) || isPolygonRow(type);
}

bool isRunEnd(const QString &type)
{
    return is_line_end(type) || type == PartType::PolyEnd;
}

QString runBaseKind(const QString &type)
{
    return isRunEnd(type) ? type.mid(1) : type;
}

bool is_equipment(const QString &type)
{
    return isOneOf(type, {"Goal", "Pylon", "Rack"});
}

bool isOffensePlayer(const QString &type)
{
    return isOneOf(type, {"Circle", "Otriangl", "Osquare", "Ochair", "Opop", "Circlef"});
}

bool isDefensePlayer(const QString &type)
{
    return isOneOf(type, {"Dcircle", "Triangle", "Dsquare", "Dchair", "Dpop", "Triangf"});
}

bool is_symbol(const QString &type)
{
    return is_equipment(type) || isOffensePlayer(type) || isDefensePlayer(type)
        || isOneOf(type, {"Ocross", "Ncross", "Cross", "Crossf", "Coach"});
}

bool is_ball(const QString &type)
{
    return isOneOf(type, {"Ball", "Ballf"});
}

bool is_line(const QString &type)
{
    return isExactlyOneOf(type, {"loop", "ploop", "pass", "ppass", "dribbel", "pdribbel", "screen",
                                 "pscreen", "shot", "pshot", "back", "pback", "fast", "pfast"});
}

bool is_line_end(const QString &type)
{
    return isExactlyOneOf(type, {"ploop", "ppass", "pdribbel", "pscreen", "pshot", "pback", "pfast"});
}

QString line_end_code(const QString &type)
{
    if (type.startsWith(u'p') && type != QLatin1String("pass"))
        return type;
    return u'p' + type;
}

int default_level(const QString &type)
{
    if (isCourt(type))
        return 0;
    if (is_line(type.toLower()))
        return 6000;
    if (is_ball(type))
        return 5000;
    if (is_equipment(type))
        return 3000;
    if (is_symbol(type))
        return 4000;
    if (isText(type))
        return 2000;
    return 1000; // areas, and anything unknown
}

QString number_label(int number)
{
    return number >= 1 && number <= 13 ? QString::number(number) : QString();
}

int default_player_color(int number, const QString &type, const SideColors &sides)
{
    if (number == 1 && redGoalkeeper(type))
        return Red;
    return sideColor(type, sides);
}

int adjust_goalkeeper_color(int number, const QString &type, int color, const SideColors &sides)
{
    if (number == 1 && redGoalkeeper(type) && color == sideColor(type, sides))
        return Red;
    return color;
}

const QStringList &playerKindsOfSide(bool offense)
{
    static const QStringList offenseKinds{"Circle", "Otriangl", "Ocross", "Ochair", "Osquare", "Opop"};
    static const QStringList defenseKinds{"Dcircle", "Triangle", "Ncross", "Dchair", "Dsquare", "Dpop"};
    return offense ? offenseKinds : defenseKinds;
}

QString playerKindForStyle(bool offense, const QString &styleCode)
{
    // Style codes 0, 1, 2, 3, 5, 7 (offense) and 0, 1, 2, 4, 6, 8 (defense),
    // in the order of the side's kinds.
    static const QHash<QString, int> offenseStyles{{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"5", 4}, {"7", 5}};
    static const QHash<QString, int> defenseStyles{{"0", 0}, {"1", 1}, {"2", 2}, {"4", 3}, {"6", 4}, {"8", 5}};
    const QString code = styleCode.trimmed();
    const QStringList &kinds = playerKindsOfSide(offense);
    const QHash<QString, int> &styles = offense ? offenseStyles : defenseStyles;
    return kinds.at(styles.value(code, offense ? 0 : 1));
}
