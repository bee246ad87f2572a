#include "text/codepages.h"

#include "text/codepagetables.h"
#include "text/cp1252.h"

#include <algorithm>

namespace CodePages {

int ofCharset(int charset)
{
    switch (charset) {
    case 0: return 1252; // ANSI is Western even in a document of another code page
    case 2: return Symbol;
    case 161: return 1253; // Greek
    case 162: return 1254; // Turkish
    case 163: return 1258; // Vietnamese
    case 177: return 1255; // Hebrew
    case 178: return 1256; // Arabic
    case 186: return 1257; // Baltic
    case 204: return 1251; // Cyrillic
    case 222: return 874; // Thai
    case 238: return 1250; // Eastern European
    default: return 0;
    }
}

QChar decode(int codePage, quint8 byte)
{
    if (byte < 0x80 || codePage == Symbol)
        return QChar(char16_t(byte));
    const auto table = std::find_if(codePageTables.begin(), codePageTables.end(),
                                    [codePage](const CodePageTable &t) { return t.codePage == codePage; });
    if (table != codePageTables.end())
        return QChar(table->upperHalf[byte - 0x80]);
    const char c = char(byte);
    return Cp1252::decode(QByteArrayView(&c, 1)).at(0);
}

} // namespace CodePages
