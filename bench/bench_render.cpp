// Drawing a typical sketch: court 3, fourteen players (some turned), two
// balls, eight lines (a curved dribble and shots among them), a text and two
// tinted areas. Targets: getimage at zoom 1 median <= 2 ms, at zoom 2 <= 4 ms;
// draw_sketch_smooth at factor 8, zoom 1 <= 150 ms, zoom 2 <= 500 ms, with at
// most 300 MB of memory on top of what the program held before.
//
// The memory figure is the growth of the peak resident size (VmHWM) of a
// fresh process (this program run with --peak-memory ZOOM FACTOR) across one
// smooth drawing.

#include "render/renderer.h"
#include "store/playsnapshot.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

PartFields part(const char *type, int x1, int y1, int x2 = 0, int y2 = 0)
{
    PartFields fields;
    fields.Type = QString::fromLatin1(type);
    fields.x1 = qint16(x1);
    fields.y1 = qint16(y1);
    fields.x2 = qint16(x2);
    fields.y2 = qint16(y2);
    fields.level = default_level(fields.Type);
    return fields;
}

PartFields player(const char *type, int number, int x, int y, int rotation = 0)
{
    PartFields fields = part(type, x, y);
    fields.Graphicnr = number;
    fields.rotation = rotation;
    return fields;
}

PartFields line(const char *type, int x1, int y1, int x2, int y2, int rotation = 0)
{
    PartFields fields = part(type, x1, y1, x2, y2);
    fields.rotation = rotation;
    fields.thickness = 1;
    return fields;
}

// A play of one sequence with the default settings.
struct TypicalSketch {
    PlaySnapshot play;
    DataModule &data = play.data;
    std::unique_ptr<RenderContext> context;

    TypicalSketch()
    {
        data.addsequence(1, 1, false);
        PartFields court = part("Court", 0, 0);
        court.Graphicnr = 3;
        PartFields ellipse = part("ellipse", 60, 110, 130, 160);
        ellipse.transparent = 1;
        ellipse.color2 = -1;
        QList<PartFields> parts{court, ellipse};
        for (const QPoint corner : {QPoint(160, 200), QPoint(240, 190), QPoint(220, 260)}) {
            PartFields area = part(corner == QPoint(220, 260) ? "ppoly" : "poly", corner.x(), corner.y());
            area.transparent = 1;
            area.color = rgb(150, 108, 108);
            area.color2 = 0;
            parts.append(area);
        }
        const char *offense[] = {"Circle", "Otriangl", "Osquare", "Ochair", "Opop", "Circle", "Circlef"};
        const char *defense[] = {"Dcircle", "Triangle", "Dsquare", "Dchair", "Dpop", "Dcircle", "Triangf"};
        for (int k = 0; k < 7; ++k) {
            parts.append(player(offense[k], k + 1, 30 + 33 * k, 170 + (k % 2) * 20, k == 3 || k == 4 ? 45 : 0));
            parts.append(player(defense[k], k + 1, 35 + 33 * k, 120 + (k % 2) * 15, k == 3 || k == 4 ? 200 : 0));
        }
        parts += {part("Ball", 140, 150), part("Ballf", 90, 230)};
        PartFields text = part("Text", 40, 280);
        text.tekst = QStringLiteral("Drive left,\r\npass to 4");
        text.fontname = QStringLiteral("Arial");
        text.thickness = 10;
        text.transparent = 0;
        text.extra4 = QStringLiteral("16777215");
        parts.append(text);
        parts += {line("ploop", 50, 200, 100, 250), line("ppass", 120, 180, 200, 240),
                  line("pscreen", 200, 100, 230, 140), line("pass", 60, 90, 110, 80),
                  line("ppass", 110, 80, 150, 100), line("dribbel", 150, 280, 190, 250, 1),
                  line("dribbel", 190, 250, 230, 280, 1), line("pdribbel", 230, 280, 260, 240, 1),
                  line("pshot", 140, 160, 144, 85, 1), line("pshot", 230, 120, 150, 86),
                  line("loop", 30, 300, 80, 320, 1), line("ploop", 80, 320, 120, 290, 1)};
        for (const PartFields &fields : std::as_const(parts))
            data.addpart(1, fields);
        context = std::make_unique<RenderContext>(data, QString());
    }
};

TypicalSketch &sketch()
{
    static TypicalSketch typical;
    return typical;
}

void getimageAt(benchmark::State &state, double zoom, const char *target)
{
    QImage image;
    for (auto _ : state) {
        getimage(image, zoom, 1, *sketch().context);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(target);
}

void smoothAt(benchmark::State &state, double zoom, const char *target)
{
    QImage image;
    for (auto _ : state) {
        if (!draw_sketch_smooth(image, zoom, 1, 8, *sketch().context))
            state.SkipWithError("draw_sketch_smooth failed");
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(target);
}

void BM_getimage_zoom1(benchmark::State &state) { getimageAt(state, 1, "target: median <= 2 ms"); }
void BM_getimage_zoom2(benchmark::State &state) { getimageAt(state, 2, "target: median <= 4 ms"); }
void BM_smooth8_zoom1(benchmark::State &state) { smoothAt(state, 1, "target: median <= 150 ms"); }
void BM_smooth8_zoom2(benchmark::State &state) { smoothAt(state, 2, "target: median <= 500 ms"); }

BENCHMARK(BM_getimage_zoom1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_getimage_zoom2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_smooth8_zoom1)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_smooth8_zoom2)->Unit(benchmark::kMillisecond)->Iterations(3);

// The peak resident size of this process image. (getrusage's ru_maxrss would
// carry over the peak of the parent that started it.)
long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// Child side: one smooth drawing after the sketch and fonts are ready.
int measurePeak(double zoom, int factor)
{
    QImage warm;
    getimage(warm, zoom, 1, *sketch().context);
    const long before = peakKilobytes();
    QImage image;
    if (!draw_sketch_smooth(image, zoom, 1, factor, *sketch().context))
        return 1;
    std::printf("%ld\n", peakKilobytes() - before);
    return 0;
}

void reportPeak(double zoom, int factor)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--peak-memory"), QString::number(zoom), QString::number(factor)});
    const bool done = child.waitForFinished(120000) && child.exitCode() == 0;
    const QByteArray kilobytes = child.readAllStandardOutput().trimmed();
    if (!done || kilobytes.isEmpty()) {
        std::printf("peak extra memory, smooth factor %d zoom %g: measurement failed\n", factor, zoom);
        return;
    }
    std::printf("peak extra memory, smooth factor %d zoom %g: %.1f MB (target: <= 300 MB)\n", factor,
                zoom, kilobytes.toDouble() / 1024);
}

} // namespace

int main(int argc, char **argv)
{
    // Text needs the font database of a GUI application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--peak-memory") == 0)
        return measurePeak(std::atof(argv[2]), std::atoi(argv[3]));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    reportPeak(1, 8);
    reportPeak(2, 8);
    return 0;
}
