#include "results/ui/data_in_out.h"

#include <deque>
#include <functional>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/draw_text.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "filter/ui/filter_form.h"
#include "filter/ui/filter_windows.h"
#include "host/ui/xp_toolbar.h"
#include "platform/gbk.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/modal_dialog.h"
#include "results/ui/results_windows.h"
#include "shell/lottor_loader.h"
#include "shell/ui/qt_app_env.h"
#include "shell/ui/shell_test_fakes.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QString kThreeDigits = u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;

// Answers the file dialogs with Paths in turn (cancel once they run out).
class FakeFiles : public IFileDialogs {
public:
    QString GetOpenFile(QWidget*, const QString& title, const QString& filter, const QString&) override
    {
        return Answer(u"open "_s + title, filter);
    }
    QString GetSaveFile(QWidget*, const QString& title, const QString& filter, const QString&) override
    {
        return Answer(u"save "_s + title, filter);
    }
    std::deque<QString> Paths;
    QStringList Asked;

private:
    QString Answer(const QString& title, const QString& filter)
    {
        Asked << title + u'|' + filter;
        if (Paths.empty())
            return QString();
        QString path = Paths.front();
        Paths.pop_front();
        return path;
    }
};

// Message boxes that note title and text and run OnShow (given the box's
// title) before answering.
class ScriptedBoxes : public IMessageBoxes {
public:
    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons) override
    {
        Shown << title + u'|' + text;
        if (OnShow)
            return OnShow(title);
        return QMessageBox::Ok;
    }
    QStringList Shown;
    std::function<QMessageBox::StandardButton(const QString& title)> OnShow;
};

class DataInOutTest : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_loader.emplace(&OpenLottorFile);
        InstallFilterWindows(Windows(), m_context.State);
        InstallResultsWindows(Windows(), m_context.State);
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
    }

    // A game of three digits with three draws, its filter window open.
    fFilter& Open()
    {
        const QString file = u"Lottor/lottor1000"_s;
        {
            CLottorData created;
            EXPECT_FALSE(created.CreateData(kThreeDigits, file, 1000));
        }
        {
            CLottorData game;
            EXPECT_FALSE(game.OpenData(8, file));
            EXPECT_EQ(game.Add({Draw{2024001, {0, 5, 0, 7}}, Draw{2024002, {0, 1, 2, 3}},
                                Draw{2024003, {0, 8, 8, 8}}}),
                      3);
            EXPECT_FALSE(game.UpData());
        }
        MDIMain& main = Start();
        EXPECT_TRUE(main.LoadLottor(file));
        main.EnableLottoCommands();
        main.Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
        Settle();
        m_form = dynamic_cast<fFilter*>(Windows().FilterForm());
        return *m_form;
    }

    // Runs a main-window command; handler works the dialog it opens.
    void Run(MainCommand command, const std::function<void(FDataInOut&)>& handler)
    {
        bool shown = false;
        const ScopedService<ModalRunner> runner([&](QDialog& dialog) {
            auto* typed = dynamic_cast<FDataInOut*>(&dialog);
            EXPECT_NE(typed, nullptr);
            if (typed) {
                shown = true;
                handler(*typed);
            }
            return dialog.result();
        });
        QAction* entry = m_main->Entry(command);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->isEnabled()) << MainCommandName(command);
        entry->trigger();
        Settle();
        EXPECT_TRUE(shown) << MainCommandName(command);
    }

    QString FilePath(const QString& name) const { return m_dir.filePath(name); }
    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    FakeFiles m_files;
    ScopedService<IFileDialogs> m_filesInstalled{&m_files};
    ScriptedBoxes m_scripted;
    ScopedService<IMessageBoxes> m_scriptedInstalled{&m_scripted};
    QPointer<fFilter> m_form;
};

