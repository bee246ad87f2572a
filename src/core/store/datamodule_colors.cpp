#include "store/datamodule.h"

#include "model/color.h"
#include "model/parttypes.h"

#include <array>

// Colour lists for the swatch grids and the custom colours of the system
// colour dialog. Colours are COLORREF values (red in the low byte) written as
// decimal text.

namespace {

// Stands for every drawing of the play.
constexpr int allDrawings = -999;

// A colour is a duplicate when it is among this many first entries.
constexpr int distinctWindow = 256;

constexpr std::array standardColors = {
    rgb(0, 0, 0),       rgb(128, 0, 0),     rgb(0, 128, 0),     rgb(128, 128, 0),   rgb(0, 0, 128),
    rgb(128, 0, 128),   rgb(0, 128, 128),   rgb(128, 128, 128), rgb(160, 160, 164), rgb(192, 192, 192),
    rgb(255, 0, 0),     rgb(0, 255, 0),     rgb(255, 255, 0),   rgb(0, 0, 255),     rgb(255, 0, 255),
    rgb(0, 255, 255),   rgb(166, 202, 240), rgb(255, 255, 255),
};

constexpr std::array sketchColors = {
    rgb(24, 173, 247), rgb(0, 0, 112), rgb(248, 248, 210), rgb(255, 255, 255), rgb(102, 102, 255), rgb(255, 255, 255),
};

constexpr std::array markColors = {
    rgb(255, 0, 0), rgb(255, 255, 0), rgb(255, 255, 255), rgb(255, 255, 255), rgb(255, 0, 0),
};

constexpr std::array closingColors = {rgb(192, 220, 192), rgb(255, 251, 240)};

// Settings whose colours follow the sketch colours, in list order.
const std::array settingColorKeys = {
    QStringLiteral("Court"),  QStringLiteral("Border"),  QStringLiteral("Bucket"),
    QStringLiteral("Threepoi"), QStringLiteral("Offense"), QStringLiteral("Defense"),
};

// The colours and second colours of the parts of one drawing (or of all), in
// storage order, leaving out areas and parts in their default colour.
void addPartColors(QStringList &list, const QList<PartRow> &parts, int drawing)
{
    for (const PartRow &part : parts) {
        if (drawing != allDrawings && part.Drawingnr != drawing)
            continue;
        if (part.color == 0 || isArea(part.Type))
            continue;
        DataModule::addcolor(list, part.color);
        DataModule::addcolor(list, part.color2);
    }
}

} // namespace

void DataModule::addcolor(QStringList &list, int color)
{
    if (color < 0)
        return;
    const QString text = QString::number(color);
    if (!list.first(std::min<qsizetype>(list.size(), distinctWindow)).contains(text))
        list.append(text);
}

void DataModule::getcolorlist(QStringList &list, int mode, const QList<int> &editedCourt) const
{
    list.clear();
    if (mode == 0) {
        for (int color : standardColors)
            list.append(QString::number(color));
    }
    for (int color : sketchColors)
        addcolor(list, color);
    for (const QString &key : settingColorKeys)
        addcolor(list, getparam(key).number);
    for (int color : markColors)
        addcolor(list, color);
    if (mode == 3) {
        for (int color : editedCourt)
            addcolor(list, color);
    }
    addPartColors(list, t.parts, allDrawings);
    if (mode == 0) {
        for (int color : closingColors)
            addcolor(list, color);
    }
}

void DataModule::getdrawingcolors(int drawing, QStringList &list) const
{
    list.clear();
    addPartColors(list, t.parts, drawing);
}

void DataModule::getallcolors(QStringList &list) const
{
    list.clear();
    addPartColors(list, t.parts, allDrawings);
}

int DataModule::countcolors(int drawing) const
{
    QStringList list;
    addPartColors(list, t.parts, drawing);
    return int(list.size());
}
