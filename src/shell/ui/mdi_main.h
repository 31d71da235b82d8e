#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "core/msg_service.h"
#include "host/ui/child_form.h"
#include "host/ui/main_commands.h"
#include "host/ui/window_host.h"
#include "platform/services.h"
#include "platform/ui/help_viewer.h"
#include "shell/lottor_loader.h"
#include "shell/notice_ticker.h"
#include "shell/ui/main_controls.h"
#include "shell/win_history.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QStatusBar;

namespace kelton {

class AppContext;
class CChildForm;
class CXpToolBar;
class IChildForm;
class IFilterForm;
class IOtherFilterPanel;

// The main window: the multiple-document frame that hosts the child
// windows, with the menu bar, the flat toolbar, the status bar, the
// progress bar of the progress service and the docked panels. Creating it
// and calling MDIForm_Load starts the program; closing it ends the program.
//
// It owns the progress service's state and is its display (busy state,
// status text, progress bar) and the window history's host while it exists.
class MDIMain : public QMainWindow, public IMsgDisplay, public IWinHistoryHost, public IWindowHost {
    Q_OBJECT

public:
    static constexpr int kViewCount = MainControls::kViewCount;
    // The zero-based toolbar index of the button that drops the data menu
    // down (the one button without a key; see main_toolbar.h).
    static constexpr int kDataButton = 6;

    // The window of the run whose state and windows `context` holds; the
    // context outlives it.
    explicit MDIMain(AppContext& context, QWidget* parent = nullptr);
    ~MDIMain() override;

    // The start-up sequence: application state, settings file, the window
    // itself, the game (chooser or last game), the online information and
    // "就绪".
    void MDIForm_Load();

    // Opens a game into a new lottery and makes it current, with its
    // analysis windows; false (nothing changed) when it cannot be opened.
    bool LoadLottor(const QString& sFile);
    // Switch the commands that need a loaded game on and off (each only as
    // far as UpdateCommands allows).
    void EnableLottoCommands();
    void DisableLottoCommands();
    // Enables exactly the commands that can do something: the window a
    // command opens or calls must be part of the program (its entry in
    // the context's registry installed; for the data menu the analysis window
    // of that view made), and a command of the game needs a loaded game. A
    // toolbar button follows its menu entry. Windows install themselves
    // before the main window starts; one installed later calls this.
    void UpdateCommands();

    // Releases the child windows and the current lottery and writes the
    // settings file.
    void MDIForm_Unload();

    // The program's life: the start-up, the event loop, and, when the loop
    // ends without the window having been closed (RequestTermination), the
    // shut-down of MDIForm_Unload. Returns the program's exit code. While it
    // runs, an exit() from inside (Qt's X11 connection ends the process so
    // when the display goes away) still writes the settings file.
    int Run();
    // Ends the program from outside (SIGTERM, SIGINT, SIGHUP), without asking: a
    // running operation is asked to stop as a click on the progress bar
    // does, open menus and modal dialogs are cancelled, and the event loop
    // ends; Run then shuts down as on exit, so that the settings are kept.
    void RequestTermination();

    // Unloads every child window; while FormsClosing is set they are
    // destroyed, otherwise only hidden.
    void UnloadChildForms();

    // --- Menus and toolbar -------------------------------------------
    // The entry of a command; a menu of the menu bar (its menuAction() is
    // its entry there) or a popup. Each entry runs its command when
    // triggered; the toolbar buttons trigger the entries of their commands.
    // Commands whose window is not part of the program stay disabled
    // (UpdateCommands), and do nothing.
    QAction* Entry(MainCommand command) const override;
    QMenu* Menu(MainMenu menu) const override;
    // The menu bar's entry of a menu (nullptr for a popup). The data menu's
    // own menuAction() is the toolbar button that drops it down.
    QAction* MenuBarEntry(MainMenu menu) const { return m_barEntries[static_cast<size_t>(menu)]; }
    // The window's controls (built at construction).
    const MainControls& Controls() const { return m_controls; }

    // The help topic of the user guide: the name of the active child window
    // followed by ".htm", "qy.htm" when no child window is active.
    QString HelpTopic() const;
    // The data file of the game loaded last ("" before the first).
    QString LottorPath() const { return m_lottorPath; }
    // The text of the status bar's first panel.
    QString StatusText() const;

    // --- Notice ticker ----------------------------------------------------
    // Every tick of tmrStatus reveals one more character of the notice on
    // show, then moves on to the next notice; a click on the notice panel
    // opens the notice's link.
    int NoticeIndex() const { return m_ticker.Index(); }
    QString NoticeText() const { return m_ticker.Text(); }
    int NoticeShown() const { return m_ticker.Shown(); }

    // --- Start-up online information -----------------------------------
    // Offers the upgrade when the server information offers a newer edition
    // with its list, otherwise opens one of its pages chosen at random; then
    // starts the ticker.
    void DataSetOther();

