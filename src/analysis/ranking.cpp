#include "analysis/ranking.h"

#include <array>
#include <memory>

#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "platform/name_tables.h"

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
    const QString& name = RankName(kind);
    return kind == 4 ? QString::number(customStat) + name : name;
}

ChartData RankChart(const CStat& stat, const SecondaryDraws& secondary, int16_t kind, int32_t period,
                    RankArea area, bool sorted, const QString& seriesName)
{
    const int n = area.Largest;
    ChartData data(n + 1, 1);
    data.Set(0, 1, seriesName);
    const bool inside = period >= 0 && period < stat.BallCount();
    // The statistics views count no secondary number: its statistics come
    // from the history.
    const int16_t bcMain = stat.HeadData() ? stat.HeadData()->BcMain : 0;
    const bool fromHistory = area.Area > bcMain;
    const SecondaryRanking ranking =
        inside && fromHistory ? SecondaryRanking(secondary, kind, period, 1) : SecondaryRanking();
    const auto statistic = [&](int16_t y, int16_t sort) {
        return fromHistory ? ranking.Stat(period, static_cast<int16_t>(area.Area - bcMain), y, sort)
                           : stat.Stat(period, area.Area, y, kind, sort);
    };
    for (int d = 0; d <= n; ++d) {
        const auto y = static_cast<int16_t>(d);
        if (!inside) {
            data.Set(d + 1, 0, d);
            data.Set(d + 1, 1, 0);
        } else if (sorted) {
            const int16_t number = statistic(y, 2);
            data.Set(n + 1 - d, 0, number);
            data.Set(n + 1 - d, 1, statistic(number, 0));
        } else {
            data.Set(d + 1, 0, d);
            data.Set(d + 1, 1, statistic(y, 0));
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

std::vector<ViewCell> RankPeriodCells(const CStat& stat, const CLottorData& game, int32_t P, int16_t area, int row,
                                      bool rowColours, bool showHitOnly)
{
    const CLottorHead& head = game.HeadData;
    const int l = head.BcDataLen;
    const int32_t back = ColorRgb(head.RowColor(rowColours ? static_cast<int16_t>(row % 2) : 0));
    std::vector<ViewCell> cells(static_cast<size_t>(l + 1));
    for (int d = 0; d <= l; ++d)
        cells[static_cast<size_t>(d)] = {showHitOnly ? QString() : QString::number(d), back, kViewGrey};
    auto highlight = [&](int d) {
        if (d >= 0 && d <= l)
            cells[static_cast<size_t>(d)] = {QString::number(d), ColorRgb(head.BcMainColor), kViewBlack};
    };
    if (P < stat.BallCount() - 1) {
        for (int k = 1; k <= head.BcMain; ++k) {
            if (area == 0 || area == k)
                highlight(stat.Num(P, static_cast<int16_t>(k), 0));
        }
    } else {
        for (int d = 0; d <= l; ++d) {
            if (game.SelectBall(area, stat.Data(P, static_cast<int16_t>(d), 0)) != 0)
                highlight(d);
        }
    }
    return cells;
}

std::vector<ViewCell> RankRowCells(const CStat& stat, int32_t P, int16_t area, int16_t kind, bool byOrder, int16_t n)
{
    const CLottorHead& head = *stat.HeadData();
    const int l = head.BcDataLen;
    std::vector<ViewCell> cells(static_cast<size_t>(l + 1));
    for (int d = 0; d <= l; ++d) {
        const auto y = static_cast<int16_t>(d);
        const int16_t rank = stat.Stat(P, area, y, kind, 1);
        const ViewCellStyle style = RankCellStyle(head, rank, n, head.BcDataLen);
        cells[static_cast<size_t>(d)] = {QString::number(byOrder ? rank : stat.Stat(P, area, y, kind, 0)), style.Back,
                                         style.Fore};
    }
    return cells;
}

int RankTablePeriodRow(int16_t listAsc)
{
    return listAsc != 0 ? 2 : 10;
}

int RankTableRankRow(int16_t listAsc, int kind)
{
    return listAsc != 0 ? 3 + kind : 9 - kind;
}

void CombinedRankingCells(const CStat& stat, const CLottorData& game, const SecondaryDraws& secondary,
                          const GameSizes& sizes, const AreaNames& names, const RankTableSetup& setup,
                          const GridCellSink& out)
{
    const NumberGridLayout layout = NumberGrid(sizes, setup.AreaChoice, names);
    const CLottorHead& head = *stat.HeadData();
    const int32_t P = setup.Period;
    const int r0 = RankTablePeriodRow(head.ListAsc);
    const auto put = [&out](int row, int col, const ViewCell& cell) {
        out({row, col, cell.Text, cell.Back, cell.Fore});
    };
    out({0, 0, u"位码"_s, {}, {}});
    out({1, 0, u"期数"_s, {}, {}});
    out({r0, 0, P == stat.BallCount() - 1 ? u"下期"_s : QString::number(game.NumName(P)), {}, {}});
    for (int k = 0; k < 8; ++k)
        out({RankTableRankRow(head.ListAsc, k),
             0,
             RankTitle(static_cast<int16_t>(k), head.CustomStat),
             {},
             {}});

    // A secondary block reads the history table (index 0) and the
    // distribution tables of the kinds at P, each made once.
    std::array<std::unique_ptr<CNumberTable>, 9> tables;
    const auto table = [&](int k) -> const CNumberTable& {
        std::unique_ptr<CNumberTable>& held = tables[static_cast<size_t>(k + 1)];
        if (!held) {
            CNumberTable::Setup s;
            s.Kind = static_cast<int16_t>(k);
            s.Mode = setup.Mode;
            s.ShowHit = setup.ShowHit;
            s.AreaChoice = setup.AreaChoice;
            s.RangeStart = P;
            s.RangeCount = 1;
            held = std::make_unique<CNumberTable>(
                stat, secondary, sizes, names, s,
                [&game](int16_t area, int16_t value) { return game.SelectBall(area, value) != 0; });
        }
        return *held;
    };
    for (const NumberBlock& block : layout.Blocks) {
        for (int k = -1; k < 8; ++k) {
            const int row = k < 0 ? r0 : RankTableRankRow(head.ListAsc, k);
            if (!block.Secondary) {
                const std::vector<ViewCell> cells =
                    k < 0 ? RankPeriodCells(stat, game, P, block.Area, row, setup.RowColours, setup.ShowHit)
                          : RankRowCells(stat, P, block.Area, static_cast<int16_t>(k), setup.ByOrder,
                                         setup.Singled);
                for (int d = 0; d < block.Digits; ++d)
                    put(row, block.Start + d, cells[static_cast<size_t>(d)]);
                continue;
            }
            const CNumberTable& t = table(k);
            const int32_t rowColour =
                ColorRgb(head.RowColor(setup.RowColours ? static_cast<int16_t>(row % 2) : 0));
            for (int d = 0; d < block.Digits; ++d) {
                const int col = block.Start + d;
                const CellPaint paint = t.Paint(2, col);
                const bool hit = paint == CellPaint::HitMr || paint == CellPaint::Hit;
                put(row, col,
                    {t.Text(2, col), hit ? ColorRgb(head.MrMainColor) : rowColour,
                     hit ? kViewBlack : kViewGrey});
            }
        }
    }
}

} // namespace kelton
