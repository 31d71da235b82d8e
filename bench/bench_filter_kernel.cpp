// The filter kernel of a filter run on the real history: direct bets (the
// 1,000 candidates once each, or 100,000 bets drawn from them) against the
// conditions of all eight views (every condition on) and the three other
// filters, the history-draw items looking back 300 issues and over all
// issues. The reference is a tight lookup: every candidate's values
// computed beforehand, every condition a membership table, every (bet,
// view) pair decided without a branch.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "bench_support.h"
#include "data/lottor_data.h"
#include "engine/indicators.h"
#include "engine/stat.h"
#include "filter/filter_run.h"

namespace {

using namespace kelton;
using namespace kelton::bench;

constexpr int kSlots = 46; // indicators 0..42, positions 43..45

// One view's conditions as the tight lookup holds them: per live slot a
// membership table over the span of values the candidates take there.
struct TightView {
    struct Condition {
        int Slot = 0;
        int Low = 0;    // the smallest value the table covers
        int Offset = 0; // where its table starts in Tables
        int Tolerated = 0;
    };
    std::vector<Condition> Conditions;
    std::vector<uint8_t> Tables;
    std::vector<uint8_t> TolerancePasses; // errors 0..kSlots
};

struct Kernel {
    QTemporaryDir Dir;
    std::unique_ptr<CLottorData> Game;
    std::vector<std::vector<int16_t>> Candidates; // 000..999, positions 0..3
    std::vector<int32_t> Few;                     // each candidate once
    std::vector<int32_t> Many;                    // 100,000 draws from them
    int32_t Target = 0;
    double FirstOtherSeconds = 0; // the first FilterOther of a target after the build
    bool Ok = false;

    // The reference: every candidate's 46 values per view.
    std::vector<std::vector<int16_t>> Values; // [view][candidate * 46 + k]
    std::vector<TightView> Tight;

    CStat& View(int v) const { return *Game->StatView(static_cast<int16_t>(v)); }

    void SetConditions()
    {
        for (int v = 0; v < 8; ++v) {
            CStat& view = View(v);
            // Every condition on and tolerated, so that every bet meets every
            // test; the view's tolerance lets any count through.
            for (int16_t k = 0; k < kSlots; ++k) {
                view.SetShrinkSel(k, 1);
                view.SetShrinkErr(k, 1);
            }
            view.SetShrinkSel(kSlots, 1);
            view.SetShrinkVal(kSlots, StrToRange(u"0-46", 0, 46));
        }
        SetOtherFilters(*Game);
    }

    // The candidates' values and the membership tables, outside any timing.
    void BuildReference()
    {
        Values.assign(8, {});
        Tight.assign(8, {});
        for (int v = 0; v < 8; ++v) {
            CStat& view = View(v);
            view.IniShrinkData();
            const StatRecord target = view.LoadRecord(Target);
            const StatRecord prev = view.LoadRecord(Target - 1);
            const StatRecord prev2 = view.LoadRecord(Target - 2);
            const StatLayout& L = target.Layout();
            std::vector<int16_t>& values = Values[static_cast<size_t>(v)];
            values.resize(Candidates.size() * kSlots);
            for (size_t b = 0; b < Candidates.size(); ++b) {
                int16_t num[4] = {0}, sorted[4] = {0};
                for (int p = 1; p <= 3; ++p)
                    num[p] = sorted[p] = target.Data(2, Candidates[b][static_cast<size_t>(p)]);
                std::sort(sorted + 1, sorted + 4);
                IndicatorInput in;
                in.State = &target;
                in.Num = num;
                in.Sorted = sorted;
                in.PrevNum = prev.Words() + L.Num;
                in.PrevSorted = prev.Words() + L.Sorted;
                in.Prev2Sorted = prev2.Words() + L.Sorted;
                in.Index = target.Index();
                IndicatorValues out;
                ComputeIndicators(in, out);
                int16_t* row = values.data() + b * kSlots;
                std::copy(out.begin(), out.end(), row);
                for (int p = 1; p <= 3; ++p)
                    row[42 + p] = num[p];
            }
            TightView& t = Tight[static_cast<size_t>(v)];
            for (int16_t k = 0; k < kSlots; ++k) {
                const ValueSet set = view.ShrinkVal(k);
                if (!view.ShrinkSel(k) || set.Count() == 0)
                    continue;
                int low = INT16_MAX, high = INT16_MIN;
                for (size_t b = 0; b < Candidates.size(); ++b) {
                    low = std::min<int>(low, values[b * kSlots + static_cast<size_t>(k)]);
                    high = std::max<int>(high, values[b * kSlots + static_cast<size_t>(k)]);
                }
                t.Conditions.push_back({k, low, static_cast<int>(t.Tables.size()), view.ShrinkErr(k) ? 1 : 0});
                for (int x = low; x <= high; ++x)
                    t.Tables.push_back(set.Contains(static_cast<int16_t>(x)) ? 1 : 0);
            }
            const ValueSet tol = view.ShrinkVal(kSlots);
            for (int e = 0; e <= kSlots; ++e)
                t.TolerancePasses.push_back(!view.ShrinkSel(kSlots) || tol.Contains(static_cast<int16_t>(e)) ? 1 : 0);
        }
    }

