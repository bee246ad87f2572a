#include "render/renderedsymboldrawer.h"
#include "render/renderer.h"
#include "store/symbolpictures.h"

#include "golden.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>
#include <functional>

namespace {

constexpr int Water = rgb(0, 102, 204);
constexpr int DefenseBlue = rgb(102, 102, 255);
constexpr int Green = rgb(0, 160, 0);
constexpr int Magenta = rgb(200, 0, 200);

Tables settingsTables()
{
    Tables tables;
    tables.params = {ParamRow{"Offense", "0", true, White}, ParamRow{"Defense", "1", true, DefenseBlue},
                     ParamRow{"Antiexp", "", false, 0}};
    return tables;
}

// Settings as a playbook starts with: white offense, blue defense, both
// filled, no smoothing of symbols.
struct Scene {
    Tables tables = settingsTables();
    DataModule data{tables};
    RenderContext context{data, QString()};
};

PartFields part(const QString &type, int x1, int y1, int number = 14)
{
    PartFields p;
    p.Type = type;
    p.x1 = qint16(x1);
    p.y1 = qint16(y1);
    p.Graphicnr = number;
    p.color2 = -1;
    return p;
}

QImage filled(QSize size, int color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(toQRgb(color));
    return image;
}

QSize sketchSize(double zoom)
{
    return {rnd(SketchWidth * zoom), rnd(SketchHeight * zoom)};
}

// The part drawn as getimage draws it: the pen at the zoom rounded up first.
void drawPart(Canvas &canvas, const PartFields &p, double zoom, bool ghost, RenderContext &context)
{
    canvas.setPen(Black, int(std::ceil(zoom)));
    draw_symbol(canvas, p, zoom, ghost, context);
}

QImage drawn(const PartFields &p, double zoom, RenderContext &context, bool ghost = false,
             QSize size = {}, int background = Water)
{
    QImage image = filled(size.isValid() ? size : sketchSize(zoom), background);
    Canvas canvas(image);
    drawPart(canvas, p, zoom, ghost, context);
    return image;
}

int colorAt(const QImage &image, int x, int y)
{
    return fromQRgb(image.pixel(x, y));
}

// The smallest rectangle holding every pixel that passes the test.
QRect boxOf(const QImage &image, const std::function<bool(int x, int y, int color)> &test)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (test(x, y, colorAt(image, x, y)))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

QRect inkBox(const QImage &image, int background = Water)
{
    return boxOf(image, [background](int, int, int color) { return color != background; });
}

int countOf(const QImage &image, QRect area, int color)
{
    int count = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += colorAt(image, x, y) == color;
    }
    return count;
}

// Pixels in none of the given colours: the blends of a smoothed symbol.
int blendedPixels(const QImage &image, std::initializer_list<int> pure)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += !std::count(pure.begin(), pure.end(), colorAt(image, x, y));
    }
    return count;
}

// A background in which every pixel differs from its neighbours, so that a
// shifted copy shows.
QImage patterned(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 13) % 256));
    }
    return image;
}

QImage inBands(const QSize size, int background, int bandHeight,
               const std::function<void(Canvas &)> &draw)
{
    QImage whole = filled(size, background);
    for (int top = 0; top < size.height(); top += bandHeight) {
        QImage band = filled({size.width(), std::min(bandHeight, size.height() - top)}, background);
        {
            Canvas canvas(band, size, {0, top});
            draw(canvas);
        }
        for (int y = 0; y < band.height(); ++y)
            std::memcpy(whole.scanLine(top + y), band.constScanLine(y), band.bytesPerLine());
    }
    return whole;
}

// Equipment, markers and players without numbers: no text anywhere.
QList<PartFields> textFreeScene()
{
    QList<PartFields> parts;
    const auto add = [&parts](const QString &type, int x, int y, int number = 14,
                              std::function<void(PartFields &)> change = {}) {
        PartFields p = part(type, x, y, number);
        if (change)
            change(p);
        parts.append(p);
    };
    add("Goal", 20, 10);
    add("Goal", 70, 10, 14, [](PartFields &p) { p.rotation = 90; });
    add("Goal", 120, 10, 14, [](PartFields &p) { p.rotation = 225; p.color = Red; });
    add("Pylon", 20, 60, 1);
    add("Pylon", 60, 60, 2, [](PartFields &p) { p.color = rgb(255, 128, 0); });
    add("Pylon", 100, 60, 3);
    add("Rack", 150, 60);
    add("Rack", 200, 60, 3, [](PartFields &p) { p.color = Red; });
    add("Ball", 20, 110);
    add("Ballf", 50, 110);
    add("Ballf", 80, 110, 14, [](PartFields &p) { p.color = Red; });
    add("Cross", 120, 110);
    add("Crossf", 160, 110, 14, [](PartFields &p) { p.color = Green; });
    add("Ncross", 200, 110);
    add("Ochair", 20, 160, 14, [](PartFields &p) { p.rotation = 30; });
    add("Dchair", 70, 160, 14, [](PartFields &p) { p.rotation = 200; });
    add("Circle", 120, 160);
    add("Dcircle", 160, 160, 14, [](PartFields &p) { p.arrow = 2; p.rotation = 135; });
    add("Osquare", 200, 160, 14, [](PartFields &p) { p.y2 = 60; });
    add("Triangle", 20, 220);
    add("Triangf", 70, 220, 14, [](PartFields &p) { p.y2 = 130; });
    add("Opop", 120, 220, 14, [](PartFields &p) { p.rotation = 45; });
    add("Dpop", 170, 220, 14, [](PartFields &p) { p.rotation = 100; p.arrow = 3; });
    add("Circlef", 220, 220);
    add("Ball", 270, 340); // its rim reaches the picture's edge
    return parts;
}

void drawScene(Canvas &canvas, const QList<PartFields> &parts, double zoom, RenderContext &context)
{
    for (const PartFields &p : parts)
        drawPart(canvas, p, zoom, false, context);
}

// Draws figures described as "pen W; brush; line x,y x,y; polyline x,y ...;
// polygon x,y ...; ellipse l,t r,b; arc l,t r,b sx,sy ex,ey", in pixels,
// with the stroke colour and the brush colour given.
void drawFigures(Canvas &canvas, const QString &figures, int stroke, int fill)
{
    for (const QString &figure : figures.split(u';', Qt::SkipEmptyParts)) {
        QStringList words = figure.split(u' ', Qt::SkipEmptyParts);
        const QString verb = words.takeFirst();
        QList<QPoint> points;
        for (const QString &word : std::as_const(words))
            points.append({word.section(u',', 0, 0).toInt(), word.section(u',', 1, 1).toInt()});
        if (verb == u"pen")
            canvas.setPen(stroke, words.first().toInt());
        else if (verb == u"brush")
            canvas.setBrush(fill);
        else if (verb == u"line")
            canvas.line(points[0].x(), points[0].y(), points[1].x(), points[1].y());
        else if (verb == u"polyline")
            canvas.polyline(points);
        else if (verb == u"polygon")
            canvas.polygon(points);
        else if (verb == u"ellipse")
            canvas.ellipse(points[0].x(), points[0].y(), points[1].x(), points[1].y());
        else if (verb == u"arc")
            canvas.arc(points[0].x(), points[0].y(), points[1].x(), points[1].y(), points[2].x(),
                       points[2].y(), points[3].x(), points[3].y());
    }
}

} // namespace

