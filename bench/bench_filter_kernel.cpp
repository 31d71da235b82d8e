// The filter kernel of a filter run on the real history: 1,000 direct bets
// against the conditions of all eight views (every condition on) and the
// three other filters, the history-draw items looking back 300 issues and
// over all issues. The reference is a bare lookup of the same candidates'
// values in tables computed beforehand, with the same condition tests.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "data/lottor_data.h"
#include "engine/indicators.h"
#include "engine/stat.h"

namespace {

using namespace kelton;

constexpr int kSlots = 46; // indicators 0..42, positions 43..45

std::vector<Draw> SampleDraws()
{
    std::vector<Draw> draws;
    QFile file(QStringLiteral(KELTON_SAMPLE_HISTORY));
    if (!file.open(QIODevice::ReadOnly))
        return draws;
    file.readLine(); // column titles
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(',');
        if (fields.size() < 3 || fields[2].size() != 3)
            continue;
        const QByteArray& d = fields[2]; // hundreds, tens, units as drawn
        draws.push_back(Draw{fields[0].toInt(),
                             {0, static_cast<int16_t>(d[0] - '0'), static_cast<int16_t>(d[1] - '0'),
                              static_cast<int16_t>(d[2] - '0')}});
    }
    return draws;
}

QString Line(std::initializer_list<const char*> fields)
{
    QStringList out;
    for (const char* f : fields)
        out << QString::fromUtf8(f);
    return out.join(QLatin1Char('\t'));
}

struct Kernel {
    QTemporaryDir Dir;
    std::unique_ptr<CLottorData> Game;
    std::vector<std::vector<int16_t>> Bets; // 000..999, positions 0..3
    int32_t Target = 0;
    double OpenSeconds = 0;
    double FirstOtherSeconds = 0; // the first FilterOther of a target: its tables
    bool Ok = false;

