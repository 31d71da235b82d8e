#include <memory>
#include <optional>
#include <set>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcutEvent>
#include <QStatusBar>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/settings.h"
#include "data/text_helpers.h"
#include "host/ui/child_form.h"
#include "host/ui/shell_windows.h"
#include "host/ui/window_host.h"
#include "host/ui/xp_toolbar.h"
#include "platform/name_tables.h"
#include "platform/program_folder.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "qt_app_env.h"
#include "shell/lottor_loader.h"
#include "shell/ui/app_icon.h"
#include "shell/ui/mdi_main.h"
#include "shell/win_history.h"
#include "shell_test_fakes.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using test::FakeBoxes;
using test::TestForm;

// An analysis window with nothing in it.
class TestInferForm : public CChildForm, public IInferForm {
public:
    TestInferForm(int view) : CChildForm(QStringLiteral("FInfer"), ViewName(view)) {}
};

class MdiMainTest : public test::MainWindowTest {
protected:
    // Writes a settings file with the chooser flag and the games given.
    void WriteSettings(bool showChooser, const QStringList& games, int16_t select = 0)
    {
        QList<std::pair<QString, QString>> paths;
        for (const QString& game : games)
            paths.append({game, ProgramPath(QStringLiteral("Lottor/") + game)});
        MainWindowTest::WriteSettings(showChooser, paths, select);
    }

    // The filter window, created on first use as the real one is.
    void InstallFilterForm()
    {
        Windows().FilterForm = [this]() -> IChildForm* {
            if (!m_filter)
                m_filter = new TestForm(QStringLiteral("fFilter"), QStringLiteral("缩水过滤"));
            return m_filter.data();
        };
    }

    // The windows of the commands that need no game, doing nothing.
    void InstallNoGameWindows()
    {
        ShellWindows& windows = Windows();
        windows.ChooseGame = [](QWidget*) { return false; };
        windows.OptionDialog = [](QWidget*) {};
        windows.UpgradeDialog = [](QWidget*) {};
        windows.AboutBox = [](QWidget*) {};
    }

    bool Enabled(MainCommand entry) const { return m_main->Entry(entry)->isEnabled(); }
    bool ButtonEnabled(const char* key) const
    {
        return m_main->Controls().Tbr1->ButtonByKey(QLatin1String(key))->isEnabled();
    }
    QString ActiveCaption() const
    {
        IChildForm* form = m_main->ActiveChild();
        return form ? form->Caption() : QString();
    }

    QPointer<TestForm> m_filter;
};

// Window slots that are installed but make nothing.
IChildForm* NoForm()
{
    return nullptr;
}
IDataSetForm* NoEditor()
{
    return nullptr;
}

void ClickBar(QProgressBar* bar)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
}

// --- Start-up --------------------------------------------------------------

TEST_F(MdiMainTest, FirstStartWithoutSettingsFileHasNoGame)
{
    InstallFakeLoader();
    MDIMain& main = Start();

    EXPECT_EQ(main.windowTitle(), QStringLiteral("Kelton 2.04"));
    EXPECT_TRUE(main.isVisible());
    // A fresh installation shows the chooser, which is not part of the
    // program here: no game is chosen, none is loaded.
    EXPECT_TRUE(LoadedFiles.isEmpty());
    EXPECT_FALSE(State().CurLottorData);
    EXPECT_EQ(main.StatusText(), QStringLiteral("就绪"));
    EXPECT_TRUE(main.Controls().Tbr1->isVisible());
    EXPECT_TRUE(main.Entry(MainCommand::SysBar)->isChecked());
    EXPECT_TRUE(main.Controls().StbNews->isVisible());
    EXPECT_TRUE(main.Entry(MainCommand::SysStatus)->isChecked());
    EXPECT_TRUE(main.Controls().Tbr1->Flat());
}

TEST_F(MdiMainTest, TheProgramAndItsWindowsCarryItsIcon)
{
    MDIMain& main = Start();
    auto* form = new TestForm(QStringLiteral("fTest"), QStringLiteral("P"));
    form->ShowForm();
    QDialog dialog(&main);
    QWidget window; // a top-level window of its own, as the print window is
    const QImage icon = AppIcon().pixmap(32).toImage();
    for (const QWidget* shown : {static_cast<const QWidget*>(&main),
                                 static_cast<const QWidget*>(form->SubWindow()),
                                 static_cast<const QWidget*>(&dialog), static_cast<const QWidget*>(&window)})
        EXPECT_EQ(shown->windowIcon().pixmap(32).toImage(), icon) << shown->metaObject()->className();
}

TEST_F(MdiMainTest, EmptyGameListLeavesTheGameCommandsDisabled)
{
    WriteSettings(false, {});
    InstallFakeLoader();
    InstallNoGameWindows();
    MDIMain& main = Start();

    EXPECT_TRUE(LoadedFiles.isEmpty());
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Kelton 2.04"));
    for (MainCommand entry :
         {MainCommand::SysDataEdit, MainCommand::SysLottorOption, MainCommand::OnlineDownLoadData,
          MainCommand::DataRefresh, MainCommand::ChipInFilter, MainCommand::ChipInGet, MainCommand::ChipInPut,
          MainCommand::ChipInOpen, MainCommand::ChipInSave, MainCommand::ChipInQuery, MainCommand::ChipInWay,
          MainCommand::ChipInSaveData})
        EXPECT_FALSE(Enabled(entry)) << MainCommandName(entry);
    for (int i = 0; i < MDIMain::kViewCount; ++i)
        EXPECT_FALSE(main.Controls().mnuDataInfer[i]->isEnabled()) << i;
    for (const char* key : {"Edit", "Query", "Way", "Filter", "Open", "Save", "Prev", "Next"})
        EXPECT_FALSE(ButtonEnabled(key)) << key;
    EXPECT_FALSE(main.Controls().Tbr1->Button(6)->isEnabled()); // the data button
    // What needs no game stays available.
    for (MainCommand entry :
         {MainCommand::SysDataLottor, MainCommand::SysOption, MainCommand::SysBar, MainCommand::SysStatus,
          MainCommand::OnlineUpgrade, MainCommand::OnlineWWW, MainCommand::HelpGuide, MainCommand::HelpAbout,
          MainCommand::WindowCascade, MainCommand::SysExit})
        EXPECT_TRUE(Enabled(entry)) << MainCommandName(entry);
    for (const char* key : {"Lottor", "Help", "Online"})
        EXPECT_TRUE(ButtonEnabled(key)) << key;
}

