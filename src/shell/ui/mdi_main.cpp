#include "shell/ui/mdi_main.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/child_forms.h"
#include "data/app_state.h"
#include "data/settings.h"
#include "data/text_helpers.h"
#include "host/ui/app_context.h"
#include "host/ui/child_form.h"
#include "host/ui/main_toolbar.h"
#include "host/ui/shell_windows.h"
#include "host/ui/tool_icons.h"
#include "host/ui/xp_toolbar.h"
#include "platform/help_pages.h"
#include "platform/services.h"
#include "platform/string_table.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_accessibility.h"
#include "platform/window_place.h"
#include "shell/pick_lists.h"
#include "shell/ui/app_icon.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// The progress bar; a click on it is the user's stop request.
class CPrgBar : public QProgressBar {
public:
    CPrgBar(QWidget* parent, std::function<void()> onClick)
        : QProgressBar(parent), m_onClick(std::move(onClick))
    {
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_onClick();
        QProgressBar::mousePressEvent(event);
    }

private:
    std::function<void()> m_onClick;
};

// A panel of the status bar; a click on it reports the panel's key.
class CPanelLabel : public QLabel {
public:
    CPanelLabel(std::function<void(const QString&)> onClick, const QString& sKey, QWidget* parent)
        : QLabel(parent), m_onClick(std::move(onClick)), m_key(sKey)
    {
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_onClick(m_key);
        QLabel::mousePressEvent(event);
    }

private:
    std::function<void(const QString&)> m_onClick;
    QString m_key;
};

// Eats the keyboard shortcuts of the top menus' entries while the program is
// busy, as the disabled menus would.
class CBusyShortcutFilter : public QObject {
public:
    explicit CBusyShortcutFilter(QObject* parent) : QObject(parent) {}
    bool Busy = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (Busy && event->type() == QEvent::Shortcut)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

static_assert(MainToolbarIndex(MainToolbarItem::Role::DataMenu) == MDIMain::kDataButton);

} // namespace

