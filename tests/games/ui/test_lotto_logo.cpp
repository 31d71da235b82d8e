#include "games/ui/lotto_logo.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "data/lottor_data.h"
#include "game_window_test.h"
#include "games/new_game.h"
#include "games/ui/lotto_reg.h"

namespace kelton::test {
namespace {

using namespace Qt::StringLiterals;

class LottoLogoTest : public GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        ASSERT_TRUE(m_items.LottoGroupAdd(u"全部彩票"_s));
        ASSERT_TRUE(m_items.LottoGroupAdd(u"3D玩法"_s));
        AddGame(u"0 1"_s, u"福彩3D"_s);
        AddGame(u"0"_s, u"Pick 3"_s);
        AddGame(u"1"_s, u"排列三"_s);
        m_items.SetSelectItem(1);
    }

    // A game with its data file and its statistics.
    void AddGame(const QString& groups, const QString& name)
    {
        GameParams p;
        p.LottorName = name;
        p.BcDataLen = u"9"_s;
        p.BcMain = u"3"_s;
        const std::optional<CreatedGame> created = CreateGame(DefinitionText(p));
        ASSERT_TRUE(created);
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, created->Path));
        ASSERT_TRUE(m_items.LottoAdd(groups, name, created->Path));
    }

    QStringList Files(int16_t index) const
    {
        const QString path = CLottorData::FullDataPath(m_items.LottoItemGet(index, CLottoItem::kItemPath));
        QStringList files{path};
        for (int16_t v = 0; v < 8; ++v)
            files << CLottorData::StatPath(path, v);
        return files;
    }

    // The next new-game dialog creates a three-digit game of that name.
    void CreateInNewGameDialog(const QString& name)
    {
        OnModal<FLottoReg>([name](FLottoReg& reg) {
            reg.txtLottorName()->setText(name);
            reg.txtBcDataLen()->setText(u"9"_s);
            reg.txtBcMain()->setText(u"3"_s);
            reg.CmdOK()->click();
        });
    }

    static QStringList Names(const FLottoLogo& dlg)
    {
        QStringList names;
        for (int r = 0; r < dlg.RowCount(); ++r)
            names << dlg.RowName(r);
        return names;
    }

    void Search(FLottoLogo& dlg, const QString& keyword)
    {
        dlg.TxtSearch()->setText(keyword);
        QTest::keyClick(dlg.TxtSearch(), Qt::Key_Return);
    }

    CLottoItem m_items;
    SettingRecordType m_record = SettingRecordType::Defaults();
};

TEST_F(LottoLogoTest, FillsTheGroupsAndSelectsTheDefaultGame)
{
    m_record.SetShowChooser(kFalse);
    FLottoLogo dlg(m_items, m_record, QString());
    ASSERT_EQ(dlg.tvwLotto()->topLevelItemCount(), 2);
    EXPECT_EQ(dlg.tvwLotto()->topLevelItem(1)->text(0), u"3D玩法"_s);
    EXPECT_EQ(dlg.tvwLotto()->currentItem(), dlg.tvwLotto()->topLevelItem(0));
    EXPECT_EQ(Names(dlg), (QStringList{u"福彩3D"_s, u"Pick 3"_s}));
    EXPECT_EQ(dlg.RowPath(1), u"Lottor/lottor1001"_s);
    EXPECT_EQ(dlg.RowIndex(1), 1);
    EXPECT_EQ(dlg.SelectedRow(), 1);
    EXPECT_FALSE(dlg.ClickOk());
    EXPECT_FALSE(dlg.chkShow()->isChecked());
}

