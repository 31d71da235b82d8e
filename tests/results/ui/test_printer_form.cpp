#include "results/ui/printer_form.h"

#include <memory>
#include <vector>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "filter/ui/filter_form.h"
#include "host/ui/app_context.h"
#include "host/ui/shell_windows.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_dialog.h"
#include "shell/ui/qt_app_env.h"
#include "shell/ui/shell_test_fakes.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

// Dark pixels of the image inside a rectangle given in page twips.
int DarkPixels(const QImage& image, const PageSizeTwips& page, const QRectF& twips)
{
    const double sx = image.width() / static_cast<double>(page.Width);
    const double sy = image.height() / static_cast<double>(page.Height);
    const QRect area = QRectF(twips.left() * sx, twips.top() * sy, twips.width() * sx, twips.height() * sy)
                           .toAlignedRect()
                           .intersected(image.rect());
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

// Dark pixels of the whole image, and of it outside a rectangle of pixels.
int DarkPixelsOutside(const QImage& image, const QRect& inside)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += !inside.contains(x, y) && qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

// Dark pixels of page 1 of the form's plan drawn at `scale` (pixels to the
// twip), grid lines or not.
QImage PageImage(const fPrinter& form, double scale, bool gridLines)
{
    const PageSizeTwips page = form.PageSize();
    QImage image(qRound(page.Width * scale), qRound(page.Height * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    PaintPrintPage(painter, form.Plan(), page, 1, form.Texts(), gridLines);
    return image;
}

// PDF pages written: the page objects, not the page tree.
int PdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(u"/Type\\s*/Page(?![s\\w])"_s)));
}

class PrinterFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto game = std::make_shared<CLottorData>();
        game->HeadData.SetHeadStr(u"[LOTTONAME]\r\n福彩3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s);
        m_context.State.CurLottorData = std::move(game);
        m_form = std::make_unique<fPrinter>(m_context.State);
        m_form->Printer().setOutputFormat(QPrinter::PdfFormat);
        m_form->Printer().setPageSize(QPageSize(QPageSize::A4));
        m_form->Printer().setOutputFileName(m_dir.filePath(u"bets.pdf"_s));
    }
    void TearDown() override
    {
        m_form.reset();
    }

    // n live three-digit bets: bet i reads i's last three decimal digits.
    void MakeBets(int32_t n)
    {
        std::vector<int16_t> digits;
        for (int32_t i = 0; i < n; ++i)
            digits.insert(digits.end(), {0, static_cast<int16_t>(i % 10), static_cast<int16_t>(i / 10 % 10),
                                         static_cast<int16_t>(i / 100 % 10)});
        m_context.State.Document.ChangeBets([&digits](BetList& bets) {
            bets = BetList(3);
            bets.AssignBets(std::move(digits));
        });
    }

    AppContext m_context{AppContext::Start::Bare};
    MsgState m_msgState;
    ScopedService<MsgState> m_msgInForce{&m_msgState};
    QTemporaryDir m_dir;
    test::FakeBoxes m_boxes;
    ScopedService<IMessageBoxes> m_boxService{&m_boxes};
    std::unique_ptr<fPrinter> m_form;
};

TEST_F(PrinterFormTest, PagesForwardAndBackWithWrapAround)
{
    MakeBets(500);
    m_form->ShowForm();
    ASSERT_EQ(m_form->PageCount(), 3);
    EXPECT_TRUE(m_form->isEnabled());
    EXPECT_EQ(m_form->StatusText(), u"当前第1页   共3页"_s);
    // The printer's A4 paper is the page.
    EXPECT_EQ(m_form->PageSize().Width, 11906);
    EXPECT_EQ(m_form->PageSize().Height, 16838);

    m_form->cmdNext()->click();
    m_form->cmdNext()->click();
    EXPECT_EQ(m_form->CurrentPage(), 3);
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    m_form->cmdNext()->click();
    EXPECT_EQ(m_form->CurrentPage(), 1);
    ASSERT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_EQ(m_boxes.Titles[0], u"操作提示"_s);
    EXPECT_EQ(m_boxes.Texts[0], u"已到最后一页,跳到最前一页"_s);
    m_form->cmdPrev()->click();
    EXPECT_EQ(m_form->CurrentPage(), 3);
    EXPECT_EQ(m_boxes.Texts.value(1), u"已到最前一页,跳到最后一页"_s);
    EXPECT_EQ(m_form->StatusText(), u"当前第3页   共3页"_s);

    // The grid lines rebuild the pages and go back to page 1.
    m_form->ChkLine()->click();
    EXPECT_EQ(m_form->CurrentPage(), 1);
    EXPECT_EQ(m_form->PageCount(), 3);
}

