#include "store/playfile/playreading.h"

#include "store/playfile/playkeys.h"
#include "model/tables.h"
#include "text/linereader.h"
#include "text/parsednumber.h"

int PlayReading::versionOf(const QString &line)
{
    static const QLatin1StringView prefix("Version  = Quorvane 0.");
    if (line.size() != prefix.size() + 1 || !line.startsWith(prefix))
        return 0;
    const char16_t digit = line.back().unicode();
    return digit >= u'2' && digit <= u'7' ? digit - u'0' : 0;
}

bool PlayReading::readMemo(LineReader &lines, QLatin1StringView endKey, QString &text)
{
    text.clear();
    while (lines.next()) {
        if (PlayKeys::begins(lines.line(), endKey))
            return true;
        text += lines.line();
        text += QLatin1String("\r\n");
    }
    return false;
}

bool PlayReading::readHeaderValues(LineReader &lines, bool keyed, bool dates, PlayRow &header)
{
    bool complete = true;
    const auto text = [&]() -> QString {
        complete = complete && lines.next();
        return keyed ? PlayKeys::value(lines.line()) : lines.line();
    };
    const auto number = [&] { return parseNumber(text()).value; };

    header.Quality = number();
    header.Nrplayers = number();
    header.Nrballs = number();
    header.Agegroup = number();
    header.Hide = number();
    header.Subcat1 = text();
    header.Subcat2 = text();
    header.Subcat3 = text();
    header.Createdby = text();
    if (dates) {
        header.Credate = text();
        header.Moddate = text();
        header.Drilltime = text();
        header.Extra1 = text();
    }
    return complete;
}
