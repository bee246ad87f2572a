#pragma once

#include "model/tables.h"
#include "store/datamodule.h"
#include "store/undohistory.h"

#include <QString>

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

// Copies of the settings the windows and the editor work from while the
// program runs.
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

// The playbook being worked on: the tables with their routines and the
// undo history, the folders, the play the tables hold and whether it changed, and where
// messages go. The play operations, restores and the sketch editor work on
// this; the running program's session adds what only it has.
struct Playbook {
    explicit Playbook(Prompter &prompter) : prompter(prompter) {}
    Playbook(const Playbook &) = delete;
    Playbook &operator=(const Playbook &) = delete;

    Prompter &prompter;

    Tables tables;
    DataModule data{tables};
    UndoHistory undo{data};
    Folders folders;

    // The play whose sequences and parts are in the tables; empty before the
    // first play is loaded.
    QString loadedCategory;
    QString loadedName;
    bool PlayModified = false;

    RuntimeSettings runtime;
    // Copies the run-time settings from the settings table.
    void readRuntimeSettings();

    // Readies the drawing of a sequence of the loaded play for drawing:
    // polygon runs too short to enclose anything are removed, and the play
    // counts as changed when there were any.
    void tidyDrawing(int sequence);
};
