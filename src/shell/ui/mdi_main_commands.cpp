// The main window's commands: the menu entries, the entries of the two
// popups the child windows show, and the toolbar buttons that run them.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "core/infer_form_factory.h"
#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/draw_text.h"
#include "data/lottor_data.h"
#include "data/text_helpers.h"
#include "host/ui/app_context.h"
#include "host/ui/child_form.h"
#include "host/ui/main_toolbar.h"
#include "host/ui/shell_windows.h"
#include "host/ui/xp_toolbar.h"
#include "platform/help_pages.h"
#include "platform/services.h"
#include "platform/string_table.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "shell/ui/grid_copy.h"
#include "shell/ui/mdi_main.h"
#include "shell/ui/web_open.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// A command's needs: a loaded game, and the window it opens or calls (its
// entry in the registry of windows; none for the main window's own commands).
struct CommandNeeds {
    MainCommand Entry;
    bool Game;
    bool (*Installed)(const ShellWindows&);
};

template <auto Slot> bool Has(const ShellWindows& windows)
{
    return static_cast<bool>(windows.*Slot);
}

const CommandNeeds kCommandNeeds[] = {
    {MainCommand::SysDataLottor, false, Has<&ShellWindows::ChooseGame>},
    {MainCommand::SysOption, false, Has<&ShellWindows::OptionDialog>},
    {MainCommand::SysDataEdit, true, Has<&ShellWindows::DataSetForm>},
    {MainCommand::SysLottorOption, true, Has<&ShellWindows::LottoOption>},
    {MainCommand::OnlineDownLoadData, true, Has<&ShellWindows::DataSetForm>},
    {MainCommand::OnlineUpgrade, false, Has<&ShellWindows::UpgradeDialog>},
    {MainCommand::DataRefresh, true, nullptr},
    {MainCommand::ChipInFilter, true, Has<&ShellWindows::FilterForm>},
    {MainCommand::ChipInWay, true, Has<&ShellWindows::WayForm>},
    {MainCommand::ChipInGet, true, Has<&ShellWindows::FilterForm>},
    {MainCommand::ChipInPut, true, Has<&ShellWindows::FilterForm>},
    {MainCommand::ChipInOpen, true, Has<&ShellWindows::DataInOut>},
    {MainCommand::ChipInSave, true, Has<&ShellWindows::DataInOut>},
    {MainCommand::ChipInSaveData, true, Has<&ShellWindows::DataInOut>},
    {MainCommand::ChipInQuery, true, Has<&ShellWindows::HitQuery>},
    {MainCommand::HelpAbout, false, Has<&ShellWindows::AboutBox>},
    // The filter window's popup.
    {MainCommand::FilterOpen, false, Has<&ShellWindows::DataInOut>},
    {MainCommand::FilterSave, false, Has<&ShellWindows::DataInOut>},
    {MainCommand::FilterCopy, false, Has<&ShellWindows::FilterForm>},
    {MainCommand::FilterView, false, Has<&ShellWindows::FilterForm>},
    {MainCommand::FilterAdd, false, Has<&ShellWindows::FilterForm>},
    {MainCommand::FilterReplace, false, Has<&ShellWindows::MrReplace>},
    {MainCommand::FilterDelect, false, Has<&ShellWindows::FilterForm>},
    {MainCommand::FilterDelectAll, false, Has<&ShellWindows::FilterForm>},
    {MainCommand::FilterSort, false, Has<&ShellWindows::FilterForm>},
};

} // namespace

