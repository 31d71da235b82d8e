#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>

#include <QFile>
#include <QString>

namespace kelton {

// The statistics file of one data view: a 37-byte header, then fixed-length
// records (StatRecord, in its stored form).
//
//   offset  size  field
//   0       25    Magic "QUORVEX-NUMBER-STAT-3.0.0", one byte per character
//   25      4     RecLen, signed 32-bit: bytes per record
//   29      4     Count, signed 32-bit: number of records
//   33      4     View, signed 32-bit: data view 0..7
//   37 + i * RecLen   record i
inline constexpr char kStatMagic[] = "QUORVEX-NUMBER-STAT-3.0.0";
inline constexpr int kStatMagicLen = 25;
inline constexpr int kStatHeaderLen = 37;

struct StatHeader {
    std::array<char, kStatMagicLen> Magic{};
    int32_t RecLen = 0;
    int32_t Count = 0;
    int32_t View = 0;

    void SetMagic();
    bool MagicOk() const;
    void Encode(char* out) const;             // 37 bytes
    static StatHeader Decode(const char* in); // 37 bytes
};

// The open file. Records are streamed out through a write buffer from the
// offset given to Seek; reads and direct writes flush it first, so a read
// always sees what was written, and a read between writes does not move
// where the next write goes. Every call holds the file's lock: a view built
// on a worker thread may be read meanwhile by the thread that shows it.
class StatFile {
public:
    StatFile() = default;
    ~StatFile();
    StatFile(const StatFile&) = delete;
    StatFile& operator=(const StatFile&) = delete;

    // Deletes a file at the path, then creates it empty for reading and
    // writing.
    bool Create(const QString& path);
    // Opens an existing file for reading and writing.
    bool Open(const QString& path);
    // Flushes and closes; true when the pending writes reached the file.
    bool Close();
    bool IsOpen() const;
    int64_t Size();

    bool ReadHeader(StatHeader& header);
    // Written in place; the write position stays where it was.
    bool WriteHeader(const StatHeader& header);
    bool ReadAt(int64_t offset, void* data, int64_t len);
    bool WriteAt(int64_t offset, const void* data, int64_t len);
    // The same few bytes of a run of records: len bytes at offset
    // first + k * step for k = 0..count-1, packed into out. Reads the run in
    // large pieces rather than record by record.
    bool ReadStrided(int64_t first, int64_t step, int64_t count, int64_t len, void* out);

    // Sequential writing: Seek once, Append many, Flush at the end.
    bool Seek(int64_t offset);
    bool Append(const void* data, int64_t len);
    bool Flush();
    // Flushes and puts what was written on the disk itself.
    bool Sync();

    // Cuts the file after the given length.
    bool Truncate(int64_t size);

private:
    bool FlushLocked();
    bool ReadLocked(int64_t offset, void* data, int64_t len);
    bool WriteLocked(int64_t offset, const void* data, int64_t len);
    bool CloseLocked();

    mutable std::mutex m_lock;
    QFile m_file;
    // Allocated on the first append (64 KiB), replaced by one of 1 MiB when
    // it first fills, and never cleared: only the bytes copied in are ever
    // touched or written.
    std::unique_ptr<char[]> m_buffer;
    size_t m_capacity = 0;
    size_t m_used = 0;
    int64_t m_writePos = 0; // where the buffer's first byte goes
    bool m_failed = false;  // a buffered write failed since the last Seek
};

} // namespace kelton
