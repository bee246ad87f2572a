// Rebuilding the play index of a playbook of 10,000 plays, against reading
// the same files whole. The scan reads only each file's header, so it should
// cost at most twice the raw reading.

#include "store/datamodule.h"
#include "store/playfile/playfile.h"
#include "store/playfolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <map>

namespace {

constexpr int PlayCount = 10000;
constexpr int CategoryCount = 25;
constexpr int Sequences = 5;
constexpr int PartsPerSequence = 20;

// The playbook, written once by the program's own writer.
struct Playbook {
    QTemporaryDir dir;
    QList<QByteArray> paths; // encoded for open(2)
    qint64 bytes = 0;

    Playbook()
    {
        Tables tables;
        DataModule data(tables);
        for (int s = 1; s <= Sequences; ++s) {
            data.addsequence(s, s, false);
            tables.sequences.last().Text = QStringLiteral(
                "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Centre forward holds the "
                "two metre line; wings swim in on the whistle.\\par}\r\n");
            for (int p = 1; p <= PartsPerSequence; ++p) {
                PartFields part;
                part.Type = p % 4 == 0 ? QStringLiteral("pass") : QStringLiteral("Circle");
                part.Graphicnr = p;
                part.x1 = qint16(10 * p);
                part.y1 = qint16(12 * s + p);
                part.x2 = qint16(part.x1 + 20);
                part.y2 = qint16(part.y1 + 20);
                part.color = 0x0000ff;
                part.tekst = QString::number(p);
                part.fontname = QStringLiteral("Arial");
                part.tagnr = p;
                data.addpart(s, part);
            }
        }
        PlayRow header;
        header.Type = QStringLiteral("Drill");
        header.Createdby = QStringLiteral("Coach");
        for (int c = 0; c < CategoryCount; ++c) {
            const QString category = QStringLiteral("Category %1").arg(c);
            const QString folder = dir.path() + QStringLiteral("/data/") + category + u'/';
            QDir().mkpath(folder);
            for (int n = c; n < PlayCount; n += CategoryCount) {
                const QString name = QStringLiteral("Play %1").arg(n);
                QBuffer buffer;
                buffer.open(QIODevice::WriteOnly);
                PlayFile::write(buffer, data, header, category, name, QStringLiteral("1-1-2024 12:00:00"));
                const QString path = folder + name + QStringLiteral(".dat");
                QFile file(path);
                if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size())
                    qFatal("cannot write %s", qPrintable(path));
                paths.append(QFile::encodeName(path));
                bytes += buffer.size();
            }
        }
    }
};

const Playbook &playbook()
{
    static const Playbook book;
    return book;
}

void BM_Scan(benchmark::State &state)
{
    const Playbook &book = playbook();
    const PlayFolder folder(book.dir.path() + u'/');
    Tables tables;
    DataModule data(tables);
    for (auto _ : state) {
        folder.FillPlayDataset(data, QStringLiteral("1-1-2024 12:00:00"));
        benchmark::DoNotOptimize(tables.plays.data());
    }
    if (tables.plays.size() != PlayCount)
        state.SkipWithError("the scan did not list every play");
    state.counters["plays"] = double(tables.plays.size());
}

// Every file opened and read to its end, as cat would.
void BM_ReadRaw(benchmark::State &state)
{
    const Playbook &book = playbook();
    static char buffer[1 << 16];
    for (auto _ : state) {
        qint64 total = 0;
        for (const QByteArray &path : book.paths) {
            const int fd = ::open(path.constData(), O_RDONLY);
            for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;)
                total += n;
            if (fd >= 0)
                ::close(fd);
        }
        if (total != book.bytes)
            state.SkipWithError("not every byte was read");
    }
    state.SetBytesProcessed(state.iterations() * book.bytes);
}

BENCHMARK(BM_Scan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRaw)->Unit(benchmark::kMillisecond);

// Keeps the median of each benchmark (or its only run) to print the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.aggregate_name.empty() || run.aggregate_name == "median")
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double scan = reporter.times["BM_Scan"];
    const double raw = reporter.times["BM_ReadRaw"];
    if (scan > 0 && raw > 0) {
        std::printf("scan of %d plays (%.1f MB): %.1f ms, raw reading: %.1f ms, ratio %.2f "
                    "(target: at most 2)\n",
                    PlayCount, double(playbook().bytes) / 1e6, scan, raw, scan / raw);
    }
    benchmark::Shutdown();
    return 0;
}
