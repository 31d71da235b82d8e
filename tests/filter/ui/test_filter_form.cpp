#include "filter/ui/filter_form.h"

#include <deque>
#include <functional>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include "chart/ui/qvx_chart.h"
#include "data/app_state.h"
#include "data/draw_text.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "data/picker_service.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "filter/filter_run.h"
#include "filter/ui/filter_bound_form.h"
#include "filter/ui/filter_windows.h"
#include "filter/ui/mr_replace_dialog.h"
#include "filter/ui/scheme_panel.h"
#include "host/ui/xp_toolbar.h"
#include "platform/gbk.h"
#include "platform/name_tables.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/modal_dialog.h"
#include "platform/ui/screen_twips.h"
#include "platform/ui/stored_colour.h"
#include "shell/lottor_loader.h"
#include "shell/ui/qt_app_env.h"
#include "shell/ui/shell_test_fakes.h"
#include "support/quiet_infer_form.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QString kThreeDigits = u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;
const QString kWithSecondary =
    u"[LOTTONAME]\r\n特别号\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n[MRDATANAME]\r\n蓝球\r\n[MRDATALEN]\r\n12\r\n[MRMAIN]\r\n1\r\n"_s;
const QString kFourDigits = u"[LOTTONAME]\r\n四位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n4\r\n"_s;

// The single-number editor answers with Answer (nothing: cancelled).
class FakePickers : public IPickerService {
public:
    QString PickValues(const QString& strVal, int16_t minVal, int16_t maxVal, const QString& valName,
                       const QString& showMsg) override
    {
        Offered << u"%1 %2..%3"_s.arg(strVal).arg(minVal).arg(maxVal);
        Shown << valName + u'|' + showMsg;
        return Values.value_or(strVal);
    }
    std::optional<QString> Values; // the picked set's text; nothing: cancelled
    QStringList Offered;           // per pick: the text given and the bounds
    QStringList Shown;             // per pick: the value names, "|", the hint
    bool PickBall(const CLottorHead&, std::vector<int16_t>& balls) override
    {
        Given = balls;
        if (!Answer)
            return false;
        for (size_t i = 1; i < balls.size() && i < Answer->size(); ++i)
            balls[i] = (*Answer)[i];
        return true;
    }
    std::optional<std::vector<int16_t>> Answer;
    std::vector<int16_t> Given;
};

// An analysis window that notes the views it was asked to open and, as an
// analysis window follows the game document, its condition refreshes.
class NotingInferForm : public test::QuietInferForm {
public:
    explicit NotingInferForm(GameDocument& document)
    {
        const auto note = [this] { ++Refreshes; };
        QObject::connect(&document, &GameDocument::conditionsChanged, &m_subscriber, note);
        QObject::connect(&document, &GameDocument::betTypeChanged, &m_subscriber, note);
    }
    void ShowLay(const QString& sShowSet) override { Shown << sShowSet; }
    int Refreshes = 0;
    QStringList Shown;

private:
    QObject m_subscriber;
};

// The main window's other-filter panel, noting its pushes and closes.
class NotingOtherPanel : public IOtherFilterPanel {
public:
    QWidget* PanelWidget() override
    {
        if (!m_widget)
            m_widget = new QWidget; // the main window's dock takes it
        return m_widget;
    }
    void FillPickLists(const OtherFilterPickLists&) override {}
    void UpDateOtherFilter() override { Calls << u"push"_s; }
    void CmdOtherFilterClose_Click() override { Calls << u"close"_s; }
    QStringList Calls;

private:
    QWidget* m_widget = nullptr;
};

class FilterFormTest : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_loader.emplace(&OpenLottorFile);
        InstallFilterWindows(Windows(), State());
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override
    {
        m_display.reset();
        const QPointer<fFilter> form = m_form;
        MainWindowTest::TearDown();
        delete form.data(); // one never put into the main window
    }

    // Loads a game with these draws (hundreds first) and opens the filter
    // window from the toolbar.
    fFilter& Open(const QString& definition = kThreeDigits,
                  const QStringList& draws = {u"507"_s, u"123"_s, u"888"_s})
    {
        const QString file = u"Lottor/lottor1000"_s;
        {
            CLottorData created;
            EXPECT_FALSE(created.CreateData(definition, file, 1000));
        }
        {
            CLottorData game;
            EXPECT_FALSE(game.OpenData(8, file));
            std::vector<Draw> rows;
            for (int i = 0; i < draws.size(); ++i) {
                Draw draw{2024001 + i, {0}};
                for (const QChar c : draws[i])
                    draw.Num.push_back(static_cast<int16_t>(c.digitValue()));
                for (int16_t m = 0; m < game.HeadData.MrMain; ++m)
                    draw.Num.push_back(1);
                rows.push_back(draw);
            }
            EXPECT_EQ(game.Add(rows), draws.size());
            EXPECT_FALSE(game.UpData());
        }
        MDIMain& main = Start();
        EXPECT_TRUE(main.LoadLottor(file));
        main.EnableLottoCommands();
        main.Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
        Settle();
        m_form = dynamic_cast<fFilter*>(Windows().FilterForm());
        return *m_form;
    }

    AppState& State() { return m_context.State; }
    CLottorData& Game() { return *State().CurLottorData; }
    QAction* Entry(MainCommand command) const { return m_main->Entry(command); }

    // A user's pick in a list: the item becomes current and the list
    // reports the choice.
    static void Pick(QComboBox* list, int index)
    {
        list->setCurrentIndex(index);
        Q_EMIT list->activated(index);
    }

    // A mouse click on a grid cell, sent to the view that draws it.
    static void ClickCell(CFlexGrid* grid, int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint at = grid->CellRect(row, col).center();
        QWidget* target = grid->childAt(at);
        ASSERT_NE(target, nullptr);
        const QPointF local(target->mapFrom(grid, at));
        const QPointF global(grid->mapToGlobal(at));
        QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &release);
        Settle();
    }

    // All ten digits in every position grid, then direct bets.
    void MakeAllDirectBets(fFilter& form)
    {
        for (int g = 1; g <= 3; ++g)
            Pick(form.Controls().CboBc[g], 1); // 全选
        QTest::mouseClick(form.Controls().optSel[0], Qt::LeftButton);
        QTest::mouseClick(form.Controls().cmdSingle, Qt::LeftButton);
        Settle();
    }

    // The digits of grid g that are painted as chosen.
    static QString Painted(const fFilter& form, const CLottorData& game, int g)
    {
        const QColor chosen(game.HeadData.BcMainColor & 0xFF, (game.HeadData.BcMainColor >> 8) & 0xFF,
                            (game.HeadData.BcMainColor >> 16) & 0xFF);
        QStringList out;
        for (int v = 0; v <= game.HeadData.BcDataLen; ++v)
            if (form.Controls().msgBc[g]->CellBackColor(v / 5, v % 5) == chosen)
                out << QString::number(v);
        return out.join(u' ');
    }

    FakePickers m_pickers;
    const ScopedService<IPickerService> m_pickerService{&m_pickers};
    HeadlessMsgDisplay m_recorded;
    std::optional<ScopedService<IMsgDisplay>> m_display;
    QPointer<fFilter> m_form;
};

