#include "results/ui/hit_query_form.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "host/ui/shell_windows.h"
#include "platform/help_pages.h"
#include "platform/name_tables.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/modal_dialog.h"
#include "platform/ui/screen_twips.h"
#include "results/hit_query.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

QFrame* MakeLine(QWidget* parent, const QString& name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QSize TwipsSize(const QSize& twips, const QWidget* on)
{
    return {TwipsToScreenPixels(twips.width(), on), TwipsToScreenPixels(twips.height(), on)};
}

} // namespace

fHitQuery::fHitQuery(AppState& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setObjectName(u"fHitQuery"_s);
    setWindowTitle(u"中奖查询"_s);
    setSizeGripEnabled(true);

    m_lblType = new QLabel(u"开奖类型"_s, this);
    m_lblType->setObjectName(u"LblType"_s);
    m_cboType = new QComboBox(this);
    m_cboType->setObjectName(u"cboType"_s);
    m_lblType->setBuddy(m_cboType);
    m_label1 = new QLabel(u"期号:"_s, this);
    m_label1->setObjectName(u"Label1"_s);
    m_cboName = new QComboBox(this);
    m_cboName->setObjectName(u"cboName"_s);
    m_label1->setBuddy(m_cboName);
    m_cmdQuery = new QPushButton(u"查询"_s, this);
    m_cmdQuery->setObjectName(u"CmdQuery"_s);
    m_cmdQuery->setAutoDefault(false);
    m_cmdHelp = new QPushButton(u"帮助"_s, this);
    m_cmdHelp->setObjectName(u"CmdHelp"_s);
    m_cmdHelp->setAutoDefault(false);
    m_lblHint = new QLabel(this);
    m_lblHint->setObjectName(u"LblHint"_s);
    m_lblHint->setWordWrap(true);
    m_lblHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblHint->setStyleSheet(u"color: #c00000"_s);

    m_frame = new QFrame(this);
    m_frame->setObjectName(u"Frame1"_s);
    m_line1 = MakeLine(m_frame, u"Line1"_s);
    m_line2 = MakeLine(m_frame, u"Line2"_s);
    m_msgHitMod = new CFlexGrid(m_frame);
    m_msgHitMod->setObjectName(u"msgHitMod"_s);
    m_msgHitMod->setAccessibleName(u"奖金设置"_s);
    m_msgHit = new CFlexGrid(m_frame);
    m_msgHit->setObjectName(u"msgHit"_s);
    m_msgHit->setAccessibleName(u"中奖结果"_s);
    m_txtMsg = new QLineEdit(m_frame);
    m_txtMsg->setObjectName(u"TxtMsg"_s);
    m_txtMsg->setAccessibleName(u"中奖金额"_s);
    m_txtMsg->hide();
    m_txtMsg->installEventFilter(this);

    connect(m_cboName, &QComboBox::activated, this, [this] { cboName_Click(); });
    connect(m_cmdQuery, &QPushButton::clicked, this, &fHitQuery::CmdQuery_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &fHitQuery::CmdHelp_Click);
    connect(m_msgHitMod, &CFlexGrid::Click, this, &fHitQuery::msgHitMod_Click);
    // Only the user's edits: putting a cell's text into the editor stores
    // nothing.
    connect(m_txtMsg, &QLineEdit::textEdited, this, &fHitQuery::TxtMsg_Change);
}

std::shared_ptr<CLottorData> fHitQuery::CurrentGame() const
{
    return m_app.CurLottorData;
}

QComboBox* fHitQuery::cboNum(int index) const
{
    return index >= 0 && index < BoxCount() ? m_cboNum[static_cast<size_t>(index)] : nullptr;
}

QLabel* fHitQuery::LblNum(int index) const
{
    return index >= 0 && index < BoxCount() ? m_lblNum[static_cast<size_t>(index)] : nullptr;
}

