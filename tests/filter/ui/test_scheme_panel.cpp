#include "filter/ui/scheme_panel.h"

#include <vector>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "platform/ui/screen_twips.h"
#include "shell/ui/qt_app_env.h"
#include "support/quiet_infer_form.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class NotingInferForm : public test::QuietInferForm {
public:
    void ShowLay(const QString& sShowSet) override { Shown << sShowSet; }
    QStringList Shown;
};

PanelRow Header(int16_t index, const QString& text, RowAdvance advance = RowAdvance::TextHeight)
{
    return {true, index, text, QString(), QString(), advance};
}

PanelRow Item(int16_t index, const QString& text, const QString& tag)
{
    return {false, index, text, tag, u"点击查看具体走势"_s, RowAdvance::TextHeight};
}

// n views' headers, each with `items` rows.
PanelContent Findings(int views, int items)
{
    PanelContent content;
    content.Title = u"过滤检查结果：有%1项错误"_s.arg(views * items);
    int16_t e = 0;
    for (int16_t v = 0; v < views; ++v) {
        content.Rows.push_back(Header(v, u"视图%1"_s.arg(v)));
        for (int i = 0; i < items; ++i, ++e)
            content.Rows.push_back(Item(e, u"和值"_s, u"%1|和值"_s.arg(v)));
    }
    content.HeadersUsed = static_cast<int16_t>(views);
    content.ItemsUsed = e;
    return content;
}

class SchemePanelTest : public ::testing::Test {
protected:
    AppState m_state; // fresh for each test: no analysis windows
    std::vector<int> m_otherFilterPages; // the other-filter pages the links opened
    SchemePanel m_panel{m_state, [this](int page) { m_otherFilterPages.push_back(page); }};
};

TEST_F(SchemePanelTest, RowsStackDownwardsAndTheSurplusGoes)
{
    EXPECT_TRUE(m_panel.isHidden());
    EXPECT_EQ(m_panel.LblStatCount(), 1);
    EXPECT_EQ(m_panel.LblFilterCount(), 1);
    EXPECT_EQ(m_panel.CmdWindowClose()->text(), u"╳"_s);

    m_panel.Fill(Findings(3, 2));
    EXPECT_FALSE(m_panel.isHidden());
    EXPECT_EQ(m_panel.LblWindowBox()->text(), u"过滤检查结果：有6项错误"_s);
    ASSERT_EQ(m_panel.LblStatCount(), 3);
    ASSERT_EQ(m_panel.LblFilterCount(), 6);
    EXPECT_EQ(m_panel.LabelTwips(m_panel.LblStat(0)), QPoint(120, 120));
    const int32_t step = m_panel.LabelTwips(m_panel.LblFilter(0)).y() - 120;
    EXPECT_GT(step, 120);
    EXPECT_EQ(m_panel.LabelTwips(m_panel.LblFilter(0)).x(), 200);
    EXPECT_EQ(m_panel.LabelTwips(m_panel.LblFilter(1)).y(), 120 + 2 * step);
    EXPECT_EQ(m_panel.LabelTwips(m_panel.LblStat(1)).y(), 120 + 3 * step);
    EXPECT_EQ(m_panel.VailHeightTwips(), 120 + 9 * step + 300);
    EXPECT_EQ(m_panel.LblFilter(3)->toolTip(), u"点击查看具体走势"_s);

    // A check with fewer findings: the surplus labels go, the first item
    // element is only hidden.
    PanelContent none = Findings(2, 0);
    m_panel.Fill(none);
    EXPECT_EQ(m_panel.LblStatCount(), 2);
    ASSERT_EQ(m_panel.LblFilterCount(), 1);
    EXPECT_TRUE(m_panel.LblFilter(0)->isHidden());
    EXPECT_EQ(m_panel.VailHeightTwips(), 120 + 2 * step + 300);

    // The refusal row stays at the top without moving the running top.
    PanelContent refused;
    refused.Rows.push_back(
        Header(0, u"还没有<下期>的开奖号码,您必须先输入开奖数据才能验证!"_s, RowAdvance::None));
    refused.HeadersUsed = 1;
    m_panel.Fill(refused);
    EXPECT_EQ(m_panel.LblStatCount(), 1);
    EXPECT_EQ(m_panel.VailHeightTwips(), 420);

    // A passed settings check hides the panel; the close button hides it too.
    PanelContent passed = Findings(1, 0);
    passed.Show = false;
    m_panel.Fill(passed);
    EXPECT_TRUE(m_panel.isHidden());
    m_panel.Fill(Findings(1, 1));
    QTest::mouseClick(m_panel.CmdWindowClose(), Qt::LeftButton);
    EXPECT_TRUE(m_panel.isHidden());
}

