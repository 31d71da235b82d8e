#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QString>

#include "analysis/cycle_view.h"
#include "analysis/infer_layout.h"
#include "analysis/infer_views.h"
#include "analysis/relation_matrix.h"
#include "analysis/secondary_area.h"
#include "analysis/ui/infer_controls.h"
#include "host/ui/child_form.h"
#include "host/ui/shell_windows.h"

class QStringListModel;

namespace kelton {

class CFlexGrid;
class CMsg;
class CNumberTable;
class CStat;
class QvxChart;
struct AppState;

// The analysis window of one data view: caption = the view's name. It shows
// one view at a time in its grid (msgMain) or chart (chMain); the views are
// chosen by option buttons on the pages of the tab strip Tsp1, and the top
// bar (picTop) holds the options the shown view reads.
//
// The window reads the current game and the game document of app, the
// state it is made over (which outlives it).
//
// The window is made with the game, unloaded: it is built (Form_Load) the
// first time it is shown or asked for a view. Closing it only hides it.
//
// Every view is one handler, named after its option button
// (OptListAll_Click, OptList_Click(k), ...). A handler follows one protocol:
// return at once while IsBusy is held; otherwise hold a ViewRun for the
// build (IsBusy, and the main window's wait state for most views), call
// SetupTopBar with the view's kind, NameView with its caption, build, show
// the grid or the chart. RunView is the one place that maps a view to its
// handler; FindClick picks the view by its caption.
//
// The handlers are private: other windows reach the window through
// IInferForm, tests through the dispatch, the state below and the controls
// (Controls()), which they drive as a user does. What a view shows is
// computed by the model (src/analysis: the number tables, the combined
// tables, the cycle and relation grids, the charts); a handler reads the
// top bar, asks for the cells and lays them on its grid or chart.
class FInfer : public CChildForm, public IInferForm, public IGridCopySource {
    Q_OBJECT

public:
    FInfer(AppState& app, int16_t view, CStat& stat, QWidget* parent = nullptr);
    ~FInfer() override;

    // --- Child-window protocol and what other windows call -----------------
    void ShowForm() override;
    bool FormOpen() const override { return CChildForm::FormOpen(); }
    void ShowLay(const QString& sShowSet) override;
    IGridCells* msgMain() override;

    // --- Dispatch -------------------------------------------------------------
    // Opens the view CurrentViewName names: selects its tab and runs it.
    void FindClick();
    // Runs the handler of a view (the option's click).
    void RunView(const ViewId& id);
    // Re-runs the current view after a top-bar change (every top-bar
    // control's handler).
    void TopBarChanged();

    // --- State ----------------------------------------------------------------
    CStat& Stat() const { return m_stat; }
    bool Loaded() const { return m_loaded; }
    bool IsBusy() const { return m_isBusy; }
    QString CurrentViewName() const { return m_currentViewName; }
    void SetCurrentViewName(const QString& name) { m_currentViewName = name; }
    // The view a tab remembers (tabs counted from 1).
    QString TabViewName(int tab) const;
    // The selected tab, counted from 1.
    int SelectedTab() const;
    // The view the last FindClick ran.
    ViewId CurrentView() const { return m_currentView; }
    // How often each view handler has drawn (for tests and the status).
    int ViewRuns() const { return m_viewRuns; }
    const TopBarRange& Range() const { return m_range; }
    // Where the top-bar controls stand, in twips.
    const TopBarGeometry& TopBarPlaces() const { return m_topGeom; }
    // The number table on show (history or distribution), or nullptr.
    const CNumberTable* NumberTable() const { return m_table.get(); }

