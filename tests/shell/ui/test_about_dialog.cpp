#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/server_info.h"
#include "qt_app_env.h"
#include "shell/ui/about_dialog.h"
#include "shell/ui/shell_open.h"
#include "support/test_support.h"

namespace kelton {
namespace {

class AboutTest : public test::ProgramFolderTest {
protected:
    AppState m_state; // fresh for each test: no server information
    QStringList Opened;
    ScopedService<ShellOpener> m_opener{[this](const QUrl& url) { Opened << url.toString(); }};
};

TEST_F(AboutTest, TheTextListsTheContactSections)
{
    ServerInfo info;
    info.SysField = {QStringLiteral("http://www.one.example/"), QStringLiteral("http://www.two.example/")};
    info.SysEmail = {QStringLiteral("mail@one.example")};
    info.SysTel = {QStringLiteral("010-1234"), QStringLiteral("010-5678")};
    info.SysQQ = {QStringLiteral("12345")};
    EXPECT_EQ(AboutInfoText(QStringLiteral("Kelton"), info),
              QStringLiteral("欢迎使用Kelton\r\n\r\n"
                             "主页\r\nhttp://www.one.example/\r\nhttp://www.two.example/\r\n"
                             "\r\n联系邮箱\r\nmail@one.example\r\n"
                             "\r\n联系电话\r\n010-1234\r\n010-5678\r\n"
                             "\r\n联系QQ\r\n12345\r\n"));
    // Without any of the sections: the headings alone.
    EXPECT_EQ(AboutInfoText(QStringLiteral("Kelton"), ServerInfo()),
              QStringLiteral("欢迎使用Kelton\r\n\r\n主页\r\n\r\n联系邮箱\r\n\r\n联系电话\r\n\r\n联系QQ\r\n"));
}

TEST_F(AboutTest, TheBoxKeepsTheTextItWasLoadedWith)
{
    m_state.SysInfo.SysField = {QStringLiteral("http://home.example/")};
    QWidget owner;
    FAbout* box = FAbout::Instance(m_state, &owner);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("关于... "));
    EXPECT_EQ(box->Label2()->text(), QStringLiteral("Kelton 2.04"));
    EXPECT_EQ(box->Label1()->text(), QStringLiteral("访问网站"));
    EXPECT_EQ(box->CmdOk()->text(), QStringLiteral("确   定"));
    EXPECT_TRUE(box->TxtInfo()->isReadOnly());
    EXPECT_TRUE(box->TxtInfo()->toPlainText().contains(QStringLiteral("主页\nhttp://home.example/\n")));
    const QString text = box->InfoText();

    box->show();
    box->CmdOk()->click();
    EXPECT_FALSE(box->isVisible());

    // The server information changes during the run: the box shows what it
    // was loaded with.
    m_state.SysInfo.SysField = {QStringLiteral("http://changed.example/")};
    EXPECT_EQ(FAbout::Instance(m_state, &owner), box);
    EXPECT_EQ(box->InfoText(), text);
    // Its link follows the server information of the moment.
    box->Label1_Click();
    EXPECT_EQ(Opened, QStringList({"http://changed.example/"}));
}

TEST_F(AboutTest, TheLinkOpensOnlyAWebHomePage)
{
    FAbout box(m_state);
    box.Form_Load();
    box.Label1_Click();
    EXPECT_TRUE(Opened.isEmpty()); // no home page

    for (const char* field : {"file:///etc/passwd", "Kelt.dat", "mailto:someone@example.com"}) {
        m_state.SysInfo.SysField = {QLatin1String(field)};
        box.Label1_Click();
    }
    EXPECT_TRUE(Opened.isEmpty());

    m_state.SysInfo.SysField = {QStringLiteral("https://home.example/"),
                                QStringLiteral("http://second.example/")};
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), box.Label1()->mapToGlobal(QPointF(2, 2)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    box.Label1()->resize(60, 20);
    QApplication::sendEvent(box.Label1(), &release);
    EXPECT_EQ(Opened, QStringList({"https://home.example/"}));
}

} // namespace
} // namespace kelton
