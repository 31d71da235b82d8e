#pragma once

// The print window "打印(适用A4纸)": the live bets laid out as pages (a
// PrintPlan, made when the window opens), one page at a time previewed at
// actual size with scroll bars or fitted to the view, paged forward and back
// with wrap-around, printed as one document and the printer set up. Pages
// are drawn from the plan whenever they are shown or printed.

#include <cstdint>
#include <memory>

#include <QWidget>

#include "results/print_plan.h"
#include "results/ui/print_page_painter.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollBar;
class QStatusBar;

namespace kelton {

struct AppState;
struct ShellWindows;

// What the print windows of a run keep across closing and opening: the zoom
// and the page size last read from the printer.
struct PrinterKeptState {
    bool FitMode = false;
    PageSizeTwips PageSize = kDefaultPrintPage;
};

class fPrinter : public QWidget {
    Q_OBJECT
public:
    // The pages are those of the bets and game of app. `kept` is shared by
    // the print windows of the run; without it the window keeps its own.
    explicit fPrinter(AppState& app, QWidget* owner = nullptr,
                      std::shared_ptr<PrinterKeptState> kept = nullptr);
    ~fPrinter() override;

    // Opens the window (builds its pages from the bet list as it is now); a
    // window already open only comes to the front, its pages stay.
    void ShowForm();

    // Reads the page size, builds the pages and draws the first one; the
    // window is disabled and busy meanwhile and refuses to close.
    void Form_Load();
    // Makes the pages anew from the bet list; the first page is current.
    void FillPrintGrid();
    // Lays out the view for the zoom in force; with redraw the current page
    // is drawn too. Ends with the page line in the status bar.
    void DrawPreviewPage(bool redraw);

    void cmdPrev_Click();
    void cmdNext_Click();
    void cmdZoom_Click();
    void cmdPrint_Click();
    void cmdOption_Click();
    void cmdExit_Click();
    void CmdHelp_Click();
    void ChkLine_Click();

    // ---- state, for the window's users and tests ------------------------
    const PrintPlan& Plan() const { return *m_plan; }
    int32_t PageCount() const { return m_plan->PageCount(); }
    int32_t CurrentPage() const { return m_currentPage; }
    bool FitMode() const;
    PageSizeTwips PageSize() const;
    bool IsBuilding() const { return m_building; }
    const PreviewLayout& Layout() const { return m_layout; }
    QString StatusText() const;
    // The texts every page carries (title and date line).
    const PrintPageTexts& Texts() const { return m_texts; }
    // The printer the window prints to and sets up.
    QPrinter& Printer() { return *m_printer; }

    QPushButton* cmdPrev() const { return m_cmdPrev; }
    QPushButton* cmdNext() const { return m_cmdNext; }
    QPushButton* cmdZoom() const { return m_cmdZoom; }
    QPushButton* cmdPrint() const { return m_cmdPrint; }
    QPushButton* cmdOption() const { return m_cmdOption; }
    QPushButton* cmdExit() const { return m_cmdExit; }
    QCheckBox* ChkLine() const { return m_chkLine; }
    QWidget* picPrinter() const;
    QScrollBar* HsX() const { return m_hsX; }
    QScrollBar* vsY() const { return m_vsY; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    AppState& m_app;
    std::shared_ptr<PrinterKeptState> m_kept;
    class PageFrame;
    void BuildControls();
    void PlaceFrame();
    // Shows the page a paging step lands on, with its wrap-around message.
    void GoToPage(const PageStep& step);
    void HsX_Change(int value);
    void vsY_Change(int value);
    void ShowPageLine();
    void ReleasePages();

    std::unique_ptr<PrintPlan> m_plan;
    std::unique_ptr<QPrinter> m_printer;
    int32_t m_currentPage = 0;
    int32_t m_shownPage = 0; // the page the frame draws; 0: none
    bool m_building = false;
    bool m_loaded = false;
    bool m_gridLines = false; // the pages were built with grid lines
    PreviewLayout m_layout;
    PrintPageTexts m_texts;

    QPushButton* m_cmdPrev = nullptr;
    QPushButton* m_cmdNext = nullptr;
    QPushButton* m_cmdZoom = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdOption = nullptr;
    QPushButton* m_cmdExit = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QCheckBox* m_chkLine = nullptr;
    QWidget* m_picMain = nullptr;
    PageFrame* m_picPrinter = nullptr;
    QScrollBar* m_hsX = nullptr;
    QScrollBar* m_vsY = nullptr;
    QLabel* m_lblPic = nullptr;
    QFrame* m_lineX = nullptr;
    QFrame* m_lineY = nullptr;
    QStatusBar* m_stbMain = nullptr;
    QLabel* m_stbPanel = nullptr;
};

// Opens the print window of owner (the filter window's print button), made
// on first use as owner's child over the bets of app; the windows share
// `kept`.
void ShowPrinterWindow(AppState& app, QWidget* owner, const std::shared_ptr<PrinterKeptState>& kept);

// Makes the print window, over the bets and game of app, part of the
// program.
void InstallPrinterWindow(ShellWindows& windows, AppState& app);

} // namespace kelton
