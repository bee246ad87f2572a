#pragma once

#include <QLatin1String>
#include <QString>

class LineReader;
struct PlayRow;

// Pieces the play file reader and the play record reader share.
namespace PlayReading {

// The version a version line names ("Version  = Quorvane 0.2" to "0.7",
// exactly): 2 to 7, else 0.
int versionOf(const QString &line);

// Collects the lines after the current one up to the line that begins with
// endKey, which becomes the current line. Each line is followed by CR LF in
// the text. False when the input ends first.
bool readMemo(LineReader &lines, QLatin1StringView endKey, QString &text);

// Reads the header values that follow the "Nr_seq" line: quality, players,
// balls, minimum age, hide mark, sub-categories 1-3 and author, and with
// dates also creation and modification date, duration and spare text.
// keyed: each value has a key in front. False when the input ends first.
bool readHeaderValues(LineReader &lines, bool keyed, bool dates, PlayRow &header);

} // namespace PlayReading
