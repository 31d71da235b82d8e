#include "platform/save_file.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include <QFileInfo>

#include "platform/services.h"

namespace kelton {

CheckedSaveFile::CheckedSaveFile(const QString& path) : m_file(path)
{
}

CheckedSaveFile::~CheckedSaveFile()
{
    Cancel();
}

bool CheckedSaveFile::Open()
{
    // Unbuffered: every write reaches the system at once and its failure is
    // seen there, never later in a flush whose failure commit() ignores.
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return true;
    Fail(m_file.errorString());
    return false;
}

bool CheckedSaveFile::Write(QByteArrayView bytes)
{
    if (Failed())
        return false;
    if (!m_file.isOpen()) {
        Fail(m_file.errorString());
        return false;
    }
    if (bytes.isEmpty())
        return true;
    errno = 0;
    const qint64 written = m_file.write(bytes.data(), bytes.size());
    if (written != bytes.size() || m_file.error() != QFileDevice::NoError) {
        // Qt reports a write cut short (the disk filled up part way) as a
        // short count without an error of its own; the system said why.
        const int cause = errno;
        Fail(m_file.error() != QFileDevice::NoError ? m_file.errorString()
             : cause != 0                            ? qt_error_string(cause)
                                                     : QStringLiteral("无法写入全部内容"));
        return false;
    }
    m_written += written;
    return true;
}

SaveOutcome CheckedSaveFile::Commit()
{
    SaveOutcome out;
    if (!Failed() && !m_file.isOpen())
        Fail(m_file.errorString());
    if (!Failed() && m_written == 0)
        Fail(QString::fromUtf16(kNothingWritten));
    if (!Failed() && (!m_file.flush() || m_file.error() != QFileDevice::NoError))
        Fail(m_file.errorString());
    // A file system may take the blocks only now (a network share, a
    // delayed allocation): the content must be on disk before it replaces
    // the old.
    if (!Failed() && !SyncFile(m_file.handle(), m_file.fileName()))
        Fail(qt_error_string(errno));
    if (!Failed() && !m_file.commit())
        Fail(m_file.errorString());
    if (Failed()) {
        Cancel();
        out.Reason = m_reason;
        return out;
    }
    static_cast<void>(SyncFolder(QFileInfo(m_file.fileName()).absolutePath()));
    out.Ok = true;
    out.Written = m_written;
    return out;
}

void CheckedSaveFile::Cancel()
{
    if (!m_file.isOpen())
        return;
    // A commit after the cancel removes the temporary file and fails.
    m_file.cancelWriting();
    static_cast<void>(m_file.commit());
}

void CheckedSaveFile::Fail(const QString& reason)
{
    if (!Failed())
        m_reason = reason.isEmpty() ? QStringLiteral("无法写入文件") : reason;
}

SaveOutcome SaveWholeFile(const QString& path, QByteArrayView bytes)
{
    CheckedSaveFile file(path);
    if (file.Open())
        file.Write(bytes);
    return file.Commit();
}

bool SyncFile(int fd, const QString& path)
{
    if (fd < 0 || ::fsync(fd) != 0)
        return false;
    if (IFileSyncWatch* watch = Service<IFileSyncWatch>())
        watch->Synced(path);
    return true;
}

bool SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = SyncFile(fd, folder);
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return synced;
}

} // namespace kelton
