#include "render/canvas.h"

#include <QTest>

#include <cstring>

namespace {

QImage whitePicture(int width = 40, int height = 30)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}


} // namespace

class TestCanvas : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rndRoundsHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("2.4999") << 2.4999 << 2;
        QTest::newRow("289 * 0.75") << 289 * 0.75 << 217; // 216.75
        QTest::newRow("361 * 1.5") << 361 * 1.5 << 542;   // 541.5: halves to even
    }
    void rndRoundsHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(rnd(value), rounded);
    }

    void colorsKeepRedInTheLowByte()
    {
        QCOMPARE(rgb(0, 0, 128), 8388608);
        QCOMPARE(rgb(255, 0, 0), 255);
        QCOMPARE(fromQRgb(toQRgb(rgb(24, 173, 247))), rgb(24, 173, 247));
        QCOMPARE(qRed(toQRgb(rgb(24, 173, 247))), 24);
    }

    void hls_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<int>("hue");
        QTest::addColumn<int>("luminosity");
        QTest::addColumn<int>("saturation");
        QTest::newRow("red") << rgb(255, 0, 0) << 0 << 120 << 240;
        QTest::newRow("green") << rgb(0, 255, 0) << 80 << 120 << 240;
        QTest::newRow("blue") << rgb(0, 0, 255) << 160 << 120 << 240;
        QTest::newRow("white") << rgb(255, 255, 255) << 160 << 240 << 0;
        QTest::newRow("black") << rgb(0, 0, 0) << 160 << 0 << 0;
        QTest::newRow("navy") << rgb(0, 0, 128) << 160 << 60 << 240;
    }
    void hls()
    {
        QFETCH(int, color);
        QFETCH(int, hue);
        QFETCH(int, luminosity);
        QFETCH(int, saturation);
        const Hls hls = rgbToHls(color);
        QCOMPARE(hls.hue, hue);
        QCOMPARE(hls.luminosity, luminosity);
        QCOMPARE(hls.saturation, saturation);
        QCOMPARE(hlsToRgb(hls), color);
    }

    void hlsRoundTripStaysClose()
    {
        // The 0-240 scale loses a little; never more than a few steps.
        for (int r = 0; r < 256; r += 17) {
            for (int g = 0; g < 256; g += 17) {
                for (int b = 0; b < 256; b += 17) {
                    const int back = hlsToRgb(rgbToHls(rgb(r, g, b)));
                    QVERIFY(std::abs(redOf(back) - r) <= 3);
                    QVERIFY(std::abs(greenOf(back) - g) <= 3);
                    QVERIFY(std::abs(blueOf(back) - b) <= 3);
                }
            }
        }
    }

    void lineLeavesOutItsLastPixel()
    {
        QImage picture = whitePicture();
        Canvas canvas(picture);
        canvas.setPen(Black);
        canvas.line(2, 3, 10, 3);
        QCOMPARE(canvas.pixel(2, 3), Black);
        QCOMPARE(canvas.pixel(9, 3), Black);
        QCOMPARE(canvas.pixel(10, 3), White);
        canvas.line(5, 20, 5, 10); // upwards
        QCOMPARE(canvas.pixel(5, 20), Black);
        QCOMPARE(canvas.pixel(5, 11), Black);
        QCOMPARE(canvas.pixel(5, 10), White);
    }

    void rectangleRightAndBottomAreOutside()
    {
        QImage picture = whitePicture();
        Canvas canvas(picture);
        canvas.setPen(Black);
        canvas.setBrush(rgb(255, 0, 0));
        canvas.rectangle(2, 2, 8, 6);
        QCOMPARE(canvas.pixel(2, 2), Black);
        QCOMPARE(canvas.pixel(7, 5), Black);
        QCOMPARE(canvas.pixel(7, 2), Black);
        QCOMPARE(canvas.pixel(2, 5), Black);
        QCOMPARE(canvas.pixel(8, 3), White);
        QCOMPARE(canvas.pixel(3, 6), White);
        QCOMPARE(canvas.pixel(4, 3), rgb(255, 0, 0));

        canvas.fillRect(20, 20, 23, 22, Black);
        QCOMPARE(canvas.pixel(22, 21), Black);
        QCOMPARE(canvas.pixel(23, 21), White);
        QCOMPARE(canvas.pixel(22, 22), White);
    }

    void ellipseStaysInsideItsBox()
    {
        QImage picture = whitePicture();
        Canvas canvas(picture);
        canvas.setPen(Black);
        canvas.setBrush(Black);
        canvas.ellipse(10, 10, 20, 16);
        int left = 100, right = -1, top = 100, bottom = -1;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (canvas.pixel(x, y) == Black) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        QCOMPARE(left, 10);
        QCOMPARE(right, 19);
        QCOMPARE(top, 10);
        QCOMPARE(bottom, 15);
    }

    void invertedFiguresDrawnTwiceLeaveThePicture_data()
    {
        QTest::addColumn<int>("figure");
        QTest::addColumn<int>("penWidth");
        for (const int width : {1, 3}) {
            QTest::addRow("line, pen %d", width) << 0 << width;
            QTest::addRow("polyline, pen %d", width) << 1 << width;
            QTest::addRow("rectangle, pen %d", width) << 2 << width;
            QTest::addRow("ellipse, pen %d", width) << 3 << width;
            QTest::addRow("polygon, pen %d", width) << 4 << width;
        }
        QTest::newRow("filled box") << 5 << 1;
    }
    void invertedFiguresDrawnTwiceLeaveThePicture()
    {
        QFETCH(int, figure);
        QFETCH(int, penWidth);
        QImage picture = whitePicture();
        // Something under the figure that is not plain white.
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 6, y * 8, 100));
        const QImage before = picture.copy();
        Canvas canvas(picture);
        canvas.setPen(Black, penWidth);
        canvas.setBrushClear();
        canvas.setMode(Canvas::Mode::Invert);
        const auto draw = [&] {
            switch (figure) {
            case 0: canvas.line(3, 4, 30, 22); break;
            case 1: canvas.polyline({{2, 2}, {20, 5}, {12, 25}, {35, 28}}); break;
            case 2: canvas.rectangle(5, 5, 30, 20); break;
            case 3: canvas.ellipse(5, 5, 30, 20); break;
            case 4: canvas.polygon({{5, 5}, {30, 8}, {18, 25}}); break;
            case 5: canvas.fillRect(4, 4, 14, 9, Black); break;
            }
        };
        draw();
        QVERIFY(picture != before);
        draw();
        QCOMPARE(picture, before);
    }

    void clipKeepsEverythingElse()
    {
        QImage picture = whitePicture();
        Canvas canvas(picture);
        canvas.setClip(10, 10, 20, 20);
        canvas.fillRect(0, 0, 40, 30, Black);
        QCOMPARE(canvas.pixel(10, 10), Black);
        QCOMPARE(canvas.pixel(19, 19), Black);
        QCOMPARE(canvas.pixel(20, 19), White);
        QCOMPARE(canvas.pixel(9, 10), White);
        canvas.clearClip();
        canvas.setPixel(0, 0, Black);
        QCOMPARE(canvas.pixel(0, 0), Black);
    }

    void floodFillStopsAtTheBorder()
    {
        QImage picture = whitePicture();
        Canvas canvas(picture);
        canvas.setPen(Black);
        canvas.setBrushClear();
        canvas.rectangle(5, 5, 15, 15);
        canvas.setBrush(rgb(0, 0, 255));
        canvas.floodFill(8, 8, Black);
        QCOMPARE(canvas.pixel(6, 6), rgb(0, 0, 255));
        QCOMPARE(canvas.pixel(13, 13), rgb(0, 0, 255));
        QCOMPARE(canvas.pixel(5, 5), Black);
        QCOMPARE(canvas.pixel(4, 8), White);
        QCOMPARE(canvas.pixel(16, 8), White);
    }

    void bandsMakeTheSamePictureAsTheWhole()
    {
        const auto draw = [](Canvas &canvas) {
            canvas.fillRect(0, 0, canvas.width(), canvas.height(), rgb(24, 173, 247));
            canvas.setPen(Black, 1);
            canvas.line(1, 1, 38, 28);
            canvas.setPen(rgb(255, 0, 0), 3);
            canvas.line(35, 2, 4, 27);
            canvas.setBrush(rgb(255, 255, 0));
            canvas.setPen(Black, 1);
            canvas.ellipse(8, 6, 30, 25);
            canvas.setClip(0, 12, 40, 18);
            canvas.fillRect(0, 0, 40, 30, White);
            canvas.clearClip();
            canvas.setPixel(20, 13, Black);
        };
        QImage whole = whitePicture();
        {
            Canvas canvas(whole);
            draw(canvas);
        }
        QImage banded(whole.size(), QImage::Format_RGB32);
        for (int top = 0; top < banded.height(); top += 7) {
            QImage band(banded.width(), std::min(7, banded.height() - top), QImage::Format_RGB32);
            band.fill(Qt::white);
            {
                Canvas canvas(band, banded.size(), {0, top});
                QCOMPARE(canvas.height(), 30);
                draw(canvas);
            }
            for (int y = 0; y < band.height(); ++y)
                std::memcpy(banded.scanLine(top + y), band.constScanLine(y), band.bytesPerLine());
        }
        QCOMPARE(banded, whole);
    }

    void textIsPlacedByItsTopLeftCorner()
    {
        QImage picture = whitePicture(80, 40);
        Canvas canvas(picture);
        canvas.setFont({QStringLiteral("Arial"), 10});
        const QSize extent = canvas.textExtent(QStringLiteral("Ab"));
        QVERIFY(extent.width() > 5 && extent.height() >= 13);
        canvas.setTextColor(Black);
        canvas.textOut(10, 10, QStringLiteral("Ab"));
        int top = 100, left = 100;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (canvas.pixel(x, y) != White) {
                    top = std::min(top, y);
                    left = std::min(left, x);
                }
        QVERIFY(top >= 10 && top < 16);
        QVERIFY(left >= 10 && left < 13);
    }
};

// Text needs the font database of a GUI application.
QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
