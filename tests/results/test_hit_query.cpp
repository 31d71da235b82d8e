#include "results/hit_query.h"

#include <QStringList>

#include <gtest/gtest.h>

#include "core/bet_list.h"
#include "support/draw_rows.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;
using test::Bet;

// A list of three-digit bets written highest place first ("121").
BetList Bets(std::initializer_list<const char*> written)
{
    BetList bets(3);
    for (const char* w : written)
        bets.AddBet(Bet(w[2] - '0', w[1] - '0', w[0] - '0'));
    return bets;
}

// The draw as the digit boxes give it, written highest place first.
std::vector<int16_t> Draw(const char* w)
{
    return Bet(w[2] - '0', w[1] - '0', w[0] - '0');
}

// The listed bets as written (highest place first), blanks removed.
QStringList Listed(const BetList& bets, const HitTally& tally)
{
    QStringList out;
    for (const int32_t i : tally.Listed)
        out << bets.BetText(i, 3, 1).remove(u' ');
    return out;
}

TEST(HitQuery, GroupModesAreOfferedOnlyForThreeDigitGames)
{
    EXPECT_EQ(HitModeCount(3), 3);
    for (const int16_t bcMain : {1, 2, 4, 5, 7})
        EXPECT_EQ(HitModeCount(bcMain), 1) << bcMain;
    EXPECT_EQ(HitModeName(HitMode::Direct), u"单选"_s);
    EXPECT_EQ(HitModeName(HitMode::Group3), u"组选三"_s);
    EXPECT_EQ(HitModeName(HitMode::Group6), u"组选六"_s);
    EXPECT_EQ(HitPrizeCaption(HitMode::Group6), u"组选六奖金"_s);
    EXPECT_EQ(HitPrizeIndex(HitMode::Direct), 1);
    EXPECT_EQ(HitPrizeIndex(HitMode::Group6), 3);
    // A group mode never qualifies a draw of another shape.
    const std::vector<int16_t> fourDigits{0, 1, 2, 3, 4};
    EXPECT_FALSE(DrawQualifies(HitMode::Group6, fourDigits, 4));
    EXPECT_TRUE(DrawQualifies(HitMode::Direct, fourDigits, 4));
}

TEST(HitQuery, EachModeListsTheLiveBetsItsDrawMatchesInListOrder)
{
    const BetList bets = Bets({"555", "121", "112", "211", "122", "555", "137", "713", "371", "373", "731"});
    struct Case {
        HitMode mode;
        const char* draw;
        QStringList listed;
    };
    const Case cases[] = {
        {HitMode::Direct, "555", {u"555"_s, u"555"_s}},
        {HitMode::Direct, "371", {u"371"_s}},
        {HitMode::Direct, "999", {}},
        // Two 1s and one 2 in any order, whatever places the boxes show them in.
        {HitMode::Group3, "121", {u"121"_s, u"112"_s, u"211"_s}},
        {HitMode::Group3, "211", {u"121"_s, u"112"_s, u"211"_s}},
        // A triple or three different digits: no group-3 draw.
        {HitMode::Group3, "555", {}},
        {HitMode::Group3, "371", {}},
        {HitMode::Group6, "371", {u"137"_s, u"713"_s, u"371"_s, u"731"_s}},
        {HitMode::Group6, "133", {}},
        {HitMode::Group6, "555", {}},
    };
    for (const Case& c : cases) {
        const HitTally tally = QueryHits(bets, c.mode, Draw(c.draw), 3, Currency::FromUnits(10));
        EXPECT_EQ(Listed(bets, tally), c.listed) << HitModeName(c.mode).toStdString() << ' ' << c.draw;
        EXPECT_EQ(tally.Count, c.listed.size());
        EXPECT_EQ(tally.TotalText(), QString::number(10 * c.listed.size()));
    }
}

