#pragma once

// Drawing one page of a print plan with QPainter: the table of serial and
// number pairs, the title above it, the date and page lines below it. The
// preview, the printer and tests draw the same page through this; nothing
// is kept between two drawings.

#include <cstdint>
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

// Prints every page of the plan as one document: page p at the printer's
// full page, fitted onto the sheet when the sheet is smaller, a new sheet
// only between two pages. No page: nothing is begun (no sheet, no file).
// False, with the reason in *error, when the printer refused or failed; what
// was printed until then is handed over.
bool PrintPlanPages(QPrinter& printer, const PrintPlan& plan, const PageSizeTwips& pageSize,
                    const PrintPageTexts& texts, bool gridLines, QString* error);

// The printer's paper as the page-size rule reads it; nothing when there is
// no printer to ask.
std::optional<PrinterPaper> ReadPrinterPaper(const QPrinter& printer);

} // namespace kelton
