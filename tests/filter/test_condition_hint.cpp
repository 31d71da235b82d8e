// The value names and hint of a condition's value picker.

#include <gtest/gtest.h>

#include "analysis/small_history.h"
#include "filter/condition_hint.h"

namespace kelton {
namespace {

using test::SmallHistoryTest;

TEST_F(SmallHistoryTest, HintsByConditionKind)
{
    const CStat& v = View();
    const QString next = QStringLiteral("下期");
    EXPECT_EQ(ConditionHint(v, m_game, 5, 12, next), QString());
    EXPECT_EQ(ConditionHint(v, m_game, 43, 12, next), QString());
    EXPECT_EQ(ConditionHint(v, m_game, 23, 12, next), QStringLiteral("期号：下期\r\n０路：0369  １路：147  ２路：258"));
    EXPECT_EQ(ConditionHint(v, m_game, 42, 12, next), QStringLiteral("期号：下期\r\n大号：789  中号：3456  小号：012"));
    // The previous draw of the next issue is 1 6 0, hundreds first.
    EXPECT_EQ(ConditionHint(v, m_game, 41, 12, next), QStringLiteral("期号：下期\r\n上期号码：160"));
    EXPECT_EQ(ConditionHint(v, m_game, 31, 0, QStringLiteral("2024001")), QString());
    EXPECT_EQ(ConditionHint(v, m_game, 31, -1, QString()), QString());
    // Repeats of the next issue: the numbers of draw 11 (0 1 6); passes
    // are the same numbers, neighbours one away from them.
    EXPECT_EQ(ConditionHint(v, m_game, 29, 12, next),
              QStringLiteral("期号：下期\r\n复号：016  隔号：5  中号：234789"));
    EXPECT_EQ(ConditionHint(v, m_game, 26, 12, next),
              QStringLiteral("期号：下期\r\n邻号：257  孤号：3489  传号：016"));
    // No issue chosen: the head names nothing and the lists are empty.
    EXPECT_EQ(ConditionHint(v, m_game, 20, -1, QString()), QStringLiteral("期号：\r\n热号：  温号：  冷号："));
}

TEST(ConditionValueNames, PatternKindsNameTheirCodes)
{
    IniGlobal();
    EXPECT_TRUE(ConditionValueNames(37).startsWith(QStringLiteral("0=热热热;1=热热温")));
    EXPECT_EQ(ConditionValueNames(36), QString());
    EXPECT_EQ(ConditionValueNames(43), QString());
}

} // namespace
} // namespace kelton
