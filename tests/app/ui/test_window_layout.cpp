// Every window and dialog of the program, on the real history, as a user
// sees it on a large and a small screen, with the default font and one a
// quarter larger: no control covers another or lies outside its window,
// and every text is whole where it is drawn.

#include <functional>
#include <map>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QTest>

#include <gtest/gtest.h>

#include "analysis/infer_views.h"
#include "analysis/ui/infer_form.h"
#include "analysis/ui/infer_windows.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "filter/ui/filter_bound_form.h"
#include "filter/ui/filter_form.h"
#include "filter/ui/mr_replace_dialog.h"
#include "formula/ui/way_form.h"
#include "games/ui/lotto_logo.h"
#include "games/ui/lotto_reg.h"
#include "games/ui/real_history_test.h"
#include "host/ui/xp_toolbar.h"
#include "otherfilter/other_filter_page.h"
#include "otherfilter/ui/other_filter_panel.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/modal_dialog.h"
#include "results/ui/hit_query_form.h"
#include "results/ui/printer_form.h"
#include "results/ui/results_windows.h"
#include "support/layout_check.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

// The screens the windows open on: the offscreen platform shows two, the
// large one first and the small one right of it, so that every window sizes
// and places itself by the screen it is on.
const QRect kLargeScreen(0, 0, 1600, 1000);
const QRect kSmallScreen(1600, 0, 1024, 700);

const bool g_screensConfigured = [] {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return false; // on a real display, its own screens
    static QTemporaryFile config;
    if (!config.open())
        return false;
    QStringList screens;
    for (const QRect& r : {kLargeScreen, kSmallScreen})
        screens << u"{\"name\": \"s%1\", \"x\": %1, \"y\": %2, \"width\": %3, \"height\": %4, "
                   u"\"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}"_s.arg(r.x())
                       .arg(r.y())
                       .arg(r.width())
                       .arg(r.height());
    config.write((u"{\"windowFrameMargins\": true, \"screens\": ["_s + screens.join(u", "_s) + u"]}"_s).toUtf8());
    config.flush();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    return true;
}();

struct Screen {
    QRect Rect;
    int FontPercent;
};

std::ostream& operator<<(std::ostream& os, const Screen& s)
{
    return os << s.Rect.width() << "x" << s.Rect.height() << " font " << s.FontPercent << "%";
}

class WindowLayout : public test::RealHistoryTest, public ::testing::WithParamInterface<Screen> {
protected:
    void SetUp() override
    {
        RealHistoryTest::SetUp();
        InstallFormulaWindows(Windows(), m_context.State);
        InstallAnalysisWindows(Windows(), m_context.State);
        InstallHitQueryWindow(Windows(), m_context.State);
        InstallPrinterWindow(Windows(), m_context.State);
        InstallResultsWindows(Windows(), m_context.State);
        InstallOtherFilterWindows(Windows(), m_context.State);
        m_font = QApplication::font();
        QFont font = m_font;
        font.setPointSizeF(m_font.pointSizeF() * GetParam().FontPercent / 100.0);
        QApplication::setFont(font);
    }

    void TearDown() override
    {
        RealHistoryTest::TearDown();
        QApplication::setFont(m_font);
    }

    // The program started on the sample game, its main window as large as
    // the screen.
    MDIMain& StartOnScreen()
    {
        MDIMain& main = StartWithSampleGame();
        main.show();
        Settle();
        // As large as the screen, frame and all.
        const QRect screen = ScreenRect();
        const QMargins frame(main.geometry().left() - main.frameGeometry().left(),
                             main.geometry().top() - main.frameGeometry().top(),
                             main.frameGeometry().right() - main.geometry().right(),
                             main.frameGeometry().bottom() - main.geometry().bottom());
        main.setGeometry(screen.marginsRemoved(frame));
        Settle();
        return main;
    }

    QRect ScreenRect() const { return GetParam().Rect; }

    // The layout check of a window, its faults reported as failures.
    void Check(const QWidget& window, const QString& state = {})
    {
        Settle();
        // A window on the screen it opened on (the game chooser of the start
        // opens before the main window has moved to the small screen).
        const QRect screen = window.isWindow() && window.screen() ? window.screen()->geometry() : ScreenRect();
        for (const QString& fault : test::CheckLayout(window, {screen}))
            ADD_FAILURE() << fault.toStdString() << (state.isEmpty() ? "" : "  — " + state.toStdString());
    }

