#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QString>

#include "data/draw_text.h"

namespace kelton {

class CLottoItem;

// The game the first start installs, and where its pieces come from.
inline constexpr char kSampleGamePath[] = "Lottor/lottor1000"; // under the program folder
inline constexpr int16_t kSampleFileTag = 1000;
inline constexpr char kSampleTemplate[] = "3D.Ltr";
inline constexpr char kTemplateFolder[] = "LottorTemplate";
inline constexpr char kAllGamesGroup[] = "全部彩票";

// True when the program folder already holds games: a settings file, a
// game in the list, or anything in its "Lottor" folder besides the sample
// game's own files (which a first start may have left half done).
bool ProgramFolderHasGames(const CLottoItem& items);

// Reads a draw history kept as "issue,date,digits" lines (digits highest
// place first, e.g. "2002001,2002-01-01,073") into draws in reading order.
// Lines that are not such a draw (the heading) are skipped. False when the
// file cannot be read.
bool ReadSampleHistory(const QString& path, int16_t bcMain, std::vector<Draw>& oDraws);

// Seeds a program folder that holds no games (first start): copies the game
// templates shipped in the defaults folder, writes the sample game's data
// file from the 3D template and the sample history, adds the game to the
// game list (group 0, "全部彩票", made when the list has no group) as the
// default game, calls registered (where the caller writes the settings
// file), and then builds the game's statistics.
//
// A first start cut short is completed the same way by the next: its
// settings file was never written, so the folder still counts as holding no
// games. The data file is written whole or not at all; one that is there is
// kept and registered, and statistics left unfinished are rebuilt when the
// game opens. Nothing else that is there is replaced.
//
// True when the sample game was added to the list, even when its statistics
// could not be built (opening the game tries again and says why it fails).
// When its data file cannot be written, false, with nothing of the game left.
bool SeedProgramFolder(CLottoItem& items, const std::function<void()>& registered = {});

} // namespace kelton
