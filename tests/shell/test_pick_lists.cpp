#include <gtest/gtest.h>

#include "data/app_state.h"
#include "shell/pick_lists.h"

namespace kelton {
namespace {

TEST(PickListsTest, TheOtherFilterListsHoldTheirItems)
{
    const OtherFilterPickLists lists = BuildOtherFilterPickLists();
    ASSERT_EQ(lists.HistoryStat.size(), 8);
    EXPECT_EQ(lists.HistoryStat.first(), QStringLiteral("0=原始数据"));
    EXPECT_EQ(lists.HistoryStat.last(), QStringLiteral("7=转换数据七"));
    EXPECT_EQ(lists.GatherStat, lists.HistoryStat);
    EXPECT_EQ(lists.HistoryType, QStringList({"0=定位号码", "1=组选号码", "2=任选二码"}));
    EXPECT_EQ(lists.HistoryIssue.join(QLatin1Char(' ')),
              QStringLiteral("1 2 3 4 5 6 7 8 9 10 20 30 40 50 60 70 80 90 100 150 200 250 300"));
    EXPECT_EQ(lists.GatherBall.join(QString()), QStringLiteral("0123456789"));
    EXPECT_EQ(lists.GatherPos, QStringList({"0=组选", "1=百位与十位", "2=十位与个位", "3=个位与百位"}));
}

} // namespace
} // namespace kelton
