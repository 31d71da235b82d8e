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
#include "platform/help_pages.h"
#include "platform/services.h"
#include "platform/string_table.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "shell/ui/app_context.h"
#include "shell/ui/child_form.h"
#include "shell/ui/grid_copy.h"
#include "shell/ui/main_toolbar.h"
#include "shell/ui/mdi_main.h"
#include "shell/ui/shell_windows.h"
#include "shell/ui/web_open.h"
#include "shell/ui/xp_toolbar.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// A command's needs: a loaded game, and the window it opens or calls (its
// entry in the registry of windows; none for the main window's own commands).
struct CommandNeeds {
    const char* Entry;
    bool Game;
    bool (*Installed)(const ShellWindows&);
};

template <auto Slot> bool Has(const ShellWindows& windows)
{
    return static_cast<bool>(windows.*Slot);
}

const CommandNeeds kCommandNeeds[] = {
    {"mnuSysDataLottor", false, Has<&ShellWindows::ChooseGame>},
    {"mnuSysOption", false, Has<&ShellWindows::OptionDialog>},
    {"mnuSysDataEdit", true, Has<&ShellWindows::DataSetForm>},
    {"mnuSysLottorOption", true, Has<&ShellWindows::LottoOption>},
    {"mnuOnlineDownLoadData", true, Has<&ShellWindows::DataSetForm>},
    {"mnuOnlineUpgrade", false, Has<&ShellWindows::UpgradeDialog>},
    {"mnuDataRefresh", true, nullptr},
    {"mnuChipInFilter", true, Has<&ShellWindows::FilterForm>},
    {"mnuChipInWay", true, Has<&ShellWindows::WayForm>},
    {"mnuChipInGet", true, Has<&ShellWindows::FilterForm>},
    {"mnuChipInPut", true, Has<&ShellWindows::FilterForm>},
    {"mnuChipInOpen", true, Has<&ShellWindows::DataInOut>},
    {"mnuChipInSave", true, Has<&ShellWindows::DataInOut>},
    {"mnuChipInSaveData", true, Has<&ShellWindows::DataInOut>},
    {"mnuChipInQuery", true, Has<&ShellWindows::HitQuery>},
    {"mnuHelpAbout", false, Has<&ShellWindows::AboutBox>},
    // The filter window's popup.
    {"mnuFilterOpen", false, Has<&ShellWindows::DataInOut>},
    {"mnuFilterSave", false, Has<&ShellWindows::DataInOut>},
    {"mnuFilterCopy", false, Has<&ShellWindows::FilterForm>},
    {"mnuFilterView", false, Has<&ShellWindows::FilterForm>},
    {"mnuFilterAdd", false, Has<&ShellWindows::FilterForm>},
    {"mnuFilterReplace", false, Has<&ShellWindows::MrReplace>},
    {"mnuFilterDelect", false, Has<&ShellWindows::FilterForm>},
    {"mnuFilterDelectAll", false, Has<&ShellWindows::FilterForm>},
    {"mnuFilterSort", false, Has<&ShellWindows::FilterForm>},
};

// An edited draw list without a single draw line: the user removed every
// draw.
bool IsEmptyDrawList(const QString& text)
{
    const QStringList lines = SplitLines(text);
    for (const QString& line : lines) {
        if (!TrimBlanks(line).isEmpty())
            return false;
    }
    return true;
}

} // namespace