TEST_F(FilterFormTest, BuildsFromTheCurrentGameAndOnlyHidesWhenClosed)
{
    fFilter& form = Open();
    EXPECT_TRUE(form.Loaded());
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.Caption(), u"缩水过滤"_s);
    EXPECT_TRUE(Entry(MainCommand::WindowFilter)->isVisible());
    EXPECT_TRUE(m_main->WindowHistory().WinHistory().contains(u"缩水过滤"_s));
    for (QGroupBox* frame : {form.Controls().FraSet, form.Controls().FraChipIn, form.Controls().FraResult})
        EXPECT_TRUE(frame->isVisible());

    // One condition row per indicator and position, named as the views are.
    ASSERT_EQ(form.ConditionRows(), 46);
    EXPECT_EQ(form.Controls().LblFilter[0]->text(), IndicatorName(0));
    EXPECT_EQ(form.Controls().LblFilter[43]->text(), u"个位号码"_s);
    EXPECT_EQ(form.Controls().LblFilter[45]->text(), u"百位号码"_s);
    EXPECT_EQ(form.Controls().picChipInData->height(), TwipsToScreenPixels(16100, &form));
    EXPECT_EQ(form.SelectedTab(), 2);
    EXPECT_EQ(form.Controls().tspChipIn->count(), 9);
    EXPECT_EQ(form.Controls().tspChipIn->tabText(0), u"其它过滤"_s);
    EXPECT_EQ(form.Controls().tspChipIn->tabText(8), u"转换数据七"_s);

    // Digit grids of two rows of five; the group grid waits for group bets.
    for (int g = 0; g <= 3; ++g) {
        EXPECT_EQ(form.Controls().msgBc[g]->Rows(), 2) << g;
        EXPECT_EQ(form.Controls().msgBc[g]->TextMatrix(1, 4), u"9"_s) << g;
        EXPECT_EQ(form.Controls().msgBc[g]->isVisible(), g != 0) << g;
        EXPECT_EQ(form.Controls().CboBc[g]->count(), 12) << g;
        EXPECT_EQ(form.Controls().CboBc[g]->currentText(), u"重选"_s) << g;
    }
    EXPECT_EQ(form.Controls().cboNumName->count(), 4);
    EXPECT_EQ(form.Controls().cboNumName->currentText(), u"下期"_s);
    EXPECT_EQ(form.Controls().LblBall->text(), QString());
    EXPECT_EQ(State().Document.TargetIssue(), 3);
    Pick(form.Controls().cboNumName, 0);
    EXPECT_EQ(form.Controls().LblBall->text(), u"507"_s);
    EXPECT_EQ(State().Document.TargetIssue(), 0);
    EXPECT_EQ(State().Document.TargetIssueText(), u"2024001"_s);

    EXPECT_EQ(form.Controls().msgResult->Rows(), 1);
    EXPECT_EQ(form.Controls().msgResult->TextMatrix(0, 0), u"序号"_s);
    EXPECT_EQ(form.Controls().msgResult->TextMatrix(0, 1), u"常规"_s);
    EXPECT_FALSE(form.Controls().tbrResult->Button(0)->isEnabled());
    EXPECT_FALSE(form.Controls().tbrResult->Button(1)->isEnabled());
    EXPECT_FALSE(form.IsBusy());
    EXPECT_FALSE(CMsg().IsBusy());

    // Closing only hides: the same window comes back as it was.
    form.SelectTab(4);
    form.Unload();
    Settle();
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(form.FormOpen());
    EXPECT_FALSE(m_main->WindowHistory().WinHistory().contains(u"缩水过滤"_s));
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    EXPECT_EQ(dynamic_cast<fFilter*>(Windows().FilterForm()), &form);
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.SelectedTab(), 4);
    EXPECT_EQ(form.Controls().LblBall->text(), u"507"_s);
    // Rebuilt statistics refill the list, the next issue chosen again.
    ASSERT_FALSE(State().Document.RebuildStatistics());
    EXPECT_EQ(form.Controls().cboNumName->count(), 4);
    EXPECT_EQ(form.Controls().cboNumName->currentText(), u"下期"_s);
    EXPECT_EQ(State().Document.TargetIssue(), 3);

    // Unloaded for real, it is built anew from the game of that moment,
    // showing the digits chosen and the bets made before.
    Game().SelectBall(3, 2, -1);
    m_pickers.Answer = std::vector<int16_t>{0, 1, 2, 3};
    form.AddFilter();
    State().FormsClosing = kTrue;
    m_main->UnloadChildForms();
    State().FormsClosing = kFalse;
    FlushDeletes();
    EXPECT_TRUE(m_form.isNull()); // gone, not merely hidden
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    m_form = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(m_form.data(), nullptr);
    EXPECT_EQ(m_form->SelectedTab(), 2);
    EXPECT_EQ(m_form->ConditionRows(), 46);
    EXPECT_EQ(Painted(*m_form, Game(), 3), u"2"_s);
    EXPECT_EQ(Game().SelectBall(3, 2), -1); // the presets' first entry is not applied
    EXPECT_EQ(m_form->Controls().lblCount->text(), u"投注数：1 可恢复：0"_s);
    EXPECT_EQ(m_form->Controls().msgResult->TextMatrix(1, 1), u"3 2 1"_s);
}

TEST_F(FilterFormTest, BuildingReportsItsProgress)
{
    Open(kThreeDigits, {});
    // Opened once more from scratch with the progress recorded.
    State().FormsClosing = kTrue;
    m_main->UnloadChildForms();
    State().FormsClosing = kFalse;
    FlushDeletes();
    m_display.emplace(&m_recorded);
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    m_form = dynamic_cast<fFilter*>(Windows().FilterForm());
    EXPECT_TRUE(m_recorded.StatusTexts.contains(u"加载过滤窗口"_s));
    EXPECT_EQ(m_recorded.ShownMax, (3 + 42) * 5 + 140);
    EXPECT_FALSE(m_recorded.ShownCanClick);
    ASSERT_FALSE(m_recorded.Values.empty());
    EXPECT_EQ(m_recorded.Values.back(), (3 + 42) * 5 + 140);
    EXPECT_FALSE(CMsg().IsBusy());
    // A game without draws: only the next issue to choose.
    EXPECT_EQ(m_form->Controls().cboNumName->count(), 1);
    EXPECT_EQ(m_form->Controls().cboNumName->currentText(), u"下期"_s);
}

// The main window's commands can use the window unshown (a scheme saved
// from the menu); then only the registry holds it.
TEST_F(FilterFormTest, AWindowTheMainWindowNeverTookGoesWithTheRegistry)
{
    const QPointer<fFilter> unshown = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_FALSE(unshown.isNull());
    EXPECT_EQ(dynamic_cast<fFilter*>(Windows().FilterForm()), unshown.data());
    Windows() = ShellWindows{};
    EXPECT_TRUE(unshown.isNull());
}

TEST_F(FilterFormTest, AllDigitsInEveryPositionMakeAThousandDirectBets)
{
    fFilter& form = Open();
    MakeAllDirectBets(form);
    for (int g = 1; g <= 3; ++g)
        EXPECT_EQ(Painted(form, Game(), g), u"0 1 2 3 4 5 6 7 8 9"_s) << g;
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);
    const CFlexGrid* grid = form.Controls().msgResult;
    ASSERT_EQ(grid->Rows(), 1001);
    EXPECT_EQ(grid->TextMatrix(1, 0), u"1"_s);
    EXPECT_EQ(grid->TextMatrix(1, 1), u"0 0 0"_s);
    EXPECT_EQ(grid->TextMatrix(1000, 0), u"1000"_s);
    EXPECT_EQ(grid->TextMatrix(1000, 1), u"9 9 9"_s);
    EXPECT_EQ(grid->TextMatrix(123, 1), u"1 2 2"_s);
    EXPECT_EQ(grid->Row(), 1000); // the last bet's row is current
    EXPECT_FALSE(form.Controls().tbrResult->Button(0)->isEnabled());
    EXPECT_FALSE(form.Controls().tbrResult->Button(1)->isEnabled());
    EXPECT_FALSE(form.IsBusy());
    EXPECT_FALSE(CMsg().IsBusy());
    EXPECT_EQ(CMsg().StatusText(), u"就绪"_s);
}

TEST_F(FilterFormTest, PresetsDigitClicksAndTheChooserRepaintTheGrids)
{
    fFilter& form = Open();
    Pick(form.Controls().CboBc[1], 5); // 奇数
    EXPECT_EQ(Painted(form, Game(), 1), u"1 3 5 7 9"_s);
    EXPECT_EQ(Game().SelectBall(1, 3), -1);
    Pick(form.Controls().CboBc[3], 10); // 质数 in the hundreds grid only
    EXPECT_EQ(Painted(form, Game(), 3), u"1 2 3 5 7"_s);
    EXPECT_EQ(Painted(form, Game(), 1), u"1 3 5 7 9"_s);

    ClickCell(form.Controls().msgBc[1], 0, 3); // 3 off again
    EXPECT_EQ(Game().SelectBall(1, 3), 0);
    EXPECT_EQ(Painted(form, Game(), 1), u"1 5 7 9"_s);
    ClickCell(form.Controls().msgBc[2], 1, 0); // 5 on
    EXPECT_EQ(Painted(form, Game(), 2), u"5"_s);

    // A mark set elsewhere shows here too, on the game document's word.
    State().Document.SetMark(2, 8, -1);
    EXPECT_EQ(Painted(form, Game(), 2), u"5 8"_s);
    Pick(form.Controls().CboBc[2], 0); // 重选
    EXPECT_EQ(Painted(form, Game(), 2), QString());
}

