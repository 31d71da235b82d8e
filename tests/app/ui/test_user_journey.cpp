// A user's first session with the program, on the real history: the
// program folder is seeded as on a first start, and every step checks what
// the user would see.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "analysis/infer_layout.h"
#include "analysis/number_tables.h"
#include "analysis/ui/infer_form.h"
#include "analysis/ui/infer_windows.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "filter/ui/filter_bound_form.h"
#include "filter/ui/filter_form.h"
#include "filter/ui/filter_windows.h"
#include "filter/ui/scheme_panel.h"
#include "formula/ui/way_form.h"
#include "games/ui/data_set_form.h"
#include "games/ui/game_windows.h"
#include "games/ui/lotto_logo.h"
#include "games/ui/real_history_test.h"
#include "host/ui/shell_windows.h"
#include "host/ui/xp_toolbar.h"
#include "pickers/ui/picker_dialogs.h"
#include "pickers/ui/sel_val_box.h"
#include "pickers/ui/sel_val_dialog.h"
#include "platform/name_tables.h"
#include "platform/ui/flex_grid.h"
#include "results/ui/data_in_out.h"
#include "results/ui/hit_query_form.h"
#include "results/ui/printer_form.h"
#include "results/ui/results_windows.h"
#include "shell/lottor_loader.h"
#include "shell/ui/mdi_main.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class UserJourney : public test::RealHistoryTest {
protected:
    void SetUp() override
    {
        RealHistoryTest::SetUp();
        // The rest of the windows as the program installs them.
        InstallFormulaWindows(Windows(), m_context.State);
        InstallAnalysisWindows(Windows(), m_context.State);
        InstallHitQueryWindow(Windows(), m_context.State);
        InstallPrinterWindow(Windows(), m_context.State);
        InstallResultsWindows(Windows(), m_context.State);
    }
};

