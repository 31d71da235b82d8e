#include "games/draw_download.h"

#include <gtest/gtest.h>

#include "shell/download_status.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

TEST(DrawDownloadRules, AddressesAreJoinedWithOneSlash)
{
    const struct {
        const char* server;
        const char* webPath;
        const char* address;
        const char* joined;
    } cases[] = {
        {"http://s.example", "data", "3d.txt", "http://s.example/data/3d.txt"},
        {"http://s.example/", "data", "3d.txt", "http://s.example/data/3d.txt"},
        {"http://s.example", "data/", "3d.txt", "http://s.example/data/3d.txt"},
        {"http://s.example/", "/data/", "/3d.txt", "http://s.example/data/3d.txt"},
        {"http://s.example", "", "3d.txt", "http://s.example/3d.txt"},
        {"http://s.example", "data", "HTTP://other.example/x.txt", "HTTP://other.example/x.txt"},
        {"http://s.example", "data", "hTTp://other.example/x.txt", "hTTp://other.example/x.txt"},
        {"http://s.example", "data", "", ""}, // cannot be fetched
    };
    for (const auto& c : cases)
        EXPECT_EQ(DrawDataAddress(QString::fromLatin1(c.server), QString::fromLatin1(c.webPath),
                                  QString::fromLatin1(c.address)),
                  QString::fromLatin1(c.joined))
            << c.server << " " << c.webPath << " " << c.address;

    EXPECT_EQ(ServerInfoAddress(u"http://s.example"_s), u"http://s.example/SoftReg/KELT/Info.txt"_s);
    EXPECT_EQ(ServerInfoAddress(u"http://s.example/"_s), u"http://s.example/SoftReg/KELT/Info.txt"_s);
}

TEST(DrawDownloadRules, EveryOutcomeButACancelIsReported)
{
    const QString system = u"系统提示！"_s;
    const struct {
        int16_t status;
        qsizetype bytes;
        bool read;
        int inserted;
        QString title;
        QString text;
    } cases[] = {
        {DownloadStatus::Done, 100, true, 2, system, u"导入成功,已经添加了新的开奖号码."_s},
        {DownloadStatus::Done, 100, true, 0, system, u"没有找到更新的开奖号码。"_s},
        {DownloadStatus::Done, 100, false, 0, system, u"没有找到更新的开奖号码。"_s},
        {DownloadStatus::Done, 1, false, 0, system, u"导入失败,下载的开奖号码或号码格式不正确."_s},
        {DownloadStatus::Done, 0, false, 0, system, u"导入失败,下载的开奖号码或号码格式不正确."_s},
        {DownloadStatus::Failed, 0, false, 0, u"操作提示！"_s, u"无法连接服务器,请检查下载地址中的域名是否正确."_s},
        {DownloadStatus::TooLarge, 0, false, 0, system, u"下载失败,下载的数据太大,请检查下载地址是否正确."_s},
        {DownloadStatus::Refused, 0, false, 0, system,
         u"下载失败,服务器没有提供开奖号码,请检查下载地址是否正确."_s},
        {DownloadStatus::Cancelled, 0, false, 0, QString(), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        const DownloadReport report = DrawDownloadReport(c.status, c.bytes, c.read, c.inserted);
        EXPECT_EQ(report.Title, c.title);
        EXPECT_EQ(report.Text, c.text);
    }
}

TEST(DrawDownloadRules, TheMarkerWalksTheTrackAndStartsAgain)
{
    DownloadMarker marker;
    EXPECT_EQ(marker.X, DownloadMarker::kLeft);
    marker.Tick();
    EXPECT_EQ(marker.X, DownloadMarker::kLeft + 10);
    int ticks = 1;
    while (marker.X < DownloadMarker::kRight) {
        marker.Tick();
        ++ticks;
    }
    EXPECT_EQ(marker.X, DownloadMarker::kRight);
    EXPECT_EQ(ticks, (3600 - 120) / 10);
    marker.Tick();
    EXPECT_EQ(marker.X, DownloadMarker::kLeft);
    marker.Tick();
    marker.Reset();
    EXPECT_EQ(marker.X, DownloadMarker::kLeft);
}

} // namespace
} // namespace kelton
