// The draw editor's download against a server on 127.0.0.1.

#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include "data/server_info.h"
#include "data_set_test_support.h"
#include "platform/gbk.h"
#include "shell/net/downloader.h"
#include "support/local_http_server.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QByteArray kInfoPath = "/SoftReg/KELT/Info.txt";

class DataSetDownloadTest : public test::DataSetTest {
protected:
    void SetUp() override
    {
        DataSetTest::SetUp();
        m_state.SysInfo.SysAddress = QStringList{u"127.0.0.1"_s};
        m_state.SysInfo.SysLottoDataWebPath = u"data"_s;
        m_state.SettingRecord = SettingRecordType::Defaults();
        CLottorData& game = MakeGame({u"123"_s, u"456"_s}, 101);
        game.HeadData.SetWwwNumCaption(0, u"福彩3D"_s);
        game.HeadData.SetWwwNumLink(0, u"3d.txt"_s);
        game.HeadData.SetWwwNumFormat(0, u"N X X X"_s);
        m_form = std::make_unique<FDataSet>(m_state);
        const quint16 port = m_server.Port();
        m_form->SetDownloaderSetup([port](Downloader& d) {
            d.SetSchedulerInterval(2);
            d.SetPollStep(5);
            d.SetDirectPort(port);
        });
        Open(u"DownLoad"_s);
    }

    void ServeDraws(const QByteArray& path, const QString& text) { m_server.Serve(path, ToGbk(text)); }
    QList<QByteArray> Paths() const
    {
        QList<QByteArray> paths;
        for (const QByteArray& request : m_server.requests)
            paths << test::RequestPath(request);
        return paths;
    }
    // Runs act once the condition holds, without holding up the download
    // that is waited for meanwhile.
    void When(std::function<bool()> condition, std::function<void()> act)
    {
        auto* poll = new QTimer(m_form.get());
        QObject::connect(poll, &QTimer::timeout, poll, [poll, condition, act] {
            if (!condition())
                return;
            poll->stop();
            poll->deleteLater();
            act();
        });
        poll->start(2);
    }

    void ExpectIdle()
    {
        EXPECT_FALSE(m_form->Downloading());
        EXPECT_TRUE(m_form->CmdDownLoad()->isEnabled());
        EXPECT_FALSE(m_form->CmdCancelDownLoad()->isEnabled());
        EXPECT_TRUE(m_form->cmdOK()->isEnabled());
        EXPECT_EQ(CMsg().StatusText(), u"就绪"_s);
    }

    test::LocalHttpServer m_server;
};

TEST_F(DataSetDownloadTest, ServerInformationThenTheDraws)
{
    // The server moves its draw-data folder.
    m_server.Serve(kInfoPath, "[Address]\r\n127.0.0.1/\r\n[LottoDataWebPath]\r\nnew/\r\n");
    ServeDraws("/new/3d.txt", u"103 7 8 9\r\n102 0 0 0\r\n104 0 1 2\r\n"_s);
    m_form->CmdDownLoad()->click();
    EXPECT_EQ(Paths(), QList<QByteArray>({kInfoPath, "/new/3d.txt"}));
    EXPECT_EQ(m_state.SysInfo.SysLottoDataWebPath, u"new/"_s);
    EXPECT_EQ(Rows(), QStringList({u"101:1 2 3"_s, u"102:4 5 6"_s, u"103:7 8 9"_s, u"104:0 1 2"_s}));
    EXPECT_TRUE(m_form->GridChanged());
    EXPECT_EQ(m_boxes.Texts, QStringList({u"导入成功,已经添加了新的开奖号码."_s}));
    EXPECT_EQ(m_boxes.Titles, QStringList({u"系统提示！"_s}));
    EXPECT_TRUE(m_display.StatusTexts.contains(u"更新下载列表"_s));
    EXPECT_TRUE(m_display.StatusTexts.contains(u"正在下载"_s));
    ExpectIdle();
}

