#include "filter/filter_run.h"

#include <map>
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "support/small_game.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

// A view whose misses are given per bet (by its units digit) and whose own
// tolerance, when on, works as the statistics' candidate test does: a count
// outside the set rejects. It counts what it is asked.
class CountingView : public IShrinkView {
public:
    void PrepareRun(int32_t issue) override
    {
        ++Prepared;
        PreparedFor = issue;
    }
    int16_t BetErrors(std::span<const int16_t> digits) override
    {
        ++Asked;
        const auto found = Errors.find(digits[1]);
        const int16_t e = found == Errors.end() ? 0 : found->second;
        if (e >= 0 && Own && !Own->Contains(e))
            return -1;
        return e;
    }
    bool OwnToleranceOn() const override { return Own && !Own->IsEmpty(); }

    std::map<int16_t, int16_t> Errors; // units digit -> misses (-1 rejects)
    const ValueSet* Own = nullptr;
    int Prepared = 0;
    int32_t PreparedFor = -1;
    int Asked = 0;
};

// Bets 0..n-1 with their units digit = their number mod 10.
BetList Bets(int n)
{
    BetList list(3);
    for (int i = 0; i < n; ++i)
        list.AddBet(std::vector<int16_t>{0, static_cast<int16_t>(i % 10), 0, 0});
    return list;
}

class FilterRun : public test::HeadlessMsgTest {
protected:
    // The live bets' units digits after a run over bets 0..9.
    std::vector<int16_t> Survivors(std::vector<IShrinkView*> views, const TotalTolerance& total,
                                   const OtherFilterTest& other = {})
    {
        BetList list = Bets(10);
        const RemovalOutcome out = RunFilter(list, views, total, other, 7, m_msg, {});
        EXPECT_TRUE(out.Ok());
        std::vector<int16_t> live;
        for (const int32_t i : list.LivePositions())
            live.push_back(list.Digits(i)[1]);
        return live;
    }
};

TEST_F(FilterRun, TolerancesDecideWhichMissesAreForgiven)
{
    const ValueSet oneOrTwo = StrToRange(u"1-2", 0, 100);
    const ValueSet twoOrFour = StrToRange(u"2 4", 0, 100);
    const ValueSet empty;
    const std::map<int16_t, int16_t> misses = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {9, -1}};

    struct Case {
        const char* Name;
        const ValueSet* Own;
        TotalTolerance Total;
        std::vector<int16_t> Live;
    };
    const Case cases[] = {
        {"no tolerance: any miss removes", nullptr, {}, {0, 6, 7, 8}},
        {"own 1-2: 0 removed, 1 and 2 pass", &oneOrTwo, {}, {1, 2}},
        {"total 2 4: 0, 3 and 5 removed, 4 passes", nullptr, {true, &twoOrFour}, {2, 4}},
        {"an empty total set removes all", nullptr, {true, &empty}, {}},
    };
    for (const Case& c : cases) {
        CountingView view;
        view.Errors = misses;
        view.Own = c.Own;
        EXPECT_EQ(Survivors({&view}, c.Total), c.Live) << c.Name;
        EXPECT_EQ(view.Prepared, 1) << c.Name;
        EXPECT_EQ(view.PreparedFor, 7) << c.Name;
    }

    // Misses of a view with its own tolerance still count towards the total:
    // 1 + 1 = 2 passes, 2 + 2 = 4 passes, 1 + 0 = 1 does not.
    CountingView own;
    own.Errors = {{1, 1}, {2, 2}, {3, 1}};
    own.Own = &oneOrTwo;
    CountingView plain;
    plain.Errors = {{1, 1}, {2, 2}, {3, 0}};
    EXPECT_EQ(Survivors({&own, &plain}, {true, &twoOrFour}), (std::vector<int16_t>{1, 2}));
}

TEST_F(FilterRun, TheOtherFiltersAreAskedLastAndHaveNoShareInTheTotal)
{
    const ValueSet upToFour = StrToRange(u"0-4", 0, 100);
    CountingView first;
    first.Errors = {{1, -1}, {2, 1}};
    CountingView second;
    second.Errors = {{3, -1}};
    std::vector<int16_t> asked;
    const OtherFilterTest other = [&asked](std::span<const int16_t> d) {
        asked.push_back(d[1]);
        return d[1] != 5;
    };
    // 5 fails the other filters although the total would allow more misses.
    EXPECT_EQ(Survivors({&first, &second}, {true, &upToFour}, other), (std::vector<int16_t>{0, 2, 4, 6, 7, 8, 9}));
    // No view is asked after a rejection; the other filters only for bets
    // that passed every view.
    EXPECT_EQ(first.Asked, 10);
    EXPECT_EQ(second.Asked, 9);
    EXPECT_EQ(asked, (std::vector<int16_t>{0, 2, 4, 5, 6, 7, 8, 9}));
}

