#include <cstring>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "data/lottor_head.h"
#include "engine/stat.h"
#include "engine/stat_file.h"
#include "stat_reference.h"
#include "stat_test_views.h"

namespace kelton::test {
namespace {

int16_t Word(const QByteArray& bytes, qsizetype offset)
{
    int16_t value = 0;
    std::memcpy(&value, bytes.constData() + offset, 2);
    return value;
}

int32_t Long(const QByteArray& bytes, qsizetype offset)
{
    int32_t value = 0;
    std::memcpy(&value, bytes.constData() + offset, 4);
    return value;
}

void WriteLong(const QString& path, qint64 offset, int32_t value)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(offset));
    ASSERT_EQ(f.write(reinterpret_cast<const char*>(&value), 4), 4);
}

class StatFileTest : public ::testing::Test {
protected:
    void SetUp() override { AcceptGame(head, game); }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    Game game;
    CLottorHead head;
};

// The record of the three-digit game, worked out field by field: Index and
// Issue 8, Data 18 + 80, PosStat 10 + 3 x 1438 + 10 (entry 0 without
// arrays), Num 10 + 8, Filter 10 + 86, TransAll 18 + 200, StatAll 26 + 600,
// CycleAll 10 + 580 + 4, Sorted 10 + 8, Recent7 10 + 20.
TEST_F(StatFileTest, CreateWritesHeaderAndOneBlankRecord)
{
    CStat view;
    ASSERT_TRUE(view.StatCreate(head, Path("g.2"), 2));
    EXPECT_TRUE(view.IsOpen());
    EXPECT_EQ(view.RecordCount(), 1);
    EXPECT_EQ(view.DataIndex(), 2);
    const int32_t recLen = 8 + 98 + 4334 + 18 + 96 + 218 + 626 + 594 + 18 + 30;
    ASSERT_EQ(recLen, 6040);
    EXPECT_EQ(view.Layout()->RecLen(), recLen);

    const QByteArray bytes = FileBytes(Path("g.2"));
    ASSERT_EQ(bytes.size(), 37 + recLen);
    EXPECT_EQ(bytes.left(25), QByteArray("QUORVEX-NUMBER-STAT-3.0.0"));
    EXPECT_EQ(Long(bytes, 25), recLen);
    EXPECT_EQ(Long(bytes, 29), 1);
    EXPECT_EQ(Long(bytes, 33), 2);
    // Record 0: Index 0, Issue 0, then the Data descriptor (2 dimensions:
    // 4 from 0, 10 from 0) and its 40 zero elements.
    EXPECT_EQ(Long(bytes, 37), 0);
    EXPECT_EQ(Long(bytes, 41), 0);
    EXPECT_EQ(Word(bytes, 45), 2);
    EXPECT_EQ(Long(bytes, 47), 4);
    EXPECT_EQ(Long(bytes, 51), 0);
    EXPECT_EQ(Long(bytes, 55), 10);
    EXPECT_EQ(Long(bytes, 59), 0);
    // The PosStat descriptor (4 entries), then entry 0: three arrays without
    // elements and two zero counts.
    EXPECT_EQ(Word(bytes, 143), 1);
    EXPECT_EQ(Long(bytes, 145), 4);
    for (int w = 0; w < 5; ++w)
        EXPECT_EQ(Word(bytes, 153 + 2 * w), 0);
    // Entry 1 begins with the Stat descriptor: 3 dimensions, 10 x 3 x 10.
    EXPECT_EQ(Word(bytes, 163), 3);
    EXPECT_EQ(Long(bytes, 165), 10);
    EXPECT_EQ(Long(bytes, 173), 3);
    EXPECT_EQ(Long(bytes, 181), 10);

    // Every element of the record is zero: the bytes equal the blank
    // record's but for Index.
    StatRecord blank = view.BlankRecord();
    blank.SetIndex(0);
    EXPECT_EQ(std::memcmp(bytes.constData() + 37, blank.Words(), static_cast<size_t>(recLen)), 0);
}

TEST(StatLayoutTest, RecordBytesAreThoseOfTheLayout)
{
    struct Shape {
        int16_t len;
        int16_t main;
        int16_t bm;
    };
    const Shape shapes[] = {{9, 3, 3}, {35, 5, 7}, {1, 1, 1}, {80, 20, 20}, {0, 0, 0}, {9, 3, 1}, {5, -1, 2}};
    for (const Shape& s : shapes) {
        const StatLayout layout(s.len, s.main, s.bm);
        EXPECT_EQ(StatLayout::RecordBytes(s.len, s.main, s.bm), layout.RecLen()) << s.len << '/' << s.main;
    }
    // Beyond 32 bits, without building anything.
    EXPECT_GT(StatLayout::RecordBytes(32767, 16383, 32767), int64_t{1} << 40);
    EXPECT_LE(StatLayout::RecordBytes(80, 20, 20), StatLayout::kMaxRecordBytes);
}