TEST_F(DataSetDownloadTest, OnlyServerInformationReplacesTheProgramsOwn)
{
    // A page that is no server information, answered with status 200.
    m_server.Serve(kInfoPath, "<html><body>maintenance</body></html>");
    ServeDraws("/data/3d.txt", u"103 7 8 9\r\n"_s);
    m_form->CmdDownLoad()->click();
    EXPECT_EQ(m_state.SysInfo.SysAddress, QStringList({u"127.0.0.1"_s}));
    EXPECT_EQ(m_state.SysInfo.SysLottoDataWebPath, u"data"_s);
    // The draws come from the folder known before.
    EXPECT_EQ(Paths(), QList<QByteArray>({kInfoPath, "/data/3d.txt"}));
    EXPECT_EQ(Rows().size(), 3);
}

TEST_F(DataSetDownloadTest, EveryFailureIsToldAndNothingIsInserted)
{
    const struct {
        const char* name;
        std::function<void(test::LocalHttpServer&)> serve;
        const char* link;
        const char* message;
    } cases[] = {
        {"404", [](test::LocalHttpServer&) {}, "3d.txt",
         "下载失败,服务器没有提供开奖号码,请检查下载地址是否正确."},
        {"truncated body",
         [](test::LocalHttpServer& server) {
             server.reply = [](QTcpSocket* s, const QByteArray& request) {
                 if (test::RequestPath(request) == "/data/3d.txt")
                     s->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n103 7 8 9\r\n");
                 else
                     s->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
                 s->flush();
                 s->disconnectFromHost();
             };
         },
         "3d.txt", "下载失败,服务器在传输完成之前断开了连接,请稍后再试."},
        {"one byte", [](test::LocalHttpServer& server) { server.Serve("/data/3d.txt", "1"); }, "3d.txt",
         "导入失败,下载的开奖号码或号码格式不正确."},
        {"only known draws",
         [](test::LocalHttpServer& server) { server.Serve("/data/3d.txt", "101 1 2 3\r\n102 4 5 6\r\n"); },
         "3d.txt", "没有找到更新的开奖号码。"},
        {"a format that does not fit",
         [](test::LocalHttpServer& server) { server.Serve("/data/3d.txt", "103 7 8\r\n"); }, "3d.txt",
         "导入失败,下载的数据中没有一行符合数据格式“N X X X”,请检查下载地址和数据格式是否正确."
         "第1行“103 7 8”：不符合数据格式。"},
        {"no draw the history keeps",
         [](test::LocalHttpServer& server) { server.Serve("/data/3d.txt", "102 4 5 6\r\n0 1 1 1\r\n-5 2 2 2\r\n"); },
         "3d.txt", "导入失败,下载的开奖号码都无法导入。跳过了2行无法导入的数据，第2行“0 1 1 1”：期号必须大于零。1期开奖号码已在列表中。"},
    };
    const test::LocalHttpServer::Reply served = m_server.reply;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_server.reply = served;
        c.serve(m_server);
        m_form->msgDown()->SetTextMatrix(1, 2, QString::fromLatin1(c.link));
        m_boxes.Texts.clear();
        m_form->CmdDownLoad()->click();
        EXPECT_EQ(m_boxes.Texts, QStringList({QString::fromUtf8(c.message)}));
        EXPECT_EQ(Rows(), QStringList({u"101:1 2 3"_s, u"102:4 5 6"_s}));
        // Nothing new: nothing to confirm.
        EXPECT_FALSE(m_form->GridChanged());
        ExpectIdle();
    }
}

TEST_F(DataSetDownloadTest, ASourceWithoutAnAddressSaysWhereToSetOne)
{
    for (const char* link : {"", "   "}) {
        m_form->msgDown()->SetTextMatrix(1, 2, QString::fromLatin1(link));
        m_boxes.Texts.clear();
        m_boxes.Titles.clear();
        m_form->CmdDownLoad()->click();
        EXPECT_EQ(m_boxes.Texts, QStringList({u"没有设置下载地址,无法下载.请在下载列表中双击所选下载源的“数据地址”一格,"
                                              u"填写开奖号码的下载地址."_s}));
        EXPECT_EQ(m_boxes.Titles, QStringList({u"操作提示！"_s}));
        EXPECT_TRUE(m_server.requests.isEmpty()); // not even the server information
        ExpectIdle();
    }
}

