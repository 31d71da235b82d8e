// SIGTERM, SIGINT and SIGHUP end the program the way closing it does: a
// child process runs the main window on a program folder of its own, changes
// a setting, and is sent the signal while idle, during a long operation and
// with a modal dialog open; the settings file must hold the change and the
// folder's lock be released. So must an exit() from inside the event loop,
// which is how Qt's X11 connection ends the process when the display goes.

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/settings.h"
#include "host/ui/app_context.h"
#include "host/ui/shell_windows.h"
#include "platform/program_folder.h"
#include "platform/termination_signals.h"
#include "qt_app_env.h"
#include "shell/ui/instance_lock.h"
#include "shell/ui/mdi_main.h"
#include "shell_test_fakes.h"
#include "support/test_support.h"

namespace kelton {
namespace {

constexpr char kFolderVariable[] = "KELTON_TERM_FOLDER";
constexpr char kModeVariable[] = "KELTON_TERM_MODE";

void Say(const char* text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

// The child: the program as main() runs it, with the toolbar switched off
// once it runs; then, by mode, idle, inside a long operation that may be
// stopped, inside a modal dialog, or calling exit(1). Exit confirmations
// are refused, so that only the signal can end it.
TEST(TerminationChild, DISABLED_RunsUntilSignalled)
{
    SetProgramFolder(qEnvironmentVariable(kFolderVariable));
    const QString mode = qEnvironmentVariable(kModeVariable);
    test::FakeBoxes boxes;
    boxes.Answer = QMessageBox::Cancel;
    const ScopedService<IMessageBoxes> answered(&boxes);
    AppContext context(AppContext::Start::Bare);
    CInstanceLock lock;
    ASSERT_TRUE(lock.Claim());

    MDIMain window(context);
    CTerminationSignals terminationSignals([&window] { window.RequestTermination(); });
    ASSERT_TRUE(terminationSignals.Installed());
    QTimer::singleShot(0, &window, [&] {
        window.Entry(MainCommand::SysBar)->trigger();
        Say("running");
        if (mode == QLatin1String("operation")) {
            CMsg msg;
            msg.StartPrg(1000000, 0, nullptr, true);
            for (int32_t i = 0; i < 1000000; ++i) {
                if (msg.IsClick()) {
                    Say("operation stopped");
                    break;
                }
                msg.prgValue(i);
                msg.DoEvents();
                QThread::msleep(2);
            }
            msg.EndPrg();
        } else if (mode == QLatin1String("dialog")) {
            QDialog dialog(&window);
            if (dialog.exec() == QDialog::Rejected)
                Say("dialog cancelled");
        } else if (mode == QLatin1String("exit")) {
            std::exit(1);
        }
    });
    EXPECT_EQ(window.Run(), 0);
    EXPECT_TRUE(boxes.Texts.isEmpty()) << boxes.Texts.join(QLatin1Char(';')).toStdString();
    Say("ended");
}

class TerminationTest : public test::ProgramFolderTest {};

TEST_F(TerminationTest, ASignalEndsTheProgramAndKeepsTheSettings)
{
    struct Case {
        int signal; // 0: none, the child ends by itself
        const char* mode;
        const char* said; // what the child says on the way out
        int exitCode = 0;
    };
    const Case cases[] = {
        {SIGTERM, "idle", "ended"},
        {SIGINT, "idle", "ended"},
        {SIGHUP, "idle", "ended"},
        {SIGTERM, "operation", "operation stopped"},
        {SIGINT, "dialog", "dialog cancelled"},
        {SIGHUP, "dialog", "dialog cancelled"},
        {0, "exit", "running", 1},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.signal));
        // A program folder of its own, whose settings show the toolbar.
        const QString folder = m_dir.filePath(QString::number(++n));
        ASSERT_TRUE(QDir().mkpath(folder));
        SetProgramFolder(folder);
        AppState written;
        IniSystem(written);
        written.SettingRecord.SetShowToolBar(kTrue);
        ASSERT_TRUE(SaveSetFile(written, QString::fromLatin1(kSetFileKey)));

        QProcess child;
        QList<std::pair<QString, QString>> env = {{QString::fromLatin1(kFolderVariable), folder},
                                                  {QString::fromLatin1(kModeVariable), QLatin1String(c.mode)}};
        // exit() leaves every object of the window behind on purpose: no
        // leak report for it under the sanitizers.
        if (c.signal == 0)
            env.append({QStringLiteral("ASAN_OPTIONS"), qEnvironmentVariable("ASAN_OPTIONS") + QStringLiteral(":detect_leaks=0")});
        test::StartChildTest(child, QStringLiteral("TerminationChild.DISABLED_RunsUntilSignalled"), env);
        ASSERT_FALSE(HasFatalFailure());
        QByteArray output;
        QDeadlineTimer deadline(30000);
        while (!output.contains("running") && !deadline.hasExpired() && child.state() == QProcess::Running) {
            child.waitForReadyRead(100);
            output += child.readAllStandardOutput();
        }
        ASSERT_TRUE(output.contains("running")) << output.toStdString();
        QThread::msleep(50); // into the operation or the dialog
        if (c.signal != 0)
            ::kill(static_cast<pid_t>(child.processId()), c.signal);
        if (!child.waitForFinished(30000)) {
            child.kill();
            child.waitForFinished();
            FAIL() << "the signal did not end the child";
        }
        output += child.readAllStandardOutput();
        ASSERT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
        EXPECT_EQ(child.exitCode(), c.exitCode) << output.toStdString();
        EXPECT_TRUE(output.contains(c.said)) << output.toStdString();
        if (c.signal != 0) {
            EXPECT_TRUE(output.contains("ended")) << output.toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Kelt.lock")));

        // The setting changed after the start was written.
        AppState read; // what a new run reads the file into
        IniSystem(read);
        ASSERT_EQ(read.SetFileState, SettingsFileState::Loaded);
        EXPECT_EQ(read.SettingRecord.ShowToolBar(), 0);
    }
}

} // namespace
} // namespace kelton
