#include "store/playfile/tagnumbering.h"

#include "model/tables.h"

#include <algorithm>
#include <limits>

void TagNumbering::nextSequence()
{
    previous = std::move(current);
    current.clear();
    usedNow.clear();
    handedOn.clear();
    for (const Tags &kind : std::as_const(previous)) {
        for (const int tag : kind.tags)
            handedOn.insert(tag);
    }
}

int TagNumbering::missing(const QString &type, int graphicnr)
{
    const auto found = previous.find(Kind(type, graphicnr));
    if (found != previous.end()) {
        // Tags only ever become used within a sequence, so the search can
        // go on where it stopped last time.
        Tags &kind = *found;
        while (kind.firstFree < kind.tags.size() && usedNow.contains(kind.tags[kind.firstFree]))
            ++kind.firstFree;
        if (kind.firstFree < kind.tags.size())
            return kind.tags[kind.firstFree];
    }
    return highest < std::numeric_limits<int>::max() ? highest + 1 : highest;
}

void TagNumbering::note(const PartFields &part)
{
    // Only tags the previous sketch could hand on are looked up, so a large
    // sketch does not fill the set with tags nobody asks about.
    if (handedOn.contains(part.tagnr))
        usedNow.insert(part.tagnr);
    highest = std::max(highest, part.tagnr);
    if (part.tagnr > 0) // a part without a tag has nothing to hand on
        current[Kind(part.Type, part.Graphicnr)].tags.append(part.tagnr);
}
