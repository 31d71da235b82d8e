#pragma once

#include "formula/way_history.h"

namespace kelton {

class CLottorData;
class CStat;

// The formula functions' view of a loaded game: its definition, its draws
// and the statistics of its data views, the ones its analysis windows show.
// The game must outlive this object.
class GameWayHistory : public IWayHistory {
public:
    explicit GameWayHistory(const CLottorData& game);

    int16_t BcMain() const override;
    int16_t BcDataLen() const override;
    int32_t NumCount() const override;
    int32_t NumName(int32_t sIndex) const override;

    bool HasView(int16_t v) const override;
    int16_t Num(int16_t v, int32_t sIndex, int16_t sX) override;
    int16_t Stat(int16_t v, int32_t sIndex, int16_t sX, int16_t sY, int16_t sKind, int16_t sSort) override;
    int16_t Data(int16_t v, int32_t sIndex, int16_t sY) override;
    int16_t Filter(int16_t v, int32_t sIndex, int16_t sKind) override;
    int16_t Cycle(int16_t v, int32_t sIndex, int16_t sX, int16_t sY) override;
    std::vector<int16_t> ClassFlags(int16_t v, int32_t sIndex, Classes family, int16_t cls) override;

private:
    const CStat* View(int16_t v) const;

    const CLottorData& m_game;
};

}  // namespace kelton
