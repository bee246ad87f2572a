#include "store/playfile/playrecord.h"

#include "model/parttypes.h"
#include "store/playfile/partblock.h"
#include "store/playfile/playbuilder.h"
#include "store/playfile/playkeys.h"
#include "store/playnames.h"
#include "store/playfile/playreading.h"
#include "store/playfile/playwriter.h"
#include "text/linereader.h"
#include "text/plaintextrtf.h"
#include "text/textroutines.h"

namespace {

PartLayout recordLayout(int version)
{
    PartLayout layout;
    layout.keyed = true;
    layout.color = version >= 3;
    layout.style = version >= 4;
    layout.text = version >= 4;
    layout.textBars = version >= 5;
    layout.fontname = version >= 5;
    layout.color2 = version >= 7;
    layout.extras = version >= 7;
    return layout;
}

// Types that old records leave transparent and mark with spare text "1".
bool transparentByDefault(const QString &type)
{
    // Compared exactly: "Text", the code of a text box, is not one of them.
    for (const char *area : {"ellipse", "poly", "ppoly", "text"}) {
        if (type == QLatin1String(area))
            return true;
    }
    return false;
}

// The record reader's own version rules; the play file reader has its own
// (different in the version that renames "shot", in the level -9999, in
// symbols and balls of old versions, in the defaults and in trimming).
void addRecordPart(PlayBuilder &play, PartBlock block, int version)
{
    PartFields &part = block.fields;
    if (version < 6 && part.Type == QLatin1String("shot"))
        part.Type = QStringLiteral("pshot");
    // Old versions kept the size of a symbol in y2; it means nothing now.
    if (version <= 6 && is_symbol(part.Type))
        part.y2 = 0;
    // Old versions placed balls by their corner, 7 pixels from the centre.
    if (version < 5 && is_ball(part.Type)) {
        part.x1 = clampCoordinate(part.x1 - 7);
        part.y1 = clampCoordinate(part.y1 - 7);
    }
    bool hasTag = false;
    bool hasLevel = false;
    if (version >= 7) {
        hasTag = block.tagnr.whole;
        part.tagnr = block.tagnr.value;
        hasLevel = block.level.whole && block.level.value != -9999;
        part.level = block.level.value;
        part.transparent = block.transparent.whole ? block.transparent.value : 0;
        // Trimmed as the table keeps them: cut to the field size, a text
        // must not end in a blank either.
        part.extra3 = part.extra3.trimmed().left(FieldSize::Extra3).trimmed();
        part.extra4 = part.extra4.trimmed().left(FieldSize::Extra4).trimmed();
    } else if (transparentByDefault(part.Type)) {
        part.transparent = 1;
        part.extra3 = QStringLiteral("1");
    }
    // The first versions marked an animation-only sequence by a part with
    // x2 999; the part keeps it.
    if (version < 3 && part.x2 == 999)
        play.setAnimationOnly();
    play.addPart(part, hasTag, hasLevel);
}

} // namespace

PlayReadError PlayRecord::readKey(LineReader &lines, PlayRow &header)
{
    using namespace PlayKeys;
    if (begins(lines.line(), Intro)) {
        QString intro;
        if (!PlayReading::readMemo(lines, Type, intro))
            return PlayReadError::Type;
        header.Intro = remove_enter(intro);
    }
    if (begins(lines.line(), Type)) {
        header.Type = value(lines.line()).trimmed();
        lines.next();
    }
    if (!begins(lines.line(), Category))
        return PlayReadError::Category;
    header.Category = PlayNames::replacechars(value(lines.line()).trimmed());
    lines.next();
    if (!begins(lines.line(), Playname))
        return PlayReadError::Playname;
    header.Drillname = PlayNames::replacechars(value(lines.line()).trimmed());
    return PlayReadError::None;
}

PlayReadError PlayRecord::readBody(LineReader &lines, int version, DataModule &data, PlayRow &header)
{
    using namespace PlayKeys;
    lines.next();
    if (!begins(lines.line(), NrSeq))
        return PlayReadError::NrSeq;
    const int count = parseNumber(value(lines.line())).value;
    if (version >= 5 && !PlayReading::readHeaderValues(lines, true, version >= 7, header))
        return PlayReadError::Damaged;

    PlayBuilder play;
    const PartLayout layout = recordLayout(version);
    // Nothing is reserved by the counts: a block that is not there ends the
    // reading, whatever the count promised.
    for (int s = 1; s <= count; ++s) {
        if (!lines.next())
            return PlayReadError::Damaged;
        bool animationonly = false;
        if (begins(lines.line(), Animation)) {
            animationonly = QStringView(lines.line()).mid(11, 3) == QLatin1String("Yes");
            if (!lines.next())
                return PlayReadError::Damaged;
        }
        // The current line is the text key, taken whatever it holds.
        QString text;
        QString focus;
        if (version < 5) {
            if (!PlayReading::readMemo(lines, NrParts, text))
                return PlayReadError::Damaged;
        } else if (!PlayReading::readMemo(lines, Focus, text) || !PlayReading::readMemo(lines, NrParts, focus)) {
            return PlayReadError::Damaged;
        }
        text = remove_enter(text);
        focus = remove_enter(focus);
        if (version == 2)
            text = plainTextToRtf(text);
        const int partCount = parseNumber(value(lines.line())).value;
        QString extra2;
        if (version >= 7) {
            if (!lines.next())
                return PlayReadError::Damaged;
            extra2 = value(lines.line());
        }
        play.addSequence(animationonly, text, focus, extra2);
        for (int p = 1; p <= partCount; ++p) {
            PartBlock block;
            if (!readPartBlock(lines, layout, block))
                return PlayReadError::Damaged;
            addRecordPart(play, block, version);
        }
    }
    play.moveInto(data);
    return PlayReadError::None;
}

void PlayRecord::write(LineWriter &lines, const DataModule &data, const PlayRow &header,
                       const QString &category, const QString &name)
{
    PlayRow carried = header;
    carried.Intro.clear();
    carried.Credate.clear();
    carried.Moddate.clear();
    carried.Drilltime.clear();
    carried.Extra1.clear();
    PlayWriter(lines, PlayWriter::Layout::Record).write(data, carried, category, name);
}
