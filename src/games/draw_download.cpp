#include "games/draw_download.h"

#include "shell/download_status.h"

namespace kelton {

using namespace Qt::StringLiterals;

QString JoinAddress(const QString& sLeft, const QString& sRight)
{
    const bool leftSlash = sLeft.endsWith(u'/');
    const bool rightSlash = sRight.startsWith(u'/');
    if (leftSlash && rightSlash)
        return sLeft + sRight.mid(1);
    if (leftSlash || rightSlash)
        return sLeft + sRight;
    return sLeft + u'/' + sRight;
}

QString ServerInfoAddress(const QString& sServer)
{
    return JoinAddress(sServer, QString::fromLatin1(kServerInfoPath));
}

QString DrawDataAddress(const QString& sServer, const QString& sWebPath, const QString& sAddress)
{
    if (sAddress.isEmpty() || sAddress.startsWith(u"http://"_s, Qt::CaseInsensitive))
        return sAddress;
    return JoinAddress(sServer, JoinAddress(sWebPath, sAddress));
}

DownloadReport DrawDownloadReport(int16_t status, qsizetype bodyBytes, bool read, int inserted)
{
    const QString system = u"系统提示！"_s;
    switch (status) {
    case DownloadStatus::Done:
        if (bodyBytes < 2)
            return {system, u"导入失败,下载的开奖号码或号码格式不正确."_s};
        if (!read || inserted < 1)
            return {system, u"没有找到更新的开奖号码。"_s};
        return {system, u"导入成功,已经添加了新的开奖号码."_s};
    case DownloadStatus::Failed:
        return {u"操作提示！"_s, u"无法连接服务器,请检查下载地址中的域名是否正确."_s};
    case DownloadStatus::TooLarge:
        return {system, u"下载失败,下载的数据太大,请检查下载地址是否正确."_s};
    case DownloadStatus::Refused:
        return {system, u"下载失败,服务器没有提供开奖号码,请检查下载地址是否正确."_s};
    default: // cancelled
        return {};
    }
}

} // namespace kelton