TEST_F(DataInOutTest, CommandsOpenTheirTabAndTheFileChoiceFollowsIt)
{
    Open();
    const struct {
        MainCommand Command;
        QString Key;
        QString Asked;
    } rows[] = {
        {MainCommand::ChipInSave, u"SaveFilter"_s,
         u"save 保存投注数据|三位数投注数据(*.voskr)|*.voskr|文本文件(*.txt)|*.txt"_s},
        {MainCommand::FilterSave, u"SaveFilter"_s,
         u"save 保存投注数据|三位数投注数据(*.voskr)|*.voskr|文本文件(*.txt)|*.txt"_s},
        {MainCommand::ChipInOpen, u"OpenFilter"_s,
         u"open 加载投注数据|三位数投注数据(*.voskr)|*.voskr|文本文件(*.txt)|*.txt"_s},
        {MainCommand::FilterOpen, u"OpenFilter"_s,
         u"open 加载投注数据|三位数投注数据(*.voskr)|*.voskr|文本文件(*.txt)|*.txt"_s},
        {MainCommand::ChipInSaveData, u"SaveData"_s,
         u"save 保存历史开奖数据|三位数历史数据(*.voskr)|*.voskr|文本文件(*.txt)|*.txt"_s},
    };
    for (const auto& r : rows) {
        m_files.Asked.clear();
        Run(r.Command, [&](FDataInOut& dialog) {
            EXPECT_EQ(dialog.windowTitle(), u"数据导入导出"_s);
            EXPECT_EQ(dialog.SelectedKey(), r.Key) << MainCommandName(r.Command);
            ASSERT_EQ(dialog.LstFormat()->count(), 10);
            EXPECT_EQ(dialog.LstFormat()->currentRow(), 0);
            EXPECT_EQ(dialog.LstFormat()->item(0)->text(), u"N:X X X"_s);
            EXPECT_FALSE(dialog.cmdCancel()->isEnabled());
            // A cancelled choice keeps the path; a chosen one replaces it.
            dialog.TxtPath()->setText(u"kept"_s);
            QTest::mouseClick(dialog.cmdPath(), Qt::LeftButton);
            EXPECT_EQ(dialog.TxtPath()->text(), u"kept"_s);
            m_files.Paths.push_back(u"/tmp/chosen.voskr"_s);
            QTest::mouseClick(dialog.cmdPath(), Qt::LeftButton);
            EXPECT_EQ(dialog.TxtPath()->text(), u"/tmp/chosen.voskr"_s);
            dialog.reject();
        });
        EXPECT_EQ(m_files.Asked, QStringList(2, r.Asked)) << MainCommandName(r.Command);
    }
    // A tag other than 1..3 opens the save tab.
    bool shown = false;
    const ScopedService<ModalRunner> runner([&shown](QDialog& dialog) {
        auto* typed = dynamic_cast<FDataInOut*>(&dialog);
        shown = typed && typed->SelectedKey() == u"SaveFilter"_s;
        return int(QDialog::Rejected);
    });
    Windows().DataInOut(m_main, 7);
    EXPECT_TRUE(shown);
}

TEST_F(DataInOutTest, SavedBetsLoadBackIntoTheFilterWindow)
{
    fFilter& form = Open();
    GameDocument& doc = m_context.State.Document;
    const BetList& bets = doc.Bets();
    doc.ChangeBets([](BetList& list) {
        list.Reset(3);
        for (int16_t v = 0; v < 12; ++v)
            list.AddBet(std::vector<int16_t>{0, static_cast<int16_t>(v % 10), 1, 2});
    });
    const QString path = FilePath(u"bets.voskr"_s);

    Run(MainCommand::ChipInSave, [&](FDataInOut& dialog) {
        dialog.TxtPath()->setText(path);
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
        EXPECT_TRUE(dialog.cmdOK()->isEnabled());
        dialog.reject();
    });
    // The user is told how many bets went into the file.
    EXPECT_EQ(m_scripted.Shown, QStringList{u"操作提示|已保存12注投注。"_s});
    m_scripted.Shown.clear();
    const QList<QByteArray> lines = Bytes(path).split('\n');
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], ToGbk(AppTitle() + u"\r"_s));
    EXPECT_EQ(lines[1], ToGbk(u"三位数 投注单\r"_s));
    EXPECT_EQ(lines[2], "1:2 1 0\r");

    // Another list in the window, with a removing step; the load replaces it.
    doc.ChangeBets([](BetList& list) {
        list.Reset(3);
        list.AddBet(std::vector<int16_t>{0, 9, 9, 9});
        list.AddBet(std::vector<int16_t>{0, 8, 8, 8});
        ASSERT_EQ(list.BeginStep(), BetList::StepResult::Ok);
        list.MarkRemoved(0);
        list.CloseStep();
    });
    EXPECT_EQ(form.Controls().lblCount->text(), u"投注数：1 可恢复：1"_s);
    Run(MainCommand::FilterOpen, [&](FDataInOut& dialog) {
        dialog.TxtPath()->setText(path);
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
        dialog.reject();
    });
    EXPECT_EQ(m_scripted.Shown, QStringList{u"操作提示|已加载12注投注。"_s});
    EXPECT_EQ(bets.BetCount(), 12);
    EXPECT_EQ(bets.BetStep(), 1);
    EXPECT_EQ(bets.BetLastStep(), 0);
    const CFlexGrid* grid = form.Controls().msgResult;
    EXPECT_EQ(grid->Rows(), 13);
    EXPECT_EQ(grid->TextMatrix(1, 1), u"2 1 0"_s);
    EXPECT_EQ(grid->TextMatrix(12, 1), u"2 1 1"_s);
}

