// Whole sketches: a sequence's drawing drawn part by part, supersampled
// pictures for export, and the ghosts of earlier sequences in the editor.

#include "render/sketch.h"

#include "render/supersampler.h"

#include <algorithm>
#include <cmath>

namespace {

bool validZoom(double zoom)
{
    return std::isfinite(zoom) && zoom > 0;
}

// The base pen width of every part: z when whole, else the next whole number.
int roundedUp(double zoom)
{
    return int(std::ceil(zoom));
}

// A copy of the drawing's parts in storage order.
QList<PartRow> partsOf(const DataModule &data, int drawing)
{
    QList<PartRow> parts;
    for (const PartRow &part : data.tables().parts) {
        if (part.Drawingnr == drawing)
            parts.append(part);
    }
    return parts;
}

QPointF start(const PartRow &part)
{
    return {double(part.x1), double(part.y1)};
}

QPointF end(const PartRow &part)
{
    return {double(part.x2), double(part.y2)};
}

bool drawnAsCurve(const PartRow &part)
{
    return part.rotation != 0 || isShot(part.Type);
}

enum class Include { Everything, LinesOnly };

// Whether the row after a run's row carries the run on: a row of the run's
// own code or of its end form (compared exactly, as runs are).
bool continuesRun(const PartRow &next, const QString &code, const QString &endCode)
{
    return next.Type == code || next.Type == endCode;
}

// Walks the parts in storage order. A curved line or a shot is drawn with
// the rows of its run, which it consumes: from its first row up to the first
// row of its end form. A run whose end form is missing (a file from
// elsewhere) ends at its last row of its own code, so that the parts after
// it are still drawn as themselves.
void drawParts(Canvas &canvas, const QList<PartRow> &parts, double zoom, bool ghost,
               Include include, RenderContext &context)
{
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const PartRow &part = parts.at(i);
        canvas.setPenWidth(roundedUp(zoom));
        if (!is_line(part.Type)) {
            if (include == Include::LinesOnly)
                continue;
            if (isCourt(part.Type))
                draw_court(canvas, part.Graphicnr, part.Drawingnr, zoom, context);
            else
                draw_symbol(canvas, part, zoom, ghost, context);
            continue;
        }
        if (!drawnAsCurve(part)) {
            draw_symbol(canvas, part, zoom, ghost, context);
            continue;
        }
        const QString endCode = line_end_code(part.Type);
        QList<QPointF> points{2 * start(part) - end(part), start(part)};
        while (parts.at(i).Type != endCode && i + 1 < parts.size()
               && continuesRun(parts.at(i + 1), part.Type, endCode)) {
            points.append(end(parts.at(i)));
            ++i;
        }
        const PartRow &last = parts.at(i);
        points += {end(last), 2 * end(last) - start(last)};
        draw_curve(canvas, endCode, points, ghost, zoom, part.color, part.arrow, part.rotation,
                   part.thickness, context);
    }
}

int lowerFactor(int factor)
{
    switch (factor) {
    case 8: return 4;
    case 4: return 2;
    case 2: return 1;
    default: return 0;
    }
}

// Symbols are not smoothed one by one inside a picture that is smoothed whole.
class MagnifiedSymbolsOff {
public:
    explicit MagnifiedSymbolsOff(RenderContext &context)
        : context(context), saved(context.magnifiedSymbols)
    {
        context.magnifiedSymbols = false;
    }
    ~MagnifiedSymbolsOff() { context.magnifiedSymbols = saved; }
    MagnifiedSymbolsOff(const MagnifiedSymbolsOff &) = delete;
    MagnifiedSymbolsOff &operator=(const MagnifiedSymbolsOff &) = delete;

private:
    RenderContext &context;
    bool saved;
};

} // namespace

QSize sketchSize(double zoom)
{
    if (!validZoom(zoom) || SketchHeight * zoom > Supersampler::MaxSide)
        return {};
    return {rnd(SketchWidth * zoom), rnd(SketchHeight * zoom)};
}

void drawSketch(Canvas &canvas, double zoom, int sequence, RenderContext &context)
{
    const int drawing = context.data.getdrawingnr(sequence);
    const QList<PartRow> parts = drawing > 0 && validZoom(zoom) ? partsOf(context.data, drawing)
                                                                : QList<PartRow>();
    // A court paints every pixel; a drawing that starts without one is
    // drawn on white.
    if (parts.isEmpty() || !isCourt(parts.first().Type))
        canvas.fillRect(0, 0, canvas.width(), canvas.height(), rgb(255, 255, 255));
    drawParts(canvas, parts, zoom, false, Include::Everything, context);
}

