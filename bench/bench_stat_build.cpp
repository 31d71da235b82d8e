// A full rebuild of the eight statistics views of the real history, against
// the same bytes written in 1 MiB blocks into fresh files (neither side
// forces anything to disk), in the same run; and the rebuild's scaling from
// 1,000 to 32,766 draws, each measured in a fresh process.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <vector>

#include <QTemporaryDir>

#include "bench_support.h"
#include "engine/stat.h"
#include "engine/stat_views.h"

namespace {

using namespace kelton;
using namespace kelton::bench;

constexpr int64_t kRecLen = 6040; // the three-digit game's record

const StatHistory& Sample()
{
    static const StatHistory h = HistoryOf(static_cast<int32_t>(SampleDraws().size()));
    return h;
}

struct Views {
    std::vector<std::unique_ptr<CStat>> Owned;
    std::vector<CStat*> Pointers;

    bool Create(const QTemporaryDir& dir)
    {
        Owned.clear();
        Pointers.clear();
        for (int16_t v = 0; v < CStat::kViewCount; ++v) {
            Owned.push_back(std::make_unique<CStat>());
            if (!Owned.back()->StatCreate(ThreeDigitHead(), dir.filePath(QStringLiteral("lottor1000.%1").arg(v)),
                                          v))
                return false;
            Pointers.push_back(Owned.back().get());
        }
        return true;
    }
};

int64_t FileBytes()
{
    return 37 + (static_cast<int64_t>(Sample().Issues.size()) + 1) * kRecLen;
}

int64_t RebuildBytes()
{
    return CStat::kViewCount * FileBytes();
}

// A full rebuild of all eight views of the real history, files created
// afresh.
double RebuildAll(const QTemporaryDir& dir, benchmark::State& state)
{
    const auto start = std::chrono::steady_clock::now();
    Views views;
    if (!views.Create(dir) || BuildStatViews(views.Pointers, Sample().Issues, Sample().Numbers, 0))
        state.SkipWithError("rebuild failed");
    views.Owned.clear(); // closes the files
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The same number of bytes in eight fresh files, written in 1 MiB blocks.
double BlockWrite(const QTemporaryDir& dir, const std::vector<char>& block)
{
    const auto start = std::chrono::steady_clock::now();
    for (int v = 0; v < CStat::kViewCount; ++v) {
        const QByteArray path = dir.filePath(QStringLiteral("plain.%1").arg(v)).toLocal8Bit();
        ::unlink(path.constData());
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return 0;
        for (int64_t left = FileBytes(); left > 0;) {
            const size_t take = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(block.size())));
            if (::write(fd, block.data(), take) != static_cast<ssize_t>(take))
                break;
            left -= static_cast<int64_t>(take);
        }
        ::close(fd);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_StatRebuildAllViews(benchmark::State& state)
{
    QTemporaryDir dir;
    for (auto _ : state)
        state.SetIterationTime(RebuildAll(dir, state));
    state.SetBytesProcessed(state.iterations() * RebuildBytes());
    state.counters["draws"] = static_cast<double>(Sample().Issues.size());
}
BENCHMARK(BM_StatRebuildAllViews)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BlockWriteSameBytes(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::vector<char> block(size_t(1) << 20, 'x');
    for (auto _ : state)
        state.SetIterationTime(BlockWrite(dir, block));
    state.SetBytesProcessed(state.iterations() * RebuildBytes());
}
BENCHMARK(BM_BlockWriteSameBytes)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Both in turn, in the same run, five times each; "ratio" is the median
// rebuild over the median block write.
void BM_StatRebuildToBlockWriteRatio(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::vector<char> block(size_t(1) << 20, 'x');
    std::vector<double> rebuild;
    std::vector<double> write;
    for (auto _ : state) {
        rebuild.push_back(RebuildAll(dir, state));
        write.push_back(BlockWrite(dir, block));
    }
    const double r = Median(rebuild);
    const double w = Median(write);
    state.counters["rebuild_ms"] = 1000 * r;
    state.counters["block_write_ms"] = 1000 * w;
    state.counters["ratio"] = w > 0 ? r / w : 0;
}
BENCHMARK(BM_StatRebuildToBlockWriteRatio)->Unit(benchmark::kMillisecond)->Iterations(5);

// Bringing all eight views up to date from the last draw (sStart = count - 1:
// the last draw and the next issue per view) after a full build.
void BM_StatRebuildFromLastDraw(benchmark::State& state)
{
    QTemporaryDir dir;
    Views views;
    if (!views.Create(dir) || BuildStatViews(views.Pointers, Sample().Issues, Sample().Numbers, 0)) {
        state.SkipWithError("rebuild failed");
        return;
    }
    const int32_t last = static_cast<int32_t>(Sample().Issues.size()) - 1;
    for (auto _ : state) {
        if (BuildStatViews(views.Pointers, Sample().Issues, Sample().Numbers, last))
            state.SkipWithError("update failed");
    }
}
BENCHMARK(BM_StatRebuildFromLastDraw)->Unit(benchmark::kMillisecond);

// A rebuild of all views of the sample draws repeated to the given length,
// each run in a fresh process: time and file bytes per draw, the time per
// draw of writing the same bytes in 1 MiB blocks, and how much the process's
// peak memory grew per draw (medians of three runs).
void BM_StatRebuildScaling(benchmark::State& state)
{
    const QString draws = QString::number(state.range(0));
    std::vector<double> ms, perDraw, writePerDraw, bytes, growth;
    for (auto _ : state) {
        for (int run = 0; run < 3; ++run) {
            auto out = RunProbe({QStringLiteral("rebuild"), draws});
            if (out.empty()) {
                state.SkipWithError("the probe failed");
                return;
            }
            ms.push_back(out["ms"]);
            perDraw.push_back(out["us_per_draw"]);
            writePerDraw.push_back(out["block_write_us_per_draw"]);
            bytes.push_back(out["file_bytes_per_draw"]);
            growth.push_back(out["peak_growth_bytes_per_draw"]);
        }
    }
    state.counters["rebuild_ms"] = Median(ms);
    state.counters["us_per_draw"] = Median(perDraw);
    state.counters["block_write_us_per_draw"] = Median(writePerDraw);
    state.counters["file_bytes_per_draw"] = Median(bytes);
    state.counters["peak_growth_bytes_per_draw"] = Median(growth);
}
BENCHMARK(BM_StatRebuildScaling)->Arg(1000)->Arg(32766)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
