#include <functional>
#include <memory>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/infer_form_factory.h"
#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "data/settings.h"
#include "data/text_helpers.h"
#include "engine/stat.h"
#include "host/ui/child_form.h"
#include "host/ui/shell_windows.h"
#include "host/ui/xp_toolbar.h"
#include "platform/help_pages.h"
#include "platform/name_tables.h"
#include "platform/program_folder.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "qt_app_env.h"
#include "shell/lottor_loader.h"
#include "shell/ui/grid_copy.h"
#include "shell/ui/mdi_main.h"
#include "shell/ui/shell_open.h"
#include "shell/win_history.h"
#include "shell_test_fakes.h"
#include "support/test_support.h"

namespace kelton {
namespace {

const QString kThreeDigits = QStringLiteral("[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n");

// A filter window that records the operations the commands call, and its
// refills on the game document's word.
class FakeFilterForm : public CChildForm, public IFilterForm {
public:
    explicit FakeFilterForm(GameDocument& document)
        : CChildForm(QStringLiteral("fFilter"), QStringLiteral("缩水过滤"))
    {
        connect(&document, &GameDocument::statisticsRebuilt, this,
                [this] { Calls << QStringLiteral("RefreshForm"); });
    }
    void OpenChinIn() override { Calls << QStringLiteral("OpenChinIn"); }
    void SaveChinIn() override { Calls << QStringLiteral("SaveChinIn"); }
    void AddFilter() override { Calls << QStringLiteral("AddFilter"); }
    void ViewFilterSel() override { Calls << QStringLiteral("ViewFilterSel"); }
    void DelResultSel() override { Calls << QStringLiteral("DelResultSel"); }
    void DelResultAll() override { Calls << QStringLiteral("DelResultAll"); }
    void CopyResultAll() override { Calls << QStringLiteral("CopyResultAll"); }
    void tbrResult_ButtonClick(const QString& sKey) override { Calls << QStringLiteral("tbrResult:") + sKey; }
    QStringList Calls;
};

// A grid whose cell (r, c) reads "r.c".
class FakeGrid : public IGridCells {
public:
    int Row() const override { return row; }
    int RowSel() const override { return rowSel; }
    int Col() const override { return col; }
    int ColSel() const override { return colSel; }
    QString TextMatrix(int r, int c) const override { return QStringLiteral("%1.%2").arg(r).arg(c); }
    int row = 0, rowSel = 0, col = 0, colSel = 0;
};

// An analysis window with a grid; counts its refreshes (as an open analysis
// window refreshes, on the game document's word) and notes the view it was
// made for.
class FakeInferForm : public CChildForm, public IInferForm, public IGridCopySource {
public:
    FakeInferForm(GameDocument& document, int16_t view, CStat* stat = nullptr)
        : CChildForm(QStringLiteral("FInfer"), ViewName(view)), View(view), Stat(stat)
    {
        connect(&document, &GameDocument::statisticsRebuilt, this, [this] {
            if (FormOpen())
                ++Refreshed;
        });
    }
    IGridCells* msgMain() override { return &Grid; }
    int Refreshed = 0;
    FakeGrid Grid;
    int16_t View;
    CStat* Stat;
};

class FakeFactory : public IInferFormFactory {
public:
    explicit FakeFactory(GameDocument& document) : m_document(document) {}
    IInferForm* CreateInferForm(int16_t sView, CStat& sStat) override
    {
        auto* form = new FakeInferForm(m_document, sView, &sStat);
        Made << form;
        return form;
    }
    QList<QPointer<FakeInferForm>> Made;

private:
    GameDocument& m_document;
};

// The draw editor: hands back what the test sets.
class FakeDataSet : public IDataSetForm {
public:
    void SetSelTsp(const QString& sKey) override { SelTsp = sKey; }
    void ShowModal(QWidget* owner) override
    {
        ++Shown;
        ShownWith = SelTsp;
        EXPECT_NE(qobject_cast<MDIMain*>(owner), nullptr); // over the main window
    }
    bool IsChang() const override { return Chang; }
    QString NumStr() const override { return Text; }
    QString SelTsp;
    QString ShownWith;
    int Shown = 0;
    bool Chang = false;
    QString Text;
};

class CommandsTest : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Windows().FilterForm = [this]() -> IChildForm* {
            // A window unloaded for real is made anew.
            if (!m_filter || !m_filter->FormOpen())
                m_filter = new FakeFilterForm(State().Document);
            return m_filter.data();
        };
    }

    // An empty file under the program folder.
    QString Touch(const QString& relative)
    {
        const QString path = ProgramPath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    // The real loader over CLottorData.
    void InstallRealLoader()
    {
        m_loader.emplace([this](const QString& sFile, int16_t nViews) -> std::optional<LoadedLottor> {
            LoadedFiles << sFile;
            auto lottor = std::make_shared<CLottorData>();
            if (lottor->OpenData(nViews, sFile))
                return std::nullopt;
            LoadedLottor game;
            game.LottorName = lottor->HeadData.LottorName;
            game.BM = lottor->HeadData.BM;
            game.MrMain = lottor->HeadData.MrMain;
            game.MrDataName = lottor->HeadData.MrDataName;
            game.Lottor = std::move(lottor);
            return game;
        });
    }

    // A game file of three-digit draws 2024001.. with the digits given.
    void MakeGame(const QString& relative, const QStringList& digits)
    {
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(kThreeDigits, relative, 1000));
        }
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, relative));
        std::vector<Draw> draws;
        for (int i = 0; i < digits.size(); ++i) {
            Draw draw;
            draw.Issue = 2024001 + i;
            draw.Num = {0};
            for (const QChar c : digits[i])
                draw.Num.push_back(static_cast<int16_t>(c.digitValue()));
            draws.push_back(draw);
        }
        ASSERT_EQ(game.Add(draws), digits.size());
        ASSERT_FALSE(game.UpData());
    }

    void Restart()
    {
        delete m_main;
        m_main = nullptr;
        FlushDeletes();
        State().FormsClosing = 0;
        Start();
    }

    QAction* Entry(MainCommand command) const { return m_main->Entry(command); }

    QPointer<FakeFilterForm> m_filter;
    QStringList Opened;
    QStringList Help;
    ScopedService<ShellOpener> m_opener{[this](const QUrl& url) { Opened << url.toString(); }};
    ScopedService<HelpShower> m_help{
        [this](const QString& folder, const QString& topic) { Help << folder + "|" + topic; }};
};

