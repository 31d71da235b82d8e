#include "analysis/next_marks.h"

#include "data/lottor_head.h"
#include "engine/stat.h"

namespace kelton {

using namespace Qt::StringLiterals;

int DigitColumn(const CLottorHead& head, int layout, int16_t area, int16_t d)
{
    const int b = head.BcMain;
    const int l = head.BcDataLen;
    const int m = head.MrDataLen;
    const int r = head.MrMain;
    const bool secondary = area > b && area <= b + r;
    const int largest = secondary ? m : l;
    if (area < 0 || area > b + r || d < 0 || d > largest)
        return -1;
    const int j = area - b;
    if (layout == 0) {
        if (area == 0)
            return d + 1;
        if (!secondary)
            return (b - area + 1) * (l + 2) + d + 1;
        return (b + 1) * (l + 2) + (j - 1) * (m + 2) + d + 1;
    }
    if (layout == 1)
        return area == 0 ? d + 1 : -1;
    if (layout == kAllPositionsLayout) {
        if (area == 0)
            return -1;
        if (!secondary)
            return (b - area) * (l + 2) + d + 1;
        return b * (l + 2) + (j - 1) * (m + 2) + d + 1;
    }
    if (layout >= 3 && layout <= b + 2)
        return !secondary && area == b + 3 - layout ? d + 1 : -1;
    if (layout > b + 2 && layout <= b + 2 + r)
        return secondary && j == layout - b - 2 ? d + 1 : -1;
    return -1;
}

std::optional<AreaDigit> LocateDigit(const CLottorHead& head, int layout, int col)
{
    const int b = head.BcMain;
    const int r = head.MrMain;
    for (int area = 0; area <= b + r; ++area) {
        const auto a = static_cast<int16_t>(area);
        const int first = DigitColumn(head, layout, a, 0);
        if (first < 0 || col < first)
            continue;
        const int largest = area > b ? head.MrDataLen : head.BcDataLen;
        if (col <= first + largest)
            return AreaDigit{a, static_cast<int16_t>(col - first)};
    }
    return std::nullopt;
}

std::optional<BallMark> NextRowMark(const CStat& stat, int layout, int col)
{
    const CLottorHead* head = stat.HeadData();
    if (!head)
        return std::nullopt;
    const std::optional<AreaDigit> at = LocateDigit(*head, layout, col);
    if (!at)
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
        if (mode == 1)
            return QString::number(stat.Stat(last, sPos, d, rankKind, 1));
        return QString::number(data(0));
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
