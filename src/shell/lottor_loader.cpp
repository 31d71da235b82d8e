#include "shell/lottor_loader.h"

#include "data/lottor_data.h"

namespace kelton {

std::optional<LoadedLottor> OpenLottorFile(const QString& sFile, int16_t nViews)
{
    auto data = std::make_shared<CLottorData>();
    if (data->OpenData(nViews, sFile)) {
        LoadedLottor failed;
        failed.Failure = data->OpenFailureReason();
        return failed;
    }
    const CLottorHead& head = data->HeadData;
    return LoadedLottor{data, head.LottorName, head.BM, head.MrMain, head.MrDataName};
}

QString OpenFailureText(const QString& sName, const QString& sFile, OpenFailure why)
{
    QString reason;
    switch (why) {
    case OpenFailure::Missing:
        reason = QStringLiteral("找不到彩票数据文件");
        break;
    case OpenFailure::Damaged:
        reason = QStringLiteral("彩票数据文件已损坏");
        break;
    case OpenFailure::StatsNotWritten:
        reason = QStringLiteral("分析数据无法写入文件");
        break;
    case OpenFailure::None:
    case OpenFailure::Unreadable:
        reason = QStringLiteral("彩票数据文件无法读取");
        break;
    }
    const QString game = sName.isEmpty() ? QString() : QStringLiteral("“") + sName + QStringLiteral("”");
    return QStringLiteral("打开彩票") + game + QStringLiteral("失败，") + reason + QStringLiteral("：") +
           sFile + QStringLiteral("\n彩票数据文件未作任何改动。");
}

} // namespace kelton
