#include "games/ui/game_windows.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include "data/lottor_data.h"
#include "engine/stat.h"
#include "game_window_test.h"
#include "games/new_game.h"
#include "games/ui/data_set_form.h"
#include "games/ui/lotto_logo.h"
#include "games/ui/lotto_option.h"
#include "games/ui/lotto_reg.h"
#include "games/ui/lotto_template.h"
#include "host/ui/xp_toolbar.h"
#include "platform/ui/flex_grid.h"

namespace kelton::test {
namespace {

using namespace Qt::StringLiterals;

class GameWindowsTest : public GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        InstallGameWindows(Windows(), m_context.State);
        m_loader.emplace(OpenLottorFile);
    }

    // The chooser of the next showing takes the game of that name.
    void Choose(const QString& name)
    {
        OnModal<FLottoLogo>([name](FLottoLogo& chooser) {
            for (int r = 0; r < chooser.RowCount(); ++r) {
                if (chooser.RowName(r) == name)
                    chooser.SelectRow(r);
            }
            ASSERT_GE(chooser.SelectedRow(), 0) << name.toStdString();
            chooser.cmdSel()->click();
        });
    }

    QString Caption() const { return m_main->windowTitle(); }
};

TEST_F(GameWindowsTest, ANewGameFromTheTemplateIsChosenAndOpensWithEmptyStatistics)
{
    // A program folder with the game "福彩3D" and the chooser shown at start.
    const std::optional<QString> text = ReadTemplate(u"3D.Ltr"_s);
    ASSERT_TRUE(text);
    const std::optional<CreatedGame> first = CreateGame(*text);
    ASSERT_TRUE(first);
    {
        AppState written; // what an earlier run left
        IniSystem(written);
        written.LottoItems.LottoGroupAdd(u"全部彩票"_s);
        written.LottoItems.LottoAdd(u"0"_s, first->Name, first->Path);
        ASSERT_TRUE(SaveSetFile(written, QString::fromLatin1(kSetFileKey)));
    }

    Choose(u"福彩3D"_s);
    MDIMain& main = Start();
    EXPECT_TRUE(Caption().endsWith(u" - [福彩3D]"_s));
    EXPECT_TRUE(main.Entry(MainCommand::SysDataLottor)->isEnabled());
    EXPECT_TRUE(main.Entry(MainCommand::SysLottorOption)->isEnabled());
    EXPECT_TRUE(main.Controls().Tbr1->ButtonByKey(u"Lottor"_s)->isEnabled());

    // Add a game from the template under another name and choose it.
    OnModal<FLottoLogo>([this](FLottoLogo& chooser) {
        OnModal<FLottoReg>([this](FLottoReg& reg) {
            OnModal<FLottoTemplate>([](FLottoTemplate& list) {
                list.LstTemplate()->setCurrentItem(
                    list.LstTemplate()->findItems(u"3D.Ltr"_s, Qt::MatchExactly)[0]);
                list.CmdOK()->click();
            });
            reg.CmdImport()->click();
            reg.txtLottorName()->setText(u"我的3D"_s);
            reg.CmdOK()->click();
        });
        chooser.CmdLottoAdd()->click();
        ASSERT_EQ(chooser.RowCount(), 2);
        EXPECT_EQ(chooser.RowName(1), u"我的3D"_s);
        chooser.SelectRow(1);
        chooser.cmdSel()->click();
    });
    main.Controls().Tbr1->ButtonByKey(u"Lottor"_s)->trigger();
    EXPECT_TRUE(Caption().endsWith(u" - [我的3D]"_s));
    const std::shared_ptr<CLottorData> game = State().CurLottorData;
    ASSERT_TRUE(game);
    EXPECT_EQ(CLottorData::CanonicalDataPath(game->FilePath()),
              CLottorData::CanonicalDataPath(u"Lottor/lottor1001"_s));
    EXPECT_EQ(game->NumCount(), 0);
    ASSERT_EQ(game->ViewCount(), CStat::kViewCount);
    for (int16_t v = 0; v < CStat::kViewCount; ++v)
        EXPECT_EQ(game->StatView(v)->RecordCount(), 1) << v; // the next issue alone

    // And back.
    Choose(u"福彩3D"_s);
    main.Entry(MainCommand::SysDataLottor)->trigger();
    EXPECT_TRUE(Caption().endsWith(u" - [福彩3D]"_s));
    EXPECT_EQ(State().LottoItems.SelectItem(), 0);

    // The options of the current game.
    OnModal<FLottoOption>([](FLottoOption& options) {
        EXPECT_EQ(options.ColourTitle(kBcColour), u"常规号码颜色"_s);
        options.cmdCancel()->click();
    });
    main.Entry(MainCommand::SysLottorOption)->trigger();
}