void MDIMain::ConnectCommands()
{
    const auto on = [this](const char* name, void (MDIMain::*handler)()) {
        connect(MenuEntry(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    // Entries that carry a tick: the handler decides the tick, so the one
    // the menu has just flipped is put back first.
    const auto onTicked = [this](QAction* entry, std::function<void()> handler) {
        connect(entry, &QAction::triggered, this, [entry, handler](bool checked) {
            entry->setChecked(!checked);
            handler();
        });
    };

    on("mnuSysDataLottor", &MDIMain::mnuSysDataLottor_Click);
    on("mnuSysOption", &MDIMain::mnuSysOption_Click);
    onTicked(MenuEntry(QStringLiteral("mnuSysBar")), [this] { mnuSysBar_Click(); });
    onTicked(MenuEntry(QStringLiteral("mnuSysStatus")), [this] { mnuSysStatus_Click(); });
    on("mnuSysDataEdit", &MDIMain::mnuSysDataEdit_Click);
    on("mnuSysLottorOption", &MDIMain::mnuSysLottorOption_Click);
    on("mnuOnlineDownLoadData", &MDIMain::mnuOnlineDownLoadData_Click);
    on("mnuOnlineUpgrade", &MDIMain::mnuOnlineUpgrade_Click);
    on("mnuOnlineWWW", &MDIMain::mnuOnlineWWW_Click);
    on("mnuOnlineService", &MDIMain::mnuOnlineService_Click);
    on("mnuOnlineNew", &MDIMain::mnuOnlineNew_Click);
    for (int i = 0; i < kViewCount; ++i)
        onTicked(m_dataInfer[i], [this, i] { ClickInferMenu(i); });
    on("mnuDataRefresh", &MDIMain::mnuDataRefresh_Click);
    on("mnuChipInFilter", &MDIMain::mnuChipInFilter_Click);
    on("mnuChipInWay", &MDIMain::mnuChipInWay_Click);
    on("mnuChipInGet", &MDIMain::mnuChipInGet_Click);
    on("mnuChipInPut", &MDIMain::mnuChipInPut_Click);
    on("mnuChipInOpen", &MDIMain::mnuChipInOpen_Click);
    on("mnuChipInSave", &MDIMain::mnuChipInSave_Click);
    on("mnuChipInSaveData", &MDIMain::mnuChipInSaveData_Click);
    on("mnuChipInQuery", &MDIMain::mnuChipInQuery_Click);
    on("mnuHelpGuide", &MDIMain::mnuHelpGuide_Click);
    on("mnuHelpOnline", &MDIMain::mnuOnlineWWW_Click);
    on("mnuHelpAbout", &MDIMain::mnuHelpAbout_Click);
    on("mnuFilterOpen", &MDIMain::mnuChipInOpen_Click);
    on("mnuFilterSave", &MDIMain::mnuChipInSave_Click);
    on("mnuFilterCopy", &MDIMain::mnuFilterCopy_Click);
    on("mnuFilterView", &MDIMain::mnuFilterView_Click);
    on("mnuFilterAdd", &MDIMain::mnuFilterAdd_Click);
    on("mnuFilterReplace", &MDIMain::mnuFilterReplace_Click);
    on("mnuFilterDelect", &MDIMain::mnuFilterDelect_Click);
    on("mnuFilterDelectAll", &MDIMain::mnuFilterDelectAll_Click);
    on("mnuFilterSort", &MDIMain::mnuFilterSort_Click);
    on("mnuListCopy", &MDIMain::mnuListCopy_Click);
}

void MDIMain::UpdateCommands()
{
    const ShellWindows& windows = m_context.Windows;
    for (const CommandNeeds& command : kCommandNeeds) {
        const bool ready =
            (m_gameCommands || !command.Game) && (!command.Installed || command.Installed(windows));
        MenuEntry(QLatin1String(command.Entry))->setEnabled(ready);
    }
    const AppState& app = m_context.State;
    for (int i = 0; i < kViewCount; ++i)
        m_dataInfer[i]->setEnabled(m_gameCommands && app.InferForms[static_cast<size_t>(i)]);
    for (const MainToolbarItem& item : kMainToolbar) {
        if (item.Kind == MainToolbarItem::Role::Command)
            m_tbr1->ButtonByKey(QLatin1String(item.Key))
                ->setEnabled(MenuEntry(QLatin1String(item.Command))->isEnabled());
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
        WinHistPrev();
        break;
    case MainToolbarItem::Role::NextWindow:
        WinHistNext();
        break;
    case MainToolbarItem::Role::Command:
        if (QAction* action = MenuEntry(QLatin1String(item->Command)))
            action->trigger();
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
    QAction* entry = MenuEntry(QStringLiteral("mnuSysBar"));
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
    MenuEntry(QStringLiteral("mnuSysStatus"))->setChecked(show);
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
        std::vector<Draw> draws;
        if (StrToNum(game->HeadData, format, sNumStr, draws, false) > CLottorData::kMaxDraws)
            ReportError(u"更新开奖号码失败，开奖号码超过了一种彩票最多可保存的%1期，原有的开奖号码未作改动。"_s.arg(
                CLottorData::kMaxDraws));
        else
            ReportError(u"更新开奖号码失败，没有读出任何开奖号码，原有的开奖号码未作改动。"_s);
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
    // FormsClosing stays clear: the child windows only hide.
    UnloadChildForms();
    const bool failed = game->ReStat();
    for (IInferForm* form : app.InferForms) {
        if (form && form->FormOpen())
            form->RefreshForm();
    }
    if (failed)
        ReportError(u"重新生成分析数据失败，分析数据无法写入文件。"_s);
    if (IFilterForm* filter = FilterForm())
        filter->RefreshForm();
    ShowFilterForm();
}

// ---------------------------------------------------------------------------
// Bets menu

void MDIMain::mnuChipInFilter_Click()
{
    IChildForm* form = FilterChild();
    if (!form)
        return;
    if (MenuEntry(QStringLiteral("mnuWindowFilter"))->isVisible())
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
    if (MenuEntry(QStringLiteral("mnuWindowWay"))->isVisible())
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
