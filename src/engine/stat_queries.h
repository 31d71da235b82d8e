#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QString>

#include "engine/stat_record.h"

namespace kelton {

class CStat;

// The read side of a data view. Issue indexes run 0..BallCount()-2 for the
// drawn issues and BallCount()-1 for the next one; record i holds the view's
// state before draw i with draw i's numbers and indicators. Every query that
// takes an index reads that record (once, while the same record is asked
// for again); an index outside the view reads the blank record. None fails
// towards the caller: a bad subscript or a failed read answers the value
// each query names.

// Records in the view: draws + 1.
int32_t BallCount(const CStat& sView);

// "下期" for the next issue, else the record's issue number in decimal ("0"
// for the blank record); "" on failure.
QString NumName(CStat& sView, int32_t sIndex);

// Draw sIndex's number at position sX (0..BM) in this view; 0 for the next
// issue and for a negative index; -1 for a position out of range. sKind is
// always 0.
int16_t Num(CStat& sView, int32_t sIndex, int16_t sX, int16_t sKind = 0);

// Statistic sKind (StatKind) before draw sIndex at position sX (0 = all
// positions together): sSort 0 the statistic of value sY, 1 the rank of
// value sY, 2 the value at rank sY. 0 on failure.
int16_t Stat(CStat& sView, int32_t sIndex, int16_t sX, int16_t sY, int16_t sKind, int16_t sSort);

// The ranking table of record sIndex: sSort 0 value at rank sY, 1 key at
// rank sY, 2 rank of value sY, 3 key of value sY. 0 on failure. DataMr
// answers the same.
int16_t Data(CStat& sView, int32_t sIndex, int16_t sY, int16_t sSort);
int16_t DataMr(CStat& sView, int32_t sIndex, int16_t sY, int16_t sSort);

// Indicator sKind (0..42) of draw sIndex; 0 on failure.
int16_t Filter(CStat& sView, int32_t sIndex, int16_t sKind);

// The cycles (0..14) of value sY at position sX before draw sIndex; oSP
// receives their periods and oSPCount their run counts. 0 on failure.
int16_t Cycle(CStat& sView, int32_t sIndex, int16_t sX, int16_t sY, std::array<int16_t, kCycleSlots>& oSP,
              std::array<int16_t, kCycleSlots>& oSPCount);

// How many (main position, value) pairs have at least one cycle before draw
// sIndex. oHCycle and sArea are always 0. 0 on failure.
int16_t CycleCount(CStat& sView, int32_t sIndex, int16_t oHCycle = 0, int16_t sArea = 0);

// Flags over the values 0..BcDataLen (1 = flagged), all 0 for an index out
// of range or a class out of 0..2:
// GetHWC: by Recent7 of draw sIndex: 0 hot (3 or more of the last 7 draws),
//         1 warm (2), 2 cold (0 or 1); index 0..BallCount()-1.
// GetNAP: by the previous draw's numbers: 0 their neighbours (not
//         themselves, no wrap-around), 1 isolated (neither a number nor its
//         neighbour), 2 pass (the numbers); index 1..BallCount()-1.
// GetPSN: 0 repeat (the previous draw's numbers), 1 gap (those of the draw
//         before it, not in the previous one; index 2 on), 2 middle
//         (neither); index 1..BallCount()-1.
std::vector<int16_t> GetHWC(CStat& sView, int32_t sIndex, int16_t sHWC);
std::vector<int16_t> GetNAP(CStat& sView, int32_t sIndex, int16_t sNAP);
std::vector<int16_t> GetPSN(CStat& sView, int32_t sIndex, int16_t sPSN);

} // namespace kelton
