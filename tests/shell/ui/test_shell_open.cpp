#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "platform/program_folder.h"
#include "shell/ui/shell_open.h"
#include "support/test_support.h"

namespace kelton {
namespace {

class ShellOpenTest : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        QDir().mkpath(Path(QStringLiteral("Help")));
        Touch(Path(QStringLiteral("Help/qy.htm")));
        ASSERT_TRUE(m_outside.isValid());
        Touch(m_outside.filePath(QStringLiteral("elsewhere.htm")));
    }
    static void Touch(const QString& path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    QList<QUrl> Opened;
    ScopedService<ShellOpener> m_opener{[this](const QUrl& url) { Opened << url; }};
    QTemporaryDir m_outside;
};

TEST_F(ShellOpenTest, WebAddressesAreOpened)
{
    const QString addresses[] = {
        QStringLiteral("http://www.example.com/"),
        QStringLiteral("https://example.com/a?b=1"),
        QStringLiteral(" HTTP://example.com "),
    };
    for (const QString& address : addresses)
        ShellOpen(nullptr, address);
    ASSERT_EQ(Opened.size(), 3);
    EXPECT_EQ(Opened[0], QUrl(QStringLiteral("http://www.example.com/")));
    EXPECT_EQ(Opened[1], QUrl(QStringLiteral("https://example.com/a?b=1")));
    EXPECT_EQ(Opened[2].host(), QStringLiteral("example.com"));
}

TEST_F(ShellOpenTest, FilesInsideTheProgramFolderAreOpened)
{
    ShellOpen(nullptr, QStringLiteral("Help/qy.htm"));
    ShellOpen(nullptr, Path(QStringLiteral("Help/qy.htm")));
    ShellOpen(nullptr, QStringLiteral("Help\\qy.htm"));
    ASSERT_EQ(Opened.size(), 3);
    for (const QUrl& url : Opened)
        EXPECT_EQ(url,
                  QUrl::fromLocalFile(QFileInfo(Path(QStringLiteral("Help/qy.htm"))).canonicalFilePath()));
}

TEST_F(ShellOpenTest, AnythingElseIsIgnored)
{
    const QString outside = m_outside.filePath(QStringLiteral("elsewhere.htm"));
    const QString targets[] = {
        QString(),
        QStringLiteral("   "),
        QStringLiteral("ftp://example.com/file"),
        QStringLiteral("file:///etc/passwd"),
        QStringLiteral("javascript:alert(1)"),
        QStringLiteral("mailto:someone@example.com"),
        QStringLiteral("http://"),
        QStringLiteral("http://exa mple.com/"),
        QStringLiteral("/etc/passwd"),
        outside,
        QStringLiteral("../") + QFileInfo(outside).dir().dirName() + QStringLiteral("/elsewhere.htm"),
        QStringLiteral("Help/missing.htm"),
        QStringLiteral("Help"), // a folder
    };
    for (const QString& target : targets)
        ShellOpen(nullptr, target);
    EXPECT_TRUE(Opened.isEmpty()) << Opened.value(0).toString().toStdString();
}

TEST_F(ShellOpenTest, ALinkOutOfTheFolderIsIgnored)
{
    const QString link = Path(QStringLiteral("link.htm"));
    ASSERT_TRUE(QFile::link(m_outside.filePath(QStringLiteral("elsewhere.htm")), link));
    ShellOpen(nullptr, QStringLiteral("link.htm"));
    EXPECT_TRUE(Opened.isEmpty());
}

} // namespace
} // namespace kelton