TEST_F(FilterFormTest, BetTypesSwitchTheGridsAndTheConditionsGroupBetsSkip)
{
    fFilter& form = Open();
    NotingInferForm view0{State().Document};
    State().InferForms[0] = &view0;
    const auto& groupFlags = kGroupIndicatorFlag;

    EXPECT_TRUE(State().Document.DirectBets());
    QTest::mouseClick(form.Controls().optSel[2], Qt::LeftButton); // 组３投注
    EXPECT_EQ(State().Document.OfferedBetType(), BetType::Group3);
    EXPECT_TRUE(form.Controls().msgBc[0]->isVisible());
    EXPECT_TRUE(form.Controls().LblBc[0]->isVisible());
    for (int g = 1; g <= 3; ++g)
        EXPECT_FALSE(form.Controls().msgBc[g]->isVisible()) << g;
    for (int k = 0; k < form.ConditionRows(); ++k) {
        const bool applies = k <= 42 && groupFlags[static_cast<size_t>(k)] == 1;
        EXPECT_EQ(form.Controls().chkFilter[k]->isEnabled(), applies) << k;
    }
    EXPECT_EQ(view0.Refreshes, 1); // the analysis windows follow

    QTest::mouseClick(form.Controls().optSel[4], Qt::LeftButton); // 豹子号: nothing more
    QTest::mouseClick(form.Controls().optSel[0], Qt::LeftButton);
    for (int k = 0; k < form.ConditionRows(); ++k)
        EXPECT_TRUE(form.Controls().chkFilter[k]->isEnabled()) << k;
    EXPECT_FALSE(form.Controls().msgBc[0]->isVisible());

    // Triples need two group digits; a refused type keeps the list.
    QTest::mouseClick(form.Controls().optSel[4], Qt::LeftButton);
    Game().SelectBall(0, 7, -1);
    QTest::mouseClick(form.Controls().cmdSingle, Qt::LeftButton);
    EXPECT_EQ(m_boxes.Texts.value(0), u"[组选号码]选择号码个数不够!"_s);
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：0 可恢复：0"_s);
    Game().SelectBall(0, 2, -1);
    QTest::mouseClick(form.Controls().cmdSingle, Qt::LeftButton);
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：2 可恢复：0"_s);
    EXPECT_EQ(form.Controls().msgResult->TextMatrix(2, 1), u"7 7 7"_s);
    QTest::mouseClick(form.Controls().optSel[3], Qt::LeftButton); // 组６ needs three digits
    QTest::mouseClick(form.Controls().cmdSingle, Qt::LeftButton);
    ASSERT_FALSE(m_boxes.Texts.isEmpty());
    EXPECT_EQ(m_boxes.Texts.back(), u"[组选号码]选择号码个数不够!"_s);
    EXPECT_EQ(m_boxes.Titles.back(), u"系统提示"_s);
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：2 可恢复：0"_s);
    EXPECT_FALSE(CMsg().IsBusy());
    EXPECT_FALSE(form.IsBusy());

    // Emptied, the list of group bets starts afresh as a direct one.
    ASSERT_TRUE(State().Document.Bets().GroupBets());
    form.DelResultAll();
    form.tbrResult_ButtonClick(u"Refresh"_s);
    EXPECT_EQ(State().Document.Bets().BetCount(), 0);
    EXPECT_FALSE(State().Document.Bets().GroupBets());
}

TEST_F(FilterFormTest, ConditionRowsShowTheSelectedView)
{
    fFilter& form = Open();
    NotingInferForm view3{State().Document};
    State().InferForms[3] = &view3;
    CStat* stat0 = Game().StatView(0);
    CStat* stat3 = Game().StatView(3);
    ASSERT_TRUE(stat0 && stat3);
    stat3->SetShrinkSel(1, 1);
    stat3->SetShrinkErr(1, 1);
    stat3->SetShrinkVal(1, StrToRange(u"3 5-9", 0, 100));
    stat3->SetShrinkSel(46, 1); // the view's own tolerance
    stat3->SetShrinkVal(46, StrToRange(u"0-2", 0, 100));
    Game().ShrinkAllErrSel = 1;
    Game().ShrinkAllErrVal = StrToRange(u"1 4", 0, 100);

    form.SelectTab(2);
    EXPECT_FALSE(form.Controls().chkFilter[1]->isChecked());
    EXPECT_FALSE(form.Controls().TxtFilter[1]->isEnabled());
    EXPECT_FALSE(form.Controls().chkFilter2[1]->isEnabled());
    EXPECT_EQ(form.Controls().TxtFilter[1]->text(), RangeToStr(stat0->ShrinkVal(1)));
    QTest::mouseClick(form.Controls().tspChipIn, Qt::LeftButton, {}, form.Controls().tspChipIn->tabRect(4).center());
    EXPECT_EQ(form.SelectedTab(), 5);
    EXPECT_TRUE(form.Controls().chkFilter[1]->isChecked());
    EXPECT_TRUE(form.Controls().chkFilter2[1]->isChecked());
    EXPECT_EQ(form.Controls().TxtFilter[1]->text(), u"3 5-9"_s);
    EXPECT_TRUE(form.Controls().TxtFilter[1]->isEnabled());
    EXPECT_TRUE(form.Controls().chkFilterErr->isChecked());
    EXPECT_EQ(form.Controls().TxtFilterErr->text(), u"0-2"_s);
    EXPECT_TRUE(form.Controls().ChkErr->isChecked());
    EXPECT_EQ(form.Controls().TxtErr->text(), u"1 4"_s);
    EXPECT_TRUE(form.Controls().TxtErr->isEnabled());

    // A change elsewhere reaches the panel through the game document.
    State().Document.ChangeConditions([stat3](CLottorData&) { stat3->SetShrinkSel(1, 0); });
    EXPECT_FALSE(form.Controls().chkFilter[1]->isChecked());

    // The row's name opens that view's analysis on its indicator.
    const QPoint name = form.Controls().LblFilter[44]->rect().center();
    QTest::mouseClick(form.Controls().LblFilter[44], Qt::LeftButton, {}, name);
    EXPECT_EQ(view3.Shown, QStringList{u"十位号码"_s});

    // The other filters' tab: their switches, no rows, no total tolerance.
    Game().FilterHistory.Sel = 1;
    Game().FilterHistory.ErrSel = 1;
    form.SelectTab(1);
    EXPECT_TRUE(form.Controls().PicChipInOther->isVisible());
    EXPECT_FALSE(form.Controls().picChipInData->isVisible());
    EXPECT_FALSE(form.Controls().ChkErr->isVisible());
    EXPECT_FALSE(form.Controls().vslChipIn->isVisible());
    EXPECT_FALSE(form.Controls().chkMatch->isChecked());
    EXPECT_FALSE(form.Controls().chkMatchErr->isEnabled());
    EXPECT_TRUE(form.Controls().chkHistory->isChecked());
    EXPECT_TRUE(form.Controls().chkHistoryErr->isEnabled());
    EXPECT_TRUE(form.Controls().chkHistoryErr->isChecked());
    form.SelectTab(2);
    EXPECT_TRUE(form.Controls().vslChipIn->isVisible());
}

TEST_F(FilterFormTest, RowsScrollUnderTheHeader)
{
    fFilter& form = Open();
    QScrollBar* bar = form.Controls().vslChipIn;
    ASSERT_TRUE(bar->isVisible());
    EXPECT_GT(bar->maximum(), 1);
    QWidget* header = form.Controls().picChipInDataHeader;
    const int headerTop = header->y();
    const QImage headerShown = form.Controls().picChipIn1->grab(header->geometry()).toImage();
    bar->setValue(1000);
    EXPECT_NEAR(form.Controls().picChipInData->mapTo(form.Controls().picChipIn1, QPoint()).y(), TwipsToScreenPixels(-520, &form), 1);
    EXPECT_EQ(header->y(), headerTop);
    // The rows move inside their own area: the header shows as before.
    EXPECT_EQ(form.Controls().picChipIn1->grab(header->geometry()).toImage(), headerShown);
    EXPECT_EQ(bar->focusPolicy(), Qt::NoFocus);
}

