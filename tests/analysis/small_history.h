#pragma once

// A three-digit game of twelve draws, its views built, for the tests of the
// analysis views.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/view_cells.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "support/draw_rows.h"
#include "support/test_support.h"

namespace kelton::test {

// Highest place first, issues 2024001 on.
inline const std::vector<const char*>& SmallDraws()
{
    static const std::vector<const char*> draws = {"335", "777", "123", "048", "335", "123",
                                                   "901", "258", "123", "446", "555", "160"};
    return draws;
}

// The cells a view's build lays through its sink, in order.
using GridCells = std::vector<GridCell>;
inline GridCells CellsOf(const std::function<void(const GridCellSink&)>& build)
{
    GridCells cells;
    build([&cells](const GridCell& cell) { cells.push_back(cell); });
    return cells;
}

class SmallHistoryTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        const QString file = Path(QStringLiteral("g.dat"));
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(
                QStringLiteral("[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"), file, 1000));
        }
        ASSERT_FALSE(m_game.OpenData(8, file));
        ASSERT_EQ(m_game.Add(Draws(SmallDraws(), 2024001)), static_cast<int16_t>(SmallDraws().size()));
        ASSERT_FALSE(m_game.UpData());
        ASSERT_EQ(View().BallCount(), 13);
    }

    const CStat& View(int16_t v = 0) const { return *m_game.StatView(v); }
    const CLottorHead& Head() const { return m_game.HeadData; }
    // The digit of draw d at position p (1 = units).
    static int Digit(int d, int p) { return SmallDraws()[static_cast<size_t>(d)][3 - p] - '0'; }

    CLottorData m_game;
};

} // namespace kelton::test
