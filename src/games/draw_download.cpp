#include "games/draw_download.h"

#include "games/draw_import.h"
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

DownloadReport DrawDownloadReport(int16_t status, qsizetype bodyBytes, const DrawTextRead& read,
                                  const QString& sFormat)
{
    const QString system = u"系统提示！"_s;
    switch (status) {
    case DownloadStatus::Done:
        if (bodyBytes < 2)
            return {system, u"导入失败,下载的开奖号码或号码格式不正确."_s};
        if (read.Cancelled)
            return {};
        if (read.Failed)
            return {system, u"导入失败,内存不足,下载的开奖号码没有导入."_s};
        if (!read.Read)
            return {system, u"导入失败,下载的数据中没有一行符合数据格式“%1”,请检查下载地址和数据格式是否正确."_s.arg(sFormat) +
                                FirstSkippedLineText(read)};
        if (read.Inserted < 1) {
            if (read.Skipped == 0 && !read.Full)
                return {system, u"没有找到更新的开奖号码。"_s};
            return {system, u"导入失败,下载的开奖号码都无法导入。"_s + LeftOutText(read, true)};
        }
        return {system, u"导入成功,已经添加了新的开奖号码."_s + LeftOutText(read, false)};
    case DownloadStatus::Failed:
        return {u"操作提示！"_s, u"无法连接服务器,请检查下载地址中的域名是否正确."_s};
    case DownloadStatus::CutOff:
        return {system, u"下载失败,服务器在传输完成之前断开了连接,请稍后再试."_s};
    case DownloadStatus::TooLarge:
        return {system, u"下载失败,下载的数据太大,请检查下载地址是否正确."_s};
    case DownloadStatus::Refused:
        return {system, u"下载失败,服务器没有提供开奖号码,请检查下载地址是否正确."_s};
    default: // cancelled
        return {};
    }
}

DownloadReport NoDownloadAddressReport()
{
    return {u"操作提示！"_s,
            u"没有设置下载地址,无法下载.请在下载列表中双击所选下载源的“数据地址”一格,填写开奖号码的下载地址."_s};
}

} // namespace kelton