TEST_F(FilterFormTest, TheOtherFilterSwitchesStoreEachItsOwnFlagAndComeBackRebuilt)
{
    fFilter& form = Open();
    NotingInferForm view0{State().Document};
    State().InferForms[0] = &view0;
    form.SelectTab(1);
    CLottorData& game = Game();
    int16_t* const flags[] = {&game.FilterMatch.Sel,      &game.FilterMatch.ErrSel, &game.FilterHistory.Sel,
                              &game.FilterHistory.ErrSel, &game.FilterGather.Sel,   &game.FilterGather.ErrSel,
                              &game.ShrinkOtherErrSel};
    QCheckBox* const boxes[] = {form.Controls().chkMatch,      form.Controls().chkMatchErr, form.Controls().chkHistory,
                                form.Controls().chkHistoryErr, form.Controls().chkGather,   form.Controls().ChkGatherErr,
                                form.Controls().chkOtherErr};
    for (int16_t* flag : flags)
        *flag = 0;
    form.RefreshFilter();
    // Each switch, ticked in turn (a tolerance box once its switch is on),
    // stores its own flag and no other.
    for (size_t i = 0; i < std::size(boxes); ++i) {
        ASSERT_TRUE(boxes[i]->isEnabled()) << i;
        QTest::mouseClick(boxes[i], Qt::LeftButton);
        for (size_t j = 0; j < std::size(flags); ++j)
            EXPECT_EQ(*flags[j], j <= i ? 1 : 0) << "after box " << i << ", flag " << j;
    }
    EXPECT_TRUE(form.Controls().TxtOtherErr->isEnabled());
    EXPECT_EQ(view0.Refreshes, 7); // each is announced to the windows showing conditions
    m_pickers.Values = u"1-2"_s;
    QTest::mouseClick(form.Controls().TxtOtherErr, Qt::LeftButton);
    EXPECT_EQ(RangeToStr(game.ShrinkOtherErrVal), u"1-2"_s);

    // Unticking a switch disables its tolerance box and keeps its flag.
    QTest::mouseClick(form.Controls().chkHistory, Qt::LeftButton);
    EXPECT_EQ(game.FilterHistory.Sel, 0);
    EXPECT_EQ(game.FilterHistory.ErrSel, 1);
    EXPECT_FALSE(form.Controls().chkHistoryErr->isEnabled());

    // A window built anew shows them as they are stored, and offers
    // direct bets again.
    form.SelectBetType(2);
    State().InferForms[0] = nullptr;
    State().FormsClosing = kTrue;
    m_main->UnloadChildForms();
    State().FormsClosing = kFalse;
    FlushDeletes();
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    m_form = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(m_form.data(), nullptr);
    m_form->SelectTab(1);
    EXPECT_TRUE(m_form->Controls().chkOtherErr->isChecked());
    EXPECT_TRUE(m_form->Controls().TxtOtherErr->isEnabled());
    EXPECT_EQ(m_form->Controls().TxtOtherErr->text(), u"1-2"_s);
    EXPECT_TRUE(m_form->Controls().chkMatch->isChecked());
    EXPECT_TRUE(m_form->Controls().chkMatchErr->isChecked());
    EXPECT_FALSE(m_form->Controls().chkHistory->isChecked());
    EXPECT_FALSE(m_form->Controls().chkHistoryErr->isEnabled());
    EXPECT_TRUE(m_form->Controls().chkHistoryErr->isChecked());
    EXPECT_TRUE(m_form->Controls().optSel[0]->isChecked());
    EXPECT_TRUE(State().Document.DirectBets());
}

TEST_F(FilterFormTest, ATolerancesSwitchRefreshesEveryWindowShowingConditions)
{
    fFilter& form = Open();
    NotingInferForm view0{State().Document};
    NotingInferForm view5{State().Document};
    State().InferForms[0] = &view0;
    State().InferForms[5] = &view5;
    form.SelectTab(5); // view 3
    // The view's own tolerance switched on elsewhere: the refresh shows it
    // here too.
    Game().StatView(3)->SetShrinkSel(46, 1);

    struct Case {
        const char* Name;
        QCheckBox* Box;
    };
    const Case cases[] = {{"total tolerance", form.Controls().ChkErr},
                          {"the view's own tolerance", form.Controls().chkFilterErr}};
    for (const Case& c : cases) {
        view0.Refreshes = view5.Refreshes = 0;
        form.Controls().TxtFilterErr->setEnabled(false);
        QTest::mouseClick(c.Box, Qt::LeftButton);
        EXPECT_EQ(view0.Refreshes, 1) << c.Name;
        EXPECT_EQ(view5.Refreshes, 1) << c.Name;
        // The filter window refilled its own panel as well.
        EXPECT_EQ(form.Controls().TxtFilterErr->isEnabled(), Game().StatView(3)->ShrinkSel(46) != 0) << c.Name;
    }
    EXPECT_EQ(Game().ShrinkAllErrSel, 1);
    State().InferForms.fill(nullptr);
}

struct PopupCase {
    const char* name;
    bool bets;
    int row; // -1: leave the grid's current row
    bool enabled;
};

TEST_F(FilterFormTest, PopupEntriesThatActOnABetNeedOne)
{
    fFilter& form = Open();
    const PopupCase cases[] = {
        {"no bets", false, -1, false},
        {"header row current", true, 0, false},
        {"a bet row current", true, 5, true},
    };
    for (const PopupCase& c : cases) {
        if (c.bets && State().Document.Bets().BetCount() == 0)
            MakeAllDirectBets(form);
        if (c.row >= 0)
            form.Controls().msgResult->SetRow(c.row);
        const int before = form.Controls().msgResult->Row();
        ClickCell(form.Controls().msgResult, 0, 1, Qt::RightButton);
        QMenu* popup = m_main->Menu(MainMenu::Filter);
        EXPECT_TRUE(popup->isVisible()) << c.name;
        EXPECT_EQ(form.Controls().msgResult->Row(), before) << c.name; // the right button leaves it
        EXPECT_EQ(Entry(MainCommand::FilterDelect)->isEnabled(), c.enabled) << c.name;
        EXPECT_EQ(Entry(MainCommand::FilterView)->isEnabled(), c.enabled) << c.name;
        EXPECT_TRUE(Entry(MainCommand::FilterAdd)->isEnabled()) << c.name;
        EXPECT_TRUE(Entry(MainCommand::FilterCopy)->isEnabled()) << c.name;
        popup->close();
    }
}

struct KeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* count; // the count line afterwards
    const char* row6;  // row 6's bet afterwards
};

TEST_F(FilterFormTest, PopupKeysWorkWhileTheResultGridHasTheFocus)
{
    fFilter& form = Open();
    MakeAllDirectBets(form);
    m_main->activateWindow();
    ClickCell(form.Controls().msgResult, 6, 1);
    ASSERT_EQ(form.Controls().msgResult->Row(), 6);
    m_pickers.Answer = std::vector<int16_t>{0, 3, 2, 1};

    // Keys elsewhere in the window do nothing here.
    form.Controls().cboNumName->setFocus();
    QTest::keyClick(form.Controls().cboNumName, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);

    const KeyCase cases[] = {
        {"Shift+Del deletes the current bet", Qt::Key_Delete, Qt::ShiftModifier, "投注数：999 可恢复：1",
         "0 0 6"},
        {"Ctrl+F compacts", Qt::Key_F, Qt::ControlModifier, "投注数：999 可恢复：0", "0 0 6"},
        {"Ctrl+V edits the current bet", Qt::Key_V, Qt::ControlModifier, "投注数：999 可恢复：0", "1 2 3"},
        {"Ctrl+A adds a bet", Qt::Key_A, Qt::ControlModifier, "投注数：1000 可恢复：0", "1 2 3"},
    };
    for (const KeyCase& c : cases) {
        ClickCell(form.Controls().msgResult, 6, 1);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << c.name;
        ASSERT_TRUE(form.Controls().msgResult->isAncestorOf(focus)) << c.name;
        QTest::keyClick(focus, static_cast<Qt::Key>(c.key), c.modifiers);
        Settle();
        EXPECT_EQ(form.Controls().lblCount->text(), QString::fromUtf8(c.count)) << c.name;
        EXPECT_EQ(form.Controls().msgResult->TextMatrix(6, 1), QString::fromUtf8(c.row6)) << c.name;
    }
    EXPECT_EQ(m_boxes.Texts.back(), u"已经增加到最后一注！"_s);
    EXPECT_EQ(form.Controls().msgResult->TextMatrix(1000, 1), u"1 2 3"_s); // the added bet, hundreds first
    EXPECT_EQ(form.Controls().msgResult->TextMatrix(1000, 0), u"1000"_s);
    EXPECT_FALSE(CMsg().IsBusy());
}

TEST_F(FilterFormTest, CopyingWritesCrLfBetweenLinesOnly)
{
    fFilter& form = Open();
    Game().SelectBall(1, 1, -1);
    Game().SelectBall(1, 2, -1);
    Game().SelectBall(2, 3, -1);
    Game().SelectBall(3, 4, -1);
    QTest::mouseClick(form.Controls().cmdSingle, Qt::LeftButton);
    ASSERT_EQ(form.Controls().lblCount->text(), u"投注数：2 可恢复：0"_s);
    EXPECT_EQ(form.Controls().msgResult->TextMatrix(1, 1), u"4 3 1"_s);

    Entry(MainCommand::FilterCopy)->trigger(); // hundreds first, as the grid shows them
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"4 3 1\r\n4 3 2"_s);
    form.DelResultAll();
    form.CopyResultAll();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
    form.tbrResult_ButtonClick(u"Prev"_s);
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：2 可恢复：0"_s);
    EXPECT_FALSE(form.Controls().tbrResult->Button(0)->isEnabled());
    EXPECT_TRUE(form.Controls().tbrResult->Button(1)->isEnabled());
}

