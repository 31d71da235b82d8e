#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/indicators.h"
#include "engine/stat_record.h"

namespace kelton {
namespace {

// Draws are written hundreds-tens-units; positions run from the units up.
std::vector<int16_t> ByPosition(int hundreds, int tens, int units)
{
    return {0, static_cast<int16_t>(units), static_cast<int16_t>(tens), static_cast<int16_t>(hundreds)};
}

std::vector<int16_t> SortedOf(std::vector<int16_t> num)
{
    std::sort(num.begin() + 1, num.end());
    return num;
}

class IndicatorTest : public ::testing::Test {
protected:
    IndicatorTest() : layout(std::make_shared<StatLayout>(9, 3, 3)), state(layout) {}

    void SetRecent7(int value, int16_t count) { state.Words()[layout->Recent7 + value] = count; }
    void SetStat(int p, int kind, int value, int16_t s)
    {
        state.Words()[layout->Stat[p] + StatLayout::StatIndex(kind, 0, value)] = s;
    }
    void SetCycleCount(int p, int value, int16_t count)
    {
        state.Words()[layout->Cycle[p] + kCycleRecWords * value + 2 * kCycleSlots] = count;
    }

    IndicatorValues Compute(const std::vector<int16_t>& num, const std::vector<int16_t>& prev,
                            const std::vector<int16_t>& prev2, int32_t index)
    {
        num_ = num;
        sorted_ = SortedOf(num);
        prev_ = prev;
        prevSorted_ = SortedOf(prev);
        prev2Sorted_ = SortedOf(prev2);
        IndicatorInput in;
        in.State = &state;
        in.Num = num_.data();
        in.Sorted = sorted_.data();
        in.PrevNum = prev_.data();
        in.PrevSorted = prevSorted_.data();
        in.Prev2Sorted = prev2Sorted_.data();
        in.Index = index;
        IndicatorValues out{};
        EXPECT_TRUE(ComputeIndicators(in, out));
        return out;
    }

