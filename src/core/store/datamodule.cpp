#include "store/datamodule.h"

#include <algorithm>
#include <vector>

// Play index and sequences. Play keys are looked up without
// regard to letter case; filters by category compare exactly.

namespace {

bool sameKey(const QString &category, const QString &name, const QString &otherCategory,
             const QString &otherName)
{
    return category.compare(otherCategory, Qt::CaseInsensitive) == 0
        && name.compare(otherName, Qt::CaseInsensitive) == 0;
}

qsizetype indexOfSequence(const QList<SequenceRow> &rows, int sequence)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].Sequence == sequence)
            return i;
    }
    return -1;
}

// The sequences stay in number order, as a play file lists them.
void keepInNumberOrder(QList<SequenceRow> &rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const SequenceRow &a, const SequenceRow &b) {
        return a.Sequence < b.Sequence;
    });
}

} // namespace

// --- play index -------------------------------------------------------------

bool DataModule::playexists(const QString &category, const QString &name) const
{
    return std::any_of(t.plays.cbegin(), t.plays.cend(), [&](const PlayRow &row) {
        return sameKey(row.Category, row.Drillname, category, name);
    });
}

QStringList DataModule::getcategories() const
{
    QStringList categories;
    for (const PlayRow &row : t.plays) {
        if (!categories.contains(row.Category))
            categories.append(row.Category);
    }
    return categories;
}

QStringList DataModule::getplaynames(const QString &category) const
{
    QStringList names;
    for (const PlayRow &row : t.plays) {
        if (row.Category == category)
            names.append(row.Drillname);
    }
    return names;
}

void DataModule::getplayinfo(const QString &category, const QString &name, PlayInfo &info) const
{
    for (const PlayRow &row : t.plays) {
        if (!sameKey(row.Category, row.Drillname, category, name))
            continue;
        info.Type = row.Type;
        info.Category = row.Category;
        info.Drillname = row.Drillname;
        info.Quality = row.Quality;
        info.Nrplayers = row.Nrplayers;
        info.Nrballs = row.Nrballs;
        info.Agegroup = row.Agegroup;
        info.Hide = row.Hide;
        info.Subcat1 = row.Subcat1;
        info.Subcat2 = row.Subcat2;
        info.Subcat3 = row.Subcat3;
        info.Createdby = row.Createdby;
        return;
    }
}

void DataModule::setplayinfo(const QString &category, const QString &name, const PlayInfo &info)
{
    auto found = std::find_if(t.plays.begin(), t.plays.end(), [&](const PlayRow &row) {
        return sameKey(row.Category, row.Drillname, category, name);
    });
    if (found == t.plays.end()) {
        PlayRow added;
        added.Category = category.left(FieldSize::Category);
        added.Drillname = name.left(FieldSize::Drillname);
        found = t.plays.insert(t.plays.end(), added);
    }
    PlayRow &row = *found;
    row.Type = info.Type.left(FieldSize::PlayType);
    row.Quality = info.Quality;
    row.Nrplayers = info.Nrplayers;
    row.Nrballs = info.Nrballs;
    row.Agegroup = info.Agegroup;
    row.Hide = info.Hide;
    row.Subcat1 = info.Subcat1.left(FieldSize::Subcat);
    row.Subcat2 = info.Subcat2.left(FieldSize::Subcat);
    row.Subcat3 = info.Subcat3.left(FieldSize::Subcat);
    row.Createdby = info.Createdby.left(FieldSize::Createdby);
}

