#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QRect>
#include <QString>
#include <QStringList>

namespace kelton {

class CGridData;
class CLottorData;

// The three pages of the other-filter panel, in the order of the panel's
// operations (UpDateOtherFilter pushes them in this order).
enum class OtherPage : int { Match = 0, History = 1, Gather = 2 };
inline constexpr int kOtherPageCount = 3;
inline constexpr std::array<OtherPage, kOtherPageCount> kOtherPages{OtherPage::Match, OtherPage::History,
                                                                    OtherPage::Gather};

// What a click on an item cell does.
enum class PageCellKind {
    RowNumber,  // column 0, "序号": display only
    Mark,       // toggles between "√" and "Х"
    NumberList, // the number-list picker
    ValueSet,   // the value picker over 0..ValueMax
    PickList    // a list dropped under the cell
};

// The upper bound of a value-set column.
enum class ValueBound { None, Fixed, BcMain, BcDataLen };

struct PageColumn {
    QString Title;
    PageCellKind Kind = PageCellKind::Mark;
    int Width = 500;       // twips; 0 for the page's computed column
    bool AlignLeft = false; // left and vertically centred; otherwise centred
    QString NewRow;        // what "增加" writes
    ValueBound Bound = ValueBound::None;
    int16_t FixedMax = 0;  // with ValueBound::Fixed
    int PickList = -1;     // with PageCellKind::PickList: the page's list 0..2
    int PickMinWidth = 0;  // twips; the list opens at least this wide
    bool PickWritesIndex = true; // the entry's index, else its text
    bool PickWithinData = false; // entries past BcDataLen name no number
};

// Everything that tells the pages apart.
struct PageTraits {
    QString Caption;           // the header caption
    QString DeleteAllQuestion; // asked by "全部删除"
    QString HelpTopic;
    std::vector<PageColumn> Columns;
    std::vector<int> KeyColumns; // a row is pushed only when all hold text
    int ComputedColumn = 2;      // the column whose width follows the grid
};

const PageTraits& OtherPageTraits(OtherPage page);

// --- Layout, in twips -------------------------------------------------------

inline constexpr int kPanelInitialWidth = 4350;
inline constexpr int kSplitterWidth = 40;
inline constexpr int kHeaderHeight = 255;
inline constexpr int kCloseButtonSize = 255;
inline constexpr int kCaptionLeft = 120;
inline constexpr int kCaptionTop = 30;
inline constexpr int kPageLeft = 60;
inline constexpr int kPageTop = 360;

// The column widths of a page's grid of width gridWidth: each column as
// designed or as wide as needed (by column, twips; what its title and the
// texts it shows take), the page's computed column (two on the match page)
// taking the rest.
std::vector<int> PageColumnWidths(OtherPage page, int gridWidth, const std::vector<int>& needed = {});

// The places of one page's controls for a page of that size. Buttons are
// in the order 增加, 删除, 全部删除, 帮助, 导入, 添加导入, 导出, 关闭.
struct PageLayout {
    QRect Grid;
    std::array<QRect, 8> Buttons;
    QRect ErrCheck;
    QRect ErrValues;
};
PageLayout OtherPageLayout(int pageWidth, int pageHeight);

// The frame for a panel of that size: the splitter, the header (as high as
// its caption needs, at least as designed), the close button inside the
// header and the place every page gets.
struct PanelLayout {
    QRect Splitter;
    QRect Header;
    QRect CloseButton; // in the header's coordinates
    QRect Page;        // the pages' place in the panel
};
PanelLayout OtherPanelLayout(int panelWidth, int panelHeight, int headerHeight = kHeaderHeight);

// The panel's width after a splitter drag to x (the pointer in the
// splitter's own coordinates) with only the left button held; the current
// width when the drag would leave the panel, or the rest of the main
// window, 300 wide or less.
int SplitterDragWidth(int panelWidth, int x, int mainWidth);

// --- The item grid ----------------------------------------------------------

inline constexpr char16_t kOtherPageFull[] = u"每页最多 32767 项，不能再增加！";

// The cells a page works on: CFlexGrid in the window, CGridData in tests.
class IPageCells {
public:
    virtual ~IPageCells() = default;
    virtual int Rows() const = 0;
    virtual void SetRows(int rows) = 0;
    virtual int Cols() const = 0;
    virtual void SetCols(int cols) = 0;
    virtual QString Text(int row, int col) const = 0;
    virtual void SetText(int row, int col, const QString& text) = 0;
    virtual void AddItem(const QString& item) = 0;
    virtual void RemoveItem(int row) = 0;
    virtual int Row() const = 0;
    virtual void SetRow(int row) = 0;
};

// IPageCells over plain cells; no fixed rows or columns.
class CGridDataPageCells : public IPageCells {
public:
    explicit CGridDataPageCells(CGridData& cells);
    int Rows() const override;
    void SetRows(int rows) override;
    int Cols() const override;
    void SetCols(int cols) override;
    QString Text(int row, int col) const override;
    void SetText(int row, int col, const QString& text) override;
    void AddItem(const QString& item) override;
    void RemoveItem(int row) override;
    int Row() const override;
    void SetRow(int row) override;

private:
    CGridData& m_cells;
};

// Rows = 1 and the page's header row.
void ResetPageGrid(IPageCells& cells, OtherPage page);
// The selection highlight shows only with items.
inline bool PageHighlight(const IPageCells& cells) { return cells.Rows() >= 2; }
bool IsMarkColumn(OtherPage page, int col);

// What a click on a cell asks of the window.
enum class PageClick { None, Toggled, OpenPicker, OpenList };
// Toggles a mark cell of an item row ("√" becomes "Х", anything else "√");
// names the editor a picker or pick-list cell wants.
PageClick ClickPageCell(IPageCells& cells, OtherPage page, int row, int col);
// A double-click on the header of a mark column with items: the whole
// column takes "√" when row 1 holds "Х", otherwise "Х". False when nothing
// changed.
bool FlipMarkColumn(IPageCells& cells, OtherPage page, int row, int col);
// "增加": the row count, TAB and the page's new row. False, adding nothing,
// when the page already holds kMaxFilterItems rows; the page then says
// kOtherPageFull.
bool AddPageRow(IPageCells& cells, OtherPage page);
// "删除": the current row (row 1 when the header is current); numbers stay.
void DeletePageRow(IPageCells& cells);
// One item row's line: columns 1 .. Cols-1 joined by TAB.
QString PageRowLine(const IPageCells& cells, int row);
// Every item row's line, in grid order (incomplete rows included).
QStringList PageRowLines(const IPageCells& cells);
// Adds one row per line, each numbered with the row count it is added at.
void AddPageLines(IPageCells& cells, const QStringList& lines);
// True when every key cell of the row holds text.
bool PageRowComplete(const IPageCells& cells, OtherPage page, int row);

// The upper bound a value-set column picks to, for a game of that shape.
int16_t ValueSetMax(const PageColumn& column, int16_t bcMain, int16_t bcDataLen);

// The entry a pick list opens on for the cell's text: the entry whose
// number (for lists that write the index) or whose text equals it; entry 0
// when none does. For the master number list a number above bcDataLen opens
// entry 0 too.
int PickListEntry(const PageColumn& column, const QStringList& entries, const QString& cellText,
                  int16_t bcDataLen);
// What a pick-list cell shows: the name of the entry the index it holds
// names ("组选号码" for 1 of "1=组选号码"), so that the user reads the
// item's name; what it holds where it names no entry or the list writes
// its entries' texts.
QString PickListShown(const PageColumn& column, const QStringList& entries, const QString& cellText);
// What picking an entry writes into the cell.
QString PickListText(const PageColumn& column, const QStringList& entries, int index);

// --- Pull and push ----------------------------------------------------------

// The tolerance controls of a page as the filter list holds them.
struct PageTolerance {
    bool On = false;
    QString Values;
};

// Fills the grid from the game's list of that page (row i: i, TAB and
// PerVal(i)) and answers its tolerance settings.
PageTolerance PullPage(IPageCells& cells, OtherPage page, const CLottorData& game);
// Replaces the game's list of that page with the complete rows of the
// grid and the tolerance settings (the allowed counts clamped to the rows
// pushed). Answers the number of rows handed to the list, refused ones
// included.
int PushPage(const IPageCells& cells, OtherPage page, const PageTolerance& tolerance, CLottorData& game);

} // namespace kelton
