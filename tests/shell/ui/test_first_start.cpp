// The program as it starts on a machine that has never run it: the data
// folder is seeded with the sample game, which opens with its statistics.

#include <QAction>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "platform/ui/message_box.h"
#include "qt_app_env.h"
#include "shell/lottor_loader.h"
#include "shell/ui/mdi_main.h"
#include "shell/ui/shell_windows.h"
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

class FirstStartTest : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        NeighbourWindows().DataSetOther = {};  // no web page on a test machine
    }
    void TearDown() override
    {
        Mmain().CurLottorData.reset();
        ProgramFolderTest::TearDown();
    }

    NoBoxes m_boxes;
    ScopedService<IMessageBoxes> m_boxesInstalled{&m_boxes};
    ScopedService<LottorLoader> m_loader{&OpenLottorFile};
};

TEST_F(FirstStartTest, OpensOnTheSampleGameWithItsStatistics)
{
    for (int start = 0; start < 2; ++start) {
        MDIMain main;
        main.MDIForm_Load();
        EXPECT_EQ(main.windowTitle(), QStringLiteral("Kelton 2.04 - [福彩3D]")) << "start " << start;
        EXPECT_TRUE(main.MenuEntry(QStringLiteral("mnuDataRefresh"))->isEnabled());
        ASSERT_TRUE(Mmain().CurLottorData);
        const CLottorData& game = *Mmain().CurLottorData;
        EXPECT_EQ(game.NumCount(), 8374);
        EXPECT_EQ(game.NumName(0), 2002001);
        EXPECT_EQ(game.NumName(8373), 2025217);
        for (int16_t v = 0; v < 8; ++v)
            EXPECT_EQ(game.StatView(v)->RecordCount(), 8375) << "view " << v;
        main.MDIForm_Unload();
        // What a new process would start from.
        Mmain().FormsClosing = 0;
        Mmain().LottoItems = CLottoItem();
    }
}

}  // namespace
}  // namespace kelton
