#pragma once

#include "platform/environment.h"

// The folders and names of the machine the program runs on.
class SystemEnvironment : public Environment {
public:
    QString programFolder() const override;
    QString tempFolder() const override;
    QString documentsFolder() const override;
    QString sharedDocumentsFolder() const override;
    QString localAppDataFolder() const override;
    QString sharedAppDataFolder() const override;
    QString userName() const override;
    QString computerName() const override;
};