// --- Start-up ----------------------------------------------------------------

TEST_F(CommandsTest, WithoutAChooserTheStartUpOpensTheLastGame)
{
    // A fresh settings file asks for the chooser, which is not part of the
    // program here: the game the list names opens.
    WriteSettings(true, {{QStringLiteral("排列三"), QStringLiteral("Lottor/lottor1000")}});
    InstallFakeLoader();
    MDIMain& main = Start();
    EXPECT_EQ(LoadedFiles, QStringList({"Lottor/lottor1000"}));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Kelton 2.04 - [lottor1000]"));
    ASSERT_TRUE(m_filter);
    EXPECT_TRUE(m_filter->Visible());
}

TEST_F(CommandsTest, TheStartUpSeedsTheHelpPages)
{
    Start();
    EXPECT_TRUE(QFileInfo(HelpFolder() + QStringLiteral("/qy.htm")).isFile());
    EXPECT_TRUE(QFileInfo(HelpFolder() + QStringLiteral("/FAbout.htm")).isFile());
}

TEST_F(CommandsTest, AGameThatCannotBeOpenedAtStartUpIsReportedEveryTime)
{
    const struct {
        const char* name;
        std::function<void(const QString& file)> fault;
        QString reason;
    } cases[] = {
        // One bit of the draw count flipped: 3 draws read as 2.
        {"damaged",
         [](const QString& file) {
             QFile f(file);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(25) && f.write("\x02", 1) == 1);
         },
         QStringLiteral("彩票数据文件已损坏")},
        // A folder where a statistics file must be rebuilt.
        {"statistics",
         [](const QString& file) {
             const QString view = CLottorData::StatPath(file, 3);
             ASSERT_TRUE(QFile::remove(view) && QDir().mkpath(view));
         },
         QStringLiteral("分析数据无法写入文件")},
    };
    m_loader.emplace(&OpenLottorFile);
    for (const auto& c : cases) {
        MakeGame(QStringLiteral("Lottor/g"),
                 {QStringLiteral("123"), QStringLiteral("456"), QStringLiteral("789")});
        const QString file = ProgramPath(QStringLiteral("Lottor/g"));
        c.fault(file);
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        WriteSettings(false, {{QStringLiteral("我的游戏"), QStringLiteral("Lottor/g")}});
        // Reported at every start, not only the first.
        for (int start = 0; start < 2; ++start) {
            m_boxes.Texts.clear();
            Restart();
            ASSERT_EQ(m_boxes.Texts.size(), 1) << c.name;
            EXPECT_EQ(m_boxes.Texts[0], QStringLiteral("打开彩票“我的游戏”失败，") + c.reason +
                                            QStringLiteral("：") + file +
                                            QStringLiteral("\n彩票数据文件未作任何改动。"))
                << c.name;
            EXPECT_FALSE(State().CurLottorData);
            EXPECT_FALSE(Entry(MainCommand::DataRefresh)->isEnabled());
        }
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before) << c.name;
        f.close();
        QDir(ProgramPath(QStringLiteral("Lottor"))).removeRecursively();
    }
}

// --- Choose game -------------------------------------------------------------

TEST_F(CommandsTest, ChoosingTheLoadedGameKeepsItsWindows)
{
    const QString path = Touch(QStringLiteral("Lottor/a/game"));
    WriteSettings(false, {{QStringLiteral("A"), path}});
    InstallFakeLoader();
    MDIMain& main = Start();
    ASSERT_EQ(LoadedFiles.size(), 1);

    // The list names the same file another way: relative, with a detour.
    for (const QString& spelling :
         {path, QStringLiteral("Lottor/a/game"), QStringLiteral("Lottor/a/../a/game")}) {
        SCOPED_TRACE(spelling.toStdString());
        Windows().ChooseGame = [&](QWidget*) {
            State().LottoItems.LottoAdd(QStringLiteral("0"), QStringLiteral("A2"), spelling);
            State().LottoItems.SetSelectItem(static_cast<int16_t>(State().LottoItems.LottoCount() - 1));
            return true;
        };
        main.Entry(MainCommand::SysDataLottor)->trigger();
        EXPECT_EQ(LoadedFiles.size(), 1);
        ASSERT_TRUE(m_filter);
        EXPECT_TRUE(m_filter->Visible());
        EXPECT_TRUE(m_boxes.Texts.isEmpty());
    }
}

