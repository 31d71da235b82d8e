#include "shell/ui/upgrade_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "platform/gbk.h"
#include "platform/string_table.h"
#include "platform/ui/message_box.h"
#include "qt_app_env.h"
#include "shell/net/downloader.h"
#include "shell/process_start.h"
#include "shell/upgrade_list.h"
#include "support/local_http_server.h"
#include "support/test_support.h"

namespace kelton {
namespace {

// Answers every message box and remembers what was asked.
class FakeBoxes : public IMessageBoxes {
public:
    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon icon, const QString& title,
                                     const QString& text, QMessageBox::StandardButtons) override
    {
        Icons << icon;
        Titles << title;
        Texts << text;
        return Answer;
    }
    QMessageBox::StandardButton Answer = QMessageBox::Ok;
    QList<QMessageBox::Icon> Icons;
    QStringList Titles;
    QStringList Texts;
};

// Records what would have been started.
class FakeStarter : public IProcessStarter {
public:
    bool StartProgram(const QString& sPath) override
    {
        Started << sPath;
        return Result;
    }
    bool Result = true;
    QStringList Started;
};

QString ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    return QString::fromLatin1(file.readAll());
}

class UpgradeDialogTest : public test::ProgramFolderTest {
protected:
    AppState m_state; // fresh for each test

    void SetUp() override
    {
        test::ProgramFolderTest::SetUp();
        m_state.SettingRecord = SettingRecordType::Defaults();
        m_state.SysInfo.SysNewEdition = QStringLiteral("2.1");
        m_state.SysInfo.SysNewEditionList = Url("/list.txt");
    }
    void TearDown() override
    {
        delete dialog;
        test::ProgramFolderTest::TearDown();
    }

    // An address on the local server (the downloader is pointed at its port).
    static QString Url(const char* path) { return QStringLiteral("127.0.0.1") + QLatin1String(path); }

    void ServeList(const QString& text) { server.Serve("/list.txt", ToGbk(text)); }

    // Makes the dialog the way the upgrade command leaves it running: it
    // deletes itself when the upgrade ends.
    FUpgrade* Make()
    {
        dialog = new FUpgrade(m_state);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->SetPollInterval(5);
        const quint16 port = server.Port();
        dialog->SetDownloaderSetup([port](Downloader& d) {
            d.SetSchedulerInterval(2);
            d.SetDirectPort(port);
        });
        return dialog;
    }

    // Shows the dialog, presses OK and waits until the upgrade has ended.
    bool RunToEnd()
    {
        Make();
        dialog->show();
        dialog->cmdOK()->click();
        EXPECT_FALSE(dialog->isVisible()); // hidden while it works
        return test::WaitUntil([this] { return dialog.isNull(); });
    }

    QString Upgrade(const char* relative) const
    {
        return Path(QStringLiteral("Upgrade/") + QLatin1String(relative));
    }

    void ExpectFailureMessage()
    {
        ASSERT_EQ(boxes.Texts.size(), 1);
        EXPECT_EQ(boxes.Texts[0], LoadResString(Res::UpgradeFailed));
        EXPECT_EQ(boxes.Titles[0], LoadResString(Res::SystemPrompt));
        EXPECT_EQ(boxes.Icons[0], QMessageBox::Information);
        EXPECT_TRUE(starter.Started.isEmpty());
    }

    test::LocalHttpServer server;
    FakeBoxes boxes;
    FakeStarter starter;
    ScopedService<IMessageBoxes> boxesInstalled{&boxes};
    ScopedService<IProcessStarter> starterInstalled{&starter};
    QPointer<FUpgrade> dialog;
};

