#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Reads a text file of the program line by line: bytes in Windows-1252,
// lines ended by CR LF or by a lone LF (a lone CR stays part of the line).
// A line longer than the limit stops the reading and marks the input as
// damaged, so a file without line ends is never taken in whole.
class LineReader {
public:
    static constexpr qsizetype DefaultMaxLineBytes = 8 * 1024 * 1024;

    explicit LineReader(QIODevice &device, qsizetype maxLineBytes = DefaultMaxLineBytes);

    // Moves to the next line. False at the end of the input or when the line
    // is too long; line() is then empty.
    bool next();
    const QString &line() const { return current; }
    // The reading stopped at a line over the limit or at a read error.
    bool damaged() const { return broken; }

private:
    bool fill();

    QIODevice &device;
    qsizetype maxLineBytes;
    QByteArray buffer;
    qsizetype start = 0; // first byte of buffer not yet returned
    bool atEnd = false;
    bool broken = false;
    QString current;
};
