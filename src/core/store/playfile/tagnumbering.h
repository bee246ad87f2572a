#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <utility>

struct PartFields;

// Tag numbers for the parts of a play being read sequence by sequence, the
// ones findtagnr would give: a part without a tag takes the first tag of a
// part of the same type and symbol number in the previous sketch that its
// own sketch does not use yet, else one above the highest tag so far.
// Kept per sequence so a large old file is not searched part by part.
class TagNumbering {
public:
    // The parts noted from here on belong to the next sequence.
    void nextSequence();
    // The tag number a part of this type and symbol number gets.
    int missing(const QString &type, int graphicnr);
    // A part was added to the current sequence with this tag.
    void note(const PartFields &part);

private:
    using Kind = std::pair<QString, int>;
    struct Tags {
        QList<int> tags; // in the order the parts were added
        qsizetype firstFree = 0;
    };

    QHash<Kind, Tags> previous;
    QHash<Kind, Tags> current;
    QSet<int> handedOn; // every tag of the previous sketch
    QSet<int> usedNow;  // those of them the current sketch uses
    int highest = 0;
};
