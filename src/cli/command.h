#pragma once

#include <QStringList>
#include <QTextStream>

// One headless command of quorvane-cli. Output on out is a stable interface
// that scripts read; messages go to err. The result is the exit code.
struct CliCommand {
    const char *name;
    const char *usage;
    int (*run)(const QStringList &arguments, QTextStream &out, QTextStream &err);
    // Needs the font database (drawing, text layout), which only a GUI
    // application has.
    bool needsFonts = false;
};

// Exit codes shared by every command.
namespace CliExit {
constexpr int Ok = 0;
constexpr int Usage = 1;
constexpr int BadInput = 2;
} // namespace CliExit

int runSettingsCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);
int runScanCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);
int runDumpCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);
int runConvertCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);
int runRenderCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);
int runTextCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);

// Makes a text fit on one line of tab-separated output: backslash, tab,
// carriage return and line feed are written as \\, \t, \r and \n.
QString escapeField(const QString &text);
