#include "pickers/ui/pick.h"

#include <gtest/gtest.h>

#include "data/lottor_head.h"
#include "data/picker_service.h"
#include "platform/services.h"

namespace kelton {
namespace {

// A picker that answers with fixed results and notes what it was given.
class FakePickers : public IPickerService {
public:
    QString PickValues(const QString& strVal, int16_t, int16_t, const QString&, const QString&) override
    {
        return strVal + QStringLiteral(" 9");
    }
    bool PickBall(const CLottorHead& head, std::vector<int16_t>& balls) override
    {
        Given = balls;
        GivenBM = head.BM;
        for (size_t i = 1; i < balls.size(); ++i)
            balls[i] = static_cast<int16_t>(balls[i] + 1); // edits even when cancelled
        return Accept;
    }
    bool PickBalls(const CLottorHead& head, QString& text) override
    {
        GivenText = text;
        GivenBM = head.BM;
        text = QStringLiteral("01 02,03,04");
        return Accept;
    }

    bool Accept = true;
    std::vector<int16_t> Given;
    QString GivenText;
    int GivenBM = -1;
};

// A head of three main positions and one secondary: positions 0..4.
CLottorHead Head()
{
    CLottorHead head;
    head.BcMain = 3;
    head.MrMain = 1;
    head.BM = 4;
    return head;
}

TEST(PickTest, ValuePicker)
{
    EXPECT_EQ(ShowSelVal(QStringLiteral("1 2"), 0, 9, QString(), QString()), QStringLiteral("1 2"));
    FakePickers pickers;
    const ScopedService<IPickerService> installed(&pickers);
    EXPECT_EQ(ShowSelVal(QStringLiteral("1 2"), 0, 9, QString(), QString()), QStringLiteral("1 2 9"));
}

TEST(PickTest, BetNumber)
{
    const CLottorHead head = Head();
    std::vector<int16_t> bet = {0, 3, 4, 5, 6};
    // Nothing installed: cancelled.
    EXPECT_FALSE(PickBetNumber(head, bet));
    EXPECT_EQ(bet, (std::vector<int16_t>{0, 3, 4, 5, 6}));

    FakePickers pickers;
    const ScopedService<IPickerService> installed(&pickers);
    pickers.Accept = false;
    EXPECT_FALSE(PickBetNumber(head, bet));
    EXPECT_EQ(bet, (std::vector<int16_t>{0, 3, 4, 5, 6}));
    EXPECT_EQ(pickers.Given, (std::vector<int16_t>{0, 3, 4, 5, 6}));
    EXPECT_EQ(pickers.GivenBM, 4);

    pickers.Accept = true;
    EXPECT_TRUE(PickBetNumber(head, bet));
    EXPECT_EQ(bet, (std::vector<int16_t>{0, 4, 5, 6, 7}));

    // A short array is given zeros for the missing positions and grown.
    std::vector<int16_t> shortBet = {0, 8};
    EXPECT_TRUE(PickBetNumber(head, shortBet));
    EXPECT_EQ(pickers.Given, (std::vector<int16_t>{0, 8, 0, 0, 0}));
    EXPECT_EQ(shortBet, (std::vector<int16_t>{0, 9, 1, 1, 1}));
}

TEST(PickTest, NumberList)
{
    const CLottorHead head = Head();
    QString text = QStringLiteral("1 2");
    EXPECT_FALSE(PickNumberList(head, text));
    EXPECT_EQ(text, QStringLiteral("1 2"));

    FakePickers pickers;
    const ScopedService<IPickerService> installed(&pickers);
    pickers.Accept = false;
    EXPECT_FALSE(PickNumberList(head, text));
    EXPECT_EQ(text, QStringLiteral("1 2"));
    pickers.Accept = true;
    EXPECT_TRUE(PickNumberList(head, text));
    EXPECT_EQ(pickers.GivenText, QStringLiteral("1 2"));
    EXPECT_EQ(pickers.GivenBM, 4);
    EXPECT_EQ(text, QStringLiteral("01 02,03,04"));
}

} // namespace
} // namespace kelton