void MDIMain::ConnectCommands()
{
    const auto on = [this](MainCommand command, void (MDIMain::*handler)()) {
        connect(Entry(command), &QAction::triggered, this, handler);
    };
    // Entries that carry a tick: the handler decides the tick, so the one
    // the menu has just flipped is put back first.
    const auto onTicked = [this](QAction* entry, std::function<void()> handler) {
        connect(entry, &QAction::triggered, this, [entry, handler](bool checked) {
            entry->setChecked(!checked);
            handler();
        });
    };

    on(MainCommand::SysDataLottor, &MDIMain::mnuSysDataLottor_Click);
    on(MainCommand::SysOption, &MDIMain::mnuSysOption_Click);
    onTicked(Entry(MainCommand::SysBar), [this] { mnuSysBar_Click(); });
    onTicked(Entry(MainCommand::SysStatus), [this] { mnuSysStatus_Click(); });
    on(MainCommand::SysDataEdit, &MDIMain::mnuSysDataEdit_Click);
    on(MainCommand::SysLottorOption, &MDIMain::mnuSysLottorOption_Click);
    on(MainCommand::OnlineDownLoadData, &MDIMain::mnuOnlineDownLoadData_Click);
    on(MainCommand::OnlineUpgrade, &MDIMain::mnuOnlineUpgrade_Click);
    on(MainCommand::OnlineWWW, &MDIMain::mnuOnlineWWW_Click);
    on(MainCommand::OnlineService, &MDIMain::mnuOnlineService_Click);
    on(MainCommand::OnlineNew, &MDIMain::mnuOnlineNew_Click);
    for (int i = 0; i < kViewCount; ++i)
        onTicked(m_dataInfer[i], [this, i] { ClickInferMenu(i); });
    on(MainCommand::DataRefresh, &MDIMain::mnuDataRefresh_Click);
    on(MainCommand::ChipInFilter, &MDIMain::mnuChipInFilter_Click);
    on(MainCommand::ChipInWay, &MDIMain::mnuChipInWay_Click);
    on(MainCommand::ChipInGet, &MDIMain::mnuChipInGet_Click);
    on(MainCommand::ChipInPut, &MDIMain::mnuChipInPut_Click);
    on(MainCommand::ChipInOpen, &MDIMain::mnuChipInOpen_Click);
    on(MainCommand::ChipInSave, &MDIMain::mnuChipInSave_Click);
    on(MainCommand::ChipInSaveData, &MDIMain::mnuChipInSaveData_Click);
    on(MainCommand::ChipInQuery, &MDIMain::mnuChipInQuery_Click);
    on(MainCommand::HelpGuide, &MDIMain::mnuHelpGuide_Click);
    on(MainCommand::HelpOnline, &MDIMain::mnuOnlineWWW_Click);
    on(MainCommand::HelpAbout, &MDIMain::mnuHelpAbout_Click);
    on(MainCommand::FilterOpen, &MDIMain::mnuChipInOpen_Click);
    on(MainCommand::FilterSave, &MDIMain::mnuChipInSave_Click);
    on(MainCommand::FilterCopy, &MDIMain::mnuFilterCopy_Click);
    on(MainCommand::FilterView, &MDIMain::mnuFilterView_Click);
    on(MainCommand::FilterAdd, &MDIMain::mnuFilterAdd_Click);
    on(MainCommand::FilterReplace, &MDIMain::mnuFilterReplace_Click);
    on(MainCommand::FilterDelect, &MDIMain::mnuFilterDelect_Click);
    on(MainCommand::FilterDelectAll, &MDIMain::mnuFilterDelectAll_Click);
    on(MainCommand::FilterSort, &MDIMain::mnuFilterSort_Click);
    on(MainCommand::ListCopy, &MDIMain::mnuListCopy_Click);
}

void MDIMain::UpdateCommands()
{
    const ShellWindows& windows = m_context.Windows;
    for (const CommandNeeds& command : kCommandNeeds) {
        const bool ready =
            (m_gameCommands || !command.Game) && (!command.Installed || command.Installed(windows));
        Entry(command.Entry)->setEnabled(ready);
    }
    const AppState& app = m_context.State;
    for (int i = 0; i < kViewCount; ++i)
        m_dataInfer[i]->setEnabled(m_gameCommands && app.InferForms[static_cast<size_t>(i)]);
    for (const MainToolbarItem& item : kMainToolbar) {
        if (item.Kind == MainToolbarItem::Role::Command)
            m_tbr1->ButtonByKey(QLatin1String(item.Key))->setEnabled(Entry(item.Command)->isEnabled());
    }
    // The data button drops its menu down whenever a game is loaded.
    m_tbr1->Button(kDataButton)->setEnabled(m_gameCommands);
}

void MDIMain::Tbr1_ButtonClick(const QString& sKey)
{
    const MainToolbarItem* item = MainToolbarButton(sKey.toStdString());
    if (!item)
        return;
    switch (item->Kind) {
    case MainToolbarItem::Role::PrevWindow:
        m_winHistory.WinHistPrev();
        break;
    case MainToolbarItem::Role::NextWindow:
        m_winHistory.WinHistNext();
        break;
    case MainToolbarItem::Role::Command:
        Entry(item->Command)->trigger();
        break;
    default:
        break;
    }
}

