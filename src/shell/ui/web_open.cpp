#include "shell/ui/web_open.h"

#include "platform/open_targets.h"
#include "shell/ui/shell_open.h"

namespace kelton {

bool IsWebAddress(const QString& sAddress)
{
    return !WebAddressUrl(sAddress).isEmpty();
}

bool OpenWebAddress(QWidget* owner, const QString& sAddress)
{
    if (!IsWebAddress(sAddress))
        return false;
    ShellOpen(owner, sAddress);
    return true;
}

} // namespace kelton
