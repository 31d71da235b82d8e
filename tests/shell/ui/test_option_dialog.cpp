#include "shell/ui/option_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/text_helpers.h"
#include "platform/gbk.h"
#include "platform/string_table.h"
#include "platform/ui/message_box.h"
#include "qt_app_env.h"
#include "shell/http_request.h"
#include "shell/net/downloader.h"
#include "shell/ui/upgrade_dialog.h"
#include "support/local_http_server.h"
#include "support/test_support.h"

namespace kelton {
namespace {

// Answers message boxes, so that an unexpected one cannot block.
class FakeBoxes : public IMessageBoxes {
public:
    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                     QMessageBox::StandardButtons) override
    {
        Texts << text;
        return QMessageBox::Cancel;
    }
    QStringList Texts;
};

class OptionDialogTest : public test::ProgramFolderTest {
protected:
    AppState m_state; // fresh for each test

    void SetUp() override
    {
        test::ProgramFolderTest::SetUp();
        SettingRecordType record = SettingRecordType::Defaults();
        record.SetUseProxy(kFalse);
        record.SetProxyHost(QStringLiteral("proxy.example"));
        record.SetProxyPort(3128);
        record.SetProxyAuth(kFalse);
        record.SetProxyUser(QStringLiteral("alice"));
        record.SetProxyPassword(QStringLiteral("secret"));
        m_state.SettingRecord = record;
    }

    SettingRecordType& Record() { return m_state.SettingRecord; }

