#include <array>
#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/child_forms.h"
#include "data/app_state.h"
#include "data/ball_repaint.h"
#include "data/lottor_data.h"
#include "data/picker_service.h"
#include "support/quiet_infer_form.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using test::ProgramFolderTest;

// Every repaint of every window, in call order: (window, position, value);
// window 0..7 the analysis windows, 8 the filter window.
using Repaints = std::vector<std::array<int, 3>>;

class RecordingInferForm : public test::QuietInferForm {
public:
    RecordingInferForm(int window, Repaints& log) : m_window(window), m_log(log) {}
    void RefreshBall(int16_t sPos, int16_t sBall) override { m_log.push_back({m_window, sPos, sBall}); }

private:
    int m_window;
    Repaints& m_log;
};

class RecordingFilter : public IBallRepaint {
public:
    explicit RecordingFilter(Repaints& log) : m_log(log) {}
    void RefreshBall(int16_t sPos, int16_t sBall) override { m_log.push_back({8, sPos, sBall}); }

private:
    Repaints& m_log;
};

// A picker that answers with fixed results and notes what it was given.
class FakePickers : public IPickerService {
public:
    QString PickValues(const QString& strVal, int16_t, int16_t, const QString&, const QString&) override
    {
        return strVal;
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

class NumberChooserTest : public ProgramFolderTest {
protected:
    AppState m_state; // fresh for each test

    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        for (int i = 0; i < 8; ++i) {
            m_forms.push_back(std::make_unique<RecordingInferForm>(i, m_log));
            Mmain().InferForms[static_cast<size_t>(i)] = m_forms.back().get();
        }
    }
    // A three-digit game with a secondary area of one number 1..12.
    void Create(bool secondary)
    {
        QString def = QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n");
        if (secondary)
            def += QStringLiteral("[MRDATALEN]\r\n12\r\n[MRMAIN]\r\n1\r\n");
        ASSERT_FALSE(m_game.CreateData(def, Path(QStringLiteral("game")), 1000));
    }
    // The repaints expected for one change: every analysis window in view
    // order, then the filter window.
    static Repaints Round(int pos, int value)
    {
        Repaints out;
        for (int w = 0; w <= 8; ++w)
            out.push_back({w, pos, value});
        return out;
    }

    Repaints m_log;
    std::vector<std::unique_ptr<RecordingInferForm>> m_forms;
    RecordingFilter m_filter{m_log};
    ScopedService<IBallRepaint> m_filterInstalled{&m_filter};
    CLottorData m_game;
};

TEST_F(NumberChooserTest, ToggleTwiceRestoresAndRepaintsTwice)
{
    Create(false);
    m_game.AutoSelectBall(2, 5);
    EXPECT_EQ(m_game.SelectBall(2, 5), -1);
    m_game.AutoSelectBall(2, 5);
    EXPECT_EQ(m_game.SelectBall(2, 5), 0);
    Repaints expected = Round(2, 5);
    const Repaints second = Round(2, 5);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(m_log, expected);
}

TEST_F(NumberChooserTest, SetStoresTheValueUnchanged)
{
    Create(false);
    m_game.SelectBall(1, 9, -1);
    EXPECT_EQ(m_game.SelectBall(1, 9), -1);
    m_game.SelectBall(3, 0, 7);
    EXPECT_EQ(m_game.SelectBall(3, 0), 7);
    m_game.AutoSelectBall(3, 0); // any flag other than 0 toggles off
    EXPECT_EQ(m_game.SelectBall(3, 0), 0);
    m_game.SelectBall(1, 9, 0);
    EXPECT_EQ(m_game.SelectBall(1, 9), 0);
    EXPECT_EQ(m_log.size(), 4u * 9u);
    EXPECT_EQ(m_game.SelectBall(2, 9), 0);
}

TEST_F(NumberChooserTest, SecondaryPositionsUseTheirOwnGrid)
{
    Create(true);
    m_game.AutoSelectBall(4, 12); // BcMain + 1: secondary row 1, values up to 12
    EXPECT_EQ(m_game.SelectBall(4, 12), -1);
    for (const auto& row : m_game.SelBc()) {
        for (int16_t flag : row)
            EXPECT_EQ(flag, 0);
    }
    EXPECT_EQ(m_game.SelMr()[1][12], -1);
    EXPECT_EQ(m_log, Round(4, 12));
}

// Indexes outside the grids read 0 and change nothing, repaint nothing.
TEST_F(NumberChooserTest, OutOfRange)
{
    Create(true);
    const std::pair<int16_t, int16_t> outside[] = {{1, 10}, {2, -1}, {-1, 3}, {5, 0}, {4, 13}, {100, 1}};
    for (const auto& [pos, value] : outside) {
        m_game.SelectBall(pos, value, -1);
        m_game.AutoSelectBall(pos, value);
        EXPECT_EQ(m_game.SelectBall(pos, value), 0) << pos << "," << value;
    }
    EXPECT_TRUE(m_log.empty());
    // Position 0 is part of the main grid.
    m_game.AutoSelectBall(0, 9);
    EXPECT_EQ(m_game.SelectBall(0, 9), -1);
}

TEST_F(NumberChooserTest, RepaintsWithoutWindows)
{
    Create(false);
    Mmain().InferForms.fill(nullptr);
    const ScopedService<IBallRepaint> noFilter(nullptr);
    m_game.AutoSelectBall(1, 1);
    EXPECT_EQ(m_game.SelectBall(1, 1), -1);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(NumberChooserTest, ViewBall)
{
    Create(true);
    std::vector<int16_t> bet = {0, 3, 4, 5, 6};
    // Nothing installed: cancelled.
    EXPECT_FALSE(m_game.ViewBall(bet));
    EXPECT_EQ(bet, (std::vector<int16_t>{0, 3, 4, 5, 6}));

    FakePickers pickers;
    const ScopedService<IPickerService> installed(&pickers);
    pickers.Accept = false;
    EXPECT_FALSE(m_game.ViewBall(bet));
    EXPECT_EQ(bet, (std::vector<int16_t>{0, 3, 4, 5, 6}));
    EXPECT_EQ(pickers.Given, (std::vector<int16_t>{0, 3, 4, 5, 6}));
    EXPECT_EQ(pickers.GivenBM, 4);

    pickers.Accept = true;
    EXPECT_TRUE(m_game.ViewBall(bet));
    EXPECT_EQ(bet, (std::vector<int16_t>{0, 4, 5, 6, 7}));

    // A short array is given zeros for the missing positions and grown.
    std::vector<int16_t> shortBet = {0, 8};
    EXPECT_TRUE(m_game.ViewBall(shortBet));
    EXPECT_EQ(pickers.Given, (std::vector<int16_t>{0, 8, 0, 0, 0}));
    EXPECT_EQ(shortBet, (std::vector<int16_t>{0, 9, 1, 1, 1}));
}

TEST_F(NumberChooserTest, ViewBalls)
{
    Create(false);
    QString text = QStringLiteral("1 2");
    EXPECT_FALSE(m_game.ViewBalls(text));
    EXPECT_EQ(text, QStringLiteral("1 2"));

    FakePickers pickers;
    const ScopedService<IPickerService> installed(&pickers);
    pickers.Accept = false;
    EXPECT_FALSE(m_game.ViewBalls(text));
    EXPECT_EQ(text, QStringLiteral("1 2"));
    pickers.Accept = true;
    EXPECT_TRUE(m_game.ViewBalls(text));
    EXPECT_EQ(pickers.GivenText, QStringLiteral("1 2"));
    EXPECT_EQ(pickers.GivenBM, 3);
    EXPECT_EQ(text, QStringLiteral("01 02,03,04"));
}

} // namespace
} // namespace kelton
