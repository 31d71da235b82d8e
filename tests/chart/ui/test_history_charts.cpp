// The chart control on the real history: the sums of the sample game's last
// draws as a trend chart and as counts per value, in a small window.
//
// KELTON_CHART_SHOW_MS=<ms> keeps the window on screen that long (for a
// look under a real display: QT_QPA_PLATFORM=xcb).

#include <algorithm>
#include <cmath>
#include <map>

#include <QPlainTextEdit>
#include <QEventLoop>
#include <QImage>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "chart/ui/chart_view.h"
#include "chart/ui/qvx_chart.h"
#include "data/first_start.h"
#include "data/lotto_items.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "shell/ui/qt_app_env.h"
#include "support/test_support.h"

namespace kelton {
namespace {

constexpr int16_t kSum = 1; // the indicator 和值

// The sums of the last `n` drawn issues of a view, labelled with their issue
// numbers, as a host hands them to the chart.
ChartData LastSums(CStat& view, int n)
{
    const int32_t drawn = view.BallCount() - 1;
    const int32_t first = std::max(drawn - n, 0);
    ChartData data(drawn - first, 1);
    data.Set(0, 0, QStringLiteral("期号"));
    data.Set(0, 1, QStringLiteral("和值"));
    for (int32_t i = first; i < drawn; ++i) {
        data.Set(i - first + 1, 0, view.NumName(i));
        data.Set(i - first + 1, 1, view.Filter(i, kSum));
    }
    return data;
}

bool HasColor(const QImage& image, QColor color)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

class HistoryChartsTest : public test::ProgramFolderTest {};

TEST_F(HistoryChartsTest, SumsOfTheSampleGameAsTrendAndCounts)
{
    CLottoItem items;
    ASSERT_TRUE(SeedProgramFolder(items, SettingsFileState::NotRead));
    CLottorData game;
    ASSERT_FALSE(game.OpenData(1, QString::fromLatin1(kSampleGamePath)));
    CStat* view = game.StatView(0);
    ASSERT_NE(view, nullptr);
    const ChartData sums = LastSums(*view, 100);
    ASSERT_EQ(sums.PointCount(), 100);

    QWidget window;
    window.setWindowTitle(QStringLiteral("和值走势"));
    auto* layout = new QVBoxLayout(&window);
    auto* trend = new QvxChart(&window);
    auto* counts = new QvxChart(&window);
    layout->addWidget(trend);
    layout->addWidget(counts);
    window.resize(900, 700);
    window.show();
    trend->StatData(sums, 1, 0, QStringLiteral("和值"), -1, 255, 3);
    counts->StatData(sums, 1, 1, QStringLiteral("和值"), -1, 255, 3);

    std::map<int, int> byValue;
    int smallest = 27;
    int largest = 0;
    for (int p = 1; p <= 100; ++p) {
        const int v = sums.At(p, 1).toInt();
        ++byValue[v];
        smallest = std::min(smallest, v);
        largest = std::max(largest, v);
    }
    EXPECT_EQ(trend->Model().ValueRange()[0], largest);
    EXPECT_EQ(trend->Model().ValueRange()[1], smallest);
    EXPECT_EQ(trend->TxtMsg()->toPlainText(), QStringLiteral("和值  走势图"));
    EXPECT_EQ(trend->Model().TrendCache().Labels[1],
              QLatin1Char(' ') + sums.At(1, 0).toString().right(3) + QLatin1Char(' '));

    const ChartCache& bars = counts->Model().CountCache();
    ASSERT_EQ(bars.Categories(), largest - smallest + 1);
    for (int c = 1; c <= bars.Categories(); ++c) {
        const auto it = byValue.find(smallest + c - 1);
        if (it == byValue.end())
            EXPECT_TRUE(std::isnan(bars.Value(c, 1)));
        else
            EXPECT_EQ(bars.Value(c, 1), it->second);
    }
    EXPECT_EQ(counts->TxtMsg()->toPlainText(), QStringLiteral("和值  每个值的出现次数"));

    const QImage line = trend->chMain()->grab().toImage();
    EXPECT_TRUE(HasColor(line, QColor(0, 50, 200)));   // the markers
    const QImage bar = counts->chMain()->grab().toImage();
    EXPECT_TRUE(HasColor(bar, QColor(255, 0, 0)));     // the bars

    if (const int ms = qEnvironmentVariableIntValue("KELTON_CHART_SHOW_MS"); ms > 0) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace
} // namespace kelton
