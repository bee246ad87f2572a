#include "text/parsednumber.h"

#include <algorithm>
#include <limits>

namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int digit = -1;
    if (u >= u'0' && u <= u'9')
        digit = u - u'0';
    else if (u >= u'a' && u <= u'f')
        digit = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        digit = u - u'A' + 10;
    return digit < base ? digit : -1;
}

} // namespace

ParsedNumber parseNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    int base = 10;
    if (i < n && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }

    // The magnitude stops growing just past the range of int, so no run of
    // digits can overflow it.
    constexpr qint64 ceiling = qint64(std::numeric_limits<int>::max()) + 2;
    qint64 magnitude = 0;
    bool digits = false;
    for (int digit; i < n && (digit = digitValue(text[i], base)) >= 0; ++i) {
        digits = true;
        magnitude = std::min(magnitude * base + digit, ceiling);
    }
    const qint64 value = negative ? -magnitude : magnitude;
    const qint64 clamped = std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max());
    return {int(clamped), digits && i == n && clamped == value};
}

qint16 clampCoordinate(int value)
{
    return qint16(std::clamp<int>(value, std::numeric_limits<qint16>::min(),
                                  std::numeric_limits<qint16>::max()));
}
