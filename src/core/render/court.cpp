#include "render/poollayout.h"

#include "model/courts.h"
#include "render/renderer.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

// Court 13 is always this blue, whatever the drawing's water colour.
constexpr int PlainBlue = rgb(24, 173, 247);

// The whole sketch at 100 %, less its one-pixel frame: where areas of the
// courts without a pool (and of plug-in pictures) may lie.
constexpr SketchBox FramedSketch{1, 1, SketchWidth - 1, SketchHeight - 1};

const PartRow *courtPart(int drawing, const DataModule &data)
{
    for (const PartRow &part : data.tables().parts) {
        if (part.Drawingnr == drawing && isCourt(part.Type))
            return &part;
    }
    return nullptr;
}

std::optional<PoolShape> poolShape(int courtIndex)
{
    switch (courtIndex) {
    case 0: case 3: return PoolShape::HalfGoalTop;
    case 1: case 4: return PoolShape::HalfGoalBottom;
    case 2: case 5: return PoolShape::Whole;
    case 6: case 9: return PoolShape::CloseUpGoalTop;
    case 7: case 10: return PoolShape::CloseUpGoalBottom;
    default: return std::nullopt;
    }
}

int backgroundColor(int courtIndex, const CourtColors &colors)
{
    if (courtIndex == 13)
        return PlainBlue;
    return isColourCourt(courtIndex) ? colors.border : White;
}

// --- plug-in pictures ---------------------------------------------------------

// The plug-in set of the drawing (its court part's tekst), or of the setting
// "Plugin" when there is no drawing.
QString pluginName(int drawing, const RenderContext &context)
{
    if (drawing >= 1) {
        const PartRow *court = courtPart(drawing, context.data);
        return court ? court->tekst : QString();
    }
    const PluginChoice plugin = context.data.getplugin();
    return plugin.name.isEmpty() ? QString() : plugin.name + QString::number(plugin.number);
}

// The name comes from a play file: it must stay a single folder name inside
// the program folder.
bool isFolderName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

// The plug-in's picture of this court, drawn for the largest whole zoom not
// above rnd(z) that the set has; null when there is none. A file that is
// there but cannot be read counts as missing.
QImage pluginPicture(int courtIndex, int drawing, double zoom, const RenderContext &context)
{
    if (context.programFolder.isEmpty())
        return {};
    const QString name = pluginName(drawing, context);
    if (!isFolderName(name))
        return {};
    const QDir folder(QDir(context.programFolder).filePath(name));
    for (int size = std::max(rnd(zoom), 1); size >= 1; --size) {
        const QString file = folder.filePath(
            QStringLiteral("%1-%2-%3.bmp").arg(name).arg(courtIndex, 2, 10, QChar(u'0')).arg(size));
        if (!QFileInfo::exists(file))
            continue;
        const QImage picture(file);
        if (!picture.isNull())
            return picture.convertToFormat(QImage::Format_RGB32);
    }
    return {};
}

// Nearest-neighbour stretch over the whole picture, pixel by pixel from the
// whole picture's coordinates, so that every band gets its share exactly.
void stretch(Canvas &canvas, const QImage &picture)
{
    const qint64 width = canvas.width(), height = canvas.height();
    const QPoint origin = canvas.origin();
    QImage &band = canvas.image();
    const int rows = int(std::min<qint64>(band.height(), height - origin.y()));
    const int columns = int(std::min<qint64>(band.width(), width - origin.x()));
    for (int row = 0; row < rows; ++row) {
        const qint64 sourceRow = (origin.y() + row) * picture.height() / height;
        const auto *from = reinterpret_cast<const QRgb *>(picture.constScanLine(int(sourceRow)));
        auto *to = reinterpret_cast<QRgb *>(band.scanLine(row));
        for (int column = 0; column < columns; ++column)
            to[column] = from[(origin.x() + column) * picture.width() / width] | 0xff000000u;
    }
}

// --- built-in pools -------------------------------------------------------------

// The colours a pool is painted in; outlines and strip edges are always black.
struct PoolPalette {
    int water;
    int goalLines; // goal lines and the half-way line
    int twoMetre;
    int fiveMetre;
    int strips;
    int goals;
};

constexpr PoolPalette BlackAndWhite{White, Black, Black, Black, Black, Black};

PoolPalette colourPalette(const CourtColors &colors)
{
    return {colors.water, White, Red, Yellow, colors.bucket, White};
}

// Draws a pool layout at a zoom: every coordinate c lands on rnd(c * z);
// all figures are axis-parallel bars, so they are filled rectangles.
class PoolPainter {
public:
    PoolPainter(Canvas &canvas, double zoom) : canvas(canvas), zoom(zoom) {}

    void fill(const SketchBox &box, int color)
    {
        canvas.fillRect(at(box.left), at(box.top), at(box.right), at(box.bottom), color);
    }

    void line(const PoolLine &line, const SketchBox &water, int color)
    {
        const int width = thick();
        const int y = at(line.y);
        int top = y;
        switch (line.growth) {
        case PoolLine::Growth::Centred: top = y - width / 2; break;
        case PoolLine::Growth::Down: top = y; break;
        case PoolLine::Growth::Up: top = y - width + 1; break;
        }
        canvas.fillRect(at(water.left), top, at(water.right), top + width, color);
    }

