#include "filter/filter_bound.h"

#include <algorithm>

#include "data/lottor_data.h"
#include "data/value_set.h"
#include "engine/stat.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

constexpr int16_t kPickedHigh = 32676;
constexpr int32_t kChartedIssues = 100;

} // namespace

int32_t SliderStartIndex(int32_t endIndex, int32_t n, int32_t itemCount)
{
    const int32_t i = std::max(endIndex - n + 1, 0);
    return itemCount > 0 && i < itemCount ? i : -1;
}

bool SetConditionsToExtremes(CStat& stat, int16_t bcMain, int32_t start, int32_t end)
{
    // Without a drawn issue there are no extremes: every condition would get
    // the set {0}.
    if (stat.BallCount() < 2)
        return false;
    const auto ranges = stat.GetShrinkLowHigh(start, end);
    for (int16_t k = 0; k <= bcMain + 42 && static_cast<size_t>(k) < ranges.size(); ++k) {
        const auto [low, high] = ranges[static_cast<size_t>(k)];
        stat.SetShrinkVal(k, StrToRange(QString::number(low) + u'-' + QString::number(high), 0, kPickedHigh));
        stat.SetShrinkSel(k, 1);
    }
    return true;
}

QString ExtremesSetMessage(const QString& tabCaption, const QString& startText, const QString& endText)
{
    return u"已经把<"_s + tabCaption + u">的过滤值设置为第"_s + startText + u"期到第"_s + endText +
           u"期间的极值。"_s;
}

int16_t OutOfRangeCount(const CStat& stat, int16_t bcMain, int32_t p, int32_t n)
{
    const int32_t ws = std::max(p - n, 0);
    const int32_t we = std::max(p - 1, 0);
    const auto ranges = stat.GetShrinkLowHigh(ws, we);
    int16_t count = 0;
    for (int16_t k = 0; k <= bcMain + 42 && static_cast<size_t>(k) < ranges.size(); ++k) {
        const int16_t x = k <= 42 ? stat.Filter(p, k) : stat.Num(p, static_cast<int16_t>(k - 42), 0);
        const auto [low, high] = ranges[static_cast<size_t>(k)];
        if (x < low || x > high)
            ++count;
    }
    return count;
}

ChartData OutOfRangeChart(const CLottorData& game, std::span<const CStat* const> views, int32_t n)
{
    const int32_t numCount = game.NumCount();
    const int32_t r = std::min(numCount, kChartedIssues);
    ChartData data(r, 1);
    data.Set(0, 0, u" "_s);
    data.Set(0, 1, u"错误数"_s);
    for (int32_t row = 1; row <= r; ++row) {
        const int32_t p = numCount - r + row - 1;
        int16_t count = 0;
        for (const CStat* stat : views) {
            if (stat)
                count = static_cast<int16_t>(count + OutOfRangeCount(*stat, game.HeadData.BcMain, p, n));
        }
        data.Set(row, 0, QString::number(game.NumName(p)));
        data.Set(row, 1, static_cast<int>(count));
    }
    return data;
}

QString OutOfRangeTitle(const QString& lottorName)
{
    return lottorName + u"过滤容错设置走势图：0表示当期数据包含在过滤设置范围内，大于0表示超过范围的个数。"_s;
}

FilterBoundLayout LayOutFilterBound(int32_t outerWidth, int32_t innerWidth, int32_t innerHeight,
                                    int32_t tabHeight)
{
    FilterBoundLayout out;
    // As wide as the window's inside: its outer width would run past the
    // edge by the frame's borders.
    out.TabWidth = std::min(outerWidth, innerWidth);
    out.TabTop = tabHeight < innerHeight ? innerHeight - tabHeight : 0;
    out.FrameTop = out.TabTop + 320;
    out.FrameWidth = out.TabWidth > 200 ? out.TabWidth - 200 : 0;
    out.ChartWidth = innerWidth;
    out.ChartHeight = out.TabTop;
    return out;
}

} // namespace kelton
