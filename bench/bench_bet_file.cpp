// Bet files: loading a file of 1,000,000 bets against reading and splitting
// its lines alone, in the same run (goal: within 3 times), and the memory of
// the loaded list (goal: under 100 MB). The floors: the file's bytes split
// at the line ends, and the same lines decoded as text.

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "core/bet_list.h"
#include "core/msg_service.h"
#include "data/lottor_head.h"
#include "data/text_helpers.h"
#include "platform/gbk.h"
#include "results/bet_file.h"

namespace {

using namespace kelton;

constexpr int32_t kBets = 1000000;

const CLottorHead& Head()
{
    static const CLottorHead head = [] {
        CLottorHead h;
        h.SetHeadStr(QStringLiteral("[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
        return h;
    }();
    return head;
}

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

// 1,000,000 live bets.
const BetList& Million()
{
    static const BetList list = [] {
        std::vector<int16_t> digits;
        digits.reserve(static_cast<size_t>(kBets) * 4);
        for (int32_t i = 0; i < kBets; ++i)
            digits.insert(digits.end(), {0, static_cast<int16_t>(i % 10), static_cast<int16_t>(i / 10 % 10),
                                         static_cast<int16_t>(i / 100 % 10)});
        BetList l(3);
        l.AssignBets(std::move(digits));
        return l;
    }();
    return list;
}

// The file, written once by the bet save.
const QString& BetFilePath()
{
    static const QString path = [] {
        const QString p = Folder().filePath(QStringLiteral("million.voskr"));
        const BetList& list = Million();
        CMsg msg;
        const BetFileOutcome out = SaveBetFile(p, Head().NumFormatStr(0), Head(), QStringLiteral("Kelton"),
                                               list, BetFileProgress{msg, {}, {}});
        if (!out.Ok())
            std::abort();
        return p;
    }();
    return path;
}

double PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadBetFile1M(benchmark::State& state)
{
    const QString& path = BetFilePath();
    CMsg msg;
    size_t bytes = 0;
    int32_t count = 0;
    for (auto _ : state) {
        BetList list(3);
        const BetFileOutcome out =
            LoadBetFile(path, Head().NumFormatStr(0), Head(), list, BetFileProgress{msg, {}, {}});
        if (!out.Ok())
            state.SkipWithError("load failed");
        bytes = list.MemoryBytes();
        count = list.BetCount();
        benchmark::DoNotOptimize(list);
    }
    state.counters["bets"] = count;
    state.counters["list_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_LoadBetFile1M)->Unit(benchmark::kMillisecond);

// For comparison: saving the same bets.
void BM_SaveBetFile1M(benchmark::State& state)
{
    const BetList& list = Million();
    const QString path = Folder().filePath(QStringLiteral("saved.voskr"));
    CMsg msg;
    for (auto _ : state) {
        const BetFileOutcome out = SaveBetFile(path, Head().NumFormatStr(0), Head(), QStringLiteral("Kelton"),
                                               list, BetFileProgress{msg, {}, {}});
        if (!out.Ok())
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveBetFile1M)->Unit(benchmark::kMillisecond);

// Floor 1: the file read in the load's pieces and its bytes split at LF.
void BM_SplitBetFileBytes1M(benchmark::State& state)
{
    const QString& path = BetFilePath();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        int64_t lines = 0;
        int64_t chars = 0;
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        while (!file.atEnd()) {
            const qint64 got = file.read(chunk.data(), chunk.size());
            if (got <= 0)
                break;
            const QByteArrayView view(chunk.constData(), got);
            qsizetype begin = 0;
            for (qsizetype end; (end = view.indexOf('\n', begin)) >= 0; begin = end + 1) {
                ++lines;
                chars += end - begin;
            }
        }
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(chars);
    }
}
BENCHMARK(BM_SplitBetFileBytes1M)->Unit(benchmark::kMillisecond);

// Floor 2: the file read whole, decoded from GBK and split into text lines.
void BM_SplitBetFileText1M(benchmark::State& state)
{
    const QString& path = BetFilePath();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        const QStringList lines = SplitLines(FromGbk(file.readAll()));
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_SplitBetFileText1M)->Unit(benchmark::kMillisecond);

} // namespace
