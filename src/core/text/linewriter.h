#pragma once

#include <QByteArray>
#include <QStringView>

class QIODevice;

// Writes a text file of the program: every line in Windows-1252 followed by
// CR LF. Output is gathered and written in large pieces.
class LineWriter {
public:
    explicit LineWriter(QIODevice &device);

    void write(QStringView line);
    // Writes what is still gathered. True when every byte reached the device.
    bool finish();

private:
    bool flush();

    QIODevice &device;
    QByteArray pending;
    bool failed = false;
};