    // Every tab of every tab strip of a dialog in turn.
    void CheckEveryTab(QWidget& window)
    {
        Check(window);
        for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                Check(window, u"tab "_s + tabs->tabText(i));
            }
        }
        for (QTabBar* bar : window.findChildren<QTabBar*>()) {
            if (qobject_cast<QTabWidget*>(bar->parentWidget()))
                continue;
            for (int i = 0; i < bar->count(); ++i) {
                bar->setCurrentIndex(i);
                Check(window, u"tab "_s + bar->tabText(i));
            }
        }
    }

    // Every modal dialog is checked on every tab, then worked by the handler
    // a test queued for it (OnModal), else by the step for its class (which
    // may open the next dialog), then cancelled.
    ScopedService<ModalRunner> m_checkingRunner{[this](QDialog& dialog) {
        dialog.show();
        Settle();
        CheckEveryTab(dialog);
        m_checked << dialog.objectName();
        auto& queue = m_handlers[dialog.objectName()];
        if (!queue.empty()) {
            const auto handler = std::move(queue.front());
            queue.pop_front();
            handler(dialog);
            return dialog.result();
        }
        if (const auto step = m_steps.find(dialog.objectName()); step != m_steps.end())
            step->second(dialog);
        return int(QDialog::Rejected);
    }};

    std::map<QString, std::function<void(QDialog&)>> m_steps;
    QStringList m_checked; // the dialogs shown, by class
    QFont m_font;
};

TEST_P(WindowLayout, MainWindowAndItsPanels)
{
    MDIMain& main = StartOnScreen();
    Check(main);

    // The other-filter panel on each of its pages, with an item in each and
    // every pick list open.
    auto* panel = dynamic_cast<PicOtherFilter*>(main.PicOtherFilter());
    ASSERT_NE(panel, nullptr);
    for (const OtherPage which : kOtherPages) {
        panel->ShowPage(which);
        COtherFilterPage* page = panel->Page(which);
        page->CmdAdd_Click();
        Check(main, panel->LblCaption()->text());
        CFlexGrid* grid = page->Grid();
        for (int col = 1; col < grid->Cols(); ++col) {
            if (OtherPageTraits(which).Columns[static_cast<size_t>(col)].Kind != PageCellKind::PickList)
                continue;
            grid->SetRow(1);
            grid->SetCol(col);
            page->Grid_Click();
            const QString state = panel->LblCaption()->text() + u" list of "_s + grid->TextMatrix(0, col);
            Check(main, state);
            QListWidget* list = page->PickList(OtherPageTraits(which).Columns[static_cast<size_t>(col)].PickList);
            ASSERT_TRUE(list->isVisible()) << state.toStdString();
            Check(*list, state);
            list->hide();
        }
    }
}

TEST_P(WindowLayout, AnalysisWindowInEveryView)
{
    StartOnScreen();
    m_main->Controls().mnuDataInfer[0]->trigger();
    auto* form = dynamic_cast<FInfer*>(State().InferForms[0].get());
    ASSERT_NE(form, nullptr);
    Check(*form, u"opened"_s);
    const auto every = [&](ViewFamily family, int count) {
        for (int16_t i = 0; i < count; ++i) {
            const ViewId id{family, i};
            QRadioButton* option = form->Controls().OptionOf(id);
            if (!option)
                continue;
            form->SetCurrentViewName(option->text());
            form->FindClick();
            Check(*form, option->text());
        }
    };
    every(ViewFamily::ListAll, 1);
    every(ViewFamily::List, 8);
    every(ViewFamily::Stat, 8);
    every(ViewFamily::StatAll, 1);
    every(ViewFamily::All, 1);
    every(ViewFamily::Filter, static_cast<int>(form->Controls().OptFilter.size()));
    every(ViewFamily::Cycle, 1);
    every(ViewFamily::Gather, 4);
    every(ViewFamily::FilterMiss, 4);
    every(ViewFamily::FilterMiss2, 5);
    // The miss statistics of a pattern indicator, whose title lists its 27
    // codes, and of the pair AC值 x 和值, whose legend lists 84 pairs.
    const auto miss = [&](QRadioButton* option, int kindA, int kindB) {
        form->SetCurrentViewName(option->text());
        form->FindClick();
        form->Controls().cboPTFilter->setCurrentIndex(kindA);
        if (kindB >= 0)
            form->Controls().cboPTFilter2->setCurrentIndex(kindB);
        form->TopBarChanged();
        Check(*form, option->text() + u" of "_s + form->Controls().cboPTFilter->currentText());
    };
    miss(form->Controls().optFilterMiss[0], 37, -1);
    miss(form->Controls().optFilterMiss2[0], 0, 1);
    // The number tables in every display mode.
    for (int mode = 0; mode < 3; ++mode) {
        form->Controls().OptPTKind[mode]->click();
        for (int16_t i = -1; i < 8; ++i) {
            QRadioButton* option = i < 0 ? form->Controls().OptListAll : form->Controls().OptList[i];
            form->SetCurrentViewName(option->text());
            form->FindClick();
            Check(*form, option->text() + u" / "_s + form->Controls().OptPTKind[mode]->text());
        }
    }
}

TEST_P(WindowLayout, FilterWindowOnEveryTab)
{
    StartOnScreen();
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    auto* filter = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(filter, nullptr);
    MakeDirectBets(*filter);
    for (int tab = 1; tab <= filter->Controls().tspChipIn->count(); ++tab) {
        filter->SelectTab(tab);
        Check(*filter, filter->Controls().tspChipIn->tabText(tab - 1));
    }
    // The condition rows scrolled half way and to their end.
    filter->SelectTab(2);
    for (const int value : {filter->Controls().vslChipIn->maximum() / 2, filter->Controls().vslChipIn->maximum()}) {
        filter->Controls().vslChipIn->setValue(value);
        Check(*filter, u"rows scrolled to %1"_s.arg(value));
    }
    // The group bets show the group digit grid.
    filter->SelectBetType(1);
    Check(*filter, u"group bets"_s);
}

