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
    const int32_t last = stat.BallCount() - 1;
    const bool secondary = at->Area > head->BcMain;
    return BallMark{at->Area, secondary ? stat.DataMr(last, at->Digit, 0) : stat.Data(last, at->Digit, 0)};
}

QString NextCellText(const CStat& stat, NextTable table, int16_t rankKind, int16_t sPos, int16_t d, int mode)
{
    const int32_t last = stat.BallCount() - 1;
    const CLottorHead* head = stat.HeadData();
    const bool secondary = head && sPos > head->BcMain;
    if (table == NextTable::CombinedRanking && !secondary)
        return QString::number(d);
    auto data = [&](int16_t sort) { return secondary ? stat.DataMr(last, d, sort) : stat.Data(last, d, sort); };
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