IChildForm* MDIMain::FilterChild() const
{
    const ShellWindows& windows = m_context.Windows;
    return windows.FilterForm ? windows.FilterForm() : nullptr;
}

IFilterForm* MDIMain::FilterForm() const
{
    return dynamic_cast<IFilterForm*>(FilterChild());
}

void MDIMain::ReportError(const QString& sText)
{
    MsgBox(this, QMessageBox::Warning, LoadResString(Res::OperationError), sText, QMessageBox::Ok);
}

// ---------------------------------------------------------------------------
// System menu

void MDIMain::mnuSysDataLottor_Click()
{
    const ShellWindows& windows = m_context.Windows;
    if (!windows.ChooseGame || !windows.ChooseGame(this))
        return;

    AppState& app = m_context.State;
    const CLottoItem& items = app.LottoItems;
    const QString path = items.LottoItemGet(items.SelectItem(), CLottoItem::kItemPath);
    // Games are told apart by their data files, wherever the list and the
    // loaded game name them from.
    const QString chosen = CLottorData::CanonicalDataPath(path);
    if (chosen.isEmpty()) {
        const QString shown = path.isEmpty() ? items.LottoItemGet(items.SelectItem(), CLottoItem::kItemName)
                                             : CLottorData::FullDataPath(path);
        ReportError(u"打开彩票失败，找不到彩票数据文件："_s + shown);
        return;
    }
    if (app.CurLottorData && chosen == CLottorData::CanonicalDataPath(m_lottorPath))
        return; // already loaded

    // The open page is stored into the game it was opened for and closed,
    // so that it is never pushed into the next game's lists.
    if (m_otherPanel)
        m_otherPanel->CmdOtherFilterClose_Click();
    QCoreApplication::processEvents();

    app.FormsClosing = kTrue;
    UnloadChildForms();
    if (m_picWindow)
        m_picWindow->hide();
    app.FormsClosing = kFalse;

    if (LoadLottor(path)) {
        EnableLottoCommands();
        if (isVisible())
            ShowFilterForm();
    } else {
        // The previous game stays current, with its windows closed.
        DisableLottoCommands();
        ReportLoadFailure(items.LottoItemGet(items.SelectItem(), CLottoItem::kItemName), path);
    }
}

void MDIMain::ReportLoadFailure(const QString& sName, const QString& sFile)
{
    if (m_loadFailure)
        ReportError(OpenFailureText(sName, CLottorData::FullDataPath(sFile), *m_loadFailure));
}

void MDIMain::mnuSysOption_Click()
{
    if (const auto& dialog = m_context.Windows.OptionDialog)
        dialog(this);
}

void MDIMain::mnuSysBar_Click()
{
    QAction* entry = Entry(MainCommand::SysBar);
    entry->setChecked(!entry->isChecked());
    m_tbr1->setVisible(entry->isChecked());
    m_context.State.SettingRecord.SetShowToolBar(Flag(!m_tbr1->isHidden()));
}

void MDIMain::mnuSysStatus_Click()
{
    AppState& app = m_context.State;
    const bool show = app.SettingRecord.ShowStatusBar() == 0;
    app.SettingRecord.SetShowStatusBar(Flag(show));
    statusBar()->setVisible(show);
    Entry(MainCommand::SysStatus)->setChecked(show);
    UpdateTicker();
}

void MDIMain::mnuSysDataEdit_Click()
{
    const ShellWindows& windows = m_context.Windows;
    IDataSetForm* editor = windows.DataSetForm ? windows.DataSetForm() : nullptr;
    if (!editor || !m_context.State.CurLottorData)
        return;
    editor->ShowModal(this);
    if (!editor->IsChang())
        return;
    const QString text = editor->NumStr();

    AppState& app = m_context.State;
    app.FormsClosing = kTrue;
    UnloadChildForms();
    app.FormsClosing = kFalse;

    CommitDraws(text);
    MakeInferForms();
    ShowFilterForm();
}

