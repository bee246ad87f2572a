#include "sketchparts.h"
#include "render/renderer.h"
#include "render/sketch.h"
#include "render/supersampler.h"
#include "store/defaultsettings.h"

#include "golden.h"

#include <QTest>

#include <memory>

namespace {


PartFields court(int index)
{
    PartFields fields = part(QStringLiteral("Court"), 0, 0);
    fields.Graphicnr = index;
    return fields;
}

// A player without a number, so that no text is drawn.
PartFields player(const QString &type, int x, int y, int rotation = 0)
{
    PartFields fields = part(type, x, y);
    fields.Graphicnr = 14;
    fields.rotation = rotation;
    return fields;
}

// The rows of a line run through the corners: plain codes, then the end form.
QList<PartFields> run(const QString &type, const QList<QPoint> &corners, int rotation,
                      int color = Black)
{
    QList<PartFields> rows;
    for (qsizetype k = 0; k + 1 < corners.size(); ++k) {
        const bool last = k + 2 == corners.size();
        PartFields row = part(last ? line_end_code(type) : type, corners[k].x(), corners[k].y(),
                              corners[k + 1].x(), corners[k + 1].y());
        row.rotation = rotation;
        row.color = color;
        rows.append(row);
    }
    return rows;
}

// A loaded play with the default settings; each sequence n has drawing n.
struct Play {
    Tables tables;
    DataModule data{tables};
    std::unique_ptr<RenderContext> context;

    Play()
    {
        for (const DefaultSetting &setting : defaultSettings())
            tables.params.append({QString::fromLatin1(setting.key),
                                  QString::fromLatin1(setting.text), setting.filled,
                                  setting.number});
        context = std::make_unique<RenderContext>(data, QString());
    }

    void add(int sequence, const QList<PartFields> &parts)
    {
        data.addsequence(sequence, sequence, false);
        for (const PartFields &fields : parts)
            data.addpart(sequence, fields);
    }
};

// Court 3 with an area, players, a goal, a ball and every line kind, straight
// on the right and curved on the left; no text.
void addLineScene(Play &play, int sequence = 1)
{
    PartFields area = part(QStringLiteral("ellipse"), 160, 262, 250, 300);
    area.transparent = 1;
    area.color2 = -1;
    QList<PartFields> parts{court(3), area,
                            player(QStringLiteral("Circle"), 40, 95),
                            player(QStringLiteral("Dpop"), 95, 100, 30),
                            part(QStringLiteral("Goal"), 134, 90),
                            part(QStringLiteral("Ballf"), 70, 120)};
    const QStringList kinds{"loop", "pass", "dribbel", "screen", "shot"};
    for (int k = 0; k < kinds.size(); ++k) {
        const int y = 175 + 18 * k;
        parts += run(kinds[k], {{155, y}, {250, y}}, 0);
        const int c = 150 + 30 * k;
        parts += run(kinds[k], {{30, c}, {60, c - 15}, {95, c + 10}, {135, c - 5}}, 1,
                     k == 1 ? Red : Black);
    }
    parts += run(QStringLiteral("pass"), {{190, 100}, {250, 115}, {225, 150}}, 0);
    play.add(sequence, parts);
}

QImage whitePicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

} // namespace

