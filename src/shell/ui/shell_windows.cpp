#include "shell/ui/shell_windows.h"

namespace kelton {

ShellWindows& NeighbourWindows()
{
    static ShellWindows windows;
    return windows;
}

} // namespace kelton
