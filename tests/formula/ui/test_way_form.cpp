// The formula window over a real game: the tree and its commands, the
// editor with its help, the run with its chart, formula files, and the
// main window's commands that open it.

#include <memory>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "chart/ui/qvx_chart.h"
#include "core/msg_service.h"
#include "data/lottor_data.h"
#include "formula/game_way_history.h"
#include "formula/ui/way_form.h"
#include "formula/way_run.h"
#include "host/ui/xp_toolbar.h"
#include "platform/gbk.h"
#include "platform/program_folder.h"
#include "platform/string_table.h"
#include "platform/ui/file_dialogs.h"
#include "shell/ui/qt_app_env.h"
#include "shell/ui/shell_test_fakes.h"
#include "support/draw_rows.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QString kThreeDigits = u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;

class WayFormTest : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
    }

    void TearDown() override
    {
        delete m_form;
        MainWindowTest::TearDown();
    }

    // A three-digit game at Lottor/g with `count` draws from issue 2024001,
    // the last three 421, 123, 905.
    static void MakeGame(int count)
    {
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(kThreeDigits, u"Lottor/g"_s, 1000));
        }
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, u"Lottor/g"_s));
        std::vector<Draw> draws;
        const char* const last[] = {"421", "123", "905"};
        for (int i = 0; i < count; ++i) {
            const int tail = i - (count - 3);
            const QByteArray digits =
                tail >= 0 ? QByteArray(last[tail]) : QByteArray::number(100 + (i * 37) % 900);
            draws.push_back(test::DigitsDraw(2024001 + i, digits.constData()));
        }
        if (count > 0) {
            ASSERT_EQ(game.Add(draws), count);
            ASSERT_FALSE(game.UpData());
        }
    }

    // Opens the game as the current one (without analysis windows).
    CLottorHead& Load(int count = 120)
    {
        MakeGame(count);
        auto game = std::make_shared<CLottorData>();
        EXPECT_FALSE(game->OpenData(8, u"Lottor/g"_s));
        State().CurLottorData = game;
        return game->HeadData;
    }

    FWay& Open()
    {
        m_form = new FWay(m_context.State);
        m_form->resize(m_form->sizeHint());
        m_form->show();
        return *m_form;
    }

    QTreeWidgetItem* Group(int i) const { return m_form->TreWay()->topLevelItem(i); }

    void Type(const QString& text) { QTest::keyClicks(m_form->txtWay(), text); }

    QString LastMessage() const { return m_boxes.Texts.isEmpty() ? QString() : m_boxes.Texts.last(); }

    test::FakeFileDialogs m_files;
    ScopedService<IFileDialogs> m_filesInstalled{&m_files};
    QPointer<FWay> m_form;
};

// The length of a stored text in the editor, whose lines end in LF alone.
qsizetype EditorSize(const QString& stored)
{
    return stored.size() - stored.count(u"\r\n"_s);
}

QStringList Names(const QTreeWidgetItem* group)
{
    QStringList names;
    for (int i = 0; i < group->childCount(); ++i)
        names << group->child(i)->text(0);
    return names;
}

