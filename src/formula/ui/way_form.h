#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include <QIcon>
#include <QString>

#include "formula/way.h"
#include "formula/way_run.h"
#include "host/ui/child_form.h"

class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace kelton {

struct AppState;

class CLottorData;
class CMsg;
class IWayHistory;
class QvxChart;
struct WayHelp;
struct WayLayout;

// The formula window "选号杀号公式工具": the current game's formulas as a tree
// of groups and formulas, an editor of the selected formula's selection
// formula (tab "选值") and consult formula (tab "参照", with the consult
// list), live help on what the caret stands in, the run of a formula over
// the last periods with its hit chart, and the import and export of one
// group as a formula file.
//
// Everything typed is stored in the game definition at once. One instance
// serves the game; closing it only hides it, and it is unloaded with the
// other child windows (game change, exit), after which the next ShowForm
// makes it anew over the then current game.
class FWay : public CChildForm {
    Q_OBJECT

public:
    // The formulas of app's current game; app outlives the window.
    explicit FWay(const AppState& app, QWidget* parent = nullptr);
    ~FWay() override;

    // Refills the period list from the draw count: the entry chosen before
    // stays chosen while it exists, otherwise the last one is chosen.
    void RefreshForm();

    // The controls.
    QvxChart* chMain() const { return m_chMain; }
    QWidget* PicReSize() const { return m_picReSize; }
    QTreeWidget* TreWay() const { return m_treWay; }
    QTabBar* TabWay() const { return m_tabWay; }
    QLabel* picWayMsg() const { return m_picWayMsg; }
    QComboBox* cboConsult() const { return m_cboConsult; }
    QPlainTextEdit* txtWay() const { return m_txtWay; }
    QPushButton* CmdWayAdd() const { return m_cmdWayAdd; }
    QPushButton* cmdGroupAdd() const { return m_cmdGroupAdd; }
    QPushButton* cmdChangName() const { return m_cmdChangName; }
    QPushButton* cmdDel() const { return m_cmdDel; }
    QPushButton* cmdOpen() const { return m_cmdOpen; }
    QPushButton* cmdSave() const { return m_cmdSave; }
    QPushButton* cmdView() const { return m_cmdView; }
    QComboBox* cboCount() const { return m_cboCount; }
    QPlainTextEdit* TxtMsg() const { return m_txtMsg; }

    bool IsBusy() const { return m_isBusy; }
    // The texts of the last run; empty after a run that showed no results.
    const WayResults& mWayResult() const { return m_wayResult; }
    // The tab shown, 1 or 2.
    int CurrentTab() const;

    // The user's commands, as the buttons, the tree and the lists run them.
    void CmdWayAdd_Click();
    void cmdGroupAdd_Click();
    // Starts editing the selected node's name in the tree.
    void cmdChangName_Click();
    void cmdDel_Click();
    void cmdOpen_Click();
    void cmdSave_Click();
    void cmdView_Click() { RunWay(); }
    // A click on a node: a group opens or closes; then the editor is filled
    // and the formula run.
    void TreWay_NodeClick(QTreeWidgetItem* node);
    // The end of a name edit with a new text; false cancels it (the node
    // keeps its name).
    bool TreWay_AfterLabelEdit(QTreeWidgetItem* node, const QString& newText);
    // A choice in the consult list by the user.
    void cboConsult_Click(int index);
    // A change of the editor's text: stored, then the help follows the caret.
    void txtWay_Change();
    // Fills the editor for the selected node and tab.
    void RefreshWayEditor();
    // Runs the selected formula over the chosen number of periods. A run
    // that lasts longer than a moment shows the progress bar, whose click
    // cancels it and leaves the results of the run before; meanwhile the
    // window stays usable but for the commands that change the tree, and a
    // further run (a node clicked or reached by the arrow keys, the run
    // button) cancels it and takes its place.
    void RunWay();
    // How long a run goes before it shows the progress bar.
    static constexpr int kProgressDelayMs = 250;
    // Another delay, for tests (0: every run shows the bar).
    void SetProgressDelay(int ms) { m_progressDelayMs = ms; }

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const AppState& m_app;
    enum class Icon { Closed, Opened, File };