TEST_F(CommandsTest, AGameOfTheSameFileNameElsewhereIsAnotherGame)
{
    const QString first = Touch(QStringLiteral("Lottor/a/game"));
    const QString second = Touch(QStringLiteral("Lottor/b/game"));
    WriteSettings(false, {{QStringLiteral("A"), first}, {QStringLiteral("B"), second}});
    InstallFakeLoader();
    MDIMain& main = Start();
    QPointer<FakeFilterForm> before = m_filter;

    Windows().ChooseGame = [this](QWidget*) {
        State().LottoItems.SetSelectItem(1);
        return true;
    };
    main.UpdateCommands();
    main.Entry(MainCommand::SysDataLottor)->trigger();
    EXPECT_EQ(LoadedFiles, QStringList({first, second}));
    EXPECT_EQ(main.LottorPath(), second);
    // The windows of the previous game were unloaded for real; the filter
    // window opens afresh.
    FlushDeletes();
    EXPECT_FALSE(before);
    ASSERT_TRUE(m_filter);
    EXPECT_TRUE(m_filter->Visible());
    EXPECT_EQ(State().FormsClosing, 0);
}

TEST_F(CommandsTest, AChosenGameWhoseFileIsMissingIsReported)
{
    const QString current = Touch(QStringLiteral("Lottor/now"));
    WriteSettings(
        false, {{QStringLiteral("Now"), current}, {QStringLiteral("Gone"), QStringLiteral("Lottor/gone")}});
    InstallFakeLoader();
    MDIMain& main = Start();
    ASSERT_EQ(LoadedFiles.size(), 1);
    // The files of both games are gone: compared by what is on disk alone,
    // they would count as the same game.
    QFile::remove(current);
    Windows().ChooseGame = [this](QWidget*) {
        State().LottoItems.SetSelectItem(1);
        return true;
    };
    main.UpdateCommands();
    main.Entry(MainCommand::SysDataLottor)->trigger();
    EXPECT_EQ(LoadedFiles.size(), 1); // no load attempted
    ASSERT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_EQ(m_boxes.Titles[0], QStringLiteral("操作错误"));
    EXPECT_EQ(m_boxes.Texts[0],
              QStringLiteral("打开彩票失败，找不到彩票数据文件：") + ProgramPath("Lottor/gone"));
    // Nothing was closed.
    EXPECT_TRUE(m_filter && m_filter->Visible());
    EXPECT_TRUE(Entry(MainCommand::ChipInFilter)->isEnabled());

    // Without a game loaded it is reported all the same.
    State().CurLottorData.reset();
    main.Entry(MainCommand::SysDataLottor)->trigger();
    EXPECT_EQ(LoadedFiles.size(), 1);
    EXPECT_EQ(m_boxes.Texts.size(), 2);
}

TEST_F(CommandsTest, AGameThatCannotBeOpenedClosesTheWindowsAndKeepsTheOldGame)
{
    const QString good = Touch(QStringLiteral("Lottor/good"));
    const QString bad = Touch(QStringLiteral("Lottor/bad"));
    WriteSettings(false, {{QStringLiteral("Good"), good}, {QStringLiteral("Bad"), bad}});
    InstallFakeLoader();
    MDIMain& main = Start();
    const auto current = State().CurLottorData;

    Windows().ChooseGame = [this](QWidget*) {
        State().LottoItems.SetSelectItem(1);
        return true;
    };
    main.UpdateCommands();
    main.Entry(MainCommand::SysDataLottor)->trigger();
    EXPECT_EQ(State().CurLottorData, current);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Kelton 2.04 - [good]"));
    FlushDeletes();
    EXPECT_FALSE(m_filter);
    EXPECT_FALSE(Entry(MainCommand::ChipInFilter)->isEnabled());
    ASSERT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_EQ(m_boxes.Texts[0], QStringLiteral("打开彩票“Bad”失败，彩票数据文件无法读取：") + bad +
                                    QStringLiteral("\n彩票数据文件未作任何改动。"));
}

TEST_F(CommandsTest, ACancelledChooserChangesNothing)
{
    const QString path = Touch(QStringLiteral("Lottor/a"));
    WriteSettings(false, {{QStringLiteral("A"), path}});
    InstallFakeLoader();
    MDIMain& main = Start();
    int asked = 0;
    Windows().ChooseGame = [&](QWidget* owner) {
        ++asked;
        EXPECT_EQ(owner, &main);
        return false;
    };
    main.UpdateCommands(); // a window installed after the start
    Entry(MainCommand::SysDataLottor)->trigger();
    main.Controls().Tbr1->ButtonByKey(QStringLiteral("Lottor"))->trigger();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(LoadedFiles.size(), 1);
    EXPECT_TRUE(m_filter && m_filter->Visible());
}

// --- Draw numbers --------------------------------------------------------------

class DrawCommitTest : public CommandsTest {
protected:
    void SetUp() override
    {
        CommandsTest::SetUp();
        MakeGame(QStringLiteral("Lottor/game"), {"123", "456", "789", "012"});
        WriteSettings(false, {{QStringLiteral("三位数"), QStringLiteral("Lottor/game")}});
        InstallRealLoader();
        Windows().DataSetForm = [this] { return &m_editor; };
        Start();
        ASSERT_TRUE(State().CurLottorData);
        ASSERT_EQ(Game().NumCount(), 4);
    }
    CLottorData& Game() const { return *State().CurLottorData; }

    FakeFactory m_factory{State().Document};
    ScopedService<IInferFormFactory> m_factoryInstalled{&m_factory};
    FakeDataSet m_editor;
};

TEST_F(DrawCommitTest, TheLoadedGameHasOneAnalysisWindowPerView)
{
    // The windows are made one per view, bound to its statistics.
    ASSERT_EQ(m_factory.Made.size(), 8);
    for (int16_t v = 0; v < 8; ++v) {
        ASSERT_TRUE(m_factory.Made[v]) << v;
        EXPECT_EQ(m_factory.Made[v]->View, v);
        EXPECT_EQ(m_factory.Made[v]->Stat, Game().StatView(v));
        EXPECT_EQ(State().InferForms[static_cast<size_t>(v)], m_factory.Made[v].data());
    }
}

