#include "core/msg_service.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kelton {
namespace {

const QString kReady = QStringLiteral("就绪");

class MsgServiceTest : public test::HeadlessMsgTest {};

struct ClampCase {
    int32_t max;
    int32_t min;
    int32_t value;
    int32_t shown;
};

class StartPrgClampTest : public MsgServiceTest, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(StartPrgClampTest, ClampsTheStartValue)
{
    const ClampCase& c = GetParam();
    int32_t value = c.value;
    m_msg.StartPrg(c.max, c.min, &value, false);
    EXPECT_EQ(value, c.shown);
    EXPECT_EQ(m_msg.PrgPos(), c.shown);
    EXPECT_EQ(m_display.ShownValue, c.shown);
    EXPECT_EQ(m_msg.StartPrg(c.max, c.min, c.value, false), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartPrgClampTest,
                         ::testing::Values(ClampCase{100, 1, 0, 1}, ClampCase{100, 1, 150, 100},
                                           ClampCase{100, 1, 50, 50}, ClampCase{0, 0, -3, 0},
                                           ClampCase{5, 10, 7, 5})); // upside down: min first, then max

TEST_F(MsgServiceTest, ProgressValueStaysInRange)
{
    m_msg.StartPrg(10, 2, 2, false);
    const int32_t steps[][2] = {{5, 5}, {11, 10}, {-1, 2}, {2, 2}};
    for (const auto& s : steps) {
        m_msg.prgValue(s[0]);
        EXPECT_EQ(m_msg.PrgPos(), s[1]) << s[0];
    }
    EXPECT_EQ(m_display.Values, (std::vector<int32_t>{5, 10, 2, 2}));
    m_msg.EndPrg();
    m_msg.prgValue(7); // no bar: nothing to move
    EXPECT_EQ(m_display.Values.size(), 4u);
}

TEST_F(MsgServiceTest, StopRequests)
{
    // A click while stopping is not allowed leaves no request.
    m_msg.StartPrg(10, 0, 0, false);
    MsgProgressClicked();
    EXPECT_FALSE(m_msg.IsClick());

    // Two clicks give one request; reading clears it.
    m_msg.StartPrg(10, 0, 0, true);
    EXPECT_TRUE(m_display.ShownCanClick);
    MsgProgressClicked();
    MsgProgressClicked();
    EXPECT_TRUE(m_msg.IsClick());
    EXPECT_FALSE(m_msg.IsClick());

    // A late request survives EndPrg and is dropped by the next StartPrg.
    MsgProgressClicked();
    m_msg.EndPrg();
    EXPECT_TRUE(m_msg.StopPending());
    MsgProgressClicked(); // the bar is hidden: no click reaches it
    m_msg.StartPrg(10, 0, 0, true);
    EXPECT_FALSE(m_msg.IsClick());

    // Code may request a stop whatever the bar allows, and withdraw it.
    m_msg.StartPrg(10, 0, 0, false);
    m_msg.SetIsClick(true);
    EXPECT_TRUE(m_msg.IsClick());
    m_msg.SetIsClick(true);
    m_msg.SetIsClick(false);
    EXPECT_FALSE(m_msg.IsClick());
    m_msg.EndPrg();
}

TEST_F(MsgServiceTest, BusyHasNoNestingCount)
{
    CMsg other;
    m_msg.MainWait(true);
    other.MainWait(true);
    EXPECT_TRUE(m_msg.IsBusy());
    m_msg.MainWait(false);
    EXPECT_FALSE(other.IsBusy());
    EXPECT_EQ(m_display.BusyCalls, (std::vector<bool>{true, true, false}));
}

TEST_F(MsgServiceTest, StatusText)
{
    m_msg.StartShowMsg(QStringLiteral("统计原始数据"));
    EXPECT_EQ(m_msg.StatusText(), QStringLiteral("统计原始数据"));
    m_msg.MainWait(true);
    EXPECT_EQ(m_msg.StatusText(), QStringLiteral("统计原始数据")); // busy on keeps it
    m_msg.StartPrg(3, 0, 0, false);
    EXPECT_EQ(m_msg.StatusText(), QStringLiteral("统计原始数据"));
    m_msg.EndPrg();
    EXPECT_EQ(m_msg.StatusText(), kReady);
    EXPECT_FALSE(m_msg.IsBusy());
    EXPECT_FALSE(m_msg.PrgVisible());
    EXPECT_EQ(m_display.StatusTexts.back(), kReady);
    EXPECT_EQ(m_display.HideCount, 1);
}

TEST_F(MsgServiceTest, GuardsEndOnEveryWayOut)
{
    auto fails = [this] {
        MsgProgressGuard progress(m_msg, QStringLiteral("导入"), 100, 0, 0, true);
        progress.Step(1);
        throw std::runtime_error("bad line");
    };
    EXPECT_THROW(fails(), std::runtime_error);
    EXPECT_FALSE(m_msg.IsBusy());
    EXPECT_FALSE(m_msg.PrgVisible());
    EXPECT_EQ(m_msg.StatusText(), kReady);

    auto returnsEarly = [this]() -> bool {
        MsgBusyGuard busy(m_msg, QStringLiteral("保存"));
        if (m_msg.IsBusy())
            return false;
        return true;
    };
    EXPECT_FALSE(returnsEarly());
    EXPECT_FALSE(m_msg.IsBusy());

    {
        MsgProgressGuard progress(m_msg, QString(), 5, 0, 0, false);
        progress.Finish();
        EXPECT_FALSE(m_msg.PrgVisible());
        m_msg.StartPrg(5, 0, 0, false); // a later operation is not ended by the finished guard
    }
    EXPECT_TRUE(m_msg.PrgVisible());
    m_msg.EndPrg();
}

TEST_F(MsgServiceTest, OperationSeesAClickAtItsStep)
{
    m_display.OnPump = [](int pass) {
        if (pass == 3)
            MsgProgressClicked();
    };
    int stoppedAt = -1;
    {
        MsgProgressGuard progress(m_msg, QStringLiteral("过滤"), 10, 1, 1, true);
        for (int i = 1; i <= 10; ++i) {
            progress.Step(i);
            if (progress.StopRequested()) {
                stoppedAt = i;
                break;
            }
        }
    }
    EXPECT_EQ(stoppedAt, 3);
    EXPECT_EQ(m_display.PumpCount, 3);
    EXPECT_FALSE(m_msg.IsBusy());
}

TEST(MsgServiceHeadlessTest, WorksWithNothingInstalled)
{
    MsgState state;
    const ScopedService<MsgState> inForce(&state);
    const ScopedService<IMsgDisplay> none(nullptr);
    CMsg msg;
    EXPECT_EQ(msg.StatusText(), kReady);
    {
        MsgProgressGuard progress(msg, QStringLiteral("x"), 2, 0, 0, true);
        progress.Step(1);
        EXPECT_EQ(msg.PrgPos(), 1);
        MsgProgressClicked();
        EXPECT_TRUE(progress.StopRequested());
    }
    EXPECT_FALSE(msg.IsBusy());
}

TEST(MsgServiceHeadlessTest, WithNoStateInForceNothingChangesOrShows)
{
    const ScopedService<MsgState> none(nullptr);
    HeadlessMsgDisplay display;
    const ScopedService<IMsgDisplay> shown(&display);
    CMsg msg;
    msg.StartShowMsg(QStringLiteral("统计原始数据"));
    msg.MainWait(true);
    EXPECT_EQ(msg.StartPrg(10, 2, 0, true), 2); // the start value is still clamped
    msg.prgValue(5);
    MsgProgressClicked();
    msg.SetIsClick(true);
    msg.DoEvents(); // the event loop is still passed

    EXPECT_EQ(msg.StatusText(), kReady);
    EXPECT_FALSE(msg.IsBusy());
    EXPECT_FALSE(msg.PrgVisible());
    EXPECT_FALSE(msg.PrgCanClick());
    EXPECT_EQ(msg.PrgMax(), 0);
    EXPECT_EQ(msg.PrgMin(), 0);
    EXPECT_EQ(msg.PrgPos(), 0);
    EXPECT_FALSE(msg.StopPending());
    EXPECT_FALSE(msg.IsClick());
    msg.EndPrg();

    EXPECT_TRUE(display.StatusTexts.isEmpty());
    EXPECT_TRUE(display.BusyCalls.empty());
    EXPECT_EQ(display.ShowCount, 0);
    EXPECT_TRUE(display.Values.empty());
    EXPECT_EQ(display.HideCount, 0);
    EXPECT_EQ(display.PumpCount, 1);
}

TEST(MsgServiceHeadlessTest, EachOwnerKeepsItsOwnState)
{
    MsgState outer;
    const ScopedService<MsgState> outerInForce(&outer);
    CMsg msg;
    msg.StartShowMsg(QStringLiteral("导入"));
    msg.StartPrg(10, 0, 3, true);
    MsgProgressClicked();
    {
        MsgState inner;
        const ScopedService<MsgState> innerInForce(&inner);
        // A fresh state starts idle, whatever the one before holds.
        EXPECT_EQ(msg.StatusText(), kReady);
        EXPECT_FALSE(msg.IsBusy());
        EXPECT_FALSE(msg.PrgVisible());
        EXPECT_FALSE(msg.StopPending());
        msg.StartShowMsg(QStringLiteral("保存"));
        msg.MainWait(true);
    }
    // The earlier one is back as it was.
    EXPECT_EQ(msg.StatusText(), QStringLiteral("导入"));
    EXPECT_TRUE(msg.IsBusy());
    EXPECT_TRUE(msg.PrgVisible());
    EXPECT_EQ(msg.PrgPos(), 3);
    EXPECT_TRUE(msg.IsClick());
    msg.EndPrg();
}

} // namespace
} // namespace kelton
