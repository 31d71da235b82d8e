#pragma once

// The ranking views of an analysis window: the ranking bar chart of one
// statistic at one period and the rank rows of the combined ranking table.

#include <cstdint>
#include <vector>

#include <QString>

#include "analysis/infer_layout.h"
#include "analysis/number_tables.h"
#include "analysis/secondary_area.h"
#include "analysis/view_cells.h"
#include "chart/chart_data.h"

namespace kelton {

class CLottorData;
class CLottorHead;
class CStat;

// The statistics area a ranking chart shows and its largest number.
struct RankArea {
    int16_t Area = 0;    // 0 all main positions, 1..BcMain a position, BcMain + j secondary j
    int16_t Largest = 0; // numbers 0..Largest are charted
    friend bool operator==(const RankArea&, const RankArea&) = default;
};

// The area of the chart's area list (all numbers, the main positions from
// the highest place down, then the secondary numbers); an index outside the
// list charts all numbers.
RankArea RankChartArea(const CLottorHead& head, int listIndex);

// The title of ranking statistic kind (0..7): its name, for kind 4 after
// the game's custom period in decimal.
QString RankTitle(int16_t kind, int16_t customStat);

// The chart table of statistic kind at record period over the area:
// points 1..n+1, one per number, in number order or, sorted, from the
// highest rank down to rank 0 (ties in the view's own rank order). A
// period outside the records gives every number the value 0. A secondary
// area is counted from the history's secondary numbers.
ChartData RankChart(const CStat& stat, const SecondaryDraws& secondary, int16_t kind, int32_t period,
                    RankArea area, bool sorted, const QString& seriesName);

// The colours of a rank-row cell of rank r when the N lowest and N highest
// of the ranks 0..L are singled out.
ViewCellStyle RankCellStyle(const CLottorHead& head, int16_t rank, int16_t n, int16_t largest);

// The combined ranking table's cells of one main block (area 0 or a main
// position), digits 0..L.
// The period row at record P: the digits in grey on the row colour (empty
// with showHitOnly), the drawn numbers of P, or at the next issue the
// marked ones, black on the main colour.
std::vector<ViewCell> RankPeriodCells(const CStat& stat, const CLottorData& game, int32_t P, int16_t area, int row,
                                      bool rowColours, bool showHitOnly);
// Rank row of statistic kind: the rank (byOrder) or the value of every
// digit, coloured by rank when the n lowest and highest are singled out.
std::vector<ViewCell> RankRowCells(const CStat& stat, int32_t P, int16_t area, int16_t kind, bool byOrder, int16_t n);

// Grid rows of the combined ranking table (11 rows): the period row and
// rank row k (0..7), by the game's list order.
int RankTablePeriodRow(int16_t listAsc);
int RankTableRankRow(int16_t listAsc, int kind);

// What the combined ranking table shows: the statistics at record Period
// over the blocks of the number grid of an area choice.
struct RankTableSetup {
    int32_t Period = 0;
    int16_t AreaChoice = 0; // the number grid's (cboPTSubarea)
    bool ByOrder = true;    // the ranks, else the statistics' values
    int16_t Singled = 0;    // the n lowest and highest ranks singled out
    bool RowColours = true;
    bool ShowHit = true;
    CellMode Mode = CellMode::Rank; // of the secondary blocks
};
// Lays the combined ranking table's cells into out: column 0 ("位码", "期数", the period's
// issue or "下期", the rank titles) and every digit cell of the layout's
// blocks in the period row and the eight rank rows. A main block takes
// RankPeriodCells and RankRowCells; a secondary block shows what the
// history table (period row) and the distribution table of each kind
// (rank rows) show at the period, a highlighted number black on the
// secondary colour, the others grey on the row colour. The captions over
// the digits and the separators are the grid's.
void CombinedRankingCells(const CStat& stat, const CLottorData& game, const SecondaryDraws& secondary,
                          const GameSizes& sizes, const AreaNames& names, const RankTableSetup& setup,
                          const GridCellSink& out);

} // namespace kelton