TEST_F(PrinterFormTest, EmptyListAndZoomKeptAcrossClosing)
{
    MakeBets(0);
    m_form->ShowForm();
    EXPECT_EQ(m_form->PageCount(), 0);
    EXPECT_EQ(m_form->StatusText(), u"当前第0页   共0页"_s);
    m_form->cmdNext()->click();
    m_form->cmdPrev()->click();
    EXPECT_TRUE(m_boxes.Texts.isEmpty());

    const bool fit = m_form->FitMode();
    m_form->cmdZoom()->click();
    EXPECT_EQ(m_form->FitMode(), !fit);
    EXPECT_EQ(m_form->Layout().ScrollBars, fit);
    m_form->cmdExit()->click();
    EXPECT_FALSE(m_form->isVisible());
    m_form->ShowForm();
    EXPECT_EQ(m_form->FitMode(), !fit);
    m_form->cmdZoom()->click();
}

// The print windows of a run share the zoom: one per owner, each opened
// again as it was left, and a new owner's window takes the zoom of the run.
TEST_F(PrinterFormTest, ThePrintWindowsOfARunShareTheirZoom)
{
    MakeBets(3);
    InstallPrinterWindow(m_context.Windows, m_context.State);
    QWidget first;
    QWidget second;
    m_context.Windows.PrintPreview(&first);
    auto* form = first.findChild<fPrinter*>();
    ASSERT_NE(form, nullptr);
    const bool fit = form->FitMode();
    form->cmdZoom()->click();
    form->cmdExit()->click();
    m_context.Windows.PrintPreview(&first);
    EXPECT_EQ(first.findChildren<fPrinter*>().size(), 1);

    m_context.Windows.PrintPreview(&second);
    auto* other = second.findChild<fPrinter*>();
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, form);
    EXPECT_EQ(other->FitMode(), !fit);
    EXPECT_EQ(m_form->FitMode(), fit); // a window of its own keeps its own
}

TEST_F(PrinterFormTest, ReopeningAfterTheListChangedRebuilds)
{
    MakeBets(241);
    m_form->ShowForm();
    ASSERT_EQ(m_form->PageCount(), 2);
    MakeBets(100);
    // Open: the pages stay as built.
    m_form->ShowForm();
    EXPECT_EQ(m_form->PageCount(), 2);
    EXPECT_EQ(m_form->Plan().LiveCount(), 241);
    m_form->close();
    EXPECT_EQ(m_form->PageCount(), 0);
    m_form->ShowForm();
    EXPECT_EQ(m_form->PageCount(), 1);
    EXPECT_EQ(m_form->Plan().LiveCount(), 100);
}

TEST_F(PrinterFormTest, ClosingIsRefusedWhileThePagesAreBuilt)
{
    MakeBets(500);
    m_form->ShowForm();
    bool sawBusy = false;
    QTimer::singleShot(0, m_form.get(), [&] {
        sawBusy = m_form->IsBuilding() && !m_form->isEnabled();
        m_form->close();
    });
    m_form->ChkLine()->click(); // rebuilds, passing through the event loop between pages
    EXPECT_TRUE(sawBusy);
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_TRUE(m_form->isEnabled());
    EXPECT_EQ(m_form->PageCount(), 3);
}

TEST_F(PrinterFormTest, PrintsEveryPageToPdfAndNothingWithoutPages)
{
    MakeBets(500);
    m_form->ShowForm();
    m_form->cmdNext()->click();
    m_form->cmdZoom()->click(); // the preview's zoom plays no part
    m_form->cmdPrint()->click();
    EXPECT_EQ(PdfPages(m_form->Printer().outputFileName()), 3);
    EXPECT_EQ(m_form->CurrentPage(), 2);
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    m_form->cmdZoom()->click();

    const QString empty = m_dir.filePath(u"none.pdf"_s);
    m_form->close();
    MakeBets(0);
    m_form->Printer().setOutputFileName(empty);
    m_form->ShowForm();
    m_form->cmdPrint()->click();
    EXPECT_FALSE(QFile::exists(empty));
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
}