    std::shared_ptr<StatLayout> layout;
    StatRecord state;
    std::vector<int16_t> num_, sorted_, prev_, prevSorted_, prev2Sorted_;
};

// Previous draw 4-0-8, the one before 2-5-9, current draw 1-2-3.
TEST_F(IndicatorTest, WorkedExample)
{
    SetRecent7(1, 3); // hot
    SetRecent7(2, 2); // warm
    SetRecent7(3, 1); // cold
    SetStat(1, StatKind::Miss, 3, 4);
    SetStat(2, StatKind::Miss, 2, 7);
    SetStat(3, StatKind::Miss, 1, 1);
    SetStat(1, StatKind::Interval, 3, 2);
    SetStat(1, StatKind::Miss, 0, 50); // other values do not count
    SetCycleCount(2, 2, 1);
    SetCycleCount(1, 2, 1);
    const IndicatorValues f = Compute(ByPosition(1, 2, 3), ByPosition(4, 0, 8), ByPosition(2, 5, 9), 5);

    struct Expect {
        int Kind;
        int Value;
    };
    for (const Expect& e :
         {Expect{0, 2},  Expect{1, 6},  Expect{2, 12},  Expect{3, 2},  Expect{4, 14},  Expect{5, 4},
          Expect{6, 2},  Expect{7, 6},  Expect{8, 2},   Expect{9, 1},  Expect{10, 2},  Expect{11, 3},
          Expect{12, 2}, Expect{13, 0}, Expect{14, 3},  Expect{15, 2}, Expect{16, 0},  Expect{17, 0},
          Expect{18, 0}, Expect{19, 1}, Expect{20, 1},  Expect{21, 1}, Expect{22, 1},  Expect{23, 1},
          Expect{24, 1}, Expect{25, 1}, Expect{26, 2},  Expect{27, 1}, Expect{28, 0},  Expect{29, 1},
          Expect{30, 2}, Expect{31, 1}, Expect{32, 0},  Expect{33, 2}, Expect{34, 0},  Expect{35, 1},
          Expect{36, 2}, Expect{37, 5}, Expect{38, 15}, Expect{39, 3}, Expect{40, 23}, Expect{41, 20},
          Expect{42, 25}})
        EXPECT_EQ(f[static_cast<size_t>(e.Kind)], e.Value) << "indicator " << e.Kind;
}

struct DrawCase {
    const char* Name;
    int H, T, U; // the draw, hundreds-tens-units
    int Kind;
    int Value;
};

class IndicatorCases : public IndicatorTest, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(IndicatorCases, Value)
{
    const DrawCase& c = GetParam();
    const IndicatorValues f = Compute(ByPosition(c.H, c.T, c.U), ByPosition(7, 3, 2), ByPosition(6, 6, 6), 9);
    EXPECT_EQ(f[static_cast<size_t>(c.Kind)], c.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Draws, IndicatorCases,
    ::testing::Values(DrawCase{"AcOfRepeat", 1, 1, 2, 0, 2}, DrawCase{"SameOfRepeat", 1, 1, 2, 18, 1},
                      DrawCase{"AcOfTriple", 1, 1, 1, 0, 1}, DrawCase{"SameOfTriple", 1, 1, 1, 18, 2},
                      DrawCase{"OddOfTriple", 1, 1, 1, 12, 3}, DrawCase{"SpanOfTriple", 3, 3, 3, 6, 0},
                      // 15 compares neighbouring positions, not sorted numbers.
                      DrawCase{"ConsecutiveByPosition", 1, 3, 2, 15, 1},
                      // Units 1, tens 2, hundreds 3: units weigh 3, and the units
                      // digit is the least significant pattern digit.
                      DrawCase{"PlaceWeights", 3, 2, 1, 4, 10}, DrawCase{"ConsecutiveUnits", 3, 2, 1, 15, 2},
                      DrawCase{"RoadPattern", 3, 2, 1, 38, 7},
                      // Against 2-3-7: each 3 is in it (pass), though also next to 2;
                      // 8 is a neighbour of 7.
                      DrawCase{"PassWinsOverNeighbour", 8, 3, 3, 28, 2},
                      DrawCase{"PassIsNoNeighbour", 8, 3, 3, 26, 1},
                      DrawCase{"AverageDropsTheFraction", 9, 9, 8, 8, 8},
                      DrawCase{"SumLastDigit", 9, 9, 8, 7, 6}),
    [](const auto& info) { return std::string(info.param.Name); });

// Record 0 has no previous draw: the indicators that compare with it are 0,
// whatever the previous arrays hold, and every number is cold.
TEST_F(IndicatorTest, RecordZeroIgnoresThePreviousDraws)
{
    SetStat(1, StatKind::Miss, 3, 4);
    const IndicatorValues f = Compute(ByPosition(1, 2, 3), ByPosition(4, 0, 8), ByPosition(2, 5, 9), 0);
    for (int k : {2, 3, 26, 27, 28, 29, 30, 31, 32, 33, 39, 40, 41})
        EXPECT_EQ(f[static_cast<size_t>(k)], 0) << k;
    EXPECT_EQ(f[22], 3);
    EXPECT_EQ(f[37], 26);
}

// Record 1: the draw before the previous one does not exist, so nothing is
// a gap; numbers not in the previous draw are middle.
TEST_F(IndicatorTest, RecordOneHasNoGap)
{
    const IndicatorValues f = Compute(ByPosition(1, 2, 3), ByPosition(4, 0, 8), ByPosition(2, 5, 9), 1);
    EXPECT_EQ(f[29], 0);
    EXPECT_EQ(f[30], 3);
    EXPECT_EQ(f[40], 26);
}

// A number outside the game's range reads zero statistics and never indexes
// an array.
TEST_F(IndicatorTest, NumberOutsideTheRangeIsNoIndex)
{
    const IndicatorValues f = Compute(ByPosition(1, 2, 99), ByPosition(4, 0, 8), ByPosition(2, 5, 9), 5);
    EXPECT_EQ(f[1], 102);
    EXPECT_EQ(f[19], 0);
    EXPECT_EQ(f[22], 3);
}

TEST(PrimeFlag, OneAndThePrimesBelow200)
{
    std::vector<int> flagged;
    for (int v = -1; v <= 201; ++v)
        if (IsPrimeFlag(v))
            flagged.push_back(v);
    EXPECT_EQ(flagged.size(), 47u); // 1 and the 46 primes below 200
    EXPECT_EQ(flagged.front(), 1);
    EXPECT_EQ(flagged.back(), 199);
    EXPECT_FALSE(IsPrimeFlag(9));
}

} // namespace
} // namespace kelton
