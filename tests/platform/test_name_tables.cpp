#include "platform/name_tables.h"

#include <gtest/gtest.h>

#include "platform/string_table.h"

namespace kelton {
namespace {

TEST(NameTables, NamesByNumber)
{
    EXPECT_EQ(IndicatorName(0), u"AC值");
    EXPECT_EQ(IndicatorName(28), u"传(复)个数");
    EXPECT_EQ(IndicatorName(42), u"大中小");
    EXPECT_TRUE(PlaceName(0).isEmpty());
    EXPECT_EQ(PlaceName(1), u"个");
    EXPECT_EQ(PlaceName(9), u"亿");
    EXPECT_TRUE(PlaceName(10).isEmpty());
    EXPECT_EQ(RankName(7), u"概率数排行");
    EXPECT_TRUE(RankName(8).isEmpty());
    EXPECT_TRUE(RankName(9).isEmpty());
    EXPECT_EQ(ViewName(0), u"原始数据");
    EXPECT_EQ(ViewName(7), u"转换数据七");
}

TEST(NameTables, NumbersOutsideATableGiveTheEmptyText)
{
    for (int k : {-1, 43})
        EXPECT_TRUE(IndicatorName(k).isEmpty()) << k;
    for (int k : {-1, 8})
        EXPECT_TRUE(ViewName(k).isEmpty()) << k;
    for (int k : {-1, 6})
        EXPECT_TRUE(FeatureLegend(k).isEmpty()) << k;
    EXPECT_TRUE(PlaceName(-1).isEmpty());
    EXPECT_TRUE(RankName(-1).isEmpty());
}

TEST(NameTables, FeatureLegendsNameEveryCode)
{
    EXPECT_TRUE(FeatureLegend(0).startsWith(u"0=热热热;1=热热温;2=热热冷;3=热温热"));
    EXPECT_TRUE(FeatureLegend(0).endsWith(u"26=冷冷冷"));
    EXPECT_TRUE(FeatureLegend(5).contains(u";25=小小中;"));
    EXPECT_TRUE(FeatureLegend(1).startsWith(u"0=０００;"));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(FeatureLegend(i).count(u';'), 26) << i;
}

// The string table answers the same texts under their numbers.
TEST(NameTables, TheStringTableHoldsThemUnderTheirNumbers)
{
    EXPECT_EQ(LoadResString(42), IndicatorName(42));
    EXPECT_EQ(LoadResString(51), PlaceName(1));
    EXPECT_EQ(LoadResString(59), PlaceName(9));
    EXPECT_EQ(LoadResString(92), FeatureLegend(2));
    EXPECT_EQ(LoadResString(137), RankName(7));
    EXPECT_EQ(LoadResString(145), ViewName(7));
    EXPECT_TRUE(LoadResString(50).isEmpty());
    EXPECT_TRUE(LoadResString(60).isEmpty());
}

}  // namespace
}  // namespace kelton
