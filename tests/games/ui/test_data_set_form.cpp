#include "games/ui/data_set_form.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include "data/text_helpers.h"
#include "data_set_test_support.h"
#include "platform/gbk.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/screen_twips.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;
using test::DataSetTest;

QStringList Digits(int count)
{
    QStringList digits;
    for (int i = 0; i < count; ++i)
        digits << QStringLiteral("%1").arg(i % 1000, 3, 10, QLatin1Char('0'));
    return digits;
}

// --- Opening -----------------------------------------------------------------

TEST_F(DataSetTest, OpeningShowsTheHistoryWithTheLatestDrawsInView)
{
    MakeGame(Digits(30), 2024001);
    FDataSet& form = Open();
    const CFlexGrid* grid = form.Grid();
    EXPECT_EQ(form.windowTitle(), u"历史开奖号码"_s);
    EXPECT_EQ(grid->Rows(), 31);
    EXPECT_EQ(grid->TextMatrix(0, 0), u"期号"_s);
    EXPECT_EQ(grid->TextMatrix(0, 1), u"常规开奖号码"_s);
    EXPECT_EQ(form.lblBcMain()->text(), u"常规开奖号码"_s);
    EXPECT_EQ(Rows().front(), u"2024001:0 0 0"_s);
    EXPECT_EQ(Rows().back(), u"2024030:0 2 9"_s);
    const int nine = qRound(ScreenPixelsToTwips(grid->fontMetrics().horizontalAdvance(u'9'), &form));
    EXPECT_NEAR(grid->ColWidth(1), 3 * nine * 2 + 1000, 6);
    // Scrolled towards row 10 as far as the grid's height allows: the last
    // draw shows, the first does not.
    EXPECT_GT(grid->TopRow(), 1);
    EXPECT_LE(grid->TopRow(), 10);
    EXPECT_LE(grid->CellRect(30, 1).bottom(), grid->height());
    // The first tab, ready for the next draw.
    EXPECT_EQ(form.CurrentTab(), FDataSet::kTabAdd);
    EXPECT_EQ(form.TxtName()->text(), u"2024031"_s);
    EXPECT_EQ(form.CmdAdd()->text(), u"增加"_s);
    EXPECT_FALSE(form.GridChanged());
    EXPECT_TRUE(form.OptDelete2()->isChecked());
}

TEST_F(DataSetTest, AnEmptyHistoryOpensWithTheTitleRowOnly)
{
    MakeGame({});
    FDataSet& form = Open();
    EXPECT_EQ(form.Grid()->Rows(), 1);
    EXPECT_EQ(form.TxtName()->text(), QString());
    form.Tab1()->setCurrentIndex(FDataSet::kTabChang - 1);
    EXPECT_EQ(form.TxtName()->text(), QString());
    EXPECT_EQ(form.txtBcMain()->text(), QString());
    EXPECT_FALSE(form.CmdAdd()->isEnabled());

    form.Tab1()->setCurrentIndex(FDataSet::kTabAdd - 1);
    form.TxtName()->setText(u"5"_s);
    form.txtBcMain()->setText(u"1 2 3"_s);
    form.CmdAdd()->click();
    EXPECT_EQ(Rows(), QStringList({u"5:1 2 3"_s}));
}

TEST_F(DataSetTest, TheTabKeyChoosesTheOpeningTabAndStays)
{
    MakeGame({u"123"_s, u"456"_s});
    FDataSet& form = Open(u"Chang"_s);
    EXPECT_EQ(form.CurrentTab(), FDataSet::kTabChang);
    EXPECT_EQ(form.CmdAdd()->text(), u"修改"_s);
    EXPECT_FALSE(form.TxtName()->isEnabled());
    EXPECT_EQ(form.TxtName()->text(), u"102"_s); // the last row, current at opening
    EXPECT_EQ(form.txtBcMain()->text(), u"4 5 6"_s);
    EXPECT_TRUE(form.CmdAdd()->isEnabled());

    form.SetSelTsp(u"DownLoad"_s);
    form.done(QDialog::Rejected);
    form.Form_Load();
    EXPECT_EQ(form.CurrentTab(), FDataSet::kTabDown);
    EXPECT_TRUE(form.CmdDownLoad()->isEnabled());
    EXPECT_FALSE(form.CmdCancelDownLoad()->isEnabled());
    // The key is kept for the next opening.
    form.done(QDialog::Rejected);
    form.Form_Load();
    EXPECT_EQ(form.CurrentTab(), FDataSet::kTabDown);
    EXPECT_EQ(form.SelTsp(), u"DownLoad"_s);
}

