#include "filter/filter_form_rules.h"

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "platform/name_tables.h"
#include "support/test_support.h"

namespace kelton {
namespace {

// The values 0 .. top a preset marks, as text.
QString Marked(int preset, int16_t top)
{
    QStringList marked;
    for (int16_t v = 0; v <= top; ++v)
        if (PresetMarks(preset, v, kPrimeFlag))
            marked << QString::number(v);
    return marked.join(u' ');
}

class FilterFormRulesTest : public ::testing::Test {
protected:
    AppState m_state; // fresh for each test: no analysis windows
};

TEST_F(FilterFormRulesTest, Presets)
{
    const QStringList items = PresetItems();
    ASSERT_EQ(items.size(), kPresetCount);
    EXPECT_EQ(items.front(), QStringLiteral("重选"));
    EXPECT_EQ(items.back(), QStringLiteral("合数"));

    const char* const digits[kPresetCount] = {
        "",          "0 1 2 3 4 5 6 7 8 9", "0 1 2",   "3 4 5 6", "7 8 9",
        "1 3 5 7 9", "0 2 4 6 8",           "0 3 6 9", "1 4 7",   "2 5 8",
        "1 2 3 5 7", "0 4 6 8 9",
    };
    for (int k = 0; k < kPresetCount; ++k)
        EXPECT_EQ(Marked(k, 9), QString::fromUtf8(digits[k])) << items[k].toStdString();

    // Past 9 the small, middle and big bounds stay; the others go on.
    EXPECT_EQ(Marked(2, 12), QStringLiteral("0 1 2"));
    EXPECT_EQ(Marked(4, 12), QStringLiteral("7 8 9"));
    EXPECT_EQ(Marked(1, 12), QStringLiteral("0 1 2 3 4 5 6 7 8 9 10 11 12"));
    EXPECT_EQ(Marked(5, 12), QStringLiteral("1 3 5 7 9 11"));
    EXPECT_EQ(Marked(10, 12), QStringLiteral("1 2 3 5 7 11"));
    // Values past the prime table are no primes (and so composite).
    EXPECT_FALSE(PresetMarks(10, 211, kPrimeFlag));
    EXPECT_TRUE(PresetMarks(11, 211, kPrimeFlag));
}

TEST_F(FilterFormRulesTest, ConditionNamesAndGroupBets)
{
    EXPECT_EQ(ConditionName(0), IndicatorName(0));
    EXPECT_EQ(ConditionName(42), IndicatorName(42));
    EXPECT_EQ(ConditionName(43), QStringLiteral("个位号码"));
    EXPECT_EQ(ConditionName(45), QStringLiteral("百位号码"));

    for (int16_t k = 0; k <= 45; ++k) {
        EXPECT_TRUE(ConditionAppliesTo(true, k, kGroupIndicatorFlag)) << k;
        const bool group = k <= 42 && kGroupIndicatorFlag[static_cast<size_t>(k)] == 1;
        EXPECT_EQ(ConditionAppliesTo(false, k, kGroupIndicatorFlag), group) << k;
    }
    EXPECT_TRUE(ConditionAppliesTo(false, 0, kGroupIndicatorFlag));
    EXPECT_FALSE(ConditionAppliesTo(false, 2, kGroupIndicatorFlag));
}

TEST_F(FilterFormRulesTest, TargetIssuesAndTheirNumbers)
{
    CLottorData game;
    game.HeadData.SetHeadStr(QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    EXPECT_EQ(TargetIssueItems(game), QStringList{QStringLiteral("下期")});
    EXPECT_EQ(DrawnNumberText(game, 0, 1), QString());

    ASSERT_EQ(
        game.AddStrNum(game.HeadData.GetDefFormat(), QStringLiteral("2024101:5 0 7\r\n2024102:1 2 3\r\n")),
        2);
    const QStringList items = TargetIssueItems(game);
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("2024101"), QStringLiteral("2024102"), QStringLiteral("下期")}));
    EXPECT_EQ(DrawnNumberText(game, 0, 3), QStringLiteral("507"));
    EXPECT_EQ(DrawnNumberText(game, 1, 3), QStringLiteral("123"));
    EXPECT_EQ(DrawnNumberText(game, 2, 3), QString()); // 下期
    EXPECT_EQ(DrawnNumberText(game, -1, 3), QString());
}

TEST_F(FilterFormRulesTest, TabsAndPositions)
{
    EXPECT_EQ(TabView(1), -1);
    EXPECT_EQ(TabView(2), 0);
    EXPECT_EQ(TabView(9), 7);
    EXPECT_TRUE(FilterWindowFits(3));
    EXPECT_TRUE(FilterWindowFits(1));
    EXPECT_FALSE(FilterWindowFits(4));
    EXPECT_TRUE(FilterWindowRefusal(5).contains(u'5'));
}

} // namespace
} // namespace kelton