    void openGoal(const OpenGoal &goal, int color)
    {
        const int width = thick();
        const int left = at(goal.leftPost) - width + 1;
        const int right = at(goal.rightPost) + width;
        const int back = at(goal.backY);
        const int goalLine = at(goal.goalLineY);
        const int postTop = std::min(back, goalLine), postBottom = std::max(back, goalLine);
        canvas.fillRect(left, postTop, left + width, postBottom, color);
        canvas.fillRect(right - width, postTop, right, postBottom, color);
        const int barTop = goalLine > back ? back : back - width + 1;
        canvas.fillRect(left, barTop, right, barTop + width, color);
    }

    void framedGoal(const FramedGoal &goal, int color)
    {
        frame(goal.box, thick(), goal.bottomShift, color);
    }

    void outline(const SketchBox &box) { frame(box, std::max(rnd(zoom), 1), 0, Black); }

private:
    int at(int coordinate) const { return rnd(coordinate * zoom); }
    // "2z": at least one pixel, however small the zoom.
    int thick() const { return std::max(rnd(2 * zoom), 1); }

    // A rectangle's outline with a pen of the width centred on the edges
    // (the one-pixel outline's columns and rows).
    void frame(const SketchBox &box, int width, int bottomShift, int color)
    {
        const int half = width / 2;
        const int left = at(box.left) - half;
        const int top = at(box.top) - half;
        const int right = at(box.right) - 1 - half;
        const int bottom = at(box.bottom) - 1 + bottomShift - half;
        canvas.fillRect(left, top, right + width, top + width, color);
        canvas.fillRect(left, bottom, right + width, bottom + width, color);
        canvas.fillRect(left, top, left + width, bottom + width, color);
        canvas.fillRect(right, top, right + width, bottom + width, color);
    }

    Canvas &canvas;
    double zoom;
};

int lineColor(PoolLine::Mark mark, const PoolPalette &palette)
{
    switch (mark) {
    case PoolLine::Mark::TwoMetre: return palette.twoMetre;
    case PoolLine::Mark::FiveMetre: return palette.fiveMetre;
    default: return palette.goalLines;
    }
}

void drawPool(Canvas &canvas, const PoolLayout &pool, const PoolPalette &palette, int drawing,
               double zoom, RenderContext &context)
{
    PoolPainter painter(canvas, zoom);
    painter.fill(pool.water, palette.water);
    const SketchBox &clip = pool.areaClip;
    draw_areas(canvas, drawing, clip.left, clip.top, clip.right, clip.bottom, zoom, context);
    for (const PoolLine &line : pool.lines)
        painter.line(line, pool.water, lineColor(line.mark, palette));
    for (const SketchBox &strip : pool.strips)
        painter.fill(strip, palette.strips);
    for (const OpenGoal &goal : pool.openGoals)
        painter.openGoal(goal, palette.goals);
    for (const FramedGoal &goal : pool.framedGoals)
        painter.framedGoal(goal, palette.goals);
    for (const int edge : pool.stripEdges)
        painter.line({PoolLine::Mark::GoalLine, edge, PoolLine::Growth::Down}, pool.water, Black);
    for (const SketchBox &outline : pool.outlines)
        painter.outline(outline);
}

} // namespace

void draw_court(Canvas &canvas, int courtIndex, int drawing, double zoom, RenderContext &context)
{
    canvas.setMode(Canvas::Mode::Copy);
    canvas.clearClip();
    canvas.setPen(Black);
    context.grey = !isColourCourt(courtIndex);

    if (const QImage picture = pluginPicture(courtIndex, drawing, zoom, context); !picture.isNull()) {
        stretch(canvas, picture);
        draw_areas(canvas, drawing, FramedSketch.left, FramedSketch.top, FramedSketch.right,
                   FramedSketch.bottom, zoom, context);
        return;
    }

    const CourtColors colors = court_colors(drawing, context);
    canvas.setBrush(backgroundColor(courtIndex, colors));
    canvas.rectangle(0, 0, canvas.width(), canvas.height());

    if (courtIndex == 12 || courtIndex == 13) {
        draw_areas(canvas, drawing, FramedSketch.left, FramedSketch.top, FramedSketch.right,
                   FramedSketch.bottom, zoom, context);
    } else if (const std::optional<PoolShape> shape = poolShape(courtIndex)) {
        // A colour court is its black and white twin painted over with the
        // same geometry, which comes to painting it once in its colours.
        const bool colour = isColourCourt(courtIndex);
        const PoolLayout pool = poolLayout(*shape, is_smaller_pool(drawing, context.data), colour, zoom);
        drawPool(canvas, pool, colour ? colourPalette(colors) : BlackAndWhite, drawing, zoom, context);
    }
    canvas.setPen(Black);
    canvas.setBrush(White);
}

CourtColors court_colors(int drawing, const RenderContext &context)
{
    const auto setting = [&context](const char *key) {
        return context.data.getparam(QLatin1String(key)).number & 0xFFFFFF;
    };
    CourtColors colors{setting("Border"), setting("Court"), setting("Threepoi"), setting("Bucket")};
    if (const PartRow *court = courtPart(drawing, context.data)) {
        const auto take = [](int field, int &color) {
            if (field != 0)
                color = field & 0xFFFFFF;
        };
        take(court->thickness, colors.border);
        take(court->rotation, colors.water);
        take(court->arrow, colors.threepoint);
        take(court->color, colors.bucket);
    }
    return colors;
}

bool is_smaller_pool(int drawing, const DataModule &data)
{
    const PartRow *court = courtPart(drawing, data);
    return court && court->x2 == 1;
}
