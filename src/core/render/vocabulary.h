#pragma once

#include <QString>

// The part type codes of a sketch and the tests that classify them. Codes
// are compared without regard to letter case unless said otherwise.

// Offense and defense players, markers and equipment (not balls).
bool is_symbol(const QString &type);
// "Ball" and "Ballf".
bool is_ball(const QString &type);
// The drawing layer a new part of this type gets.
int default_level(const QString &type);
