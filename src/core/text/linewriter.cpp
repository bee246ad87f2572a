#include "text/linewriter.h"

#include "text/cp1252.h"

#include <QIODevice>

namespace {
constexpr qsizetype FlushBytes = 64 * 1024;
}

LineWriter::LineWriter(QIODevice &device) : device(device) {}

void LineWriter::write(QStringView line)
{
    pending += Cp1252::encode(line);
    pending += "\r\n";
    if (pending.size() >= FlushBytes)
        flush();
}

bool LineWriter::flush()
{
    if (!failed && !pending.isEmpty())
        failed = device.write(pending) != pending.size();
    pending.clear();
    return !failed;
}

bool LineWriter::finish()
{
    return flush();
}