TEST_F(WayFormTest, LoadsGroupsFormulasAndLists)
{
    CLottorHead& head = Load(120);
    head.WayGroupAdd(u"甲"_s);
    head.WayGroupAdd(u"删掉的"_s);
    head.WayGroupAdd(u"乙"_s);
    head.WayGroupDel(1);
    head.WayAdd(2, u"乙一"_s, u"1"_s, 0, QString());
    head.WayAdd(0, u"甲一"_s, u"2"_s, 0, QString());
    head.WayAdd(9, u"无类别"_s, u"3"_s, 0, QString());
    head.WayAdd(0, u"删掉"_s, u"4"_s, 0, QString());
    head.WayDel(3);

    FWay& form = Open();
    EXPECT_EQ(form.windowTitle(), u"选号杀号公式工具"_s);
    ASSERT_EQ(form.TreWay()->topLevelItemCount(), 2);
    EXPECT_EQ(Group(0)->text(0), u"甲"_s);
    EXPECT_EQ(Group(1)->text(0), u"乙"_s);
    EXPECT_EQ(Names(Group(0)), QStringList({u"甲一"_s}));
    // A formula whose group has no node goes under the last group.
    EXPECT_EQ(Names(Group(1)), QStringList({u"乙一"_s, u"无类别"_s}));
    EXPECT_FALSE(Group(0)->isExpanded());

    ASSERT_EQ(form.cboConsult()->count(), 48);
    EXPECT_EQ(form.cboConsult()->itemText(0), u"组选号码"_s);
    EXPECT_EQ(form.cboConsult()->itemText(1), u"百"_s);
    EXPECT_EQ(form.cboConsult()->itemText(47), u"自定义"_s);
    EXPECT_FALSE(form.cboConsult()->isVisible());
    ASSERT_EQ(form.cboCount()->count(), 120);
    EXPECT_EQ(form.cboCount()->currentText(), u"100"_s);
    EXPECT_EQ(form.TxtMsg()->toPlainText(), LoadResString(1000).replace(u"\r\n"_s, u"\n"_s));
    // Nothing selected: nothing to edit or run.
    EXPECT_FALSE(form.txtWay()->isEnabled());
    EXPECT_FALSE(form.cmdView()->isEnabled());
}

TEST_F(WayFormTest, PeriodListFollowsTheDraws)
{
    const struct {
        int draws;
        int entries;
        const char* chosen;
    } cases[] = {{0, 0, ""}, {40, 40, "40"}, {100, 100, "100"}, {250, 250, "100"}};
    for (const auto& c : cases) {
        delete m_form;
        State().CurLottorData.reset();
        QDir(ProgramPath(u"Lottor"_s)).removeRecursively();
        Load(c.draws);
        FWay& form = Open();
        EXPECT_EQ(form.cboCount()->count(), c.entries) << c.draws;
        EXPECT_EQ(form.cboCount()->currentText(), QString::fromLatin1(c.chosen)) << c.draws;
    }
}

TEST_F(WayFormTest, NewFormulaRenameEditAndRun)
{
    CLottorHead& head = Load(120);
    FWay& form = Open();

    form.CmdWayAdd_Click();
    EXPECT_EQ(LastMessage(), u"必须至少有一个类别,请先增加类别"_s);
    EXPECT_EQ(head.WayCount(), 0);

    form.cmdGroupAdd_Click();
    ASSERT_EQ(form.TreWay()->topLevelItemCount(), 1);
    EXPECT_EQ(Group(0)->text(0), u"新类别"_s);
    EXPECT_EQ(head.WayGroupGet(0), u"新类别"_s);
    EXPECT_EQ(form.TreWay()->currentItem(), nullptr);

    // With nothing selected the formula goes to the first group.
    form.CmdWayAdd_Click();
    ASSERT_EQ(Names(Group(0)), QStringList({u"无标题公式"_s}));
    EXPECT_EQ(head.WayGet(0, 0), u"0"_s);
    EXPECT_EQ(head.WayGet(0, 3), u"0"_s);
    QTreeWidgetItem* formula = Group(0)->child(0);

    // Renamed in the tree: blanks are refused, the name is stored trimmed
    // and shown as typed.
    form.TreWay()->setCurrentItem(formula);
    const auto rename = [&](const QString& text) {
        form.cmdChangName_Click();
        QLineEdit* editor = nullptr;
        for (QLineEdit* line : form.TreWay()->viewport()->findChildren<QLineEdit*>()) {
            if (line->isVisible())
                editor = line;
        }
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();  // the edit ends on the next turn of the event loop
    };
    rename(u"   "_s);
    EXPECT_EQ(LastMessage(), u"不能为空!"_s);
    EXPECT_EQ(formula->text(0), u"无标题公式"_s);
    rename(u" 组选杀号 "_s);
    EXPECT_EQ(formula->text(0), u" 组选杀号 "_s);
    EXPECT_EQ(head.WayGet(0, 1), u"组选杀号"_s);

    // A click on the formula fills the editor; what is typed is stored.
    QTest::mouseClick(form.TreWay()->viewport(), Qt::LeftButton, {},
                      form.TreWay()->visualItemRect(formula).center());
    EXPECT_TRUE(form.txtWay()->isEnabled());
    Type(u"  num(1,3,1)"_s);
    EXPECT_EQ(head.WayGet(0, 2), u"num(1,3,1)"_s);
    EXPECT_EQ(form.txtWay()->toPlainText(), u"  num(1,3,1)"_s);

    QTest::mouseClick(form.cmdView(), Qt::LeftButton);
    // The chart shows the hit table over the last 100 periods.
    GameWayHistory history(*State().CurLottorData);
    ASSERT_EQ(form.mWayResult().N, 100);
    const ChartData expected = WayHitTable(form.mWayResult(), history);
    const ChartData& shown = form.chMain()->Model().Data();
    ASSERT_EQ(shown.PointCount(), 100);
    for (int r = 0; r <= 100; ++r) {
        for (int c = 0; c <= 2; ++c)
            ASSERT_EQ(shown.At(r, c), expected.At(r, c)) << r << "," << c;
    }
    EXPECT_EQ(shown.At(100, 0), QVariant(u"下期"_s));
    EXPECT_EQ(shown.At(99, 0), QVariant(2024120));  // the last draw
    EXPECT_EQ(form.chMain()->Model().ChartTitle(), u"组选杀号"_s);
    // The next issue repeats the last draw 905.
    EXPECT_EQ(form.TxtMsg()->toPlainText(), u"5 0 9"_s);
    EXPECT_TRUE(form.txtWay()->hasFocus());
}