TEST_F(MdiMainTest, TheLastGameIsLoadedAndTheFilterWindowOpens)
{
    WriteSettings(false, {QStringLiteral("排列三"), QStringLiteral("福彩3D")}, 1);
    InstallFakeLoader();
    InstallFilterForm();
    MDIMain& main = Start();

    ASSERT_EQ(LoadedFiles, QStringList({ProgramPath(QStringLiteral("Lottor/福彩3D"))}));
    EXPECT_EQ(LoadedViews, 8);
    EXPECT_TRUE(State().CurLottorData);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Kelton 2.04 - [福彩3D]"));
    EXPECT_EQ(State().Document.Bets().Stride(), 4);

    // The commands of the game whose windows are part of the program.
    for (MainCommand entry : {MainCommand::ChipInFilter, MainCommand::ChipInGet, MainCommand::ChipInPut,
                              MainCommand::DataRefresh})
        EXPECT_TRUE(Enabled(entry)) << MainCommandName(entry);
    for (const char* key : {"Filter", "Open", "Save"})
        EXPECT_TRUE(ButtonEnabled(key)) << key;
    EXPECT_TRUE(main.Controls().Tbr1->Button(MDIMain::kDataButton)->isEnabled());
    // Prev and Next wait for a second window in the history.
    EXPECT_FALSE(ButtonEnabled("Prev"));
    EXPECT_FALSE(ButtonEnabled("Next"));

    ASSERT_TRUE(m_filter);
    EXPECT_TRUE(m_filter->Visible());
    EXPECT_TRUE(main.Entry(MainCommand::WindowFilter)->isVisible());
    EXPECT_EQ(main.WindowHistory().WinHistory(), QStringList({"缩水过滤"}));
}

TEST_F(MdiMainTest, TheChooserDecidesWhetherAGameLoads)
{
    for (const bool chosen : {false, true}) {
        SCOPED_TRACE(chosen);
        WriteSettings(true, {QStringLiteral("排列三")});
        InstallFakeLoader();
        int asked = 0;
        Windows().ChooseGame = [&](QWidget* owner) {
            ++asked;
            EXPECT_EQ(owner, m_main);
            return chosen;
        };
        MDIMain& main = Start();
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(LoadedFiles.size(), chosen ? 1 : 0);
        EXPECT_EQ(Enabled(MainCommand::DataRefresh), chosen);
        EXPECT_EQ(main.StatusText(), QStringLiteral("就绪"));
        delete m_main;
        m_main = nullptr;
        LoadedFiles.clear();
    }
}

TEST_F(MdiMainTest, AGameThatCannotBeOpenedLeavesNoGame)
{
    WriteSettings(false, {QStringLiteral("bad")});
    InstallFakeLoader();
    InstallFilterForm();
    MDIMain& main = Start();

    EXPECT_EQ(LoadedFiles.size(), 1);
    EXPECT_FALSE(State().CurLottorData);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Kelton 2.04"));
    EXPECT_FALSE(ButtonEnabled("Filter"));
    EXPECT_FALSE(m_filter);
    // The user is told which game, in one message.
    ASSERT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_TRUE(m_boxes.Texts[0].startsWith(QStringLiteral("打开彩票“bad”失败，")))
        << m_boxes.Texts[0].toStdString();

    // Without any loader the program runs without a game too.
    m_loader.emplace(nullptr);
    EXPECT_FALSE(main.LoadLottor(QStringLiteral("anything")));
}

TEST_F(MdiMainTest, ACommandIsEnabledOnlyWithItsWindow)
{
    WriteSettings(false, {QStringLiteral("排列三")});
    InstallFakeLoader(1); // with a secondary area, for the batch replacement
    MDIMain& main = Start();
    ASSERT_TRUE(State().CurLottorData);

    // What each command opens or calls, and the toolbar button that runs it.
    struct Row {
        MainCommand entry;
        const char* key;
        void (*install)(ShellWindows&);
    };
    const Row rows[] = {
        {MainCommand::SysDataLottor, "Lottor",
         [](ShellWindows& w) { w.ChooseGame = [](QWidget*) { return false; }; }},
        {MainCommand::SysOption, nullptr, [](ShellWindows& w) { w.OptionDialog = [](QWidget*) {}; }},
        {MainCommand::SysDataEdit, "Edit", [](ShellWindows& w) { w.DataSetForm = &NoEditor; }},
        {MainCommand::OnlineDownLoadData, nullptr, [](ShellWindows& w) { w.DataSetForm = &NoEditor; }},
        {MainCommand::SysLottorOption, nullptr, [](ShellWindows& w) { w.LottoOption = [](QWidget*) {}; }},
        {MainCommand::OnlineUpgrade, nullptr, [](ShellWindows& w) { w.UpgradeDialog = [](QWidget*) {}; }},
        {MainCommand::ChipInFilter, "Filter", [](ShellWindows& w) { w.FilterForm = &NoForm; }},
        {MainCommand::ChipInGet, "Open", [](ShellWindows& w) { w.FilterForm = &NoForm; }},
        {MainCommand::ChipInPut, "Save", [](ShellWindows& w) { w.FilterForm = &NoForm; }},
        {MainCommand::FilterSort, nullptr, [](ShellWindows& w) { w.FilterForm = &NoForm; }},
        {MainCommand::ChipInWay, "Way", [](ShellWindows& w) { w.WayForm = &NoForm; }},
        {MainCommand::ChipInOpen, nullptr, [](ShellWindows& w) { w.DataInOut = [](QWidget*, int16_t) {}; }},
        {MainCommand::ChipInSave, nullptr, [](ShellWindows& w) { w.DataInOut = [](QWidget*, int16_t) {}; }},
        {MainCommand::ChipInSaveData, nullptr,
         [](ShellWindows& w) { w.DataInOut = [](QWidget*, int16_t) {}; }},
        {MainCommand::FilterOpen, nullptr, [](ShellWindows& w) { w.DataInOut = [](QWidget*, int16_t) {}; }},
        {MainCommand::ChipInQuery, "Query", [](ShellWindows& w) { w.HitQuery = [](QWidget*) {}; }},
        {MainCommand::FilterReplace, nullptr, [](ShellWindows& w) { w.MrReplace = [](QWidget*) {}; }},
        {MainCommand::HelpAbout, nullptr, [](ShellWindows& w) { w.AboutBox = [](QWidget*) {}; }},
    };
    // A game is loaded, but no window is part of the program.
    for (const Row& row : rows) {
        EXPECT_FALSE(Enabled(row.entry)) << MainCommandName(row.entry);
        if (row.key) {
            EXPECT_FALSE(ButtonEnabled(row.key)) << row.key;
        }
    }
    for (int i = 0; i < MDIMain::kViewCount; ++i)
        EXPECT_FALSE(main.Controls().mnuDataInfer[i]->isEnabled()) << i;
    // Regenerating needs only the game; the data button drops it down.
    EXPECT_TRUE(Enabled(MainCommand::DataRefresh));
    EXPECT_TRUE(main.Controls().Tbr1->Button(MDIMain::kDataButton)->isEnabled());

    // A window that installs itself enables its commands.
    for (const Row& row : rows) {
        Windows() = ShellWindows{};
        row.install(Windows());
        main.UpdateCommands();
        EXPECT_TRUE(Enabled(row.entry)) << MainCommandName(row.entry);
        if (row.key) {
            EXPECT_TRUE(ButtonEnabled(row.key)) << row.key;
        }
    }
    // An analysis window made for a view enables that view's entry.
    TestInferForm infer(3);
    State().InferForms[3] = &infer;
    main.UpdateCommands();
    for (int i = 0; i < MDIMain::kViewCount; ++i)
        EXPECT_EQ(main.Controls().mnuDataInfer[i]->isEnabled(), i == 3) << i;
    // Without a game the game's commands go off again; the others stay.
    main.DisableLottoCommands();
    EXPECT_FALSE(main.Controls().mnuDataInfer[3]->isEnabled());
    EXPECT_FALSE(Enabled(MainCommand::ChipInQuery));
    EXPECT_TRUE(Enabled(MainCommand::HelpAbout));
    State().InferForms[3] = nullptr;
}