TEST_F(FilterFormTest, SecondaryNumbersGetAColumnOfTheirOwn)
{
    fFilter& form = Open(kWithSecondary);
    const CFlexGrid* grid = form.Controls().msgResult;
    ASSERT_EQ(grid->Cols(), 3);
    EXPECT_EQ(grid->TextMatrix(0, 2), u"蓝球"_s);
    m_pickers.Answer = std::vector<int16_t>{0, 3, 2, 1, 11};
    form.AddFilter();
    EXPECT_EQ(m_pickers.Given, (std::vector<int16_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：1 可恢复：0"_s);
    EXPECT_EQ(grid->TextMatrix(1, 1), u"1 2 3"_s);
    EXPECT_EQ(grid->TextMatrix(1, 2), u"11"_s);
    // The numbers show in the game's colours.
    EXPECT_EQ(grid->CellForeColor(1, 1), ToQColor(ColorRgb(Game().HeadData.BcMainColor)));
    EXPECT_EQ(grid->CellForeColor(1, 2), ToQColor(ColorRgb(Game().HeadData.MrMainColor)));
    // Editing keeps the secondary number unless the editor changes it.
    m_pickers.Answer = std::vector<int16_t>{0, 4, 5, 6, 12};
    form.ViewFilterSel();
    EXPECT_EQ(m_pickers.Given, (std::vector<int16_t>{0, 3, 2, 1, 11}));
    EXPECT_EQ(grid->TextMatrix(1, 1), u"6 5 4"_s);
    EXPECT_EQ(grid->TextMatrix(1, 2), u"12"_s);
    Entry(MainCommand::FilterCopy)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"6 5 4 12"_s);
    EXPECT_FALSE(CMsg().IsBusy());
    EXPECT_EQ(CMsg().StatusText(), u"就绪"_s);
    // A cancelled edit, here from a double click on the bet, changes nothing.
    m_pickers.Answer.reset();
    m_pickers.Given.clear();
    const QPoint at = grid->CellRect(1, 1).center();
    QWidget* view = grid->childAt(at);
    ASSERT_NE(view, nullptr);
    QTest::mouseDClick(view, Qt::LeftButton, {}, view->mapFrom(grid, at));
    EXPECT_EQ(m_pickers.Given, (std::vector<int16_t>{0, 4, 5, 6, 12}));
    EXPECT_EQ(grid->TextMatrix(1, 1), u"6 5 4"_s);

    // Among other bets the edited one stays the current one.
    m_pickers.Answer = std::vector<int16_t>{0, 7, 7, 7, 1};
    form.AddFilter();
    form.Controls().msgResult->SetRow(1);
    m_pickers.Answer = std::vector<int16_t>{0, 1, 1, 1, 1};
    form.ViewFilterSel();
    EXPECT_EQ(grid->TextMatrix(1, 1), u"1 1 1"_s);
    EXPECT_EQ(grid->TextMatrix(2, 1), u"7 7 7"_s);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(FilterFormTest, BatchReplaceDealsTheNewSecondaryNumbersInTurn)
{
    fFilter& form = Open(kWithSecondary);
    for (const int16_t s : {11, 5, 11}) {
        m_pickers.Answer = std::vector<int16_t>{0, 3, 2, 1, s};
        form.AddFilter();
    }
    m_boxes.Texts.clear();
    std::deque<std::function<void(FMrReplace&)>> steps;
    const ScopedService<ModalRunner> runner([&steps](QDialog& dialog) {
        auto* replace = dynamic_cast<FMrReplace*>(&dialog);
        EXPECT_NE(replace, nullptr);
        if (replace && !steps.empty()) {
            steps.front()(*replace);
            steps.pop_front();
        }
        return dialog.result();
    });
    // A bad box is refused and the dialog stays; then 11 becomes 1 and 2 in turn.
    steps.push_back([](FMrReplace& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"批量替换"_s);
        dialog.txtOld()->setText(u"11"_s);
        dialog.txtNew()->setText(u"13"_s);
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible() && dialog.result() == QDialog::Accepted);
        dialog.txtNew()->setText(u"1 2"_s);
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
    });
    // The windows showing the bets are told once, after the replacement.
    const QSignalSpy announced(&State().Document, &GameDocument::betsChanged);
    Entry(MainCommand::FilterReplace)->trigger();
    Settle();
    EXPECT_EQ(announced.count(), 1);
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(m_boxes.Texts,
              (QStringList{u"请输入 0 到 12 之间的号码，多个号码以空格分开！"_s, u"共替换了 2 个号码。"_s}));
    const CFlexGrid* grid = form.Controls().msgResult;
    EXPECT_EQ(grid->TextMatrix(1, 2), u"01"_s);
    EXPECT_EQ(grid->TextMatrix(2, 2), u"05"_s);
    EXPECT_EQ(grid->TextMatrix(3, 2), u"02"_s);
}

TEST_F(FilterFormTest, BatchReplaceNeedsSecondaryNumbers)
{
    fFilter& form = Open(kThreeDigits);
    m_pickers.Answer = std::vector<int16_t>{0, 3, 2, 1};
    form.AddFilter();
    m_boxes.Texts.clear();
    const ScopedService<ModalRunner> runner([](QDialog&) {
        ADD_FAILURE() << "no dialog expected";
        return int(QDialog::Rejected);
    });
    Windows().MrReplace(m_main);
    EXPECT_EQ(m_boxes.Texts, QStringList{u"当前彩票没有特别号码，无需替换！"_s});
}

TEST_F(FilterFormTest, MoreThanThreePositionsAreRefused)
{
    Open(kFourDigits, {u"1234"_s});
    ASSERT_NE(m_form.data(), nullptr);
    EXPECT_FALSE(m_form->Loaded());
    EXPECT_FALSE(m_form->Visible());
    ASSERT_FALSE(m_boxes.Texts.isEmpty());
    EXPECT_TRUE(m_boxes.Texts.back().contains(u'4'));
    State().Document.SetMark(4, 1, -1); // no grid for it: nothing to repaint
    EXPECT_EQ(Game().SelectBall(4, 1), -1);
}

TEST_F(FilterFormTest, WideningWidensOnlyTheResults)
{
    fFilter& form = Open();
    const int setWidth = form.Controls().FraSet->width();
    const int chipWidth = form.Controls().FraChipIn->width();
    const int resultWidth = form.Controls().FraResult->width();
    const int frameHeight = form.Controls().FraSet->height();
    form.resize(form.width() + 150, form.height() + 60);
    Settle();
    EXPECT_EQ(form.Controls().FraSet->width(), setWidth);
    EXPECT_EQ(form.Controls().FraChipIn->width(), chipWidth);
    EXPECT_NEAR(form.Controls().FraResult->width(), resultWidth + 150, 1);
    EXPECT_NEAR(form.Controls().FraSet->height(), frameHeight + 60, 1);
    EXPECT_EQ(form.Controls().FraResult->height(), form.Controls().FraSet->height());
    // The two buttons share the width with three equal gaps.
    const int left = form.Controls().cmdGetFilter->x();
    const int middle = form.Controls().cmdPrintFilter->x() - form.Controls().cmdGetFilter->geometry().right() - 1;
    const int right = form.Controls().picResult->width() - form.Controls().cmdPrintFilter->geometry().right() - 1;
    EXPECT_NEAR(left, middle, 1);
    EXPECT_NEAR(middle, right, 1);
    EXPECT_NEAR(form.Controls().msgResult->width(), form.Controls().picResult->width() - TwipsToScreenPixels(40, &form), 1);
}

} // namespace
} // namespace kelton

