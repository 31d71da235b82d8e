#include <utility>
#include <vector>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "engine/cycles.h"
#include "engine/stat.h"
#include "engine/stat_record.h"
#include "stat_test_views.h"

namespace kelton::test {
namespace {

constexpr int kValues = 1000;

// The cycles of record i at one position, where draw d holds numbers[d] and
// draws not listed hold a number of their own (so they form no cycle).
struct CycleResult {
    int16_t WithCycle = 0;
    std::vector<std::vector<std::pair<int, int>>> ByValue;
};

CycleResult Cycles(int32_t i, const std::vector<std::pair<int, int>>& drawn)
{
    std::vector<int16_t> numbers(static_cast<size_t>(std::max(i, 1)));
    for (int d = 0; d < i; ++d)
        numbers[static_cast<size_t>(d)] = static_cast<int16_t>(100 + d);
    for (auto [d, v] : drawn)
        if (d < i)
            numbers[static_cast<size_t>(d)] = static_cast<int16_t>(v);
    std::vector<int16_t> cycles(static_cast<size_t>(kValues * kCycleRecWords), 0);
    CycleResult r;
    r.WithCycle = BuildCycles(i, i > 0 ? &numbers[static_cast<size_t>(i - 1)] : numbers.data(), 1,
                              cycles.data(), kValues);
    r.ByValue.resize(kValues);
    for (int v = 0; v < kValues; ++v) {
        const int16_t* rec = &cycles[static_cast<size_t>(v * kCycleRecWords)];
        for (int c = 0; c < rec[2 * kCycleSlots]; ++c)
            r.ByValue[static_cast<size_t>(v)].push_back({rec[c], rec[kCycleSlots + c]});
    }
    return r;
}

using Cycle = std::vector<std::pair<int, int>>;

// At record 20, value 4 was drawn in draws 18, 17, 16 and 14 only: period 2
// finds 18, 16, 14 (runs 3), period 3 finds 17, 14 (runs 2).
TEST(BuildCycles, WorkedExample)
{
    const CycleResult r = Cycles(20, {{18, 4}, {17, 4}, {16, 4}, {14, 4}});
    EXPECT_EQ(r.ByValue[4], (Cycle{{2, 3}, {3, 2}}));
    EXPECT_EQ(r.WithCycle, 1);
}

// Drawn in exactly the last 10 draws: periods 2..5 with 5, 3, 2, 2 runs; a
// single hit (periods 6..10) is no cycle.
TEST(BuildCycles, LastTenDraws)
{
    std::vector<std::pair<int, int>> drawn;
    for (int d = 40; d < 50; ++d)
        drawn.push_back({d, 7});
    const CycleResult r = Cycles(50, drawn);
    EXPECT_EQ(r.ByValue[7], (Cycle{{2, 5}, {3, 3}, {4, 2}, {5, 2}}));
}

// The look-back stops before 100 draws: a value drawn every time counts 6
// hits at period 15 (15 .. 90) and 9 at period 10 (10 .. 90).
TEST(BuildCycles, LookBackStopsBefore100)
{
    std::vector<std::pair<int, int>> drawn;
    for (int d = 0; d < 300; ++d)
        drawn.push_back({d, 5});
    const CycleResult r = Cycles(300, drawn);
    ASSERT_EQ(r.ByValue[5].size(), 14u);
    EXPECT_EQ(r.ByValue[5][0], std::make_pair(2, 49));
    EXPECT_EQ(r.ByValue[5][8], std::make_pair(10, 9));
    EXPECT_EQ(r.ByValue[5][13], std::make_pair(15, 6));
}

// Records 0..3 can hold no cycle; record 4 can (draws 2 and 0).
TEST(BuildCycles, FirstRecordWithACycle)
{
    for (int32_t i = 0; i <= 3; ++i)
        EXPECT_EQ(Cycles(i, {{0, 1}, {1, 1}, {2, 1}}).WithCycle, 0) << i;
    const CycleResult r = Cycles(4, {{0, 1}, {2, 1}});
    EXPECT_EQ(r.ByValue[1], (Cycle{{2, 2}}));
    EXPECT_EQ(r.WithCycle, 1);
}

// A number outside the value range is skipped, never used as an index.
TEST(BuildCycles, NumberOutsideTheRangeIsSkipped)
{
    std::vector<int16_t> numbers(10, 5000);
    std::vector<int16_t> cycles(static_cast<size_t>(10 * kCycleRecWords), 0);
    EXPECT_EQ(BuildCycles(10, &numbers[9], 1, cycles.data(), 10), 0);
}

// Built records: IsCycle of a drawn number and of the next issue (value 0).
TEST(BuildCycles, IsCycleInTheRecords)
{
    History h;
    // Units: 0 every other draw (draws 0, 2, 4, ..), otherwise 1, 2, 3, 4.
    for (int d = 0; d < 9; ++d) {
        h.Issues.push_back(d + 1);
        h.Draws.push_back({0, static_cast<int16_t>(d % 2 == 0 ? 0 : 1 + d / 2), 5, 0});
    }
    BuiltViews built;
    ASSERT_TRUE(built.Build(Game{}, h, 1));
    CStat& view = *built.Set.Views[0];
    // Record 6: 0 was drawn at draws 4, 2, 0: period 2 with 3 runs.
    const StatRecord& r6 = view.LoadRecord(6);
    EXPECT_EQ(r6.Cycle(1, 0).Count, 1);
    EXPECT_EQ(r6.Cycle(1, 0).Period[0], 2);
    EXPECT_EQ(r6.Cycle(1, 0).Runs[0], 3);
    EXPECT_EQ(r6.IsCycle(1), 1);
    EXPECT_EQ(view.LoadRecord(7).IsCycle(1), 0); // draw 7 has units 4, no cycle
    // The tens repeat 5 every draw, the hundreds 0.
    EXPECT_EQ(view.LoadRecord(8).CycleCount(2), 1);
    // The next issue's numbers are 0, so its flags refer to the value 0: it
    // cycles in the hundreds, not in the tens (always 5), and not in the
    // units (draws 8, 6, 4 .. are 1, 3, 5 .. draws back).
    EXPECT_EQ(view.LoadRecord(9).IsCycle(3), 1);
    EXPECT_EQ(view.LoadRecord(9).IsCycle(2), 0);
    EXPECT_EQ(view.LoadRecord(9).IsCycle(1), 0);
}

TEST(Recent7, CountsEachDrawOnceOverTheLastSeven)
{
    History h;
    // Draws 0..7 all contain 3 (draw 2 twice), draw 8 does not.
    for (int d = 0; d < 10; ++d) {
        h.Issues.push_back(d + 1);
        if (d < 8)
            h.Draws.push_back({0, 3, static_cast<int16_t>(d == 2 ? 3 : 1), 9});
        else
            h.Draws.push_back({0, 4, 4, 4});
    }
    BuiltViews built;
    ASSERT_TRUE(built.Build(Game{}, h, 1));
    CStat& view = *built.Set.Views[0];
    EXPECT_EQ(view.LoadRecord(0).Recent7(3), 0);
    EXPECT_EQ(view.LoadRecord(3).Recent7(3), 3); // draw 2 counts once
    EXPECT_EQ(view.LoadRecord(7).Recent7(3), 7); // draws 0..6
    EXPECT_EQ(view.LoadRecord(8).Recent7(3), 7); // draws 1..7
    EXPECT_EQ(view.LoadRecord(9).Recent7(3), 6); // draws 2..8
    EXPECT_EQ(view.LoadRecord(10).Recent7(4), 2);
    EXPECT_EQ(view.LoadRecord(10).Recent7(1), 5); // draws 3..7 (draw 2 had no 1)
}

TEST(Recent7, UpdateSkipsRepeatsAndForeignNumbers)
{
    const int16_t prev[4] = {1, 1, 1, 1};
    const int16_t prevSorted[4] = {0, 2, 2, 77};
    const int16_t leaving[4] = {0, 0, 0, 3};
    int16_t out[4] = {};
    UpdateRecent7(8, prev, prevSorted, leaving, 3, 4, out);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[2], 2);
    EXPECT_EQ(out[3], 0);
    UpdateRecent7(0, prev, prevSorted, leaving, 3, 4, out);
    EXPECT_EQ(out[2], 0);
}

} // namespace
} // namespace kelton::test
