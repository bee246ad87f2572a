// The play snapshot and the shape every output has, proven on the sketch
// picture and the play file: one way to read a play, progress, cancelling,
// typed errors, and files written whole or not at all.

#include "render/renderer.h"
#include "render/sketch.h"
#include "render/sketchimageexporter.h"
#include "store/exporter.h"
#include "store/playfile/playfileexporter.h"
#include "store/playsnapshot.h"

#include "playfixture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString FullPlay = QStringLiteral(QUORVANE_FIXTURES "/plays/v07_full.dat");

// Counts the steps reported and cancels at the given check (0: never).
class ScriptedProgress : public ExportProgress {
public:
    explicit ScriptedProgress(int cancelAtCheck = 0) : cancelAt(cancelAtCheck) {}
    void advance(int done, int total) override { steps.append({done, total}); }
    bool cancelled() override { return ++checks == cancelAt; }
    int checks = 0;
    QList<QPair<int, int>> steps;

private:
    int cancelAt;
};

// A device that takes the first bytes and then refuses.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 accepted) : room(accepted) { open(QIODevice::WriteOnly); }
    QByteArray taken;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (size > room) {
            setErrorString(QStringLiteral("The disk is full"));
            return -1;
        }
        room -= size;
        taken.append(data, size);
        return size;
    }

private:
    qint64 room;
};

} // namespace

