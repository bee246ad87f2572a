#pragma once

#include "model/tables.h"

#include <QString>
#include <QTextStream>

class DataModule;

// Reads a play file, or an exchange file when the name ends in ".qvb", into
// the loaded play of data. A file that cannot be read is reported on err in
// the program's own words. The result is an exit code.
int loadPlayInput(const QString &path, DataModule &data, PlayRow &header, QString &version,
                  QTextStream &err);

bool isExchangeFileName(const QString &path);
