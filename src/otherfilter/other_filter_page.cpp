#include "otherfilter/other_filter_page.h"

#include <algorithm>
#include <initializer_list>

#include "data/filter_items.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "platform/grid_data.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

const QString kYes = QString(QChar(kMarkYes));
const QString kNo = QString(QChar(kMarkNo));

PageColumn Number()
{
    return {u"序号"_s, PageCellKind::RowNumber, 500, false, QString()};
}

PageColumn Mark(const QString& title)
{
    return {title, PageCellKind::Mark, 500, false, kNo};
}

PageColumn List(const QString& title, int width, int list, const QString& newRow, int minWidth = 0,
                bool writesIndex = true)
{
    PageColumn column{title, PageCellKind::PickList, width, false, newRow};
    column.PickList = list;
    column.PickMinWidth = minWidth;
    column.PickWritesIndex = writesIndex;
    return column;
}

PageColumn Values(const QString& title, ValueBound bound, int16_t fixedMax = 0)
{
    PageColumn column{title, PageCellKind::ValueSet, 0, false, QString()};
    column.Bound = bound;
    column.FixedMax = fixedMax;
    return column;
}

PageTraits MatchTraits()
{
    PageTraits traits{u"匹配过滤"_s, u"你确定要删除全部匹配过滤吗？"_s, u"OtherMatch.htm"_s, {}, {2, 3}, 2};
    PageColumn numbers{u"设定号码"_s, PageCellKind::NumberList, 0, true, QString()};
    traits.Columns = {Number(), Mark(u"选择"_s), numbers, Values(u"出号范围"_s, ValueBound::BcMain),
                    Mark(u"滤除"_s), Mark(u"容错"_s)};
    return traits;
}

PageTraits HistoryTraits()
{
    PageTraits traits{u"历史开奖过滤"_s, u"你确定要删除全部历史开奖过滤吗？"_s, u"OtherHistory.htm"_s, {}, {4}, 4};
    traits.Columns = {Number(),
                    Mark(u"选择"_s),
                    List(u"转换数据"_s, 1200, 0, u"0"_s),
                    List(u"期数范围"_s, 1000, 1, u"5"_s, 0, false),
                    Values(u"出号次数"_s, ValueBound::Fixed, 50),
                    List(u"过滤项目"_s, 1000, 2, u"0"_s),
                    Mark(u"滤除"_s),
                    Mark(u"容错"_s)};
    return traits;
}

PageTraits GatherTraits()
{
    PageTraits traits{u"相生相克开奖过滤"_s, u"你确定要删除全部相生相克过滤吗？"_s, u"OtherGather.htm"_s, {}, {5}, 5};
    PageColumn master = List(u"主号"_s, 500, 2, u"0"_s);
    master.PickWithinData = true;
    traits.Columns = {Number(),
                    Mark(u"选择"_s),
                    List(u"转换数据"_s, 1000, 0, u"0"_s, 1200),
                    List(u"过滤项目"_s, 1000, 1, u"0"_s, 1500),
                    master,
                    Values(u"从号"_s, ValueBound::BcDataLen),
                    Mark(u"滤除"_s),
                    Mark(u"容错"_s)};
    return traits;
}

// A whole decimal number, blanks around it allowed.
bool WholeNumber(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

template <class List> PageTolerance Pull(IPageCells& cells, OtherPage page, const List& list)
{
    ResetPageGrid(cells, page);
    // An int counter: a list at its limit holds the largest 16-bit count.
    for (int i = 1; i <= list.ItemCount(); ++i)
        cells.AddItem(QString::number(i) + u'\t' + list.PerVal(static_cast<int16_t>(i)));
    return {list.SubErrSel != 0, RangeToStr(list.SubErrVal)};
}

template <class List>
int Push(const IPageCells& cells, OtherPage page, const PageTolerance& tolerance, List& list,
         const CLottorHead& head)
{
    list.IniClass(&head);
    int count = 0;
    for (int r = 1; r < cells.Rows(); ++r) {
        if (!PageRowComplete(cells, page, r))
            continue;
        ++count;
        (void)list.AddPerVal(PageRowLine(cells, r)); // a refused line is dropped
    }
    list.SubErrSel = tolerance.On ? 1 : 0;
    list.SubErrVal = StrToRange(tolerance.Values, 0, static_cast<int16_t>(std::min(count, 32767)));
    return count;
}

} // namespace

const PageTraits& OtherPageTraits(OtherPage page)
{
    static const std::array<PageTraits, kOtherPageCount> traits{MatchTraits(), HistoryTraits(), GatherTraits()};
    return traits[static_cast<size_t>(page)];
}

