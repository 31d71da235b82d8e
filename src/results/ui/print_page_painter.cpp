#include "results/ui/print_page_painter.h"

#include <cmath>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include "platform/twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// "宋体" where it is installed, else the Chinese serif face closest to it.
QString PrintFontFamily()
{
    static const QString family = [] {
        const QStringList wanted = {u"宋体"_s, u"SimSun"_s, u"Noto Serif CJK SC"_s, u"Noto Sans CJK SC"_s,
                                    u"WenQuanYi Zen Hei"_s};
        const QStringList installed = QFontDatabase::families();
        for (const QString& name : wanted) {
            if (installed.contains(name, Qt::CaseInsensitive))
                return name;
        }
        return QString();
    }();
    return family;
}

QFont TwipsFont(int32_t twips, bool bold)
{
    QFont font;
    const QString family = PrintFontFamily();
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(twips);
    font.setBold(bold);
    return font;
}

PageTextSize Measure(const QFontMetricsF& metrics, const QString& text)
{
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void DrawLine(QPainter& painter, const QFont& font, const TwipsPoint& at, const QString& text)
{
    painter.setFont(font);
    painter.drawText(QPointF(at.X, at.Y + QFontMetricsF(font).ascent()), text);
}

void DrawGrid(QPainter& painter, const PrintColumns& cols, double left, double top)
{
    const int32_t columns = 2 * cols.Pairs;
    const double right = left + cols.ColumnLeft(columns);
    const double bottom = top + kPrintRowCount * kPrintRowHeight;
    for (int32_t r = 1; r <= kPrintRowCount; ++r)
        painter.drawLine(QPointF(left, top + r * kPrintRowHeight), QPointF(right, top + r * kPrintRowHeight));
    for (int32_t c = 1; c <= columns; ++c)
        painter.drawLine(QPointF(left + cols.ColumnLeft(c), top), QPointF(left + cols.ColumnLeft(c), bottom));
    painter.drawRect(QRectF(left, top, kPrintTableWidth, kPrintTableHeight));
}

// A cell's text centred in it; a text wider than the cell (a bet of many
// numbers, a caption over a column narrowed for the serials) is drawn
// narrower, never cut.
void DrawWhole(QPainter& painter, const QRectF& cell, const QString& text)
{
    const double room = cell.width() - 2 * kPrintCellMargin;
    const double width = QFontMetricsF(painter.font()).horizontalAdvance(text);
    if (width <= room || room <= 0) {
        painter.drawText(cell, Qt::AlignCenter, text);
        return;
    }
    painter.save();
    const double scale = room / width;
    painter.translate(cell.center().x(), 0);
    painter.scale(scale, 1);
    painter.drawText(QRectF(-width / 2, cell.top(), width, cell.height()), Qt::AlignCenter, text);
    painter.restore();
}

// The printer's whole sheet as it lies, in twips.
QSizeF SheetTwips(const QPageLayout& layout)
{
    const QRectF mm = layout.fullRect(QPageLayout::Millimeter);
    return QSizeF(mm.width() / 25.4 * kTwipsPerInch, mm.height() / 25.4 * kTwipsPerInch);
}

} // namespace

PrintColumns FittedPrintColumns(const PrintPlan& plan)
{
    const QFontMetricsF metrics(PrintTableFont());
    const QString widest = QString::number(plan.MaxSerial());
    const double serial = metrics.horizontalAdvance(widest) + 2 * kPrintCellMargin;
    return FitPrintColumns(plan.Columns(), static_cast<int32_t>(std::ceil(serial)));
}

QFont PrintTableFont()
{
    return TwipsFont(kPrintFontTwips, false);
}

QFont PrintTitleFont()
{
    return TwipsFont(2 * kPrintFontTwips, true);
}

PrintPageLayout MeasurePrintPage(const PageSizeTwips& pageSize, const PrintPageTexts& texts, int32_t page,
                                 int32_t count)
{
    const QFontMetricsF base(PrintTableFont());
    const QFontMetricsF title(PrintTitleFont());
    return LayOutPrintPage(pageSize, Measure(title, texts.Title), Measure(base, texts.Date),
                           Measure(base, PrintPageLine(page, count)));
}

