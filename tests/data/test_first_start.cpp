#include "data/first_start.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/lotto_items.h"
#include "data/settings.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "platform/program_folder.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using test::ProgramFolderTest;

constexpr int kSampleDraws = 8374;

class FirstStartTest : public ProgramFolderTest {
protected:
    AppState m_state; // fresh for each test: the settings not read
};

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(FirstStartTest, SeedsTheSampleGameWithItsStatistics)
{
    CLottoItem items;
    ASSERT_TRUE(SeedProgramFolder(items, m_state.SetFileState));

    // The game list names the sample as the default game, under group 0.
    ASSERT_EQ(items.LottoCount(), 1);
    EXPECT_EQ(items.SelectItem(), 0);
    EXPECT_EQ(items.LottoItemGet(0, CLottoItem::kItemName), QStringLiteral("福彩3D"));
    EXPECT_EQ(items.LottoItemGet(0, CLottoItem::kItemPath), QStringLiteral("Lottor/lottor1000"));
    EXPECT_EQ(items.LottoItemGet(0, CLottoItem::kItemGroups), QStringLiteral(" 0 "));
    ASSERT_EQ(items.LottoGroupCount(), 1);

    // Both templates are in the program folder, byte for byte.
    for (const char* name : {"3D.Ltr", "Pick3.Ltr"}) {
        const QByteArray copy = Bytes(Path(QStringLiteral("LottorTemplate/") + QLatin1String(name)));
        EXPECT_FALSE(copy.isEmpty()) << name;
        EXPECT_EQ(copy, Bytes(DefaultsFolder() + QStringLiteral("/LottorTemplate/") + QLatin1String(name)));
        EXPECT_TRUE(copy.contains("\r\n")) << name;
    }

    // The data file holds the whole history; each view holds draws + 1
    // records, so opening it rebuilds nothing.
    const QString path = Path(QStringLiteral("Lottor/lottor1000"));
    for (int16_t v = 0; v < CStat::kViewCount; ++v) {
        CLottorHead head;
        head.SetHeadStr(QStringLiteral("[LOTTONAME]\r\nx\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
        CStat view;
        EXPECT_EQ(view.StatOpen(head, CLottorData::StatPath(path, v), v), kSampleDraws + 1) << v;
    }
    CLottorData game;
    ASSERT_FALSE(game.OpenData(8, QStringLiteral("Lottor/lottor1000")));
    EXPECT_EQ(game.NumCount(), kSampleDraws);
    EXPECT_EQ(game.Header().FileTag, 1000);
    EXPECT_EQ(game.NumName(0), 2002001);
    // 2002001 drew 0-7-3: units first.
    EXPECT_EQ(game.Num(1, 0), 3);
    EXPECT_EQ(game.Num(2, 0), 7);
    EXPECT_EQ(game.Num(3, 0), 0);
    EXPECT_EQ(game.NumName(kSampleDraws - 1), 2025217);
    EXPECT_EQ(game.StatView(7)->RecordCount(), kSampleDraws + 1);
}

TEST_F(FirstStartTest, LeavesAFolderWithGamesAlone)
{
    // A settings file, a game in the list, or a file in the games folder.
    {
        QFile f(Path(QStringLiteral("Kelt.dat")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    CLottoItem items;
    EXPECT_FALSE(SeedProgramFolder(items, m_state.SetFileState));
    EXPECT_EQ(items.LottoCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("Lottor"))));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("LottorTemplate"))));
    QFile::remove(Path(QStringLiteral("Kelt.dat")));

    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("Lottor"))));
    {
        QFile f(Path(QStringLiteral("Lottor/lottor1003")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("mine");
    }
    EXPECT_FALSE(SeedProgramFolder(items, m_state.SetFileState));
    EXPECT_EQ(Bytes(Path(QStringLiteral("Lottor/lottor1003"))), QByteArray("mine"));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("Lottor/lottor1000"))));

    CLottoItem listed;
    listed.LottoAdd(QStringLiteral("0"), QStringLiteral("g"), QStringLiteral("/x/y"));
    QFile::remove(Path(QStringLiteral("Lottor/lottor1003")));
    EXPECT_FALSE(SeedProgramFolder(listed, m_state.SetFileState));
    EXPECT_EQ(listed.LottoCount(), 1);
}

// A first start that could not install the sample game still wrote the
// settings file at exit, with no game in it: the next start installs it.
// A settings file that could not be read may hold games, and is left alone.
TEST_F(FirstStartTest, ASettingsFileWithoutGamesIsCompletedOneNotReadIsLeftAlone)
{
    IniSystem(m_state);
    ASSERT_TRUE(SaveSetFile(m_state, QString::fromLatin1(kSetFileKey)));
    m_state.SetFileState = SettingsFileState::Unreadable;
    CLottoItem items;
    EXPECT_EQ(SeedProgramFolder(items, m_state.SetFileState).Code, SeedOutcome::Result::NotNeeded);
    EXPECT_EQ(items.LottoCount(), 0);

    IniSystem(m_state);
    ASSERT_EQ(m_state.SetFileState, SettingsFileState::Loaded);
    const SeedOutcome seeded = SeedProgramFolder(items, m_state.SetFileState);
    EXPECT_EQ(seeded.Code, SeedOutcome::Result::Seeded);
    EXPECT_EQ(items.LottoCount(), 1);
}

