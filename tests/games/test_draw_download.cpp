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

// What ParseDrawText did with a body.
DrawTextRead Read(bool read, int inserted, int known = 0, int skipped = 0)
{
    DrawTextRead r;
    r.Read = read;
    r.Inserted = inserted;
    r.Known = known;
    r.Skipped = skipped;
    if (skipped > 0) {
        r.FirstSkippedLine = 2;
        r.FirstSkippedText = u"0 1 2 3"_s;
        r.FirstSkippedFault = read ? DrawLineFault::BadIssue : DrawLineFault::NotInFormat;
    }
    return r;
}

TEST(DrawDownloadRules, EveryOutcomeButACancelIsReported)
{
    const QString system = u"系统提示！"_s;
    DrawTextRead full = Read(true, 3);
    full.Full = true;
    full.StoppedLine = 40;
    DrawTextRead cancelled;
    cancelled.Cancelled = true;
    const struct {
        const char* name;
        int16_t status;
        qsizetype bytes;
        DrawTextRead read;
        QString title;
        QString text;
    } cases[] = {
        {"new draws", DownloadStatus::Done, 100, Read(true, 2, 5), system, u"导入成功,已经添加了新的开奖号码."_s},
        {"new draws and a skipped line", DownloadStatus::Done, 100, Read(true, 2, 5, 1), system,
         u"导入成功,已经添加了新的开奖号码.跳过了1行无法导入的数据，第2行“0 1 2 3”：期号必须大于零。"_s},
        {"full", DownloadStatus::Done, 100, full, system,
         u"导入成功,已经添加了新的开奖号码.一种彩票最多保存32766期开奖号码，从第40行起的开奖号码没有导入。"_s},
        {"only known draws", DownloadStatus::Done, 100, Read(true, 0, 4), system, u"没有找到更新的开奖号码。"_s},
        // Lines that read but give no draw (issue 0: a format without N).
        {"every draw skipped", DownloadStatus::Done, 100, Read(true, 0, 0, 3), system,
         u"导入失败,下载的开奖号码都无法导入。跳过了3行无法导入的数据，第2行“0 1 2 3”：期号必须大于零。"_s},
        {"nothing read", DownloadStatus::Done, 100, Read(false, 0, 0, 3), system,
         u"导入失败,下载的数据中没有一行符合数据格式“N X X X”,请检查下载地址和数据格式是否正确."
         u"第2行“0 1 2 3”：不符合数据格式。"_s},
        {"stopped", DownloadStatus::Done, 100, cancelled, QString(), QString()},
        {"one byte", DownloadStatus::Done, 1, Read(false, 0), system, u"导入失败,下载的开奖号码或号码格式不正确."_s},
        {"no byte", DownloadStatus::Done, 0, Read(false, 0), system, u"导入失败,下载的开奖号码或号码格式不正确."_s},
        {"no connection", DownloadStatus::Failed, 0, {}, u"操作提示！"_s,
         u"无法连接服务器,请检查下载地址中的域名是否正确."_s},
        {"cut off", DownloadStatus::CutOff, 0, {}, system, u"下载失败,服务器在传输完成之前断开了连接,请稍后再试."_s},
        {"too large", DownloadStatus::TooLarge, 0, {}, system, u"下载失败,下载的数据太大,请检查下载地址是否正确."_s},
        {"refused", DownloadStatus::Refused, 0, {}, system,
         u"下载失败,服务器没有提供开奖号码,请检查下载地址是否正确."_s},
        {"cancelled", DownloadStatus::Cancelled, 0, {}, QString(), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DownloadReport report = DrawDownloadReport(c.status, c.bytes, c.read, u"N X X X"_s);
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