    // The tight lookup's answer for one pair: the tolerated failures, or -1.
    int16_t Decide(int v, int32_t candidate) const
    {
        const TightView& t = Tight[static_cast<size_t>(v)];
        const int16_t* row = Values[static_cast<size_t>(v)].data() + static_cast<size_t>(candidate) * kSlots;
        int errors = 0, hard = 0;
        for (const TightView::Condition& c : t.Conditions) {
            const int fail = 1 - t.Tables[static_cast<size_t>(c.Offset + row[c.Slot] - c.Low)];
            errors += fail & c.Tolerated;
            hard |= fail & (1 - c.Tolerated);
        }
        return hard | (1 - t.TolerancePasses[static_cast<size_t>(errors)]) ? int16_t(-1)
                                                                            : static_cast<int16_t>(errors);
    }

    Kernel()
    {
        const std::vector<Draw>& draws = SampleDraws();
        if (draws.empty())
            return;
        const QString file = Dir.filePath(QStringLiteral("fc3d"));
        {
            CLottorData created;
            if (created.CreateData(QString::fromLatin1(kThreeDigitDefinition), file, 1000))
                return;
        }
        Game = std::make_unique<CLottorData>();
        if (Game->OpenData(8, file) || Game->Add(draws) != static_cast<int16_t>(draws.size()) ||
            Game->UpData())
            return;
        Target = Game->NumCount(); // the next issue
        for (int n = 0; n < 1000; ++n) {
            Candidates.push_back({0, static_cast<int16_t>(n % 10), static_cast<int16_t>(n / 10 % 10),
                                  static_cast<int16_t>(n / 100)});
            Few.push_back(n);
        }
        uint32_t seed = 12345;
        for (int b = 0; b < 100000; ++b) {
            seed = seed * 1664525u + 1013904223u;
            Many.push_back(static_cast<int32_t>((seed >> 8) % 1000));
        }
        SetConditions();
        BuildReference();
        const auto first = std::chrono::steady_clock::now();
        Game->FilterOther(Candidates[0], Target);
        FirstOtherSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - first).count();
        // The lookup decides as the views do.
        for (int v = 0; v < 8; ++v) {
            View(v).GetFilterIni(Target);
            for (int32_t c : Few) {
                if (View(v).GetShrinkErr(Candidates[static_cast<size_t>(c)]) != Decide(v, c))
                    return;
            }
        }
        Ok = true;
    }
};

Kernel& K()
{
    static Kernel kernel;
    return kernel;
}

const std::vector<int32_t>& BetsOf(const Kernel& k, int64_t count)
{
    return count <= 1000 ? k.Few : k.Many;
}

// One filter run: prepare every view for the target, then per bet every
// view's test and the other filters. Returns the bets that pass.
int RunKernel(Kernel& k, const std::vector<int32_t>& bets)
{
    for (int v = 0; v < 8; ++v) {
        k.View(v).IniShrinkData();
        k.View(v).GetFilterIni(k.Target);
    }
    int live = 0;
    for (const int32_t c : bets) {
        const std::vector<int16_t>& bet = k.Candidates[static_cast<size_t>(c)];
        int total = 0;
        bool rejected = false;
        for (int v = 0; v < 8 && !rejected; ++v) {
            const int16_t errors = k.View(v).GetShrinkErr(bet);
            rejected = errors < 0;
            total += errors;
        }
        if (!rejected && k.Game->FilterOther(bet, k.Target))
            ++live;
        benchmark::DoNotOptimize(total);
    }
    return live;
}

