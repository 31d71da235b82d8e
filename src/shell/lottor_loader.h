#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QString>

namespace kelton {

class CLottorData;

// A game opened from its data file, with what the main window shows of it.
struct LoadedLottor {
    std::shared_ptr<CLottorData> Lottor; // becomes the current lottery
    QString LottorName;                  // for the caption
    int16_t BM = 0;                      // positions of a draw (bets are sized to it)
    int16_t MrMain = 0;                  // secondary numbers per draw
    QString MrDataName;                  // the secondary area's name
};

// Opens a game's data file with nViews data views (reads the draws, opens
// or rebuilds the statistics and creates the analysis windows); nothing when
// the file cannot be opened. Shows no message.
using LottorLoader = std::function<std::optional<LoadedLottor>(const QString& sFile, int16_t nViews)>;

// Installs the loader that the main window's LoadLottor goes through. While
// none is installed every load fails softly and the program stays without a
// game.
void SetLottorLoader(LottorLoader loader);
const LottorLoader& GetLottorLoader();

// The program's loader: a fresh CLottorData opened with OpenData.
std::optional<LoadedLottor> OpenLottorFile(const QString& sFile, int16_t nViews);

} // namespace kelton
