#pragma once

#include "platform/environment.h"

// An environment for tests whose folders and names are set by the test.
class FakeEnvironment : public Environment {
public:
    QString program, temp, documents, sharedDocuments, localAppData, sharedAppData;
    QString user = QStringLiteral("coach");
    QString computer = QStringLiteral("pool-pc");

    QString programFolder() const override { return program; }
    QString tempFolder() const override { return temp; }
    QString documentsFolder() const override { return documents; }
    QString sharedDocumentsFolder() const override { return sharedDocuments; }
    QString localAppDataFolder() const override { return localAppData; }
    QString sharedAppDataFolder() const override { return sharedAppData; }
    QString userName() const override { return user; }
    QString computerName() const override { return computer; }
};
