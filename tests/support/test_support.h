#pragma once

#include <QList>
#include <QStringList>
#include <QString>
#include <QTemporaryDir>
#include <utility>

class QProcess;

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "platform/services.h"

namespace kelton::test {

// A fixture whose program folder is a fresh temporary folder.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QString Path(const QString& relative) const;

    QTemporaryDir m_dir;
};

// A fixture with a fresh, idle progress state and a recording display in
// force for the test.
class HeadlessMsgTest : public ::testing::Test {
protected:
    MsgState m_msgState;
    ScopedService<MsgState> m_msgInForce{&m_msgState};
    HeadlessMsgDisplay m_display;
    ScopedService<IMsgDisplay> m_displayed{&m_display};
    CMsg m_msg;
};

// A folder on a small file system of its own: a tmpfs mounted for the test
// in a mount namespace of the calling thread, so that nothing outside the
// test sees it and it goes when the process ends. Fill() takes every free
// byte, after which every write there fails for want of space, as on a full
// disk. Mounting needs root (CI runs as root); elsewhere Ready() is false
// and SKIP_WITHOUT_SMALL_DISK skips the test, saying why.
class SmallDisk {
public:
    explicit SmallDisk(qint64 bytes = 4 << 20);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Ready() const { return m_mounted; }
    const QString& SkipReason() const { return m_skipReason; }
    // The folder, and a path under it.
    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString& relative) const { return m_dir.filePath(relative); }
    // A filler file takes every free byte but leave (rounded up to whole
    // pages); false when the disk could not be filled.
    bool Fill(qint64 leave = 0);
    // The filler goes, and the room it took is free again.
    void Free();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_skipReason;
};

#define SKIP_WITHOUT_SMALL_DISK(disk)                                                                                \
    do {                                                                                                             \
        if (!(disk).Ready())                                                                                         \
            GTEST_SKIP() << (disk).SkipReason().toStdString();                                                       \
    } while (false)

// Every file name in a folder, hidden ones included (what a failed save may
// leave behind).
QStringList FolderEntries(const QString& folder);

// Starts one test of this test program in a process of its own, with the
// environment variables given added. The test is a disabled one
// ("Suite.DISABLED_Name"), so that only the test that starts it runs it.
void StartChildTest(QProcess& child, const QString& test, const QList<std::pair<QString, QString>>& env);

// A file under tests/fixtures.
QString FixturePath(const QString& relative);

// The real draw history shipped as sample data (issue, date, three digits).
QString SampleHistoryPath();

} // namespace kelton::test

// Lets gtest print QStrings readably.
QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os);
QT_END_NAMESPACE