TEST_F(WayFormTest, AFailedRunSaysWhyAndClearsTheChart)
{
    CLottorHead& head = Load(120);
    head.WayGroupAdd(u"g"_s);
    head.WayAdd(0, u"f"_s, u"Num(1,3,1)"_s, 0, QString());
    FWay& form = Open();
    form.TreWay()->setCurrentItem(Group(0)->child(0));
    ASSERT_EQ(form.chMain()->Model().PointCount(), 100);

    // The first period whose units digit is 0 is draw 2024031, 310.
    head.WaySet(0, 2, u"Mod(1,Num(3,3,0))"_s);
    form.RunWay();
    EXPECT_EQ(form.TxtMsg()->toPlainText(), u"公式运算出错：选值公式，2024031期，Mod函数：除数为0"_s);
    EXPECT_TRUE(form.mWayResult().Empty());
    EXPECT_EQ(form.chMain()->Model().PointCount(), 1);
    EXPECT_FALSE(form.chMain()->Model().Data().At(1, 1).isValid());

    // A group node: nothing to run.
    head.WaySet(0, 2, u"Num(1,3,1)"_s);
    form.RunWay();
    ASSERT_EQ(form.chMain()->Model().PointCount(), 100);
    form.TreWay()->setCurrentItem(Group(0));
    EXPECT_EQ(form.TxtMsg()->toPlainText(), QString());
    EXPECT_EQ(form.chMain()->Model().PointCount(), 1);
}

TEST_F(WayFormTest, ParseErrorsAreMarkedInTheFormulaAsWritten)
{
    CLottorHead& head = Load(20);
    head.WayGroupAdd(u"g"_s);
    const QString selection = u"x=Num(1,\r\n3,1)\r\nx+Nu(1)"_s;
    head.WayAdd(0, u"f"_s, selection, 47, u"Max(1,2))"_s);
    FWay& form = Open();

    // The consult formula is checked first.
    form.TreWay()->setCurrentItem(Group(0)->child(0));
    EXPECT_EQ(form.CurrentTab(), 2);
    EXPECT_TRUE(form.cboConsult()->isVisible());
    EXPECT_EQ(form.TxtMsg()->toPlainText(), u"参照公式中存在错误：2)"_s);
    EXPECT_EQ(form.txtWay()->textCursor().selectedText(), u"2)"_s);

    head.WaySet(0, 4, u"Num(1,3,0)"_s);
    form.RunWay();
    EXPECT_EQ(form.CurrentTab(), 1);
    // The message quotes the piece of the joined text the parser read; the
    // editor keeps the formula as written, lines and all, with that piece
    // selected across the line ends.
    EXPECT_EQ(form.TxtMsg()->toPlainText(), u"选值公式中存在错误：(1,3,1)x"_s);
    EXPECT_EQ(form.txtWay()->toPlainText(), u"x=Num(1,\n3,1)\nx+Nu(1)"_s);
    EXPECT_EQ(form.txtWay()->textCursor().selectedText(), u"(1,\u20293,1)\u2029x"_s);
    // What is typed next goes into the formula as written.
    form.txtWay()->moveCursor(QTextCursor::End);
    Type(u"+1"_s);
    EXPECT_EQ(head.WayGet(0, 2), selection + u"+1"_s);
}