TEST_F(SchemePanelTest, LinksOpenTheirAnalysisView)
{
    NotingInferForm view0, view3;
    m_state.InferForms[0] = &view0;
    m_state.InferForms[3] = &view3;
    PanelContent content = Findings(1, 0);
    content.Rows.push_back(Item(0, u"十位号码"_s, u"3|十位号码"_s));
    content.Rows.push_back(Item(1, u"和值"_s, u"9|和值"_s));
    content.ItemsUsed = 2;
    m_panel.Fill(content);
    m_panel.resize(m_panel.width(), 400);
    QApplication::processEvents();
    QTest::mouseClick(m_panel.LblFilter(0), Qt::LeftButton);
    EXPECT_EQ(view3.Shown, QStringList{u"十位号码"_s});
    m_panel.LblFilter_Click(1); // no ninth view: nothing
    m_panel.LblFilter_Click(7);
    EXPECT_TRUE(view0.Shown.isEmpty());
    EXPECT_EQ(view3.Shown.size(), 1);
}

TEST_F(SchemePanelTest, LinksToTheOtherFiltersOpenTheirPage)
{
    PanelContent content = Findings(1, 0);
    for (const QString& tag : {u"Match"_s, u"History"_s, u"Gather"_s, u"Other"_s})
        content.Rows.push_back(Item(static_cast<int16_t>(content.ItemsUsed++), u"第1项；"_s, tag));
    m_panel.Fill(content);
    for (int i = 0; i < m_panel.LblFilterCount(); ++i)
        m_panel.LblFilter_Click(i);
    EXPECT_EQ(m_otherFilterPages, (std::vector<int>{0, 1, 2}));

    // A panel with nowhere to open them: the links do nothing.
    SchemePanel alone(m_state);
    alone.Fill(content);
    alone.LblFilter_Click(0);
}

TEST_F(SchemePanelTest, LongListsScrollAndTheSplitterSetsTheWidth)
{
    m_panel.Fill(Findings(8, 30));
    m_panel.setFixedHeight(TwipsToScreenPixels(3000, &m_panel));
    m_panel.picWindow_Resize();
    ASSERT_FALSE(m_panel.VslWindow()->isHidden());
    const int32_t header = m_panel.HeaderTwips(); // 255, or what the title needs
    const int32_t over = m_panel.VailHeightTwips() - (3000 - header);
    ASSERT_GT(over, 10000);
    EXPECT_EQ(m_panel.ScrollUnit(), 100);
    EXPECT_EQ(m_panel.VslWindow()->maximum(), over / 100);
    m_panel.VslWindow()->setValue(10);
    EXPECT_EQ(m_panel.picVail()->y(), TwipsToScreenPixels(header - 1000, &m_panel));

    m_panel.Fill(Findings(1, 1));
    EXPECT_TRUE(m_panel.VslWindow()->isHidden());
    EXPECT_EQ(m_panel.picVail()->y(), TwipsToScreenPixels(header, &m_panel));

    EXPECT_EQ(m_panel.WidthTwips(), 2445);
    m_panel.picWindowSize_MouseMove(Qt::RightButton, 500);
    EXPECT_EQ(m_panel.WidthTwips(), 2445);
}

} // namespace
} // namespace kelton
