// The bet list: making 1,000 direct bets (every digit at every position)
// against the floor of writing the same numbers into a flat array, the
// memory of a list of 100,000 bets (goal: under 16 MB), and one removing
// step over those 100,000 bets.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "filter/bet_commands.h"
#include "core/bet_list.h"
#include "core/msg_service.h"

namespace {

using namespace kelton;

BetSelection EveryDigit()
{
    BetSelection s;
    for (int16_t p = 1; p <= 3; ++p)
        for (int16_t v = 0; v <= 9; ++v)
            s.Digits[static_cast<size_t>(p)].push_back(v);
    return s;
}

void BM_ExpandDirect1000(benchmark::State& state)
{
    const BetSelection sel = EveryDigit();
    BetList list(3);
    CMsg msg;
    for (auto _ : state) {
        const ExpandOutcome out = ExpandBets(BetType::Direct, sel, 3, list, msg, {});
        benchmark::DoNotOptimize(out.Count);
    }
    state.counters["bets"] = list.BetCount();
}
BENCHMARK(BM_ExpandDirect1000);

// The floor: the same 1,000 bets written into a fresh flat array.
void BM_WriteDirect1000Floor(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<int16_t> d(4000, 0);
        size_t at = 0;
        for (int16_t h = 0; h < 10; ++h)
            for (int16_t t = 0; t < 10; ++t)
                for (int16_t u = 0; u < 10; ++u, at += 4) {
                    d[at + 1] = u;
                    d[at + 2] = t;
                    d[at + 3] = h;
                }
        benchmark::DoNotOptimize(d.data());
    }
}
BENCHMARK(BM_WriteDirect1000Floor);

BetList HundredThousand()
{
    std::vector<int16_t> d;
    d.reserve(400000);
    for (int32_t i = 0; i < 100000; ++i)
        d.insert(d.end(), {0, static_cast<int16_t>(i % 10), static_cast<int16_t>(i / 10 % 10),
                           static_cast<int16_t>(i / 100 % 10)});
    BetList list(3);
    list.AssignBets(std::move(d));
    return list;
}

void BM_BetListMemory100k(benchmark::State& state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        BetList list = HundredThousand();
        bytes = list.MemoryBytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_BetListMemory100k)->Unit(benchmark::kMillisecond);

// Delete all over 100,000 live bets, then undo: one walk of the list.
void BM_DeleteAllThenUndo100k(benchmark::State& state)
{
    BetList list = HundredThousand();
    CMsg msg;
    for (auto _ : state) {
        const RemovalOutcome out = DelResultAll(list, msg);
        list.Undo();
        benchmark::DoNotOptimize(out.Marked);
    }
}
BENCHMARK(BM_DeleteAllThenUndo100k)->Unit(benchmark::kMicrosecond);

} // namespace