void MDIMain::CommitDraws(const QString& sNumStr)
{
    // The lottery stays alive through the update, whatever happens meanwhile.
    const std::shared_ptr<CLottorData> game = m_context.State.CurLottorData;
    if (!game)
        return;
    bool failed = false;
    if (IsEmptyDrawList(sNumStr)) {
        // The user removed every draw.
        game->Add(std::vector<Draw>{});
        failed = game->UpData();
    } else if (const QString format = game->HeadData.GetDefFormat(); game->AddStrNum(format, sNumStr) < 1) {
        // Nothing could be read, or more draws than a game keeps: the
        // history stays as it was.
        ReportError(RefusedDrawsText(game->HeadData, format, sNumStr));
        return;
    } else {
        failed = game->UpData();
    }
    if (failed)
        ReportError(u"更新开奖号码失败，开奖号码或分析数据无法写入文件。"_s);
}

void MDIMain::MakeInferForms()
{
    AppState& app = m_context.State;
    IInferFormFactory* factory = Service<IInferFormFactory>();
    if (!factory)
        factory = m_context.Windows.InferForms.get();
    const std::shared_ptr<CLottorData> game = app.CurLottorData;
    if (!factory || !game)
        return;
    const int16_t views = std::min<int16_t>(game->ViewCount(), AppState::InferCount);
    for (int16_t i = 0; i < views; ++i) {
        InferFormPtr& form = app.InferForms[static_cast<size_t>(i)];
        if (form)
            continue;
        if (CStat* stat = game->StatView(i)) {
            form = factory->CreateInferForm(i, *stat);
            if (auto* window = dynamic_cast<QObject*>(form.get())) {
                m_inferWindows.removeIf([](const QPointer<QObject>& gone) { return gone.isNull(); });
                m_inferWindows << window;
            }
        }
    }
}

void MDIMain::ReleaseInferForms()
{
    // Unloaded for real: the windows go with the views they show.
    AppState& app = m_context.State;
    const int16_t closing = std::exchange(app.FormsClosing, kTrue);
    for (InferFormPtr& form : app.InferForms) {
        if (form && form->FormOpen())
            form->Unload();
        form = nullptr;
    }
    app.FormsClosing = closing;
}

void MDIMain::mnuSysLottorOption_Click()
{
    if (const auto& dialog = m_context.Windows.LottoOption)
        dialog(this);
}

// ---------------------------------------------------------------------------
// Online menu

void MDIMain::mnuOnlineDownLoadData_Click()
{
    const ShellWindows& windows = m_context.Windows;
    if (IDataSetForm* editor = windows.DataSetForm ? windows.DataSetForm() : nullptr)
        editor->SetSelTsp(QStringLiteral("DownLoad"));
    mnuSysDataEdit_Click();
}

void MDIMain::mnuOnlineUpgrade_Click()
{
    if (const auto& dialog = m_context.Windows.UpgradeDialog)
        dialog(this);
}

void MDIMain::mnuOnlineWWW_Click()
{
    const QStringList& addresses = m_context.State.SysInfo.SysAddress;
    if (addresses.isEmpty()) {
        MsgBox(this, QMessageBox::Warning, LoadResString(Res::SystemPrompt), LoadResString(Res::SiteError),
               QMessageBox::Ok);
        return;
    }
    OpenWebAddress(this, addresses.front());
}

void MDIMain::mnuOnlineService_Click()
{
    OpenWebAddress(this, m_context.State.SysInfo.SysMenuSever);
}

void MDIMain::mnuOnlineNew_Click()
{
    OpenWebAddress(this, m_context.State.SysInfo.SysMenuNew);
}

// ---------------------------------------------------------------------------
// Data-analysis menu

void MDIMain::ClickInferMenu(int index)
{
    if (index < 0 || index >= kViewCount)
        return;
    IInferForm* form = m_context.State.InferForms[static_cast<size_t>(index)];
    if (!form)
        return;
    // The analysis window sets and clears the tick itself.
    if (m_dataInfer[index]->isChecked())
        form->Unload();
    else
        form->ShowForm();
}

void MDIMain::mnuDataRefresh_Click()
{
    AppState& app = m_context.State;
    const std::shared_ptr<CLottorData> game = app.CurLottorData;
    if (!game)
        return;
    // FormsClosing stays clear: the child windows only hide. The windows
    // refill their lists on the document's word.
    UnloadChildForms();
    if (app.Document.RebuildStatistics())
        ReportError(u"重新生成分析数据失败，分析数据无法写入文件。"_s);
    ShowFilterForm();
}

