#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <gtest/gtest.h>

#include "platform/gbk.h"
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
    // The start page, and a page for every window with a help button or
    // child window the help command can name.
    for (const char* page :
         {"qy.htm",           "MDIMain.htm",    "FOption.htm",        "FUpgrade.htm",     "FAbout.htm",
          "FLottoLogo.htm",   "FLottoReg.htm",  "FLottoTemplate.htm", "FLottoOption.htm", "FDataSet.htm",
          "FSelVal.htm",      "FBalls.htm",     "fBall.htm",          "fFilter.htm",      "FMrReplace.htm",
          "fWay.htm",         "FDataInOut.htm", "fHitQuery.htm",      "fPrinter.htm",     "FInfer.htm",
          "FFilterBound.htm", "OtherMatch.htm", "OtherHistory.htm",   "OtherGather.htm"})
        EXPECT_TRUE(shipped.contains(QLatin1String(page))) << page;
    // Every link of the start page leads to a shipped page.
    const QString start = QString::fromUtf8(Bytes(DefaultHelpFolder() + QStringLiteral("/qy.htm")));
    for (const QRegularExpressionMatch& link :
         QRegularExpression(QStringLiteral("href=\"([^\"#]+)\"")).globalMatch(start))
        EXPECT_TRUE(shipped.contains(link.captured(1))) << link.captured(1).toStdString();

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

TEST_F(HelpPagesTest, PagesAreDecodedByTheirCharset)
{
    const QString folder = ProgramPath(QStringLiteral("Help"));
    ASSERT_TRUE(QDir().mkpath(folder));
    auto write = [&folder](const char* name, const QByteArray& bytes) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    };
    const QString text = QStringLiteral("缩水过滤");
    const QString utf8 = write("u.htm", "<html><head><meta charset=\"utf-8\"></head><body>" + text.toUtf8() +
                                            "</body></html>");
    const QString gbk =
        write("g.htm", "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                       "</head><body>" +
                           ToGbk(text) + "</body></html>");
    const QString plain = write("p.htm", "<html><body>" + text.toUtf8() + "</body></html>");
    for (const QString& page : {utf8, gbk, plain})
        EXPECT_TRUE(ReadHtmlPage(page).contains(text)) << page.toStdString();
    EXPECT_EQ(ReadHtmlPage(folder + QStringLiteral("/none.htm")), QString());
}

} // namespace
} // namespace kelton
