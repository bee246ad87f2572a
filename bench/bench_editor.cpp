// Dragging on a busy sketch: a sketch of 200 parts (court, players, balls,
// straight and curved lines, areas, texts), one player selected, and a full
// press / move / release cycle that moves it and draws the sketch again, as
// the editor does on every drop. Target: median <= 4 ms.

#include "editorharness.h"
#include "render/sketch.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

PartFields part(const QString &type, int x1, int y1, int x2, int y2)
{
    PartFields fields;
    fields.Type = type;
    fields.x1 = qint16(x1);
    fields.y1 = qint16(y1);
    fields.x2 = qint16(x2);
    fields.y2 = qint16(y2);
    fields.color2 = -1;
    fields.thickness = 1;
    fields.level = default_level(type);
    return fields;
}

// 199 parts besides the court, spread over the pool.
void fillSketch(DataModule &data, int drawing)
{
    static const QStringList players{"Circle", "Triangle"};
    static const QStringList lines{"loop", "pass", "dribbel", "screen"};
    int count = 0;
    for (int i = 0; count < 199; ++i) {
        const int x = 20 + (i * 37) % 240;
        const int y = 20 + (i * 53) % 320;
        switch (i % 5) {
        case 0:
        case 1: {
            PartFields player = part(players.at(i % 2), x, y, 0, 100);
            player.Graphicnr = 1 + i % 13;
            data.addpart(drawing, player);
            ++count;
            break;
        }
        case 2: {
            const QString kind = lines.at(i % 4);
            PartFields first = part(kind, x, y, x + 20, y + 10);
            first.rotation = i % 3 == 0;
            PartFields end = part(QLatin1Char('p') + kind, x + 20, y + 10, x + 35, y + 30);
            end.rotation = first.rotation;
            data.addpart(drawing, first);
            data.addpart(drawing, end);
            count += 2;
            break;
        }
        case 3:
            data.addpart(drawing, part(QStringLiteral("Ball"), x, y, 0, 100));
            ++count;
            break;
        default: {
            PartFields text = part(QStringLiteral("Text"), x, y, 0, 0);
            text.tekst = QStringLiteral("Press %1").arg(i);
            text.thickness = 9;
            text.fontname = QStringLiteral("Arial");
            data.addpart(drawing, text);
            ++count;
            break;
        }
        }
    }
}

void BM_DragCycle(benchmark::State &state)
{
    EditorHarness harness(1);
    harness.session.runtime.showHistory = true;
    fillSketch(harness.session.data, harness.drawing());
    PartFields mover = part(QStringLiteral("Circle"), 130, 170, 0, 100);
    mover.Graphicnr = 7;
    harness.session.data.addpart(harness.drawing(), mover);
    SketchEditor &editor = harness.editor;
    QPoint at(141, 181);
    editor.press(Qt::LeftButton, Qt::NoModifier, at);
    editor.release(Qt::LeftButton, Qt::NoModifier, at);
    int direction = 1;
    for (auto _ : state) {
        const QPoint to = at + QPoint(8 * direction, 5 * direction);
        editor.press(Qt::LeftButton, Qt::NoModifier, at);
        editor.move(Qt::NoModifier, to);
        editor.release(Qt::LeftButton, Qt::NoModifier, to);
        RenderContext context(harness.session.data, QString());
        const QImage picture = editorSketchImage(1.0, 1, {}, context);
        benchmark::DoNotOptimize(picture.constBits());
        at = to;
        direction = -direction;
    }
    state.counters["parts"] = double(harness.session.tables.parts.size());
    // Every cycle is one move step in the history: nothing was refused.
    state.counters["moves"] = double(harness.session.undo.lastundostep(harness.session.loadedCategory,
                                                                       harness.session.loadedName, 1));
}

} // namespace

BENCHMARK(BM_DragCycle)->Unit(benchmark::kMillisecond)->Name("drag cycle, 200 parts (target: median <= 4 ms)");

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
