#pragma once

#include "model/tables.h"

#include <QString>

class DataModule;
class QIODevice;

// Why a play file or play record could not be read. Each corrupt case has
// its own message (see playstore).
enum class PlayReadError {
    None,
    Version,  // line 1 is not a version line this reader takes
    Type,     // no "Type     =" line
    Category, // no "Category =" line
    Playname, // no "Playname =" line
    NrSeq,    // no "Nr_seq   =" line
    Damaged,  // ends inside a block, or holds impossible counts
};

// The play file (".dat"): one play, bare values after a short keyed header.
// Versions 0.5, 0.6 and 0.7 are read; 0.7 is written. Bytes are
// Windows-1252, lines end in CR LF (a lone LF is read too).
namespace PlayFile {

// Reads the header only, the way the scan of the data folder does. True
// when the file is a play file of a known version; header then holds what
// was read (Credate of an older file is nowText).
bool readHeader(QIODevice &device, PlayRow &header, const QString &nowText);

// Empties the sequences and parts of data and loads the play into them.
// header receives the header values (the intro as its lines, each followed
// by CR LF; no Credate before 0.7); version the file's version text ("0.6").
// On an error the tables are left empty.
PlayReadError read(QIODevice &device, DataModule &data, PlayRow &header, QString *version = nullptr);

// Writes the loaded play of data as a version 0.7 play file under category
// and name, with the other header values of header. nowText is the
// modification date, and the creation date when header has none.
bool write(QIODevice &device, const DataModule &data, const PlayRow &header,
           const QString &category, const QString &name, const QString &nowText);

} // namespace PlayFile

// The exchange file (".qvb"): a version line and one keyed play record.
// Versions 0.2 to 0.7 are read; 0.7 is written.
namespace ExchangeFile {

// Reads the play of an exchange file into the loaded play of data, as the
// import does (category and play name trimmed and passed through
// replacechars, texts through remove_enter). On an error the loaded play is
// left as it was. A backup file (second line "Backup   =") is no exchange
// file: Category.
PlayReadError read(QIODevice &device, DataModule &data, PlayRow &header, QString *version = nullptr);

// Writes the loaded play of data as a version 0.7 exchange file under
// category and name. The intro, the dates, the duration and the spare header
// text are written empty, as every play record carries them.
bool write(QIODevice &device, const DataModule &data, const PlayRow &header,
           const QString &category, const QString &name);

// What the import tells the user about a file it cannot take.
QString corruptMessage(const QString &path);
QString notSupportedMessage(const QString &firstLine);

} // namespace ExchangeFile
