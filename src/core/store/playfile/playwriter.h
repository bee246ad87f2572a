#pragma once

#include <QLatin1String>
#include <QString>

class DataModule;
class LineWriter;
struct PlayRow;

// Writes one play in either layout of version 0.7: the play file with bare
// values, or the play record with a key in front of every value. The header
// values are written as given; the callers decide which ones a layout
// carries.
class PlayWriter {
public:
    enum class Layout { PlayFile, Record };

    PlayWriter(LineWriter &out, Layout layout) : out(out), layout(layout) {}

    void write(const DataModule &data, const PlayRow &header, const QString &category,
               const QString &name);

private:
    void keyed(QLatin1StringView key, const QString &value);
    // A value that has a key only in the record layout.
    void field(QLatin1StringView key, const QString &value);
    void field(QLatin1StringView key, int value);
    void memo(QLatin1StringView key, const QString &text, QLatin1StringView endKey);

    LineWriter &out;
    Layout layout;
};
