// The draw editor: construction, opening, the tabs, adding, modifying and
// deleting draws, confirming and closing. The import and download tabs are
// in data_set_lists.cpp.

#include "games/ui/data_set_form.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/text_helpers.h"
#include "platform/help_pages.h"
#include "platform/string_table.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_dialog.h"
#include "platform/ui/screen_twips.h"
#include "shell/net/downloader.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// The draw table over the editor's grid control.
class CFlexGridDrawRows : public IDrawRows {
public:
    explicit CFlexGridDrawRows(CFlexGrid& grid) : m_grid(grid) {}
    int Rows() const override { return m_grid.Rows(); }
    QString TextMatrix(int row, int col) const override { return m_grid.TextMatrix(row, col); }
    void SetTextMatrix(int row, int col, const QString& text) override { m_grid.SetTextMatrix(row, col, text); }
    void InsertRow(int index, const QString& issue, const QString& numbers) override
    {
        m_grid.AddItem(issue + u'\t' + numbers, index);
    }
    void InsertRows(std::span<const int> before, std::span<const QString> texts) override
    {
        m_grid.InsertRows(before, texts);
    }
    void RemoveRow(int index) override { m_grid.RemoveItem(index); }
    void ClearRows() override { m_grid.SetRows(1); }

private:
    CFlexGrid& m_grid;
};

// The stacked panel of each tab: add and modify share one.
int PanelOfTab(int tab)
{
    return tab <= FDataSet::kTabChang ? 0 : tab - 2;
}

} // namespace

FDataSet::FDataSet(AppState& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setObjectName(u"FDataSet"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(u"历史开奖号码"_s);

    m_grid = new CFlexGrid(this);
    m_grid->setObjectName(u"Grid"_s);
    m_grid->setAccessibleName(u"历史开奖号码"_s);
    m_rows = std::make_unique<CFlexGridDrawRows>(*m_grid);

    m_tab1 = new QTabBar(this);
    m_tab1->setObjectName(u"Tab1"_s);
    m_tab1->setExpanding(false);
    for (const QString& caption : {u"增加"_s, u"修改"_s, u"删除"_s, u"下载"_s, u"导入"_s})
        m_tab1->addTab(caption);
    m_panels = new QStackedWidget(this);
    m_panels->setFrameShape(QFrame::StyledPanel);
    m_panels->addWidget(MakeAddPanel());
    m_panels->addWidget(MakeDeletePanel());
    m_panels->addWidget(MakeDownPanel());
    m_panels->addWidget(MakeImportPanel());

    auto* hint = new QLabel(u"要对刚才的修改写入磁盘,请点击\"更新\"按键."_s, this);
    hint->setObjectName(u"Label2"_s);
    hint->setWordWrap(true);
    QHBoxLayout* buttons = MakeDialogButtons(this, m_cmdOK, m_cmdCancel, m_cmdHelp);
    m_cmdOK->setText(u"更新"_s);
    m_cmdCancel->setText(LoadResString(Res::Cancel));
    // Enter in a box adds nothing and confirms nothing.
    for (QPushButton* button : {m_cmdOK, m_cmdCancel, m_cmdHelp}) {
        button->setDefault(false);
        button->setAutoDefault(false);
    }

    auto* right = new QVBoxLayout;
    right->setSpacing(0);
    right->addWidget(m_tab1);
    right->addWidget(m_panels, 1);
    right->addSpacing(8);
    right->addWidget(hint);
    right->addSpacing(8);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(right);
    resize(TwipsToScreenPixels(9600, this), TwipsToScreenPixels(6600, this));

    m_timer1.setInterval(DownloadMarker::kTickMs);
    connect(&m_timer1, &QTimer::timeout, this, &FDataSet::Timer1_Timer);
    connect(m_tab1, &QTabBar::currentChanged, this, [this] {
        if (!m_busy)
            Tab1_Click();
    });
    connect(m_grid, &CFlexGrid::MouseUp, this, [this] { Grid_MouseUp(); });
    connect(m_cmdAdd, &QPushButton::clicked, this, &FDataSet::CmdAdd_Click);
    connect(m_optDeleteAll, &QRadioButton::clicked, this, &FDataSet::OptDeleteAll_Click);
    connect(m_optDelete2, &QRadioButton::clicked, this, &FDataSet::OptDelete2_Click);
    connect(m_cmdDelete, &QPushButton::clicked, this, &FDataSet::CmdDelete_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &FDataSet::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FDataSet::cmdCancel_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &FDataSet::CmdHelp_Click);
    for (QLineEdit* box : {m_txtName, m_txtBcMain, m_txtFormat, m_txtDown})
        box->installEventFilter(this);
}

// A download still waited for ends with its window: the downloader goes
// and the wait returns at once. A text still read stops at its next step,
// before it touches the grid.
FDataSet::~FDataSet()
{
    StopReading();
}

QWidget* FDataSet::MakeAddPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(u"PicAdd"_s);
    auto* lblName = new QLabel(u"期数:"_s, panel);
    m_txtName = new QLineEdit(panel);
    m_txtName->setObjectName(u"TxtName"_s);
    lblName->setBuddy(m_txtName);
    m_lblBcMain = new QLabel(panel);
    m_lblBcMain->setObjectName(u"lblBcMain"_s);
    m_txtBcMain = new QLineEdit(panel);
    m_txtBcMain->setObjectName(u"txtBcMain"_s);
    m_lblBcMain->setBuddy(m_txtBcMain);
    m_cmdAdd = MakeButton(u"增加"_s, u"CmdAdd"_s, panel);
    // The second sentence starts a line of its own.
    auto* note = new QLabel(u"注意:填写的数据必须是数字!"_s + QString(13, QChar(0x3000)) +
                                u"号码与号码之间用空格分开！"_s,
                            panel);
    note->setObjectName(u"Label1"_s);
    note->setWordWrap(true);
    note->setFixedWidth(TwipsToScreenPixels(3800, this));

    auto* grid = new QGridLayout(panel);
    grid->addWidget(lblName, 0, 0);
    grid->addWidget(m_txtName, 0, 1);
    grid->addWidget(m_lblBcMain, 1, 0, 1, 2);
    grid->addWidget(m_txtBcMain, 2, 0, 1, 2);
    grid->addWidget(m_cmdAdd, 3, 1, Qt::AlignRight);
    grid->addWidget(note, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    return panel;
}

QWidget* FDataSet::MakeDeletePanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(u"PicDelete"_s);
    m_optDeleteAll = new QRadioButton(u"删除全部"_s, panel);
    m_optDeleteAll->setObjectName(u"OptDeleteAll"_s);
    m_optDelete2 = new QRadioButton(u"删除选择部分"_s, panel);
    m_optDelete2->setObjectName(u"OptDelete2"_s);
    m_cmdDelete = MakeButton(u"删除"_s, u"CmdDelete"_s, panel);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(m_optDeleteAll);
    layout->addWidget(m_optDelete2);
    layout->addWidget(m_cmdDelete, 0, Qt::AlignRight);
    layout->addStretch(1);
    return panel;
}

