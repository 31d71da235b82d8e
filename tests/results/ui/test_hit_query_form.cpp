#include "results/ui/hit_query_form.h"

#include <memory>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "filter/ui/filter_form.h"
#include "filter/ui/filter_windows.h"
#include "games/ui/game_windows.h"
#include "games/ui/lotto_logo.h"
#include "games/ui/real_history_test.h"
#include "host/ui/shell_windows.h"
#include "host/ui/xp_toolbar.h"
#include "pickers/ui/picker_dialogs.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/help_viewer.h"
#include "shell/lottor_loader.h"
#include "shell/ui/mdi_main.h"
#include "support/draw_rows.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;
using test::Bet;

const QString kThreeDigits = u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;
const QString kFourDigits = u"[LOTTONAME]\r\n四位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n4\r\n"_s;
const QString kWithSecondary =
    u"[LOTTONAME]\r\n特别号\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n[MRDATANAME]\r\n蓝球\r\n[MRDATALEN]\r\n12\r\n[MRMAIN]\r\n1\r\n"_s;

// A user's pick in a list: the item becomes current and the list reports
// the choice.
void Pick(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

QStringList Items(const QComboBox* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

QStringList Row(const CFlexGrid* grid, int row)
{
    QStringList out;
    for (int col = 0; col < grid->Cols(); ++col)
        out << grid->TextMatrix(row, col);
    return out;
}

// The digits the boxes show, highest place first.
QString Shown(const fHitQuery& form, int places = 3)
{
    QString out;
    for (int k = places; k >= 1; --k)
        out += form.cboNum(k - 1)->currentText();
    return out;
}

// A mouse click on a grid cell, sent to the view that draws it.
void ClickCell(CFlexGrid* grid, int row, int col)
{
    const QPoint at = grid->CellRect(row, col).center();
    QWidget* target = grid->childAt(at);
    ASSERT_NE(target, nullptr);
    const QPointF local(target->mapFrom(grid, at));
    const QPointF global(grid->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
    QApplication::processEvents();
}

// The dialog over a game held in memory (no main window), with the
// progress service recording what it is asked to show.
class HitQueryFormTest : public test::ProgramFolderTest {
protected:
    void TearDown() override
    {
        m_form.reset();
        ProgramFolderTest::TearDown();
    }

    // A current game with draws of issues 101, 102, .. written highest place
    // first ("507": hundreds 5, tens 0, units 7; a secondary number follows
    // after a blank).
    CLottorHead& MakeGame(const QStringList& draws, const QString& definition = kThreeDigits)
    {
        auto game = std::make_shared<CLottorData>();
        game->HeadData.SetHeadStr(definition);
        QString lines;
        for (int i = 0; i < draws.size(); ++i) {
            QStringList numbers;
            for (const QString& part : draws[i].split(u' ')) {
                if (part.size() > 2) {
                    for (const QChar c : part)
                        numbers << QString(c);
                } else {
                    numbers << part;
                }
            }
            lines += QString::number(101 + i) + u':' + numbers.join(u' ') + u"\r\n"_s;
        }
        if (!lines.isEmpty()) {
            EXPECT_EQ(game->AddStrNum(game->HeadData.GetDefFormat(), lines), draws.size());
        }
        m_state.CurLottorData = game;
        m_state.Document.ChangeBets([bm = game->HeadData.BM](BetList& bets) { bets = BetList(bm); });
        return game->HeadData;
    }

    fHitQuery& Open()
    {
        m_form = std::make_unique<fHitQuery>(m_state);
        m_form->Form_Load();
        m_form->show();
        QApplication::processEvents();
        return *m_form;
    }

    // Sets the boxes to a draw written highest place first.
    static void SetBoxes(fHitQuery& form, const char* written)
    {
        for (int k = 3; k >= 1; --k)
            form.cboNum(k - 1)->setCurrentIndex(written[3 - k] - '0');
    }

    MsgState m_msgState;
    ScopedService<MsgState> m_msgInForce{&m_msgState};
    HeadlessMsgDisplay m_display;
    ScopedService<IMsgDisplay> m_displayed{&m_display};
    AppState m_state; // fresh for each test: no game, no bets
    std::unique_ptr<fHitQuery> m_form;
};

TEST_F(HitQueryFormTest, OpensOnTheLatestDrawAndChoosingAnIssueFillsTheBoxes)
{
    const CLottorHead& head = MakeGame({u"507"_s, u"123"_s, u"888"_s});
    fHitQuery& form = Open();
    EXPECT_EQ(form.windowTitle(), u"中奖查询"_s);
    EXPECT_EQ(Items(form.cboType()), (QStringList{u"单选"_s, u"组选三"_s, u"组选六"_s}));
    EXPECT_EQ(form.cboType()->currentIndex(), 0);
    EXPECT_EQ(Items(form.cboName()), (QStringList{u"101"_s, u"102"_s, u"103"_s, u"下期"_s}));
    EXPECT_EQ(form.cboName()->currentText(), u"103"_s);
    ASSERT_EQ(form.BoxCount(), 3);
    EXPECT_EQ(form.LblNum(0)->text(), u"个位号码"_s);
    EXPECT_EQ(form.LblNum(2)->text(), u"百位号码"_s);
    EXPECT_EQ(form.cboNum(0)->count(), 10);
    EXPECT_EQ(Shown(form), u"888"_s);
    // The hundreds box above the units box.
    EXPECT_LT(form.cboNum(2)->y(), form.cboNum(0)->y());

    Pick(form.cboName(), 0);
    EXPECT_EQ(Shown(form), u"507"_s);
    // "下期" leaves the boxes as they are.
    Pick(form.cboName(), 3);
    EXPECT_EQ(Shown(form), u"507"_s);

    // The prize table and the empty hit list.
    const CFlexGrid* prizes = form.msgHitMod();
    ASSERT_EQ(prizes->Rows(), 4);
    EXPECT_EQ(Row(prizes, 0), (QStringList{u"中奖类型"_s, head.BcDataName + u"中奖金额"_s}));
    EXPECT_EQ(Row(prizes, 3), (QStringList{u"组选六奖金"_s, u"0"_s}));
    EXPECT_EQ(prizes->FixedCols(), 0);
    const CFlexGrid* hits = form.msgHit();
    ASSERT_EQ(hits->Rows(), 2);
    EXPECT_EQ(Row(hits, 0), (QStringList{u"序号"_s, u"中奖结果"_s, u"中奖类型"_s}));
    EXPECT_EQ(Row(hits, 1), (QStringList{QString(), QString(), QString()}));
    EXPECT_EQ(hits->FixedCols(), 1);
}

TEST_F(HitQueryFormTest, AnEmptyHistoryOffersOnlyTheNextIssue)
{
    MakeGame({});
    fHitQuery& form = Open();
    EXPECT_EQ(Items(form.cboName()), QStringList{u"下期"_s});
    EXPECT_EQ(form.cboName()->currentIndex(), 0);
    EXPECT_EQ(Shown(form), u"000"_s);
}

TEST_F(HitQueryFormTest, OtherGamesOfferTheDirectModeAloneAndShowTheirSecondaryNumbers)
{
    MakeGame({u"1234"_s}, kFourDigits);
    {
        fHitQuery& form = Open();
        EXPECT_EQ(Items(form.cboType()), QStringList{u"单选"_s});
        EXPECT_EQ(form.msgHitMod()->Rows(), 2);
        ASSERT_EQ(form.BoxCount(), 4);
        EXPECT_EQ(Shown(form, 4), u"1234"_s);
    }
    MakeGame({u"507 12"_s, u"123 3"_s}, kWithSecondary);
    fHitQuery& form = Open();
    EXPECT_EQ(form.cboType()->count(), 3);
    ASSERT_EQ(form.BoxCount(), 4);
    EXPECT_EQ(form.LblNum(3)->text(), u"蓝球号码1"_s);
    EXPECT_EQ(form.cboNum(3)->itemText(0), u"1"_s);
    EXPECT_EQ(form.cboNum(3)->count(), 12);
    EXPECT_EQ(form.cboNum(3)->currentText(), u"3"_s);
    EXPECT_GT(form.cboNum(3)->y(), form.cboNum(0)->y());
    EXPECT_GT(form.CmdQuery()->y(), form.cboNum(3)->y());
    Pick(form.cboName(), 0);
    EXPECT_EQ(Shown(form), u"507"_s);
    EXPECT_EQ(form.cboNum(3)->currentText(), u"12"_s);
}

TEST_F(HitQueryFormTest, TheQueryListsTheHitsAndTheSummaryWhileBusy)
{
    CLottorHead& head = MakeGame({u"555"_s});
    head.SetWinMod(1, 0, 1, Currency::FromUnits(1000));
    head.SetWinMod(2, 0, 1, Currency::FromUnits(320));
    m_state.Document.ChangeBets([](BetList& bets) {
        for (const auto& bet : {Bet(5, 5, 5), Bet(2, 1, 1), Bet(5, 5, 5), Bet(1, 2, 1), Bet(1, 1, 2), Bet(5, 0, 9)})
            bets.AddBet(bet);
        ASSERT_EQ(bets.BeginStep(), BetList::StepResult::Ok);
        bets.MarkRemoved(2); // the second 555
        bets.CloseStep();
    });
    fHitQuery& form = Open();

    m_display.StatusTexts.clear();
    form.CmdQuery()->click();
    const CFlexGrid* hits = form.msgHit();
    ASSERT_EQ(hits->Rows(), 4);
    EXPECT_EQ(Row(hits, 1), (QStringList{u"1"_s, u"5 5 5"_s, u"单选"_s}));
    EXPECT_EQ(Row(hits, 2), (QStringList{u" "_s, u"统计"_s, QString()}));
    EXPECT_EQ(Row(hits, 3), (QStringList{u"1注"_s, u"奖金:1000"_s, u"单选"_s}));
    EXPECT_EQ(m_display.StatusTexts.value(0), u"查询中奖情况"_s);
    EXPECT_EQ(m_display.BusyCalls, (std::vector<bool>{true, false}));
    EXPECT_GE(m_display.PumpCount, 1);
    EXPECT_FALSE(CMsg().IsBusy());
    EXPECT_TRUE(hits->Redraw());

    // Group-3 against 1 2 1 typed into the boxes: each bet in its own order.
    form.cboType()->setCurrentIndex(1);
    SetBoxes(form, "121");
    form.CmdQuery()->click();
    ASSERT_EQ(hits->Rows(), 1 + 3 + 2);
    EXPECT_EQ(Row(hits, 1), (QStringList{u"2"_s, u"1 1 2"_s, u"组选三"_s}));
    EXPECT_EQ(Row(hits, 2), (QStringList{u"4"_s, u"1 2 1"_s, u"组选三"_s}));
    EXPECT_EQ(Row(hits, 3), (QStringList{u"5"_s, u"2 1 1"_s, u"组选三"_s}));
    EXPECT_EQ(Row(hits, 5), (QStringList{u"3注"_s, u"奖金:960"_s, u"组选三"_s}));

    // A draw the mode cannot win with: the summary alone.
    SetBoxes(form, "555");
    form.CmdQuery()->click();
    ASSERT_EQ(hits->Rows(), 3);
    EXPECT_EQ(Row(hits, 2), (QStringList{u"0注"_s, u"奖金:0"_s, u"组选三"_s}));
    // The bet list is only read.
    EXPECT_EQ(m_state.Document.Bets().BetCount(), 6);
    EXPECT_EQ(m_state.Document.Bets().LiveCount(), 5);
}

TEST_F(HitQueryFormTest, TwentyThousandAndFiveHitsListOnly19999)
{
    CLottorHead& head = MakeGame({u"894"_s});
    head.SetWinMod(1, 0, 1, Currency::FromUnits(2));
    m_state.Document.ChangeBets([](BetList& bets) {
        for (int i = 0; i < 20005; ++i)
            bets.AddBet(Bet(4, 9, 8));
    });
    fHitQuery& form = Open();
    form.CmdQuery()->click();
    const CFlexGrid* hits = form.msgHit();
    ASSERT_EQ(hits->Rows(), 1 + 19999 + 2);
    EXPECT_EQ(Row(hits, 19999), (QStringList{u"19999"_s, u"8 9 4"_s, u"单选"_s}));
    EXPECT_EQ(Row(hits, 20000), (QStringList{u" "_s, u"统计"_s, QString()}));
    EXPECT_EQ(Row(hits, 20001), (QStringList{u"20005注"_s, u"奖金:40010"_s, u"单选"_s}));
}

TEST_F(HitQueryFormTest, ThePrizeEditorStoresWhatItTakesAndSaysWhyItRefusesAnAmount)
{
    CLottorHead& head = MakeGame({u"123"_s});
    head.SetWinMod(2, 0, 1, Currency::FromUnits(320));
    fHitQuery& form = Open();
    CFlexGrid* prizes = form.msgHitMod();
    QLineEdit* editor = form.TxtMsg();

    // A click on a caption shows no editor.
    ClickCell(prizes, 1, 0);
    EXPECT_FALSE(editor->isVisible());
    // A click on an amount lays the editor over it with its text.
    ClickCell(prizes, 2, 1);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), u"320"_s);
    EXPECT_EQ(editor->geometry(), prizes->CellRect(2, 1).translated(prizes->pos()));
    EXPECT_EQ(editor->alignment(), Qt::AlignCenter);
    QApplication::processEvents();
    EXPECT_EQ(editor->selectedText(), u"320"_s);
    // Showing the cell's text stored nothing.
    EXPECT_EQ(head.WinMod(2, 0, 1), Currency::FromUnits(320));

    QTest::keyClicks(editor, u"12.5"_s);
    EXPECT_EQ(head.WinMod(2, 0, 1), *Currency::FromText(u"12.5"));
    EXPECT_EQ(prizes->TextMatrix(2, 1), u"12.5"_s);
    EXPECT_TRUE(form.LblHint()->text().isEmpty());

    // Typed digit by digit, the tenth whole digit is refused and said so;
    // the nine before it stay stored.
    editor->selectAll();
    QTest::keyClicks(editor, u"1234567890"_s);
    EXPECT_EQ(editor->text(), u"1234567890"_s);
    EXPECT_EQ(head.WinMod(2, 0, 1), Currency::FromUnits(123456789));
    EXPECT_EQ(prizes->TextMatrix(2, 1), u"123456789"_s);
    EXPECT_EQ(form.LblHint()->text(), u"奖金的整数部分最多 9 位，未保存。"_s);

    // Pasted whole, a refused amount leaves the stored one.
    QGuiApplication::clipboard()->setText(u"7.123456"_s);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(editor->text(), u"7.123456"_s);
    EXPECT_EQ(head.WinMod(2, 0, 1), Currency::FromUnits(123456789));
    EXPECT_EQ(form.LblHint()->text(), u"奖金最多 4 位小数，未保存。"_s);
    editor->selectAll();
    QTest::keyClicks(editor, u"-5"_s);
    EXPECT_EQ(head.WinMod(2, 0, 1), Currency::FromUnits(123456789));
    EXPECT_EQ(form.LblHint()->text(), u"奖金不能为负数，未保存。"_s);

    // Letters and an emptied box change nothing and say nothing.
    editor->selectAll();
    QTest::keyClicks(editor, u"abc"_s);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_TRUE(editor->text().isEmpty());
    EXPECT_EQ(head.WinMod(2, 0, 1), Currency::FromUnits(123456789));
    EXPECT_EQ(prizes->TextMatrix(2, 1), u"123456789"_s);
    EXPECT_TRUE(form.LblHint()->text().isEmpty());

    // Losing the focus hides the editor; the next query uses the amount,
    // and a new opening shows it.
    form.CmdQuery()->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(editor->isVisible());
    m_state.Document.ChangeBets([](BetList& bets) { bets.AddBet(Bet(1, 2, 3)); });
    form.cboType()->setCurrentIndex(1);
    SetBoxes(form, "131");
    m_state.Document.ChangeBets([](BetList& bets) { bets.AddBet(Bet(1, 3, 1)); });
    form.CmdQuery()->click();
    EXPECT_EQ(form.msgHit()->TextMatrix(form.msgHit()->Rows() - 1, 1), u"奖金:123456789"_s);
    fHitQuery& again = Open();
    EXPECT_EQ(again.msgHitMod()->TextMatrix(2, 1), u"123456789"_s);
}

TEST_F(HitQueryFormTest, HelpOpensTheDialogsTopic)
{
    MakeGame({u"123"_s});
    QString topic;
    const ScopedService<HelpShower> help([&](const QString&, const QString& t) { topic = t; });
    Open().CmdHelp()->click();
    EXPECT_EQ(topic, u"fHitQuery.htm"_s);
}

// On the real history: the first start opens "福彩3D", whose last issue
// 2025217 drew 8 9 4, and the filter window makes the 1000 direct bets.
class HitQueryHistoryTest : public test::RealHistoryTest {
protected:
    void SetUp() override
    {
        RealHistoryTest::SetUp();
        InstallHitQueryWindow(Windows(), m_context.State);
    }

    // The count line of the last query.
    static QString Summary(const fHitQuery& form)
    {
        return form.msgHit()->TextMatrix(form.msgHit()->Rows() - 1, 0);
    }

    // The live bets whose digits, sorted, are those of the draw at index i.
    int32_t SameDigits(const CLottorData& game, int32_t i) const
    {
        std::array<int16_t, 3> wanted{game.Num(1, i), game.Num(2, i), game.Num(3, i)};
        std::sort(wanted.begin(), wanted.end());
        const BetList& bets = m_context.State.Document.Bets();
        int32_t n = 0;
        for (int32_t b = 0; b < bets.BetCount(); ++b) {
            const auto d = bets.Digits(b);
            std::array<int16_t, 3> have{d[1], d[2], d[3]};
            std::sort(have.begin(), have.end());
            n += bets.IsLive(b) && have == wanted ? 1 : 0;
        }
        return n;
    }
};

TEST_F(HitQueryHistoryTest, TheThousandDirectBetsAgainstTheLatestDraws)
{
    MDIMain& main = StartWithSampleGame();
    ASSERT_TRUE(m_context.State.CurLottorData);
    const CLottorData& game = *m_context.State.CurLottorData;
    ASSERT_EQ(game.NumName(game.NumCount() - 1), 2025217);

    main.Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    auto* filter = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(filter, nullptr);
    for (int g = 1; g <= 3; ++g)
        Pick(filter->Controls().CboBc[g], 1); // 全选
    QTest::mouseClick(filter->Controls().optSel[0], Qt::LeftButton);
    QTest::mouseClick(filter->Controls().cmdSingle, Qt::LeftButton);
    Settle();
    ASSERT_EQ(m_context.State.Document.Bets().LiveCount(), 1000);

    // The latest draw with exactly two equal digits.
    int32_t pair = game.NumCount() - 1;
    for (; pair >= 0; --pair) {
        const int16_t a = game.Num(1, pair), b = game.Num(2, pair), c = game.Num(3, pair);
        if ((a == b) + (b == c) + (a == c) == 1)
            break;
    }
    ASSERT_GE(pair, 0);

    // From the menu: the latest issue in the boxes; one direct hit, the six
    // orders of 4 8 9 in group-6, none in group-3; a direct prize set.
    OnModal<fHitQuery>([&](fHitQuery& form) {
        EXPECT_TRUE(CMsg().IsBusy());
        EXPECT_EQ(form.cboName()->currentText(), u"2025217"_s);
        EXPECT_EQ(Shown(form), u"894"_s);
        form.CmdQuery()->click();
        ASSERT_EQ(form.msgHit()->Rows(), 1 + 1 + 2);
        EXPECT_EQ(form.msgHit()->TextMatrix(1, 1), u"8 9 4"_s);
        EXPECT_EQ(Summary(form), u"1注"_s);

        form.cboType()->setCurrentIndex(2);
        form.CmdQuery()->click();
        EXPECT_EQ(Summary(form), u"%1注"_s.arg(SameDigits(game, game.NumCount() - 1)));
        EXPECT_EQ(Summary(form), u"6注"_s);
        form.cboType()->setCurrentIndex(1);
        form.CmdQuery()->click();
        EXPECT_EQ(Summary(form), u"0注"_s);

        // Group-3 against the latest pair, held against a direct count.
        Pick(form.cboName(), pair);
        form.CmdQuery()->click();
        EXPECT_EQ(Summary(form), u"%1注"_s.arg(SameDigits(game, pair)));
        EXPECT_EQ(Summary(form), u"3注"_s);
        // Group-6 over the last hundred draws: the draws of three different
        // digits hold their bets, the others none.
        form.cboType()->setCurrentIndex(2);
        for (int32_t i = game.NumCount() - 100; i < game.NumCount(); ++i) {
            Pick(form.cboName(), i);
            form.CmdQuery()->click();
            const int16_t a = game.Num(1, i), b = game.Num(2, i), c = game.Num(3, i);
            const bool differ = a != b && b != c && a != c;
            EXPECT_EQ(Summary(form), u"%1注"_s.arg(differ ? SameDigits(game, i) : 0)) << i;
        }
        m_context.State.CurLottorData->HeadData.SetWinMod(1, 0, 1, Currency::FromUnits(1040));
    });
    Entry(MainCommand::ChipInQuery)->trigger();
    EXPECT_FALSE(CMsg().IsBusy());

    // From the toolbar: the amount kept with the game.
    OnModal<fHitQuery>([](fHitQuery& form) {
        EXPECT_EQ(form.msgHitMod()->TextMatrix(1, 1), u"1040"_s);
        form.CmdQuery()->click();
        EXPECT_EQ(form.msgHit()->TextMatrix(form.msgHit()->Rows() - 1, 1), u"奖金:1040"_s);
    });
    main.Controls().Tbr1->ButtonByKey(u"Query"_s)->trigger();
}

} // namespace
} // namespace kelton
