// The other-filter panel in the main window, on the real history: pages
// opened from the filter window, edited through clicks and the pickers,
// stored into the item lists and used by the filter run.

#include "otherfilter/ui/other_filter_panel.h"

#include <deque>

#include <QCheckBox>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/filter_items.h"
#include "data/lotto_items.h"
#include "data/lottor_data.h"
#include "data/picker_service.h"
#include "data/value_set.h"
#include "filter/ui/filter_form.h"
#include "games/ui/real_history_test.h"
#include "host/ui/shell_windows.h"
#include "host/ui/xp_toolbar.h"
#include "platform/program_folder.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/screen_twips.h"
#include "shell/ui/mdi_main.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QString kYes = QString(QChar(kMarkYes));
const QString kNo = QString(QChar(kMarkNo));

// The pickers answer from queues; an empty queue cancels.
class QueuedPickers : public IPickerService {
public:
    QString PickValues(const QString& strVal, int16_t minVal, int16_t maxVal, const QString&, const QString&) override
    {
        Offered << u"%1 %2..%3"_s.arg(strVal).arg(minVal).arg(maxVal);
        if (Values.empty())
            return strVal;
        const QString answer = Values.front();
        Values.pop_front();
        return answer;
    }
    bool PickBalls(const CLottorHead&, QString& text) override
    {
        Offered << u"balls %1"_s.arg(text);
        if (Balls.empty())
            return false;
        text = Balls.front();
        Balls.pop_front();
        return true;
    }
    std::deque<QString> Values;
    std::deque<QString> Balls;
    QStringList Offered;
};

class OtherFilterPanelTest : public test::RealHistoryTest {
protected:
    void SetUp() override
    {
        RealHistoryTest::SetUp();
        InstallOtherFilterWindows(Windows(), m_context.State);
        StartWithSampleGame();
        Settle();
        ASSERT_TRUE(State().CurLottorData);
        ASSERT_EQ(Game().NumCount(), 8374);
        m_panel = dynamic_cast<PicOtherFilter*>(m_main->PicOtherFilter());
        ASSERT_NE(m_panel, nullptr);
        m_filter = dynamic_cast<fFilter*>(Windows().FilterForm());
        ASSERT_NE(m_filter, nullptr);
    }

    // The filter window's "设置" button of a filter (0 match, 1 history
    // draw, 2 generating/restraining).
    QPushButton* Settings(int index) const
    {
        static const char* const names[] = {"cmdMatch", "cmdHistory", "cmdGather"};
        return m_filter->findChild<QPushButton*>(QLatin1String(names[index]));
    }
    COtherFilterPage* Page(OtherPage page) const { return m_panel->Page(page); }
    CFlexGrid* Grid(OtherPage page) const { return Page(page)->Grid(); }

