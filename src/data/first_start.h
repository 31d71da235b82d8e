#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QString>

#include "data/draw_text.h"
#include "data/setting_record.h"

namespace kelton {

class CLottoItem;

// The game the first start installs, and where its pieces come from.
inline constexpr char kSampleGamePath[] = "Lottor/lottor1000"; // under the program folder
inline constexpr int16_t kSampleFileTag = 1000;
inline constexpr char kSampleTemplate[] = "3D.Ltr";
inline constexpr char kTemplateFolder[] = "LottorTemplate";
inline constexpr char kAllGamesGroup[] = "全部彩票";

// True when the program folder already holds games: a game in the list, a
// settings file whose game list was not read (`settings`, how the settings
// file fared when it was read: not Loaded, so it may hold some), or anything
// in its "Lottor" folder besides the sample game's own files (which a first
// start may have left half done). A settings file read with an empty game
// list holds none: it was written by a first start that could not install
// the sample game.
bool ProgramFolderHasGames(const CLottoItem& items, SettingsFileState settings);

// Reads a draw history kept as "issue,date,digits" lines (digits highest
// place first, e.g. "2002001,2002-01-01,073") into draws in reading order.
// Lines that are not such a draw (the heading) are skipped. False when the
// file cannot be read.
bool ReadSampleHistory(const QString& path, int16_t bcMain, std::vector<Draw>& oDraws);

// What a first start did. Converts to true when the sample game was
// installed.
struct SeedOutcome {
    enum class Result : uint8_t { NotNeeded, Seeded, Failed };
    Result Code = Result::NotNeeded;
    QString Reason; // why it Failed

    explicit operator bool() const { return Code == Result::Seeded; }
};

// The message of a first start that could not install the sample game.
QString SeedFailureMessage(const SeedOutcome& outcome);

// Seeds a program folder that holds no games (first start): copies the game
// templates shipped in the defaults folder, writes the sample game's data
// file from the 3D template and the sample history, adds the game to the
// game list (group 0, "全部彩票", made when the list has no group) as the
// default game, calls registered (where the caller writes the settings
// file), and then builds the game's statistics.
//
// A first start cut short is completed the same way by the next: its
// settings file was never written, or written with no game, so the folder
// still counts as holding no games. The data file is written whole or not at
// all; one that is there is kept and registered, and statistics left
// unfinished are rebuilt when the game opens. Nothing else that is there is
// replaced.
//
// Seeded when the sample game was added to the list, even when its
// statistics could not be built (opening the game tries again and says why
// it fails); NotNeeded for a folder with games. Failed, with the reason and
// nothing of the game left, when its data file cannot be written (a full
// disk) or the defaults it comes from are missing.
SeedOutcome SeedProgramFolder(CLottoItem& items, SettingsFileState settings,
                              const std::function<void()>& registered = {});

} // namespace kelton
