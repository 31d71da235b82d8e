#include "games/ui/game_windows.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include "data/lottor_data.h"
#include "engine/stat.h"
#include "games/ui/data_set_form.h"
#include "platform/ui/flex_grid.h"
#include "shell/ui/qt_app_env.h"
#include "shell/ui/shell_test_fakes.h"
#include "shell/ui/xp_toolbar.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QString kThreeDigits = u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;

// The main window with the draw editor installed, over a real game file.
class GamesWindowsTest : public test::MainWindowTest {
protected:
    // Writes a game of the definition with the draws (default format), lists
    // it in the settings and starts the main window with it.
    void StartWith(const QString& definition, const QString& draws)
    {
        const QString path = u"Lottor/game"_s;
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(definition, path, 1000));
        }
        {
            CLottorData game;
            ASSERT_FALSE(game.OpenData(8, path, false));
            ASSERT_GT(game.AddStrNum(game.HeadData.GetDefFormat(), draws), 0);
            ASSERT_FALSE(game.UpData());
        }
        WriteSettings(false, {{u"游戏"_s, path}});
        SetLottorLoader(OpenLottorFile);
        InstallGameWindows(NeighbourWindows());
        Start();
        ASSERT_TRUE(Mmain().CurLottorData);
    }

    CLottorData& Game() const { return *Mmain().CurLottorData; }
    QAction* Entry(const char* name) const { return m_main->MenuEntry(QLatin1String(name)); }

    // Runs act on the draw editor once it shows modally; act closes it.
    void WhenShown(std::function<void(FDataSet&)> act)
    {
        m_acted = false;
        QTimer::singleShot(0, m_main, [this, act] {
            auto* form = qobject_cast<FDataSet*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            m_acted = true;
            act(*form);
        });
    }

    bool m_acted = false;
};

TEST_F(GamesWindowsTest, TheDrawCommandsOpenTheEditorOnTheirTab)
{
    StartWith(kThreeDigits, u"101:1 2 3\r\n102:4 5 6\r\n"_s);
    EXPECT_TRUE(Entry("mnuSysDataEdit")->isEnabled());
    EXPECT_TRUE(Entry("mnuOnlineDownLoadData")->isEnabled());
    EXPECT_TRUE(m_main->Tbr1()->ButtonByKey(u"Edit"_s)->isEnabled());

    int tab = 0;
    WhenShown([&](FDataSet& form) {
        tab = form.CurrentTab();
        EXPECT_EQ(form.parentWidget(), m_main);
        form.cmdCancel()->click();
    });
    Entry("mnuSysDataEdit")->trigger();
    EXPECT_TRUE(m_acted);
    EXPECT_EQ(tab, FDataSet::kTabAdd);

    WhenShown([&](FDataSet& form) {
        tab = form.CurrentTab();
        form.cmdCancel()->click();
    });
    Entry("mnuOnlineDownLoadData")->trigger();
    EXPECT_EQ(tab, FDataSet::kTabDown);

    // The toolbar button runs the draw command; the download tab stays chosen.
    WhenShown([&](FDataSet& form) {
        tab = form.CurrentTab();
        form.cmdCancel()->click();
    });
    m_main->Tbr1_ButtonClick(u"Edit"_s);
    EXPECT_TRUE(m_acted);
    EXPECT_EQ(tab, FDataSet::kTabDown);
    EXPECT_EQ(Game().NumCount(), 2);
}

TEST_F(GamesWindowsTest, AConfirmedDrawReachesTheHistoryAndTheStatistics)
{
    StartWith(kThreeDigits, u"101:1 2 3\r\n102:4 5 6\r\n"_s);
    WhenShown([](FDataSet& form) {
        EXPECT_EQ(form.TxtName()->text(), u"103"_s);
        form.txtBcMain()->setText(u"7 8 9"_s);
        form.CmdAdd()->click();
        form.cmdOK()->click(); // the question is answered OK
    });
    Entry("mnuSysDataEdit")->trigger();
    EXPECT_TRUE(m_acted);
    EXPECT_EQ(m_boxes.Texts, QStringList({u"你真的要把刚才的操作更新到分析数据中去吗？"_s}));
    ASSERT_EQ(Game().NumCount(), 3);
    EXPECT_EQ(Game().NumName(2), 103);
    EXPECT_EQ(Game().Num(1, 2), 9); // units
    EXPECT_EQ(Game().StatView(0)->RecordCount(), 4);
}

TEST_F(GamesWindowsTest, ASecondaryNumberAboveTheMainRangeSurvivesAnUpdate)
{
    // Main numbers 0..12, a secondary number 0..30.
    StartWith(u"[LOTTONAME]\r\n两区\r\n[BCDATALEN]\r\n12\r\n[BCMAIN]\r\n2\r\n[MRDATALEN]\r\n30\r\n[MRMAIN]\r\n1\r\n"_s,
              u"101:1 2 30\r\n102:3 4 5\r\n"_s);
    WhenShown([](FDataSet& form) {
        EXPECT_EQ(form.Grid()->Rows(), 3);
        EXPECT_EQ(form.Grid()->TextMatrix(1, 1), u"01 02 30"_s);
        form.txtBcMain()->setText(u"5 6 29"_s);
        form.CmdAdd()->click();
        form.cmdOK()->click();
    });
    Entry("mnuSysDataEdit")->trigger();
    ASSERT_EQ(Game().NumCount(), 3);
    EXPECT_EQ(Game().NumName(0), 101);
    EXPECT_EQ(Game().Num(3, 0), 30);
    EXPECT_EQ(Game().Num(3, 2), 29);
}

} // namespace
} // namespace kelton
