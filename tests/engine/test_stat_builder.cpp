#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "engine/stat_views.h"
#include "stat_reference.h"
#include "stat_test_views.h"

namespace kelton::test {
namespace {

class BuilderAgainstModel : public ::testing::TestWithParam<ShapeCase> {};

// Every field of every record of all eight views, against the direct model,
// on histories long enough to cross the 20/50/100 windows and the 301-record
// numbers cache.
TEST_P(BuilderAgainstModel, EveryFieldOfEveryView)
{
    const ShapeCase& c = GetParam();
    const History h = RandomHistory(c.Shape, c.Draws, c.Seed);
    BuiltViews built;
    ASSERT_TRUE(built.Build(c.Shape, h, 8, "lottor1000"));
    ViewSet& set = built.Set;
    const std::vector<RefView> model = ReferenceViews(c.Shape, h);

    for (int v = 0; v < 8; ++v) {
        CStat& view = *set.Views[static_cast<size_t>(v)];
        ASSERT_EQ(view.RecordCount(), c.Draws + 1);
        EXPECT_EQ(view.Header().Count, c.Draws + 1);
        EXPECT_EQ(view.CacheStart(), std::max(0, c.Draws + 1 - 301));
        for (int i = 0; i <= c.Draws; ++i) {
            const StatRecord& rec = view.LoadRecord(i);
            const std::string diff = CompareRecord(c.Shape, model[static_cast<size_t>(v)].Records[i], rec);
            ASSERT_TRUE(diff.empty()) << "view " << v << ": " << diff;
            if (const int16_t* cached = view.CachedNum(i)) {
                for (int p = 0; p <= c.Shape.BM(); ++p)
                    ASSERT_EQ(cached[p], rec.Num(p)) << "view " << v << " cache of record " << i;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, BuilderAgainstModel,
                         ::testing::Values(ShapeCase{"ThreeDigits", Game{9, 3, 0, 0, 10}, 350, 7},
                                           ShapeCase{"CustomPeriod7", Game{9, 3, 0, 0, 7}, 330, 11},
                                           ShapeCase{"FourMainOneSecondary", Game{11, 4, 5, 1, 10}, 320, 3},
                                           // More values than the rankings count side by side.
                                           ShapeCase{"TwentyOneValues", Game{20, 3, 0, 0, 10}, 320, 5}),
                         ShapeCaseName);

// Views 1..7 are keyed by view 0's all-position statistics, which StatArray
// reads back from view 0's file: its rows are the keys stored in each view.
TEST(StatArray, ReadsTheKeysOfTheTransformedViews)
{
    QTemporaryDir dir;
    CLottorHead head;
    const Game g;
    AcceptGame(head, g);
    const History h = RandomHistory(g, 140, 5);
    ViewSet set;
    ASSERT_TRUE(set.Create(head, dir.filePath(QStringLiteral("g")), h));
    CStat& view0 = *set.Views[0];
    for (int v = 1; v < 8; ++v) {
        for (int32_t start : {0, 60, 140}) {
            std::vector<int16_t> rows;
            EXPECT_EQ(view0.StatArray(ViewStatKind(static_cast<int16_t>(v)), start, rows), 0);
            ASSERT_EQ(rows.size(), static_cast<size_t>((141 - start) * g.N()));
            for (int r = 0; r < 141 - start; ++r) {
                const StatRecord& rec = set.Views[static_cast<size_t>(v)]->LoadRecord(start + r);
                int16_t least = 32767;
                for (int x = 0; x < g.N(); ++x) {
                    EXPECT_EQ(rows[static_cast<size_t>(r * g.N() + x)], rec.Data(3, x));
                    least = std::min(least, rows[static_cast<size_t>(r * g.N() + x)]);
                }
                EXPECT_EQ(least, 0);
            }
        }
    }
    // Outside the records, or for an unknown kind, the caller's array stays.
    std::vector<int16_t> rows = {1, 2, 3};
    for (auto [kind, start] : {std::pair{1, 141}, std::pair{1, -1}, std::pair{10, 0}, std::pair{-1, 0}}) {
        view0.StatArray(static_cast<int16_t>(kind), start, rows);
        EXPECT_EQ(rows, (std::vector<int16_t>{1, 2, 3}));
    }
}

// Counts above 1000 still give rows whose smallest key is 0.
TEST(StatArray, RowsStartAtZeroForLargeCounts)
{
    QTemporaryDir dir;
    CLottorHead head;
    const Game g{3, 3, 0, 0, 10};
    AcceptGame(head, g);
    History h = RandomHistory(g, 1500, 1);
    ViewSet set;
    ASSERT_TRUE(set.Create(head, dir.filePath(QStringLiteral("g")), h, 1));
    std::vector<int16_t> rows;
    set.Views[0]->StatArray(StatKind::Count, 1500, rows);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(*std::min_element(rows.begin(), rows.end()), 0);
    EXPECT_GT(set.Views[0]->LoadRecord(1500).StatAll(StatKind::Count, 0, 0), 1000);
}

struct IncrementalCase {
    int Before;  // draws built first
    int After;   // draws of the final history
    int Changed; // first draw that differs from the earlier history (Before when only appended)
};

class Incremental : public ::testing::TestWithParam<IncrementalCase> {};

// Building the earlier history and then bringing the views up to date from
// the first changed draw gives the same files, byte for byte, as building
// the final history at once; so do the numbers caches.
TEST_P(Incremental, EqualsFullBuildByteForByte)
{
    const IncrementalCase& c = GetParam();
    QTemporaryDir dir;
    CLottorHead head;
    const Game g;
    AcceptGame(head, g);
    const History finalHistory = RandomHistory(g, c.After, 21);
    History earlier = RandomHistory(g, std::max(c.Before, c.After), 21);
    earlier.Issues.resize(static_cast<size_t>(c.Before));
    earlier.Draws.resize(static_cast<size_t>(c.Before));
    for (int d = c.Changed; d < c.Before; ++d)
        earlier.Draws[static_cast<size_t>(d)][1] =
            static_cast<int16_t>((earlier.Draws[static_cast<size_t>(d)][1] + 1) % 10);

    ViewSet full;
    ASSERT_TRUE(full.Create(head, dir.filePath(QStringLiteral("full")), finalHistory));
    ViewSet step;
    ASSERT_TRUE(step.Create(head, dir.filePath(QStringLiteral("step")), earlier));
    ASSERT_TRUE(step.Update(finalHistory, c.Changed));

    for (int v = 0; v < 8; ++v) {
        const QByteArray a = FileBytes(full.PathOf(v));
        const QByteArray b = FileBytes(step.PathOf(v));
        ASSERT_EQ(a.size(), b.size()) << "view " << v;
        EXPECT_TRUE(a == b) << "view " << v;
        CStat& fv = *full.Views[static_cast<size_t>(v)];
        CStat& sv = *step.Views[static_cast<size_t>(v)];
        EXPECT_EQ(sv.RecordCount(), c.After + 1);
        EXPECT_EQ(sv.CacheStart(), fv.CacheStart());
        for (int i = fv.CacheStart(); i <= c.After; ++i) {
            ASSERT_NE(sv.CachedNum(i), nullptr);
            for (int p = 0; p <= 3; ++p)
                EXPECT_EQ(sv.CachedNum(i)[p], fv.CachedNum(i)[p]) << "view " << v << " record " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Histories, Incremental,
                         ::testing::Values(IncrementalCase{349, 350, 349}, // one draw added
                                           IncrementalCase{347, 350, 346}, // last draw rewritten, three added
                                           IncrementalCase{250, 253, 250}, // cache partly from the file
                                           IncrementalCase{30, 350, 30},   // most of the history added
                                           IncrementalCase{0, 120, 0},     // from the empty history
                                           IncrementalCase{350, 350, 120}, // a draw in the middle changed
                                           IncrementalCase{350, 200, 190}, // draws removed: the file shrinks
                                           IncrementalCase{400, 0, 0}));   // every draw removed

TEST(StatEdit, EmptyHistoryHoldsOnlyTheNextIssue)
{
    QTemporaryDir dir;
    CLottorHead head;
    const Game g;
    AcceptGame(head, g);
    ViewSet set;
    ASSERT_TRUE(set.Create(head, dir.filePath(QStringLiteral("g")), History{}));
    for (int v = 0; v < 8; ++v) {
        CStat& view = *set.Views[static_cast<size_t>(v)];
        EXPECT_EQ(view.RecordCount(), 1);
        EXPECT_EQ(view.Header().Count, 1);
        const StatRecord& rec = view.LoadRecord(0);
        EXPECT_EQ(rec.Index(), 0);
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(rec.Data(0, x), x);
            EXPECT_EQ(rec.Data(2, x), x);
            for (int k = 0; k < 10; ++k) {
                EXPECT_EQ(rec.Stat(1, k, 0, x), 0);
                EXPECT_EQ(rec.Stat(1, k, 1, x), x);
                EXPECT_EQ(rec.StatAll(k, 2, x), x);
            }
        }
        for (int p = 0; p <= 3; ++p) {
            EXPECT_EQ(rec.Num(p), 0);
            EXPECT_EQ(rec.Sorted(p), 0);
        }
    }
}

// Record 1 after one draw 4-5-5 (units 5, tens 5, hundreds 4).
TEST(StatEdit, RecordAfterTheFirstDraw)
{
    History h;
    h.Issues = {2024001};
    h.Draws = {{0, 5, 5, 4}};
    BuiltViews built;
    ASSERT_TRUE(built.Build(Game{}, h));
    const StatRecord& rec = built.Set.Views[0]->LoadRecord(1);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(rec.Stat(1, StatKind::Miss, 0, x), x == 5 ? 0 : 1);
        EXPECT_EQ(rec.Stat(1, StatKind::MaxMiss, 0, x), x == 5 ? 0 : 1);
        for (int k = StatKind::Count; k <= StatKind::CountCustom; ++k)
            EXPECT_EQ(rec.Stat(1, k, 0, x), x == 5 ? 1 : 0);
        EXPECT_EQ(rec.Stat(1, StatKind::Interval, 0, x), 0);
        EXPECT_EQ(rec.Stat(1, StatKind::MaxInterval, 0, x), 0);
        EXPECT_EQ(rec.Stat(1, StatKind::Trans, 0, x), 0);
        // Equal counts rank by value; the drawn 5 ranks last.
        EXPECT_EQ(rec.Stat(1, StatKind::Count, 1, x), x == 5 ? 9 : (x < 5 ? x : x - 1));
        // The repeated 5 counts twice over all positions; its miss is 0 once.
        EXPECT_EQ(rec.StatAll(StatKind::Count, 0, x), x == 5 ? 2 : (x == 4 ? 1 : 0));
        EXPECT_EQ(rec.StatAll(StatKind::Miss, 0, x), x == 5 || x == 4 ? 0 : 1);
    }
    EXPECT_EQ(rec.Stat(1, StatKind::Count, 2, 9), 5);
    // In view 4 (count over all draws) record 1's next issue ranks 5 last,
    // 4 just below it, and the never-drawn values first in value order.
    const StatRecord& next = built.Set.Views[4]->LoadRecord(1);
    EXPECT_EQ(next.Data(2, 5), 9);
    EXPECT_EQ(next.Data(2, 4), 8);
    EXPECT_EQ(next.Data(2, 0), 0);
    EXPECT_EQ(next.Data(2, 9), 7);
}

// In view 4 a drawn value whose count so far was below every other value's
// is stored as 0.
TEST(StatEdit, LeastDrawnValueIsZeroInViewFour)
{
    History h;
    for (int d = 0; d < 10; ++d) {
        h.Issues.push_back(d + 1);
        const int16_t x = static_cast<int16_t>(d == 9 ? 0 : 1 + d % 9);
        h.Draws.push_back({0, static_cast<int16_t>(1 + d % 9), static_cast<int16_t>(1 + (d + 3) % 9), x});
    }
    BuiltViews built;
    ASSERT_TRUE(built.Build(Game{}, h));
    const ViewSet& set = built.Set;
    // Value 0 was never drawn before draw 9, every other value was.
    EXPECT_EQ(set.Views[0]->LoadRecord(9).Num(3), 0);
    EXPECT_EQ(set.Views[4]->LoadRecord(9).Num(3), 0);
    EXPECT_EQ(set.Views[4]->LoadRecord(9).Data(2, 0), 0);
}

using StatEditProgress = ProgressFixture;

TEST_F(StatEditProgress, OneStepPerRecordUnderTheViewName)
{
    QTemporaryDir dir;
    CLottorHead head;
    const Game g;
    AcceptGame(head, g);
    const History h = RandomHistory(g, 12, 2);
    ViewSet set;
    ASSERT_TRUE(set.Create(head, dir.filePath(QStringLiteral("g")), h, 2));
    EXPECT_TRUE(display.StatusTexts.contains(QStringLiteral("统计原始数据")));
    EXPECT_TRUE(display.StatusTexts.contains(QStringLiteral("统计转换数据一")));
    EXPECT_EQ(display.ShownMax, 13);
    EXPECT_EQ(display.ShownMin, 0);
    EXPECT_FALSE(display.ShownCanClick);
    EXPECT_EQ(display.ShowCount, 2);
    EXPECT_EQ(display.HideCount, 2);
    std::vector<int32_t> steps;
    for (int view = 0; view < 2; ++view)
        for (int j = 0; j < 13; ++j)
            steps.push_back(j);
    EXPECT_EQ(display.Values, steps);
    // One pass before the first record and one after each record.
    EXPECT_EQ(display.PumpCount, 2 * 14);
    EXPECT_FALSE(head.msg.IsBusy());
    EXPECT_FALSE(head.msg.PrgVisible());
}

// Windows that repaint during the pass through the event loop may read the
// view that is being written; the records still land where they belong.
TEST_F(StatEditProgress, ReadsDuringTheBuildDoNotDisturbIt)
{
    QTemporaryDir dir;
    CLottorHead head;
    const Game g;
    AcceptGame(head, g);
    const History h = RandomHistory(g, 400, 12);
    ViewSet quiet;
    ASSERT_TRUE(quiet.Create(head, dir.filePath(QStringLiteral("quiet")), h, 2));

    ViewSet busy;
    std::vector<CStat*> reading;
    display.OnPump = [&](int pass) {
        for (CStat* view : reading)
            view->LoadRecord(pass % 7);
    };
    for (int v = 0; v < 2; ++v) {
        busy.Views[static_cast<size_t>(v)] = std::make_unique<CStat>();
        const QString path = dir.filePath(QStringLiteral("busy.%1").arg(v));
        ASSERT_TRUE(busy.Views[static_cast<size_t>(v)]->StatCreate(head, path, static_cast<int16_t>(v)));
        reading.push_back(busy.Views[static_cast<size_t>(v)].get());
    }
    busy.Base = dir.filePath(QStringLiteral("busy"));
    ASSERT_TRUE(busy.Update(h, 0, 2));
    for (int v = 0; v < 2; ++v)
        EXPECT_TRUE(FileBytes(quiet.PathOf(v)) == FileBytes(busy.PathOf(v))) << "view " << v;
}

// A record read while the build is still on its way to it holds the old
// contents; once the build is done the view serves the new record, and a
// record the shorter history no longer has reads as the blank record.
TEST_F(StatEditProgress, RecordReadDuringTheBuildIsNotServedAfterIt)
{
    QTemporaryDir dir;
    CLottorHead head;
    const Game g;
    AcceptGame(head, g);
    const History before = RandomHistory(g, 350, 31);
    History changed = before;
    for (int d = 120; d < 350; ++d)
        changed.Draws[static_cast<size_t>(d)][1] =
            static_cast<int16_t>((changed.Draws[static_cast<size_t>(d)][1] + 1) % 10);
    History shorter = before;
    shorter.Issues.resize(200);
    shorter.Draws.resize(200);

    struct Case {
        const History* After;
        int32_t Read;
    };
    for (const Case& c : {Case{&changed, 300}, Case{&shorter, 300}}) {
        ViewSet full;
        ASSERT_TRUE(full.Create(head, dir.filePath(QStringLiteral("full")), *c.After, 1));
        ViewSet step;
        ASSERT_TRUE(step.Create(head, dir.filePath(QStringLiteral("step")), before, 1));
        CStat& view = *step.Views[0];
        int passes = 0;
        display.OnPump = [&](int) {
            // The first record of the update is out, record c.Read is not;
            // read walking forward, so the records after it are read too.
            if (++passes == 2) {
                view.LoadRecord(c.Read - 1);
                view.LoadRecord(c.Read);
            }
        };
        ASSERT_TRUE(step.Update(*c.After, 120, 1));
        display.OnPump = nullptr;
        EXPECT_TRUE(view.LoadRecord(c.Read) == full.Views[0]->LoadRecord(c.Read));
        EXPECT_TRUE(view.LoadRecord(c.Read + 1) == full.Views[0]->LoadRecord(c.Read + 1));
    }
}

// A build that fails part-way (here a count outgrows 16 bits: 4000 draws of
// 0-0-0 in a game of numbers 0..3 add nine transitions 0->0 per draw) closes
// the progress bracket, reports the failure and leaves a file that the next
// open refuses, so that it is rebuilt.
TEST_F(StatEditProgress, FailureClosesProgressAndInvalidatesTheFile)
{
    QTemporaryDir dir;
    CLottorHead head;
    const Game g{3, 3, 0, 0, 10};
    AcceptGame(head, g);
    History h;
    for (int d = 0; d < 4000; ++d) {
        h.Issues.push_back(d + 1);
        h.Draws.push_back({0, 0, 0, 0});
    }
    History small = h;
    small.Issues.resize(20);
    small.Draws.resize(20);
    ViewSet set;
    ASSERT_TRUE(set.Create(head, dir.filePath(QStringLiteral("g")), small, 1));
    ASSERT_EQ(set.Views[0]->Header().Count, 21);

    EXPECT_FALSE(set.Update(h, 19, 1));
    EXPECT_FALSE(head.msg.PrgVisible());
    EXPECT_FALSE(head.msg.IsBusy());
    EXPECT_EQ(display.ShowCount, display.HideCount);
    EXPECT_EQ(set.Views[0]->RecordCount(), 0);
    EXPECT_EQ(set.Views[0]->LoadRecord(3).Index(), -1);

    CStat reopened;
    EXPECT_EQ(reopened.StatOpen(head, set.PathOf(0), 0), 0);
}

// An update that cannot read the records it builds on (one was damaged
// behind the view's back) fails and leaves the file refused as well.
TEST_F(StatEditProgress, DamagedEarlierRecordFailsTheUpdate)
{
    QTemporaryDir dir;
    CLottorHead head;
    const Game g;
    AcceptGame(head, g);
    const History h = RandomHistory(g, 30, 8);
    ViewSet set;
    ASSERT_TRUE(set.Create(head, dir.filePath(QStringLiteral("g")), h, 1));
    {
        QFile f(set.PathOf(0));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(37 + 28 * set.Views[0]->Layout()->RecLen() + 10)); // record 28's Data rows
        const int32_t five = 5;
        ASSERT_EQ(f.write(reinterpret_cast<const char*>(&five), 4), 4);
    }
    EXPECT_FALSE(set.Update(h, 29, 1));
    EXPECT_FALSE(head.msg.PrgVisible());
    CStat reopened;
    EXPECT_EQ(reopened.StatOpen(head, set.PathOf(0), 0), 0);
}

// Input the builder cannot use is refused before the file is touched and
// without a progress bracket.
TEST_F(StatEditProgress, BadInputIsRefusedBeforeWriting)
{
    QTemporaryDir dir;
    CLottorHead head;
    const Game g;
    AcceptGame(head, g);
    const History h = RandomHistory(g, 30, 4);
    ViewSet set;
    ASSERT_TRUE(set.Create(head, dir.filePath(QStringLiteral("g")), h, 1));
    const QByteArray before = FileBytes(set.PathOf(0));
    const int shown = display.ShowCount;
    CStat& view = *set.Views[0];

    const std::vector<int32_t> names = {31, 0};
    const std::vector<int16_t> keys;
    struct Bad {
        std::vector<int16_t> Draw;
        int32_t Start;
    };
    for (const Bad& bad : {Bad{{0, 10, 1, 2}, 30}, // a number above BcDataLen
                           Bad{{0, 1, -1, 2}, 30}, // a negative number
                           Bad{{0, 1, 1, 2}, 32},  // beyond the records the file holds
                           Bad{{0, 1, 1, 2}, 31},  // after the next-issue record
                           Bad{{0, 1, 1, 2}, -1}}) {
        EXPECT_TRUE(view.StatEdit(names, bad.Draw, keys, 2, bad.Start));
        EXPECT_EQ(view.RecordCount(), 31);
    }
    const std::vector<int16_t> none;
    const std::vector<int16_t> draw = {0, 1, 1, 2};
    EXPECT_TRUE(view.StatEdit(names, none, keys, 2, 30)); // too few numbers
    EXPECT_TRUE(view.StatEdit(names, draw, keys, 0, 30)); // no record
    EXPECT_TRUE(FileBytes(set.PathOf(0)) == before);
    EXPECT_EQ(display.ShowCount, shown);
}

} // namespace
} // namespace kelton::test
