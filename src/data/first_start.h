#pragma once

#include <cstdint>
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
// game in the list, or anything in its "Lottor" folder.
bool ProgramFolderHasGames(const CLottoItem& items);

// Reads a draw history kept as "issue,date,digits" lines (digits highest
// place first, e.g. "2002001,2002-01-01,073") into draws in reading order.
// Lines that are not such a draw (the heading) are skipped. False when the
// file cannot be read.
bool ReadSampleHistory(const QString& path, int16_t bcMain, std::vector<Draw>& oDraws);

// Seeds a program folder that holds no games (first start): copies the game
// templates shipped in the defaults folder, creates the sample game from the
// 3D template and the sample history, builds its statistics, and adds it to
// the game list (group 0, "全部彩票", made when the list has no group) as the
// default game. Does nothing to a folder that already holds games, and never
// replaces a file that is there. True when the sample game was installed;
// on failure whatever it had begun of the sample game is removed again.
// The caller writes the settings file.
bool SeedProgramFolder(CLottoItem& items);

} // namespace kelton
