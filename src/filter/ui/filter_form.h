#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QPoint>
#include <QPointer>
#include <QString>

#include "filter/bet_commands.h"
#include "filter/filter_form_rules.h"
#include "filter/filter_layout.h"
#include "filter/ui/filter_controls.h"
#include "host/ui/child_form.h"
#include "host/ui/main_commands.h"
#include "host/ui/shell_windows.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace kelton {

struct AppState;
class CLottorData;
class CStat;
struct RemovalOutcome;
class SchemePanel;

// Where the filter window finds the main window's side panel of the scheme
// checks: the panel fills it when the main window docks it.
using SchemePanelLink = std::shared_ptr<const QPointer<SchemePanel>>;

// The filter window "缩水过滤": one instance for the program, a child window
// of the main window made on first use, which only hides when it is closed
// (it is destroyed only while FormsClosing is set). Three framed panels side
// by side:
// - "投注设置": the target issue, the digit grids with their presets, the
//   five bet types and the make-bets button "投注 >>";
// - "过滤设置": the conditions of one data view at a time (one row per
//   indicator and main position under a tab strip whose first tab holds
//   the other filters), the view's and the total tolerance;
// - "投注结果": the live bets in a grid with the undo, redo and compact
//   toolbar, the count line, and the filter-run and print buttons.
//
// The window shows what lives in the game document (data/game_document.h):
// the marks, the conditions, the bet list, the offered bet type and the
// target issue. It writes them through the document and repaints on its
// signals, whoever made the change. It is built from the game that is current
// when it is first shown (Form_Load) and serves games of at most three main
// positions; ShowForm refuses others with a message.
//
// Code that sets one of its lists, tabs or options runs that control's
// Click handler, as a user's click does; the busy flag (IsBusy) keeps the
// handlers that must not react to code quiet meanwhile. The handlers are
// the window's own: others (and tests) reach its controls through
// Controls() and drive them as a user does.
class fFilter : public CChildForm, public IFilterForm {
    Q_OBJECT

public:
    // The window serves app's current game, shares it through app's game
    // document and opens the views of app's analysis windows. `app` and
    // `windows`, the program's registry of windows (the extreme ranges, the
    // print preview, the batch replacement), outlive the window.
    fFilter(AppState& app, const ShellWindows& windows, SchemePanelLink sidePanel = {},
            QWidget* parent = nullptr);
    ~fFilter() override;

    // --- Child-window protocol --------------------------------------------
    // Builds the window on its first showing (nothing, after a message, for
    // a game with more than three main positions), then shows it.
    void ShowForm() override;
    // Builds the window from the current game, opens the first data view's
    // conditions and lays the window out.
    void Form_Load();
    // True once Form_Load has built the window.
    bool Loaded() const { return m_loaded; }
    bool IsBusy() const { return m_isBusy; }

    // --- Repaints on the game document's signals ---------------------------
    // Refills the target-issue list from the current lottery's issues (last
    // item "下期", selected) after the statistics were rebuilt.
    void RefreshForm();
    // Repaints the cell of value sBall in the digit grid of position sPos
    // from the current lottery's chooser flag.
    void RefreshBall(int16_t sPos, int16_t sBall);
    // Refills the condition panel from the data of the selected tab, while
    // the window is loaded (also while it is only hidden).
    void RefreshFilter();
    // The count line and the undo and redo buttons from the bet list, then
    // the result grid (ShowPage); after the bets changed.
    void ShowResultCount();
    // Refills the result grid with the live bets.
    void ShowPage();

    // --- Operations other windows call ------------------------------------
    // Filter schemes (filter_form_scheme.cpp). Both push the other-filter
    // panel first and build the window (without showing it) when it was
    // not built yet. A file that cannot be read or written is reported
    // ("操作错误"); a written file is replaced whole or not at all.
    void OpenChinIn() override;
    void SaveChinIn() override;
    // The scheme text of the current setting (lines joined by CR LF).
    QString ChinInToSetStr() const;
    // Applies a scheme text: closes the other-filter panel, then replaces
    // the whole setting and refreshes every window showing conditions.
    // False, with the setting unchanged, for a text that is no scheme.
    bool StrToSetChinIn(const QString& sStr, QString* oRefusal = nullptr);
    void AddFilter() override;
    void ViewFilterSel() override;
    void DelResultSel() override;
    void DelResultAll() override;
    void CopyResultAll() override;
    void tbrResult_ButtonClick(const QString& sKey) override;

