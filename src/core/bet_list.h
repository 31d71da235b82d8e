#pragma once

#include <cstdint>
#include <vector>

namespace kelton {

// One bet of the bet list.
struct BetRecord {
    int32_t Id = 0;                // serial from 1
    std::vector<int16_t> Digits;   // positions 0..BM, 1 = units; 0 unused
    int16_t Level = 0;             // 0 live, k = removed at step k
};

// The bet list with its filter steps. A bet is live when its Level is 0 or
// not below BetStep.
struct BetList {
    std::vector<BetRecord> BetData;
    int32_t BetCount = 0;
    BetRecord BetBlank;
    int16_t BetStep = 0;
    int16_t BetLastStep = 0;
    std::vector<int32_t> BetStepCount;

    bool IsLive(const BetRecord& bet) const { return bet.Level == 0 || bet.Level >= BetStep; }

    // Empties the list for a newly loaded game with positions 0..bm.
    void Reset(int16_t bm)
    {
        BetData.clear();
        BetStepCount.clear();
        BetCount = 0;
        BetStep = 0;
        BetLastStep = 0;
        BetBlank = BetRecord{};
        BetBlank.Digits.assign(static_cast<size_t>(bm) + 1, 0);
    }
};

}  // namespace kelton