// --- Adding and modifying ----------------------------------------------------

TEST_F(DataSetTest, AddedDrawsGoToTheirPlace)
{
    MakeGame({u"123"_s, u"456"_s}, 101);
    FDataSet& form = Open();
    const auto add = [&](const QString& issue, const QString& numbers) {
        form.TxtName()->setText(issue);
        form.txtBcMain()->setText(numbers);
        form.CmdAdd()->click();
    };
    form.Grid()->SetRow(1);
    form.Grid()->SetRow(2);
    add(u"103"_s, u"7 8 9"_s); // after all
    EXPECT_EQ(form.TxtName()->text(), u"104"_s);
    EXPECT_EQ(form.Grid()->Row(), 3);
    EXPECT_EQ(form.Grid()->Col(), 1);
    add(u"050"_s, u"07 0 1 5"_s); // before all; four numbers: the first three, as typed
    EXPECT_EQ(form.TxtName()->text(), u"51"_s);
    EXPECT_EQ(form.txtBcMain()->text(), u"07 0 1"_s);
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    EXPECT_EQ(Rows(), QStringList({u"050:07 0 1"_s, u"101:1 2 3"_s, u"102:4 5 6"_s, u"103:7 8 9"_s}));
    EXPECT_TRUE(form.GridChanged());
    EXPECT_EQ(form.GridToNumStr(), u"050:07 0 1\r\n101:1 2 3\r\n102:4 5 6\r\n103:7 8 9\r\n"_s);
}