TEST_F(StatFileTest, CreateRefusesBadViewOrDefinition)
{
    for (int16_t index : {int16_t(8), int16_t(-1)}) {
        CStat view;
        EXPECT_FALSE(view.StatCreate(head, Path("g.x"), index));
        EXPECT_FALSE(view.IsOpen());
        EXPECT_EQ(view.RecordCount(), 0);
    }
    EXPECT_FALSE(QFile::exists(Path("g.x")));
    CLottorHead refused;
    CStat view;
    EXPECT_FALSE(view.StatCreate(refused, Path("g.0"), 0));
    EXPECT_FALSE(QFile::exists(Path("g.0")));
}

TEST_F(StatFileTest, CreateReplacesAnExistingFile)
{
    ViewSet set;
    ASSERT_TRUE(set.Create(head, Path("g"), RandomHistory(game, 40, 1), 1));
    CStat view;
    ASSERT_TRUE(view.StatCreate(head, set.PathOf(0), 0));
    EXPECT_EQ(FileBytes(set.PathOf(0)).size(), 37 + view.Layout()->RecLen());
}

TEST_F(StatFileTest, OpenReadsCountAndCachesTheLast301Records)
{
    ViewSet set;
    ASSERT_TRUE(set.Create(head, Path("g"), RandomHistory(game, 301, 9), 3));
    for (int32_t draws : {300, 301}) {
        ViewSet sized;
        ASSERT_TRUE(sized.Create(head, Path(draws == 300 ? "a" : "b"), RandomHistory(game, draws, 9), 1));
        CStat view;
        EXPECT_EQ(view.StatOpen(head, sized.PathOf(0), 0), draws + 1);
        EXPECT_EQ(view.CacheStart(), draws == 300 ? 0 : 1); // 301 records: 0..300; 302: 1..301
        EXPECT_EQ(view.CachedNum(view.CacheStart() - 1), nullptr);
        EXPECT_EQ(view.CachedNum(draws + 1), nullptr);
        for (int32_t i = view.CacheStart(); i <= draws; ++i) {
            const int16_t* cached = view.CachedNum(i);
            ASSERT_NE(cached, nullptr);
            for (int p = 0; p <= 3; ++p)
                EXPECT_EQ(cached[p], sized.Views[0]->LoadRecord(i).Num(p));
        }
        // A reopened view reads the same records.
        EXPECT_TRUE(view.LoadRecord(draws / 2) == sized.Views[0]->LoadRecord(draws / 2));
    }
}

TEST_F(StatFileTest, OpenRefusesForeignFiles)
{
    ViewSet set;
    ASSERT_TRUE(set.Create(head, Path("g"), RandomHistory(game, 25, 2), 4));
    {
        CStat view; // a file of view 3 asked for as view 2
        EXPECT_EQ(view.StatOpen(head, set.PathOf(3), 2), 0);
        EXPECT_EQ(view.RecordCount(), 0);
    }
    {
        CStat view; // no file: open but empty
        EXPECT_EQ(view.StatOpen(head, Path("none.0"), 0), 0);
        EXPECT_TRUE(view.IsOpen());
    }
    {
        // A file of another game shape (record length) is refused too.
        CLottorHead other;
        AcceptGame(other, Game{11, 3, 0, 0, 10});
        CStat view;
        EXPECT_EQ(view.StatOpen(other, set.PathOf(0), 0), 0);
    }
    struct Damage {
        qint64 Offset;
        int32_t Value;
    };
    // One character of the magic in the other letter case; counts outside
    // 0..32767; a count the file is too short for.
    for (const Damage& d : {Damage{29, 32768}, Damage{29, -1}, Damage{29, 27}, Damage{0, 0x524F5571}}) {
        const QString path = Path("damaged.1");
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(set.PathOf(1), path));
        WriteLong(path, d.Offset, d.Value);
        CStat view;
        EXPECT_EQ(view.StatOpen(head, path, 1), 0) << d.Offset << " " << d.Value;
    }
}

TEST_F(StatFileTest, LoadRecordOutsideTheFileGivesTheBlankRecord)
{
    ViewSet set;
    ASSERT_TRUE(set.Create(head, Path("g"), RandomHistory(game, 30, 3), 1));
    CStat& view = *set.Views[0];
    for (int32_t n : {-1, -2, 31, 32}) {
        view.LoadRecord(5);
        const StatRecord& rec = view.LoadRecord(n);
        EXPECT_EQ(rec.Index(), -1);
        EXPECT_TRUE(rec == view.BlankRecord());
    }
    EXPECT_EQ(view.LoadRecord(7).Index(), 7);
}