TEST_F(FilterRun, RemovedBetsAreNeverTestedAndTheRunIsOneStep)
{
    BetList list = Bets(25);
    CountingView view;
    view.Errors = {{3, -1}};
    ASSERT_TRUE(RunFilter(list, std::vector<IShrinkView*>{&view}, {}, {}, 0, m_msg, {}).Ok());
    EXPECT_EQ(list.CountText(), u"投注数：22 可恢复：3"_s);
    view.Asked = 0;
    view.Errors = {{4, -1}};
    const RemovalOutcome second = RunFilter(list, std::vector<IShrinkView*>{&view}, {}, {}, 0, m_msg, {});
    EXPECT_EQ(second.Marked, 3);
    EXPECT_EQ(view.Asked, 22);
    list.Undo();
    EXPECT_EQ(list.CountText(), u"投注数：22 可恢复：3"_s);
    // Progress every 10 bets with the run's status; the bar is closed.
    EXPECT_TRUE(m_display.StatusTexts.contains(u"正在进行过滤"_s));
    EXPECT_FALSE(m_msg.PrgVisible());

    // An empty list is refused before any view is prepared.
    BetList none(3);
    view.Prepared = 0;
    EXPECT_EQ(RunFilter(none, std::vector<IShrinkView*>{&view}, {}, {}, 0, m_msg, {}).Result,
              BetList::StepResult::NoBets);
    EXPECT_EQ(view.Prepared, 0);
}

TEST_F(FilterRun, AConfirmedStopKeepsTheMarksMadeSoFar)
{
    m_display.OnPump = [](int pass) {
        if (pass == 2) // at bet 10
            MsgProgressClicked();
    };
    BetList list = Bets(25);
    CountingView view;
    view.Errors = {{3, -1}};
    QStringList asked;
    const RemovalOutcome out = RunFilter(list, std::vector<IShrinkView*>{&view}, {}, {}, 0, m_msg,
                                         [&asked](const QString& q) {
                                             asked << q;
                                             return true;
                                         });
    EXPECT_TRUE(out.Stopped);
    EXPECT_EQ(out.Marked, 1); // bet 3; bets 10..24 untested
    EXPECT_EQ(view.Asked, 10);
    EXPECT_EQ(asked, QStringList{RemovalStopQuestion()});
    EXPECT_EQ(list.CountText(), u"投注数：24 可恢复：1"_s);
    EXPECT_FALSE(m_msg.PrgVisible());
}

class GroupBetRun : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        m_game = test::SmallGame(Path(u"game"_s), {"123", "456"});
        for (int16_t v = 0; v < AppState::InferCount; ++v)
            m_views.push_back(m_game->StatView(v));
        for (CStat* stat : m_views)
            for (int16_t k = 0; k <= kOwn; ++k)
                stat->SetShrinkSel(k, 1);
    }
    static constexpr int16_t kOwn = 3 + 43; // the view's own tolerance
    std::unique_ptr<CLottorData> m_game;
    std::vector<CStat*> m_views;
};

TEST_F(GroupBetRun, GroupBetsLeaveOutWhatDoesNotApplyToThemForTheRunOnly)
{
    struct Case {
        int16_t Kind;
        bool OnForGroupBets;
    };
    // The view's own tolerance (kOwn) is no condition: it stays.
    const Case cases[] = {{0, true},   {1, true},   {5, true},   {15, false}, {18, true},
                          {19, false}, {31, false}, {36, true},  {37, false}, {42, false},
                          {43, false}, {45, false}, {kOwn, true}};
    {
        const GroupBetConditionsOff direct(m_views, 3, false);
        for (const CStat* stat : m_views)
            for (const Case& c : cases)
                ASSERT_EQ(stat->ShrinkSel(c.Kind), 1) << c.Kind;
    }
    {
        const GroupBetConditionsOff group(m_views, 3, true);
        for (const CStat* stat : m_views)
            for (const Case& c : cases)
                ASSERT_EQ(stat->ShrinkSel(c.Kind), c.OnForGroupBets ? 1 : 0) << c.Kind;
    }
    for (const CStat* stat : m_views)
        for (int16_t k = 0; k <= kOwn; ++k)
            ASSERT_EQ(stat->ShrinkSel(k), 1) << k;
}

TEST(FilterRunTexts, TheDrawnIssueQuestionNamesTheIssueThreeTimes)
{
    EXPECT_EQ(DrawnIssueQuestion(u"2025217"_s),
              u"您当前选择的投注期号是<2025217期>，而不是<下期>。\r\n\r\n"
              u"过滤结果将不适用于<下期>的开奖结果，而适用于<2025217期>的开奖结果。\r\n\r\n"
              u"不同期号在相同的方案中过滤后结果是不同的！\r\n\r\n"
              u"一定要选择正确的期号进行过滤，你确定要过滤的是<2025217期>吗？"_s);
}

} // namespace
} // namespace kelton
