#include "text/linereader.h"

#include "text/cp1252.h"

#include <QIODevice>

#include <algorithm>

namespace {
constexpr qsizetype ChunkBytes = 64 * 1024;
}

LineReader::LineReader(QIODevice &device, qsizetype maxLineBytes)
    : device(device), maxLineBytes(maxLineBytes)
{
}

bool LineReader::fill()
{
    if (atEnd)
        return false;
    // Drop what was returned already so the buffer holds at most one line
    // and one chunk.
    buffer.remove(0, start);
    start = 0;
    const qsizetype had = buffer.size();
    buffer.resize(had + ChunkBytes);
    const qint64 got = device.read(buffer.data() + had, ChunkBytes);
    buffer.resize(had + std::max<qint64>(got, 0));
    if (got < 0)
        broken = true;
    if (got <= 0)
        atEnd = true;
    return got > 0;
}

bool LineReader::next()
{
    current.clear();
    if (broken)
        return false;
    qsizetype searchFrom = start;
    qsizetype end;
    while ((end = buffer.indexOf('\n', searchFrom)) < 0) {
        searchFrom = buffer.size();
        if (searchFrom - start > maxLineBytes) {
            broken = true;
            return false;
        }
        const qsizetype before = start;
        if (!fill()) {
            if (broken || start == buffer.size())
                return false;
            end = buffer.size(); // last line without a line end
            break;
        }
        searchFrom -= before; // fill() moved the unread bytes to the front
    }
    if (end - start > maxLineBytes) {
        broken = true;
        return false;
    }
    qsizetype lineEnd = end;
    if (end < buffer.size() && lineEnd > start && buffer[lineEnd - 1] == '\r')
        --lineEnd;
    current = Cp1252::decode(QByteArrayView(buffer).sliced(start, lineEnd - start));
    start = std::min(end + 1, buffer.size());
    return true;
}
