#include "platform/help_pages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/program_folder.h"

namespace kelton {

QString DefaultHelpFolder()
{
    return DefaultsFolder() + QStringLiteral("/Help");
}

int SeedHelpPages(const QString& sHelpFolder)
{
    if (sHelpFolder.isEmpty() || !QDir().mkpath(sHelpFolder))
        return -1;
    const QDir source(DefaultHelpFolder());
    const QDir target(sHelpFolder);
    int copied = 0;
    const QStringList names = source.entryList(QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QString to = target.filePath(name);
        if (QFileInfo::exists(to))
            continue;
        // Copied under a temporary name first, so that a failed copy never
        // leaves half a page under the page's own name.
        const QString part = to + QStringLiteral(".part");
        QFile::remove(part);
        if (QFile::copy(source.filePath(name), part) && QFile::rename(part, to))
            ++copied;
        else
            QFile::remove(part);
    }
    return copied;
}

} // namespace kelton
