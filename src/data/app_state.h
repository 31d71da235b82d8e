#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <QString>

#include "core/child_forms.h"
#include "data/game_document.h"
#include "data/lotto_items.h"
#include "data/server_info.h"
#include "data/setting_record.h"
#include "data/ssq_file.h"

namespace kelton {

// The program's version, shown in captions and compared with offered editions.
inline constexpr char kVersionText[] = "2.04";

class CLottorData;

// The application state every window reads: the start-up tables, the
// current lottery and its analysis windows, and the game document. One instance,
// reached through Mmain(). IniGlobal fills the tables once at start-up.
struct AppState {
    static constexpr int16_t InferCount = 8;  // data views

    // Start-up tables (IniGlobal).
    QString AppTitle;
    QString SsqSignature;                     // 50 characters
    std::array<int16_t, 201> PrimeFlag{};     // True at 1 and the primes below 200
    std::array<int16_t, 43> GroupIndicatorFlag{};  // 1 for the group-bet indicators
    std::array<QString, 11> PlaceName;        // 1..9
    std::array<QString, 43> IndicatorName;    // 0..42
    std::array<QString, 10> RankName;         // 0..7
    std::array<QString, 8> ViewName;          // 0..7
    std::array<QString, 6> FeatureLegend;     // indicators 37..42

    // The current lottery and the analysis windows bound to its views.
    std::shared_ptr<CLottorData> CurLottorData;
    // The main window makes and releases the windows; the model only
    // reaches them through IInferForm.
    std::array<InferFormPtr, InferCount> InferForms{};
    int16_t FormsClosing = 0;

    // Full paths of the settings file and of the help folder.
    QString SetFilePath;
    QString HelpFilePath;

    // The settings file (data/settings.h): the settings record, the server
    // information, the container object, the list of installed games and
    // how the file fared when it was read.
    SettingRecordType SettingRecord;
    ServerInfo SysInfo;
    CSsqFile SetSsqFile;
    CLottoItem LottoItems;
    SettingsFileState SetFileState = SettingsFileState::NotRead;

    // The open game as the windows share it, with the filter session; the
    // windows subscribe to its signals.
    GameDocument Document;
};

AppState& Mmain();

// Builds the start-up tables. Called once, before the settings are read.
void IniGlobal();

}  // namespace kelton