class TestSymbols : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void greyAveragesTheChannels()
    {
        QCOMPARE(grey(rgb(255, 0, 0)), rgb(85, 85, 85));
        QCOMPARE(grey(rgb(1, 1, 0)), rgb(1, 1, 1));     // 0.67 rounds up
        QCOMPARE(grey(rgb(1, 0, 0)), rgb(0, 0, 0));     // 0.33 rounds down
        QCOMPARE(grey(rgb(102, 102, 255)), rgb(153, 153, 153));
    }

    // Probes at a fill point and an outline point of a symbol at (100, 100),
    // and the colour of its number or label inside the symbol.
    void playerColors_data()
    {
        QTest::addColumn<PartFields>("symbol");
        QTest::addColumn<bool>("sidesFilled");
        QTest::addColumn<bool>("greyMode");
        QTest::addColumn<bool>("ghost");
        QTest::addColumn<QPoint>("fillPoint");
        QTest::addColumn<int>("fill");
        QTest::addColumn<QPoint>("outlinePoint");
        QTest::addColumn<int>("outline");
        QTest::addColumn<int>("text"); // -1: not checked

        const QPoint circleFill(104, 111), circleRim(100, 110);
        QTest::newRow("goalkeeper red with team-coloured number")
            << part("Circle", 100, 100, 1) << true << false << false << circleFill << Red << circleRim
            << Black << White;
        QTest::newRow("goalkeeper unfilled keeps the team-coloured number")
            << part("Circle", 100, 100, 1) << false << false << false << circleFill << Water
            << circleRim << Black << White;
        QTest::newRow("offense player in the offense colour")
            << part("Circle", 100, 100, 5) << true << false << false << circleFill << White
            << circleRim << Black << Black;
        QTest::newRow("defense player in the defense colour")
            << part("Dcircle", 100, 100, 5) << true << false << false << circleFill << DefenseBlue
            << circleRim << Black << Black;
        PartFields own = part("Circle", 100, 100, 1);
        own.color = Green;
        QTest::newRow("own colour replaces the red of a goalkeeper")
            << own << true << false << false << circleFill << Green << circleRim << Black << -1;
        PartFields outlined = part("Dcircle", 100, 100, 5);
        outlined.color2 = Magenta;
        QTest::newRow("second colour for outline and number")
            << outlined << true << false << false << circleFill << DefenseBlue << circleRim << Magenta
            << Magenta;
        PartFields coloured = part("Circle", 100, 100, 5);
        coloured.color = rgb(200, 40, 40);
        coloured.color2 = Magenta;
        QTest::newRow("grey mode: white with black outline and number")
            << coloured << true << true << false << circleFill << White << circleRim << Black << Black;
        QTest::newRow("ghost: silver and unfilled")
            << part("Circle", 100, 100, 5) << true << false << true << circleFill << Water << circleRim
            << Silver << Silver;
        PartFields onlyNumber = part("Circle", 100, 100, 5);
        onlyNumber.transparent = 1;
        QTest::newRow("only number")
            << onlyNumber << true << false << false << circleFill << Water << circleRim << Water
            << Black;
        QTest::newRow("square goalkeeper")
            << part("Osquare", 100, 100, 1) << true << false << false << QPoint(104, 111) << Red
            << QPoint(101, 110) << Black << White;
        QTest::newRow("triangle goalkeeper")
            << part("Otriangl", 100, 100, 1) << true << false << false << QPoint(105, 118) << Red
            << QPoint(111, 100) << Black << White;
        QTest::newRow("pop goalkeeper: black number")
            << part("Dpop", 100, 100, 1) << true << false << false << QPoint(104, 112) << Red
            << QPoint(110, 115) << Black << Black;
        QTest::newRow("chair: no red for number 1")
            << part("Dchair", 100, 100, 1) << true << false << false << QPoint(110, 108)
            << DefenseBlue << QPoint(110, 108) << DefenseBlue << -1;
        QTest::newRow("chair ghost: silver head")
            << part("Ochair", 100, 100, 5) << true << false << true << QPoint(110, 108) << Water
            << QPoint(104, 110) << Silver << -1;
        QTest::newRow("ball: white with black rim")
            << part("Ball", 100, 100) << true << false << false << QPoint(110, 110) << White
            << QPoint(107, 110) << Black << -1;
        QTest::newRow("ballf: yellow")
            << part("Ballf", 100, 100) << true << false << false << QPoint(110, 110)
            << rgb(255, 255, 0) << QPoint(107, 110) << Black << -1;
        PartFields redBall = part("Ballf", 100, 100);
        redBall.color = Red;
        QTest::newRow("ballf in grey mode: black")
            << redBall << true << true << false << QPoint(110, 110) << Black << QPoint(107, 110)
            << Black << -1;
        QTest::newRow("ball ghost: silver rim, no fill")
            << part("Ball", 100, 100) << true << false << true << QPoint(110, 110) << Water
            << QPoint(107, 110) << Silver << -1;
        QTest::newRow("ballf ghost: silver disc")
            << part("Ballf", 100, 100) << true << false << true << QPoint(110, 110) << Silver
            << QPoint(107, 110) << Silver << -1;
    }
    void playerColors()
    {
        QFETCH(PartFields, symbol);
        QFETCH(bool, sidesFilled);
        QFETCH(bool, greyMode);
        QFETCH(bool, ghost);
        QFETCH(QPoint, fillPoint);
        QFETCH(int, fill);
        QFETCH(QPoint, outlinePoint);
        QFETCH(int, outline);
        QFETCH(int, text);

        Scene scene;
        scene.context.offenseFilled = scene.context.defenseFilled = sidesFilled;
        scene.context.grey = greyMode;
        if (greyMode)
            scene.context.sides.offense = rgb(200, 40, 40);
        const QImage image = drawn(symbol, 1, scene.context, ghost);

        QCOMPARE(colorAt(image, fillPoint.x(), fillPoint.y()), fill);
        QCOMPARE(colorAt(image, outlinePoint.x(), outlinePoint.y()), outline);
        if (text >= 0)
            QVERIFY2(countOf(image, QRect(105, 103, 10, 14), text) >= 4, "no number in its colour");
    }

    void labels_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::newRow("zoom 1") << 1.0;
        QTest::newRow("zoom 2") << 2.0;
    }
    // "GK" is too wide for the circle at the start size: it is shrunk and
    // centred.
    void labels()
    {
        QFETCH(double, zoom);
        Scene scene;
        PartFields keeper = part("Dcircle", 100, 100, 7);
        keeper.tekst = QStringLiteral("GK");
        keeper.color2 = Green;
        const QImage image = drawn(keeper, zoom, scene.context);

        const QPointF centre(110.5 * zoom, 110.5 * zoom);
        const QRect label = boxOf(image, [&](int x, int y, int color) {
            return color == Green && QLineF(centre, QPointF(x + 0.5, y + 0.5)).length() < 8.5 * zoom;
        });
        QVERIFY(!label.isEmpty());
        QVERIFY2(label.width() <= 18 * zoom && label.height() <= 15 * zoom, "label not shrunk");
        QVERIFY2(label.width() >= 8 * zoom, "label shrunk too far");
        QVERIFY(std::abs(QRectF(label).center().x() - centre.x()) <= 1.5 * zoom);
        QVERIFY(std::abs(QRectF(label).center().y() - centre.y()) <= 1.5 * zoom);
    }

    // Texts that are no label leave the number (or nothing) as it would be.
    void textsThatAreNoLabel_data()
    {
        QTest::addColumn<PartFields>("withText");
        QTest::addColumn<PartFields>("same");
        PartFields sixLetters = part("Dcircle", 100, 100, 7);
        sixLetters.tekst = QStringLiteral("ABCDEF");
        QTest::newRow("six letters show the number") << sixLetters << part("Dcircle", 100, 100, 7);
        PartFields ownNumber = part("Circle", 100, 100, 7);
        ownNumber.tekst = QStringLiteral("7");
        QTest::newRow("its own number is the number") << ownNumber << part("Circle", 100, 100, 7);
        PartFields hidden = part("Otriangl", 100, 100, 7);
        hidden.tekst = QStringLiteral("##");
        QTest::newRow("## shows nothing") << hidden << part("Otriangl", 100, 100, 14);
        PartFields popLabel = part("Opop", 100, 100, 7);
        popLabel.tekst = QStringLiteral("GK");
        QTest::newRow("pops ignore labels") << popLabel << part("Opop", 100, 100, 7);
        PartFields chairLabel = part("Ochair", 100, 100, 7);
        chairLabel.tekst = QStringLiteral("GK");
        QTest::newRow("chairs ignore labels") << chairLabel << part("Ochair", 100, 100, 7);
        PartFields hiddenChair = part("Ochair", 100, 100, 7);
        hiddenChair.tekst = QStringLiteral("##");
        QTest::newRow("## hides a chair's number") << hiddenChair << part("Ochair", 100, 100, 14);
    }
    void textsThatAreNoLabel()
    {
        QFETCH(PartFields, withText);
        QFETCH(PartFields, same);
        Scene scene;
        QCOMPARE(drawn(withText, 1, scene.context), drawn(same, 1, scene.context));
    }

    // A numbered player is its body without a number plus the number as the
    // rules place it: Arial at the rule's size, its top-left corner at the
    // rule's point (worked out here by hand for x1 = y1 = 100), in the
    // number colour. The side colour shows only where red replaced it.
    void numbersSitWhereTheRulesPutThem_data()
    {
        QTest::addColumn<PartFields>("numbered");
        QTest::addColumn<PartFields>("body"); // the same body without a number
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QPoint>("at"); // pixels
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("color");
        const auto at = [](const char *type, int number, int size = 0) {
            PartFields p = part(type, 100, 100, number);
            p.y2 = qint16(size);
            return p;
        };
        const auto colored = [](PartFields p, int color, int color2 = -1) {
            p.color = color;
            p.color2 = color2;
            return p;
        };
        // Circles and squares: 1-9 at (x1+o+7s, y1+o+3s) in 10zs points,
        // 10-13 at (x1+o+4s, y1+o+4s) in 9zs.
        QTest::newRow("circle 5") << at("Circle", 5) << at("Circle", 14) << 1.0 << "5" << QPoint(107, 103) << 10 << Black;
        QTest::newRow("circle 12") << at("Circle", 12) << at("Circle", 14) << 1.0 << "12" << QPoint(104, 104) << 9 << Black;
        QTest::newRow("circle 5, zoom 2") << at("Circle", 5) << at("Circle", 14) << 2.0 << "5" << QPoint(214, 206) << 20 << Black;
        QTest::newRow("circle 12, zoom 2") << at("Circle", 12) << at("Circle", 14) << 2.0 << "12" << QPoint(208, 208) << 18 << Black;
        QTest::newRow("dcircle 7 at 150 %") << at("Dcircle", 7, 150) << at("Dcircle", 14, 150) << 1.0 << "7" << QPoint(105, 99) << 15 << Black;
        QTest::newRow("osquare 3") << at("Osquare", 3) << at("Osquare", 14) << 1.0 << "3" << QPoint(107, 103) << 10 << Black;
        QTest::newRow("dsquare 11 at 50 %") << at("Dsquare", 11, 50) << at("Dsquare", 14, 50) << 1.0 << "11" << QPoint(107, 107) << 4 << Black;
        // Triangles: 1-9 at (x1+o+8s, y1+o+7s) in 10zs, 10-13 at
        // (x1+o+5s, y1+o+9.4s) in 8zs.
        QTest::newRow("otriangl 5") << at("Otriangl", 5) << at("Otriangl", 14) << 1.0 << "5" << QPoint(108, 107) << 10 << Black;
        QTest::newRow("triangle 13") << at("Triangle", 13) << at("Triangle", 14) << 1.0 << "13" << QPoint(105, 109) << 8 << Black;
        QTest::newRow("triangle 13, zoom 2") << at("Triangle", 13) << at("Triangle", 14) << 2.0 << "13" << QPoint(210, 219) << 16 << Black;
        // Chairs: (x1+10.5+6.5s, y1+10.5+3.5s) in 9zs, never turned.
        QTest::newRow("ochair 5") << at("Ochair", 5) << at("Ochair", 14) << 1.0 << "5" << QPoint(117, 114) << 9 << Black;
        QTest::newRow("dchair 10 turned") << colored(at("Dchair", 10), 0, Magenta) << colored(at("Dchair", 14), 0, Magenta) << 1.0 << "10" << QPoint(117, 114) << 9 << Magenta;
        // Pops, upright: one digit at (x1+10.5-3.5m, y1+10.5-10m) in 9zm,
        // two at (x1+10.5-5.95m, y1+12.5-10m) in 7zm.
        QTest::newRow("opop 5") << at("Opop", 5) << at("Opop", 14) << 1.0 << "5" << QPoint(107, 100) << 9 << Black;
        QTest::newRow("opop 12") << at("Opop", 12) << at("Opop", 14) << 1.0 << "12" << QPoint(105, 102) << 7 << Black;
        QTest::newRow("dpop 5, zoom 2") << at("Dpop", 5) << at("Dpop", 14) << 2.0 << "5" << QPoint(214, 201) << 18 << Black;
        // Goalkeepers: red instead of the side colour, the number in it.
        QTest::newRow("circle 1: offense colour on red") << at("Circle", 1) << colored(at("Circle", 14), Red) << 1.0 << "1" << QPoint(107, 103) << 10 << White;
        QTest::newRow("dcircle 1: defense colour on red") << at("Dcircle", 1) << colored(at("Dcircle", 14), Red) << 1.0 << "1" << QPoint(107, 103) << 10 << DefenseBlue;
        QTest::newRow("triangle 1: defense colour on red") << at("Triangle", 1) << colored(at("Triangle", 14), Red) << 1.0 << "1" << QPoint(108, 107) << 10 << DefenseBlue;
        QTest::newRow("circle 1, second colour") << colored(at("Circle", 1), 0, Magenta) << colored(at("Circle", 14), Red, Magenta) << 1.0 << "1" << QPoint(107, 103) << 10 << Magenta;
        // No red, so no side colour for the number: it would vanish in the fill.
        QTest::newRow("circlef 1: black on the side fill") << at("Circlef", 1) << at("Circlef", 14) << 1.0 << "1" << QPoint(107, 103) << 10 << Black;
        QTest::newRow("triangf 1: black on the side fill") << at("Triangf", 1) << at("Triangf", 14) << 1.0 << "1" << QPoint(108, 107) << 10 << Black;
        QTest::newRow("circle 1 filled in the side colour") << colored(at("Circle", 1), White) << colored(at("Circle", 14), White) << 1.0 << "1" << QPoint(107, 103) << 10 << Black;
        QTest::newRow("dcircle 1 filled green") << colored(at("Dcircle", 1), Green) << colored(at("Dcircle", 14), Green) << 1.0 << "1" << QPoint(107, 103) << 10 << Black;
    }
    void numbersSitWhereTheRulesPutThem()
    {
        QFETCH(PartFields, numbered);
        QFETCH(PartFields, body);
        QFETCH(double, zoom);
        QFETCH(QString, digits);
        QFETCH(QPoint, at);
        QFETCH(int, points);
        QFETCH(int, color);
        Scene scene;
        QImage expected = drawn(body, zoom, scene.context);
        {
            Canvas canvas(expected);
            CanvasFont font;
            font.pointSize = points;
            canvas.setFont(font);
            canvas.setTextColor(color);
            canvas.textOut(at.x(), at.y(), digits);
        }
        QCOMPARE(drawn(numbered, zoom, scene.context), expected);
    }

    // A label is shrunk from 10zs points by rnd(z) until it fits the shape
    // and then centred: on the circle's centre, or across the triangle and
    // standing on its base. The label takes the outline colour.
    void labelsSitWhereTheRulesPutThem_data()
    {
        QTest::addColumn<PartFields>("labelled");
        QTest::addColumn<double>("zoom");
        const auto labelled = [](const char *type, const char *text, int size = 0, int color2 = -1) {
            PartFields p = part(type, 100, 100, 7);
            p.tekst = QString::fromLatin1(text);
            p.y2 = qint16(size);
            p.color2 = color2;
            return p;
        };
        for (const double zoom : {1.0, 2.0}) {
            QTest::addRow("dcircle GK, zoom %g", zoom) << labelled("Dcircle", "GK", 0, Green) << zoom;
            QTest::addRow("circle W at 150 %%, zoom %g", zoom) << labelled("Circle", "W", 150) << zoom;
            QTest::addRow("osquare ABC, zoom %g", zoom) << labelled("Osquare", "ABC") << zoom;
            QTest::addRow("triangle GK, zoom %g", zoom) << labelled("Triangle", "GK", 0, Magenta) << zoom;
            QTest::addRow("otriangl X, zoom %g", zoom) << labelled("Otriangl", "X") << zoom;
            QTest::addRow("triangf WW at 60 %%, zoom %g", zoom) << labelled("Triangf", "WW", 60) << zoom;
        }
    }
    void labelsSitWhereTheRulesPutThem()
    {
        QFETCH(PartFields, labelled);
        QFETCH(double, zoom);
        Scene scene;
        PartFields bare = labelled;
        bare.tekst = QStringLiteral("##");
        QImage expected = drawn(bare, zoom, scene.context);

        const QString code = labelled.Type.toLower();
        const bool triangle = code.startsWith(u"tria") || code == u"otriangl";
        const double s = labelled.y2 == 0 ? 1 : labelled.y2 / 100.0, zs = zoom * s;
        const double o = code.endsWith(u"square") ? 10.5 - 10.5 * s : 11 - 11 * s;
        const auto fits = [&](double w, double h) {
            if (triangle)
                return (w <= 13 * zs || h <= 5 * zs) && (w <= 12 * zs || h <= 6 * zs)
                    && (w <= 11 * zs || h <= 7 * zs) && (w <= 10 * zs || h <= 8 * zs)
                    && (w <= 9 * zs || h <= 9 * zs) && (w <= 8 * zs || h <= 10 * zs)
                    && (w <= 7 * zs || h <= 11 * zs);
            return w <= 18 * zs && (w <= 17 * zs || h <= 11 * zs) && (w <= 15 * zs || h <= 13 * zs)
                && (w <= 13 * zs || h <= 15 * zs);
        };
        {
            Canvas canvas(expected);
            CanvasFont font;
            font.pointSize = rnd(10 * zs);
            canvas.setFont(font);
            QSize extent = canvas.textExtent(labelled.tekst);
            while (!fits(extent.width(), extent.height()) && font.pointSize >= 1) {
                font.pointSize -= rnd(zoom);
                canvas.setFont(font);
                extent = canvas.textExtent(labelled.tekst);
            }
            const int w = extent.width(), h = extent.height();
            const int left = rnd((100 + o + 11 * s) * zoom) - rnd((w + 1) / 2.0);
            int top = rnd((100 + o + 11 * s) * zoom) - rnd((h + 1) / 2.0);
            if (triangle)
                top = rnd(21 * zs) - h + (labelled.tekst.size() == 1 ? rnd(zs) : 0) + rnd((100 + o) * zoom);
            canvas.setTextColor(labelled.color2 > 0 ? labelled.color2 : Black);
            canvas.textOut(left, top, labelled.tekst);
        }
        QCOMPARE(drawn(labelled, zoom, scene.context), expected);
    }

    void numberedCrossShortensItsStrokes()
    {
        Scene scene;
        PartFields numbered = part("Ocross", 100, 100, 5);
        const QImage withNumber = drawn(numbered, 1, scene.context);
        const QImage plain = drawn(part("Ocross", 100, 100, 14), 1, scene.context);
        // The full X reaches (x1 + 18, y1 + 18); the numbered one stops at
        // (x1 + 14, y1 + 14) and has its number below right.
        QCOMPARE(colorAt(plain, 117, 117), Black);
        QCOMPARE(colorAt(withNumber, 100, 100), Black);
        QCOMPARE(colorAt(plain, 100, 100), Water);
        QVERIFY(countOf(withNumber, QRect(115, 107, 8, 13), Black) >= 4);
    }

    // Shrinking a label steps by whole points even where the zoom rounds to
    // nothing: these must finish.
    void labelsFitAtTinyZooms_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("zoom");
        for (const char *type : {"Dcircle", "Triangle", "Osquare"}) {
            for (const double zoom : {0.05, 0.3, 0.49}) {
                QTest::addRow("%s at %g", type, zoom) << QString::fromLatin1(type) << zoom;
            }
        }
    }
    void labelsFitAtTinyZooms()
    {
        QFETCH(QString, type);
        QFETCH(double, zoom);
        Scene scene;
        PartFields labelled = part(type, 100, 100, 3);
        labelled.tekst = QStringLiteral("WWW");
        labelled.y2 = 150;
        drawn(labelled, zoom, scene.context);
    }

    // Each symbol at (100, 100) stays inside its box (sketch units relative
    // to x1, y1; right and bottom outside), and fills a good part of it.
    void shapesStayInTheirBoxes_data()
    {
        QTest::addColumn<PartFields>("symbol");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QRect>("box");
        const auto add = [](const char *name, PartFields p, QRect box) {
            for (const double zoom : {1.0, 2.0})
                QTest::addRow("%s at %g", name, zoom) << p << zoom << box;
        };
        const auto at = [](const char *type, int number = 5) { return part(type, 100, 100, number); };
        const auto turned = [](PartFields p, int rotation) {
            p.rotation = rotation;
            return p;
        };
        const auto sized = [](PartFields p, int size) {
            p.y2 = qint16(size);
            return p;
        };
        const QRect cell(QPoint(0, 0), QPoint(21, 21));
        add("circle", at("Circle"), cell);
        add("dcircle", at("Dcircle"), cell);
        add("circlef", at("Circlef"), cell.adjusted(-1, -1, 1, 1));
        add("circle 50%", sized(at("Circle"), 50), QRect(QPoint(5, 5), QPoint(16, 16)));
        add("circle 150%", sized(at("Circle"), 150), QRect(QPoint(-6, -6), QPoint(27, 27)));
        add("osquare", at("Osquare"), cell);
        add("dsquare 150%", sized(at("Dsquare"), 150), QRect(QPoint(-5, -5), QPoint(26, 26)));
        add("otriangl", at("Otriangl"), cell);
        add("triangle", at("Triangle", 12), cell);
        add("triangf", at("Triangf", 14), cell.adjusted(-1, -1, 1, 1));
        add("opop", at("Opop"), QRect(QPoint(0, -4), QPoint(21, 21)));
        add("dpop 90", turned(at("Dpop", 11), 90), QRect(QPoint(-1, 0), QPoint(24, 21)));
        add("ochair", at("Ochair"), QRect(QPoint(-1, 2), QPoint(25, 27)));
        add("dchair 180", turned(at("Dchair", 14), 180), QRect(QPoint(-1, 3), QPoint(22, 20)));
        add("ocross", at("Ocross"), QRect(QPoint(0, 0), QPoint(24, 22)));
        add("ncross plain", at("Ncross", 14), QRect(QPoint(1, 1), QPoint(18, 18)));
        add("cross", at("Cross"), QRect(QPoint(1, 1), QPoint(18, 18)));
        add("crossf", at("Crossf"), QRect(QPoint(0, 0), QPoint(19, 19)));
        add("coach", at("Coach"), QRect(QPoint(3, 0), QPoint(18, 22)));
        add("goal", at("Goal"), QRect(QPoint(-4, 9), QPoint(25, 19)));
        add("goal 90", turned(at("Goal"), 90), QRect(QPoint(2, -4), QPoint(12, 25)));
        add("pylon large", at("Pylon", 1), QRect(QPoint(2, 0), QPoint(21, 21)));
        add("pylon medium", at("Pylon", 2), QRect(QPoint(4, 2), QPoint(19, 20)));
        add("pylon small", at("Pylon", 3), QRect(QPoint(4, 4), QPoint(17, 19)));
        add("rack", at("Rack"), QRect(QPoint(-1, 2), QPoint(23, 20)));
        add("ball", at("Ball"), QRect(QPoint(6, 6), QPoint(15, 15)));
        add("ballf", at("Ballf"), QRect(QPoint(6, 6), QPoint(15, 15)));
    }
    void shapesStayInTheirBoxes()
    {
        QFETCH(PartFields, symbol);
        QFETCH(double, zoom);
        QFETCH(QRect, box);
        Scene scene;
        const QImage image = drawn(symbol, zoom, scene.context);
        const QRect ink = inkBox(image);
        // Wide pens straddle the figure's edge.
        const int slack = rnd(zoom);
        const QRect scaled(QPoint(rnd((100 + box.left()) * zoom), rnd((100 + box.top()) * zoom)),
                           QPoint(rnd((101 + box.right()) * zoom) - 1,
                                  rnd((101 + box.bottom()) * zoom) - 1));
        const QRect expected = scaled.adjusted(-slack, -slack, slack, slack);
        QVERIFY2(expected.contains(ink),
                 qPrintable(QStringLiteral("ink (%1,%2)-(%3,%4) outside (%5,%6)-(%7,%8)")
                                .arg(ink.left()).arg(ink.top()).arg(ink.right()).arg(ink.bottom())
                                .arg(expected.left()).arg(expected.top()).arg(expected.right())
                                .arg(expected.bottom())));
        QVERIFY2(ink.width() * 2 >= scaled.width() && ink.height() * 2 >= scaled.height(),
                 "symbol much smaller than its box");
    }

    // Bodies drawn as their rules place them, worked out by hand for
    // x1 = y1 = 100: the goal's crossbar and net, the pop's arms and body
    // turned about C10.5, the chair's arms (an arc of radius 10 centred 7.5
    // ahead of C10.5, from r + 20 to r + 160 degrees) and head.
    void bodiesFollowTheirRules_data()
    {
        QTest::addColumn<PartFields>("symbol");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("stroke");
        QTest::addColumn<int>("fill");
        QTest::addColumn<QString>("figures");
        const auto turned = [](const char *type, int rotation, int number = 14) {
            PartFields p = part(type, 100, 100, number);
            p.rotation = rotation;
            return p;
        };
        // Goal: c = (rnd(110.5 z), rnd(110.5 z)), phi = r + 180, crossbar
        // c -+ 13.5z a, net c - 9.5z a - 7z b ... c + 9.5z a, pen rnd(2z).
        QTest::newRow("goal") << turned("Goal", 0) << 1.0 << Black << Black
                              << "pen 2; line 124,110 96,110; polyline 120,110 120,117 100,117 100,110";
        QTest::newRow("goal at 90, zoom 2") << turned("Goal", 90) << 2.0 << Black << Black
                                            << "pen 4; line 221,248 221,194; polyline 221,240 207,240 207,202 221,202";
        QTest::newRow("goal at 270") << turned("Goal", 270) << 1.0 << Black << Black
                                     << "pen 2; line 110,96 110,124; polyline 110,100 117,100 117,120 110,120";
        // Pop: arms (-9.5, 10.5)-(-9.5, -4.5) and (9.5, 10.5)-(9.5, -4.5),
        // body (-2.5,-13.5) (2.5,-13.5) (7.5,-8.5) (7.5,4.5) (-7.5,4.5)
        // (-7.5,-8.5), about C10.5.
        QTest::newRow("opop") << turned("Opop", 0) << 1.0 << Black << White
                              << "pen 1; line 101,121 101,106; line 120,121 120,106; brush;"
                                 "polygon 108,97 113,97 118,102 118,115 103,115 103,102";
        QTest::newRow("dpop at 90") << turned("Dpop", 90) << 1.0 << Black << DefenseBlue
                                    << "pen 1; line 100,101 115,101; line 100,120 115,120; brush;"
                                       "polygon 124,108 124,113 119,118 106,118 106,103 119,103";
        QTest::newRow("dpop at 180") << turned("Dpop", 180) << 1.0 << Black << DefenseBlue
                                     << "pen 1; line 120,100 120,115; line 101,100 101,115; brush;"
                                        "polygon 113,124 108,124 103,119 103,106 118,106 118,119";
        // Chair: pen rnd(3z) for the arms, a 1-pixel pen for the head of
        // radius 6 at C10.5, both in the side colour.
        QTest::newRow("dchair") << turned("Dchair", 0) << 1.0 << DefenseBlue << DefenseBlue
                                << "pen 3; arc 100,93 120,113 101,106 120,106; pen 1; brush; ellipse 104,104 116,116";
        QTest::newRow("dchair at 90") << turned("Dchair", 90) << 1.0 << DefenseBlue << DefenseBlue
                                      << "pen 3; arc 108,100 128,120 115,101 115,120; pen 1; brush; ellipse 104,104 116,116";
    }
    void bodiesFollowTheirRules()
    {
        QFETCH(PartFields, symbol);
        QFETCH(double, zoom);
        QFETCH(int, stroke);
        QFETCH(int, fill);
        QFETCH(QString, figures);
        Scene scene;
        QImage expected = filled(sketchSize(zoom), Water);
        {
            Canvas canvas(expected);
            drawFigures(canvas, figures, stroke, fill);
        }
        QCOMPARE(drawn(symbol, zoom, scene.context), expected);
    }

    void sizeFactorScalesAboutTheCentre_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("width");
        QTest::newRow("50") << 50 << 11;
        QTest::newRow("100") << 100 << 21;
        QTest::newRow("150") << 150 << 32;
        QTest::newRow("out of range is 100") << 151 << 21;
        QTest::newRow("0 is 100") << 0 << 21;
    }
    void sizeFactorScalesAboutTheCentre()
    {
        QFETCH(int, size);
        QFETCH(int, width);
        Scene scene;
        PartFields circle = part("Dcircle", 100, 100);
        circle.y2 = qint16(size);
        const QRect ink = inkBox(drawn(circle, 1, scene.context));
        QVERIFY2(std::abs(ink.width() - width) <= 1, qPrintable(QString::number(ink.width())));
        QVERIFY(std::abs(QRectF(ink).center().x() - 110.5) <= 1);
        QVERIFY(std::abs(QRectF(ink).center().y() - 110.5) <= 1);
    }

    void facingLine_data()
    {
        QTest::addColumn<int>("arrow");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<bool>("ghost");
        QTest::addColumn<QRect>("lineArea"); // pixels of the line outside the body
        QTest::addColumn<int>("color");      // -1: no line
        QTest::newRow("up, with head") << 2 << 0 << false << QRect(108, 90, 6, 9) << Black;
        QTest::newRow("up, without head") << 3 << 0 << false << QRect(108, 90, 6, 9) << Black;
        QTest::newRow("right") << 2 << 90 << false << QRect(123, 108, 9, 6) << Black;
        QTest::newRow("ghost") << 2 << 0 << true << QRect(108, 90, 6, 9) << Silver;
        QTest::newRow("other arrows: none") << 1 << 0 << false << QRect(108, 90, 6, 9) << -1;
    }
    void facingLine()
    {
        QFETCH(int, arrow);
        QFETCH(int, rotation);
        QFETCH(bool, ghost);
        QFETCH(QRect, lineArea);
        QFETCH(int, color);
        Scene scene;
        PartFields player = part("Dcircle", 100, 100, 5);
        player.arrow = arrow;
        player.rotation = rotation;
        const QImage image = drawn(player, 1, scene.context, ghost);
        if (color < 0)
            QCOMPARE(countOf(image, lineArea, Water), lineArea.width() * lineArea.height());
        else
            QVERIFY(countOf(image, lineArea, color) >= 5);
    }

    // The facing line runs from the centre C11 to C11 + 21 (sin r, -cos r),
    // each end rounded in pixels after the zoom; the body is drawn over it.
    void facingLineEndsWhereTheZoomPutsIt_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("tip"); // rnd((x1 + 11 + 21 sin r) z), rnd((y1 + 11 - 21 cos r) z)
        QTest::addColumn<int>("pen");
        QTest::newRow("100, zoom 1") << 100 << 1.0 << QPoint(132, 115) << 1;
        QTest::newRow("100, zoom 2") << 100 << 2.0 << QPoint(263, 229) << 2;
        QTest::newRow("30, zoom 2") << 30 << 2.0 << QPoint(243, 186) << 2;
        QTest::newRow("250, zoom 2") << 250 << 2.0 << QPoint(183, 236) << 2;
        QTest::newRow("340, zoom 1.5") << 340 << 1.5 << QPoint(156, 137) << 2;
    }
    void facingLineEndsWhereTheZoomPutsIt()
    {
        QFETCH(int, rotation);
        QFETCH(double, zoom);
        QFETCH(QPoint, tip);
        QFETCH(int, pen);
        Scene scene;
        PartFields player = part("Dcircle", 100, 100, 14);
        player.rotation = rotation;
        QImage expected = filled(sketchSize(zoom), Water);
        {
            Canvas canvas(expected);
            canvas.setPen(Black, pen);
            canvas.line(rnd(111 * zoom), rnd(111 * zoom), tip.x(), tip.y());
            drawPart(canvas, player, zoom, false, scene.context);
        }
        player.arrow = 3;
        QCOMPARE(drawn(player, zoom, scene.context), expected);
    }

    void facingLineHeadOnlyWithArrow2()
    {
        Scene scene;
        PartFields player = part("Dcircle", 100, 100, 5);
        player.arrow = 2;
        const QImage withHead = drawn(player, 1, scene.context);
        player.arrow = 3;
        const QImage withoutHead = drawn(player, 1, scene.context);
        QVERIFY(countOf(withHead, QRect(100, 88, 22, 8), Black)
                > countOf(withoutHead, QRect(100, 88, 22, 8), Black) + 4);
    }

    void magnifiedPath_data()
    {
        QTest::addColumn<PartFields>("symbol");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<bool>("antiExp");
        QTest::addColumn<bool>("ghost");
        QTest::addColumn<bool>("smoothed");
        const auto pop = [](int rotation, int x2 = 0) {
            PartFields p = part("Dpop", 100, 100, 5);
            p.rotation = rotation;
            p.x2 = qint16(x2);
            return p;
        };
        QTest::newRow("pop at 45") << pop(45) << 1.0 << true << false << true;
        QTest::newRow("pop at 45, zoom 2") << pop(45) << 2.0 << true << false << true;
        QTest::newRow("pop at 45, zoom 0.88") << pop(45) << 0.88 << true << false << true;
        QTest::newRow("pop at 90") << pop(90) << 1.0 << true << false << false;
        QTest::newRow("pop at 2 of the axis") << pop(272) << 1.0 << true << false << false;
        QTest::newRow("pop at 3 of the axis") << pop(273) << 1.0 << true << false << true;
        QTest::newRow("pop at 45 without Antiexp") << pop(45) << 1.0 << false << false << false;
        QTest::newRow("pop at 45, never magnified") << pop(45, -1) << 1.0 << true << false << false;
        QTest::newRow("pop at 45, zoom 0.75") << pop(45) << 0.75 << true << false << false;
        QTest::newRow("pop at 45, zoom 2.5") << pop(45) << 2.5 << true << false << false;
        QTest::newRow("ghost pop at 45") << pop(45) << 1.0 << true << true << false;
        QTest::newRow("chair") << part("Ochair", 100, 100, 14) << 1.0 << true << false << true;
        QTest::newRow("goal") << part("Goal", 100, 100) << 1.0 << true << false << true;
        QTest::newRow("pylon") << part("Pylon", 100, 100, 1) << 1.0 << true << false << true;
        QTest::newRow("circle") << part("Circle", 100, 100, 14) << 1.0 << true << false << false;
    }
    void magnifiedPath()
    {
        QFETCH(PartFields, symbol);
        QFETCH(double, zoom);
        QFETCH(bool, antiExp);
        QFETCH(bool, ghost);
        QFETCH(bool, smoothed);
        Scene scene;
        scene.context.antiExp = antiExp;
        symbol.color = Red;
        const QImage image = drawn(symbol, zoom, scene.context, ghost);
        const int blends = blendedPixels(image, {Water, Black, Red, White, Silver});
        QCOMPARE(blends > 10, smoothed);
    }

    void magnifiedSymbolsOffWhileSupersampling()
    {
        Scene scene;
        scene.context.antiExp = true;
        scene.context.magnifiedSymbols = false;
        PartFields goal = part("Goal", 100, 100);
        QCOMPARE(blendedPixels(drawn(goal, 1, scene.context), {Water, Black}), 0);
    }

    // Near every edge and corner, at zoom 1 and 2: pixels the symbol does not
    // touch keep the background exactly where it was.
    void magnifiedKeepsTheBackgroundInPlace_data()
    {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<double>("zoom");
        const QList<QPoint> places{{5, 5},     {140, 5},   {280, 5},    {5, 180},  {280, 180},
                                   {5, 350},   {140, 350}, {280, 350},  {250, 320}, {-10, -10},
                                   {290, 370}, {-100, 50}, {140, 500}};
        for (const double zoom : {1.0, 2.0}) {
            for (const QPoint &p : places)
                QTest::addRow("(%d,%d) at %g", p.x(), p.y(), zoom) << p << zoom;
        }
    }
    void magnifiedKeepsTheBackgroundInPlace()
    {
        QFETCH(QPoint, position);
        QFETCH(double, zoom);
        Scene scene;
        scene.context.antiExp = true;
        PartFields goal = part("Goal", position.x(), position.y());
        goal.rotation = 30;

        // Where the symbol leaves a mark, shown on a plain background.
        const QImage plain = drawn(goal, zoom, scene.context);
        const QImage background = patterned(sketchSize(zoom));
        QImage image = background;
        {
            Canvas canvas(image);
            drawPart(canvas, goal, zoom, false, scene.context);
        }
        int marked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (colorAt(plain, x, y) != Water) {
                    ++marked;
                    continue;
                }
                if (image.pixel(x, y) != background.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("background changed at (%1,%2)").arg(x).arg(y)));
            }
        }
        const bool visible = QRect(QPoint(0, 0), QSize(SketchWidth, SketchHeight))
                                 .intersects(QRect(position, QSize(22, 22)));
        QCOMPARE(marked > 0, visible);
        if (visible)
            QVERIFY(blendedPixels(plain, {Water, Black}) > 0);
    }

    // A picture that cannot be made draws the symbol directly.
    void magnifiedFallsBackToDirectDrawing()
    {
        Scene scene;
        PartFields goal = part("Goal", -10, -10);
        QImage magnified = filled({300, 300}, Water);
        {
            Canvas canvas(magnified);
            canvas.setPen(Black, 1);
            draw_magnified(canvas, goal, 200, 4, scene.context); // a side of 48000
        }
        goal.x2 = -1;
        const QImage direct = drawn(goal, 200, scene.context, false, {300, 300});
        QVERIFY(!inkBox(direct).isEmpty());
        QCOMPARE(magnified, direct);
    }

    void textBox_data()
    {
        QTest::addColumn<bool>("greyMode");
        QTest::addColumn<bool>("ghost");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("text");
        QTest::addColumn<int>("fill");
        QTest::newRow("colours") << false << false << rgb(0, 0, 200) << Red << rgb(255, 255, 200);
        QTest::newRow("grey") << true << false << grey(rgb(0, 0, 200)) << grey(Red)
                              << grey(rgb(255, 255, 200));
        QTest::newRow("ghost") << false << true << rgb(128, 128, 128) << Silver << Water;
    }
    // Two lines stay two lines, and the box doubles with the zoom.
    void textBox()
    {
        QFETCH(bool, greyMode);
        QFETCH(bool, ghost);
        QFETCH(int, frame);
        QFETCH(int, text);
        QFETCH(int, fill);
        Scene scene;
        scene.context.grey = greyMode;
        PartFields box = part("Text", 40, 50, 0);
        box.tekst = QStringLiteral("Top line\r\nBottom");
        box.fontname = QStringLiteral("Arial");
        box.thickness = 10;
        box.color = Red;
        box.color2 = rgb(0, 0, 200);
        box.extra4 = QString::number(rgb(255, 255, 200));

        QList<QRect> frames;
        for (const double zoom : {1.0, 2.0}) {
            const QImage image = drawn(box, zoom, scene.context, ghost);
            const QRect frameBox = boxOf(image, [frame](int, int, int c) { return c == frame; });
            QVERIFY(!frameBox.isEmpty());
            frames.append(frameBox);
            QCOMPARE(colorAt(image, frameBox.left() + rnd(2 * zoom), frameBox.bottom() - rnd(2 * zoom)),
                     fill);

            // Rows with text ink, grouped: a gap between the two lines.
            QList<int> rows;
            for (int y = frameBox.top(); y <= frameBox.bottom(); ++y) {
                if (countOf(image, QRect(frameBox.left() + 1, y, frameBox.width() - 2, 1), text) > 0)
                    rows.append(y);
            }
            QVERIFY(!rows.isEmpty());
            int groups = 1;
            for (int i = 1; i < rows.size(); ++i)
                groups += rows.at(i) > rows.at(i - 1) + 1;
            QCOMPARE(groups, 2);
        }
        QVERIFY(std::abs(frames.at(1).width() - 2 * frames.at(0).width()) <= 2);
        QVERIFY(std::abs(frames.at(1).height() - 2 * frames.at(0).height()) <= 2);
        QCOMPARE(frames.at(0).topLeft(), QPoint(37, 47));
        // The two-pixel frame straddles the box's edge.
        QCOMPARE(frames.at(1).topLeft(), QPoint(73, 93));
    }

    void textBoxWithoutFrameOrFill()
    {
        Scene scene;
        PartFields box = part("Text", 40, 50, 0);
        box.tekst = QStringLiteral("Plain");
        box.thickness = 10;
        box.color = Red;
        box.color2 = -1;
        box.transparent = 1;
        const QImage image = drawn(box, 1, scene.context);
        const QRect ink = inkBox(image);
        QCOMPARE(blendedPixels(image, {Water, Red}), 0);
        QVERIFY(ink.left() >= 40 && ink.top() >= 50);
    }

    // At other zooms a text takes the largest size (counting up from one
    // point) whose widest line stays narrower than the box, rnd(W z): the
    // same size whichever way it is found, up to the zooms of supersampling.
    // Each line starts at rnd(x1 z), rnd(y1 z + k), k growing by
    // |rnd(1.1 font height)|.
    void zoomedTextTakesTheLargestSizeThatStaysInTheBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("style");
        QTest::addColumn<double>("zoom");
        const QString twoLines = QStringLiteral("Drive left,\r\npass to 4");
        for (const double zoom : {0.75, 1.5, 2.0, 3.0, 16.0, 32.0})
            QTest::addRow("two lines at %g", zoom) << twoLines << 10 << 0 << zoom;
        QTest::newRow("bold, 14 points, zoom 2") << twoLines << 14 << 1 << 2.0;
        QTest::newRow("italic, 8 points, zoom 16") << QStringLiteral("Wall!") << 8 << 2 << 16.0;
        QTest::newRow("one letter, zoom 0.75") << QStringLiteral("x") << 10 << 0 << 0.75;
    }
    void zoomedTextTakesTheLargestSizeThatStaysInTheBox()
    {
        QFETCH(QString, text);
        QFETCH(int, points);
        QFETCH(int, style);
        QFETCH(double, zoom);
        Scene scene;
        PartFields box = part("Text", 10, 10, 0);
        box.tekst = text;
        box.fontname = QStringLiteral("Arial");
        box.thickness = points;
        box.arrow = style;
        box.color = Red;
        box.color2 = -1;
        box.transparent = 1;
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        const auto fontOf = [&](int size) {
            CanvasFont font;
            font.pointSize = size;
            font.bold = style & 1;
            font.italic = style & 2;
            return font;
        };

        // Only the text's corner of the sketch is made: a band of the whole.
        const QSize whole(rnd(SketchWidth * zoom), rnd(SketchHeight * zoom));
        const QSize corner(std::min(whole.width(), rnd(160 * zoom)), std::min(whole.height(), rnd(60 * zoom)));
        QImage expected = filled(corner, Water);
        {
            Canvas canvas(expected, whole, {});
            canvas.setFont(fontOf(points));
            int width = 0;
            QString widest;
            for (const QString &line : lines) {
                if (canvas.textExtent(line).width() > width) {
                    width = canvas.textExtent(line).width();
                    widest = line;
                }
            }
            int size = 1;
            for (;; ++size) {
                canvas.setFont(fontOf(size));
                if (canvas.textExtent(widest).width() >= rnd(width * zoom))
                    break;
            }
            canvas.setFont(fontOf(std::max(size - 1, 1)));
            canvas.setTextColor(Red);
            const int step = std::abs(rnd(1.1 * canvas.fontHeight()));
            for (int k = 0; k < lines.size(); ++k)
                canvas.textOut(rnd(10 * zoom), rnd(10 * zoom + k * step), lines.at(k));
        }
        QImage actual = filled(corner, Water);
        {
            Canvas canvas(actual, whole, {});
            drawPart(canvas, box, zoom, false, scene.context);
        }
        QCOMPARE(actual, expected);
    }

    void halveImageSizes_data()
    {
        QTest::addColumn<QSize>("source");
        QTest::addColumn<int>("factor");
        QTest::addColumn<QSize>("result"); // empty: nothing left
        QTest::newRow("even by 2") << QSize(8, 6) << 2 << QSize(4, 3);
        QTest::newRow("odd by 2") << QSize(9, 7) << 2 << QSize(4, 3);
        QTest::newRow("sketch by 2") << QSize(579, 723) << 2 << QSize(289, 361);
        QTest::newRow("odd by 4") << QSize(17, 15) << 4 << QSize(4, 3);
        QTest::newRow("by 8") << QSize(33, 65) << 8 << QSize(4, 8);
        QTest::newRow("one pixel") << QSize(1, 1) << 2 << QSize();
        QTest::newRow("too thin for 8") << QSize(100, 7) << 8 << QSize();
        QTest::newRow("factor 1 keeps it") << QSize(5, 3) << 1 << QSize(5, 3);
    }
    void halveImageSizes()
    {
        QFETCH(QSize, source);
        QFETCH(int, factor);
        QFETCH(QSize, result);
        QImage image(source, QImage::Format_RGB32);
        image.fill(Qt::gray);
        const QImage halved = halve_image(image, factor);
        QCOMPARE(halved.size(), result.isEmpty() ? QSize(0, 0) : result);
    }

    void halveImageMeans_data()
    {
        QTest::addColumn<QList<int>>("block"); // one channel, 2 x 2
        QTest::addColumn<int>("mean");
        QTest::newRow("whole") << QList<int>{4, 4, 8, 8} << 6;
        QTest::newRow("quarter down") << QList<int>{0, 0, 0, 1} << 0;
        QTest::newRow("three quarters up") << QList<int>{0, 1, 1, 1} << 1;
        QTest::newRow("half to even, down") << QList<int>{2, 2, 3, 3} << 2;
        QTest::newRow("half to even, up") << QList<int>{1, 1, 2, 2} << 2;
        QTest::newRow("extremes") << QList<int>{255, 255, 255, 254} << 255;
    }
    void halveImageMeans()
    {
        QFETCH(QList<int>, block);
        QFETCH(int, mean);
        QImage image(2, 2, QImage::Format_RGB32);
        for (int i = 0; i < 4; ++i)
            image.setPixel(i % 2, i / 2, qRgb(block.at(i), 255 - block.at(i), block.at(i)));
        const QImage halved = halve_image(image, 2);
        QCOMPARE(halved.size(), QSize(1, 1));
        QCOMPARE(qRed(halved.pixel(0, 0)), mean);
        QCOMPARE(qBlue(halved.pixel(0, 0)), mean);
        // 255 - x: the other rounding direction on the same halves.
        const int sum = 4 * 255 - (block.at(0) + block.at(1) + block.at(2) + block.at(3));
        QCOMPARE(qGreen(halved.pixel(0, 0)), rnd(sum / 4.0));
    }

    void halveImageByFourIsTwoSteps()
    {
        QImage image(19, 13, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, random.generate() | 0xff000000u);
        }
        QCOMPARE(halve_image(image, 4), halve_image(halve_image(image, 2), 2));
        const QImage eighth = halve_image(image, 8); // 19 x 13 -> 9 x 6 -> 4 x 3 -> 2 x 1
        QCOMPARE(eighth, halve_image(halve_image(halve_image(image, 2), 2), 2));
        QCOMPARE(eighth.size(), QSize(2, 1));
    }

    void bandsGiveTheSamePixels_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<bool>("magnified");
        for (const double zoom : {0.75, 1.0, 2.0}) {
            QTest::addRow("zoom %g", zoom) << zoom << false;
            QTest::addRow("zoom %g, magnified symbols", zoom) << zoom << true;
        }
    }
    void bandsGiveTheSamePixels()
    {
        QFETCH(double, zoom);
        QFETCH(bool, magnified);
        Scene scene;
        scene.context.antiExp = magnified;
        const QList<PartFields> parts = textFreeScene();
        const QSize size = sketchSize(zoom);
        const auto draw = [&](Canvas &canvas) { drawScene(canvas, parts, zoom, scene.context); };
        QImage whole = filled(size, Water);
        {
            Canvas canvas(whole);
            draw(canvas);
        }
        QCOMPARE(inBands(size, Water, 7, draw), whole);
        QCOMPARE(inBands(size, Water, 64, draw), whole);
    }

    void goldenScenes_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<bool>("greyMode");
        QTest::addColumn<QString>("name");
        QTest::newRow("zoom 1") << 1.0 << false << "symbols-1";
        QTest::newRow("zoom 2") << 2.0 << false << "symbols-2";
        QTest::newRow("grey, zoom 1") << 1.0 << true << "symbols-grey-1";
    }
    void goldenScenes()
    {
        QFETCH(double, zoom);
        QFETCH(bool, greyMode);
        QFETCH(QString, name);
        Scene scene;
        scene.context.grey = greyMode;
        QImage image = filled(sketchSize(zoom), Water);
        {
            Canvas canvas(image);
            drawScene(canvas, textFreeScene(), zoom, scene.context);
        }
        QString message;
        QVERIFY2(matchesGolden(image, name, &message), qPrintable(message));
    }

    void goldenMagnifiedScene()
    {
        Scene scene;
        scene.context.antiExp = true;
        QImage image = filled(sketchSize(1), Water);
        {
            Canvas canvas(image);
            drawScene(canvas, textFreeScene(), 1, scene.context);
        }
        QString message;
        QVERIFY2(matchesGolden(image, QStringLiteral("symbols-magnified-1"), &message),
                 qPrintable(message));
    }

    // --- palette pictures -----------------------------------------------------------

    void palettePictures_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("antialiased");
        QTest::newRow("circle 5") << "Circle" << 5 << false;
        QTest::newRow("goalkeeper") << "Dcircle" << 1 << false;
        QTest::newRow("pop 12") << "Opop" << 12 << false;
        QTest::newRow("ballf") << "Ballf" << 1 << false;
        QTest::newRow("goal") << "Goal" << 1 << false;
        QTest::newRow("pylon small") << "Pylon" << 3 << false;
        QTest::newRow("rack") << "Rack" << 3 << false;
        QTest::newRow("chair") << "Ochair" << 7 << true;
        QTest::newRow("pass") << "ppass" << 0 << false;
    }
    void palettePictures()
    {
        QFETCH(QString, type);
        QFETCH(int, number);
        QFETCH(bool, antialiased);
        RenderedSymbolDrawer drawer;
        const QImage picture = SymbolPictures::draw(drawer, type, number);
        QCOMPARE(picture.size(), QSize(SymbolPictures::Width, SymbolPictures::Height));
        QVERIFY(!SymbolPictures::isPlaceholder(picture));

        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        int black = 0, white = 0, between = 0;
        for (int y = 0; y < rgb.height(); ++y) {
            for (int x = 0; x < rgb.width(); ++x) {
                const int g = qGray(rgb.pixel(x, y));
                black += g < 40;
                white += g > 215;
                between += g >= 40 && g <= 215;
            }
        }
        QVERIFY2(black >= 15, "too little drawn");
        QVERIFY2(white >= rgb.width() * rgb.height() / 2, "picture mostly ink");
        QCOMPARE(between > 0, antialiased);
        // Nothing runs off the picture's edges.
        const QRect ink = boxOf(rgb, [](int, int, int c) { return qGray(toQRgb(c)) < 128; });
        QVERIFY(ink.left() > 0 && ink.top() > 0 && ink.right() < rgb.width() - 1
                && ink.bottom() < rgb.height() - 1);
    }

    void placeholderPicturesAreRedrawn()
    {
        PlaceholderProbe probe;
        QList<GraphRow> rows;
        for (const SymbolPictures::Symbol &symbol : SymbolPictures::standard()) {
            if (symbol.type != QLatin1String("Court"))
                rows.append({symbol.number, symbol.type, SymbolPictures::draw(probe, symbol.type, symbol.number)});
        }
        RenderedSymbolDrawer drawer;
        QCOMPARE(SymbolPictures::redrawPlaceholders(rows, drawer), int(rows.size()));
        for (const GraphRow &row : rows)
            QVERIFY(!SymbolPictures::isPlaceholder(row.Graphic));
    }

private:
    class PlaceholderProbe : public SymbolDrawer {
    public:
        void drawSymbol(QImage &, const QString &, int, int, int, double, bool) override {}
        bool isPlaceholder() const override { return true; }
    };
};

QTEST_MAIN(TestSymbols)
#include "tst_symbols.moc"
