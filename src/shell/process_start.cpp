#include "shell/process_start.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace kelton {

namespace {

IProcessStarter* g_starter = nullptr;

bool StartDetached(const QString& sPath)
{
    const QFileInfo info(sPath);
    if (!info.isFile())
        return false;
    const QFileDevice::Permissions permissions = QFile::permissions(sPath);
    if (!(permissions & QFileDevice::ExeOwner) &&
        !QFile::setPermissions(sPath, permissions | QFileDevice::ExeOwner))
        return false;
    return QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath());
}

} // namespace

void SetProcessStarter(IProcessStarter* starter)
{
    g_starter = starter;
}

bool StartProgram(const QString& sPath)
{
    if (g_starter)
        return g_starter->StartProgram(sPath);
    return StartDetached(sPath);
}

} // namespace kelton