class TestExporters : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A fixture read through the one path the command line, exporters and
    // tests share, then drawn from the snapshot alone.
    void snapshotLoadsAndDraws()
    {
        PlaySnapshot play;
        const PlaySnapshot::Loaded loaded = play.load(FullPlay);
        QVERIFY2(loaded.ok(), qPrintable(loaded.message));
        QCOMPARE(play.version, QStringLiteral("0.7"));
        QCOMPARE(play.data.sequencecount(), 3);
        QVERIFY(!play.header.Category.isEmpty());

        RenderContext context(play.data, QString());
        QImage picture;
        getimage(picture, 1, 1, context);
        QCOMPARE(picture.size(), QSize(289, 361));
        // The black and white pool and its parts leave some ink on the paper.
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                colours.insert(picture.pixel(x, y));
        QVERIFY(colours.contains(qRgb(0, 0, 0)));
        QVERIFY(colours.contains(qRgb(255, 255, 255)));

        // The exporter draws the same picture.
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        SketchImageExporter exporter(play, {1, 1, 0, false});
        ScriptedProgress progress;
        QVERIFY(!exporter.write(png, progress).failed());
        QCOMPARE(QImage::fromData(png.data(), "PNG").convertToFormat(QImage::Format_RGB32), picture);
        QCOMPARE(progress.steps, (QList<QPair<int, int>>{{1, 1}}));
    }

    void snapshotLoadFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opened");
        QTest::newRow("missing file") << QByteArray() << QString() << false;
        QTest::newRow("not a play") << QByteArray("hello\r\n") << QStringLiteral("x.dat") << true;
        QTest::newRow("not an exchange file") << QByteArray("hello\r\n") << QStringLiteral("x.qvb") << true;
    }
    void snapshotLoadFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(bool, opened);
        QTemporaryDir folder;
        const QString path = folder.filePath(name.isEmpty() ? QStringLiteral("none.dat") : name);
        if (!name.isEmpty())
            QVERIFY(writeFile(path, bytes));
        PlaySnapshot play;
        QVERIFY(play.load(FullPlay).ok());
        const PlaySnapshot::Loaded loaded = play.load(path);
        QVERIFY(!loaded.ok());
        QCOMPARE(loaded.opened, opened);
        QVERIFY(!loaded.message.isEmpty());
        // A failed load leaves no play behind, not the previous one.
        QCOMPARE(play.data.sequencecount(), 0);
    }

    void settingsAreCompletedByDefaults()
    {
        PlaySnapshot play;
        play.useSettings({{QStringLiteral("offense"), QStringLiteral("9"), false, 123}});
        QCOMPARE(play.data.getparam(QStringLiteral("Offense")).number, 123);
        QVERIFY(!play.data.getparam(QStringLiteral("Defense")).text.isNull());
        QVERIFY(play.tables.params.size() > 50);
    }

    // Cancelled before the picture or before writing it: a typed error and
    // the file as it was.
    void cancelLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<int>("cancelAtCheck");
        QTest::newRow("before drawing") << 1;
        QTest::newRow("before writing") << 2;
    }
    void cancelLeavesTheFileAsItWas()
    {
        QFETCH(int, cancelAtCheck);
        PlaySnapshot play;
        QVERIFY(play.load(FullPlay).ok());
        QTemporaryDir folder;
        const QString out = folder.filePath(QStringLiteral("sketch.png"));
        QVERIFY(writeFile(out, "earlier picture"));
        SketchImageExporter exporter(play, {2, 2, 2, false});
        ScriptedProgress progress(cancelAtCheck);
        const ExportError error = exportToFile(exporter, out, progress);
        QCOMPARE(error.kind, ExportError::Kind::Cancelled);
        QCOMPARE(readFile(out), QByteArray("earlier picture"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("sketch.png")});
    }

    // Every way an output can fail gives its kind, and a file is never left
    // half-written.
    void failuresAreTyped_data()
    {
        QTest::addColumn<int>("sequence");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<bool>("outputFolderExists");
        QTest::addColumn<int>("kind");
        QTest::newRow("no such sequence") << 9 << 1.0 << true << int(ExportError::Kind::BadRequest);
        QTest::newRow("picture too large") << 1 << 1000.0 << true << int(ExportError::Kind::Failed);
        QTest::newRow("folder missing") << 1 << 1.0 << false << int(ExportError::Kind::CannotWrite);
    }
    void failuresAreTyped()
    {
        QFETCH(int, sequence);
        QFETCH(double, zoom);
        QFETCH(bool, outputFolderExists);
        QFETCH(int, kind);
        PlaySnapshot play;
        QVERIFY(play.load(FullPlay).ok());
        QTemporaryDir folder;
        const QString out = outputFolderExists ? folder.filePath(QStringLiteral("sketch.png"))
                                               : folder.filePath(QStringLiteral("no/such/sketch.png"));
        if (outputFolderExists)
            QVERIFY(writeFile(out, "earlier picture"));
        SketchImageExporter exporter(play, {sequence, zoom, 0, false});
        NoProgress progress;
        const ExportError error = exportToFile(exporter, out, progress);
        QCOMPARE(int(error.kind), kind);
        QVERIFY(!error.message.isEmpty());
        if (outputFolderExists)
            QCOMPARE(readFile(out), QByteArray("earlier picture"));
    }

    void failingDeviceGivesCannotWrite_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::newRow("sketch picture") << true;
        QTest::newRow("play file") << false;
    }
    void failingDeviceGivesCannotWrite()
    {
        QFETCH(bool, picture);
        PlaySnapshot play;
        QVERIFY(play.load(FullPlay).ok());
        SketchImageExporter image(play, {1, 1, 0, false});
        PlayFileExporter file(play, PlaySnapshot::Format::PlayFile, QStringLiteral("11-12-2026 10:00:00"));
        Exporter &exporter = picture ? static_cast<Exporter &>(image) : file;
        FailingDevice device(100);
        ScriptedProgress progress;
        const ExportError error = exporter.write(device, progress);
        QCOMPARE(error.kind, ExportError::Kind::CannotWrite);
        QVERIFY2(error.message.contains(QLatin1String("The disk is full")), qPrintable(error.message));
        QVERIFY(progress.steps.isEmpty());
    }

    // The play file output reads back as the play it was made from.
    void playFileRoundTrip_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("play file") << int(PlaySnapshot::Format::PlayFile);
        QTest::newRow("exchange file") << int(PlaySnapshot::Format::ExchangeFile);
    }
    void playFileRoundTrip()
    {
        QFETCH(int, format);
        PlaySnapshot play;
        QVERIFY(play.load(FullPlay).ok());
        QTemporaryDir folder;
        const QString out = folder.filePath(format == int(PlaySnapshot::Format::PlayFile) ? QStringLiteral("a.dat")
                                                                                        : QStringLiteral("a.qvb"));
        PlayFileExporter exporter(play, PlaySnapshot::Format(format), QStringLiteral("11-12-2026 10:00:00"));
        NoProgress progress;
        QVERIFY(!exportToFile(exporter, out, progress).failed());
        PlaySnapshot again;
        const PlaySnapshot::Loaded loaded = again.load(out);
        QVERIFY2(loaded.ok(), qPrintable(loaded.message));
        QCOMPARE(again.header.Category, play.header.Category);
        QCOMPARE(again.header.Drillname, play.header.Drillname);
        QCOMPARE(again.tables.parts.size(), play.tables.parts.size());
        for (qsizetype i = 0; i < play.tables.parts.size(); ++i) {
            QCOMPARE(again.tables.parts[i].Type, play.tables.parts[i].Type);
            QCOMPARE(again.tables.parts[i].x1, play.tables.parts[i].x1);
            QCOMPARE(again.tables.parts[i].y2, play.tables.parts[i].y2);
        }
    }
};

QTEST_MAIN(TestExporters)
#include "tst_exporters.moc"
