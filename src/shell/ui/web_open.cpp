#include "shell/ui/web_open.h"

#include <QUrl>

#include "shell/ui/shell_open.h"

namespace kelton {

bool IsWebAddress(const QString& sAddress)
{
    const QUrl url = ShellOpenUrl(sAddress);
    const QString scheme = url.scheme().toLower();
    return !url.isEmpty() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool OpenWebAddress(QWidget* owner, const QString& sAddress)
{
    if (!IsWebAddress(sAddress))
        return false;
    ShellOpen(owner, sAddress);
    return true;
}

} // namespace kelton
