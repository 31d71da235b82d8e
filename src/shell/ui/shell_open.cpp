#include "shell/ui/shell_open.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "platform/program_folder.h"
#include "platform/services.h"

namespace kelton {

namespace {

bool IsWebAddress(const QString& text)
{
    return text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

// True when path lies inside folder (both canonical).
bool IsInside(const QString& path, const QString& folder)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(prefix);
}

} // namespace

QUrl ShellOpenUrl(const QString& sTarget)
{
    const QString target = sTarget.trimmed();
    if (target.isEmpty())
        return {};

    if (IsWebAddress(target)) {
        const QUrl url(target, QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        if (!url.isValid() || url.host().isEmpty() ||
            (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
            return {};
        return url;
    }

    // Anything with a scheme of its own (file:, mailto:, javascript: ...) is
    // no file name of ours.
    if (target.contains(QLatin1String("://")))
        return {};

    const QString folder = QFileInfo(ProgramFolder()).canonicalFilePath();
    QString path = target;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(QDir::isAbsolutePath(path) ? path : QDir(folder).filePath(path));
    const QString canonical = info.canonicalFilePath(); // empty for a missing file
    if (!info.isFile() || !IsInside(canonical, folder))
        return {};
    return QUrl::fromLocalFile(canonical);
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