    // The reference: every candidate's 46 values per view, and the
    // conditions flattened the same way the view holds them.
    std::vector<std::vector<int16_t>> Values; // [view][bet * 46 + k]
    std::vector<std::vector<int16_t>> Conditions;
    std::vector<std::vector<int16_t>> Tolerance;

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
        CLottorData& g = *Game;
        for (const char* items : {"1 3 5\t0-2", "0 1 2,3 4 5,6 7 8\t1-3"})
            g.FilterMatch.AddPerVal(QStringLiteral("√\t%1\tХ\t√").arg(QString::fromUtf8(items)));
        for (const QString& line :
             {Line({"√", "0", "300", "0", "0", "Х", "√"}), Line({"√", "0", "300", "0-1", "1", "Х", "√"}),
              Line({"√", "2", "300", "0-20", "2", "Х", "√"}), Line({"√", "0", "全部", "0-9", "0", "Х", "√"}),
              Line({"√", "5", "全部", "0-30", "1", "Х", "√"}),
              Line({"√", "7", "全部", "0-50", "2", "Х", "√"})})
            g.FilterHistory.AddPerVal(line);
        g.FilterGather.AddPerVal(Line({"√", "0", "0", "3", "1 5", "Х", "√"}));
        g.FilterGather.AddPerVal(Line({"√", "4", "1", "2", "0-4", "Х", "√"}));
        auto setList = [](auto& list) {
            list.Sel = 1;
            list.ErrSel = 1;
            list.SubErrSel = 1;
            list.SubErrVal = StrToRange(u"0-50", 0, 50);
        };
        setList(g.FilterMatch);
        setList(g.FilterHistory);
        setList(g.FilterGather);
        g.ShrinkOtherErrSel = 1;
        g.ShrinkOtherErrVal = StrToRange(u"0-3", 0, 3);
        g.ShrinkOtherErrValUbound = 1;
    }

    // The candidates' values computed once, outside any timing.
    void BuildReference()
    {
        Values.assign(8, {});
        Conditions.assign(8, {});
        Tolerance.assign(8, {});
        for (int v = 0; v < 8; ++v) {
            CStat& view = View(v);
            view.IniShrinkData();
            const StatRecord target = view.LoadRecord(Target);
            const StatRecord prev = view.LoadRecord(Target - 1);
            const StatRecord prev2 = view.LoadRecord(Target - 2);
            const StatLayout& L = target.Layout();
            std::vector<int16_t>& values = Values[static_cast<size_t>(v)];
            values.resize(Bets.size() * kSlots);
            for (size_t b = 0; b < Bets.size(); ++b) {
                int16_t num[4] = {0}, sorted[4] = {0};
                for (int p = 1; p <= 3; ++p)
                    num[p] = sorted[p] = target.Data(2, Bets[b][static_cast<size_t>(p)]);
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
            // The normalised sets are ascending: their ranges are tested as
            // they stand.
            for (int16_t k = 0; k < kSlots; ++k) {
                const ValueSet set = view.ShrinkVal(k);
                if (!view.ShrinkSel(k) || set.Count() == 0)
                    continue;
                auto& c = Conditions[static_cast<size_t>(v)];
                c.push_back(k);
                c.push_back(view.ShrinkErr(k) ? 1 : 0);
                c.push_back(static_cast<int16_t>(set.Count()));
                for (int r = 1; r <= set.Count(); ++r) {
                    c.push_back(set[r].Low);
                    c.push_back(set[r].High);
                }
            }
            const ValueSet tol = view.ShrinkVal(kSlots);
            for (int r = 1; r <= tol.Count(); ++r) {
                Tolerance[static_cast<size_t>(v)].push_back(tol[r].Low);
                Tolerance[static_cast<size_t>(v)].push_back(tol[r].High);
            }
        }
    }

    Kernel()
    {
        const std::vector<Draw> draws = SampleDraws();
        if (draws.empty())
            return;
        const auto start = std::chrono::steady_clock::now();
        const QString file = Dir.filePath(QStringLiteral("fc3d"));
        {
            CLottorData created;
            if (created.CreateData(
                    QStringLiteral("[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"), file, 1000))
                return;
        }
        Game = std::make_unique<CLottorData>();
        if (Game->OpenData(8, file, false) || Game->Add(draws) != static_cast<int16_t>(draws.size()) ||
            Game->UpData())
            return;
        OpenSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        Target = Game->NumCount(); // the next issue
        for (int n = 0; n < 1000; ++n)
            Bets.push_back({0, static_cast<int16_t>(n % 10), static_cast<int16_t>(n / 10 % 10),
                            static_cast<int16_t>(n / 100)});
        SetConditions();
        BuildReference();
        const auto first = std::chrono::steady_clock::now();
        Game->FilterOther(Bets[0], Target);
        FirstOtherSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - first).count();
        Ok = true;
    }
};

Kernel& K()
{
    static Kernel kernel;
    return kernel;
}

