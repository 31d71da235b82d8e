#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <gtest/gtest.h>

#include "platform/help_pages.h"
#include "platform/program_folder.h"
#include "support/test_support.h"

namespace kelton {
namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class HelpPagesTest : public test::ProgramFolderTest {};

TEST_F(HelpPagesTest, TheShippedPagesAreCopiedOnce)
{
    const QStringList shipped = QDir(DefaultHelpFolder()).entryList(QDir::Files);
    for (const char* page : {"qy.htm", "MDIMain.htm", "FOption.htm", "FUpgrade.htm", "FAbout.htm"})
        EXPECT_TRUE(shipped.contains(QLatin1String(page))) << page;

    const QString folder = ProgramPath(QStringLiteral("Help"));
    EXPECT_EQ(SeedHelpPages(folder), shipped.size());
    for (const QString& page : shipped)
        EXPECT_EQ(Bytes(folder + QLatin1Char('/') + page),
                  Bytes(DefaultHelpFolder() + QLatin1Char('/') + page));
    EXPECT_TRUE(QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty());

    // A page the user changed stays; a missing one comes back.
    QFile changed(folder + QStringLiteral("/qy.htm"));
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
    changed.write("mine");
    changed.close();
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/FAbout.htm")));
    EXPECT_EQ(SeedHelpPages(folder), 1);
    EXPECT_EQ(Bytes(folder + QStringLiteral("/qy.htm")), QByteArray("mine"));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/FAbout.htm")));
    EXPECT_EQ(SeedHelpPages(folder), 0);
}

TEST_F(HelpPagesTest, AFolderThatCannotBeMadeIsReported)
{
    QFile blocker(ProgramPath(QStringLiteral("Help")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(SeedHelpPages(ProgramPath(QStringLiteral("Help"))), -1);
    EXPECT_EQ(SeedHelpPages(QString()), -1);
}

TEST_F(HelpPagesTest, TheShippedPagesAreUtf8HtmlWithTheirCharset)
{
    const QDir shipped(DefaultHelpFolder());
    for (const QString& page : shipped.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
        const QByteArray bytes = Bytes(shipped.filePath(page));
        EXPECT_TRUE(bytes.contains("charset=utf-8")) << page.toStdString();
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(bytes);
        EXPECT_FALSE(decoder.hasError()) << page.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("<title>"))) << page.toStdString();
    }
}

} // namespace
} // namespace kelton
