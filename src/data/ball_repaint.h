#pragma once

#include <cstdint>

#include "platform/services.h"

namespace kelton {

// A window that shows the number-chooser flags of the current lottery and
// repaints one number when its flag changes. The analysis windows do so
// through IInferForm; the filter window installs itself as this service
// (platform/services.h). The window side makes the filter window on first
// use if it does not exist yet. With nothing installed the chooser repaints
// the analysis windows only.
class IBallRepaint {
public:
    virtual ~IBallRepaint() = default;

    // Repaints the cell of value sBall at position sPos from the current
    // lottery's SelectBall. Never fails towards the caller.
    virtual void RefreshBall(int16_t sPos, int16_t sBall) = 0;
};

} // namespace kelton