TEST_F(UserJourney, FromTheFirstStartToPrintedBets)
{
    // The first start shows the game chooser; the user opens "福彩3D" with
    // its whole history.
    OnModal<FLottoLogo>([](FLottoLogo& chooser) {
        for (int r = 0; r < chooser.RowCount(); ++r) {
            if (chooser.RowName(r) == u"福彩3D"_s)
                chooser.SelectRow(r);
        }
        ASSERT_GE(chooser.SelectedRow(), 0);
        chooser.cmdSel()->click();
    });
    MDIMain& main = Start();
    EXPECT_EQ(main.windowTitle(), u"Kelton 2.04 - [福彩3D]"_s);
    ASSERT_TRUE(State().CurLottorData);
    ASSERT_EQ(Game().NumCount(), 8374);
    EXPECT_EQ(Game().NumName(8373), 2025217);

    // A draw added in the draw editor reaches the history and the statistics...
    OnModal<FDataSet>([](FDataSet& form) {
        EXPECT_EQ(form.TxtName()->text(), u"2025218"_s);
        form.txtBcMain()->setText(u"1 2 3"_s);
        form.CmdAdd()->click();
        form.cmdOK()->click();
    });
    Entry(MainCommand::SysDataEdit)->trigger();
    ASSERT_EQ(Game().NumCount(), 8375);
    EXPECT_EQ(Game().NumName(8374), 2025218);
    EXPECT_EQ(Game().StatView(0)->RecordCount(), 8376);
    // ...and deleted again, leaves it as it was.
    OnModal<FDataSet>([](FDataSet& form) {
        form.Grid()->SetRow(form.Grid()->Rows() - 1);
        form.Grid()->SetRowSel(form.Grid()->Rows() - 1);
        form.CmdDelete()->click();
        form.cmdOK()->click();
    });
    m_main->Controls().Tbr1->ButtonByKey(u"Edit"_s)->trigger();
    ASSERT_EQ(Game().NumCount(), 8374);
    EXPECT_EQ(Game().NumName(8373), 2025217);
    EXPECT_EQ(Game().StatView(0)->RecordCount(), 8375);

    // The analysis windows of view 0 and view 3 open on their history
    // table; view 0 shows the last draw's digits in its row.
    for (const int view : {0, 3}) {
        m_main->Controls().mnuDataInfer[view]->trigger();
        auto* form = dynamic_cast<FInfer*>(State().InferForms[static_cast<size_t>(view)].get());
        ASSERT_NE(form, nullptr) << view;
        EXPECT_TRUE(form->Visible());
        EXPECT_EQ(form->Caption(), ViewName(view));
        EXPECT_EQ(form->CurrentViewName(), u"历史分布图"_s);
    }
    {
        const FInfer& form = *dynamic_cast<FInfer*>(State().InferForms[0].get());
        const CFlexGrid& grid = *form.Grid();
        int row = 2;
        while (row < grid.Rows() && grid.TextMatrix(row, 0) != u"2025217"_s)
            ++row;
        ASSERT_LT(row, grid.Rows());
        EXPECT_EQ(grid.TextMatrix(row, DigitColumn(form.NumberTable()->Layout(), 3, 8)), u"8"_s);
        EXPECT_EQ(grid.TextMatrix(row, DigitColumn(form.NumberTable()->Layout(), 2, 9)), u"9"_s);
        EXPECT_EQ(grid.TextMatrix(row, DigitColumn(form.NumberTable()->Layout(), 1, 4)), u"4"_s);
    }

    // All ten digits in every position make the 1000 direct bets.
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    auto* filter = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->Controls().cboNumName->currentText(), u"下期"_s);
    for (int g = 1; g <= 3; ++g)
        Pick(filter->Controls().CboBc[g], 1); // 全选
    QTest::mouseClick(filter->Controls().optSel[0], Qt::LeftButton);
    QTest::mouseClick(filter->Controls().cmdSingle, Qt::LeftButton);
    Settle();
    EXPECT_EQ(filter->Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);
    EXPECT_EQ(filter->Controls().msgResult->TextMatrix(1, 1), u"0 0 0"_s);

    // Every condition of view 0 set from its extreme range over the last 100
    // issues in the extreme-range window, then the thousand bets filtered
    // for "下期": the survivors are those the view's candidate test passes,
    // counted directly.
    QTest::mouseClick(filter->Controls().cmdChipInNearLay, Qt::LeftButton);
    auto* bound = dynamic_cast<FFilterBound*>(Windows().FilterBoundForm());
    ASSERT_NE(bound, nullptr);
    bound->sdrLay()->setValue(100);
    const int32_t last = Game().NumCount() - 1;
    ASSERT_EQ(bound->cboStart()->currentIndex(), last - 99);
    ASSERT_EQ(bound->cboEnd()->currentIndex(), last);
    QTest::mouseClick(bound->cmdSetShk(), Qt::LeftButton);
    EXPECT_EQ(m_boxes.Texts.last(), u"已经把<原始数据>的过滤值设置为第2025118期到第2025217期间的极值。"_s);
    CStat& view0 = *Game().StatView(0);
    for (int16_t k = 0; k <= 45; ++k)
        ASSERT_EQ(view0.ShrinkSel(k), 1) << k;
    bound->Unload();
    QTest::mouseClick(filter->Controls().cmdGetFilter, Qt::LeftButton);
    view0.GetFilterIni(last + 1);
    int32_t passing = 0;
    for (int16_t n = 0; n < 1000; ++n) {
        const int16_t bet[4] = {0, static_cast<int16_t>(n % 10), static_cast<int16_t>(n / 10 % 10),
                                static_cast<int16_t>(n / 100)};
        passing += view0.GetShrinkErr(bet) == 0 ? 1 : 0;
    }
    ASSERT_GT(passing, 0);
    ASSERT_LT(passing, 1000);
    EXPECT_EQ(filter->Controls().lblCount->text(), u"投注数：%1 可恢复：%2"_s.arg(passing).arg(1000 - passing));
    // Undone and redone as one step.
    filter->tbrResult_ButtonClick(u"Prev"_s);
    EXPECT_EQ(filter->Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);
    filter->tbrResult_ButtonClick(u"Next"_s);
    EXPECT_EQ(filter->Controls().lblCount->text(), u"投注数：%1 可恢复：%2"_s.arg(passing).arg(1000 - passing));

    // The prize query of the live bets against the latest draw, 2025217
    // (8 9 4): one direct hit when 8 9 4 came through the filter, none
    // otherwise.
    const BetList& bets = State().Document.Bets();
    int32_t drawnLive = 0;
    for (int32_t b = 0; b < bets.BetCount(); ++b) {
        const auto d = bets.Digits(b);
        drawnLive += bets.IsLive(b) && d[3] == 8 && d[2] == 9 && d[1] == 4 ? 1 : 0;
    }
    OnModal<fHitQuery>([&](fHitQuery& form) {
        EXPECT_EQ(form.cboName()->currentText(), u"2025217"_s);
        form.CmdQuery()->click();
        const CFlexGrid& hits = *form.msgHit();
        EXPECT_EQ(hits.TextMatrix(hits.Rows() - 1, 0), u"%1注"_s.arg(drawnLive));
    });
    Entry(MainCommand::ChipInQuery)->trigger();

    // The live bets printed to a PDF: 240 bets a page.
    QTemporaryDir printed;
    ASSERT_TRUE(printed.isValid());
    filter->Controls().cmdPrintFilter->click();
    fPrinter* preview = m_main->findChild<fPrinter*>();
    ASSERT_NE(preview, nullptr);
    const int32_t pages = (passing + 239) / 240;
    EXPECT_EQ(preview->PageCount(), pages);
    EXPECT_EQ(preview->StatusText(), u"当前第1页   共%1页"_s.arg(pages));
    preview->Printer().setOutputFormat(QPrinter::PdfFormat);
    preview->Printer().setOutputFileName(printed.filePath(u"bets.pdf"_s));
    preview->cmdPrint()->click();
    QFile pdf(printed.filePath(u"bets.pdf"_s));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QString pdfText = QString::fromLatin1(pdf.readAll());
    EXPECT_EQ(pdfText.count(QRegularExpression(u"/Type\\s*/Page(?![s\\w])"_s)), pages);
    preview->cmdExit()->click();

    // The scheme check against a draw outside the span: the side panel
    // names as many broken conditions of view 0 as the candidate test
    // counts once every condition only counts its miss.
    const int32_t checked = last - 150;
    Pick(filter->Controls().cboNumName, checked);
    QTest::mouseClick(filter->Controls().cmdChipInVali, Qt::LeftButton);
    auto* panel = qobject_cast<SchemePanel*>(main.Controls().picWindow);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    for (int16_t k = 0; k <= 45; ++k)
        view0.SetShrinkErr(k, 1);
    view0.GetFilterIni(checked);
    const int16_t drawn[4] = {0, Game().Num(1, checked), Game().Num(2, checked), Game().Num(3, checked)};
    const int16_t misses = view0.GetShrinkErr(drawn);
    for (int16_t k = 0; k <= 45; ++k)
        view0.SetShrinkErr(k, 0);
    ASSERT_GT(misses, 0);
    EXPECT_EQ(panel->LblStat(0)->text(), u"原始数据：有%1项错误"_s.arg(misses));
    // Its first entry opens the analysis window of view 0 on that condition.
    const QString broken = panel->LblFilter(0)->text();
    QTest::mouseClick(panel->LblFilter(0), Qt::LeftButton);
    auto* analysis = dynamic_cast<FInfer*>(State().InferForms[0].get());
    ASSERT_NE(analysis, nullptr);
    EXPECT_TRUE(analysis->Visible());
    EXPECT_EQ(analysis->CurrentViewName(), broken);
    // The drawn issue at the end of the span breaks nothing of view 0.
    Pick(filter->Controls().cboNumName, last);
    QTest::mouseClick(filter->Controls().cmdChipInVali, Qt::LeftButton);
    EXPECT_EQ(panel->LblStat(0)->text(), u"原始数据：有0项错误"_s);

    // The value picker of the rise/flat/fall pattern names the last draw
    // for "下期"; a cancel keeps the set.
    Pick(filter->Controls().cboNumName, last + 1);
    filter->SelectTab(2);
    const QString before = RangeToStr(view0.ShrinkVal(41));
    OnModal<FSelVal>([](FSelVal& picker) {
        EXPECT_EQ(picker.TxtMsg()->toPlainText(), u"期号：下期\n上期号码：894"_s);
        picker.CmdCancel_Click();
    });
    QTest::mouseClick(filter->Controls().TxtFilter[41], Qt::LeftButton);
    EXPECT_EQ(RangeToStr(view0.ShrinkVal(41)), before);

    // The scheme, the bets and the history saved to files.
    Pick(filter->Controls().cboNumName, last + 1);
    const QString schemePath = printed.filePath(u"journey.voskc"_s);
    const QString betsPath = printed.filePath(u"journey.txt"_s);
    const QString historyPath = printed.filePath(u"history.txt"_s);
    test::FakeFileDialogs files;
    const ScopedService<IFileDialogs> filesInstalled(&files);
    files.Paths = {schemePath};
    Entry(MainCommand::ChipInPut)->trigger();
    ASSERT_TRUE(QFile::exists(schemePath));
    const auto transfer = [&](MainCommand command, const QString& path) {
        OnModal<FDataInOut>([&](FDataInOut& dialog) {
            dialog.TxtPath()->setText(path);
            QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
            dialog.reject();
        });
        Entry(command)->trigger();
    };
    transfer(MainCommand::ChipInSave, betsPath);
    transfer(MainCommand::ChipInSaveData, historyPath);
    QFile history(historyPath);
    ASSERT_TRUE(history.open(QIODevice::ReadOnly));
    const QList<QByteArray> historyLines = history.readAll().split('\n');
    ASSERT_EQ(historyLines.size(), 2 + 8374 + 1); // the titles, the draws, the end of the last line
    EXPECT_EQ(historyLines[2 + 8373], "2025217:8 9 4\r");
    std::vector<QString> kept;
    for (const int32_t i : State().Document.Bets().LivePositions())
        kept.push_back(State().Document.Bets().BetText(i, 3, 1));
    ASSERT_EQ(static_cast<int32_t>(kept.size()), passing);

    // The filter window unloaded for real and every condition of view 0
    // switched off; the scheme reloaded from its file builds the window anew
    // with the conditions, and the bet file gives back the same live bets.
    State().FormsClosing = kTrue;
    m_main->UnloadChildForms();
    State().FormsClosing = kFalse;
    FlushDeletes();
    std::vector<std::decay_t<decltype(view0.ShrinkVal(0))>> setValues;
    for (int16_t k = 0; k <= 45; ++k) {
        setValues.push_back(view0.ShrinkVal(k));
        view0.SetShrinkSel(k, 0);
    }
    files.Paths = {schemePath};
    Entry(MainCommand::ChipInGet)->trigger();
    EXPECT_EQ(m_boxes.Texts.last(), u"恭喜，成功导入方案！"_s);
    for (int16_t k = 0; k <= 45; ++k) {
        EXPECT_EQ(view0.ShrinkSel(k), 1) << k;
        EXPECT_EQ(view0.ShrinkVal(k), setValues[static_cast<size_t>(k)]) << k;
    }
    filter = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(filter, nullptr);
    State().Document.ChangeBets([](BetList& bets) { bets = BetList(3); });
    transfer(MainCommand::ChipInOpen, betsPath);
    std::vector<QString> loaded;
    for (const int32_t i : State().Document.Bets().LivePositions())
        loaded.push_back(State().Document.Bets().BetText(i, 3, 1));
    EXPECT_EQ(loaded, kept);
    EXPECT_EQ(filter->Controls().lblCount->text(), u"投注数：%1 可恢复：0"_s.arg(passing));

    // A formula written and run in the formula window: the last draw's
    // numbers, repeated for the next issue and shown units first.
    Entry(MainCommand::ChipInWay)->trigger();
    auto* way = dynamic_cast<FWay*>(Windows().WayForm());
    ASSERT_NE(way, nullptr);
    EXPECT_TRUE(way->Visible());
    way->cmdGroupAdd_Click();
    way->CmdWayAdd_Click();
    QTreeWidgetItem* formula = way->TreWay()->topLevelItem(0)->child(0);
    way->TreWay()->setCurrentItem(formula);
    way->TreWay_NodeClick(formula);
    QTest::keyClicks(way->txtWay(), u"num(1,3,1)"_s);
    EXPECT_EQ(Game().HeadData.WayGet(0, 2), u"num(1,3,1)"_s);
    QTest::mouseClick(way->cmdView(), Qt::LeftButton);
    EXPECT_EQ(way->mWayResult().N, 100);
    EXPECT_EQ(way->TxtMsg()->toPlainText(), u"4 9 8"_s);
}

