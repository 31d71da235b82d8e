#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>
#include <QVariant>

namespace kelton {

// The table a host hands to the chart control: rows 0..P, columns 0..S.
//   (0, 0)  corner cell
//   (0, s)  name of series s
//   (p, 0)  label of point p (an issue number, a number or any text)
//   (p, s)  value of series s at point p: a number, a text (that may or
//           may not read as a number) or nothing (an invalid QVariant)
class ChartData {
public:
    ChartData() = default;
    // A table with rows 0..points and columns 0..series, every cell empty.
    ChartData(int points, int series);

    // Upper bounds of the two dimensions, as the control counts them: -1
    // for a table without rows or columns.
    int PointCount() const { return m_rows - 1; }
    int SeriesCount() const { return m_cols - 1; }

    // Out-of-range reads give an empty cell; out-of-range writes are dropped.
    const QVariant& At(int row, int col) const;
    void Set(int row, int col, QVariant value);

private:
    int m_rows = 0;
    int m_cols = 0;
    std::vector<QVariant> m_cells;
};

// The number a cell reads as: a number, a text that reads as a number, or 0
// for an empty cell; nullopt for anything else.
std::optional<double> ChartCellNumber(const QVariant& cell);

// The text of a cell as a label: numbers in their shortest decimal form.
QString ChartCellText(const QVariant& cell);

// A number rounded to the nearest 16-bit integer, halves to the even one;
// nullopt when it does not fit.
std::optional<int16_t> ChartInt16(double value);

} // namespace kelton
