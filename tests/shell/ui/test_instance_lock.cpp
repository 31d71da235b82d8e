#include <csignal>
#include <cstdio>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include "platform/program_folder.h"
#include "platform/ui/message_box.h"
#include "qt_app_env.h"
#include "shell/ui/instance_lock.h"
#include "shell_test_fakes.h"
#include "support/test_support.h"

namespace kelton {
namespace {

constexpr char kChildFolder[] = "KELTON_LOCK_CHILD";

// The child: holds the program folder until it is killed.
TEST(InstanceLockChild, DISABLED_HoldsTheFolderUntilKilled)
{
    SetProgramFolder(qEnvironmentVariable(kChildFolder));
    CInstanceLock lock;
    ASSERT_TRUE(lock.Claim());
    std::puts("folder held");
    std::fflush(stdout);
    for (;;)
        QThread::msleep(50);
}

class InstanceLockTest : public test::ProgramFolderTest {
protected:
    test::FakeBoxes m_boxes;
    ScopedService<IMessageBoxes> m_boxesInstalled{&m_boxes};
};

TEST_F(InstanceLockTest, ASecondInstanceIsToldAndEnds)
{
    auto first = std::make_unique<CInstanceLock>();
    ASSERT_TRUE(first->Claim());
    EXPECT_TRUE(first->Held());
    // However old the lock file, its holder still runs.
    QFile file(CInstanceLock::LockPath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    file.close();

    CInstanceLock second;
    EXPECT_FALSE(second.Claim());
    EXPECT_FALSE(second.Held());
    ASSERT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_EQ(m_boxes.Titles[0], QStringLiteral("系统提示！"));
    EXPECT_TRUE(m_boxes.Texts[0].startsWith(QStringLiteral("Kelton 已经在运行")));
    EXPECT_TRUE(m_boxes.Texts[0].contains(QDir::toNativeSeparators(ProgramFolder())));

    // Once the first has ended, the folder is free.
    first.reset();
    EXPECT_TRUE(second.Claim());
    EXPECT_EQ(m_boxes.Texts.size(), 1);
}

TEST_F(InstanceLockTest, ALockHeldByAnotherProcessIsTakenOverOnlyOnceItHasDied)
{
    QProcess child;
    test::StartChildTest(child, QStringLiteral("InstanceLockChild.DISABLED_HoldsTheFolderUntilKilled"),
                         {{QString::fromLatin1(kChildFolder), m_dir.path()}});
    ASSERT_FALSE(HasFatalFailure());
    QByteArray output;
    const QDeadlineTimer deadline(30000);
    while (!output.contains("folder held") && !deadline.hasExpired() && child.state() == QProcess::Running) {
        child.waitForReadyRead(100);
        output += child.readAllStandardOutput();
    }
    ASSERT_TRUE(output.contains("folder held")) << output.toStdString();

    CInstanceLock lock;
    EXPECT_FALSE(lock.Claim());
    EXPECT_EQ(m_boxes.Texts.size(), 1);

    // Killed, the child leaves its lock file behind: a stale lock.
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_TRUE(QFile::exists(CInstanceLock::LockPath()));
    EXPECT_TRUE(lock.Claim());
    EXPECT_TRUE(lock.Held());
    EXPECT_EQ(m_boxes.Texts.size(), 1);
}

} // namespace
} // namespace kelton
