#pragma once

#include "store/datamodule.h"
#include "store/tables.h"

#include <QString>

class Environment;
class Prompter;

// The folders the program works with; each path ends with '/'.
struct Folders {
    QString program;      // folder of the executable; working directory after start-up
    QString temp;         // the system's temporary folder, else the program folder
    QString documents;    // the user's documents folder, empty when there is none
    QString data;         // holds data/ and lastlst.lst; may be replaced by DatabasePath or -d
    QString computedData; // holds wgraphic.xml and wparam.xml; never replaced
    QString control;      // holds wcontrol.cds
};

// Copies of the settings the main window works from while it runs.
struct RuntimeSettings {
    bool prevPositions = false; // "Prevpos"
    bool prevLines = false;     // "Prevline"
    bool showAll = false;       // "Showall"
    bool autoMove = false;      // "Automove"
    bool keepDown = false;      // "Keepdown"
    bool antiExp = false;       // "Antiexp"
    int antiExp2 = 0;           // "Antiexp2"
    int antiExp3 = 0;           // "Antiexp3"
    bool showHistory = false;   // "Showhis"
    bool snap = false;          // "Snap" switch
    int gridSize = 20;          // "Snap" number
    int zoomFactor = 100;       // "Zfactor"
};

// The state of one run of the program that is not widget wiring: the tables,
// the folders, the keys of the user and computer, the chosen and loaded play.
class Session {
public:
    Session(Environment &environment, Prompter &prompter);
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    Environment &environment;
    Prompter &prompter;

    Tables tables;
    DataModule data{tables};
    Folders folders;

    QString userKey;
    QString computerKey;

    // The play whose sequences and parts are in the tables; empty before the
    // first play is loaded.
    QString loadedCategory;
    QString loadedName;

    bool PlayModified = false;
    bool startupDone = false;
    int firstStartCount = 0;
    int startCount = 0;
    bool playIndexEmpty = true;

    RuntimeSettings runtime;

    // Folders the file dialogs open in first.
    struct DialogFolders {
        QString save;   // plays, from "Saveinit"
        QString image;  // images, from "Imginit"
        QString open;   // plays, from "Openinit"
        QString backup; // backups
    } dialogFolders;

    // True once the settings and control tables were read from good files:
    // only then may closing write them back.
    bool settingsLoaded = false;

    // Copies the run-time settings from the settings table.
    void readRuntimeSettings();

    // Writes the settings and control tables back to their files, but only
    // when they were read from sound files at start-up. Returns the reasons
    // of any failure, empty when all is written.
    QString writeSettingsFiles();
};
