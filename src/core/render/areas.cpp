#include "render/renderer.h"

#include <QPolygon>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr int DefaultTint = rgb(108, 108, 108);
constexpr int DefaultSolidFill = rgb(128, 128, 128);
constexpr int MaxCorners = 100;
// Wider borders mean nothing on a sketch; the bound keeps rnd(z * n) an int.
constexpr int MaxBorderWidth = SketchHeight;

// An ellipse in its box, or a polygon, in picture pixels.
struct AreaShape {
    bool isEllipse = true;
    // The ellipse's box; right and bottom lie outside it.
    int left = 0, top = 0, right = 0, bottom = 0;
    QList<QPoint> corners;

    void drawOn(Canvas &canvas) const
    {
        if (isEllipse)
            canvas.ellipse(left, top, right, bottom);
        else
            canvas.polygon(corners);
    }

    // The pixels the shape can touch.
    QRect bounds() const
    {
        if (isEllipse)
            return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
        return QPolygon(corners).boundingRect();
    }
};

// How a tinted area changes the channels of the pixels under it: a table
// per channel of what each value becomes. The factors are never negative,
// so no channel can leave 0-255.
class Tint {
public:
    Tint(const PartRow &part, bool grey)
    {
        const int color = part.color == 0 ? DefaultTint : part.color;
        const auto factor = [](int channel) { return (channel - 128) / 100.0 + 1; };
        double red = factor(redOf(color)), green = factor(greenOf(color)), blue = factor(blueOf(color));
        bool clearRed = false, clearGreen = false, clearBlue = false;
        if (grey) {
            red = green = blue = (red + green + blue) / 3;
        } else {
            clearRed = part.thickness == 1;
            clearGreen = part.rotation == 1;
            clearBlue = part.arrow == 1;
        }
        fillTable(reds, red, clearRed);
        fillTable(greens, green, clearGreen);
        fillTable(blues, blue, clearBlue);
    }

    QRgb apply(QRgb pixel) const
    {
        return qRgb(reds[qRed(pixel)], greens[qGreen(pixel)], blues[qBlue(pixel)]);
    }

private:
    using Table = std::array<quint8, 256>;

    static void fillTable(Table &table, double factor, bool clear)
    {
        factor = std::max(factor, 0.0);
        for (int value = 0; value < 256; ++value)
            table[value] = quint8(clear ? 0 : std::min(rnd(value * factor), 255));
    }

    Table reds{}, greens{}, blues{};
};

int numberOr(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

// Draws areas on a picture, clipped to a rectangle of picture pixels.
class AreaPainter {
public:
    AreaPainter(Canvas &canvas, QRect clip, double zoom, bool grey)
        : canvas(canvas), clip(clip), zoom(zoom), grey(grey)
    {
    }

    void draw(const AreaShape &shape, const PartRow &part)
    {
        if (part.transparent == 1)
            tint(shape, Tint(part, grey));
        else
            solid(shape, numberOr(part.extra4, DefaultSolidFill));
        if (part.color2 >= 0)
            border(shape, part.color2, std::clamp(numberOr(part.extra3, 1), 1, MaxBorderWidth));
    }

private:
    // Tints the pixels the filled shape covers. The shape is drawn on a
    // white mask just the size of the box to tint, placed where the box lies
    // in the whole picture, so a band of the picture gets the same pixels.
    void tint(const AreaShape &shape, const Tint &tint)
    {
        const QRect band(canvas.origin(), canvas.image().size());
        const QRect box = shape.bounds().intersected(clip).intersected(band);
        if (box.isEmpty())
            return;
        QImage mask(box.size(), QImage::Format_RGB32);
        mask.fill(Qt::white);
        {
            Canvas maskCanvas(mask, QSize(canvas.width(), canvas.height()), box.topLeft());
            maskCanvas.setPen(Black);
            maskCanvas.setBrush(Black);
            shape.drawOn(maskCanvas);
        }
        QImage &picture = canvas.image();
        for (int y = 0; y < box.height(); ++y) {
            const auto *covered = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
            auto *row = reinterpret_cast<QRgb *>(picture.scanLine(box.top() - band.top() + y))
                + (box.left() - band.left());
            for (int x = 0; x < box.width(); ++x) {
                if ((covered[x] & 0xffffff) == 0)
                    row[x] = tint.apply(row[x]);
            }
        }
    }

    void solid(const AreaShape &shape, int color)
    {
        const int fill = grey ? ::grey(color) : color;
        clipped([&] {
            canvas.setPen(fill, 1);
            canvas.setBrush(fill);
            shape.drawOn(canvas);
        });
    }

    void border(const AreaShape &shape, int color, int width)
    {
        clipped([&] {
            canvas.setPen(grey ? ::grey(color) : color, std::max(rnd(zoom * width), 1));
            canvas.setBrushClear();
            shape.drawOn(canvas);
        });
    }

    template <typename Draw>
    void clipped(Draw draw)
    {
        canvas.setClip(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1);
        draw();
        canvas.clearClip();
    }

    Canvas &canvas;
    QRect clip;
    double zoom;
    bool grey;
};

} // namespace

bool draw_areas(Canvas &canvas, int drawing, int clipLeft, int clipTop, int clipRight,
                int clipBottom, double zoom, RenderContext &context)
{
    if (drawing < 1)
        return false;
    const auto at = [zoom](int coordinate) { return rnd(coordinate * zoom); };
    const QRect clip(QPoint(at(clipLeft), at(clipTop)), QPoint(at(clipRight) - 1, at(clipBottom) - 1));
    AreaPainter painter(canvas, clip, zoom, context.grey);
    const QList<PartRow> &parts = std::as_const(context.data.tables().parts);
    bool found = false;

    for (const PartRow &part : parts) {
        if (part.Drawingnr != drawing || !isEllipse(part.Type))
            continue;
        // Either corner may come first.
        AreaShape ellipse;
        ellipse.left = at(std::min(part.x1, part.x2));
        ellipse.top = at(std::min(part.y1, part.y2));
        ellipse.right = at(std::max(part.x1, part.x2));
        ellipse.bottom = at(std::max(part.y1, part.y2));
        painter.draw(ellipse, part);
        found = true;
    }

    // Corners gather until the run's last row; a run too short to enclose
    // anything is not drawn (the play's owner removes it, see
    // DataModule::removeShortPolygons).
    AreaShape polygon;
    polygon.isEllipse = false;
    for (const PartRow &part : parts) {
        if (part.Drawingnr != drawing || !isPolygonRow(part.Type))
            continue;
        if (polygon.corners.size() < MaxCorners)
            polygon.corners.append({at(part.x1), at(part.y1)});
        if (part.Type != PartType::PolyEnd)
            continue;
        if (polygon.corners.size() >= 3) {
            painter.draw(polygon, part);
            found = true;
        }
        polygon.corners.clear();
    }
    return found;
}
