// Formula evaluation over the real history: the default consult formula and
// a selection formula of ten functions, evaluated for every period of the
// sample game (every draw and the next issue), as a formula run does.
//
// The reference is the statistics reads those evaluations make, alone: they
// are recorded once and replayed straight on the views in each iteration.
// Counters: reads_ms, the replay's time per pass, and ratio, the evaluation
// over the replay (goal: 5 or less).

#include <array>
#include <chrono>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/stat.h"
#include "formula/game_way_history.h"
#include "formula/way.h"
#include "sample_game.h"

namespace kelton {
namespace {

const char* const kConsult = "num(1,3,0)";
const char* const kSelection =
    "a=Num(1,3,1)\r\n"
    "b=Sor(0,6,0,2)\r\n"
    "c=Val(0,6,5,99)\r\n"
    "d=TiR(0,1,1,1,1)\r\n"
    "e=Rep(0,1,1,1)\r\n"
    "f=Cyc(1)|Cyc(2)|Cyc(3)\r\n"
    "Onl(Max(a|b|c,3)|Iis(f,22,Fil(1))|d)!e";

// One statistics read as the formula functions made it.
struct Read {
    enum Kind : uint8_t { Num, Stat, Data, Filter, Cycle, Flags } What;
    int16_t View;
    int32_t Index;
    int16_t A, B, C, D;
};

// The game's history, noting every read.
class RecordingHistory : public GameWayHistory {
public:
    using GameWayHistory::GameWayHistory;
    std::vector<Read> Reads;

    int16_t Num(int16_t v, int32_t i, int16_t x) override
    {
        Reads.push_back({Read::Num, v, i, x, 0, 0, 0});
        return GameWayHistory::Num(v, i, x);
    }
    int16_t Stat(int16_t v, int32_t i, int16_t x, int16_t y, int16_t kind, int16_t sort) override
    {
        Reads.push_back({Read::Stat, v, i, x, y, kind, sort});
        return GameWayHistory::Stat(v, i, x, y, kind, sort);
    }
    int16_t Data(int16_t v, int32_t i, int16_t y) override
    {
        Reads.push_back({Read::Data, v, i, y, 0, 0, 0});
        return GameWayHistory::Data(v, i, y);
    }
    int16_t Filter(int16_t v, int32_t i, int16_t kind) override
    {
        Reads.push_back({Read::Filter, v, i, kind, 0, 0, 0});
        return GameWayHistory::Filter(v, i, kind);
    }
    int16_t Cycle(int16_t v, int32_t i, int16_t x, int16_t y) override
    {
        Reads.push_back({Read::Cycle, v, i, x, y, 0, 0});
        return GameWayHistory::Cycle(v, i, x, y);
    }
    std::vector<int16_t> ClassFlags(int16_t v, int32_t i, Classes family, int16_t cls) override
    {
        Reads.push_back({Read::Flags, v, i, static_cast<int16_t>(family), cls, 0, 0});
        return GameWayHistory::ClassFlags(v, i, family, cls);
    }
};

// The reads replayed on the views; returns a sum so that none is skipped.
int64_t Replay(const CLottorData& game, const std::vector<Read>& reads)
{
    int64_t sum = 0;
    std::array<int16_t, kCycleSlots> periods{}, runs{};
    for (const Read& r : reads) {
        CStat& view = *game.StatView(r.View);
        switch (r.What) {
        case Read::Num:
            sum += view.Num(r.Index, r.A, 0);
            break;
        case Read::Stat:
            sum += view.Stat(r.Index, r.A, r.B, r.C, r.D);
            break;
        case Read::Data:
            sum += view.Data(r.Index, r.A, 0);
            break;
        case Read::Filter:
            sum += view.Filter(r.Index, r.A);
            break;
        case Read::Cycle:
            sum += view.Cycle(r.Index, r.A, r.B, periods, runs);
            break;
        case Read::Flags:
            sum += static_cast<int64_t>(r.A == 0   ? view.GetHWC(r.Index, r.B).size()
                                        : r.A == 1 ? view.GetNAP(r.Index, r.B).size()
                                                   : view.GetPSN(r.Index, r.B).size());
            break;
        }
    }
    return sum;
}

void BM_FormulaOverHistory(benchmark::State& state, const char* formula)
{
    CLottorData game;
    if (!bench::OpenSample(state, game))
        return;
    CWay way;
    int32_t start = 0, count = 0;
    if (way.TestStrWay(QString::fromLatin1(formula), start, count)) {
        state.SkipWithError("the formula did not parse");
        return;
    }
    const int32_t periods = game.NumCount() + 1;
    RecordingHistory recorder(game);
    for (int32_t p = 0; p < periods; ++p) {
        if (!way.GetWayResult(p, &recorder).Ok()) {
            state.SkipWithError("the formula failed");
            return;
        }
    }
    const std::vector<Read> reads = std::move(recorder.Reads);

    GameWayHistory history(game);
    using Clock = std::chrono::steady_clock;
    double evalSeconds = 0;
    double replaySeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        for (int32_t p = 0; p < periods; ++p)
            benchmark::DoNotOptimize(way.GetWayResult(p, &history));
        const auto t1 = Clock::now();
        state.PauseTiming();
        const auto t2 = Clock::now();
        benchmark::DoNotOptimize(Replay(game, reads));
        replaySeconds += std::chrono::duration<double>(Clock::now() - t2).count();
        evalSeconds += std::chrono::duration<double>(t1 - t0).count();
        state.ResumeTiming();
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["periods"] = periods;
    state.counters["reads"] = static_cast<double>(reads.size());
    state.counters["reads_ms"] = replaySeconds / iterations * 1e3;
    state.counters["ratio"] = evalSeconds / replaySeconds;
    state.SetItemsProcessed(state.iterations() * periods);
}

BENCHMARK_CAPTURE(BM_FormulaOverHistory, consult, kConsult)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FormulaOverHistory, selection, kSelection)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelton
