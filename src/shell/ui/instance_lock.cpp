#include "shell/ui/instance_lock.h"

#include <cstdlib>
#include <utility>

#include <QDir>
#include <QLockFile>

#include "platform/program_folder.h"
#include "platform/string_table.h"
#include "platform/ui/message_box.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// The lock held, for exit(): the object lives on in a frame exit() never
// unwinds.
QLockFile* g_held = nullptr;

void ReleaseAtExit()
{
    if (QLockFile* held = std::exchange(g_held, nullptr))
        held->unlock();
}

} // namespace

CInstanceLock::CInstanceLock() = default;

CInstanceLock::~CInstanceLock()
{
    if (m_file && g_held == m_file.get())
        g_held = nullptr;
}

QString CInstanceLock::LockPath()
{
    return ProgramPath(QStringLiteral("Kelt.lock"));
}

bool CInstanceLock::Claim(QWidget* owner)
{
    if (Held())
        return true;
    m_file = std::make_unique<QLockFile>(LockPath());
    // The program holds the lock for as long as it runs: its age says
    // nothing, only whether the process that holds it still runs.
    m_file->setStaleLockTime(0);
    if (m_file->tryLock(0)) {
        static const bool registered = std::atexit(&ReleaseAtExit) == 0;
        static_cast<void>(registered);
        g_held = m_file.get();
        return true;
    }
    const QLockFile::LockError error = m_file->error();
    m_file.reset();
    if (error != QLockFile::LockFailedError)
        return true;
    MsgBox(owner, QMessageBox::Warning, LoadResString(Res::SystemPrompt),
           u"Kelton 已经在运行，正在使用这个数据文件夹：\n"_s + QDir::toNativeSeparators(ProgramFolder()) +
               u"\n\n一个数据文件夹只能由一个 Kelton 使用，本次启动将退出。"_s);
    return false;
}

bool CInstanceLock::Held() const
{
    return m_file && m_file->isLocked();
}

} // namespace kelton
