// The condition box of the indicator trend views.

#include <gtest/gtest.h>

#include "analysis/condition_link.h"
#include "data/app_state.h"

namespace kelton {
namespace {

TEST(ConditionLink, TheShownKindIsFoundByCaption)
{
    const QString captions[] = {QStringLiteral("AC值"), QStringLiteral("和值"), QStringLiteral("个位号码"),
                                QStringLiteral("和值")};
    EXPECT_EQ(ShownConditionKind(captions, 3, QStringLiteral("和值")), 1);
    EXPECT_EQ(ShownConditionKind(captions, 3, QStringLiteral("个位号码")), 2);
    EXPECT_EQ(ShownConditionKind(captions, 3, QStringLiteral("综合")), -1);
}

TEST(ConditionLink, GroupBetsSwitchOnlyTheirIndicators)
{
    for (int16_t k = 0; k <= 45; ++k)
        EXPECT_TRUE(ConditionBoxEnabled(k, 3, true)) << k;
    EXPECT_FALSE(ConditionBoxEnabled(46, 3, true));
    EXPECT_TRUE(ConditionBoxEnabled(1, 3, false));
    for (const int16_t k : {2, 3, 4, 15, 16, 17, 19, 31, 32, 33, 37, 42, 43, 45})
        EXPECT_FALSE(ConditionBoxEnabled(k, 3, false)) << k;
    EXPECT_TRUE(PairKindRefused(2));
    EXPECT_FALSE(PairKindRefused(4));
}

} // namespace
} // namespace kelton
