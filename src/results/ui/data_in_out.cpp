#include "results/ui/data_in_out.h"

#include <algorithm>
#include <initializer_list>

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "platform/help_pages.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_dialog.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// The dialog (frame included) and its controls, in twips.
constexpr QSize kOuter{5535, 4740};
constexpr QRect kTsp{120, 120, 5175, 375};
constexpr QRect kLblFormat{240, 645, 1500, 255};
constexpr QRect kLstFormat{240, 930, 4935, 2250};
constexpr QRect kTxtPath{240, 3300, 3855, 315};
constexpr QRect kCmdPath{4200, 3285, 975, 345};
constexpr QRect kCmdOK{1620, 3840, 1095, 375};
constexpr QRect kCmdCancel{2850, 3840, 1095, 375};
constexpr QRect kCmdHelp{4080, 3840, 1095, 375};

const QString kSaveFilter = u"SaveFilter"_s;
const QString kOpenFilter = u"OpenFilter"_s;
const QString kSaveData = u"SaveData"_s;

} // namespace

FDataInOut::FDataInOut(AppState& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setObjectName(u"FDataInOut"_s);
    setWindowTitle(u"数据导入导出"_s);

    m_tsp = new QTabBar(this);
    m_tsp->setObjectName(u"Tsp"_s);
    m_tsp->setExpanding(false);
    const std::pair<QString, QString> tabs[] = {
        {kSaveFilter, u"保存投注"_s}, {kOpenFilter, u"加载投注"_s}, {kSaveData, u"导出开奖数据"_s}};
    for (const auto& [key, caption] : tabs)
        m_tsp->setTabData(m_tsp->addTab(caption), key);
    SetTwipsGeometry(m_tsp, kTsp);

    auto* label = new QLabel(u"数据格式："_s, this);
    SetTwipsGeometry(label, kLblFormat);
    m_lstFormat = new QListWidget(this);
    m_lstFormat->setObjectName(u"LstFormat"_s);
    SetTwipsGeometry(m_lstFormat, kLstFormat);
    label->setBuddy(m_lstFormat);
    m_lstFormat->setAccessibleName(u"数据格式"_s);

    m_txtFormat = new QLineEdit(this);
    m_txtFormat->setObjectName(u"TxtFormat"_s);
    m_txtFormat->setAccessibleName(u"编辑数据格式"_s);
    m_txtFormat->hide();
    m_txtFormat->installEventFilter(this);

    m_txtPath = new QLineEdit(this);
    m_txtPath->setObjectName(u"TxtPath"_s);
    m_txtPath->setAccessibleName(u"文件路径"_s);
    SetTwipsGeometry(m_txtPath, kTxtPath);
    m_cmdPath = MakeTwipsControl<QPushButton>(this, u"cmdPath"_s, u"文件"_s, kCmdPath);
    m_cmdOK = MakeTwipsControl<QPushButton>(this, u"cmdOK"_s, u"确定"_s, kCmdOK);
    m_cmdOK->setDefault(true);
    m_cmdCancel = MakeTwipsControl<QPushButton>(this, u"cmdCancel"_s, u"取消"_s, kCmdCancel);
    m_cmdCancel->setEnabled(false);
    m_cmdHelp = MakeTwipsControl<QPushButton>(this, u"CmdHelp"_s, u"帮助"_s, kCmdHelp);

    connect(m_cmdOK, &QPushButton::clicked, this, &FDataInOut::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FDataInOut::cmdCancel_Click);
    connect(m_cmdPath, &QPushButton::clicked, this, &FDataInOut::cmdPath_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &FDataInOut::CmdHelp_Click);
    connect(m_lstFormat, &QListWidget::itemDoubleClicked, this, &FDataInOut::LstFormat_DblClick);
    // Every change the user makes goes into the row at once.
    connect(m_txtFormat, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (QListWidgetItem* item = m_lstFormat->currentItem())
            item->setText(text);
    });
    SetFixedOuterSize(this, kOuter, kDialogFrame);
}

void FDataInOut::Load()
{
    m_lstFormat->clear();
    if (const std::shared_ptr<CLottorData> game = m_app.CurLottorData) {
        for (int16_t i = 0; i < CLottorHead::kFormatCount; ++i)
            m_lstFormat->addItem(game->HeadData.NumFormatStr(i));
    }
    m_lstFormat->setCurrentRow(0);
    const int tab = ShowTag >= 1 && ShowTag <= 3 ? ShowTag - 1 : 0;
    m_tsp->setCurrentIndex(tab);
}

QString FDataInOut::SelectedKey() const
{
    return m_tsp->tabData(m_tsp->currentIndex()).toString();
}

bool FDataInOut::Busy() const
{
    return m_cmdCancel->isEnabledTo(this);
}

