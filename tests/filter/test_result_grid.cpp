#include "filter/result_grid.h"

#include <vector>

#include <gtest/gtest.h>

#include "core/bet_list.h"
#include "data/lottor_head.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

CLottorHead Head(int16_t mrMain)
{
    CLottorHead head;
    head.BcDataName = u"号码"_s;
    head.BcMain = 3;
    head.BcMainColor = kStoredBlack;
    head.MrDataName = u"蓝球"_s;
    head.MrMain = mrMain;
    head.MrMainColor = 0xFF0000;
    head.BM = static_cast<int16_t>(3 + mrMain);
    return head;
}

TEST(ResultGridColumns, NumbersInTheGameColoursAndSecondaryOnlyWhenTheGameHasThem)
{
    const std::vector<ResultColumn> main = ResultGridColumns(Head(0));
    ASSERT_EQ(main.size(), 2u);
    EXPECT_EQ(main[0], (ResultColumn{u"序号"_s, 800, std::nullopt}));
    EXPECT_EQ(main[1], (ResultColumn{u"号码"_s, 1200, 0})); // black, as stored

    const std::vector<ResultColumn> withSecondary = ResultGridColumns(Head(2));
    ASSERT_EQ(withSecondary.size(), 3u);
    EXPECT_EQ(withSecondary[1], main[1]);
    EXPECT_EQ(withSecondary[2], (ResultColumn{u"蓝球"_s, 800, 0xFF0000}));
}

TEST(ResultCellText, IdNumbersAndSecondaryOfTheBetAtAPlace)
{
    BetList bets(4);
    bets.AddBet(std::vector<int16_t>{0, 7, 4, 0, 11});
    bets.AddBet(std::vector<int16_t>{0, 3, 2, 1, 5});
    const ResultTextWidths widths{3, 1, 2};
    struct Case {
        int32_t Place;
        int Col;
        QString Text;
    };
    const Case cases[] = {
        {0, 0, u"1"_s},     {1, 0, u"2"_s},     {1, 1, u"1 2 3"_s}, {0, 1, u"0 4 7"_s},
        {0, 2, u"11"_s},    {1, 2, u"05"_s},    {1, 3, QString()},  {1, -1, QString()},
        {2, 0, QString()},  {-1, 0, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResultCellText(bets, c.Place, c.Col, widths), c.Text) << c.Place << "," << c.Col;
}

} // namespace
} // namespace kelton
