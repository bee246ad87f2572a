#include "sketchparts.h"
#include "render/renderer.h"

#include <QTest>

#include <algorithm>

namespace {


// Settings and tables the line routines read (only grey mode, here).
struct Scene {
    Tables tables;
    DataModule data{tables};
    RenderContext context{data, QString()};
};

QImage whitePicture(int width = 200, int height = 160)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

PartFields segment(const QString &type, int x1, int y1, int x2, int y2, int arrow = 0)
{
    PartFields part;
    part.Type = type;
    part.x1 = qint16(x1);
    part.y1 = qint16(y1);
    part.x2 = qint16(x2);
    part.y2 = qint16(y2);
    part.arrow = arrow;
    part.level = 6000;
    return part;
}

// Draws a straight segment the way the symbol renderer does: its body, and
// for an end form its end mark.
QImage drawSegment(const PartFields &part, double zoom = 1, Scene *scene = nullptr)
{
    Scene own;
    RenderContext &context = scene ? scene->context : own.context;
    QImage picture = whitePicture();
    Canvas canvas(picture);
    drawLineSegment(canvas, part, zoom, false, true, context);
    if (is_line_end(part.Type))
        drawLineSegment(canvas, part, zoom, false, false, context);
    return picture;
}

QList<QPoint> inkedPixels(const QImage &picture)
{
    QList<QPoint> inked;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (colorAt(picture, x, y) != White)
                inked.append({x, y});
        }
    }
    return inked;
}

// One row of the picture from x0 to x1 as '#' (inked) and '.' (white).
QString rowPattern(const QImage &picture, int y, int x0, int x1)
{
    QString pattern;
    for (int x = x0; x <= x1; ++x)
        pattern += colorAt(picture, x, y) == White ? u'.' : u'#';
    return pattern;
}

// Three segments of a curved run and the point list getimage makes of them.
QList<QPointF> curvePointList(const QList<QPointF> &corners)
{
    QList<QPointF> points{2 * corners.first() - corners.at(1)};
    points += corners;
    points.append(2 * corners.last() - corners.at(corners.size() - 2));
    return points;
}

} // namespace

