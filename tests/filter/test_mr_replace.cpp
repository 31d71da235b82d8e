#include "filter/mr_replace.h"

#include <gtest/gtest.h>

#include "core/bet_list.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

TEST(MrReplace, ReplaceBoxesReadBlankSeparatedNumbersInRange)
{
    struct Case {
        const char* text;
        std::optional<std::vector<int16_t>> numbers;
    };
    const Case cases[] = {
        {"7", std::vector<int16_t>{7}},
        {"  3 12  3 ", std::vector<int16_t>{3, 12, 3}},
        {"0", std::vector<int16_t>{0}},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"13", std::nullopt},
        {"-1", std::nullopt},
        {"3,4", std::nullopt},
        {"a", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseMrNumbers(QString::fromUtf8(c.text), 12), c.numbers) << c.text;
}

// Positions 0..4: three main numbers and one secondary at position 4.
std::vector<int16_t> Bet(int16_t secondary)
{
    return {0, 1, 2, 3, secondary};
}

std::vector<int16_t> Secondaries(const BetList& bets)
{
    std::vector<int16_t> out;
    for (int32_t i = 0; i < bets.BetCount(); ++i)
        out.push_back(bets.Digits(i)[4]);
    return out;
}

TEST(MrReplace, TheNewNumbersGoToTheLiveBetsInTurn)
{
    BetList bets(4);
    for (const int16_t s : {11, 5, 11, 11, 7, 11})
        bets.AddBet(Bet(s));
    // Bet 4 (index 3) removed: it keeps its number for an undo.
    ASSERT_EQ(bets.BeginStep(), BetList::StepResult::Ok);
    bets.MarkRemoved(3);
    bets.CloseStep();

    EXPECT_EQ(ReplaceSecondary(bets, 3, {11, 7}, {1, 2}), 4);
    EXPECT_EQ(Secondaries(bets), (std::vector<int16_t>{1, 5, 2, 11, 1, 2}));
    // Main numbers, steps and counts stay.
    EXPECT_EQ(bets.Digits(0)[1], 1);
    EXPECT_EQ(bets.Digits(0)[3], 3);
    EXPECT_EQ(bets.CountText(), u"投注数：5 可恢复：1"_s);
    bets.Undo();
    EXPECT_EQ(bets.Digits(3)[4], 11);

    // Nothing to replace, and a game without secondary numbers.
    EXPECT_EQ(ReplaceSecondary(bets, 3, {9}, {1}), 0);
    BetList plain(3);
    plain.AddBet(std::vector<int16_t>{0, 1, 2, 3});
    EXPECT_EQ(ReplaceSecondary(plain, 3, {1}, {2}), 0);
    EXPECT_EQ(plain.Digits(0)[3], 3);
}

} // namespace
} // namespace kelton