// A run that lasts shows the progress bar; its click cancels the run and
// leaves what the run before showed.
TEST_F(WayFormTest, ALongRunShowsTheBarAndACancelKeepsTheResultsBefore)
{
    CLottorHead& head = Load(120);
    head.WayGroupAdd(u"g"_s);
    head.WayAdd(0, u"前"_s, u"Num(1,3,1)"_s, 0, QString());
    head.WayAdd(0, u"后"_s, u"Num(1,1,1)"_s, 0, QString());
    HeadlessMsgDisplay display;
    const ScopedService<IMsgDisplay> displayed(&display);
    FWay& form = Open();

    // A run that ends within a moment shows no bar.
    form.TreWay()->setCurrentItem(Group(0)->child(0));
    ASSERT_EQ(form.mWayResult().N, 100);
    EXPECT_EQ(display.ShowCount, 0);
    const std::vector<QString> before = form.mWayResult().Selection;
    const QString message = form.TxtMsg()->toPlainText();

    form.SetProgressDelay(0);
    int passes = 0;
    display.OnPump = [&](int pass) {
        passes = pass;
        // The window answers; the commands that change the tree wait.
        EXPECT_FALSE(form.cmdDel()->isEnabled());
        EXPECT_FALSE(form.cmdOpen()->isEnabled());
        EXPECT_FALSE(form.CmdWayAdd()->isEnabled());
        EXPECT_FALSE(form.cboCount()->isEnabled());
        if (pass == 5)
            MsgProgressClicked();
    };
    form.TreWay()->setCurrentItem(Group(0)->child(1));
    EXPECT_EQ(display.ShowCount, 1);
    EXPECT_EQ(display.ShownMax, 199); // 2 x 100 - 1 evaluations
    EXPECT_TRUE(display.ShownCanClick);
    EXPECT_EQ(passes, 5);
    EXPECT_FALSE(CMsg().PrgVisible());
    EXPECT_FALSE(CMsg().IsBusy());
    EXPECT_EQ(form.mWayResult().Selection, before);
    EXPECT_EQ(form.chMain()->Model().ChartTitle(), u"前"_s);
    EXPECT_EQ(form.chMain()->Model().PointCount(), 100);
    EXPECT_EQ(form.TxtMsg()->toPlainText(), message);
    EXPECT_TRUE(form.cmdDel()->isEnabled());
    EXPECT_TRUE(form.cboCount()->isEnabled());
}

// A formula reached by an arrow key or clicked while another runs with its
// bar takes that run's place.
TEST_F(WayFormTest, ANewRunTakesThePlaceOfTheOneRunning)
{
    CLottorHead& head = Load(120);
    head.WayGroupAdd(u"g"_s);
    head.WayAdd(0, u"一"_s, u"Num(1,3,1)"_s, 0, QString());
    head.WayAdd(0, u"二"_s, u"Num(1,1,1)"_s, 0, QString());
    head.WayAdd(0, u"三"_s, u"Num(2,2,1)"_s, 0, QString());
    HeadlessMsgDisplay display;
    const ScopedService<IMsgDisplay> displayed(&display);
    FWay& form = Open();
    form.SetProgressDelay(0);
    Group(0)->setExpanded(true);

    QStringList ran; // the formula each pass belongs to
    display.OnPump = [&](int pass) {
        ran << form.TreWay()->currentItem()->text(0);
        if (pass == 3) {
            QTest::keyClick(form.TreWay(), Qt::Key_Down);
        } else if (pass == 6) {
            QTreeWidgetItem* third = Group(0)->child(2);
            QTest::mouseClick(form.TreWay()->viewport(), Qt::LeftButton, {},
                              form.TreWay()->visualItemRect(third).center());
        }
    };
    form.TreWay()->setCurrentItem(Group(0)->child(0));
    // Each run stopped at the step after the new one was asked for.
    EXPECT_EQ(ran.mid(0, 3), QStringList(3, u"一"_s));
    EXPECT_EQ(ran.mid(3, 3), QStringList(3, u"二"_s));
    EXPECT_EQ(ran.size(), 6 + 199);
    EXPECT_EQ(display.ShowCount, 3);
    EXPECT_EQ(form.TreWay()->currentItem(), Group(0)->child(2));
    EXPECT_EQ(form.chMain()->Model().ChartTitle(), u"三"_s);
    // The tens digit of the last draw, 905.
    EXPECT_EQ(form.TxtMsg()->toPlainText(), u"0"_s);
    EXPECT_FALSE(CMsg().IsBusy());
}