void DataModule::sortPlayIndex()
{
    // Letter case is ignored first so that "ball" sorts next to "Ball"; the
    // exact comparison only settles keys that differ in case alone. The scan
    // sorts thousands of rows: the case-folded keys are made once, and since
    // the rows are large, their places are sorted and each row moved once.
    struct Place {
        QString category; // case-folded
        QString name;     // case-folded
        PlayRow *row;
    };
    std::vector<Place> order;
    order.reserve(t.plays.size());
    for (PlayRow &row : t.plays)
        order.push_back({row.Category.toCaseFolded(), row.Drillname.toCaseFolded(), &row});
    std::stable_sort(order.begin(), order.end(), [](const Place &a, const Place &b) {
        if (int c = a.category.compare(b.category))
            return c < 0;
        if (int c = a.name.compare(b.name))
            return c < 0;
        if (int c = a.row->Category.compare(b.row->Category))
            return c < 0;
        return a.row->Drillname.compare(b.row->Drillname) < 0;
    });
    QList<PlayRow> sorted;
    sorted.reserve(t.plays.size());
    for (const Place &place : order)
        sorted.append(std::move(*place.row));
    t.plays = std::move(sorted);
}

// --- sequences of the loaded play -------------------------------------------

int DataModule::sequencecount() const
{
    return int(t.sequences.size());
}

int DataModule::visiblesequencecount() const
{
    return int(std::count_if(t.sequences.cbegin(), t.sequences.cend(),
                             [](const SequenceRow &row) { return !row.Animationonly; }));
}

int DataModule::visiblesequencenr(int n) const
{
    // Counted by number rather than by position so the result does not depend
    // on the order in which the rows were added.
    return int(std::count_if(t.sequences.cbegin(), t.sequences.cend(), [n](const SequenceRow &row) {
        return row.Sequence >= 1 && row.Sequence <= n && !row.Animationonly;
    }));
}

int DataModule::getdrawingnr(int sequence) const
{
    const qsizetype i = indexOfSequence(t.sequences, sequence);
    return i < 0 ? 0 : t.sequences[i].Drawingnr;
}

void DataModule::getseqtext(int sequence, QString &text) const
{
    if (const qsizetype i = indexOfSequence(t.sequences, sequence); i >= 0)
        text = t.sequences[i].Text;
}

void DataModule::getseqfocus(int sequence, QString &text) const
{
    if (const qsizetype i = indexOfSequence(t.sequences, sequence); i >= 0)
        text = t.sequences[i].Focus;
}

void DataModule::getseqextra(int sequence, QString &text) const
{
    if (const qsizetype i = indexOfSequence(t.sequences, sequence); i >= 0)
        text = t.sequences[i].Extra2;
}

bool DataModule::getanimationonly(int sequence) const
{
    const qsizetype i = indexOfSequence(t.sequences, sequence);
    return i >= 0 && t.sequences[i].Animationonly;
}

void DataModule::setanimationonly(int sequence, bool flag)
{
    if (const qsizetype i = indexOfSequence(t.sequences, sequence); i >= 0)
        t.sequences[i].Animationonly = flag;
}

void DataModule::addsequence(int sequence, int drawing, bool animationonly)
{
    if (indexOfSequence(t.sequences, sequence) >= 0)
        return;
    SequenceRow row;
    row.Sequence = sequence;
    row.Drawingnr = drawing;
    row.Animationonly = animationonly;
    t.sequences.append(row);
    keepInNumberOrder(t.sequences);
}

void DataModule::setseqtext(int sequence, const QString &text)
{
    if (const qsizetype i = indexOfSequence(t.sequences, sequence); i >= 0)
        t.sequences[i].Text = text;
}

void DataModule::renumberSequence(int sequence, int newNumber)
{
    const qsizetype i = indexOfSequence(t.sequences, sequence);
    if (i < 0 || indexOfSequence(t.sequences, newNumber) >= 0)
        return;
    t.sequences[i].Sequence = newNumber;
    keepInNumberOrder(t.sequences);
}

void DataModule::deletesequence(int sequence)
{
    if (const qsizetype i = indexOfSequence(t.sequences, sequence); i >= 0)
        t.sequences.removeAt(i);
}

int DataModule::maxdrawingnr() const
{
    int highest = 0;
    for (const SequenceRow &row : t.sequences)
        highest = std::max(highest, row.Drawingnr);
    return highest;
}

void DataModule::clearplay()
{
    t.sequences.clear();
    t.parts.clear();
    highestPartnr.clear();
}
