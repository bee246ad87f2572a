#include "store/playfile/playfile.h"

#include "store/datamodule.h"
#include "store/playfile/partblock.h"
#include "store/playfile/playbuilder.h"
#include "store/playfile/playkeys.h"
#include "store/playfile/playreading.h"
#include "store/playfile/playrecord.h"
#include "store/playfile/playwriter.h"
#include "text/linereader.h"
#include "text/linewriter.h"

namespace {

const QString versionLine = QStringLiteral("Version  = Quorvane 0.7");

QString versionText(int version)
{
    return QStringLiteral("0.") + QString::number(version);
}

int playFileVersion(const QString &line)
{
    const int version = PlayReading::versionOf(line);
    return version >= 5 ? version : 0;
}

// The keyed lines of a play file's header from line 2 on: the intro up to
// the "Type     =" line, then type, category, play name and "Nr_seq" in
// turn. Values are taken as they stand. Afterwards the current line is the
// last one looked at.
PlayReadError readPlayFileKeys(LineReader &lines, PlayRow &header)
{
    using namespace PlayKeys;
    lines.next();
    // The intro is read line by line up to the type: reading it in pairs
    // would run past a "Type     =" line on an even line and on to the end.
    if (begins(lines.line(), Intro) && !PlayReading::readMemo(lines, Type, header.Intro))
        return PlayReadError::Type;
    if (!begins(lines.line(), Type))
        return PlayReadError::Type;
    header.Type = value(lines.line());
    lines.next();
    if (!begins(lines.line(), Category))
        return PlayReadError::Category;
    header.Category = value(lines.line());
    lines.next();
    if (!begins(lines.line(), Playname))
        return PlayReadError::Playname;
    header.Drillname = value(lines.line());
    lines.next();
    if (!begins(lines.line(), NrSeq))
        return PlayReadError::NrSeq;
    return PlayReadError::None;
}

void clearHeader(PlayRow &header)
{
    const QString path = header.filePath;
    header = PlayRow();
    header.filePath = path;
}

PartLayout playFileLayout(int version)
{
    PartLayout layout;
    layout.style = true;
    layout.color = true;
    layout.text = true;
    layout.textBars = true;
    layout.fontname = true;
    layout.color2 = version >= 7;
    layout.extras = version >= 7;
    return layout;
}

// The play file reader's own version rules; the record reader has its own.
void addPlayFilePart(PlayBuilder &play, PartBlock block, int version)
{
    PartFields &part = block.fields;
    if (version == 5 && part.Type == QLatin1String("shot"))
        part.Type = QStringLiteral("pshot");
    bool hasTag = false;
    bool hasLevel = false;
    if (version >= 7) {
        hasTag = block.tagnr.whole;
        part.tagnr = block.tagnr.value;
        hasLevel = block.level.whole;
        part.level = block.level.value;
        part.transparent = block.transparent.whole ? block.transparent.value : 0;
    } else if (part.Type == QLatin1String("ellipse") || part.Type == QLatin1String("poly")
               || part.Type == QLatin1String("ppoly")) {
        part.transparent = 1;
        part.extra3 = QStringLiteral("1");
    }
    play.addPart(part, hasTag, hasLevel);
}

PlayReadError readPlayFile(LineReader &lines, int version, DataModule &data, PlayRow &header)
{
    using namespace PlayKeys;
    if (const PlayReadError error = readPlayFileKeys(lines, header); error != PlayReadError::None)
        return error;
    const int count = parseNumber(value(lines.line())).value;
    if (!PlayReading::readHeaderValues(lines, false, version >= 7, header))
        return PlayReadError::Damaged;

    PlayBuilder play;
    const PartLayout layout = playFileLayout(version);
    // Nothing is reserved by the counts: a block that is not there ends the
    // reading, whatever the count promised.
    for (int s = 1; s <= count; ++s) {
        if (!lines.next())
            return PlayReadError::Damaged;
        const bool animationonly = lines.line() == QLatin1String("Yes");
        QString text;
        QString focus;
        // The next line is the text key, taken whatever it holds.
        if (!lines.next() || !PlayReading::readMemo(lines, Focus, text)
            || !PlayReading::readMemo(lines, NrParts, focus))
            return PlayReadError::Damaged;
        const int partCount = parseNumber(value(lines.line())).value;
        QString extra2;
        if (version >= 7) {
            if (!lines.next())
                return PlayReadError::Damaged;
            extra2 = lines.line();
        }
        play.addSequence(animationonly, text, focus, extra2);
        for (int p = 1; p <= partCount; ++p) {
            PartBlock block;
            if (!readPartBlock(lines, layout, block))
                return PlayReadError::Damaged;
            addPlayFilePart(play, block, version);
        }
    }
    play.moveInto(data);
    return PlayReadError::None;
}

} // namespace

bool PlayFile::readHeader(QIODevice &device, PlayRow &header, const QString &nowText)
{
    clearHeader(header);
    LineReader lines(device);
    lines.next();
    const int version = playFileVersion(lines.line());
    if (version == 0)
        return false;
    // What was read before a missing key line still counts; the scan passes
    // over the "Nr_seq" line whatever it holds.
    const PlayReadError error = readPlayFileKeys(lines, header);
    if (error != PlayReadError::None && error != PlayReadError::NrSeq)
        return true;
    PlayReading::readHeaderValues(lines, false, version >= 7, header);
    if (version < 7)
        header.Credate = nowText;
    return true;
}

PlayReadError PlayFile::read(QIODevice &device, DataModule &data, PlayRow &header, QString *version)
{
    clearHeader(header);
    data.clearplay();
    LineReader lines(device);
    lines.next();
    const int number = playFileVersion(lines.line());
    if (number == 0)
        return PlayReadError::Version;
    if (version)
        *version = versionText(number);
    return readPlayFile(lines, number, data, header);
}

bool PlayFile::write(QIODevice &device, const DataModule &data, const PlayRow &header,
                     const QString &category, const QString &name, const QString &nowText)
{
    PlayRow written = header;
    if (written.Credate.isEmpty())
        written.Credate = nowText;
    written.Moddate = nowText;
    LineWriter lines(device);
    lines.write(versionLine);
    PlayWriter(lines, PlayWriter::Layout::PlayFile).write(data, written, category, name);
    return lines.finish();
}

PlayReadError ExchangeFile::read(QIODevice &device, DataModule &data, PlayRow &header, QString *version)
{
    clearHeader(header);
    LineReader lines(device);
    lines.next();
    const int number = PlayReading::versionOf(lines.line());
    if (number == 0)
        return PlayReadError::Version;
    if (version)
        *version = versionText(number);
    lines.next();
    if (const PlayReadError error = PlayRecord::readKey(lines, header); error != PlayReadError::None)
        return error;
    return PlayRecord::readBody(lines, number, data, header);
}

bool ExchangeFile::write(QIODevice &device, const DataModule &data, const PlayRow &header,
                         const QString &category, const QString &name)
{
    LineWriter lines(device);
    lines.write(versionLine);
    PlayRecord::write(lines, data, header, category, name);
    return lines.finish();
}

QString ExchangeFile::corruptMessage(const QString &path)
{
    return QStringLiteral("Importfile ") + path + QStringLiteral(" is corrupt");
}

QString ExchangeFile::notSupportedMessage(const QString &firstLine)
{
    return QStringLiteral("Importfile ") + firstLine + QStringLiteral(" is not supported");
}
