#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

#include "platform/services.h"

namespace kelton {

// What the progress service shows on screen: the main window's status text,
// its busy state (every other window, the toolbar and the top menus
// disabled, hourglass pointer), the progress bar and one pass through the
// event loop. A service (platform/services.h): the main window installs its
// implementation; tests install a recording one (HeadlessMsgDisplay). With
// nothing installed nothing is shown.
class IMsgDisplay {
public:
    virtual ~IMsgDisplay() = default;

    // The status bar's first panel.
    virtual void ShowStatusText(const QString& text) = 0;
    // Busy on (true) or off (false). Off enables everything again, whatever
    // was disabled before busy began.
    virtual void ShowBusy(bool busy) = 0;
    // Shows the bar with its range and position; canClick says whether a
    // click on it may request a stop (click pointer and the tool tip
    // "点击可以请求退出") or not (hourglass, no tool tip).
    virtual void ShowProgress(int32_t max, int32_t min, int32_t value, bool canClick) = 0;
    // Moves the bar.
    virtual void ShowProgressValue(int32_t value) = 0;
    // Hides the bar.
    virtual void HideProgress() = 0;
    // One pass through the event loop: the bar repaints, a click is seen.
    virtual void PumpEvents() = 0;
};

class CMsg;

// What the progress service acts on: the status text, the busy state, the
// progress bar and the stop request. It starts idle: status "就绪", not
// busy, no bar, no request. Whoever shows progress owns one and puts it in
// force for its life as a service (platform/services.h), beside its
// IMsgDisplay: the main window for the run, a test fixture for the test:
//   MsgState m_msgState;
//   ScopedService<MsgState> m_msgInForce{&m_msgState};
class MsgState {
public:
    MsgState();

private:
    friend class CMsg;
    friend void MsgProgressClicked();

    QString m_status;
    bool m_busy = false;
    bool m_prgVisible = false;
    bool m_canClick = false;
    int32_t m_max = 0;
    int32_t m_min = 0;
    int32_t m_pos = 0;
    bool m_stop = false; // the stop request
};

// The progress and message service. Every instance acts on the state in
// force (a MsgState put in force as a service) and shows through the display
// in force. With no state in force its calls change and show nothing (one
// pass through the event loop still takes place) and its queries answer the
// idle values. There is no nesting count: one busy-off ends the busy state
// however many busy-on calls came before.
class CMsg {
public:
    // The status text becomes sMsg.
    void StartShowMsg(const QString& sMsg);
    // The status text becomes "就绪".
    void EndShowMsg();
    // true: busy on; false: busy off, and the status text becomes "就绪".
    void MainWait(bool bWait);
    // Busy on and show the bar. The start value is clamped to sMin, then to
    // sMax; the clamped value is returned (and written back through the
    // pointer overload). A stop request left from an earlier operation is
    // dropped. The status text is not changed.
    int32_t StartPrg(int32_t sMax, int32_t sMin, int32_t sValue, bool bCanClick);
    void StartPrg(int32_t sMax, int32_t sMin, int32_t* ioValue, bool bCanClick);
    // Moves the bar; a value outside the range is clamped to it. Ignored
    // while no bar is shown.
    void prgValue(int32_t value);
    // Busy off (status "就绪"), then the bar is hidden. A pending stop
    // request stays until it is read or the next StartPrg.
    void EndPrg();
    // True when a stop was requested since the last read; reading clears it.
    bool IsClick();
    // true makes a stop request whatever the bar allows; false withdraws it.
    void SetIsClick(bool bClick);
    // One pass through the event loop (through the installed display). The
    // service itself never passes through the event loop; callers do, at
    // each step of a long operation.
    void DoEvents();

    // The state in force, for the main window and for tests.
    QString StatusText() const;
    bool IsBusy() const;
    bool PrgVisible() const;  // a progress operation runs
    bool PrgCanClick() const; // the running operation allows a stop
    int32_t PrgMax() const;
    int32_t PrgMin() const;
    int32_t PrgPos() const;
    bool StopPending() const; // the request, without clearing it
};

// The progress bar's click handler: raises a stop request only while the
// bar is shown for an operation that allows one.
void MsgProgressClicked();

// Busy for the life of the guard: MainWait(true) now, MainWait(false) on
// every way out of the scope.
class MsgBusyGuard {
public:
    explicit MsgBusyGuard(CMsg& msg, const QString& sMsg = QString());
    ~MsgBusyGuard();
    MsgBusyGuard(const MsgBusyGuard&) = delete;
    MsgBusyGuard& operator=(const MsgBusyGuard&) = delete;

private:
    CMsg& m_msg;
};

// A progress operation for the life of the guard: StartShowMsg (when a text
// is given) and StartPrg now, EndPrg on every way out of the scope.
class MsgProgressGuard {
public:
    MsgProgressGuard(CMsg& msg, const QString& sMsg, int32_t sMax, int32_t sMin, int32_t sValue,
                     bool bCanClick);
    ~MsgProgressGuard();
    MsgProgressGuard(const MsgProgressGuard&) = delete;
    MsgProgressGuard& operator=(const MsgProgressGuard&) = delete;

    // The clamped start value.
    int32_t StartValue() const { return m_start; }
    // One step: the bar's position, then one pass through the event loop.
    void Step(int32_t value);
    // Reads (and clears) the stop request.
    bool StopRequested() { return m_msg.IsClick(); }
    // Ends the operation now; the destructor then does nothing.
    void Finish();

private:
    CMsg& m_msg;
    int32_t m_start = 0;
    bool m_done = false;
};

// A display that records what it is asked to show, for tests. OnPump runs
// at each pass through the event loop (with the pass count from 1), where a
// test can click the bar (MsgProgressClicked) or request a stop.
class HeadlessMsgDisplay : public IMsgDisplay {
public:
    void ShowStatusText(const QString& text) override { StatusTexts << text; }
    void ShowBusy(bool busy) override { BusyCalls.push_back(busy); }
    void ShowProgress(int32_t max, int32_t min, int32_t value, bool canClick) override;
    void ShowProgressValue(int32_t value) override { Values.push_back(value); }
    void HideProgress() override { ++HideCount; }
    void PumpEvents() override;

    QStringList StatusTexts;
    std::vector<bool> BusyCalls;
    std::vector<int32_t> Values;
    int32_t ShownMax = 0;
    int32_t ShownMin = 0;
    int32_t ShownValue = 0;
    bool ShownCanClick = false;
    int ShowCount = 0;
    int HideCount = 0;
    int PumpCount = 0;
    std::function<void(int)> OnPump;
};

}  // namespace kelton
