#include "engine/stat_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/little_endian.h"
#include "platform/save_file.h"

namespace kelton {

namespace {

// The write buffer starts small and takes its full size once it fills: an
// append of a few records then takes memory the process has used before,
// where a buffer of full size would be fresh pages, each a page fault, for
// every view.
constexpr size_t kFirstWriteBufferBytes = size_t(64) << 10;
constexpr size_t kWriteBufferBytes = size_t(1) << 20;
// A strided run is read in pieces of about this size: small enough that
// the piece stays in the core's cache while its records are picked out,
// and under the allocator's threshold for a mapping of its own.
constexpr int64_t kStridedReadBytes = int64_t(120) << 10;

} // namespace

void StatHeader::SetMagic()
{
    std::memcpy(Magic.data(), kStatMagic, kStatMagicLen);
}

bool StatHeader::MagicOk() const
{
    return std::memcmp(Magic.data(), kStatMagic, kStatMagicLen) == 0;
}

void StatHeader::Encode(char* out) const
{
    std::memcpy(out, Magic.data(), kStatMagicLen);
    WriteLe<int32_t>(out + 25, RecLen);
    WriteLe<int32_t>(out + 29, Count);
    WriteLe<int32_t>(out + 33, View);
}

StatHeader StatHeader::Decode(const char* in)
{
    StatHeader header;
    std::memcpy(header.Magic.data(), in, kStatMagicLen);
    header.RecLen = ReadLe<int32_t>(in + 25);
    header.Count = ReadLe<int32_t>(in + 29);
    header.View = ReadLe<int32_t>(in + 33);
    return header;
}

StatFile::~StatFile()
{
    Close();
}

bool StatFile::Create(const QString& path)
{
    std::lock_guard lock(m_lock);
    CloseLocked();
    if (QFile::exists(path) && !QFile::remove(path))
        return false;
    m_file.setFileName(path);
    return m_file.open(QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered);
}

bool StatFile::Open(const QString& path)
{
    std::lock_guard lock(m_lock);
    CloseLocked();
    m_file.setFileName(path);
    return m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

bool StatFile::Close()
{
    std::lock_guard lock(m_lock);
    return CloseLocked();
}

bool StatFile::CloseLocked()
{
    if (!m_file.isOpen())
        return true;
    const bool ok = FlushLocked();
    m_file.close();
    m_buffer.reset();
    m_capacity = 0;
    m_used = 0;
    m_writePos = 0;
    m_failed = false;
    return ok;
}

bool StatFile::IsOpen() const
{
    std::lock_guard lock(m_lock);
    return m_file.isOpen();
}

int64_t StatFile::Size()
{
    std::lock_guard lock(m_lock);
    if (!FlushLocked())
        return -1;
    return m_file.size();
}

bool StatFile::ReadHeader(StatHeader& header)
{
    char bytes[kStatHeaderLen];
    if (!ReadAt(0, bytes, kStatHeaderLen))
        return false;
    header = StatHeader::Decode(bytes);
    return true;
}

bool StatFile::WriteHeader(const StatHeader& header)
{
    char bytes[kStatHeaderLen];
    header.Encode(bytes);
    return WriteAt(0, bytes, kStatHeaderLen);
}

bool StatFile::ReadAt(int64_t offset, void* data, int64_t len)
{
    std::lock_guard lock(m_lock);
    return m_file.isOpen() && FlushLocked() && ReadLocked(offset, data, len);
}

bool StatFile::WriteAt(int64_t offset, const void* data, int64_t len)
{
    std::lock_guard lock(m_lock);
    return m_file.isOpen() && FlushLocked() && WriteLocked(offset, data, len);
}

bool StatFile::ReadStrided(int64_t first, int64_t step, int64_t count, int64_t len, void* out)
{
    if (count <= 0)
        return true;
    if (len <= 0 || step < len || first < 0)
        return false;
    std::lock_guard lock(m_lock);
    if (!m_file.isOpen() || !FlushLocked())
        return false;
    const int64_t perPiece = std::min(count, std::max<int64_t>(1, kStridedReadBytes / step));
    const std::unique_ptr<char[]> piece(new char[static_cast<size_t>((perPiece - 1) * step + len)]);
    char* to = static_cast<char*>(out);
    for (int64_t done = 0; done < count;) {
        const int64_t take = std::min(perPiece, count - done);
        if (!ReadLocked(first + done * step, piece.get(), (take - 1) * step + len))
            return false;
        for (int64_t k = 0; k < take; ++k, to += len)
            std::memcpy(to, piece.get() + k * step, static_cast<size_t>(len));
        done += take;
    }
    return true;
}

// Positioned reads and writes: the file has no position of its own to keep.
bool StatFile::ReadLocked(int64_t offset, void* data, int64_t len)
{
    if (offset < 0 || len < 0)
        return false;
    char* bytes = static_cast<char*>(data);
    while (len > 0) {
        const ssize_t got = ::pread(m_file.handle(), bytes, static_cast<size_t>(len), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        offset += got;
        len -= got;
    }
    return true;
}

bool StatFile::WriteLocked(int64_t offset, const void* data, int64_t len)
{
    if (offset < 0 || len < 0)
        return false;
    const char* bytes = static_cast<const char*>(data);
    while (len > 0) {
        const ssize_t put = ::pwrite(m_file.handle(), bytes, static_cast<size_t>(len), offset);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes += put;
        offset += put;
        len -= put;
    }
    return true;
}

bool StatFile::Seek(int64_t offset)
{
    std::lock_guard lock(m_lock);
    if (!m_file.isOpen() || !FlushLocked() || offset < 0)
        return false;
    m_failed = false;
    m_writePos = offset;
    return true;
}

bool StatFile::Append(const void* data, int64_t len)
{
    std::lock_guard lock(m_lock);
    if (!m_file.isOpen() || m_failed || len < 0)
        return false;
    const char* bytes = static_cast<const char*>(data);
    while (len > 0) {
        if (m_used == m_capacity) {
            if (!FlushLocked())
                return false;
            // Emptied by the flush, the buffer is replaced by a larger one
            // with nothing to copy.
            if (m_capacity < kWriteBufferBytes) {
                m_capacity = m_capacity == 0 ? kFirstWriteBufferBytes : kWriteBufferBytes;
                m_buffer.reset(new char[m_capacity]);
            }
        }
        const size_t take = std::min(static_cast<size_t>(len), m_capacity - m_used);
        std::memcpy(m_buffer.get() + m_used, bytes, take);
        m_used += take;
        bytes += take;
        len -= static_cast<int64_t>(take);
    }
    return true;
}

bool StatFile::Flush()
{
    std::lock_guard lock(m_lock);
    return FlushLocked();
}

bool StatFile::FlushLocked()
{
    if (m_used == 0)
        return !m_failed;
    const int64_t want = static_cast<int64_t>(m_used);
    m_used = 0;
    if (m_failed || !WriteLocked(m_writePos, m_buffer.get(), want)) {
        m_failed = true;
        return false;
    }
    m_writePos += want;
    return true;
}

bool StatFile::Sync()
{
    std::lock_guard lock(m_lock);
    return m_file.isOpen() && FlushLocked() && SyncFile(m_file.handle(), m_file.fileName());
}

bool StatFile::Truncate(int64_t size)
{
    std::lock_guard lock(m_lock);
    if (!m_file.isOpen() || !FlushLocked())
        return false;
    return m_file.resize(size);
}

} // namespace kelton
