#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QString>

#include "data/lottor_data.h"
#include "platform/services.h"

namespace kelton {

// A game opened from its data file, with what the main window shows of it.
struct LoadedLottor {
    std::shared_ptr<CLottorData> Lottor; // becomes the current lottery
    QString LottorName;                  // for the caption
    int16_t BM = 0;                      // positions of a draw (bets are sized to it)
    int16_t MrMain = 0;                  // secondary numbers per draw
    QString MrDataName;                  // the secondary area's name
    // Why the game could not be opened, in a result without Lottor.
    OpenFailure Failure = OpenFailure::None;
};

// Opens a game's data file with nViews data views (reads the draws, opens
// or rebuilds the statistics and creates the analysis windows). When the
// file cannot be opened: a result without Lottor that says why, or nothing
// when the loader cannot tell. Shows no message.
using LottorLoader = std::function<std::optional<LoadedLottor>(const QString& sFile, int16_t nViews)>;

// The main window's LoadLottor goes through the installed loader, a
// service (platform/services.h); the program installs OpenLottorFile. While
// none is installed every load fails softly and the program stays without a
// game.

// The program's loader: a fresh CLottorData opened with OpenData.
std::optional<LoadedLottor> OpenLottorFile(const QString& sFile, int16_t nViews);

// The message telling the user that the game sName (its data file sFile,
// full path) could not be opened, and why; the files were left as they were.
QString OpenFailureText(const QString& sName, const QString& sFile, OpenFailure why);

// The message telling the user why an edited draw list (sNumStr, read with
// the game's format sFormat) was refused, the draws staying as they were:
// it holds more draws than a game keeps, or none could be read from it.
QString RefusedDrawsText(CLottorHead& head, const QString& sFormat, const QString& sNumStr);

} // namespace kelton
