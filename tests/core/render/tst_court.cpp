#include "golden.h"
#include "render/renderer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>

Q_DECLARE_METATYPE(PartRow)

namespace {

constexpr int Blue = rgb(24, 173, 247);
// The court colour settings.
constexpr int Border = rgb(0, 0, 112);
constexpr int Water = rgb(24, 173, 247);
constexpr int Bucket = rgb(248, 248, 210);
constexpr int Threepoint = rgb(255, 255, 255);
// Marks pixels nobody painted.
constexpr QRgb Unpainted = 0xffff00ffu;

QList<ParamRow> defaultSettings()
{
    return {{QStringLiteral("Offense"), QStringLiteral("0"), true, White},
            {QStringLiteral("Defense"), QStringLiteral("1"), true, rgb(102, 102, 255)},
            {QStringLiteral("Border"), {}, false, Border},
            {QStringLiteral("Court"), {}, false, Water},
            {QStringLiteral("Threepoi"), {}, false, Threepoint},
            {QStringLiteral("Bucket"), {}, false, Bucket}};
}

PartRow courtPart(int index, bool smaller = false)
{
    PartRow court;
    court.Drawingnr = 1;
    court.Partnr = 1;
    court.Type = QStringLiteral("Court");
    court.Graphicnr = index;
    court.x2 = smaller ? 1 : 0;
    return court;
}

PartRow area(const QString &type, int partnr, int x1, int y1, int x2 = 0, int y2 = 0)
{
    PartRow part;
    part.Drawingnr = 1;
    part.Partnr = partnr;
    part.Type = type;
    part.level = 1000;
    part.x1 = qint16(x1);
    part.y1 = qint16(y1);
    part.x2 = qint16(x2);
    part.y2 = qint16(y2);
    return part;
}

PartRow tinted(PartRow part, int color = 0)
{
    part.transparent = 1;
    part.color = color;
    return part;
}

PartRow solid(PartRow part, const QString &fill, int border = -1, const QString &borderWidth = {})
{
    part.transparent = 0;
    part.extra4 = fill;
    part.color2 = border;
    part.extra3 = borderWidth;
    return part;
}

// The tables of a loaded play with one drawing (number 1) and the settings.
struct Scene {
    explicit Scene(const QString &programFolder = {}) : data(tables), context(data, programFolder)
    {
        tables.params = defaultSettings();
    }

    void addPolygon(int firstPartnr, const QList<QPoint> &corners, const PartRow &style)
    {
        for (qsizetype i = 0; i < corners.size(); ++i) {
            PartRow corner = style;
            corner.Drawingnr = 1;
            corner.level = 1000;
            corner.Type = i + 1 < corners.size() ? QStringLiteral("poly") : QStringLiteral("ppoly");
            corner.Partnr = firstPartnr + int(i);
            corner.x1 = qint16(corners[i].x());
            corner.y1 = qint16(corners[i].y());
            tables.parts.append(corner);
        }
    }

    QList<int> partNumbers() const
    {
        QList<int> numbers;
        for (const PartRow &part : tables.parts)
            numbers.append(part.Partnr);
        return numbers;
    }

    Tables tables;
    DataModule data;
    RenderContext context;
};

QSize pictureSize(double zoom)
{
    return {rnd(SketchWidth * zoom), rnd(SketchHeight * zoom)};
}

QImage drawCourt(Scene &scene, int court, double zoom, int drawing = 1)
{
    QImage picture(pictureSize(zoom), QImage::Format_RGB32);
    picture.fill(Unpainted);
    {
        Canvas canvas(picture);
        draw_court(canvas, court, drawing, zoom, scene.context);
    }
    return picture;
}

// The same picture drawn band by band, the way large sketches are drawn.
QImage drawCourtInBands(Scene &scene, int court, double zoom, int bandRows)
{
    const QSize size = pictureSize(zoom);
    QImage whole(size, QImage::Format_RGB32);
    for (int top = 0; top < size.height(); top += bandRows) {
        QImage band(size.width(), std::min(bandRows, size.height() - top), QImage::Format_RGB32);
        band.fill(Unpainted);
        {
            Canvas canvas(band, size, {0, top});
            draw_court(canvas, court, 1, zoom, scene.context);
        }
        for (int row = 0; row < band.height(); ++row)
            std::memcpy(whole.scanLine(top + row), band.constScanLine(row), size_t(band.bytesPerLine()));
    }
    return whole;
}

QString colorText(int color)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(redOf(color)).arg(greenOf(color)).arg(blueOf(color));
}

QString colorAt(const QImage &picture, QPoint point)
{
    return colorText(fromQRgb(picture.pixel(point)));
}

// Draws a solid-colour court picture for a plug-in set.
void writePicture(const QString &path, const QList<int> &columns)
{
    QImage picture(int(columns.size()), 1, QImage::Format_RGB888);
    for (int x = 0; x < picture.width(); ++x)
        picture.setPixel(x, 0, toQRgb(columns[x]));
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QVERIFY(picture.save(path, "BMP"));
}

} // namespace