TEST_F(LottoLogoTest, GroupClickListsTheGroupAndSelectTakesTheRow)
{
    FLottoLogo dlg(m_items, m_record, QString());
    dlg.show();
    dlg.tvwLotto()->setCurrentItem(dlg.tvwLotto()->topLevelItem(1));
    EXPECT_EQ(Names(dlg), (QStringList{u"福彩3D"_s, u"排列三"_s}));
    EXPECT_EQ(dlg.SelectedRow(), -1);
    dlg.SelectRow(1);
    dlg.chkShow()->setChecked(false);
    dlg.cmdSel()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.ClickOk());
    EXPECT_EQ(m_items.SelectItem(), 2);
    EXPECT_EQ(m_record.ShowChooser(), kFalse); // written as the dialog closes

    // A double-click chooses as the select button does.
    FLottoLogo again(m_items, m_record, QString());
    again.show();
    EXPECT_TRUE(again.chkShow()->isChecked() == false);
    again.chkShow()->setChecked(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    const QRect row = again.lvwLotto()->visualRect(again.lvwLotto()->model()->index(0, 0));
    QTest::mouseClick(again.lvwLotto()->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(again.lvwLotto()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_TRUE(again.ClickOk());
    EXPECT_EQ(m_items.SelectItem(), 0);
    EXPECT_EQ(m_record.ShowChooser(), kTrue);
}

TEST_F(LottoLogoTest, TheKeyboardReachesTheListAndEnterChoosesTheGame)
{
    FLottoLogo dlg(m_items, m_record, QString());
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    // The keyboard starts on the games; the groups lie before them.
    EXPECT_EQ(QApplication::focusWidget(), dlg.lvwLotto());
    QTest::keyClick(dlg.lvwLotto(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), dlg.tvwLotto());
    QTest::keyClick(dlg.tvwLotto(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dlg.lvwLotto());

    // Enter in the keyword box searches and chooses nothing.
    dlg.TxtSearch()->setFocus();
    dlg.TxtSearch()->setText(u"排列"_s);
    QTest::keyClick(dlg.TxtSearch(), Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(Names(dlg), QStringList{u"排列三"_s});
    // Also without a keyword, when a game is selected.
    dlg.SelectRow(0);
    dlg.TxtSearch()->clear();
    QTest::keyClick(dlg.TxtSearch(), Qt::Key_Enter);
    EXPECT_EQ(m_boxes.Texts, QStringList{u"请输入彩票玩法关键字"_s});
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.ClickOk());
    // Without a selected game Enter does nothing.
    dlg.tvwLotto()->setFocus();
    dlg.tvwLotto()->setCurrentItem(dlg.tvwLotto()->topLevelItem(1));
    ASSERT_EQ(dlg.SelectedRow(), -1);
    QTest::keyClick(dlg.tvwLotto(), Qt::Key_Enter);
    EXPECT_TRUE(dlg.isVisible());
    // With one it chooses it, from the groups as from the games.
    dlg.SelectRow(1);
    QTest::keyClick(dlg.tvwLotto(), Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.ClickOk());
    EXPECT_EQ(m_items.SelectItem(), 2);

    FLottoLogo again(m_items, m_record, QString());
    again.show();
    again.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&again));
    QTest::keyClick(again.lvwLotto(), Qt::Key_Down);
    QTest::keyClick(again.lvwLotto(), Qt::Key_Up);
    QTest::keyClick(again.lvwLotto(), Qt::Key_Return);
    EXPECT_TRUE(again.ClickOk());
    EXPECT_EQ(m_items.SelectItem(), 0);
}

TEST_F(LottoLogoTest, SelectWithoutARowOrClosingChoosesNothing)
{
    FLottoLogo dlg(m_items, m_record, QString());
    dlg.show();
    dlg.SelectRow(-1);
    dlg.cmdSel()->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(dlg.ClickOk());
    EXPECT_EQ(m_items.SelectItem(), 1);

    FLottoLogo closed(m_items, m_record, QString());
    closed.show();
    closed.chkShow()->setChecked(false);
    closed.close();
    EXPECT_FALSE(closed.ClickOk());
    EXPECT_EQ(m_record.ShowChooser(), kFalse);
}

TEST_F(LottoLogoTest, SearchListsTheBestMatchesFirst)
{
    FLottoLogo dlg(m_items, m_record, QString());
    dlg.show();
    Search(dlg, u" 3d "_s);
    // The whole keyword in a name, then in a group name ("3D玩法"), then a
    // single character in a name.
    EXPECT_EQ(Names(dlg), (QStringList{u"福彩3D"_s, u"排列三"_s, u"Pick 3"_s}));
    EXPECT_TRUE(dlg.cmdSel()->isEnabled());

    Search(dlg, u"   "_s);
    EXPECT_EQ(m_boxes.Texts, QStringList{u"请输入彩票玩法关键字"_s});
    EXPECT_EQ(m_boxes.Titles, QStringList{u"操作提示！"_s});
    EXPECT_EQ(Names(dlg).size(), 3);

    dlg.TxtSearch()->setText(u"双色球"_s);
    dlg.CmdSearch()->click();
    EXPECT_EQ(dlg.RowCount(), 0);
    EXPECT_FALSE(dlg.cmdSel()->isEnabled());
    EXPECT_FALSE(dlg.CmdLottoDel()->isEnabled());
    EXPECT_EQ(dlg.tvwLotto()->currentItem(), dlg.tvwLotto()->topLevelItem(0));
}

TEST_F(LottoLogoTest, TheDefaultAndTheLoadedGameAreNotDeleted)
{
    m_items.SetSelectItem(0);
    // The loaded game named otherwise than in the list: the same file.
    const QString loaded = Path(u"Lottor/../Lottor/lottor1001"_s);
    FLottoLogo dlg(m_items, m_record, loaded);
    struct Case {
        int row;
        QString refusal;
    };
    const Case cases[] = {{0, u"当前默认选择的彩票玩法不能删除!"_s}, {1, u"当前打开的彩票玩法不能删除!"_s}};
    for (const Case& c : cases) {
        m_boxes.Texts.clear();
        dlg.SelectRow(c.row);
        dlg.CmdLottoDel()->click();
        ASSERT_EQ(m_boxes.Texts.size(), 2);
        EXPECT_EQ(m_boxes.Texts[0], u"确定要删除["_s + dlg.RowName(c.row) + u"]彩票玩法吗?"_s);
        EXPECT_EQ(m_boxes.Texts[1], c.refusal);
        for (const QString& file : Files(dlg.RowIndex(c.row)))
            EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
        EXPECT_FALSE(m_items.LottoItemGet(dlg.RowIndex(c.row), CLottoItem::kItemName).isEmpty());
    }
    EXPECT_EQ(dlg.RowCount(), 2);
}

TEST_F(LottoLogoTest, DeleteRemovesTheFilesThenTheEntry)
{
    FLottoLogo dlg(m_items, m_record, QString());
    dlg.tvwLotto()->setCurrentItem(dlg.tvwLotto()->topLevelItem(1));
    dlg.SelectRow(1);
    m_boxes.Answer = QMessageBox::Cancel;
    dlg.CmdLottoDel()->click();
    EXPECT_EQ(dlg.RowCount(), 2);
    EXPECT_TRUE(QFileInfo::exists(Files(2).front()));

    m_boxes.Answer = QMessageBox::Ok;
    const QStringList files = Files(2);
    dlg.CmdLottoDel()->click();
    for (const QString& file : files)
        EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
    EXPECT_TRUE(m_items.LottoItemGet(2, CLottoItem::kItemName).isEmpty());
    EXPECT_EQ(m_items.LottoCount(), 3); // the entry keeps its index
    EXPECT_EQ(Names(dlg), QStringList{u"福彩3D"_s});
    EXPECT_EQ(m_boxes.Texts.size(), 2); // the two questions, nothing else
}

TEST_F(LottoLogoTest, AFileThatStaysKeepsTheGameAndItsEntry)
{
    // A statistics file that cannot be removed: a folder with something in it.
    const QStringList files = Files(2);
    ASSERT_TRUE(QFile::remove(files[4]));
    ASSERT_TRUE(QDir().mkpath(files[4] + u"/inside"_s));
    FLottoLogo dlg(m_items, m_record, QString());
    dlg.tvwLotto()->setCurrentItem(dlg.tvwLotto()->topLevelItem(1));
    dlg.SelectRow(1);
    dlg.CmdLottoDel()->click();
    ASSERT_EQ(m_boxes.Texts.size(), 2);
    EXPECT_TRUE(m_boxes.Texts[1].startsWith(u"删除失败!"_s));
    EXPECT_TRUE(m_boxes.Texts[1].contains(files[4]));
    EXPECT_TRUE(QFileInfo::exists(files[0])); // the data file stays, and the game opens
    EXPECT_EQ(m_items.LottoItemGet(2, CLottoItem::kItemName), u"排列三"_s);
    EXPECT_EQ(dlg.RowCount(), 2);
    CLottorData game;
    EXPECT_FALSE(game.OpenData(1, files[0]));
}

TEST_F(LottoLogoTest, AddPutsTheNewGameIntoAllGamesAndTheChosenGroup)
{
    FLottoLogo dlg(m_items, m_record, QString());
    dlg.tvwLotto()->setCurrentItem(dlg.tvwLotto()->topLevelItem(1));
    OnModal<FLottoReg>([](FLottoReg&) {}); // cancelled
    dlg.CmdLottoAdd()->click();
    EXPECT_EQ(m_items.LottoCount(), 3);
    EXPECT_TRUE(m_boxes.Texts.isEmpty());

    CreateInNewGameDialog(u"新3D"_s);
    dlg.CmdLottoAdd()->click();
    EXPECT_EQ(m_boxes.Texts, QStringList{u"已经增加了新的彩票玩法！"_s});
    ASSERT_EQ(m_items.LottoCount(), 4);
    EXPECT_EQ(m_items.LottoItemGet(3, CLottoItem::kItemGroups), u" 0 1 "_s);
    EXPECT_EQ(m_items.LottoItemGet(3, CLottoItem::kItemPath), u"Lottor/lottor1003"_s);
    EXPECT_EQ(Names(dlg), (QStringList{u"福彩3D"_s, u"排列三"_s, u"新3D"_s}));
}

TEST_F(LottoLogoTest, WithoutGroupsTheFirstAddedGameMakesOne)
{
    CLottoItem none;
    FLottoLogo dlg(none, m_record, QString());
    dlg.show();
    EXPECT_EQ(dlg.tvwLotto()->topLevelItemCount(), 0);
    EXPECT_EQ(dlg.RowCount(), 0);
    EXPECT_TRUE(dlg.CmdLottoDel()->isEnabled());
    dlg.CmdLottoDel()->click(); // nothing to delete
    EXPECT_TRUE(m_boxes.Texts.isEmpty());

    CreateInNewGameDialog(u"新3D"_s);
    dlg.CmdLottoAdd()->click();
    ASSERT_EQ(none.LottoGroupCount(), 1);
    EXPECT_EQ(none.LottoGroupGet(0), u"全部彩票"_s);
    EXPECT_EQ(none.LottoItemGet(0, CLottoItem::kItemGroups), u" 0 0 "_s);
    EXPECT_EQ(Names(dlg), QStringList{u"新3D"_s});

    dlg.SelectRow(-1);
    dlg.cmdSel()->click();
    EXPECT_FALSE(dlg.ClickOk());
}

} // namespace
} // namespace kelton::test
