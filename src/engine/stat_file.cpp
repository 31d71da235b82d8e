#include "engine/stat_file.h"

#include <algorithm>
#include <cstring>

namespace kelton {

namespace {

constexpr size_t kWriteBufferBytes = size_t(1) << 20;

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
    std::memcpy(out + 25, &RecLen, 4);
    std::memcpy(out + 29, &Count, 4);
    std::memcpy(out + 33, &View, 4);
}

StatHeader StatHeader::Decode(const char* in)
{
    StatHeader header;
    std::memcpy(header.Magic.data(), in, kStatMagicLen);
    std::memcpy(&header.RecLen, in + 25, 4);
    std::memcpy(&header.Count, in + 29, 4);
    std::memcpy(&header.View, in + 33, 4);
    return header;
}

StatFile::~StatFile()
{
    Close();
}

bool StatFile::Create(const QString& path)
{
    Close();
    if (QFile::exists(path) && !QFile::remove(path))
        return false;
    m_file.setFileName(path);
    return m_file.open(QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered);
}

bool StatFile::Open(const QString& path)
{
    Close();
    m_file.setFileName(path);
    return m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

bool StatFile::Close()
{
    if (!m_file.isOpen())
        return true;
    const bool ok = Flush();
    m_file.close();
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_used = 0;
    m_writePos = 0;
    m_failed = false;
    return ok;
}

int64_t StatFile::Size()
{
    if (!Flush())
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
    if (!Seek(0) || !Append(bytes, kStatHeaderLen))
        return false;
    return Flush();
}

bool StatFile::ReadAt(int64_t offset, void* data, int64_t len)
{
    if (!m_file.isOpen() || !Flush() || offset < 0 || !m_file.seek(offset))
        return false;
    return m_file.read(static_cast<char*>(data), len) == len;
}

bool StatFile::Seek(int64_t offset)
{
    if (!m_file.isOpen() || !Flush() || offset < 0)
        return false;
    m_failed = false;
    m_writePos = offset;
    return true;
}

bool StatFile::Append(const void* data, int64_t len)
{
    if (!m_file.isOpen() || m_failed || len < 0)
        return false;
    if (m_buffer.empty())
        m_buffer.resize(kWriteBufferBytes);
    const char* bytes = static_cast<const char*>(data);
    while (len > 0) {
        if (m_used == m_buffer.size() && !Flush())
            return false;
        const size_t take = std::min(static_cast<size_t>(len), m_buffer.size() - m_used);
        std::memcpy(m_buffer.data() + m_used, bytes, take);
        m_used += take;
        bytes += take;
        len -= static_cast<int64_t>(take);
    }
    return true;
}

bool StatFile::Flush()
{
    if (m_used == 0)
        return !m_failed;
    // The write offset is kept here, not in the file: a read between two
    // flushes (a window repainting while records stream out) moves the
    // file's position.
    const int64_t want = static_cast<int64_t>(m_used);
    m_used = 0;
    if (m_failed || !m_file.seek(m_writePos) || m_file.write(m_buffer.data(), want) != want) {
        m_failed = true;
        return false;
    }
    m_writePos += want;
    return true;
}

bool StatFile::Truncate(int64_t size)
{
    if (!m_file.isOpen() || !Flush())
        return false;
    return m_file.resize(size);
}

} // namespace kelton
