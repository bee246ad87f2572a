#include "shell/session.h"

#include "store/datafiles.h"

Session::Session(Environment &environment, Prompter &prompter)
    : Playbook(prompter), environment(environment)
{
}

QString Session::writeSettingsFiles()
{
    if (!settingsLoaded)
        return {};
    DataFiles files(folders.computedData, folders.control, prompter);
    QStringList errors;
    QString error;
    if (!files.SaveParamDataset(tables, &error))
        errors.append(error);
    if (!files.SaveControlDataset(tables, &error))
        errors.append(error);
    return errors.join(u'\n');
}
