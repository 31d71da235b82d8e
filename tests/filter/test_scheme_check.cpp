#include "filter/scheme_check.h"

#include <memory>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "filter/filter_run.h"
#include "platform/name_tables.h"
#include "support/small_game.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

// The rows as "H<index>:text" and "I<index>:text@tag".
QStringList Rows(const PanelContent& content)
{
    QStringList out;
    for (const PanelRow& row : content.Rows)
        out << (row.Header ? u"H%1:%2"_s.arg(row.Index).arg(row.Text)
                           : u"I%1:%2@%3"_s.arg(row.Index).arg(row.Text, row.Tag));
    return out;
}

class SchemeCheck : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        m_game = test::SmallGame(Path(u"game"_s), {"123", "456", "581"});
    }
    void Set(int16_t view, int16_t k, const char16_t* values, int16_t err = 0)
    {
        CStat& stat = *m_game->StatView(view);
        stat.SetShrinkSel(k, 1);
        stat.SetShrinkVal(k, StrToRange(QString::fromUtf16(values), 0, 32676));
        stat.SetShrinkErr(k, err);
    }
    std::unique_ptr<CLottorData> m_game;
};

TEST_F(SchemeCheck, TheNextIssueIsRefusedWithOneRow)
{
    const PanelContent content = VerifyScheme(*m_game, 3, 4, u"下期"_s);
    EXPECT_EQ(Rows(content), QStringList{u"H0:还没有<下期>的开奖号码,您必须先输入开奖数据才能验证!"_s});
    EXPECT_EQ(content.Rows[0].Advance, RowAdvance::None);
    EXPECT_EQ(content.Title, u"过滤方案验证(不包含容错)结果："_s);
    EXPECT_EQ(content.HeadersUsed, 1);
    EXPECT_EQ(content.ItemsUsed, 0);
    EXPECT_TRUE(content.Show);
    EXPECT_EQ(VerifyScheme(*m_game, -1, 4, QString()).Title, u"过滤方案验证(不包含容错)结果："_s);
}

TEST_F(SchemeCheck, NothingSwitchedOnFindsNothing)
{
    const PanelContent content = VerifyScheme(*m_game, 1, 4, u"2024002"_s);
    EXPECT_EQ(content.Title, u"验证结果：有0项错误"_s);
    const QStringList rows = Rows(content);
    ASSERT_EQ(rows.size(), 11);
    EXPECT_EQ(rows[0], u"H0:原始数据：有0项错误"_s);
    EXPECT_EQ(rows[7], u"H7:转换数据七：有0项错误"_s);
    EXPECT_EQ(rows.mid(8), (QStringList{u"H8:匹配过滤：有0项错误"_s, u"H9:历史开奖过滤：有0项错误"_s,
                                        u"H10:相生相克过滤：有0项错误"_s}));
    EXPECT_EQ(content.HeadersUsed, 11);
    EXPECT_EQ(content.ItemsUsed, 0);
    // The view headers get their text after their items: they advance by
    // the height set at placing.
    EXPECT_EQ(content.Rows[0].Advance, RowAdvance::Placed);
}

