#include "analysis/view_cells.h"

namespace kelton {

GridRowSink RowsAsCells(GridCellSink out)
{
    return [out = std::move(out)](const GridRow& row) {
        for (size_t i = 0; i < row.Texts.size(); ++i)
            out({row.Row, row.Col + static_cast<int>(i), *row.Texts[i], row.Backs.empty() ? row.Back : row.Backs[i],
                 row.Fore.empty() ? std::nullopt : row.Fore[i]});
    };
}

} // namespace kelton
