#include "otherfilter/other_filter_page.h"

#include <gtest/gtest.h>

#include "data/filter_items.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "platform/grid_data.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QString kYes = QString(QChar(kMarkYes));
const QString kNo = QString(QChar(kMarkNo));

class PageModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_game.HeadData.BcMain = 3;
        m_game.HeadData.BM = 3;
        m_game.HeadData.BcDataLen = 9;
        m_game.FilterMatch.IniClass(&m_game.HeadData);
        m_game.FilterHistory.IniClass(&m_game.HeadData);
        m_game.FilterGather.IniClass(&m_game.HeadData);
    }

    QStringList Column(int col) const
    {
        QStringList texts;
        for (int r = 0; r < m_cells.Rows(); ++r)
            texts << m_cells.Text(r, col);
        return texts;
    }

    CLottorData m_game;
    CGridData m_data;
    CGridDataPageCells m_cells{m_data};
};

TEST_F(PageModel, PullShowsNumberedItemsInTheirNormalForm)
{
    ASSERT_TRUE(m_game.FilterMatch.AddPerVal(u"√\t5 3 1\t0 1\tХ\t√"_s));
    ASSERT_TRUE(m_game.FilterMatch.AddPerVal(u"Х\t1,3,5\t5\t√\tХ"_s));
    m_game.FilterMatch.SubErrSel = 1;
    m_game.FilterMatch.SubErrVal = StrToRange(u"0 1"_s, 0, 2);

    const PageTolerance tolerance = PullPage(m_cells, OtherPage::Match, m_game);
    EXPECT_TRUE(tolerance.On);
    EXPECT_EQ(tolerance.Values, u"0-1"_s);
    ASSERT_EQ(m_cells.Rows(), 3);
    ASSERT_EQ(m_cells.Cols(), 6);
    EXPECT_EQ(PageRowLine(m_cells, 0), u"选择\t设定号码\t出号范围\t滤除\t容错"_s);
    EXPECT_EQ(m_cells.Text(0, 0), u"序号"_s);
    EXPECT_EQ(Column(0), QStringList({u"序号"_s, u"1"_s, u"2"_s}));
    EXPECT_EQ(PageRowLine(m_cells, 1), u"√\t1 3 5\t0-1\tХ\t√"_s);
    // Counts above BcMain come back clamped.
    EXPECT_EQ(PageRowLine(m_cells, 2), u"Х\t1,3,5\t3\t√\tХ"_s);
}

// A list at its limit once made the pull's 16-bit counter wrap: the page
// never opened and memory grew until the program died.
TEST_F(PageModel, AListAtItsLimitIsPulledWholeAndThePageTakesNoMore)
{
    for (int i = 0; i < kMaxFilterItems; ++i)
        ASSERT_TRUE(m_game.FilterMatch.AddPerVal(u"√\t1\t1\tХ\tХ"_s));
    EXPECT_FALSE(m_game.FilterMatch.AddPerVal(u"√\t1\t1\tХ\tХ"_s));
    PullPage(m_cells, OtherPage::Match, m_game);
    ASSERT_EQ(m_cells.Rows(), kMaxFilterItems + 1);
    EXPECT_EQ(m_cells.Text(kMaxFilterItems, 0), u"32767"_s);

    EXPECT_FALSE(AddPageRow(m_cells, OtherPage::Match));
    EXPECT_EQ(m_cells.Rows(), kMaxFilterItems + 1);
    EXPECT_EQ(PushPage(m_cells, OtherPage::Match, {}, m_game), kMaxFilterItems);
    EXPECT_EQ(m_game.FilterMatch.ItemCount(), kMaxFilterItems);
    DeletePageRow(m_cells);
    EXPECT_TRUE(AddPageRow(m_cells, OtherPage::Match));
}

TEST_F(PageModel, HistoryPullWritesAllDrawsAndTheCleanedCount)
{
    ASSERT_TRUE(m_game.FilterHistory.AddPerVal(u"√\t2\t全部\t1 2 3\t1\tХ\tХ"_s));
    ASSERT_TRUE(m_game.FilterHistory.AddPerVal(u"√\t0\t400\t0\t9\tХ\tХ"_s));
    PullPage(m_cells, OtherPage::History, m_game);
    EXPECT_EQ(PageRowLine(m_cells, 1), u"√\t2\t全部\t1-3\t1\tХ\tХ"_s);
    EXPECT_EQ(PageRowLine(m_cells, 2), u"√\t0\t301\t0\t0\tХ\tХ"_s);
}