namespace kelton {
namespace {

// --- Conditions and the filter run --------------------------------------------

TEST_F(FilterFormTest, SwitchesStoreTheirValueAtOnceInTheShownView)
{
    fFilter& form = Open();
    CStat& view3 = *Game().StatView(3);
    CStat& view0 = *Game().StatView(0);
    form.SelectTab(5); // view 3
    ASSERT_FALSE(form.Controls().chkFilter[7]->isChecked());
    QTest::mouseClick(form.Controls().chkFilter[7], Qt::LeftButton);
    EXPECT_EQ(view3.ShrinkSel(7), 1);
    EXPECT_EQ(view0.ShrinkSel(7), 0);
    EXPECT_TRUE(form.Controls().TxtFilter[7]->isEnabled());
    EXPECT_TRUE(form.Controls().chkFilter2[7]->isEnabled());
    QTest::mouseClick(form.Controls().chkFilter2[7], Qt::LeftButton);
    EXPECT_EQ(view3.ShrinkErr(7), 1);

    // A value box opens the picker on the stored set and shows what is stored.
    view3.SetShrinkVal(7, StrToRange(u"3-5", 0, 100));
    form.Controls().TxtFilter[7]->setText(u"stale"_s);
    m_pickers.Values = u"1 2 3 8"_s;
    QTest::mouseClick(form.Controls().TxtFilter[7], Qt::LeftButton);
    ASSERT_EQ(m_pickers.Offered.size(), 1);
    EXPECT_TRUE(m_pickers.Offered[0].startsWith(u"3-5 "_s));
    EXPECT_EQ(RangeToStr(view3.ShrinkVal(7)), u"1-3 8"_s);
    EXPECT_EQ(form.Controls().TxtFilter[7]->text(), u"1-3 8"_s);

    // Unticking keeps the set and the tolerance flag.
    QTest::mouseClick(form.Controls().chkFilter[7], Qt::LeftButton);
    EXPECT_EQ(view3.ShrinkSel(7), 0);
    EXPECT_EQ(view3.ShrinkErr(7), 1);
    EXPECT_FALSE(form.Controls().TxtFilter[7]->isEnabled());
    EXPECT_EQ(RangeToStr(view3.ShrinkVal(7)), u"1-3 8"_s);

    // "选中": any ticked box unticks the column, an unticked column ticks all.
    QTest::mouseClick(form.Controls().chkFilter[40], Qt::LeftButton);
    QTest::mouseClick(form.Controls().cmdSelAll, Qt::LeftButton);
    for (int k = 0; k < form.ConditionRows(); ++k)
        ASSERT_EQ(view3.ShrinkSel(static_cast<int16_t>(k)), 0) << k;
    QTest::mouseClick(form.Controls().cmdSelAll, Qt::LeftButton);
    for (int k = 0; k < form.ConditionRows(); ++k)
        ASSERT_EQ(view3.ShrinkSel(static_cast<int16_t>(k)), 1) << k;
    EXPECT_EQ(form.ConditionRows(), 3 + 43);

    // The total tolerance: the picker offers 0..200 and stores the ranges.
    QTest::mouseClick(form.Controls().ChkErr, Qt::LeftButton);
    EXPECT_EQ(Game().ShrinkAllErrSel, 1);
    m_pickers.Values = u"0 1 2 5"_s;
    m_pickers.Offered.clear();
    QTest::mouseClick(form.Controls().TxtErr, Qt::LeftButton);
    EXPECT_EQ(m_pickers.Offered, QStringList{u"0 0..200"_s});
    EXPECT_EQ(Game().ShrinkAllErrValUbound, 2);
    EXPECT_EQ(form.Controls().TxtErr->text(), u"0-2 5"_s);
}

TEST_F(FilterFormTest, AFilterRunRemovesTheBetsOutsideTheConditionsAsOneStep)
{
    fFilter& form = Open();
    // Nothing to filter yet.
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_EQ(m_boxes.Texts.value(0), u"需要投注后才可以过滤！"_s);

    MakeAllDirectBets(form);
    form.SelectTab(2); // view 0: the raw numbers
    ASSERT_EQ(form.Controls().LblFilter[1]->text(), u"和值"_s);
    // Switched on with no value: the run refuses.
    QTest::mouseClick(form.Controls().chkFilter[1], Qt::LeftButton);
    m_pickers.Values = QString();
    QTest::mouseClick(form.Controls().TxtFilter[1], Qt::LeftButton);
    EXPECT_EQ(form.Controls().TxtFilter[1]->text(), QString());
    m_boxes.Texts.clear();
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_EQ(m_boxes.Texts, QStringList{u"过滤指标设置存在错误，请更正后再过滤！"_s});
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);

    // Sum 10: 63 of the thousand bets.
    m_pickers.Values = u"10"_s;
    QTest::mouseClick(form.Controls().TxtFilter[1], Qt::LeftButton);
    m_boxes.Texts.clear();
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：63 可恢复：937"_s);
    EXPECT_EQ(form.Controls().msgResult->TextMatrix(1, 1), u"0 1 9"_s);
    form.tbrResult_ButtonClick(u"Prev"_s);
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);
    form.tbrResult_ButtonClick(u"Next"_s);
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：63 可恢复：937"_s);

    // A drawn issue as the target asks first; Cancel filters nothing.
    m_pickers.Values = u"0-27"_s;
    QTest::mouseClick(form.Controls().TxtFilter[1], Qt::LeftButton);
    Pick(form.Controls().cboNumName, 1);
    m_boxes.Answer = QMessageBox::Cancel;
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_EQ(m_boxes.Texts.value(0), DrawnIssueQuestion(form.Controls().cboNumName->currentText()));
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：63 可恢复：937"_s);
    EXPECT_FALSE(CMsg().IsBusy());
}

TEST_F(FilterFormTest, ARunForADrawnIssueTestsTheBetsAgainstThatIssue)
{
    fFilter& form = Open(); // draws 507, 123, 888
    MakeAllDirectBets(form);
    // No number of the draw before the target: 7 x 7 x 7 bets after 507,
    // 9 x 9 x 9 after 888.
    CStat& view0 = *Game().StatView(0);
    ASSERT_EQ(form.Controls().LblFilter[28]->text(), u"传(复)个数"_s);
    view0.SetShrinkSel(28, 1);
    view0.SetShrinkVal(28, StrToRange(u"0", 0, 3));

    Pick(form.Controls().cboNumName, 1); // 2024002, drawn after 507
    m_boxes.Texts.clear();
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_EQ(m_boxes.Texts, QStringList{DrawnIssueQuestion(u"2024002"_s)});
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：343 可恢复：657"_s);

    form.tbrResult_ButtonClick(u"Prev"_s);
    Pick(form.Controls().cboNumName, 3); // "下期", after 888: no question
    m_boxes.Texts.clear();
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：729 可恢复：271"_s);
}

TEST_F(FilterFormTest, GroupBetsRunWithoutThePositionConditionsAndGetThemBack)
{
    fFilter& form = Open();
    Pick(form.Controls().CboBc[0], 1);                            // every group digit
    QTest::mouseClick(form.Controls().optSel[3], Qt::LeftButton); // group-6: 120 bets
    QTest::mouseClick(form.Controls().cmdSingle, Qt::LeftButton);
    ASSERT_EQ(form.Controls().lblCount->text(), u"投注数：120 可恢复：0"_s);
    CStat& view0 = *Game().StatView(0);
    // The hundreds position only 0: would remove nearly all bets, but group
    // bets leave it out.
    view0.SetShrinkSel(45, 1);
    view0.SetShrinkVal(45, StrToRange(u"0", 0, 9));
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：120 可恢复：0"_s);
    EXPECT_EQ(view0.ShrinkSel(45), 1);
}