TEST_F(UpgradeDialogTest, DownloadsTheListedFilesAndStartsTheFirstMarkedOne)
{
    ServeList(QStringLiteral("setup.exe\t") + Url("/files/setup.exe") +
              QStringLiteral("\t\\\t1\r\n"
                             "note\tonly three fields\r\n"
                             "data.txt\t") +
              Url("/files/data.txt") +
              QStringLiteral("\t\\sub\\dir\\\t0\textra\r\n"
                             "second.exe\t") +
              Url("/files/second.exe") + QStringLiteral("\t\\\t1\r\n"));
    server.Serve("/files/setup.exe", "SETUP");
    server.Serve("/files/data.txt", "DATA");
    server.Serve("/files/second.exe", "SECOND");
    // An earlier file of the same name is replaced.
    ASSERT_TRUE(QDir().mkpath(Upgrade("")));
    {
        QFile old(Upgrade("setup.exe"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("OLD VERSION OF THE INSTALLER");
    }

    ASSERT_TRUE(RunToEnd());

    EXPECT_EQ(server.RequestLines(),
              (QList<QByteArray>{"GET /list.txt HTTP/1.1", "GET /files/setup.exe HTTP/1.1",
                                 "GET /files/data.txt HTTP/1.1", "GET /files/second.exe HTTP/1.1"}));
    EXPECT_EQ(ReadFile(Upgrade("setup.exe")), QStringLiteral("SETUP"));
    EXPECT_EQ(ReadFile(Upgrade("sub/dir/data.txt")), QStringLiteral("DATA"));
    EXPECT_EQ(ReadFile(Upgrade("second.exe")), QStringLiteral("SECOND"));

    // The user was asked, with the full path, before the first marked file started.
    ASSERT_EQ(boxes.Texts.size(), 1);
    EXPECT_EQ(boxes.Icons[0], QMessageBox::Question);
    EXPECT_EQ(boxes.Texts[0], UpgradeRunQuestion(Upgrade("setup.exe")));
    EXPECT_EQ(starter.Started, QStringList{Upgrade("setup.exe")});
}

TEST_F(UpgradeDialogTest, DeclinedStartLeavesTheFilesAndStartsNothing)
{
    ServeList(QStringLiteral("setup.exe\t") + Url("/setup.exe") + QStringLiteral("\t\\\t1\r\n"));
    server.Serve("/setup.exe", "SETUP");
    boxes.Answer = QMessageBox::Cancel;

    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(boxes.Texts.size(), 1);
    EXPECT_TRUE(starter.Started.isEmpty());
    EXPECT_EQ(ReadFile(Upgrade("setup.exe")), QStringLiteral("SETUP"));
}

TEST_F(UpgradeDialogTest, QuietEndingsWithoutAFileToStart)
{
    // No entry marked "1": the files arrive and the dialog closes quietly.
    ServeList(QStringLiteral("a.txt\t") + Url("/a.txt") + QStringLiteral("\t\\\t0\r\n"));
    server.Serve("/a.txt", "A");
    ASSERT_TRUE(RunToEnd());
    EXPECT_TRUE(boxes.Texts.isEmpty());
    EXPECT_TRUE(starter.Started.isEmpty());
    EXPECT_EQ(ReadFile(Upgrade("a.txt")), QStringLiteral("A"));

    // A marked file that cannot be started ends without a message too.
    ServeList(QStringLiteral("b.exe\t") + Url("/b.exe") + QStringLiteral("\t\\\t1\r\n"));
    server.Serve("/b.exe", "B");
    starter.Result = false;
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(boxes.Texts.size(), 1); // the question only
    EXPECT_EQ(starter.Started, QStringList{Upgrade("b.exe")});
}

struct FailureCase {
    const char* name;
    const char* listAddress; // "" empty address; "closed" a port where nothing listens
    const char* list;        // served at /list.txt; nullptr: not served (404)
    int requests;            // requests the server receives
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.name;
}

class UpgradeFailureTest : public UpgradeDialogTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(UpgradeFailureTest, EndsWithTheFailureMessage)
{
    const FailureCase& c = GetParam();
    if (qstrcmp(c.listAddress, "closed") == 0) {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress(QHostAddress::LocalHost), 0));
        const quint16 closed = probe.serverPort();
        probe.close();
        Make()->SetDownloaderSetup([closed](Downloader& d) {
            d.SetSchedulerInterval(2);
            d.SetDirectPort(closed);
        });
    } else {
        m_state.SysInfo.SysNewEditionList = QString::fromLatin1(c.listAddress);
        Make();
    }
    if (c.list) {
        QString list = QString::fromUtf8(c.list);
        list.replace(QLatin1String("URL"), Url("/file"));
        ServeList(list);
    }
    server.Serve("/file", "FILE");

    dialog->show();
    dialog->cmdOK()->click();
    ASSERT_TRUE(test::WaitUntil([this] { return dialog.isNull(); })) << c.name;
    ExpectFailureMessage();
    EXPECT_EQ(server.requests.size(), c.requests) << c.name;
    // Nothing left the upgrade folder.
    EXPECT_EQ(QDir(Path(QString())).entryList(QDir::Files), QStringList()) << c.name;
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("evil.exe"))));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpgradeFailureTest,
    ::testing::Values(
        FailureCase{"ListNotFound", "127.0.0.1/list.txt", nullptr, 1},
        FailureCase{"NoServer", "closed", nullptr, 0}, FailureCase{"EmptyListAddress", "", nullptr, 0},
        FailureCase{"NoLineWithFourFields", "127.0.0.1/list.txt", "a\tURL\t\\\r\nb\tURL\r\n", 1},
        FailureCase{"FileNotFound", "127.0.0.1/list.txt", "a.exe\t127.0.0.1/missing\t\\\t1\r\n", 2},
        FailureCase{"FileWithEmptyAddress", "127.0.0.1/list.txt", "a.exe\t\t\\\t1\r\n", 1},
        // A list naming any file outside the upgrade folder is refused as a whole.
        FailureCase{"ParentFolder", "127.0.0.1/list.txt",
                    "ok.txt\tURL\t\\\t0\r\nevil.exe\tURL\t\\..\\\t1\r\n", 1},
        FailureCase{"BackslashInName", "127.0.0.1/list.txt", "..\\evil.exe\tURL\t\\\t1\r\n", 1},
        FailureCase{"NoLeadingSeparator", "127.0.0.1/list.txt", "evil.exe\tURL\t\t1\r\n", 1},
        FailureCase{"AbsoluteFolder", "127.0.0.1/list.txt", "evil.exe\tURL\tC:\\Windows\\\t1\r\n", 1},
        FailureCase{"FormatCharacterInName", "127.0.0.1/list.txt",
                    "ok.txt\tURL\t\\\t0\r\ninvoice\u202Efdp.sh\tURL\t\\\t1\r\n", 1}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(UpgradeDialogTest, CancelledDownloadEndsWithTheFailureMessage)
{
    ServeList(QStringLiteral("a.exe\t") + Url("/a.exe") + QStringLiteral("\t\\\t1\r\n"));
    server.Serve("/a.exe", "A");
    Downloader* downloader = nullptr;
    Make()->SetDownloaderSetup([&downloader](Downloader& d) { downloader = &d; });
    dialog->RunUpgrade();
    ASSERT_NE(downloader, nullptr);
    downloader->CancelDownAll(); // the list download is cancelled before it starts
    ASSERT_TRUE(test::WaitUntil([this] { return dialog.isNull(); }));
    ExpectFailureMessage();
    EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(UpgradeDialogTest, CancelDownloadsNothing)
{
    ServeList(QStringLiteral("a.exe\t") + Url("/a.exe") + QStringLiteral("\t\\\t1\r\n"));
    Make()->show();
    dialog->cmdCancel()->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(dialog->UpgradeStep(), 0);
    EXPECT_FALSE(dialog->IsPolling());
    test::WaitUntil([this] { return dialog.isNull(); }, 50);
    EXPECT_TRUE(server.requests.isEmpty());
    EXPECT_TRUE(boxes.Texts.isEmpty());
}

// The upgrade command: the dialog outlives its modal display after OK and
// deletes itself when the upgrade ends; after Cancel it is gone at once.
TEST_F(UpgradeDialogTest, CommandKeepsTheDialogUntilTheUpgradeEnds)
{
    ServeList(QStringLiteral("a.txt\t") + Url("/a.txt") + QStringLiteral("\t\\\t0\r\n"));
    server.Serve("/a.txt", "A");
    for (const bool ok : {true, false}) {
        QPointer<FUpgrade> shown;
        // The answer to the modal dialog, and a guard that ends it should the answer go astray.
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<FUpgrade*>(QApplication::activeModalWidget());
            if (!shown)
                return;
            shown->SetPollInterval(5);
            const quint16 port = server.Port();
            shown->SetDownloaderSetup([port](Downloader& d) {
                d.SetSchedulerInterval(2);
                d.SetDirectPort(port);
            });
            (ok ? shown->cmdOK() : shown->cmdCancel())->click();
        });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget())
                w->hide();
        });
        guard.start(5000);
        ShowUpgradeDialog(m_state, nullptr);
        guard.stop();
        if (ok) {
            ASSERT_FALSE(shown.isNull());
            EXPECT_EQ(shown->UpgradeStep(), 1);
            ASSERT_TRUE(test::WaitUntil([&] { return shown.isNull(); }));
            EXPECT_EQ(ReadFile(Upgrade("a.txt")), QStringLiteral("A"));
        } else {
            EXPECT_TRUE(shown.isNull());
        }
    }
    EXPECT_EQ(server.requests.size(), 2); // the list and its file, once
    EXPECT_TRUE(boxes.Texts.isEmpty());
}