TEST_F(MdiMainTest, AFailedChangeKeepsThePreviousGame)
{
    InstallFakeLoader();
    MDIMain& main = Start();
    ASSERT_TRUE(main.LoadLottor(QStringLiteral("first")));
    const auto current = State().CurLottorData;
    EXPECT_FALSE(main.LoadLottor(QStringLiteral("bad")));
    EXPECT_EQ(State().CurLottorData, current);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Kelton 2.04 - [first]"));
    // A good change releases the previous lottery.
    ASSERT_TRUE(main.LoadLottor(QStringLiteral("second")));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Kelton 2.04 - [second]"));
}

TEST_F(MdiMainTest, TheBatchReplaceEntryFollowsTheSecondaryArea)
{
    for (const int16_t mrMain : {0, 1}) {
        SCOPED_TRACE(mrMain);
        InstallFakeLoader(mrMain);
        MDIMain& main = Start();
        ASSERT_TRUE(main.LoadLottor(QStringLiteral("game")));
        main.EnableLottoCommands();
        QAction* replace = main.Entry(MainCommand::FilterReplace);
        EXPECT_EQ(replace->isVisible(), mrMain > 0);
        if (mrMain > 0) {
            EXPECT_EQ(replace->text(), QStringLiteral("蓝球号码批量替换"));
        }
        delete m_main;
        m_main = nullptr;
    }
}

// --- Shut-down ---------------------------------------------------------------

TEST_F(MdiMainTest, ExitAsksThenReleasesAndSavesTheSettings)
{
    WriteSettings(false, {QStringLiteral("排列三")});
    InstallFakeLoader();
    InstallFilterForm();
    MDIMain& main = Start();
    ASSERT_TRUE(m_filter);
    State().SettingRecord.SetShowToolBar(0); // as the toolbar toggle leaves it

    m_boxes.Answer = QMessageBox::Cancel;
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(m_boxes.Titles, QStringList({"系统提示！"}));
    EXPECT_EQ(m_boxes.Texts, QStringList({"你真的要退出程序吗？按确定退出。"}));
    EXPECT_EQ(State().FormsClosing, 0);
    EXPECT_EQ(Released, 0);

    m_boxes.Answer = QMessageBox::Ok;
    EXPECT_TRUE(main.close());
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(State().FormsClosing, kTrue);
    EXPECT_EQ(Released, 1);
    EXPECT_FALSE(State().CurLottorData);
    // The child windows were unloaded for real.
    EXPECT_TRUE(main.ChildForms().Forms().empty());
    FlushDeletes();
    EXPECT_FALSE(m_filter);

    // The settings file holds what the program ran with.
    AppState read; // what the next run reads
    IniSystem(read);
    EXPECT_EQ(read.SetFileState, SettingsFileState::Loaded);
    EXPECT_EQ(read.SettingRecord.ShowToolBar(), 0);
    EXPECT_EQ(read.LottoItems.LottoItemGet(0, CLottoItem::kItemName), QStringLiteral("排列三"));
}

TEST_F(MdiMainTest, ExitIsRefusedWhileAnOperationRunsEvenWithoutAGame)
{
    InstallFakeLoader();
    MDIMain& main = Start();
    ASSERT_FALSE(State().CurLottorData);

    CMsg msg;
    msg.StartShowMsg(QStringLiteral("统计原始数据"));
    msg.StartPrg(100, 0, 0, false);
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(m_boxes.Texts, QStringList({"必须取消正在进行的操作才能退出程序"}));
    EXPECT_EQ(m_boxes.Titles, QStringList({"系统提示！"}));
    EXPECT_EQ(State().FormsClosing, 0);
    // The operation is asked to stop.
    EXPECT_TRUE(msg.IsClick());
    msg.EndPrg();

    // Once it has ended the exit is asked for as usual.
    m_boxes.Texts.clear();
    EXPECT_TRUE(main.close());
    EXPECT_EQ(m_boxes.Texts, QStringList({"你真的要退出程序吗？按确定退出。"}));
}

TEST_F(MdiMainTest, ExitIsRefusedWhenTheOperationEndsDuringTheMessage)
{
    InstallFakeLoader();
    MDIMain& main = Start();
    CMsg msg;
    msg.StartPrg(10, 0, 0, true);
    // The operation ends while the message is on screen: no request is left
    // behind, and the close is still refused.
    struct EndingBoxes : FakeBoxes {
        QMessageBox::StandardButton Show(QWidget* w, QMessageBox::Icon i, const QString& t, const QString& x,
                                         QMessageBox::StandardButtons b) override
        {
            CMsg().EndPrg();
            return FakeBoxes::Show(w, i, t, x, b);
        }
    } boxes;
    const ScopedService<IMessageBoxes> ending(&boxes);
    EXPECT_FALSE(main.close());
    EXPECT_FALSE(msg.IsClick());
}

// --- Progress service on screen ------------------------------------------

