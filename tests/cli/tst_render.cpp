#include "sketchparts.h"
#include "clirunner.h"
#include "recordingprompter.h"
#include "render/canvas.h"
#include "store/datafiles.h"
#include "store/datamodule.h"
#include "store/playfile/playfile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Water = rgb(24, 173, 247);


} // namespace

// quorvane-cli render: a sequence of a play file drawn into a PNG.
class TestRender : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString playPath;
    QString exchangePath;

    QString path(const QString &name) const { return folder.filePath(name); }

    QImage render(const QStringList &options, const QString &input = QString())
    {
        const QString out = path(QStringLiteral("out.png"));
        QFile::remove(out);
        const CliResult result = runCli(QStringList{QStringLiteral("render"),
                                                    input.isEmpty() ? playPath : input}
                                        + options + QStringList{QStringLiteral("-o"), out});
        if (result.exitCode != 0)
            qWarning("render failed (%d): %s", result.exitCode, qPrintable(result.err));
        return QImage(out);
    }

private Q_SLOTS:
    // Sequence 1 on the plain blue court 13: a yellow ball, a red swim. Sequence
    // 2 on the colour court 3.
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        Tables tables;
        DataModule data(tables);
        data.addsequence(1, 1, false);
        data.addsequence(2, 2, false);
        PartFields blue = part("Court", 0, 0);
        blue.Graphicnr = 13;
        PartFields swim = part("ploop", 40, 200, 240, 200);
        swim.color = Red;
        swim.arrow = 1;
        for (const PartFields &fields : {blue, part("Ballf", 100, 100), swim})
            data.addpart(1, fields);
        PartFields colour = part("Court", 0, 0);
        colour.Graphicnr = 3;
        data.addpart(2, colour);

        PlayRow header;
        header.Type = QStringLiteral("Drill");
        playPath = path(QStringLiteral("Wing.dat"));
        exchangePath = path(QStringLiteral("Wing.qvb"));
        QFile play(playPath), exchange(exchangePath);
        QVERIFY(play.open(QIODevice::WriteOnly));
        QVERIFY(PlayFile::write(play, data, header, "Attack", "Wing", "1-1-2024 12:00:00"));
        QVERIFY(exchange.open(QIODevice::WriteOnly));
        QVERIFY(ExchangeFile::write(exchange, data, header, "Attack", "Wing"));
    }

    void pictureSize_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QSize>("size");
        QTest::newRow("default zoom") << QStringList{} << QSize(289, 361);
        QTest::newRow("zoom 0.75") << QStringList{"--zoom", "0.75"} << QSize(217, 271);
        QTest::newRow("zoom 1.5 halves to even") << QStringList{"--zoom", "1.5"} << QSize(434, 542);
        QTest::newRow("zoom 2 smooth 2") << QStringList{"--zoom", "2", "--smooth", "2"} << QSize(578, 722);
        QTest::newRow("zoom 0.75 smooth 8") << QStringList{"--zoom", "0.75", "--smooth", "8"}
                                            << QSize(217, 271);
        QTest::newRow("zoom 2 smooth 1") << QStringList{"--zoom", "2", "--smooth", "1"} << QSize(578, 722);
    }
    void pictureSize()
    {
        QFETCH(QStringList, options);
        QFETCH(QSize, size);
        const QImage picture = render(QStringList{"--sequence", "1"} + options);
        QCOMPARE(picture.size(), size);
    }

    void pixels_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("color");
        const QStringList zoom2{"--zoom", "2"};
        QTest::newRow("ball") << QStringList{} << QPoint(110, 110) << rgb(255, 255, 0);
        QTest::newRow("swim") << QStringList{} << QPoint(140, 200) << Red;
        QTest::newRow("water") << QStringList{} << QPoint(150, 300) << Water;
        QTest::newRow("zoom 2: ball") << zoom2 << QPoint(221, 221) << rgb(255, 255, 0);
        QTest::newRow("zoom 2: swim, upper row") << zoom2 << QPoint(280, 399) << Red;
        QTest::newRow("zoom 2: swim, lower row") << zoom2 << QPoint(280, 400) << Red;
        QTest::newRow("zoom 2: water below the swim") << zoom2 << QPoint(280, 401) << Water;
        QTest::newRow("smooth: water framed in black") << QStringList{"--smooth", "4"} << QPoint(0, 180)
                                                       << rgb(0, 0, 0);
        QTest::newRow("smooth: plain water") << QStringList{"--smooth", "4"} << QPoint(150, 300) << Water;
        QTest::newRow("smooth 1: framed in black") << QStringList{"--smooth", "1"} << QPoint(288, 180)
                                                   << rgb(0, 0, 0);
        QTest::newRow("grey: white water") << QStringList{"--grey"} << QPoint(150, 300) << rgb(255, 255, 255);
        QTest::newRow("grey: black ball") << QStringList{"--grey"} << QPoint(110, 110) << rgb(0, 0, 0);
        QTest::newRow("grey: grey swim") << QStringList{"--grey"} << QPoint(140, 200) << rgb(85, 85, 85);
    }
    void pixels()
    {
        QFETCH(QStringList, options);
        QFETCH(QPoint, point);
        QFETCH(int, color);
        const QImage picture = render(QStringList{"--sequence", "1"} + options);
        QVERIFY(!picture.isNull());
        QCOMPARE(colorAt(picture, point.x(), point.y()), color);
    }

    void exchangeFileDrawsTheSame()
    {
        const QImage fromPlay = render({"--sequence", "1"});
        const QImage fromExchange = render({"--sequence", "1"}, exchangePath);
        QVERIFY(!fromPlay.isNull());
        QCOMPARE(fromExchange, fromPlay);
    }

    // Court colours come from the settings of the folder given, else from the
    // default settings.
    void courtColoursFromTheSettings()
    {
        QCOMPARE(colorAt(render({"--sequence", "2"}), 150, 200), Water);
        QCOMPARE(colorAt(render({"--sequence", "2"}), 2, 2), rgb(0, 0, 112));

        const QString settings = path(QStringLiteral("settings"));
        QDir().mkpath(settings);
        Tables tables;
        tables.params = {{"Court", "", true, rgb(0, 200, 0)}};
        RecordingPrompter prompter;
        DataFiles files(settings + u'/', settings + u'/', prompter);
        QString error;
        QVERIFY2(files.SaveParamDataset(tables, &error), qPrintable(error));
        const QImage picture = render({"--sequence", "2", "--settings", settings});
        QCOMPARE(colorAt(picture, 150, 200), rgb(0, 200, 0));
        // Settings the file lacks keep their defaults.
        QCOMPARE(colorAt(picture, 2, 2), rgb(0, 0, 112));
    }

    // A court plug-in beside the play, in the folder the command runs in,
    // changes nothing: the command draws the built-in pool wherever it runs.
    void pluginPicturesAreNotUsedWhereverItRuns()
    {
        Tables tables;
        DataModule data(tables);
        data.addsequence(1, 1, false);
        PartFields court = part("Court", 0, 0);
        court.Graphicnr = 3;
        court.tekst = QStringLiteral("Lake2");
        data.addpart(1, court);
        PlayRow header;
        header.Type = QStringLiteral("Drill");
        const QString lake = path(QStringLiteral("Lake.dat"));
        QFile play(lake);
        QVERIFY(play.open(QIODevice::WriteOnly));
        QVERIFY(PlayFile::write(play, data, header, "Attack", "Lake", "1-1-2024 12:00:00"));
        play.close();
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("Lake2")));
        QImage red(4, 4, QImage::Format_RGB32);
        red.fill(qRgb(255, 0, 0));
        QVERIFY(red.save(path(QStringLiteral("Lake2/Lake2-03-1.bmp")), "BMP"));

        const QString before = QDir::currentPath();
        for (const QString &where : {folder.path(), before}) {
            QVERIFY(QDir::setCurrent(where));
            const QImage picture = render({"--sequence", "1"}, lake);
            QVERIFY(QDir::setCurrent(before));
            QVERIFY(!picture.isNull());
            QCOMPARE(colorAt(picture, 150, 200), Water);
        }
    }

    void fixturePlaysDraw_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *name : {"v05_shot.dat", "v06_areas.dat", "v07_full.dat", "v07_lf.dat",
                                 "record_v02.qvb", "record_v04.qvb", "record_v07.qvb",
                                 "v07_full_written.qvb"})
            QTest::newRow(name) << QStringLiteral(QUORVANE_FIXTURES "/plays/") + QLatin1String(name);
    }
    void fixturePlaysDraw()
    {
        QFETCH(QString, file);
        const QImage picture = render({"--sequence", "1", "--zoom", "2", "--smooth", "2"}, file);
        QCOMPARE(picture.size(), QSize(578, 722));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString out = folder.filePath(QStringLiteral("failed.png"));
        const QString play = playPath;
        QTest::newRow("no arguments") << QStringList{"render"} << 1 << "usage:";
        QTest::newRow("no output") << QStringList{"render", play, "--sequence", "1"} << 1 << "usage:";
        QTest::newRow("output not png") << QStringList{"render", play, "--sequence", "1", "-o", "x.jpg"} << 1 << "usage:";
        QTest::newRow("no sequence") << QStringList{"render", play, "-o", out} << 1 << "usage:";
        QTest::newRow("sequence 0") << QStringList{"render", play, "--sequence", "0", "-o", out} << 1 << "usage:";
        QTest::newRow("zoom 0") << QStringList{"render", play, "--sequence", "1", "--zoom", "0", "-o", out} << 1 << "usage:";
        QTest::newRow("zoom nan") << QStringList{"render", play, "--sequence", "1", "--zoom", "nan", "-o", out} << 1 << "usage:";
        QTest::newRow("zoom too large") << QStringList{"render", play, "--sequence", "1", "--zoom", "1000", "-o", out} << 1 << "usage:";
        QTest::newRow("smooth 3") << QStringList{"render", play, "--sequence", "1", "--smooth", "3", "-o", out} << 1 << "usage:";
        QTest::newRow("unknown option") << QStringList{"render", play, "--sequence", "1", "--fast", "-o", out} << 1 << "usage:";
        QTest::newRow("missing file") << QStringList{"render", folder.filePath("none.dat"), "--sequence", "1", "-o", out} << 2 << "cannot read";
        QTest::newRow("no such sequence") << QStringList{"render", play, "--sequence", "5", "-o", out} << 2 << "has no sequence 5 (it has 2)";
        QTest::newRow("settings folder without settings") << QStringList{"render", play, "--sequence", "1", "--settings", folder.filePath("nowhere"), "-o", out} << 2 << "quorvane-cli:";
        QTest::newRow("output folder missing") << QStringList{"render", play, "--sequence", "1", "-o", folder.filePath("no/such/x.png")} << 2 << "Cannot write";
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const CliResult result = runCli(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("failed.png"))));
    }
};

QTEST_GUILESS_MAIN(TestRender)
#include "tst_render.moc"