TEST_F(FilterFormTest, GroupBetsStayGroupBetsWhenTheWindowIsRebuilt)
{
    fFilter& form = Open();
    Pick(form.Controls().CboBc[0], 1);                            // every group digit
    QTest::mouseClick(form.Controls().optSel[1], Qt::LeftButton); // all group: 220 bets
    QTest::mouseClick(form.Controls().cmdSingle, Qt::LeftButton);
    ASSERT_EQ(form.Controls().lblCount->text(), u"投注数：220 可恢复：0"_s);
    CStat& view0 = *Game().StatView(0);
    view0.SetShrinkSel(45, 1); // hundreds 0-4: not for group bets
    view0.SetShrinkVal(45, StrToRange(u"0-4", 0, 9));

    // Rebuilt, as every draw commit does: the options show how the bets
    // were made.
    State().FormsClosing = kTrue;
    m_main->UnloadChildForms();
    State().FormsClosing = kFalse;
    FlushDeletes();
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    m_form = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(m_form.data(), nullptr);
    EXPECT_TRUE(m_form->Controls().optSel[1]->isChecked());
    EXPECT_TRUE(m_form->Controls().msgBc[0]->isVisible());
    EXPECT_FALSE(m_form->Controls().chkFilter[45]->isEnabled());

    // The list is filtered as the group bets it holds, whatever the options
    // show now.
    QTest::mouseClick(m_form->Controls().optSel[0], Qt::LeftButton);
    QTest::mouseClick(m_form->Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_EQ(m_form->Controls().lblCount->text(), u"投注数：220 可恢复：0"_s);
    EXPECT_EQ(view0.ShrinkSel(45), 1);
}

TEST_F(FilterFormTest, SchemesSavedAndLoadedFromTheBetsMenu)
{
    NotingOtherPanel panel;
    Windows().OtherFilterPanel = [&panel](QWidget*) -> IOtherFilterPanel* { return &panel; };
    test::FakeFileDialogs files;
    const ScopedService<IFileDialogs> filesInstalled(&files);
    fFilter& form = Open();
    NotingInferForm view0{State().Document};
    State().InferForms[0] = &view0;

    Game().SelectBall(0, 4, -1);
    form.SelectTargetIssue(1);
    form.SelectBetType(2);
    Game().StatView(0)->SetShrinkSel(3, 1);
    Game().StatView(0)->SetShrinkVal(3, StrToRange(u"2-4", 0, 100));
    Game().ShrinkAllErrSel = 1;
    Game().ShrinkAllErrVal = StrToRange(u"1", 0, 100);
    Game().ShrinkOtherErrSel = 1;
    Game().FilterMatch.Sel = 1;
    ASSERT_TRUE(Game().FilterMatch.AddPerVal(u"√\t1 2 3\t1-3\tХ\t√"));
    const QString saved = form.ChinInToSetStr();
    EXPECT_TRUE(saved.startsWith(u"[Issue]\r\n1\r\n[Ball]\r\n4,,,\r\n[Throw]\r\n2\r\n"_s));

    const QString path = Path(u"a.voskc"_s);
    files.Paths = {path};
    Entry(MainCommand::ChipInPut)->trigger();
    EXPECT_EQ(files.Titles.last(), u"保存投注方案"_s);
    EXPECT_EQ(files.Filters.last(), AppTitle() + u"投注方案(*.voskc)|*.voskc|文本文件(*.txt)|*.txt"_s);
    EXPECT_EQ(panel.Calls, QStringList{u"push"_s});
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ToGbk(saved + u"\r\n"_s));
    file.close();

    // An issue section alone resets the setting; the last draw is the target.
    ASSERT_TRUE(form.StrToSetChinIn(u"[Issue]"_s));
    EXPECT_EQ(form.Controls().cboNumName->currentIndex(), 2);
    EXPECT_TRUE(State().Document.DirectBets());
    EXPECT_EQ(Game().FilterMatch.ItemCount(), 0);
    EXPECT_EQ(Game().SelectBall(0, 4), 0);
    EXPECT_EQ(Painted(form, Game(), 0), QString());
    EXPECT_FALSE(form.Controls().ChkErr->isChecked());

    panel.Calls.clear();
    view0.Refreshes = 0;
    files.Paths = {path};
    Entry(MainCommand::ChipInGet)->trigger();
    EXPECT_EQ(files.Titles.last(), u"打开投注方案"_s);
    EXPECT_EQ(m_boxes.Titles.last(), u"操作提示"_s);
    EXPECT_EQ(m_boxes.Texts.last(), u"恭喜，成功导入方案！"_s);
    EXPECT_EQ(panel.Calls, QStringList({u"push"_s, u"close"_s}));
    EXPECT_EQ(form.ChinInToSetStr(), saved);
    EXPECT_EQ(form.Controls().cboNumName->currentIndex(), 1);
    EXPECT_TRUE(form.Controls().optSel[2]->isChecked());
    EXPECT_EQ(Painted(form, Game(), 0), u"4"_s); // the marks it holds are shown
    EXPECT_TRUE(form.Controls().chkOtherErr->isChecked());
    EXPECT_EQ(Game().StatView(0)->ShrinkSel(3), 1);
    EXPECT_GT(view0.Refreshes, 0); // the analysis window shows the loaded conditions
    form.SelectTab(2);
    EXPECT_TRUE(form.Controls().ChkErr->isChecked());
    EXPECT_EQ(form.Controls().TxtErr->text(), u"1"_s);
    EXPECT_TRUE(form.Controls().chkFilter[3]->isChecked());
    EXPECT_EQ(form.Controls().TxtFilter[3]->text(), u"2-4"_s);

    // A file that is no scheme changes nothing; a cancel says nothing.
    const QString other = Path(u"b.txt"_s);
    QFile wrong(other);
    ASSERT_TRUE(wrong.open(QIODevice::WriteOnly));
    wrong.write("[Unknown]\r\n0=1,1,1\r\n");
    wrong.close();
    files.Paths = {other};
    Entry(MainCommand::ChipInGet)->trigger();
    EXPECT_EQ(m_boxes.Texts.last(), u"导入方案失败，可能不是有效方案！"_s);
    EXPECT_EQ(form.ChinInToSetStr(), saved);
    const qsizetype shown = m_boxes.Texts.size();
    Entry(MainCommand::ChipInGet)->trigger();
    Entry(MainCommand::ChipInPut)->trigger();
    EXPECT_EQ(m_boxes.Texts.size(), shown);

    // A file that cannot be written is reported.
    files.Paths = {Path(u"no/such/folder/c.voskc"_s)};
    Entry(MainCommand::ChipInPut)->trigger();
    EXPECT_EQ(m_boxes.Titles.last(), u"操作错误"_s);
    State().InferForms[0] = nullptr;
}

} // namespace
} // namespace kelton

namespace kelton {
namespace {

// --- Value picking, the scheme check and the neighbouring windows ------------

TEST_F(FilterFormTest, ValuePickingShowsTheNamesAndTheHintOfTheTargetIssue)
{
    fFilter& form = Open(); // draws 507, 123, 888
    form.SelectTab(2);
    QTest::mouseClick(form.Controls().chkFilter[41], Qt::LeftButton);
    QTest::mouseClick(form.Controls().TxtFilter[41], Qt::LeftButton);
    ASSERT_EQ(m_pickers.Shown.size(), 1);
    EXPECT_EQ(m_pickers.Shown[0], FeatureLegend(4) + u"|期号：下期\n上期号码：888"_s);
    // The first issue has no draw before it: names, no hint.
    Pick(form.Controls().cboNumName, 0);
    QTest::mouseClick(form.Controls().TxtFilter[41], Qt::LeftButton);
    EXPECT_EQ(m_pickers.Shown.value(1), FeatureLegend(4) + u'|');
    QTest::mouseClick(form.Controls().chkFilter[5], Qt::LeftButton);
    QTest::mouseClick(form.Controls().TxtFilter[5], Qt::LeftButton);
    EXPECT_EQ(m_pickers.Shown.value(2), u"|"_s);
}

TEST_F(FilterFormTest, TheSchemeCheckFillsTheSidePanelAndItsLinksOpenTheViews)
{
    fFilter& form = Open();
    auto* panel = qobject_cast<SchemePanel*>(m_main->Controls().picWindow);
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisible());

    // "下期" is not drawn: the refusal.
    QTest::mouseClick(form.Controls().cmdChipInVali, Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->LblStat(0)->text(), u"还没有<下期>的开奖号码,您必须先输入开奖数据才能验证!"_s);
    EXPECT_EQ(panel->LblWindowBox()->text(), u"过滤方案验证(不包含容错)结果："_s);

    // Issue 2024002 (1 2 3): a sum condition of view 0 that leaves it out.
    NotingInferForm view0{State().Document};
    State().InferForms[0] = &view0;
    CStat& stat0 = *Game().StatView(0);
    stat0.SetShrinkSel(1, 1);
    stat0.SetShrinkVal(1, StrToRange(u"0", 0, 27));
    Pick(form.Controls().cboNumName, 1);
    QTest::mouseClick(form.Controls().cmdChipInVali, Qt::LeftButton);
    EXPECT_EQ(panel->LblWindowBox()->text(), u"验证结果：有1项错误"_s);
    EXPECT_EQ(panel->LblStat(0)->text(), u"原始数据：有1项错误"_s);
    EXPECT_EQ(panel->LblStatCount(), 11);
    ASSERT_EQ(panel->LblFilter(0)->text(), u"和值"_s);
    QTest::mouseClick(panel->LblFilter(0), Qt::LeftButton);
    EXPECT_EQ(view0.Shown, QStringList{u"和值"_s});

    // The closed panel comes back with the settings check before a run,
    // which finds the empty set and refuses.
    QTest::mouseClick(panel->CmdWindowClose(), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    MakeAllDirectBets(form);
    stat0.SetShrinkVal(1, ValueSet());
    m_boxes.Texts.clear();
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_EQ(m_boxes.Texts, QStringList{u"过滤指标设置存在错误，请更正后再过滤！"_s});
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->LblWindowBox()->text(), u"过滤检查结果：有1项错误"_s);
    EXPECT_EQ(panel->LblStatCount(), 8); // the other filters' headers went
    EXPECT_EQ(panel->LblFilterCount(), 1);

    // A switched-on total tolerance without values would remove every bet:
    // refused and listed too.
    stat0.SetShrinkVal(1, StrToRange(u"0-27", 0, 27));
    Game().ShrinkAllErrSel = 1;
    Game().ShrinkAllErrVal = ValueSet();
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_EQ(panel->LblFilter(0)->text(), u"总容错"_s);
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);
    // So would the other filters' tolerance, even with no other filter on.
    Game().ShrinkAllErrSel = 0;
    Game().ShrinkOtherErrSel = 1;
    Game().ShrinkOtherErrVal = ValueSet();
    Game().ShrinkOtherErrValUbound = 0;
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_EQ(panel->LblFilter(0)->text(), u"其它过滤容错"_s);
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);

    // Everything in order: the panel goes and the run runs.
    Game().ShrinkOtherErrSel = 0;
    Pick(form.Controls().cboNumName, 3);
    QTest::mouseClick(form.Controls().cmdGetFilter, Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);
}