TEST_F(WayFormTest, TheEditorAlwaysShowsTheSelectedFormula)
{
    CLottorHead& head = Load(20);
    head.WayGroupAdd(u"g"_s);
    head.WayGroupAdd(u"空"_s);
    head.WayAdd(0, u"一"_s, u"1"_s, 0, QString());
    head.WayAdd(0, u"二"_s, u"2"_s, 0, QString());
    FWay& form = Open();

    form.cmdDel_Click();
    EXPECT_EQ(LastMessage(), u"没有选择要删除的任何公式和类别"_s);
    form.TreWay()->setCurrentItem(Group(0));
    form.cmdDel_Click();
    EXPECT_EQ(LastMessage(), u"该类别下还有公式,不能删除该项!"_s);
    EXPECT_EQ(head.WayGroupGet(0), u"g"_s);

    // The second formula goes; the selection moves to the first, and so
    // does the editor: what is typed next belongs to the first.
    form.TreWay()->setCurrentItem(Group(0)->child(1));
    EXPECT_EQ(form.txtWay()->toPlainText(), u"2"_s);
    form.cmdDel_Click();
    EXPECT_EQ(form.TreWay()->currentItem(), Group(0)->child(0));
    EXPECT_EQ(Names(Group(0)), QStringList({u"一"_s}));
    EXPECT_EQ(head.WayGet(1, 1), QString());
    EXPECT_EQ(form.txtWay()->toPlainText(), u"1"_s);
    form.txtWay()->moveCursor(QTextCursor::End);
    Type(u"+3"_s);
    EXPECT_EQ(head.WayGet(0, 2), u"1+3"_s);
    // Lines typed end in CR LF in the store.
    QTest::keyClick(form.txtWay(), Qt::Key_Return);
    Type(u"x"_s);
    EXPECT_EQ(head.WayGet(0, 2), u"1+3\r\nx"_s);
    EXPECT_EQ(head.WayGet(1, 2), QString());

    // The only formula goes: the selection moves to its group.
    form.cmdDel_Click();
    EXPECT_EQ(form.TreWay()->currentItem(), Group(0));
    EXPECT_FALSE(form.txtWay()->isEnabled());
    // Empty groups go; the last one leaves nothing selected.
    form.cmdDel_Click();
    EXPECT_EQ(form.TreWay()->currentItem(), Group(0));
    EXPECT_EQ(Group(0)->text(0), u"空"_s);
    form.cmdDel_Click();
    EXPECT_EQ(form.TreWay()->topLevelItemCount(), 0);
    EXPECT_EQ(form.TreWay()->currentItem(), nullptr);
    EXPECT_EQ(head.WayGroupGet(0), QString());
    EXPECT_EQ(head.WayGroupGet(1), QString());
}