// One filter run over the 1,000 bets: prepare every view for the target,
// then per bet every view's test and the other filters. Returns the bets
// that pass.
int RunKernel(Kernel& k)
{
    for (int v = 0; v < 8; ++v) {
        k.View(v).IniShrinkData();
        k.View(v).GetFilterIni(k.Target);
    }
    int live = 0;
    for (const std::vector<int16_t>& bet : k.Bets) {
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

bool InRanges(const int16_t* ranges, int count, int x)
{
    for (int r = 0; r < count; ++r) {
        if (x < ranges[2 * r])
            return false;
        if (x <= ranges[2 * r + 1])
            return true;
    }
    return false;
}

// The same decisions from the precomputed values.
int RunLookup(const Kernel& k)
{
    int live = 0;
    for (size_t b = 0; b < k.Bets.size(); ++b) {
        int total = 0;
        bool rejected = false;
        for (int v = 0; v < 8 && !rejected; ++v) {
            const int16_t* values = k.Values[static_cast<size_t>(v)].data() + b * kSlots;
            const std::vector<int16_t>& conds = k.Conditions[static_cast<size_t>(v)];
            int errors = 0;
            for (size_t i = 0; i < conds.size() && !rejected;) {
                const int count = conds[i + 2];
                if (!InRanges(conds.data() + i + 3, count, values[conds[i]])) {
                    if (conds[i + 1] == 0)
                        rejected = true;
                    ++errors;
                }
                i += 3 + 2 * static_cast<size_t>(count);
            }
            const std::vector<int16_t>& tol = k.Tolerance[static_cast<size_t>(v)];
            if (!tol.empty() && !InRanges(tol.data(), static_cast<int>(tol.size() / 2), errors))
                rejected = true;
            total += errors;
        }
        if (!rejected)
            ++live;
        benchmark::DoNotOptimize(total);
    }
    return live;
}

void BM_FilterKernel(benchmark::State& state)
{
    Kernel& k = K();
    if (!k.Ok) {
        state.SkipWithError("sample game not built");
        return;
    }
    int live = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(live = RunKernel(k));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(k.Bets.size()));
    state.counters["live"] = live;
    state.counters["open_s"] = k.OpenSeconds;
    state.counters["first_other_ms"] = 1000 * k.FirstOtherSeconds;
}
BENCHMARK(BM_FilterKernel)->Unit(benchmark::kMicrosecond);

void BM_ViewConditionsOnly(benchmark::State& state)
{
    Kernel& k = K();
    if (!k.Ok) {
        state.SkipWithError("sample game not built");
        return;
    }
    for (int v = 0; v < 8; ++v)
        k.View(v).GetFilterIni(k.Target);
    for (auto _ : state) {
        int sum = 0;
        for (const std::vector<int16_t>& bet : k.Bets) {
            for (int v = 0; v < 8; ++v)
                sum += k.View(v).GetShrinkErr(bet);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(k.Bets.size()));
}
BENCHMARK(BM_ViewConditionsOnly)->Unit(benchmark::kMicrosecond);

void BM_OtherFiltersOnly(benchmark::State& state)
{
    Kernel& k = K();
    if (!k.Ok) {
        state.SkipWithError("sample game not built");
        return;
    }
    for (auto _ : state) {
        int live = 0;
        for (const std::vector<int16_t>& bet : k.Bets)
            live += k.Game->FilterOther(bet, k.Target) ? 1 : 0;
        benchmark::DoNotOptimize(live);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(k.Bets.size()));
}
BENCHMARK(BM_OtherFiltersOnly)->Unit(benchmark::kMicrosecond);

void BM_PrecomputedLookup(benchmark::State& state)
{
    Kernel& k = K();
    if (!k.Ok) {
        state.SkipWithError("sample game not built");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(RunLookup(k));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(k.Bets.size()));
}
BENCHMARK(BM_PrecomputedLookup)->Unit(benchmark::kMicrosecond);

// The loads alone: every value of every view and bet read and summed, no
// condition tested.
void BM_PrecomputedLoadsOnly(benchmark::State& state)
{
    Kernel& k = K();
    if (!k.Ok) {
        state.SkipWithError("sample game not built");
        return;
    }
    for (auto _ : state) {
        int sum = 0;
        for (size_t b = 0; b < k.Bets.size(); ++b) {
            for (int v = 0; v < 8; ++v) {
                const int16_t* values = k.Values[static_cast<size_t>(v)].data() + b * kSlots;
                for (int s = 0; s < kSlots; ++s)
                    sum += values[s];
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(k.Bets.size()));
}
BENCHMARK(BM_PrecomputedLoadsOnly)->Unit(benchmark::kMicrosecond);

// Kernel and lookup in turn, in the same run; "ratio" is kernel over lookup.
void BM_FilterKernelToLookupRatio(benchmark::State& state)
{
    Kernel& k = K();
    if (!k.Ok) {
        state.SkipWithError("sample game not built");
        return;
    }
    double kernel = 0;
    double lookup = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(RunKernel(k));
        auto t1 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(RunLookup(k));
        auto t2 = std::chrono::steady_clock::now();
        kernel += std::chrono::duration<double>(t1 - t0).count();
        lookup += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["kernel_us"] = 1e6 * kernel / n;
    state.counters["lookup_us"] = 1e6 * lookup / n;
    state.counters["ratio"] = lookup > 0 ? kernel / lookup : 0;
}
BENCHMARK(BM_FilterKernelToLookupRatio)->Unit(benchmark::kMicrosecond);

} // namespace
