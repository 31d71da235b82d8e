#pragma once

// The printed pages of the live bets, described as data: which bets go on
// which page, the table's columns, where the title, date and page lines go,
// and the preview's fit and scroll arithmetic. Everything is in twips (1440
// to the inch) of the paper page. Qt Core only: the window and the printer
// draw a page from this description when it is shown or printed.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QDate>
#include <QString>

namespace kelton {

class BetList;

// ---- page and table sizes --------------------------------------------------

struct PageSizeTwips {
    int32_t Width = 0;
    int32_t Height = 0;
};

// The page used when the printer's paper cannot be read: A4 upright.
inline constexpr PageSizeTwips kDefaultPrintPage{11899, 16838};

// The paper as the printer reports it: width and height as the sheet lies,
// and whether it is set upright.
struct PrinterPaper {
    int32_t Width = 0;
    int32_t Height = 0;
    bool Portrait = true;
};

// The page size from the printer's paper: upright as reported, landscape
// taken crosswise; no paper (no printer, or one that failed) gives the A4
// page.
PageSizeTwips PageSizeFromPaper(const std::optional<PrinterPaper>& paper);

// The table: a header row and 40 bet rows of 325 twips, 10500 x 13650
// twips in all (the rows leave the rest of the height empty).
inline constexpr int32_t kPrintRowCount = 41;
inline constexpr int32_t kPrintBetRows = 40;
inline constexpr int32_t kPrintRowHeight = 325;
inline constexpr int32_t kPrintTableWidth = 10500;
inline constexpr int32_t kPrintTableHeight = 13650;
// The table's font: 12 points, in twips.
inline constexpr int32_t kPrintFontTwips = 240;

inline const QString kSerialCaption = QStringLiteral("序号");
inline const QString kNumberCaption = QStringLiteral("投注号码");

// Column pairs (a serial column, then a number column) by the numbers a bet
// holds: 1..3 six pairs of 600 + 1100, 4..12 three pairs of 700 + 2800,
// 13 and more one pair of 700 + 9800. Every pair lies inside the table.
struct PrintColumns {
    int32_t Pairs = 6;
    int32_t SerialWidth = 600;
    int32_t NumberWidth = 1100;

    int32_t PairWidth() const { return SerialWidth + NumberWidth; }
    int32_t BetsPerPage() const { return Pairs * kPrintBetRows; }
    // Left edge of column c (0 .. 2 * Pairs) from the table's left edge.
    int32_t ColumnLeft(int32_t c) const;
    int32_t ColumnWidth(int32_t c) const { return c % 2 == 0 ? SerialWidth : NumberWidth; }
};
PrintColumns PrintColumnsFor(int32_t numbersPerBet);

// The pairs' columns with the serial column widened to what its widest
// serial needs (serialNeed, twips), taken from the number column: each pair
// stays as wide as designed, so the table keeps its width. A serial of five
// digits or more does not fit 600 twips of 12-point text; the number texts
// of up to three numbers keep room enough.
PrintColumns FitPrintColumns(const PrintColumns& columns, int32_t serialNeed);

// ---- the pages -------------------------------------------------------------

// How a bet's numbers are written: the game's main and secondary counts and
// their digit widths.
struct BetNumberFormat {
    int16_t BcMain = 3;
    int16_t MrMain = 0;
    int16_t BcNumMaxLen = 1;
    int16_t MrNumMaxLen = 1;
};

// The number cell of a bet whose stored positions 1.. are digits[1..]: the
// secondary numbers from the last to the first, then the main numbers from
// the highest position down to 1, each padded with "0" to its width and
// followed by one blank. Only the positions the bet holds are written.
QString BetNumberText(const int16_t* digits, int32_t positions, const BetNumberFormat& format);

// The pages of the live bets as they were when the plan was made: a copy of
// the live bets (their own serials and numbers) and where each page starts.
// Bets fill a page pair by pair, 40 to a pair, in list order.
class PrintPlan {
public:
    int32_t PageCount() const { return static_cast<int32_t>(m_pageFirst.size()); }
    const PrintColumns& Columns() const { return m_columns; }
    const BetNumberFormat& Format() const { return m_format; }
    int32_t LiveCount() const { return static_cast<int32_t>(m_ids.size()); }

    // The live bets on page (1..PageCount): their first index into the copy
    // and how many; a page may hold none (only the header row).
    int32_t PageFirst(int32_t page) const;
    int32_t PageBets(int32_t page) const;

    // Bet `index` of the copy: its serial and its number cell.
    int32_t Serial(int32_t index) const { return m_ids[static_cast<size_t>(index)]; }
    // The largest serial on any page (0 without bets).
    int32_t MaxSerial() const { return m_maxSerial; }
    QString NumberText(int32_t index) const;