TEST_F(WayFormTest, ConsultTab)
{
    CLottorHead& head = Load(20);
    head.WayGroupAdd(u"g"_s);
    head.WayAdd(0, u"f"_s, u"Num(1,3,1)"_s, 2, u"own"_s);
    FWay& form = Open();
    form.TreWay()->setCurrentItem(Group(0)->child(0));

    form.TabWay()->setCurrentIndex(1);
    EXPECT_TRUE(form.cboConsult()->isVisible());
    EXPECT_EQ(form.cboConsult()->currentIndex(), 2);
    EXPECT_EQ(form.txtWay()->toPlainText(), u"num(2,2,0)"_s);
    EXPECT_FALSE(form.txtWay()->isEnabled());
    EXPECT_GT(form.txtWay()->y(), form.cboConsult()->y());

    // "自定义" shows the formula's own consult formula, to be edited.
    form.cboConsult_Click(47);
    EXPECT_EQ(head.WayGet(0, 3), u"47"_s);
    EXPECT_EQ(form.txtWay()->toPlainText(), u"own"_s);
    EXPECT_TRUE(form.txtWay()->isEnabled());
    form.txtWay()->moveCursor(QTextCursor::End);
    Type(u"+1"_s);
    EXPECT_EQ(head.WayGet(0, 4), u"own+1"_s);
    EXPECT_EQ(head.WayGet(0, 2), u"Num(1,3,1)"_s);

    form.TabWay()->setCurrentIndex(0);
    EXPECT_FALSE(form.cboConsult()->isVisible());
    EXPECT_EQ(form.txtWay()->toPlainText(), u"Num(1,3,1)"_s);
}

TEST_F(WayFormTest, HelpFollowsTheCaret)
{
    CLottorHead& head = Load(20);
    head.WayGroupAdd(u"g"_s);
    head.WayAdd(0, u"f"_s, QString(), 0, QString());
    FWay& form = Open();
    form.TreWay()->setCurrentItem(Group(0)->child(0));

    Type(u"Num"_s);
    EXPECT_EQ(form.TxtMsg()->toPlainText(), LoadResString(1131));
    Type(u"(1,"_s);
    EXPECT_TRUE(form.picWayMsg()->isVisible());
    EXPECT_TRUE(form.picWayMsg()->text().contains(u"<b>至第几位</b>"_s));
    EXPECT_EQ(form.TxtMsg()->toPlainText(), LoadResString(1133));
    Type(u"2,3,4,"_s);  // a fifth argument: both keep what they show
    EXPECT_EQ(form.TxtMsg()->toPlainText(), LoadResString(1135));

    // The arrow keys move the help without a change of the text.
    form.txtWay()->moveCursor(QTextCursor::Start);
    QTest::keyClick(form.txtWay(), Qt::Key_Left);
    EXPECT_FALSE(form.picWayMsg()->isVisible());
    EXPECT_EQ(form.TxtMsg()->toPlainText(), LoadResString(1000).replace(u"\r\n"_s, u"\n"_s));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(form.txtWay(), Qt::Key_Right);
    EXPECT_TRUE(form.picWayMsg()->isVisible());
    EXPECT_TRUE(form.picWayMsg()->text().contains(u"<b>第几位</b>"_s));
}

