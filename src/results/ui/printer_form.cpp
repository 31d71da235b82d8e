#include "results/ui/printer_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/text_helpers.h"
#include "host/ui/shell_windows.h"
#include "platform/help_pages.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_dialog.h"
#include "platform/ui/screen_twips.h"
#include "platform/window_place.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// The button row and the view below it, in twips.
constexpr int kButtonTop = 60;
constexpr int kButtonWidth = 900;
constexpr int kButtonHeight = 375;
constexpr int kButtonGap = 60;
constexpr int kViewTop = kButtonTop + kButtonHeight + 60;

// True for the life of the guard; the window is disabled, the pointer busy.
class BuildingGuard {
public:
    BuildingGuard(QWidget* window, bool& flag)
        : m_window(window), m_flag(flag), m_wasEnabled(window->isEnabled())
    {
        m_flag = true;
        m_window->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BuildingGuard()
    {
        QApplication::restoreOverrideCursor();
        if (m_window)
            m_window->setEnabled(m_wasEnabled);
        m_flag = false;
    }
    BuildingGuard(const BuildingGuard&) = delete;
    BuildingGuard& operator=(const BuildingGuard&) = delete;

private:
    QPointer<QWidget> m_window;
    bool& m_flag;
    bool m_wasEnabled;
};

int Round(double twips)
{
    return static_cast<int>(RoundHalfEven(twips));
}

QRect ToTwipsRect(const TwipsRect& r)
{
    return QRect(Round(r.Left), Round(r.Top), Round(r.Width), Round(r.Height));
}

} // namespace

// The page frame: draws the page it is given from the plan, scaled to its
// own size; white paper when there is none.
class fPrinter::PageFrame : public QWidget {
public:
    explicit PageFrame(fPrinter* form, QWidget* parent) : QWidget(parent), m_form(form)
    {
        setObjectName(u"picPrinter"_s);
        setAccessibleName(u"打印预览"_s);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const PageSizeTwips page = m_form->PageSize();
        const int32_t shown = m_form->m_shownPage;
        if (shown < 1 || shown > m_form->PageCount() || page.Width <= 0 || page.Height <= 0)
            return;
        painter.scale(width() / static_cast<double>(page.Width), height() / static_cast<double>(page.Height));
        PaintPrintPage(painter, m_form->Plan(), page, shown, m_form->m_texts, m_form->m_gridLines);
    }

private:
    fPrinter* m_form;
};

fPrinter::fPrinter(AppState& app, QWidget* owner, std::shared_ptr<PrinterKeptState> kept)
    : QWidget(owner, Qt::Window), m_app(app),
      m_kept(kept ? std::move(kept) : std::make_shared<PrinterKeptState>()),
      m_plan(std::make_unique<PrintPlan>()), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(u"fPrinter"_s);
    setWindowTitle(u"打印(适用A4纸)"_s);
    m_printer->setFullPage(true);
    BuildControls();
    const QSize design(TwipsToScreenPixels(12600, this), TwipsToScreenPixels(10500, this));
    // Taller on a tall screen: more of the page shows at actual size. On
    // the owner's screen, frame and all.
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        // The frame: a border at each side, the title bar above.
        const int border = TwipsToScreenPixels(kDialogFrame.Width, this) / 2;
        const int title = TwipsToScreenPixels(kDialogFrame.Height, this) - border;
        const QRect room = screen->availableGeometry().adjusted(border, title, -border, -border);
        setGeometry(PlaceOnScreen(design, room, Qt::Vertical));
    } else {
        resize(design);
    }
}

fPrinter::~fPrinter() = default;