struct EditionCase {
    const char* edition;
    bool okEnabled;
    const char16_t* caption;
    const char16_t* newLabel;
};

class UpgradeEditionTest : public UpgradeDialogTest, public ::testing::WithParamInterface<EditionCase> {};

TEST_P(UpgradeEditionTest, OfferedEdition)
{
    const EditionCase& c = GetParam();
    m_state.SysInfo.SysNewEdition = QString::fromLatin1(c.edition);
    FUpgrade dlg(m_state);
    EXPECT_EQ(dlg.cmdOK()->isEnabled(), c.okEnabled) << c.edition;
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf16(c.caption)) << c.edition;
    EXPECT_EQ(dlg.LblNew()->text(), QString::fromUtf16(c.newLabel)) << c.edition;
    EXPECT_EQ(dlg.LblCurrent()->text(), QStringLiteral("当前版本：2.04"));
    EXPECT_EQ(dlg.cmdOK()->text(), LoadResString(Res::Ok));
    EXPECT_EQ(dlg.cmdCancel()->text(), LoadResString(Res::Cancel));
    EXPECT_FALSE(dlg.IsPolling());
}

INSTANTIATE_TEST_SUITE_P(Cases, UpgradeEditionTest,
                         ::testing::Values(EditionCase{"2.1", true, u"发现新版本", u"最新版本：2.1"},
                                           EditionCase{"2.04", false, u"没有发现更新版本", u"最新版本：2.04"},
                                           EditionCase{"1.5", false, u"没有发现更新版本", u"最新版本：2.04"},
                                           EditionCase{"new", false, u"发现新版本", u"最新版本：2.04"},
                                           EditionCase{"", false, u"发现新版本", u"最新版本：2.04"}));

} // namespace
} // namespace kelton
