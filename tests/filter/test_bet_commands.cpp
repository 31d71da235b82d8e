#include "filter/bet_commands.h"

#include <utility>
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "data/lottor_data.h"
#include "core/msg_service.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using Result = ExpandOutcome::Result;

std::vector<int16_t> AllDigits()
{
    return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
}

BetSelection Group(std::vector<int16_t> digits)
{
    BetSelection s;
    s.Digits[0] = std::move(digits);
    return s;
}

BetSelection Direct(std::vector<int16_t> units, std::vector<int16_t> tens, std::vector<int16_t> hundreds)
{
    BetSelection s;
    s.Digits[1] = std::move(units);
    s.Digits[2] = std::move(tens);
    s.Digits[3] = std::move(hundreds);
    return s;
}

// The bets as numbers written hundreds first ("013").
QStringList Bets(const BetList& l)
{
    QStringList out;
    for (int32_t i = 0; i < l.BetCount(); ++i)
        out << l.BetText(i, 3, 1).remove(QLatin1Char(' '));
    return out;
}

// A list of a few group bets with a step and an undone step, to see it
// survive.
BetList OldList()
{
    BetList l(3);
    std::vector<int16_t> digits;
    for (int16_t v = 1; v <= 5; ++v)
        digits.insert(digits.end(), {0, v, v, v});
    l.AssignBets(std::move(digits), BetType::Group3);
    for (int32_t i : {0, 1}) {
        l.BeginStep();
        l.MarkRemoved(i);
        l.CloseStep();
    }
    l.Undo();
    return l;
}

void ExpectSameList(const BetList& a, const BetList& b)
{
    ASSERT_EQ(a.BetCount(), b.BetCount());
    EXPECT_EQ(a.Type(), b.Type());
    EXPECT_EQ(a.BetStep(), b.BetStep());
    EXPECT_EQ(a.BetLastStep(), b.BetLastStep());
    for (int16_t k = 1; k <= a.BetLastStep(); ++k)
        EXPECT_EQ(a.BetStepCount(k), b.BetStepCount(k));
    for (int32_t i = 0; i < a.BetCount(); ++i) {
        EXPECT_EQ(a.Level(i), b.Level(i));
        EXPECT_EQ(a.BetText(i, 3, 1), b.BetText(i, 3, 1));
    }
}

class BetExpansion : public test::HeadlessMsgTest {
protected:
    ExpandOutcome Expand(BetType type, const BetSelection& sel, BetList& list, int16_t bcMain = 3)
    {
        return ExpandBets(type, sel, bcMain, list, m_msg, [this](const QString& q) {
            m_asked << q;
            return m_answer;
        });
    }

    QStringList m_asked;
    bool m_answer = false;
};

TEST_F(BetExpansion, TypesMakeTheirBetsInOrder)
{
    struct Row {
        const char* Name;
        BetType Type;
        BetSelection Sel;
        int32_t Count;
        QStringList Bets; // all of them, or the first and the last
    };
    const std::vector<Row> rows = {
        {"direct, one digit each", BetType::Direct, Direct({3}, {2}, {1}), 1, {"123"}},
        {"direct, two by one by two",
         BetType::Direct,
         Direct({0, 5}, {7}, {1, 9}),
         4,
         {"170", "175", "970", "975"}},
        {"group-3 of 3 and 7", BetType::Group3, Group({3, 7}), 2, {"337", "377"}},
        {"group-3 of 0 1 2",
         BetType::Group3,
         Group({0, 1, 2}),
         6,
         {"001", "002", "011", "022", "112", "122"}},
        {"group-6 of three", BetType::Group6, Group({1, 4, 8}), 1, {"148"}},
        {"all group of 0 and 1", BetType::AllGroup, Group({0, 1}), 4, {"000", "001", "011", "111"}},
        {"triples of 1 and 5", BetType::Triple, Group({1, 5}), 2, {"111", "555"}},
        {"group-3 of ten", BetType::Group3, Group(AllDigits()), 90, {"001", "899"}},
        {"group-6 of ten", BetType::Group6, Group(AllDigits()), 120, {"012", "789"}},
        {"all group of ten", BetType::AllGroup, Group(AllDigits()), 220, {"000", "999"}},
        {"triples of ten", BetType::Triple, Group(AllDigits()), 10, {"000", "999"}},
    };
    for (const Row& r : rows) {
        BetList l = OldList();
        const ExpandOutcome out = Expand(r.Type, r.Sel, l);
        ASSERT_TRUE(out.Ok()) << r.Name;
        EXPECT_EQ(out.Count, r.Count) << r.Name;
        EXPECT_EQ(BetCountOf(r.Type, r.Sel, 3), r.Count) << r.Name;
        ASSERT_EQ(l.BetCount(), r.Count) << r.Name;
        EXPECT_EQ(l.Type(), r.Type) << r.Name;
        const QStringList bets = Bets(l);
        if (r.Bets.size() == r.Count) {
            EXPECT_EQ(bets, r.Bets) << r.Name;
        } else {
            EXPECT_EQ(QStringList({bets.first(), bets.last()}), r.Bets) << r.Name;
        }
        // Group bets never descend from the hundreds to the units.
        if (r.Type != BetType::Direct) {
            for (int32_t i = 0; i < l.BetCount(); ++i)
                EXPECT_TRUE(l.Digits(i)[3] <= l.Digits(i)[2] && l.Digits(i)[2] <= l.Digits(i)[1]) << r.Name;
        }
        // The old bets and their steps are gone.
        EXPECT_EQ(l.BetStep(), 1) << r.Name;
        EXPECT_EQ(l.BetLastStep(), 0) << r.Name;
        EXPECT_EQ(l.LiveCount(), r.Count) << r.Name;
        EXPECT_FALSE(l.CanUndo() || l.CanRedo()) << r.Name;
    }
}