TEST_F(CommandsTest, AGameWhoseViewsWereRebuiltGetsItsWindows)
{
    FakeFactory factory(State().Document);
    const ScopedService<IInferFormFactory> installed(&factory);
    MakeGame(QStringLiteral("Lottor/game"), {"123", "456"});
    ASSERT_TRUE(QFile::remove(CLottorData::StatPath(ProgramPath(QStringLiteral("Lottor/game")), 5)));
    WriteSettings(false, {{QStringLiteral("三位数"), QStringLiteral("Lottor/game")}});
    m_loader.emplace(&OpenLottorFile);
    Start();
    ASSERT_TRUE(State().CurLottorData);
    EXPECT_EQ(State().CurLottorData->StatView(5)->RecordCount(), 3);
    ASSERT_EQ(factory.Made.size(), 8);
    for (int16_t v = 0; v < 8; ++v)
        EXPECT_EQ(State().InferForms[static_cast<size_t>(v)], factory.Made[v].data());
}

TEST_F(DrawCommitTest, AnEditorClosedWithoutConfirmingChangesNothing)
{
    m_editor.Text = QString();
    Entry(MainCommand::SysDataEdit)->trigger();
    EXPECT_EQ(m_editor.Shown, 1);
    EXPECT_EQ(Game().NumCount(), 4);
    ASSERT_TRUE(m_filter);
    FlushDeletes();
    EXPECT_TRUE(m_filter);
    EXPECT_TRUE(m_factory.Made[0]);
}

TEST_F(DrawCommitTest, ConfirmedDrawsAreStoredAndTheWindowsComeBack)
{
    m_editor.Chang = true;
    m_editor.Text = QStringLiteral("2024001: 1 2 3\r\n2024002: 4 5 6\r\n2024003: 9 9 9\r\n");
    const auto firstWindows = m_factory.Made;
    Entry(MainCommand::SysDataEdit)->trigger();
    EXPECT_TRUE(m_boxes.Texts.isEmpty()) << m_boxes.Texts.join(';').toStdString();
    EXPECT_EQ(Game().NumCount(), 3);
    EXPECT_EQ(Game().Num(1, 2), 9);
    EXPECT_EQ(Game().StatView(0)->RecordCount(), 4);
    // The analysis windows were unloaded for real and made anew.
    FlushDeletes();
    for (const auto& form : firstWindows)
        EXPECT_FALSE(form);
    for (int i = 0; i < AppState::InferCount; ++i)
        EXPECT_NE(State().InferForms[i], nullptr) << i;
    ASSERT_TRUE(m_filter);
    EXPECT_TRUE(m_filter->Visible());
    EXPECT_EQ(State().FormsClosing, 0);
}

TEST_F(DrawCommitTest, OnlyAnEmptyListDeletesTheHistory)
{
    struct Case {
        const char* text;
        int16_t count; // draws kept
        bool reported;
    };
    const Case cases[] = {
        {"not a draw\r\nnor this\r\n", 4, true}, // nothing readable: kept, reported
        {"2024001: 1 2\r\n", 4, true},           // too few numbers
        {"2024001: 1 2 33\r\n", 4, true},        // a number out of range
        {"  \r\n\r\n", 0, false},                // the user removed every draw
        {"", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        // Back to four draws.
        m_editor.Chang = true;
        m_editor.Text =
            QStringLiteral("2024001: 1 2 3\r\n2024002: 4 5 6\r\n2024003: 7 8 9\r\n2024004: 0 1 2\r\n");
        m_main->Entry(MainCommand::SysDataEdit)->trigger();
        ASSERT_EQ(Game().NumCount(), 4);
        m_boxes.Texts.clear();

        m_editor.Text = QString::fromUtf8(c.text);
        m_main->Entry(MainCommand::SysDataEdit)->trigger();
        EXPECT_EQ(Game().NumCount(), c.count);
        EXPECT_EQ(Game().StatView(0)->RecordCount(), c.count + 1);
        EXPECT_EQ(m_boxes.Texts.size(), c.reported ? 1 : 0);
        if (c.reported) {
            EXPECT_EQ(m_boxes.Titles.back(), QStringLiteral("操作错误"));
            EXPECT_TRUE(m_boxes.Texts.back().startsWith(QStringLiteral("更新开奖号码失败，")));
        }
        ASSERT_TRUE(m_filter);
        EXPECT_TRUE(m_filter->Visible());
    }
}

TEST_F(DrawCommitTest, MoreDrawsThanAGameKeepsAreRefusedForThatReason)
{
    m_editor.Chang = true;
    m_editor.Text = QStringLiteral("2024001: 1 2 3\r\n2024002: 4 5 6\r\n");
    m_main->Entry(MainCommand::SysDataEdit)->trigger();
    ASSERT_EQ(Game().NumCount(), 2);
    m_boxes.Texts.clear();

    QString text;
    for (int issue = 1; issue <= CLottorData::kMaxDraws + 1; ++issue)
        text += QString::number(issue) + QStringLiteral(": 1 2 3\r\n");
    m_editor.Text = text;
    m_main->Entry(MainCommand::SysDataEdit)->trigger();
    EXPECT_EQ(Game().NumCount(), 2);
    EXPECT_EQ(m_boxes.Texts, QStringList({QStringLiteral(
                                 "更新开奖号码失败，开奖号码超过了一种彩票最多可保存的32766期，原有的开奖号码未作改动。")}));
}

TEST_F(DrawCommitTest, AFailedUpdateIsReported)
{
    // The data file can no longer be replaced.
    const QString path = Game().FilePath();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    m_editor.Chang = true;
    m_editor.Text = QStringLiteral("2024001: 1 2 3\r\n");
    m_main->Entry(MainCommand::SysDataEdit)->trigger();
    ASSERT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_EQ(m_boxes.Titles[0], QStringLiteral("操作错误"));
    EXPECT_EQ(m_boxes.Texts[0], QStringLiteral("更新开奖号码失败，开奖号码或分析数据无法写入文件。"));
}

TEST_F(DrawCommitTest, TheDownloadCommandOpensTheEditorOnItsDownloadTab)
{
    Entry(MainCommand::OnlineDownLoadData)->trigger();
    EXPECT_EQ(m_editor.ShownWith, QStringLiteral("DownLoad"));
    // The tab stays chosen for the next opening.
    Entry(MainCommand::SysDataEdit)->trigger();
    EXPECT_EQ(m_editor.Shown, 2);
    EXPECT_EQ(m_editor.ShownWith, QStringLiteral("DownLoad"));
}

// --- Regenerate ------------------------------------------------------------------

TEST_F(DrawCommitTest, RegeneratingRebuildsTheViewsAndRefreshesTheWindows)
{
    auto* infer = m_factory.Made[2].data();
    ASSERT_TRUE(infer);
    infer->ShowForm();
    Settle();
    // Every view is written again.
    const QString statFile = CLottorData::StatPath(Game().FilePath(), 7);
    QFile(statFile).setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime);

    Entry(MainCommand::DataRefresh)->trigger();
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    EXPECT_GT(QFileInfo(statFile).lastModified().date().year(), 2001);
    EXPECT_EQ(Game().StatView(7)->RecordCount(), 5);
    // The windows were only hidden, and each open one refreshed.
    FlushDeletes();
    ASSERT_TRUE(m_factory.Made[2]);
    EXPECT_FALSE(infer->Visible());
    EXPECT_EQ(infer->Refreshed, 1);
    EXPECT_EQ(State().InferForms[2], infer);
    ASSERT_TRUE(m_filter);
    EXPECT_EQ(m_filter->Calls, QStringList({"RefreshForm"}));
    EXPECT_TRUE(m_filter->Visible());
}

