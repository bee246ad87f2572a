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
// unset: further variables the script's environment lacks.
inline CliResult runCli(const QStringList &arguments, const QStringList &unset = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    for (const QString &name : unset)
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUORVANE_CLI), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}
