#pragma once

#include <QString>

namespace kelton {

// Starts a downloaded program. The window side never starts a process
// itself: it goes through StartProgram, so that tests can install a fake
// that only records what would have been started.
class IProcessStarter {
public:
    virtual ~IProcessStarter() = default;
    // Starts the program at sPath with no arguments; false when it cannot be started.
    virtual bool StartProgram(const QString& sPath) = 0;
};

// Installs the starter (not owned); nullptr returns to the real one.
void SetProcessStarter(IProcessStarter* starter);

// Starts the program at sPath, detached, in its own folder. The real
// starter makes the file executable for its owner first (a downloaded file
// arrives without that permission). False when it cannot be started.
bool StartProgram(const QString& sPath);

} // namespace kelton
