// SIGTERM and SIGINT end the program the way closing it does: a child
// process runs the main window on a program folder of its own, changes a
// setting, and is sent the signal while idle, during a long operation and
// with a modal dialog open; the settings file must hold the change.

#include <csignal>
#include <cstdio>

#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/settings.h"
#include "platform/program_folder.h"
#include "platform/termination_signals.h"
#include "qt_app_env.h"
#include "shell/ui/mdi_main.h"
#include "shell/ui/shell_windows.h"
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
// stopped, or inside a modal dialog. Exit confirmations are refused, so
// that only the signal can end it.
TEST(TerminationChild, DISABLED_RunsUntilSignalled)
{
    SetProgramFolder(qEnvironmentVariable(kFolderVariable));
    const QString mode = qEnvironmentVariable(kModeVariable);
    test::FakeBoxes boxes;
    boxes.Answer = QMessageBox::Cancel;
    const ScopedService<IMessageBoxes> answered(&boxes);
    NeighbourWindows() = ShellWindows{};

    MDIMain window;
    CTerminationSignals terminationSignals([&window] { window.RequestTermination(); });
    ASSERT_TRUE(terminationSignals.Installed());
    QTimer::singleShot(0, &window, [&] {
        window.mnuSysBar_Click();
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
        int signal;
        const char* mode;
        const char* said; // what the child says on the way out
    };
    const Case cases[] = {
        {SIGTERM, "idle", nullptr},
        {SIGINT, "idle", nullptr},
        {SIGTERM, "operation", "operation stopped"},
        {SIGINT, "dialog", "dialog cancelled"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.signal));
        // A program folder of its own, whose settings show the toolbar.
        const QString folder = m_dir.filePath(QString::number(++n));
        ASSERT_TRUE(QDir().mkpath(folder));
        SetProgramFolder(folder);
        IniGlobal();
        IniSystem();
        Mmain().SettingRecord.SetShowToolBar(kTrue);
        ASSERT_TRUE(SaveSetFile(QString::fromLatin1(kSetFileKey)));

        QProcess child;
        test::StartChildTest(child, QStringLiteral("TerminationChild.DISABLED_RunsUntilSignalled"),
                             {{QString::fromLatin1(kFolderVariable), folder},
                              {QString::fromLatin1(kModeVariable), QLatin1String(c.mode)}});
        ASSERT_FALSE(HasFatalFailure());
        QByteArray output;
        QDeadlineTimer deadline(30000);
        while (!output.contains("running") && !deadline.hasExpired() && child.state() == QProcess::Running) {
            child.waitForReadyRead(100);
            output += child.readAllStandardOutput();
        }
        ASSERT_TRUE(output.contains("running")) << output.toStdString();
        QThread::msleep(50); // into the operation or the dialog
        ::kill(static_cast<pid_t>(child.processId()), c.signal);
        if (!child.waitForFinished(30000)) {
            child.kill();
            child.waitForFinished();
            FAIL() << "the signal did not end the child";
        }
        output += child.readAllStandardOutput();
        ASSERT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains("ended")) << output.toStdString();
        if (c.said) {
            EXPECT_TRUE(output.contains(c.said)) << output.toStdString();
        }

        // The setting changed after the start was written.
        Mmain().SettingRecord = SettingRecordType();
        IniSystem();
        ASSERT_EQ(Mmain().SetFileState, SettingsFileState::Loaded);
        EXPECT_EQ(Mmain().SettingRecord.ShowToolBar(), 0);
    }
}

} // namespace
} // namespace kelton
