#include "shell/ui/shell_open.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "platform/open_targets.h"
#include "platform/program_folder.h"
#include "platform/services.h"

namespace kelton {

QUrl ShellOpenUrl(const QString& sTarget)
{
    const QString target = sTarget.trimmed();
    if (target.isEmpty())
        return {};

    if (const QUrl url = WebAddressUrl(target); !url.isEmpty())
        return url;

    // Anything else with a scheme of its own (file:, mailto:, javascript:,
    // an http address without a host ...) is no file name of ours.
    if (target.contains(QLatin1String("://")))
        return {};

    const QString folder = ProgramFolder();
    QString path = target;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(QDir::isAbsolutePath(path) ? path : QDir(folder).filePath(path));
    if (!info.isFile() || !IsPathInside(info.filePath(), folder))
        return {};
    return QUrl::fromLocalFile(info.canonicalFilePath());
}

void ShellOpen(QWidget* owner, const QString& sTarget)
{
    Q_UNUSED(owner);
    const QUrl url = ShellOpenUrl(sTarget);
    if (url.isEmpty())
        return;
    const ShellOpener* opener = Service<ShellOpener>();
    if (opener && *opener)
        (*opener)(url);
    else
        QDesktopServices::openUrl(url);
}

} // namespace kelton
