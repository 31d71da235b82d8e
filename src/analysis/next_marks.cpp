#include "analysis/next_marks.h"

#include "data/lottor_head.h"
#include "engine/stat.h"

namespace kelton {

using namespace Qt::StringLiterals;

std::optional<BallMark> NextRowMark(const CStat& stat, const NumberGridLayout& layout, int col)
{
    const CLottorHead* head = stat.HeadData();
    const std::optional<GridColumn> at = ColumnAt(layout, col);
    if (!head || !at || at->Digit < 0)
        return std::nullopt;
    // A secondary number is never ranked: its column is its value.
    if (at->Area > head->BcMain)
        return BallMark{at->Area, at->Digit};
    return BallMark{at->Area, stat.Data(stat.BallCount() - 1, at->Digit, 0)};
}

QString NextCellText(const CStat& stat, const SecondaryDraws& secondary, NextTable table, int16_t rankKind,
                     int16_t sPos, int16_t d, int mode)
{
    const int32_t last = stat.BallCount() - 1;
    const CLottorHead* head = stat.HeadData();
    if (head && sPos > head->BcMain) {
        if (table != NextTable::Distribution || mode == 2)
            return QString::number(d);
        const SecondaryRanking ranking(secondary, rankKind, last, 1);
        return QString::number(ranking.Stat(last, static_cast<int16_t>(sPos - head->BcMain), d,
                                            static_cast<int16_t>(mode == 0 ? 0 : 1)));
    }
    if (table == NextTable::CombinedRanking)
        return QString::number(d);
    auto data = [&](int16_t sort) { return stat.Data(last, d, sort); };
    if (table == NextTable::Distribution) {
        if (mode == 0)
            return QString::number(stat.Stat(last, sPos, d, rankKind, 0));
        if (mode == 2)
            return QString::number(data(0));
        return QString::number(stat.Stat(last, sPos, d, rankKind, 1));
    }
    if (mode == 0)
        return QString::number(data(1));
    if (mode == 2)
        return QString::number(data(0));
    return QString::number(d);
}

NextCellPaint NextCellPaintOf(const CLottorHead& head, NextTable table, int16_t sPos, bool marked, bool showHitOnly,
                              bool rowColours, int row, int32_t currentBack)
{
    const int32_t main = ColorRgb(sPos <= head.BcMain ? head.BcMainColor : head.MrMainColor);
    NextCellPaint paint;
    if (table != NextTable::Cycle)
        paint.Back = ColorRgb(head.RowColor(rowColours ? static_cast<int16_t>(row % 2) : 0));
    if (marked) {
        if (table == NextTable::Cycle) {
            paint.Fore = currentBack == main ? kViewBlack : main;
        } else {
            paint.Back = main;
            paint.Fore = kViewBlack;
        }
        return paint;
    }
    paint.Fore = showHitOnly ? kViewBlack : kViewGrey;
    paint.WithText = !showHitOnly;
    return paint;
}

} // namespace kelton