class TestSketch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void getimageHasTheSketchSize_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QSize>("size");
        QTest::newRow("1") << 1.0 << QSize(289, 361);
        QTest::newRow("0.75") << 0.75 << QSize(217, 271);
        QTest::newRow("1.5") << 1.5 << QSize(434, 542); // 433.5 and 541.5 halve to even
        QTest::newRow("2") << 2.0 << QSize(578, 722);
    }
    void getimageHasTheSketchSize()
    {
        QFETCH(double, zoom);
        QFETCH(QSize, size);
        Play play;
        addLineScene(play);
        QImage image(10, 10, QImage::Format_RGB32);
        getimage(image, zoom, 1, *play.context);
        QCOMPARE(image.size(), size);
        // The colour court's border fills the corner.
        QCOMPARE(colorAt(image, 2, 2), rgb(0, 0, 112));
    }

    // Parts are drawn in the order they were stored, not by layer: a player
    // (layer 4000) stored after a ball (layer 5000) covers it.
    void getimageDrawsInStorageOrder_data()
    {
        QTest::addColumn<bool>("ballFirst");
        QTest::addColumn<int>("centre");
        QTest::newRow("ball, then player") << true << rgb(255, 255, 255);
        QTest::newRow("player, then ball") << false << Yellow;
    }
    void getimageDrawsInStorageOrder()
    {
        QFETCH(bool, ballFirst);
        QFETCH(int, centre);
        const PartFields ball = part(QStringLiteral("Ballf"), 100, 100);
        const PartFields circle = player(QStringLiteral("Circle"), 100, 100);
        Play play;
        play.add(1, {court(13), ballFirst ? ball : circle, ballFirst ? circle : ball});
        QImage image;
        getimage(image, 1, 1, *play.context);
        QCOMPARE(colorAt(image, 110, 110), centre);
    }

    // A curved run is drawn once through all its rows, with the phantom
    // points at both ends; a run whose end form is missing goes to its last
    // stored row; the parts after a run are drawn as usual.
    void getimageDrawsCurvedRunsWhole_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("withEndForm");
        QTest::newRow("loop") << "loop" << true;
        QTest::newRow("pass") << "pass" << true;
        QTest::newRow("dribbel") << "dribbel" << true;
        QTest::newRow("shot") << "shot" << true;
        QTest::newRow("pass without its end form") << "pass" << false;
    }
    void getimageDrawsCurvedRunsWhole()
    {
        QFETCH(QString, type);
        QFETCH(bool, withEndForm);
        const QList<QPoint> corners{{40, 100}, {100, 60}, {160, 120}, {220, 80}};
        const PartFields after = part("ploop", 40, 300, 240, 300);
        QList<PartFields> rows = run(type, corners, 1);
        // Without its end form the run ends at its last row.
        if (!withEndForm)
            rows.last().Type = type;
        else
            rows.append(after);
        Play play;
        play.add(1, QList<PartFields>{court(12)} + rows);
        QImage image;
        getimage(image, 1, 1, *play.context);

        QImage expected;
        Play courtOnly;
        courtOnly.add(1, {court(12)});
        getimage(expected, 1, 1, *courtOnly.context);
        {
            Canvas canvas(expected);
            QList<QPointF> points{QPointF(2 * corners[0] - corners[1])};
            for (const QPoint &corner : corners)
                points.append(corner);
            points.append(QPointF(2 * corners[3] - corners[2]));
            canvas.setPenWidth(1);
            draw_curve(canvas, line_end_code(type), points, false, 1, Black, 0, 1, 0,
                       *courtOnly.context);
            canvas.setPenWidth(1);
            if (withEndForm)
                draw_symbol(canvas, after, 1, false, *courtOnly.context);
        }
        QCOMPARE(image, expected);
    }

    // A run that lacks its end form (a file from elsewhere) ends at the first
    // row of another kind: the parts after it are drawn as themselves, on
    // the sketch and among the previous lines alike.
    void runWithoutEndFormEndsAtAnotherKind_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<bool>("previousLines");
        QTest::newRow("curved pass") << "pass" << 1 << false;
        QTest::newRow("curved dribble") << "dribbel" << 1 << false;
        QTest::newRow("straight shot") << "shot" << 0 << false;
        QTest::newRow("curved shot") << "shot" << 1 << false;
        QTest::newRow("previous lines: curved loop") << "loop" << 1 << true;
        QTest::newRow("previous lines: straight shot") << "shot" << 0 << true;
    }
    void runWithoutEndFormEndsAtAnotherKind()
    {
        QFETCH(QString, type);
        QFETCH(int, rotation);
        QFETCH(bool, previousLines);
        const QList<QPoint> corners{{40, 100}, {100, 60}, {160, 120}, {220, 80}};
        QList<PartFields> rows = run(type, corners, rotation);
        rows.last().Type = type;
        const QList<PartFields> after{player(QStringLiteral("Circle"), 120, 200),
                                      part(QStringLiteral("Ball"), 60, 250),
                                      part(QStringLiteral("ploop"), 40, 320, 240, 320)};
        Play play;
        play.add(1, QList<PartFields>{court(12)} + rows + after);
        play.add(2, {court(12)});
        Play courtOnly;
        courtOnly.add(1, {court(12)});

        QImage image = whitePicture({289, 361});
        QImage expected = image;
        if (previousLines) {
            Canvas canvas(image);
            draw_prev_lines(canvas, 2, *play.context);
        } else {
            getimage(image, 1, 1, *play.context);
            getimage(expected, 1, 1, *courtOnly.context);
        }
        {
            Canvas canvas(expected);
            QList<QPointF> points{QPointF(2 * corners[0] - corners[1])};
            for (const QPoint &corner : corners)
                points.append(corner);
            points.append(QPointF(2 * corners[3] - corners[2]));
            canvas.setPenWidth(1);
            draw_curve(canvas, line_end_code(type), points, previousLines, 1, Black, 0, rotation, 0,
                       *courtOnly.context);
            for (const PartFields &part : after) {
                canvas.setPenWidth(1);
                if (!previousLines || is_line(part.Type))
                    draw_symbol(canvas, part, 1, previousLines, *courtOnly.context);
            }
        }
        QCOMPARE(image, expected);
    }

    // Only a court paints the whole picture: a drawing that does not start
    // with one lies on white, smoothed (band by band) or not.
    void drawingWithoutACourtFirstLiesOnWhite_data()
    {
        QTest::addColumn<int>("factor");
        QTest::newRow("plain") << 0;
        QTest::newRow("smoothed by 8") << 8;
    }
    void drawingWithoutACourtFirstLiesOnWhite()
    {
        QFETCH(int, factor);
        Play play;
        play.add(1, {part(QStringLiteral("Ballf"), 100, 100), court(13)});
        play.add(2, {part(QStringLiteral("Ballf"), 100, 100)});
        for (const int sequence : {1, 2}) {
            QImage image;
            if (factor == 0)
                getimage(image, 1, sequence, *play.context);
            else
                QVERIFY(draw_sketch_smooth(image, 1, sequence, factor, *play.context));
            const bool courtOver = sequence == 1;
            QCOMPARE(colorAt(image, 150, 300), courtOver ? rgb(24, 173, 247) : White);
            QCOMPARE(colorAt(image, 20, 20), courtOver ? rgb(24, 173, 247) : White);
        }
    }

    void baseWidthIsTheZoomRoundedUp_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("width");
        QTest::newRow("1") << 1.0 << 1;
        QTest::newRow("1.25") << 1.25 << 2;
        QTest::newRow("0.75") << 0.75 << 1;
    }
    void baseWidthIsTheZoomRoundedUp()
    {
        QFETCH(double, zoom);
        QFETCH(int, width);
        Play play;
        play.add(1, {court(12), part("loop", 40, 100, 240, 100)});
        QImage image;
        getimage(image, zoom, 1, *play.context);
        const int x = rnd(140 * zoom);
        int inked = 0;
        for (int y = rnd(90 * zoom); y <= rnd(110 * zoom); ++y)
            inked += colorAt(image, x, y) == Black;
        QCOMPARE(inked, width);
    }

    void smoothPictureHasThePlainSize_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("factor");
        for (const double zoom : {1.0, 0.75, 1.5, 0.33, 1.3}) {
            for (const int factor : {1, 2, 4, 8})
                QTest::addRow("zoom %g factor %d", zoom, factor) << zoom << factor;
        }
        QTest::newRow("zoom 2 factor 2") << 2.0 << 2;
    }
    void smoothPictureHasThePlainSize()
    {
        QFETCH(double, zoom);
        QFETCH(int, factor);
        Play play;
        play.add(1, {court(13)});
        QImage image;
        QVERIFY(draw_sketch_smooth(image, zoom, 1, factor, *play.context));
        const QSize size(rnd(289 * zoom), rnd(361 * zoom));
        QCOMPARE(image.size(), size);
        // Framed in black; the plain blue water reaches the frame.
        for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, size.height() - 1)})
            QCOMPARE(colorAt(image, corner.x(), corner.y()), Black);
        QCOMPARE(colorAt(image, size.width() / 2, size.height() / 2), rgb(24, 173, 247));
        QCOMPARE(colorAt(image, size.width() - 2, size.height() / 2), rgb(24, 173, 247));
        QCOMPARE(colorAt(image, size.width() / 2, size.height() - 2), rgb(24, 173, 247));
    }

    // Drawn band by band, the large picture shrinks to the same pixels as
    // when it is drawn whole.
    void bandsGiveTheWholePicture_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("blocks"); // result rows per band
        QTest::addColumn<bool>("numbers");
        QTest::newRow("zoom 0.3 scale 2, one row a band") << 0.3 << 2 << 1 << false;
        QTest::newRow("zoom 1 scale 4, 16 rows a band") << 1.0 << 4 << 16 << false;
        QTest::newRow("zoom 0.75 scale 8, 7 rows a band, last band short") << 0.75 << 8 << 7 << false;
        QTest::newRow("zoom 0.5 scale 16, 50 rows a band") << 0.5 << 16 << 50 << false;
        // Glyphs this large are filled as outlines; a band edge through one
        // must not change a pixel.
        QTest::newRow("numbers at scale 16, one row a band") << 1.0 << 16 << 1 << true;
    }
    void bandsGiveTheWholePicture()
    {
        QFETCH(double, zoom);
        QFETCH(int, scale);
        QFETCH(int, blocks);
        QFETCH(bool, numbers);
        Play play;
        if (numbers) {
            PartFields defender = player(QStringLiteral("Triangle"), 68, 135);
            PartFields attacker = player(QStringLiteral("Otriangl"), 63, 190);
            defender.Graphicnr = 2;
            attacker.Graphicnr = 12;
            play.add(1, {court(12), defender, attacker});
        } else {
            addLineScene(play);
        }
        const QSize size = sketchSize(zoom);
        const auto draw = [&](Canvas &canvas) {
            drawSketch(canvas, zoom * scale, 1, *play.context);
        };
        const Supersampler whole(size, scale, qsizetype(1) << 40);
        const qsizetype blockBytes = qsizetype(size.width()) * scale * 4 * scale;
        const Supersampler banded(size, scale, blocks * blockBytes);
        QCOMPARE(whole.bandRows(), size.height() * scale);
        QCOMPARE(banded.bandRows(), blocks * scale);
        const QImage expected = whole.render(draw);
        QCOMPARE(expected.size(), size);
        QCOMPARE(banded.render(draw), expected);
    }

    // At zoom 1 the smooth picture is the sketch drawn at 2f and halved
    // step by step, framed in black.
    void smoothPictureIsTheHalvedLargeSketch()
    {
        Play play;
        addLineScene(play);
        QImage large;
        getimage(large, 4, 1, *play.context);
        QImage expected = halve_image(halve_image(large, 2), 2);
        {
            Canvas canvas(expected);
            canvas.setPen(Black, 1);
            canvas.setBrushClear();
            canvas.rectangle(0, 0, expected.width(), expected.height());
        }
        QImage smooth;
        QVERIFY(draw_sketch_smooth(smooth, 1, 1, 2, *play.context));
        QCOMPARE(smooth, expected);
    }

    void smoothFailsWithoutTouchingTheImage_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("factor");
        QTest::newRow("side over 32767") << 6.0 << 8;
        QTest::newRow("factor 3") << 1.0 << 3;
        QTest::newRow("factor 16") << 1.0 << 16;
        QTest::newRow("zoom 0") << 0.0 << 2;
        QTest::newRow("zoom not a number") << std::nan("") << 2;
    }
    void smoothFailsWithoutTouchingTheImage()
    {
        QFETCH(double, zoom);
        QFETCH(int, factor);
        Play play;
        play.add(1, {court(13)});
        QImage image(5, 5, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QImage before = image;
        QVERIFY(!draw_sketch_smooth(image, zoom, 1, factor, *play.context));
        QCOMPARE(image, before);
    }

    // The factor steps down 8 -> 4 -> 2 -> 1 -> 0 until one works, and the
    // setting keeps the factor that worked.
    void fallbackGivesTheWorkingFactor_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("factor");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<int>("stored");
        QTest::newRow("8 works") << 1.0 << 8 << true << 8;
        QTest::newRow("8 too large at zoom 6: 4") << 6.0 << 8 << true << 4;
        QTest::newRow("4 too large at zoom 12: 2") << 12.0 << 4 << true << 2;
        QTest::newRow("3 is no factor") << 1.0 << 3 << false << 0;
    }
    void fallbackGivesTheWorkingFactor()
    {
        QFETCH(double, zoom);
        QFETCH(int, factor);
        QFETCH(bool, filled);
        QFETCH(int, stored);
        Play play;
        play.add(1, {court(13)});
        play.data.setparam(QStringLiteral("Antiexp2"), QStringLiteral("kept"), false, factor);
        const SmoothPicture picture = sketchImage(zoom, 1, factor, *play.context);
        QCOMPARE(picture.image.size(), QSize(rnd(289 * zoom), rnd(361 * zoom)));
        QCOMPARE(picture.factor > 0, filled);
        QCOMPARE(picture.factor, stored);
        // Drawing leaves the settings to the caller.
        QCOMPARE(play.data.getparam(QStringLiteral("Antiexp2")).number, factor);
        QVERIFY(play.context->magnifiedSymbols);
    }

    void factorZeroDrawsPlain()
    {
        Play play;
        play.add(1, {court(13)});
        const SmoothPicture picture = sketchImage(2, 1, 0, *play.context);
        QImage plain;
        getimage(plain, 2, 1, *play.context);
        QCOMPARE(picture.image, plain);
        QCOMPARE(picture.factor, 0);
    }

    void previousPlayersAreSilverGhosts()
    {
        Play play;
        PartFields ball = part(QStringLiteral("Ball"), 100, 100);
        ball.color = Red;
        play.add(1, {court(12), player(QStringLiteral("Circle"), 40, 40), ball,
                     part("ploop", 40, 200, 240, 200)});
        play.add(2, {court(12)});
        QImage image = whitePicture({289, 361});
        {
            Canvas canvas(image);
            draw_prev_players(canvas, 2, *play.context);
        }
        // Outlines only, in silver; the line is not a player.
        QCOMPARE(colorAt(image, 110, 110), White);
        QCOMPARE(colorAt(image, 51, 51), White);
        bool ballRim = false, circleRim = false;
        for (int x = 95; x < 115; ++x)
            ballRim = ballRim || colorAt(image, x, 110) == Silver;
        for (int x = 35; x < 55; ++x)
            circleRim = circleRim || colorAt(image, x, 51) == Silver;
        QVERIFY(ballRim);
        QVERIFY(circleRim);
        QCOMPARE(colorAt(image, 140, 200), White);

        QImage first = whitePicture({289, 361});
        {
            Canvas canvas(first);
            draw_prev_players(canvas, 1, *play.context);
        }
        QCOMPARE(first, whitePicture({289, 361}));
    }

    // The lines come from the nearest earlier sequence that has any, drawn
    // in silver, curves as whole runs; its symbols are not drawn.
    void previousLinesComeFromTheNearestSequenceWithLines()
    {
        Play play;
        QList<PartFields> first{court(12), player(QStringLiteral("Circle"), 40, 40),
                                part("ploop", 40, 200, 240, 200)};
        first += run(QStringLiteral("pass"), {{40, 300}, {100, 260}, {160, 320}}, 1);
        play.add(1, first);
        play.add(2, {court(12), player(QStringLiteral("Circle"), 60, 60)});
        play.add(3, {court(12)});
        QImage image = whitePicture({289, 361});
        {
            Canvas canvas(image);
            draw_prev_lines(canvas, 3, *play.context);
        }
        QCOMPARE(colorAt(image, 140, 200), Silver);
        QCOMPARE(colorAt(image, 40, 300), Silver);
        for (int y = 30; y < 90; ++y) {
            for (int x = 30; x < 90; ++x)
                QCOMPARE(colorAt(image, x, y), White);
        }
    }

    void goldenLineScenes_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("factor");
        QTest::addColumn<QString>("name");
        QTest::newRow("zoom 1") << 1.0 << 0 << "sketch-lines-z1";
        QTest::newRow("zoom 2") << 2.0 << 0 << "sketch-lines-z2";
        QTest::newRow("zoom 1 smooth 2") << 1.0 << 2 << "sketch-lines-z1-smooth2";
    }
    void goldenLineScenes()
    {
        QFETCH(double, zoom);
        QFETCH(int, factor);
        QFETCH(QString, name);
        Play play;
        addLineScene(play);
        QImage image;
        if (factor == 0)
            getimage(image, zoom, 1, *play.context);
        else
            QVERIFY(draw_sketch_smooth(image, zoom, 1, factor, *play.context));
        QString message;
        QVERIFY2(matchesGolden(image, name, &message), qPrintable(message));
    }
};

QTEST_MAIN(TestSketch)
#include "tst_sketch.moc"