// --- The draw editor ------------------------------------------------------------

// The main window over a game file with draws.
class DrawCommandsTest : public GameWindowsTest {
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
            ASSERT_FALSE(game.OpenData(8, path));
            ASSERT_GT(game.AddStrNum(game.HeadData.GetDefFormat(), draws), 0);
            ASSERT_FALSE(game.UpData());
        }
        WriteSettings(false, {{u"游戏"_s, path}});
        Start();
        ASSERT_TRUE(State().CurLottorData);
    }
    CLottorData& Game() const { return *State().CurLottorData; }
    QAction* Entry(MainCommand command) const { return m_main->Entry(command); }
};

const QString kThreeDigits = u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;

TEST_F(DrawCommandsTest, TheDrawCommandsOpenTheEditorOnTheirTab)
{
    StartWith(kThreeDigits, u"101:1 2 3\r\n102:4 5 6\r\n"_s);
    EXPECT_TRUE(Entry(MainCommand::SysDataEdit)->isEnabled());
    EXPECT_TRUE(Entry(MainCommand::OnlineDownLoadData)->isEnabled());
    EXPECT_TRUE(m_main->Controls().Tbr1->ButtonByKey(u"Edit"_s)->isEnabled());

    QList<int> tabs;
    for (int i = 0; i < 3; ++i) {
        OnModal<FDataSet>([&](FDataSet& form) {
            EXPECT_EQ(form.parentWidget(), m_main);
            tabs << form.CurrentTab();
            form.cmdCancel()->click();
        });
    }
    Entry(MainCommand::SysDataEdit)->trigger();
    Entry(MainCommand::OnlineDownLoadData)->trigger();
    // The toolbar button runs the draw command; the download tab stays chosen.
    m_main->Controls().Tbr1->ButtonByKey(u"Edit"_s)->trigger();
    EXPECT_EQ(tabs, QList<int>({FDataSet::kTabAdd, FDataSet::kTabDown, FDataSet::kTabDown}));
    EXPECT_EQ(Game().NumCount(), 2);
}

TEST_F(DrawCommandsTest, AConfirmedDrawReachesTheHistoryAndTheStatistics)
{
    StartWith(kThreeDigits, u"101:1 2 3\r\n102:4 5 6\r\n"_s);
    OnModal<FDataSet>([](FDataSet& form) {
        EXPECT_EQ(form.TxtName()->text(), u"103"_s);
        form.txtBcMain()->setText(u"7 8 9"_s);
        form.CmdAdd()->click();
        form.cmdOK()->click(); // the question is answered OK
    });
    Entry(MainCommand::SysDataEdit)->trigger();
    EXPECT_EQ(m_boxes.Texts, QStringList({u"你真的要把刚才的操作更新到分析数据中去吗？"_s}));
    ASSERT_EQ(Game().NumCount(), 3);
    EXPECT_EQ(Game().NumName(2), 103);
    EXPECT_EQ(Game().Num(1, 2), 9); // units
    EXPECT_EQ(Game().StatView(0)->RecordCount(), 4);
}

TEST_F(DrawCommandsTest, ASecondaryNumberAboveTheMainRangeSurvivesAnUpdate)
{
    // Main numbers 0..12, a secondary number 0..30.
    StartWith(u"[LOTTONAME]\r\n两区\r\n[BCDATALEN]\r\n12\r\n[BCMAIN]\r\n2\r\n[MRDATALEN]\r\n30\r\n[MRMAIN]\r\n1\r\n"_s,
              u"101:1 2 30\r\n102:3 4 5\r\n"_s);
    OnModal<FDataSet>([](FDataSet& form) {
        EXPECT_EQ(form.Grid()->Rows(), 3);
        EXPECT_EQ(form.Grid()->TextMatrix(1, 1), u"01 02 30"_s);
        form.txtBcMain()->setText(u"5 6 29"_s);
        form.CmdAdd()->click();
        form.cmdOK()->click();
    });
    Entry(MainCommand::SysDataEdit)->trigger();
    ASSERT_EQ(Game().NumCount(), 3);
    EXPECT_EQ(Game().NumName(0), 101);
    EXPECT_EQ(Game().Num(3, 0), 30);
    EXPECT_EQ(Game().Num(3, 2), 29);
}

} // namespace
} // namespace kelton::test
