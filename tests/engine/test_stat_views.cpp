// Building the views on worker threads gives what building them in turn
// gives: the same files, caches and number tables, the same progress calls,
// all made on the calling thread.

#include <thread>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/first_start.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "engine/stat_views.h"
#include "stat_reference.h"
#include "stat_test_views.h"

namespace kelton::test {
namespace {

constexpr int kInTurn = 1;
constexpr int kParallel = 8;

// The sample history shipped with the program, positions by place (1 = units).
History RealHistory()
{
    std::vector<Draw> draws;
    EXPECT_TRUE(ReadSampleHistory(QStringLiteral(KELTON_SAMPLE_HISTORY), 3, draws));
    History h;
    for (const Draw& d : draws) {
        h.Issues.push_back(d.Issue);
        h.Draws.push_back({0, d.Num[3], d.Num[2], d.Num[1]});
    }
    return h;
}

// Every file byte for byte, the numbers caches and the number tables.
void ExpectSameViews(const ViewSet& a, const ViewSet& b, int count)
{
    for (int v = 0; v < count; ++v) {
        CStat& x = *a.Views[static_cast<size_t>(v)];
        CStat& y = *b.Views[static_cast<size_t>(v)];
        EXPECT_TRUE(FileBytes(a.PathOf(v)) == FileBytes(b.PathOf(v))) << "view " << v;
        ASSERT_EQ(x.RecordCount(), y.RecordCount()) << "view " << v;
        ASSERT_EQ(x.CacheStart(), y.CacheStart()) << "view " << v;
        for (int32_t i = x.CacheStart(); i < x.RecordCount(); ++i) {
            for (int p = 0; p <= x.Layout()->BM(); ++p)
                ASSERT_EQ(x.CachedNum(i)[p], y.CachedNum(i)[p]) << "view " << v << " record " << i;
        }
        EXPECT_EQ(x.NumTable(), y.NumTable()) << "view " << v;
    }
}

struct ParallelCase {
    const char* Name;
    Game Shape;
    int Draws;    // 0: the real history
    int Appended; // draws added by the update
    int Changed;  // the update's first changed draw, counted back from the end
};

class ParallelBuild : public ::testing::TestWithParam<ParallelCase> {};

// A full build, then an update that rewrites the last draws and adds more,
// in turn and on workers.
TEST_P(ParallelBuild, SameViewsAsInTurn)
{
    const ParallelCase& c = GetParam();
    QTemporaryDir dir;
    CLottorHead head;
    AcceptGame(head, c.Shape);
    const History later = c.Draws == 0 ? RealHistory() : RandomHistory(c.Shape, c.Draws + c.Appended, 41);
    History first = later;
    first.Issues.resize(later.Issues.size() - static_cast<size_t>(c.Appended));
    first.Draws.resize(first.Issues.size());
    const int32_t start = first.Count() - c.Changed;
    for (int d = start; d < first.Count(); ++d)
        first.Draws[static_cast<size_t>(d)][1] = static_cast<int16_t>((first.Draws[static_cast<size_t>(d)][1] + 1) %
                                                                      c.Shape.N());

    ViewSet inTurn;
    ViewSet parallel;
    ASSERT_TRUE(inTurn.Create(head, dir.filePath(QStringLiteral("turn")), first, 8, kInTurn));
    ASSERT_TRUE(parallel.Create(head, dir.filePath(QStringLiteral("parallel")), first, 8, kParallel));
    ExpectSameViews(inTurn, parallel, 8);

    ASSERT_TRUE(inTurn.Update(later, start, 8, kInTurn));
    ASSERT_TRUE(parallel.Update(later, start, 8, kParallel));
    ExpectSameViews(inTurn, parallel, 8);
}

INSTANTIATE_TEST_SUITE_P(
    Histories, ParallelBuild,
    ::testing::Values(ParallelCase{"RealHistory", Game{9, 3, 0, 0, 10}, 0, 300, 2},
                      ParallelCase{"ThreeDigits", Game{9, 3, 0, 0, 10}, 700, 400, 150},
                      ParallelCase{"CustomPeriod7", Game{9, 3, 0, 0, 7}, 600, 20, 350},
                      ParallelCase{"FourMainOneSecondary", Game{11, 4, 5, 1, 10}, 500, 300, 1}),
    [](const ::testing::TestParamInfo<ParallelCase>& info) { return std::string(info.param.Name); });

using ProgressLog = ProgressFixture;

// The calling thread shows each view's progress in turn, one step and one
// pass through the event loop per record, as building in turn does; the
// windows it repaints may read every view meanwhile.
TEST_F(ProgressLog, WorkersReportAsBuildingInTurn)
{
    QTemporaryDir dir;
    CLottorHead head;
    const Game g;
    AcceptGame(head, g);
    const History h = RandomHistory(g, 500, 17);

    struct Seen {
        QStringList Texts;
        std::vector<int32_t> Values;
        int Shown = 0;
        int Hidden = 0;
        int Pumps = 0;
    };
    std::array<Seen, 2> seen;
    std::array<ViewSet, 2> sets;
    const std::thread::id caller = std::this_thread::get_id();
    for (int run = 0; run < 2; ++run) {
        ViewSet& set = sets[static_cast<size_t>(run)];
        ASSERT_TRUE(set.Create(head, dir.filePath(QStringLiteral("g%1").arg(run)), History(), 8, kInTurn));
        display = HeadlessMsgDisplay();
        display.OnPump = [&](int pass) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            for (int v = 0; v < 8; ++v)
                set.Views[static_cast<size_t>(v)]->LoadRecord(pass % 400);
        };
        ASSERT_TRUE(set.Update(h, 0, 8, run == 0 ? kInTurn : kParallel));
        display.OnPump = nullptr;
        seen[static_cast<size_t>(run)] = {display.StatusTexts, display.Values, display.ShowCount,
                                          display.HideCount, display.PumpCount};
        EXPECT_FALSE(head.msg.IsBusy());
        EXPECT_FALSE(head.msg.PrgVisible());
    }
    EXPECT_EQ(seen[0].Texts, seen[1].Texts);
    EXPECT_EQ(seen[0].Values, seen[1].Values);
    EXPECT_EQ(seen[1].Shown, 8);
    EXPECT_EQ(seen[1].Hidden, 8);
    EXPECT_EQ(seen[1].Pumps, 8 * 502);
    EXPECT_EQ(seen[0].Pumps, seen[1].Pumps);
    ExpectSameViews(sets[0], sets[1], 8);
}

// When a view fails (a count outgrows 16 bits), the build stops: the
// progress bracket is closed, and every view that did not complete is
// empty and its file refused, so that the next open rebuilds it.
TEST_F(ProgressLog, AFailureStopsEveryUnfinishedView)
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
    ViewSet set;
    EXPECT_FALSE(set.Create(head, dir.filePath(QStringLiteral("g")), h, 8, kParallel));
    EXPECT_FALSE(head.msg.PrgVisible());
    EXPECT_FALSE(head.msg.IsBusy());
    EXPECT_EQ(display.ShowCount, display.HideCount);
    for (int v = 0; v < 8; ++v) {
        CStat& view = *set.Views[static_cast<size_t>(v)];
        EXPECT_EQ(view.RecordCount(), 0) << "view " << v;
        CStat reopened;
        EXPECT_EQ(reopened.StatOpen(head, set.PathOf(v), static_cast<int16_t>(v)), 0) << "view " << v;
    }
}

} // namespace
} // namespace kelton::test
