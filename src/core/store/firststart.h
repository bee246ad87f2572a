#pragma once

#include <QString>

class DataFiles;
class DataModule;
class DefaultPrinter;
class Prompter;
class SymbolDrawer;
struct DataPacket;

struct FirstStartResult {
    bool ok = false;
    QString error; // why the start cannot go on; empty when ok
    int firstStartCount = 0;
};

// The work done once at every start before the main window shows: check or
// create the three data files, load the settings and control records, count
// the start, add missing default settings and symbol pictures.
//
// A damaged data file is put aside under another name (never deleted) and the
// user is told; a file that cannot be read or written stops the start with
// an error, before anything was written over a good file.
class FirstStart {
public:
    // printer may be null when the system has no printing.
    FirstStart(DataModule &data, Prompter &prompter, SymbolDrawer &drawer, DefaultPrinter *printer);

    // Afterwards the settings, control records and symbol pictures are in the
    // tables and "Counter" has been counted.
    FirstStartResult run(const QString &computedDataFolder, const QString &controlFolder);

private:
    DataModule &data;
    Prompter &prompter;
    SymbolDrawer &drawer;
    DefaultPrinter *printer;

    bool defaults = false; // the default settings and symbol pictures are to be made
    bool newSymbolFile = false; // the symbol file was made empty: its pictures are to be made
    int firstStartCount = 0;

    bool firststart(const DataFiles &files, QString *error);
    bool CheckDataSet(const QString &path, const DataPacket &layout, QString *error);
    bool putAside(const QString &path, QString *error);
    void paramupdate();
    bool checkplayers(DataFiles &files, QString *error);
    void make_graphic(int number, const QString &type);
};