TEST_F(PrinterFormTest, WithoutAPrinterTheA4PageIsUsedAndPrintingIsReported)
{
    MakeBets(10);
    fPrinter bare(m_context.State);
    if (!ReadPrinterPaper(bare.Printer()))
        bare.ShowForm();
    else
        GTEST_SKIP() << "a printer is installed";
    EXPECT_EQ(bare.PageSize().Width, 11899);
    EXPECT_EQ(bare.PageSize().Height, 16838);
    bare.cmdPrint()->click();
    ASSERT_EQ(m_boxes.Titles.size(), 1);
    EXPECT_EQ(m_boxes.Titles[0], u"系统提示"_s);
    EXPECT_EQ(m_boxes.Texts[0], u"没有可用的打印机。"_s);
    bare.close();
}

// A print that failed leaves the printer as it was: a file chosen afterwards
// takes every page, in this preview and in one opened anew.
TEST_F(PrinterFormTest, AFailedPrintDoesNotBlockTheNext)
{
    MakeBets(300);
    fPrinter bare(m_context.State);
    if (ReadPrinterPaper(bare.Printer()))
        GTEST_SKIP() << "a printer is installed";
    bare.ShowForm();
    bare.cmdPrint()->click();
    ASSERT_EQ(m_boxes.Texts.value(0), u"没有可用的打印机。"_s);

    // As "设置" chooses a file.
    const QString pdf = m_dir.filePath(u"after.pdf"_s);
    bare.Printer().setOutputFormat(QPrinter::PdfFormat);
    bare.Printer().setOutputFileName(pdf);
    EXPECT_EQ(bare.Printer().outputFormat(), QPrinter::PdfFormat);
    bare.cmdPrint()->click();
    EXPECT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_EQ(PdfPages(pdf), 2);

    bare.close();
    QFile::remove(pdf);
    bare.ShowForm();
    bare.cmdPrint()->click();
    EXPECT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_EQ(PdfPages(pdf), 2);
    bare.close();
}

TEST_F(PrinterFormTest, PrinterThatCannotStartIsReported)
{
    MakeBets(10);
    m_form->ShowForm();
    m_form->Printer().setOutputFileName(m_dir.filePath(u"no/such/folder/x.pdf"_s));
    m_form->cmdPrint()->click();
    ASSERT_EQ(m_boxes.Titles.size(), 1);
    EXPECT_EQ(m_boxes.Titles[0], u"系统提示"_s);
}

TEST_F(PrinterFormTest, TitleAndFirstBetWhereThePlanPutsThem)
{
    MakeBets(241);
    m_form->ShowForm();
    const PageSizeTwips page = m_form->PageSize();
    const PrintPageLayout layout = MeasurePrintPage(page, m_form->Texts(), 1, 2);

    // 150 dots per inch.
    QImage image(qRound(page.Width * 150.0 / 1440), qRound(page.Height * 150.0 / 1440), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(image.width() / static_cast<double>(page.Width),
                      image.height() / static_cast<double>(page.Height));
        PaintPrintPage(painter, m_form->Plan(), page, 1, m_form->Texts(), false);
    }
    const QFontMetricsF title(PrintTitleFont());
    const QRectF titleBox(layout.Title.X, layout.Title.Y, title.horizontalAdvance(m_form->Texts().Title),
                          title.height());
    EXPECT_GT(DarkPixels(image, page, titleBox), 50);
    // Nothing between the page's top and the title.
    EXPECT_EQ(DarkPixels(image, page, QRectF(0, 0, page.Width, layout.Title.Y - 10)), 0);

    // The first bet: serial 1 and "0 0 0 " in the first row of the first pair.
    const PrintColumns& cols = m_form->Plan().Columns();
    const double row1 = layout.Table.Y + kPrintRowHeight;
    EXPECT_GT(DarkPixels(image, page, QRectF(layout.Table.X, row1, cols.SerialWidth, kPrintRowHeight)), 5);
    EXPECT_GT(DarkPixels(image, page,
                         QRectF(layout.Table.X + cols.SerialWidth, row1, cols.NumberWidth, kPrintRowHeight)),
              5);
    // The 241st bet is on page 2: page 1's last pair is full, no grid lines
    // between the rows.
    EXPECT_EQ(DarkPixels(image, page,
                         QRectF(layout.Table.X, layout.Table.Y + 41 * kPrintRowHeight + 10, kPrintTableWidth,
                                kPrintTableHeight - 41 * kPrintRowHeight - 20)),
              0);

    // The preview at actual size shows the same title.
    if (m_form->FitMode())
        m_form->cmdZoom()->click();
    const QImage shown = m_form->picPrinter()->grab().toImage();
    EXPECT_GT(DarkPixels(shown, page, titleBox), 20);
}