void fPrinter::BuildControls()
{
    int left = kButtonGap;
    auto button = [&](const QString& text, const QString& name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        SetTwipsGeometry(b, QRect(left, kButtonTop, kButtonWidth, kButtonHeight));
        left += kButtonWidth + kButtonGap;
        return b;
    };
    m_cmdPrev = button(u"上一页"_s, u"cmdPrev"_s);
    m_cmdNext = button(u"下一页"_s, u"cmdNext"_s);
    m_cmdZoom = button(u"缩放"_s, u"cmdZoom"_s);
    m_cmdPrint = button(u"打印"_s, u"cmdPrint"_s);
    m_cmdOption = button(u"设置"_s, u"cmdOption"_s);
    m_cmdExit = button(u"关闭"_s, u"cmdExit"_s);
    m_cmdHelp = button(u"帮助"_s, u"CmdHelp"_s);
    m_chkLine = new QCheckBox(u"布线"_s, this);
    m_chkLine->setObjectName(u"ChkLine"_s);
    SetTwipsGeometry(m_chkLine, QRect(left + kButtonGap, kButtonTop, 900, kButtonHeight));

    m_picMain = new QWidget(this);
    m_picMain->setObjectName(u"PicMain"_s);
    m_picMain->setAutoFillBackground(true);
    QPalette viewPalette = m_picMain->palette();
    viewPalette.setColor(QPalette::Window, palette().color(QPalette::Dark));
    m_picMain->setPalette(viewPalette);
    m_picPrinter = new PageFrame(this, m_picMain);
    m_hsX = new QScrollBar(Qt::Horizontal, m_picMain);
    m_hsX->setObjectName(u"HsX"_s);
    m_vsY = new QScrollBar(Qt::Vertical, m_picMain);
    m_vsY->setObjectName(u"vsY"_s);
    // The bars hand the keyboard to the page frame.
    m_hsX->setFocusPolicy(Qt::NoFocus);
    m_vsY->setFocusPolicy(Qt::NoFocus);
    m_lblPic = new QLabel(m_picMain);
    m_lblPic->setObjectName(u"lblPic"_s);
    m_lblPic->setAutoFillBackground(true);
    auto shadow = [&](const QString& name) {
        auto* line = new QFrame(m_picMain);
        line->setObjectName(name);
        line->setAutoFillBackground(true);
        QPalette p = line->palette();
        p.setColor(QPalette::Window, Qt::black);
        line->setPalette(p);
        return line;
    };
    m_lineX = shadow(u"lineX"_s);
    m_lineY = shadow(u"LineY"_s);

    m_stbMain = new QStatusBar(this);
    m_stbMain->setObjectName(u"stbMain"_s);
    m_stbMain->setSizeGripEnabled(false);
    m_stbPanel = new QLabel(m_stbMain);
    m_stbMain->addWidget(m_stbPanel, 1);

    connect(m_cmdPrev, &QPushButton::clicked, this, &fPrinter::cmdPrev_Click);
    connect(m_cmdNext, &QPushButton::clicked, this, &fPrinter::cmdNext_Click);
    connect(m_cmdZoom, &QPushButton::clicked, this, &fPrinter::cmdZoom_Click);
    connect(m_cmdPrint, &QPushButton::clicked, this, &fPrinter::cmdPrint_Click);
    connect(m_cmdOption, &QPushButton::clicked, this, &fPrinter::cmdOption_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &fPrinter::cmdExit_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &fPrinter::CmdHelp_Click);
    connect(m_chkLine, &QCheckBox::clicked, this, &fPrinter::ChkLine_Click);
    connect(m_hsX, &QScrollBar::valueChanged, this, &fPrinter::HsX_Change);
    connect(m_vsY, &QScrollBar::valueChanged, this, &fPrinter::vsY_Change);
}

QWidget* fPrinter::picPrinter() const
{
    return m_picPrinter;
}

bool fPrinter::FitMode() const
{
    return m_kept->FitMode;
}

PageSizeTwips fPrinter::PageSize() const
{
    return m_kept->PageSize;
}

QString fPrinter::StatusText() const
{
    return m_stbPanel->text();
}

void fPrinter::ShowForm()
{
    if (m_loaded && isVisible()) {
        raise();
        activateWindow();
        return;
    }
    Form_Load();
}