TEST_F(BetExpansion, DirectBetsWithEveryDigitRunFrom000To999)
{
    BetList l(3);
    const ExpandOutcome out = Expand(BetType::Direct, Direct(AllDigits(), AllDigits(), AllDigits()), l);
    ASSERT_TRUE(out.Ok());
    ASSERT_EQ(l.BetCount(), 1000);
    for (int32_t i = 0; i < 1000; ++i) {
        const auto d = l.Digits(i);
        ASSERT_EQ(d[3] * 100 + d[2] * 10 + d[1], i);
        ASSERT_EQ(d[0], 0);
    }
    EXPECT_EQ(l.Id(0), 1);
    EXPECT_EQ(l.BetText(0, 3, 1), QStringLiteral("0 0 0"));
    EXPECT_EQ(l.Id(999), 1000);
    EXPECT_EQ(l.BetText(999, 3, 1), QStringLiteral("9 9 9"));
    EXPECT_EQ(l.CountText(), QStringLiteral("投注数：1000 可恢复：0"));

    // Progress at bets 1, 101, .., 901, one pass each; the bar is closed.
    std::vector<int32_t> values;
    for (int32_t c = 1; c <= 901; c += 100)
        values.push_back(c);
    EXPECT_EQ(m_display.Values, values);
    EXPECT_EQ(m_display.PumpCount, 10);
    EXPECT_EQ(m_display.ShownMax, 1000);
    EXPECT_TRUE(m_display.ShownCanClick);
    EXPECT_TRUE(m_display.StatusTexts.contains(QStringLiteral("复式分解单注")));
    EXPECT_FALSE(m_msg.PrgVisible());
    EXPECT_FALSE(m_msg.IsBusy());
    EXPECT_TRUE(m_asked.isEmpty());
}

TEST_F(BetExpansion, RefusalsKeepTheOldList)
{
    struct Row {
        const char* Name;
        BetType Type;
        BetSelection Sel;
        int16_t BcMain;
        Result Code;
        QString Message;
    };
    const QString shortfall = QStringLiteral("[组选号码]选择号码个数不够!");
    const std::vector<Row> rows = {
        {"direct, units and tens empty", BetType::Direct, Direct({}, {}, {1}), 3, Result::MissingPosition,
         QStringLiteral("请选择[个位号码]")},
        {"direct, hundreds empty", BetType::Direct, Direct({1}, {2}, {}), 3, Result::MissingPosition,
         QStringLiteral("请选择[百位号码]")},
        {"group-6 of two", BetType::Group6, Group({1, 2}), 3, Result::TooFewGroupDigits, shortfall},
        {"group-3 of one", BetType::Group3, Group({1}), 3, Result::TooFewGroupDigits, shortfall},
        {"all group of one", BetType::AllGroup, Group({1}), 3, Result::TooFewGroupDigits, shortfall},
        {"triples of one", BetType::Triple, Group({4}), 3, Result::TooFewGroupDigits, shortfall},
        {"direct, four positions", BetType::Direct, Direct({1}, {2}, {3}), 4, Result::UnsupportedPositions,
         QStringLiteral("投注只适用于三个号码位置的彩票！")},
        {"group, two positions", BetType::Group3, Group({1, 2}), 2, Result::UnsupportedPositions,
         QStringLiteral("投注只适用于三个号码位置的彩票！")},
    };
    for (const Row& r : rows) {
        BetList l = OldList();
        const BetList before = l;
        const ExpandOutcome out = Expand(r.Type, r.Sel, l, r.BcMain);
        EXPECT_EQ(out.Code, r.Code) << r.Name;
        EXPECT_EQ(out.Message(), r.Message) << r.Name;
        ExpectSameList(l, before);
        EXPECT_FALSE(m_msg.PrgVisible()) << r.Name;
        EXPECT_FALSE(m_msg.IsBusy()) << r.Name;
    }
}

