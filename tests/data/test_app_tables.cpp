#include "data/app_tables.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace kelton {
namespace {

TEST(AppTables, PrimeFlagsHoldOneAndThePrimesBelow200)
{
    EXPECT_EQ(kPrimeFlag[0], 0);
    EXPECT_EQ(kPrimeFlag[1], -1);
    EXPECT_EQ(kPrimeFlag[2], -1);
    EXPECT_EQ(kPrimeFlag[9], 0);
    EXPECT_EQ(kPrimeFlag[199], -1);
    EXPECT_EQ(kPrimeFlag[200], 0);
    EXPECT_EQ(std::count(kPrimeFlag.begin(), kPrimeFlag.end(), -1), 47);
}

TEST(AppTables, GroupIndicatorFlagsHoldOneNotTrue)
{
    int set = 0;
    for (int i = 0; i <= 42; ++i) {
        EXPECT_TRUE(kGroupIndicatorFlag[i] == 0 || kGroupIndicatorFlag[i] == 1) << i;
        set += kGroupIndicatorFlag[i];
    }
    EXPECT_EQ(set, 27);
    for (int i : {2, 3, 4, 15, 16, 17, 19, 31, 32, 33, 37, 42})
        EXPECT_EQ(kGroupIndicatorFlag[i], 0) << i;
}

TEST(AppTables, TitleAndSignature)
{
    EXPECT_EQ(AppTitle(), u"Kelton");
    EXPECT_EQ(SsqSignature().size(), 50);
    EXPECT_TRUE(SsqSignature().startsWith(u"Kelton Number Settings 2 "));
}

}  // namespace
}  // namespace kelton