// ---------------------------------------------------------------------------
// Bets menu

void MDIMain::mnuChipInFilter_Click()
{
    IChildForm* form = FilterChild();
    if (!form)
        return;
    if (Entry(MainCommand::WindowFilter)->isVisible())
        form->Unload(); // only hides it
    else
        form->ShowForm();
}

void MDIMain::mnuChipInWay_Click()
{
    const ShellWindows& windows = m_context.Windows;
    IChildForm* form = windows.WayForm ? windows.WayForm() : nullptr;
    if (!form)
        return;
    if (Entry(MainCommand::WindowWay)->isVisible())
        form->Unload();
    else
        form->ShowForm();
}

void MDIMain::mnuChipInGet_Click()
{
    if (IFilterForm* filter = FilterForm())
        filter->OpenChinIn();
}

void MDIMain::mnuChipInPut_Click()
{
    if (IFilterForm* filter = FilterForm())
        filter->SaveChinIn();
}

void MDIMain::mnuChipInOpen_Click()
{
    if (const auto& dialog = m_context.Windows.DataInOut)
        dialog(this, 2);
}

void MDIMain::mnuChipInSave_Click()
{
    if (const auto& dialog = m_context.Windows.DataInOut)
        dialog(this, 1);
}

void MDIMain::mnuChipInSaveData_Click()
{
    if (const auto& dialog = m_context.Windows.DataInOut)
        dialog(this, 3);
}

void MDIMain::mnuChipInQuery_Click()
{
    const auto& query = m_context.Windows.HitQuery;
    if (!query)
        return;
    CMsg msg;
    msg.MainWait(true);
    query(this);
    msg.MainWait(false);
}

// ---------------------------------------------------------------------------
// Help menu

QString MDIMain::HelpTopic() const
{
    // The active child window; while the main window itself is not the
    // active window, the child window that was active last. A closed (hidden)
    // window is none.
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub)
        sub = m_mdi->currentSubWindow();
    const IChildForm* form = sub && sub->isVisible() ? ChildFormOf(sub) : nullptr;
    const QString name = form ? form->Name() : QString();
    return (name.isEmpty() ? QStringLiteral("qy") : name) + QStringLiteral(".htm");
}

void MDIMain::mnuHelpGuide_Click()
{
    ShowHelpTopic(HelpFolder(), HelpTopic());
}

void MDIMain::mnuHelpAbout_Click()
{
    if (const auto& dialog = m_context.Windows.AboutBox)
        dialog(this);
}

// ---------------------------------------------------------------------------
// The popups of the filter window and the analysis windows

void MDIMain::mnuFilterCopy_Click()
{
    if (IFilterForm* filter = FilterForm())
        filter->CopyResultAll();
}

void MDIMain::mnuFilterView_Click()
{
    if (IFilterForm* filter = FilterForm())
        filter->ViewFilterSel();
}

void MDIMain::mnuFilterAdd_Click()
{
    if (IFilterForm* filter = FilterForm())
        filter->AddFilter();
}

void MDIMain::mnuFilterReplace_Click()
{
    if (const auto& dialog = m_context.Windows.MrReplace)
        dialog(this);
}

void MDIMain::mnuFilterDelect_Click()
{
    if (IFilterForm* filter = FilterForm())
        filter->DelResultSel();
}

void MDIMain::mnuFilterDelectAll_Click()
{
    if (IFilterForm* filter = FilterForm())
        filter->DelResultAll();
}

void MDIMain::mnuFilterSort_Click()
{
    if (IFilterForm* filter = FilterForm())
        filter->tbrResult_ButtonClick(QStringLiteral("Refresh"));
}

void MDIMain::mnuListCopy_Click()
{
    IChildForm* form = ActiveChild();
    if (!form || form->Name().compare(QLatin1String("FInfer"), Qt::CaseInsensitive) != 0)
        return;
    auto* source = dynamic_cast<IGridCopySource*>(form);
    IGridCells* grid = source ? source->msgMain() : nullptr;
    if (!grid)
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(GridSelectionText(*grid));
}

} // namespace kelton