QPushButton* FDataSet::MakeButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    // Enter in a box presses no button.
    button->setAutoDefault(false);
    return button;
}

CLottorHead* FDataSet::Head() const
{
    return m_game ? &m_game->HeadData : nullptr;
}

int FDataSet::CurrentTab() const
{
    return m_tab1->currentIndex() + 1;
}

void FDataSet::ShowModal(QWidget* owner)
{
    if (!m_app.CurLottorData)
        return;
    if (parentWidget() != owner)
        setParent(owner, windowFlags());
    Form_Load();
    ExecModal(*this);
}

bool FDataSet::IsChang() const
{
    return std::exchange(m_isChang, false);
}

QString FDataSet::NumStr() const
{
    return std::exchange(m_numStr, QString());
}

void FDataSet::SetUpGrid()
{
    const CLottorHead& head = *Head();
    m_grid->SetRedraw(false);
    m_grid->SetRows(1);
    m_grid->SetCols(2);
    m_grid->SetFixedRows(1);
    m_grid->SetFixedCols(1);
    const QString numbersTitle = head.BcDataName + u"开奖号码"_s;
    m_grid->SetTextMatrix(0, kIssueCol, u"期号"_s);
    m_grid->SetTextMatrix(0, kNumbersCol, numbersTitle);
    m_lblBcMain->setText(numbersTitle);
    m_grid->SetColAlignment(kIssueCol, Qt::AlignCenter);
    m_grid->SetColAlignment(kNumbersCol, Qt::AlignCenter);
    const double nine = ScreenPixelsToTwips(m_grid->fontMetrics().horizontalAdvance(u'9'), this);
    m_grid->SetColWidth(kNumbersCol, static_cast<int>(head.BM * nine * 2 + 1000));
    // As wide as its columns and the scroll bar.
    int width = 2 * m_grid->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_grid) +
                m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_grid) + 4;
    for (int c = 0; c < m_grid->Cols(); ++c)
        width += TwipsToScreenPixels(m_grid->ColWidth(c), m_grid);
    m_grid->setFixedWidth(width);
}