TEST_F(PageModel, ClicksToggleMarksAndNameTheEditors)
{
    PullPage(m_cells, OtherPage::Gather, m_game);
    AddPageRow(m_cells, OtherPage::Gather);
    EXPECT_EQ(PageRowLine(m_cells, 1), u"Х\t0\t0\t0\t\tХ\tХ"_s);

    EXPECT_EQ(ClickPageCell(m_cells, OtherPage::Gather, 1, 1), PageClick::Toggled);
    EXPECT_EQ(m_cells.Text(1, 1), kYes);
    EXPECT_EQ(ClickPageCell(m_cells, OtherPage::Gather, 1, 1), PageClick::Toggled);
    EXPECT_EQ(m_cells.Text(1, 1), kNo);
    // Anything but "√" becomes "√", the Latin X too.
    m_cells.SetText(1, 7, u"X"_s);
    ClickPageCell(m_cells, OtherPage::Gather, 1, 7);
    EXPECT_EQ(m_cells.Text(1, 7), kYes);

    EXPECT_EQ(ClickPageCell(m_cells, OtherPage::Gather, 1, 2), PageClick::OpenList);
    EXPECT_EQ(ClickPageCell(m_cells, OtherPage::Gather, 1, 5), PageClick::OpenPicker);
    EXPECT_EQ(ClickPageCell(m_cells, OtherPage::Gather, 1, 0), PageClick::None);
    EXPECT_EQ(ClickPageCell(m_cells, OtherPage::Gather, 0, 1), PageClick::None);
    EXPECT_EQ(m_cells.Text(0, 1), u"选择"_s);

    ResetPageGrid(m_cells, OtherPage::Match);
    AddPageRow(m_cells, OtherPage::Match);
    EXPECT_EQ(PageRowLine(m_cells, 1), u"Х\t\t\tХ\tХ"_s);
    EXPECT_EQ(ClickPageCell(m_cells, OtherPage::Match, 1, 2), PageClick::OpenPicker);
    EXPECT_EQ(ClickPageCell(m_cells, OtherPage::Match, 1, 3), PageClick::OpenPicker);
    ResetPageGrid(m_cells, OtherPage::History);
    AddPageRow(m_cells, OtherPage::History);
    EXPECT_EQ(PageRowLine(m_cells, 1), u"Х\t0\t5\t\t0\tХ\tХ"_s);
}

TEST_F(PageModel, HeaderDoubleClickFlipsTheColumnAgainstRowOne)
{
    ResetPageGrid(m_cells, OtherPage::Match);
    EXPECT_FALSE(FlipMarkColumn(m_cells, OtherPage::Match, 0, 1)); // no items
    for (int i = 0; i < 3; ++i)
        AddPageRow(m_cells, OtherPage::Match);
    m_cells.SetText(2, 1, kYes);
    ASSERT_TRUE(FlipMarkColumn(m_cells, OtherPage::Match, 0, 1));
    EXPECT_EQ(Column(1).mid(1), QStringList({kYes, kYes, kYes}));
    ASSERT_TRUE(FlipMarkColumn(m_cells, OtherPage::Match, 0, 1));
    EXPECT_EQ(Column(1).mid(1), QStringList({kNo, kNo, kNo}));
    EXPECT_FALSE(FlipMarkColumn(m_cells, OtherPage::Match, 0, 2)); // not a mark column
    EXPECT_FALSE(FlipMarkColumn(m_cells, OtherPage::Match, 1, 1)); // an item row
    EXPECT_EQ(Column(1).mid(1), QStringList({kNo, kNo, kNo}));
}

TEST_F(PageModel, DeletingKeepsTheRowNumbers)
{
    ResetPageGrid(m_cells, OtherPage::History);
    DeletePageRow(m_cells); // no items: nothing
    EXPECT_EQ(m_cells.Rows(), 1);
    for (int i = 0; i < 3; ++i)
        AddPageRow(m_cells, OtherPage::History);
    m_cells.SetRow(2);
    DeletePageRow(m_cells);
    EXPECT_EQ(Column(0).mid(1), QStringList({u"1"_s, u"3"_s}));
    // A new row takes the row count, which may repeat a number.
    AddPageRow(m_cells, OtherPage::History);
    EXPECT_EQ(Column(0).mid(1), QStringList({u"1"_s, u"3"_s, u"3"_s}));
    // With the header current the first item goes.
    m_cells.SetRow(0);
    DeletePageRow(m_cells);
    EXPECT_EQ(Column(0).mid(1), QStringList({u"3"_s, u"3"_s}));
    m_cells.SetRow(1);
    DeletePageRow(m_cells);
    DeletePageRow(m_cells); // the only item row: Rows = 1
    EXPECT_EQ(m_cells.Rows(), 1);
    EXPECT_EQ(m_cells.Text(0, 0), u"序号"_s);
}

