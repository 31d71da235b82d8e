#pragma once

#include "otherfilter/other_filter_page.h"
#include "platform/ui/flex_grid.h"

namespace kelton {

// The cells of a page's grid as the page rules see them.
class CFlexGridPageCells : public IPageCells {
public:
    explicit CFlexGridPageCells(CFlexGrid& grid)
        : m_grid(grid)
    {
    }
    int Rows() const override { return m_grid.Rows(); }
    void SetRows(int rows) override { m_grid.SetRows(rows); }
    int Cols() const override { return m_grid.Cols(); }
    void SetCols(int cols) override { m_grid.SetCols(cols); }
    QString Text(int row, int col) const override { return m_grid.TextMatrix(row, col); }
    void SetText(int row, int col, const QString& text) override { m_grid.SetTextMatrix(row, col, text); }
    void AddItem(const QString& item) override { m_grid.AddItem(item); }
    void RemoveItem(int row) override { m_grid.RemoveItem(row); }
    int Row() const override { return m_grid.Row(); }
    void SetRow(int row) override { m_grid.SetRow(row); }

private:
    CFlexGrid& m_grid;
};

} // namespace kelton