void FDataSet::Form_Load()
{
    m_game = m_app.CurLottorData;
    if (!m_game)
        return;
    const QScopedValueRollback busy(m_busy, true);
    m_closed = false;
    m_numStr.clear();
    m_txtFormat->hide();
    m_txtDown->hide();

    SetUpGrid();
    FillDrawRows(*m_rows, *m_game);
    FillSources();

    m_optDelete2->setChecked(true);
    OptDelete2_Click();
    m_gridChanged = false;
    m_downloader = std::make_unique<Downloader>();
    if (m_downloaderSetup)
        m_downloaderSetup(*m_downloader);
    m_downId = 0;

    m_tab1->setCurrentIndex(OpeningTab(m_selTsp) - 1);
    Tab1_Click();

    m_grid->SetRedraw(true);
    if (const int top = OpeningTopRow(m_grid->Rows()))
        m_grid->SetTopRow(top);
    m_gridChanged = false;
    m_isChang = false;
}

void FDataSet::Tab1_Click()
{
    const int tab = CurrentTab();
    m_panels->setCurrentIndex(PanelOfTab(tab));
    const int last = m_grid->Rows() - 1;
    const int lastCol = m_grid->Cols() - 1;
    switch (tab) {
    case kTabAdd:
        m_cmdAdd->setText(u"增加"_s);
        m_cmdAdd->setEnabled(true);
        m_txtName->setEnabled(true);
        m_txtName->clear();
        if (last >= 1) {
            if (const std::optional<int64_t> issue = IssueValue(m_grid->TextMatrix(last, kIssueCol)))
                m_txtName->setText(QString::number(*issue + 1));
            m_grid->SetRow(last);
            m_grid->SetColSel(lastCol);
            if (m_grid->Row() > 1)
                m_grid->SetTopRow(m_grid->Row());
        }
        break;
    case kTabChang: {
        m_cmdAdd->setText(u"修改"_s);
        m_txtName->setEnabled(false);
        const int row = m_grid->Row();
        if (row >= 1 && row <= last) {
            const std::optional<int64_t> issue = IssueValue(m_grid->TextMatrix(row, kIssueCol));
            m_txtName->setText(issue ? QString::number(*issue) : m_grid->TextMatrix(row, kIssueCol));
            m_txtBcMain->setText(m_grid->TextMatrix(row, kNumbersCol));
            m_cmdAdd->setEnabled(true);
        } else {
            m_txtName->clear();
            m_txtBcMain->clear();
            m_cmdAdd->setEnabled(false);
        }
        if (last >= 1) {
            m_grid->SetCol(kNumbersCol);
            m_grid->SetColSel(lastCol);
        }
        break;
    }
    case kTabDelete:
        if (m_optDeleteAll->isChecked() && last >= 1)
            SelectAllDataRows();
        break;
    case kTabDown:
        m_cmdCancelDownLoad->setEnabled(false);
        EnableDownloadControls(true);
        break;
    default:
        break;
    }
}

void FDataSet::SelectNumbersCell(int row)
{
    if (row < 1 || row >= m_grid->Rows())
        return;
    m_grid->SetRow(row);
    m_grid->SetCol(kNumbersCol);
    m_grid->SetColSel(m_grid->Cols() - 1);
}

void FDataSet::SelectAllDataRows()
{
    if (m_grid->Rows() < 2)
        return;
    m_grid->SetRow(1);
    m_grid->SetCol(kNumbersCol);
    m_grid->SetRowSel(m_grid->Rows() - 1);
    m_grid->SetColSel(m_grid->Cols() - 1);
}

void FDataSet::ScrollRowIntoView(int row)
{
    if (!m_grid->isVisible() || row < 1 || row >= m_grid->Rows())
        return;
    const QRect cell = m_grid->CellRect(row, kNumbersCol);
    const int bodyTop = m_grid->CellRect(0, kNumbersCol).bottom();
    if (cell.isEmpty() || cell.top() < bodyTop || cell.bottom() > m_grid->height())
        m_grid->SetTopRow(row);
}

void FDataSet::Grid_MouseUp()
{
    const int rows = m_grid->Rows();
    const int row = m_grid->Row();
    if (rows < 2) {
        m_grid->SetCol(kNumbersCol);
        m_grid->SetColSel(m_grid->Cols() - 1);
        return;
    }
    const int tab = CurrentTab();
    if ((tab == kTabAdd || tab == kTabChang) && row >= 1 && row < rows) {
        m_txtName->setText(m_grid->TextMatrix(row, kIssueCol));
        m_txtBcMain->setText(m_grid->TextMatrix(row, kNumbersCol));
        // A row picked on the modify tab can be modified.
        if (tab == kTabChang)
            m_cmdAdd->setEnabled(true);
    } else if (tab == kTabDelete && m_optDeleteAll->isChecked()) {
        SelectAllDataRows();
    }
}