TEST_F(DrawCommitTest, AFailedRegenerationIsReported)
{
    const QString path = Game().FilePath();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    m_main->Entry(MainCommand::DataRefresh)->trigger();
    ASSERT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_EQ(m_boxes.Titles[0], QStringLiteral("操作错误"));
    ASSERT_TRUE(m_filter);
    EXPECT_TRUE(m_filter->Visible());
}

// --- Data and bet commands -----------------------------------------------------

TEST_F(DrawCommitTest, TheDataMenuOpensAndClosesAnAnalysisWindow)
{
    FakeInferForm* infer = m_factory.Made[4];
    QAction* entry = m_main->Controls().mnuDataInfer[4];
    entry->trigger();
    EXPECT_TRUE(infer->Visible());
    EXPECT_TRUE(entry->isChecked());
    entry->trigger();
    EXPECT_FALSE(infer->Visible());
    EXPECT_FALSE(entry->isChecked());
    EXPECT_TRUE(infer->FormOpen());
}

TEST_F(CommandsTest, TheBetsMenuTogglesTheFilterWindowAndCallsItsOperations)
{
    const QString path = Touch(QStringLiteral("Lottor/a"));
    WriteSettings(false, {{QStringLiteral("A"), path}});
    InstallFakeLoader();
    MDIMain& main = Start();
    ASSERT_TRUE(m_filter && m_filter->Visible());

    Entry(MainCommand::ChipInFilter)->trigger();
    EXPECT_FALSE(m_filter->Visible());
    EXPECT_FALSE(Entry(MainCommand::WindowFilter)->isVisible());
    Entry(MainCommand::ChipInFilter)->trigger();
    EXPECT_TRUE(m_filter->Visible());

    struct Call {
        MainCommand entry;
        const char* call;
    };
    const Call calls[] = {
        {MainCommand::ChipInGet, "OpenChinIn"},         {MainCommand::ChipInPut, "SaveChinIn"},
        {MainCommand::FilterCopy, "CopyResultAll"},     {MainCommand::FilterView, "ViewFilterSel"},
        {MainCommand::FilterAdd, "AddFilter"},          {MainCommand::FilterDelect, "DelResultSel"},
        {MainCommand::FilterDelectAll, "DelResultAll"}, {MainCommand::FilterSort, "tbrResult:Refresh"},
    };
    for (const Call& call : calls) {
        m_filter->Calls.clear();
        Entry(call.entry)->trigger();
        EXPECT_EQ(m_filter->Calls, QStringList({QLatin1String(call.call)})) << MainCommandName(call.entry);
    }
    // The toolbar's scheme buttons run the same commands.
    m_filter->Calls.clear();
    main.Controls().Tbr1->ButtonByKey(QStringLiteral("Open"))->trigger();
    main.Controls().Tbr1->ButtonByKey(QStringLiteral("Save"))->trigger();
    EXPECT_EQ(m_filter->Calls, QStringList({"OpenChinIn", "SaveChinIn"}));
}