TEST_F(WayFormTest, ExportedGroupsImportAsNewGroups)
{
    CLottorHead& head = Load(20);
    head.WayGroupAdd(u"杀号"_s);
    head.WayAdd(0, u"一"_s, u"a=Num(1,3,1)\r\n'注释\r\na"_s, 47, u"x=[1]\r\nx,2"_s);
    head.WayAdd(0, u"二"_s, u"Num(2,2,1)"_s, 2, QString());
    FWay& form = Open();
    form.TreWay()->setCurrentItem(Group(0)->child(1));

    // Cancelled: nothing written.
    form.cmdSave_Click();
    EXPECT_EQ(m_files.Titles.last(), u"导出当前类别公式"_s);
    EXPECT_EQ(m_files.Filters.last(), u"Kelton公式文件(*.way)|*.way|文本文件(*.txt)|*.txt"_s);
    EXPECT_EQ(m_files.FileNames.last(), u"杀号"_s);

    const QString path = ProgramPath(u"我的公式.way"_s);
    m_files.Paths.push_back(path);
    form.cmdSave_Click();
    ASSERT_TRUE(QFile::exists(path));
    m_boxes.Texts.clear();

    m_files.Paths.push_back(path);
    form.cmdOpen_Click();
    EXPECT_EQ(m_files.Titles.last(), u"导入公式"_s);
    EXPECT_EQ(LastMessage(), u"恭喜，成功导入公式！共导入2个公式。"_s);
    ASSERT_EQ(form.TreWay()->topLevelItemCount(), 2);
    EXPECT_EQ(Group(1)->text(0), u"我的公式"_s);
    EXPECT_EQ(Names(Group(1)), QStringList({u"一"_s, u"二"_s}));
    EXPECT_EQ(head.WayGet(2, 0), u"1"_s);
    for (int kind = 1; kind <= 4; ++kind) {
        EXPECT_EQ(head.WayGet(2, kind), head.WayGet(0, kind)) << kind;
        EXPECT_EQ(head.WayGet(3, kind), head.WayGet(1, kind)) << kind;
    }

    // A file of another layout adds nothing and says so; a missing one too.
    const QString other = ProgramPath(u"三段.way"_s);
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ToGbk(u"a\tb\tc\r\n"_s));
    file.close();
    m_files.Paths.push_back(other);
    form.cmdOpen_Click();
    EXPECT_EQ(LastMessage(), u"导入失败，这不是公式文件！"_s);
    m_files.Paths.push_back(ProgramPath(u"none.way"_s));
    form.cmdOpen_Click();
    EXPECT_EQ(LastMessage(), u"找不到此文件！"_s);
    EXPECT_EQ(m_boxes.Titles.last(), u"操作提示"_s);
    EXPECT_EQ(form.TreWay()->topLevelItemCount(), 2);
    EXPECT_EQ(head.WayGroupCount(), 2);

    // A group without formulas comes back as one.
    form.cmdGroupAdd_Click();
    form.TreWay()->setCurrentItem(Group(2));
    const QString empty = ProgramPath(u"空组.way"_s);
    m_files.Paths.push_back(empty);
    form.cmdSave_Click();
    m_files.Paths.push_back(empty);
    form.cmdOpen_Click();
    EXPECT_EQ(LastMessage(), u"恭喜，成功导入公式！共导入0个公式。"_s);
    ASSERT_EQ(form.TreWay()->topLevelItemCount(), 4);
    EXPECT_EQ(Group(3)->text(0), u"空组"_s);
    EXPECT_EQ(Group(3)->childCount(), 0);

    // A file that cannot be written is reported.
    m_files.Paths.push_back(ProgramPath(u"missing/x.way"_s));
    form.cmdSave_Click();
    EXPECT_TRUE(LastMessage().startsWith(u"导出失败"_s));
}