    // IsBusy for the life of the guard; the value before comes back after.
    class BusyGuard {
    public:
        explicit BusyGuard(bool& flag) : m_flag(flag), m_before(flag) { m_flag = true; }
        ~BusyGuard() { m_flag = m_before; }
        BusyGuard(const BusyGuard&) = delete;
        BusyGuard& operator=(const BusyGuard&) = delete;

    private:
        bool& m_flag;
        bool m_before;
    };

    void BuildControls();
    void Form_Load();
    void LoadWayTree();
    void ApplyLayout();
    void SelectionMoved(QTreeWidgetItem* node);
    QTreeWidgetItem* AddGroupNode(const QString& name, int16_t tag);
    QTreeWidgetItem* AddFormulaNode(QTreeWidgetItem* group, const QString& name, int16_t tag);
    void SetIcon(QTreeWidgetItem* node, Icon icon);
    // The selected formula node's row; -1 for a group node or none.
    int16_t SelectedFormula() const;
    static bool IsGroupNode(const QTreeWidgetItem* node);
    static int16_t Tag(const QTreeWidgetItem* node);
    // RunWay; with keepTreeFocus the tree keeps the focus afterwards, else
    // the editor takes it.
    void RequestRun(bool keepTreeFocus);
    void RunOnce();
    // The run's evaluations, showing the bar once they last longer than
    // the progress delay.
    WayRun Evaluate(CMsg& msg, IWayHistory& history, const WayCheck& check);
    // While a run shows its bar: the window usable (the busy state disabled
    // it), the commands that change the tree and the period list not.
    void SetRunControls(bool running);
    void FocusAfterRun();
    void ShowWayHit(int16_t formula);
    void ClearChart();
    void ShowHelp(const WayHelp& help);
    void SetEditorText(const QString& text);
    void SelectInEditor(const QString& text, int32_t start, int32_t count);
    void FocusEditor();
    void Message(const QString& text, const QString& title = QString());
    std::shared_ptr<CLottorData> Game() const;
    QString FileFilter() const;

    bool m_isBusy = false;
    bool m_inLabelEdit = false;
    bool m_running = false;       // a run is on; a further request only asks for another
    bool m_runAgain = false;      // a run was asked for while one was on
    bool m_keepTreeFocus = false; // the run asked for last leaves the focus in the tree
    int m_progressDelayMs = kProgressDelayMs;
    CWay m_way;
    WayResults m_wayResult;
    std::map<Icon, QIcon> m_images;

    QvxChart* m_chMain = nullptr;
    QWidget* m_picReSize = nullptr;
    QLabel* m_lblWayName = nullptr;
    QTreeWidget* m_treWay = nullptr;
    QFrame* m_tabFrame = nullptr;
    QTabBar* m_tabWay = nullptr;
    QLabel* m_lblWayView = nullptr;
    QLabel* m_picWayMsg = nullptr;
    QComboBox* m_cboConsult = nullptr;
    QPlainTextEdit* m_txtWay = nullptr;
    QPushButton* m_cmdWayAdd = nullptr;
    QPushButton* m_cmdGroupAdd = nullptr;
    QPushButton* m_cmdChangName = nullptr;
    QPushButton* m_cmdDel = nullptr;
    QPushButton* m_cmdOpen = nullptr;
    QPushButton* m_cmdSave = nullptr;
    QPushButton* m_cmdView = nullptr;
    QLabel* m_lblStat = nullptr;
    QComboBox* m_cboCount = nullptr;
    QPlainTextEdit* m_txtMsg = nullptr;
};

struct ShellWindows;

// Installs the formula window in the main window's set: the window of the
// current game, made on the first call and made anew once it has been
// unloaded.
void InstallFormulaWindows(ShellWindows& windows, const AppState& app);

} // namespace kelton