TEST_F(MdiMainTest, TheWindowActsOnAProgressStateOfItsOwn)
{
    CMsg msg;
    msg.StartShowMsg(QStringLiteral("导入"));
    msg.SetIsClick(true); // left by what ran before the window
    MDIMain& main = Start();
    // The window's state starts idle.
    EXPECT_FALSE(msg.StopPending());
    msg.StartShowMsg(QStringLiteral("统计原始数据"));
    msg.StartPrg(100, 0, 0, true);
    EXPECT_TRUE(main.Controls().Prg->isVisible());
    EXPECT_TRUE(msg.IsBusy());

    // Its state goes with it; the one before is back as it was.
    delete m_main;
    m_main = nullptr;
    FlushDeletes();
    EXPECT_EQ(msg.StatusText(), QStringLiteral("导入"));
    EXPECT_FALSE(msg.IsBusy());
    EXPECT_FALSE(msg.PrgVisible());
    EXPECT_TRUE(msg.StopPending());
}

TEST_F(MdiMainTest, TheProgressBarTakesAStopRequestOnlyWhenAllowed)
{
    MDIMain& main = Start();
    QProgressBar* bar = main.Controls().Prg;
    EXPECT_FALSE(bar->isVisible());
    CMsg msg;

    int32_t start = 0;
    msg.StartPrg(100, 1, &start, true);
    EXPECT_EQ(start, 1);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 1);
    EXPECT_EQ(bar->toolTip(), QStringLiteral("点击可以请求退出"));
    EXPECT_EQ(bar->cursor().shape(), Qt::PointingHandCursor);
    msg.prgValue(40);
    EXPECT_EQ(bar->value(), 40);
    ClickBar(bar);
    ClickBar(bar);
    EXPECT_TRUE(msg.IsClick());
    EXPECT_FALSE(msg.IsClick());
    msg.EndPrg();
    EXPECT_FALSE(bar->isVisible());

    msg.StartPrg(10, 0, 0, false);
    EXPECT_TRUE(bar->toolTip().isEmpty());
    EXPECT_EQ(bar->cursor().shape(), Qt::WaitCursor);
    ClickBar(bar);
    EXPECT_FALSE(msg.IsClick());
    msg.EndPrg();
}

TEST_F(MdiMainTest, BusyDisablesEverythingButTheMainWindowAndHelp)
{
    InstallFilterForm();
    InstallNoGameWindows();
    MDIMain& main = Start();
    Windows().FilterForm()->ShowForm();
    QDialog dialog(&main);
    dialog.show();

    CMsg msg;
    msg.StartShowMsg(QStringLiteral("统计原始数据"));
    EXPECT_EQ(main.StatusText(), QStringLiteral("统计原始数据"));
    msg.MainWait(true);
    msg.MainWait(true);
    EXPECT_FALSE(main.Controls().Tbr1->isEnabled());
    for (MainMenu menu :
         {MainMenu::Sys, MainMenu::Online, MainMenu::Data, MainMenu::ChipIn, MainMenu::Window})
        EXPECT_FALSE(main.MenuBarEntry(menu)->isEnabled()) << MainMenuName(menu);
    EXPECT_TRUE(main.MenuBarEntry(MainMenu::Help)->isEnabled());
    EXPECT_FALSE(m_filter->SubWindow()->isEnabled());
    EXPECT_FALSE(dialog.isEnabled());
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(main.cursor().shape(), Qt::WaitCursor);
    // The status text stays while busy.
    EXPECT_EQ(main.StatusText(), QStringLiteral("统计原始数据"));

    // The keys of the disabled menus do nothing either; help's still work.
    int ran = 0;
    QAction* choose = main.Entry(MainCommand::SysDataLottor);
    QAction* guide = main.Entry(MainCommand::HelpGuide);
    QObject::connect(choose, &QAction::triggered, [&] { ++ran; });
    QObject::connect(guide, &QAction::triggered, [&] { ran += 10; });
    QShortcutEvent chooseKey(choose->shortcut(), 0);
    QApplication::sendEvent(choose, &chooseKey);
    QShortcutEvent guideKey(guide->shortcut(), 0);
    QApplication::sendEvent(guide, &guideKey);
    EXPECT_EQ(ran, 10);

    // One busy-off ends it, whatever came before.
    msg.MainWait(false);
    QShortcutEvent againKey(choose->shortcut(), 0);
    QApplication::sendEvent(choose, &againKey);
    EXPECT_EQ(ran, 11);
    EXPECT_TRUE(main.Controls().Tbr1->isEnabled());
    for (MainMenu menu :
         {MainMenu::Sys, MainMenu::Online, MainMenu::Data, MainMenu::ChipIn, MainMenu::Window})
        EXPECT_TRUE(main.MenuBarEntry(menu)->isEnabled()) << MainMenuName(menu);
    EXPECT_TRUE(m_filter->SubWindow()->isEnabled());
    EXPECT_TRUE(dialog.isEnabled());
    EXPECT_EQ(main.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(main.StatusText(), QStringLiteral("就绪"));

    // The game commands keep their own state through a busy spell.
    EXPECT_FALSE(Enabled(MainCommand::ChipInQuery));
    msg.StartPrg(5, 0, 0, false);
    msg.EndPrg();
    EXPECT_FALSE(Enabled(MainCommand::ChipInQuery));
    EXPECT_TRUE(Enabled(MainCommand::SysDataLottor));
}

TEST_F(MdiMainTest, EventsAreProcessedAtEachProgressStep)
{
    MDIMain& main = Start();
    CMsg msg;
    int fired = 0;
    msg.StartPrg(3, 0, 0, true);
    for (int step = 1; step <= 3; ++step) {
        QTimer::singleShot(0, &main, [&] { ++fired; });
        msg.prgValue(step);
        msg.DoEvents();
        EXPECT_EQ(fired, step);
    }
    msg.EndPrg();
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return QObject::eventFilter(watched, event);
    }
};

