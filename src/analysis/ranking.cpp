#include "analysis/ranking.h"

#include "data/app_state.h"
#include "data/lottor_head.h"
#include "engine/stat.h"

namespace kelton {

using namespace Qt::StringLiterals;

RankArea RankChartArea(const CLottorHead& head, int listIndex)
{
    const int b = head.BcMain;
    if (listIndex >= 1 && listIndex <= b)
        return {static_cast<int16_t>(b + 1 - listIndex), head.BcDataLen};
    if (listIndex > b && listIndex <= b + head.MrMain)
        return {static_cast<int16_t>(listIndex), head.MrDataLen};
    return {0, head.BcDataLen};
}

QString RankTitle(int16_t kind, int16_t customStat)
{
    if (kind < 0 || kind > 7)
        return QString();
    const QString& name = Mmain().RankName[static_cast<size_t>(kind)];
    return kind == 4 ? QString::number(customStat) + name : name;
}

ChartData RankChart(const CStat& stat, int16_t kind, int32_t period, RankArea area, bool sorted,
                    const QString& seriesName)
{
    const int n = area.Largest;
    ChartData data(n + 1, 1);
    data.Set(0, 1, seriesName);
    const bool inside = period >= 0 && period < stat.BallCount();
    for (int d = 0; d <= n; ++d) {
        const auto y = static_cast<int16_t>(d);
        if (!inside) {
            data.Set(d + 1, 0, d);
            data.Set(d + 1, 1, 0);
        } else if (sorted) {
            const int16_t number = stat.Stat(period, area.Area, y, kind, 2);
            data.Set(n + 1 - d, 0, number);
            data.Set(n + 1 - d, 1, stat.Stat(period, area.Area, number, kind, 0));
        } else {
            data.Set(d + 1, 0, d);
            data.Set(d + 1, 1, stat.Stat(period, area.Area, y, kind, 0));
        }
    }
    return data;
}

ViewCellStyle RankCellStyle(const CLottorHead& head, int16_t rank, int16_t n, int16_t largest)
{
    if (n < 1)
        return {kViewWhite, kViewBlack};
    if (rank < n)
        return {ColorRgb(head.RankColor(1)), kViewBlack};
    if (rank > largest - n)
        return {ColorRgb(head.RankColor(0)), kViewBlack};
    return {kViewWhite, kViewGrey};
}

int RankTablePeriodRow(int16_t listAsc)
{
    return listAsc != 0 ? 2 : 10;
}

int RankTableRankRow(int16_t listAsc, int kind)
{
    return listAsc != 0 ? 3 + kind : 9 - kind;
}

} // namespace kelton