TEST_F(DataInOutTest, FailuresAreToldAndAnEmptyLoadKeepsTheList)
{
    fFilter& form = Open();
    const BetList& bets = m_context.State.Document.Bets();
    m_context.State.Document.ChangeBets([](BetList& list) {
        list.Reset(3);
        list.AddBet(std::vector<int16_t>{0, 4, 5, 6});
    });
    const QString empty = FilePath(u"empty.txt"_s);
    {
        QFile file(empty);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("彩票\r\n");
    }
    Run(MainCommand::ChipInOpen, [&](FDataInOut& dialog) {
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton); // no path
        dialog.TxtPath()->setText(empty);
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
        dialog.reject();
    });
    EXPECT_EQ(m_scripted.Shown,
              (QStringList{u"操作错误|加载失败，加载文件不存在！"_s,
                           u"操作错误|加载失败，文件中没有按此格式可以读出的投注，原有投注未改变！"
                           u"（1行无法按此格式读出）"_s}));
    EXPECT_EQ(bets.BetCount(), 1);
    EXPECT_EQ(form.Controls().msgResult->TextMatrix(1, 1), u"6 5 4"_s);

    m_scripted.Shown.clear();
    Run(MainCommand::ChipInSave, [&](FDataInOut& dialog) {
        dialog.TxtPath()->setText(FilePath(u"x.txt"_s));
        dialog.LstFormat()->setCurrentRow(1); // a format row the game leaves empty
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
        dialog.reject();
    });
    EXPECT_EQ(m_scripted.Shown, QStringList{u"操作错误|保存失败，数据的格式不准确！"_s});
    EXPECT_FALSE(QFile::exists(FilePath(u"x.txt"_s)));
}