    // The active child window, nullptr when none.
    IChildForm* ActiveChild() const;
    // The docked panel of the other conditions, when its window is part of
    // the program.
    IOtherFilterPanel* PicOtherFilter() const override { return m_otherPanel; }
    // The loaded child windows; while FormsClosing is set the ones closed
    // are unloaded.
    ChildFormList& ChildForms() override { return m_childForms; }
    CWinHistory& WindowHistory() override { return m_winHistory; }

    // A long operation moves the bar and passes through the event loop at
    // every step, far more often than a screen can show: the bar is set and
    // repainted, and the event loop passed in full, at most once a frame
    // (kFrameMs), so that a click on the bar or a signal is still seen within
    // a frame. Between frames a step delivers only the calls queued to the
    // main window: asking Qt for every queued call costs a system call per
    // step as soon as any other event waits for the frame (a deferred
    // deletion always does before the event loop runs).
    static constexpr int kFrameMs = 16;
    // The frame's pass then delivers, in up to this many rounds, what it
    // posted to the window itself (layout and repaint requests), so that the
    // steps up to the next frame find nothing queued there.
    static constexpr int kSettleRounds = 3;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Activation: leaving, the window notes where the user is; coming back
    // (after a dialog, or another program), it returns there.
    void changeEvent(QEvent* event) override;
    // No menu of toolbars and panels on a right click: the system menu's
    // "显示工具栏" is the one switch of the toolbar.
    QMenu* createPopupMenu() override;

private:
    // --- Commands ---------------------------------------------------------
    // Each menu entry runs the handler of its name; the popups' entries too.
    void mnuSysDataLottor_Click();
    void mnuSysOption_Click();
    void mnuSysBar_Click();
    void mnuSysStatus_Click();
    void mnuSysDataEdit_Click();
    void mnuSysLottorOption_Click();
    void mnuOnlineDownLoadData_Click();
    void mnuOnlineUpgrade_Click();
    void mnuOnlineWWW_Click();
    void mnuOnlineService_Click();
    void mnuOnlineNew_Click();
    void ClickInferMenu(int index);
    void mnuDataRefresh_Click();
    void mnuChipInFilter_Click();
    void mnuChipInWay_Click();
    void mnuChipInGet_Click();
    void mnuChipInPut_Click();
    void mnuChipInOpen_Click();
    void mnuChipInSave_Click();
    void mnuChipInSaveData_Click();
    void mnuChipInQuery_Click();
    void mnuHelpGuide_Click();
    void mnuHelpAbout_Click();
    void mnuFilterCopy_Click();
    void mnuFilterView_Click();
    void mnuFilterAdd_Click();
    void mnuFilterReplace_Click();
    void mnuFilterDelect_Click();
    void mnuFilterDelectAll_Click();
    void mnuFilterSort_Click();
    void mnuListCopy_Click();
    // The toolbar dispatch: runs the command of the button with that key.
    void Tbr1_ButtonClick(const QString& sKey);

    // Window menu.
    void mnuWindowTileHorizontal_Click();
    void mmnWindowTileVertical_Click();
    void mnuWindowCascade_Click();
    void mnuWindowArrangeIcons_Click();
    void mnuWindowInfer_Click(int index);
    void mnuWindowFilter_Click();
    void mnuWindowFilterBound_Click();
    void mnuWindowWay_Click();

    // --- Status and progress ------------------------------------------
    // The progress bar was clicked.
    void Prg_Click();
    // A click on a status-bar panel, by the panel's key.
    void StbNews_PanelClick(const QString& sKey);
    void tmrStatus_Timer();
    // Runs the ticker when there are notices and the status bar is shown.
    void UpdateTicker();
    // The upgrade dialog when the server information offers a newer edition
    // with its list; otherwise ShowPage.
    void ShowNewEditionDownList();
    // Opens one of the server information's pages, chosen at random.
    void ShowPage();

    // IWindowHost. Puts what holds a child window into a frame of the work
    // area, the client area sized for the window's client size; returns the
    // frame.
    QMdiSubWindow* AddChildWindow(QWidget* holder, QSize client) override;
    // The Window-menu entry of a child window, and for an analysis window
    // its data-menu entry; nullptr when it has none.
    QAction* WindowEntry(const IChildForm& form) const override;
    QAction* DataEntry(const IChildForm& form) const override;
    QWidget* HostWidget() override { return this; }

    // IMsgDisplay
    void ShowStatusText(const QString& text) override;
    void ShowBusy(bool busy) override;
    void ShowProgress(int32_t max, int32_t min, int32_t value, bool canClick) override;
    void ShowProgressValue(int32_t value) override;
    void HideProgress() override;
    void PumpEvents() override;

    // IWinHistoryHost
    void EnablePrev(bool bEnabled) override;
    void EnableNext(bool bEnabled) override;
    bool ActiveChildCaption(QString* oCaption) const override;
    std::vector<IChildForm*> LoadedForms() const override;

