// What reaches the disk itself, in which order, when a game's draws change:
// a power cut at any moment must never leave old statistics that pass for
// the new draws, nor a new file under a name the folder does not yet hold.

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "data/first_start.h"
#include "data/lottor_data.h"
#include "platform/gbk.h"
#include "platform/program_folder.h"
#include "platform/save_file.h"
#include "support/test_support.h"

namespace kelton {
namespace {

class SyncLog : public IFileSyncWatch {
public:
    void Synced(const QString& path) override { Paths << path; }
    QStringList Paths;
};

class DurabilityTest : public test::ProgramFolderTest {
protected:
    // A 3D game of the given draws, its eight views built.
    void MakeGame(CLottorData& game, const std::vector<Draw>& draws)
    {
        QFile definition(DefaultsFolder() + QStringLiteral("/LottorTemplate/3D.Ltr"));
        ASSERT_TRUE(definition.open(QIODevice::ReadOnly));
        ASSERT_FALSE(game.CreateData(FromGbk(definition.readAll()), QStringLiteral("Lottor/g"), 1, draws));
        ASSERT_FALSE(game.OpenData(8, QStringLiteral("Lottor/g")));
    }
};

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An edit that keeps the number of draws: the statistics' count on disk is
// all that tells old statistics from current ones.
TEST_F(DurabilityTest, TheStaleMarkIsOnDiskBeforeTheDrawsAndTheNewNameAfterThem)
{
    std::vector<Draw> draws;
    ASSERT_TRUE(ReadSampleHistory(test::SampleHistoryPath(), 3, draws));
    draws.resize(200);
    CLottorData game;
    ASSERT_NO_FATAL_FAILURE(MakeGame(game, draws));

    draws.back().Num[1] = static_cast<int16_t>((draws.back().Num[1] + 1) % 10);
    ASSERT_GT(game.Add(draws), 0);
    SyncLog log;
    const ScopedService<IFileSyncWatch> watched(&log);
    ASSERT_FALSE(game.UpData());

    const qsizetype data = log.Paths.indexOf(game.FilePath());
    ASSERT_GE(data, 0) << log.Paths.join(u' ').toStdString();
    for (int16_t v = 0; v < 8; ++v) {
        const qsizetype marked = log.Paths.indexOf(CLottorData::StatPath(game.FilePath(), v));
        EXPECT_GE(marked, 0) << "view " << v;
        EXPECT_LT(marked, data) << "view " << v;
    }
    EXPECT_GT(log.Paths.indexOf(QFileInfo(game.FilePath()).absolutePath(), data), data);
}

// A rebuild of the statistics leaves the draws as they are on disk: the
// build writes the views again byte for byte, so nothing is marked or
// synced before it.
TEST_F(DurabilityTest, ARebuildOfUnchangedDrawsSyncsNothing)
{
    std::vector<Draw> draws;
    ASSERT_TRUE(ReadSampleHistory(test::SampleHistoryPath(), 3, draws));
    draws.resize(200);
    CLottorData game;
    ASSERT_NO_FATAL_FAILURE(MakeGame(game, draws));
    const QByteArray before = Bytes(CLottorData::StatPath(game.FilePath(), 5));

    SyncLog log;
    {
        const ScopedService<IFileSyncWatch> watched(&log);
        ASSERT_FALSE(game.ReStat());
    }
    EXPECT_TRUE(log.Paths.isEmpty()) << log.Paths.join(u' ').toStdString();
    EXPECT_EQ(Bytes(CLottorData::StatPath(game.FilePath(), 5)), before);
}

// An append changes the number of draws: statistics of the old count are
// refused by the next open as they stand, so none is synced before the
// draws; even all of their writes lost leave statistics that are rebuilt.
TEST_F(DurabilityTest, AnAppendSyncsNoStatisticsAndOldOnesAreRebuilt)
{
    std::vector<Draw> draws;
    ASSERT_TRUE(ReadSampleHistory(test::SampleHistoryPath(), 3, draws));
    draws.resize(201);
    const Draw last = draws.back();
    draws.pop_back();
    CLottorData game;
    ASSERT_NO_FATAL_FAILURE(MakeGame(game, draws));
    std::vector<QByteArray> before;
    for (int16_t v = 0; v < 8; ++v)
        before.push_back(Bytes(CLottorData::StatPath(game.FilePath(), v)));

    draws.push_back(last);
    ASSERT_EQ(game.Add(draws), 201);
    SyncLog log;
    {
        const ScopedService<IFileSyncWatch> watched(&log);
        ASSERT_FALSE(game.UpData());
    }
    EXPECT_GE(log.Paths.indexOf(game.FilePath()), 0);
    for (int16_t v = 0; v < 8; ++v)
        EXPECT_LT(log.Paths.indexOf(CLottorData::StatPath(game.FilePath(), v)), 0) << "view " << v;

    std::vector<QByteArray> built;
    for (int16_t v = 0; v < 8; ++v) {
        const QString path = CLottorData::StatPath(game.FilePath(), v);
        built.push_back(Bytes(path));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(before[static_cast<size_t>(v)]), before[static_cast<size_t>(v)].size());
    }
    CLottorData again;
    ASSERT_FALSE(again.OpenData(8, QStringLiteral("Lottor/g")));
    for (int16_t v = 0; v < 8; ++v)
        EXPECT_EQ(Bytes(CLottorData::StatPath(game.FilePath(), v)), built[static_cast<size_t>(v)])
            << "view " << v;
}

} // namespace
} // namespace kelton