TEST(HitQuery, RemovedBetsNeverHitAndUndoneRemovalsCountAsLive)
{
    BetList bets = Bets({"555", "555", "555", "555"});
    // Step 1 removes bet 2, step 2 bet 3; step 2 is undone.
    ASSERT_EQ(bets.BeginStep(), BetList::StepResult::Ok);
    bets.MarkRemoved(1);
    bets.CloseStep();
    ASSERT_EQ(bets.BeginStep(), BetList::StepResult::Ok);
    bets.MarkRemoved(2);
    bets.CloseStep();
    bets.Undo();
    ASSERT_EQ(bets.Level(1), 1);
    ASSERT_EQ(bets.Level(2), 2);
    ASSERT_EQ(bets.BetStep(), 2);

    const HitTally tally = QueryHits(bets, HitMode::Direct, Draw("555"), 3, Currency::FromUnits(1000));
    EXPECT_EQ(tally.Listed, (std::vector<int32_t>{0, 2, 3}));
    EXPECT_EQ(tally.Count, 3);
    EXPECT_EQ(tally.TotalText(), u"3000"_s);
}

TEST(HitQuery, AtMost19999HitsAreListedWhileAllAreCountedAndSummed)
{
    BetList bets(3);
    for (int i = 0; i < 20005; ++i)
        bets.AddBet(Bet(4, 8, 9));
    bets.AddBet(Bet(1, 8, 9));
    const HitTally tally =
        QueryHits(bets, HitMode::Group6, Draw("498"), 3, *Currency::FromText(u"12.5"));
    ASSERT_EQ(tally.Listed.size(), size_t(kMaxListedHits));
    EXPECT_EQ(tally.Listed.front(), 0);
    EXPECT_EQ(tally.Listed.back(), kMaxListedHits - 1);
    EXPECT_EQ(tally.Count, 20005);
    EXPECT_EQ(tally.TotalText(), u"250062.5"_s);
    EXPECT_EQ(HitSummaryRows(tally, HitMode::Group6)[1], u"20005注\t奖金:250062.5\t组选六"_s);
}

TEST(HitQuery, TheTotalIsTheCountTimesTheAmountWithoutOverflow)
{
    struct Case {
        int32_t count;
        const char* amount;
        const char* total;
    };
    const Case cases[] = {
        {0, "1000", "0"},
        {7, "0", "0"},
        {3, "0.3333", "0.9999"},
        {4, "2.5", "10"},
        // Past the 64-bit range of ten-thousandths.
        {2000000000, "999999999.9999", "1999999999999800000"},
    };
    for (const Case& c : cases) {
        HitTally tally;
        tally.Count = c.count;
        tally.Amount = *Currency::FromText(QString::fromLatin1(c.amount));
        EXPECT_EQ(tally.TotalText(), QString::fromLatin1(c.total)) << c.count << " x " << c.amount;
    }
}

TEST(HitQuery, RowsShowTheBetsOwnDigitsHighestPlaceFirst)
{
    BetList bets(3);
    bets.AddBet(Bet(1, 1, 2));
    bets.AddBet(Bet(5, 0, 9));
    EXPECT_EQ(HitRowText(bets, 1, HitMode::Direct, 3, 1), u"2\t9 0 5\t单选"_s);
    EXPECT_EQ(HitRowText(bets, 0, HitMode::Group3, 3, 2), u"1\t02 01 01\t组选三"_s);

    const HitTally none = QueryHits(bets, HitMode::Group3, Draw("123"), 3, Currency::FromUnits(320));
    const auto summary = HitSummaryRows(none, HitMode::Group3);
    EXPECT_EQ(summary[0], u" \t统计"_s);
    EXPECT_EQ(summary[1], u"0注\t奖金:0\t组选三"_s);
    // An empty list.
    EXPECT_EQ(QueryHits(BetList(3), HitMode::Direct, Draw("000"), 3, Currency::FromUnits(1)).Count, 0);
}

