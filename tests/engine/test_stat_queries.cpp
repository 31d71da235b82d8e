#include "engine/stat.h"

#include <random>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "data/lottor_data.h"
#include "engine/stat.h"
#include "support/draw_rows.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using test::Draws;
using test::ProgramFolderTest;

const QString kThreeDigits = QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n");

std::vector<int16_t> Flags(std::set<int> on)
{
    std::vector<int16_t> out(10, 0);
    for (int v : on)
        out[static_cast<size_t>(v)] = 1;
    return out;
}

class StatQueriesTest : public ProgramFolderTest {
protected:
    // Opens a game holding the draws with all eight views built.
    void Open(const std::vector<Draw>& draws)
    {
        const QString file = Path(QStringLiteral("game"));
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(kThreeDigits, file, 1000));
        }
        m_game = std::make_unique<CLottorData>();
        ASSERT_FALSE(m_game->OpenData(8, file));
        ASSERT_EQ(m_game->Add(draws), static_cast<int16_t>(draws.size()));
        ASSERT_FALSE(m_game->UpData());
    }
    CStat& View(int16_t v) { return *m_game->StatView(v); }

    std::unique_ptr<CLottorData> m_game;
};

// 0-1-9, 5-5-1, 3-7-7, 0-0-0, 9-4-1 (hundreds, tens, units).
const std::vector<Draw> kSmall = Draws({"019", "551", "377", "000", "941"});

TEST_F(StatQueriesTest, IssueNamesAndNumbers)
{
    Open(kSmall);
    CStat& v0 = View(0);
    EXPECT_EQ(v0.BallCount(), 6);
    EXPECT_EQ(v0.NumName(0), QStringLiteral("101"));
    EXPECT_EQ(v0.NumName(4), QStringLiteral("105"));
    EXPECT_EQ(v0.NumName(5), QStringLiteral("下期"));
    EXPECT_EQ(v0.NumName(-1), QStringLiteral("0"));
    EXPECT_EQ(v0.NumName(6), QStringLiteral("0"));

    EXPECT_EQ(v0.Num(0, 1), 9); // units
    EXPECT_EQ(v0.Num(0, 3), 0); // hundreds
    EXPECT_EQ(v0.Num(4, 2), 4);
    for (int16_t x = 0; x <= 3; ++x) {
        EXPECT_EQ(v0.Num(5, x), 0) << x; // the next issue has no numbers
        EXPECT_EQ(v0.Num(-1, x), 0) << x;
    }
    EXPECT_EQ(v0.Num(0, 4), -1);
    EXPECT_EQ(v0.Num(0, -1), -1);
}

TEST_F(StatQueriesTest, StatisticsRankingAndIndicators)
{
    Open(kSmall);
    CStat& v0 = View(0);
    // Units before the next issue: 9, 1, 7, 0, 1.
    EXPECT_EQ(v0.Stat(5, 1, 1, StatKind::Count, 0), 2);
    EXPECT_EQ(v0.Stat(5, 1, 9, StatKind::Count, 0), 1);
    EXPECT_EQ(v0.Stat(5, 1, 8, StatKind::Count, 0), 0);
    // Ascending ranks, ties to the smaller value: 2 3 4 5 6 8 | 0 7 9 | 1.
    EXPECT_EQ(v0.Stat(5, 1, 1, StatKind::Count, 1), 9);
    EXPECT_EQ(v0.Stat(5, 1, 0, StatKind::Count, 2), 2);
    EXPECT_EQ(v0.Stat(5, 1, 6, StatKind::Count, 2), 0);
    // Before the first draw nothing has been counted.
    EXPECT_EQ(v0.Stat(0, 1, 9, StatKind::Count, 0), 0);
    for (const auto& [x, y, kind, sort] : std::vector<std::array<int16_t, 4>>{
             {1, 10, 0, 0}, {1, -1, 0, 0}, {4, 1, 0, 0}, {1, 1, 10, 0}, {1, 1, -1, 0}, {1, 1, 0, 3}})
        EXPECT_EQ(v0.Stat(5, x, y, kind, sort), 0) << x << " " << y << " " << kind << " " << sort;

    // View 0's keys are the values themselves.
    for (int16_t v = 0; v <= 9; ++v) {
        EXPECT_EQ(v0.Data(3, v, 0), v);
        EXPECT_EQ(v0.Data(3, v, 2), v);
    }
    EXPECT_EQ(v0.Data(3, 1, 4), 0);
    EXPECT_EQ(v0.Data(3, 10, 0), 0);

    // Indicator 1 is the sum.
    EXPECT_EQ(v0.Filter(0, 1), 10);
    EXPECT_EQ(v0.Filter(4, 1), 14);
    EXPECT_EQ(v0.Filter(4, 43), 0);
    EXPECT_EQ(v0.Filter(9, 1), 0);
}

TEST_F(StatQueriesTest, DataMrAnswersAsData)
{
    Open(kSmall);
    for (int16_t view : {0, 3}) {
        CStat& v = View(view);
        for (int32_t i = -1; i <= 6; ++i)
            for (int16_t y = -1; y <= 10; ++y)
                for (int16_t s = -1; s <= 4; ++s)
                    ASSERT_EQ(v.DataMr(i, y, s), v.Data(i, y, s))
                        << view << " " << i << " " << y << " " << s;
    }
}