TEST_F(SchemeCheck, BrokenConditionsAreListedByViewThenNumberWithoutTolerance)
{
    // Issue 1 is 4 5 6 (hundreds first): sum 15, tens 5.
    Set(0, 44, u"9");    // tens: broken
    Set(0, 1, u"0", 1);  // sum: broken, tolerated in the run
    Set(0, 3, u"0-100"); // passes
    Set(0, 5, u"");      // an empty set lets nothing pass
    Set(2, 1, u"0");
    CStat& view0 = *m_game->StatView(0);
    view0.SetShrinkSel(3 + 43, 1);
    view0.SetShrinkVal(3 + 43, StrToRange(u"0-5", 0, 100));
    m_game->ShrinkAllErrSel = 1;
    m_game->ShrinkAllErrVal = StrToRange(u"0-9", 0, 200);

    const PanelContent content = VerifyScheme(*m_game, 1, 4, u"2024002"_s);
    const QStringList rows = Rows(content);
    const QString& name5 = IndicatorName(5);
    EXPECT_EQ(rows.mid(0, 5),
              (QStringList{u"H0:原始数据：有3项错误"_s, u"I0:和值@0|和值"_s, u"I1:%1@0|%1"_s.arg(name5),
                           u"I2:十位号码@0|十位号码"_s, u"H1:转换数据一：有0项错误"_s}));
    EXPECT_EQ(rows[6], u"I3:和值@2|和值"_s);
    EXPECT_EQ(content.Title, u"验证结果：有4项错误"_s);
    EXPECT_EQ(content.ItemsUsed, 4);
    EXPECT_EQ(content.Rows[1].Tip, u"点击查看具体走势"_s);
}

TEST_F(SchemeCheck, SettingsFindingsPerViewAndTheTolerances)
{
    PanelContent content = SettingsCheckPanel(CheckFilterSettings(*m_game));
    EXPECT_FALSE(content.Show);
    EXPECT_EQ(content.Title, u"过滤检查结果：有0项错误"_s);
    EXPECT_EQ(Rows(content)[0], u"H0:原始数据过滤设置：\r\n全部正确"_s);

    // Conditions switched on without values would let no bet pass.
    Set(1, 1, u"");
    Set(1, 43, u"");
    // A view's own tolerance switched on without values would be ignored by
    // the run, as if it were off.
    CStat& view1 = *m_game->StatView(1);
    view1.SetShrinkSel(3 + 43, 1);
    view1.SetShrinkVal(3 + 43, ValueSet());
    // The total and the other filters' tolerances switched on without values
    // would remove every bet.
    m_game->ShrinkAllErrSel = 1;
    m_game->ShrinkAllErrVal = ValueSet();
    m_game->ShrinkOtherErrSel = 1;
    m_game->ShrinkOtherErrVal = ValueSet();
    m_game->ShrinkOtherErrValUbound = 0;
    const SettingsFindings findings = CheckFilterSettings(*m_game);
    EXPECT_EQ(findings.Count(), 5);
    content = SettingsCheckPanel(findings);
    EXPECT_TRUE(content.Show);
    EXPECT_EQ(content.Title, u"过滤检查结果：有5项错误"_s);
    const QStringList rows = Rows(content);
    EXPECT_EQ(rows.mid(1, 5), (QStringList{u"H1:转换数据一过滤设置：有3项错误"_s, u"I0:和值@1|和值"_s,
                                           u"I1:常规号码1@1|个位号码"_s, u"I2:子容错@"_s,
                                           u"H2:转换数据二过滤设置：\r\n全部正确"_s}));
    EXPECT_EQ(rows.mid(rows.size() - 4),
              (QStringList{u"H8:总容错设置：有1项错误"_s, u"I3:总容错@"_s,
                           u"H9:其它过滤容错设置：有1项错误"_s, u"I4:其它过滤容错@"_s}));
    EXPECT_EQ(content.HeadersUsed, 10);
    EXPECT_EQ(content.ItemsUsed, 5);
}

TEST_F(SchemeCheck, TheOtherFiltersToleranceIsRefusedWhenItsRunWouldLetNothingPass)
{
    struct Case {
        int16_t Sel;
        const char16_t* Values;
        int16_t Ranges; // the range count the run reads
        bool Refused;
    };
    const Case cases[] = {
        {1, u"0-1", 1, false}, {1, u"1 3", 2, false}, {0, u"", 0, false}, {2, u"", 0, false},
        {1, u"", 0, true},     {1, u"0-1", 0, true},  {1, u"0", 2, true},
    };
    for (const Case& c : cases) {
        m_game->ShrinkOtherErrSel = c.Sel;
        m_game->ShrinkOtherErrVal = StrToRange(QString::fromUtf16(c.Values), 0, 3);
        m_game->ShrinkOtherErrValUbound = c.Ranges;
        const SettingsFindings findings = CheckFilterSettings(*m_game);
        EXPECT_EQ(findings.OtherToleranceEmpty, c.Refused) << c.Sel << " " << c.Ranges;
        EXPECT_EQ(findings.Count(), c.Refused ? 1 : 0) << c.Sel << " " << c.Ranges;
    }
}