std::vector<int> PageColumnWidths(OtherPage page, int gridWidth, const std::vector<int>& needed)
{
    const PageTraits& traits = OtherPageTraits(page);
    std::vector<int> widths;
    for (size_t c = 0; c < traits.Columns.size(); ++c)
        widths.push_back(std::max(traits.Columns[c].Width, c < needed.size() ? needed[c] : 0));
    const auto need = [&](size_t c) { return c < needed.size() ? needed[c] : 0; };
    // What the columns of fixed width take; the computed columns share the
    // rest less 100, and keep their narrowest widths where there is none.
    const auto others = [&](std::initializer_list<size_t> computed) {
        int sum = 0;
        for (size_t c = 0; c < widths.size(); ++c) {
            if (std::find(computed.begin(), computed.end(), c) == computed.end())
                sum += widths[c];
        }
        return sum;
    };
    switch (page) {
    case OtherPage::Match: {
        const int rest = gridWidth - others({2, 3});
        if (rest > 1700) {
            widths[2] = rest / 2;
            widths[3] = rest - widths[2] - 100;
        } else {
            widths[2] = 1000;
            widths[3] = 600;
        }
        widths[2] = std::max(widths[2], need(2));
        widths[3] = std::max(widths[3], need(3));
        break;
    }
    case OtherPage::History:
        widths[4] = std::max({1000, gridWidth - 100 - others({4}), need(4)});
        break;
    case OtherPage::Gather:
        widths[5] = std::max({1000, gridWidth - 100 - others({5}), need(5)});
        break;
    }
    return widths;
}

PageLayout OtherPageLayout(int pageWidth, int pageHeight)
{
    PageLayout layout;
    const int gridWidth = pageWidth > 100 ? pageWidth - 100 : 0;
    const int gridHeight = pageHeight > 1200 ? pageHeight - 1200 : 0;
    layout.Grid = QRect(0, 0, gridWidth, gridHeight);
    const int right = pageWidth >= 4095 ? pageWidth - 855 : 3240;
    // Buttons 945 wide at a pitch of 960, the rows 15 apart: none covers
    // its neighbour.
    const int tops[2] = {gridHeight + 105, gridHeight + 495};
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 3; ++i)
            layout.Buttons[static_cast<size_t>(row * 4 + i)] = QRect(i * 960, tops[row], 945, 375);
        layout.Buttons[static_cast<size_t>(row * 4 + 3)] = QRect(right, tops[row], 735, 375);
    }
    layout.ErrCheck = QRect(0, gridHeight + 915, 855, 255);
    layout.ErrValues = QRect(720, gridHeight + 885, 3255, 270);
    return layout;
}

PanelLayout OtherPanelLayout(int panelWidth, int panelHeight, int headerHeight)
{
    PanelLayout layout;
    headerHeight = std::max(headerHeight, kHeaderHeight);
    layout.Splitter = QRect(0, 0, kSplitterWidth, panelHeight);
    layout.Header = QRect(0, 0, panelWidth, headerHeight);
    const int closeLeft = panelWidth > headerHeight ? panelWidth - headerHeight : 0;
    layout.CloseButton = QRect(closeLeft, 0, headerHeight, headerHeight);
    // The page ends at the panel's right edge, and below a header taller
    // than designed by as much more.
    const int pageTop = kPageTop + headerHeight - kHeaderHeight;
    layout.Page = QRect(kPageLeft, pageTop, std::max(0, panelWidth - kPageLeft),
                        std::max(0, panelHeight - pageTop - 15));
    return layout;
}

int SplitterDragWidth(int panelWidth, int x, int mainWidth)
{
    const int proposed = panelWidth - x;
    return proposed > 300 && proposed < mainWidth - 300 ? proposed : panelWidth;
}

// --- Cells ------------------------------------------------------------------

CGridDataPageCells::CGridDataPageCells(CGridData& cells)
    : m_cells(cells)
{
    m_cells.SetFixedRows(0);
    m_cells.SetFixedCols(0);
}

int CGridDataPageCells::Rows() const { return m_cells.Rows(); }
void CGridDataPageCells::SetRows(int rows) { m_cells.SetRows(rows); }
int CGridDataPageCells::Cols() const { return m_cells.Cols(); }
void CGridDataPageCells::SetCols(int cols) { m_cells.SetCols(cols); }
QString CGridDataPageCells::Text(int row, int col) const { return m_cells.Text(row, col); }
void CGridDataPageCells::SetText(int row, int col, const QString& text) { m_cells.SetText(row, col, text); }
void CGridDataPageCells::AddItem(const QString& item) { m_cells.AddItem(item); }
void CGridDataPageCells::RemoveItem(int row) { m_cells.RemoveItem(row); }
int CGridDataPageCells::Row() const { return m_cells.Row(); }
void CGridDataPageCells::SetRow(int row) { m_cells.SetRow(row); }

void ResetPageGrid(IPageCells& cells, OtherPage page)
{
    const PageTraits& traits = OtherPageTraits(page);
    cells.SetRows(1);
    cells.SetCols(static_cast<int>(traits.Columns.size()));
    for (size_t c = 0; c < traits.Columns.size(); ++c)
        cells.SetText(0, static_cast<int>(c), traits.Columns[c].Title);
}

bool IsMarkColumn(OtherPage page, int col)
{
    const PageTraits& traits = OtherPageTraits(page);
    return col >= 0 && col < static_cast<int>(traits.Columns.size()) &&
           traits.Columns[static_cast<size_t>(col)].Kind == PageCellKind::Mark;
}

