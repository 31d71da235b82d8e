// Miss statistics of indicator values and value pairs.

#include <gtest/gtest.h>

#include "analysis/indicator_series.h"
#include "analysis/miss_stats.h"
#include "small_history.h"

namespace kelton {
namespace {

using test::SmallHistoryTest;

TEST(MissStats, ValuesOfOneSlot)
{
    // Ten records, newest first; slot 0 seen 4 times, slot 1 three times,
    // slot 2 once with 3 records newer and 6 older, slot 3 never; -1 is a
    // value outside the range.
    const std::vector<int32_t> slots = {1, 0, 2, -1, 0, 1, 0, -1, 0, 1};
    const MissCounts c = CountMisses(slots, 4);
    EXPECT_EQ(c.Examined, 10);

    EXPECT_EQ(MissValues(c, MissStat::Current), (std::vector<int32_t>{1, 0, 2, 10}));
    EXPECT_EQ(MissValues(c, MissStat::Longest), (std::vector<int32_t>{2, 4, 7, 10}));
    EXPECT_EQ(MissValues(c, MissStat::Occurrences), (std::vector<int32_t>{4, 3, 1, 0}));
    // 10 / 4 = 2.5, 10 / 3 = 3.3, 10 / 1, never seen: M.
    EXPECT_EQ(MissValues(c, MissStat::Average), (std::vector<int32_t>{25, 33, 100, 100}));
    // Current miss ÷ (slots ÷ occurrences): 1 ÷ (4 ÷ 4), 0, 2 ÷ 4 = 0.5, M.
    EXPECT_EQ(MissValues(c, MissStat::Ratio), (std::vector<int32_t>{10, 0, 5, 100}));
}

TEST(MissStats, OneOccurrenceWithNewerAndOlderRecords)
{
    for (const auto& [k, j] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{2, 7}, std::pair{7, 2}}) {
        std::vector<int32_t> slots(static_cast<size_t>(k + j + 1), -1);
        slots[static_cast<size_t>(k)] = 0;
        const MissCounts c = CountMisses(slots, 1);
        EXPECT_EQ(MissValues(c, MissStat::Current)[0], k);
        EXPECT_EQ(MissValues(c, MissStat::Longest)[0], std::max(k, j));
        EXPECT_EQ(MissValues(c, MissStat::Average)[0], 10 * (k + j + 1));
    }
}

TEST(MissStats, TenthsRoundToTheNearerTenth)
{
    EXPECT_EQ(Tenths(10, 4), 25);
    EXPECT_EQ(Tenths(10, 3), 33);
    EXPECT_EQ(Tenths(20, 3), 67);
    EXPECT_EQ(Tenths(1, 4), 3); // 0.25: halves go up
    EXPECT_EQ(Tenths(0, 7), 0);
}

TEST_F(SmallHistoryTest, ExaminedRecordsRunFromTheEndBackToTheStart)
{
    // Units over the range 0..12: the record at the end (the next issue)
    // is not examined.
    const MissRange units = KindRange(Head(), 43);
    ASSERT_EQ(units.Low, 0);
    ASSERT_EQ(units.High, 9);
    const std::vector<int32_t> slots = KindSlots(View(), 43, units, 0, 12);
    ASSERT_EQ(slots.size(), 12u);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(slots[static_cast<size_t>(i)], Digit(11 - i, 1)) << i;

    const MissCounts c = CountMisses(slots, units.Count());
    // Units 0 at the last draw; 3 last at draw 8 (three newer records);
    // 2 never drawn in the units.
    EXPECT_EQ(c.Current[0], 0);
    EXPECT_EQ(c.Current[3], 3);
    EXPECT_EQ(c.Current[2], 12);
    EXPECT_EQ(c.Longest[2], 12);

    // A range ending at draw 11 leaves draw 11 out; an empty or reversed
    // range examines nothing and gives zeros, never a negative average.
    EXPECT_EQ(CountMisses(KindSlots(View(), 43, units, 0, 11), 10).Current[0], 11);
    for (const auto& [start, end] : {std::pair{5, 5}, std::pair{8, 3}}) {
        const MissCounts none = CountMisses(KindSlots(View(), 43, units, start, end), 10);
        EXPECT_EQ(none.Examined, 0);
        for (const MissStat s : {MissStat::Current, MissStat::Longest, MissStat::Average, MissStat::Ratio})
            EXPECT_EQ(MissValues(none, s), std::vector<int32_t>(10, 0));
    }
}

TEST_F(SmallHistoryTest, PairsOfTwoIndicators)
{
    // Odd count (12) and big count (13), both 0..3 in a three-digit game.
    const MissRange a = KindRange(Head(), 12);
    const MissRange b = KindRange(Head(), 13);
    ASSERT_EQ(a.Count(), 4);
    ASSERT_EQ(b.Count(), 4);
    EXPECT_EQ(PairSlotCount(a, b), 16);
    EXPECT_EQ(PairSeriesName(KindName(Head(), 12), a, KindName(Head(), 13), b),
              QStringLiteral("A代表奇数个数,B代表大码个数  0=A0B0;1=A0B1;2=A0B2;3=A0B3;4=A1B0;5=A1B1;6=A1B2;"
                             "7=A1B3;8=A2B0;9=A2B1;10=A2B2;11=A2B3;12=A3B0;13=A3B1;14=A3B2;15=A3B3"));

    const std::vector<int32_t> slots = PairSlots(View(), 12, a, 13, b, 0, 12);
    ASSERT_EQ(slots.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        const int32_t r = 11 - i;
        EXPECT_EQ(slots[static_cast<size_t>(i)], View().Filter(r, 12) * 4 + View().Filter(r, 13)) << i;
    }
    const ChartData chart = MissChart(MissValues(CountMisses(slots, 16), MissStat::Average), MissStat::Average, 0,
                                      QStringLiteral("x"));
    EXPECT_EQ(chart.PointCount(), 16);
    EXPECT_EQ(chart.At(16, 0).toInt(), 15);
    EXPECT_EQ(chart.At(0, 1).toString(), QStringLiteral("x"));
}

TEST(MissStats, WidePairsAreCountedIn32Bits)
{
    const MissRange wide{0, 200};
    EXPECT_EQ(PairSlotCount(wide, wide), 40401);
    EXPECT_GT(PairSlotCount(wide, wide), kMaxPairSlots);
    EXPECT_LE(PairSlotCount({0, 100}, {0, 100}), kMaxPairSlots);
}

} // namespace
} // namespace kelton
