#pragma once

#include <QString>

// What the program asks of the system around it. Folder paths end with '/',
// and are empty when the system has no such folder.
class Environment {
public:
    virtual ~Environment() = default;

    virtual QString programFolder() const = 0;
    virtual QString tempFolder() const = 0;
    virtual QString documentsFolder() const = 0;
    virtual QString sharedDocumentsFolder() const = 0;
    virtual QString localAppDataFolder() const = 0;
    virtual QString sharedAppDataFolder() const = 0;
    virtual QString userName() const = 0;
    virtual QString computerName() const = 0;
};
