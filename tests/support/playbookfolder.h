#pragma once

#include "fakeenvironment.h"
#include "playfixture.h"
#include "recordingprompter.h"
#include "shell/session.h"
#include "store/playstore.h"

#include <QTemporaryDir>

// A session and its play store over a data folder of their own, removed
// with them; messages are recorded, the clock stands still.
struct PlaybookFolder {
    PlaybookFolder() { session.folders.data = dir.path() + u'/'; }
    PlaybookFolder(const PlaybookFolder &) = delete;
    PlaybookFolder &operator=(const PlaybookFolder &) = delete;

    // The folder of the play files.
    QString data() const { return dir.path() + QStringLiteral("/data/"); }

    QTemporaryDir dir;
    FakeEnvironment environment;
    RecordingPrompter prompter;
    FixedClock clock;
    Session session{environment, prompter};
    PlayStore store{session, clock};
};
