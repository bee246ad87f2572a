#include "golden.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString goldenPath(const QString &name)
{
    return QStringLiteral(QUORVANE_FIXTURES "/golden/") + name + QStringLiteral(".png");
}

// Opaque RGB32, so that pictures compare by their colours alone.
QImage comparable(const QImage &image)
{
    QImage copy = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < copy.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x)
            row[x] |= 0xff000000u;
    }
    return copy;
}

// The expected picture washed out, with every differing pixel in red.
QImage difference(const QImage &expected, const QImage &actual, int *count, QPoint *first)
{
    QImage diff(expected.size(), QImage::Format_RGB32);
    *count = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            if (want == actual.pixel(x, y)) {
                const int grey = 192 + qGray(want) / 4;
                diff.setPixel(x, y, qRgb(grey, grey, grey));
                continue;
            }
            if ((*count)++ == 0)
                *first = {x, y};
            diff.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    return diff;
}

QString colorText(QRgb color)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(qRed(color)).arg(qGreen(color)).arg(qBlue(color));
}

} // namespace

bool matchesGolden(const QImage &actualImage, const QString &name, QString *message)
{
    const QImage actual = comparable(actualImage);
    if (qEnvironmentVariable("QUORVANE_REGEN_GOLDEN") == QLatin1String("1")) {
        QDir().mkpath(QStringLiteral(QUORVANE_FIXTURES "/golden"));
        if (actual.save(goldenPath(name), "PNG"))
            return true;
        *message = QStringLiteral("cannot write ") + goldenPath(name);
        return false;
    }

    const QImage stored(goldenPath(name));
    if (stored.isNull()) {
        *message = QStringLiteral("no golden picture %1; make it with scripts/regen-golden").arg(goldenPath(name));
        return false;
    }
    const QImage expected = comparable(stored);
    if (expected == actual)
        return true;

    const QDir failures(QCoreApplication::applicationDirPath() + QStringLiteral("/golden-failures"));
    failures.mkpath(QStringLiteral("."));
    const QString actualPath = failures.filePath(name + QStringLiteral(".actual.png"));
    actual.save(actualPath, "PNG");
    if (expected.size() != actual.size()) {
        *message = QStringLiteral("%1: size %2x%3, expected %4x%5; see %6")
                       .arg(name)
                       .arg(actual.width()).arg(actual.height())
                       .arg(expected.width()).arg(expected.height())
                       .arg(actualPath);
        return false;
    }
    int count = 0;
    QPoint first;
    const QString diffPath = failures.filePath(name + QStringLiteral(".diff.png"));
    difference(expected, actual, &count, &first).save(diffPath, "PNG");
    *message = QStringLiteral("%1: %2 pixels differ, the first at (%3,%4): %5 instead of %6; see %7 and %8")
                   .arg(name)
                   .arg(count)
                   .arg(first.x()).arg(first.y())
                   .arg(colorText(actual.pixel(first)), colorText(expected.pixel(first)), actualPath, diffPath);
    return false;
}
