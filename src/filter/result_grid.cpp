#include "filter/result_grid.h"

#include "core/bet_list.h"
#include "data/lottor_head.h"
#include "filter/filter_layout.h"

namespace kelton {

using namespace Qt::StringLiterals;

std::vector<ResultColumn> ResultGridColumns(const CLottorHead& head)
{
    namespace D = FilterDesign;
    std::vector<ResultColumn> columns{
        {u"序号"_s, D::kResultIdWidth, std::nullopt},
        {head.BcDataName, static_cast<int16_t>(head.BcMain * D::kResultNumberWidth), ColorRgb(head.BcMainColor)},
    };
    if (head.MrMain > 0)
        columns.push_back({head.MrDataName, static_cast<int16_t>(head.MrMain * D::kResultNumberWidth),
                           ColorRgb(head.MrMainColor)});
    return columns;
}

QString ResultCellText(const BetList& bets, int32_t place, int col, const ResultTextWidths& widths)
{
    if (place < 0 || place >= bets.BetCount())
        return QString();
    switch (col) {
    case 0:
        return QString::number(bets.Id(place));
    case 1:
        return bets.BetText(place, widths.BcMain, widths.BcWidth);
    case 2:
        return bets.SecondaryText(place, widths.BcMain, widths.MrWidth);
    default:
        return QString();
    }
}

} // namespace kelton
