#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <QString>

#include "core/child_forms.h"
#include "data/game_document.h"
#include "data/app_tables.h"
#include "data/lotto_items.h"
#include "data/server_info.h"
#include "data/setting_record.h"
#include "data/ssq_file.h"

namespace kelton {

class CLottorData;

// The application's state: the current lottery and its analysis windows,
// the settings and the game document. The application context owns one
// (main makes it; a test makes a fresh one) and hands it to the windows
// when it makes them; nothing reaches it any other way. The fixed name
// tables are constant data (data/app_tables.h, platform/name_tables.h).
struct AppState {
    static constexpr int16_t InferCount = 8;  // data views

    AppState();
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    // The current lottery and the analysis windows bound to its views.
    std::shared_ptr<CLottorData> CurLottorData;
    // The main window makes and releases the windows; the model only
    // reaches them through IInferForm.
    std::array<InferFormPtr, InferCount> InferForms{};
    int16_t FormsClosing = 0;

    // The full path of the settings file. (The help pages are in the
    // program folder's HelpFolder(), platform/help_pages.h.)
    QString SetFilePath;

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

}  // namespace kelton
