// The secondary numbers of the analysis views: read from the draw history,
// their ranking statistics counted by the rules of a main position.

#include <gtest/gtest.h>

#include "analysis/secondary_area.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class SecondaryAreaTest : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
    }

    // A three-digit game with one secondary number 0..mrDataLen and the
    // draws given (positions 0..4: 0, then hundreds, tens, units, the
    // secondary number).
    void Open(int mrDataLen, int16_t customStat, const std::vector<Draw>& draws)
    {
        const QString file = Path(u"g.dat"_s);
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(
                u"[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"
                u"[MRDATALEN]\r\n%1\r\n[MRMAIN]\r\n1\r\n[CUSTOMSTAT]\r\n%2\r\n"_s.arg(mrDataLen)
                    .arg(customStat),
                file, 1000));
        }
        ASSERT_FALSE(m_game.OpenData(8, file));
        ASSERT_EQ(m_game.Add(draws), static_cast<int16_t>(draws.size()));
        ASSERT_FALSE(m_game.UpData());
    }

    CLottorData m_game;
};

TEST_F(SecondaryAreaTest, NumbersComeFromTheHistory)
{
    Open(15, 10, {{2024001, {0, 1, 2, 3, 12}}, {2024002, {0, 4, 5, 6, 0}}, {2024003, {0, 7, 8, 9, 15}}});
    const SecondaryDraws draws(m_game, 10);
    ASSERT_EQ(draws.Count(), 1);
    EXPECT_EQ(draws.Largest(), 15);
    EXPECT_EQ(draws.Draws(), 3);
    EXPECT_EQ(draws.Num(0, 1), 12);
    EXPECT_EQ(draws.Num(1, 1), 0);
    EXPECT_EQ(draws.Num(2, 1), 15);
    // The next issue, other numbers, other records: none.
    EXPECT_EQ(draws.Num(3, 1), -1);
    EXPECT_EQ(draws.Num(0, 2), -1);
    EXPECT_EQ(draws.Num(-1, 1), -1);
    // The statistics view keeps no secondary number.
    EXPECT_EQ(m_game.StatView(0)->Num(0, 4, 0), 0);
}

TEST_F(SecondaryAreaTest, RankingCountsAsTheStatisticsViewsCountAMainPosition)
{
    // The secondary number repeats the units digit, so the statistics
    // view's units position is the reference, over more draws than the
    // longest window (100) with a custom period of 7.
    std::vector<Draw> draws;
    uint32_t seed = 12345;
    for (int32_t i = 0; i < 140; ++i) {
        seed = seed * 1103515245u + 12345u;
        const auto units = static_cast<int16_t>((seed >> 16) % 10);
        // Runs of one digit now and then, so that misses and intervals
        // grow long.
        const auto tens = static_cast<int16_t>(i % 17 < 5 ? 3 : (seed >> 8) % 10);
        draws.push_back({2024001 + i, {0, static_cast<int16_t>(i % 10), tens, units, units}});
    }
    Open(9, 7, draws);
    const CStat& view = *m_game.StatView(0);
    const SecondaryDraws secondary(m_game, view.CustomStat());
    ASSERT_EQ(view.CustomStat(), 7);
    const int32_t records = view.BallCount();
    for (int16_t kind = 0; kind <= 7; ++kind) {
        const SecondaryRanking ranking(secondary, kind, 0, records);
        for (int32_t p = 0; p < records; ++p) {
            for (int16_t y = 0; y <= 9; ++y) {
                for (int16_t sort = 0; sort <= 2; ++sort) {
                    ASSERT_EQ(ranking.Stat(p, 1, y, sort), view.Stat(p, 1, y, kind, sort))
                        << "kind " << kind << " record " << p << " value " << y << " sort " << sort;
                }
            }
        }
    }
    // A part of the records counts the same; outside it, nothing.
    const SecondaryRanking part(secondary, 6, 120, 5);
    EXPECT_EQ(part.Stat(123, 1, 4, 0), view.Stat(123, 1, 4, 6, 0));
    EXPECT_EQ(part.Stat(119, 1, 4, 0), 0);
    EXPECT_EQ(part.Stat(125, 1, 4, 0), 0);
    EXPECT_EQ(part.Stat(123, 2, 4, 0), 0);
    EXPECT_EQ(part.Stat(123, 1, 10, 0), 0);
    // A range past the next issue holds the records there are.
    const SecondaryRanking tail(secondary, 6, records - 1, 10);
    EXPECT_EQ(tail.Stat(records - 1, 1, 4, 1), view.Stat(records - 1, 1, 4, 6, 1));
}

} // namespace
} // namespace kelton
