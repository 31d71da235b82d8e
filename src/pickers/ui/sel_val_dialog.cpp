#include "pickers/ui/sel_val_dialog.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include "pickers/quick_choice.h"
#include "pickers/ui/sel_val_box.h"
#include "platform/string_table.h"
#include "platform/twips.h"
#include "platform/ui/label_fit.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

FSelVal::FSelVal(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"FSelVal"_s);
    // A fixed-size tool window: small caption bar, no minimise or maximise box.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(u"快捷选值器"_s);

    m_lblMsg = new QLabel(this);
    m_lblMsg->setObjectName(u"LblMsg"_s);
    m_lblMsg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblMsg->setWordWrap(true);
    m_picVal = new CSelValBox(this);
    m_picVal->setAccessibleName(windowTitle());
    m_txtMsg = new QPlainTextEdit(this);
    m_txtMsg->setObjectName(u"TxtMsg"_s);
    m_txtMsg->setReadOnly(true);
    m_txtMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette hintPalette = m_txtMsg->palette();
    hintPalette.setColor(QPalette::Base, hintPalette.color(QPalette::Button));
    m_txtMsg->setPalette(hintPalette);
    m_cboChoose = new QComboBox(this);
    m_cboChoose->setObjectName(u"CboChoose"_s);
    m_cmdOk = new QPushButton(LoadResString(Res::Ok), this);
    m_cmdOk->setObjectName(u"CmdOk"_s);
    m_cmdOk->setDefault(true);
    m_cmdCancel = new QPushButton(LoadResString(Res::Cancel), this);
    m_cmdCancel->setObjectName(u"CmdCancel"_s);

    connect(m_cboChoose, &QComboBox::activated, this, [this] { CboChoose_Click(); });
    connect(m_cmdOk, &QPushButton::clicked, this, &FSelVal::CmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FSelVal::CmdCancel_Click);
}

FSelVal::~FSelVal() = default;

void FSelVal::showEvent(QShowEvent* event)
{
    Load();
    QDialog::showEvent(event);
}

void FSelVal::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void FSelVal::Form_Load()
{

    m_cells = std::make_unique<CSelValCells>(m_minVal, m_maxVal);
    const QStringList labels = sel_val::Labels(m_valName);
    std::optional<double> lastLabel;
    if (!labels.isEmpty()) {
        const QFontMetricsF metrics(m_picVal->font());
        lastLabel = ScreenPixelsToTwips(metrics.horizontalAdvance(labels.last()), this);
    }
    const int cellWidth = sel_val::CellWidth(lastLabel);
    m_layout = sel_val::LayOut(m_cells->Shown(), cellWidth, !m_showMsg.isEmpty());

    SetTwipsGeometry(m_lblMsg, m_layout.LblMsg);
    SetFittedText(m_lblMsg, sel_val::Instructions());
    SetTwipsGeometry(m_picVal, m_layout.PicVal);
    m_txtMsg->setVisible(!m_showMsg.isEmpty());
    if (!m_showMsg.isEmpty()) {
        m_txtMsg->setPlainText(m_showMsg);
        SetTwipsGeometry(m_txtMsg, m_layout.TxtMsg);
    }
    SetTwipsGeometry(m_cboChoose, m_layout.CboChoose);
    SetTwipsGeometry(m_cmdCancel, m_layout.CmdCancel);
    SetTwipsGeometry(m_cmdOk, m_layout.CmdOk);
    SetFixedOuterSize(this, m_layout.Outer, kToolWindowFrame);

    m_cells->Load(m_strVal);
    m_picVal->SetCells(m_cells.get(), labels, cellWidth);

    const QScopedValueRollback<bool> busy(m_isBusy, true);
    m_cboChoose->clear();
    m_cboChoose->addItems(QuickChoiceTexts());
    m_cboChoose->setCurrentIndex(0);
}

void FSelVal::CboChoose_Click()
{
    if (m_isBusy || !m_cells)
        return;
    const QScopedValueRollback<bool> busy(m_isBusy, true);
    m_cells->ApplyQuickChoice(m_cboChoose->currentIndex());
    m_picVal->Refresh();
}

void FSelVal::CmdOk_Click()
{
    if (m_cells)
        m_strVal = m_cells->Result();
    accept();
}

void FSelVal::CmdCancel_Click()
{
    reject();
}

} // namespace kelton
