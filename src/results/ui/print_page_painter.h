#pragma once

// Drawing one page of a print plan with QPainter: the table of serial and
// number pairs, the title above it, the date and page lines below it. The
// preview, the printer and tests draw the same page through this; nothing
// is kept between two drawings.

#include <cstdint>
#include <memory>
#include <optional>

#include <QFont>
#include <QString>

#include "results/print_plan.h"

class QPainter;
class QPrinter;

namespace kelton {

// The texts of every page besides the bets and the page line.
struct PrintPageTexts {
    QString Title; // PrintTitleText
    QString Date;  // PrintDateText
};

// The table's font ("宋体", or the installed Chinese serif face that stands
// in for it), 12 points, sized in twips for a painter whose units are twips.
QFont PrintTableFont();
// The title's font: twice the size, bold.
QFont PrintTitleFont();

// The margin a cell's text keeps at each side, in twips.
inline constexpr int32_t kPrintCellMargin = 45;

// The plan's columns with the serial column as wide as its largest serial
// needs in the table's font (FitPrintColumns): every page of the plan the
// same.
PrintColumns FittedPrintColumns(const PrintPlan& plan);

// Where the table and the three lines go on `page` of `count`, measured in
// the fonts above.
PrintPageLayout MeasurePrintPage(const PageSizeTwips& pageSize, const PrintPageTexts& texts, int32_t page,
                                 int32_t count);

// Draws page (1..PageCount) of the plan. The painter's units are twips of
// the paper page, its origin the page's top-left corner.
void PaintPrintPage(QPainter& painter, const PrintPlan& plan, const PageSizeTwips& pageSize, int32_t page,
                    const PrintPageTexts& texts, bool gridLines);

// Draws page (1..PageCount) of the plan onto a sheet of sheetWidth x
// sheetHeight twips, for a painter whose units are device dots
// (dotsPerTwip of them to the twip) and whose origin is the sheet's
// top-left corner: the page at its own size when the sheet holds it, else
// shrunk to fit whole (an upright page on a landscape sheet), centred.
void PaintPrintSheet(QPainter& painter, const PrintPlan& plan, const PageSizeTwips& pageSize, double sheetWidth,
                     double sheetHeight, double dotsPerTwip, int32_t page, const PrintPageTexts& texts,
                     bool gridLines);

// Prints every page of the plan as one document: page p on a sheet of the
// printer's full page as PaintPrintSheet draws it, a new sheet only between
// two pages. No page: nothing is begun (no sheet, no file).
// False, with the reason in *error, when the printer refused or failed; what
// was printed until then is handed over.
bool PrintPlanPages(QPrinter& printer, const PrintPlan& plan, const PageSizeTwips& pageSize,
                    const PrintPageTexts& texts, bool gridLines, QString* error);

// A new printer (high resolution) with the settings of `settings`: where it
// prints (printer or file), the paper and its layout, copies, colour, duplex
// and page order. A printer that failed to start stays active and refuses
// every later change of its settings; a print on a fresh one leaves the one
// the user sets up as it was.
std::unique_ptr<QPrinter> FreshPrinter(const QPrinter& settings);

// The printer's paper as the page-size rule reads it; nothing when there is
// no printer to ask.
std::optional<PrinterPaper> ReadPrinterPaper(const QPrinter& printer);

} // namespace kelton
