#pragma once

#include "model/tables.h"
#include "text/parsednumber.h"

class LineReader;

// Which lines the part block of a file version holds. The play file and the
// play record share the order of the lines; the record puts a key in front
// of each value.
struct PartLayout {
    bool keyed = false;
    bool style = false;    // thickness, rotation, arrow
    bool color = false;
    bool color2 = false;
    bool text = false;
    bool textBars = false; // "|" in the text stands for a line break
    bool fontname = false;
    bool extras = false;   // tag number, level, transparent, spare texts 3 and 4
};

// One part block as it stands in the file. Fields the layout lacks keep the
// row defaults (second colour -1); each reader applies its own version rules.
struct PartBlock {
    PartFields fields;
    ParsedNumber tagnr;
    ParsedNumber level;
    ParsedNumber transparent;
};

// Reads the lines of one part block after the current line. False when the
// input ends first.
bool readPartBlock(LineReader &lines, const PartLayout &layout, PartBlock &block);
