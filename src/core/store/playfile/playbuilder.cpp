#include "store/playfile/playbuilder.h"

#include "model/parttypes.h"

void PlayBuilder::addSequence(bool animationonly, const QString &text, const QString &focus,
                              const QString &extra2)
{
    finishSketch();
    // Counted here rather than looked up in the table, so that a file of
    // very many sequences does not take ever longer per sequence.
    SequenceRow row;
    row.Sequence = int(tables.sequences.size()) + 1;
    row.Drawingnr = ++drawing;
    row.Animationonly = animationonly;
    row.Text = text;
    row.Focus = focus;
    row.Extra2 = extra2.left(FieldSize::Extra2);
    tables.sequences.append(row);
    tags.nextSequence();
}

void PlayBuilder::setAnimationOnly()
{
    tables.sequences.last().Animationonly = true;
}

void PlayBuilder::addPart(PartFields fields, bool hasTag, bool hasLevel)
{
    // The table keeps 8 characters of the type; tags are matched on those.
    fields.Type.truncate(FieldSize::PartType);
    if (!hasTag)
        fields.tagnr = tags.missing(fields.Type, fields.Graphicnr);
    if (!hasLevel)
        fields.level = default_level(fields.Type);
    module.addpart(drawing, fields);
    tags.note(fields);
}

void PlayBuilder::finishSketch()
{
    // Moved, not copied: a sketch may hold a great many parts.
    if (finishedParts.isEmpty())
        finishedParts.swap(tables.parts);
    else
        finishedParts.append(std::move(tables.parts));
    tables.parts.clear();
}

void PlayBuilder::moveInto(DataModule &data)
{
    finishSketch();
    // clearplay also forgets the part numbers given to the play before.
    data.clearplay();
    data.tables().sequences = std::move(tables.sequences);
    data.tables().parts = std::move(finishedParts);
    tables.sequences.clear();
    finishedParts.clear();
}