    // The cell of the slot'th bet (0 ..) of a page: the pair's serial column
    // and the bet row (1..40).
    int32_t SlotColumn(int32_t slot) const { return 2 * (slot / kPrintBetRows); }
    int32_t SlotRow(int32_t slot) const { return 1 + slot % kPrintBetRows; }

    // Bytes held by the plan.
    size_t MemoryBytes() const;

private:
    friend PrintPlan BuildPrintPlan(const BetList&, const BetNumberFormat&, const std::function<void()>&);

    PrintColumns m_columns;
    BetNumberFormat m_format;
    int32_t m_stride = 1;             // numbers kept per bet (positions 0..)
    std::vector<int32_t> m_ids;       // live bets' serials
    int32_t m_maxSerial = 0;
    std::vector<int16_t> m_digits;    // live bets' positions 0..m_stride - 1
    std::vector<int32_t> m_pageFirst; // per page: first live bet
};

// Lays out the live bets of the list. A page closes when its last pair's
// row 40 is filled or the list ends; a list with bets but none live gives
// one page with the header row only, and live bets that fill a page exactly
// followed only by removed bets give one more such page; an empty list
// gives no page. betweenPages runs after every page but the last (the
// window passes through the event loop there); the list is read before it
// first runs, so what happens there cannot change the plan.
PrintPlan BuildPrintPlan(const BetList& bets, const BetNumberFormat& format,
                         const std::function<void()>& betweenPages = {});

// ---- texts and their places ------------------------------------------------

// "<game>投注打印单".
QString PrintTitleText(const QString& lottorName);
// "<app>  时间:<date in the short form of the system's locale>".
QString PrintDateText(const QString& appTitle, const QDate& date);
// "当前第<page>页   共<count>页".
QString PrintPageLine(int32_t page, int32_t count);

struct TwipsPoint {
    double X = 0;
    double Y = 0;
};

// Where the table and the three lines go on a page, for the text sizes
// (width, height) of each line in its font: the table centred, the title
// centred two title lines above it, the date line one line below it and
// the page line three lines below it, both ending at its right edge.
struct PageTextSize {
    double Width = 0;
    double Height = 0;
};
struct PrintPageLayout {
    TwipsPoint Table;
    TwipsPoint Title;
    TwipsPoint Date;
    TwipsPoint PageLine;
};
PrintPageLayout LayOutPrintPage(const PageSizeTwips& page, const PageTextSize& title,
                                const PageTextSize& date, const PageTextSize& pageLine);

// How a page is put on a sheet of another size: scaled down (never up) to
// fit whole and centred. A landscape sheet gets the upright page shrunk onto
// it instead of losing the table's lower rows.
struct SheetPlacement {
    double Scale = 1;
    double Left = 0;
    double Top = 0;
};
SheetPlacement PlacePageOnSheet(const PageSizeTwips& page, double sheetWidth, double sheetHeight);

// ---- paging ----------------------------------------------------------------

// The page after a step back or forward from `current` of `count` pages,
// with the message shown when the step wraps round (empty otherwise). With
// one page or none the page stays and there is no message.
struct PageStep {
    int32_t Page = 0;
    QString Message;
};
PageStep PrevPrintPage(int32_t current, int32_t count);
PageStep NextPrintPage(int32_t current, int32_t count);

// ---- the preview's view ----------------------------------------------------

struct TwipsRect {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

struct PreviewScrollBar {
    TwipsRect Place;
    int32_t Maximum = 0;
    int32_t SmallStep = 0;
    int32_t LargeStep = 0;
    int32_t Value = 0;
};

// The view laid out for a page: fitted (the page's shape decides: upright
// fills 98% of the view's height, otherwise 98% of its width) or at actual
// size with scroll bars and their margins. Empty when the view has no room.
struct PreviewLayout {
    bool Fit = false;
    double Scale = 1; // page twips to view twips
    double MarginX = 0;
    double MarginY = 0;
    TwipsRect Frame; // the page frame in the view
    bool ScrollBars = false;
    PreviewScrollBar Horizontal;
    PreviewScrollBar Vertical;
    TwipsRect Corner; // between the two bars
    // The shadows under and right of the frame: from (X1, Y1) to (X2, Y2).
    TwipsRect ShadowBottom; // Left/Top = start, Width/Height = end
    TwipsRect ShadowRight;
};
// viewWidth/viewHeight: the view's inner size; barHeight/barWidth: the
// horizontal bar's height and the vertical bar's width.
std::optional<PreviewLayout> LayOutPreview(bool fit, const PageSizeTwips& page, double viewWidth,
                                           double viewHeight, double barHeight, double barWidth);

// The frame's left and top edge for the bars' values at actual size.
double FrameLeftForScroll(double marginX, int32_t value);
double FrameTopForScroll(double marginY, int32_t value);

// The shadow lines after the frame moved.
void PlaceShadows(PreviewLayout& layout);

} // namespace kelton
