#pragma once

#include <QString>
#include <QTextStream>

struct PlaySnapshot;

// Reads a play file, or an exchange file when the name ends in ".qvb", into
// the snapshot. A file that cannot be read is reported on err in the
// program's own words. The result is an exit code.
int loadPlayInput(const QString &path, PlaySnapshot &play, QTextStream &err);

// Ok when the play read from path has the sequence, else a message on err.
int checkSequence(const PlaySnapshot &play, const QString &path, int sequence, QTextStream &err);
