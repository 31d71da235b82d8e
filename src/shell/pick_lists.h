#pragma once

#include <QStringList>

namespace kelton {

// The pick lists of the other-filter panels, filled once at start-up.
struct OtherFilterPickLists {
    QStringList HistoryStat;  // "0=原始数据" .. one per data view
    QStringList GatherStat;   // the same items
    QStringList HistoryType;  // "0=定位号码", "1=组选号码", "2=任选二码"
    QStringList HistoryIssue; // 1..9, 10..90, 100..300 by 50
    QStringList GatherBall;   // 0..9
    QStringList GatherPos;    // "0=组选" .. "3=个位与百位"
};

// The lists, the view names taken from the application state.
OtherFilterPickLists BuildOtherFilterPickLists();

} // namespace kelton
