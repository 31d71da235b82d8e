#include <utility>

#include <gtest/gtest.h>

#include "data/lottor_data.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using test::ProgramFolderTest;

class NumberChooserTest : public ProgramFolderTest {
protected:
    // A three-digit game with a secondary area of one number 1..12.
    void Create(bool secondary)
    {
        QString def = QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n");
        if (secondary)
            def += QStringLiteral("[MRDATALEN]\r\n12\r\n[MRMAIN]\r\n1\r\n");
        ASSERT_FALSE(m_game.CreateData(def, Path(QStringLiteral("game")), 1000));
    }

    CLottorData m_game;
};

TEST_F(NumberChooserTest, ToggleTwiceRestores)
{
    Create(false);
    EXPECT_TRUE(m_game.AutoSelectBall(2, 5));
    EXPECT_EQ(m_game.SelectBall(2, 5), -1);
    EXPECT_TRUE(m_game.AutoSelectBall(2, 5));
    EXPECT_EQ(m_game.SelectBall(2, 5), 0);
}

TEST_F(NumberChooserTest, SetStoresTheValueUnchanged)
{
    Create(false);
    EXPECT_TRUE(m_game.SelectBall(1, 9, -1));
    EXPECT_EQ(m_game.SelectBall(1, 9), -1);
    m_game.SelectBall(3, 0, 7);
    EXPECT_EQ(m_game.SelectBall(3, 0), 7);
    m_game.AutoSelectBall(3, 0); // any flag other than 0 toggles off
    EXPECT_EQ(m_game.SelectBall(3, 0), 0);
    m_game.SelectBall(1, 9, 0);
    EXPECT_EQ(m_game.SelectBall(1, 9), 0);
    EXPECT_EQ(m_game.SelectBall(2, 9), 0);
}

TEST_F(NumberChooserTest, SecondaryPositionsUseTheirOwnGrid)
{
    Create(true);
    m_game.AutoSelectBall(4, 12); // BcMain + 1: secondary row 1, values up to 12
    EXPECT_EQ(m_game.SelectBall(4, 12), -1);
    for (const auto& row : m_game.SelBc()) {
        for (int16_t flag : row)
            EXPECT_EQ(flag, 0);
    }
    EXPECT_EQ(m_game.SelMr()[1][12], -1);
}

// Indexes outside the grids read 0, change nothing and answer false.
TEST_F(NumberChooserTest, OutOfRange)
{
    Create(true);
    const std::pair<int16_t, int16_t> outside[] = {{1, 10}, {2, -1}, {-1, 3}, {5, 0}, {4, 13}, {100, 1}};
    for (const auto& [pos, value] : outside) {
        EXPECT_FALSE(m_game.SelectBall(pos, value, -1)) << pos << "," << value;
        EXPECT_FALSE(m_game.AutoSelectBall(pos, value)) << pos << "," << value;
        EXPECT_EQ(m_game.SelectBall(pos, value), 0) << pos << "," << value;
    }
    // Position 0 is part of the main grid.
    EXPECT_TRUE(m_game.AutoSelectBall(0, 9));
    EXPECT_EQ(m_game.SelectBall(0, 9), -1);
}

} // namespace
} // namespace kelton
