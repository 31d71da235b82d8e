#pragma once

#include <vector>

#include <QVariant>

#include "chart/chart_data.h"

namespace kelton::test {

// A chart table of `series` series named 系列1, 系列2, ... that all hold
// `values`, over points labelled 1, 2, ...; an invalid QVariant stays an
// empty cell.
inline ChartData SeriesTable(const std::vector<QVariant>& values, int series = 1)
{
    ChartData data(static_cast<int>(values.size()), series);
    data.Set(0, 0, QStringLiteral("期号"));
    for (int s = 1; s <= series; ++s)
        data.Set(0, s, QStringLiteral("系列%1").arg(s));
    for (int p = 1; p <= static_cast<int>(values.size()); ++p) {
        data.Set(p, 0, p);
        for (int s = 1; s <= series; ++s)
            data.Set(p, s, values[static_cast<size_t>(p - 1)]);
    }
    return data;
}

} // namespace kelton::test