struct LayoutCase {
    int32_t Width, Height, Content;
    bool Scroll;
    int32_t Max, Unit, Large, ContentWidth, SplitterLeft, ScrollHeight;
};

TEST(SidePanel, LayoutScrollsInStepsThatFitTheBar)
{
    const LayoutCase cases[] = {
        {2445, 5000, 4745, false, 0, 1, 0, 2190, 2405, 4745},
        {2445, 5000, 14745, true, 10000, 1, 1000, 2190, 2405, 4745},
        {2445, 5000, 14746, true, 100, 100, 10, 2190, 2405, 4745},
        // Lower than its header: nothing becomes negative.
        {20, 100, 0, true, 155, 1, 15, 0, 0, 0},
    };
    for (const LayoutCase& c : cases) {
        const SidePanelLayout l = LayOutSidePanel(c.Width, c.Height, 255, c.Content, 255, 40);
        EXPECT_EQ(l.ScrollVisible, c.Scroll) << c.Content;
        EXPECT_EQ(l.ScrollMax, c.Max) << c.Content;
        EXPECT_EQ(l.ScrollUnit, c.Unit) << c.Content;
        EXPECT_EQ(l.LargeChange, c.Large) << c.Content;
        EXPECT_EQ(l.ContentWidth, c.ContentWidth) << c.Content;
        EXPECT_EQ(l.SplitterLeft, c.SplitterLeft) << c.Content;
        EXPECT_EQ(l.ScrollHeight, c.ScrollHeight) << c.Content;
        EXPECT_EQ(l.ContentTop, 255);
    }
}

TEST(SidePanel, TheSplitterKeepsTheWidthWithinLimits)
{
    EXPECT_EQ(DraggedPanelWidth(2445, 100, 10000, true), 2545);
    EXPECT_EQ(DraggedPanelWidth(2445, -2145, 10000, true), 2445); // 300
    EXPECT_EQ(DraggedPanelWidth(2445, -2144, 10000, true), 301);
    EXPECT_EQ(DraggedPanelWidth(2445, 7255, 10000, true), 2445); // 9700
    EXPECT_EQ(DraggedPanelWidth(2445, 100, 10000, false), 2445);
}

TEST(SidePanel, RowTagsLeadToAViewOrAnOtherFilterPage)
{
    const RowLink view = ParseRowTag(u"3|和值"_s, 8);
    EXPECT_EQ(view.Target, RowLink::View);
    EXPECT_EQ(view.ViewIndex, 3);
    EXPECT_EQ(view.ViewName, u"和值"_s);
    EXPECT_EQ(ParseRowTag(u"9|和值"_s, 8).Target, RowLink::Nothing);
    EXPECT_EQ(ParseRowTag(u"x|和值"_s, 8).Target, RowLink::Nothing);
    EXPECT_EQ(ParseRowTag(u"1|2|3"_s, 8).Target, RowLink::Nothing);
    EXPECT_EQ(ParseRowTag(u"Match"_s, 8).Target, RowLink::Match);
    EXPECT_EQ(ParseRowTag(u"History"_s, 8).Target, RowLink::History);
    EXPECT_EQ(ParseRowTag(u"Gather"_s, 8).Target, RowLink::Gather);
    EXPECT_EQ(ParseRowTag(QString(), 8).Target, RowLink::Nothing);
}

} // namespace
} // namespace kelton
