#include <memory>
#include <random>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "data/lottor_data.h"
#include "engine/stat.h"
#include "engine/stat.h"
#include "support/draw_rows.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using test::Bet;
using test::Draws;
using test::ProgramFolderTest;

QString Game(int dataLen)
{
    return QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n%1\r\n[BCMAIN]\r\n3\r\n").arg(dataLen);
}

QString Tab(std::initializer_list<const char*> fields)
{
    QStringList out;
    for (const char* f : fields)
        out << QString::fromUtf8(f);
    return out.join(QLatin1Char('\t'));
}

class OtherFilterTest : public ProgramFolderTest {
protected:
    void Open(const std::vector<Draw>& draws, int dataLen = 9)
    {
        const QString file = Path(QStringLiteral("game"));
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(Game(dataLen), file, 1000));
        }
        m_game = std::make_unique<CLottorData>();
        ASSERT_FALSE(m_game->OpenData(8, file));
        if (!draws.empty()) {
            ASSERT_EQ(m_game->Add(draws), static_cast<int16_t>(draws.size()));
            ASSERT_FALSE(m_game->UpData());
        }
    }
    CLottorData& G() { return *m_game; }
    // The game opened again from its files, as after a start of the program:
    // the views hold no numbers but those they read.
    void Reopen()
    {
        const QString file = Path(QStringLiteral("game"));
        m_game.reset();
        m_game = std::make_unique<CLottorData>();
        ASSERT_FALSE(m_game->OpenData(8, file));
    }

    // Always passing and always failing items of each list.
    static QString MatchPass() { return Tab({"√", "", "0-3", "Х", "Х"}); }
    static QString MatchFail(bool tolerant = false) { return Tab({"√", "", "", "Х", tolerant ? "√" : "Х"}); }
    static QString HistoryPass() { return Tab({"√", "0", "0", "0-50", "0", "Х", "Х"}); }
    static QString HistoryFail() { return Tab({"√", "0", "0", "", "0", "Х", "Х"}); }
    static QString GatherPass() { return Tab({"√", "0", "7", "0", "", "√", "Х"}); }
    static QString GatherFail() { return Tab({"√", "0", "7", "0", "", "Х", "Х"}); }

    std::unique_ptr<CLottorData> m_game;
};

// ---------------------------------------------------------------------------
// Tolerance over the three filters

struct FilterLevelCase {
    const char* Name;
    std::array<int, 3> Sel;    // match, history, gather
    std::array<bool, 3> Fails; // whether the list's one item fails
    std::array<int, 3> ErrSel;
    int OtherErrSel;
    const char* OtherErrVal;
    int Ubound; // -1: the set's range count
    bool Expected;
};

class FilterLevel : public OtherFilterTest, public ::testing::WithParamInterface<FilterLevelCase> {};