TEST_F(CommandsTest, TheDialogCommandsOpenTheirDialogs)
{
    const QString path = Touch(QStringLiteral("Lottor/a"));
    WriteSettings(false, {{QStringLiteral("A"), path}});
    InstallFakeLoader();
    MDIMain& main = Start();

    QStringList shown;
    ShellWindows& windows = Windows();
    windows.DataInOut = [&](QWidget* owner, int16_t tag) {
        EXPECT_EQ(owner, &main);
        shown << QStringLiteral("DataInOut%1").arg(tag);
    };
    windows.HitQuery = [&](QWidget*) {
        // The prize query runs with the program busy.
        EXPECT_TRUE(CMsg().IsBusy());
        shown << QStringLiteral("HitQuery");
    };
    windows.LottoOption = [&](QWidget*) { shown << QStringLiteral("LottoOption"); };
    windows.MrReplace = [&](QWidget*) { shown << QStringLiteral("MrReplace"); };
    windows.OptionDialog = [&](QWidget*) { shown << QStringLiteral("Option"); };
    windows.UpgradeDialog = [&](QWidget*) { shown << QStringLiteral("Upgrade"); };
    windows.AboutBox = [&](QWidget*) { shown << QStringLiteral("About"); };
    main.UpdateCommands();

    struct Expect {
        MainCommand entry;
        const char* dialog;
    };
    const Expect expects[] = {
        {MainCommand::ChipInOpen, "DataInOut2"},
        {MainCommand::FilterOpen, "DataInOut2"},
        {MainCommand::ChipInSave, "DataInOut1"},
        {MainCommand::FilterSave, "DataInOut1"},
        {MainCommand::ChipInSaveData, "DataInOut3"},
        {MainCommand::ChipInQuery, "HitQuery"},
        {MainCommand::SysLottorOption, "LottoOption"},
        {MainCommand::FilterReplace, "MrReplace"},
        {MainCommand::SysOption, "Option"},
        {MainCommand::OnlineUpgrade, "Upgrade"},
        {MainCommand::HelpAbout, "About"},
    };
    for (const Expect& expect : expects) {
        shown.clear();
        main.Entry(expect.entry)->trigger();
        EXPECT_EQ(shown, QStringList({QLatin1String(expect.dialog)})) << MainCommandName(expect.entry);
    }
    EXPECT_FALSE(CMsg().IsBusy());

    // Windows that are not part of the program: the commands are disabled,
    // and their handlers do nothing either.
    windows = ShellWindows{};
    for (const Expect& expect : expects)
        main.Entry(expect.entry)->trigger();
    main.UpdateCommands();
    for (const Expect& expect : expects)
        EXPECT_FALSE(main.Entry(expect.entry)->isEnabled()) << MainCommandName(expect.entry);
    EXPECT_FALSE(CMsg().IsBusy());
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
}

// --- Toolbar and status bar toggles ----------------------------------------------

TEST_F(CommandsTest, TheBarTogglesAreKeptAcrossARestart)
{
    MDIMain* main = &Start();
    Entry(MainCommand::SysBar)->trigger();
    Entry(MainCommand::SysStatus)->trigger();
    EXPECT_FALSE(main->Controls().Tbr1->isVisible());
    EXPECT_FALSE(main->Controls().StbNews->isVisible());
    EXPECT_FALSE(Entry(MainCommand::SysBar)->isChecked());
    EXPECT_FALSE(Entry(MainCommand::SysStatus)->isChecked());
    EXPECT_EQ(State().SettingRecord.ShowToolBar(), 0);
    EXPECT_EQ(State().SettingRecord.ShowStatusBar(), 0);
    ASSERT_TRUE(main->close());

    Restart();
    main = m_main;
    EXPECT_FALSE(main->Controls().Tbr1->isVisible());
    EXPECT_FALSE(main->Controls().StbNews->isVisible());
    EXPECT_FALSE(Entry(MainCommand::SysBar)->isChecked());
    EXPECT_FALSE(Entry(MainCommand::SysStatus)->isChecked());

    // And back on, by the keys.
    Entry(MainCommand::SysBar)->trigger();
    main->Entry(MainCommand::SysStatus)->trigger();
    EXPECT_TRUE(main->Controls().Tbr1->isVisible());
    EXPECT_TRUE(main->Controls().StbNews->isVisible());
    EXPECT_TRUE(Entry(MainCommand::SysBar)->isChecked());
    EXPECT_TRUE(Entry(MainCommand::SysStatus)->isChecked());
    ASSERT_TRUE(main->close());
    Restart();
    EXPECT_TRUE(m_main->Controls().Tbr1->isVisible());
    EXPECT_TRUE(m_main->Controls().StbNews->isVisible());
}

// --- Notice ticker ---------------------------------------------------------------

void SetNotices(ServerInfo& info, const QStringList& texts)
{
    QList<SysNotice>& notices = info.SysNotify;
    notices.clear();
    for (const QString& text : texts)
        notices.push_back({text, QStringLiteral("http://news.example/") + text});
}

// One tick of the ticker's timer.
void Tick(MDIMain& main)
{
    QMetaObject::invokeMethod(main.Controls().tmrStatus, "timeout");
}

// A left click on a panel of the status bar.
void ClickPanel(QLabel* panel)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), panel->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &press);
}

// Ticks until the next notice starts.
void AdvanceToNextNotice(MDIMain& main)
{
    do
        Tick(main);
    while (main.NoticeShown() != 1);
}

// The notice entries in the order they start, over a number of ticks.
QList<int> StartedNotices(MDIMain& main, int ticks)
{
    QList<int> started;
    for (int i = 0; i < ticks; ++i) {
        Tick(main);
        if (main.NoticeShown() == 1)
            started << main.NoticeIndex();
    }
    return started;
}