void PaintPrintPage(QPainter& painter, const PrintPlan& plan, const PageSizeTwips& pageSize, int32_t page,
                    const PrintPageTexts& texts, bool gridLines)
{
    if (page < 1 || page > plan.PageCount())
        return;
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    QPen pen(Qt::black);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    const PrintPageLayout layout = MeasurePrintPage(pageSize, texts, page, plan.PageCount());
    const double left = layout.Table.X;
    const double top = layout.Table.Y;
    const QFont tableFont = PrintTableFont();
    const PrintColumns cols = FittedPrintColumns(plan);
    painter.setFont(tableFont);

    // Header row: the two captions over every pair.
    auto cell = [&](int32_t column, int32_t row) {
        return QRectF(left + cols.ColumnLeft(column), top + row * kPrintRowHeight, cols.ColumnWidth(column),
                      kPrintRowHeight);
    };
    for (int32_t k = 0; k < cols.Pairs; ++k) {
        DrawWhole(painter, cell(2 * k, 0), kSerialCaption);
        DrawWhole(painter, cell(2 * k + 1, 0), kNumberCaption);
    }
    const int32_t first = plan.PageFirst(page);
    const int32_t bets = plan.PageBets(page);
    for (int32_t slot = 0; slot < bets; ++slot) {
        const int32_t column = plan.SlotColumn(slot);
        const int32_t row = plan.SlotRow(slot);
        DrawWhole(painter, cell(column, row), QString::number(plan.Serial(first + slot)));
        DrawWhole(painter, cell(column + 1, row), plan.NumberText(first + slot));
    }
    if (gridLines)
        DrawGrid(painter, cols, left, top);

    DrawLine(painter, PrintTitleFont(), layout.Title, texts.Title);
    DrawLine(painter, tableFont, layout.Date, texts.Date);
    DrawLine(painter, tableFont, layout.PageLine, PrintPageLine(page, plan.PageCount()));
    painter.restore();
}

void PaintPrintSheet(QPainter& painter, const PrintPlan& plan, const PageSizeTwips& pageSize, double sheetWidth,
                     double sheetHeight, double dotsPerTwip, int32_t page, const PrintPageTexts& texts,
                     bool gridLines)
{
    // Twips of the page onto the sheet in the device's dots.
    const SheetPlacement place = PlacePageOnSheet(pageSize, sheetWidth, sheetHeight);
    painter.save();
    painter.resetTransform();
    painter.scale(dotsPerTwip, dotsPerTwip);
    painter.translate(place.Left, place.Top);
    painter.scale(place.Scale, place.Scale);
    PaintPrintPage(painter, plan, pageSize, page, texts, gridLines);
    painter.restore();
}

bool PrintPlanPages(QPrinter& printer, const PrintPlan& plan, const PageSizeTwips& pageSize,
                    const PrintPageTexts& texts, bool gridLines, QString* error)
{
    if (plan.PageCount() == 0)
        return true;
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = ReadPrinterPaper(printer) ? u"打印机无法开始打印。"_s : u"没有可用的打印机。"_s;
        return false;
    }
    const QSizeF sheet = SheetTwips(printer.pageLayout());
    const double dots = printer.resolution() / kTwipsPerInch;
    bool ok = true;
    for (int32_t p = 1; p <= plan.PageCount() && ok; ++p) {
        if (p > 1 && !printer.newPage()) {
            ok = false;
            break;
        }
        PaintPrintSheet(painter, plan, pageSize, sheet.width(), sheet.height(), dots, p, texts, gridLines);
        ok = printer.printerState() != QPrinter::Error;
    }
    painter.end();
    if (!ok && error)
        *error = u"打印过程中打印机出错。"_s;
    return ok;
}

std::unique_ptr<QPrinter> FreshPrinter(const QPrinter& settings)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(settings.outputFormat());
    if (settings.outputFormat() == QPrinter::NativeFormat)
        printer->setPrinterName(settings.printerName());
    else
        printer->setOutputFileName(settings.outputFileName());
    printer->setPageLayout(settings.pageLayout());
    printer->setFullPage(settings.fullPage());
    printer->setCopyCount(settings.copyCount());
    printer->setCollateCopies(settings.collateCopies());
    printer->setColorMode(settings.colorMode());
    printer->setDuplex(settings.duplex());
    printer->setPageOrder(settings.pageOrder());
    printer->setDocName(settings.docName());
    return printer;
}

std::optional<PrinterPaper> ReadPrinterPaper(const QPrinter& printer)
{
    // Without a printer Qt falls back to a PDF writer with no file: no
    // printer either.
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (toFile ? printer.outputFileName().isEmpty() : printer.printerName().isEmpty() || !printer.isValid())
        return std::nullopt;
    const QPageLayout layout = printer.pageLayout();
    if (!layout.isValid())
        return std::nullopt;
    const QSizeF paper = SheetTwips(layout);
    return PrinterPaper{static_cast<int32_t>(std::lround(paper.width())),
                        static_cast<int32_t>(std::lround(paper.height())),
                        layout.orientation() == QPageLayout::Portrait};
}

} // namespace kelton
