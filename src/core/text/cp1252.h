#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the code page of the program's text files. Every byte has a
// character: the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for the C1 controls of the same value, so any file
// decodes and encodes back to the same bytes.
namespace Cp1252 {

QString decode(QByteArrayView bytes);
// A character outside the code page becomes '?' (one per character, also
// for a surrogate pair).
QByteArray encode(QStringView text);
bool canEncode(QChar c);

} // namespace Cp1252