// The game's data file holds at most 524,288 bytes of definition, formulas
// included: an edit, a new formula and an import that would not fit are
// refused, saying so.
TEST_F(WayFormTest, FormulasTheDataFileCannotHoldAreRefused)
{
    CLottorHead& head = Load(20);
    head.WayGroupAdd(u"g"_s);
    head.WayAdd(0, u"big"_s, QString(), 0, QString());
    // Lines of a hundred bytes (a line end takes one, encoded), then the
    // rest: one byte short of full.
    const qsizetype room = DataFileHeader::kMaxHeadLen - 1 - head.DefinitionBytes(head.Ways());
    const QString line = QString(99, QLatin1Char('1')) + u"\r\n"_s;
    head.WaySet(0, 2, line.repeated(room / 100) + QString(room % 100, QLatin1Char('1')));
    ASSERT_EQ(head.DefinitionBytes(head.Ways()), DataFileHeader::kMaxHeadLen - 1);
    const qsizetype fill = EditorSize(head.WayGet(0, 2));
    FWay& form = Open();
    form.TreWay()->setCurrentItem(Group(0)->child(0));

    form.txtWay()->moveCursor(QTextCursor::End);
    Type(u"1"_s);
    EXPECT_EQ(head.DefinitionBytes(head.Ways()), DataFileHeader::kMaxHeadLen); // full to the byte
    const QString full = head.WayGet(0, 2);
    Type(u"1"_s);
    EXPECT_EQ(head.WayGet(0, 2), full);
    EXPECT_EQ(form.txtWay()->toPlainText().size(), fill + 1);
    EXPECT_EQ(form.txtWay()->textCursor().position(), fill + 1);
    EXPECT_EQ(form.TxtMsg()->toPlainText(),
              u"公式太长，这次修改没有保存：修改后彩票的设置将超过数据文件容许的524288字节，无法保存！"_s);

    form.CmdWayAdd_Click();
    EXPECT_EQ(LastMessage(), u"无法增加新公式：彩票的设置将超过数据文件容许的524288字节，无法保存！"_s);
    EXPECT_EQ(head.WayCount(), 1);

    const QString path = ProgramPath(u"one.way"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\r\nf\tNum(1,3,1)\t0\tnum(1,3,0)\r\n");
    file.close();
    m_files.Paths.push_back(path);
    form.cmdOpen_Click();
    EXPECT_EQ(LastMessage(),
              u"导入失败，公式太多或太长：导入后彩票的设置将超过数据文件容许的524288字节，无法保存！"_s);
    EXPECT_EQ(form.TreWay()->topLevelItemCount(), 1);
    EXPECT_EQ(head.WayGroupCount(), 1);
    // What is stored still fits the game's data file.
    EXPECT_EQ(head.DefinitionBytes(head.Ways()), DataFileHeader::kMaxHeadLen);
}

// --- The main window's commands ----------------------------------------------

TEST_F(WayFormTest, TheMenuTheButtonAndTheWindowEntryOpenIt)
{
    MakeGame(20);
    WriteSettings(false, {{u"三位数"_s, u"Lottor/g"_s}});
    m_loader.emplace(&OpenLottorFile);
    InstallFormulaWindows(Windows(), m_context.State);
    MDIMain& main = Start();
    ASSERT_TRUE(State().CurLottorData);

    QAction* command = main.Entry(MainCommand::ChipInWay);
    QAction* entry = main.Entry(MainCommand::WindowWay);
    QAction* button = main.Controls().Tbr1->ButtonByKey(u"Way"_s);
    ASSERT_TRUE(command && entry && button);
    EXPECT_TRUE(command->isEnabled());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(entry->isVisible());

    command->trigger();
    Settle();
    auto* form = dynamic_cast<FWay*>(Windows().WayForm());
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(entry->isVisible());
    EXPECT_TRUE(entry->isChecked());

    // The command closes it again; the window only hides.
    command->trigger();
    Settle();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(entry->isVisible());
    EXPECT_EQ(dynamic_cast<FWay*>(Windows().WayForm()), form);

    main.Controls().Tbr1->ButtonClick(button);
    Settle();
    EXPECT_TRUE(form->Visible());
    form->SetVisible(false);
    entry->trigger();
    Settle();
    EXPECT_TRUE(form->Visible());
}

// Under the main window's busy state, a run with its bar keeps the formula
// window usable while the rest of the program waits.
TEST_F(WayFormTest, TheFormulaWindowAnswersWhileItsRunShowsTheBar)
{
    MakeGame(120);
    WriteSettings(false, {{u"三位数"_s, u"Lottor/g"_s}});
    m_loader.emplace(&OpenLottorFile);
    InstallFormulaWindows(Windows(), m_context.State);
    MDIMain& main = Start();
    ASSERT_TRUE(State().CurLottorData);
    CLottorHead& head = State().CurLottorData->HeadData;
    head.WayGroupAdd(u"g"_s);
    head.WayAdd(0, u"f"_s, u"Num(1,3,1)"_s, 0, QString());
    main.Entry(MainCommand::ChipInWay)->trigger();
    Settle();
    auto* form = dynamic_cast<FWay*>(Windows().WayForm());
    ASSERT_NE(form, nullptr);
    form->SetProgressDelay(0);
    form->TreWay()->topLevelItem(0)->setExpanded(true);

    bool seen = false;
    QTimer::singleShot(0, form, [&] {
        seen = true;
        EXPECT_TRUE(CMsg().PrgVisible());
        EXPECT_FALSE(main.Controls().Tbr1->isEnabled());
        EXPECT_TRUE(form->isEnabled());
        EXPECT_TRUE(form->TreWay()->isEnabled());
        EXPECT_TRUE(form->txtWay()->isEnabled());
        EXPECT_FALSE(form->cmdDel()->isEnabled());
        MsgProgressClicked();
    });
    form->TreWay()->setCurrentItem(form->TreWay()->topLevelItem(0)->child(0));
    EXPECT_TRUE(seen);
    EXPECT_TRUE(form->mWayResult().Empty());
    EXPECT_FALSE(CMsg().IsBusy());
    EXPECT_TRUE(main.Controls().Tbr1->isEnabled());
    EXPECT_TRUE(form->cmdDel()->isEnabled());
}

}  // namespace
}  // namespace kelton
