#include "data/app_state.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kelton {
namespace {

class AppStateTest : public ::testing::Test {
protected:
    void SetUp() override { IniGlobal(); }
    const AppState& app = Mmain();
};

TEST_F(AppStateTest, PrimeFlagsHoldOneAndThePrimesBelow200)
{
    EXPECT_EQ(app.PrimeFlag[0], 0);
    EXPECT_EQ(app.PrimeFlag[1], -1);
    EXPECT_EQ(app.PrimeFlag[2], -1);
    EXPECT_EQ(app.PrimeFlag[9], 0);
    EXPECT_EQ(app.PrimeFlag[199], -1);
    EXPECT_EQ(app.PrimeFlag[200], 0);
    EXPECT_EQ(std::count(app.PrimeFlag.begin(), app.PrimeFlag.end(), -1), 47);
}

TEST_F(AppStateTest, GroupIndicatorFlagsHoldOneNotTrue)
{
    int set = 0;
    for (int i = 0; i <= 42; ++i) {
        EXPECT_TRUE(app.GroupIndicatorFlag[i] == 0 || app.GroupIndicatorFlag[i] == 1) << i;
        set += app.GroupIndicatorFlag[i];
    }
    EXPECT_EQ(set, 27);
    for (int i : {2, 3, 4, 15, 16, 17, 19, 31, 32, 33, 37, 42})
        EXPECT_EQ(app.GroupIndicatorFlag[i], 0) << i;
}

TEST_F(AppStateTest, NameTables)
{
    EXPECT_EQ(app.AppTitle, u"Kelton");
    EXPECT_EQ(app.SsqSignature.size(), 50);
    EXPECT_EQ(app.IndicatorName[0], u"AC值");
    EXPECT_EQ(app.IndicatorName[28], u"传(复)个数");
    EXPECT_EQ(app.IndicatorName[42], u"大中小");
    EXPECT_TRUE(app.PlaceName[0].isEmpty());
    EXPECT_EQ(app.PlaceName[1], u"个");
    EXPECT_EQ(app.PlaceName[9], u"亿");
    EXPECT_TRUE(app.PlaceName[10].isEmpty());
    EXPECT_EQ(app.RankName[7], u"概率数排行");
    EXPECT_TRUE(app.RankName[8].isEmpty());
    EXPECT_TRUE(app.RankName[9].isEmpty());
    EXPECT_EQ(app.ViewName[0], u"原始数据");
    EXPECT_EQ(app.ViewName[7], u"转换数据七");
}

TEST_F(AppStateTest, FeatureLegendsNameEveryCode)
{
    EXPECT_TRUE(app.FeatureLegend[0].startsWith(u"0=热热热;1=热热温;2=热热冷;3=热温热"));
    EXPECT_TRUE(app.FeatureLegend[0].endsWith(u"26=冷冷冷"));
    EXPECT_TRUE(app.FeatureLegend[5].contains(u";25=小小中;"));
    EXPECT_TRUE(app.FeatureLegend[1].startsWith(u"0=０００;"));
    for (const QString& legend : app.FeatureLegend)
        EXPECT_EQ(legend.count(u';'), 26);
}

}  // namespace
}  // namespace kelton
