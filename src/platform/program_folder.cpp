#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace kelton {

namespace {

QString& OverrideFolder()
{
    static QString folder;
    return folder;
}

}  // namespace

QString ProgramFolder()
{
    QString folder = OverrideFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.local/share/Kelton");
    QDir().mkpath(folder);
    return QDir::cleanPath(folder);
}

void SetProgramFolder(const QString& sFolder)
{
    OverrideFolder() = sFolder;
}

QString ProgramPath(const QString& sRelative)
{
    return QDir::cleanPath(ProgramFolder() + QLatin1Char('/') + sRelative);
}

QString DefaultsFolder()
{
    // Installed next to the program first, then the source tree's copy.
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/defaults");
        if (QDir(beside).exists())
            return beside;
    }
    return QStringLiteral(KELTON_DEFAULTS_DIR);
}

}  // namespace kelton