QString FDataInOut::SelectedFormat() const
{
    const QListWidgetItem* item = m_lstFormat->currentItem();
    return item ? item->text() : QString();
}

void FDataInOut::SetInOutControls(bool busy)
{
    // The busy state disables every window but the main one: the dialog
    // itself comes back so that Cancel can be clicked.
    setEnabled(true);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_tsp, m_txtFormat, m_cmdPath, m_txtPath, m_lstFormat, m_cmdOK})
        w->setEnabled(!busy);
    m_cmdCancel->setEnabled(busy);
}

BetFileProgress FDataInOut::Progress()
{
    return BetFileProgress{m_msg,
                           [this](const QString& question, const QString& title) {
                               return MsgBox(this, QMessageBox::Question, title, question,
                                             QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
                           },
                           [this] { SetInOutControls(true); }};
}

void FDataInOut::Report(const BetFileOutcome& out)
{
    if (!out.Ok())
        MsgBox(this, QMessageBox::Critical, u"操作错误"_s, out.Message());
    else if (const QString notice = out.Notice(); !notice.isEmpty())
        MsgBox(this, QMessageBox::Information, u"操作提示"_s, notice);
}

void FDataInOut::cmdOK_Click()
{
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    if (!game || Busy())
        return;
    m_txtFormat->hide();
    const QString key = SelectedKey();
    const QString path = m_txtPath->text();
    const QString format = SelectedFormat();
    BetFileOutcome out;
    if (key == kOpenFilter) {
        // The windows showing the bets follow the document.
        out = m_app.Document.ChangeBets(
            [&](BetList& bets) { return LoadBetFile(path, format, game->HeadData, bets, Progress()); });
    } else if (key == kSaveData) {
        out = ExportHistoryFile(path, format, *game, AppTitle(), Progress());
    } else {
        out = SaveBetFile(path, format, game->HeadData, AppTitle(), m_app.Document.Bets(), Progress());
    }
    SetInOutControls(false);
    Report(out);
}

void FDataInOut::cmdCancel_Click()
{
    m_msg.SetIsClick(true);
}

void FDataInOut::cmdPath_Click()
{
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    const QString name = game ? game->HeadData.LottorName : QString();
    const QString key = SelectedKey();
    QString chosen;
    if (key == kOpenFilter) {
        chosen =
            GetOpenFile(this, u"加载投注数据"_s, name + u"投注数据(*.voskr)|*.voskr|文本文件(*.txt)|*.txt"_s);
    } else if (key == kSaveData) {
        chosen = GetSaveFile(this, u"保存历史开奖数据"_s,
                             name + u"历史数据(*.voskr)|*.voskr|文本文件(*.txt)|*.txt"_s);
    } else {
        chosen =
            GetSaveFile(this, u"保存投注数据"_s, name + u"投注数据(*.voskr)|*.voskr|文本文件(*.txt)|*.txt"_s);
    }
    if (!chosen.isEmpty())
        m_txtPath->setText(chosen);
}

void FDataInOut::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + u".htm"_s);
}

void FDataInOut::LstFormat_DblClick()
{
    QListWidgetItem* item = m_lstFormat->currentItem();
    if (!item)
        return;
    QRect row = m_lstFormat->visualItemRect(item);
    if (row.top() < 0)
        row.moveTop(0);
    const QPoint topLeft = m_lstFormat->viewport()->mapTo(this, row.topLeft());
    m_txtFormat->setGeometry(topLeft.x(), topLeft.y(), m_lstFormat->viewport()->width(),
                             std::max(row.height(), m_txtFormat->sizeHint().height()));
    m_txtFormat->setText(item->text());
    m_txtFormat->show();
    m_txtFormat->raise();
    m_txtFormat->selectAll();
    m_txtFormat->setFocus();
}

bool FDataInOut::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtFormat && event->type() == QEvent::FocusOut)
        m_txtFormat->hide();
    return QDialog::eventFilter(watched, event);
}

void FDataInOut::done(int r)
{
    if (Busy()) {
        MsgBox(this, QMessageBox::Information, u"操作提示"_s, u"请取消正在操作的导入导出,再退出！"_s);
        return;
    }
    if (const std::shared_ptr<CLottorData> game = m_app.CurLottorData) {
        // A row the game does not accept leaves its stored format.
        for (int16_t i = 0; i < CLottorHead::kFormatCount && i < m_lstFormat->count(); ++i)
            game->HeadData.SetNumFormatStr(i, m_lstFormat->item(i)->text());
    }
    QDialog::done(r);
}

void ShowDataInOut(AppState& app, QWidget* owner, int16_t sShowTag)
{
    if (!app.CurLottorData)
        return;
    FDataInOut dialog(app, owner);
    dialog.ShowTag = sShowTag;
    dialog.Load();
    ExecModal(dialog);
}

} // namespace kelton
