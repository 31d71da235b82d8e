#include "platform/open_targets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kelton {
namespace {

TEST(OpenTargetsTest, OnlyHttpAndHttpsAddressesWithAHostAreWebPages)
{
    const struct {
        const char* text;
        const char* url; // nullptr: refused
    } cases[] = {
        {"http://example.com/a?b=1", "http://example.com/a?b=1"},
        {"  https://example.com  ", "https://example.com"},
        {"HTTP://Example.com/", "http://example.com/"},
        {"http://", nullptr},
        {"http:example.com", nullptr},
        {"http:///path", nullptr},
        {"ftp://example.com", nullptr},
        {"file:///etc/passwd", nullptr},
        {"javascript:alert(1)", nullptr},
        {"mailto:a@example.com", nullptr},
        {"Help/qy.htm", nullptr},
        {"http://exa mple.com", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const QUrl url = WebAddressUrl(QString::fromLatin1(c.text));
        if (c.url) {
            EXPECT_EQ(url.toString(), QString::fromLatin1(c.url)) << c.text;
            EXPECT_TRUE(IsWebUrl(url)) << c.text;
        } else {
            EXPECT_TRUE(url.isEmpty()) << c.text;
        }
    }
}

TEST(OpenTargetsTest, APathIsInsideAFolderOnlyOnceResolved)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/in/sub")));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/inside")));
    for (const char* name : {"/in/a.htm", "/in/sub/b.htm", "/inside/c.htm"}) {
        QFile file(root + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/inside/c.htm"), root + QStringLiteral("/in/out.htm")));
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/in/a.htm"), root + QStringLiteral("/inside/back.htm")));

    const QString folder = root + QStringLiteral("/in");
    const struct {
        const char* path;
        bool inside;
    } cases[] = {
        {"/in/a.htm", true},
        {"/in/sub/b.htm", true},
        {"/in/sub/../a.htm", true},
        {"/in/sub", true},
        {"/in", false},           // the folder itself
        {"/inside/c.htm", false}, // a sibling sharing the folder's name as a prefix
        {"/in/../inside/c.htm", false},
        {"/in/out.htm", false},     // a link out of the folder
        {"/inside/back.htm", true}, // a link into it
        {"/in/missing.htm", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPathInside(root + QLatin1String(c.path), folder), c.inside) << c.path;
    EXPECT_FALSE(IsPathInside(root + QStringLiteral("/in/a.htm"), root + QStringLiteral("/nowhere")));
    EXPECT_FALSE(IsPathInside(QString(), folder));
}

} // namespace
} // namespace kelton
