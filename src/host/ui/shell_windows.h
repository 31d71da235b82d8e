#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QString>

#include "core/child_forms.h"
#include "core/infer_form_factory.h"
#include "data/first_start.h"
#include "platform/ui/grid_cells.h"

class QWidget;

namespace kelton {

struct AppState;
class CLottoItem;
class IChildForm;
class MDIMain;
struct OtherFilterPickLists;

// The main window's docked other-filter panel.
class IOtherFilterPanel {
public:
    virtual ~IOtherFilterPanel() = default;
    virtual QWidget* PanelWidget() = 0;
    // Fills the panel's pick lists; called once at start-up.
    virtual void FillPickLists(const OtherFilterPickLists& lists) = 0;
    // Pushes the grid of every open page into the current game's item list
    // (match, history draw, generating/restraining, in that order).
    virtual void UpDateOtherFilter() {}
    // UpDateOtherFilter, then hides the pages and the panel.
    virtual void CmdOtherFilterClose_Click() {}
    // Fill a page from its item list and show it in the panel, as the
    // filter window's "设置" buttons and the side panel's links open them; a
    // panel without pages opens nothing.
    virtual void ShowMatch() {}
    virtual void ShowHistory() {}
    virtual void ShowGather() {}
};

// The operations of the filter window that the main window's commands call.
// The filter window's slot hands out an IChildForm; the window implements
// this interface too (class fFilter : public CChildForm, public IFilterForm).
class IFilterForm : public virtual IChildForm {
public:
    // Asks for a filter scheme file and loads it; reports the outcome itself.
    virtual void OpenChinIn() = 0;
    // Asks for a file name and saves the current filter scheme.
    virtual void SaveChinIn() = 0;
    // Lets the user enter one bet number and appends it as a live bet.
    virtual void AddFilter() = 0;
    // Opens the selected bet in the number dialog for editing.
    virtual void ViewFilterSel() = 0;
    // Marks the live bets of the selected result rows as removed at the
    // current step (undoable).
    virtual void DelResultSel() = 0;
    // Marks every live bet as removed at the current step (undoable).
    virtual void DelResultAll() = 0;
    // Puts the live bets on the clipboard, one bet per line.
    virtual void CopyResultAll() = 0;
    // The result toolbar's click handler, by button key; "Refresh" compacts
    // the live bets, renumbers them and resets the steps.
    virtual void tbrResult_ButtonClick(const QString& sKey) = 0;
};

// An analysis window whose main grid ("msgMain") can be copied to the
// clipboard; the analysis window implements it beside IInferForm.
class IGridCopySource {
public:
    virtual ~IGridCopySource() = default;
    // The main grid; nullptr when the window has none yet.
    virtual IGridCells* msgMain() = 0;
};

// The draw editor: one instance for the whole run, shown modally over the
// main window. It edits the current lottery's draws in its own grid and
// changes no stored draw itself.
class IDataSetForm {
public:
    virtual ~IDataSetForm() = default;
    // The key of the tab the editor opens with: "DownLoad" opens the
    // download tab, an empty key the first tab. The key stays set for later
    // shows.
    virtual void SetSelTsp(const QString& sKey) = 0;
    // Shows the editor modally over owner; returns when it has closed.
    virtual void ShowModal(QWidget* owner) = 0;
    // Read after the show: true when the user confirmed the edited list with
    // the update button.
    virtual bool IsChang() const = 0;
    // Read after the show: the whole edited draw list, one line per draw in
    // the game's default number format (issue, ":" and the numbers).
    virtual QString NumStr() const = 0;
};

// The windows of the rest of the program that the main window opens or
// docks; the application context (app_context.h) holds the program's set.
// Each window installs its entry before the main window starts; an
// entry left empty means that window is not part of the program, and the
// main window does without it (no game is chosen, no child window opens,
// no panel is docked, the command does nothing).
//
// The dialogs of the shell itself (options, upgrade, About box) and the
// online information are installed from the start; tests replace the whole
// set with their own.
struct ShellWindows {
    // The game chooser, modal over owner. True when the user chose a game;
    // the game list's SelectItem then names it.
    std::function<bool(QWidget* owner)> ChooseGame;
    // The single filter, extreme-range and formula windows, created on the
    // first call and made anew once the window has been unloaded for real
    // (FormOpen false). The filter window implements IFilterForm.
    std::function<IChildForm*()> FilterForm;
    std::function<IChildForm*()> FilterBoundForm;
    std::function<IChildForm*()> WayForm;
    // The docked panels: the scheme-check result panel and the other-filter
    // panel, created with the main window as parent.
    std::function<QWidget*(QWidget* parent)> SchemePanel;
    std::function<IOtherFilterPanel*(QWidget* parent)> OtherFilterPanel;
    // The online information applied at the end of the start-up.
    std::function<void(MDIMain& main)> DataSetOther;
    // Installs the sample game into a program folder that has no games yet,
    // or completes a first start that was cut short or could not install it;
    // when it did, the settings are then written at once, and when it could
    // not, the user is told why.
    std::function<SeedOutcome(AppState& app)> SeedFirstStart;

    // The analysis windows of a loaded game, one per data view; a factory
    // put in force as a service (tests) takes precedence.
    std::shared_ptr<IInferFormFactory> InferForms;

    // The draw editor, created on the first call.
    std::function<IDataSetForm*()> DataSetForm;
    // The current game's options dialog, modal over owner.
    std::function<void(QWidget* owner)> LottoOption;
    // The bet-transfer dialog, modal over owner: sShowTag 1 saves the live
    // bets, 2 loads a bet file, 3 exports the draw history.
    std::function<void(QWidget* owner, int16_t sShowTag)> DataInOut;
    // The prize query of the live bets against a draw, modal over owner.
    std::function<void(QWidget* owner)> HitQuery;
    // The print preview of the live bets, not modal, owned by owner.
    std::function<void(QWidget* owner)> PrintPreview;
    // The batch replacement of secondary numbers in the bets, modal.
    std::function<void(QWidget* owner)> MrReplace;

    // The shell's own dialogs, modal over owner.
    std::function<void(QWidget* owner)> OptionDialog;
    std::function<void(QWidget* owner)> UpgradeDialog;
    std::function<void(QWidget* owner)> AboutBox;
};

// The set as the program starts with it: the shell's own dialogs over app
// (which outlives the set), the start-up online information and the
// first-start seeding; the windows of the other parts of the program
// install themselves into it. The shell provides it
// (src/shell/ui/shell_windows.cpp): the windows use the set, the main
// window fills it.
ShellWindows InitialShellWindows(AppState& app);

} // namespace kelton