TEST_F(StatQueriesTest, NeighbourIsolatedPassFlags)
{
    Open(kSmall);
    CStat& v0 = View(0);
    // After 0-1-9: neighbours only 2 and 8, no wrap-around.
    EXPECT_EQ(v0.GetNAP(1, 0), Flags({2, 8}));
    EXPECT_EQ(v0.GetNAP(1, 1), Flags({3, 4, 5, 6, 7}));
    EXPECT_EQ(v0.GetNAP(1, 2), Flags({0, 1, 9}));
    for (const auto& [index, kind] :
         std::vector<std::pair<int32_t, int16_t>>{{0, 0}, {0, 2}, {6, 0}, {1, 3}, {1, -1}})
        EXPECT_EQ(v0.GetNAP(index, kind), Flags({})) << index << " " << kind;
}

TEST_F(StatQueriesTest, RepeatGapMiddleFlags)
{
    Open(kSmall);
    CStat& v0 = View(0);
    EXPECT_EQ(v0.GetPSN(2, 0), Flags({1, 5}));
    // The numbers of draw 0 not in draw 1.
    EXPECT_EQ(v0.GetPSN(2, 1), Flags({0, 9}));
    EXPECT_EQ(v0.GetPSN(2, 2), Flags({2, 3, 4, 6, 7, 8}));
    EXPECT_EQ(v0.GetPSN(1, 2), Flags({2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(v0.GetPSN(5, 0), Flags({1, 4, 9}));
    for (const auto& [index, kind] : std::vector<std::pair<int32_t, int16_t>>{{0, 0}, {1, 1}, {6, 0}, {2, 3}})
        EXPECT_EQ(v0.GetPSN(index, kind), Flags({})) << index << " " << kind;
}

TEST_F(StatQueriesTest, HotWarmColdFlags)
{
    Open(kSmall);
    CStat& v0 = View(0);
    // Draws containing each value among the five: 1 in three, 0 and 9 in two.
    EXPECT_EQ(v0.GetHWC(5, 0), Flags({1}));
    EXPECT_EQ(v0.GetHWC(5, 1), Flags({0, 9}));
    EXPECT_EQ(v0.GetHWC(5, 2), Flags({2, 3, 4, 5, 6, 7, 8}));
    // Before the first draw every value is cold.
    EXPECT_EQ(v0.GetHWC(0, 2), Flags({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(v0.GetHWC(6, 2), Flags({}));
    EXPECT_EQ(v0.GetHWC(-1, 2), Flags({}));
    EXPECT_EQ(v0.GetHWC(5, 3), Flags({}));
}

TEST_F(StatQueriesTest, LongHistoryReadsCachedAndStoredRecordsAlike)
{
    std::mt19937 rng(7);
    std::vector<const char*> rows;
    std::vector<std::string> texts;
    for (int d = 0; d < 420; ++d)
        texts.push_back(std::to_string(100 + rng() % 900));
    for (const auto& t : texts)
        rows.push_back(t.c_str());
    Open(Draws(rows, 2020001));

    for (int16_t view : {0, 5}) {
        CStat& v = View(view);
        ASSERT_GT(v.CacheStart(), 0);
        int16_t cycles = 0;
        for (int32_t i = 0; i < v.BallCount(); ++i) {
            // Numbers of the records before the cache come from the file.
            StatRecord rec = v.LoadRecord(i);
            for (int16_t x = 0; x <= 3; ++x)
                ASSERT_EQ(v.Num(i, x), rec.Num(x)) << view << " " << i << " " << x;
            int32_t sum = 0;
            for (int16_t x = 1; x <= 3; ++x) {
                for (int16_t y = 0; y <= 9; ++y) {
                    std::array<int16_t, kCycleSlots> periods{};
                    std::array<int16_t, kCycleSlots> runs{};
                    const int16_t count = v.Cycle(i, x, y, periods, runs);
                    const CycleRec stored = rec.Cycle(x, y);
                    ASSERT_EQ(count, stored.Count);
                    ASSERT_EQ(periods, stored.Period);
                    ASSERT_EQ(runs, stored.Runs);
                    sum += count > 0 ? 1 : 0;
                    cycles = std::max(cycles, count);
                }
            }
            ASSERT_EQ(v.CycleCount(i), sum) << view << " " << i;
        }
        EXPECT_GT(cycles, 0) << "the history should hold some cycles";
        if (view == 0) {
            EXPECT_EQ(v.Num(3, 3), static_cast<int16_t>(texts[3][0] - '0'));
            EXPECT_EQ(v.NumName(419), QStringLiteral("2020420"));
        }
    }
}

TEST(StatQueriesClosed, AViewNeverOpenedAnswersSoftly)
{
    CStat view;
    EXPECT_EQ(view.BallCount(), 0);
    EXPECT_EQ(view.NumName(0), QString());
    EXPECT_EQ(view.Num(0, 1), -1);
    EXPECT_EQ(view.Stat(0, 1, 1, 0, 0), 0);
    EXPECT_EQ(view.Data(0, 1, 0), 0);
    EXPECT_EQ(view.Filter(0, 1), 0);
    std::array<int16_t, kCycleSlots> a{};
    std::array<int16_t, kCycleSlots> b{};
    EXPECT_EQ(view.Cycle(0, 1, 1, a, b), 0);
    EXPECT_EQ(view.CycleCount(0), 0);
    EXPECT_TRUE(view.GetHWC(0, 0).empty());
    EXPECT_TRUE(view.GetNAP(1, 0).empty());
    EXPECT_TRUE(view.GetPSN(1, 0).empty());
}

} // namespace
} // namespace kelton
