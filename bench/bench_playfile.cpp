// Loading and storing one large play: 50 sequences of 60 parts each, in
// memory. Target: median under 20 ms for each. And loading one sketch of
// very many parts, which must take time in proportion to its parts.
#include "store/datamodule.h"
#include "store/playfile/playfile.h"

#include <QBuffer>

#include <map>

#include <benchmark/benchmark.h>

namespace {

constexpr int Sequences = 50;
constexpr int PartsPerSequence = 60;

void fillPlay(Tables &tables, PlayRow &header)
{
    header.Category = QStringLiteral("Bench");
    header.Drillname = QStringLiteral("Large play");
    header.Type = QStringLiteral("Play");
    header.Createdby = QStringLiteral("Coach");
    const QStringList types = {"Circle", "Triangle", "Ball", "pass", "ppass", "Text", "ellipse"};
    DataModule data(tables);
    for (int s = 1; s <= Sequences; ++s) {
        data.addsequence(s, s, false);
        tables.sequences.last().Text = QStringLiteral(
            "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
            "\\viewkind4\\uc1\\pard\\f0\\fs20 Sequence %1: swim to the post and pass.\\par\r\n"
            "Second paragraph of the explanation.\\par\r\n}\r\n").arg(s);
        tables.sequences.last().Focus = QStringLiteral("Focus of sequence %1\r\n").arg(s);
        for (int p = 0; p < PartsPerSequence; ++p) {
            PartFields part;
            part.Type = types[p % types.size()];
            part.Graphicnr = p % 12;
            part.x1 = qint16(10 + p * 4);
            part.y1 = qint16(20 + s * 3);
            part.x2 = qint16(part.x1 + 30);
            part.y2 = qint16(part.y1 + 40);
            part.color = 0x0000FF * (p % 3);
            part.tekst = p % 7 == 5 ? QStringLiteral("Two\r\nlines") : QString();
            part.fontname = QStringLiteral("Arial");
            part.tagnr = p + 1;
            part.level = 4000;
            data.addpart(s, part);
        }
    }
}

QByteArray storedPlay(const DataModule &data, const PlayRow &header)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    PlayFile::write(buffer, data, header, header.Category, header.Drillname, QStringLiteral("1-1-2026 12:00:00"));
    return bytes;
}

void BM_LoadPlay(benchmark::State &state)
{
    Tables source;
    PlayRow header;
    fillPlay(source, header);
    QByteArray bytes = storedPlay(DataModule(source), header);
    for (auto _ : state) {
        Tables tables;
        DataModule data(tables);
        PlayRow loaded;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        if (PlayFile::read(buffer, data, loaded) != PlayReadError::None)
            state.SkipWithError("the play did not load");
        benchmark::DoNotOptimize(tables.parts.size());
    }
    state.counters["bytes"] = double(bytes.size());
}

void BM_StorePlay(benchmark::State &state)
{
    Tables tables;
    PlayRow header;
    fillPlay(tables, header);
    const DataModule data(tables);
    for (auto _ : state)
        benchmark::DoNotOptimize(storedPlay(data, header).size());
}

// One sketch of many parts, as a play file.
const QByteArray &sketchFile(int parts)
{
    static std::map<int, QByteArray> files;
    QByteArray &bytes = files[parts];
    if (bytes.isEmpty()) {
        Tables tables;
        DataModule data(tables);
        data.addsequence(1, 1, false);
        for (int p = 0; p < parts; ++p) {
            PartFields part;
            part.Type = QStringLiteral("Circle");
            part.Graphicnr = p % 14 + 1;
            part.x1 = qint16(p % 280);
            part.y1 = qint16(p % 350);
            part.y2 = 100;
            part.tagnr = p + 1;
            part.level = 4000;
            data.addpart(1, part);
        }
        PlayRow header;
        header.Category = QStringLiteral("Bench");
        header.Drillname = QStringLiteral("Crowded sketch");
        bytes = storedPlay(data, header);
    }
    return bytes;
}

// Loading is linear in the parts of a sketch: parts/s stays the same from
// 40,000 to 160,000 parts (the time grows at most about 4.5 times).
void BM_LoadSketch(benchmark::State &state)
{
    const int parts = int(state.range(0));
    QByteArray bytes = sketchFile(parts);
    for (auto _ : state) {
        Tables tables;
        DataModule data(tables);
        PlayRow loaded;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        if (PlayFile::read(buffer, data, loaded) != PlayReadError::None || tables.parts.size() != parts)
            state.SkipWithError("the sketch did not load");
    }
    state.counters["parts/s"] = benchmark::Counter(double(parts), benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(BM_LoadSketch)
    ->Unit(benchmark::kMillisecond)
    ->Arg(40000)
    ->Arg(160000)
    ->Name("load one sketch of N parts (target: parts/s at 160000 at least 0.9 x at 40000)");
BENCHMARK(BM_LoadPlay)->Unit(benchmark::kMillisecond)->Name("load 50x60 play (target: median < 20 ms)");
BENCHMARK(BM_StorePlay)->Unit(benchmark::kMillisecond)->Name("store 50x60 play (target: median < 20 ms)");
BENCHMARK_MAIN();