// A walk forward through the records reads them a run at a time; each
// record is the one a read of it alone gives (read walking backwards, one
// by one), and a step back or a jump lands on the right record too.
TEST_F(StatFileTest, AWalkForwardReadsTheRecordsARunAtATime)
{
    ViewSet set;
    ASSERT_TRUE(set.Create(head, Path("g"), RandomHistory(game, 60, 5), 1));
    CStat walker;
    CStat single;
    ASSERT_EQ(walker.StatOpen(head, set.PathOf(0), 0), 61);
    ASSERT_EQ(single.StatOpen(head, set.PathOf(0), 0), 61);
    std::vector<StatRecord> alone(61);
    for (int32_t n = 60; n >= 0; --n)
        alone[static_cast<size_t>(n)] = single.LoadRecord(n);
    for (int32_t n = 0; n <= 60; ++n) {
        EXPECT_EQ(walker.LoadRecord(n).Index(), n);
        EXPECT_TRUE(walker.LoadRecord(n) == alone[static_cast<size_t>(n)]) << n;
    }
    for (int32_t n : {59, 3, 4, 40, 12, 13, 14, 60}) {
        EXPECT_TRUE(walker.LoadRecord(n) == alone[static_cast<size_t>(n)]) << n;
    }
}

// A record that cannot be read whole (the file was cut short behind the
// view's back) or that holds other arrays is never half-filled: the reader
// gets the blank record.
TEST_F(StatFileTest, FailedReadGivesTheBlankRecord)
{
    ViewSet set;
    ASSERT_TRUE(set.Create(head, Path("g"), RandomHistory(game, 30, 3), 1));
    CStat view;
    ASSERT_EQ(view.StatOpen(head, set.PathOf(0), 0), 31);
    const int32_t recLen = view.Layout()->RecLen();
    {
        QFile f(set.PathOf(0));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        // Record 3's Data descriptor claims 5 rows.
        ASSERT_TRUE(f.seek(37 + 3 * recLen + 10));
        const int32_t five = 5;
        ASSERT_EQ(f.write(reinterpret_cast<const char*>(&five), 4), 4);
        ASSERT_TRUE(f.resize(37 + 20 * recLen + recLen / 2));
    }
    EXPECT_TRUE(view.LoadRecord(20) == view.BlankRecord());
    EXPECT_TRUE(view.LoadRecord(3) == view.BlankRecord());
    EXPECT_EQ(view.LoadRecord(19).Index(), 19);
}

TEST_F(StatFileTest, CloseEmptiesTheView)
{
    ViewSet set;
    ASSERT_TRUE(set.Create(head, Path("g"), RandomHistory(game, 10, 3), 1));
    CStat& view = *set.Views[0];
    view.LoadRecord(4);
    EXPECT_EQ(view.StatClose(), 0);
    EXPECT_EQ(view.RecordCount(), 0);
    EXPECT_EQ(view.CurrentRecord().Index(), -1);
    EXPECT_EQ(view.LoadRecord(4).Index(), -1);
}

// Opening or creating a view resets its conditions: every slot off and hard,
// the range from 30% to 60% of the definition's bounds rounded half to even,
// and the view tolerance allowing exactly 0.
TEST_F(StatFileTest, ConditionDefaults)
{
    struct Slot {
        int16_t Kind;
        int16_t Low;
        int16_t High;
    };
    CStat view;
    ASSERT_TRUE(view.StatCreate(head, Path("g.0"), 0));
    ASSERT_EQ(view.ConditionCount(), 47);
    for (const Slot& s : {Slot{0, 2, 2},   // 1..3: 1.6 and 2.2
                          Slot{1, 8, 16},  // 0..27: 8.1 and 16.2
                          Slot{2, 30, 60}, // 0..100
                          Slot{4, 16, 32}, // 0..54: 16.2 and 32.4
                          Slot{12, 1, 2},  // 0..3: 0.9 and 1.8
                          Slot{37, 8, 16}, // 0..26: 7.8 and 15.6
                          Slot{43, 3, 5},  // 0..9: 2.7 and 5.4
                          Slot{45, 3, 5}}) {
        EXPECT_EQ(view.ShrinkSel(s.Kind), 0);
        EXPECT_EQ(view.ShrinkErr(s.Kind), 0);
        EXPECT_EQ(view.ShrinkValUbound(s.Kind), 1);
        const ValueSet set = view.ShrinkVal(s.Kind);
        ASSERT_EQ(set.Count(), 1) << s.Kind;
        EXPECT_EQ(set[1].Low, s.Low) << s.Kind;
        EXPECT_EQ(set[1].High, s.High) << s.Kind;
    }
    EXPECT_EQ(RangeToStr(view.ShrinkVal(46)), QStringLiteral("0"));
    EXPECT_EQ(view.ShrinkValUbound(46), 1);
    EXPECT_EQ(view.ShrinkVal(47).Count(), 0);
    EXPECT_EQ(view.ShrinkSel(-1), 0);

    // Halves round to even: with numbers 0..15 and five positions the
    // largest-minus-smallest slot (0..15) starts at 4.5, giving 4, and the
    // counts (0..5) at 1.5, giving 2.
    CLottorHead wide;
    AcceptGame(wide, Game{15, 5, 0, 0, 10});
    CStat other;
    ASSERT_EQ(other.StatOpen(wide, Path("none.0"), 0), 0);
    EXPECT_EQ(other.ShrinkVal(6)[1].Low, 4);
    EXPECT_EQ(other.ShrinkVal(6)[1].High, 9);
    EXPECT_EQ(other.ShrinkVal(12)[1].Low, 2);
    EXPECT_EQ(other.ShrinkVal(12)[1].High, 3);
}

