#pragma once

#include <QString>

// The part type codes of a sketch and the tests that classify them. Codes
// are compared after lower-casing, except is_line and is_line_end, which
// compare exactly against the lower-case line codes.

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
bool is_offense_player(const QString &type);
bool is_defense_player(const QString &type);

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

// The player kind a side's symbol style code stands for (settings "Offense"
// and "Defense"); an unknown code gives the side's default kind.
QString player_kind_for_style(bool offense, const QString &styleCode);