TEST_F(MdiMainTest, ALongOperationRepaintsTheBarAndPassesTheLoopOncePerFrame)
{
    MDIMain& main = Start();
    QProgressBar* bar = main.Controls().Prg;
    CMsg msg;
    // A range no machine steps through in the test's time, so the bar never
    // stops at its end.
    msg.StartPrg(1'000'000'000, 0, 0, true);
    QApplication::processEvents();
    PaintCounter painted(bar);
    int timerTicks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++timerTicks; });
    timer.start(1);

    // Steps as fast as they come for a tenth of a second.
    QElapsedTimer clock;
    clock.start();
    int32_t steps = 0;
    while (!clock.hasExpired(100)) {
        msg.prgValue(++steps);
        msg.DoEvents();
    }
    const qint64 frames = clock.elapsed() / MDIMain::kFrameMs + 2;
    EXPECT_GT(steps, frames);
    EXPECT_LE(painted.Paints, frames);
    EXPECT_LE(timerTicks, frames);
    EXPECT_GE(timerTicks, 1); // the loop is still passed
    // The bar shows the last value once the next frame has come.
    QThread::msleep(MDIMain::kFrameMs + 1);
    msg.DoEvents();
    EXPECT_EQ(bar->value(), steps);

    // A click waiting in the queue is seen at the next frame.
    QCoreApplication::postEvent(bar, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5),
                                                     bar->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                                                     Qt::LeftButton, Qt::NoModifier));
    bool stopped = false;
    clock.restart();
    while (!stopped && !clock.hasExpired(1000)) {
        msg.prgValue(++steps);
        msg.DoEvents();
        stopped = msg.IsClick();
    }
    EXPECT_TRUE(stopped);
    msg.EndPrg();
}

// --- Child windows -----------------------------------------------------------

TEST_F(MdiMainTest, ClosingAChildWindowOnlyHidesIt)
{
    InstallFilterForm();
    MDIMain& main = Start();
    IChildForm* form = Windows().FilterForm();
    QAction* entry = main.Entry(MainCommand::WindowFilter);
    form->ShowForm();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(entry->isVisible());
    EXPECT_TRUE(entry->isChecked());

    form->Unload(); // as the close box does
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(entry->isVisible());
    EXPECT_FALSE(entry->isChecked());
    EXPECT_TRUE(main.WindowHistory().WinHistory().isEmpty());
    EXPECT_TRUE(form->FormOpen());
    FlushDeletes();
    ASSERT_TRUE(m_filter);

    // The Window-menu command brings the same window back.
    m_filter->setProperty("state", 42);
    main.Entry(MainCommand::WindowFilter)->trigger();
    EXPECT_TRUE(m_filter->Visible());
    EXPECT_EQ(m_filter->property("state").toInt(), 42);
    EXPECT_TRUE(entry->isVisible());
    EXPECT_EQ(main.WindowHistory().WinHistory(), QStringList({"缩水过滤"}));
}

TEST_F(MdiMainTest, AnalysisWindowsTickTheirDataEntryAndUnloadForReal)
{
    MDIMain& main = Start();
    QPointer<TestInferForm> infer = new TestInferForm(2);
    State().InferForms[2] = infer;
    auto* other = new TestForm(QStringLiteral("fWay"), QStringLiteral("号码选杀号公式"));

    main.Controls().mnuWindowInfer[2]->trigger();
    EXPECT_TRUE(infer->Visible());
    EXPECT_TRUE(main.Controls().mnuDataInfer[2]->isChecked());
    EXPECT_TRUE(main.Controls().mnuWindowInfer[2]->isVisible());
    EXPECT_TRUE(main.Controls().mnuWindowInfer[2]->isChecked());

    // Another window becomes active: only the Window-menu tick moves.
    other->ShowForm();
    Settle();
    EXPECT_EQ(ActiveCaption(), QStringLiteral("号码选杀号公式"));
    EXPECT_FALSE(main.Controls().mnuWindowInfer[2]->isChecked());
    EXPECT_TRUE(main.Controls().mnuDataInfer[2]->isChecked());
    EXPECT_TRUE(main.Entry(MainCommand::WindowWay)->isChecked());

    // Choosing the entry of the active window keeps its tick; choosing the
    // entry of another window moves the tick there.
    main.Entry(MainCommand::WindowWay)->trigger();
    Settle();
    EXPECT_TRUE(main.Entry(MainCommand::WindowWay)->isChecked());
    EXPECT_FALSE(main.Controls().mnuWindowInfer[2]->isChecked());
    main.Controls().mnuWindowInfer[2]->trigger();
    Settle();
    EXPECT_EQ(ActiveCaption(), ViewName(2));
    EXPECT_TRUE(main.Controls().mnuWindowInfer[2]->isChecked());
    EXPECT_FALSE(main.Entry(MainCommand::WindowWay)->isChecked());
    main.Controls().mnuWindowInfer[2]->trigger();
    Settle();
    EXPECT_TRUE(main.Controls().mnuWindowInfer[2]->isChecked());

    State().FormsClosing = kTrue;
    main.UnloadChildForms();
    State().FormsClosing = 0;
    EXPECT_FALSE(main.Controls().mnuDataInfer[2]->isChecked());
    EXPECT_FALSE(main.Controls().mnuWindowInfer[2]->isVisible());
    EXPECT_EQ(State().InferForms[2], nullptr);
    EXPECT_TRUE(main.ChildForms().Forms().empty());
    FlushDeletes();
    EXPECT_FALSE(infer);
}

TEST_F(MdiMainTest, TheToolbarWalksTheWindowHistory)
{
    MDIMain& main = Start();
    for (const char* caption : {"P", "Q", "R"}) {
        (new TestForm(QStringLiteral("fTest"), QLatin1String(caption)))->ShowForm();
        Settle();
    }
    EXPECT_EQ(main.WindowHistory().WinHistory(), QStringList({"P", "Q", "R"}));
    EXPECT_EQ(ActiveCaption(), QStringLiteral("R"));
    EXPECT_TRUE(ButtonEnabled("Prev"));
    EXPECT_TRUE(ButtonEnabled("Next"));

    for (const char* expected : {"Q", "P", "R"}) {
        main.Controls().Tbr1->ButtonByKey(QStringLiteral("Prev"))->trigger();
        Settle();
        EXPECT_EQ(ActiveCaption(), QLatin1String(expected));
    }
    main.Controls().Tbr1->ButtonByKey(QStringLiteral("Prev"))->trigger(); // Q
    Settle();
    (new TestForm(QStringLiteral("fTest"), QStringLiteral("S")))->ShowForm();
    Settle();
    EXPECT_EQ(main.WindowHistory().WinHistory(), QStringList({"P", "Q", "S", "R"}));
    for (const char* expected : {"R", "P", "Q", "S"}) {
        main.Controls().Tbr1->ButtonByKey(QStringLiteral("Next"))->trigger();
        Settle();
        EXPECT_EQ(ActiveCaption(), QLatin1String(expected));
    }
}

// A child window of a designed size, with a minimum when one is given.
TestForm* ShownForm(const char* caption, QSize size, QSize minimum = {})
{
    auto* form = new TestForm(QStringLiteral("fTest"), QLatin1String(caption));
    form->resize(size);
    if (minimum.isValid())
        form->setMinimumSize(minimum);
    form->ShowForm();
    return form;
}

