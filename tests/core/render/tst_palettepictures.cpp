#include "render/renderedsymboldrawer.h"
#include "store/symbolpictures.h"

#include <QTest>

// The palette pictures drawn by the renderer for the first start.
class TestPalettePictures : public QObject {
    Q_OBJECT

    static int darkPixels(const QImage &picture)
    {
        int count = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                count += qGray(picture.pixel(x, y)) < 128;
        return count;
    }

private Q_SLOTS:
    void everyStandardPictureShowsSomething()
    {
        RenderedSymbolDrawer drawer;
        for (const SymbolPictures::Symbol &symbol : SymbolPictures::standard()) {
            const QImage picture = SymbolPictures::draw(drawer, symbol.type, symbol.number);
            QCOMPARE(picture.size(), QSize(SymbolPictures::Width, SymbolPictures::Height));
            QVERIFY2(darkPixels(picture) > 0, qPrintable(symbol.type + QString::number(symbol.number)));
            QVERIFY(!SymbolPictures::isPlaceholder(picture));
        }
    }

    void courtPicturesDifferByLayout()
    {
        RenderedSymbolDrawer drawer;
        const QImage half = SymbolPictures::draw(drawer, QStringLiteral("Court"), 0);
        const QImage whole = SymbolPictures::draw(drawer, QStringLiteral("Court"), 2);
        QVERIFY(half != whole);
        QVERIFY(darkPixels(half) < half.width() * half.height());
    }
};

QTEST_MAIN(TestPalettePictures)
#include "tst_palettepictures.moc"