TEST(FullDiskFirstStart, SaysWhyAndLeavesNothingOfTheGame)
{
    test::SmallDisk disk(4 << 20);
    SKIP_WITHOUT_SMALL_DISK(disk);
    SetProgramFolder(disk.Path());
    ASSERT_TRUE(disk.Fill(32 << 10));
    CLottoItem items;
    const SeedOutcome seeded = SeedProgramFolder(items, SettingsFileState::NotRead);
    EXPECT_EQ(seeded.Code, SeedOutcome::Result::Failed);
    EXPECT_TRUE(seeded.Reason.endsWith(QStringLiteral("（") + disk.FilePath(QStringLiteral("Lottor/lottor1000")) +
                                       QStringLiteral("）")))
        << seeded.Reason.toStdString();
    EXPECT_EQ(SeedFailureMessage(seeded),
              QStringLiteral("示例彩票未能安装：") + seeded.Reason + QStringLiteral("\n腾出磁盘空间后，下次启动时将再次安装。"));
    EXPECT_EQ(items.LottoCount(), 0);
    EXPECT_EQ(QDir(disk.FilePath(QStringLiteral("Lottor"))).entryList(QDir::Files | QDir::Hidden), QStringList());
    SetProgramFolder(QString());
}

TEST_F(FirstStartTest, SecondRunChangesNothing)
{
    CLottoItem items;
    int registered = 0;
    ASSERT_TRUE(SeedProgramFolder(items, m_state.SetFileState, [&] {
        // Called with the game in the list, before any statistics exist.
        EXPECT_EQ(items.LottoCount(), 1);
        EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("Lottor/lottor1000.0"))));
        ++registered;
    }));
    EXPECT_EQ(registered, 1);
    const QByteArray data = Bytes(Path(QStringLiteral("Lottor/lottor1000")));
    const QByteArray view7 = Bytes(Path(QStringLiteral("Lottor/lottor1000.7")));
    EXPECT_FALSE(SeedProgramFolder(items, m_state.SetFileState));
    EXPECT_EQ(items.LottoCount(), 1);

    // A fresh list with no settings file written is a first start cut short:
    // the game is listed again, its files as they are.
    CLottoItem fresh;
    EXPECT_TRUE(SeedProgramFolder(fresh, m_state.SetFileState));
    EXPECT_EQ(fresh.LottoCount(), 1);
    EXPECT_EQ(fresh.LottoItemGet(0, CLottoItem::kItemName), QStringLiteral("福彩3D"));
    EXPECT_EQ(fresh.SelectItem(), 0);
    EXPECT_EQ(Bytes(Path(QStringLiteral("Lottor/lottor1000"))), data);
    EXPECT_EQ(Bytes(Path(QStringLiteral("Lottor/lottor1000.7"))), view7);
}

TEST_F(FirstStartTest, WhatAnInterruptedFirstStartLeftDoesNotStopTheNext)
{
    // A data file written only in part, beside where it would have gone, and
    // an unfinished statistics file.
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("Lottor"))));
    for (const char* name : {"Lottor/lottor1000.Xa3kQz", "Lottor/lottor1000.2"}) {
        QFile f(Path(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("part");
    }
    CLottoItem items;
    ASSERT_TRUE(SeedProgramFolder(items, m_state.SetFileState));
    EXPECT_EQ(items.LottoCount(), 1);
    CLottorData game;
    ASSERT_FALSE(game.OpenData(8, QStringLiteral("Lottor/lottor1000")));
    EXPECT_EQ(game.NumCount(), kSampleDraws);
    EXPECT_EQ(game.StatView(2)->RecordCount(), kSampleDraws + 1);
}

TEST(SampleHistory, ReadsIssueAndDigitsSkippingOtherLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("h.csv"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("期号,日期,号码\r\n2002001,2002-01-01,073\r\nbad,2002-01-02,111\n2002003,x,12\n"
                "2002004,2002-01-04,9a1\n2002005,2002-01-05,900\n");
    }
    std::vector<Draw> draws;
    ASSERT_TRUE(ReadSampleHistory(path, 3, draws));
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0], (Draw{2002001, {0, 0, 7, 3}}));
    EXPECT_EQ(draws[1], (Draw{2002005, {0, 9, 0, 0}}));
    EXPECT_FALSE(ReadSampleHistory(dir.filePath(QStringLiteral("none.csv")), 3, draws));
    EXPECT_EQ(draws.size(), 2u);
}

// Lines of plain digits are read without decoding them; every other line as
// text, with the same rules: blanks around a field are dropped, the issue
// is a whole number above 0, the digits are ASCII digits.
TEST(SampleHistory, PlainAndOtherLinesFollowTheSameRules)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("h.csv"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(" 2002002 ,d, 456 \r\n"
                "\t0002003,d,789,extra\n"
                "+2002004,d,111\n"
                "2002005,d,\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93\n" // full-width digits
                "2002006,d,12\n"
                "0,d,123\n"
                "99999999999,d,123\n"
                "2002007\xC2\xA0,d,654\n" // a no-break space ends the issue
                "2002008,d\n"
                "2002009,d,321");
    }
    std::vector<Draw> draws;
    ASSERT_TRUE(ReadSampleHistory(path, 3, draws));
    const std::vector<Draw> expected = {Draw{2002002, {0, 4, 5, 6}}, Draw{2003, {0, 7, 8, 9}},
                                        Draw{2002004, {0, 1, 1, 1}}, Draw{2002007, {0, 6, 5, 4}},
                                        Draw{2002009, {0, 3, 2, 1}}};
    EXPECT_EQ(draws, expected);
}

} // namespace
} // namespace kelton