class TestLines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void straightPassDashes_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("pattern");
        // w = 3: a first dash of 4.5 pixels, then the rest solid when no
        // gap fits; the last pixel of a line is left out.
        QTest::newRow("10 px: first dash and solid rest") << 10 << "##########.";
        QTest::newRow("5 px: solid") << 5 << "#####.";
        QTest::newRow("40 px: dashes, gaps, solid end")
            << 40 << "####.....#####....####.....#############.";
    }
    void straightPassDashes()
    {
        QFETCH(int, length);
        QFETCH(QString, pattern);
        const QImage picture = drawSegment(segment("pass", 10, 50, 10 + length, 50));
        QCOMPARE(rowPattern(picture, 50, 10, 10 + length), pattern);
        QCOMPARE(inkedPixels(picture).size(), pattern.count(u'#'));
    }

    void endMarks_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("arrow");
        QTest::addColumn<bool>("marked");
        QTest::newRow("ppass with head") << "ppass" << 0 << true;
        QTest::newRow("ppass arrow 1: no head") << "ppass" << 1 << false;
        QTest::newRow("ploop with head") << "ploop" << 0 << true;
        QTest::newRow("pdribbel with head") << "pdribbel" << 0 << true;
        QTest::newRow("pscreen with bar") << "pscreen" << 0 << true;
        QTest::newRow("pscreen arrow 2: no bar") << "pscreen" << 2 << false;
        QTest::newRow("pass is no end form") << "pass" << 0 << false;
    }
    void endMarks()
    {
        QFETCH(QString, type);
        QFETCH(int, arrow);
        QFETCH(bool, marked);
        const QImage picture = drawSegment(segment(type, 20, 50, 80, 50, arrow));
        // Only the end mark leaves the band the body can reach (a dribble's
        // waves stay within 2 pixels of its axis).
        bool offAxis = false;
        for (const QPoint &p : inkedPixels(picture))
            offAxis = offAxis || std::abs(p.y() - 50) > 2;
        QCOMPARE(offAxis, marked);
    }

    void screenBarIs14PixelsAtZoom1()
    {
        const QImage picture = drawSegment(segment("pscreen", 20, 50, 60, 50));
        QString column;
        for (int y = 40; y <= 60; ++y)
            column += colorAt(picture, 60, y) == White ? u'.' : u'#';
        QCOMPARE(column, QStringLiteral("...##############...."));
        QCOMPARE(rowPattern(picture, 50, 20, 61), QString(41, u'#') + u'.');
    }

    void arrowheadPointsAlongTheLine_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("up") << QPoint(50, 80) << QPoint(50, 40);
        QTest::newRow("down") << QPoint(50, 40) << QPoint(50, 80);
        QTest::newRow("left") << QPoint(120, 60) << QPoint(60, 60);
        QTest::newRow("right") << QPoint(60, 60) << QPoint(120, 60);
        QTest::newRow("up and left") << QPoint(120, 120) << QPoint(80, 80);
        QTest::newRow("down and left") << QPoint(120, 40) << QPoint(80, 80);
    }
    void arrowheadPointsAlongTheLine()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        const QImage picture = drawSegment(segment("ploop", from.x(), from.y(), to.x(), to.y()));
        const QPointF d = QPointF(to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
        const QPointF normal(-d.y(), d.x());
        // The tip is the furthest pixel along the line, and the head opens
        // to both sides behind it.
        QVERIFY(colorAt(picture, to.x(), to.y()) == Black);
        bool leftWing = false, rightWing = false;
        for (const QPoint &p : inkedPixels(picture)) {
            const QPointF r = QPointF(p - to);
            QVERIFY2(QPointF::dotProduct(r, d) <= 0.01, qPrintable(QStringLiteral("pixel %1,%2 beyond the tip").arg(p.x()).arg(p.y())));
            const double across = QPointF::dotProduct(r, normal);
            leftWing = leftWing || across >= 2;
            rightWing = rightWing || across <= -2;
        }
        QVERIFY(leftWing);
        QVERIFY(rightWing);
    }

    // The head is two strokes of rnd(7z) pixels from the tip at 30 degrees
    // either side of the way back; their far ends (worked out by hand from
    // the rule, rounded) pin length and angle.
    void arrowheadLengthAndAngle_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("wing1");
        QTest::addColumn<QPoint>("wing2");
        QTest::newRow("right") << QPoint(60, 60) << QPoint(120, 60) << 1.0 << QPoint(114, 56) << QPoint(114, 64);
        QTest::newRow("up") << QPoint(50, 80) << QPoint(50, 40) << 1.0 << QPoint(46, 46) << QPoint(54, 46);
        QTest::newRow("right, zoom 2") << QPoint(60, 60) << QPoint(120, 60) << 2.0 << QPoint(228, 113) << QPoint(228, 127);
        QTest::newRow("down and left") << QPoint(120, 40) << QPoint(80, 80) << 1.0 << QPoint(87, 78) << QPoint(82, 73);
        QTest::newRow("shallow down right") << QPoint(20, 30) << QPoint(150, 100) << 1.0 << QPoint(146, 94) << QPoint(143, 100);
        QTest::newRow("zoom 1.5") << QPoint(20, 30) << QPoint(90, 100) << 1.5 << QPoint(132, 140) << QPoint(125, 147);
    }
    void arrowheadLengthAndAngle()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(double, zoom);
        QFETCH(QPoint, wing1);
        QFETCH(QPoint, wing2);
        Scene scene;
        const PartFields swim = segment("ploop", from.x(), from.y(), to.x(), to.y());
        QImage picture = whitePicture(300, 200);
        {
            Canvas canvas(picture);
            drawLineSegment(canvas, swim, zoom, false, true, scene.context);
            drawLineSegment(canvas, swim, zoom, false, false, scene.context);
        }
        QImage expected = whitePicture(300, 200);
        {
            Canvas canvas(expected);
            const QPoint a(rnd(from.x() * zoom), rnd(from.y() * zoom));
            const QPoint tip(rnd(to.x() * zoom), rnd(to.y() * zoom));
            canvas.line(a.x(), a.y(), tip.x(), tip.y());
            canvas.line(tip.x(), tip.y(), wing1.x(), wing1.y());
            canvas.line(tip.x(), tip.y(), wing2.x(), wing2.y());
        }
        QCOMPARE(picture, expected);
    }

    // A straight dribble to the right from (40, 50): four pixels straight,
    // then half circles of radius 2 centred every 4 pixels from x = 46,
    // above and below in turn, a pair at a time while the covered length
    // allows, then straight on from half a step past the last centre. The
    // crests show in the rows 48 (above) and 52 (below).
    void dribbleArcs_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QList<int>>("above");
        QTest::addColumn<QList<int>>("below");
        QTest::addColumn<int>("tail"); // where the straight end starts
        QTest::newRow("20 px: one pair") << 20 << QList<int>{46} << QList<int>{50} << 52;
        QTest::newRow("30 px: two pairs") << 30 << QList<int>{46, 54} << QList<int>{50, 58} << 60;
        QTest::newRow("44 px: four pairs") << 44 << QList<int>{46, 54, 62, 70} << QList<int>{50, 58, 66, 74} << 76;
        QTest::newRow("60 px: six pairs") << 60 << QList<int>{46, 54, 62, 70, 78, 86}
                                          << QList<int>{50, 58, 66, 74, 82, 90} << 92;
    }
    void dribbleArcs()
    {
        QFETCH(int, length);
        QFETCH(QList<int>, above);
        QFETCH(QList<int>, below);
        QFETCH(int, tail);
        const int end = 40 + length;
        const QImage picture = drawSegment(segment("dribbel", 40, 50, end, 50));
        const auto crests = [&](const QList<int> &centres) {
            QString row;
            for (int x = 38; x <= end + 1; ++x) {
                const bool crest = std::any_of(centres.cbegin(), centres.cend(),
                                               [x](int c) { return std::abs(x - c) <= 1; });
                row += crest ? u'#' : u'.';
            }
            return row;
        };
        QCOMPARE(rowPattern(picture, 48, 38, end + 1), crests(above));
        QCOMPARE(rowPattern(picture, 52, 38, end + 1), crests(below));
        QCOMPARE(rowPattern(picture, 47, 38, end + 1), QString(end - 36, u'.'));
        QCOMPARE(rowPattern(picture, 53, 38, end + 1), QString(end - 36, u'.'));
        QCOMPARE(rowPattern(picture, 50, 38, 44), QStringLiteral("..####."));
        QCOMPARE(rowPattern(picture, 50, tail, end), QString(end - tail, u'#') + u'.');
    }

    void fastAndBackLeaveNothing_data()
    {
        QTest::addColumn<QString>("type");
        for (const char *type : {"fast", "pfast", "back", "pback"})
            QTest::newRow(type) << QString::fromLatin1(type);
    }
    void fastAndBackLeaveNothing()
    {
        QFETCH(QString, type);
        QVERIFY(inkedPixels(drawSegment(segment(type, 20, 50, 120, 90))).isEmpty());

        Scene scene;
        QImage picture = whitePicture();
        Canvas canvas(picture);
        draw_curve(canvas, line_end_code(type),
                   curvePointList({{20, 100}, {60, 60}, {100, 100}}), false, 1, Black, 0, 1, 1,
                   scene.context);
        QVERIFY(inkedPixels(picture).isEmpty());
    }

    void curvedRunEndsOnItsPointsWithTheHeadOnTheLastSegment_data()
    {
        QTest::addColumn<QString>("endCode");
        QTest::newRow("ploop") << "ploop";
        QTest::newRow("ppass") << "ppass";
        QTest::newRow("pdribbel") << "pdribbel";
    }
    void curvedRunEndsOnItsPointsWithTheHeadOnTheLastSegment()
    {
        QFETCH(QString, endCode);
        const QList<QPointF> corners{{20, 100}, {60, 60}, {100, 100}, {140, 60}};
        const QList<QPointF> points = curvePointList(corners);
        Scene scene;
        const auto draw = [&](int arrow) {
            QImage picture = whitePicture();
            Canvas canvas(picture);
            draw_curve(canvas, endCode, points, false, 1, Black, arrow, 1, 1, scene.context);
            return picture;
        };
        const QImage plain = draw(1);
        const QList<QPoint> inked = inkedPixels(plain);
        QVERIFY(!inked.isEmpty());
        // Exactly from the first point to the last (its own pixel left out,
        // as every line leaves out its last pixel).
        QCOMPARE(colorAt(plain, 20, 100), Black);
        QCOMPARE(colorAt(plain, 140, 60), White);
        int minX = 1000, maxX = -1;
        for (const QPoint &p : inked) {
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
        }
        QCOMPARE(minX, 20);
        QCOMPARE(maxX, 139);
        QVERIFY(colorAt(plain, 139, 61) == Black || colorAt(plain, 139, 60) == Black
                || colorAt(plain, 140, 61) == Black);

        // With its end mark: the same curve plus exactly the arrowhead of the
        // last stored segment.
        QImage head = whitePicture();
        {
            Canvas canvas(head);
            canvas.setPen(Black, 1);
            arrowhead(canvas, corners.at(2), corners.at(3), 1);
        }
        const QImage marked = draw(0);
        for (int y = 0; y < marked.height(); ++y) {
            for (int x = 0; x < marked.width(); ++x) {
                const bool expected = colorAt(plain, x, y) == Black || colorAt(head, x, y) == Black;
                QCOMPARE(colorAt(marked, x, y) == Black, expected);
            }
        }
    }

    void straightShotIsTwoLinesWithTheHeadBeyondTheEnd()
    {
        Scene scene;
        QImage picture = whitePicture();
        Canvas canvas(picture);
        draw_curve(canvas, "pshot", curvePointList({{20, 50}, {80, 50}}), false, 1, Black, 0, 0, 1,
                   scene.context);
        // Two lines a pixel either side of the axis (3 pixels from edge to
        // edge), nothing on the axis until the head.
        QCOMPARE(rowPattern(picture, 49, 20, 79), QString(60, u'#'));
        QCOMPARE(rowPattern(picture, 51, 20, 79), QString(60, u'#'));
        QCOMPARE(rowPattern(picture, 50, 15, 76), QString(62, u'.'));
        for (const int y : {47, 48, 52, 53})
            QCOMPARE(rowPattern(picture, y, 15, 76), QString(62, u'.'));
        // Tip at 80 + 2.98, rounded.
        QCOMPARE(colorAt(picture, 83, 50), Black);
        QCOMPARE(colorAt(picture, 84, 50), White);
        QVERIFY(rowPattern(picture, 47, 77, 81).contains(u'#'));
        QVERIFY(rowPattern(picture, 53, 77, 81).contains(u'#'));
    }

    void curvedShotHasTwoSides()
    {
        Scene scene;
        QImage picture = whitePicture();
        Canvas canvas(picture);
        draw_curve(canvas, "pshot", curvePointList({{20, 50}, {100, 50}, {180, 50}}), false, 1,
                   Black, 1, 1, 1, scene.context);
        // Along a straight run the two curves are the straight shot's lines.
        QCOMPARE(rowPattern(picture, 49, 25, 175), QString(151, u'#'));
        QCOMPARE(rowPattern(picture, 51, 25, 175), QString(151, u'#'));
        QCOMPARE(rowPattern(picture, 50, 25, 175), QString(151, u'.'));
    }

    void dribbleWaves_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("waves");
        QTest::newRow("4 px: straight") << 4 << false;
        QTest::newRow("60 px: waves") << 60 << true;
    }
    void dribbleWaves()
    {
        QFETCH(int, length);
        QFETCH(bool, waves);
        const QImage picture = drawSegment(segment("dribbel", 20, 50, 20 + length, 50));
        int above = 0, below = 0;
        for (const QPoint &p : inkedPixels(picture)) {
            above += p.y() < 50;
            below += p.y() > 50;
            QVERIFY(std::abs(p.y() - 50) <= 3);
        }
        QCOMPARE(above > 0, waves);
        QCOMPARE(below > 0, waves);
        // The start is straight for 4 pixels.
        QCOMPARE(rowPattern(picture, 50, 20, 23), QStringLiteral("####"));
    }

    // Dash widths, arc steps and curve step counts stay at least a pixel and
    // a step, so every kind finishes at tiny zooms.
    void tinyZoomsFinish_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("zoom");
        for (const char *type : {"ploop", "ppass", "pdribbel", "pscreen", "pshot"}) {
            for (const double zoom : {0.1, 0.01, 1e-6}) {
                QTest::addRow("%s at %g", type, zoom) << QString::fromLatin1(type) << zoom;
            }
        }
    }
    void tinyZoomsFinish()
    {
        QFETCH(QString, type);
        QFETCH(double, zoom);
        Scene scene;
        QImage picture = whitePicture();
        Canvas canvas(picture);
        PartFields part = segment(type, 20, 50, 280, 300);
        drawLineSegment(canvas, part, zoom, false, true, scene.context);
        drawLineSegment(canvas, part, zoom, false, false, scene.context);
        for (const int rotation : {0, 1})
            draw_curve(canvas, type, curvePointList({{20, 50}, {280, 300}, {20, 300}}), false, zoom,
                       Black, 0, rotation, 1, scene.context);
        QVERIFY(colorAt(picture, 150, 150) == White);
    }

    void penFollowsGhostGreyAndThickness_data()
    {
        QTest::addColumn<bool>("ghost");
        QTest::addColumn<bool>("grey");
        QTest::addColumn<int>("thickness");
        QTest::addColumn<int>("expectedColor");
        QTest::addColumn<int>("width");
        const int red = rgb(255, 0, 0);
        QTest::newRow("own colour") << false << false << 0 << red << 2;
        QTest::newRow("thickness 3") << false << false << 3 << red << 6;
        QTest::newRow("grey mode") << false << true << 1 << rgb(85, 85, 85) << 2;
        QTest::newRow("ghost") << true << false << 1 << Silver << 2;
        QTest::newRow("ghost in grey mode") << true << true << 1 << Silver << 2;
    }
    void penFollowsGhostGreyAndThickness()
    {
        QFETCH(bool, ghost);
        QFETCH(bool, grey);
        QFETCH(int, thickness);
        QFETCH(int, expectedColor);
        QFETCH(int, width);
        Scene scene;
        scene.context.grey = grey;
        QImage picture = whitePicture();
        Canvas canvas(picture);
        canvas.setPenWidth(2); // the caller's base width
        PartFields part = segment("loop", 20, 50, 120, 50);
        part.color = rgb(255, 0, 0);
        part.thickness = thickness;
        drawLineSegment(canvas, part, 1, ghost, true, scene.context);
        QCOMPARE(canvas.penWidth(), 2);
        QCOMPARE(colorAt(picture, 70, 50), expectedColor);
        int inked = 0;
        for (int y = 40; y <= 60; ++y)
            inked += colorAt(picture, 70, y) != White;
        QCOMPARE(inked, width);
    }

    void curveLeavesAThinPen()
    {
        Scene scene;
        QImage picture = whitePicture();
        Canvas canvas(picture);
        canvas.setPenWidth(3);
        draw_curve(canvas, "ploop", curvePointList({{10, 10}, {50, 40}}), false, 2, Black, 0, 1, 2,
                   scene.context);
        QCOMPARE(canvas.penWidth(), 1);
        // rnd(2) times thickness 2 across a horizontal-ish stretch.
        QVERIFY(colorAt(picture, 60, 50) == Black);
    }
};

QTEST_MAIN(TestLines)
#include "tst_lines.moc"
