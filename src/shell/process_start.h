#pragma once

#include <QString>

#include "platform/services.h"

namespace kelton {

// Starts a downloaded program. The window side never starts a process
// itself: it goes through StartProgram, so that tests can install a fake
// that only records what would have been started. A service
// (platform/services.h); with nothing installed the real starter runs.
class IProcessStarter {
public:
    virtual ~IProcessStarter() = default;
    // Starts the program at sPath with no arguments; false when it cannot be started.
    virtual bool StartProgram(const QString& sPath) = 0;
};

// Starts the program at sPath, detached, in its own folder. The real
// starter makes the file executable for its owner first (a downloaded file
// arrives without that permission). False when it cannot be started.
bool StartProgram(const QString& sPath);

} // namespace kelton
