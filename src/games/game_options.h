#pragma once

#include <array>
#include <cstdint>

namespace kelton {

class CLottorHead;

// The display options of a game that the options dialog edits: two periods,
// the list direction and seven colours.

// The colours, in the order the dialog writes them.
enum GameColour : int {
    kRowColour1,  // RowColor(0)
    kRowColour2,  // RowColor(1)
    kRankColour1, // RankColor(0)
    kRankColour2, // RankColor(1)
    kCycleColour, // CycleColor
    kBcColour,    // BcMainColor
    kMrColour,    // MrMainColor, only for a game with a secondary area
    kGameColourCount
};

struct GameOptions {
    static constexpr int16_t kMinPeriod = 1;
    static constexpr int16_t kMaxPeriod = 200;
    static constexpr int16_t kDefaultCustomStat = 10;
    static constexpr int16_t kDefaultShowCourse = 40;

    int16_t CustomStat = kDefaultCustomStat;
    int16_t InferShowCourse = kDefaultShowCourse;
    bool ListAsc = false;
    // Colours as shown, red + 256 * green + 65536 * blue; 0 is black.
    std::array<int32_t, kGameColourCount> Colours{};

    friend bool operator==(const GameOptions&, const GameOptions&) = default;
};

// The defaults that "恢复默认" restores.
GameOptions DefaultGameOptions();

// Puts a period outside 1..200 back to its default, in the definition
// itself (the custom period to 10, the shown period to 40).
void RepairGamePeriods(CLottorHead& head);

// The options of a definition. A list direction other than 0 reads as on.
GameOptions ReadGameOptions(const CLottorHead& head);

// Writes the options into a definition in this order: the custom period,
// the shown period, the row, rank, cycle and main colours, the secondary
// colour only when the game has a secondary area, the list direction (0 or
// 1). Black is kept as black.
void WriteGameOptions(CLottorHead& head, const GameOptions& options);

} // namespace kelton
