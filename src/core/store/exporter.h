#pragma once

#include <QString>

class QIODevice;

// Why an output was not made. Outputs report in the user's words; the
// kind lets the caller decide what to do next (a window asks again, the
// command line picks its exit code).
struct ExportError {
    enum class Kind {
        None,
        Cancelled,  // the user stopped it
        BadRequest, // nothing to make from what was asked (no such sequence ...)
        Failed,     // the output could not be made (too large, out of memory ...)
        CannotWrite // the device or file would not take it
    };
    Kind kind = Kind::None;
    QString message;

    bool failed() const { return kind != Kind::None; }
    static ExportError cancelled() { return {Kind::Cancelled, QStringLiteral("Cancelled")}; }
};

// How a long output tells how far it got, and learns that it is to stop.
// A window shows a progress bar with a Cancel button; the command line
// passes NoProgress.
class ExportProgress {
public:
    virtual ~ExportProgress() = default;
    // done of total steps are finished.
    virtual void advance(int done, int total) = 0;
    // Asked between steps: true stops the output with Cancelled.
    virtual bool cancelled() = 0;
};

class NoProgress : public ExportProgress {
public:
    void advance(int, int) override {}
    bool cancelled() override { return false; }
};

// The shape of every output of plays: an exporter is made with the
// snapshot(s) it works on and its settings, and writes one output to a
// device. It reports progress between its steps and stops when asked to.
// On an error it may have written part of the output: writing to a file
// goes through exportToFile, which keeps the file as it was unless the
// whole output was written.
class Exporter {
public:
    virtual ~Exporter() = default;
    virtual ExportError write(QIODevice &device, ExportProgress &progress) = 0;
};

// Writes the output into the file at path, whole or not at all.
ExportError exportToFile(Exporter &exporter, const QString &path, ExportProgress &progress);