// Printed on a landscape sheet, the upright page is shrunk to the sheet's
// height and centred: all of it on the sheet, nothing cut off.
TEST_F(PrinterFormTest, AnUprightPageIsPrintedWholeOnALandscapeSheet)
{
    MakeBets(240);
    m_form->ShowForm();
    const PageSizeTwips page = m_form->PageSize();
    ASSERT_LT(page.Width, page.Height);
    const double sheetWidth = page.Height;
    const double sheetHeight = page.Width;
    const double dots = 100.0 / 1440; // 100 dots per inch

    QImage sheet(qRound(sheetWidth * dots), qRound(sheetHeight * dots), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        PaintPrintSheet(painter, m_form->Plan(), page, sheetWidth, sheetHeight, dots, 1, m_form->Texts(), true);
    }
    const double shrink = sheetHeight / page.Height;
    const QImage upright = PageImage(*m_form, dots * shrink, true);
    const int left = qRound((sheetWidth - page.Width * shrink) / 2 * dots);
    const QRect placed(left, 0, upright.width(), upright.height());
    // Nothing beside the page, and as much of it as the page drawn alone at
    // that size.
    EXPECT_EQ(DarkPixelsOutside(sheet, placed.adjusted(-2, -2, 2, 2)), 0);
    const int whole = DarkPixelsOutside(upright, QRect());
    const int printed = DarkPixelsOutside(sheet, QRect());
    EXPECT_GT(whole, 1000);
    EXPECT_NEAR(printed, whole, whole / 10);
}

// Serials of five digits and more print whole: the serial column is as
// wide as the largest serial needs, taken from the number column, and no
// serial's, bet's or caption's glyphs reach the edges of its cell (a cut
// text is cut at both).
TEST_F(PrinterFormTest, EverySerialPrintsWhole)
{
    MakeBets(100050);
    m_form->ShowForm();
    const PageSizeTwips page = m_form->PageSize();
    const PrintPlan& plan = m_form->Plan();
    ASSERT_EQ(plan.MaxSerial(), 100050);
    const PrintColumns cols = FittedPrintColumns(plan);
    EXPECT_GE(cols.SerialWidth, QFontMetricsF(PrintTableFont()).horizontalAdvance(u"100050"_s) + 2 * kPrintCellMargin);
    EXPECT_EQ(cols.PairWidth(), plan.Columns().PairWidth());

    // Page 42 holds 9841 .. 10080, the last page 99841 .. 100050.
    for (const int32_t pageNumber : {42, plan.PageCount()}) {
        ASSERT_GT(plan.PageBets(pageNumber), 0);
        const PrintPageLayout layout = MeasurePrintPage(page, m_form->Texts(), pageNumber, plan.PageCount());
        QImage image(qRound(page.Width * 300.0 / 1440), qRound(page.Height * 300.0 / 1440), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.scale(image.width() / static_cast<double>(page.Width),
                          image.height() / static_cast<double>(page.Height));
            PaintPrintPage(painter, plan, page, pageNumber, m_form->Texts(), false);
        }
        // Every 13th bet, and the captions (slot -1: row 0).
        for (int32_t slot = -1; slot < plan.PageBets(pageNumber); slot += 13) {
            const int32_t row = slot < 0 ? 0 : plan.SlotRow(slot);
            const int32_t pair = slot < 0 ? 0 : plan.SlotColumn(slot);
            const double top = layout.Table.Y + row * kPrintRowHeight;
            for (const int32_t c : {pair, pair + 1}) {
                const double left = layout.Table.X + cols.ColumnLeft(c);
                const QRectF cell(left, top, cols.ColumnWidth(c), kPrintRowHeight);
                SCOPED_TRACE(u"page %1 row %2 column %3"_s.arg(pageNumber).arg(row).arg(c).toStdString());
                EXPECT_GT(DarkPixels(image, page, cell), 5);
                EXPECT_EQ(DarkPixels(image, page, QRectF(cell.left(), top, 15, kPrintRowHeight)), 0);
                EXPECT_EQ(DarkPixels(image, page, QRectF(cell.right() - 15, top, 15, kPrintRowHeight)), 0);
            }
        }
    }
}

