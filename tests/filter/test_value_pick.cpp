#include "filter/value_pick.h"

#include <memory>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "platform/name_tables.h"
#include "support/small_game.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class ValuePick : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        m_game = test::SmallGame(Path(u"game"_s), {"123", "456", "581"});
    }
    ValuePickText Pick(int16_t row, int32_t issue, const QString& text = u"2024002"_s) const
    {
        return ConditionPickText(*m_game, *m_game->StatView(0), row, issue, text);
    }
    std::unique_ptr<CLottorData> m_game;
};

TEST_F(ValuePick, PlainRowsHaveNeitherNamesNorHint)
{
    for (int16_t row : {0, 5, 19, 43, 44, 45}) {
        const ValuePickText text = Pick(row, 1);
        EXPECT_EQ(text.Names, QString()) << row;
        EXPECT_EQ(text.Hint, QString()) << row;
    }
}

TEST_F(ValuePick, PatternRowsNameTheirValues)
{
    const ValuePickText hot = Pick(37, 1);
    EXPECT_EQ(hot.Names, FeatureLegend(0));
    EXPECT_TRUE(hot.Names.startsWith(u"0="_s));
    EXPECT_EQ(hot.Names.count(u'='), 27);
    const CStat& view = *m_game->StatView(0);
    EXPECT_EQ(hot.Hint, u"期号：2024002\n"_s + ClassList(u"热号："_s, view.GetHWC(1, 0)) +
                            ClassList(u"  温号："_s, view.GetHWC(1, 1)) +
                            ClassList(u"  冷号："_s, view.GetHWC(1, 2)));
    EXPECT_EQ(Pick(42, 1).Names, FeatureLegend(5));
}

TEST_F(ValuePick, RoadsAreTheNumbersByTheirRemainder)
{
    for (int16_t row : {23, 24, 25, 38})
        EXPECT_EQ(Pick(row, 2).Hint, u"期号：2024002\n０路：0369  １路：147  ２路：258"_s) << row;
}

TEST_F(ValuePick, RiseAndFallNameThePreviousDrawHighestPlaceFirst)
{
    // The first issue has no previous draw: no hint, the names stay.
    const ValuePickText first = Pick(41, 0, u"2024001"_s);
    EXPECT_EQ(first.Hint, QString());
    EXPECT_EQ(first.Names, FeatureLegend(4));
    EXPECT_EQ(Pick(31, 0).Hint, QString());
    EXPECT_EQ(Pick(41, 3, u"下期"_s).Hint, u"期号：下期\n上期号码：581"_s);
    EXPECT_EQ(Pick(33, 1).Hint, u"期号：2024002\n上期号码：123"_s);
}

TEST_F(ValuePick, ClassListsOfTheNeighbourAndRepeatClasses)
{
    // The draw before issue 1 is 1 2 3.
    EXPECT_EQ(Pick(26, 1).Hint, u"期号：2024002\n邻号：04  孤号：56789  传号：123"_s);
    EXPECT_EQ(Pick(28, 1).Hint,
              u"期号：2024002\n邻号：04  孤号：56789  传(复)号：123  隔号：  中号：0456789"_s);
    EXPECT_EQ(Pick(29, 1).Hint, u"期号：2024002\n复号：123  隔号：  中号：0456789"_s);
    // No previous draw for the first issue: the lists are empty.
    EXPECT_EQ(Pick(39, 0, u"2024001"_s).Hint, u"期号：2024001\n邻号：  孤号：  传号："_s);
    EXPECT_EQ(Pick(36, 2).Hint, u"期号：2024002\n大号：789  中号：3456  小号：012"_s);
}

} // namespace
} // namespace kelton