void fHitQuery::Form_Load()
{
    const std::shared_ptr<CLottorData> game = CurrentGame();
    if (!game)
        return;
    const CLottorHead& head = game->HeadData;

    m_cboType->clear();
    for (int16_t m = 0; m < HitModeCount(head.BcMain); ++m)
        m_cboType->addItem(HitModeName(static_cast<HitMode>(m)));
    m_cboType->setCurrentIndex(0);

    const HitQueryControls c = HitQueryOpenLayout(head.BcMain, head.MrMain);
    SetTwipsGeometry(m_lblType, c.LblType);
    SetTwipsGeometry(m_cboType, c.CboType);
    SetTwipsGeometry(m_label1, c.LblName);
    SetTwipsGeometry(m_cboName, c.CboName);
    const int boxes = static_cast<int>(c.Boxes.size());
    for (int b = 0; b < boxes; ++b) {
        if (b >= BoxCount()) {
            auto* box = new QComboBox(this);
            box->setObjectName(u"cboNum%1"_s.arg(b));
            auto* label = new QLabel(this);
            label->setObjectName(u"LblNum%1"_s.arg(b));
            label->setBuddy(box);
            m_cboNum.push_back(box);
            m_lblNum.push_back(label);
        }
        QComboBox* box = m_cboNum[static_cast<size_t>(b)];
        QLabel* label = m_lblNum[static_cast<size_t>(b)];
        SetTwipsGeometry(box, c.Boxes[static_cast<size_t>(b)]);
        SetTwipsGeometry(label, c.Labels[static_cast<size_t>(b)]);
        box->clear();
        if (b < head.BcMain) {
            label->setText(PlaceName(b + 1) + u"位号码"_s);
            for (int v = 0; v <= head.BcDataLen; ++v)
                box->addItem(QString::number(v));
        } else {
            label->setText(head.MrDataName + u"号码"_s + QString::number(b - head.BcMain + 1));
            for (int v = 1; v <= head.MrDataLen; ++v)
                box->addItem(QString::number(v));
        }
        box->setCurrentIndex(0);
        box->show();
        label->show();
    }
    for (int b = boxes; b < BoxCount(); ++b) {
        m_cboNum[static_cast<size_t>(b)]->hide();
        m_lblNum[static_cast<size_t>(b)]->hide();
    }

    m_cboName->clear();
    QStringList issues;
    issues.reserve(game->NumCount() + 1);
    for (int32_t i = 0; i < game->NumCount(); ++i)
        issues << QString::number(game->NumName(i));
    issues << u"下期"_s;
    m_cboName->addItems(issues);
    m_cboName->setCurrentIndex(m_cboName->count() > 1 ? m_cboName->count() - 2 : 0);
    cboName_Click();

    SetTwipsGeometry(m_cmdQuery, c.CmdQuery);
    SetTwipsGeometry(m_cmdHelp, c.CmdHelp);
    SetTwipsGeometry(m_lblHint, c.Hint);
    m_lblHint->clear();

    // The prize table: one row per mode offered.
    const int16_t modes = HitModeCount(head.BcMain);
    m_msgHitMod->SetRedraw(false);
    m_msgHitMod->SetRows(1 + modes);
    m_msgHitMod->SetCols(2);
    m_msgHitMod->SetFixedRows(1);
    m_msgHitMod->SetFixedCols(0);
    m_msgHitMod->SetTextMatrix(0, 0, u"中奖类型"_s);
    m_msgHitMod->SetTextMatrix(0, 1, head.BcDataName + u"中奖金额"_s);
    for (int col = 0; col < 2; ++col) {
        m_msgHitMod->SetColWidth(col, 2000);
        m_msgHitMod->SetColAlignment(col, Qt::AlignCenter);
    }
    for (int16_t m = 0; m < modes; ++m) {
        const auto mode = static_cast<HitMode>(m);
        m_msgHitMod->SetTextMatrix(m + 1, 0, HitPrizeCaption(mode));
        m_msgHitMod->SetTextMatrix(m + 1, 1, head.WinMod(HitPrizeIndex(mode), 0, 1).ToText());
    }
    m_msgHitMod->SetRedraw(true);
    m_txtMsg->hide();
    m_editRow = -1;

    // The hit list: its header and one empty row.
    m_msgHit->SetRedraw(false);
    m_msgHit->SetRows(2);
    m_msgHit->SetCols(3);
    m_msgHit->SetFixedRows(1);
    m_msgHit->SetFixedCols(1);
    const QString headers[] = {u"序号"_s, u"中奖结果"_s, u"中奖类型"_s};
    for (int col = 0; col < 3; ++col) {
        m_msgHit->SetTextMatrix(0, col, headers[col]);
        m_msgHit->SetTextMatrix(1, col, QString());
        m_msgHit->SetFixedAlignment(col, Qt::AlignCenter);
    }
    m_msgHit->SetColWidth(1, 3000);
    m_msgHit->SetRedraw(true);

    const QSize frame(kDialogFrame.Width, kDialogFrame.Height);
    setMinimumSize(TwipsSize(c.MinOuter - frame, this));
    m_resultHeight = 0;
    resize(TwipsSize(c.Outer - frame, this));
    ApplyLayout();
}

void fHitQuery::cboName_Click()
{
    const std::shared_ptr<CLottorData> game = CurrentGame();
    if (!game)
        return;
    const int32_t i = m_cboName->currentIndex();
    if (i < 0 || i >= game->NumCount())
        return; // "下期": the boxes keep what they show
    const int16_t bm = game->HeadData.BM;
    const int16_t bcMain = game->HeadData.BcMain;
    for (int16_t k = 1; k <= bm && k <= BoxCount(); ++k) {
        QComboBox* box = m_cboNum[static_cast<size_t>(k - 1)];
        const int16_t value = game->Num(k, i);
        // Main boxes list 0..BcDataLen, secondary boxes 1..MrDataLen.
        const int index = k <= bcMain ? value : value - 1;
        if (index >= 0 && index < box->count())
            box->setCurrentIndex(index);
    }
}

