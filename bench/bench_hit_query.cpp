// The prize query over 1,000,000 live bets (every three-digit number a
// thousand times) in the direct and group-6 modes, against the floor of one
// walk over the same flat digits comparing them with the draw.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/bet_list.h"
#include "results/hit_query.h"

namespace {

using namespace kelton;

const BetList& Million()
{
    static const BetList list = [] {
        std::vector<int16_t> digits;
        digits.reserve(4'000'000);
        for (int rep = 0; rep < 1000; ++rep)
            for (int16_t n = 0; n < 1000; ++n)
                digits.insert(digits.end(), {0, static_cast<int16_t>(n % 10), static_cast<int16_t>(n / 10 % 10),
                                             static_cast<int16_t>(n / 100)});
        BetList bets(3);
        bets.AssignBets(std::move(digits));
        return bets;
    }();
    return list;
}

const std::vector<int16_t> kDraw{0, 4, 9, 8};

void BM_HitQuery(benchmark::State& state)
{
    const BetList& bets = Million();
    const auto mode = static_cast<HitMode>(state.range(0));
    for (auto _ : state) {
        const HitTally tally = QueryHits(bets, mode, kDraw, 3, Currency::FromUnits(1040));
        benchmark::DoNotOptimize(tally.Count);
    }
    state.SetItemsProcessed(state.iterations() * bets.BetCount());
}
BENCHMARK(BM_HitQuery)->Arg(static_cast<int>(HitMode::Direct))->Arg(static_cast<int>(HitMode::Group6))
    ->Unit(benchmark::kMillisecond);

// The floor: the digits compared in place, no list, no liveness.
void BM_HitQueryFloor(benchmark::State& state)
{
    const BetList& bets = Million();
    for (auto _ : state) {
        int32_t hits = 0;
        for (int32_t i = 0; i < bets.BetCount(); ++i) {
            const auto d = bets.Digits(i);
            hits += d[1] == kDraw[1] && d[2] == kDraw[2] && d[3] == kDraw[3] ? 1 : 0;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * bets.BetCount());
}
BENCHMARK(BM_HitQueryFloor)->Unit(benchmark::kMillisecond);

} // namespace
