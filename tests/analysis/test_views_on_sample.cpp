// The analysis views' counts over the real sample history (福彩3D), held
// against direct counts of its draws.

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "analysis/miss_stats.h"
#include "analysis/relation_matrix.h"
#include "data/app_state.h"
#include "data/first_start.h"
#include "data/lotto_items.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "platform/program_folder.h"

namespace kelton {
namespace {

class SampleHistory : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        SetProgramFolder(s_dir->path());
        IniGlobal();
        CLottoItem items;
        ASSERT_TRUE(SeedProgramFolder(items));
        s_game = new CLottorData;
        ASSERT_FALSE(s_game->OpenData(8, QString::fromLatin1(kSampleGamePath)));
    }
    static void TearDownTestSuite()
    {
        delete s_game;
        delete s_dir;
        s_game = nullptr;
        s_dir = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_game);
        ASSERT_EQ(s_game->NumCount(), 8374);
    }

    static CLottorData& Game() { return *s_game; }
    static const CStat& View0() { return *s_game->StatView(0); }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline CLottorData* s_game = nullptr;
};

TEST_F(SampleHistory, GroupPairsOfAllDrawsOfView0)
{
    const int32_t draws = Game().NumCount();
    const PairMatrix m = GetPairMatrix(View0(), 0, View0().BallCount() - 1, 0);
    std::vector<int32_t> want(100, 0);
    for (int32_t d = 0; d < draws; ++d) {
        bool has[10] = {};
        int times[10] = {};
        for (int16_t p = 1; p <= 3; ++p) {
            const int16_t n = Game().Num(p, d);
            has[n] = true;
            ++times[n];
        }
        for (int x = 0; x <= 9; ++x) {
            for (int y = 0; y <= 9; ++y) {
                if (x == y ? times[x] >= 2 : has[x] && has[y])
                    ++want[static_cast<size_t>(x * 10 + y)];
            }
        }
    }
    for (int x = 0; x <= 9; ++x) {
        for (int y = 0; y <= 9; ++y)
            EXPECT_EQ(m.At(x, y), want[static_cast<size_t>(x * 10 + y)]) << x << "," << y;
    }
}

TEST_F(SampleHistory, CurrentMissOfEverySum)
{
    const int32_t draws = Game().NumCount();
    const MissRange sums = KindRange(Game().HeadData, 1);
    ASSERT_EQ(sums.Low, 0);
    ASSERT_EQ(sums.High, 27);
    // The default end is the next issue: every draw is examined.
    const MissCounts c = CountMisses(KindSlots(View0(), 1, sums, 0, draws), sums.Count());
    const std::vector<int32_t> current = MissValues(c, MissStat::Current);
    for (int s = 0; s <= 27; ++s) {
        int32_t newest = -1;
        for (int32_t d = draws - 1; d >= 0 && newest < 0; --d) {
            if (Game().Num(1, d) + Game().Num(2, d) + Game().Num(3, d) == s)
                newest = d;
        }
        EXPECT_EQ(current[static_cast<size_t>(s)], newest < 0 ? draws : draws - 1 - newest) << s;
    }
    // The last draw, 8 9 4, has the sum 21.
    EXPECT_EQ(current[21], 0);
}

} // namespace
} // namespace kelton
