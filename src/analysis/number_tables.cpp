#include "analysis/number_tables.h"

#include <algorithm>

#include "data/lottor_head.h"
#include "engine/stat.h"

namespace kelton {

using namespace Qt::StringLiterals;

CellMode CellModeOf(int optionIndex)
{
    if (optionIndex == 0)
        return CellMode::Value;
    if (optionIndex == 2)
        return CellMode::Raw;
    return CellMode::Rank;
}

CNumberTable::CNumberTable(const CStat& stat, const SecondaryDraws& secondary, const GameSizes& sizes,
                           const AreaNames& names, const Setup& setup, MarkedFn marked)
    : m_stat(stat), m_sizes(sizes), m_setup(setup), m_marked(std::move(marked)), m_secondary(secondary)
{
    if (m_setup.RangeCount < 0)
        m_setup.RangeCount = 0;
    m_layout = NumberGrid(sizes, setup.AreaChoice, names);
    m_columns.reserve(static_cast<size_t>(m_layout.Cols));
    for (int col = 0; col < m_layout.Cols; ++col)
        m_columns.push_back(ColumnAt(m_layout, col));
    m_nextRecord = stat.BallCount() - 1;
    const std::vector<int16_t>& nums = stat.NumTable();
    const size_t stride = static_cast<size_t>(sizes.B + sizes.R + 1);
    if (!nums.empty() && nums.size() >= stride * static_cast<size_t>(stat.BallCount()))
        m_nums = &nums;
    const bool secondaryShown = std::any_of(m_layout.Blocks.begin(), m_layout.Blocks.end(),
                                            [](const NumberBlock& block) { return block.Secondary; });
    if (secondaryShown && m_setup.Kind >= 0)
        m_secondaryRanking =
            SecondaryRanking(m_secondary, m_setup.Kind, m_setup.RangeStart, m_setup.RangeCount);
}

const GridColumn* CNumberTable::Column(int col) const
{
    if (col < 0 || static_cast<size_t>(col) >= m_columns.size() || !m_columns[static_cast<size_t>(col)])
        return nullptr;
    return &*m_columns[static_cast<size_t>(col)];
}

int32_t CNumberTable::RecordOfRow(int row) const
{
    if (row < 2 || row >= Rows())
        return -1;
    const int m = m_setup.ListAsc ? m_setup.RangeCount - 1 - (row - 2) : row - 2;
    return m_setup.RangeStart + m;
}

int CNumberTable::RowOfRecord(int32_t record) const
{
    const int32_t m = record - m_setup.RangeStart;
    if (m < 0 || m >= m_setup.RangeCount)
        return -1;
    return PeriodRow(static_cast<int>(m), m_setup.RangeCount, m_setup.ListAsc);
}

QString CNumberTable::FixedText(int row, int col) const
{
    if (col == 0) {
        if (row == 0)
            return u"位码"_s;
        if (row == 1)
            return u"期数"_s;
        const int32_t p = RecordOfRow(row);
        return p < 0 ? QString() : m_stat.NumName(p);
    }
    if (row > 1)
        return QString();
    const GridColumn* at = Column(col);
    if (!at || at->Digit < 0)
        return QString();
    return row == 0 ? m_layout.Blocks[static_cast<size_t>(at->Block)].Caption : QString::number(at->Digit);
}

int16_t CNumberTable::DrawnNumber(int32_t p, int16_t area) const
{
    if (area > m_sizes.B)
        return m_secondary.Num(p, static_cast<int16_t>(area - m_sizes.B));
    if (m_nums) {
        const size_t stride = static_cast<size_t>(m_sizes.B + m_sizes.R + 1);
        return (*m_nums)[static_cast<size_t>(p) * stride + static_cast<size_t>(area)];
    }
    return m_stat.Num(p, area, 0);
}

bool CNumberTable::Highlighted(int32_t p, const NumberBlock& block, int16_t d) const
{
    if (p == m_nextRecord) {
        if (!m_marked)
            return false;
        return m_marked(block.Area, block.Secondary ? d : m_stat.Data(p, d, 0));
    }
    if (block.Area == 0) {
        for (int16_t k = 1; k <= m_sizes.B; ++k) {
            if (DrawnNumber(p, k) == d)
                return true;
        }
        return false;
    }
    return DrawnNumber(p, block.Area) == d;
}

CellPaint CNumberTable::Paint(int row, int col) const
{
    const int32_t p = RecordOfRow(row);
    if (p < 0 || col == 0)
        return CellPaint::None;
    const GridColumn* at = Column(col);
    if (!at)
        return CellPaint::None;
    if (at->Digit < 0)
        return CellPaint::Separator;
    const NumberBlock& block = m_layout.Blocks[static_cast<size_t>(at->Block)];
    if (!Highlighted(p, block, at->Digit))
        return CellPaint::Base;
    return block.Secondary ? CellPaint::HitMr : CellPaint::Hit;
}

void CNumberTable::PaintRow(int row, std::vector<CellPaint>& out) const
{
    out.assign(static_cast<size_t>(m_layout.Cols), CellPaint::None);
    const int32_t p = RecordOfRow(row);
    if (p < 0)
        return;
    for (const NumberBlock& block : m_layout.Blocks) {
        const auto cell = [&](int16_t d) { return out.begin() + block.Start + d; };
        std::fill(cell(0), cell(block.Digits), CellPaint::Base);
        if (block.SeparatorAfter)
            *cell(block.Digits) = CellPaint::Separator;
        const CellPaint hit = block.Secondary ? CellPaint::HitMr : CellPaint::Hit;
        if (p == m_nextRecord) {
            for (int16_t d = 0; d < block.Digits; ++d) {
                if (Highlighted(p, block, d))
                    *cell(d) = hit;
            }
            continue;
        }
        // A drawn record: the cells of its numbers.
        const auto mark = [&](int16_t d) {
            if (d >= 0 && d < block.Digits)
                *cell(d) = hit;
        };
        if (block.Area == 0) {
            for (int16_t k = 1; k <= m_sizes.B; ++k)
                mark(DrawnNumber(p, k));
        } else {
            mark(DrawnNumber(p, block.Area));
        }
    }
}

int CNumberTable::CellValue(int32_t p, const NumberBlock& block, int16_t d) const
{
    if (block.Secondary) {
        // Its own value, or the statistic and the rank of a distribution.
        if (m_setup.Kind < 0 || m_setup.Mode == CellMode::Raw)
            return d;
        const auto j = static_cast<int16_t>(block.Area - m_sizes.B);
        return m_secondaryRanking.Stat(p, j, d, m_setup.Mode == CellMode::Value ? 0 : 1);
    }
    const auto data = [&](int16_t sort) { return m_stat.Data(p, d, sort); };
    if (m_setup.Kind < 0) {
        switch (m_setup.Mode) {
        case CellMode::Value:
            return data(1);
        case CellMode::Raw:
            return data(0);
        case CellMode::Rank:
            return d;
        }
        return d;
    }
    switch (m_setup.Mode) {
    case CellMode::Value:
        return m_stat.Stat(p, block.Area, d, m_setup.Kind, 0);
    case CellMode::Raw:
        return data(0);
    case CellMode::Rank:
        return m_stat.Stat(p, block.Area, d, m_setup.Kind, 1);
    }
    return d;
}

QString CNumberTable::CellText(int32_t p, const NumberBlock& block, int16_t d) const
{
    return QString::number(CellValue(p, block, d));
}

std::vector<QString> CNumberTable::WidestTexts() const
{
    // A number's text is as long as its digits and sign: the largest and
    // the smallest value of a block decide. Ranks, raw numbers and the
    // history table's keys are digits of the block, 0 up to its largest;
    // only a statistic's value must be looked for, record by record, so
    // that each is read once.
    const size_t blocks = m_layout.Blocks.size();
    std::vector<int> most(blocks, 0);
    std::vector<int> least(blocks, 0);
    const bool statistic = m_setup.Kind >= 0 && m_setup.Mode == CellMode::Value;
    for (size_t b = 0; b < blocks && !statistic; ++b)
        most[b] = m_layout.Blocks[b].Digits - 1;
    for (int32_t m = 0; m < m_setup.RangeCount && statistic; ++m) {
        const int32_t p = m_setup.RangeStart + m;
        for (size_t b = 0; b < blocks; ++b) {
            const NumberBlock& block = m_layout.Blocks[b];
            for (int16_t d = 0; d < block.Digits; ++d) {
                const int v = CellValue(p, block, d);
                most[b] = std::max(most[b], v);
                least[b] = std::min(least[b], v);
            }
        }
    }
    std::vector<QString> widest;
    widest.reserve(blocks);
    for (size_t b = 0; b < blocks; ++b) {
        const QString high = QString::number(most[b]);
        const QString low = QString::number(least[b]);
        widest.push_back(low.size() > high.size() ? low : high);
    }
    return widest;
}

QString CNumberTable::Text(int row, int col) const
{
    if (row < 2 || col == 0)
        return FixedText(row, col);
    const int32_t p = RecordOfRow(row);
    if (p < 0)
        return QString();
    const GridColumn* at = Column(col);
    if (!at || at->Digit < 0)
        return QString();
    const NumberBlock& block = m_layout.Blocks[static_cast<size_t>(at->Block)];
    if (m_setup.ShowHit && !Highlighted(p, block, at->Digit))
        return QString();
    return CellText(p, block, at->Digit);
}

NumberTablePalette PaletteOf(const CLottorHead& head)
{
    NumberTablePalette p;
    p.Row[0] = ColorRgb(head.RowColor(0));
    p.Row[1] = ColorRgb(head.RowColor(1));
    p.Main = ColorRgb(head.BcMainColor);
    p.Secondary = ColorRgb(head.MrMainColor);
    return p;
}

std::optional<ViewCellStyle> NumberCellStyle(const NumberTablePalette& palette, CellPaint paint, int row,
                                             bool rowColours)
{
    switch (paint) {
    case CellPaint::Base:
        return ViewCellStyle{palette.Row[rowColours && row % 2 ? 1 : 0], kViewGrey};
    case CellPaint::Hit:
        return ViewCellStyle{palette.Main, kViewBlack};
    case CellPaint::HitMr:
        return ViewCellStyle{palette.Secondary, kViewBlack};
    case CellPaint::Separator:
    case CellPaint::None:
        break;
    }
    return std::nullopt;
}

} // namespace kelton
