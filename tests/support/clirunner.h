#pragma once

#include <QProcess>
#include <QStringList>

// What a run of quorvane-cli gave.
struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QString err;
    QString text() const { return QString::fromUtf8(out); }
};

// Runs quorvane-cli as a script would: no display, no platform chosen.
inline CliResult runCli(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUORVANE_CLI), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}
