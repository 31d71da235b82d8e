#include "core/msg_service.h"

#include <algorithm>

#include "platform/services.h"
#include "platform/string_table.h"

namespace kelton {

namespace {

// The main window's state that every CMsg instance acts on.
struct MsgState {
    QString status;
    bool busy = false;
    bool prgVisible = false;
    bool canClick = false;
    int32_t max = 0;
    int32_t min = 0;
    int32_t pos = 0;
    bool stop = false;  // the stop request
};

MsgState& State()
{
    static MsgState state{LoadResString(Res::Ready)};
    return state;
}

IMsgDisplay* Display()
{
    return Service<IMsgDisplay>();
}

void SetBusy(bool busy)
{
    State().busy = busy;
    if (IMsgDisplay* display = Display())
        display->ShowBusy(busy);
}

}  // namespace

void CMsg::StartShowMsg(const QString& sMsg)
{
    State().status = sMsg;
    if (IMsgDisplay* display = Display())
        display->ShowStatusText(sMsg);
}

void CMsg::EndShowMsg()
{
    StartShowMsg(LoadResString(Res::Ready));
}

void CMsg::MainWait(bool bWait)
{
    SetBusy(bWait);
    if (!bWait)
        EndShowMsg();
}

int32_t CMsg::StartPrg(int32_t sMax, int32_t sMin, int32_t sValue, bool bCanClick)
{
    SetBusy(true);
    if (sValue < sMin)
        sValue = sMin;
    if (sValue > sMax)
        sValue = sMax;
    MsgState& s = State();
    s.max = sMax;
    s.min = sMin;
    s.pos = sValue;
    s.prgVisible = true;
    s.stop = false;
    s.canClick = bCanClick;
    if (IMsgDisplay* display = Display())
        display->ShowProgress(sMax, sMin, sValue, bCanClick);
    return sValue;
}

void CMsg::StartPrg(int32_t sMax, int32_t sMin, int32_t* ioValue, bool bCanClick)
{
    const int32_t value = StartPrg(sMax, sMin, ioValue ? *ioValue : sMin, bCanClick);
    if (ioValue)
        *ioValue = value;
}

void CMsg::prgValue(int32_t value)
{
    MsgState& s = State();
    if (!s.prgVisible)
        return;
    // A range given upside down holds every value at its maximum, as the
    // start value does.
    value = std::max(value, s.min);
    value = std::min(value, s.max);
    s.pos = value;
    if (IMsgDisplay* display = Display())
        display->ShowProgressValue(value);
}

void CMsg::EndPrg()
{
    MainWait(false);
    MsgState& s = State();
    s.prgVisible = false;
    s.canClick = false;
    if (IMsgDisplay* display = Display())
        display->HideProgress();
}

bool CMsg::IsClick()
{
    MsgState& s = State();
    const bool requested = s.stop;
    s.stop = false;
    return requested;
}

void CMsg::SetIsClick(bool bClick)
{
    State().stop = bClick;
}

void CMsg::DoEvents()
{
    if (IMsgDisplay* display = Display())
        display->PumpEvents();
}

QString CMsg::StatusText() const
{
    return State().status;
}

bool CMsg::IsBusy() const
{
    return State().busy;
}

bool CMsg::PrgVisible() const
{
    return State().prgVisible;
}

bool CMsg::PrgCanClick() const
{
    return State().prgVisible && State().canClick;
}

int32_t CMsg::PrgMax() const
{
    return State().max;
}

int32_t CMsg::PrgMin() const
{
    return State().min;
}

int32_t CMsg::PrgPos() const
{
    return State().pos;
}

bool CMsg::StopPending() const
{
    return State().stop;
}

void MsgProgressClicked()
{
    MsgState& s = State();
    if (s.prgVisible && s.canClick)
        s.stop = true;
}

void ResetMsgService()
{
    MsgState& s = State();
    s = MsgState{};
    s.status = LoadResString(Res::Ready);
}

MsgBusyGuard::MsgBusyGuard(CMsg& msg, const QString& sMsg) : m_msg(msg)
{
    if (!sMsg.isEmpty())
        m_msg.StartShowMsg(sMsg);
    m_msg.MainWait(true);
}

MsgBusyGuard::~MsgBusyGuard()
{
    m_msg.MainWait(false);
}

MsgProgressGuard::MsgProgressGuard(CMsg& msg, const QString& sMsg, int32_t sMax, int32_t sMin,
                                   int32_t sValue, bool bCanClick)
    : m_msg(msg)
{
    if (!sMsg.isEmpty())
        m_msg.StartShowMsg(sMsg);
    m_start = m_msg.StartPrg(sMax, sMin, sValue, bCanClick);
}

MsgProgressGuard::~MsgProgressGuard()
{
    Finish();
}

void MsgProgressGuard::Step(int32_t value)
{
    m_msg.prgValue(value);
    m_msg.DoEvents();
}

void MsgProgressGuard::Finish()
{
    if (m_done)
        return;
    m_done = true;
    m_msg.EndPrg();
}

void HeadlessMsgDisplay::ShowProgress(int32_t max, int32_t min, int32_t value, bool canClick)
{
    ShownMax = max;
    ShownMin = min;
    ShownValue = value;
    ShownCanClick = canClick;
    ++ShowCount;
}

void HeadlessMsgDisplay::PumpEvents()
{
    ++PumpCount;
    if (OnPump)
        OnPump(PumpCount);
}

}  // namespace kelton
