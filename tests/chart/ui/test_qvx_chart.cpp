#include "chart/ui/qvx_chart.h"

#include <vector>

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "chart/series_table.h"
#include "chart/ui/chart_view.h"
#include "shell/ui/qt_app_env.h"

namespace kelton {
namespace {


ChartData Points(int count)
{
    std::vector<QVariant> values;
    for (int i = 0; i < count; ++i)
        values.emplace_back(i % 28);
    return test::SeriesTable(values);
}

// A control whose chart has `available` pixels beside the option column.
void SetAvailable(QvxChart& chart, int available, int height = QvxChart::kDesignHeight)
{
    chart.resize(available + chart.PicBar()->width(), height);
}

// A control on the (offscreen) screen, where it gets its resize events.
class ShownChart : public QvxChart {
public:
    ShownChart() { show(); }
};

TEST(QvxChartTest, AFreshControlLaysOutItsPartsAsDesigned)
{
    ShownChart chart;
    struct Part {
        QAbstractButton* widget;
        bool checked;
    };
    // Stacked from the top in this order, each whole inside the column.
    const Part parts[] = {
        {chart.OptKind(0), true}, {chart.OptKind(1), false}, {chart.chkAll(), true},  {chart.ChkLineX(), true},
        {chart.ChkLineY(), true}, {chart.chkMean(), false},  {chart.chkDif(), false}, {chart.chkBack(), false},
    };
    int below = 0;
    for (const Part& p : parts) {
        SCOPED_TRACE(p.widget->objectName().toStdString());
        EXPECT_EQ(p.widget->parentWidget(), chart.PicBar());
        EXPECT_EQ(p.widget->isChecked(), p.checked);
        EXPECT_GE(p.widget->y(), below);
        EXPECT_TRUE(chart.PicBar()->rect().contains(p.widget->geometry()));
        EXPECT_GE(p.widget->width(), p.widget->sizeHint().width());
        below = p.widget->geometry().bottom() + 1;
    }
    EXPECT_EQ(chart.size(), QSize(483, 318));
    // At the right edge, full height, at least as wide as designed.
    const QRect bar = chart.PicBar()->geometry();
    EXPECT_EQ(bar.right(), 482);
    EXPECT_EQ(bar.height(), 318);
    EXPECT_GE(bar.width(), ChartGeometry::kBarWidth);
    EXPECT_FALSE(chart.Hsl()->isVisibleTo(&chart));
    EXPECT_EQ(chart.TxtMsg()->toPlainText(), QString());
    EXPECT_EQ(chart.TxtMsg()->palette().color(QPalette::Text), QColor(150, 0, 150));
    EXPECT_EQ(chart.Model().DataKind(), 0);
    EXPECT_EQ(chart.chMain()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(chart.Hsl()->focusPolicy(), Qt::NoFocus);
}

TEST(QvxChartTest, ClicksBeforeAnyDataDrawNothing)
{
    ShownChart chart;
    chart.ChkLineX()->click();
    chart.OptKind(1)->click();
    EXPECT_EQ(chart.chMain()->Picture().Kind, ChartKind::Empty);
    EXPECT_EQ(chart.TxtMsg()->toPlainText(), QString());
}

TEST(QvxChartTest, StatDataHandsBackTheNormalisedChartKind)
{
    struct Case {
        int16_t showKind;
        int16_t handedBack;
        bool bars; // selected afterwards; the user had selected bars
    };
    const Case cases[] = {{7, 0, false}, {-3, 0, false}, {-1, -1, true}, {1, 1, true}, {0, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.showKind);
        ShownChart chart;
        chart.StatData(test::SeriesTable({1, 2}));
        chart.OptKind(1)->click();
        EXPECT_EQ(chart.StatData(test::SeriesTable({3, 4}), 1, c.showKind), c.handedBack);
        EXPECT_EQ(chart.OptKind(1)->isChecked(), c.bars);
        EXPECT_EQ(chart.chMain()->Picture().Kind, c.bars ? ChartKind::Bar : ChartKind::Line);
    }
}

TEST(QvxChartTest, TheFitBoxFollowsStatData)
{
    const std::pair<int16_t, bool> cases[] = {{1, true}, {-1, false}, {2, false}, {0, false}};
    for (const auto& [all, ticked] : cases) {
        ShownChart chart;
        chart.chkAll()->click(); // the user unticks it
        chart.StatData(test::SeriesTable({1, 2}), 1, 0, QString(), all);
        EXPECT_EQ(chart.chkAll()->isChecked(), ticked) << all;
    }
}

TEST(QvxChartTest, BarsHideTheStatisticBoxesAndLinesShowThemUnchanged)
{
    ShownChart chart;
    chart.show();
    chart.StatData(test::SeriesTable({1, 2, 2}), 1, 0, QStringLiteral("和值"));
    chart.chkDif()->click();
    chart.OptKind(1)->click();
    EXPECT_EQ(chart.chMain()->Picture().Kind, ChartKind::Bar);
    EXPECT_EQ(chart.TxtMsg()->toPlainText(), QStringLiteral("和值  每个值的出现次数"));
    for (QCheckBox* box : {chart.chkMean(), chart.chkDif(), chart.chkBack()})
        EXPECT_FALSE(box->isVisible());
    chart.OptKind(0)->click();
    EXPECT_EQ(chart.chMain()->Picture().Kind, ChartKind::Line);
    EXPECT_EQ(chart.TxtMsg()->toPlainText(), QStringLiteral("和值  走势图"));
    for (QCheckBox* box : {chart.chkMean(), chart.chkDif(), chart.chkBack()})
        EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(chart.chkDif()->isChecked());
    EXPECT_TRUE(chart.chMain()->Picture().StdDevLines);
}

TEST(QvxChartTest, AWideChartScrollsUnderTheView)
{
    ShownChart chart;
    SetAvailable(chart, 341);
    chart.StatData(Points(300), 1, 0, QString(), 0);
    EXPECT_TRUE(chart.Hsl()->isVisibleTo(&chart));
    EXPECT_EQ(chart.Hsl()->maximum(), 3659);
    EXPECT_EQ(chart.Hsl()->singleStep(), 74);
    EXPECT_EQ(chart.Hsl()->pageStep(), 366);
    EXPECT_EQ(chart.Hsl()->geometry(), QRect(0, 301, 341, 17));
    EXPECT_EQ(chart.chMain()->size(), QSize(4000, 301));
    EXPECT_EQ(chart.TxtMsg()->geometry(), QRect(10, 260, 321, 41));

    chart.Hsl()->setValue(500);
    EXPECT_EQ(chart.chMain()->x(), -500);
    // The scroll value carries over to the next drawing and data set.
    chart.ChkLineY()->click();
    EXPECT_EQ(chart.chMain()->x(), -500);
    chart.StatData(Points(50));
    EXPECT_EQ(chart.Hsl()->maximum(), 659);
    EXPECT_EQ(chart.chMain()->x(), -500);
    // A smaller maximum pulls the value down.
    chart.StatData(Points(30));
    EXPECT_EQ(chart.Hsl()->maximum(), 259);
    EXPECT_EQ(chart.chMain()->x(), -259);

    chart.chkAll()->click();
    EXPECT_FALSE(chart.Hsl()->isVisibleTo(&chart));
    EXPECT_EQ(chart.chMain()->geometry(), QRect(0, 0, 341, 318));
}

TEST(QvxChartTest, ResizeLaysTheChartOutAgain)
{
    struct Case {
        const char* name;
        int points;
        int available;
        bool scrolls;
        QSize chartSize;
        int titleWidth;
    };
    const Case cases[] = {
        {"scrolls", 300, 341, true, {4000, 301}, 321},
        {"fits", 10, 341, false, {341, 318}, 321},
        {"narrower than the option column", 300, -19, true, {4000, 301}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShownChart chart;
        chart.StatData(Points(c.points), 1, 0, QString(), 0);
        SetAvailable(chart, c.available);
        EXPECT_EQ(chart.Hsl()->isVisibleTo(&chart), c.scrolls);
        EXPECT_EQ(chart.chMain()->size(), c.chartSize);
        EXPECT_EQ(chart.TxtMsg()->width(), c.titleWidth);
        if (c.scrolls)
            EXPECT_EQ(chart.Hsl()->width(), std::max(c.available, 0));
        else
            EXPECT_EQ(chart.chMain()->x(), 0);
    }
    ShownChart fit;
    fit.StatData(Points(10));
    fit.resize(40, 318);
    EXPECT_EQ(fit.chMain()->width(), 0);
    EXPECT_EQ(fit.TxtMsg()->width(), 0);
}

// A title that lists every code of a pattern wraps in its box, which grows
// to show all of it and the chart leaves room for it; a short title keeps
// the box as designed.
TEST(QvxChartTest, ALongTitleShowsWhole)
{
    QString legend;
    for (int c = 0; c <= 26; ++c)
        legend += QStringLiteral("%1=热温冷;").arg(c);
    ShownChart chart;
    chart.resize(600, 400);
    chart.StatData(Points(27), 0, 0, legend, 1);
    QPlainTextEdit* title = chart.TxtMsg();
    EXPECT_EQ(title->toPlainText(), legend);
    EXPECT_GT(title->height(), ChartGeometry::kTitleHeight);
    EXPECT_LE(title->height(), chart.height() / 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(title->verticalScrollBar()->maximum(), 0); // nothing scrolled away
    EXPECT_EQ(chart.chMain()->BottomReserve(), title->height());
    EXPECT_EQ(title->geometry().bottom(), chart.chMain()->geometry().bottom());

    chart.StatData(Points(27), 0, 0, QStringLiteral("和值"), 1);
    EXPECT_EQ(title->height(), ChartGeometry::kTitleHeight);
}

TEST(QvxChartTest, AnEmptyTableKeepsThePictureAndTheOptionsStayLive)
{
    ShownChart chart;
    chart.StatData(test::SeriesTable({1, 5}), 1, 0, QStringLiteral("和值"));
    const auto data = chart.chMain()->Picture().Data;
    chart.StatData(ChartData(0, 1), 1, 1, QStringLiteral("新"));
    EXPECT_EQ(chart.chMain()->Picture().Data, data);
    EXPECT_TRUE(chart.OptKind(0)->isChecked());
    EXPECT_EQ(chart.TxtMsg()->toPlainText(), QStringLiteral("和值  走势图"));
    chart.ChkLineX()->click();
    EXPECT_EQ(chart.chMain()->Picture().Data, data);
    EXPECT_FALSE(chart.chMain()->Picture().GridX);
}

TEST(QvxChartTest, BarsOfAFirstTextValueShowAnEmptyChartTitledForTheNewData)
{
    ShownChart chart;
    chart.StatData(test::SeriesTable({1, 2, 2}), 1, 1, QStringLiteral("旧"));
    ASSERT_EQ(chart.chMain()->Picture().Kind, ChartKind::Bar);
    chart.StatData(test::SeriesTable({QStringLiteral("无"), 2}), 1, -1, QStringLiteral("新"));
    EXPECT_EQ(chart.chMain()->Picture().Kind, ChartKind::Empty);
    EXPECT_EQ(chart.TxtMsg()->toPlainText(), QStringLiteral("新  每个值的出现次数"));
    // The option column stays live: the line chart of the same data draws.
    chart.OptKind(0)->click();
    EXPECT_EQ(chart.chMain()->Picture().Kind, ChartKind::Line);
}

TEST(QvxChartTest, TheChartTellsScreenReadersWhatItShows)
{
    ShownChart chart;
    chart.StatData(test::SeriesTable({3, 20}), 1, 0, QStringLiteral("和值"));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(chart.chMain());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Chart);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("和值  走势图"));
    EXPECT_EQ(chart.chMain()->accessibleDescription(),
              QStringLiteral("线状图，系列：系列1；4 个类别；数值轴 2 至 22"));
    EXPECT_EQ(chart.chkDif()->accessibleName(), QStringLiteral("标准偏差线"));
}

} // namespace
} // namespace kelton
