#pragma once

#include "store/playbook.h"

#include <QString>

class Environment;
class Prompter;

// The state of one run of the program that is not widget wiring: the
// playbook, the keys of the user and computer, the start counts.
class Session : public Playbook {
public:
    Session(Environment &environment, Prompter &prompter);
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    Environment &environment;

    QString userKey;
    QString computerKey;

    bool startupDone = false;
    int firstStartCount = 0;
    int startCount = 0;
    bool playIndexEmpty = true;


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

    // Writes the settings and control tables back to their files, but only
    // when they were read from sound files at start-up. Returns the reasons
    // of any failure, empty when all is written.
    QString writeSettingsFiles();
};