TEST_F(DataSetTest, WrongEntriesAreRefusedWithTheirReason)
{
    MakeGame({u"123"_s}, 101);
    FDataSet& form = Open();
    const struct {
        const char* issue;
        const char* numbers;
        const char* message;
    } cases[] = {
        {"101", "1 1 1", "输入开奖数据错误，期号已经存在。101请检查后再增加！"},
        {"x1", "1 1 1", "输入开奖数据错误，期号必须是数字。请检查后再增加！"},
        {"0", "1 1 1", "输入开奖数据错误，期号必须大于零。请检查后再增加！"},
        {"102", "1  1 1", "输入开奖数据错误，请检查后再增加！"},
        {"102", "1 1", "输入开奖数据错误，请检查后再增加！"},
        {"102", "1 1 10", "输入开奖数据错误，请检查后再增加！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.issue + std::string(" / ") + c.numbers);
        m_boxes.Texts.clear();
        m_boxes.Titles.clear();
        form.TxtName()->setText(QString::fromUtf8(c.issue));
        form.txtBcMain()->setText(QString::fromUtf8(c.numbers));
        form.CmdAdd_Click();
        ASSERT_EQ(m_boxes.Texts.size(), 1);
        EXPECT_EQ(m_boxes.Texts[0], QString::fromUtf8(c.message));
        EXPECT_EQ(m_boxes.Titles[0], u"操作提示"_s);
        EXPECT_EQ(Rows(), QStringList({u"101:1 2 3"_s}));
        EXPECT_FALSE(form.GridChanged());
    }
}

TEST_F(DataSetTest, ModifyingChangesTheNumbersOfTheClickedRow)
{
    MakeGame({u"123"_s, u"456"_s, u"789"_s}, 101);
    FDataSet& form = Open(u"Chang"_s);
    form.Grid()->SetRow(2);
    form.Grid_MouseUp();
    EXPECT_EQ(form.TxtName()->text(), u"102"_s);
    EXPECT_EQ(form.txtBcMain()->text(), u"4 5 6"_s);
    form.txtBcMain()->setText(u"0 0 0"_s);
    form.CmdAdd()->click();
    EXPECT_EQ(Rows(), QStringList({u"101:1 2 3"_s, u"102:0 0 0"_s, u"103:7 8 9"_s}));
    EXPECT_TRUE(form.GridChanged());
}

// --- Deleting ----------------------------------------------------------------

TEST_F(DataSetTest, DeletingTheSelectionOrEverything)
{
    MakeGame({u"123"_s, u"456"_s, u"789"_s, u"000"_s}, 101);
    FDataSet& form = Open(u"Delect"_s);
    EXPECT_EQ(form.CurrentTab(), FDataSet::kTabDelete);
    form.Grid()->SetRow(2);
    form.Grid()->SetRowSel(3);
    form.CmdDelete()->click();
    EXPECT_EQ(Rows(), QStringList({u"101:1 2 3"_s, u"104:0 0 0"_s}));
    EXPECT_TRUE(form.GridChanged());

    form.OptDeleteAll()->click();
    EXPECT_EQ(form.Grid()->Row(), 1);
    EXPECT_EQ(form.Grid()->RowSel(), 2);
    form.CmdDelete()->click();
    EXPECT_EQ(form.Grid()->Rows(), 1);
    // Nothing left: deleting still counts as an edit.
    form.CmdDelete()->click();
    EXPECT_TRUE(form.GridChanged());
    EXPECT_EQ(form.GridToNumStr(), QString());
}

// --- Confirming and closing ----------------------------------------------------

TEST_F(DataSetTest, UpdatingWithoutEditsClosesAtOnce)
{
    MakeGame({u"123"_s});
    FDataSet& form = Open();
    form.cmdOK()->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    EXPECT_FALSE(form.IsChang());
    EXPECT_EQ(form.NumStr(), QString());
}

TEST_F(DataSetTest, UpdatingEditsAsksThenHandsTheGridBackOnce)
{
    MakeGame({u"123"_s}, 101);
    FDataSet& form = Open();
    form.TxtName()->setText(u"102"_s);
    form.txtBcMain()->setText(u"4 5 6"_s);
    form.CmdAdd()->click();

    m_boxes.Answer = QMessageBox::Cancel;
    form.cmdOK()->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(m_boxes.Texts, QStringList({u"你真的要把刚才的操作更新到分析数据中去吗？"_s}));
    EXPECT_EQ(m_boxes.Titles, QStringList({AppTitle()}));

    m_boxes.Answer = QMessageBox::Ok;
    form.cmdOK()->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.IsChang());
    EXPECT_EQ(form.NumStr(), u"101:1 2 3\r\n102:4 5 6\r\n"_s);
    // Each is read once.
    EXPECT_FALSE(form.IsChang());
    EXPECT_EQ(form.NumStr(), QString());
}

TEST_F(DataSetTest, EveryWayOfLeavingWithEditsAsksTheSameQuestion)
{
    MakeGame({u"123"_s, u"456"_s});
    const QString question = u"你真的要放弃对刚才的操作,恢复原来数据吗?"_s;
    const std::function<void(FDataSet&)> ways[] = {
        [](FDataSet& form) { form.cmdCancel()->click(); },
        [](FDataSet& form) { form.close(); }, // the close box
        [](FDataSet& form) { QTest::keyClick(&form, Qt::Key_Escape); },
    };
    for (const auto& leave : ways) {
        FDataSet& form = Open();
        m_boxes.Texts.clear();
        // Without edits: closed, no question.
        leave(form);
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(m_boxes.Texts.isEmpty());

        Open();
        form.OptDeleteAll()->click();
        form.CmdDelete()->click();
        m_boxes.Answer = QMessageBox::Cancel;
        leave(form);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(m_boxes.Texts, QStringList({question}));
        m_boxes.Answer = QMessageBox::Ok;
        leave(form);
        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(form.IsChang());
        EXPECT_EQ(form.NumStr(), QString());
    }
}

// --- Import and the format list ------------------------------------------------

