#include "games/ui/lotto_option.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/lottor_head.h"
#include "platform/help_pages.h"
#include "platform/string_table.h"
#include "platform/ui/color_dialog.h"
#include "platform/ui/colour_label.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/screen_twips.h"
#include "platform/ui/stored_colour.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

QComboBox* PeriodList(QWidget* parent, const char* name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->setMaxVisibleItems(20);
    return list;
}

} // namespace

FLottoOption::FLottoOption(CLottorHead& head, QWidget* parent) : QDialog(parent), m_head(head)
{
    setObjectName(QStringLiteral("FLottoOption"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_label6 = new QLabel(this);
    m_label6->setObjectName(QStringLiteral("Label6"));
    m_cboCustomStat = PeriodList(this, "cboCustomStat");
    m_label6->setBuddy(m_cboCustomStat);
    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label7 = new QLabel(this);
    m_label7->setObjectName(QStringLiteral("Label7"));
    m_cboShowCourse = PeriodList(this, "cboShowCourse");
    m_label7->setBuddy(m_cboShowCourse);
    m_chkListAsc = new QCheckBox(u"列表从下到上排列"_s, this);
    m_chkListAsc->setObjectName(QStringLiteral("ChkListAsc"));

    const char* const names[kGameColourCount] = {"lblRowColor1",  "lblRowColor2",  "lblRankColor1",
                                                 "lblRankColor2", "lblCycleColor", "LblBcColor",
                                                 "LblMrColor"};
    for (int c = 0; c < kGameColourCount; ++c) {
        auto* label = new CColourLabel(QString(), this);
        label->setObjectName(QLatin1String(names[c]));
        label->setToolTip(u"单击改变颜色"_s);
        label->setMinimumSize(TwipsToScreenPixels(2400, this), TwipsToScreenPixels(360, this));
        connect(label, &CColourLabel::Clicked, this,
                [this, c] { ColourLabel_Click(static_cast<GameColour>(c)); });
        m_colours[static_cast<size_t>(c)] = label;
    }

    m_cmdOk = new QPushButton(this);
    m_cmdOk->setObjectName(QStringLiteral("CmdOk"));
    m_cmdOk->setDefault(true);
    m_cmdCancel = new QPushButton(this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdDefault = new QPushButton(this);
    m_cmdDefault->setObjectName(QStringLiteral("cmdDefault"));
    m_cmdHelp = new QPushButton(u"帮助"_s, this);
    m_cmdHelp->setObjectName(QStringLiteral("CmdHelp"));

    auto* periods = new QGridLayout;
    periods->addWidget(m_label6, 0, 0);
    periods->addWidget(m_cboCustomStat, 0, 1);
    periods->addWidget(m_label1, 0, 2);
    periods->addWidget(m_label7, 1, 0);
    periods->addWidget(m_cboShowCourse, 1, 1);
    periods->addWidget(m_chkListAsc, 2, 0, 1, 3);
    periods->setColumnStretch(2, 1);

    auto* colours = new QGridLayout;
    for (int c = 0; c < kGameColourCount; ++c)
        colours->addWidget(m_colours[static_cast<size_t>(c)], c / 2, c % 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdDefault);
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(m_cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(periods);
    layout->addLayout(colours);
    layout->addLayout(buttons);

    connect(m_cmdOk, &QPushButton::clicked, this, &FLottoOption::CmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FLottoOption::cmdCancel_Click);
    connect(m_cmdDefault, &QPushButton::clicked, this, &FLottoOption::cmdDefault_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &FLottoOption::CmdHelp_Click);

    Form_Load();
}

void FLottoOption::Form_Load()
{
    const MsgBusyGuard busy(m_head.msg, u"打开彩票选项"_s);

    setWindowTitle(LoadResString(Res::GameOptions));
    m_label6->setText(LoadResString(Res::CustomStat));
    m_label1->setText(LoadResString(Res::RebuildNote));
    m_label7->setText(LoadResString(Res::ShowCourse));
    const int captions[] = {Res::RowColour1, Res::RowColour2, Res::RankColour1, Res::RankColour2,
                            Res::CycleColour};
    for (int c = kRowColour1; c <= kCycleColour; ++c)
        m_colours[static_cast<size_t>(c)]->setText(LoadResString(captions[c]));
    m_colours[kBcColour]->setText(m_head.BcDataName + LoadResString(Res::NumberColour));
    m_colours[kMrColour]->setText(m_head.MrDataName + LoadResString(Res::NumberColour));
    for (CColourLabel* label : m_colours)
        label->setAccessibleName(label->text());
    m_cmdOk->setText(LoadResString(Res::Ok));
    m_cmdCancel->setText(LoadResString(Res::Cancel));
    m_cmdDefault->setText(LoadResString(Res::RestoreDefaults));

    for (QComboBox* list : {m_cboCustomStat, m_cboShowCourse}) {
        list->clear();
        for (int k = GameOptions::kMinPeriod; k <= GameOptions::kMaxPeriod; ++k)
            list->addItem(QString::number(k));
    }

    // Stays repaired even when the dialog is cancelled.
    RepairGamePeriods(m_head);
    Show(ReadGameOptions(m_head));
    m_colours[kMrColour]->setVisible(m_head.MrMain > 0);
}

void FLottoOption::Show(const GameOptions& options)
{
    m_cboCustomStat->setCurrentIndex(options.CustomStat - 1);
    m_cboShowCourse->setCurrentIndex(options.InferShowCourse - 1);
    for (int c = 0; c < kGameColourCount; ++c)
        m_colours[static_cast<size_t>(c)]->SetColour(ToQColor(options.Colours[static_cast<size_t>(c)]));
    m_chkListAsc->setChecked(options.ListAsc);
}

GameOptions FLottoOption::Shown() const
{
    GameOptions options;
    options.CustomStat = static_cast<int16_t>(m_cboCustomStat->currentIndex() + 1);
    options.InferShowCourse = static_cast<int16_t>(m_cboShowCourse->currentIndex() + 1);
    options.ListAsc = m_chkListAsc->isChecked();
    for (int c = 0; c < kGameColourCount; ++c)
        options.Colours[static_cast<size_t>(c)] = FromQColor(m_colours[static_cast<size_t>(c)]->Colour());
    return options;
}

QString FLottoOption::ColourTitle(GameColour c) const
{
    switch (c) {
    case kBcColour:
        return m_head.BcDataName + LoadResString(Res::NumberColour);
    case kMrColour:
        return m_head.MrDataName + LoadResString(Res::NumberColour);
    case kCycleColour:
        return u"循环号码颜色"_s;
    case kRankColour1:
        return u"前十位的颜色"_s;
    case kRankColour2:
        return u"后十位的颜色"_s;
    case kRowColour1:
        return LoadResString(Res::RowColour1);
    case kRowColour2:
        return LoadResString(Res::RowColour2);
    default:
        return QString();
    }
}

void FLottoOption::ColourLabel_Click(GameColour c)
{
    CColourLabel* label = m_colours[c];
    if (const std::optional<QColor> chosen = ChooseColor(this, ColourTitle(c), label->Colour()))
        label->SetColour(*chosen);
}

void FLottoOption::cmdDefault_Click()
{
    Show(DefaultGameOptions());
}

void FLottoOption::CmdOk_Click()
{
    WriteGameOptions(m_head, Shown());
    accept();
}

void FLottoOption::cmdCancel_Click()
{
    reject();
}

void FLottoOption::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + QStringLiteral(".htm"));
}

} // namespace kelton