void fHitQuery::CmdQuery_Click()
{
    const std::shared_ptr<CLottorData> game = CurrentGame();
    if (!game)
        return;
    CLottorHead& head = game->HeadData;
    {
        MsgBusyGuard busy(head.msg, u"查询中奖情况"_s);
        head.msg.DoEvents();
        m_msgHit->SetRedraw(false);
        m_msgHit->SetRows(1);

        const auto mode = static_cast<HitMode>(std::max(m_cboType->currentIndex(), 0));
        std::vector<int16_t> draw(static_cast<size_t>(head.BcMain) + 1, 0);
        for (int16_t k = 1; k <= head.BcMain && k <= BoxCount(); ++k)
            draw[static_cast<size_t>(k)] = static_cast<int16_t>(m_cboNum[static_cast<size_t>(k - 1)]->currentIndex());
        const BetList& bets = m_app.Document.Bets();
        const HitTally tally =
            QueryHits(bets, mode, draw, head.BcMain, head.WinMod(HitPrizeIndex(mode), 0, 1));

        const int listed = static_cast<int>(tally.Listed.size());
        m_msgHit->SetRows(1 + listed + 2);
        for (int r = 0; r < listed; ++r) {
            const QStringList fields =
                HitRowText(bets, tally.Listed[static_cast<size_t>(r)], mode, head.BcMain, head.BcNumMaxLen)
                    .split(u'\t');
            for (int col = 0; col < fields.size() && col < 3; ++col)
                m_msgHit->SetTextMatrix(1 + r, col, fields[col]);
        }
        const auto summary = HitSummaryRows(tally, mode);
        for (int s = 0; s < 2; ++s) {
            const QStringList fields = summary[static_cast<size_t>(s)].split(u'\t');
            for (int col = 0; col < 3; ++col)
                m_msgHit->SetTextMatrix(1 + listed + s, col, fields.value(col));
        }
    }
    m_msgHit->SetRedraw(true);
}

void fHitQuery::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + u".htm"_s);
}

void fHitQuery::msgHitMod_Click()
{
    const int row = m_msgHitMod->Row();
    const QRect cell = m_msgHitMod->CellRect();
    if (m_msgHitMod->Col() != 1 || row < 1 || cell.isEmpty()) {
        m_txtMsg->hide();
        m_editRow = -1;
        return;
    }
    m_editRow = row;
    m_txtMsg->setGeometry(cell.translated(m_msgHitMod->pos()));
    m_txtMsg->setAlignment(m_msgHitMod->ColAlignment(1));
    m_txtMsg->setText(m_msgHitMod->Text());
    m_lblHint->clear();
    m_txtMsg->show();
    m_txtMsg->raise();
    m_txtMsg->setFocus();
}

void fHitQuery::TxtMsg_Change(const QString& text)
{
    const std::shared_ptr<CLottorData> game = CurrentGame();
    if (!game || m_editRow < 1)
        return;
    const PrizeEntry entry = ReadPrizeText(text);
    m_lblHint->setText(PrizeRefusalText(entry.Check));
    if (entry.Check != PrizeTextCheck::Ok)
        return;
    const int16_t x = static_cast<int16_t>(m_editRow);
    game->HeadData.SetWinMod(x, 0, 1, entry.Value);
    m_msgHitMod->SetTextMatrix(m_editRow, 1, game->HeadData.WinMod(x, 0, 1).ToText());
}

bool fHitQuery::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtMsg) {
        if (event->type() == QEvent::FocusIn) {
            // After the click that gave the focus has placed the cursor.
            QMetaObject::invokeMethod(m_txtMsg, &QLineEdit::selectAll, Qt::QueuedConnection);
        } else if (event->type() == QEvent::FocusOut) {
            m_txtMsg->hide();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void fHitQuery::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    ApplyLayout();
}

void fHitQuery::ApplyLayout()
{
    const QSize outer(static_cast<int>(ScreenPixelsToTwips(width(), this)) + kDialogFrame.Width,
                      static_cast<int>(ScreenPixelsToTwips(height(), this)) + kDialogFrame.Height);
    const HitQueryFrameLayout l = HitQueryResize(outer, m_resultHeight);
    SetTwipsGeometry(m_frame, l.Frame);
    SetTwipsGeometry(m_line1, {0, HitQueryFrameLayout::kLine1Top, l.LineWidth, 30});
    SetTwipsGeometry(m_line2, {0, HitQueryFrameLayout::kLine2Top, l.LineWidth, 30});
    SetTwipsGeometry(m_msgHitMod, l.PrizeGrid);
    SetTwipsGeometry(m_msgHit, l.ResultGrid);
    m_resultHeight = l.ResultGrid.height();
    m_txtMsg->hide();
}

void ShowHitQuery(AppState& app, QWidget* owner)
{
    if (!app.CurLottorData)
        return;
    fHitQuery dialog(app, owner);
    dialog.Form_Load();
    ExecModal(dialog);
}

void InstallHitQueryWindow(ShellWindows& windows, AppState& app)
{
    windows.HitQuery = [&app](QWidget* owner) { ShowHitQuery(app, owner); };
}

} // namespace kelton
