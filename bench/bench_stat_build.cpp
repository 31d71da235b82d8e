#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "data/lottor_head.h"
#include "engine/stat.h"
#include "engine/stat_views.h"

namespace {

using namespace kelton;

struct SampleHistory {
    std::vector<int32_t> Issues;
    std::vector<int16_t> Numbers; // positions 0..3 per draw, position 1 = units
};

const SampleHistory& Sample()
{
    static const SampleHistory history = [] {
        SampleHistory h;
        QFile file(QStringLiteral(KELTON_SAMPLE_HISTORY));
        if (!file.open(QIODevice::ReadOnly))
            return h;
        file.readLine(); // column titles
        while (!file.atEnd()) {
            const QList<QByteArray> fields = file.readLine().trimmed().split(',');
            if (fields.size() < 3 || fields[2].size() != 3)
                continue;
            h.Issues.push_back(fields[0].toInt());
            const QByteArray& digits = fields[2]; // hundreds, tens, units as drawn
            h.Numbers.insert(h.Numbers.end(),
                             {0, static_cast<int16_t>(digits[2] - '0'), static_cast<int16_t>(digits[1] - '0'),
                              static_cast<int16_t>(digits[0] - '0')});
        }
        return h;
    }();
    return history;
}

CLottorHead& Head()
{
    static CLottorHead head;
    if (!head.Enable())
        head.SetHeadStr(QStringLiteral("[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"
                                       "[MRDATALEN]\r\n0\r\n[MRMAIN]\r\n0\r\n"));
    return head;
}

double PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
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
            if (!Owned.back()->StatCreate(Head(), dir.filePath(QStringLiteral("lottor1000.%1").arg(v)), v))
                return false;
            Pointers.push_back(Owned.back().get());
        }
        return true;
    }
};

int64_t RebuildBytes()
{
    const int64_t recLen = 6040; // the three-digit game's record
    return CStat::kViewCount * (37 + (static_cast<int64_t>(Sample().Issues.size()) + 1) * recLen);
}

// A full rebuild of all eight views of the real history.
double RebuildAll(const QTemporaryDir& dir, benchmark::State& state)
{
    const auto start = std::chrono::steady_clock::now();
    Views views;
    if (!views.Create(dir) || BuildStatViews(views.Pointers, Sample().Issues, Sample().Numbers, 0))
        state.SkipWithError("rebuild failed");
    views.Owned.clear(); // closes the files
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The same number of bytes in eight files, one record-sized buffered write
// at a time.
double PlainWrite(const QTemporaryDir& dir)
{
    const auto start = std::chrono::steady_clock::now();
    std::vector<char> record(6040, 'x');
    const size_t records = Sample().Issues.size() + 1;
    for (int v = 0; v < CStat::kViewCount; ++v) {
        const QByteArray path = dir.filePath(QStringLiteral("plain.%1").arg(v)).toLocal8Bit();
        std::remove(path.constData());
        std::FILE* f = std::fopen(path.constData(), "wb");
        if (!f)
            return 0;
        std::fwrite(record.data(), 1, 37, f);
        for (size_t r = 0; r < records; ++r)
            std::fwrite(record.data(), 1, record.size(), f);
        std::fclose(f);
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
    state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_StatRebuildAllViews)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PlainWriteSameBytes(benchmark::State& state)
{
    QTemporaryDir dir;
    for (auto _ : state)
        state.SetIterationTime(PlainWrite(dir));
    state.SetBytesProcessed(state.iterations() * RebuildBytes());
}
BENCHMARK(BM_PlainWriteSameBytes)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Both in turn, in the same run; "ratio" is rebuild time over write time.
void BM_StatRebuildToPlainWriteRatio(benchmark::State& state)
{
    QTemporaryDir dir;
    double rebuild = 0;
    double write = 0;
    for (auto _ : state) {
        rebuild += RebuildAll(dir, state);
        write += PlainWrite(dir);
    }
    state.counters["rebuild_ms"] = 1000 * rebuild / static_cast<double>(state.iterations());
    state.counters["write_ms"] = 1000 * write / static_cast<double>(state.iterations());
    state.counters["ratio"] = write > 0 ? rebuild / write : 0;
    state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_StatRebuildToPlainWriteRatio)->Unit(benchmark::kMillisecond)->Iterations(5);

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

} // namespace
