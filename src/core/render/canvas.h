#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>

#include "model/color.h"
#include "model/geometry.h"

// A font as the renderers ask for it: a family, a size in points at 96 DPI
// and style bits.
struct CanvasFont {
    QString family = QStringLiteral("Arial");
    int pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// The thin drawing layer every renderer paints through. It keeps the rules
// sketches are defined with: a picture of RGB32 pixels without smoothing;
// rectangles and ellipses given as left, top, right, bottom with the right
// and bottom edge outside the figure; a line leaves out its last pixel; a
// pen wider than one pixel has round ends; text is placed by the top-left
// corner of its line at 96 dots per inch; in invert mode every pixel a
// figure touches is inverted once, so drawing a figure twice restores the
// picture.
class Canvas {
public:
    enum class Mode { Copy, Invert };

    explicit Canvas(QImage &image);
    // A band of a larger picture: image holds the pixels of fullSize that
    // start at origin. Coordinates are those of the whole picture; whatever
    // falls outside the band is left out. Large supersampled sketches are
    // drawn band by band this way.
    Canvas(QImage &image, QSize fullSize, QPoint origin);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    QImage &image() { return picture; }
    // The size of the whole picture (of which this canvas may hold a band).
    int width() const { return fullSize.width(); }
    int height() const { return fullSize.height(); }
    QPoint origin() const { return bandOrigin; }

    // --- pen, brush and mode -------------------------------------------------
    void setPen(int color, int width = 1);
    void setPenWidth(int width);
    void setPenColor(int color);
    int penWidth() const { return pen.width; }
    // No outline at all (figures are only filled).
    void setPenClear();
    void setBrush(int color);
    void setBrushClear();
    void setMode(Mode mode);

    // --- clipping ------------------------------------------------------------
    // Only pixels inside left..right-1, top..bottom-1 change from now on.
    void setClip(int left, int top, int right, int bottom);
    void clearClip();
    // The pixels that can change now: the clip within the band.
    QRect drawable() const { return clipRect; }

    // --- figures -------------------------------------------------------------
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    QPoint position() const { return current; }
    void line(int x1, int y1, int x2, int y2);
    void polyline(const QList<QPoint> &points);
    // Outline with the pen, inside with the brush.
    void rectangle(int left, int top, int right, int bottom);
    void ellipse(int left, int top, int right, int bottom);
    void polygon(const QList<QPoint> &points);
    // An arc of the ellipse in the box, counter-clockwise from the ray
    // through (startX, startY) to the ray through (endX, endY).
    void arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY);
    // Fills left..right-1, top..bottom-1 with the colour, without the pen.
    void fillRect(int left, int top, int right, int bottom, int color);
    // Fills outwards from (x, y) over every pixel that is not borderColor,
    // with the brush.
    void floodFill(int x, int y, int borderColor);

    // --- pixels --------------------------------------------------------------
    int pixel(int x, int y) const; // -1 outside the picture (or the band)
    void setPixel(int x, int y, int color);
    // Writes the pixels of an area of an RGB32 picture with the area's
    // top-left corner at (x, y), as setPixel would write them one by one.
    void setPixels(int x, int y, const QImage &source, QRect area);

    // --- text ----------------------------------------------------------------
    void setFont(const CanvasFont &font);
    const CanvasFont &font() const { return currentFont; }
    void setTextColor(int color);
    // Text drawn with its background left as it is.
    void textOut(int x, int y, const QString &text);
    QSize textExtent(const QString &text) const;
    // The em height of the current font in pixels (without line spacing).
    int fontHeight() const { return qfont.pixelSize(); }

private:
    QPen strokePen() const;
    void thinLine(QPoint from, QPoint to);
    QRect clipped(QRect rect) const;

    QRgb *pixelAt(int x, int y) { return reinterpret_cast<QRgb *>(picture.scanLine(y - bandOrigin.y())) + (x - bandOrigin.x()); }
    // QRect::contains is not inline, and pixels are tested one by one.
    static bool holds(const QRect &rect, int x, int y)
    {
        return x >= rect.left() && x <= rect.right() && y >= rect.top() && y <= rect.bottom();
    }

    QImage &picture;
    QSize fullSize;
    QPoint bandOrigin;
    QPainter painter;
    struct {
        int color = 0;
        int width = 1;
        bool clear = false;
    } pen;
    QPoint current;
    CanvasFont currentFont;
    QFont qfont;
    int textColor = 0;
    bool brushClear = false;
    int brushColor = rgb(255, 255, 255);
    Mode mode = Mode::Copy;
    QRect readable; // the pixels of the whole picture this band holds
    QRect clipRect;
};