PageClick ClickPageCell(IPageCells& cells, OtherPage page, int row, int col)
{
    const PageTraits& traits = OtherPageTraits(page);
    if (row < 1 || row >= cells.Rows() || col < 1 || col >= static_cast<int>(traits.Columns.size()))
        return PageClick::None;
    switch (traits.Columns[static_cast<size_t>(col)].Kind) {
    case PageCellKind::Mark:
        cells.SetText(row, col, cells.Text(row, col) == kYes ? kNo : kYes);
        return PageClick::Toggled;
    case PageCellKind::NumberList:
    case PageCellKind::ValueSet:
        return PageClick::OpenPicker;
    case PageCellKind::PickList:
        return PageClick::OpenList;
    case PageCellKind::RowNumber:
        break;
    }
    return PageClick::None;
}

bool FlipMarkColumn(IPageCells& cells, OtherPage page, int row, int col)
{
    if (row != 0 || cells.Rows() < 2 || !IsMarkColumn(page, col))
        return false;
    const QString mark = cells.Text(1, col) == kNo ? kYes : kNo;
    for (int r = 1; r < cells.Rows(); ++r)
        cells.SetText(r, col, mark);
    return true;
}

bool AddPageRow(IPageCells& cells, OtherPage page)
{
    if (cells.Rows() - 1 >= kMaxFilterItems)
        return false;
    const PageTraits& traits = OtherPageTraits(page);
    QString line = QString::number(cells.Rows());
    for (size_t c = 1; c < traits.Columns.size(); ++c)
        line += u'\t' + traits.Columns[c].NewRow;
    cells.AddItem(line);
    return true;
}

void DeletePageRow(IPageCells& cells)
{
    if (cells.Rows() < 2)
        return;
    if (cells.Row() < 1)
        cells.SetRow(1);
    if (cells.Rows() == 2)
        cells.SetRows(1);
    else
        cells.RemoveItem(cells.Row());
}

QString PageRowLine(const IPageCells& cells, int row)
{
    QStringList fields;
    for (int c = 1; c < cells.Cols(); ++c)
        fields << cells.Text(row, c);
    return fields.join(u'\t');
}

QStringList PageRowLines(const IPageCells& cells)
{
    QStringList lines;
    for (int r = 1; r < cells.Rows(); ++r)
        lines << PageRowLine(cells, r);
    return lines;
}

void AddPageLines(IPageCells& cells, const QStringList& lines)
{
    for (const QString& line : lines)
        cells.AddItem(QString::number(cells.Rows()) + u'\t' + line);
}

bool PageRowComplete(const IPageCells& cells, OtherPage page, int row)
{
    for (const int col : OtherPageTraits(page).KeyColumns) {
        if (cells.Text(row, col).isEmpty())
            return false;
    }
    return true;
}

int16_t ValueSetMax(const PageColumn& column, int16_t bcMain, int16_t bcDataLen)
{
    switch (column.Bound) {
    case ValueBound::Fixed:
        return column.FixedMax;
    case ValueBound::BcMain:
        return bcMain;
    case ValueBound::BcDataLen:
        return bcDataLen;
    case ValueBound::None:
        break;
    }
    return 0;
}

int PickListEntry(const PageColumn& column, const QStringList& entries, const QString& cellText, int16_t bcDataLen)
{
    if (!column.PickWritesIndex)
        return std::max(0, static_cast<int>(entries.indexOf(cellText)));
    int value = 0;
    if (!WholeNumber(cellText, value) || value < 0 || value >= entries.size())
        return 0;
    if (column.PickWithinData && value > bcDataLen)
        return 0;
    return value;
}

QString PickListShown(const PageColumn& column, const QStringList& entries, const QString& cellText)
{
    int value = 0;
    if (column.Kind != PageCellKind::PickList || !column.PickWritesIndex || !WholeNumber(cellText, value) ||
        value < 0 || value >= entries.size())
        return cellText;
    // "1=组选号码" names the item after its code.
    const QString& entry = entries[value];
    const qsizetype named = entry.indexOf(u'=');
    return named > 0 ? entry.mid(named + 1) : entry;
}

QString PickListText(const PageColumn& column, const QStringList& entries, int index)
{
    if (index < 0 || index >= entries.size())
        return QString();
    return column.PickWritesIndex ? QString::number(index) : entries[index];
}

PageTolerance PullPage(IPageCells& cells, OtherPage page, const CLottorData& game)
{
    switch (page) {
    case OtherPage::Match:
        return Pull(cells, page, game.FilterMatch);
    case OtherPage::History:
        return Pull(cells, page, game.FilterHistory);
    case OtherPage::Gather:
        return Pull(cells, page, game.FilterGather);
    }
    return {};
}

int PushPage(const IPageCells& cells, OtherPage page, const PageTolerance& tolerance, CLottorData& game)
{
    switch (page) {
    case OtherPage::Match:
        return Push(cells, page, tolerance, game.FilterMatch, game.HeadData);
    case OtherPage::History:
        return Push(cells, page, tolerance, game.FilterHistory, game.HeadData);
    case OtherPage::Gather:
        return Push(cells, page, tolerance, game.FilterGather, game.HeadData);
    }
    return 0;
}

} // namespace kelton
