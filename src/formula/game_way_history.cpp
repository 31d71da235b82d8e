#include "formula/game_way_history.h"

#include "data/lottor_data.h"
#include "engine/stat.h"

namespace kelton {

GameWayHistory::GameWayHistory(const CLottorData& game) : m_game(game) {}

int16_t GameWayHistory::BcMain() const
{
    return m_game.HeadData.BcMain;
}

int16_t GameWayHistory::BcDataLen() const
{
    return m_game.HeadData.BcDataLen;
}

int32_t GameWayHistory::NumCount() const
{
    return m_game.NumCount();
}

int32_t GameWayHistory::NumName(int32_t sIndex) const
{
    return m_game.NumName(sIndex);
}

const CStat* GameWayHistory::View(int16_t v) const
{
    return m_game.StatView(v);
}

bool GameWayHistory::HasView(int16_t v) const
{
    return View(v) != nullptr;
}

int16_t GameWayHistory::Num(int16_t v, int32_t sIndex, int16_t sX)
{
    const CStat* view = View(v);
    return view ? view->Num(sIndex, sX, 0) : int16_t(-1);
}

int16_t GameWayHistory::Stat(int16_t v, int32_t sIndex, int16_t sX, int16_t sY, int16_t sKind, int16_t sSort)
{
    const CStat* view = View(v);
    return view ? view->Stat(sIndex, sX, sY, sKind, sSort) : int16_t(0);
}

int16_t GameWayHistory::Data(int16_t v, int32_t sIndex, int16_t sY)
{
    const CStat* view = View(v);
    return view ? view->Data(sIndex, sY, 0) : int16_t(0);
}

int16_t GameWayHistory::Filter(int16_t v, int32_t sIndex, int16_t sKind)
{
    const CStat* view = View(v);
    return view ? view->Filter(sIndex, sKind) : int16_t(0);
}

int16_t GameWayHistory::Cycle(int16_t v, int32_t sIndex, int16_t sX, int16_t sY)
{
    const CStat* view = View(v);
    if (!view)
        return 0;
    std::array<int16_t, kCycleSlots> periods{};
    std::array<int16_t, kCycleSlots> runs{};
    return view->Cycle(sIndex, sX, sY, periods, runs);
}

std::vector<int16_t> GameWayHistory::ClassFlags(int16_t v, int32_t sIndex, Classes family, int16_t cls)
{
    const CStat* view = View(v);
    if (!view)
        return std::vector<int16_t>(static_cast<size_t>(BcDataLen() + 1), 0);
    switch (family) {
    case Classes::HotWarmCold:
        return view->GetHWC(sIndex, cls);
    case Classes::NeighbourAlonePass:
        return view->GetNAP(sIndex, cls);
    case Classes::RepeatGapMiddle:
        return view->GetPSN(sIndex, cls);
    }
    return {};
}

}  // namespace kelton
