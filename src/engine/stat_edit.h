#pragma once

// One edit of a view's records in the making: what CStat::BeginEdit,
// BuildRecords and EndEdit share (the statistics engine's own header).

#include <functional>
#include <optional>
#include <span>

#include "engine/stat.h"
#include "engine/stat_builder.h"

namespace kelton {

struct CStat::EditRun {
    // The inputs of StatEdit.
    std::span<const int32_t> Names;
    std::span<const int16_t> Nums;
    std::span<const int16_t> Keys; // empty for the identity
    int32_t Count = 0;
    int32_t Start = 0;
    // Called before record Start + j is built; false ends the run as failed.
    std::function<bool(int32_t j)> BeforeRecord;
    // Called with each record once it is handed to the file.
    std::function<void(int32_t j, const StatRecord& rec)> AfterRecord;

    std::optional<StatRecordBuilder> Builder;
    StatRecord Prev;
    StatRecord Rec;
    bool KeepTable = false; // the number table held before the edit stays good up to Start
};

} // namespace kelton
