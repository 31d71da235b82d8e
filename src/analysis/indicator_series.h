#pragma once

// The indicator series of an analysis window: the chart tables of the
// indicator trend views and of the cycle counts, the names of the kinds,
// and the combined indicator table's cells.

#include <cstdint>
#include <optional>
#include <span>

#include <QString>

#include "analysis/secondary_area.h"
#include "analysis/view_cells.h"
#include "chart/chart_data.h"

namespace kelton {

class CLottorHead;
class CStat;

// Kinds of the analysis window: 0..42 the indicators, 43..42+BcMain the
// number at a main position, then the secondary numbers up to 42+BM.
inline constexpr int16_t kFirstPositionKind = 43;

// The name of a kind as its option and its series are captioned: the
// indicator's name, the place name and "位号码", or the secondary area's
// name, "号码" and its number. Empty outside the game's kinds.
QString KindName(const CLottorHead& head, int16_t kind);

// The value of a kind with a condition (0..42+BcMain) at record r: the
// indicator, or the view's number at the kind's main position.
int16_t KindValue(const CStat& stat, int32_t r, int16_t kind);
// The value of any kind of the window: the secondary numbers, which the
// statistics views do not keep, come from the history (-1 where there is
// no draw).
int16_t KindValue(const CStat& stat, const SecondaryDraws& secondary, int32_t r, int16_t kind);

// One series per kind over the records sStart..sEnd (points labelled with
// the issue numbers, "下期" last when the range reaches the next issue,
// whose values stay empty texts). True, leaving oData, when sStart is
// after sEnd or a kind lies outside the game's kinds.
[[nodiscard]] bool GetFilterArray(const CStat& stat, const SecondaryDraws& secondary,
                                  std::span<const int16_t> sKind, int32_t sStart, int32_t sEnd,
                                  ChartData& oData);

// The drawn ("开出的循环个数", empty on the next issue) and the possible
// ("可能的循环个数") cycle counts over the records sStart..sEnd; true,
// leaving oData, when sStart is after sEnd.
[[nodiscard]] bool GetCycleArray(const CStat& stat, int32_t sStart, int32_t sEnd, ChartData& oData);

// A series table without points, its one series named: what a trend view
// shows for a range that holds no record.
ChartData HeaderOnlySeries(const QString& name);

// What a chart view shows when it has no point (a reversed range, a kind
// without values): one point with an empty label and value, so that the
// chart takes it and shows the view's title over nothing.
ChartData OneEmptyPoint(const QString& name);

// The trend chart's title: the pattern legend of kinds 37..42, else the
// series name; then a blank and the game's name.
QString TrendTitle(const CLottorHead& head, int16_t kind, const ChartData& series);

// The combined indicator table: columns 0 the period, 1..B the main
// positions from the highest place down, B+1..B+R the secondary numbers,
// then the 43 indicators.
int IndicatorTableCols(const CLottorHead& head);
QString IndicatorTableCaption(const CLottorHead& head, int col);
// The value of column col (1..) at record p for the display mode (0
// "号码数值", 1 "排行序列", 2 "原始号码", -1 none); nullopt on the next
// issue. Main columns show the raw number under "原始号码"; a secondary
// column, never ranked, shows the drawn secondary number in every mode.
std::optional<int16_t> IndicatorTableValue(const CStat& stat, const SecondaryDraws& secondary, int32_t p,
                                           int col, int mode);

// The text colour of a cell under the up/down colouring: against the
// value u of the period before, a fall is blue and a rise red, an equal
// value keeps the grid's default (nullopt); black when the colouring is
// off, on the range's first period and on the next issue.
inline std::optional<int32_t> UpDownColour(bool colouring, bool firstOfRange, bool nextIssue, int16_t v, int16_t u)
{
    if (!colouring || firstOfRange || nextIssue)
        return kViewBlack;
    if (v < u)
        return kViewBlue;
    if (v > u)
        return kViewRed;
    return std::nullopt;
}

// What the combined indicator table shows: the records RangeStart on, one
// row each, in the game's list order.
struct IndicatorTableSetup {
    int32_t RangeStart = 0;
    int RangeCount = 0;
    bool ListAsc = false; // the newest record at the top
    int Mode = 1;         // the display mode, as IndicatorTableValue takes it
    bool UpDown = false;  // colours for a rise and a fall (UpDownColour)
    bool RowColours = true;
};
// Lays the cells of the table (RangeCount + 1 rows) into out: the captions
// in row 0, the issue in column 0, and every value on its row colour, its
// text colour by UpDownColour against the record before (no value on the
// next issue).
void IndicatorTableCells(const CStat& stat, const SecondaryDraws& secondary, const CLottorHead& head,
                         const IndicatorTableSetup& setup, const GridCellSink& out);
// The same table a row at a time: the captions, then per record its issue
// (column 0) and its values (columns 1..), each record read once.
void IndicatorTableRows(const CStat& stat, const SecondaryDraws& secondary, const CLottorHead& head,
                        const IndicatorTableSetup& setup, const GridRowSink& out);
// The width of a column in twips: 1000 for the issues, else its caption
// and half a character more.
int IndicatorColumnTwips(const CLottorHead& head, int col, double charTwips);

} // namespace kelton
