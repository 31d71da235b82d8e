#include "platform/open_targets.h"

#include <QFileInfo>

namespace kelton {

bool IsWebUrl(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QUrl WebAddressUrl(const QString& sText)
{
    const QUrl url(sText.trimmed(), QUrl::StrictMode);
    return IsWebUrl(url) ? url : QUrl();
}

bool IsPathInside(const QString& sPath, const QString& sFolder)
{
    const QString path = QFileInfo(sPath).canonicalFilePath();
    QString folder = QFileInfo(sFolder).canonicalFilePath();
    if (path.isEmpty() || folder.isEmpty())
        return false;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return path.startsWith(folder);
}

} // namespace kelton