class TestCourt : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What a court shows at chosen points: lines, goals, strips, outlines
    // and colours of every layout, both pool sizes, at several zooms.
    void pixels_data()
    {
        QTest::addColumn<int>("court");
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("expected");

        const auto row = [](const char *name, int court, bool smaller, double zoom, QPoint point, int color) {
            QTest::newRow(name) << court << smaller << zoom << point << color;
        };
        // Half pool, goal at the top.
        row("0 frame", 0, false, 1, {0, 0}, Black);
        row("0 background", 0, false, 1, {5, 5}, White);
        row("0 water", 0, false, 1, {144, 200}, White);
        row("0 side strip", 0, false, 1, {15, 200}, Black);
        row("0 end strip", 0, false, 1, {144, 60}, Black);
        row("0 goal line top row", 0, false, 1, {60, 77}, Black);
        row("0 goal line bottom row", 0, false, 1, {60, 78}, Black);
        row("0 above goal line", 0, false, 1, {60, 76}, White);
        row("0 below goal line", 0, false, 1, {60, 79}, White);
        row("0 2 m line", 0, false, 1, {60, 102}, Black);
        row("0 below 2 m line", 0, false, 1, {60, 103}, White);
        row("0 5 m line", 0, false, 1, {60, 138}, Black);
        row("0 half-way line", 0, false, 1, {60, 268}, Black);
        row("0 above half-way line", 0, false, 1, {60, 266}, White);
        row("0 left post", 0, false, 1, {124, 73}, Black);
        row("0 left of left post", 0, false, 1, {123, 73}, White);
        row("0 inside goal", 0, false, 1, {126, 73}, White);
        row("0 right post", 0, false, 1, {163, 73}, Black);
        row("0 right of right post", 0, false, 1, {164, 73}, White);
        row("0 back bar", 0, false, 1, {144, 70}, Black);
        row("0 behind back bar", 0, false, 1, {144, 68}, White);
        row("0 in front of back bar", 0, false, 1, {144, 71}, White);
        row("0 water outline", 0, false, 1, {144, 305}, Black);
        row("0 above water outline", 0, false, 1, {144, 304}, White);
        row("0 below pool", 0, false, 1, {144, 306}, White);
        row("0 z2 goal line first row", 0, false, 2, {120, 154}, Black);
        row("0 z2 goal line last row", 0, false, 2, {120, 157}, Black);
        row("0 z2 above goal line", 0, false, 2, {120, 153}, White);
        row("0 z2 below goal line", 0, false, 2, {120, 158}, White);
        row("0 z2 half-way line", 0, false, 2, {120, 537}, Black);
        row("0 z2 below half-way line", 0, false, 2, {120, 538}, White);
        row("0 z2 left post outer column", 0, false, 2, {247, 150}, Black);
        row("0 z2 left of left post", 0, false, 2, {246, 150}, White);
        row("0 z2 inside goal", 0, false, 2, {251, 150}, White);
        row("0 z2 back bar", 0, false, 2, {288, 141}, Black);
        row("0 z2 in front of back bar", 0, false, 2, {288, 142}, White);
        row("0 z2 outline of 2 pixels", 0, false, 2, {288, 610}, Black);
        row("0 z2 outline last row", 0, false, 2, {288, 611}, Black);
        row("0 z2 above outline", 0, false, 2, {288, 609}, White);
        // 78 * 0.75 = 58.5 rounds to the even 58.
        row("0 z0.75 goal line", 0, false, 0.75, {45, 57}, Black);
        row("0 z0.75 goal line second row", 0, false, 0.75, {45, 58}, Black);
        row("0 z0.75 below goal line", 0, false, 0.75, {45, 59}, White);

        row("0 smaller goal line", 0, true, 1, {60, 80}, Black);
        row("0 smaller below goal line", 0, true, 1, {60, 81}, White);
        row("0 smaller normal goal line gone", 0, true, 1, {60, 77}, White);
        row("0 smaller 2 m line", 0, true, 1, {60, 120}, Black);
        row("0 smaller 5 m line", 0, true, 1, {60, 180}, Black);
        row("0 smaller half-way line", 0, true, 1, {60, 284}, Black);
        row("0 smaller normal half-way line gone", 0, true, 1, {60, 268}, White);
        row("0 smaller goal left edge", 0, true, 1, {110, 74}, Black);
        row("0 smaller goal left edge inner", 0, true, 1, {111, 74}, Black);
        row("0 smaller inside goal", 0, true, 1, {112, 74}, White);
        row("0 smaller left of goal", 0, true, 1, {109, 74}, White);
        row("0 smaller goal top edge", 0, true, 1, {144, 68}, Black);
        row("0 smaller below goal top edge", 0, true, 1, {144, 70}, White);
        row("0 smaller goal right edge", 0, true, 1, {176, 74}, Black);
        row("0 smaller right of goal", 0, true, 1, {177, 74}, White);
        row("0 smaller inside goal by the goal line", 0, true, 1, {144, 78}, White);
        row("0 smaller z2 goal bottom edge", 0, true, 2, {288, 157}, Black);
        row("0 smaller z2 inside goal", 0, true, 2, {288, 156}, White);

        // Half pool, goal at the bottom.
        row("1 goal line", 1, false, 1, {60, 282}, Black);
        row("1 goal line second row", 1, false, 1, {60, 283}, Black);
        row("1 below goal line", 1, false, 1, {60, 284}, White);
        row("1 2 m line", 1, false, 1, {60, 259}, Black);
        row("1 5 m line", 1, false, 1, {60, 223}, Black);
        row("1 half-way line", 1, false, 1, {60, 93}, Black);
        row("1 below half-way line", 1, false, 1, {60, 94}, White);
        row("1 goal left edge", 1, false, 1, {125, 288}, Black);
        row("1 inside goal", 1, false, 1, {127, 288}, White);
        row("1 goal right edge", 1, false, 1, {161, 288}, Black);
        row("1 right of goal", 1, false, 1, {162, 288}, White);
        row("1 goal back edge", 1, false, 1, {144, 291}, Black);
        row("1 behind goal", 1, false, 1, {144, 292}, White);
        row("1 end strip", 1, false, 1, {144, 300}, Black);
        row("1 water outline top", 1, false, 1, {144, 55}, Black);
        row("1 above pool", 1, false, 1, {144, 54}, White);
        row("1 smaller goal line", 1, true, 1, {60, 281}, Black);
        row("1 smaller below goal line", 1, true, 1, {60, 282}, White);
        row("1 smaller 2 m line", 1, true, 1, {60, 241}, Black);
        row("1 smaller 5 m line", 1, true, 1, {60, 181}, Black);
        row("1 smaller half-way line", 1, true, 1, {60, 77}, Black);
        row("1 smaller goal left edge", 1, true, 1, {110, 286}, Black);

        // Whole pool: bands grow towards the half-way line.
        row("2 side strip", 2, false, 1, {35, 200}, Black);
        row("2 end strip", 2, false, 1, {144, 10}, Black);
        row("2 top goal line", 2, false, 1, {60, 26}, Black);
        row("2 top goal line grows down", 2, false, 1, {60, 27}, Black);
        row("2 above top goal line", 2, false, 1, {60, 25}, White);
        row("2 below top goal line", 2, false, 1, {60, 28}, White);
        row("2 bottom goal line", 2, false, 1, {60, 334}, Black);
        row("2 bottom goal line grows up", 2, false, 1, {60, 333}, Black);
        row("2 below bottom goal line", 2, false, 1, {60, 335}, White);
        row("2 above bottom goal line", 2, false, 1, {60, 332}, White);
        row("2 half-way line", 2, false, 1, {60, 179}, Black);
        row("2 half-way line second row", 2, false, 1, {60, 180}, Black);
        row("2 below half-way line", 2, false, 1, {60, 181}, White);
        row("2 above half-way line", 2, false, 1, {60, 178}, White);
        row("2 top 2 m line", 2, false, 1, {60, 47}, Black);
        row("2 below top 2 m line", 2, false, 1, {60, 48}, White);
        row("2 bottom 2 m line", 2, false, 1, {60, 313}, Black);
        row("2 above bottom 2 m line", 2, false, 1, {60, 312}, White);
        row("2 top 5 m line", 2, false, 1, {60, 78}, Black);
        row("2 bottom 5 m line", 2, false, 1, {60, 282}, Black);
        row("2 above bottom 5 m line", 2, false, 1, {60, 281}, White);
        row("2 left post grows out", 2, false, 1, {127, 22}, Black);
        row("2 left of left post", 2, false, 1, {126, 22}, White);
        row("2 inside top goal", 2, false, 1, {129, 22}, White);
        row("2 right post grows out", 2, false, 1, {161, 22}, Black);
        row("2 right of right post", 2, false, 1, {162, 22}, White);
        row("2 top back bar", 2, false, 1, {144, 18}, Black);
        row("2 top back bar grows into goal", 2, false, 1, {144, 19}, Black);
        row("2 in top goal", 2, false, 1, {144, 20}, White);
        row("2 behind top goal", 2, false, 1, {144, 17}, White);
        row("2 bottom post", 2, false, 1, {127, 338}, Black);
        row("2 bottom back bar", 2, false, 1, {144, 342}, Black);
        row("2 bottom back bar grows into goal", 2, false, 1, {144, 341}, Black);
        row("2 in bottom goal", 2, false, 1, {144, 340}, White);
        row("2 behind bottom goal", 2, false, 1, {144, 343}, White);
        row("2 z2 top goal line", 2, false, 2, {100, 52}, Black);
        row("2 z2 top goal line fourth row", 2, false, 2, {100, 55}, Black);
        row("2 z2 below top goal line", 2, false, 2, {100, 56}, White);
        row("2 z2 above top goal line", 2, false, 2, {100, 51}, White);
        row("2 z2 bottom goal line", 2, false, 2, {100, 668}, Black);
        row("2 z2 bottom goal line fourth row", 2, false, 2, {100, 665}, Black);
        row("2 z2 above bottom goal line", 2, false, 2, {100, 664}, White);
        row("2 z2 below bottom goal line", 2, false, 2, {100, 669}, White);
        row("2 smaller top goal line", 2, true, 1, {60, 31}, Black);
        row("2 smaller above top goal line", 2, true, 1, {60, 29}, White);
        row("2 smaller normal goal line gone", 2, true, 1, {60, 26}, White);
        row("2 smaller bottom goal line", 2, true, 1, {60, 329}, Black);
        row("2 smaller below bottom goal line", 2, true, 1, {60, 331}, White);
        row("2 smaller 2 m lines", 2, true, 1, {60, 60}, Black);
        row("2 smaller bottom 2 m line", 2, true, 1, {60, 300}, Black);
        row("2 smaller 5 m line", 2, true, 1, {60, 106}, Black);
        row("2 smaller bottom 5 m line", 2, true, 1, {60, 254}, Black);
        row("2 smaller left post", 2, true, 1, {118, 24}, Black);
        row("2 smaller left of left post", 2, true, 1, {117, 24}, White);
        row("2 smaller right post", 2, true, 1, {170, 24}, Black);
        row("2 smaller right of right post", 2, true, 1, {171, 24}, White);

        // Goal area close up, goal at the top: bands grow downwards, the goal
        // line moves up a pixel at small zooms.
        row("6 goal line", 6, false, 1, {30, 99}, Black);
        row("6 goal line second row", 6, false, 1, {30, 100}, Black);
        row("6 above goal line", 6, false, 1, {30, 98}, White);
        row("6 below goal line", 6, false, 1, {30, 101}, White);
        row("6 2 m line", 6, false, 1, {30, 161}, Black);
        row("6 below 2 m line", 6, false, 1, {30, 162}, White);
        row("6 above 2 m line", 6, false, 1, {30, 159}, White);
        row("6 5 m line", 6, false, 1, {30, 250}, Black);
        row("6 end strip", 6, false, 1, {144, 33}, Black);
        row("6 strip edge into water", 6, false, 1, {144, 41}, Black);
        row("6 water below strip edge", 6, false, 1, {144, 42}, White);
        row("6 above strip", 6, false, 1, {144, 27}, White);
        row("6 goal left edge", 6, false, 1, {97, 70}, Black);
        row("6 inside goal", 6, false, 1, {99, 70}, White);
        row("6 left of goal", 6, false, 1, {96, 70}, White);
        row("6 z2 goal line", 6, false, 2, {60, 200}, Black);
        row("6 z2 goal line fourth row", 6, false, 2, {60, 203}, Black);
        row("6 z2 above goal line", 6, false, 2, {60, 199}, White);
        row("6 z2 below goal line", 6, false, 2, {60, 204}, White);
        row("6 has no smaller pool", 6, true, 1, {30, 99}, Black);

        // Goal area close up, goal at the bottom: bands grow upwards.
        row("7 goal line", 7, false, 1, {30, 262}, Black);
        row("7 goal line second row", 7, false, 1, {30, 261}, Black);
        row("7 below goal line", 7, false, 1, {30, 263}, White);
        row("7 above goal line", 7, false, 1, {30, 260}, White);
        row("7 2 m line", 7, false, 1, {30, 200}, Black);
        row("7 below 2 m line", 7, false, 1, {30, 202}, White);
        row("7 5 m line", 7, false, 1, {30, 100}, Black);
        row("7 above 5 m line", 7, false, 1, {30, 99}, White);
        row("7 left post", 7, false, 1, {95, 280}, Black);
        row("7 left of left post", 7, false, 1, {94, 280}, White);
        row("7 inside goal", 7, false, 1, {97, 280}, White);
        row("7 right post", 7, false, 1, {192, 280}, Black);
        row("7 right of right post", 7, false, 1, {193, 280}, White);
        row("7 back bar", 7, false, 1, {144, 306}, Black);
        row("7 in front of back bar", 7, false, 1, {144, 305}, White);
        row("7 behind back bar", 7, false, 1, {144, 308}, White);
        row("7 end strip", 7, false, 1, {144, 327}, Black);
        row("7 lower strip edge", 7, false, 1, {144, 334}, Black);
        row("7 below strip", 7, false, 1, {144, 335}, White);

        // Colour courts: the settings' colours (the court part's are 0).
        row("3 frame", 3, false, 1, {0, 0}, Black);
        row("3 border", 3, false, 1, {5, 5}, Border);
        row("3 water", 3, false, 1, {144, 200}, Water);
        row("3 goal line white", 3, false, 1, {60, 78}, White);
        row("3 2 m line red", 3, false, 1, {60, 102}, Red);
        row("3 5 m line yellow", 3, false, 1, {60, 138}, Yellow);
        row("3 half-way line white", 3, false, 1, {60, 268}, White);
        row("3 side strip", 3, false, 1, {15, 200}, Bucket);
        row("3 end strip", 3, false, 1, {144, 60}, Bucket);
        row("3 goal post white", 3, false, 1, {124, 73}, White);
        row("3 back bar white", 3, false, 1, {144, 70}, White);
        row("3 outer outline", 3, false, 1, {11, 200}, Black);
        row("3 inside outer outline", 3, false, 1, {12, 200}, Bucket);
        row("3 water outline left", 3, false, 1, {23, 200}, Black);
        row("3 water outline right", 3, false, 1, {264, 200}, Black);
        row("3 inside water outline", 3, false, 1, {263, 200}, Water);
        row("4 water", 4, false, 1, {144, 150}, Water);
        row("4 goal line white", 4, false, 1, {60, 283}, White);
        row("4 2 m line red", 4, false, 1, {60, 259}, Red);
        row("4 half-way line white", 4, false, 1, {60, 93}, White);
        row("4 goal white", 4, false, 1, {125, 288}, White);
        row("5 border", 5, false, 1, {15, 200}, Border);
        row("5 water", 5, false, 1, {144, 100}, Water);
        row("5 strip", 5, false, 1, {35, 200}, Bucket);
        row("5 goal line white", 5, false, 1, {60, 26}, White);
        row("5 2 m line red", 5, false, 1, {60, 46}, Red);
        row("5 5 m line yellow", 5, false, 1, {60, 77}, Yellow);
        row("5 half-way line white", 5, false, 1, {60, 180}, White);
        row("5 goal white", 5, false, 1, {127, 22}, White);
        row("5 smaller z2 goal line", 5, true, 2, {100, 63}, White);
        row("5 smaller z2 above goal line", 5, true, 2, {100, 59}, Water);
        row("5 smaller z2 2 m line", 5, true, 2, {100, 120}, Red);
        row("9 goal line white", 9, false, 1, {30, 99}, White);
        row("9 2 m line red", 9, false, 1, {30, 160}, Red);
        row("9 5 m line yellow", 9, false, 1, {30, 250}, Yellow);
        row("9 strip", 9, false, 1, {144, 33}, Bucket);
        row("9 strip top edge black", 9, false, 1, {144, 28}, Black);
        row("9 strip bottom edge black", 9, false, 1, {144, 41}, Black);
        row("9 water", 9, false, 1, {144, 42}, Water);
        row("9 border above", 9, false, 1, {144, 27}, Border);
        row("9 border below", 9, false, 1, {144, 340}, Border);
        row("9 goal white", 9, false, 1, {97, 70}, White);
        row("10 goal line white", 10, false, 1, {30, 262}, White);
        row("10 2 m line red", 10, false, 1, {30, 201}, Red);
        row("10 5 m line yellow", 10, false, 1, {30, 101}, Yellow);
        row("10 strip", 10, false, 1, {144, 327}, Bucket);
        row("10 strip top edge black", 10, false, 1, {144, 322}, Black);
        row("10 strip bottom edge black", 10, false, 1, {144, 334}, Black);
        row("10 border below", 10, false, 1, {144, 335}, Border);
        row("10 goal white", 10, false, 1, {95, 280}, White);
        row("10 back bar white", 10, false, 1, {144, 307}, White);

        // Courts without a pool.
        row("8 white", 8, false, 1, {144, 200}, White);
        row("8 frame", 8, false, 1, {288, 360}, Black);
        row("11 border colour", 11, false, 1, {144, 200}, Border);
        row("11 frame", 11, false, 1, {0, 200}, Black);
        row("12 white water", 12, false, 1, {144, 200}, White);
        row("12 frame", 12, false, 1, {288, 200}, Black);
        row("13 blue water", 13, false, 1, {144, 200}, Blue);
        row("13 frame", 13, false, 1, {0, 0}, Black);
        row("unknown index white", 42, false, 1, {144, 200}, White);
        row("negative index white", -1, false, 1, {144, 200}, White);
        row("unknown index frame", 42, false, 1, {0, 360}, Black);
    }
    void pixels()
    {
        QFETCH(int, court);
        QFETCH(bool, smaller);
        QFETCH(double, zoom);
        QFETCH(QPoint, point);
        QFETCH(int, expected);
        Scene scene;
        scene.tables.parts = {courtPart(court, smaller)};
        const QImage picture = drawCourt(scene, court, zoom);
        QCOMPARE(colorAt(picture, point), colorText(expected));
    }

    // Every court paints every pixel, at any zoom, and sets grey mode.
    void greyModeAndFullCover_data()
    {
        QTest::addColumn<int>("court");
        QTest::addColumn<bool>("grey");
        const QList<bool> grey = {true, true, true, false, false, false, true,
                                  true, true, false, false, false, true, false};
        for (int court = 0; court < grey.size(); ++court)
            QTest::addRow("court %d", court) << court << grey[court];
        QTest::newRow("unknown index") << 14 << true;
    }
    void greyModeAndFullCover()
    {
        QFETCH(int, court);
        QFETCH(bool, grey);
        for (const double zoom : {0.05, 0.2, 0.75, 1.0, 1.5, 2.0}) {
            Scene scene;
            scene.tables.parts = {courtPart(court)};
            scene.context.grey = !grey;
            const QImage picture = drawCourt(scene, court, zoom);
            QCOMPARE(scene.context.grey, grey);
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    if (picture.pixel(x, y) == Unpainted)
                        QFAIL(qPrintable(QStringLiteral("zoom %1: (%2,%3) unpainted").arg(zoom).arg(x).arg(y)));
                }
            }
        }
    }

    // A court colour of 0 follows the setting; any other value is the
    // court's own colour, black included.
    void courtColours()
    {
        Scene scene;
        scene.tables.parts = {courtPart(3)};
        QCOMPARE(court_colors(1, scene.context), (CourtColors{Border, Water, Threepoint, Bucket}));

        scene.data.setparam(QStringLiteral("Court"), {}, false, rgb(0, 90, 0));
        QCOMPARE(colorAt(drawCourt(scene, 3, 1), {144, 200}), colorText(rgb(0, 90, 0)));

        PartRow &court = scene.tables.parts.first();
        court.thickness = rgb(1, 2, 3);
        court.rotation = rgb(40, 50, 60);
        court.arrow = rgb(7, 8, 9);
        court.color = rgb(200, 100, 50);
        QCOMPARE(court_colors(1, scene.context),
                 (CourtColors{rgb(1, 2, 3), rgb(40, 50, 60), rgb(7, 8, 9), rgb(200, 100, 50)}));
        const QImage own = drawCourt(scene, 3, 1);
        QCOMPARE(colorAt(own, {5, 5}), colorText(rgb(1, 2, 3)));
        QCOMPARE(colorAt(own, {144, 200}), colorText(rgb(40, 50, 60)));
        QCOMPARE(colorAt(own, {15, 200}), colorText(rgb(200, 100, 50)));

        court.rotation = BlackCourtColor;
        QCOMPARE(court_colors(1, scene.context).water, Black);
        QCOMPARE(colorAt(drawCourt(scene, 3, 1), {144, 200}), colorText(Black));
        scene.data.courtDefaults = {Border, Water, Threepoint, Bucket};
        QCOMPARE(scene.data.getcourtcolors(1).water, Black);
    }

    void noDrawingUsesTheSettings()
    {
        Scene scene;
        const QImage picture = drawCourt(scene, 5, 1, 0);
        QCOMPARE(colorAt(picture, {144, 100}), colorText(Water));
        QCOMPARE(colorAt(picture, {35, 200}), colorText(Bucket));
    }

    void court13IsBlueWhateverTheWater()
    {
        Scene scene;
        scene.tables.parts = {courtPart(13)};
        scene.tables.parts.first().rotation = rgb(200, 0, 0);
        scene.data.setparam(QStringLiteral("Court"), {}, false, rgb(0, 200, 0));
        QCOMPARE(colorAt(drawCourt(scene, 13, 1), {144, 200}), colorText(Blue));
    }

    void smallerPoolFlag()
    {
        Scene scene;
        scene.tables.parts = {courtPart(0, true)};
        QVERIFY(is_smaller_pool(1, scene.data));
        scene.tables.parts.first().x2 = 2;
        QVERIFY(!is_smaller_pool(1, scene.data));
        QVERIFY(!is_smaller_pool(7, scene.data));
    }

    // The close-up's areas stop short of its right edge at small zooms.
    void closeUpAreaClip_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("z1") << 1.0 << 9 << 277;
        QTest::newRow("z2") << 2.0 << 18 << 556;
    }
    void closeUpAreaClip()
    {
        QFETCH(double, zoom);
        QFETCH(int, left);
        QFETCH(int, right);
        Scene scene;
        scene.tables.parts = {courtPart(6), tinted(area(QStringLiteral("ellipse"), 2, -50, 100, 340, 170))};
        const QImage picture = drawCourt(scene, 6, zoom);
        const int y = rnd(135 * zoom);
        const QString darker = colorText(rgb(204, 204, 204));
        QCOMPARE(colorAt(picture, {left, y}), darker);
        QCOMPARE(colorAt(picture, {left - 1, y}), colorText(White));
        QCOMPARE(colorAt(picture, {right - 1, y}), darker);
        QCOMPARE(colorAt(picture, {right, y}), colorText(White));
    }

    // A tinted ellipse scales each channel of what lies under it.
    void tint_data()
    {
        QTest::addColumn<int>("court");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<PartRow>("ellipse");
        QTest::addColumn<int>("expected");

        const PartRow plain = area(QStringLiteral("ellipse"), 2, 100, 150, 180, 230);
        const PartRow reversed = area(QStringLiteral("ellipse"), 2, 180, 230, 100, 150);
        PartRow noRed = tinted(plain);
        noRed.thickness = 1;
        PartRow noGreen = tinted(plain);
        noGreen.rotation = 1;
        PartRow noBlue = tinted(plain);
        noBlue.arrow = 1;

        QTest::newRow("default darkens water by 20 %") << 3 << 1.0 << tinted(plain) << rgb(19, 138, 198);
        QTest::newRow("thickness 1 removes red") << 3 << 1.0 << noRed << rgb(0, 138, 198);
        QTest::newRow("rotation 1 removes green") << 3 << 1.0 << noGreen << rgb(19, 0, 198);
        QTest::newRow("arrow 1 removes blue") << 3 << 1.0 << noBlue << rgb(19, 138, 0);
        // 247 * 0.5 = 123.5 rounds to the even 124.
        QTest::newRow("own tint") << 3 << 1.0 << tinted(plain, rgb(178, 128, 78)) << rgb(36, 173, 124);
        QTest::newRow("bright tint stops at 255") << 3 << 1.0 << tinted(plain, rgb(255, 255, 255))
                                                 << rgb(54, 255, 255);
        QTest::newRow("black tint never goes below 0") << 3 << 1.0 << tinted(plain, rgb(0, 0, 1))
                                                      << rgb(0, 0, 0);
        QTest::newRow("grey mode darkens white") << 0 << 1.0 << tinted(plain) << rgb(204, 204, 204);
        QTest::newRow("grey mode keeps the channels") << 0 << 1.0 << noRed << rgb(204, 204, 204);
        // Mean factor (1.5 + 1 + 0.5) / 3 = 1: white stays white.
        QTest::newRow("grey mode takes the mean factor") << 12 << 1.0 << tinted(plain, rgb(178, 128, 78))
                                                         << White;
        QTest::newRow("zoom 2 tints the zoomed ellipse") << 3 << 2.0 << tinted(plain) << rgb(19, 138, 198);
        QTest::newRow("corners in either order") << 3 << 2.0 << tinted(reversed) << rgb(19, 138, 198);
    }
    void tint()
    {
        QFETCH(int, court);
        QFETCH(double, zoom);
        QFETCH(PartRow, ellipse);
        QFETCH(int, expected);
        Scene scene;
        scene.tables.parts = {courtPart(court), ellipse};
        const QImage picture = drawCourt(scene, court, zoom);
        const int under = court == 3 ? Water : White;
        QCOMPARE(colorAt(picture, QPoint(rnd(140 * zoom), rnd(190 * zoom))), colorText(expected));
        // Inside the box, outside the ellipse.
        QCOMPARE(colorAt(picture, QPoint(rnd(101 * zoom), rnd(151 * zoom))), colorText(under));
        QCOMPARE(colorAt(picture, QPoint(rnd(99 * zoom), rnd(190 * zoom))), colorText(under));
    }

    // Solid areas: their fill colour (grey in grey mode), and a border of
    // extra3 pixels at 100 %.
    void solidAreas_data()
    {
        QTest::addColumn<int>("court");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<int>("fillColor");
        QTest::addColumn<int>("borderColor");

        QTest::newRow("colour court") << 3 << 1.0 << QString::number(Red) << Red << rgb(0, 0, 255);
        QTest::newRow("grey mode") << 12 << 1.0 << QString::number(Red) << rgb(85, 85, 85) << rgb(85, 85, 85);
        QTest::newRow("fill not a number") << 3 << 1.0 << QStringLiteral("red") << rgb(128, 128, 128)
                                           << rgb(0, 0, 255);
        QTest::newRow("zoom 2") << 3 << 2.0 << QString::number(Yellow) << Yellow << rgb(0, 0, 255);
    }
    void solidAreas()
    {
        QFETCH(int, court);
        QFETCH(double, zoom);
        QFETCH(QString, fill);
        QFETCH(int, fillColor);
        QFETCH(int, borderColor);
        Scene scene;
        scene.tables.parts = {courtPart(court)};
        scene.addPolygon(2, {{100, 150}, {200, 150}, {200, 250}, {100, 250}},
                         solid(PartRow{}, fill, rgb(0, 0, 255), QStringLiteral("3")));
        scene.tables.parts.append(solid(area(QStringLiteral("ellipse"), 6, 30, 120, 80, 170), fill));
        const QImage picture = drawCourt(scene, court, zoom);
        const auto at = [zoom](int x, int y) { return QPoint(rnd(x * zoom), rnd(y * zoom)); };
        QCOMPARE(colorAt(picture, at(150, 200)), colorText(fillColor));
        QCOMPARE(colorAt(picture, at(55, 145)), colorText(fillColor));
        // The border: 3 pixels at 100 %, 6 at zoom 2, on the polygon's edge.
        const int pen = rnd(3 * zoom);
        QCOMPARE(colorAt(picture, at(100, 200)), colorText(borderColor));
        QCOMPARE(colorAt(picture, at(100, 200) + QPoint(pen / 2 - 1, 0)), colorText(borderColor));
        QCOMPARE(colorAt(picture, at(100, 200) + QPoint(pen + 2, 0)), colorText(fillColor));
        QCOMPARE(colorAt(picture, at(100, 200) - QPoint(pen + 2, 0)), colorText(court == 3 ? Water : White));
    }

    // Runs too short to be a polygon are not drawn, and drawing leaves the
    // table as it is; tidying the drawing removes them and says so once.
    void shortPolygonRunsAreSkippedThenTidied()
    {
        Scene scene;
        scene.tables.parts = {courtPart(13)};
        const PartRow style = solid(PartRow{}, QString::number(Red));
        scene.addPolygon(2, {{20, 20}, {60, 60}}, style);
        scene.addPolygon(4, {{100, 100}, {200, 100}, {150, 200}}, style);
        scene.addPolygon(7, {{30, 300}}, style);
        scene.addPolygon(8, {{200, 250}, {260, 250}, {260, 320}}, style);

        const QImage picture = drawCourt(scene, 13, 1);
        QCOMPARE(scene.partNumbers(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(colorAt(picture, {150, 130}), colorText(Red));
        QCOMPARE(colorAt(picture, {250, 280}), colorText(Red));
        QCOMPARE(colorAt(picture, {40, 40}), colorText(Blue));

        QVERIFY(scene.data.removeShortPolygons(1));
        QCOMPARE(scene.partNumbers(), (QList<int>{1, 4, 5, 6, 8, 9, 10}));
        QVERIFY(!scene.data.removeShortPolygons(1));
        QCOMPARE(drawCourt(scene, 13, 1), picture);
    }

    void drawAreasTellsWhetherThereAreAny()
    {
        Scene scene;
        scene.tables.parts = {courtPart(12)};
        QImage picture(pictureSize(1), QImage::Format_RGB32);
        Canvas canvas(picture);
        QVERIFY(!draw_areas(canvas, 1, 1, 1, 288, 360, 1, scene.context));
        scene.tables.parts.append(tinted(area(QStringLiteral("ellipse"), 2, 10, 10, 50, 50)));
        QVERIFY(draw_areas(canvas, 1, 1, 1, 288, 360, 1, scene.context));
        QVERIFY(!draw_areas(canvas, 2, 1, 1, 288, 360, 1, scene.context));
    }

    // Plug-in pictures: the largest size up to the zoom first, then smaller
    // ones, then the built-in pool.
    void pluginPictures()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString large = folder.filePath(QStringLiteral("Lake2/Lake2-03-2.bmp"));
        const QString small = folder.filePath(QStringLiteral("Lake2/Lake2-03-1.bmp"));
        writePicture(large, {rgb(200, 0, 0)});
        writePicture(small, {rgb(0, 200, 0)});

        Scene scene(folder.path());
        scene.tables.parts = {courtPart(3)};
        scene.tables.parts.first().tekst = QStringLiteral("Lake2");
        QCOMPARE(colorAt(drawCourt(scene, 3, 2), {300, 400}), colorText(rgb(200, 0, 0)));
        QCOMPARE(colorAt(drawCourt(scene, 3, 1), {150, 200}), colorText(rgb(0, 200, 0)));
        QVERIFY(!scene.context.grey);
        QVERIFY(QFile::remove(large));
        QCOMPARE(colorAt(drawCourt(scene, 3, 2), {300, 400}), colorText(rgb(0, 200, 0)));
        QVERIFY(QFile::remove(small));
        QCOMPARE(colorAt(drawCourt(scene, 3, 2), {300, 400}), colorText(Water));
    }

    void pluginPictureIsStretchedAndTakesAreas()
    {
        QTemporaryDir folder;
        writePicture(folder.filePath(QStringLiteral("Sea1/Sea1-00-1.bmp")), {Red, rgb(0, 0, 255)});
        Scene scene(folder.path());
        scene.tables.parts = {courtPart(0), tinted(area(QStringLiteral("ellipse"), 2, 120, 150, 170, 200))};
        scene.tables.parts.first().tekst = QStringLiteral("Sea1");
        const QImage picture = drawCourt(scene, 0, 1);
        QVERIFY(scene.context.grey);
        QCOMPARE(colorAt(picture, {0, 0}), colorText(Red));
        QCOMPARE(colorAt(picture, {143, 360}), colorText(Red));
        QCOMPARE(colorAt(picture, {145, 0}), colorText(rgb(0, 0, 255)));
        // Grey mode tints with the mean factor 0.8.
        QCOMPARE(colorAt(picture, {130, 175}), colorText(rgb(204, 0, 0)));
    }

    // Without a drawing the setting "Plugin" names the set, when it is on.
    void pluginOfTheSetting()
    {
        QTemporaryDir folder;
        writePicture(folder.filePath(QStringLiteral("Lake2/Lake2-05-1.bmp")), {rgb(0, 0, 99)});
        Scene scene(folder.path());
        scene.tables.params.append({QStringLiteral("Plugin"), QStringLiteral("Lake"), true, 2});
        QCOMPARE(colorAt(drawCourt(scene, 5, 1, 0), {144, 100}), colorText(rgb(0, 0, 99)));
        scene.data.setparam(QStringLiteral("Plugin"), QStringLiteral("Lake"), false, 2);
        QCOMPARE(colorAt(drawCourt(scene, 5, 1, 0), {144, 100}), colorText(Water));
    }

    // The name comes from a play file and may not lead out of the program
    // folder.
    void pluginNameStaysInTheProgramFolder()
    {
        QTemporaryDir folder;
        writePicture(folder.filePath(QStringLiteral("..-03-1.bmp")), {rgb(0, 0, 99)});
        writePicture(folder.filePath(QStringLiteral("program/x/..-03-1.bmp")), {rgb(0, 0, 99)});
        Scene scene(folder.filePath(QStringLiteral("program/x")));
        scene.tables.parts = {courtPart(3)};
        scene.tables.parts.first().tekst = QStringLiteral("..");
        QCOMPARE(colorAt(drawCourt(scene, 3, 1), {144, 200}), colorText(Water));
        scene.tables.parts.first().tekst = QStringLiteral("../x");
        QCOMPARE(colorAt(drawCourt(scene, 3, 1), {144, 200}), colorText(Water));
    }

    // A court drawn band by band gives the same pixels as drawn whole.
    void bandsGiveTheSamePixels_data()
    {
        QTest::addColumn<int>("court");
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("bandRows");
        QTest::newRow("3 z1") << 3 << false << 1.0 << 7;
        QTest::newRow("0 smaller z1") << 0 << true << 1.0 << 5;
        QTest::newRow("4 z2") << 4 << false << 2.0 << 13;
        QTest::newRow("2 z0.75") << 2 << false << 0.75 << 3;
        QTest::newRow("5 smaller z3") << 5 << true << 3.0 << 64;
        QTest::newRow("9 z2") << 9 << false << 2.0 << 1;
        QTest::newRow("10 z1.5") << 10 << false << 1.5 << 11;
        QTest::newRow("12 z2") << 12 << false << 2.0 << 17;
        QTest::newRow("13 z0.2") << 13 << false << 0.2 << 2;
    }
    void bandsGiveTheSamePixels()
    {
        QFETCH(int, court);
        QFETCH(bool, smaller);
        QFETCH(double, zoom);
        QFETCH(int, bandRows);
        const auto scene = [&] {
            auto made = std::make_unique<Scene>();
            made->tables.parts = {courtPart(court, smaller),
                                  tinted(area(QStringLiteral("ellipse"), 2, 60, 90, 170, 200)),
                                  solid(area(QStringLiteral("ellipse"), 3, 150, 220, 240, 300),
                                        QString::number(rgb(10, 120, 30)), Red, QStringLiteral("2"))};
            made->addPolygon(4, {{30, 250}, {120, 230}, {90, 330}}, tinted(PartRow{}, rgb(150, 100, 120)));
            made->addPolygon(7, {{200, 40}, {270, 60}, {260, 140}, {210, 120}},
                             solid(PartRow{}, QString::number(Yellow), rgb(0, 0, 255), QStringLiteral("4")));
            return made;
        };
        const auto whole = scene();
        const auto banded = scene();
        const QImage expected = drawCourt(*whole, court, zoom);
        const QImage actual = drawCourtInBands(*banded, court, zoom, bandRows);
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                if (expected.pixel(x, y) != actual.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("(%1,%2): %3 in bands, %4 whole")
                                         .arg(x).arg(y)
                                         .arg(colorAt(actual, {x, y}), colorAt(expected, {x, y}))));
            }
        }
    }

    // Whole courts against pictures checked by eye once.
    void golden_data()
    {
        QTest::addColumn<int>("court");
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<bool>("areas");
        QTest::newRow("court0-z1") << 0 << false << 1.0 << false;
        QTest::newRow("court0-smaller-z2") << 0 << true << 2.0 << false;
        QTest::newRow("court1-z1") << 1 << false << 1.0 << false;
        QTest::newRow("court2-z2") << 2 << false << 2.0 << false;
        QTest::newRow("court3-areas-z1") << 3 << false << 1.0 << true;
        QTest::newRow("court3-areas-z2") << 3 << false << 2.0 << true;
        QTest::newRow("court4-smaller-z1") << 4 << true << 1.0 << false;
        QTest::newRow("court5-z1") << 5 << false << 1.0 << false;
        QTest::newRow("court6-areas-z1") << 6 << false << 1.0 << true;
        QTest::newRow("court9-z2") << 9 << false << 2.0 << false;
        QTest::newRow("court10-areas-z1") << 10 << false << 1.0 << true;
        QTest::newRow("court13-areas-z1") << 13 << false << 1.0 << true;
    }
    void golden()
    {
        QFETCH(int, court);
        QFETCH(bool, smaller);
        QFETCH(double, zoom);
        QFETCH(bool, areas);
        Scene scene;
        scene.tables.parts = {courtPart(court, smaller)};
        if (areas) {
            scene.tables.parts.append(tinted(area(QStringLiteral("ellipse"), 2, 150, 180, 240, 250)));
            scene.addPolygon(3, {{40, 120}, {110, 110}, {130, 190}, {60, 210}},
                             solid(PartRow{}, QString::number(rgb(255, 170, 60)), Black, QStringLiteral("2")));
        }
        QString message;
        QVERIFY2(matchesGolden(drawCourt(scene, court, zoom), QString::fromLatin1(QTest::currentDataTag()),
                               &message),
                 qPrintable(message));
    }
};

QTEST_MAIN(TestCourt)
#include "tst_court.moc"