    // Which of address, port, authentication box, user and password are enabled.
    static std::array<bool, 5> Enabled(const FOption& dlg)
    {
        return {dlg.TxtIP()->isEnabled(), dlg.TxtPort()->isEnabled(), dlg.chkVail()->isEnabled(),
                dlg.TxtUser()->isEnabled(), dlg.TxtPassWord()->isEnabled()};
    }
};

TEST_F(OptionDialogTest, LoadsTheStoredSettings)
{
    FOption dlg(m_state);
    EXPECT_EQ(dlg.windowTitle(), LoadResString(Res::MainOptions));
    EXPECT_EQ(dlg.cmdOK()->text(), LoadResString(Res::Ok));
    EXPECT_EQ(dlg.cmdCancel()->text(), LoadResString(Res::Cancel));
    EXPECT_FALSE(dlg.chkProxy()->isChecked());
    EXPECT_FALSE(dlg.chkVail()->isChecked());
    // Proxy off: every proxy box disabled, the stored values in them.
    EXPECT_EQ(Enabled(dlg), (std::array<bool, 5>{false, false, false, false, false}));
    EXPECT_EQ(dlg.TxtIP()->text(), QStringLiteral("proxy.example"));
    EXPECT_EQ(dlg.TxtPort()->text(), QStringLiteral("3128"));
    EXPECT_EQ(dlg.TxtUser()->text(), QStringLiteral("alice"));
    EXPECT_EQ(dlg.TxtPassWord()->text(), QStringLiteral("secret"));
    EXPECT_EQ(dlg.TxtPassWord()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dlg.TxtPassWord()->displayText(), QStringLiteral("******")); // an asterisk a character

    Record().SetUseProxy(kTrue);
    Record().SetProxyAuth(kTrue);
    FOption on(m_state);
    EXPECT_TRUE(on.chkProxy()->isChecked());
    EXPECT_TRUE(on.chkVail()->isChecked());
    EXPECT_EQ(Enabled(on), (std::array<bool, 5>{true, true, true, true, true}));
}

TEST_F(OptionDialogTest, EnablingRules)
{
    FOption dlg(m_state);
    dlg.show();
    dlg.chkProxy()->click();
    EXPECT_EQ(Enabled(dlg), (std::array<bool, 5>{true, true, true, false, false}));
    dlg.chkVail()->click();
    EXPECT_EQ(Enabled(dlg), (std::array<bool, 5>{true, true, true, true, true}));
    dlg.chkVail()->click();
    EXPECT_EQ(Enabled(dlg), (std::array<bool, 5>{true, true, true, false, false}));
    dlg.chkVail()->click();
    dlg.chkProxy()->click();
    EXPECT_EQ(Enabled(dlg), (std::array<bool, 5>{false, false, false, false, false}));
    EXPECT_TRUE(dlg.chkVail()->isChecked()); // disabled boxes keep their contents
    EXPECT_EQ(dlg.TxtUser()->text(), QStringLiteral("alice"));
}

TEST_F(OptionDialogTest, OkStoresAllSixSettings)
{
    FOption dlg(m_state);
    dlg.show();
    dlg.chkProxy()->click();
    dlg.chkVail()->click();
    dlg.TxtIP()->setText(QStringLiteral("  10.0.0.1  "));
    dlg.TxtPort()->setText(QStringLiteral("8080"));
    dlg.TxtUser()->setText(QStringLiteral(" bob\t"));
    dlg.TxtPassWord()->setText(QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"));
    dlg.cmdOK()->click();

    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(Record().UseProxy(), kTrue);
    EXPECT_EQ(Record().ProxyAuth(), kTrue);
    EXPECT_EQ(Record().ProxyHost(), QStringLiteral("10.0.0.1")); // blanks trimmed
    EXPECT_EQ(Record().ProxyPort(), 8080);
    EXPECT_EQ(Record().ProxyUser(), QStringLiteral("bob\t")); // only blanks are trimmed
    EXPECT_EQ(Record().ProxyPassword(), QStringLiteral("abcdefghijklmnopqrstuvwxy")); // 25 characters

    // The next opening shows the cut text.
    FOption again(m_state);
    EXPECT_EQ(again.TxtPassWord()->text(), QStringLiteral("abcdefghijklmnopqrstuvwxy"));
}

TEST_F(OptionDialogTest, ValuesOfDisabledBoxesAreStoredToo)
{
    FOption dlg(m_state);
    dlg.TxtIP()->setText(QStringLiteral("other.example"));
    dlg.TxtUser()->setText(QStringLiteral("carol"));
    dlg.cmdOK_Click();
    EXPECT_EQ(Record().UseProxy(), kFalse);
    EXPECT_EQ(Record().ProxyHost(), QStringLiteral("other.example"));
    EXPECT_EQ(Record().ProxyUser(), QStringLiteral("carol"));
}

TEST_F(OptionDialogTest, PortTexts)
{
    const struct {
        const char* text;
        int32_t port;
    } cases[] = {
        {"8080", 8080},   {" 80 ", 80},    {"3128.4", 3128}, {"1", 1},
        {"65535", 65535}, {"abc", 3128},   {"", 3128},       {"80x", 3128},
        {"0", 3128},      {"-8080", 3128}, {"65536", 3128},  {"99999999999", 3128},
    };
    for (const auto& c : cases) {
        Record().SetProxyPort(3128);
        FOption dlg(m_state);
        dlg.TxtPort()->setText(QString::fromLatin1(c.text));
        dlg.cmdOK_Click();
        EXPECT_EQ(Record().ProxyPort(), c.port) << c.text;
    }
}

TEST_F(OptionDialogTest, CancelAndCloseBoxKeepTheSettings)
{
    const SettingRecordType before = Record();
    for (int way = 0; way < 2; ++way) {
        auto* dlg = new FOption(m_state);
        QPointer<FOption> guard(dlg);
        dlg->show();
        dlg->chkProxy()->click();
        dlg->chkVail()->click();
        dlg->TxtIP()->setText(QStringLiteral("changed.example"));
        dlg->TxtPort()->setText(QStringLiteral("1"));
        dlg->TxtUser()->setText(QStringLiteral("x"));
        dlg->TxtPassWord()->setText(QStringLiteral("y"));
        if (way == 0)
            dlg->cmdCancel()->click();
        else
            dlg->close();
        EXPECT_EQ(dlg->result(), QDialog::Rejected) << way;
        EXPECT_EQ(Record(), before) << way;
        delete dlg;
    }
}

// The settings edited in the dialog are used by the next download: the
// upgrade, pointed at a local server acting as the proxy, asks it for the
// full addresses with the proxy credentials.
TEST_F(OptionDialogTest, EditedProxyReachesTheNextDownload)
{
    test::LocalHttpServer proxy;
    proxy.Serve("http://upgrade.example/list.txt",
                ToGbk(QStringLiteral("kelt.exe\thttp://files.example/kelt.exe\t\\\t0\r\n")));
    proxy.Serve("http://files.example/kelt.exe", "NEW");
    FakeBoxes boxes;
    const ScopedService<IMessageBoxes> answered(&boxes);

    FOption dlg(m_state);
    dlg.show();
    dlg.chkProxy()->click();
    dlg.chkVail()->click();
    dlg.TxtIP()->setText(QStringLiteral("127.0.0.1"));
    dlg.TxtPort()->setText(QString::number(proxy.Port()));
    dlg.TxtUser()->setText(QStringLiteral("bob"));
    dlg.TxtPassWord()->setText(QStringLiteral("pw"));
    dlg.cmdOK()->click();

    m_state.SysInfo = ServerInfo();
    m_state.SysInfo.SysNewEdition = QStringLiteral("2.1");
    m_state.SysInfo.SysNewEditionList = QStringLiteral("http://upgrade.example/list.txt");
    auto* upgrade = new FUpgrade(m_state);
    QPointer<FUpgrade> guard(upgrade);
    upgrade->setAttribute(Qt::WA_DeleteOnClose);
    upgrade->SetPollInterval(5);
    upgrade->SetDownloaderSetup([](Downloader& d) { d.SetSchedulerInterval(2); });
    upgrade->show();
    upgrade->cmdOK()->click();
    const bool ended = test::WaitUntil([&] { return guard.isNull(); });
    ASSERT_TRUE(ended);
    EXPECT_TRUE(boxes.Texts.isEmpty());

    EXPECT_EQ(proxy.RequestLines(), (QList<QByteArray>{"GET http://upgrade.example/list.txt HTTP/1.1",
                                                       "GET http://files.example/kelt.exe HTTP/1.1"}));
    for (const QByteArray& request : proxy.requests)
        EXPECT_TRUE(
            request.contains("\r\nProxy-Authorization: Basic " + QByteArray("bob:pw").toBase64() + "\r\n"))
            << request.toStdString();
    QFile file(Path(QStringLiteral("Upgrade/kelt.exe")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("NEW"));
}

} // namespace
} // namespace kelton
