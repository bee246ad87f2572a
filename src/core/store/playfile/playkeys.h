#pragma once

#include <QString>

// The keys of play files and play records, as written: padded so that the
// value starts at character 12. Readers know a key by its first 10
// characters.
namespace PlayKeys {

inline constexpr QLatin1StringView Intro("Intro    = ");
inline constexpr QLatin1StringView Type("Type     = ");
inline constexpr QLatin1StringView Category("Category = ");
inline constexpr QLatin1StringView Playname("Playname = ");
inline constexpr QLatin1StringView NrSeq("Nr_seq   = ");
inline constexpr QLatin1StringView Quality("Quality  = ");
inline constexpr QLatin1StringView Nrplayers("Nrplayers= ");
inline constexpr QLatin1StringView Nrballs("Nrballs  = ");
inline constexpr QLatin1StringView Agegroup("Agegroup = ");
inline constexpr QLatin1StringView Hide("Hide     = ");
inline constexpr QLatin1StringView Subcat1("Subcat1  = ");
inline constexpr QLatin1StringView Subcat2("Subcat2  = ");
inline constexpr QLatin1StringView Subcat3("Subcat3  = ");
inline constexpr QLatin1StringView Createdby("Createdby= ");
inline constexpr QLatin1StringView Credate("Credate  = ");
inline constexpr QLatin1StringView Moddate("Moddate  = ");
inline constexpr QLatin1StringView Drilltime("Drilltime= ");
inline constexpr QLatin1StringView Extra1("Extra1   = ");
inline constexpr QLatin1StringView Animation("Animation= ");
inline constexpr QLatin1StringView Text("Text     = ");
inline constexpr QLatin1StringView Focus("Focus    = ");
inline constexpr QLatin1StringView NrParts("Nr_parts = ");
inline constexpr QLatin1StringView Extra2("Extra2   = ");
inline constexpr QLatin1StringView Graphicnr("Graphicnr= ");
inline constexpr QLatin1StringView PartType("type     = ");
inline constexpr QLatin1StringView X1("x1       = ");
inline constexpr QLatin1StringView Y1("y1       = ");
inline constexpr QLatin1StringView X2("x2       = ");
inline constexpr QLatin1StringView Y2("y2       = ");
inline constexpr QLatin1StringView Thickness("thickness = ");
inline constexpr QLatin1StringView Rotation("rotation  = ");
inline constexpr QLatin1StringView Arrow("arrow    = ");
inline constexpr QLatin1StringView Color("color    = ");
inline constexpr QLatin1StringView Color2("color2   = ");
inline constexpr QLatin1StringView Playtext("playtext = ");
inline constexpr QLatin1StringView Fontname("fontname = ");
inline constexpr QLatin1StringView Tagnr("tagnr    = ");
inline constexpr QLatin1StringView Level("level    = ");
inline constexpr QLatin1StringView Transpar("transpar = ");
inline constexpr QLatin1StringView Extra3("extra3   = ");
inline constexpr QLatin1StringView Extra4("extra4   = ");

inline bool begins(const QString &line, QLatin1StringView key)
{
    return line.startsWith(key.first(10));
}

// The value of a keyed line: the line from character 12 to its end.
inline QString value(const QString &line)
{
    return line.mid(11);
}

} // namespace PlayKeys
