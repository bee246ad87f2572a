#pragma once

#include "editor/sketcheditor.h"
#include "playbookfolder.h"
#include "shell/playbrowser.h"

// The editor's host for tests: edits the browser's sequence, counts what
// the editor asks for and answers the text dialog from a script.
class RecordingHost : public EditorHost {
public:
    explicit RecordingHost(const PlayBrowser &browser) : browser(browser) {}
    const PlayBrowser &browser;
    int redraws = 0;
    int buttonsUp = 0;
    bool curvedEnabled = true;
    EditorCursor cursor = EditorCursor::Normal;
    QStringList texts;             // answers of the text dialog; empty: cancelled
    QList<QPair<int, int>> opened; // property dialogs asked for (drawing, part)
    int offenseSteps = 0;
    int defenseSteps = 0;

    int sequence() const override { return browser.sequence(); }
    void sketchChanged() override { ++redraws; }
    void overlayChanged() override {}
    void setCursor(EditorCursor shown) override { cursor = shown; }
    void toolButtonsUp() override { ++buttonsUp; }
    void setCurvedLinesEnabled(bool enabled) override { curvedEnabled = enabled; }
    bool editSketchText(PartFields &text) override
    {
        if (texts.isEmpty())
            return false;
        text.tekst = texts.takeFirst();
        text.thickness = 10;
        text.fontname = QStringLiteral("Arial");
        return true;
    }
    void editProperties(int drawing, int partnr) override { opened.append({drawing, partnr}); }
    void advancePalette(PaletteSide side) override
    {
        ++(side == PaletteSide::Offense ? offenseSteps : defenseSteps);
    }
};

// A loaded play of empty sequences (each with only a court) in a data
// folder of its own, with the sketch editor on its first sequence.
struct EditorHarness : PlaybookFolder {
    explicit EditorHarness(int sequences = 2)
    {
        session.startupDone = true;
        PlayFixture play;
        play.category = QStringLiteral("Drills");
        play.name = QStringLiteral("Board");
        play.sequences = sequences;
        play.partsPerSequence = 0;
        writeFile(data() + QStringLiteral("Drills/Board.dat"), play.bytes());
        browser.categorybox(true);
        for (int s = 1; s <= sequences; ++s) {
            PartFields court;
            court.Type = QStringLiteral("Court");
            court.color2 = -1;
            session.data.addpart(session.data.getdrawingnr(s), court);
        }
        session.PlayModified = false;
    }

    int drawing() const { return session.data.getdrawingnr(browser.sequence()); }

    PlayBrowser browser{session, store};
    RecordingHost host{browser};
    SketchEditor editor{session, host};
};
