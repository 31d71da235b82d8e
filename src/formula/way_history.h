#pragma once

#include <cstdint>
#include <vector>

namespace kelton {

// What the formula functions read of the current game: its shape, its draws
// and the statistics of its data views (the views the analysis windows show).
// The program implements it over the game's statistics (GameWayHistory);
// tests fake it. Draw indexes run 0..NumCount()-1, NumCount() standing for
// the next issue; view record r is the state before draw r. No query fails
// towards the caller: a bad index answers the neutral value named.
class IWayHistory {
public:
    virtual ~IWayHistory() = default;

    // Main numbers per draw and the largest main value.
    virtual int16_t BcMain() const = 0;
    virtual int16_t BcDataLen() const = 0;
    // Stored draws.
    virtual int32_t NumCount() const = 0;
    // Issue number of draw sIndex; -1 outside the draws.
    virtual int32_t NumName(int32_t sIndex) const = 0;

    // Whether data view v has statistics to read.
    virtual bool HasView(int16_t v) const = 0;
    // The view's number at stored position sX (1 = units) of draw sIndex; 0
    // for the next issue; -1 when the read fails.
    virtual int16_t Num(int16_t v, int32_t sIndex, int16_t sX) = 0;
    // Statistic sKind (0..7) at position sX (0 = all) before draw sIndex:
    // sSort 0 that of value sY, 2 the value at rank sY; 0 on failure.
    virtual int16_t Stat(int16_t v, int32_t sIndex, int16_t sX, int16_t sY, int16_t sKind, int16_t sSort) = 0;
    // The view-0 number that view value sY stands for in record sIndex; 0 on
    // failure.
    virtual int16_t Data(int16_t v, int32_t sIndex, int16_t sY) = 0;
    // Indicator sKind (0..42) of draw sIndex; 0 on failure.
    virtual int16_t Filter(int16_t v, int32_t sIndex, int16_t sKind) = 0;
    // How many cycles value sY has at position sX before draw sIndex.
    virtual int16_t Cycle(int16_t v, int32_t sIndex, int16_t sX, int16_t sY) = 0;

    // Class flags over the values 0..BcDataLen (1 = in the class).
    enum class Classes : uint8_t {
        HotWarmCold,        // 0 hot, 1 warm, 2 cold, by the 7 draws before sIndex
        NeighbourAlonePass, // 0 neighbour, 1 isolated, 2 pass, by draw sIndex - 1
        RepeatGapMiddle,    // 0 repeat, 1 gap, 2 middle, by draws sIndex - 1 and - 2
    };
    virtual std::vector<int16_t> ClassFlags(int16_t v, int32_t sIndex, Classes family, int16_t cls) = 0;
};

}  // namespace kelton
