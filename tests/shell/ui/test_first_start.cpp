// The program as it starts on a machine that has never run it: the data
// folder is seeded with the sample game, which opens with its statistics.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "host/ui/app_context.h"
#include "host/ui/shell_windows.h"
#include "platform/help_pages.h"
#include "platform/program_folder.h"
#include "platform/ui/message_box.h"
#include "qt_app_env.h"
#include "shell/lottor_loader.h"
#include "shell/ui/mdi_main.h"
#include "shell_test_fakes.h"
#include "support/test_support.h"

namespace kelton {
namespace {

class NoBoxes : public IMessageBoxes {
public:
    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                     QMessageBox::StandardButtons) override
    {
        ADD_FAILURE() << "unexpected message: " << text.toStdString();
        return QMessageBox::Ok;
    }
};

// What a run of the program starts from: its windows, but no web page on a
// test machine.
struct RunContext : AppContext {
    RunContext() { Windows.DataSetOther = {}; }
};

class FirstStartTest : public test::ProgramFolderTest {
protected:
    NoBoxes m_boxes;
    ScopedService<IMessageBoxes> m_boxesInstalled{&m_boxes};
    ScopedService<LottorLoader> m_loader{&OpenLottorFile};
};

TEST_F(FirstStartTest, OpensOnTheSampleGameWithItsStatistics)
{
    for (int start = 0; start < 2; ++start) {
        RunContext run;
        MDIMain main(run);
        main.MDIForm_Load();
        EXPECT_EQ(main.windowTitle(), QStringLiteral("Kelton 2.04 - [福彩3D]")) << "start " << start;
        EXPECT_TRUE(main.Entry(MainCommand::DataRefresh)->isEnabled());
        ASSERT_TRUE(run.State.CurLottorData);
        const CLottorData& game = *run.State.CurLottorData;
        EXPECT_EQ(game.NumCount(), 8374);
        EXPECT_EQ(game.NumName(0), 2002001);
        EXPECT_EQ(game.NumName(8373), 2025217);
        for (int16_t v = 0; v < 8; ++v)
            EXPECT_EQ(game.StatView(v)->RecordCount(), 8375) << "view " << v;
        main.MDIForm_Unload();
    }
}

// A first start with room for the settings but not for the sample game:
// the user is told why, and the next start with room installs the game. A
// settings file with no game once kept the sample game out for good, and
// nothing was said.
TEST(FullDiskFirstStartTest, TellsWhyAndInstallsTheSampleGameWhenThereIsRoom)
{
    test::SmallDisk disk(32 << 20);
    SKIP_WITHOUT_SMALL_DISK(disk);
    SetProgramFolder(disk.Path());
    test::FakeBoxes boxes;
    const ScopedService<IMessageBoxes> boxesInstalled(&boxes);
    const ScopedService<LottorLoader> loader(&OpenLottorFile);
    // The help pages and templates a start copies are there already.
    ASSERT_GT(SeedHelpPages(ProgramPath(QStringLiteral("Help"))), 0);
    ASSERT_TRUE(QDir().mkpath(ProgramPath(QStringLiteral("LottorTemplate"))));
    for (const char* name : {"/LottorTemplate/3D.Ltr", "/LottorTemplate/Pick3.Ltr"})
        ASSERT_TRUE(QFile::copy(DefaultsFolder() + QLatin1String(name), ProgramPath(QLatin1String(name).mid(1))));
    ASSERT_TRUE(disk.Fill(32 << 10));

    {
        RunContext run;
        MDIMain main(run);
        main.MDIForm_Load();
        EXPECT_FALSE(run.State.CurLottorData);
        ASSERT_EQ(boxes.Texts.size(), 1);
        EXPECT_TRUE(boxes.Texts[0].startsWith(QStringLiteral("示例彩票未能安装："))) << boxes.Texts[0].toStdString();
        main.MDIForm_Unload();
        EXPECT_EQ(boxes.Texts.size(), 1); // the settings had room
        ASSERT_TRUE(QFileInfo::exists(ProgramPath(QStringLiteral("Kelt.dat"))));
    }
    // What a new process would start from, with room again: the folder
    // moved to a disk that holds the game's statistics (some 400 MB).
    QTemporaryDir roomy;
    for (const QString& name : {QStringLiteral("Kelt.dat"), QStringLiteral("LottorTemplate/3D.Ltr")}) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(roomy.filePath(name)).absolutePath()));
        ASSERT_TRUE(QFile::copy(disk.FilePath(name), roomy.filePath(name)));
    }
    SetProgramFolder(roomy.path());
    {
        RunContext run;
        MDIMain main(run);
        main.MDIForm_Load();
        EXPECT_EQ(boxes.Texts.size(), 1) << boxes.Texts.join(u'|').toStdString();
        ASSERT_TRUE(run.State.CurLottorData);
        EXPECT_EQ(run.State.CurLottorData->NumCount(), 8374);
        main.MDIForm_Unload();
    }
    SetProgramFolder(QString());
}

}  // namespace
}  // namespace kelton
