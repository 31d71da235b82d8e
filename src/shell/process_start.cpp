#include "shell/process_start.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "platform/services.h"

namespace kelton {

namespace {

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

bool StartProgram(const QString& sPath)
{
    if (IProcessStarter* starter = Service<IProcessStarter>())
        return starter->StartProgram(sPath);
    return StartDetached(sPath);
}

} // namespace kelton
