#include "games/ui/game_windows.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "data/lottor_data.h"
#include "engine/stat.h"
#include "game_window_test.h"
#include "games/new_game.h"
#include "games/ui/lotto_logo.h"
#include "games/ui/lotto_option.h"
#include "games/ui/lotto_reg.h"
#include "games/ui/lotto_template.h"
#include "shell/ui/xp_toolbar.h"

namespace kelton::test {
namespace {

using namespace Qt::StringLiterals;

class GameWindowsTest : public GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        InstallGameWindows(NeighbourWindows());
        SetLottorLoader(OpenLottorFile);
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
    IniSystem();
    CLottoItem& items = Mmain().LottoItems;
    items.LottoGroupAdd(u"全部彩票"_s);
    items.LottoAdd(u"0"_s, first->Name, first->Path);
    ASSERT_TRUE(SaveSetFile(QString::fromLatin1(kSetFileKey)));
    items = CLottoItem();

    Choose(u"福彩3D"_s);
    MDIMain& main = Start();
    EXPECT_TRUE(Caption().endsWith(u" - [福彩3D]"_s));
    EXPECT_TRUE(main.MenuEntry(u"mnuSysDataLottor"_s)->isEnabled());
    EXPECT_TRUE(main.MenuEntry(u"mnuSysLottorOption"_s)->isEnabled());
    EXPECT_TRUE(main.Tbr1()->ButtonByKey(u"Lottor"_s)->isEnabled());

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
    main.Tbr1_ButtonClick(u"Lottor"_s);
    EXPECT_TRUE(Caption().endsWith(u" - [我的3D]"_s));
    const std::shared_ptr<CLottorData> game = Mmain().CurLottorData;
    ASSERT_TRUE(game);
    EXPECT_EQ(CLottorData::CanonicalDataPath(game->FilePath()),
              CLottorData::CanonicalDataPath(u"Lottor/lottor1001"_s));
    EXPECT_EQ(game->NumCount(), 0);
    ASSERT_EQ(game->ViewCount(), CStat::kViewCount);
    for (int16_t v = 0; v < CStat::kViewCount; ++v)
        EXPECT_EQ(game->StatView(v)->RecordCount(), 1) << v; // the next issue alone

    // And back.
    Choose(u"福彩3D"_s);
    main.MenuEntry(u"mnuSysDataLottor"_s)->trigger();
    EXPECT_TRUE(Caption().endsWith(u" - [福彩3D]"_s));
    EXPECT_EQ(Mmain().LottoItems.SelectItem(), 0);

    // The options of the current game.
    OnModal<FLottoOption>([](FLottoOption& options) {
        EXPECT_EQ(options.ColourTitle(kBcColour), u"常规号码颜色"_s);
        options.cmdCancel()->click();
    });
    main.MenuEntry(u"mnuSysLottorOption"_s)->trigger();
}

} // namespace
} // namespace kelton::test
