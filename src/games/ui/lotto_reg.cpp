#include "games/ui/lotto_reg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/app_state.h"
#include "games/ui/lotto_template.h"
#include "games/ui/shown_text.h"
#include "platform/help_pages.h"
#include "platform/string_table.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_dialog.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// Labels of the three name boxes, as the messages about them name them.
const char16_t kNameLabel[] = u"彩票名称";
const char16_t kBcNameLabel[] = u"主区名称";
const char16_t kMrNameLabel[] = u"副区名称";

QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    return box;
}

} // namespace

FLottoReg::FLottoReg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FLottoReg"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(u"增加新彩票（*号必填）"_s);

    auto* form = new QFormLayout;
    // Each box with its label, and an asterisk beside the required ones.
    const auto addRow = [this, form](QWidget* box, const QString& label, bool required) {
        auto* caption = new QLabel(label + u"："_s, this);
        caption->setBuddy(box);
        auto* row = new QHBoxLayout;
        row->addWidget(box, 1);
        auto* star = new QLabel(required ? u"*"_s : QString(), this);
        star->setStyleSheet(QStringLiteral("color: red;"));
        star->setMinimumWidth(TwipsToScreenPixels(150, this));
        row->addWidget(star);
        form->addRow(caption, row);
        if (required)
            box->setAccessibleDescription(u"必填"_s);
    };
    const auto addBox = [this, &addRow](const char* name, const QString& label, bool required) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setMinimumWidth(TwipsToScreenPixels(3000, this));
        addRow(box, label, required);
        return box;
    };
    m_txtLottorName = addBox("txtLottorName", QString::fromUtf16(kNameLabel), true);
    m_txtBcDataName = addBox("txtBcDataName", QString::fromUtf16(kBcNameLabel), false);
    m_txtBcDataLen = addBox("txtBcDataLen", u"主区最大号码"_s, true);
    m_txtBcMain = addBox("txtBcMain", u"主区开奖常规号码个数"_s, true);
    m_txtMrDataName = addBox("txtMrDataName", QString::fromUtf16(kMrNameLabel), false);
    m_txtMrDataLen = addBox("txtMrDataLen", u"副区最大号码"_s, false);
    m_txtMrMain = addBox("txtMrMain", u"副区开奖号码个数"_s, false);
    m_txtWinMod = MakeTextBox(this, "txtWinMod");
    m_txtWinMod->setMinimumHeight(TwipsToScreenPixels(1200, this));
    addRow(m_txtWinMod, u"其它参数"_s, false);

    auto* lblInfo = new QLabel(u"彩票类型描述："_s, this);
    m_txtLottorInfo = MakeTextBox(this, "TxtLottorInfo");
    m_txtLottorInfo->setMinimumHeight(TwipsToScreenPixels(2000, this));
    lblInfo->setBuddy(m_txtLottorInfo);

    m_cmdImport = new QPushButton(u"导入模板"_s, this);
    m_cmdImport->setObjectName(QStringLiteral("CmdImport"));
    m_cmdOK = new QPushButton(u"确定"_s, this);
    m_cmdOK->setObjectName(QStringLiteral("CmdOK"));
    m_cmdCancel = new QPushButton(u"取消"_s, this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdHelp = new QPushButton(u"帮助"_s, this);
    m_cmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    // Enter in a box creates nothing by itself.
    for (QPushButton* button : {m_cmdImport, m_cmdOK, m_cmdCancel, m_cmdHelp})
        button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdImport);
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(m_cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblInfo);
    layout->addWidget(m_txtLottorInfo, 1);
    layout->addLayout(buttons);

    for (QLineEdit* box : {m_txtLottorName, m_txtBcDataName, m_txtBcDataLen, m_txtBcMain, m_txtMrDataName,
                           m_txtMrDataLen, m_txtMrMain})
        connect(box, &QLineEdit::textChanged, this, &FLottoReg::PrintInfo);
    connect(m_txtWinMod, &QPlainTextEdit::textChanged, this, &FLottoReg::PrintInfo);
    connect(m_cmdImport, &QPushButton::clicked, this, &FLottoReg::CmdImport_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &FLottoReg::CmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FLottoReg::cmdCancel_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &FLottoReg::CmdHelp_Click);

    Form_Load();
}

GameParams FLottoReg::Params() const
{
    GameParams p;
    p.LottorName = m_txtLottorName->text();
    p.BcDataName = m_txtBcDataName->text();
    p.BcDataLen = m_txtBcDataLen->text();
    p.BcMain = m_txtBcMain->text();
    p.MrDataName = m_txtMrDataName->text();
    p.MrDataLen = m_txtMrDataLen->text();
    p.MrMain = m_txtMrMain->text();
    p.WinMod = BoxText(*m_txtWinMod);
    return p;
}

void FLottoReg::SetParams(const GameParams& p)
{
    m_txtLottorName->setText(p.LottorName);
    m_txtBcDataName->setText(p.BcDataName);
    m_txtBcDataLen->setText(p.BcDataLen);
    m_txtBcMain->setText(p.BcMain);
    m_txtMrDataName->setText(p.MrDataName);
    m_txtMrDataLen->setText(p.MrDataLen);
    m_txtMrMain->setText(p.MrMain);
    SetBoxText(*m_txtWinMod, p.WinMod);
}

void FLottoReg::Form_Load()
{
    m_clickOk = false;
    m_lottorPath.clear();
    m_lottorName.clear();
    SetParams(GameParams{});
    m_txtLottorInfo->clear();
}

void FLottoReg::PrintInfo()
{
    SetBoxText(*m_txtLottorInfo, DefinitionText(Params()));
}

void FLottoReg::CmdImport_Click()
{
    FLottoTemplate templates(this);
    ExecModal(templates);
    const QString text = templates.LottorInfo();
    if (!text.isEmpty()) {
        const std::optional<GameParams> params = ParamsOfDefinition(text);
        if (!params) {
            MsgBox(this, QMessageBox::Warning, u"操作提示"_s, u"导入失败！"_s);
            return;
        }
        SetParams(*params);
    }
    PrintInfo();
}

void FLottoReg::CmdOK_Click()
{
    const QString title = LoadResString(Res::OperationPrompt);
    // Names that a definition text cannot hold are refused by name, before
    // the definition would refuse them with no reason given (or, for an area
    // name, quietly put the default name in).
    const std::pair<const char16_t*, QLineEdit*> names[] = {
        {kNameLabel, m_txtLottorName}, {kBcNameLabel, m_txtBcDataName}, {kMrNameLabel, m_txtMrDataName}};
    for (const auto& [label, box] : names) {
        const QString problem = NameProblem(QString::fromUtf16(label), box->text());
        if (!problem.isEmpty()) {
            MsgBox(this, QMessageBox::Warning, title, problem);
            box->setFocus();
            return;
        }
    }

    const std::optional<CreatedGame> created = CreateGame(BoxText(*m_txtLottorInfo));
    if (!created) {
        MsgBox(this, QMessageBox::Warning, title, u"无法创建新彩票玩法,请查看参数设置是否正确!"_s);
        return;
    }
    m_lottorPath = created->Path;
    m_lottorName = created->Name;
    m_clickOk = true;
    accept();
}

void FLottoReg::cmdCancel_Click()
{
    reject();
}

void FLottoReg::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + QStringLiteral(".htm"));
}

} // namespace kelton