TEST_F(DataSetTest, ImportingAFileInsertsItsNewDraws)
{
    MakeGame({u"123"_s, u"456"_s}, 101);
    FDataSet& form = Open(u"Import"_s);
    EXPECT_EQ(form.CurrentTab(), FDataSet::kTabImport);
    EXPECT_EQ(form.LstFormat()->count(), 10);
    EXPECT_EQ(form.LstFormat()->item(0)->text(), u"N:X X X"_s);
    EXPECT_EQ(form.LstFormat()->currentRow(), 0);

    // Browsing: a cancelled dialog leaves the path.
    form.TxtPath()->setText(u"before"_s);
    form.cmdPath()->click();
    EXPECT_EQ(form.TxtPath()->text(), u"before"_s);
    EXPECT_EQ(m_files.Asked, QStringList({u"打开开奖数据|文档文件(*.txt)|*.txt|所有文件(*.*)|*.*"_s}));
    const QString path = Path(u"draws.txt"_s);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ToGbk(u"开奖号码\r\n104:0 0 7\r\n102:9 9 9\r\n103:3 3 3\r\n"_s));
    }
    m_files.Path = path;
    form.cmdPath()->click();
    EXPECT_EQ(form.TxtPath()->text(), path);

    form.cmdImprot()->click();
    EXPECT_EQ(m_boxes.Texts, QStringList({u"已导入2期开奖号码。跳过了1行无法导入的数据，第1行“开奖号码”：不符合数据格式。"
                                          u"1期开奖号码已在列表中。"_s}));
    EXPECT_EQ(m_boxes.Titles, QStringList({u"操作提示"_s}));
    EXPECT_EQ(Rows(), QStringList({u"101:1 2 3"_s, u"102:4 5 6"_s, u"103:3 3 3"_s, u"104:0 0 7"_s}));
    EXPECT_TRUE(form.GridChanged());

    // A file of new draws only: the new rows are the answer.
    m_boxes.Texts.clear();
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("105:5 5 5\r\n");
    }
    form.cmdImprot()->click();
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    EXPECT_EQ(Rows().back(), u"105:5 5 5"_s);
}

TEST_F(DataSetTest, AnImportWithoutANewDrawSaysSoAndChangesNothing)
{
    MakeGame({u"123"_s, u"456"_s}, 101);
    FDataSet& form = Open(u"Import"_s);
    const QString path = Path(u"draws.txt"_s);
    form.TxtPath()->setText(path);
    const struct {
        const char* name;
        QByteArray file;
        QString format;
        QString title;
        QString text;
    } cases[] = {
        {"known draws", "101:1 2 3\r\n102:4 5 6\r\n", u"N:X X X"_s, u"操作提示"_s,
         u"没有新的开奖号码：文件中的2期开奖号码都已在列表中。"_s},
        // A format without the issue reads every draw as issue 0.
        {"no issue", "1 2 3\r\n4 5 6\r\n", u"X X X"_s, u"操作错误"_s,
         u"导入失败，没有可以导入的开奖号码。跳过了2行无法导入的数据，第1行“1 2 3”：期号必须大于零。"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.file);
        file.close();
        form.LstFormat()->item(9)->setText(c.format);
        form.LstFormat()->setCurrentRow(9);
        m_boxes.Texts.clear();
        m_boxes.Titles.clear();
        form.cmdImprot()->click();
        EXPECT_EQ(m_boxes.Texts, QStringList({c.text}));
        EXPECT_EQ(m_boxes.Titles, QStringList({c.title}));
        EXPECT_EQ(Rows(), QStringList({u"101:1 2 3"_s, u"102:4 5 6"_s}));
        EXPECT_FALSE(form.GridChanged());
    }
    // Nothing to confirm: "取消" closes without a question.
    m_boxes.Texts.clear();
    form.cmdCancel()->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
}

