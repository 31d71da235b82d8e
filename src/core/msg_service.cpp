#include "core/msg_service.h"

#include <algorithm>

#include "platform/services.h"
#include "platform/string_table.h"

namespace kelton {

MsgState::MsgState() : m_status(LoadResString(Res::Ready)) {}

namespace {

// The state every CMsg instance acts on; nullptr when none is in force.
MsgState* State()
{
    return Service<MsgState>();
}

// The idle values the queries answer with no state in force.
const MsgState& StateOrIdle()
{
    if (const MsgState* state = State())
        return *state;
    static const MsgState idle;
    return idle;
}

IMsgDisplay* Display()
{
    return Service<IMsgDisplay>();
}

}  // namespace

void CMsg::StartShowMsg(const QString& sMsg)
{
    MsgState* s = State();
    if (!s)
        return;
    s->m_status = sMsg;
    if (IMsgDisplay* display = Display())
        display->ShowStatusText(sMsg);
}

void CMsg::EndShowMsg()
{
    StartShowMsg(LoadResString(Res::Ready));
}

void CMsg::MainWait(bool bWait)
{
    MsgState* s = State();
    if (!s)
        return;
    s->m_busy = bWait;
    if (IMsgDisplay* display = Display())
        display->ShowBusy(bWait);
    if (!bWait)
        EndShowMsg();
}

int32_t CMsg::StartPrg(int32_t sMax, int32_t sMin, int32_t sValue, bool bCanClick)
{
    if (sValue < sMin)
        sValue = sMin;
    if (sValue > sMax)
        sValue = sMax;
    MsgState* s = State();
    if (!s)
        return sValue;
    s->m_busy = true;
    if (IMsgDisplay* display = Display())
        display->ShowBusy(true);
    s->m_max = sMax;
    s->m_min = sMin;
    s->m_pos = sValue;
    s->m_prgVisible = true;
    s->m_stop = false;
    s->m_canClick = bCanClick;
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
    MsgState* s = State();
    if (!s || !s->m_prgVisible)
        return;
    // A range given upside down holds every value at its maximum, as the
    // start value does.
    value = std::max(value, s->m_min);
    value = std::min(value, s->m_max);
    s->m_pos = value;
    if (IMsgDisplay* display = Display())
        display->ShowProgressValue(value);
}

void CMsg::EndPrg()
{
    MsgState* s = State();
    if (!s)
        return;
    MainWait(false);
    s->m_prgVisible = false;
    s->m_canClick = false;
    if (IMsgDisplay* display = Display())
        display->HideProgress();
}

bool CMsg::IsClick()
{
    MsgState* s = State();
    if (!s)
        return false;
    const bool requested = s->m_stop;
    s->m_stop = false;
    return requested;
}

void CMsg::SetIsClick(bool bClick)
{
    if (MsgState* s = State())
        s->m_stop = bClick;
}

void CMsg::DoEvents()
{
    if (IMsgDisplay* display = Display())
        display->PumpEvents();
}

QString CMsg::StatusText() const
{
    return StateOrIdle().m_status;
}

bool CMsg::IsBusy() const
{
    return StateOrIdle().m_busy;
}

bool CMsg::PrgVisible() const
{
    return StateOrIdle().m_prgVisible;
}

bool CMsg::PrgCanClick() const
{
    const MsgState& s = StateOrIdle();
    return s.m_prgVisible && s.m_canClick;
}

int32_t CMsg::PrgMax() const
{
    return StateOrIdle().m_max;
}

int32_t CMsg::PrgMin() const
{
    return StateOrIdle().m_min;
}

int32_t CMsg::PrgPos() const
{
    return StateOrIdle().m_pos;
}

bool CMsg::StopPending() const
{
    return StateOrIdle().m_stop;
}

void MsgProgressClicked()
{
    MsgState* s = State();
    if (s && s->m_prgVisible && s->m_canClick)
        s->m_stop = true;
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
