#include <optional>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "platform/ui/help_viewer.h"
#include "shell/ui/qt_app_env.h"
#include "support/test_support.h"

namespace kelton {
namespace {

class HelpViewerTest : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        m_folder = Path(QStringLiteral("Help"));
        QDir().mkpath(m_folder);
    }
    void TearDown() override
    {
        m_help.Close();
        ProgramFolderTest::TearDown();
    }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_folder + QLatin1Char('/') + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString m_folder;
    HelpViewerOwner m_help;
    std::optional<ScopedService<HelpViewerOwner>> m_helpInForce{std::in_place, &m_help};
};

TEST_F(HelpViewerTest, ATopicFallsBackToTheStartPage)
{
    EXPECT_EQ(HelpPagePath(m_folder, QStringLiteral("qy.htm")), QString());
    const QString start = Write(QStringLiteral("qy.htm"), "<html>start</html>");
    const QString filter = Write(QStringLiteral("fFilter.htm"), "<html>filter</html>");
    Write(QStringLiteral("secret.htm"), "<html>x</html>");

    EXPECT_EQ(HelpPagePath(m_folder, QStringLiteral("fFilter.htm")), filter);
    // Names differ in case on this file system.
    EXPECT_EQ(HelpPagePath(m_folder, QStringLiteral("FFilter.htm")), start);
    EXPECT_EQ(HelpPagePath(m_folder, QStringLiteral("FInfer.htm")), start);
    // A topic is a page of the folder, never a path.
    for (const char* topic : {"../Kelt.dat", "/etc/passwd", "..", "", "a\\b.htm", "sub/qy.htm"})
        EXPECT_EQ(HelpPagePath(m_folder, QLatin1String(topic)), start) << topic;
    EXPECT_EQ(HelpPagePath(QString(), QStringLiteral("qy.htm")), QString());
}

TEST_F(HelpViewerTest, TheWindowShowsTheTopicAndFollowsLinksInTheFolder)
{
    Write(QStringLiteral("qy.htm"), "<html><head><meta charset=\"utf-8\"><title>目录</title></head>"
                                    "<body>start <a href=\"FOption.htm\">options</a></body></html>");
    const QString options = Write(QStringLiteral("FOption.htm"), "<html><body>代理服务器</body></html>");

    ShowHelpTopic(m_folder, QStringLiteral("FUpgrade.htm")); // no page: the start page
    CHelpViewer* viewer = &m_help.Viewer();
    ASSERT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->Browser()->toPlainText().startsWith(QStringLiteral("start")));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("使用帮助 - 目录"));
    EXPECT_FALSE(viewer->testAttribute(Qt::WA_QuitOnClose));

    Q_EMIT viewer->Browser()->anchorClicked(QUrl(QStringLiteral("FOption.htm")));
    EXPECT_EQ(viewer->PagePath(), options);
    EXPECT_TRUE(viewer->Browser()->toPlainText().contains(QStringLiteral("代理服务器")));

    // Links out of the folder are not followed.
    Write(QStringLiteral("../outside.htm"), "<html>outside</html>");
    Q_EMIT viewer->Browser()->anchorClicked(QUrl(QStringLiteral("../outside.htm")));
    Q_EMIT viewer->Browser()->anchorClicked(QUrl(QStringLiteral("file:///etc/hostname")));
    EXPECT_EQ(viewer->PagePath(), options);

    // A second topic reuses the window.
    ShowHelpTopic(m_folder, QStringLiteral("qy.htm"));
    EXPECT_EQ(&m_help.Viewer(), viewer);
    EXPECT_TRUE(viewer->Browser()->toPlainText().startsWith(QStringLiteral("start")));
    m_help.Close();
    EXPECT_FALSE(viewer->isVisible());
}

// Shows page, then clicks "目录" through the window system, where a modal
// dialog blocks the windows it does not own; true when the click took the
// window to the start page.
bool HomeClickTakes(CHelpViewer* viewer, const QString& page, const QString& start)
{
    viewer->ShowPage(page);
    QPushButton* home = nullptr;
    for (QPushButton* button : viewer->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("目录"))
            home = button;
    }
    QWindow* window = viewer->windowHandle();
    if (!home || !window || !viewer->isVisible())
        return false;
    QTest::mouseClick(window, Qt::LeftButton, {}, home->mapTo(viewer, home->rect().center()));
    return viewer->PagePath() == start;
}

TEST_F(HelpViewerTest, HelpAskedForInAModalDialogTakesClicks)
{
    const QString start = Write(QStringLiteral("qy.htm"), "<html>start</html>");
    const QString options = Write(QStringLiteral("FOption.htm"), "<html>options</html>");
    auto* outer = new QDialog;
    outer->setWindowModality(Qt::ApplicationModal);
    outer->show();
    auto* inner = new QDialog(outer);
    inner->setWindowModality(Qt::ApplicationModal);
    inner->show();

    ShowHelpTopic(m_folder, QStringLiteral("FOption.htm")); // a dialog's help button
    QPointer<CHelpViewer> viewer = &m_help.Viewer();
    ASSERT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->PagePath(), options);
    EXPECT_TRUE(HomeClickTakes(viewer, options, start));

    // The inner dialog closes: the outer one still blocks the rest.
    inner->hide();
    EXPECT_TRUE(HomeClickTakes(viewer, options, start));

    // The help window outlives the dialogs, however they go.
    delete outer;
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(HomeClickTakes(viewer, options, start));
}

TEST_F(HelpViewerTest, TheShownTopicCanBeReplaced)
{
    QStringList asked;
    {
        const ScopedService<HelpShower> shower(
            [&](const QString& folder, const QString& topic) { asked << folder + "|" + topic; });
        Write(QStringLiteral("qy.htm"), "<html>start</html>");
        ShowHelpTopic(m_folder, QStringLiteral("fFilter.htm"));
    }
    EXPECT_EQ(asked, QStringList({m_folder + "|fFilter.htm"}));
    EXPECT_FALSE(m_help.Viewer().isVisible());
}

TEST_F(HelpViewerTest, TopicsGoToTheWindowOfTheOwnerInForceWhichGoesWithIt)
{
    Write(QStringLiteral("qy.htm"), "<html>start</html>");
    QPointer<CHelpViewer> viewer;
    {
        HelpViewerOwner other;
        const ScopedService<HelpViewerOwner> inForce(&other);
        ShowHelpTopic(m_folder, QStringLiteral("qy.htm"));
        viewer = &other.Viewer();
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_NE(viewer, &m_help.Viewer());
        EXPECT_FALSE(m_help.Viewer().isVisible());
    }
    EXPECT_TRUE(viewer.isNull());

    // With no owner in force nothing shows.
    m_helpInForce.reset();
    ShowHelpTopic(m_folder, QStringLiteral("qy.htm"));
    EXPECT_FALSE(m_help.Viewer().isVisible());
}

} // namespace
} // namespace kelton
