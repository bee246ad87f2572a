#pragma once

#include <QString>
#include <QStringView>

// Plain text as the rich edit control saves it after loading it as plain
// text: one Arial font at 10 pt, a paragraph per line, each ended by "\par"
// and a line break.
QString plainTextToRtf(QStringView text);
