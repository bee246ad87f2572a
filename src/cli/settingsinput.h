#pragma once

#include "model/tables.h"

#include <QList>
#include <QTextStream>

// The settings the renderer reads: those of FOLDER/wparam.xml, completed by
// the default settings for every key the file lacks, or the default settings
// alone when folder is empty. A file that cannot be read or is no settings
// file is reported on err. The result is an exit code.
int loadSettingsInput(const QString &folder, QList<ParamRow> &rows, QTextStream &err);

// The settings of FOLDER/wparam.xml as they stand, without defaults.
int readSettingsFile(const QString &folder, QList<ParamRow> &rows, QTextStream &err);
