#include "shell/pick_lists.h"

#include "data/app_state.h"
#include "platform/name_tables.h"

namespace kelton {

OtherFilterPickLists BuildOtherFilterPickLists()
{
    OtherFilterPickLists lists;
    for (int i = 0; i < AppState::InferCount; ++i) {
        const QString item = QString::number(i) + QLatin1Char('=') + ViewName(i);
        lists.HistoryStat << item;
        lists.GatherStat << item;
    }
    lists.HistoryType << QStringLiteral("0=定位号码") << QStringLiteral("1=组选号码")
                      << QStringLiteral("2=任选二码");
    for (int n = 1; n <= 9; ++n)
        lists.HistoryIssue << QString::number(n);
    for (int n = 10; n <= 90; n += 10)
        lists.HistoryIssue << QString::number(n);
    for (int n = 100; n <= 300; n += 50)
        lists.HistoryIssue << QString::number(n);
    for (int n = 0; n <= 9; ++n)
        lists.GatherBall << QString::number(n);
    lists.GatherPos << QStringLiteral("0=组选") << QStringLiteral("1=百位与十位")
                    << QStringLiteral("2=十位与个位") << QStringLiteral("3=个位与百位");
    return lists;
}

} // namespace kelton
