// The analysis views' counts over the real sample history (福彩3D), held
// against direct counts of its draws.

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "analysis/miss_stats.h"
#include "analysis/number_tables.h"
#include "analysis/relation_matrix.h"
#include "data/app_state.h"
#include "data/first_start.h"
#include "data/lotto_items.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
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
        CLottoItem items;
        ASSERT_TRUE(SeedProgramFolder(items, SettingsFileState::NotRead));
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

// The widest text of a number table's block is the longest any of its cells
// shows over the range, in every display mode: the all-position counts of
// the whole history run to four digits.
TEST_F(SampleHistory, NumberTableBlocksKnowTheirWidestText)
{
    struct Case {
        int16_t kind;
        CellMode mode;
        int32_t start;
    };
    const int32_t records = View0().BallCount();
    const Case cases[] = {
        {0, CellMode::Value, records - 300}, // counts over all earlier draws
        {6, CellMode::Value, 0},             // misses, from the first draw
        {1, CellMode::Rank, records - 300},
        {-1, CellMode::Value, records - 300}, // the history table
        {-1, CellMode::Raw, records - 300},
    };
    const AreaNames names{QString()};
    for (const Case& c : cases) {
        CNumberTable::Setup setup;
        setup.Kind = c.kind;
        setup.Mode = c.mode;
        setup.RangeStart = c.start;
        setup.RangeCount = static_cast<int16_t>(std::min<int32_t>(records - c.start, 300));
        const CNumberTable table(View0(), SecondaryDraws(), SizesOf(*View0().HeadData()), names, setup, {});
        const std::vector<QString> widest = table.WidestTexts();
        ASSERT_EQ(widest.size(), table.Layout().Blocks.size());
        for (size_t b = 0; b < widest.size(); ++b) {
            const NumberBlock& block = table.Layout().Blocks[b];
            qsizetype longest = 0;
            for (int32_t m = 0; m < setup.RangeCount; ++m)
                for (int16_t d = 0; d < block.Digits; ++d)
                    longest = std::max(longest, table.CellText(setup.RangeStart + m, block, d).size());
            EXPECT_EQ(widest[b].size(), longest) << c.kind << " " << block.Caption.toStdString();
        }
    }
    CNumberTable::Setup history;
    history.Kind = 0;
    history.Mode = CellMode::Value;
    history.RangeStart = records - 1;
    history.RangeCount = 1;
    const CNumberTable counts(View0(), SecondaryDraws(), SizesOf(*View0().HeadData()), names, history, {});
    EXPECT_EQ(counts.WidestTexts().front().size(), 4);
}

} // namespace
} // namespace kelton