TEST_F(BetExpansion, AStopRequestIsPutToTheUser)
{
    const BetSelection all = Direct(AllDigits(), AllDigits(), AllDigits());
    m_display.OnPump = [](int pass) {
        if (pass == 1)
            MsgProgressClicked();
    };

    // Cancel: the expansion runs to the full count, the request used up.
    BetList l = OldList();
    ExpandOutcome out = Expand(BetType::Direct, all, l);
    EXPECT_TRUE(out.Ok());
    EXPECT_EQ(l.BetCount(), 1000);
    EXPECT_EQ(m_asked, QStringList({ExpandStopQuestion()}));

    // OK: the old list and its steps stay.
    m_display.PumpCount = 0;
    m_asked.clear();
    m_answer = true;
    BetList k = OldList();
    out = Expand(BetType::Direct, all, k);
    EXPECT_EQ(out.Code, Result::Cancelled);
    EXPECT_EQ(out.Message(), QStringLiteral("取消投注！"));
    EXPECT_EQ(m_asked.size(), 1);
    ExpectSameList(k, OldList());
    EXPECT_TRUE(k.CanRedo());
    EXPECT_FALSE(m_msg.PrgVisible());
    EXPECT_FALSE(m_msg.IsBusy());
}

TEST_F(BetExpansion, SecondaryPositionsStayZero)
{
    BetList l(4);
    ASSERT_TRUE(Expand(BetType::Group6, Group({1, 2, 3}), l).Ok());
    ASSERT_EQ(l.Digits(0).size(), 5u);
    EXPECT_EQ(l.Digits(0)[4], 0);
    EXPECT_EQ(l.BetText(0, 3, 1), QStringLiteral("1 2 3"));
}

TEST_F(BetExpansion, TheChooserFeedsTheSelection)
{
    CLottorData game;
    game.HeadData.SetHeadStr(QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    game.SelBc().assign(4, std::vector<int16_t>(10, 0));
    for (auto [p, v] : std::vector<std::pair<int16_t, int16_t>>{{0, 7}, {0, 3}, {1, 9}, {3, 0}})
        game.SelectBall(p, v, -1);
    const BetSelection sel = SelectionOf(game);
    EXPECT_EQ(sel.Digits[0], std::vector<int16_t>({3, 7}));
    EXPECT_EQ(sel.Digits[1], std::vector<int16_t>({9}));
    EXPECT_TRUE(sel.Digits[2].empty());
    EXPECT_EQ(sel.Digits[3], std::vector<int16_t>({0}));
}

TEST(BetTypes, CombinationsAndTheChosenType)
{
    struct Row {
        int16_t P, Q, R;
        int32_t Want;
    };
    for (const Row& r : std::vector<Row>{{10, 3, 0, 120},
                                         {3, 3, 0, 1},
                                         {2, 3, 0, 0},
                                         {5, 2, 1, 4},
                                         {3, 1, 2, 0},
                                         {1000, 3, 0, 166167000},
                                         {32767, 16000, 0, INT32_MAX}})
        EXPECT_EQ(CountCombinations(r.P, r.Q, r.R), r.Want) << r.P << " " << r.Q << " " << r.R;

    EXPECT_EQ(ChosenBetType({true, false, false, false, false}), BetType::Direct);
    EXPECT_EQ(ChosenBetType({false, false, true, false, false}), BetType::Group3);
    EXPECT_EQ(ChosenBetType({false, false, false, false, true}), BetType::Triple);
    EXPECT_EQ(ChosenBetType({false, false, false, false, false}), BetType::Triple);

    EXPECT_FALSE(BetRowCommandsEnabled(0, 5));
    EXPECT_FALSE(BetRowCommandsEnabled(1, 0));
    EXPECT_TRUE(BetRowCommandsEnabled(1, 1));
    EXPECT_FALSE(DeleteSelectionApplies(0, 3));
    EXPECT_FALSE(DeleteSelectionApplies(3, 0));
    EXPECT_TRUE(DeleteSelectionApplies(3, 1));
}

} // namespace
} // namespace kelton