QScrollArea* Holder(const TestForm* form)
{
    return form->SubWindow()->findChild<QScrollArea*>();
}

TEST_F(MdiMainTest, FocusReturnsToTheWindowTheUserWasIn)
{
    // What happens, with or without a dialog, to the control that had the
    // focus in the window the user was in.
    enum class Meanwhile { Nothing, Busy, ControlHidden, ControlGone, OtherShownByCode };
    struct Case {
        Meanwhile meanwhile;
        bool dialog;
        const char* active; // the child window active at the end
        bool sameControl;   // and the control with the focus
    };
    const Case cases[] = {
        {Meanwhile::Nothing, true, "Q", true},
        {Meanwhile::Busy, true, "Q", true},  // busy around the dialog
        {Meanwhile::Busy, false, "Q", true}, // a long operation
        {Meanwhile::ControlHidden, true, "Q", false},
        {Meanwhile::ControlGone, true, "Q", false},
        {Meanwhile::OtherShownByCode, true, "P", false}, // the command's choice stands
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.meanwhile) << (c.dialog ? " dialog" : ""));
        MDIMain& main = Start();
        // The first window made (the filter window, as a rule) and the one
        // the user works in.
        auto* first = new TestForm(QStringLiteral("fTest"), QStringLiteral("P"));
        new QLineEdit(first);
        auto* used = new TestForm(QStringLiteral("fTest"), QStringLiteral("Q"));
        (new QLineEdit(used))->move(0, 40);
        QPointer<QLineEdit> edit = new QLineEdit(used);
        first->ShowForm();
        used->ShowForm();
        edit->setFocus();
        Settle();
        ASSERT_EQ(ActiveCaption(), QStringLiteral("Q"));

        CMsg msg;
        if (c.meanwhile == Meanwhile::Busy)
            msg.MainWait(true);
        if (c.dialog) {
            QDialog dialog(&main);
            dialog.show();
            dialog.activateWindow();
            Settle();
            if (c.meanwhile == Meanwhile::ControlHidden)
                edit->hide();
            if (c.meanwhile == Meanwhile::ControlGone)
                delete edit;
            if (c.meanwhile == Meanwhile::OtherShownByCode)
                first->ShowForm();
            dialog.hide();
            Settle();
        }
        if (c.meanwhile == Meanwhile::Busy)
            msg.MainWait(false);
        main.activateWindow();
        Settle();

        EXPECT_EQ(ActiveCaption(), QLatin1String(c.active));
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus && ChildFormOf(main.Controls().MdiArea->activeSubWindow())->isAncestorOf(focus));
        if (c.sameControl) {
            EXPECT_TRUE(edit && edit->hasFocus());
        }
        TearDown();
        SetUp();
    }
}

TEST_F(MdiMainTest, CascadeKeepsEachWindowsSize)
{
    MDIMain& main = Start();
    main.resize(1100, 800);
    Settle();
    const QList<TestForm*> forms = {ShownForm("P", {500, 300}), ShownForm("Q", {300, 200}),
                                    ShownForm("R", {420, 260})};
    QList<QSize> sizes;
    for (TestForm* form : forms)
        sizes << form->SubWindow()->size();
    forms[1]->SetFocus();
    Settle();

    main.Entry(MainCommand::WindowCascade)->trigger();
    QList<QMdiSubWindow*> order; // as they lay, the active one last
    for (QMdiSubWindow* sub : main.Controls().MdiArea->subWindowList(QMdiArea::StackingOrder))
        order << sub;
    ASSERT_EQ(order.size(), 3);
    EXPECT_EQ(order.back(), forms[1]->SubWindow());
    const int step = order[1]->y() - order[0]->y();
    EXPECT_GT(step, 10);
    for (qsizetype k = 0; k < order.size(); ++k) {
        EXPECT_EQ(order[k]->pos(), QPoint(int(k) * step, int(k) * step)) << k;
        EXPECT_EQ(order[k]->size(), sizes[forms.indexOf(ChildFormOf(order[k]))]) << k;
    }
}

