#include "playinput.h"

#include "command.h"
#include "store/playsnapshot.h"

int loadPlayInput(const QString &path, PlaySnapshot &play, QTextStream &err)
{
    const PlaySnapshot::Loaded loaded = play.load(path);
    if (loaded.ok())
        return CliExit::Ok;
    if (!loaded.opened)
        err << "quorvane-cli: cannot read " << path << ": " << loaded.message << '\n';
    else
        err << loaded.message << '\n';
    return CliExit::BadInput;
}

int checkSequence(const PlaySnapshot &play, const QString &path, int sequence, QTextStream &err)
{
    if (play.data.getdrawingnr(sequence) > 0)
        return CliExit::Ok;
    err << "quorvane-cli: " << path << " has no sequence " << sequence << " (it has "
        << play.data.sequencecount() << ")\n";
    return CliExit::BadInput;
}