TEST_F(DataSetDownloadTest, CancellingDuringTheServerInformationFetchesNoDraws)
{
    // The server information never comes.
    m_server.reply = [](QTcpSocket*, const QByteArray&) {};
    ServeDraws("/data/3d.txt", u"103 7 8 9\r\n"_s);
    When([this] { return !m_server.requests.isEmpty(); }, [this] {
        EXPECT_TRUE(m_form->Downloading());
        EXPECT_FALSE(m_form->cmdOK()->isEnabled());
        EXPECT_TRUE(m_form->LblDownload()->isVisible());
        m_form->CmdCancelDownLoad()->click();
    });
    m_form->CmdDownLoad()->click();
    EXPECT_EQ(Paths(), QList<QByteArray>({kInfoPath}));
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    EXPECT_EQ(Rows().size(), 2);
    ExpectIdle();
}

TEST_F(DataSetDownloadTest, CancellingDuringTheDrawsShowsNothing)
{
    m_server.reply = [](QTcpSocket* s, const QByteArray& request) {
        if (test::RequestPath(request) == kInfoPath) {
            s->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
            s->flush();
            s->disconnectFromHost();
        }
    };
    When([this] { return m_server.requests.size() == 2; }, [this] { m_form->CmdCancelDownLoad()->click(); });
    m_form->CmdDownLoad()->click();
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    ExpectIdle();
}

TEST_F(DataSetDownloadTest, ALongListIsReadWithTheCancelOfTheDownloadWorking)
{
    // A newest-first list long enough to show its progress.
    QString list;
    for (int issue = 12102; issue >= 103; --issue)
        list += QString::number(issue) + u" 1 2 3\r\n"_s;
    ServeDraws("/data/3d.txt", list);
    bool checked = false;
    m_display.OnPump = [&](int pass) {
        if (pass != 2)
            return;
        checked = true;
        EXPECT_TRUE(m_form->Reading());
        EXPECT_TRUE(m_form->CmdCancelDownLoad()->isEnabled());
        m_form->CmdCancelDownLoad()->click();
    };
    m_form->CmdDownLoad()->click();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    EXPECT_EQ(Rows().size(), 2);
    EXPECT_FALSE(m_form->GridChanged());
    ExpectIdle();

    // Not cancelled: every draw in its place.
    m_display.OnPump = nullptr;
    m_form->CmdDownLoad()->click();
    EXPECT_EQ(m_boxes.Texts, QStringList({u"导入成功,已经添加了新的开奖号码."_s}));
    const QStringList rows = Rows();
    ASSERT_EQ(rows.size(), 12002);
    EXPECT_EQ(rows[2], u"103:1 2 3"_s);
    EXPECT_EQ(rows.back(), u"12102:1 2 3"_s);
    ExpectIdle();
}

TEST_F(DataSetDownloadTest, TheWindowStaysWhileADownloadRunsAndAForcedCloseEndsTheWait)
{
    m_server.reply = [](QTcpSocket*, const QByteArray&) {};
    When([this] { return !m_server.requests.isEmpty(); }, [this] {
        // The close box and Escape do nothing now.
        m_form->close();
        EXPECT_TRUE(m_form->isVisible());
        m_form->cmdCancel_Click();
        EXPECT_TRUE(m_form->isVisible());
        // Ending the program cancels every dialog.
        m_form->reject();
        EXPECT_FALSE(m_form->isVisible());
    });
    m_form->CmdDownLoad()->click();
    // The wait ended with the window: no second transfer, no message.
    EXPECT_EQ(m_server.requests.size(), 1);
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    EXPECT_FALSE(m_form->Downloading());
    EXPECT_EQ(CMsg().StatusText(), u"就绪"_s);
    // The next opening works as the first.
    m_server.reply = [](QTcpSocket* s, const QByteArray&) {
        s->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
        s->flush();
        s->disconnectFromHost();
    };
    Open(u"DownLoad"_s);
    m_form->CmdDownLoad()->click();
    EXPECT_EQ(m_boxes.Texts.size(), 1);
}

TEST_F(DataSetDownloadTest, ClosingTheWindowWhileItWaitsDeletesNothingItStillUses)
{
    m_server.reply = [](QTcpSocket*, const QByteArray&) {};
    QTimer::singleShot(0, [this] {
        ASSERT_TRUE(test::WaitUntil([this] { return !m_server.requests.isEmpty(); }));
        m_form.reset(); // the main window goes, and the editor with it
    });
    FDataSet* form = m_form.get();
    form->CmdDownLoad_Click();
    EXPECT_FALSE(m_form);
}

} // namespace
} // namespace kelton