// Every (bet, view) pair decided from the precomputed values.
int RunLookup(const Kernel& k, const std::vector<int32_t>& bets)
{
    int live = 0;
    for (const int32_t c : bets) {
        int rejected = 0;
        for (int v = 0; v < 8; ++v)
            rejected |= k.Decide(v, c) < 0;
        live += 1 - rejected;
    }
    return live;
}

bool Ready(benchmark::State& state)
{
    if (!K().Ok)
        state.SkipWithError("sample game not built, or the lookup decides otherwise");
    return K().Ok;
}

void BM_FilterKernel(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Kernel& k = K();
    const std::vector<int32_t>& bets = BetsOf(k, state.range(0));
    int live = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(live = RunKernel(k, bets));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bets.size()));
    state.counters["live"] = live;
    state.counters["first_other_after_build_ms"] = 1000 * k.FirstOtherSeconds;
}
BENCHMARK(BM_FilterKernel)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The filter run as the filter window makes it: a bet list of the same
// bets, the views behind their run adapters, the total tolerance off, the
// progress service and one pass through the event loop every 10 bets.
void BM_FilterRun(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Kernel& k = K();
    const std::vector<int32_t>& bets = BetsOf(k, state.range(0));
    BetList list(3);
    for (const int32_t c : bets)
        list.AddBet(k.Candidates[static_cast<size_t>(c)]);
    std::vector<StatShrinkView> adapters;
    for (int v = 0; v < 8; ++v)
        adapters.emplace_back(k.View(v), int16_t{3});
    std::vector<IShrinkView*> views;
    for (StatShrinkView& a : adapters)
        views.push_back(&a);
    const OtherFilterTest other = [&k](std::span<const int16_t> d) { return k.Game->FilterOther(d, k.Target); };
    CMsg msg;
    int32_t marked = 0;
    for (auto _ : state) {
        const RemovalOutcome out = RunFilter(list, views, {}, other, k.Target, msg, {});
        marked = out.Marked;
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bets.size()));
    state.counters["removed"] = marked;
    state.counters["live"] = list.LiveCount();
}
BENCHMARK(BM_FilterRun)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_ViewConditionsOnly(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Kernel& k = K();
    for (int v = 0; v < 8; ++v)
        k.View(v).GetFilterIni(k.Target);
    for (auto _ : state) {
        int sum = 0;
        for (const int32_t c : k.Few) {
            for (int v = 0; v < 8; ++v)
                sum += k.View(v).GetShrinkErr(k.Candidates[static_cast<size_t>(c)]);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(k.Few.size()));
}
BENCHMARK(BM_ViewConditionsOnly)->Unit(benchmark::kMicrosecond);

void BM_OtherFiltersOnly(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Kernel& k = K();
    for (auto _ : state) {
        int live = 0;
        for (const int32_t c : k.Few)
            live += k.Game->FilterOther(k.Candidates[static_cast<size_t>(c)], k.Target) ? 1 : 0;
        benchmark::DoNotOptimize(live);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(k.Few.size()));
}
BENCHMARK(BM_OtherFiltersOnly)->Unit(benchmark::kMicrosecond);

void BM_TightLookup(benchmark::State& state)
{
    if (!Ready(state))
        return;
    const std::vector<int32_t>& bets = BetsOf(K(), state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(RunLookup(K(), bets));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bets.size()));
}
BENCHMARK(BM_TightLookup)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Kernel and lookup in turn, in the same run; "ratio" is the median kernel
// run over the median lookup.
void BM_FilterKernelToLookupRatio(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Kernel& k = K();
    const std::vector<int32_t>& bets = BetsOf(k, state.range(0));
    std::vector<double> kernel, lookup;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(RunKernel(k, bets));
        const auto t1 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(RunLookup(k, bets));
        const auto t2 = std::chrono::steady_clock::now();
        kernel.push_back(std::chrono::duration<double>(t1 - t0).count());
        lookup.push_back(std::chrono::duration<double>(t2 - t1).count());
    }
    const double kt = Median(kernel);
    const double lt = Median(lookup);
    state.counters["kernel_us"] = 1e6 * kt;
    state.counters["lookup_us"] = 1e6 * lt;
    state.counters["ratio"] = lt > 0 ? kt / lt : 0;
}
BENCHMARK(BM_FilterKernelToLookupRatio)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
