#pragma once

#include "model/tables.h"

#include <QList>
#include <QTextStream>

// The settings of FOLDER/wparam.xml as they stand, without defaults. A file
// that cannot be read or is no settings file is reported on err. The result
// is an exit code.
int readSettingsFile(const QString &folder, QList<ParamRow> &rows, QTextStream &err);