void drawEditorSketch(Canvas &canvas, double zoom, int sequence, PreviousOverlays overlays,
                        RenderContext &context)
{
    canvas.fillRect(0, 0, canvas.width(), canvas.height(), rgb(255, 255, 255));
    const int drawing = context.data.getdrawingnr(sequence);
    if (drawing <= 0 || !validZoom(zoom))
        return;
    QList<PartRow> parts = partsOf(context.data, drawing);
    std::stable_sort(parts.begin(), parts.end(), [](const PartRow &a, const PartRow &b) {
        return a.level != b.level ? a.level < b.level : a.Partnr < b.Partnr;
    });
    // The courts come first whatever their layer says, so that the ghosts
    // lie on the water and under every other part.
    const auto others = std::stable_partition(parts.begin(), parts.end(), [](const PartRow &part) {
        return isCourt(part.Type);
    });
    drawParts(canvas, QList<PartRow>(parts.begin(), others), zoom, false, Include::Everything,
              context);
    if (sequence > 1 && overlays.positions)
        draw_prev_players(canvas, sequence, context);
    if (sequence > 1 && overlays.lines)
        draw_prev_lines(canvas, sequence, context);
    drawParts(canvas, QList<PartRow>(others, parts.end()), zoom, false, Include::Everything,
              context);
}

QImage editorSketchImage(double zoom, int sequence, PreviousOverlays overlays,
                           RenderContext &context)
{
    const QSize size = sketchSize(zoom);
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    Canvas canvas(image);
    drawEditorSketch(canvas, zoom, sequence, overlays, context);
    return image;
}

void getimage(QImage &image, double zoom, int sequence, RenderContext &context)
{
    const QSize size = sketchSize(zoom);
    if (size.isEmpty()) {
        image = QImage();
        return;
    }
    if (image.size() != size || image.format() != QImage::Format_RGB32)
        image = QImage(size, QImage::Format_RGB32);
    if (image.isNull())
        return;
    Canvas canvas(image);
    drawSketch(canvas, zoom, sequence, context);
}

bool draw_sketch_smooth(QImage &image, double zoom, int sequence, int factor,
                        RenderContext &context)
{
    if (factor != 1 && factor != 2 && factor != 4 && factor != 8)
        return false;
    const QSize size = sketchSize(zoom);
    if (size.isEmpty())
        return false;
    const int scale = 2 * factor;
    const MagnifiedSymbolsOff plainSymbols(context);
    QImage smooth = Supersampler(size, scale).render([&](Canvas &band) {
        drawSketch(band, zoom * scale, sequence, context);
    });
    if (smooth.isNull())
        return false;
    {
        Canvas canvas(smooth);
        canvas.setPen(rgb(0, 0, 0), 1);
        canvas.setBrushClear();
        canvas.rectangle(0, 0, size.width(), size.height());
    }
    image = smooth;
    return true;
}

SmoothPicture sketchImage(double zoom, int sequence, int factor, RenderContext &context)
{
    SmoothPicture picture{{}, std::max(factor, 0)};
    while (picture.factor > 0 && !draw_sketch_smooth(picture.image, zoom, sequence, picture.factor, context))
        picture.factor = lowerFactor(picture.factor);
    if (picture.factor == 0)
        getimage(picture.image, zoom, sequence, context);
    return picture;
}

void draw_prev_players(Canvas &canvas, int sequence, RenderContext &context)
{
    if (sequence < 2)
        return;
    for (const PartRow &part : partsOf(context.data, context.data.getdrawingnr(sequence - 1))) {
        if (is_symbol(part.Type) || is_ball(part.Type)) {
            canvas.setPenWidth(1);
            draw_symbol(canvas, part, 1, true, context);
        }
    }
}

void draw_prev_lines(Canvas &canvas, int sequence, RenderContext &context)
{
    for (int earlier = sequence - 1; earlier >= 1; --earlier) {
        const int drawing = context.data.getdrawingnr(earlier);
        if (drawing > 0 && context.data.countlines(drawing) > 0) {
            drawParts(canvas, partsOf(context.data, drawing), 1, true, Include::LinesOnly, context);
            return;
        }
    }
}