TEST_F(PageModel, AppendedLinesAreNumberedFromTheRowCount)
{
    ResetPageGrid(m_cells, OtherPage::Match);
    AddPageRow(m_cells, OtherPage::Match);
    AddPageRow(m_cells, OtherPage::Match);
    AddPageLines(m_cells, {u"√\t1\t1"_s, u"Х\t2\t0-1\tХ\t√\textra"_s, QString()});
    EXPECT_EQ(Column(0).mid(1), QStringList({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
    // Missing fields leave cells empty, extra ones are dropped.
    EXPECT_EQ(PageRowLines(m_cells).mid(2), QStringList({u"√\t1\t1\t\t"_s, u"Х\t2\t0-1\tХ\t√"_s, u"\t\t\t\t"_s}));
}

TEST_F(PageModel, PushTakesCompleteRowsAndClampsTheTolerance)
{
    ResetPageGrid(m_cells, OtherPage::Match);
    m_cells.AddItem(u"1\t√\t1 2\t1-3\tХ\t√"_s);
    m_cells.AddItem(u"2\t√\t4\t\tХ\tХ"_s);         // no counts: not pushed
    m_cells.AddItem(u"3\tХ\t7 8 9\t0\t√\tХ"_s);
    m_cells.AddItem(u"4\t√\t1,2,3,4\t1 2\tХ\t√\tbad"_s); // one field too many
    m_cells.SetText(4, 5, u"√\tmore"_s);
    const int pushed = PushPage(m_cells, OtherPage::Match, {true, u"0-5"_s}, m_game);
    // The refused row still counts towards the tolerance bound.
    EXPECT_EQ(pushed, 3);
    ASSERT_EQ(m_game.FilterMatch.ItemCount(), 2);
    EXPECT_EQ(m_game.FilterMatch.PerVal(1), u"√\t1 2\t1-3\tХ\t√"_s);
    EXPECT_EQ(m_game.FilterMatch.PerVal(2), u"Х\t7 8 9\t0\t√\tХ"_s);
    EXPECT_EQ(m_game.FilterMatch.SubErrSel, 1);
    EXPECT_EQ(RangeToStr(m_game.FilterMatch.SubErrVal), u"0-3"_s);
}

TEST_F(PageModel, ToleranceZeroToFiveWithTwoRowsBecomesZeroToTwo)
{
    ResetPageGrid(m_cells, OtherPage::Gather);
    m_cells.AddItem(u"1\t√\t0\t1\t5\t0-4\tХ\t√"_s);
    m_cells.AddItem(u"2\t√\t0\t0\t3\t0-30\tХ\t√"_s);
    AddPageRow(m_cells, OtherPage::Gather); // no slave set: left out
    EXPECT_EQ(PushPage(m_cells, OtherPage::Gather, {false, u"0-5"_s}, m_game), 2);
    EXPECT_EQ(m_game.FilterGather.SubErrSel, 0);
    EXPECT_EQ(RangeToStr(m_game.FilterGather.SubErrVal), u"0-2"_s);
    EXPECT_EQ(m_game.FilterGather.PerVal(2), u"√\t0\t0\t3\t0-20\tХ\t√"_s);
    // The pushed page pulls back without the incomplete row.
    PullPage(m_cells, OtherPage::Gather, m_game);
    EXPECT_EQ(m_cells.Rows(), 3);
}

TEST_F(PageModel, ColumnWidthsFollowTheGrid)
{
    struct Case {
        OtherPage Page;
        int GridWidth;
        std::vector<int> Widths;
    };
    const Case cases[] = {
        {OtherPage::Match, 3700, {500, 500, 1000, 600, 500, 500}},
        {OtherPage::Match, 3701, {500, 500, 850, 751, 500, 500}},
        {OtherPage::Match, 4235, {500, 500, 1117, 1018, 500, 500}},
        {OtherPage::History, 6300, {500, 500, 1200, 1000, 1000, 1000, 500, 500}},
        {OtherPage::History, 6301, {500, 500, 1200, 1000, 1001, 1000, 500, 500}},
        {OtherPage::Gather, 5600, {500, 500, 1000, 1000, 500, 1000, 500, 500}},
        {OtherPage::Gather, 5601, {500, 500, 1000, 1000, 500, 1001, 500, 500}},
    };
    for (const Case& c : cases) {
        const std::vector<int> widths = PageColumnWidths(c.Page, c.GridWidth);
        EXPECT_EQ(widths, c.Widths) << c.GridWidth;
        if (c.GridWidth % 100 == 1) {
            int sum = 0;
            for (const int w : widths)
                sum += w;
            EXPECT_EQ(sum, c.GridWidth - 100);
        }
    }
}

TEST_F(PageModel, PageAndPanelLayout)
{
    const PageLayout wide = OtherPageLayout(4335, 5000);
    EXPECT_EQ(wide.Grid, QRect(0, 0, 4235, 3800));
    EXPECT_EQ(wide.Buttons[0], QRect(0, 3905, 945, 375));
    EXPECT_EQ(wide.Buttons[3], QRect(3480, 3905, 735, 375));
    EXPECT_EQ(wide.Buttons[6], QRect(1920, 4295, 945, 375));
    // No button covers another, nor the tolerance controls below them.
    for (size_t a = 0; a < wide.Buttons.size(); ++a) {
        for (size_t b = a + 1; b < wide.Buttons.size(); ++b)
            EXPECT_FALSE(wide.Buttons[a].intersects(wide.Buttons[b])) << a << " " << b;
        EXPECT_FALSE(wide.Buttons[a].intersects(wide.ErrValues)) << a;
        EXPECT_FALSE(wide.Buttons[a].intersects(wide.ErrCheck)) << a;
    }
    EXPECT_EQ(wide.ErrCheck, QRect(0, 4715, 855, 255));
    EXPECT_EQ(wide.ErrValues, QRect(720, 4685, 3255, 270));
    const PageLayout narrow = OtherPageLayout(4094, 1000);
    EXPECT_EQ(narrow.Grid, QRect(0, 0, 3994, 0));
    EXPECT_EQ(narrow.Buttons[7].left(), 3240);
    EXPECT_EQ(OtherPageLayout(100, 1200).Grid.size(), QSize(0, 0));

    const PanelLayout panel = OtherPanelLayout(4350, 6000);
    EXPECT_EQ(panel.Splitter, QRect(0, 0, 40, 6000));
    EXPECT_EQ(panel.Header, QRect(0, 0, 4350, 255));
    EXPECT_EQ(panel.CloseButton.left(), 4095);
    // The page ends at the panel's edge.
    EXPECT_EQ(panel.Page, QRect(60, 360, 4290, 5625));
    EXPECT_EQ(OtherPanelLayout(15, 375).Page.size(), QSize(0, 0));
    // A caption taller than the header designed grows it and moves the page
    // down as much.
    const PanelLayout tall = OtherPanelLayout(4350, 6000, 315);
    EXPECT_EQ(tall.Header, QRect(0, 0, 4350, 315));
    EXPECT_EQ(tall.CloseButton, QRect(4035, 0, 315, 315));
    EXPECT_EQ(tall.Page, QRect(60, 420, 4290, 5565));

    // A drag must leave more than 300 to the panel and to the main window.
    EXPECT_EQ(SplitterDragWidth(4350, -650, 10000), 5000);
    EXPECT_EQ(SplitterDragWidth(4350, 4050, 10000), 4350);
    EXPECT_EQ(SplitterDragWidth(4350, 4049, 10000), 301);
    EXPECT_EQ(SplitterDragWidth(4350, -5350, 10000), 4350);
    EXPECT_EQ(SplitterDragWidth(4350, -5349, 10000), 9699);
}

TEST_F(PageModel, PickListsOpenOnTheCellsEntry)
{
    const QStringList views = {u"0=原始数据"_s, u"1=转换数据一"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s};
    const QStringList issues = {u"1"_s, u"2"_s, u"5"_s, u"300"_s};
    const QStringList balls = {u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s};
    const PageTraits& history = OtherPageTraits(OtherPage::History);
    const PageTraits& gather = OtherPageTraits(OtherPage::Gather);
    EXPECT_EQ(PickListEntry(history.Columns[2], views, u"3"_s, 9), 3);
    EXPECT_EQ(PickListEntry(history.Columns[2], views, u"9"_s, 9), 0);
    EXPECT_EQ(PickListEntry(history.Columns[2], views, u"abc"_s, 9), 0);
    EXPECT_EQ(PickListEntry(history.Columns[3], issues, u"300"_s, 9), 3);
    EXPECT_EQ(PickListEntry(history.Columns[3], issues, u"全部"_s, 9), 0);
    EXPECT_EQ(PickListText(history.Columns[2], views, 1), u"1"_s);
    EXPECT_EQ(PickListText(history.Columns[3], issues, 2), u"5"_s);
    EXPECT_EQ(PickListEntry(gather.Columns[4], balls, u"12"_s, 9), 0);
    EXPECT_EQ(PickListEntry(gather.Columns[4], balls, u"7"_s, 9), 7);
    EXPECT_EQ(PickListEntry(gather.Columns[4], balls, u"7"_s, 6), 0);
    EXPECT_EQ(gather.Columns[2].PickMinWidth, 1200);
    EXPECT_EQ(gather.Columns[3].PickMinWidth, 1500);
    EXPECT_EQ(gather.Columns[4].PickMinWidth, 0);
    EXPECT_EQ(ValueSetMax(OtherPageTraits(OtherPage::Match).Columns[3], 3, 9), 3);
    EXPECT_EQ(ValueSetMax(history.Columns[4], 3, 9), 50);
    EXPECT_EQ(ValueSetMax(gather.Columns[5], 3, 9), 9);
}

// A cell holding an entry's index shows the item's name; cells of lists
// that write their entries' texts, texts that name no entry and cells of
// other columns show what they hold.
TEST_F(PageModel, PickListCellsShowTheItemsName)
{
    const QStringList views = {u"0=原始数据"_s, u"1=转换数据一"_s};
    const QStringList kinds = {u"0=定位号码"_s, u"1=组选号码"_s, u"2=任选二码"_s};
    const QStringList issues = {u"1"_s, u"2"_s, u"5"_s};
    const QStringList balls = {u"0"_s, u"1"_s, u"2"_s};
    const PageTraits& history = OtherPageTraits(OtherPage::History);
    const PageTraits& gather = OtherPageTraits(OtherPage::Gather);
    struct Case {
        const PageColumn& column;
        const QStringList& entries;
        QString cell;
        QString shown;
    };
    const Case cases[] = {
        {history.Columns[2], views, u"1"_s, u"转换数据一"_s},
        {history.Columns[5], kinds, u"1"_s, u"组选号码"_s},
        {history.Columns[5], kinds, u"0"_s, u"定位号码"_s},
        {history.Columns[5], kinds, u"7"_s, u"7"_s},     // no such entry
        {history.Columns[5], kinds, u"abc"_s, u"abc"_s}, // not a number
        {history.Columns[3], issues, u"2"_s, u"2"_s},    // the list writes texts
        {history.Columns[3], issues, u"全部"_s, u"全部"_s},
        {gather.Columns[4], balls, u"2"_s, u"2"_s},      // entries without a name
        {history.Columns[4], kinds, u"1"_s, u"1"_s},     // not a pick list
    };
    for (const Case& c : cases)
        EXPECT_EQ(PickListShown(c.column, c.entries, c.cell), c.shown) << c.column.Title.toStdString() << " "
                                                                       << c.cell.toStdString();
}

// Columns grow to what their texts need; the computed column takes the
// rest, never less than its narrowest width.
TEST_F(PageModel, ColumnsGrowToTheirTexts)
{
    std::vector<int> needed(8, 0);
    needed[2] = 1500; // 转换数据
    needed[5] = 1300; // 过滤项目
    const std::vector<int> wide = PageColumnWidths(OtherPage::History, 8000, needed);
    EXPECT_EQ(wide, (std::vector<int>{500, 500, 1500, 1000, 8000 - 100 - 5800, 1300, 500, 500}));
    const std::vector<int> narrow = PageColumnWidths(OtherPage::History, 4235, needed);
    EXPECT_EQ(narrow[4], 1000);
    needed.assign(6, 0);
    needed[1] = 700;
    const std::vector<int> match = PageColumnWidths(OtherPage::Match, 4235, needed);
    EXPECT_EQ(match[1], 700);
    EXPECT_EQ(match[2] + match[3], 4235 - 2200 - 100);
}

} // namespace
} // namespace kelton