TEST_F(MdiMainTest, TilingGivesEachWindowItsShareAndScrollsWhatDoesNotFit)
{
    MDIMain& main = Start();
    main.resize(1000, 760);
    Settle();
    // A window with a minimum of its own, one whose controls are placed for
    // its designed size, and a small one.
    TestForm* big = ShownForm("P", {640, 520}, {600, 500});
    TestForm* placed = ShownForm("R", {600, 480});
    TestForm* small = ShownForm("Q", {200, 100});

    main.Entry(MainCommand::WindowTileHorizontal)->trigger();
    Settle(); // the scroll bars follow their ranges
    const QSize area = main.Controls().MdiArea->viewport()->size();
    const int share = area.height() / 3;
    EXPECT_EQ(big->SubWindow()->geometry(), QRect(0, 0, area.width(), share));
    EXPECT_EQ(placed->SubWindow()->geometry(), QRect(0, share, area.width(), area.height() * 2 / 3 - share));
    // Too short for their shares: they keep their minimum height and scroll,
    // and take the width they are given.
    EXPECT_EQ(big->size(), QSize(Holder(big)->viewport()->width(), 500));
    EXPECT_EQ(placed->size(), QSize(Holder(placed)->viewport()->width(), 480));
    for (TestForm* form : {big, placed}) {
        EXPECT_TRUE(Holder(form)->verticalScrollBar()->isVisible()) << form->Caption().toStdString();
        EXPECT_FALSE(Holder(form)->horizontalScrollBar()->isVisible()) << form->Caption().toStdString();
    }
    // Larger than its design, it fills its share.
    EXPECT_EQ(small->size(), Holder(small)->viewport()->size());
    EXPECT_FALSE(Holder(small)->verticalScrollBar()->isVisible());

    main.Entry(MainCommand::WindowTileVertical)->trigger();
    Settle();
    EXPECT_EQ(big->SubWindow()->geometry(), QRect(0, 0, area.width() / 3, area.height()));
    EXPECT_EQ(big->size(), QSize(600, Holder(big)->viewport()->height()));
    EXPECT_EQ(placed->size(), QSize(600, Holder(placed)->viewport()->height()));
    EXPECT_TRUE(Holder(placed)->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(Holder(placed)->verticalScrollBar()->isVisible());

    // A size given by code is the window's room: its frame follows.
    const QSize frame = small->SubWindow()->size();
    small->resize(small->width() + 40, small->height() + 30);
    EXPECT_EQ(small->SubWindow()->size(), frame + QSize(40, 30));
    EXPECT_EQ(small->size(), Holder(small)->viewport()->size());
}

TEST_F(MdiMainTest, ArrangingLinesTheMinimisedWindowsUpAlongTheBottom)
{
    MDIMain& main = Start();
    main.resize(1000, 760);
    Settle();
    TestForm* first = ShownForm("P", {300, 200});
    TestForm* second = ShownForm("Q", {300, 200});
    TestForm* open = ShownForm("R", {300, 200});
    for (TestForm* form : {first, second}) {
        form->SubWindow()->showMinimized();
        Settle();
        form->SubWindow()->move(150, 40); // out of the row
    }
    const QRect before = open->SubWindow()->geometry();

    main.Entry(MainCommand::WindowArrangeIcons)->trigger();
    const int bottom = main.Controls().MdiArea->viewport()->height();
    const QRect icon = first->SubWindow()->geometry();
    EXPECT_EQ(icon.topLeft(), QPoint(0, bottom - icon.height()));
    EXPECT_EQ(second->SubWindow()->pos(), QPoint(icon.width(), bottom - second->SubWindow()->height()));
    EXPECT_EQ(open->SubWindow()->geometry(), before); // a window not minimised stays
}

TEST_F(MdiMainTest, ChildWindowsStayInsideASmallerMainWindow)
{
    MDIMain& main = Start();
    main.resize(1200, 900);
    Settle();
    TestForm* form = ShownForm("P", {700, 500}, {300, 200});
    form->SubWindow()->move(450, 300);
    TestForm* other = ShownForm("Q", {300, 200});
    other->SubWindow()->move(20, 20);

    main.resize(800, 600);
    Settle();
    const QRect area(QPoint(0, 0), main.Controls().MdiArea->viewport()->size());
    EXPECT_TRUE(area.contains(form->SubWindow()->geometry())) << area.width() << "x" << area.height();
    EXPECT_EQ(other->SubWindow()->pos(), QPoint(20, 20)); // inside: left where it was
    EXPECT_FALSE(main.Controls().MdiArea->verticalScrollBar()->isVisible());
}

// --- Menus and toolbar ---------------------------------------------------------

TEST_F(MdiMainTest, TheToolbarHasItsEighteenItems)
{
    MDIMain& main = Start();
    CXpToolBar* tbr = main.Controls().Tbr1;
    struct Item {
        int index;
        const char* key;
        const char16_t* caption;
    };
    const Item items[] = {
        {1, "Lottor", u"选择彩票"},  {3, "Edit", u"开奖号码"},  {4, "Query", u"中奖查询"},
        {6, "", u"数据分析"},        {7, "Way", u"公式选杀"},   {9, "Filter", u"缩水过滤"},
        {10, "Open", u"调出方案"},   {11, "Save", u"保存方案"}, {13, "Help", u"使用帮助"},
        {14, "Online", u"访问网站"}, {16, "Prev", u"前一窗口"}, {17, "Next", u"下一窗口"},
    };
    EXPECT_EQ(tbr->actions().size(), 18);
    for (const Item& item : items) {
        QAction* button = tbr->Button(item.index);
        ASSERT_TRUE(button) << item.index;
        EXPECT_EQ(CXpToolBar::Key(button), QLatin1String(item.key));
        EXPECT_EQ(button->text(), QString::fromUtf16(item.caption));
    }
    for (int index : {0, 2, 5, 8, 12})
        EXPECT_TRUE(tbr->Button(index)->isSeparator()) << index;
    EXPECT_EQ(tbr->Button(1)->toolTip(), QStringLiteral("选择要分析的彩票"));
    // The seventh button drops down the data-analysis menu.
    EXPECT_EQ(tbr->ButtonMenu(6), main.Menu(MainMenu::Data));
    EXPECT_EQ(tbr->ButtonMenu(1), nullptr);
    // Prev and Next sit at the right edge.
    main.resize(1200, 700);
    QApplication::processEvents();
    const QWidget* next = tbr->widgetForAction(tbr->Button(17));
    EXPECT_GT(next->geometry().left(), tbr->width() / 2);
}

TEST_F(MdiMainTest, TheToolbarHasNoMenuOfItsOwn)
{
    MDIMain& main = Start();
    // Whatever a right click opens is noted and closed at once.
    QStringList opened;
    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            for (QAction* action : popup->actions())
                opened << action->text();
            popup->close();
        }
    });
    closer.start(0);
    QWidget* bar = main.Controls().Tbr1;
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), bar->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(bar, &click);
    QApplication::processEvents();
    EXPECT_TRUE(opened.isEmpty()) << opened.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(MdiMainTest, TheDataButtonKeepsItsMenuInTheOverflow)
{
    InstallFakeLoader();
    MDIMain& main = Start();
    ASSERT_TRUE(main.LoadLottor(QStringLiteral("game")));
    main.EnableLottoCommands();
    // Too narrow for the buttons and too low to unfold them: the ones that
    // do not fit are listed in the overflow's menu.
    main.resize(260, 120);
    QApplication::processEvents();
    auto* more = main.Controls().Tbr1->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_TRUE(more && more->isVisible() && more->menu());
    QAction* data = nullptr;
    for (QAction* action : more->menu()->actions()) {
        if (action->text() == QStringLiteral("数据分析"))
            data = action;
    }
    ASSERT_TRUE(data);
    EXPECT_EQ(data->menu<QMenu*>(), main.Menu(MainMenu::Data));
    EXPECT_TRUE(data->isEnabled());
}

