#include "editor/selection.h"

#include "model/parttypes.h"
#include "store/datamodule.h"

#include <algorithm>

namespace {

// Grows a box by a point; a null box becomes the point.
void extend(QRect &box, int x, int y)
{
    if (box.isNull()) {
        box = QRect(QPoint(x, y), QPoint(x, y));
        return;
    }
    box.setLeft(std::min(box.left(), x));
    box.setTop(std::min(box.top(), y));
    box.setRight(std::max(box.right(), x));
    box.setBottom(std::max(box.bottom(), y));
}

bool spansTwoPoints(const QString &type)
{
    return isRunEnd(type) || isEllipse(type);
}

} // namespace

const QList<PartRow> &SketchSelection::parts() const
{
    return data.tables().parts;
}

const PartRow *SketchSelection::find(int drawing, int partnr) const
{
    for (const PartRow &part : data.tables().parts) {
        if (part.Drawingnr == drawing && part.Partnr == partnr)
            return &part;
    }
    return nullptr;
}

PartRow *SketchSelection::findRow(int drawing, int partnr)
{
    for (PartRow &part : data.tables().parts) {
        if (part.Drawingnr == drawing && part.Partnr == partnr)
            return &part;
    }
    return nullptr;
}

void SketchSelection::setselected(int drawing, int partnr, int state)
{
    if (PartRow *part = findRow(drawing, partnr))
        part->Selected = state;
}

bool SketchSelection::isselected(int drawing, int partnr) const
{
    const PartRow *part = find(drawing, partnr);
    return part && part->Selected == 1;
}

void SketchSelection::clearselection(int drawing)
{
    for (PartRow &part : data.tables().parts) {
        if (part.Drawingnr == drawing && part.Selected == 1)
            part.Selected = 3;
    }
}

int SketchSelection::countselected(int drawing) const
{
    int count = 0;
    for (const PartRow &part : data.tables().parts) {
        if (part.Drawingnr != drawing || part.Selected < 1 || part.Selected > 2)
            continue;
        if (is_line(part.Type) ? is_line_end(part.Type) : part.Type != PartType::Poly)
            ++count;
    }
    return count;
}

bool SketchSelection::getselectedobject(int drawing, QString &type, int &partnr) const
{
    type.clear();
    partnr = -1;
    if (countselected(drawing) != 1)
        return false;
    for (const PartRow &part : data.tables().parts) {
        if (part.Drawingnr == drawing && part.Selected == 1) {
            const PartRow *object = find(drawing, representative(drawing, part.Partnr));
            type = object->Type;
            partnr = object->Partnr;
            return true;
        }
    }
    return false;
}

void SketchSelection::deleteselected(int drawing)
{
    data.tables().parts.removeIf(
        [drawing](const PartRow &part) { return part.Drawingnr == drawing && part.Selected == 1; });
}

QRect SketchSelection::selectionbounds(int drawing) const
{
    QRect box;
    for (const PartRow &part : data.tables().parts) {
        if (part.Drawingnr != drawing || (part.Selected != 1 && part.Selected != 2))
            continue;
        extend(box, part.x1, part.y1);
        if (spansTwoPoints(part.Type))
            extend(box, part.x2, part.y2);
    }
    return box;
}

QRect SketchSelection::runbounds(int drawing, int partnr, const QString &type) const
{
    const PartRow *part = find(drawing, partnr);
    if (!part || part->Type != type)
        return {};
    QRect box;
    extend(box, part->x1, part->y1);
    extend(box, part->x2, part->y2);
    for (const int earlier : runOf(drawing, partnr).mid(1)) {
        const PartRow *row = find(drawing, earlier);
        extend(box, row->x1, row->y1);
    }
    return box;
}

void SketchSelection::setObjectState(int drawing, int partnr, int state)
{
    for (const int row : runOf(drawing, partnr))
        setselected(drawing, row, state);
}

QList<int> SketchSelection::runOf(int drawing, int partnr) const
{
    const PartRow *current = find(drawing, partnr);
    if (!current)
        return {};
    QList<int> rows{partnr};
    if (!isRunEnd(current->Type))
        return rows;
    const QString kind = current->Type.mid(1);
    for (int number = partnr - 1;; --number) {
        const PartRow *before = find(drawing, number);
        if (!before || before->Type != kind || before->x2 != current->x1 || before->y2 != current->y1)
            break;
        rows.append(number);
        current = before;
    }
    return rows;
}

int SketchSelection::representative(int drawing, int partnr) const
{
    const PartRow *part = find(drawing, partnr);
    if (!part || !isRunRow(part->Type) || isRunEnd(part->Type))
        return partnr;
    int number = partnr;
    while (const PartRow *next = find(drawing, number + 1)) {
        ++number;
        if (isRunEnd(next->Type))
            break;
    }
    return number;
}

void SketchSelection::settle(int drawing)
{
    for (PartRow &part : data.tables().parts) {
        if (part.Drawingnr != drawing)
            continue;
        if (part.Selected == 2)
            part.Selected = 1;
        else if (part.Selected == 3)
            part.Selected = 0;
    }
}

void SketchSelection::selectAll(int drawing)
{
    for (PartRow &part : data.tables().parts) {
        if (part.Drawingnr == drawing && !isCourt(part.Type) && part.Selected != 1)
            part.Selected = 2;
    }
}

void SketchSelection::unselectAll()
{
    for (PartRow &part : data.tables().parts)
        part.Selected = 0;
}