TEST_F(DataSetTest, ALongImportAnswersAndItsCancelStopsIt)
{
    MakeGame({u"123"_s, u"456"_s}, 1);
    FDataSet& form = Open(u"Import"_s);
    // A newest-first list: issues 12,002 down to 3.
    QByteArray text;
    for (int issue = 12002; issue >= 3; --issue)
        text += QByteArray::number(issue) + ":0 0 " + QByteArray::number(issue % 10) + "\r\n";
    const QString path = Path(u"many.txt"_s);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    form.TxtPath()->setText(path);
    bool checked = false;
    m_display.OnPump = [&](int pass) {
        if (pass != 2)
            return;
        // Only "取消" is open to the user while the file is read.
        checked = true;
        EXPECT_TRUE(form.Reading());
        EXPECT_TRUE(form.cmdCancel()->isEnabled());
        for (QWidget* w : std::initializer_list<QWidget*>{form.Tab1(), form.cmdImprot(), form.Grid(), form.cmdOK()})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        form.cmdCancel()->click();
    };
    form.cmdImprot()->click();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(form.Reading());
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    EXPECT_EQ(Rows(), QStringList({u"1:1 2 3"_s, u"2:4 5 6"_s}));
    EXPECT_FALSE(form.GridChanged());
    EXPECT_TRUE(form.isVisible()); // the cancel stopped the import, not the editor
    for (QWidget* w : std::initializer_list<QWidget*>{form.Tab1(), form.cmdImprot(), form.Grid(), form.cmdOK()})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();

    // Not stopped: every draw in its place.
    m_display.OnPump = nullptr;
    form.cmdImprot()->click();
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    const QStringList rows = Rows();
    ASSERT_EQ(rows.size(), 12002);
    EXPECT_EQ(rows[2], u"3:0 0 3"_s);
    EXPECT_EQ(rows.back(), u"12002:0 0 2"_s);
    EXPECT_TRUE(form.GridChanged());
}

TEST_F(DataSetTest, AFullTableTakesNoMoreDraws)
{
    QStringList digits;
    for (int i = 0; i < 32766; ++i)
        digits << u"123"_s;
    MakeGame(digits, 1);
    FDataSet& form = Open();
    ASSERT_EQ(form.Grid()->Rows(), 32767);
    form.TxtName()->setText(u"40000"_s);
    form.txtBcMain()->setText(u"1 2 3"_s);
    form.CmdAdd()->click();
    EXPECT_EQ(m_boxes.Texts, QStringList({u"不能再增加开奖号码，一种彩票最多保存32766期开奖号码。"_s}));
    EXPECT_EQ(form.Grid()->Rows(), 32767);
    EXPECT_FALSE(form.GridChanged());
    // Modifying a draw is still open.
    form.Tab1()->setCurrentIndex(FDataSet::kTabChang - 1);
    form.txtBcMain()->setText(u"9 9 9"_s);
    form.CmdAdd()->click();
    EXPECT_EQ(Rows().back(), u"32766:9 9 9"_s);
}