// The other-filter panel's pages as the buttons open them.
class FakeOtherFilterPanel : public IOtherFilterPanel {
public:
    explicit FakeOtherFilterPanel(QWidget* parent) : m_widget(new QWidget(parent)) {}
    QWidget* PanelWidget() override { return m_widget; }
    void FillPickLists(const OtherFilterPickLists&) override {}
    void CmdOtherFilterClose_Click() override { Calls << u"close"_s; }
    void ShowMatch() override { Calls << u"match"_s; }
    void ShowHistory() override { Calls << u"history"_s; }
    void ShowGather() override { Calls << u"gather"_s; }
    QStringList Calls;

private:
    QWidget* m_widget;
};

TEST_F(FilterFormTest, TheOtherFilterButtonsStoreTheOpenPageThenOpenTheirOwn)
{
    std::unique_ptr<FakeOtherFilterPanel> pages;
    Windows().OtherFilterPanel = [&pages](QWidget* parent) -> IOtherFilterPanel* {
        pages = std::make_unique<FakeOtherFilterPanel>(parent);
        return pages.get();
    };
    fFilter& form = Open();
    ASSERT_TRUE(pages);
    form.SelectTab(1);
    for (const char* name : {"cmdMatch", "cmdHistory", "cmdGather"}) {
        auto* button = form.findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    EXPECT_EQ(pages->Calls,
              (QStringList{u"close"_s, u"match"_s, u"close"_s, u"history"_s, u"close"_s, u"gather"_s}));

    // A failed generating/restraining item in the scheme check leads there.
    pages->Calls.clear();
    auto* panel = qobject_cast<SchemePanel*>(m_main->Controls().picWindow);
    ASSERT_NE(panel, nullptr);
    PanelContent content;
    content.Rows.push_back(
        {false, 0, u"第1项；"_s, u"Gather"_s, u"点击查看具体情况"_s, RowAdvance::TextHeight});
    content.HeadersUsed = 1;
    content.ItemsUsed = 1;
    panel->Fill(content);
    panel->LblFilter_Click(0);
    EXPECT_EQ(pages->Calls, (QStringList{u"close"_s, u"gather"_s}));
    // Once the filter window has been unloaded for real the link leads
    // nowhere, even before the window is gone.
    State().FormsClosing = kTrue;
    m_main->UnloadChildForms();
    State().FormsClosing = kFalse;
    pages->Calls.clear();
    panel->LblFilter_Click(0);
    FlushDeletes();
    panel->LblFilter_Click(0);
    EXPECT_TRUE(pages->Calls.isEmpty());
    delete m_main;
    m_main = nullptr;
}

// --- The extreme-range window -------------------------------------------------

TEST_F(FilterFormTest, TheExtremeRangeWindowSetsAViewFromTheSpanAndUnloadsWhenClosed)
{
    fFilter& form = Open(kThreeDigits, {u"507"_s, u"123"_s, u"888"_s, u"246"_s});
    QTest::mouseClick(form.Controls().cmdChipInNearLay, Qt::LeftButton);
    Settle();
    QPointer<FFilterBound> bound = dynamic_cast<FFilterBound*>(Windows().FilterBoundForm());
    ASSERT_TRUE(bound);
    EXPECT_TRUE(bound->Visible());
    EXPECT_EQ(bound->windowTitle(), u"设置过滤极值范围"_s);
    EXPECT_TRUE(Entry(MainCommand::WindowFilterBound)->isVisible());
    EXPECT_FALSE(CMsg().IsBusy());
    // Defaults: the newest issue as end, 20 issues back (or the first).
    EXPECT_EQ(bound->cboEnd()->currentIndex(), 3);
    EXPECT_EQ(bound->sdrLay()->value(), 20);
    EXPECT_EQ(bound->cboStart()->currentIndex(), 0);
    EXPECT_TRUE(bound->cmdSetShk()->isVisible());
    EXPECT_FALSE(bound->cmdViewAll()->isVisible());
    EXPECT_EQ(bound->chkErr()->text(), u"子容错"_s);
    EXPECT_EQ(bound->chMain()->Model().Data().PointCount(), 4);

    // The slider: the span of the last N issues up to the end issue.
    bound->sdrLay()->setValue(2);
    EXPECT_EQ(bound->cboStart()->currentIndex(), 2);
    EXPECT_EQ(bound->sdrLay()->toolTip(), u"2"_s);
    bound->cboEnd()->setCurrentIndex(2); // the start does not follow
    EXPECT_EQ(bound->cboStart()->currentIndex(), 2);

    // "设置" on view 1 (tab 2): issues 2024003 .. 2024003 (8 8 8).
    bound->SelectTab(2);
    form.SelectTab(3); // the filter window shows view 1
    QTest::mouseClick(bound->cmdSetShk(), Qt::LeftButton);
    CStat& view1 = *Game().StatView(1);
    for (int16_t k = 0; k <= 45; ++k)
        ASSERT_EQ(view1.ShrinkSel(k), 1) << k;
    EXPECT_EQ(m_boxes.Texts.value(0), u"已经把<转换数据1>的过滤值设置为第2024003期到第2024003期间的极值。"_s);
    EXPECT_TRUE(form.Controls().chkFilter[1]->isChecked());
    EXPECT_EQ(form.Controls().TxtFilter[1]->text(), RangeToStr(view1.ShrinkVal(1)));
    EXPECT_EQ(Game().StatView(0)->ShrinkSel(1), 0);

    // The tolerance: ticking enables the box; the picker offers 0..45.
    QTest::mouseClick(bound->chkErr(), Qt::LeftButton);
    EXPECT_EQ(view1.ShrinkSel(46), 1);
    EXPECT_TRUE(bound->TxtErr()->isEnabled());
    m_pickers.Values = u"0-2"_s;
    QTest::mouseClick(bound->TxtErr(), Qt::LeftButton);
    EXPECT_EQ(m_pickers.Offered.value(0).section(u' ', -1), u"0..45"_s);
    EXPECT_EQ(bound->TxtErr()->text(), u"0-2"_s);
    EXPECT_EQ(form.Controls().TxtFilterErr->text(), u"0-2"_s);
    bound->TxtErr()->setText(u"typed"_s); // typing changes nothing
    EXPECT_EQ(bound->TxtErr()->text(), u"0-2"_s);

    // All views: the total tolerance, 0..200.
    bound->SelectTab(9);
    EXPECT_FALSE(bound->cmdSetShk()->isVisible());
    EXPECT_TRUE(bound->cmdViewAll()->isVisible());
    EXPECT_EQ(bound->chkErr()->text(), u"总容错"_s);
    QTest::mouseClick(bound->chkErr(), Qt::LeftButton);
    EXPECT_EQ(Game().ShrinkAllErrSel, 1);
    m_pickers.Offered.clear();
    m_pickers.Values = u"1 3"_s;
    QTest::mouseClick(bound->TxtErr(), Qt::LeftButton);
    EXPECT_EQ(m_pickers.Offered.value(0).section(u' ', -1), u"0..200"_s);
    EXPECT_EQ(Game().ShrinkAllErrValUbound, 2);
    EXPECT_EQ(form.Controls().TxtErr->text(), u"1 3"_s);
    // The total tolerance switched off in the filter window shows here too.
    QTest::mouseClick(form.Controls().ChkErr, Qt::LeftButton);
    EXPECT_EQ(Game().ShrinkAllErrSel, 0);
    EXPECT_FALSE(bound->chkErr()->isChecked());
    EXPECT_FALSE(bound->TxtErr()->isEnabled());

    // Closing unloads it; it comes back with its defaults.
    bound->Unload();
    Settle();
    FlushDeletes();
    EXPECT_FALSE(bound);
    EXPECT_FALSE(Entry(MainCommand::WindowFilterBound)->isVisible());
    m_main->Entry(MainCommand::WindowFilterBound)->trigger();
    auto* again = dynamic_cast<FFilterBound*>(Windows().FilterBoundForm());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->sdrLay()->value(), 20);
    EXPECT_EQ(again->Tab1()->currentIndex(), 0);
    EXPECT_EQ(RangeToStr(view1.ShrinkVal(46)), u"0-2"_s);
}

TEST_F(FilterFormTest, TheExtremeRangeWindowRefusesToSetWithoutDraws)
{
    Open(kThreeDigits, {});
    QTest::mouseClick(m_form->Controls().cmdChipInNearLay, Qt::LeftButton);
    auto* bound = dynamic_cast<FFilterBound*>(Windows().FilterBoundForm());
    ASSERT_NE(bound, nullptr);
    EXPECT_EQ(bound->cboEnd()->count(), 0);
    m_boxes.Texts.clear();
    QTest::mouseClick(bound->cmdSetShk(), Qt::LeftButton);
    EXPECT_EQ(m_boxes.Texts.size(), 1);
    for (int16_t k = 0; k <= 45; ++k)
        ASSERT_EQ(Game().StatView(0)->ShrinkSel(k), 0) << k;
}

} // namespace
} // namespace kelton
