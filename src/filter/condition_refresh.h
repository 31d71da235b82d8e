#pragma once

#include "platform/services.h"

namespace kelton {

// A window beside the analysis windows that shows the conditions of the
// data views: the filter window and the extreme-range window install one
// while they exist.
class IConditionView {
public:
    virtual ~IConditionView() = default;
    // True while the window is loaded (also while it is only hidden).
    virtual bool FormOpen() const = 0;
    // Refills what it shows of the conditions and tolerances.
    virtual void RefreshFilter() = 0;
};

// The filter window's and the extreme-range window's view, each installed
// as its own service (platform/services.h) while the window is loaded.
class IFilterConditionView : public IConditionView {};
class IFilterBoundConditionView : public IConditionView {};

// After a tolerance switch changed: every analysis window whose FormOpen is
// set (views in ascending order), then the filter window, then the
// extreme-range window, each only while its FormOpen is set, refill their
// conditions.
void RefreshAllFilter();

} // namespace kelton
