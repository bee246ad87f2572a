#pragma once

#include <QStringView>

// A number read from a line of a play file or record.
struct ParsedNumber {
    int value = 0;
    // The whole line was a number within range; some fields count anything
    // else as missing.
    bool whole = false;
};

// Skips leading blanks, takes an optional sign and the digits ("$" or "0x"
// in front means hexadecimal). At the first unexpected character the value
// read so far counts (0 for an empty line). Values beyond the range of int
// are clamped and not whole.
ParsedNumber parseNumber(QStringView text);

// A sketch coordinate: the 16-bit range of the drawing surface.
qint16 clampCoordinate(int value);
