#pragma once

#include <cstdint>

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

namespace kelton {

// What a save did: whether the new content is in place, how many bytes it
// wrote, and, when it failed, why, in words a message can show.
struct SaveOutcome {
    bool Ok = false;
    int64_t Written = 0;
    QString Reason; // empty when Ok

    explicit operator bool() const { return Ok; }
};

// The reason of a save that had nothing to write.
inline constexpr char16_t kNothingWritten[] = u"没有可写入的内容";

// Writes a user file whole, the one way every file of the program is
// written. The content goes to a temporary file beside the target, every
// write straight to the system and checked; Commit syncs it, checks it, and
// only then puts it in place of the old file and syncs the folder, so that
// the new name survives a power cut too. On any failure the temporary file
// goes and the old file stays as it was, byte for byte; writing nothing is
// a failure as well.
//
// QSaveFile alone is not enough: Qt 6.4's commit() puts a short file in
// place when its last buffered write fails (a full disk), and reports
// success. Here nothing is ever left in a buffer for it to flush.
//
//   CheckedSaveFile file(path);
//   if (!file.Open()) ... file.Reason()
//   file.Write(a); file.Write(b);            // false once a write failed
//   const SaveOutcome out = file.Commit();   // out.Ok, out.Written, out.Reason
class CheckedSaveFile {
public:
    explicit CheckedSaveFile(const QString& path);
    // A write not committed is cancelled.
    ~CheckedSaveFile();
    CheckedSaveFile(const CheckedSaveFile&) = delete;
    CheckedSaveFile& operator=(const CheckedSaveFile&) = delete;

    // Creates the temporary file. False, with the reason, when it cannot.
    bool Open();
    // Appends the bytes. False once any write failed; later writes then do
    // nothing and Commit fails with the first reason.
    bool Write(QByteArrayView bytes);
    // Puts the complete content in place, as described above. Once only.
    SaveOutcome Commit();
    // Drops what was written; the old file stays.
    void Cancel();

    bool IsOpen() const { return m_file.isOpen(); }
    bool Failed() const { return !m_reason.isEmpty(); }
    int64_t Written() const { return m_written; }
    const QString& Reason() const { return m_reason; }

private:
    void Fail(const QString& reason);

    QSaveFile m_file;
    int64_t m_written = 0;
    QString m_reason;
};

// Writes bytes as the whole content of a file through CheckedSaveFile.
SaveOutcome SaveWholeFile(const QString& path, QByteArrayView bytes);

// Syncs an open file's content to disk, so that it survives a power cut.
// False when the system refuses.
bool SyncFile(int fd, const QString& path);
// Syncs a folder's entries to disk (after a file in it was renamed or
// created). False when the system refuses.
bool SyncFolder(const QString& folder);

// Told of every sync that succeeded, in order, with the path of the file
// or folder synced (a new file's content under its final name). Tests
// install one to check what reaches the disk before what.
class IFileSyncWatch {
public:
    virtual ~IFileSyncWatch() = default;
    virtual void Synced(const QString& path) = 0;
};

} // namespace kelton
