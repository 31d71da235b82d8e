#include "core/bet_list.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "filter/bet_commands.h"
#include "core/msg_service.h"
#include "platform/services.h"
#include "support/test_support.h"

namespace kelton {
namespace {

// The step model's invariant, counted afresh from the bets.
::testing::AssertionResult Consistent(const BetList& l)
{
    if (l.BetCount() == 0) {
        if (l.BetStep() != 0 || l.BetLastStep() != 0)
            return ::testing::AssertionFailure() << "empty list at step " << l.BetStep();
        return ::testing::AssertionSuccess();
    }
    if (l.BetStep() < 1 || l.BetStep() > l.BetLastStep() + 1)
        return ::testing::AssertionFailure()
               << "BetStep " << l.BetStep() << ", BetLastStep " << l.BetLastStep();
    std::vector<int32_t> counts(static_cast<size_t>(l.BetLastStep()) + 1, 0);
    int32_t live = 0;
    for (int32_t i = 0; i < l.BetCount(); ++i) {
        const int16_t level = l.Level(i);
        if (level < 0 || level > l.BetLastStep())
            return ::testing::AssertionFailure() << "bet " << i << " at level " << level;
        ++counts[static_cast<size_t>(level)];
        live += l.IsLive(i) ? 1 : 0;
    }
    for (int16_t k = 1; k <= l.BetLastStep(); ++k)
        if (l.BetStepCount(k) != counts[static_cast<size_t>(k)])
            return ::testing::AssertionFailure() << "step " << k << " counts " << l.BetStepCount(k)
                                                 << ", bets " << counts[static_cast<size_t>(k)];
    if (live != l.LiveCount())
        return ::testing::AssertionFailure() << "live " << live << ", counted " << l.LiveCount();
    return ::testing::AssertionSuccess();
}

// n bets with distinct digits: bet i holds i as hundreds, tens, units.
BetList ListOf(int32_t n)
{
    BetList l(3);
    std::vector<int16_t> d;
    for (int32_t i = 0; i < n; ++i)
        d.insert(d.end(), {0, static_cast<int16_t>(i % 10), static_cast<int16_t>(i / 10 % 10),
                           static_cast<int16_t>(i / 100)});
    l.AssignBets(std::move(d));
    return l;
}

int32_t Number(const BetList& l, int32_t i)
{
    const auto d = l.Digits(i);
    return d[3] * 100 + d[2] * 10 + d[1];
}

struct Expect {
    int16_t Step, Last;
    int32_t Live, Recoverable;
    bool Undo, Redo;
};

struct Op {
    const char* What;
    std::function<void(BetList&)> Run;
    Expect After;
};

struct Scenario {
    const char* Name;
    int32_t Bets;
    std::vector<Op> Ops;
};

class BetListSteps : public test::HeadlessMsgTest {};

CMsg g_msg;

RemovalOutcome Del(BetList& l, int32_t a, int32_t b)
{
    return DelResultSel(l, a, b, g_msg, {});
}

TEST_F(BetListSteps, ScenariosKeepTheInvariant)
{
    auto undo = [](BetList& l) { l.Undo(); };
    auto redo = [](BetList& l) { l.Redo(); };
    auto compact = [](BetList& l) { l.Compact(); };
    auto delAll = [](BetList& l) { DelResultAll(l, g_msg); };
    const std::vector<int16_t> bet{0, 1, 2, 3};
    const std::vector<Scenario> scenarios = {
        {"one step then undo",
         10,
         {{"delete 2..4", [](BetList& l) { Del(l, 2, 4); }, {2, 1, 7, 3, true, false}},
          {"undo", undo, {1, 1, 10, 0, false, true}},
          {"redo", redo, {2, 1, 7, 3, true, false}}}},
        {"redo with nothing undone",
         10,
         {{"delete 0", [](BetList& l) { Del(l, 0, 0); }, {2, 1, 9, 1, true, false}},
          {"redo", redo, {2, 1, 9, 1, true, false}}}},
        {"undo at the first step", 10, {{"undo", undo, {1, 0, 10, 0, false, false}}}},
        {"undo twice then delete selected",
         10,
         {{"delete 0..1", [](BetList& l) { Del(l, 1, 0); }, {2, 1, 8, 2, true, false}},
          {"delete 2..3", [](BetList& l) { Del(l, 2, 3); }, {3, 2, 6, 4, true, false}},
          {"undo", undo, {2, 2, 8, 2, true, true}},
          {"undo", undo, {1, 2, 10, 0, false, true}},
          // The undone steps go; the selection is the new step 1.
          {"delete 5..6", [](BetList& l) { Del(l, 6, 5); }, {2, 1, 8, 2, true, false}},
          {"redo", redo, {2, 1, 8, 2, true, false}}}},
        {"a step that marks nothing after undo",
         10,
         {{"delete 0..1", [](BetList& l) { Del(l, 0, 1); }, {2, 1, 8, 2, true, false}},
          {"undo", undo, {1, 1, 10, 0, false, true}},
          // Bets 0 and 1 are live again; a step marking nothing still ends
          // the redo history, so no redo counts live bets as removed.
          {"delete nothing", [](BetList& l) { Del(l, 20, 30); }, {1, 0, 10, 0, false, false}}}},
        {"compact after undo",
         10,
         {{"delete 0..2", [](BetList& l) { Del(l, 0, 2); }, {2, 1, 7, 3, true, false}},
          {"delete 3..4", [](BetList& l) { Del(l, 3, 4); }, {3, 2, 5, 5, true, false}},
          {"undo", undo, {2, 2, 7, 3, true, true}},
          {"compact", compact, {1, 0, 7, 0, false, false}}}},
        {"compact with nothing live then add",
         5,
         {{"delete all", delAll, {2, 1, 0, 5, true, false}},
          {"delete all again", delAll, {2, 1, 0, 5, true, false}},
          {"compact", compact, {0, 0, 0, 0, false, false}},
          {"add", [&bet](BetList& l) { l.AddBet(bet); }, {1, 0, 1, 0, false, false}},
          {"delete all", delAll, {2, 1, 0, 1, true, false}}}},
        {"add to a fresh list",
         0,
         {{"add", [&bet](BetList& l) { l.AddBet(bet); }, {1, 0, 1, 0, false, false}},
          {"add", [&bet](BetList& l) { l.AddBet(bet); }, {1, 0, 2, 0, false, false}},
          {"delete 1", [](BetList& l) { Del(l, 1, 1); }, {2, 1, 1, 1, true, false}}}},
        {"add after a step stays through undo and redo",
         4,
         {{"delete 0", [](BetList& l) { Del(l, 0, 0); }, {2, 1, 3, 1, true, false}},
          {"add", [&bet](BetList& l) { l.AddBet(bet); }, {2, 1, 4, 1, true, false}},
          {"undo", undo, {1, 1, 5, 0, false, true}},
          {"redo", redo, {2, 1, 4, 1, true, false}}}},
        {"a stop at 10 of 25",
         25,
         {{"delete 20..24", [](BetList& l) { Del(l, 20, 24); }, {2, 1, 20, 5, true, false}},
          {"undo", undo, {1, 1, 25, 0, false, true}},
          // Every even bet fails; the stop is confirmed at position 10.
          {"stopped walk",
           [](BetList& l) {
               HeadlessMsgDisplay display;
               display.OnPump = [](int pass) {
                   if (pass == 2)
                       MsgProgressClicked();
               };
               const RemovalOutcome out = [&] {
                   const ScopedService<IMsgDisplay> shown(&display);
                   return RunRemoval(
                       l, g_msg, [](const QString&) { return true; }, QStringLiteral("正在进行过滤"), 10,
                       [](int32_t i) { return i % 2 == 0; });
               }();
               EXPECT_TRUE(out.Stopped);
               EXPECT_EQ(out.Marked, 5);
               EXPECT_EQ(display.Values, std::vector<int32_t>({0, 10}));
           },
           {2, 1, 20, 5, true, false}}}},
    };
    for (const Scenario& s : scenarios) {
        BetList l = ListOf(s.Bets);
        if (s.Bets == 0)
            l.Reset(3);
        ASSERT_TRUE(Consistent(l)) << s.Name;
        for (const Op& op : s.Ops) {
            op.Run(l);
            const std::string where = std::string(s.Name) + ": " + op.What;
            EXPECT_TRUE(Consistent(l)) << where;
            EXPECT_EQ(l.BetStep(), op.After.Step) << where;
            EXPECT_EQ(l.BetLastStep(), op.After.Last) << where;
            EXPECT_EQ(l.LiveCount(), op.After.Live) << where;
            EXPECT_EQ(l.Recoverable(), op.After.Recoverable) << where;
            EXPECT_EQ(l.CanUndo(), op.After.Undo) << where;
            EXPECT_EQ(l.CanRedo(), op.After.Redo) << where;
        }
    }
}

TEST_F(BetListSteps, WhichBetsStepsAndCompactionTouch)
{
    BetList l = ListOf(10);
    Del(l, 0, 1);
    Del(l, 2, 3);
    l.Undo();
    l.Undo();
    Del(l, 5, 6);
    // Bets of the dropped steps are live with Level 0; the new step is 1.
    for (int32_t i = 0; i < 10; ++i)
        EXPECT_EQ(l.Level(i), i == 5 || i == 6 ? 1 : 0) << i;

    // Compact after undo keeps the undone bets in order, renumbered.
    BetList c = ListOf(10);
    Del(c, 0, 2);
    Del(c, 3, 4);
    c.Undo();
    c.Compact();
    ASSERT_EQ(c.BetCount(), 7);
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(Number(c, i), 3 + i);
        EXPECT_EQ(c.Id(i), i + 1);
        EXPECT_EQ(c.Level(i), 0);
    }
    EXPECT_EQ(c.LivePositions().size(), 7u);