TEST_F(DataSetTest, AFailedImportSaysWhy)
{
    MakeGame({u"123"_s});
    FDataSet& form = Open(u"Import"_s);
    form.TxtPath()->setText(Path(u"missing.txt"_s));
    form.cmdImprot()->click();
    // An empty entry as the format.
    QFile file(Path(u"draws.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("102:4 5 6\r\n");
    file.close();
    form.TxtPath()->setText(file.fileName());
    form.LstFormat()->setCurrentRow(5);
    form.cmdImprot()->click();
    EXPECT_EQ(m_boxes.Texts, QStringList({u"导入失败，导入文件不存在！"_s, u"导入失败，数据的格式不准确！"_s}));
    EXPECT_EQ(m_boxes.Titles, QStringList({u"操作错误"_s, u"操作错误"_s}));
    EXPECT_FALSE(form.GridChanged());
}

TEST_F(DataSetTest, FormatEntriesAreEditedInPlaceAndOnlyFittingOnesKept)
{
    CLottorData& game = MakeGame({u"123"_s});
    FDataSet& form = Open(u"Import"_s);
    QListWidget* list = form.LstFormat();
    list->setCurrentRow(2);
    form.LstFormat_DblClick();
    QLineEdit* editor = form.TxtFormat();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry().top(), list->viewport()->mapTo(list->parentWidget(), QPoint()).y() +
                                            2 * form.fontMetrics().height());
    editor->setText(u"N,X,X,X"_s);
    EXPECT_EQ(list->item(2)->text(), u"N,X,X,X"_s); // copied at once
    // Entry 3 takes a format that does not fit the game.
    list->setCurrentRow(3);
    form.LstFormat_DblClick();
    editor->setText(u"N X X"_s);
    EXPECT_EQ(list->item(3)->text(), u"N X X"_s);
    form.cmdImprot()->setFocus();
    EXPECT_FALSE(editor->isVisible());

    // Closing without confirming the draws keeps the fitting entry only.
    form.cmdCancel()->click();
    EXPECT_EQ(game.HeadData.NumFormatStr(2), u"N,X,X,X"_s);
    EXPECT_EQ(game.HeadData.NumFormatStr(3), QString());
}

// --- The source grid -------------------------------------------------------------

TEST_F(DataSetTest, SourcesAreEditedInPlaceAndWrittenBackOnClosing)
{
    CLottorData& game = MakeGame({u"123"_s});
    game.HeadData.SetWwwNumCaption(0, u"福彩"_s);
    game.HeadData.SetWwwNumLink(0, u"3d.txt"_s);
    game.HeadData.SetWwwNumFormat(0, u"N X X X"_s);
    FDataSet& form = Open(u"DownLoad"_s);
    CFlexGrid* sources = form.msgDown();
    EXPECT_EQ(sources->Rows(), 11);
    EXPECT_EQ(sources->Cols(), 4);
    EXPECT_EQ(sources->TextMatrix(0, 1), u"标题"_s);
    EXPECT_EQ(sources->TextMatrix(0, 2), u"数据地址"_s);
    EXPECT_EQ(sources->TextMatrix(0, 3), u"数据格式"_s);
    EXPECT_EQ(sources->TextMatrix(1, 1), u"福彩"_s);
    EXPECT_EQ(sources->ColWidth(2), 1000);
    EXPECT_EQ(sources->Row(), 1);

    sources->SetRow(4);
    sources->SetCol(2);
    form.msgDown_DblClick();
    QLineEdit* editor = form.TxtDown();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry(), sources->CellRect(4, 2).translated(sources->pos()));
    editor->setText(u"http://other.example/p3.txt"_s);
    EXPECT_EQ(sources->TextMatrix(4, 2), u"http://other.example/p3.txt"_s);
    form.CmdDownLoad()->setFocus();
    EXPECT_FALSE(editor->isVisible());

    form.close();
    EXPECT_EQ(game.HeadData.WwwNumLink(3), u"http://other.example/p3.txt"_s);
    EXPECT_EQ(game.HeadData.WwwNumCaption(0), u"福彩"_s);
}

TEST_F(DataSetTest, HelpOpensTheWindowsPage)
{
    MakeGame({u"123"_s});
    FDataSet& form = Open();
    QStringList shown;
    {
        const ScopedService<HelpShower> shower([&](const QString&, const QString& topic) { shown << topic; });
        form.CmdHelp()->click();
    }
    EXPECT_EQ(shown, QStringList({u"FDataSet.htm"_s}));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(KELTON_DEFAULTS_DIR "/Help/FDataSet.htm")));
}

TEST_F(DataSetTest, TheDownloadControlsSwitchBetweenIdleAndBusy)
{
    MakeGame({u"123"_s});
    FDataSet& form = Open(u"DownLoad"_s);
    EXPECT_FALSE(form.LblDownload()->isVisible());
    form.EnableDownloadControls(false);
    EXPECT_TRUE(form.LblDownload()->isVisible());
    EXPECT_TRUE(form.DownloadTrack()->isVisible());
    EXPECT_FALSE(form.CmdDownLoad()->isEnabled());
    EXPECT_TRUE(form.CmdCancelDownLoad()->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{form.Tab1(), form.Grid(), form.msgDown(), form.cmdOK(),
                                                      form.cmdCancel()})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    form.Timer1_Timer();
    form.Timer1_Timer();
    EXPECT_EQ(form.MarkerX(), 140);
    form.EnableDownloadControls(true);
    EXPECT_EQ(form.MarkerX(), 120);
    EXPECT_FALSE(form.DownloadTrack()->isVisible());
    EXPECT_TRUE(form.cmdOK()->isEnabled());
}

} // namespace
} // namespace kelton
