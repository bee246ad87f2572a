#pragma once

#include "store/playfile/playfile.h"

class LineReader;
class LineWriter;

// The keyed play record: one play with a key in front of every value, as
// exchange files, backups and complete play lists hold it. Records of
// versions 0.2 to 0.7 are read, 0.7 is written. A record has no version line
// of its own: the file that holds it names the version.
//
// Reading comes in two steps so that a caller can settle a conflict over the
// play's key in between: readKey, then readBody. A file with many records
// calls them again for each record on the same LineReader.
namespace PlayRecord {

// Reads the record's key lines starting at the current line of lines: an
// optional "Intro    =" section (line by line up to the "Type     =" line;
// the intro passes through remove_enter), an optional "Type     =" line
// (trimmed), then the required "Category =" and "Playname =" lines (trimmed
// and passed through replacechars). Afterwards the current line is the
// "Playname =" line. Errors: Type (the input ends inside the intro),
// Category, Playname.
PlayReadError readKey(LineReader &lines, PlayRow &header);

// Reads the rest of the record of the given version after readKey: the
// "Nr_seq   =" line, the header values and the sequences with their parts.
// On success the loaded play of data is replaced and the current line is the
// record's last line. On an error (NrSeq, or Damaged when the input ends
// inside the record) the loaded play is left as it was.
PlayReadError readBody(LineReader &lines, int version, DataModule &data, PlayRow &header);

// Writes the loaded play of data as one record of version 0.7 under category
// and name. The intro, the dates, the duration and the spare header text
// are written empty, as every record carries them.
void write(LineWriter &lines, const DataModule &data, const PlayRow &header, const QString &category,
           const QString &name);

} // namespace PlayRecord