    // --- Controls -------------------------------------------------------------
    CFlexGrid* Grid() const { return m_ui.msgMain; }
    QvxChart* chMain() const { return m_ui.chMain; }
    const InferControls& Controls() const { return m_ui; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Repaints on the game document's signals: the period lists after the
    // statistics were rebuilt, the next-period cell of a mark, and the
    // condition box after a condition or the offered bet type changed.
    void RefreshForm();
    void RefreshBall(int16_t sPos, int16_t sBall);
    void RefreshFilter();
    // The busy state of one view build: IsBusy, and with bWait the main
    // window's wait state, both released on every way out.
    class ViewRun {
    public:
        ViewRun(FInfer& form, bool bWait);
        ~ViewRun();
        ViewRun(const ViewRun&) = delete;
        ViewRun& operator=(const ViewRun&) = delete;

    private:
        FInfer& m_form;
        CMsg* m_msg = nullptr;
    };
    // Records a view's caption as CurrentViewName and the selected tab's
    // view.
    void NameView(const QString& caption);

    void Form_Load();
    bool InitInferForm();
    void BuildControls();
    void BuildTopBar();
    void BuildPages();
    void FillPeriodLists(const std::vector<QString>& names);
    // Selects the default range and statistics period of the game's
    // default course (InferShowCourse), and notes the course.
    void SelectDefaultPeriods();
    void LayoutPage(int tab, int width);
    ViewCaptions Captions() const;
    void SelectTab(int tab);
    void Tsp1_Click();
    // Sets up the top bar for a view kind (0..8) and stores the range.
    void SetupTopBar(int kind);
    void Form_Resize();
    void HsbTsp_Change();
    void msgMain_MouseMove();
    void msgMain_MouseDown(Qt::MouseButton button);
    AreaNames Names() const;
    GameSizes Sizes() const;
    // The secondary numbers of the game's draws (the statistics view keeps
    // none).
    SecondaryDraws Secondary() const;

    // --- View handlers (infer_form_tables.cpp, _grids.cpp, _trends.cpp) -----
    void OptListAll_Click();
    void OptList_Click(int16_t index);
    void OptStat_Click(int16_t index);
    void OptStatAll_Click();
    void OptAll_Click();
    void OptFilter_Click(int16_t index);
    void OptCycle_Click();
    void OptGather_Click(int16_t index);
    void optFilterMiss_Click(int16_t index);
    void optFilterMiss2_Click(int16_t index);
    void BuildNumberTable(int16_t kind, const QString& caption);

    // --- The views' own controls (infer_form_marks.cpp, _trends.cpp, ...) ---
    // A double click on the next-period row toggles the number's mark.
    void msgMain_DblClick();
    // The cycle view: a click on a cell lists its cycles, a list choice
    // highlights one.
    void msgMain_Click();
    void LstCycle_Click();
    // The condition box of an indicator trend.
    void chkFilter_Click();
    void TxtFilter_Change();
    void TxtFilter_Click();
    // The kind lists of the miss views (0 cboPTFilter, 1 cboPTFilter2).
    void cboPTFilter_Click(int which);

    AppState& m_app;
    CStat& m_stat;
    int16_t m_view = 0;
    bool m_loaded = false;
    bool m_isBusy = false;
    QString m_currentViewName;
    ViewId m_currentView;
    std::array<QString, kTabCount + 1> m_tabViewName; // 1..8
    TopBarRange m_range;
    int16_t m_showCourse = -1; // the default course the period lists were last set from
    TopBarGeometry m_topGeom;
    int m_posPageWidth = 5700;
    int m_viewRuns = 0;
    std::unique_ptr<CNumberTable> m_table;

    // What the views keep between runs: the chart kinds of their first
    // charts, the counted relation matrix, the cycle view's click state.
    void ConnectViewControls();
    // The ticked display mode (OptPTKind), -1 when none is.
    int DisplayMode() const;
    // Empties the grid for a number grid of that size: two fixed rows (the
    // first merged), the label column fixed.
    void ResetNumberGrid(int rows, int cols);
    // Lets the number table on show go, after the grid has stopped reading
    // its texts from it.
    void DropNumberTable();
    int16_t ShownConditionKind() const;
    void ShowRelate(int16_t index);
    void ShowMiss(int16_t index, bool pair);
    void RemoveCycleHighlight();
    bool CycleViewShown() const;
    struct ViewMemory {
        int16_t RankChartKind = 0;
        int16_t TrendChartKind = 0;
        int16_t MissChartKind = 0;
        int16_t PairMissChartKind = 0;
        int16_t RelationChartKind = 0;
        RelationCache Relation;
        CycleHighlight Highlight;
        QString CycleRowTag;  // the clicked row
        QString CycleCellTag; // "block|digit"
        bool CycleNewestOnTop = false;
    } m_memory;

    InferControls m_ui;
    QStringListModel* m_periods = nullptr; // the items of the three period lists
    int m_tspHeight = 1575;
};

} // namespace kelton
