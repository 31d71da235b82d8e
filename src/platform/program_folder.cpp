#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

QString DefaultsFolderFor(const QString& sProgramDir)
{
    // An installed program finds its defaults where `cmake --install` put
    // them, relative to itself; a program run from the build tree takes the
    // source tree's copy.
    if (!sProgramDir.isEmpty()) {
        const QString installed =
            QDir::cleanPath(sProgramDir + QLatin1Char('/') + QStringLiteral(KELTON_INSTALLED_DEFAULTS));
        if (QFileInfo::exists(installed + QStringLiteral("/LottorTemplate")))
            return installed;
    }
    return QStringLiteral(KELTON_DEFAULTS_DIR);
}

QString DefaultsFolder()
{
    return DefaultsFolderFor(QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString());
}

}  // namespace kelton