TEST(HitQuery, ThePrizeEditorTakesAtMostNineDigitsAndFourDecimalsAndNoNegativeAmount)
{
    using C = PrizeTextCheck;
    struct Case {
        const char* text;
        C check;
        int64_t raw;
    };
    const Case cases[] = {
        {"1000", C::Ok, 10000000},
        {"12.5", C::Ok, 125000},
        {" 7 ", C::Ok, 70000},
        {"+3", C::Ok, 30000},
        {".5", C::Ok, 5000},
        {"0", C::Ok, 0},
        {"-0", C::Ok, 0},
        {"999999999.9999", C::Ok, 9999999999999},
        {"0000000001", C::Ok, 10000},
        {"1.50000", C::Ok, 15000},
        {"", C::NotNumber, 0},
        {"   ", C::NotNumber, 0},
        {"abc", C::NotNumber, 0},
        {"12a", C::NotNumber, 0},
        {"1e5", C::NotNumber, 0},
        {"1,000", C::NotNumber, 0},
        {"-5", C::Negative, 0},
        {"-0.01", C::Negative, 0},
        {"1234567890", C::TooManyDigits, 0},
        {"99999999999999999999999", C::TooManyDigits, 0},
        {"1.23456", C::TooManyDecimals, 0},
    };
    for (const Case& c : cases) {
        const PrizeEntry entry = ReadPrizeText(QString::fromLatin1(c.text));
        EXPECT_EQ(entry.Check, c.check) << '"' << c.text << '"';
        if (c.check == C::Ok) {
            EXPECT_EQ(entry.Value.Raw(), c.raw) << c.text;
        }
        // Only a refused amount is worded.
        EXPECT_EQ(PrizeRefusalText(c.check).isEmpty(), c.check == C::Ok || c.check == C::NotNumber);
    }
    EXPECT_EQ(PrizeRefusalText(C::TooManyDigits), u"奖金的整数部分最多 9 位，未保存。"_s);
}

TEST(HitQuery, LayoutPutsTheHighestPlaceOnTopAndFollowsTheDialogSize)
{
    const HitQueryControls three = HitQueryOpenLayout(3, 0);
    ASSERT_EQ(three.Boxes.size(), size_t(3));
    EXPECT_EQ(three.Boxes[2].y(), 1440); // hundreds
    EXPECT_EQ(three.Boxes[1].y(), 1860);
    EXPECT_EQ(three.Boxes[0].y(), 2280); // units
    EXPECT_EQ(three.Labels[0].y(), 2340);
    EXPECT_EQ(three.CmdQuery.y(), 2780);
    EXPECT_EQ(three.CmdHelp.y(), 3280);
    // A secondary number's box below the units box, the buttons below it.
    const HitQueryControls withSecondary = HitQueryOpenLayout(3, 1);
    ASSERT_EQ(withSecondary.Boxes.size(), size_t(4));
    EXPECT_EQ(withSecondary.Boxes[3].y(), 2700);
    EXPECT_EQ(withSecondary.CmdQuery.y(), 3200);
    // Many places: the dialog grows to show them.
    const HitQueryControls seven = HitQueryOpenLayout(7, 2);
    EXPECT_GE(seven.Outer.height(), seven.Hint.bottom() + 600);
    EXPECT_GE(seven.MinOuter.height(), seven.Hint.bottom());

    using L = HitQueryFrameLayout;
    const L wide = HitQueryResize({9900, 7200}, 0);
    EXPECT_EQ(wide.Frame, QRect(L::kFrameLeft, L::kFrameTop, 9900 - L::kFrameLeft - 200, 7200 - L::kFrameTop - 600));
    EXPECT_EQ(wide.LineWidth, wide.Frame.width());
    EXPECT_EQ(wide.PrizeGrid.width(), wide.Frame.width() - 100);
    EXPECT_EQ(wide.ResultGrid.width(), wide.PrizeGrid.width());
    EXPECT_EQ(wide.ResultGrid.height(), wide.Frame.height() - L::kResultTop - 50);
    // Too small: the frame shrinks to nothing and the hit list keeps its height.
    const L tiny = HitQueryResize({L::kFrameLeft + 150, L::kFrameTop + 1000}, 2345);
    EXPECT_EQ(tiny.Frame.width(), 0);
    EXPECT_EQ(tiny.PrizeGrid.width(), 0);
    EXPECT_EQ(tiny.Frame.height(), 400);
    EXPECT_EQ(tiny.ResultGrid.height(), 2345);
}

} // namespace
} // namespace kelton