TEST_P(FilterLevel, Answer)
{
    const FilterLevelCase& c = GetParam();
    Open(Draws({"123", "456"}));
    ASSERT_TRUE(G().FilterMatch.AddPerVal(c.Fails[0] ? MatchFail() : MatchPass()));
    ASSERT_TRUE(G().FilterHistory.AddPerVal(c.Fails[1] ? HistoryFail() : HistoryPass()));
    ASSERT_TRUE(G().FilterGather.AddPerVal(c.Fails[2] ? GatherFail() : GatherPass()));
    G().FilterMatch.Sel = static_cast<int16_t>(c.Sel[0]);
    G().FilterHistory.Sel = static_cast<int16_t>(c.Sel[1]);
    G().FilterGather.Sel = static_cast<int16_t>(c.Sel[2]);
    G().FilterMatch.ErrSel = static_cast<int16_t>(c.ErrSel[0]);
    G().FilterHistory.ErrSel = static_cast<int16_t>(c.ErrSel[1]);
    G().FilterGather.ErrSel = static_cast<int16_t>(c.ErrSel[2]);
    G().ShrinkOtherErrSel = static_cast<int16_t>(c.OtherErrSel);
    G().ShrinkOtherErrVal = StrToRange(QString::fromUtf8(c.OtherErrVal), 0, 3);
    G().ShrinkOtherErrValUbound =
        static_cast<int16_t>(c.Ubound < 0 ? G().ShrinkOtherErrVal.Count() : c.Ubound);
    EXPECT_EQ(G().FilterOther(Bet(1, 2, 3), 2), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FilterLevel,
    ::testing::Values(
        FilterLevelCase{"AllOff", {0, 0, 0}, {true, true, true}, {0, 0, 0}, 0, "", -1, true},
        FilterLevelCase{"AllPass", {1, 1, 1}, {false, false, false}, {0, 0, 0}, 0, "", -1, true},
        FilterLevelCase{
            "AllOffToleranceWithoutZero", {0, 0, 0}, {false, false, false}, {0, 0, 0}, 1, "1-2", -1, false},
        FilterLevelCase{
            "AllOffToleranceWithZero", {0, 0, 0}, {false, false, false}, {0, 0, 0}, 1, "0-2", -1, true},
        FilterLevelCase{"EachFailureRejects", {0, 1, 0}, {false, true, false}, {0, 0, 0}, 0, "", -1, false},
        FilterLevelCase{"GatherFailureRejects", {0, 0, 1}, {false, false, true}, {0, 0, 0}, 0, "", -1, false},
        FilterLevelCase{
            "NotToleratedByTheList", {1, 0, 0}, {true, false, false}, {0, 1, 1}, 1, "0-3", -1, false},
        FilterLevelCase{
            "NotToleratedByTheLottery", {1, 0, 0}, {true, false, false}, {1, 1, 1}, 0, "0-3", -1, false},
        FilterLevelCase{
            "ToleranceSwitchOtherThanOne", {1, 0, 0}, {true, false, false}, {1, 1, 1}, 2, "0-3", -1, false},
        FilterLevelCase{
            "OneToleratedFailure", {1, 1, 1}, {true, false, false}, {1, 1, 1}, 1, "0-1", -1, true},
        FilterLevelCase{
            "TwoExceedTheLargest", {1, 1, 1}, {true, true, false}, {1, 1, 1}, 1, "0-1", -1, false},
        FilterLevelCase{"TwoAllowed", {1, 1, 1}, {true, true, false}, {1, 1, 1}, 1, "2", -1, true},
        FilterLevelCase{
            "TwoBetweenAllowedRanges", {1, 1, 1}, {true, true, false}, {1, 1, 1}, 1, "1 3", -1, false},
        FilterLevelCase{"ThreeAllowed", {1, 1, 1}, {true, true, true}, {1, 1, 1}, 1, "3", -1, true},
        FilterLevelCase{"NothingFailsButZeroNotAllowed",
                        {1, 1, 1},
                        {false, false, false},
                        {1, 1, 1},
                        1,
                        "1-3",
                        -1,
                        false},
        FilterLevelCase{
            "EmptyToleranceRejectsAFailure", {1, 0, 0}, {true, false, false}, {1, 1, 1}, 1, "", -1, false},
        FilterLevelCase{"EmptyToleranceRejectsEvenNoFailure",
                        {1, 0, 0},
                        {false, false, false},
                        {1, 1, 1},
                        1,
                        "",
                        -1,
                        false},
        FilterLevelCase{
            "SwitchedOffListIsNotCounted", {0, 1, 1}, {true, false, false}, {1, 1, 1}, 1, "0", -1, true},
        FilterLevelCase{
            "RangeCountLimitsTheSet", {1, 1, 0}, {true, true, false}, {1, 1, 1}, 1, "0 2", 1, false},
        FilterLevelCase{
            "RangeCountBeyondTheSet", {0, 0, 0}, {false, false, false}, {1, 1, 1}, 1, "0", 3, false}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---------------------------------------------------------------------------
// Tolerance inside one list

struct ItemLevelCase {
    const char* Name;
    std::vector<int> Items; // 0 pass, 1 fail tolerant, 2 fail not tolerant, 3 fail but inactive
    int SubErrSel;
    const char* SubErrVal;
    bool Expected;
};

class ItemLevel : public OtherFilterTest, public ::testing::WithParamInterface<ItemLevelCase> {};

TEST_P(ItemLevel, Answer)
{
    const ItemLevelCase& c = GetParam();
    Open(Draws({"123"}));
    for (int item : c.Items) {
        QString line = item == 0 ? MatchPass() : MatchFail(item == 1);
        if (item == 3)
            line = Tab({"Х", "", "", "Х", "√"});
        ASSERT_TRUE(G().FilterMatch.AddPerVal(line));
    }
    G().FilterMatch.Sel = 1;
    G().FilterMatch.SubErrSel = static_cast<int16_t>(c.SubErrSel);
    G().FilterMatch.SubErrVal = StrToRange(QString::fromUtf8(c.SubErrVal), 0, 50);
    EXPECT_EQ(G().FilterOther(Bet(1, 2, 3), 1), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ItemLevel,
                         ::testing::Values(ItemLevelCase{"NoItems", {}, 0, "", true},
                                           ItemLevelCase{"NoItemsCountZeroNotAllowed", {}, 1, "1-2", false},
                                           ItemLevelCase{"EmptySetFailsEveryCandidate", {0, 0}, 1, "", false},
                                           ItemLevelCase{"AllPass", {0, 0, 0}, 0, "", true},
                                           ItemLevelCase{
                                               "FailureWithoutListTolerance", {0, 1}, 0, "0-5", false},
                                           ItemLevelCase{"ToleratedFailure", {0, 1, 0}, 1, "0-1", true},
                                           ItemLevelCase{"FailureOfAnIntolerantItem", {2}, 1, "0-9", false},
                                           ItemLevelCase{"TwoExceedTheLargest", {1, 0, 1}, 1, "0-1", false},
                                           ItemLevelCase{"TwoAllowed", {1, 1}, 1, "2", true},
                                           ItemLevelCase{"TwoBetweenAllowedRanges", {1, 1}, 1, "1 3", false},
                                           ItemLevelCase{"InactiveItemIsIgnored", {3, 0}, 0, "", true},
                                           ItemLevelCase{"InactiveItemIsNotCounted", {3, 3}, 1, "0", true}),
                         [](const auto& info) { return std::string(info.param.Name); });

// ---------------------------------------------------------------------------
// Item rules

// Whether a list holding one item passes the candidate.
class ItemRuleTest : public OtherFilterTest {
protected:
    bool Match(const QString& line, const std::vector<int16_t>& bet)
    {
        G().FilterMatch.IniClass(&G().HeadData);
        EXPECT_TRUE(G().FilterMatch.AddPerVal(line));
        G().FilterMatch.Sel = 1;
        return G().FilterOther(bet, G().NumCount());
    }
    bool History(const QString& line, const std::vector<int16_t>& bet, int32_t index)
    {
        G().FilterHistory.IniClass(&G().HeadData);
        EXPECT_TRUE(G().FilterHistory.AddPerVal(line));
        G().FilterHistory.Sel = 1;
        return G().FilterOther(bet, index);
    }
    // The number of matching issues an item counts: the k whose set {k}
    // lets the candidate pass; -1 when none does.
    int Matches(int kind, int view, int issues, const std::vector<int16_t>& bet, int32_t index)
    {
        for (int k = 0; k <= 50; ++k) {
            const QString line =
                QStringLiteral("√\t%1\t%2\t%3\t%4\tХ\tХ").arg(view).arg(issues).arg(k).arg(kind);
            if (History(line, bet, index))
                return k;
        }
        return -1;
    }
    bool Gather(const QString& line, const std::vector<int16_t>& bet)
    {
        G().FilterGather.IniClass(&G().HeadData);
        EXPECT_TRUE(G().FilterGather.AddPerVal(line));
        G().FilterGather.Sel = 1;
        return G().FilterOther(bet, G().NumCount());
    }
};

TEST_F(ItemRuleTest, Match)
{
    Open(Draws({"123"}));
    // Any position: 1 and 2 listed, the candidate 1 1 3 hits once.
    EXPECT_TRUE(Match(Tab({"√", "1 2", "1-3", "Х", "Х"}), Bet(1, 1, 3)));
    EXPECT_FALSE(Match(Tab({"√", "1 2", "1-3", "√", "Х"}), Bet(1, 1, 3)));
    EXPECT_FALSE(Match(Tab({"√", "1 2", "2-3", "Х", "Х"}), Bet(1, 1, 3)));
    EXPECT_TRUE(Match(Tab({"√", "1 2", "2", "Х", "Х"}), Bet(1, 2, 1)));
    // Per position: only the hundreds (the first group) lists 5.
    EXPECT_TRUE(Match(Tab({"√", "5,,", "1", "Х", "Х"}), Bet(1, 2, 5)));
    EXPECT_FALSE(Match(Tab({"√", "5,,", "1", "Х", "Х"}), Bet(5, 5, 4)));
    EXPECT_TRUE(Match(Tab({"√", "5,6,7", "3", "Х", "Х"}), Bet(7, 6, 5)));
    EXPECT_TRUE(Match(Tab({"√", "5,6,7", "0", "Х", "Х"}), Bet(5, 7, 6)));
    // Removing: hit counts in the set are removed.
    EXPECT_FALSE(Match(Tab({"√", "5,6,7", "3", "√", "Х"}), Bet(7, 6, 5)));
    EXPECT_TRUE(Match(Tab({"√", "5,6,7", "3", "√", "Х"}), Bet(7, 6, 4)));
}

TEST_F(ItemRuleTest, HistoryKinds)
{
    // In view 0 the view numbers are the drawn numbers.
    Open(Draws({"311", "131", "133", "123", "115", "124", "113"}));
    const std::vector<int16_t> bet = Bet(3, 1, 1); // hundreds 1, tens 1, units 3
    // Straight: only the last draw 1-1-3 in place.
    EXPECT_EQ(Matches(0, 0, 0, bet, 7), 1);
    // Group: 311, 131 and 113 hold the same numbers; 133 does not.
    EXPECT_EQ(Matches(1, 0, 0, bet, 7), 3);
    // All but one: add 133, 123 and 115 (two in common); 124 has one.
    EXPECT_EQ(Matches(2, 0, 0, bet, 7), 6);
    EXPECT_EQ(Matches(2, 0, 0, bet, 5), 5);
    EXPECT_EQ(Matches(1, 0, 3, bet, 7), 1);
}

TEST_F(ItemRuleTest, HistorySpans)
{
    std::vector<const char*> rows(15, "999");
    rows[0] = rows[3] = rows[12] = "123";
    Open(Draws(rows));
    const std::vector<int16_t> bet = Bet(3, 2, 1);
    struct Span {
        int32_t Index;
        int Issues;
        int Expected;
    };
    for (const Span s : {Span{14, 10, 1}, Span{14, 0, 3}, Span{14, -3, 3}, Span{14, 2, 1}, Span{14, 1, 0},
                         Span{3, 10, 1}, Span{4, 10, 2}, Span{5, 2, 1}, Span{0, 10, 0}, Span{0, 0, 0},
                         Span{15, 0, 3}, Span{15, 3, 1}, Span{-2, 0, 0}}) {
        EXPECT_EQ(Matches(0, 0, s.Issues, bet, s.Index), s.Expected)
            << "target " << s.Index << " issues " << s.Issues;
    }
    // One item with 10 issues, then one with all: each takes its own span.
    G().FilterHistory.IniClass(&G().HeadData);
    ASSERT_TRUE(G().FilterHistory.AddPerVal(Tab({"√", "0", "10", "1", "0", "Х", "Х"})));
    ASSERT_TRUE(G().FilterHistory.AddPerVal(Tab({"√", "0", "全部", "3", "0", "Х", "Х"})));
    G().FilterHistory.Sel = 1;
    EXPECT_TRUE(G().FilterOther(bet, 14));
    QString text;
    EXPECT_EQ(G().VailOtherHistory(bet, 14, text), 0);
    EXPECT_EQ(G().VailOtherHistory(bet, 13, text), 1);
    EXPECT_EQ(text, QStringLiteral("第1项；"));
}

TEST_F(ItemRuleTest, HistoryViews)
{
    Open(Draws({"123", "456", "123"}));
    const std::vector<int16_t> bet = Bet(3, 2, 1);
    // A view beyond the lottery's views skips the item; a negative one
    // cannot be evaluated and fails the filter.
    EXPECT_TRUE(History(Tab({"√", "8", "0", "", "0", "Х", "Х"}), bet, 3));
    EXPECT_FALSE(History(Tab({"√", "-1", "0", "0-50", "0", "Х", "Х"}), bet, 3));
    QString text = QStringLiteral("kept");
    G().FilterHistory.IniClass(&G().HeadData);
    ASSERT_TRUE(G().FilterHistory.AddPerVal(Tab({"√", "-1", "0", "0-50", "0", "Х", "Х"})));
    EXPECT_EQ(G().VailOtherHistory(bet, 3, text), 0);
    EXPECT_EQ(text, QStringLiteral("kept"));
}

// The counts follow the draws when the history grows.
TEST_F(ItemRuleTest, HistoryFollowsNewDraws)
{
    Open(Draws({"123", "456"}));
    const std::vector<int16_t> bet = Bet(3, 2, 1);
    EXPECT_EQ(Matches(0, 0, 0, bet, 2), 1);
    ASSERT_EQ(G().Add(Draws({"123", "456", "123"})), 3);
    ASSERT_FALSE(G().UpData());
    EXPECT_EQ(Matches(0, 0, 0, bet, 3), 2);
}

// The counts of every kind, view and span against a direct comparison of
// the draws through the view queries; a game of 41 numbers has too many
// candidates for the count tables and compares the draws one by one. Right
// after the build the views hold all their numbers; opened again, they read
// only the spans asked for, and view 0 takes the draws.
class HistoryAgainstQueries : public ItemRuleTest, public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(HistoryAgainstQueries, Counts)
{
    const auto [dataLen, reopened] = GetParam();
    std::mt19937 rng(static_cast<unsigned>(dataLen));
    std::vector<Draw> draws;
    for (int i = 0; i < 120; ++i) {
        // Small numbers mostly, so that draws repeat.
        auto pick = [&] { return static_cast<int16_t>(rng() % 4 == 0 ? rng() % (dataLen + 1) : rng() % 4); };
        draws.push_back(Draw{1000 + i, {0, pick(), pick(), pick()}});
    }
    Open(draws, dataLen);
    if (reopened)
        Reopen();
    for (int trial = 0; trial < 60; ++trial) {
        const int view = static_cast<int>(rng() % 8);
        const int kind = static_cast<int>(rng() % 3);
        const int issues = static_cast<int>(rng() % 3 == 0 ? 0 : rng() % 150);
        const int32_t index = static_cast<int32_t>(rng() % 121);
        const std::vector<int16_t> bet = {0, static_cast<int16_t>(rng() % 4), static_cast<int16_t>(rng() % 4),
                                          static_cast<int16_t>(rng() % (dataLen + 1))};
        CStat& v = *G().StatView(static_cast<int16_t>(view));
        std::vector<int> c(4, 0);
        for (int p = 1; p <= 3; ++p)
            c[static_cast<size_t>(p)] = v.Data(index, bet[static_cast<size_t>(p)], 2);
        int expected = 0;
        for (int32_t k = issues > 0 ? std::max(0, index - issues) : 0; k < index; ++k) {
            std::vector<int> d(4, 0), count(static_cast<size_t>(dataLen + 1), 0);
            for (int p = 1; p <= 3; ++p) {
                d[static_cast<size_t>(p)] = v.Num(k, static_cast<int16_t>(p));
                ++count[static_cast<size_t>(d[static_cast<size_t>(p)])];
            }
            int common = 0;
            for (int p = 1; p <= 3; ++p) {
                if (count[static_cast<size_t>(c[static_cast<size_t>(p)])] > 0) {
                    --count[static_cast<size_t>(c[static_cast<size_t>(p)])];
                    ++common;
                }
            }
            const bool match = kind == 0 ? d == c : kind == 1 ? common == 3 : common >= 2;
            expected += match ? 1 : 0;
        }
        if (expected > 50)
            continue;
        EXPECT_EQ(Matches(kind, view, issues, bet, index), expected)
            << "view " << view << " kind " << kind << " issues " << issues << " target " << index;
    }
}

INSTANTIATE_TEST_SUITE_P(Games, HistoryAgainstQueries, ::testing::Combine(::testing::Values(9, 40), ::testing::Bool()),
                         [](const auto& info) {
                             return "Values" + std::to_string(std::get<0>(info.param) + 1) +
                                    (std::get<1>(info.param) ? "Reopened" : "JustBuilt");
                         });

TEST_F(ItemRuleTest, Gather)
{
    Open(Draws({"123"}));
    struct Row {
        const char* Line; // Active, View, Kind, Master, Partners, Remove, Tolerant
        std::vector<int16_t> Bet;
        bool Expected;
    };
    const Row rows[] = {
        // Group: master 5 at units, partners the tens and hundreds.
        {"√\t0\t0\t5\t7\tХ\tХ", Bet(5, 7, 1), true},
        {"√\t0\t0\t5\t7\tХ\tХ", Bet(5, 2, 7), true},
        {"√\t0\t0\t5\t7\tХ\tХ", Bet(5, 2, 1), false},
        {"√\t0\t0\t5\t7\t√\tХ", Bet(5, 2, 7), false},
        // Group without the master anywhere: skipped.
        {"√\t0\t0\t5\t\tХ\tХ", Bet(1, 2, 3), true},
        // Master twice at units and tens: both partners are the hundreds.
        {"√\t0\t0\t5\t3\tХ\tХ", Bet(5, 5, 3), true},
        {"√\t0\t0\t5\t5\tХ\tХ", Bet(5, 5, 3), false},
        // Master at the hundreds.
        {"√\t0\t0\t5\t1-2\tХ\tХ", Bet(1, 2, 5), true},
        // Hundreds and tens.
        {"√\t0\t1\t4\t2\tХ\tХ", Bet(9, 2, 4), true},
        {"√\t0\t1\t4\t2\tХ\tХ", Bet(2, 9, 4), false},
        {"√\t0\t1\t4\t\tХ\tХ", Bet(4, 2, 9), true}, // master not at the hundreds: skipped
        // Tens and units.
        {"√\t0\t2\t4\t8\tХ\tХ", Bet(8, 4, 0), true},
        {"√\t0\t2\t4\t8\tХ\tХ", Bet(0, 4, 8), false},
        // Units and hundreds.
        {"√\t0\t3\t4\t6\tХ\tХ", Bet(4, 0, 6), true},
        {"√\t0\t3\t4\t6\tХ\tХ", Bet(4, 6, 0), false},
        // Any other kind: no partner; the item fails unless it removes.
        {"√\t0\t7\t4\t0-20\tХ\tХ", Bet(4, 4, 4), false},
        {"√\t0\t7\t4\t0-20\t√\tХ", Bet(4, 4, 4), true},
        // A view the lottery does not have cannot be evaluated.
        {"√\t8\t7\t4\t0-20\t√\tХ", Bet(4, 4, 4), false},
        {"√\t-1\t7\t4\t0-20\t√\tХ", Bet(4, 4, 4), false},
        // Inactive items never fail.
        {"Х\t8\t7\t4\t\tХ\tХ", Bet(4, 4, 4), true},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Gather(QString::fromUtf8(r.Line), r.Bet), r.Expected) << r.Line;
}

// A skipped gather item neither fails nor counts an error.
TEST_F(ItemRuleTest, SkippedGatherItemIsNoError)
{
    Open(Draws({"123"}));
    G().FilterGather.IniClass(&G().HeadData);
    ASSERT_TRUE(G().FilterGather.AddPerVal(QStringLiteral("√\t0\t1\t4\t\tХ\t√")));
    G().FilterGather.Sel = 1;
    G().FilterGather.SubErrSel = 1;
    G().FilterGather.SubErrVal = StrToRange(u"0", 0, 50);
    EXPECT_TRUE(G().FilterOther(Bet(4, 2, 9), 1));
    EXPECT_FALSE(G().FilterOther(Bet(4, 2, 4), 1)); // master at the hundreds, partner 2 not listed
}

// Gather items in a transformed view take the candidate's view numbers.
TEST_F(ItemRuleTest, GatherInATransformedView)
{
    Open(Draws({"123", "456", "789", "111", "222"}));
    CStat& v = *G().StatView(2);
    const int32_t next = G().NumCount();
    const std::vector<int16_t> bet = Bet(7, 8, 9);
    const int hundreds = v.Data(next, 9, 2);
    const int tens = v.Data(next, 8, 2);
    const QString keep = QStringLiteral("√\t2\t1\t%1\t%2\tХ\tХ").arg(hundreds).arg(tens);
    EXPECT_TRUE(Gather(keep, bet));
    const QString other = QStringLiteral("√\t2\t1\t%1\t%2\tХ\tХ").arg(hundreds).arg((tens + 1) % 10);
    EXPECT_FALSE(Gather(other, bet));
}

// ---------------------------------------------------------------------------
// Candidates the filters cannot take

TEST_F(ItemRuleTest, CandidateOutsideTheGameFailsEveryFilter)
{
    Open(Draws({"123"}));
    ASSERT_TRUE(G().FilterMatch.AddPerVal(MatchPass()));
    ASSERT_TRUE(G().FilterHistory.AddPerVal(HistoryPass()));
    ASSERT_TRUE(G().FilterGather.AddPerVal(GatherPass()));
    for (int which = 0; which < 3; ++which) {
        G().FilterMatch.Sel = which == 0 ? 1 : 0;
        G().FilterHistory.Sel = which == 1 ? 1 : 0;
        G().FilterGather.Sel = which == 2 ? 1 : 0;
        EXPECT_TRUE(G().FilterOther(Bet(1, 2, 3), 1)) << which;
        EXPECT_FALSE(G().FilterOther(Bet(1, 10, 3), 1)) << which;
        EXPECT_FALSE(G().FilterOther(Bet(-1, 2, 3), 1)) << which;
        EXPECT_FALSE(G().FilterOther(std::vector<int16_t>{0, 1}, 1)) << which;
    }
    QString text = QStringLiteral("kept");
    EXPECT_EQ(G().VailOtherMatch(Bet(1, 10, 3), text), 0);
    EXPECT_EQ(G().VailOtherHistory(Bet(1, 10, 3), 1, text), 0);
    EXPECT_EQ(G().VailOtherGather(Bet(1, 10, 3), 1, text), 0);
    EXPECT_EQ(text, QStringLiteral("kept"));
}

TEST_F(OtherFilterTest, NoGameFailsEveryFilter)
{
    CLottorData empty;
    empty.FilterMatch.Sel = 1;
    EXPECT_FALSE(empty.FilterOther(Bet(1, 2, 3), 0));
    QString text = QStringLiteral("kept");
    EXPECT_EQ(empty.VailOtherMatch(Bet(1, 2, 3), text), 0);
    EXPECT_EQ(text, QStringLiteral("kept"));
}

// ---------------------------------------------------------------------------
// Verification counts

TEST_F(OtherFilterTest, VerificationListsEveryFailingItem)
{
    Open(Draws({"123", "456"}));
    for (const QString& line : {MatchPass(), MatchFail(true), MatchPass(), Tab({"Х", "", "", "Х", "Х"}),
                                MatchFail(false), MatchPass()})
        ASSERT_TRUE(G().FilterMatch.AddPerVal(line));
    // Switches and tolerances play no part.
    G().FilterMatch.Sel = 0;
    G().FilterMatch.SubErrSel = 1;
    G().FilterMatch.SubErrVal = StrToRange(u"0-9", 0, 50);
    QString text = QStringLiteral("old");
    EXPECT_EQ(G().VailOtherMatch(Bet(1, 2, 3), text), 2);
    EXPECT_EQ(text, QStringLiteral("第2项；第5项；"));

    for (const QString& line :
         {HistoryFail(), HistoryPass(), Tab({"√", "9", "0", "", "0", "Х", "Х"}), HistoryFail()})
        ASSERT_TRUE(G().FilterHistory.AddPerVal(line));
    EXPECT_EQ(G().VailOtherHistory(Bet(1, 2, 3), 2, text), 2);
    EXPECT_EQ(text, QStringLiteral("第1项；第4项；"));

    for (const QString& line : {GatherPass(), GatherPass(), GatherFail()})
        ASSERT_TRUE(G().FilterGather.AddPerVal(line));
    EXPECT_EQ(G().VailOtherGather(Bet(1, 2, 3), 2, text), 1);
    EXPECT_EQ(text, QStringLiteral("第3项；"));

    G().FilterGather.IniClass(&G().HeadData);
    EXPECT_EQ(G().VailOtherGather(Bet(1, 2, 3), 2, text), 0);
    EXPECT_EQ(text, QString());
}

} // namespace
} // namespace kelton