    // A mouse event at a cell of a grid, sent to the view drawn there.
    static void Mouse(CFlexGrid* grid, QEvent::Type type, int row, int col)
    {
        const QPoint at = grid->CellRect(row, col).center();
        QWidget* target = grid->childAt(at);
        ASSERT_NE(target, nullptr) << row << "," << col;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(target->mapFrom(grid, at)), QPointF(grid->mapToGlobal(at)), Qt::LeftButton,
                          held, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
    static void ClickCell(CFlexGrid* grid, int row, int col)
    {
        Mouse(grid, QEvent::MouseButtonPress, row, col);
        Mouse(grid, QEvent::MouseButtonRelease, row, col);
    }
    static void DoubleClickCell(CFlexGrid* grid, int row, int col)
    {
        ClickCell(grid, row, col);
        Mouse(grid, QEvent::MouseButtonDblClick, row, col);
        Mouse(grid, QEvent::MouseButtonRelease, row, col);
    }
    static QString Line(CFlexGrid* grid, int row)
    {
        QStringList fields;
        for (int c = 0; c < grid->Cols(); ++c)
            fields << grid->TextMatrix(row, c);
        return fields.join(u'\t');
    }
    static QDockWidget* DockOf(QWidget* panel) { return qobject_cast<QDockWidget*>(panel->parentWidget()); }

    // The live bets that pass the other filters for the next issue, counted
    // directly through the game's own test.
    int32_t PassingOtherFilters()
    {
        int32_t passing = 0;
        for (int16_t n = 0; n < 1000; ++n) {
            const int16_t bet[4] = {0, static_cast<int16_t>(n % 10), static_cast<int16_t>(n / 10 % 10),
                                    static_cast<int16_t>(n / 100)};
            passing += Game().FilterOther(bet, Game().NumCount()) ? 1 : 0;
        }
        return passing;
    }

    QueuedPickers m_pickers;
    ScopedService<IPickerService> m_pickersInstalled{&m_pickers};
    QStringList m_help;
    ScopedService<HelpShower> m_helpInstalled{[this](const QString&, const QString& topic) { m_help << topic; }};
    test::FakeFileDialogs m_files;
    ScopedService<IFileDialogs> m_filesInstalled{&m_files};
    PicOtherFilter* m_panel = nullptr;
    fFilter* m_filter = nullptr;
};

TEST_F(OtherFilterPanelTest, TheFilterWindowOpensOnePageAtATime)
{
    // Docked right, hidden at start.
    ASSERT_NE(DockOf(m_panel), nullptr);
    EXPECT_EQ(m_main->dockWidgetArea(DockOf(m_panel)), Qt::RightDockWidgetArea);
    EXPECT_FALSE(m_panel->isVisible());
    EXPECT_FALSE(DockOf(m_panel)->isVisible());

    ASSERT_TRUE(Settings(1)->isEnabled());
    Settings(1)->click();
    EXPECT_TRUE(m_panel->isVisible());
    EXPECT_TRUE(Page(OtherPage::History)->isVisible());
    EXPECT_EQ(m_panel->LblCaption()->text(), u"历史开奖过滤"_s);
    CFlexGrid* history = Grid(OtherPage::History);
    EXPECT_EQ(Line(history, 0), u"序号\t选择\t转换数据\t期数范围\t出号次数\t过滤项目\t滤除\t容错"_s);
    EXPECT_EQ(history->HighLight(), GridHighLight::Never);
    EXPECT_FALSE(Page(OtherPage::History)->TxtErr()->isEnabled());

    Page(OtherPage::History)->Cmd(COtherFilterPage::Help)->click();
    EXPECT_EQ(m_help, QStringList({u"OtherHistory.htm"_s}));

    // A row made complete through the value picker, then "设置" of the match
    // filter: the history grid is stored first, and only the match page shows.
    Page(OtherPage::History)->Cmd(COtherFilterPage::Add)->click();
    EXPECT_EQ(history->HighLight(), GridHighLight::Always);
    EXPECT_EQ(Line(history, 1), u"1\tХ\t0\t5\t\t0\tХ\tХ"_s);
    m_pickers.Values.push_back(u"0-1"_s);
    ClickCell(history, 1, 4);
    EXPECT_EQ(m_pickers.Offered.last(), u" 0..50"_s);
    EXPECT_EQ(history->TextMatrix(1, 4), u"0-1"_s);
    Page(OtherPage::History)->Cmd(COtherFilterPage::Add)->click(); // left empty: not stored
    Settings(0)->click();
    EXPECT_FALSE(Page(OtherPage::History)->isVisible());
    EXPECT_TRUE(Page(OtherPage::Match)->isVisible());
    EXPECT_EQ(m_panel->LblCaption()->text(), u"匹配过滤"_s);
    ASSERT_EQ(Game().FilterHistory.ItemCount(), 1);
    EXPECT_EQ(Game().FilterHistory.PerVal(1), u"Х\t0\t5\t0-1\t0\tХ\tХ"_s);

    // Closing with "╳" stores the match page and hides everything; the
    // history page reopens from its list without the empty row.
    m_panel->CmdClose()->click();
    EXPECT_FALSE(m_panel->isVisible());
    EXPECT_FALSE(DockOf(m_panel)->isVisible());
    EXPECT_FALSE(Page(OtherPage::Match)->IsOpen());
    m_filter->Controls().cmdHistory->click();
    EXPECT_EQ(history->Rows(), 2);
}

TEST_F(OtherFilterPanelTest, MarksPickListsAndToleranceOnTheGrid)
{
    m_filter->Controls().cmdGather->click();
    COtherFilterPage* page = Page(OtherPage::Gather);
    CFlexGrid* grid = page->Grid();
    for (int i = 0; i < 3; ++i)
        page->Cmd(COtherFilterPage::Add)->click();
    // Widened, as a user would, to see every column.
    m_panel->Splitter_MouseMove(Qt::LeftButton, -TwipsToScreenPixels(2000, m_panel));
    Settle();

    // A click toggles a mark; a double-click on the header flips the column
    // against row 1, twice back and forth.
    ClickCell(grid, 2, 1);
    EXPECT_EQ(grid->TextMatrix(2, 1), kYes);
    DoubleClickCell(grid, 0, 1);
    EXPECT_EQ(grid->TextMatrix(1, 1) + grid->TextMatrix(2, 1) + grid->TextMatrix(3, 1), kYes + kYes + kYes);
    DoubleClickCell(grid, 0, 1);
    EXPECT_EQ(grid->TextMatrix(1, 1) + grid->TextMatrix(2, 1) + grid->TextMatrix(3, 1), kNo + kNo + kNo);

    // The place list opens under its cell, at least 1500 twips wide, on the
    // cell's entry; a pick writes the entry's index.
    grid->SetTextMatrix(1, 3, u"2"_s);
    ClickCell(grid, 1, 3);
    QListWidget* places = page->PickList(1);
    ASSERT_TRUE(places->isVisible());
    EXPECT_EQ(places->objectName(), u"LstGatherPos"_s);
    EXPECT_EQ(places->currentRow(), 2);
    // The cell holds the entry's index and shows its name.
    EXPECT_EQ(grid->ShownTextOf(1, 3), u"十位与个位"_s);
    // A popup over the panel, under the cell, as wide as its widest entry.
    EXPECT_TRUE(places->isWindow());
    const QPoint below = grid->mapToGlobal(grid->CellRect(1, 3).bottomLeft()) + QPoint(0, 1);
    const QRect screen = grid->screen()->availableGeometry();
    EXPECT_EQ(places->y(), below.y());
    EXPECT_EQ(places->x(), std::min(below.x(), screen.right() + 1 - places->width())); // kept on the screen
    EXPECT_GE(places->width(), TwipsToScreenPixels(1500, places));
    EXPECT_GE(places->viewport()->width(), places->sizeHintForColumn(0));
    places->setCurrentRow(3);
    page->PickList_Click(1);
    EXPECT_FALSE(places->isVisible());
    EXPECT_EQ(grid->TextMatrix(1, 3), u"3"_s);
    // A master number above 9 opens its list on "0", as wide as the cell.
    grid->SetTextMatrix(2, 4, u"12"_s);
    ClickCell(grid, 2, 4);
    EXPECT_EQ(page->PickList(2)->currentRow(), 0);
    EXPECT_EQ(page->PickList(2)->width(), grid->CellRect(2, 4).width());
    EXPECT_EQ(grid->TextMatrix(2, 4), u"12"_s); // opening alone changes nothing

    // The tolerance box follows its switch and picks over 0..item rows.
    EXPECT_FALSE(page->TxtErr()->isEnabled());
    page->ChkErr()->click();
    EXPECT_TRUE(page->TxtErr()->isEnabled());
    m_pickers.Values.push_back(u"0-5"_s);
    QTest::mouseClick(page->TxtErr(), Qt::LeftButton);
    EXPECT_EQ(m_pickers.Offered.last(), u" 0..3"_s);
    EXPECT_EQ(page->TxtErr()->text(), u"0-5"_s);

    // Two complete rows: the stored tolerance is clamped to 0-2.
    m_pickers.Values.push_back(u"0-4"_s);
    ClickCell(grid, 1, 5);
    EXPECT_EQ(m_pickers.Offered.last(), u" 0..9"_s);
    grid->SetTextMatrix(3, 5, u"0-30"_s);
    page->Cmd(COtherFilterPage::Close)->click();
    EXPECT_FALSE(m_panel->isVisible());
    ASSERT_EQ(Game().FilterGather.ItemCount(), 2);
    EXPECT_EQ(Game().FilterGather.PerVal(2), u"Х\t0\t0\t0\t0-20\tХ\tХ"_s);
    EXPECT_EQ(Game().FilterGather.SubErrSel, 1);
    EXPECT_EQ(RangeToStr(Game().FilterGather.SubErrVal), u"0-2"_s);

    // Delete-all asks; Cancel keeps the rows.
    m_filter->Controls().cmdGather->click();
    m_boxes.Answer = QMessageBox::Cancel;
    page->Cmd(COtherFilterPage::DelAll)->click();
    EXPECT_EQ(m_boxes.Texts.last(), u"你确定要删除全部相生相克过滤吗？"_s);
    EXPECT_EQ(m_boxes.Titles.last(), u"系统提示！"_s);
    EXPECT_EQ(grid->Rows(), 3);
    m_boxes.Answer = QMessageBox::Ok;
    page->Cmd(COtherFilterPage::DelAll)->click();
    EXPECT_EQ(grid->Rows(), 1);
    EXPECT_EQ(grid->HighLight(), GridHighLight::Never);
}

TEST_F(OtherFilterPanelTest, SplitterKeepsThreeHundredTwipsOnEitherSide)
{
    m_filter->Controls().cmdMatch->click();
    const int width = m_panel->WidthTwips();
    EXPECT_EQ(width, kPanelInitialWidth);
    m_panel->Splitter_MouseMove(Qt::LeftButton, -TwipsToScreenPixels(600, m_panel));
    EXPECT_NEAR(m_panel->WidthTwips(), width + 600, 20);
    m_panel->Splitter_MouseMove(Qt::LeftButton | Qt::RightButton, -TwipsToScreenPixels(600, m_panel));
    EXPECT_NEAR(m_panel->WidthTwips(), width + 600, 20);
    const int before = m_panel->WidthTwips();
    m_panel->Splitter_MouseMove(Qt::LeftButton, m_panel->Splitter()->width() + m_panel->width());
    EXPECT_EQ(m_panel->WidthTwips(), before);
}

// The user widens the panel by dragging the dock's edge, as any docked
// panel; it keeps that width when hidden and shown again, and never gets
// narrower than its page's controls need.
// The user widens the panel by dragging the dock's edge, as any docked
// panel (the main window then sizes the dock); it keeps that width when
// hidden and shown again, and never gets narrower than its page's controls
// need.
TEST_F(OtherFilterPanelTest, DraggingTheDocksEdgeWidensThePanel)
{
    m_filter->Controls().cmdHistory->click();
    Settle();
    QDockWidget* dock = DockOf(m_panel);
    ASSERT_NE(dock, nullptr);
    const auto drag = [&](int width) {
        m_main->resizeDocks({dock}, {width}, Qt::Horizontal);
        Settle();
    };
    const int widened = m_panel->width() + 120;
    drag(widened);
    EXPECT_EQ(m_panel->width(), widened);
    EXPECT_NEAR(m_panel->WidthTwips(), ScreenPixelsToTwips(widened, m_panel), 20);
    m_panel->CmdOtherFilterClose_Click();
    m_filter->Controls().cmdHistory->click();
    Settle();
    EXPECT_EQ(m_panel->width(), widened);
    // Dragged far right, it stops where its controls still fit.
    drag(50);
    EXPECT_EQ(m_panel->width(), TwipsToScreenPixels(m_panel->MinimumWidthTwips(), m_panel));
    COtherFilterPage* page = Page(OtherPage::History);
    for (int b = 0; b < COtherFilterPage::kButtonCount; ++b)
        EXPECT_TRUE(page->rect().contains(page->Cmd(static_cast<COtherFilterPage::Button>(b))->geometry())) << b;
    EXPECT_TRUE(page->rect().contains(page->TxtErr()->geometry()));
}

TEST_F(OtherFilterPanelTest, PageFilesExportImportAndAppend)
{
    m_filter->Controls().cmdMatch->click();
    COtherFilterPage* page = Page(OtherPage::Match);
    CFlexGrid* grid = page->Grid();
    grid->AddItem(u"1\t√\t1 2 3\t1-3\tХ\t√"_s);
    grid->AddItem(u"2\tХ\t4\t\tХ\tХ"_s); // incomplete rows go to the file too
    page->ChkErr()->click();
    page->TxtErr()->setText(u"0-1"_s);
    Game().FilterMatch.Sel = 1;

    const QString path = ProgramPath(u"items.mth"_s);
    m_files.Paths.push_back(path);
    page->Cmd(COtherFilterPage::Save)->click();
    EXPECT_EQ(m_files.Titles.last(), u"导出匹配过滤设置"_s);
    EXPECT_EQ(m_files.Filters.last(), AppTitle() + u"匹配过滤(*.mth)|*.mth|文本文件(*.txt)|*.txt"_s);
    EXPECT_EQ(m_boxes.Texts.last(), u"恭喜，成功导出匹配过滤设置！"_s);
    EXPECT_EQ(m_boxes.Titles.last(), u"操作提示"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(file.readAll()),
              u"[FilterMatch]\r\nEnabled=1\r\nErrEnabled=0\r\nSubErrEnabled=1\r\nSubErrVal=0-1\r\n"
              "Val=True\t1 2 3\t1-3\tFalse\tTrue\r\nVal=False\t4\t\tFalse\tFalse\r\n"_s);
    file.close();

    // Replacing brings back the rows and the tolerance controls.
    m_boxes.Answer = QMessageBox::Ok;
    page->Cmd(COtherFilterPage::DelAll)->click();
    page->ChkErr()->click();
    page->TxtErr()->setText(u"2"_s);
    m_files.Paths.push_back(path);
    page->Cmd(COtherFilterPage::Open)->click();
    EXPECT_EQ(m_files.Titles.last(), u"导入匹配过滤"_s);
    EXPECT_EQ(m_boxes.Texts.last(), u"恭喜，成功导入匹配过滤！"_s);
    ASSERT_EQ(grid->Rows(), 3);
    EXPECT_EQ(Line(grid, 1), u"1\t√\t1 2 3\t1-3\tХ\t√"_s);
    EXPECT_EQ(Line(grid, 2), u"2\tХ\t4\t\tХ\tХ"_s);
    EXPECT_TRUE(page->ChkErr()->isChecked());
    EXPECT_TRUE(page->TxtErr()->isEnabled());
    EXPECT_EQ(page->TxtErr()->text(), u"0-1"_s);
    EXPECT_EQ(grid->HighLight(), GridHighLight::Always);

    // Appending numbers on from the row count and keeps the controls.
    page->TxtErr()->setText(u"1"_s);
    m_files.Paths.push_back(path);
    page->Cmd(COtherFilterPage::OpenAdd)->click();
    ASSERT_EQ(grid->Rows(), 5);
    EXPECT_EQ(Line(grid, 3), u"3\t√\t1 2 3\t1-3\tХ\t√"_s);
    EXPECT_EQ(grid->TextMatrix(4, 0), u"4"_s);
    EXPECT_EQ(page->TxtErr()->text(), u"1"_s);

    // A file without the page's section changes nothing and says so; a
    // cancelled dialog says nothing.
    const QString wrong = ProgramPath(u"wrong.mth"_s);
    QFile other(wrong);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[FilterHistory]\nVal=True\t0\t5\t1\t0\tFalse\tFalse\n");
    other.close();
    m_files.Paths.push_back(wrong);
    page->Cmd(COtherFilterPage::Open)->click();
    EXPECT_EQ(m_boxes.Texts.last(), u"导入失败，请检查文件是否合法！"_s);
    EXPECT_EQ(grid->Rows(), 5);
    const qsizetype told = m_boxes.Texts.size();
    page->Cmd(COtherFilterPage::Open)->click();
    EXPECT_EQ(m_boxes.Texts.size(), told);

    // Section text read into another page, and nothing stored until a push.
    EXPECT_EQ(m_panel->OpenPage(OtherPage::Gather, u"[FilterGather]\r\nErrVal=0\r\nVal=true\t0\t1\t5\t0-4\tfalse\tfalse\r\n"_s,
                                false),
              OtherImportOutcome::Imported);
    EXPECT_EQ(Line(Grid(OtherPage::Gather), 1), u"1\t√\t0\t1\t5\t0-4\tХ\tХ"_s);
    EXPECT_EQ(Game().FilterMatch.ItemCount(), 0);
    page->Cmd(COtherFilterPage::Close)->click();
    EXPECT_EQ(Game().FilterMatch.ItemCount(), 2); // the complete rows
}

// A page at its limit of 32,767 items opens whole and takes no more; an
// import past the limit, and an export that cannot be written, say why.
TEST_F(OtherFilterPanelTest, PagesAtTheirLimitAndFailedFilesSaySo)
{
    m_filter->Controls().cmdMatch->click();
    COtherFilterPage* page = Page(OtherPage::Match);
    CFlexGrid* grid = page->Grid();

    const QString many = ProgramPath(u"many.mth"_s);
    {
        QFile file(many);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[FilterMatch]\r\n");
        for (int i = 0; i < 40000; ++i)
            file.write("Val=True\t1\t1\tFalse\tFalse\r\n");
    }
    m_files.Paths.push_back(many);
    page->Cmd(COtherFilterPage::Open)->click();
    EXPECT_EQ(m_boxes.Texts.last(), u"导入失败，导入后将超过每页最多 32767 项！"_s);
    EXPECT_EQ(grid->Rows(), 1);

    page->Cmd(COtherFilterPage::Close)->click();
    for (int i = 0; i < kMaxFilterItems; ++i)
        ASSERT_TRUE(Game().FilterMatch.AddPerVal(u"√\t1\t1\tХ\tХ"_s));
    m_filter->Controls().cmdMatch->click();
    ASSERT_EQ(grid->Rows(), kMaxFilterItems + 1);
    page->Cmd(COtherFilterPage::Add)->click();
    EXPECT_EQ(m_boxes.Texts.last(), u"每页最多 32767 项，不能再增加！"_s);
    EXPECT_EQ(grid->Rows(), kMaxFilterItems + 1);

    const QString nowhere = ProgramPath(u"no/such/folder/a.mth"_s);
    m_files.Paths.push_back(nowhere);
    page->Cmd(COtherFilterPage::Save)->click();
    EXPECT_TRUE(m_boxes.Texts.last().startsWith(u"导出失败，无法写入文件："_s + nowhere + u'\n'))
        << m_boxes.Texts.last().toStdString();
}

TEST_F(OtherFilterPanelTest, AGameChangeStoresTheOpenPageIntoItsOwnGame)
{
    m_filter->Controls().cmdMatch->click();
    CFlexGrid* grid = Grid(OtherPage::Match);
    grid->AddItem(u"1\t√\t1 2\t1\tХ\tХ"_s);
    const std::shared_ptr<CLottorData> first = State().CurLottorData;

    const QString other = u"Lottor/other/game"_s;
    {
        CLottorData created;
        ASSERT_FALSE(created.CreateData(u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s, other,
                                        1000));
    }
    Windows().ChooseGame = [this, &other](QWidget*) {
        CLottoItem& items = State().LottoItems;
        items.LottoAdd(u"0"_s, u"三位数"_s, other);
        items.SetSelectItem(static_cast<int16_t>(items.LottoCount() - 1));
        return true;
    };
    m_main->Entry(MainCommand::SysDataLottor)->trigger();
    Settle();
    ASSERT_NE(State().CurLottorData, first);
    EXPECT_FALSE(m_panel->isVisible());
    EXPECT_FALSE(Page(OtherPage::Match)->IsOpen());
    ASSERT_EQ(first->FilterMatch.ItemCount(), 1);
    EXPECT_EQ(first->FilterMatch.PerVal(1), u"√\t1 2\t1\tХ\tХ"_s);
    // Nothing of the first game reaches the second one.
    m_panel->UpDateOtherFilter();
    EXPECT_EQ(Game().FilterMatch.ItemCount(), 0);
}

TEST_F(OtherFilterPanelTest, FiltersSetInThePanelsRemoveWhatTheOtherFilterTestRejects)
{
    // The thousand direct bets.
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    MakeDirectBets(*m_filter);
    ASSERT_EQ(m_filter->Controls().lblCount->text(), u"投注数：1000 可恢复：0"_s);

    // A match item: one or two of 1 4 7 among the numbers.
    m_filter->Controls().cmdMatch->click();
    COtherFilterPage* match = Page(OtherPage::Match);
    match->Cmd(COtherFilterPage::Add)->click();
    Settle();
    ClickCell(match->Grid(), 1, 1);
    m_pickers.Balls.push_back(u"1 4 7"_s);
    ClickCell(match->Grid(), 1, 2);
    m_pickers.Values.push_back(u"1-2"_s);
    ClickCell(match->Grid(), 1, 3);
    EXPECT_EQ(m_pickers.Offered.last(), u" 0..3"_s);
    EXPECT_EQ(Line(match->Grid(), 1), u"1\t√\t1 4 7\t1-2\tХ\tХ"_s);

    // A history item: the group number drawn at most once in the last 300
    // draws (the 设置 button stores the match page).
    Settings(1)->click();
    ASSERT_EQ(Game().FilterMatch.ItemCount(), 1);
    COtherFilterPage* history = Page(OtherPage::History);
    history->Cmd(COtherFilterPage::Add)->click();
    Settle();
    CFlexGrid* grid = history->Grid();
    ClickCell(grid, 1, 1);
    ClickCell(grid, 1, 3);
    history->PickList(1)->setCurrentRow(history->PickList(1)->count() - 1);
    history->PickList_Click(1);
    EXPECT_EQ(grid->TextMatrix(1, 3), u"300"_s);
    // The kind column lies right of the narrow panel's view.
    grid->SetRow(1);
    grid->SetCol(5);
    history->Grid_Click();
    history->PickList(2)->setCurrentRow(1);
    history->PickList_Click(2);
    m_pickers.Values.push_back(u"0-1"_s);
    ClickCell(grid, 1, 4);
    EXPECT_EQ(Line(grid, 1), u"1\t√\t0\t300\t0-1\t1\tХ\tХ"_s);
    EXPECT_EQ(Game().FilterHistory.ItemCount(), 0); // not stored yet

    // Both filters on; the run stores the open page first.
    m_filter->Controls().chkMatch->click();
    m_filter->Controls().chkHistory->click();
    ASSERT_EQ(Game().FilterMatch.Sel, 1);
    ASSERT_EQ(Game().FilterHistory.Sel, 1);
    QTest::mouseClick(m_filter->Controls().cmdGetFilter, Qt::LeftButton);
    ASSERT_EQ(Game().FilterHistory.ItemCount(), 1);
    EXPECT_EQ(Game().FilterHistory.PerVal(1), u"√\t0\t300\t0-1\t1\tХ\tХ"_s);
    EXPECT_EQ(Game().FilterMatch.PerVal(1), u"√\t1 4 7\t1-2\tХ\tХ"_s);

    const int32_t passing = PassingOtherFilters();
    ASSERT_GT(passing, 0);
    ASSERT_LT(passing, 1000);
    EXPECT_EQ(m_filter->Controls().lblCount->text(), u"投注数：%1 可恢复：%2"_s.arg(passing).arg(1000 - passing));
    // Each filter alone removes something.
    Game().FilterHistory.Sel = 0;
    const int32_t matchOnly = PassingOtherFilters();
    Game().FilterHistory.Sel = 1;
    Game().FilterMatch.Sel = 0;
    const int32_t historyOnly = PassingOtherFilters();
    EXPECT_LT(passing, matchOnly);
    EXPECT_LT(passing, historyOnly);
}

} // namespace
} // namespace kelton