    // The close request: refused while a progress operation runs (with a
    // stop request), otherwise confirmed by the user. True refuses.
    bool MDIForm_QueryUnload();

    // Notes the controls built by the constructor in m_controls.
    void FillControls();

    // Called on the way out of exit() while Run runs: what can be saved
    // without the window system.
    static void AtUnexpectedExit();
    static MDIMain* s_running;

    void BuildMenus();
    void BuildToolBar();
    void BuildStatusArea();
    void BuildPanels();
    void InitMainWindow();
    QAction* AddEntry(QMenu* menu, MainCommand command, const QString& sCaption,
                      const QKeySequence& shortcut = QKeySequence());
    // A separator line, with its control name.
    void AddSeparator(QMenu* menu, const char* name);
    // A popup shown by the child windows.
    QMenu* AddPopup(MainMenu which);
    void ShowFilterForm();
    void ConnectCommands();
    // The filter window, when it is part of the program (created on first
    // use); nullptr otherwise.
    IChildForm* FilterChild() const;
    IFilterForm* FilterForm() const;
    // The analysis windows of the current lottery: this window makes them,
    // one per view, through the installed IInferFormFactory (those an unload
    // has taken away are made anew), and releases them when the game goes.
    void MakeInferForms();
    void ReleaseInferForms();
    // Commits the edited draw list; a failure is reported to the user.
    void CommitDraws(const QString& sNumStr);
    void ReportError(const QString& sText);
    // Tells the user why the last LoadLottor could not open the game sName
    // (data file sFile); nothing when no loader tried.
    void ReportLoadFailure(const QString& sName, const QString& sFile);
    // Lays the shown, not minimised child windows out in rows (one above
    // the other) or in columns side by side.
    void TileChildren(bool bRows);
    // Moves and, where they are larger, shrinks the shown child windows into
    // the work area; the main window was made smaller.
    void KeepChildrenInside();
    // Takes from a child window's frame the keys of the menu entries.
    void YieldFrameKeys(QMdiSubWindow& sub) const;
    void SubWindowActivated(QMdiSubWindow* sub);
    // Where the user is: the active child window and the control with the
    // focus. Noted when the window stops being active or turns busy (which
    // takes the focus from the disabled windows); given back when it is
    // active and not busy again, unless that window or control has gone.
    // A child window that code brings forward meanwhile is the new place.
    void NoteUsersPlace();
    void ReturnToUsersPlace();
    void SyncActiveChild();
    QString Caption() const;

    AppContext& m_context;
    QMdiArea* m_mdi = nullptr;
    CXpToolBar* m_tbr1 = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_notice = nullptr;
    QTimer m_tmrStatus;
    NoticeTicker m_ticker;
    QString m_lottorPath;
    QProgressBar* m_prg = nullptr;
    QWidget* m_picWindow = nullptr;
    IOtherFilterPanel* m_otherPanel = nullptr;

    std::array<QAction*, kMainCommandCount> m_entries{};
    std::array<QMenu*, kMainMenuCount> m_menus{};
    std::array<QAction*, kMainMenuCount> m_barEntries{};
    QList<QAction*> m_topMenus; // the menu-bar entries the busy state disables
    std::array<QAction*, kViewCount> m_dataInfer{};
    std::array<QAction*, kViewCount> m_windowInfer{};

    LoadedLottor m_game;                      // what is shown of the current lottery
    std::optional<OpenFailure> m_loadFailure; // why the last LoadLottor failed
    QPointer<QWidget> m_activeChild;
    QPointer<QMdiSubWindow> m_usersChild; // where the user is (NoteUsersPlace)
    QPointer<QWidget> m_usersFocus;
    bool m_busy = false; // the busy state is shown
    bool m_activationPending = false;
    bool m_gameCommands = false; // the commands of a loaded game are on
    bool m_unloaded = false;
    bool m_terminate = false; // RequestTermination was called
    QElapsedTimer m_frame;    // since the last full pass; invalid: the next step is one
    int32_t m_prgValue = 0;   // the value the bar shows at the next frame
    MainControls m_controls;
    MsgState m_msgState;                                   // the progress service's state for the run
    ScopedService<MsgState> m_msgInForce{&m_msgState};     // what every CMsg acts on while this window lives
    std::unique_ptr<ScopedService<IMsgDisplay>> m_display; // this window as the progress display
    ChildFormList m_childForms;                            // the loaded child windows
    CWinHistory m_winHistory;                              // the Prev and Next buttons' history
    ScopedService<IWindowHost> m_host{this};               // this window as the windows' host
    HelpViewerOwner m_help;                                // the help window
    ScopedService<HelpViewerOwner> m_helpInForce{&m_help}; // shows the topics the windows ask for
    QList<QPointer<QObject>> m_inferWindows;               // the analysis windows made here
};

} // namespace kelton