TEST_F(DataInOutTest, ClosingIsRefusedWhileBusyAndCancelStopsTheExport)
{
    Open();
    QPointer<FDataInOut> open;
    // Every step of the export clicks the dialog's Cancel button.
    HeadlessMsgDisplay display;
    display.OnPump = [&open](int) {
        if (open) {
            EXPECT_TRUE(open->Busy());
            EXPECT_FALSE(open->cmdOK()->isEnabled());
            QTest::mouseClick(open->cmdCancel(), Qt::LeftButton);
        }
    };
    const ScopedService<IMsgDisplay> shown(&display);
    // The stop question: first an attempt to close, then OK.
    m_scripted.OnShow = [&open](const QString& title) {
        if (title == u"保存投注"_s && open) {
            open->reject();
            EXPECT_TRUE(open->isVisible());
        }
        return QMessageBox::Ok;
    };
    const QString path = FilePath(u"history.txt"_s);
    // Enough draws for a step: the game has three, so add more.
    std::vector<Draw> draws;
    for (int i = 0; i < 15; ++i)
        draws.push_back(Draw{2024001 + i, {0, 1, 2, 3}});
    ASSERT_EQ(m_context.State.CurLottorData->Add(draws), 15);

    Run(MainCommand::ChipInSaveData, [&](FDataInOut& dialog) {
        open = &dialog;
        dialog.show();
        dialog.TxtPath()->setText(path);
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
        EXPECT_FALSE(dialog.Busy());
        EXPECT_TRUE(dialog.cmdOK()->isEnabled());
        open = nullptr;
        dialog.reject();
    });
    EXPECT_EQ(m_scripted.Shown, (QStringList{u"保存投注|你确定要退出保存投注吗？按确定退出！"_s,
                                             u"操作提示|请取消正在操作的导入导出,再退出！"_s,
                                             u"操作错误|保存失败，手动操作取消保存。"_s}));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(DataInOutTest, CancelStaysUsableWhileTheMainWindowIsBusy)
{
    Open();
    const BetList& bets = m_context.State.Document.Bets();
    m_context.State.Document.ChangeBets([](BetList& list) {
        list.Reset(3);
        for (int16_t v = 0; v < 40; ++v)
            list.AddBet(std::vector<int16_t>{0, static_cast<int16_t>(v % 10), 3, 4});
    });
    const QString path = FilePath(u"bets.txt"_s);
    Run(MainCommand::ChipInSave, [&](FDataInOut& dialog) {
        dialog.TxtPath()->setText(path);
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
        dialog.reject();
    });
    ASSERT_TRUE(QFile::exists(path));
    m_scripted.Shown.clear();

    QPointer<FDataInOut> open;
    m_scripted.OnShow = [&open](const QString& title) {
        // Asked under the main window's busy state: the dialog and its
        // Cancel button are usable, the rest of the dialog is not.
        if (title == u"加载投注"_s && open) {
            EXPECT_EQ(open->parentWidget()->cursor().shape(), Qt::WaitCursor); // the main window is busy
            EXPECT_TRUE(open->isEnabled());
            EXPECT_TRUE(open->cmdCancel()->isEnabled());
            EXPECT_FALSE(open->LstFormat()->isEnabled());
        }
        return QMessageBox::Ok;
    };
    Run(MainCommand::ChipInOpen, [&](FDataInOut& dialog) {
        open = &dialog;
        dialog.show();
        dialog.TxtPath()->setText(path);
        // The click waits in the queue until the load passes the event loop.
        QMetaObject::invokeMethod(dialog.cmdCancel(), &QPushButton::click, Qt::QueuedConnection);
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
        EXPECT_TRUE(dialog.LstFormat()->isEnabled());
        EXPECT_FALSE(dialog.cmdCancel()->isEnabled());
        open = nullptr;
        dialog.reject();
    });
    EXPECT_EQ(m_scripted.Shown, (QStringList{u"加载投注|你确定要退出正在加载的投注吗？按确定退出！"_s,
                                             u"操作错误|加载失败，手动操作取消保存。"_s}));
    EXPECT_EQ(bets.BetCount(), 40);
}

TEST_F(DataInOutTest, FormatsAreEditedInPlaceAndStoredWhenValid)
{
    Open();
    Run(MainCommand::ChipInSave, [&](FDataInOut& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.LstFormat()->setCurrentRow(2);
        dialog.LstFormat_DblClick();
        QLineEdit* editor = dialog.TxtFormat();
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->selectedText(), editor->text());
        editor->clear();
        QTest::keyClicks(editor, u"X-X-X"_s);
        EXPECT_EQ(dialog.LstFormat()->item(2)->text(), u"X-X-X"_s);
        dialog.LstFormat()->setCurrentRow(3);
        dialog.LstFormat_DblClick();
        editor->clear();
        QTest::keyClicks(editor, u"X X"_s); // not valid for three digits
        EXPECT_EQ(dialog.LstFormat()->item(3)->text(), u"X X"_s);
        dialog.cmdOK()->setFocus();
        EXPECT_FALSE(editor->isVisible());
        dialog.reject();
    });
    const CLottorHead& head = m_context.State.CurLottorData->HeadData;
    EXPECT_EQ(head.NumFormatStr(2), u"X-X-X"_s);
    EXPECT_NE(head.NumFormatStr(3), u"X X"_s);
}

} // namespace
} // namespace kelton