MDIMain::MDIMain(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context),
      m_childForms([&state = context.State] { return state.FormsClosing != 0; })
{
    setObjectName(QStringLiteral("MDIMain"));
    // The program's icon, which every window and child window takes, and
    // every window of its own a named window for screen readers.
    QApplication::setWindowIcon(AppIcon());
    InstallWindowAccessibility();

    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_mdi = new QMdiArea(centre);
    m_mdi->setObjectName(QStringLiteral("MdiArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(m_mdi, 1);
    BuildStatusArea();
    layout->addWidget(m_prg);
    setCentralWidget(centre);

    BuildMenus();
    BuildToolBar();
    BuildPanels();

    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MDIMain::SubWindowActivated);
    m_mdi->installEventFilter(this);
    ConnectCommands();

    m_tmrStatus.setObjectName(QStringLiteral("tmrStatus"));
    m_tmrStatus.setInterval(300);
    connect(&m_tmrStatus, &QTimer::timeout, this, &MDIMain::tmrStatus_Timer);

    // The progress service shows through this window while it lives.
    m_display = std::make_unique<ScopedService<IMsgDisplay>>(this);
    m_winHistory.SetHost(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(PlaceOnScreen({1024, 720}, screen->availableGeometry(), Qt::Horizontal | Qt::Vertical));
    else
        resize(1024, 720);
    FillControls();
}

MDIMain::~MDIMain()
{
    if (s_running == this)
        s_running = nullptr;
    // The frames of the child windows go with the base class, after this
    // object's own members: they must not report back here any more. The
    // analysis windows made here go now.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (const QPointer<QObject>& window : std::as_const(m_inferWindows))
        delete window.data();
    m_display.reset();
}

// ---------------------------------------------------------------------------
// Building the window

namespace {

QString NameOf(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// An entry with its control name and key.
QAction* AddNamedEntry(QMenu* menu, const QString& sName, const QString& sCaption,
                       const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(sCaption);
    action->setObjectName(sName);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

} // namespace

QAction* MDIMain::AddEntry(QMenu* menu, MainCommand command, const QString& sCaption,
                           const QKeySequence& shortcut)
{
    QAction* action = AddNamedEntry(menu, NameOf(MainCommandName(command)), sCaption, shortcut);
    m_entries[static_cast<size_t>(command)] = action;
    return action;
}

void MDIMain::AddSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QMenu* MDIMain::AddPopup(MainMenu which)
{
    const QString name = NameOf(MainMenuName(which));
    auto* menu = new QMenu(name, this);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_menus[static_cast<size_t>(which)] = menu;
    return menu;
}

void MDIMain::BuildMenus()
{
    QMenuBar* bar = menuBar();
    auto top = [&](MainMenu which, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        const QString name = NameOf(MainMenuName(which));
        menu->setObjectName(name);
        // The menu bar's entry; the menu's own menuAction() may later stand
        // for a toolbar button that drops the same menu down.
        menu->menuAction()->setObjectName(name);
        m_menus[static_cast<size_t>(which)] = menu;
        m_barEntries[static_cast<size_t>(which)] = menu->menuAction();
        return menu;
    };

    QMenu* sys = top(MainMenu::Sys, u"系统(&S)"_s);
    AddEntry(sys, MainCommand::SysDataLottor, u"选择彩票(&L)"_s, QKeySequence(Qt::CTRL | Qt::Key_L));
    AddEntry(sys, MainCommand::SysOption, u"选项设置(&O)"_s, QKeySequence(Qt::CTRL | Qt::Key_O));
    AddEntry(sys, MainCommand::SysBar, u"显示工具栏"_s, QKeySequence(Qt::CTRL | Qt::Key_B))
        ->setCheckable(true);
    AddEntry(sys, MainCommand::SysStatus, u"显示状态栏"_s)->setCheckable(true);
    AddSeparator(sys, "mnuSysLine2");
    AddEntry(sys, MainCommand::SysDataEdit, u"开奖号码(&M)"_s, QKeySequence(Qt::CTRL | Qt::Key_M));
    AddEntry(sys, MainCommand::SysLottorOption, u"当前彩票设置"_s);
    AddSeparator(sys, "mnuSysLine3");
    AddEntry(sys, MainCommand::SysExit, u"退出(&X)"_s, QKeySequence(Qt::CTRL | Qt::Key_E));

    QMenu* online = top(MainMenu::Online, u"在线操作(&O)"_s);
    AddEntry(online, MainCommand::OnlineDownLoadData, u"在线更新开奖号码(&D)"_s,
             QKeySequence(Qt::CTRL | Qt::Key_D));
    AddEntry(online, MainCommand::OnlineUpgrade, u"在线软件升级"_s);
    AddSeparator(online, "mnuOnlineLabel");
    AddEntry(online, MainCommand::OnlineWWW, u"访问网站"_s);
    AddEntry(online, MainCommand::OnlineService, u"网上数据服务(&S)"_s);
    AddEntry(online, MainCommand::OnlineNew, u"最新信息(&N)"_s, QKeySequence(Qt::CTRL | Qt::Key_N));

    QMenu* data = top(MainMenu::Data, u"数据分析(&D)"_s);
    const QString inferCaptions[kViewCount] = {
        u"原始数据分析(&O)"_s,   u"转换数据分析一(&P)"_s, u"转换数据分析二(&T)"_s, u"转换数据分析三(&M)"_s,
        u"转换数据分析四(&S)"_s, u"转换数据分析五(&F)"_s, u"转换数据分析六(&H)"_s, u"转换数据分析七(&A)"_s,
    };
    const Qt::Key fKeys[kViewCount - 1] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4,
                                           Qt::Key_F5, Qt::Key_F6, Qt::Key_F7};
    for (int i = 0; i < kViewCount; ++i) {
        const QKeySequence key =
            i == 0 ? QKeySequence(Qt::CTRL | Qt::Key_R) : QKeySequence(Qt::CTRL | fKeys[i - 1]);
        QAction* entry = AddNamedEntry(data, QStringLiteral("mnuDataInfer%1").arg(i), inferCaptions[i], key);
        entry->setCheckable(true);
        entry->setEnabled(i == 0);
        m_dataInfer[i] = entry;
    }
    AddSeparator(data, "mnuDataLabel2");
    AddEntry(data, MainCommand::DataRefresh, u"重新生成分析数据"_s);

    QMenu* chip = top(MainMenu::ChipIn, u"投注操作(&C)"_s);
    AddEntry(chip, MainCommand::ChipInFilter, u"缩水过滤(&F)"_s);
    AddEntry(chip, MainCommand::ChipInWay, u"号码选杀号公式(&W)"_s, QKeySequence(Qt::CTRL | Qt::Key_W));
    AddSeparator(chip, "mnuChipInLine0");
    AddEntry(chip, MainCommand::ChipInGet, u"调出过滤方案(&G)"_s, QKeySequence(Qt::CTRL | Qt::Key_G));
    AddEntry(chip, MainCommand::ChipInPut, u"保存过滤方案(&P)"_s, QKeySequence(Qt::CTRL | Qt::Key_P));
    AddSeparator(chip, "mnuChipInLine1");
    AddEntry(chip, MainCommand::ChipInOpen, u"打开投注结果(&O)"_s);
    AddEntry(chip, MainCommand::ChipInSave, u"保存投注结果(&S)"_s, QKeySequence(Qt::CTRL | Qt::Key_S));
    AddEntry(chip, MainCommand::ChipInSaveData, u"导出历史数据"_s);
    AddSeparator(chip, "mnuChipInLine2");
    AddEntry(chip, MainCommand::ChipInQuery, u"中奖查询(&Q)"_s, QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* window = top(MainMenu::Window, u"窗口(&W)"_s);
    AddEntry(window, MainCommand::WindowTileHorizontal, u"水平平铺(&H)"_s);
    AddEntry(window, MainCommand::WindowTileVertical, u"垂直平铺(&T)"_s, QKeySequence(Qt::CTRL | Qt::Key_T));
    AddEntry(window, MainCommand::WindowCascade, u"层叠(&C)"_s);
    AddEntry(window, MainCommand::WindowArrangeIcons, u"排列图标(&A)"_s);
    AddSeparator(window, "mnuWindowLable1");
    const QString windowCaptions[kViewCount] = {
        u"原始数据分析"_s,   u"转换数据分析一"_s, u"转换数据分析二"_s, u"转换数据分析三"_s,
        u"转换数据分析四"_s, u"转换数据分析五"_s, u"转换数据分析六"_s, u"转换数据分析七"_s,
    };
    for (int i = 0; i < kViewCount; ++i) {
        QAction* entry =
            AddNamedEntry(window, QStringLiteral("mnuWindowInfer%1").arg(i), windowCaptions[i], {});
        entry->setCheckable(true);
        entry->setVisible(false);
        m_windowInfer[i] = entry;
        // The tick follows the active window: the one the menu has just
        // flipped is put back before the command runs.
        connect(entry, &QAction::triggered, this, [this, entry, i](bool checked) {
            entry->setChecked(!checked);
            mnuWindowInfer_Click(i);
        });
    }
    for (const auto& [command, caption] : {std::pair{MainCommand::WindowFilter, u"缩水过滤"},
                                           std::pair{MainCommand::WindowFilterBound, u"过滤极值范围设置"},
                                           std::pair{MainCommand::WindowWay, u"号码选杀号公式"}}) {
        QAction* entry = AddEntry(window, command, QString::fromUtf16(caption));
        entry->setCheckable(true);
        entry->setVisible(false);
    }

    QMenu* help = top(MainMenu::Help, u"使用帮助(&H)"_s);
    AddEntry(help, MainCommand::HelpGuide, u"用户指南(&G)"_s, QKeySequence(Qt::Key_F1));
    AddEntry(help, MainCommand::HelpOnline, u"Web页上的帮助"_s);
    AddSeparator(help, "mnuHelpLine1");
    AddEntry(help, MainCommand::HelpAbout, u"关于(&A)"_s);

    // The two popups the child windows show.
    QMenu* filter = AddPopup(MainMenu::Filter);
    AddEntry(filter, MainCommand::FilterOpen, u"打开投注结果(&O)"_s);
    AddEntry(filter, MainCommand::FilterSave, u"保存投注结果(&S)"_s);
    AddEntry(filter, MainCommand::FilterCopy, u"复制所有投注"_s);
    AddSeparator(filter, "mnuFilterLabel1");
    AddEntry(filter, MainCommand::FilterView, u"编辑选中注(&V)"_s, QKeySequence(Qt::CTRL | Qt::Key_V));
    AddEntry(filter, MainCommand::FilterAdd, u"增加投注(&A)"_s, QKeySequence(Qt::CTRL | Qt::Key_A));
    AddEntry(filter, MainCommand::FilterReplace, u"特码批量替换"_s);
    AddSeparator(filter, "mnuFilterLabel2");
    AddEntry(filter, MainCommand::FilterDelect, u"删除选中注(&D)"_s,
             QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    AddEntry(filter, MainCommand::FilterDelectAll, u"删除所有注"_s);
    AddSeparator(filter, "mnuFilterLabel3");
    AddEntry(filter, MainCommand::FilterSort, u"更新(&F)"_s, QKeySequence(Qt::CTRL | Qt::Key_F));
    QMenu* list = AddPopup(MainMenu::List);
    AddEntry(list, MainCommand::ListCopy, u"复制到剪帖板"_s);

    // While busy the five top menus are disabled, and so are their keys.
    auto* filterKeys = new CBusyShortcutFilter(this);
    filterKeys->setObjectName(QStringLiteral("BusyShortcutFilter"));
    for (QMenu* menu : {sys, online, data, chip, window}) {
        m_topMenus << menu->menuAction(); // before the toolbar takes the data menu
        for (QAction* action : menu->actions())
            action->installEventFilter(filterKeys);
    }

    // The commands of the window itself.
    connect(Entry(MainCommand::SysExit), &QAction::triggered, this, &QWidget::close);
    connect(Entry(MainCommand::WindowTileHorizontal), &QAction::triggered, this,
            &MDIMain::mnuWindowTileHorizontal_Click);
    connect(Entry(MainCommand::WindowTileVertical), &QAction::triggered, this,
            &MDIMain::mmnWindowTileVertical_Click);
    connect(Entry(MainCommand::WindowCascade), &QAction::triggered, this, &MDIMain::mnuWindowCascade_Click);
    connect(Entry(MainCommand::WindowArrangeIcons), &QAction::triggered, this,
            &MDIMain::mnuWindowArrangeIcons_Click);
    for (const auto& command :
         {std::pair{MainCommand::WindowFilter, &MDIMain::mnuWindowFilter_Click},
          std::pair{MainCommand::WindowFilterBound, &MDIMain::mnuWindowFilterBound_Click},
          std::pair{MainCommand::WindowWay, &MDIMain::mnuWindowWay_Click}}) {
        QAction* entry = Entry(command.first);
        const auto handler = command.second;
        connect(entry, &QAction::triggered, this, [this, entry, handler](bool checked) {
            entry->setChecked(!checked); // as for the analysis windows' entries
            (this->*handler)();
        });
    }
}

void MDIMain::BuildToolBar()
{
    m_tbr1 = new CXpToolBar(QStringLiteral("Tbr1"), this);
    m_tbr1->setObjectName(QStringLiteral("Tbr1"));
    m_tbr1->setIconSize(QSize(24, 24));
    for (const MainToolbarItem& item : kMainToolbar) {
        switch (item.Kind) {
        case MainToolbarItem::Role::Separator:
            m_tbr1->AddSeparator();
            break;
        case MainToolbarItem::Role::Spacer:
            m_tbr1->AddSpacer();
            break;
        default:
            m_tbr1->AddButton(QLatin1String(item.Key), QString::fromUtf16(item.Caption),
                              QString::fromUtf16(item.Tip), ToolIcon(QLatin1String(item.Icon)));
            break;
        }
    }
    addToolBar(Qt::TopToolBarArea, m_tbr1);
    connect(m_tbr1, &CXpToolBar::ButtonClick, this,
            [this](QAction* button) { Tbr1_ButtonClick(CXpToolBar::Key(button)); });
}

void MDIMain::BuildStatusArea()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StbNews"));
    m_status = new QLabel(LoadResString(Res::Ready), bar);
    m_status->setObjectName(QStringLiteral("StbNewsPanel1"));
    m_status->setMinimumWidth(200);
    bar->addWidget(m_status, 1);

    m_notice = new CPanelLabel([this](const QString& sKey) { StbNews_PanelClick(sKey); },
                               QStringLiteral("Notify"), bar);
    m_notice->setObjectName(QStringLiteral("StbNewsPanel2"));
    m_notice->setToolTip(QString::fromUtf16(u"点击打开网页"));
    m_notice->setMinimumWidth(420);
    m_notice->setCursor(Qt::PointingHandCursor);
    bar->addPermanentWidget(m_notice, 2);

    // The bar sits under the child windows, so that it shows whether or not
    // the status bar does.
    m_prg = new CPrgBar(this, [this] { Prg_Click(); });
    m_prg->setObjectName(QStringLiteral("Prg"));
    m_prg->setFixedHeight(16);
    m_prg->setTextVisible(false);
    m_prg->hide();
}

void MDIMain::BuildPanels()
{
    // A panel docks without a title bar (an empty one of no height); the
    // panel decides whether it shows, and its dock follows.
    const auto dock = [this](QWidget* panel, const QString& name, Qt::DockWidgetArea area) {
        const bool hidden = panel->isHidden();
        auto* holder = new QDockWidget(this);
        holder->setObjectName(name);
        holder->setFeatures(QDockWidget::NoDockWidgetFeatures);
        auto* bar = new QWidget(holder);
        (new QHBoxLayout(bar))->setContentsMargins(0, 0, 0, 0);
        holder->setTitleBarWidget(bar);
        holder->setWidget(panel);
        addDockWidget(area, holder);
        panel->setVisible(!hidden);
        holder->setVisible(!hidden);
    };
    const ShellWindows& windows = m_context.Windows;
    if (windows.SchemePanel) {
        if (QWidget* panel = windows.SchemePanel(this)) {
            dock(panel, QStringLiteral("picWindowDock"), Qt::LeftDockWidgetArea);
            m_picWindow = panel;
        }
    }
    if (windows.OtherFilterPanel) {
        if (IOtherFilterPanel* panel = windows.OtherFilterPanel(this)) {
            if (QWidget* widget = panel->PanelWidget()) {
                dock(widget, QStringLiteral("PicOtherFilterDock"), Qt::RightDockWidgetArea);
                m_otherPanel = panel;
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

QString MDIMain::Caption() const
{
    return AppTitle() + QLatin1Char(' ') + QLatin1String(kVersionText);
}

void MDIMain::MDIForm_Load()
{
    AppState& app = m_context.State;
    IniSystem(app);
    InitMainWindow();

    // A first start installs the sample game, recording it in the settings
    // file once its data file is complete, then builds its statistics under
    // the progress bar; a first start cut short, or one that found no room
    // for the game, is completed here.
    CLottoItem& items = app.LottoItems;
    const ShellWindows& windows = m_context.Windows;
    if (windows.SeedFirstStart) {
        const SeedOutcome seeded = windows.SeedFirstStart(app);
        if (seeded)
            SaveSetFile(app, QString::fromLatin1(kSetFileKey));
        else if (seeded.Code == SeedOutcome::Result::Failed)
            MsgBox(this, QMessageBox::Warning, LoadResString(Res::SystemPrompt), SeedFailureMessage(seeded),
                   QMessageBox::Ok);
    }
    // The help pages are wanted only when help is asked for: they are put in
    // place after the statistics, which a user waits for, before any window
    // that offers help opens.
    SeedHelpPages(HelpFolder());
    bool attempt = false;
    if (app.SettingRecord.ShowChooser() != 0 && windows.ChooseGame) {
        // Only a game chosen in the chooser is loaded.
        attempt = windows.ChooseGame(this);
    } else {
        // Without a chooser in the program the last chosen game opens.
        attempt = items.SelectItem() >= 0;
    }
    // An empty game list names no game to load.
    const QString path = items.LottoItemGet(items.SelectItem(), CLottoItem::kItemPath);
    attempt = attempt && !path.isEmpty();

    if (attempt && LoadLottor(path)) {
        EnableLottoCommands();
        if (isVisible())
            ShowFilterForm();
    } else {
        DisableLottoCommands();
        if (attempt)
            ReportLoadFailure(items.LottoItemGet(items.SelectItem(), CLottoItem::kItemName), path);
    }

    if (windows.DataSetOther)
        windows.DataSetOther(*this);
    CMsg().EndShowMsg();
}

void MDIMain::InitMainWindow()
{
    const AppState& app = m_context.State;
    setWindowTitle(Caption());
    show();

    m_tbr1->SetFlat(true);
    m_tbr1->SetButtonMenu(kDataButton, Menu(MainMenu::Data));

    const bool toolBar = app.SettingRecord.ShowToolBar() != 0;
    m_tbr1->setVisible(toolBar);
    Entry(MainCommand::SysBar)->setChecked(toolBar);
    const bool statusBarShown = app.SettingRecord.ShowStatusBar() != 0;
    statusBar()->setVisible(statusBarShown);
    Entry(MainCommand::SysStatus)->setChecked(statusBarShown);

    // The ticker waits for the online information of the start-up.
    m_tmrStatus.stop();
    m_ticker = NoticeTicker();
    m_notice->clear();

    DisableLottoCommands();

    for (QAction* entry : m_windowInfer)
        entry->setVisible(false);
    for (MainCommand command :
         {MainCommand::WindowFilter, MainCommand::WindowFilterBound, MainCommand::WindowWay})
        Entry(command)->setVisible(false);

    if (m_otherPanel)
        m_otherPanel->FillPickLists(BuildOtherFilterPickLists());
}

bool MDIMain::LoadLottor(const QString& sFile)
{
    m_loadFailure.reset();
    const LottorLoader* loader = Service<LottorLoader>();
    if (!loader || !*loader)
        return false;
    std::optional<LoadedLottor> game = (*loader)(sFile, kViewCount);
    if (!game || !game->Lottor) {
        m_loadFailure = game && game->Failure != OpenFailure::None ? game->Failure : OpenFailure::Unreadable;
        return false;
    }

    AppState& app = m_context.State;
    // The previous lottery's windows go before its views do.
    ReleaseInferForms();
    app.CurLottorData = std::move(game->Lottor); // the previous lottery is released here
    MakeInferForms();
    app.Document.Open(app.CurLottorData, game->BM);
    m_game = *game;
    m_game.Lottor.reset();
    m_lottorPath = sFile;
    setWindowTitle(Caption() + QStringLiteral(" - [") + m_game.LottorName + QLatin1Char(']'));
    return true;
}

void MDIMain::DisableLottoCommands()
{
    m_gameCommands = false;
    UpdateCommands();
    EnablePrev(false);
    EnableNext(false);
}

void MDIMain::EnableLottoCommands()
{
    // Prev and Next follow the window history.
    m_gameCommands = true;
    UpdateCommands();

    QAction* replace = Entry(MainCommand::FilterReplace);
    if (m_game.MrMain < 1) {
        replace->setVisible(false);
    } else {
        replace->setText(m_game.MrDataName + LoadResString(Res::BatchReplace));
        replace->setVisible(true);
    }
}

bool MDIMain::MDIForm_QueryUnload()
{
    CMsg msg;
    const QString title = LoadResString(Res::SystemPrompt);
    // A running operation pumps events, and may do so before any game is
    // loaded (the first build of a game's statistics): closing now would
    // pull the data away under it.
    if (msg.PrgVisible()) {
        MsgBox(this, QMessageBox::Information, title, QStringLiteral("必须取消正在进行的操作才能退出程序"),
               QMessageBox::Ok);
        if (msg.PrgVisible())
            msg.SetIsClick(true);
        return true;
    }
    if (MsgBox(this, QMessageBox::Question, title, QStringLiteral("你真的要退出程序吗？按确定退出。"),
               QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return true;
    m_context.State.FormsClosing = kTrue;
    hide();
    return false;
}

void MDIMain::MDIForm_Unload()
{
    AppState& app = m_context.State;
    app.FormsClosing = kTrue;
    m_tmrStatus.stop();
    UnloadChildForms();
    m_help.Close();
    app.CurLottorData.reset();
    QString failure;
    if (!SaveSetFile(m_context.State, QString::fromLatin1(kSetFileKey), &failure) && !failure.isEmpty()) {
        // The file keeps what it held before; the changes of this run are
        // lost, and the user is told (a signal's shut-down has nobody to
        // answer a message).
        const QString text = QStringLiteral("设置文件无法保存，本次运行中的更改（如彩票列表）未能保存：") +
                             app.SetFilePath + QLatin1Char('\n') + failure;
        if (m_terminate)
            qWarning("%s", qUtf8Printable(text));
        else
            MsgBox(this, QMessageBox::Warning, LoadResString(Res::SystemPrompt), text, QMessageBox::Ok);
    }
    m_unloaded = true;
}

MDIMain* MDIMain::s_running = nullptr;

void MDIMain::AtUnexpectedExit()
{
    MDIMain* window = std::exchange(s_running, nullptr);
    if (!window || window->m_unloaded)
        return;
    window->m_unloaded = true;
    window->m_terminate = true;
    AppState& app = window->m_context.State;
    app.FormsClosing = kTrue;
    QString failure;
    if (!SaveSetFile(app, QString::fromLatin1(kSetFileKey), &failure) && !failure.isEmpty())
        qWarning("%s", qUtf8Printable(QStringLiteral("设置文件无法保存：") + failure));
}

int MDIMain::Run()
{
    // The context outlives the handler: it lives in the frame of main,
    // which exit() does not unwind, and the window forgets itself here when
    // it goes.
    static const bool registered = std::atexit(&MDIMain::AtUnexpectedExit) == 0;
    static_cast<void>(registered);
    s_running = this;
    MDIForm_Load();
    // A request during the start-up came before the event loop could end.
    const int code = m_terminate ? 0 : QApplication::exec();
    if (!m_unloaded)
        MDIForm_Unload();
    s_running = nullptr;
    return code;
}

void MDIMain::RequestTermination()
{
    m_terminate = true;
    MsgProgressClicked();
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    // Dialogs opened one over the other close from the top down.
    for (int i = 0; i < 32; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
    // Every event loop ends as soon as control returns to it, and no new
    // one starts.
    QCoreApplication::exit(0);
}

void MDIMain::closeEvent(QCloseEvent* event)
{
    if (m_unloaded) {
        event->accept();
        return;
    }
    if (MDIForm_QueryUnload()) {
        event->ignore();
        return;
    }
    MDIForm_Unload();
    event->accept();
}

bool MDIMain::eventFilter(QObject* watched, QEvent* event)
{
    // The work area itself, not its viewport: a window the user drags
    // partly out of view only brings the scroll bars.
    if (watched == m_mdi && event->type() == QEvent::Resize)
        KeepChildrenInside();
    return QMainWindow::eventFilter(watched, event);
}

void MDIMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !m_busy) {
        // The focus is still where it was when the window stops being
        // active; coming back, this runs before Qt gives the focus back.
        if (isActiveWindow())
            ReturnToUsersPlace();
        else
            NoteUsersPlace();
    }
    QMainWindow::changeEvent(event);
}

QMenu* MDIMain::createPopupMenu()
{
    return nullptr;
}

void MDIMain::UnloadChildForms()
{
    for (CChildForm* form : m_childForms.Forms())
        form->Unload();
    AppState& app = m_context.State;
    if (app.FormsClosing != 0) {
        // The analysis windows just unloaded go when the event loop next
        // runs; the current lottery no longer hands them out.
        for (InferFormPtr& form : app.InferForms) {
            if (form && !form->FormOpen())
                form = nullptr;
        }
    }
}

// ---------------------------------------------------------------------------
// Menus and toolbar

QAction* MDIMain::Entry(MainCommand command) const
{
    return m_entries[static_cast<size_t>(command)];
}

QMenu* MDIMain::Menu(MainMenu menu) const
{
    return m_menus[static_cast<size_t>(menu)];
}

void MDIMain::FillControls()
{
    m_controls.MdiArea = m_mdi;
    m_controls.Tbr1 = m_tbr1;
    m_controls.StbNews = statusBar();
    m_controls.StatusPanel = m_status;
    m_controls.NoticePanel = m_notice;
    m_controls.tmrStatus = &m_tmrStatus;
    m_controls.Prg = m_prg;
    m_controls.picWindow = m_picWindow;
    m_controls.mnuDataInfer = m_dataInfer;
    m_controls.mnuWindowInfer = m_windowInfer;
}

// ---------------------------------------------------------------------------
// Status and progress

QString MDIMain::StatusText() const
{
    return m_status->text();
}

void MDIMain::Prg_Click()
{
    MsgProgressClicked();
}

void MDIMain::ShowStatusText(const QString& text)
{
    m_status->setText(text);
}

void MDIMain::ShowBusy(bool busy)
{
    // Disabling the windows takes the focus from them.
    if (busy && !m_busy && isActiveWindow())
        NoteUsersPlace();
    const bool enable = !busy;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window == this || qobject_cast<QMenu*>(window))
            continue;
        const Qt::WindowType type = window->windowType();
        if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop || type == Qt::SplashScreen)
            continue;
        window->setEnabled(enable);
    }
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        sub->setEnabled(enable);
    m_tbr1->setEnabled(enable);
    for (QAction* entry : std::as_const(m_topMenus))
        entry->setEnabled(enable);
    if (auto* keys = findChild<CBusyShortcutFilter*>(QStringLiteral("BusyShortcutFilter")))
        keys->Busy = busy;
    if (m_picWindow)
        m_picWindow->setEnabled(enable);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
    const bool wasBusy = std::exchange(m_busy, busy);
    if (wasBusy && !busy && isActiveWindow())
        ReturnToUsersPlace();
}

void MDIMain::ShowProgress(int32_t max, int32_t min, int32_t value, bool canClick)
{
    m_prg->setRange(min, std::max(min, max));
    m_prg->setValue(value);
    m_prgValue = value;
    m_frame.invalidate();
    m_prg->show();
    if (canClick) {
        m_prg->setCursor(Qt::PointingHandCursor);
        m_prg->setToolTip(LoadResString(Res::ClickToStop));
    } else {
        m_prg->setCursor(Qt::WaitCursor);
        m_prg->setToolTip(QString());
    }
}

void MDIMain::ShowProgressValue(int32_t value)
{
    m_prgValue = value;
    // A value after a frame's pause shows at once; one within a frame waits
    // for the frame's pass.
    if (!m_frame.isValid() || m_frame.hasExpired(kFrameMs))
        m_prg->setValue(value);
}

void MDIMain::HideProgress()
{
    m_prg->hide();
    m_prg->unsetCursor();
    m_prg->setToolTip(QString());
}

void MDIMain::PumpEvents()
{
    if (m_frame.isValid() && !m_frame.hasExpired(kFrameMs)) {
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        return;
    }
    m_frame.start();
    if (m_prg->isVisible())
        m_prg->setValue(m_prgValue);
    QCoreApplication::processEvents();
    // What the pass posted to the window itself (the layout and repaint
    // requests that showing the bar and switching the busy state set off,
    // one layout level at a time) is delivered now: a step between frames
    // then finds nothing queued to the window and costs no system call.
    for (int round = 0; round < kSettleRounds; ++round)
        QCoreApplication::sendPostedEvents(this, 0);
}

// ---------------------------------------------------------------------------
// Window history host

void MDIMain::EnablePrev(bool bEnabled)
{
    m_tbr1->ButtonByKey(QStringLiteral("Prev"))->setEnabled(bEnabled);
}

void MDIMain::EnableNext(bool bEnabled)
{
    m_tbr1->ButtonByKey(QStringLiteral("Next"))->setEnabled(bEnabled);
}

bool MDIMain::ActiveChildCaption(QString* oCaption) const
{
    const IChildForm* form = ActiveChild();
    if (!form)
        return false;
    if (oCaption)
        *oCaption = form->Caption();
    return true;
}

std::vector<IChildForm*> MDIMain::LoadedForms() const
{
    std::vector<IChildForm*> forms;
    for (CChildForm* form : m_childForms.Forms())
        forms.push_back(form);
    return forms;
}

} // namespace kelton