void fPrinter::Form_Load()
{
    show();
    {
        BuildingGuard busy(this, m_building);
        m_chkLine->setChecked(false);
        m_kept->PageSize = PageSizeFromPaper(ReadPrinterPaper(*m_printer));
        FillPrintGrid();
    }
    m_loaded = true;
    DrawPreviewPage(true);
}

void fPrinter::ReleasePages()
{
    m_shownPage = 0;
    m_plan = std::make_unique<PrintPlan>();
    m_currentPage = 0;
    m_picPrinter->update();
}

void fPrinter::FillPrintGrid()
{
    BuildingGuard busy(this, m_building);
    m_gridLines = m_chkLine->isChecked();
    ReleasePages();
    m_stbPanel->setText(u"正在加载....."_s);

    BetNumberFormat format;
    if (const std::shared_ptr<CLottorData> game = m_app.CurLottorData) {
        const CLottorHead& head = game->HeadData;
        format = {head.BcMain, head.MrMain, head.BcNumMaxLen, head.MrNumMaxLen};
        m_texts.Title = PrintTitleText(head.LottorName);
    } else {
        m_texts.Title = PrintTitleText(QString());
    }
    m_texts.Date = PrintDateText(AppTitle(), QDate::currentDate());
    QPointer<fPrinter> self(this);
    auto plan = std::make_unique<PrintPlan>(
        BuildPrintPlan(m_app.Document.Bets(), format, [] { QCoreApplication::processEvents(); }));
    if (!self)
        return;
    m_plan = std::move(plan);
    m_currentPage = m_plan->PageCount() >= 1 ? 1 : 0;
}

void fPrinter::DrawPreviewPage(bool redraw)
{
    m_picPrinter->hide();
    const int statusHeight = m_stbMain->sizeHint().height();
    m_stbMain->setGeometry(0, height() - statusHeight, width(), statusHeight);
    const int viewTop = TwipsToScreenPixels(kViewTop, this);
    const int viewHeight = std::max(0, height() - viewTop - statusHeight);
    m_picMain->setGeometry(0, viewTop, width(), viewHeight);

    const int barExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_hsX);
    const double barTwips = ScreenPixelsToTwips(barExtent, this);
    const std::optional<PreviewLayout> layout =
        LayOutPreview(m_kept->FitMode, PageSize(), ScreenPixelsToTwips(width(), this),
                      ScreenPixelsToTwips(viewHeight, this), barTwips, barTwips);
    if (!layout) {
        m_picPrinter->show();
        return;
    }
    m_layout = *layout;
    m_hsX->setVisible(m_layout.ScrollBars);
    m_vsY->setVisible(m_layout.ScrollBars);
    m_lblPic->setVisible(m_layout.ScrollBars);
    if (m_layout.ScrollBars) {
        SetTwipsGeometry(m_hsX, ToTwipsRect(m_layout.Horizontal.Place));
        SetTwipsGeometry(m_vsY, ToTwipsRect(m_layout.Vertical.Place));
        SetTwipsGeometry(m_lblPic, ToTwipsRect(m_layout.Corner));
        for (auto [bar, scroll] :
             {std::pair{m_hsX, &m_layout.Horizontal}, std::pair{m_vsY, &m_layout.Vertical}}) {
            const QSignalBlocker block(bar);
            bar->setRange(0, scroll->Maximum);
            bar->setSingleStep(scroll->SmallStep);
            bar->setPageStep(scroll->LargeStep);
            bar->setValue(scroll->Value);
        }
    }
    PlaceFrame();
    if (redraw && PageCount() >= 1) {
        m_shownPage = m_currentPage;
        m_picPrinter->update();
    }
    ShowPageLine();
    m_picPrinter->show();
}

