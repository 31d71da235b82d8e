// The main window on a program folder whose disk is full: the settings it
// cannot save at exit are reported, and the file stays as it was.

#include <QFile>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/settings.h"
#include "platform/program_folder.h"
#include "qt_app_env.h"
#include "shell/ui/mdi_main.h"
#include "shell_test_fakes.h"
#include "support/test_support.h"

namespace kelton {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FullDiskMainWindowTest : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SKIP_WITHOUT_SMALL_DISK(m_disk);
        SetProgramFolder(m_disk.Path());
    }

    test::SmallDisk m_disk{4 << 20};
};

TEST_F(FullDiskMainWindowTest, SettingsThatCannotBeSavedAtExitAreReported)
{
    WriteSettings(false, {});
    const QByteArray before = ReadAll(m_disk.FilePath(QStringLiteral("Kelt.dat")));
    MDIMain& main = Start();
    main.Entry(MainCommand::SysBar)->trigger(); // a change to save
    ASSERT_TRUE(m_disk.Fill());
    m_boxes.Texts.clear();
    main.MDIForm_Unload();
    ASSERT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_TRUE(m_boxes.Texts[0].startsWith(QStringLiteral("设置文件无法保存"))) << m_boxes.Texts[0].toStdString();
    EXPECT_TRUE(ReadAll(m_disk.FilePath(QStringLiteral("Kelt.dat"))) == before);
}

} // namespace
} // namespace kelton