TEST_F(MdiMainTest, MenuEntriesCarryTheirKeys)
{
    MDIMain& main = Start();
    struct Key {
        QAction* entry;
        const char* key;
    };
    const Key keys[] = {
        {main.Entry(MainCommand::SysDataLottor), "Ctrl+L"},
        {main.Entry(MainCommand::SysExit), "Ctrl+E"},
        {main.Entry(MainCommand::OnlineNew), "Ctrl+N"},
        {main.Controls().mnuDataInfer[0], "Ctrl+R"},
        {main.Controls().mnuDataInfer[1], "Ctrl+F1"},
        {main.Controls().mnuDataInfer[7], "Ctrl+F7"},
        {main.Entry(MainCommand::ChipInQuery), "Ctrl+Q"},
        {main.Entry(MainCommand::WindowTileVertical), "Ctrl+T"},
        {main.Entry(MainCommand::HelpGuide), "F1"},
        {main.Entry(MainCommand::FilterDelect), "Shift+Del"},
        {main.Entry(MainCommand::FilterSort), "Ctrl+F"},
        {main.Entry(MainCommand::SysStatus), ""},
    };
    for (const Key& key : keys) {
        ASSERT_TRUE(key.entry) << key.key;
        EXPECT_EQ(key.entry->shortcut().toString(QKeySequence::PortableText), QLatin1String(key.key))
            << key.entry->objectName().toStdString();
    }
    const QList<QAction*> top = main.menuBar()->actions();
    QStringList titles;
    for (QAction* action : top)
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"系统(&S)", "在线操作(&O)", "数据分析(&D)", "投注操作(&C)", "窗口(&W)",
                                   "使用帮助(&H)"}));
    EXPECT_EQ(main.Controls().mnuDataInfer[3]->text(), QStringLiteral("转换数据分析三(&M)"));
    EXPECT_EQ(main.Controls().mnuWindowInfer[0]->text(), QStringLiteral("原始数据分析"));
    EXPECT_EQ(main.Menu(MainMenu::List)->actions().size(), 1);
    EXPECT_EQ(main.Menu(MainMenu::Filter)->actions().size(), 12);
}

// Every command and menu has its own entry, named by the command, and the
// windows find the same entries through their host.
TEST_F(MdiMainTest, EveryCommandHasItsOwnEntry)
{
    MDIMain& main = Start();
    const IWindowHost* host = Service<IWindowHost>();
    ASSERT_EQ(host, static_cast<IWindowHost*>(&main));
    std::set<const QAction*> entries;
    for (const MainCommand command : AllMainCommands()) {
        const QAction* entry = main.Entry(command);
        ASSERT_NE(entry, nullptr) << MainCommandName(command);
        EXPECT_EQ(entry->objectName().toStdString(), MainCommandName(command));
        EXPECT_TRUE(entries.insert(entry).second) << MainCommandName(command);
        EXPECT_EQ(host->Entry(command), entry);
    }
    std::set<const QMenu*> menus;
    for (size_t i = 0; i < kMainMenuCount; ++i) {
        const auto menu = static_cast<MainMenu>(i);
        ASSERT_NE(main.Menu(menu), nullptr) << MainMenuName(menu);
        EXPECT_EQ(main.Menu(menu)->objectName().toStdString(), MainMenuName(menu));
        EXPECT_TRUE(menus.insert(main.Menu(menu)).second) << MainMenuName(menu);
    }
}

TEST_F(MdiMainTest, TheMenusKeysWinInsideAChildWindow)
{
    WriteSettings(false, {QStringLiteral("a")});
    InstallFakeLoader();
    Windows().WayForm = NoForm;
    MDIMain& main = Start();
    ASSERT_TRUE(Enabled(MainCommand::ChipInWay));
    auto* form = new TestForm(QStringLiteral("fTest"), QStringLiteral("P"));
    auto* edit = new QLineEdit(form);
    form->ShowForm();
    edit->setFocus();
    Settle();
    ASSERT_TRUE(edit->hasFocus());
    int ran = 0;
    QObject::connect(main.Entry(MainCommand::ChipInWay), &QAction::triggered, [&] { ++ran; });

    // Ctrl+W is the formula command's, also where the child window's own
    // close key (Ctrl+W and Ctrl+F4, both keys of menu entries) would claim it.
    QTest::keyClick(edit, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(form->Visible());
}

TEST_F(MdiMainTest, EveryToolbarKeyRunsItsOwnCommand)
{
    // Every command's window is part of the program and a game is loaded, so
    // that every entry is enabled.
    WriteSettings(false, {QStringLiteral("a")});
    InstallFakeLoader();
    InstallNoGameWindows();
    InstallFilterForm();
    ShellWindows& windows = Windows();
    windows.DataSetForm = NoEditor;
    windows.HitQuery = [](QWidget*) {};
    windows.WayForm = NoForm;
    MDIMain& main = Start();
    ASSERT_TRUE(State().CurLottorData);

    const std::pair<const char*, MainCommand> commands[] = {
        {"Lottor", MainCommand::SysDataLottor}, {"Edit", MainCommand::SysDataEdit},
        {"Query", MainCommand::ChipInQuery},    {"Way", MainCommand::ChipInWay},
        {"Filter", MainCommand::ChipInFilter},  {"Open", MainCommand::ChipInGet},
        {"Save", MainCommand::ChipInPut},       {"Help", MainCommand::HelpGuide},
        {"Online", MainCommand::OnlineWWW},
    };
    std::vector<MainCommand> ran;
    for (const auto& [key, entry] : commands) {
        QAction* action = main.Entry(entry);
        ASSERT_TRUE(action && action->isEnabled()) << MainCommandName(entry);
        const MainCommand command = entry;
        QObject::connect(action, &QAction::triggered, [&ran, command] { ran.push_back(command); });
    }
    const ScopedService<HelpShower> noHelp([](const QString&, const QString&) {});
    for (const auto& [key, entry] : commands) {
        ran.clear();
        QAction* button = main.Controls().Tbr1->ButtonByKey(QLatin1String(key));
        ASSERT_TRUE(button) << key;
        button->trigger();
        EXPECT_EQ(ran, std::vector<MainCommand>({entry})) << key;
    }

    // Prev and Next walk the window history.
    for (const char* caption : {"P", "Q"}) {
        (new TestForm(QStringLiteral("fTest"), QLatin1String(caption)))->ShowForm();
        Settle();
    }
    ran.clear();
    for (const auto& [key, expected] : {std::pair{"Prev", "P"}, std::pair{"Next", "Q"}}) {
        main.Controls().Tbr1->ButtonByKey(QLatin1String(key))->trigger();
        Settle();
        EXPECT_EQ(ActiveCaption(), QLatin1String(expected)) << key;
    }
    EXPECT_TRUE(ran.empty());
}

TEST_F(MdiMainTest, ToolbarButtonsRunTheirMenuCommands)
{
    InstallNoGameWindows();
    MDIMain& main = Start();
    int chosen = 0;
    QObject::connect(main.Entry(MainCommand::SysDataLottor), &QAction::triggered, [&] { ++chosen; });
    main.Controls().Tbr1->Button(1)->trigger();
    EXPECT_EQ(chosen, 1);
    // The data button has no command of its own.
    Q_EMIT main.Controls().Tbr1->ButtonClick(main.Controls().Tbr1->Button(MDIMain::kDataButton));
    EXPECT_EQ(chosen, 1);
}

} // namespace
} // namespace kelton
