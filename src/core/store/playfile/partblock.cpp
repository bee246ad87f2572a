#include "store/playfile/partblock.h"

#include "store/playfile/playkeys.h"
#include "text/linereader.h"

bool readPartBlock(LineReader &lines, const PartLayout &layout, PartBlock &block)
{
    block = PartBlock();
    bool complete = true;
    // Lines are taken by position; a keyed line's key is not checked.
    const auto text = [&]() -> QString {
        complete = complete && lines.next();
        return layout.keyed ? PlayKeys::value(lines.line()) : lines.line();
    };
    const auto number = [&] { return parseNumber(text()); };

    PartFields &part = block.fields;
    part.Graphicnr = number().value;
    part.Type = text();
    part.x1 = clampCoordinate(number().value);
    part.y1 = clampCoordinate(number().value);
    part.x2 = clampCoordinate(number().value);
    part.y2 = clampCoordinate(number().value);
    if (layout.style) {
        part.thickness = number().value;
        part.rotation = number().value;
        part.arrow = number().value;
    }
    if (layout.color)
        part.color = number().value;
    if (layout.color2)
        part.color2 = number().value;
    if (layout.text) {
        part.tekst = text();
        if (layout.textBars)
            part.tekst.replace(u'|', QLatin1String("\r\n"));
    }
    if (layout.fontname)
        part.fontname = text();
    if (layout.extras) {
        block.tagnr = number();
        block.level = number();
        block.transparent = number();
        part.extra3 = text();
        part.extra4 = text();
    }
    return complete;
}