TEST_P(WindowLayout, ChildWindowsAndTheSidePanel)
{
    MDIMain& main = StartOnScreen();
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    auto* filter = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(filter, nullptr);
    MakeDirectBets(*filter);

    // The extreme-range window, over the last 100 issues.
    filter->Controls().cmdChipInNearLay->click();
    auto* bound = dynamic_cast<FFilterBound*>(Windows().FilterBoundForm());
    ASSERT_NE(bound, nullptr);
    Check(*bound, u"opened"_s);
    bound->sdrLay()->setValue(100);
    Check(*bound, u"100 issues"_s);
    bound->Unload();

    // The formula window on each of its tabs.
    Entry(MainCommand::ChipInWay)->trigger();
    auto* way = dynamic_cast<FWay*>(Windows().WayForm());
    ASSERT_NE(way, nullptr);
    CheckEveryTab(*way);

    // The scheme check's side panel, for a drawn issue 150 back.
    Pick(filter->Controls().cboNumName, Game().NumCount() - 151);
    filter->Controls().cmdChipInVali->click();
    Settle();
    ASSERT_TRUE(main.Controls().picWindow->isVisible());
    Check(main, u"scheme check"_s);

    // The print preview of the bets, fitted and at actual size.
    filter->Controls().cmdPrintFilter->click();
    fPrinter* preview = m_main->findChild<fPrinter*>();
    ASSERT_NE(preview, nullptr);
    Check(*preview, u"fitted"_s);
    preview->cmdZoom()->click();
    Check(*preview, u"actual size"_s);
    preview->cmdExit()->click();
}

TEST_P(WindowLayout, EveryDialog)
{
    // The chooser at the start, its new game and the new game's templates.
    m_steps = {
        {u"FLottoLogo"_s, [](QDialog& d) { static_cast<FLottoLogo&>(d).CmdLottoAdd()->click(); }},
        {u"FLottoReg"_s, [](QDialog& d) { static_cast<FLottoReg&>(d).CmdImport()->click(); }},
    };
    StartOnScreen();
    Entry(MainCommand::SysDataLottor)->trigger();
    for (MainCommand command :
         {MainCommand::SysOption, MainCommand::SysLottorOption, MainCommand::SysDataEdit,
          MainCommand::HelpAbout, MainCommand::OnlineUpgrade, MainCommand::ChipInSaveData,
          MainCommand::ChipInOpen, MainCommand::ChipInQuery})
        Entry(command)->trigger();
    // The help window, a window of its own.
    Entry(MainCommand::HelpGuide)->trigger();
    Check(Service<HelpViewerOwner>()->Viewer(), u"help"_s);
    Service<HelpViewerOwner>()->Close();

    // The dialogs that need bets, and the pickers.
    m_main->Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    auto* filter = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(filter, nullptr);
    MakeDirectBets(*filter);
    Entry(MainCommand::ChipInSave)->trigger();
    filter->AddFilter();                                    // the bet-number picker
    filter->SelectTab(2);
    // The value picker of 升平降, its cells named by the pattern's legend.
    QTest::mouseClick(filter->Controls().chkFilter[41], Qt::LeftButton);
    QTest::mouseClick(filter->Controls().TxtFilter[41], Qt::LeftButton);
    auto* panel = dynamic_cast<PicOtherFilter*>(m_main->PicOtherFilter());
    ASSERT_NE(panel, nullptr);
    panel->ShowPage(OtherPage::Match);
    COtherFilterPage* match = panel->Page(OtherPage::Match);
    match->CmdAdd_Click();
    match->Grid()->SetRow(1);
    match->Grid()->SetCol(2);
    match->Grid_Click(); // the number-list picker

    // The batch replacement of secondary numbers, whatever the game.
    FMrReplace replace(m_context.State, m_main);
    ExecModal(replace);

    for (const char* name : {"FLottoLogo", "FLottoReg", "FLottoTemplate", "FOption", "FLottoOption", "FDataSet",
                             "FAbout", "FUpgrade", "FDataInOut", "fHitQuery", "fBall", "FSelVal", "FBalls",
                             "FMrReplace"})
        EXPECT_TRUE(m_checked.contains(QLatin1String(name))) << name << " was never shown";
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowLayout,
                         ::testing::Values(Screen{kLargeScreen, 100}, Screen{kLargeScreen, 125},
                                           Screen{kSmallScreen, 100}, Screen{kSmallScreen, 125}),
                         [](const ::testing::TestParamInfo<Screen>& info) {
                             return std::to_string(info.param.Rect.width()) + "x" +
                                    std::to_string(info.param.Rect.height()) + "_font" +
                                    std::to_string(info.param.FontPercent);
                         });

} // namespace
} // namespace kelton
