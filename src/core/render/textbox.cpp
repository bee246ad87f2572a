#include "render/renderer.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int FrameGrey = rgb(128, 128, 128);

CanvasFont partFont(const PartFields &part, int pointSize)
{
    CanvasFont font;
    if (!part.fontname.isEmpty())
        font.family = part.fontname;
    font.pointSize = pointSize;
    font.bold = part.arrow & 1;
    font.italic = part.arrow & 2;
    font.underline = part.arrow & 4;
    font.strikeOut = part.arrow & 8;
    return font;
}

// The distance from one line of the box to the next for the canvas's font.
int lineStep(const Canvas &canvas)
{
    return std::abs(rnd(1.1 * canvas.fontHeight()));
}

int boxColor(const PartFields &part)
{
    bool isNumber = false;
    const int color = part.extra4.trimmed().toInt(&isNumber);
    return isNumber ? color : rgb(255, 255, 255);
}

// At other zooms the text gets the largest font whose widest line stays
// narrower than the box scaled: the size before the first one (counting up
// from 1 point) whose line reaches the box. Widths grow with the size, so
// that first size is found by halving the range, a handful of measurements
// where counting up took hundreds at the zooms of supersampling.
int zoomedPointSize(Canvas &canvas, const PartFields &part, const QString &widestLine,
                    int boxWidth, double zoom)
{
    const int target = rnd(boxWidth * zoom);
    // Widths grow about linearly with the size, so the answer lies well
    // below this; the bound only keeps a strange font from growing on.
    const int limit = 2 * rnd(std::abs(part.thickness) * zoom) + 16;
    const auto reaches = [&](int size) {
        canvas.setFont(partFont(part, size));
        return canvas.textExtent(widestLine).width() >= target;
    };
    // The first size that reaches the box lies in low..high; limit + 1
    // stands for "none up to the limit".
    int low = 1, high = limit + 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (reaches(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return std::max(low - 1, 1);
}

// The text's lines and the size of its block at the part's own font size:
// the widest line, and the sum of the line steps.
struct TextBlock {
    QStringList lines;
    QString widestLine;
    int width = 0;
    int height = 0;
};

TextBlock measure(Canvas &canvas, const PartFields &part)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    TextBlock block;
    block.lines = part.tekst.split(lineBreak);
    canvas.setFont(partFont(part, part.thickness));
    for (const QString &line : std::as_const(block.lines)) {
        const int lineWidth = canvas.textExtent(line).width();
        if (lineWidth > block.width) {
            block.width = lineWidth;
            block.widestLine = line;
        }
    }
    block.height = int(block.lines.size()) * lineStep(canvas);
    return block;
}

} // namespace

QSize textBlockSize(const PartFields &part)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    Canvas canvas(scratch);
    const TextBlock block = measure(canvas, part);
    return {block.width, block.height};
}

void draw_text_box(Canvas &canvas, const PartFields &part, double zoom, bool ghost,
                   RenderContext &context)
{
    // Measured at the part's own size; the box scales with the zoom.
    const TextBlock block = measure(canvas, part);
    const QStringList &lines = block.lines;
    const QString &widestLine = block.widestLine;
    const int width = block.width;
    const int height = block.height;

    if (part.transparent == 1 || ghost)
        canvas.setBrushClear();
    else
        canvas.setBrush(context.grey ? grey(boxColor(part)) : boxColor(part));
    if (part.color2 < 0) {
        canvas.setPenClear();
    } else {
        int frame = context.grey ? grey(part.color2) : part.color2;
        if (ghost)
            frame = FrameGrey;
        canvas.setPen(frame, rnd(zoom));
    }
    canvas.rectangle(rnd((part.x1 - 3) * zoom), rnd((part.y1 - 3) * zoom),
                     rnd((part.x1 + width + 4) * zoom), rnd((part.y1 + height + 4) * zoom));

    if (zoom != 1)
        canvas.setFont(partFont(part, zoomedPointSize(canvas, part, widestLine, width, zoom)));
    int color = context.grey ? grey(part.color) : part.color;
    if (ghost)
        color = Silver;
    canvas.setTextColor(color);
    canvas.setPenColor(color); // a solid pen again for whatever is drawn next
    const int step = lineStep(canvas);
    const int left = rnd(part.x1 * zoom);
    double offset = 0;
    for (const QString &line : lines) {
        canvas.textOut(left, rnd(part.y1 * zoom + offset), line);
        offset += step;
    }
}