TEST_F(StatFileTest, AStaleMarkIsRefusedUntilRestored)
{
    ViewSet set;
    ASSERT_TRUE(set.Create(head, Path("s"), RandomHistory(game, 40, 3), 1));
    CStat& view = *set.Views[0];
    ASSERT_TRUE(view.MarkStale());
    EXPECT_EQ(view.RecordCount(), 41);  // the open view still serves its records
    CStat reopened;
    EXPECT_EQ(reopened.StatOpen(head, set.PathOf(0), 0), 0);
    ASSERT_TRUE(view.RestoreValid());
    EXPECT_EQ(reopened.StatOpen(head, set.PathOf(0), 0), 41);
}

// Strided reads give the same bytes whether the run fits one piece or spans
// many, from any offset; a run past the end of the file fails.
TEST_F(StatFileTest, StridedReadsTakeTheBytesAtEachStep)
{
    constexpr int64_t kStep = 6040;
    constexpr int64_t kRecords = 200; // about 1.2 MB
    QByteArray bytes(kStep * kRecords, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
    StatFile file;
    ASSERT_TRUE(file.Create(Path("strided")));
    ASSERT_TRUE(file.WriteAt(0, bytes.constData(), bytes.size()));

    struct Case {
        int64_t First;
        int64_t Count;
        int64_t Len;
    };
    for (const Case c : {Case{37, 3, 10}, Case{37, 199, 10}, Case{4099, 150, 6}, Case{0, 200, kStep}}) {
        QByteArray out(c.Count * c.Len, '\x55');
        ASSERT_TRUE(file.ReadStrided(c.First, kStep, c.Count, c.Len, out.data())) << c.First << " " << c.Count;
        QByteArray expected;
        for (int64_t k = 0; k < c.Count; ++k)
            expected += bytes.mid(c.First + k * kStep, c.Len);
        EXPECT_EQ(out, expected) << c.First << " " << c.Count;
    }
    QByteArray out(200 * 10, '\0');
    EXPECT_FALSE(file.ReadStrided(kStep, kStep, 200, 10, out.data()));
    EXPECT_FALSE(file.ReadStrided(kStep * 190, kStep, 11, 10, out.data()));
}

// Appends of record-sized pieces past the small first buffer and past the
// full one, with a read between them (which flushes), land where they were
// meant to, byte for byte.
TEST_F(StatFileTest, AppendsAcrossTheBufferSizesLandInPlace)
{
    constexpr int64_t kPiece = 6040;
    constexpr int64_t kPieces = 400; // about 2.3 MB
    constexpr int64_t kFrom = 37;
    QByteArray bytes(kPiece * kPieces, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 13 + i / 509) & 0xff);
    StatFile file;
    ASSERT_TRUE(file.Create(Path("appended")));
    ASSERT_TRUE(file.Seek(kFrom));
    char probe = 0;
    for (int64_t k = 0; k < kPieces; ++k) {
        ASSERT_TRUE(file.Append(bytes.constData() + k * kPiece, kPiece)) << k;
        if (k == 5) {
            ASSERT_TRUE(file.ReadAt(kFrom, &probe, 1));
        }
    }
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(probe, bytes[0]);
    ASSERT_EQ(file.Size(), kFrom + bytes.size());
    QByteArray back(bytes.size(), '\0');
    ASSERT_TRUE(file.ReadAt(kFrom, back.data(), back.size()));
    EXPECT_TRUE(back == bytes);
}

} // namespace
} // namespace kelton::test
