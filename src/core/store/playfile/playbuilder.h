#pragma once

#include "store/datamodule.h"
#include "model/tables.h"
#include "store/playfile/tagnumbering.h"

// The play a reader is taking in, built apart from the loaded play so that a
// file that stops half-way leaves the loaded play as it was. Sequences are
// numbered 1, 2, … with a new drawing each; parts 1, 2, … per sketch.
class PlayBuilder {
public:
    void addSequence(bool animationonly, const QString &text, const QString &focus, const QString &extra2);
    void setAnimationOnly();
    // Adds a part to the last sequence. A part without its own tag number
    // gets the one findtagnr would give, one without a level the default
    // level of its type.
    void addPart(PartFields fields, bool hasTag, bool hasLevel);
    // Replaces the sequences and parts of data by the play built.
    void moveInto(DataModule &data);

private:
    void finishSketch();

    // The tables hold the sequences and only the parts of the sketch being
    // read, so that addpart has few rows to look through.
    Tables tables;
    DataModule module{tables};
    QList<PartRow> finishedParts;
    TagNumbering tags;
    int drawing = 0; // of the last sequence
};
