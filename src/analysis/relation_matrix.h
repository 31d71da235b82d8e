#pragma once

// The digit-pair relation view: how often two digits were drawn together
// over a range, either as an unordered pair of any two positions (kind 0)
// or at two fixed positions in order (kinds 1..3), and the chart of one
// digit's row.

#include <cstdint>
#include <span>
#include <vector>

#include <QString>

#include "analysis/view_cells.h"
#include "chart/chart_data.h"

namespace kelton {

class CLottorHead;
class CStat;

inline constexpr int16_t kRelationKinds = 4;

// Counts over the digits 0..Largest in both directions; row = the digit at
// the kind's first position, column = the one at its second.
struct PairMatrix {
    int16_t Largest = -1;
    std::vector<int32_t> Counts;

    int Size() const { return Largest + 1; }
    int32_t At(int row, int col) const
    {
        return row >= 0 && col >= 0 && row <= Largest && col <= Largest
                   ? Counts[static_cast<size_t>(row) * static_cast<size_t>(Size()) + static_cast<size_t>(col)]
                   : 0;
    }
    friend bool operator==(const PairMatrix&, const PairMatrix&) = default;
};

// The positions a kind pairs (1 = units): kind 1 hundreds with tens, 2 tens
// with units, 3 units with hundreds; kind 0 every pair of main positions.
struct RelationPositions {
    int16_t First = 0;
    int16_t Second = 0;
};
RelationPositions RelationKindPositions(int16_t kind);

// Whether a game of bcMain main positions has the positions of the kind.
bool RelationKindAvailable(int16_t kind, int16_t bcMain);

// Texts of a kind: row label, column label, chart title suffix.
struct RelationTexts {
    QString RowLabel;
    QString ColLabel;
    QString Suffix;
};
RelationTexts RelationKindTexts(int16_t kind);

// Counts the draws start..end (clamped to the drawn records; the next issue
// never counts) of numbers laid out as stride entries per record, position
// p at entry p. A number outside 0..largest is skipped. Kind 0 counts each
// digit pair once per draw, the diagonal when a digit stands at two
// positions.
PairMatrix CountPairs(std::span<const int16_t> numbers, int stride, int16_t bcMain, int16_t largest, int32_t drawn,
                      int32_t start, int32_t end, int16_t kind);

// The same over a statistics view's records.
PairMatrix GetPairMatrix(const CStat& stat, int32_t start, int32_t end, int16_t kind);

// The matrix last counted in a window, kept while range, kind and the
// view's records stay the same.
class RelationCache {
public:
    const PairMatrix& Matrix(const CStat& stat, int32_t start, int32_t end, int16_t kind);
    // True when the last Matrix call counted afresh.
    bool Counted() const { return m_counted; }
    void Clear() { m_held = false; }

private:
    bool m_held = false;
    bool m_counted = false;
    int32_t m_start = 0;
    int32_t m_end = 0;
    int16_t m_kind = 0;
    const CStat* m_view = nullptr;
    uint64_t m_revision = 0;
    PairMatrix m_matrix;
};

// The chart of digit's row: points 1..L+1 labelled "i " in digit order, or,
// sorted, from the largest count down (equal counts the higher digit
// first); the series title is the row label, the list item's text and
// the kind's suffix.
ChartData RelationChart(const PairMatrix& matrix, int16_t digit, bool sorted, int16_t kind, const QString& itemText);

// Lays the relation grid of a kind over the game's digits 0..L (L + 3 rows
// and columns) into out: "号码" over the two fixed columns, the column label
// and the digit over every column, the row label and the digit before
// every row, and the counts on the row colours (with rowColours
// alternating from the first digit's row colour 0).
void RelationTableCells(const PairMatrix& matrix, const CLottorHead& head, int16_t kind, bool rowColours,
                        const GridCellSink& out);

} // namespace kelton