TEST_F(UserJourney, ConditionsPickedInTheValuePickerFilterTheBets)
{
    OnModal<FLottoLogo>([](FLottoLogo& chooser) {
        for (int r = 0; r < chooser.RowCount(); ++r) {
            if (chooser.RowName(r) == u"福彩3D"_s)
                chooser.SelectRow(r);
        }
        chooser.cmdSel()->click();
    });
    Start();
    ASSERT_TRUE(State().CurLottorData);
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    auto* filter = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(filter, nullptr);
    for (int g = 1; g <= 3; ++g)
        Pick(filter->Controls().CboBc[g], 1); // 全选
    QTest::mouseClick(filter->Controls().optSel[0], Qt::LeftButton);
    QTest::mouseClick(filter->Controls().cmdSingle, Qt::LeftButton);
    ASSERT_EQ(filter->Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);

    // The sum 10..17, dragged over the picker's cells once the stored set
    // is cleared.
    filter->SelectTab(2);
    ASSERT_EQ(filter->Controls().LblFilter[1]->text(), u"和值"_s);
    QTest::mouseClick(filter->Controls().chkFilter[1], Qt::LeftButton);
    OnModal<FSelVal>([](FSelVal& picker) {
        picker.show();
        Settle();
        picker.CboChoose()->setCurrentIndex(picker.CboChoose()->findText(u"重选"_s)); // clear
        picker.CboChoose_Click();
        CSelValBox* box = picker.PicVal();
        const QPoint from = box->CellPixels(10).center();
        const QPoint to = box->CellPixels(17).center();
        QTest::mousePress(box, Qt::LeftButton, {}, from);
        QTest::mouseMove(box, (from + to) / 2);
        QTest::mouseMove(box, to);
        QTest::mouseRelease(box, Qt::LeftButton, {}, to);
        picker.CmdOk_Click();
    });
    QTest::mouseClick(filter->Controls().TxtFilter[1], Qt::LeftButton);
    EXPECT_EQ(filter->Controls().TxtFilter[1]->text(), u"10-17"_s);

    // The count of odd digits: the quick choice "奇数" (1 or 3).
    ASSERT_EQ(filter->Controls().LblFilter[12]->text(), u"奇数个数"_s);
    QTest::mouseClick(filter->Controls().chkFilter[12], Qt::LeftButton);
    OnModal<FSelVal>([](FSelVal& picker) {
        picker.show();
        Settle();
        picker.CboChoose()->setCurrentIndex(picker.CboChoose()->findText(u"奇数"_s));
        picker.CboChoose_Click();
        picker.CmdOk_Click();
    });
    QTest::mouseClick(filter->Controls().TxtFilter[12], Qt::LeftButton);
    EXPECT_EQ(filter->Controls().TxtFilter[12]->text(), u"1 3"_s);

    // Filtered, undone and redone: the bets whose digits meet both.
    int32_t expected = 0;
    for (int n = 0; n < 1000; ++n) {
        const int a = n / 100, b = n / 10 % 10, c = n % 10;
        const int odd = a % 2 + b % 2 + c % 2;
        expected += a + b + c >= 10 && a + b + c <= 17 && odd % 2 == 1 ? 1 : 0;
    }
    QTest::mouseClick(filter->Controls().cmdGetFilter, Qt::LeftButton);
    const QString filtered = u"投注数：%1 可恢复：%2"_s.arg(expected).arg(1000 - expected);
    EXPECT_EQ(filter->Controls().lblCount->text(), filtered);
    filter->tbrResult_ButtonClick(u"Prev"_s);
    EXPECT_EQ(filter->Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);
    filter->tbrResult_ButtonClick(u"Next"_s);
    EXPECT_EQ(filter->Controls().lblCount->text(), filtered);
}

} // namespace
} // namespace kelton
