#include "platform/grid_data.h"

#include <algorithm>

namespace kelton {

namespace {

template <typename T, typename A> void InsertRowOf(std::vector<T, A>& cells, qsizetype at, int cols)
{
    if (!cells.empty())
        cells.insert(cells.begin() + at, static_cast<size_t>(cols), T{});
}

template <typename T, typename A> void EraseRowOf(std::vector<T, A>& cells, qsizetype at, int cols)
{
    if (!cells.empty())
        cells.erase(cells.begin() + at, cells.begin() + at + cols);
}

// Lays a row-major array of rows x oldCols cells out as rows x newCols, in
// place: the first min(oldCols, newCols) cells of each row keep their
// place in the row, new cells are empty. The array keeps the room it has,
// so a table emptied and grown again does not ask for its memory anew.
template <typename T, typename A> void RestrideCells(std::vector<T, A>& cells, int rows, int oldCols, int newCols)
{
    if (cells.empty() || oldCols == newCols)
        return;
    const size_t from = static_cast<size_t>(oldCols);
    const size_t to = static_cast<size_t>(newCols);
    if (newCols < oldCols) {
        // Rows move towards the front, so front to back nothing is
        // overwritten before it has moved.
        for (size_t r = 1; r < static_cast<size_t>(rows); ++r)
            std::move(cells.begin() + static_cast<ptrdiff_t>(r * from),
                      cells.begin() + static_cast<ptrdiff_t>(r * from + to), cells.begin() + static_cast<ptrdiff_t>(r * to));
        cells.resize(static_cast<size_t>(rows) * to);
        return;
    }
    cells.resize(static_cast<size_t>(rows) * to);
    // Rows move towards the back: back to front, each row's cells from its
    // last one.
    for (size_t r = static_cast<size_t>(rows); r-- > 0;) {
        const auto src = cells.begin() + static_cast<ptrdiff_t>(r * from);
        const auto dst = cells.begin() + static_cast<ptrdiff_t>(r * to);
        if (r > 0)
            std::move_backward(src, src + static_cast<ptrdiff_t>(from), dst + static_cast<ptrdiff_t>(from));
        std::fill(dst + static_cast<ptrdiff_t>(from), dst + static_cast<ptrdiff_t>(to), T{});
    }
}

} // namespace

CGridData::CGridData()
{
    SetCols(2);
    SetRows(2);
    SetFixedRows(1);
    SetFixedCols(1);
}

void CGridData::SetRows(int rows)
{
    if (rows < 0 || rows == m_rows)
        return;
    const size_t cells = static_cast<size_t>(rows) * m_cols;
    m_text.resize(cells);
    if (!m_fore.empty())
        m_fore.resize(cells);
    if (!m_back.empty())
        m_back.resize(cells);
    m_rowData.resize(rows);
    if (!m_rowHeight.empty())
        m_rowHeight.resize(rows, -1);
    m_mergeRow.resize(rows);
    m_rows = rows;
    m_fixedRows = std::min(m_fixedRows, rows);
    ClampCursor();
    MergesChanged();
}

void CGridData::SetCols(int cols)
{
    if (cols < 0 || cols == m_cols)
        return;
    RestrideCells(m_text, m_rows, m_cols, cols);
    RestrideCells(m_fore, m_rows, m_cols, cols);
    RestrideCells(m_back, m_rows, m_cols, cols);
    if (m_text.empty())
        m_text.resize(static_cast<size_t>(m_rows) * cols);
    m_columns.resize(cols);
    m_cols = cols;
    m_fixedCols = std::min(m_fixedCols, cols);
    ClampCursor();
    MergesChanged();
}

void CGridData::SetFixedRows(int rows)
{
    if (rows < 0 || rows > m_rows)
        return;
    m_fixedRows = rows;
    if (m_row < rows && rows < m_rows)
        m_row = m_rowSel = rows;
    MergesChanged();
}

void CGridData::SetFixedCols(int cols)
{
    if (cols < 0 || cols > m_cols)
        return;
    m_fixedCols = cols;
    if (m_col < cols && cols < m_cols)
        m_col = m_colSel = cols;
    MergesChanged();
}

QString CGridData::Text(int row, int col) const
{
    if (!Contains(row, col))
        return QString();
    const QString& text = m_text[Index(row, col)];
    if (text.isEmpty() && m_source)
        return m_source(row, col);
    return text;
}

void CGridData::SetText(int row, int col, const QString& text)
{
    if (!Contains(row, col))
        return;
    m_text[Index(row, col)] = text;
    if (MergesOn(row, col))
        MergesChanged();
}

void CGridData::SetCell(int row, int col, const QString& text, std::optional<GridColor> back,
                        std::optional<GridColor> fore)
{
    const QString* const texts[] = {&text};
    SetRowCells(row, col, texts, back,
                fore ? std::span<const std::optional<GridColor>>(&fore, 1) : std::span<const std::optional<GridColor>>());
}

void CGridData::SetRowCells(int row, int col, std::span<const QString* const> texts, std::optional<GridColor> back,
                            std::span<const std::optional<GridColor>> fore)
{
    Q_ASSERT(fore.empty() || fore.size() == texts.size());
    if (!Contains(row, col))
        return;
    const int n = std::min(static_cast<int>(texts.size()), m_cols - col);
    const qsizetype at = Index(row, col);
    for (int i = 0; i < n; ++i) {
        m_text[at + i] = *texts[static_cast<size_t>(i)];
        if (MergesOn(row, col + i))
            MergesChanged();
    }
    if (back) {
        if (m_back.empty())
            m_back.resize(m_text.size());
        std::fill_n(m_back.begin() + at, n, *back);
    }
    if (!fore.empty())
        WriteColors(m_fore, at, fore.first(static_cast<size_t>(n)));
}

void CGridData::SetRowColors(int row, int col, std::span<const std::optional<GridColor>> back,
                             std::span<const std::optional<GridColor>> fore)
{
    if (!Contains(row, col))
        return;
    const size_t room = static_cast<size_t>(m_cols - col);
    const qsizetype at = Index(row, col);
    WriteColors(m_back, at, back.first(std::min(back.size(), room)));
    WriteColors(m_fore, at, fore.first(std::min(fore.size(), room)));
}

void CGridData::WriteColors(Cells<GridColor>& colors, qsizetype at, std::span<const std::optional<GridColor>> run)
{
    for (size_t i = 0; i < run.size(); ++i) {
        if (!run[i])
            continue;
        if (colors.empty())
            colors.resize(m_text.size());
        colors[at + static_cast<qsizetype>(i)] = *run[i];
    }
}

void CGridData::SetTextSource(GridTextSource source)
{
    m_source = std::move(source);
    MergesChanged();
}

bool CGridData::AddItem(QString item, int index)
{
    if (index == -1)
        index = m_rows;
    if (index < 0 || index > m_rows)
        return false;
    const qsizetype at = Index(index, 0);
    m_text.insert(m_text.begin() + at, static_cast<size_t>(m_cols), QString());
    InsertRowOf(m_fore, at, m_cols);
    InsertRowOf(m_back, at, m_cols);
    m_rowData.insert(m_rowData.begin() + index, 0);
    if (!m_rowHeight.empty())
        m_rowHeight.insert(m_rowHeight.begin() + index, -1);
    m_mergeRow.insert(m_mergeRow.begin() + index, 0);
    ++m_rows;

    int col = 0;
    qsizetype start = 0;
    while (col < m_cols) {
        const qsizetype tab = item.indexOf(QLatin1Char('\t'), start);
        if (tab < 0 || col + 1 == m_cols) {
            // The last field keeps the item's own buffer.
            if (tab >= 0)
                item.truncate(tab);
            item.remove(0, start);
            m_text[at + col] = std::move(item);
            break;
        }
        m_text[at + col] = item.mid(start, tab - start);
        ++col;
        start = tab + 1;
    }

    if (m_row >= index && m_rows > 1)
        ++m_row;
    if (m_rowSel >= index && m_rows > 1)
        ++m_rowSel;
    ClampCursor();
    MergesChanged();
    return true;
}

bool CGridData::InsertRows(std::span<const int> before, std::span<const QString> texts)
{
    const size_t added = before.size();
    const size_t cols = static_cast<size_t>(m_cols);
    if (texts.size() != added * cols)
        return false;
    for (size_t i = 0; i < added; ++i) {
        if (before[i] < 0 || before[i] > m_rows || (i > 0 && before[i] < before[i - 1]))
            return false;
    }
    if (added == 0)
        return true;

    const size_t oldRows = static_cast<size_t>(m_rows);
    const size_t rows = oldRows + added;
    Cells<QString> text(rows * cols);
    Cells<GridColor> fore(m_fore.empty() ? 0 : rows * cols);
    Cells<GridColor> back(m_back.empty() ? 0 : rows * cols);
    std::vector<int32_t> rowData(rows, 0);
    std::vector<int> rowHeight(m_rowHeight.empty() ? 0 : rows, -1);
    std::vector<uint8_t> mergeRow(rows, 0);

    // From here on nothing allocates: copies of texts share their buffers.
    size_t next = 0; // the next new row
    size_t to = 0;
    const auto putNew = [&] {
        std::copy_n(texts.begin() + static_cast<ptrdiff_t>(next * cols), cols,
                    text.begin() + static_cast<ptrdiff_t>(to * cols));
        ++next;
        ++to;
    };
    for (size_t from = 0; from < oldRows; ++from) {
        while (next < added && static_cast<size_t>(before[next]) == from)
            putNew();
        const auto at = static_cast<ptrdiff_t>(from * cols);
        const auto target = static_cast<ptrdiff_t>(to * cols);
        std::copy_n(m_text.begin() + at, cols, text.begin() + target);
        if (!fore.empty())
            std::copy_n(m_fore.begin() + at, cols, fore.begin() + target);
        if (!back.empty())
            std::copy_n(m_back.begin() + at, cols, back.begin() + target);
        rowData[to] = m_rowData[from];
        if (!rowHeight.empty())
            rowHeight[to] = m_rowHeight[from];
        mergeRow[to] = m_mergeRow[from];
        ++to;
    }
    while (next < added)
        putNew();

    // A row in front of the current one moves it down, as AddItem does.
    const auto shift = [&](int row) {
        const auto end = std::upper_bound(before.begin(), before.end(), row);
        return oldRows == 0 ? row : row + static_cast<int>(end - before.begin());
    };
    m_row = shift(m_row);
    m_rowSel = shift(m_rowSel);
    m_text.swap(text);
    m_fore.swap(fore);
    m_back.swap(back);
    m_rowData.swap(rowData);
    m_rowHeight.swap(rowHeight);
    m_mergeRow.swap(mergeRow);
    m_rows = static_cast<int>(rows);
    ClampCursor();
    MergesChanged();
    return true;
}

bool CGridData::RemoveItem(int index)
{
    if (index < 0 || index >= m_rows)
        return false;
    const qsizetype at = Index(index, 0);
    m_text.erase(m_text.begin() + at, m_text.begin() + at + m_cols);
    EraseRowOf(m_fore, at, m_cols);
    EraseRowOf(m_back, at, m_cols);
    m_rowData.erase(m_rowData.begin() + index);
    if (!m_rowHeight.empty())
        m_rowHeight.erase(m_rowHeight.begin() + index);
    m_mergeRow.erase(m_mergeRow.begin() + index);
    --m_rows;
    m_fixedRows = std::min(m_fixedRows, m_rows);
    if (m_row > index)
        --m_row;
    if (m_rowSel > index)
        --m_rowSel;
    ClampCursor();
    MergesChanged();
    return true;
}

void CGridData::Clear()
{
    std::fill(m_text.begin(), m_text.end(), QString());
    m_fore.clear();
    m_back.clear();
    MergesChanged();
}

int32_t CGridData::RowData(int row) const
{
    return row >= 0 && row < m_rows ? m_rowData[row] : 0;
}

void CGridData::SetRowData(int row, int32_t value)
{
    if (row >= 0 && row < m_rows)
        m_rowData[row] = value;
}

GridColor CGridData::ForeColor(int row, int col) const
{
    return Contains(row, col) && !m_fore.empty() ? m_fore[Index(row, col)] : kNoGridColor;
}

GridColor CGridData::BackColor(int row, int col) const
{
    return Contains(row, col) && !m_back.empty() ? m_back[Index(row, col)] : kNoGridColor;
}

void CGridData::SetForeColor(int row, int col, GridColor color)
{
    if (!Contains(row, col))
        return;
    if (m_fore.empty())
        m_fore.resize(m_text.size());
    m_fore[Index(row, col)] = color;
}

void CGridData::SetBackColor(int row, int col, GridColor color)
{
    if (!Contains(row, col))
        return;
    if (m_back.empty())
        m_back.resize(m_text.size());
    m_back[Index(row, col)] = color;
}

Qt::Alignment CGridData::ColAlignment(int col) const
{
    return col >= 0 && col < m_cols ? m_columns[col].alignment : Qt::Alignment();
}

void CGridData::SetColAlignment(int col, Qt::Alignment alignment)
{
    if (col >= 0 && col < m_cols)
        m_columns[col].alignment = alignment;
}

Qt::Alignment CGridData::FixedAlignment(int col) const
{
    return col >= 0 && col < m_cols ? m_columns[col].fixedAlignment : Qt::Alignment();
}

void CGridData::SetFixedAlignment(int col, Qt::Alignment alignment)
{
    if (col >= 0 && col < m_cols)
        m_columns[col].fixedAlignment = alignment;
}

int CGridData::ColWidth(int col) const
{
    return col >= 0 && col < m_cols ? m_columns[col].width : -1;
}

void CGridData::SetColWidth(int col, int twips)
{
    if (col >= 0 && col < m_cols)
        m_columns[col].width = std::max(twips, -1);
}

int CGridData::RowHeight(int row) const
{
    return row >= 0 && row < m_rows && !m_rowHeight.empty() ? m_rowHeight[row] : -1;
}

void CGridData::SetRowHeight(int row, int twips)
{
    if (row < 0 || row >= m_rows)
        return;
    if (m_rowHeight.empty())
        m_rowHeight.assign(m_rows, -1);
    m_rowHeight[row] = std::max(twips, -1);
}

void CGridData::SetMergeCells(GridMerge merge)
{
    m_merge = merge;
    MergesChanged();
}

bool CGridData::MergeRow(int row) const
{
    return row >= 0 && row < m_rows && m_mergeRow[row];
}

void CGridData::SetMergeRow(int row, bool merge)
{
    if (row >= 0 && row < m_rows) {
        m_mergeRow[row] = merge;
        MergesChanged();
    }
}

bool CGridData::MergeCol(int col) const
{
    return col >= 0 && col < m_cols && m_columns[col].merge;
}

void CGridData::SetMergeCol(int col, bool merge)
{
    if (col >= 0 && col < m_cols) {
        m_columns[col].merge = merge;
        MergesChanged();
    }
}

bool CGridData::MergesOn(int row, int col) const
{
    return m_merge != GridMerge::Never && (m_mergeRow[row] || m_columns[col].merge);
}

void CGridData::SetRow(int row)
{
    if (row >= 0 && row < m_rows)
        m_row = m_rowSel = row;
}

void CGridData::SetCol(int col)
{
    if (col >= 0 && col < m_cols)
        m_col = m_colSel = col;
}

void CGridData::SetRowSel(int row)
{
    if (row >= 0 && row < m_rows)
        m_rowSel = row;
}

void CGridData::SetColSel(int col)
{
    if (col >= 0 && col < m_cols)
        m_colSel = col;
}

bool CGridData::InSelection(int row, int col) const
{
    return row >= std::min(m_row, m_rowSel) && row <= std::max(m_row, m_rowSel) &&
           col >= std::min(m_col, m_colSel) && col <= std::max(m_col, m_colSel);
}

void CGridData::ClampCursor()
{
    const int lastRow = std::max(m_rows - 1, 0);
    const int lastCol = std::max(m_cols - 1, 0);
    m_row = std::clamp(m_row, 0, lastRow);
    m_rowSel = std::clamp(m_rowSel, 0, lastRow);
    m_col = std::clamp(m_col, 0, lastCol);
    m_colSel = std::clamp(m_colSel, 0, lastCol);
}

const std::vector<GridSpan>& CGridData::Merges() const
{
    if (m_mergesStale)
        ComputeMerges();
    return m_merges;
}

void CGridData::ComputeMerges() const
{
    m_merges.clear();
    m_mergesStale = false;
    if (m_merge == GridMerge::Never || m_rows == 0 || m_cols == 0)
        return;
    const bool restrictRows = m_merge == GridMerge::RestrictRows || m_merge == GridMerge::RestrictAll;
    const bool restrictCols = m_merge == GridMerge::RestrictColumns || m_merge == GridMerge::RestrictAll;
    const auto sameColSide = [this](int a, int b) { return (a < m_fixedCols) == (b < m_fixedCols); };
    const auto sameRowSide = [this](int a, int b) { return (a < m_fixedRows) == (b < m_fixedRows); };

    // Across rows: runStart[slot(r) * cols + c] is the first column of the
    // merged run holding cell (r, c), -1 for a cell merged with nothing.
    std::vector<int> slotOfRow(m_rows, -1);
    std::vector<int> runStart;
    int slots = 0;
    for (int r = 0; r < m_rows; ++r) {
        if (!m_mergeRow[r])
            continue;
        const int slot = slotOfRow[r] = slots++;
        runStart.resize(static_cast<size_t>(slots) * m_cols, -1);
        const int above = r > 0 ? slotOfRow[r - 1] : -1;
        const auto mergedAbove = [&](int c) {
            if (!restrictRows || r == 0)
                return true;
            if (above < 0)
                return false;
            const int a = runStart[static_cast<size_t>(above) * m_cols + c];
            return a >= 0 && a == runStart[static_cast<size_t>(above) * m_cols + c + 1];
        };
        for (int c = 0; c < m_cols;) {
            const QString text = Text(r, c);
            int end = c;
            while (end + 1 < m_cols && sameColSide(end, end + 1) && mergedAbove(end) &&
                   Text(r, end + 1) == text)
                ++end;
            if (end > c) {
                m_merges.push_back({r, c, 1, end - c + 1});
                std::fill_n(runStart.begin() + static_cast<qsizetype>(slot) * m_cols + c, end - c + 1, c);
            }
            c = end + 1;
        }
    }
    const auto inRowMerge = [&](int r, int c) {
        return slotOfRow[r] >= 0 && runStart[static_cast<size_t>(slotOfRow[r]) * m_cols + c] >= 0;
    };

    // Down columns, left to right, over the cells no row merge took.
    std::vector<int> left; // run starts of the column to the left; empty when it merges nothing
    std::vector<int> current;
    for (int c = 0; c < m_cols; ++c) {
        if (!m_columns[c].merge) {
            left.clear();
            continue;
        }
        current.assign(m_rows, -1);
        const auto mergedLeft = [&](int r) {
            if (!restrictCols || c == 0)
                return true;
            return !left.empty() && left[r] >= 0 && left[r] == left[r + 1];
        };
        for (int r = 0; r < m_rows;) {
            if (inRowMerge(r, c)) {
                ++r;
                continue;
            }
            const QString text = Text(r, c);
            int end = r;
            while (end + 1 < m_rows && sameRowSide(end, end + 1) && !inRowMerge(end + 1, c) &&
                   mergedLeft(end) && Text(end + 1, c) == text)
                ++end;
            if (end > r) {
                m_merges.push_back({r, c, end - r + 1, 1});
                std::fill(current.begin() + r, current.begin() + end + 1, r);
            }
            r = end + 1;
        }
        left.swap(current);
    }
}

} // namespace kelton
