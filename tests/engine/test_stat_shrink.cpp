#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "data/lottor_head.h"
#include "engine/indicators.h"
#include "engine/stat.h"
#include "stat_reference.h"
#include "stat_test_views.h"
#include "support/draw_rows.h"

namespace kelton::test {
namespace {

ValueSet Ranges(std::initializer_list<std::pair<int, int>> ranges)
{
    ValueSet set;
    for (const auto& [low, high] : ranges)
        set.Append({static_cast<int16_t>(low), static_cast<int16_t>(high)});
    return set;
}

ValueSet Only(int x)
{
    return Ranges({{x, x}});
}

void AllOff(CStat& view)
{
    for (int16_t k = 0; k < view.ConditionCount(); ++k)
        view.SetShrinkSel(k, 0);
}

// Sets slot k on with a set and a tolerance flag.
void On(CStat& view, int k, const ValueSet& set, int16_t tolerated)
{
    view.SetShrinkSel(static_cast<int16_t>(k), 1);
    view.SetShrinkVal(static_cast<int16_t>(k), set);
    view.SetShrinkErr(static_cast<int16_t>(k), tolerated);
}

class CandidateParity : public ::testing::TestWithParam<ShapeCase> {};

// A drawn issue tested as a candidate for its own issue has exactly the
// indicators and view numbers the builder stored for it, in every view.
TEST_P(CandidateParity, ActualDrawReproducesTheRecord)
{
    const ShapeCase& c = GetParam();
    const History h = RandomHistory(c.Shape, c.Draws, c.Seed);
    BuiltViews built;
    ASSERT_TRUE(built.Build(c.Shape, h));
    ViewSet& set = built.Set;
    const int slots = c.Shape.BcMain + kIndicatorCount; // every slot but the view tolerance

    for (int v = 0; v < 8; ++v) {
        CStat& view = *set.Views[static_cast<size_t>(v)];
        AllOff(view);
        for (int i = 0; i < c.Draws; ++i) {
            const StatRecord rec = view.LoadRecord(i);
            auto value = [&](int k) {
                return k < kIndicatorCount ? rec.Filter(k) : rec.Num(k - kIndicatorCount + 1);
            };
            for (int k = 0; k < slots; ++k)
                On(view, k, Only(value(k)), 1);
            view.GetFilterIni(i);
            const std::vector<int16_t>& draw = h.Draws[static_cast<size_t>(i)];
            const int16_t errors = view.GetShrinkErr(draw);
            if (errors != 0) {
                for (int k = 0; k < slots; ++k) {
                    AllOff(view);
                    On(view, k, Only(value(k)), 0);
                    EXPECT_EQ(view.GetShrinkErr(draw), 0) << "view " << v << " record " << i << " slot " << k;
                }
                FAIL() << "view " << v << " record " << i << ": " << errors << " slots differ";
            }
            // Every slot really is tested: a set that misses the value counts.
            if (i % 50 == 7) {
                for (int k = 0; k < slots; ++k)
                    On(view, k, Only(value(k) + 1), 1);
                EXPECT_EQ(view.GetShrinkErr(draw), slots) << "view " << v << " record " << i;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, CandidateParity,
                         ::testing::Values(ShapeCase{"ThreeDigits", Game{9, 3, 0, 0, 10}, 330, 17},
                                           ShapeCase{"FourMainOneSecondary", Game{11, 4, 5, 1, 10}, 160, 5}),
                         ShapeCaseName);

// The candidate test as the conditions define it, from the target's records
// and the indicators the builder computes: the answer GetShrinkErr must give
// however it gets there.
int16_t ModelShrinkErr(CStat& view, int32_t target, const std::vector<int16_t>& bet)
{
    const StatLayout& L = *view.Layout();
    const int bcMain = L.BcMain();
    if (bet.size() < static_cast<size_t>(bcMain) + 1)
        return -1;
    for (int p = 1; p <= bcMain; ++p) {
        if (bet[static_cast<size_t>(p)] < 0 || bet[static_cast<size_t>(p)] > L.BcDataLen())
            return -1;
    }
    const StatRecord state = view.LoadRecord(target);
    const StatRecord prev = target > 0 ? view.LoadRecord(target - 1) : view.BlankRecord();
    const StatRecord prev2 = view.LoadRecord(target - 2);
    std::vector<int16_t> num(static_cast<size_t>(bcMain) + 1, 0);
    for (int p = 1; p <= bcMain; ++p)
        num[static_cast<size_t>(p)] = state.Data(2, bet[static_cast<size_t>(p)]);
    std::vector<int16_t> sorted = num;
    std::sort(sorted.begin() + 1, sorted.end());
    IndicatorInput in;
    in.State = &state;
    in.Num = num.data();
    in.Sorted = sorted.data();
    in.PrevNum = prev.Words() + L.Num;
    in.PrevSorted = prev.Words() + L.Sorted;
    in.Prev2Sorted = prev2.Words() + L.Sorted;
    in.Index = state.Index();
    IndicatorValues indicators;
    ComputeIndicators(in, indicators);

    auto inRanges = [](const ValueSet& set, int count, int x) {
        for (int r = 1; r <= count; ++r) {
            if (x < set[r].Low)
                return false;
            if (x <= set[r].High)
                return true;
        }
        return false;
    };
    const int tolerance = bcMain + kIndicatorCount;
    int errors = 0;
    for (int k = 0; k < tolerance; ++k) {
        const ValueSet set = view.ShrinkVal(static_cast<int16_t>(k));
        const int count = std::min<int>(view.ShrinkValUbound(static_cast<int16_t>(k)), set.Count());
        if (view.ShrinkSel(static_cast<int16_t>(k)) == 0 || count <= 0)
            continue;
        const int x = k < kIndicatorCount ? indicators[static_cast<size_t>(k)] : num[static_cast<size_t>(k - 42)];
        if (inRanges(set, count, x))
            continue;
        if (view.ShrinkErr(static_cast<int16_t>(k)) == 0)
            return -1;
        ++errors;
    }
    const ValueSet set = view.ShrinkVal(static_cast<int16_t>(tolerance));
    const int count = std::min<int>(view.ShrinkValUbound(static_cast<int16_t>(tolerance)), set.Count());
    if (view.ShrinkSel(static_cast<int16_t>(tolerance)) != 0 && count > 0 && !inRanges(set, count, errors))
        return -1;
    return static_cast<int16_t>(errors);
}

class CandidateModel : public ::testing::TestWithParam<ShapeCase> {};

// Random condition sets (ordered or not, tolerated or hard, normalised or
// as set) against random bets, in every view and for targets at both ends
// of the records: GetShrinkErr answers as the model, asked once or again.
TEST_P(CandidateModel, RandomConditionsAndBets)
{
    const ShapeCase& c = GetParam();
    const History h = RandomHistory(c.Shape, c.Draws, c.Seed);
    BuiltViews built;
    ASSERT_TRUE(built.Build(c.Shape, h));
    std::mt19937 rng(c.Seed);
    auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
    auto between = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
    const int bcMain = c.Shape.BcMain;
    const int tolerance = bcMain + kIndicatorCount;

    for (int v = 0; v < 8; ++v) {
        CStat& view = *built.Set.Views[static_cast<size_t>(v)];
        for (int32_t target : {0, 1, 2, c.Draws / 2, c.Draws - 1, c.Draws}) {
            view.GetFilterIni(target);
            for (int round = 0; round < 6; ++round) {
                for (int k = 0; k <= tolerance; ++k) {
                    const int16_t slot = static_cast<int16_t>(k);
                    view.SetShrinkSel(slot, chance(k == tolerance ? 50 : 35) ? 1 : 0);
                    view.SetShrinkErr(slot, chance(60) ? 1 : 0);
                    const int lo = k == tolerance ? 0 : built.Head.ShrinkHL(slot, 0);
                    const int hi = k == tolerance ? 12 : built.Head.ShrinkHL(slot, 1);
                    ValueSet set;
                    for (int r = between(0, 3); r > 0; --r) {
                        const int a = between(lo - 1, hi + 1);
                        const int b = chance(70) ? between(a, hi + 1) : between(lo - 1, hi + 1);
                        set.Append({static_cast<int16_t>(a), static_cast<int16_t>(b)});
                    }
                    view.SetShrinkVal(slot, set);
                }
                if (chance(50))
                    view.IniShrinkData();
                for (int b = 0; b < 40; ++b) {
                    std::vector<int16_t> bet(static_cast<size_t>(c.Shape.BM()) + 1, 0);
                    for (int p = 1; p <= bcMain; ++p)
                        bet[static_cast<size_t>(p)] = static_cast<int16_t>(between(0, c.Shape.DataLen));
                    if (b % 13 == 12)
                        bet[static_cast<size_t>(between(1, bcMain))] = static_cast<int16_t>(chance(50) ? -1 : c.Shape.N());
                    const int16_t expected = ModelShrinkErr(view, target, bet);
                    ASSERT_EQ(view.GetShrinkErr(bet), expected) << "view " << v << " target " << target << " bet " << b;
                    ASSERT_EQ(view.GetShrinkErr(bet), expected) << "view " << v << " target " << target << " again";
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, CandidateModel,
                         ::testing::Values(ShapeCase{"ThreeDigits", Game{9, 3, 0, 0, 10}, 140, 23},
                                           ShapeCase{"FourMainOneSecondary", Game{11, 4, 5, 1, 10}, 120, 29},
                                           ShapeCase{"ManyCandidates", Game{15, 5, 0, 0, 10}, 110, 31},
                                           ShapeCase{"NineMain", Game{9, 9, 0, 0, 10}, 110, 37}),
                         ShapeCaseName);

// A short three-digit history, views built once for the whole suite.
class ShrinkTest : public ::testing::Test {
protected:
    static History Draws(const std::vector<std::array<int, 3>>& places) // hundreds, tens, units
    {
        History h;
        for (const auto& d : places) {
            h.Issues.push_back(h.Count() + 1001);
            h.Draws.push_back(Bet(d[2], d[1], d[0]));
        }
        return h;
    }

    void SetUp() override
    {
        AcceptGame(m_head, Game{});
        m_history =
            Draws({{5, 6, 7}, {1, 2, 3}, {4, 4, 9}, {0, 8, 2}, {3, 3, 1}, {9, 0, 5}, {2, 7, 7}, {6, 1, 8}});
        ASSERT_TRUE(m_set.Create(m_head, m_dir.filePath(QStringLiteral("g")), m_history));
        AllOff(View0());
    }
    CStat& View0() { return *m_set.Views[0]; }

    QTemporaryDir m_dir;
    CLottorHead m_head;
    History m_history;
    ViewSet m_set;
};

// In view 0 a number's view number is the number itself, so the position
// slots 43..45 hold the candidate's digits.
struct ToleranceCase {
    const char* Name;
    // per slot 43, 44, 45: -1 off, 0 hard, 1 tolerated; the set is {9}, so the
    // candidate 1-2-3 fails every slot that is on
    std::array<int, 3> Slots;
    bool EmptySets;     // the slots that are on hold no range
    int ToleranceOn;    // slot 46 on
    ValueSet Tolerance; // its allowed counts
    int Expected;
};

class ToleranceTable : public ShrinkTest, public ::testing::WithParamInterface<ToleranceCase> {};

TEST_P(ToleranceTable, Answer)
{
    const ToleranceCase& c = GetParam();
    CStat& view = View0();
    for (int j = 0; j < 3; ++j) {
        if (c.Slots[static_cast<size_t>(j)] >= 0)
            On(view, 43 + j, c.EmptySets ? ValueSet() : Only(9),
               static_cast<int16_t>(c.Slots[static_cast<size_t>(j)]));
    }
    view.SetShrinkSel(46, static_cast<int16_t>(c.ToleranceOn));
    view.SetShrinkVal(46, c.Tolerance);
    view.GetFilterIni(8);
    EXPECT_EQ(view.GetShrinkErr(Bet(1, 2, 3)), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ToleranceTable,
    ::testing::Values(
        ToleranceCase{"NothingOn", {-1, -1, -1}, false, 0, ValueSet(), 0},
        ToleranceCase{"HardMissRejects", {0, -1, -1}, false, 0, ValueSet(), -1},
        ToleranceCase{"HardMissAmongToleratedRejects", {1, 0, 1}, false, 0, ValueSet(), -1},
        ToleranceCase{"ToleratedMissesAreCounted", {1, 1, -1}, false, 0, ValueSet(), 2},
        ToleranceCase{"TotalOfAllToleratedMisses", {1, 1, 1}, false, 0, ValueSet(), 3},
        ToleranceCase{"OwnToleranceAllowsTheCount", {1, 1, -1}, false, 1, Ranges({{0, 2}}), 2},
        ToleranceCase{"OwnToleranceBelowTheCountRejects", {1, 1, -1}, false, 1, Ranges({{0, 1}}), -1},
        ToleranceCase{"OwnToleranceWithoutZeroRejectsAClean", {-1, -1, -1}, false, 1, Ranges({{1, 2}}), -1},
        ToleranceCase{"OwnToleranceOffIgnoresItsSet", {1, 1, -1}, false, 0, Ranges({{0, 1}}), 2},
        ToleranceCase{"OwnToleranceWithEmptySetIsNotTested", {1, 1, -1}, false, 1, ValueSet(), 2},
        ToleranceCase{"OwnToleranceBetweenRanges", {1, 1, 1}, false, 1, Ranges({{0, 0}, {3, 4}}), 3},
        ToleranceCase{"EmptySetsAreSkipped", {0, 0, 1}, true, 1, Ranges({{0, 0}}), 0}),
    [](const auto& info) { return std::string(info.param.Name); });

// Against the ranges 1-3, 5, 7-9 (indicator 1, the sum): 5 is a member,
// 4 and 10 are not.
TEST_F(ShrinkTest, MembershipWalksTheRanges)
{
    CStat& view = View0();
    On(view, 1, Ranges({{1, 3}, {5, 5}, {7, 9}}), 0);
    view.GetFilterIni(8);
    EXPECT_EQ(view.GetShrinkErr(Bet(5, 0, 0)), 0);
    EXPECT_EQ(view.GetShrinkErr(Bet(4, 0, 0)), -1);
    EXPECT_EQ(view.GetShrinkErr(Bet(9, 1, 0)), -1);
    EXPECT_EQ(view.GetShrinkErr(Bet(1, 1, 1)), 0);
    EXPECT_EQ(view.GetShrinkErr(Bet(0, 0, 0)), -1);

    // Ranges stored out of order before a normalisation: the walk stops at
    // the first range whose low end exceeds the value, so 2 is not a member
    // of 5-9 1-3, nor 5 of 8-10 4-14, while 12 is.
    On(view, 1, Ranges({{5, 9}, {1, 3}}), 0);
    EXPECT_EQ(view.GetShrinkErr(Bet(2, 0, 0)), -1);
    EXPECT_EQ(view.GetShrinkErr(Bet(6, 0, 0)), 0);
    On(view, 1, Ranges({{8, 10}, {4, 14}}), 0);
    EXPECT_EQ(view.GetShrinkErr(Bet(9, 0, 0)), 0);
    EXPECT_EQ(view.GetShrinkErr(Bet(9, 3, 0)), 0);
    EXPECT_EQ(view.GetShrinkErr(Bet(5, 0, 0)), -1);
    EXPECT_EQ(view.GetShrinkErr(Bet(9, 6, 0)), -1);
}

// Checks single indicator values of a candidate: each slot alone, hard.
void ExpectValues(CStat& view, const std::vector<int16_t>& bet,
                  std::initializer_list<std::pair<int, int>> expected)
{
    for (const auto& [k, x] : expected) {
        AllOff(view);
        On(view, k, Only(x), 0);
        EXPECT_EQ(view.GetShrinkErr(bet), 0) << "indicator " << k << " is not " << x;
    }
    AllOff(view);
}

TEST_F(ShrinkTest, WorkedCandidates)
{
    CStat& view = View0();
    view.GetFilterIni(8);
    ExpectValues(view, Bet(3, 3, 3), {{0, 1}, {18, 2}, {6, 0}, {1, 9}});
    ExpectValues(view, Bet(1, 2, 3), {{4, 10}, {15, 2}, {38, 7}, {43, 1}, {44, 2}, {45, 3}});
}

// Target 0 has no previous draw: the previous-draw counts and codes are 0
// whatever an earlier preparation left behind.
TEST_F(ShrinkTest, TargetZeroIgnoresStalePreviousCopies)
{
    CStat& view = View0();
    view.GetFilterIni(5);
    view.GetFilterIni(0);
    std::initializer_list<std::pair<int, int>> zeros = {{26, 0}, {27, 0}, {28, 0}, {29, 0}, {30, 0}, {31, 0},
                                                        {32, 0}, {33, 0}, {39, 0}, {40, 0}, {41, 0}};
    ExpectValues(view, Bet(5, 0, 3), zeros);
    // Record 0 holds zero statistics: the miss and interval sums are 0.
    ExpectValues(view, Bet(5, 0, 3), {{2, 0}, {3, 0}});
}

// Target 1: a number not in the previous draw is middle, never gap.
TEST_F(ShrinkTest, TargetOneHasNoGap)
{
    CStat& view = View0();
    view.GetFilterIni(1); // the previous draw is 5-6-7
    ExpectValues(view, Bet(0, 1, 5), {{28, 1}, {29, 0}, {30, 2}});
    // Target 2 looks two draws back: 5 was drawn in issue 0, not in issue 1.
    view.GetFilterIni(2);
    ExpectValues(view, Bet(0, 1, 5), {{28, 1}, {29, 1}, {30, 1}});
}

// The prepared copies stay put while other records are loaded in between.
TEST_F(ShrinkTest, PreparedStateSurvivesOtherLoads)
{
    CStat& view = View0();
    for (int16_t k = 0; k < 43; ++k)
        On(view, k, Ranges({{0, 0}, {2, 2}, {4, 9}}), 1);
    view.GetFilterIni(4);
    std::vector<int16_t> before;
    for (int bet = 0; bet < 1000; bet += 37)
        before.push_back(view.GetShrinkErr(Bet(bet % 10, bet / 10 % 10, bet / 100)));
    view.LoadRecord(1);
    view.LoadRecord(7);
    std::vector<int16_t> after;
    for (int bet = 0; bet < 1000; bet += 37)
        after.push_back(view.GetShrinkErr(Bet(bet % 10, bet / 10 % 10, bet / 100)));
    EXPECT_EQ(before, after);
}

// A changed condition takes effect at the next test without a new
// preparation.
TEST_F(ShrinkTest, ConditionChangesApplyAtOnce)
{
    CStat& view = View0();
    view.GetFilterIni(8);
    EXPECT_EQ(view.GetShrinkErr(Bet(1, 2, 3)), 0);
    On(view, 43, Only(9), 0);
    EXPECT_EQ(view.GetShrinkErr(Bet(1, 2, 3)), -1);
    view.SetShrinkErr(43, 1);
    EXPECT_EQ(view.GetShrinkErr(Bet(1, 2, 3)), 1);
    view.SetShrinkSel(43, 0);
    EXPECT_EQ(view.GetShrinkErr(Bet(1, 2, 3)), 0);
}

// A number outside 0..BcDataLen is rejected, never used as an index, and so
// is a candidate with too few positions; even with every condition off.
TEST_F(ShrinkTest, CandidateOutsideTheGameIsRejected)
{
    CStat& view = View0();
    view.GetFilterIni(8);
    EXPECT_EQ(view.GetShrinkErr(Bet(1, 2, 3)), 0);
    EXPECT_EQ(view.GetShrinkErr(Bet(10, 2, 3)), -1);
    EXPECT_EQ(view.GetShrinkErr(Bet(1, -1, 3)), -1);
    EXPECT_EQ(view.GetShrinkErr(Bet(1, 2, 32767)), -1);
    EXPECT_EQ(view.GetShrinkErr(std::vector<int16_t>{0, 1, 2}), -1);
    EXPECT_EQ(view.GetShrinkErr(std::vector<int16_t>{}), -1);
}

// An index outside the records prepares the blank record: every number maps
// to view number 0 and the previous-draw values are 0.
TEST_F(ShrinkTest, TargetOutsideTheRecordsIsBlank)
{
    CStat& view = *m_set.Views[3];
    AllOff(view);
    view.GetFilterIni(99);
    ExpectValues(view, Bet(7, 8, 9), {{43, 0}, {44, 0}, {45, 0}, {1, 0}, {26, 0}, {31, 0}});
    view.GetFilterIni(-4);
    ExpectValues(view, Bet(7, 8, 9), {{43, 0}, {1, 0}});
}

TEST_F(ShrinkTest, IniShrinkDataNormalises)
{
    CStat& view = View0();
    view.SetShrinkSel(6, 5);
    view.SetShrinkErr(6, -1);
    view.SetShrinkVal(6, Ranges({{8, 20}, {1, 3}, {2, 4}})); // span 0..9
    view.SetShrinkSel(7, -1);
    view.SetShrinkVal(7, ValueSet());
    view.SetShrinkVal(46, Ranges({{40, 60}})); // tolerance 0..45
    EXPECT_EQ(view.ShrinkValUbound(6), 3);
    view.IniShrinkData();
    EXPECT_EQ(view.ShrinkSel(6), 1);
    EXPECT_EQ(view.ShrinkErr(6), 1);
    EXPECT_EQ(RangeToStr(view.ShrinkVal(6)), QStringLiteral("1-4 8-9"));
    EXPECT_EQ(view.ShrinkValUbound(6), 2);
    EXPECT_EQ(view.ShrinkSel(7), 1);
    EXPECT_EQ(view.ShrinkValUbound(7), 0);
    EXPECT_EQ(view.ShrinkErr(7), 0);
    EXPECT_EQ(RangeToStr(view.ShrinkVal(46)), QStringLiteral("40-45"));
    EXPECT_EQ(view.ShrinkSel(5), 0);
}

TEST_F(ShrinkTest, AccessorsOutsideTheSlots)
{
    CStat& view = View0();
    ASSERT_EQ(view.ConditionCount(), 47);
    for (int16_t k : {int16_t(-1), int16_t(47), int16_t(300)}) {
        view.SetShrinkSel(k, 1);
        view.SetShrinkErr(k, 1);
        view.SetShrinkVal(k, Only(3));
        EXPECT_EQ(view.ShrinkSel(k), 0);
        EXPECT_EQ(view.ShrinkErr(k), 0);
        EXPECT_EQ(view.ShrinkValUbound(k), 0);
        EXPECT_TRUE(view.ShrinkVal(k).IsEmpty());
    }
    view.GetFilterIni(8);
    EXPECT_EQ(view.GetShrinkErr(Bet(1, 2, 3)), 0);
}

// The lows and highs against a walk over the records.
TEST_F(ShrinkTest, LowHighOverARange)
{
    for (int v : {0, 2}) {
        CStat& view = *m_set.Views[static_cast<size_t>(v)];
        struct Span {
            int32_t Start, End, From, To;
        };
        for (const Span s : {Span{0, 7, 0, 7}, Span{2, 5, 2, 5}, Span{6, 3, 3, 3}, Span{4, 50, 4, 7},
                             Span{-5, 2, 0, 2}, Span{-5, -2, 0, 0}, Span{9, 9, 7, 7}}) {
            const auto r = view.GetShrinkLowHigh(s.Start, s.End);
            ASSERT_EQ(r.size(), 46u);
            for (int k = 0; k < 46; ++k) {
                int low = 32767, high = -32768;
                for (int i = s.From; i <= s.To; ++i) {
                    const StatRecord& rec = view.LoadRecord(i);
                    const int x = k < 43 ? rec.Filter(k) : rec.Num(k - 42);
                    low = std::min(low, x);
                    high = std::max(high, x);
                }
                EXPECT_EQ(r[static_cast<size_t>(k)][0], low)
                    << "view " << v << " kind " << k << " from " << s.Start;
                EXPECT_EQ(r[static_cast<size_t>(k)][1], high)
                    << "view " << v << " kind " << k << " from " << s.Start;
            }
        }
    }
}

TEST(ShrinkLowHigh, NoDrawGivesZeros)
{
    QTemporaryDir dir;
    CLottorHead head;
    AcceptGame(head, Game{});
    ViewSet set;
    ASSERT_TRUE(set.Create(head, dir.filePath(QStringLiteral("g")), History{}, 1));
    const auto r = set.Views[0]->GetShrinkLowHigh(0, 10);
    ASSERT_EQ(r.size(), 46u);
    for (const auto& lh : r)
        EXPECT_EQ(lh, (std::array<int16_t, 2>{0, 0}));
}

// The number table follows a rebuild of the view.
TEST_F(ShrinkTest, NumTableFollowsTheRecords)
{
    CStat& view = *m_set.Views[1];
    const std::vector<int16_t> first = view.NumTable();
    ASSERT_EQ(first.size(), 9u * 4u);
    for (int i = 0; i < 9; ++i) {
        for (int p = 0; p <= 3; ++p)
            EXPECT_EQ(first[static_cast<size_t>(i * 4 + p)], view.LoadRecord(i).Num(p));
    }
    m_history.Draws[7] = Bet(0, 0, 0);
    m_history.Draws.push_back(Bet(4, 4, 4));
    m_history.Issues.push_back(2000);
    ASSERT_TRUE(m_set.Update(m_history, 5));
    const std::vector<int16_t>& second = view.NumTable();
    ASSERT_EQ(second.size(), 10u * 4u);
    for (int i = 0; i < 10; ++i) {
        for (int p = 0; p <= 3; ++p)
            EXPECT_EQ(second[static_cast<size_t>(i * 4 + p)], view.LoadRecord(i).Num(p));
    }
}

// A view keeps the numbers its build produced; a reopened view reads them
// from its file, all views at once, and keeps them through an update.
TEST_F(ShrinkTest, NumTableIsKeptOrReadAlike)
{
    auto fromRecords = [](CStat& view) {
        std::vector<int16_t> out;
        for (int32_t i = 0; i < view.RecordCount(); ++i) {
            for (int p = 0; p <= 3; ++p)
                out.push_back(view.LoadRecord(i).Num(p));
        }
        return out;
    };
    std::array<CStat, 8> reopened;
    std::vector<CStat*> pointers;
    for (int v = 0; v < 8; ++v) {
        EXPECT_TRUE(m_set.Views[static_cast<size_t>(v)]->HoldsNumTable()) << "view " << v;
        ASSERT_EQ(reopened[static_cast<size_t>(v)].StatOpen(m_head, m_set.PathOf(v), static_cast<int16_t>(v)), 9);
        EXPECT_FALSE(reopened[static_cast<size_t>(v)].HoldsNumTable());
        pointers.push_back(&reopened[static_cast<size_t>(v)]);
    }
    CStat::LoadNumTables(pointers);
    for (int v = 0; v < 8; ++v) {
        CStat& view = reopened[static_cast<size_t>(v)];
        EXPECT_TRUE(view.HoldsNumTable());
        EXPECT_EQ(view.NumTable(), m_set.Views[static_cast<size_t>(v)]->NumTable()) << "view " << v;
        EXPECT_EQ(view.NumTable(), fromRecords(view)) << "view " << v;
    }

    m_history.Draws[6] = Bet(1, 1, 1);
    m_history.Draws.push_back(Bet(4, 5, 6));
    m_history.Issues.push_back(2000);
    const std::vector<int16_t> flat = m_history.Flat();
    ASSERT_FALSE(BuildStatViews(pointers, m_history.Issues, flat, 6));
    for (int v = 0; v < 8; ++v) {
        CStat& view = reopened[static_cast<size_t>(v)];
        EXPECT_TRUE(view.HoldsNumTable());
        EXPECT_EQ(view.NumTable(), fromRecords(view)) << "view " << v;
    }
}

} // namespace
} // namespace kelton::test
