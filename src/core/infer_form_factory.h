#pragma once

#include <cstdint>

#include "platform/services.h"

namespace kelton {

class CStat;
class IInferForm;

// Makes the analysis windows of a freshly opened game: one per data view,
// not shown, reading its view only through sStat. A service
// (platform/services.h): the analysis windows install their implementation,
// tests install fakes. With nothing installed a game opens without windows.
class IInferFormFactory {
public:
    virtual ~IInferFormFactory() = default;

    // A new analysis window for data view sView (0..7), bound to sStat;
    // nullptr when none can be made. The window side owns it.
    virtual IInferForm* CreateInferForm(int16_t sView, CStat& sStat) = 0;
};

} // namespace kelton