TEST_F(CommandsTest, TheTickerShowsTheNoticesInTurn)
{
    MDIMain& main = Start();
    EXPECT_FALSE(main.Controls().tmrStatus->isActive());
    EXPECT_EQ(main.Controls().tmrStatus->interval(), 300);

    SetNotices(State().SysInfo, {"a", "bb", "c"});
    main.DataSetOther();
    EXPECT_TRUE(main.Controls().tmrStatus->isActive());
    // Each notice takes its length plus 60 blank steps.
    EXPECT_EQ(StartedNotices(main, 61 + 62 + 61 + 61 + 1), QList<int>({1, 2, 0, 1}));

    // One notice: the same one after every 60 blanks.
    Restart();
    SetNotices(State().SysInfo, {"abc"});
    m_main->DataSetOther();
    Tick(*m_main);
    EXPECT_EQ(m_main->NoticeIndex(), 0);
    EXPECT_EQ(m_main->Controls().NoticePanel->text(), QStringLiteral("a"));
    Tick(*m_main);
    EXPECT_EQ(m_main->Controls().NoticePanel->text(), QStringLiteral("ab"));
    EXPECT_EQ(m_main->NoticeText(), QStringLiteral("abc") + QString(60, QLatin1Char(' ')));
    EXPECT_EQ(StartedNotices(*m_main, 63 * 2), QList<int>({0, 0}));
}

TEST_F(CommandsTest, TheTickerRunsOnlyWithNoticesAndAVisibleStatusBar)
{
    MDIMain& main = Start();
    main.DataSetOther();
    EXPECT_FALSE(main.Controls().tmrStatus->isActive()); // no notices

    SetNotices(State().SysInfo, {"hello", "world"});
    main.Entry(MainCommand::SysStatus)->trigger(); // hidden
    main.DataSetOther();
    EXPECT_FALSE(main.Controls().tmrStatus->isActive());
    main.Entry(MainCommand::SysStatus)->trigger(); // shown again
    EXPECT_TRUE(main.Controls().tmrStatus->isActive());

    for (int i = 0; i < 3; ++i)
        Tick(main);
    const int index = main.NoticeIndex();
    const int shown = main.NoticeShown();
    main.Entry(MainCommand::SysStatus)->trigger();
    EXPECT_FALSE(main.Controls().tmrStatus->isActive());
    main.Entry(MainCommand::SysStatus)->trigger();
    EXPECT_TRUE(main.Controls().tmrStatus->isActive());
    // It goes on where it stopped.
    EXPECT_EQ(main.NoticeIndex(), index);
    EXPECT_EQ(main.NoticeShown(), shown);
    Tick(main);
    EXPECT_EQ(main.Controls().NoticePanel->text(), QStringLiteral("worl"));

    // The timer really ticks, on its own.
    main.Controls().tmrStatus->setInterval(1);
    const int before = main.NoticeShown();
    QTimer::singleShot(30, [] {});
    for (int i = 0; i < 50 && main.NoticeShown() == before; ++i)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    EXPECT_NE(main.NoticeShown(), before);
}

TEST_F(CommandsTest, AClickOnTheTickerOpensTheNoticeOnShow)
{
    MDIMain& main = Start();
    // With no notices nothing opens.
    ClickPanel(main.Controls().NoticePanel);
    EXPECT_TRUE(Opened.isEmpty());

    SetNotices(State().SysInfo, {"a", "b"});
    State().SysInfo.SysNotify.push_back({QStringLiteral("local"), QStringLiteral("Kelt.dat")});
    State().SysInfo.SysNotify.push_back({QStringLiteral("file"), QStringLiteral("file:///etc/passwd")});
    main.DataSetOther();
    Tick(main); // notice 1 starts
    ClickPanel(main.Controls().NoticePanel);
    EXPECT_EQ(Opened, QStringList({"http://news.example/b"}));
    // Another panel's click does nothing.
    ClickPanel(main.Controls().StatusPanel);
    EXPECT_EQ(Opened.size(), 1);

    // Links that are no web address are never opened.
    QFile(ProgramPath(QStringLiteral("Kelt.dat"))).open(QIODevice::WriteOnly);
    for (int i = 0; i < 2; ++i) {
        AdvanceToNextNotice(main);
        ClickPanel(main.Controls().NoticePanel);
    }
    EXPECT_EQ(main.NoticeIndex(), 3);
    EXPECT_EQ(Opened.size(), 1);
}

// --- Start-up online information ---------------------------------------------

TEST_F(CommandsTest, TheStartUpOffersANewerEditionOrOpensAPage)
{
    struct Case {
        const char* edition;
        const char* list;
        bool offered;
    };
    const Case cases[] = {
        {"2.1", "http://up.example/list.txt", true}, // 2.10 > 2.04, not "2.1" < "2.04" as text
        {"2.05", "http://up.example/list.txt", true},    {"2.04", "http://up.example/list.txt", false},
        {"2.0400", "http://up.example/list.txt", false}, {"2.05", "", false},
        {"new", "http://up.example/list.txt", false},    {"", "", false},
    };
    MDIMain& main = Start();
    int offers = 0;
    Windows().UpgradeDialog = [&](QWidget* owner) {
        EXPECT_EQ(owner, &main);
        ++offers;
    };
    State().SysInfo.SysShowPage = {QStringLiteral("http://page.example/one")};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edition);
        offers = 0;
        Opened.clear();
        State().SysInfo.SysNewEdition = QLatin1String(c.edition);
        State().SysInfo.SysNewEditionList = QLatin1String(c.list);
        main.DataSetOther();
        EXPECT_EQ(offers, c.offered ? 1 : 0);
        EXPECT_EQ(Opened, c.offered ? QStringList() : QStringList({"http://page.example/one"}));
    }
}