TEST_F(PrinterFormTest, SetUpReadsThePageSizeAgain)
{
    MakeBets(10);
    m_form->ShowForm();
    {
        const ScopedService<ModalRunner> cancel([](QDialog& dialog) {
            dialog.reject();
            return 0;
        });
        m_form->cmdOption()->click();
    }
    EXPECT_EQ(m_form->PageSize().Height, 16838);

    const ScopedService<ModalRunner> landscape([](QDialog& dialog) {
        auto& print = dynamic_cast<QPrintDialog&>(dialog);
        print.printer()->setPageOrientation(QPageLayout::Landscape);
        print.done(QDialog::Accepted);
        return 1;
    });
    m_form->cmdOption()->click();
    // Taken crosswise: the page's height is the landscape paper's width.
    EXPECT_EQ(m_form->Printer().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(m_form->PageSize().Height, 16838);
    EXPECT_EQ(m_form->PageSize().Width, 11906);
    // Printed onto a landscape sheet (A4: 842 x 595 points).
    m_form->cmdPrint()->click();
    EXPECT_EQ(PdfPages(m_form->Printer().outputFileName()), 1);
    QFile pdf(m_form->Printer().outputFileName());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromLatin1(pdf.readAll())
                    .contains(QRegularExpression(u"/MediaBox \\[0 0 842(\\.0*)? 595(\\.0*)?\\]"_s)));
}

// "布线" draws the table's lines on the pages shown and printed; unticked,
// none.
TEST_F(PrinterFormTest, GridLinesAreDrawnWhenTicked)
{
    MakeBets(10); // the first ten rows of the first pair; the rest is empty
    m_form->ShowForm();
    if (m_form->FitMode())
        m_form->cmdZoom()->click();
    const PageSizeTwips page = m_form->PageSize();
    const PrintPageLayout layout = MeasurePrintPage(page, m_form->Texts(), 1, 1);
    const PrintColumns& cols = m_form->Plan().Columns();
    // Where the lines between empty cells go: across the empty rows of the
    // second pair and down between its serial and number columns.
    const double pair = layout.Table.X + cols.ColumnLeft(2);
    const QRectF rowLine(pair, layout.Table.Y + 21 * kPrintRowHeight - 40, cols.PairWidth(), 80);
    const QRectF columnLine(pair + cols.SerialWidth - 40, layout.Table.Y + 20 * kPrintRowHeight, 80,
                            10 * kPrintRowHeight);
    const auto lines = [&](const QImage& image) {
        return std::pair{DarkPixels(image, page, rowLine), DarkPixels(image, page, columnLine)};
    };

    const auto none = lines(m_form->picPrinter()->grab().toImage());
    EXPECT_EQ(none.first, 0);
    EXPECT_EQ(none.second, 0);
    const QString plain = m_dir.filePath(u"plain.pdf"_s);
    m_form->Printer().setOutputFileName(plain);
    m_form->cmdPrint()->click();

    m_form->ChkLine()->click();
    ASSERT_TRUE(m_form->ChkLine()->isChecked());
    const auto shown = lines(m_form->picPrinter()->grab().toImage());
    EXPECT_GT(shown.first, 20);
    EXPECT_GT(shown.second, 20);
    const auto drawn = lines(PageImage(*m_form, 150.0 / 1440, true));
    EXPECT_GT(drawn.first, 20);
    EXPECT_GT(drawn.second, 20);
    // The printed pages carry them too.
    const QString ruled = m_dir.filePath(u"ruled.pdf"_s);
    m_form->Printer().setOutputFileName(ruled);
    m_form->cmdPrint()->click();
    EXPECT_GT(QFileInfo(ruled).size(), QFileInfo(plain).size());

    m_form->ChkLine()->click();
    const auto off = lines(m_form->picPrinter()->grab().toImage());
    EXPECT_EQ(off.first, 0);
    EXPECT_EQ(off.second, 0);
}

TEST_F(PrinterFormTest, FilterWindowsPrintButtonOpensThePreviewBusy)
{
    int opened = 0;
    bool busy = false;
    QString status;
    m_context.Windows.PrintPreview = [&](QWidget*) {
        ++opened;
        CMsg msg;
        busy = msg.IsBusy();
        status = msg.StatusText();
    };
    {
        fFilter filter(m_context.State, m_context.Windows);
        ASSERT_TRUE(filter.Controls().cmdPrintFilter->isEnabled());
        filter.Controls().cmdPrintFilter->click();
    }
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(busy);
    EXPECT_EQ(status, u"加载打印窗口"_s);
    EXPECT_FALSE(CMsg().IsBusy());
}

} // namespace
} // namespace kelton