void FDataSet::CmdAdd_Click()
{
    if (!Head())
        return;
    const auto refuse = [this](const QString& reason, QLineEdit* box) {
        MsgBox(this, QMessageBox::Warning, u"操作提示"_s, DrawEntryErrorText(reason), QMessageBox::Ok);
        box->setFocus();
    };
    const std::optional<QString> numbers = CheckDrawNumbers(*Head(), m_txtBcMain->text());
    if (!numbers) {
        refuse(QString(), m_txtBcMain);
        return;
    }
    int row = m_grid->Row();
    if (m_cmdAdd->text() == u"增加") {
        if (DrawTableFull(*m_rows)) {
            MsgBox(this, QMessageBox::Warning, u"操作提示"_s, DrawTableFullText(), QMessageBox::Ok);
            return;
        }
        const IssueCheck check = CheckNewIssue(*m_rows, m_txtName->text());
        if (!check.Ok) {
            refuse(check.Reason, m_txtName);
            return;
        }
        row = check.Row;
        m_rows->InsertRow(row, TrimBlanks(m_txtName->text()), *numbers);
        m_txtName->setText(QString::number(int64_t{check.Issue} + 1));
    } else {
        if (row < 1 || row >= m_grid->Rows())
            return;
        m_grid->SetTextMatrix(row, kNumbersCol, *numbers);
    }
    SelectNumbersCell(row);
    m_txtBcMain->setText(*numbers);
    m_gridChanged = true;
    ScrollRowIntoView(row);
}

void FDataSet::OptDeleteAll_Click()
{
    SelectAllDataRows();
}

void FDataSet::OptDelete2_Click()
{
    SelectNumbersCell(m_grid->Rows() - 1);
}

void FDataSet::CmdDelete_Click()
{
    DeleteDrawRows(*m_rows, m_grid->Row(), m_grid->RowSel());
    m_gridChanged = true;
    if (m_grid->Rows() > 1)
        SelectNumbersCell(std::min(m_grid->Row(), m_grid->Rows() - 1));
}

void FDataSet::cmdOK_Click()
{
    if (m_downloading)
        return;
    if (m_gridChanged) {
        if (MsgBox(this, QMessageBox::Question, AppTitle(), u"你真的要把刚才的操作更新到分析数据中去吗？"_s,
                   QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
            return;
        m_isChang = true;
        m_numStr = GridToNumStr();
    }
    accept();
}

bool FDataSet::AskDiscard()
{
    return !m_gridChanged ||
           MsgBox(this, QMessageBox::Question, AppTitle(), u"你真的要放弃对刚才的操作,恢复原来数据吗?"_s,
                  QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void FDataSet::cmdCancel_Click()
{
    // While a text is read, "取消" stops the reading.
    if (m_reading) {
        StopReading();
        return;
    }
    if (m_downloading || !AskDiscard())
        return;
    reject();
}

void FDataSet::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + u".htm"_s);
}

GridRowFind FDataSet::FindGridRow(int64_t issue) const
{
    return kelton::FindGridRow(*m_rows, issue);
}

QString FDataSet::GridToNumStr() const
{
    return kelton::GridToNumStr(*m_rows);
}

void FDataSet::closeEvent(QCloseEvent* event)
{
    // The close box asks as "取消" does; during a download or a read it
    // does nothing.
    if (isVisible() && (m_downloading || m_reading || !AskDiscard())) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FDataSet::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_cmdCancel->isEnabled())
            cmdCancel_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Every way of closing ends here: the lists go back into the game, and the
// downloader goes (after the wait on it has returned, when one runs).
void FDataSet::done(int r)
{
    if (!m_closed) {
        m_closed = true;
        WriteBackLists();
        if (m_waiting && m_downloader)
            m_downloader->CancelDown(m_downId);
        else
            m_downloader.reset();
        m_downloading = false;
        m_downId = 0;
        m_timer1.stop();
    }
    QDialog::done(r);
}

bool FDataSet::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && event->type() == QEvent::FocusIn) {
        if (box == m_txtName)
            box->setText(TrimBlanks(box->text()));
        // After the click that gave the focus has placed the cursor.
        QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
    } else if (event->type() == QEvent::FocusOut && (box == m_txtFormat || box == m_txtDown)) {
        box->hide();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kelton
