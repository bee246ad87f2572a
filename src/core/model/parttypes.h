#pragma once

#include <QString>
#include <QStringList>

// The part type codes of a sketch and the tests that classify them.
//
// How codes compare: the rows of runs, the fourteen line codes and the two
// polygon codes, are matched exactly as they are stored, since a run is
// tied together by its exact code ("Pass" is no line). Every other code is
// matched without regard to letter case ("circle" is a Circle).

// The codes the program writes itself, in their stored form.
namespace PartType {
inline const QString Court = QStringLiteral("Court");
inline const QString Text = QStringLiteral("Text");
inline const QString Ellipse = QStringLiteral("ellipse");
inline const QString Poly = QStringLiteral("poly");
inline const QString PolyEnd = QStringLiteral("ppoly");
// The line kinds and their end forms.
inline const QString Loop = QStringLiteral("loop");
inline const QString LoopEnd = QStringLiteral("ploop");
inline const QString Pass = QStringLiteral("pass");
inline const QString PassEnd = QStringLiteral("ppass");
inline const QString Dribble = QStringLiteral("dribbel");
inline const QString DribbleEnd = QStringLiteral("pdribbel");
inline const QString Screen = QStringLiteral("screen");
inline const QString ScreenEnd = QStringLiteral("pscreen");
inline const QString Shot = QStringLiteral("shot");
inline const QString ShotEnd = QStringLiteral("pshot");
inline const QString Fast = QStringLiteral("fast");
inline const QString FastEnd = QStringLiteral("pfast");
inline const QString Back = QStringLiteral("back");
inline const QString BackEnd = QStringLiteral("pback");
} // namespace PartType

// The court of a drawing, a text box, an oval area (any letter case).
bool isCourt(const QString &type);
bool isText(const QString &type);
bool isEllipse(const QString &type);
// A corner of a polygon area, "poly" or "ppoly" (exact).
bool isPolygonRow(const QString &type);
// An oval or polygon area.
bool isArea(const QString &type);
// A shot, drawn through all the points of its run (exact).
bool isShot(const QString &type);
// A row of a run: a line code or a polygon code (exact).
bool isRunRow(const QString &type);
// The last row of a run, which stands for the whole run: a line's end form
// or "ppoly" (exact).
bool isRunEnd(const QString &type);
// The code the earlier rows of a run carry: the end form without its "p";
// any other code unchanged.
QString runBaseKind(const QString &type);

// Offense and defense players, markers and equipment (not balls).
bool is_symbol(const QString &type);
// "Goal", "Pylon", "Rack".
bool is_equipment(const QString &type);
// "Ball" and "Ballf".
bool is_ball(const QString &type);
// The fourteen line codes, compared exactly ("Pass" is not a line).
bool is_line(const QString &type);
// The seven end forms of a line run, compared exactly.
bool is_line_end(const QString &type);
// The end form of a line code: the code itself when it already begins with
// "p" and is not "pass", else "p" followed by the code.
QString line_end_code(const QString &type);
// The drawing layer a new part of this type gets.
int default_level(const QString &type);
// The text drawn for a player number: "1" to "13", else empty.
QString number_label(int number);

// Offense or defense player kinds, for the side colours.
bool isOffensePlayer(const QString &type);
bool isDefensePlayer(const QString &type);

// The side colours and fill flags (settings "Offense" and "Defense").
struct SideColors {
    int offense = 0;
    int defense = 0;
};
// The colour a new player part shows by default (red for goalkeepers of the
// kinds that draw number 1 in red).
int default_player_color(int number, const QString &type, const SideColors &sides);
// Red when number 1 of those kinds still shows its side colour; otherwise
// the colour unchanged.
int adjust_goalkeeper_color(int number, const QString &type, int color, const SideColors &sides);

// The player kinds of a side's palette, in the order of its style codes.
const QStringList &playerKindsOfSide(bool offense);

// The player kind a side's symbol style code stands for (settings "Offense"
// and "Defense"); an unknown code gives the side's default kind.
QString playerKindForStyle(bool offense, const QString &styleCode);