    // The rows of the result grid are the live bets in list order.
    BetList r = ListOf(6);
    Del(r, 1, 2);
    EXPECT_EQ(r.LivePositions(), std::vector<int32_t>({0, 3, 4, 5}));
}

TEST_F(BetListSteps, TheStepCounterStopsAt32767)
{
    const int32_t n = 32767;
    BetList l = ListOf(n);
    for (int32_t k = 0; k < BetList::kMaxStep; ++k) {
        ASSERT_EQ(l.BeginStep(), BetList::StepResult::Ok) << k;
        l.MarkRemoved(k);
        ASSERT_EQ(l.CloseStep(), 1);
    }
    ASSERT_EQ(l.BetStep(), 32767);
    ASSERT_EQ(l.BetLastStep(), 32766);
    ASSERT_TRUE(Consistent(l));

    // A new step is refused before it changes anything.
    const RemovalOutcome refused = Del(l, n - 1, n - 1);
    EXPECT_EQ(refused.Result, BetList::StepResult::StepLimit);
    EXPECT_FALSE(StepRefusalMessage(refused.Result).isEmpty());
    EXPECT_EQ(DelResultAll(l, g_msg).Result, BetList::StepResult::StepLimit);
    EXPECT_EQ(l.BetStep(), 32767);
    EXPECT_EQ(l.LiveCount(), 1);
    EXPECT_TRUE(Consistent(l));

    // After an undo the last step can be taken again.
    l.Undo();
    EXPECT_EQ(Del(l, n - 1, n - 1).Marked, 1);
    EXPECT_EQ(l.BetStep(), 32767);
    EXPECT_EQ(l.Level(n - 2), 0);
    EXPECT_TRUE(Consistent(l));

    // Compacting makes room again.
    l.Compact();
    EXPECT_EQ(l.BetCount(), 1);
    EXPECT_EQ(Number(l, 0), n - 2);
    EXPECT_TRUE(Del(l, 0, 0).Ok());
    EXPECT_TRUE(Consistent(l));
}

TEST_F(BetListSteps, DeletionsReportProgressAndMayStop)
{
    HeadlessMsgDisplay& display = m_display;
    QStringList asked;
    bool answer = false;
    const StopQuestion ask = [&](const QString& q) {
        asked << q;
        return answer;
    };
    display.OnPump = [](int pass) {
        if (pass == 2)
            MsgProgressClicked();
    };

    // Answered Cancel: the walk runs to the end.
    BetList l = ListOf(250);
    RemovalOutcome out = DelResultSel(l, 249, 0, g_msg, ask);
    EXPECT_FALSE(out.Stopped);
    EXPECT_EQ(out.Marked, 250);
    EXPECT_EQ(display.Values, std::vector<int32_t>({0, 100, 200}));
    EXPECT_EQ(asked, QStringList({RemovalStopQuestion()}));
    EXPECT_TRUE(display.StatusTexts.contains(QStringLiteral("正在进行删除")));
    EXPECT_EQ(display.ShownMax, 250);
    EXPECT_TRUE(display.ShownCanClick);
    EXPECT_FALSE(g_msg.PrgVisible());
    EXPECT_FALSE(g_msg.IsBusy());

    // Answered OK at position 100: bets 0..99 removed, the rest untouched.
    BetList s = ListOf(250);
    display.PumpCount = 0;
    answer = true;
    out = DelResultSel(s, 0, 249, g_msg, ask);
    EXPECT_TRUE(out.Stopped);
    EXPECT_EQ(out.Marked, 100);
    EXPECT_EQ(s.LiveCount(), 150);
    EXPECT_TRUE(Consistent(s));

    // Delete all never moves the bar nor asks.
    BetList a = ListOf(250);
    display.Values.clear();
    display.PumpCount = 0;
    asked.clear();
    out = DelResultAll(a, g_msg);
    EXPECT_EQ(out.Marked, 250);
    EXPECT_TRUE(display.Values.empty());
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_FALSE(g_msg.PrgVisible());

    // An empty list is left alone.
    BetList e(3);
    EXPECT_EQ(DelResultAll(e, g_msg).Result, BetList::StepResult::NoBets);
    EXPECT_TRUE(Consistent(e));
}

TEST(BetListTexts, BetTextCopyTextAndCountLine)
{
    BetList l(3);
    l.AddBet(std::vector<int16_t>{0, 7, 4, 0}); // hundreds 0, tens 4, units 7
    l.AddBet(std::vector<int16_t>{0, 3, 2, 1});
    l.AddBet(std::vector<int16_t>{0, 5, 5, 5});
    l.AddBet(std::vector<int16_t>{0, 9, 8, 6});
    EXPECT_EQ(l.BetText(0, 3, 1), QStringLiteral("0 4 7"));
    EXPECT_EQ(l.BetText(1, 3, 1), QStringLiteral("1 2 3"));
    EXPECT_EQ(l.BetText(2, 3, 2), QStringLiteral("05 05 05"));
    EXPECT_EQ(l.SecondaryText(0, 3, 2), QString());
    EXPECT_EQ(l.CountText(), QStringLiteral("投注数：4 可恢复：0"));

    CMsg msg;
    DelResultSel(l, 2, 2, msg, {});
    // Hundreds first as the grid shows them, no padding, CR LF between the
    // lines only, live bets only.
    EXPECT_EQ(l.CopyText(3), QStringLiteral("0 4 7\r\n1 2 3\r\n6 8 9"));
    EXPECT_EQ(l.CountText(), QStringLiteral("投注数：3 可恢复：1"));
    DelResultAll(l, msg);
    EXPECT_EQ(l.CopyText(3), QString());

    // Secondary numbers are stored and shown in a column of their own.
    BetList m(4);
    m.AddBet(std::vector<int16_t>{0, 3, 2, 1, 5});
    EXPECT_EQ(m.BetText(0, 3, 1), QStringLiteral("1 2 3"));
    EXPECT_EQ(m.SecondaryText(0, 3, 2), QStringLiteral("05"));
    EXPECT_EQ(m.CopyText(3), QStringLiteral("1 2 3 5"));
}

TEST(BetListEditing, AnEditKeepsSerialLevelAndPlace)
{
    BetList l = ListOf(5);
    CMsg msg;
    DelResultSel(l, 1, 1, msg, {});
    l.SetDigits(3, std::vector<int16_t>{9, 1, 1, 1});
    EXPECT_EQ(Number(l, 3), 111);
    EXPECT_EQ(l.Digits(3)[0], 0);
    EXPECT_EQ(l.Id(3), 4);
    EXPECT_EQ(l.Level(3), 0);
    EXPECT_EQ(l.Level(1), 1);
    EXPECT_TRUE(Consistent(l));

    // A bet list whose size does not fit the positions is refused.
    EXPECT_FALSE(l.AssignBets(std::vector<int16_t>(7, 0)));
    EXPECT_EQ(l.BetCount(), 5);
}

TEST(BetListType, TheListKeepsHowItsBetsWereMade)
{
    BetList l(3);
    EXPECT_EQ(l.Type(), BetType::Direct);
    ASSERT_TRUE(l.AssignBets({0, 1, 1, 0, 0, 2, 1, 0}, BetType::AllGroup));
    EXPECT_EQ(l.Type(), BetType::AllGroup);
    EXPECT_TRUE(l.GroupBets());

    // Steps, edits, a bet added and the compaction keep it; a refused
    // assignment too.
    CMsg msg;
    DelResultSel(l, 0, 0, msg, {});
    l.Undo();
    l.SetDigits(1, std::vector<int16_t>{0, 3, 3, 3});
    l.AddBet(std::vector<int16_t>{0, 5, 5, 5});
    l.Compact();
    EXPECT_FALSE(l.AssignBets(std::vector<int16_t>(7, 0), BetType::Direct));
    EXPECT_EQ(l.Type(), BetType::AllGroup);

    // An emptied list holds direct bets again, as does a list begun by
    // adding a bet.
    l.Reset(3);
    EXPECT_EQ(l.Type(), BetType::Direct);
    ASSERT_TRUE(l.AssignBets({}, BetType::Triple));
    l.AddBet(std::vector<int16_t>{0, 1, 2, 3});
    EXPECT_EQ(l.Type(), BetType::Direct);
}

} // namespace
} // namespace kelton