void fPrinter::PlaceFrame()
{
    SetTwipsGeometry(m_picPrinter, ToTwipsRect(m_layout.Frame));
    const TwipsRect& b = m_layout.ShadowBottom;
    const TwipsRect& r = m_layout.ShadowRight;
    const int line = TwipsToScreenPixels(15, this) > 0 ? 15 : 1;
    SetTwipsGeometry(m_lineX, QRect(Round(b.Left), Round(b.Top), Round(b.Width - b.Left), line));
    SetTwipsGeometry(m_lineY, QRect(Round(r.Left), Round(r.Top), line, Round(r.Height - r.Top)));
    // The shadows end where the view does, short of its scroll bars.
    if (m_layout.ScrollBars) {
        const QRect view(0, 0, m_vsY->x(), m_hsX->y());
        m_lineX->setGeometry(m_lineX->geometry() & view);
        m_lineY->setGeometry(m_lineY->geometry() & view);
    }
    m_lineX->raise();
    m_lineY->raise();
    m_hsX->raise();
    m_vsY->raise();
    m_lblPic->raise();
}

void fPrinter::HsX_Change(int value)
{
    m_layout.Frame.Left = FrameLeftForScroll(m_layout.MarginX, value);
    PlaceShadows(m_layout);
    PlaceFrame();
}

void fPrinter::vsY_Change(int value)
{
    m_layout.Frame.Top = FrameTopForScroll(m_layout.MarginY, value);
    PlaceShadows(m_layout);
    PlaceFrame();
}

void fPrinter::ShowPageLine()
{
    m_stbPanel->setText(PrintPageLine(m_currentPage, PageCount()));
}

void fPrinter::GoToPage(const PageStep& step)
{
    if (step.Page == m_currentPage)
        return;
    m_currentPage = step.Page;
    if (!step.Message.isEmpty())
        MsgBox(this, QMessageBox::Information, u"操作提示"_s, step.Message);
    DrawPreviewPage(true);
}

void fPrinter::cmdPrev_Click()
{
    GoToPage(PrevPrintPage(m_currentPage, PageCount()));
}

void fPrinter::cmdNext_Click()
{
    GoToPage(NextPrintPage(m_currentPage, PageCount()));
}

void fPrinter::cmdZoom_Click()
{
    m_kept->FitMode = !m_kept->FitMode;
    DrawPreviewPage(true);
}

void fPrinter::cmdPrint_Click()
{
    // Each print starts from a fresh printer: one that failed to start
    // would keep the printer set up here from taking another choice.
    const std::unique_ptr<QPrinter> printer = FreshPrinter(*m_printer);
    QString error;
    if (!PrintPlanPages(*printer, *m_plan, PageSize(), m_texts, m_gridLines, &error))
        MsgBox(this, QMessageBox::Information, u"系统提示"_s, error);
}

void fPrinter::cmdOption_Click()
{
    QPrintDialog dialog(m_printer.get(), this);
    if (ExecModal(dialog) != QDialog::Accepted)
        return;
    if (const std::optional<PrinterPaper> paper = ReadPrinterPaper(*m_printer))
        m_kept->PageSize = PageSizeFromPaper(paper);
}

void fPrinter::cmdExit_Click()
{
    close();
}

void fPrinter::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + u".htm"_s);
}

void fPrinter::ChkLine_Click()
{
    FillPrintGrid();
    DrawPreviewPage(true);
}

void fPrinter::closeEvent(QCloseEvent* event)
{
    if (m_building) {
        event->ignore();
        return;
    }
    ReleasePages();
    m_loaded = false;
    event->accept();
}

void fPrinter::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    DrawPreviewPage(false);
}

void ShowPrinterWindow(AppState& app, QWidget* owner, const std::shared_ptr<PrinterKeptState>& kept)
{
    fPrinter* form = owner ? owner->findChild<fPrinter*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!form)
        form = new fPrinter(app, owner, kept);
    form->ShowForm();
}

void InstallPrinterWindow(ShellWindows& windows, AppState& app)
{
    windows.PrintPreview = [&app, kept = std::make_shared<PrinterKeptState>()](QWidget* owner) {
        ShowPrinterWindow(app, owner, kept);
    };
}

} // namespace kelton