TEST_F(CommandsTest, ThePageIsOneOfTheListedWebPages)
{
    MDIMain& main = Start();
    main.DataSetOther();
    EXPECT_TRUE(Opened.isEmpty()); // none listed

    const QStringList pages = {QStringLiteral("http://page.example/1"),
                               QStringLiteral("https://page.example/2")};
    State().SysInfo.SysShowPage = pages;
    QSet<QString> seen;
    for (int i = 0; i < 60; ++i) {
        Opened.clear();
        main.DataSetOther();
        ASSERT_EQ(Opened.size(), 1);
        seen.insert(Opened[0]);
    }
    EXPECT_EQ(seen, QSet<QString>(pages.begin(), pages.end()));

    // An address that is no web page is not opened.
    QFile(ProgramPath(QStringLiteral("Kelt.dat"))).open(QIODevice::WriteOnly);
    State().SysInfo.SysShowPage = {QStringLiteral("Kelt.dat")};
    Opened.clear();
    main.DataSetOther();
    EXPECT_TRUE(Opened.isEmpty());
}

TEST_F(CommandsTest, TheStartUpAppliesTheOnlineInformationBeforeReady)
{
    {
        AppState written; // what an earlier run left
        IniSystem(written);
        written.SysInfo.FromText(QStringLiteral("[Notify]\r\nnews\thttp://news.example/\r\n[ShowPage]\r\n"
                                                "http://page.example/\r\n"));
        ASSERT_TRUE(SaveSetFile(written, QString::fromLatin1(kSetFileKey)));
    }
    Windows().DataSetOther = [](MDIMain& m) { m.DataSetOther(); };
    MDIMain& main = Start();
    EXPECT_EQ(Opened, QStringList({"http://page.example/"}));
    EXPECT_TRUE(main.Controls().tmrStatus->isActive());
    EXPECT_EQ(main.StatusText(), QStringLiteral("就绪"));
}

// --- Web site --------------------------------------------------------------------

TEST_F(CommandsTest, TheSiteCommandsOpenTheServerAddresses)
{
    MDIMain& main = Start();
    ServerInfo& info = State().SysInfo;
    info.SysAddress = {QStringLiteral("http://site.example/"), QStringLiteral("http://other.example/")};
    info.SysMenuSever = QStringLiteral("http://service.example/");
    info.SysMenuNew = QStringLiteral("javascript:alert(1)");
    Entry(MainCommand::OnlineWWW)->trigger();
    Entry(MainCommand::HelpOnline)->trigger();
    main.Controls().Tbr1->ButtonByKey(QStringLiteral("Online"))->trigger();
    Entry(MainCommand::OnlineService)->trigger();
    Entry(MainCommand::OnlineNew)->trigger();
    EXPECT_EQ(Opened, QStringList({"http://site.example/", "http://site.example/", "http://site.example/",
                                   "http://service.example/"}));
    EXPECT_TRUE(m_boxes.Texts.isEmpty());

    info.SysAddress.clear();
    Opened.clear();
    Entry(MainCommand::OnlineWWW)->trigger();
    EXPECT_TRUE(Opened.isEmpty());
    EXPECT_EQ(m_boxes.Titles, QStringList({"系统提示！"}));
    EXPECT_EQ(m_boxes.Texts, QStringList({"访问网站出错！"}));
}

// --- Help ------------------------------------------------------------------------

TEST_F(CommandsTest, TheUserGuideShowsThePageOfTheActiveWindow)
{
    MDIMain& main = Start();
    const QString folder = HelpFolder();
    EXPECT_EQ(main.HelpTopic(), QStringLiteral("qy.htm"));
    Entry(MainCommand::HelpGuide)->trigger();

    Windows().FilterForm()->ShowForm();
    Settle();
    EXPECT_EQ(main.HelpTopic(), QStringLiteral("fFilter.htm"));
    main.Controls().Tbr1->ButtonByKey(QStringLiteral("Help"))->trigger();

    auto* infer = new FakeInferForm(State().Document, 1);
    infer->ShowForm();
    Settle();
    Entry(MainCommand::HelpGuide)->trigger();
    EXPECT_EQ(Help, QStringList({folder + "|qy.htm", folder + "|fFilter.htm", folder + "|FInfer.htm"}));

    // Closed windows leave the main window's own page.
    infer->Unload();
    m_filter->Unload();
    Settle();
    EXPECT_EQ(main.HelpTopic(), QStringLiteral("qy.htm"));
}

// --- Grid copy -------------------------------------------------------------------

TEST_F(CommandsTest, TheGridSelectionIsCopiedWithItsHeaders)
{
    FakeGrid grid;
    grid.row = 5;
    grid.rowSel = 3;
    grid.col = 2;
    grid.colSel = 4;
    const QString expected = QStringLiteral("0.0\t0.2\t0.3\t0.4\r\n"
                                            "3.0\t3.2\t3.3\t3.4\r\n"
                                            "4.0\t4.2\t4.3\t4.4\r\n"
                                            "5.0\t5.2\t5.3\t5.4\r\n");
    EXPECT_EQ(GridSelectionText(grid), expected);
    grid.row = grid.rowSel = 1;
    grid.col = grid.colSel = 0;
    EXPECT_EQ(GridSelectionText(grid), QStringLiteral("0.0\t0.0\r\n1.0\t1.0\r\n"));

    MDIMain& main = Start();
    auto* infer = new FakeInferForm(State().Document, 0);
    infer->Grid.row = 5;
    infer->Grid.rowSel = 3;
    infer->Grid.col = 2;
    infer->Grid.colSel = 4;
    infer->ShowForm();
    Settle();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    main.Entry(MainCommand::ListCopy)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);

    // Another window active: the clipboard stays as it is.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Windows().FilterForm()->ShowForm();
    Settle();
    main.Entry(MainCommand::ListCopy)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

} // namespace
} // namespace kelton
