#include "shell/lottor_loader.h"

#include "data/draw_text.h"
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

QString RefusedDrawsText(CLottorHead& head, const QString& sFormat, const QString& sNumStr)
{
    std::vector<Draw> draws;
    if (StrToNum(head, sFormat, sNumStr, draws, false) > CLottorData::kMaxDraws)
        return QString::fromUtf16(
                   u"更新开奖号码失败，开奖号码超过了一种彩票最多可保存的%1期，原有的开奖号码未作改动。")
            .arg(CLottorData::kMaxDraws);
    return QString::fromUtf16(u"更新开奖号码失败，没有读出任何开奖号码，原有的开奖号码未作改动。");
}

} // namespace kelton
