#include "chart/chart_data.h"

#include <cmath>
#include <limits>

#include "data/numeric_text.h"
#include "data/text_helpers.h"

namespace kelton {

ChartData::ChartData(int points, int series)
    : m_rows(points >= 0 ? points + 1 : 0), m_cols(series >= 0 ? series + 1 : 0),
      m_cells(static_cast<size_t>(m_rows) * static_cast<size_t>(m_cols))
{
}

const QVariant& ChartData::At(int row, int col) const
{
    static const QVariant empty;
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return empty;
    return m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_cols) + static_cast<size_t>(col)];
}

void ChartData::Set(int row, int col, QVariant value)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return;
    m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_cols) + static_cast<size_t>(col)] =
        std::move(value);
}

namespace {

// The value of a cell known to hold a T.
template <typename T>
double CellAsDouble(const QVariant& cell)
{
    return static_cast<double>(*static_cast<const T*>(cell.constData()));
}

} // namespace

std::optional<double> ChartCellNumber(const QVariant& cell)
{
    if (!cell.isValid() || cell.isNull())
        return 0.0;
    // Each type read as itself: a long chart reads every cell.
    switch (cell.typeId()) {
    case QMetaType::QString:
        return NumberTextValue(*static_cast<const QString*>(cell.constData()));
    case QMetaType::Int:
        return CellAsDouble<int>(cell);
    case QMetaType::UInt:
        return CellAsDouble<unsigned int>(cell);
    case QMetaType::LongLong:
        return CellAsDouble<qlonglong>(cell);
    case QMetaType::ULongLong:
        return CellAsDouble<qulonglong>(cell);
    case QMetaType::Short:
        return CellAsDouble<short>(cell);
    case QMetaType::UShort:
        return CellAsDouble<unsigned short>(cell);
    case QMetaType::Long:
        return CellAsDouble<long>(cell);
    case QMetaType::ULong:
        return CellAsDouble<unsigned long>(cell);
    case QMetaType::Float:
    case QMetaType::Double: {
        const double value = cell.typeId() == QMetaType::Float ? CellAsDouble<float>(cell) : CellAsDouble<double>(cell);
        if (!std::isfinite(value))
            return std::nullopt;
        return value;
    }
    default:
        return std::nullopt;
    }
}

QString ChartCellText(const QVariant& cell)
{
    if (cell.typeId() == QMetaType::Double || cell.typeId() == QMetaType::Float)
        return QString::number(cell.toDouble(), 'g', 15);
    return cell.toString();
}

std::optional<int16_t> ChartInt16(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e9)
        return std::nullopt;
    const int64_t rounded = RoundHalfEven(value);
    if (rounded < std::numeric_limits<int16_t>::min() || rounded > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(rounded);
}

} // namespace kelton
