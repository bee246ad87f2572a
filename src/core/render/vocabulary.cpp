#include "render/vocabulary.h"


namespace {

bool isOneOf(const QString &type, std::initializer_list<const char *> codes)
{
    for (const char *code : codes) {
        if (type.compare(QLatin1String(code), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool isLineSegment(const QString &type)
{
    return isOneOf(type, {"loop", "pass", "dribbel", "screen", "shot", "fast", "back", "ploop",
                          "ppass", "pdribbel", "pscreen", "pshot", "pfast", "pback"});
}

bool isEquipment(const QString &type)
{
    return isOneOf(type, {"Goal", "Pylon", "Rack"});
}

} // namespace

bool is_symbol(const QString &type)
{
    return isEquipment(type)
        || isOneOf(type, {"Circle", "Otriangl", "Osquare", "Ochair", "Opop", "Circlef", "Dcircle",
                          "Triangle", "Dsquare", "Dchair", "Dpop", "Triangf", "Ocross", "Ncross",
                          "Cross", "Crossf", "Coach"});
}

bool is_ball(const QString &type)
{
    return isOneOf(type, {"Ball", "Ballf"});
}

int default_level(const QString &type)
{
    if (isOneOf(type, {"Court"}))
        return 0;
    if (isLineSegment(type))
        return 6000;
    if (isOneOf(type, {"Text"}))
        return 2000;
    if (isEquipment(type))
        return 3000;
    if (is_symbol(type))
        return 4000;
    if (is_ball(type))
        return 5000;
    return 1000; // areas, and anything unknown

}