    // Code's way to select: runs the control's Click as a user's click does.
    void SelectTab(int tabPosition);
    void SelectTargetIssue(int index);
    void SelectBetType(int index);

    // Opens page 0 (match), 1 (history) or 2 (generating/restraining) of
    // the main window's other-filter panel, after the open page was stored.
    void ShowOtherFilterPage(int page);

    // --- Controls ---------------------------------------------------------
    // The window's controls as they stand (the condition rows once built).
    const FilterControls& Controls() const { return m_ui; }
    // The selected tab, counted from 1.
    int SelectedTab() const;
    int ConditionRows() const { return static_cast<int>(m_ui.chkFilter.size()); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // --- Handlers ---------------------------------------------------------
    void Form_Resize();
    void picSet_Resize();
    void picResult_Resize();
    void picChipIn_Resize();
    void picChipIn1_Resize();
    void vslChipIn_Change();
    void tspChipIn_Click();
    void LblFilter_Click(int index);
    void cboNumName_Click();
    void CboBc_Click(int index);
    void optSel_Click(int index);
    void msgBc_Click(int index);
    void cmdSingle_Click();
    void msgResult_MouseUp(Qt::MouseButton button, QPoint pos);
    // The check of the scheme against the drawn issue chosen as the target
    // (no tolerance applied), reported in the main window's side panel.
    void VerifyScheme();
    // Opens the extreme-range window.
    void cmdChipInNearLay_Click();
    // The set-up buttons of the other filters' page (ShowOtherFilterPage).
    void cmdMatch_Click();
    void cmdHistory_Click();
    void cmdGather_Click();
    // The filter run and the print window.
    void cmdGetFilter_Click();
    void cmdPrintFilter_Click();
    // The tolerance boxes show the stored sets.
    void TxtErr_Change();
    void TxtOtherErr_Change();
    // The condition panel's switches and value boxes (stored at once).
    void chkFilter_Click(int index);
    void chkFilter2_Click(int index);
    void chkFilterErr_Click();
    void ChkErr_Click();
    void chkOtherErr_Click();
    void chkOther_Click(int index);    // match, history, gather
    void chkOtherErr_Click(int index); // their tolerance boxes
    void cmdSelAll_Click();
    void cmdSelErr_Click();
    void cmdSelAllOther_Click();
    void cmdSelErrOther_Click();
    void TxtFilter_Click(int index);
    void TxtFilter_Change(int index);
    void TxtFilterErr_Click();
    void TxtErr_Click();
    void TxtOtherErr_Click();
    // A click on a value box: its row, or -1 for a tolerance box.
    void ValueBox_Click(QLineEdit* box, int row);

    void SelectPreset(int grid, int preset);

    // Construction of the design (filter_form.cpp) and of the game's parts
    // (BuildFilterWindow).
    void MakeSetPanel();
    void MakeChipPanel();
    // The header of a condition page: "选中", a tolerance switch with its
    // value box, "容错", over an etched line.
    struct PageHeaderNames {
        QString Box, SelAll, ErrSwitch, SwitchCaption, ErrValues, SelErr;
    };
    // Where a header's controls go in the controls set.
    struct PageHeader {
        QWidget*& Box;
        QPushButton*& SelAll;
        QCheckBox*& ErrSwitch;
        QLineEdit*& ErrValues;
        QPushButton*& SelErr;
    };
    void MakePageHeader(PageHeader header, const PageHeaderNames& names, const TwipsBox& switchBox,
                        const QString& example);
    void MakeOtherPage();
    // A row of the other filters' page, 0 match, 1 history, 2
    // generating/restraining: its switch, set-up button and tolerance switch.
    struct OtherRow {
        QCheckBox*& Switch;
        QPushButton*& SetUp;
        QCheckBox*& ErrSwitch;
    };
    OtherRow OtherFilterRow(size_t index);
    void MakeResultPanel();
    void BuildFilterWindow();
    void BuildDigitGrid(int16_t index, const CLottorData& game);
    void BuildConditionRow(int16_t index);
    void BuildResultHeader(const CLottorData& game);
    void ConnectControls();
    void SubscribeToDocument();
    void Place(QWidget* widget, const TwipsBox& box) const;
    QFrame* MakeEtchedLine(QWidget* parent, const QString& name);
    void PlaceEtchedLine(QFrame* line, int16_t left, int16_t y, int16_t right) const;
    // The window's outer size in twips, as the layout counts it.
    int32_t OuterWidthTwips() const;
    int32_t OuterHeightTwips() const;

    // Builds the window from the current game unless it is built; false
    // (after a message) for a game it cannot serve.
    bool EnsureLoaded();
    // The main window's other-filter panel: pushes its open pages into the
    // game's item lists / does so and closes the panel.
    static void UpDateOtherFilter();
    static void CmdOtherFilterClose();

    // Bet settings (filter_form_set.cpp).
    void ShowDigitGrids(bool direct);
    void PaintDigitCell(int16_t grid, int16_t value, const CLottorData& game);

    // Conditions (filter_form_chip.cpp).
    void ShowOtherPage(bool other);
    CStat* ShownView() const;

    // Results (filter_form_result.cpp).
    void MakeResultShortcuts();
    // The text of a result cell, read from the bet its row shows.
    QString ResultCellText(int row, int col) const;
    void ReportStepRefusal(const RemovalOutcome& outcome);
    static StopQuestion AskToStop(QWidget* owner);
    void SwitchColumn(const std::vector<QCheckBox*>& boxes, const std::function<void(int)>& click,
                      QWidget* header);
    // The popup's entries that act on the current bet, enabled for it.
    void EnableBetRowEntries();
    void RunPopupEntry(MainCommand command);
    std::shared_ptr<CLottorData> Game() const;
    // The settings check before a run: true when it passes; its findings go
    // to the side panel, which it hides when there are none.
    bool CheckFilterSettings();
    // The docked side panel of the checks; nullptr while none is docked.
    SchemePanel* SidePanel() const;

    AppState& m_app;
    SchemePanelLink m_sidePanel;
    bool m_loaded = false;
    const ShellWindows& m_windows;
    bool m_isBusy = false;
    int16_t m_bcMain = 0;
    int16_t m_mrMain = 0;
    int16_t m_bcWidth = 0; // digits of a main number, of a secondary one
    int16_t m_mrWidth = 0;

    // The layout's sizes in twips, as the handlers left them.
    int16_t m_panelHeight = FilterDesign::kPanelHeight;
    int16_t m_resultWidth = FilterDesign::FraResult.Width;
    int16_t m_resultPanelWidth = FilterDesign::FraResult.Width - 80;
    std::array<int16_t, kBetTypeCount> m_optTop{};
    int16_t m_innerHeight = FilterDesign::picChipIn1.Height;
    int16_t m_gridWidth = FilterDesign::msgResult.Width;
    int16_t m_gridHeight = FilterDesign::msgResult.Height;

    // The controls others reach through Controls(); the parts below are the
    // window's own (captions, lines, the bet types' button group, the rows'
    // clipping area).
    FilterControls m_ui;

    // Bet settings.
    QLabel* m_lblNumName = nullptr;
    QButtonGroup* m_optGroup = nullptr;
    QFrame* m_lineSet1 = nullptr;
    QFrame* m_lineSet3 = nullptr;
    QFrame* m_lineSet7 = nullptr;

    // Conditions.
    QFrame* m_tabBody = nullptr;
    QScrollArea* m_rowsArea = nullptr; // clips the rows below the header
    bool m_scrollingRows = false;      // the bar moves the area
    QLabel* m_lblOtherMsg = nullptr;

    // Results.
    QFrame* m_lineResult3 = nullptr;
    QFrame* m_lineResult1 = nullptr;
};

} // namespace kelton
