// A full disk loses nothing: every save of the settings and of a game's data
// file fails, says so, and leaves the file that was there whole, so that the
// next start, with room again, finds the games and their draws as they were.

#include <memory>

#include <QFile>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/first_start.h"
#include "data/lottor_data.h"
#include "data/settings.h"
#include "platform/gbk.h"
#include "platform/program_folder.h"
#include "support/test_support.h"

namespace kelton {
namespace {

constexpr char kGame[] = "Lottor/lottor1000";
constexpr int kDraws = 300;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString DefinitionText()
{
    return FromGbk(ReadAll(DefaultsFolder() + QStringLiteral("/LottorTemplate/3D.Ltr")));
}

std::vector<Draw> SampleDraws(int count)
{
    std::vector<Draw> draws;
    EXPECT_TRUE(ReadSampleHistory(test::SampleHistoryPath(), 3, draws));
    draws.resize(static_cast<size_t>(count));
    return draws;
}

class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_SMALL_DISK(m_disk);
        SetProgramFolder(m_disk.Path());
        IniSystem(m_state);
        CLottorData created;
        ASSERT_FALSE(created.CreateData(DefinitionText(), QString::fromLatin1(kGame), 1000, SampleDraws(kDraws)));
        CLottoItem& items = m_state.LottoItems;
        items.LottoGroupAdd(QStringLiteral("全部彩票"));
        ASSERT_TRUE(items.LottoAdd(QStringLiteral("0"), QStringLiteral("福彩3D"), QString::fromLatin1(kGame)));
        ASSERT_TRUE(SaveSetFile(m_state, QString::fromLatin1(kSetFileKey)));
        m_game = std::make_unique<CLottorData>();
        ASSERT_FALSE(m_game->OpenData(8, QString::fromLatin1(kGame)));
        m_settings = ReadAll(m_state.SetFilePath);
        m_data = ReadAll(m_game->FilePath());
        ASSERT_FALSE(m_settings.isEmpty());
        ASSERT_FALSE(m_data.isEmpty());
    }

    void TearDown() override
    {
        m_game.reset();
        SetProgramFolder(QString());
    }

    AppState m_state; // fresh for each test
    test::SmallDisk m_disk{32 << 20};
    std::unique_ptr<CLottorData> m_game;
    QByteArray m_settings;
    QByteArray m_data;
};

// As the program ends: the settings are saved and the game is released,
// which writes its definition back. Both once left empty files behind and
// reported success: every game gone from the list, the history lost.
TEST_F(FullDiskTest, AnExitLeavesTheSettingsAndTheGameWhole)
{
    const QString dataPath = m_game->FilePath();
    ASSERT_TRUE(m_disk.Fill());
    m_state.LottoItems.LottoAdd(QStringLiteral("0"), QStringLiteral("新彩票"), QStringLiteral("Lottor/new"));

    QString reason;
    EXPECT_FALSE(SaveSetFile(m_state, QString::fromLatin1(kSetFileKey), &reason));
    EXPECT_FALSE(reason.isEmpty());
    m_game.reset();
    EXPECT_TRUE(ReadAll(m_state.SetFilePath) == m_settings);
    EXPECT_TRUE(ReadAll(dataPath) == m_data);

    // The next start, with room again, has the game and its draws.
    m_disk.Free();
    m_state.LottoItems = CLottoItem();
    IniSystem(m_state);
    ASSERT_EQ(m_state.LottoItems.LottoCount(), 1);
    CLottorData game;
    ASSERT_FALSE(game.OpenData(8, QString::fromLatin1(kGame)));
    EXPECT_EQ(game.NumCount(), kDraws);
}

TEST_F(FullDiskTest, ADrawUpdateThatCannotBeWrittenKeepsTheFileAndIsDoneLater)
{
    ASSERT_TRUE(m_disk.Fill());
    std::vector<Draw> more = SampleDraws(kDraws + 1);
    ASSERT_GT(m_game->Add(more), 0);
    EXPECT_TRUE(m_game->UpData()); // failed
    EXPECT_TRUE(ReadAll(m_game->FilePath()) == m_data);

    m_disk.Free();
    EXPECT_FALSE(m_game->UpData());
    CLottorData reopened;
    ASSERT_FALSE(reopened.OpenData(8, QString::fromLatin1(kGame)));
    EXPECT_EQ(reopened.NumCount(), kDraws + 1);
}

} // namespace
} // namespace kelton
