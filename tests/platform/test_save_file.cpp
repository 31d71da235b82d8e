// The one way every file is written: whole or not at all, on a full disk
// too, and never reported saved when it was not.

#include <cerrno>

#include <QFile>

#include <gtest/gtest.h>

#include "platform/save_file.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kOld = "the file as it was\r\n";

class FullDiskSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_SMALL_DISK(m_disk);
        ASSERT_TRUE(SaveWholeFile(Target(), kOld).Ok);
        ASSERT_TRUE(m_disk.Fill());
    }

    QString Target() const { return m_disk.FilePath(u"target.dat"_s); }

    // The old file whole, and nothing else left beside it.
    void ExpectOldFileAlone() const
    {
        EXPECT_EQ(ReadAll(Target()), kOld);
        EXPECT_EQ(test::FolderEntries(m_disk.Path()), QStringList({u".filler"_s, u"target.dat"_s}));
    }

    test::SmallDisk m_disk{256 << 10};
};

// A short write (below Qt's 16 KiB buffer) once put an empty file in place
// and reported success.
TEST_F(FullDiskSave, AWriteThatDoesNotFitFailsAndLeavesTheOldFile)
{
    for (const qsizetype size : {qsizetype(1), qsizetype(1000), qsizetype(16 << 10), qsizetype(300 << 10)}) {
        SCOPED_TRACE(size);
        const SaveOutcome out = SaveWholeFile(Target(), QByteArray(size, 'n'));
        EXPECT_FALSE(out.Ok);
        EXPECT_EQ(out.Reason, qt_error_string(ENOSPC));
        EXPECT_EQ(out.Written, 0);
        ExpectOldFileAlone();
    }
}

// Room for part of the content: the system's reason, not Qt's "Unknown
// error" for a short count.
TEST_F(FullDiskSave, AWriteCutShortSaysTheDiskIsFull)
{
    m_disk.Free();
    ASSERT_TRUE(m_disk.Fill(16 << 10));
    const SaveOutcome out = SaveWholeFile(Target(), QByteArray(100 << 10, 'n'));
    EXPECT_FALSE(out.Ok);
    EXPECT_EQ(out.Reason, qt_error_string(ENOSPC));
    ExpectOldFileAlone();
}

TEST_F(FullDiskSave, AStreamedWriteStopsAtTheFirstFailureAndCommitsNothing)
{
    CheckedSaveFile file(Target());
    ASSERT_TRUE(file.Open());
    EXPECT_FALSE(file.Write(QByteArray(5000, 'a')));
    const QString first = file.Reason();
    EXPECT_FALSE(first.isEmpty());
    m_disk.Free(); // room again: the write that failed is still missing
    EXPECT_FALSE(file.Write(QByteArray(10, 'b')));
    const SaveOutcome out = file.Commit();
    EXPECT_FALSE(out.Ok);
    EXPECT_EQ(out.Reason, first);
    EXPECT_EQ(ReadAll(Target()), kOld);
}

TEST_F(FullDiskSave, WithRoomAgainTheSameSaveSucceeds)
{
    ASSERT_FALSE(SaveWholeFile(Target(), "new").Ok);
    m_disk.Free();
    const SaveOutcome out = SaveWholeFile(Target(), "new");
    EXPECT_TRUE(out.Ok);
    EXPECT_EQ(out.Written, 3);
    EXPECT_EQ(ReadAll(Target()), "new");
}

class SaveFileTest : public test::ProgramFolderTest {};

TEST_F(SaveFileTest, WritesTheWholeContentAndSaysHowMuch)
{
    CheckedSaveFile file(Path(u"a.txt"_s));
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("abc"));
    ASSERT_TRUE(file.Write(""));
    ASSERT_TRUE(file.Write("de"));
    const SaveOutcome out = file.Commit();
    EXPECT_TRUE(out.Ok);
    EXPECT_TRUE(out.Reason.isEmpty());
    EXPECT_EQ(out.Written, 5);
    EXPECT_EQ(ReadAll(Path(u"a.txt"_s)), "abcde");
}

TEST_F(SaveFileTest, NothingWrittenOrACancelIsNoSave)
{
    ASSERT_TRUE(SaveWholeFile(Path(u"a.txt"_s), kOld).Ok);
    const SaveOutcome empty = SaveWholeFile(Path(u"a.txt"_s), QByteArray());
    EXPECT_FALSE(empty.Ok);
    EXPECT_EQ(empty.Reason, QString::fromUtf16(kNothingWritten));
    {
        CheckedSaveFile cancelled(Path(u"a.txt"_s));
        ASSERT_TRUE(cancelled.Open());
        ASSERT_TRUE(cancelled.Write("half"));
        cancelled.Cancel();
        EXPECT_FALSE(cancelled.Commit().Ok);
    }
    {
        CheckedSaveFile dropped(Path(u"a.txt"_s)); // never committed
        ASSERT_TRUE(dropped.Open());
        ASSERT_TRUE(dropped.Write("half"));
    }
    EXPECT_EQ(ReadAll(Path(u"a.txt"_s)), kOld);
    EXPECT_EQ(test::FolderEntries(Path(u"."_s)), QStringList{u"a.txt"_s});
}

TEST_F(SaveFileTest, AFolderThatIsNotThereIsAReasonNotASave)
{
    CheckedSaveFile file(Path(u"no/such/folder/a.txt"_s));
    EXPECT_FALSE(file.Open());
    EXPECT_FALSE(file.Reason().isEmpty());
    EXPECT_FALSE(file.Write("abc"));
    const SaveOutcome out = file.Commit();
    EXPECT_FALSE(out.Ok);
    EXPECT_EQ(out.Reason, file.Reason());
}

} // namespace
} // namespace kelton
