// The filter window: its design, the build from the current game, showing
// and closing, and the layout of the window and its panels. The panels'
// behaviour is in filter_form_set.cpp (bet settings), filter_form_chip.cpp
// (conditions) and filter_form_result.cpp (bet results).

#include "filter/ui/filter_form.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QWheelEvent>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "filter/bet_commands.h"
#include "filter/result_grid.h"
#include "platform/name_tables.h"
#include "host/ui/shell_windows.h"
#include "host/ui/tool_icons.h"
#include "host/ui/xp_toolbar.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/message_box.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;
namespace D = FilterDesign;

namespace {

constexpr char kRowProperty[] = "conditionRow";
// The value boxes open the picker on a click: the box's row, or -1 for the
// three tolerance boxes.
constexpr char kValueBoxProperty[] = "valueBoxRow";

const QString kValueTip = u"用空格分开每个值,对于连续的值可以用-号连起来。如：3 5-9 13 "_s;

QPushButton* MakeButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* MakeCheck(const QString& text, const QString& name, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

// A value-set box: it shows the stored set; the value picker edits it.
QLineEdit* MakeValueBox(const QString& name, const QString& tip, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setToolTip(tip);
    return box;
}

} // namespace

fFilter::fFilter(AppState& app, const ShellWindows& windows, SchemePanelLink sidePanel, QWidget* parent)
    : CChildForm(u"fFilter"_s, u"缩水过滤"_s, parent), m_app(app), m_sidePanel(std::move(sidePanel)),
      m_windows(windows)
{
    m_ui.FraSet = new QGroupBox(u"投注设置"_s, this);
    m_ui.FraSet->setObjectName(u"FraSet"_s);
    m_ui.FraChipIn = new QGroupBox(u"过滤设置"_s, this);
    m_ui.FraChipIn->setObjectName(u"FraChipIn"_s);
    m_ui.FraResult = new QGroupBox(u"投注结果"_s, this);
    m_ui.FraResult->setObjectName(u"FraResult"_s);
    for (QGroupBox* frame : {m_ui.FraSet, m_ui.FraChipIn, m_ui.FraResult})
        frame->hide(); // until the build has filled them
    Place(m_ui.FraSet, D::FraSet);
    Place(m_ui.FraChipIn, D::FraChipIn);
    Place(m_ui.FraResult, D::FraResult);

    MakeSetPanel();
    MakeChipPanel();
    MakeResultPanel();
    ConnectControls();
    SubscribeToDocument();
    resize(TwipsToScreenPixels(D::kWindowWidth - D::kChromeWidth, this),
           TwipsToScreenPixels(D::kWindowHeight - D::kChromeHeight, this));
    // The frames are laid out down to this size; a smaller frame scrolls.
    setMinimumSize(TwipsToScreenPixels(D::kMinWindowWidth - D::kChromeWidth, this),
                   TwipsToScreenPixels(D::kMinWindowHeight - D::kChromeHeight, this));
}

fFilter::~fFilter() = default;

// The window repaints what the document announces while it is loaded; one
// unloaded for real (closed while the program closes its windows) shows
// nothing any more.
void fFilter::SubscribeToDocument()
{
    GameDocument& doc = m_app.Document;
    connect(&doc, &GameDocument::markChanged, this, [this](int16_t pos, int16_t ball) {
        if (FormOpen())
            RefreshBall(pos, ball);
    });
    connect(&doc, &GameDocument::conditionsChanged, this, [this] {
        if (FormOpen())
            RefreshFilter();
    });
    connect(&doc, &GameDocument::statisticsRebuilt, this, [this] {
        if (FormOpen())
            RefreshForm();
    });
    connect(&doc, &GameDocument::betsChanged, this, [this] {
        if (!FormOpen())
            return;
        const QScopedValueRollback busy(m_isBusy, true);
        ShowResultCount();
    });
}

void fFilter::Place(QWidget* widget, const TwipsBox& box) const
{
    widget->setGeometry(TwipsToScreenPixels(box.Left, this), TwipsToScreenPixels(box.Top, this),
                        TwipsToScreenPixels(box.Width, this), TwipsToScreenPixels(box.Height, this));
}

// A pair of separator lines: an etched line across the panel.
QFrame* fFilter::MakeEtchedLine(QWidget* parent, const QString& name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void fFilter::PlaceEtchedLine(QFrame* line, int16_t left, int16_t y, int16_t right) const
{
    line->setGeometry(TwipsToScreenPixels(left, this), TwipsToScreenPixels(y, this),
                      std::max(0, TwipsToScreenPixels(right - left, this)), 2);
}

// ---------------------------------------------------------------------------
// Design

void fFilter::MakeSetPanel()
{
    m_ui.picSet = new QWidget(m_ui.FraSet);
    m_ui.picSet->setObjectName(u"picSet"_s);
    m_ui.picSet->setAutoFillBackground(true);
    Place(m_ui.picSet,
          {D::kPanelLeft, D::kPanelTop, static_cast<int16_t>(D::FraSet.Width - 80), D::kPanelHeight});

    m_lblNumName = new QLabel(u"投注期号："_s, m_ui.picSet);
    m_lblNumName->setObjectName(u"LblNumName"_s);
    Place(m_lblNumName, D::LblNumName);
    m_ui.cboNumName = new QComboBox(m_ui.picSet);
    m_ui.cboNumName->setObjectName(u"cboNumName"_s);
    m_lblNumName->setBuddy(m_ui.cboNumName);
    Place(m_ui.cboNumName, D::cboNumName);
    m_ui.LblBall = new QLabel(m_ui.picSet);
    m_ui.LblBall->setObjectName(u"LblBall"_s);
    Place(m_ui.LblBall, D::LblBall);
    m_lineSet1 = MakeEtchedLine(m_ui.picSet, u"LineSet1"_s);

    for (size_t i = 0; i < 4; ++i) {
        const int16_t top = D::kDigitRowTop[i];
        const QString caption = BetGridCaption(static_cast<int16_t>(i));
        auto* label = new QLabel(caption, m_ui.picSet);
        label->setObjectName(u"LblBc%1"_s.arg(i));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        Place(label, {D::kDigitLabelLeft, top, D::kDigitLabelWidth, 495});
        m_ui.LblBc[i] = label;

        auto* grid = new CFlexGrid(m_ui.picSet);
        grid->setObjectName(u"msgBc%1"_s.arg(i));
        grid->setAccessibleName(caption);
        grid->SetFixedRows(0);
        grid->SetFixedCols(0);
        grid->SetHighLight(GridHighLight::Never);
        grid->SetMousePointer(Qt::PointingHandCursor);
        Place(grid, {D::kDigitGridLeft, top, 5 * D::kDigitColWidth + 60, 495});
        m_ui.msgBc[i] = grid;

        auto* presets = new QComboBox(m_ui.picSet);
        presets->setObjectName(u"CboBc%1"_s.arg(i));
        presets->setAccessibleName(caption);
        Place(presets, {D::kDigitPresetLeft, top, D::kDigitPresetWidth, 300});
        m_ui.CboBc[i] = presets;
        for (QWidget* w :
             {static_cast<QWidget*>(label), static_cast<QWidget*>(grid), static_cast<QWidget*>(presets)})
            w->setVisible(i != 0);
    }

    m_lineSet3 = MakeEtchedLine(m_ui.picSet, u"LineSet3"_s);
    m_optGroup = new QButtonGroup(this);
    const QString types[kBetTypeCount] = {u"单选投注"_s, u"所有组选"_s, u"组３投注"_s, u"组６投注"_s,
                                          u"豹子号"_s};
    for (int i = 0; i < kBetTypeCount; ++i) {
        auto* option = new QRadioButton(types[i], m_ui.picSet);
        option->setObjectName(u"optSel%1"_s.arg(i));
        m_optGroup->addButton(option, i);
        m_optTop[static_cast<size_t>(i)] = static_cast<int16_t>(D::kOptTop + i * D::kOptPitch);
        Place(option, {D::kOptLeft, m_optTop[static_cast<size_t>(i)], D::kOptWidth, D::kOptHeight});
        m_ui.optSel[static_cast<size_t>(i)] = option;
    }
    m_ui.optSel[0]->setChecked(true);
    m_lineSet7 = MakeEtchedLine(m_ui.picSet, u"LineSet7"_s);
    m_ui.cmdSingle = MakeButton(u"投注 >>"_s, u"cmdSingle"_s, m_ui.picSet);
    Place(m_ui.cmdSingle, D::cmdSingle);
    const int16_t width = D::FraSet.Width - 80;
    PlaceEtchedLine(m_lineSet1, 0, D::kLineSet1Y, width);
    PlaceEtchedLine(m_lineSet3, 0, D::kLineSet3Y, width);
}

void fFilter::MakeChipPanel()
{
    m_ui.picChipIn = new QWidget(m_ui.FraChipIn);
    m_ui.picChipIn->setObjectName(u"picChipIn"_s);
    Place(m_ui.picChipIn,
          {D::kPanelLeft, D::kPanelTop, static_cast<int16_t>(D::FraChipIn.Width - 120), D::kPanelHeight});

    m_tabBody = new QFrame(m_ui.picChipIn);
    m_tabBody->setObjectName(u"tspChipInBody"_s);
    m_tabBody->setFrameShape(QFrame::StyledPanel);
    m_ui.tspChipIn = new QTabBar(m_ui.picChipIn);
    m_ui.tspChipIn->setObjectName(u"tspChipIn"_s);
    m_ui.tspChipIn->setExpanding(false);
    m_ui.tspChipIn->setUsesScrollButtons(true);
    m_ui.tspChipIn->setElideMode(Qt::ElideNone);
    m_ui.tspChipIn->addTab(u"其它过滤"_s);
    for (const char16_t* view : kViewNames)
        m_ui.tspChipIn->addTab(QString::fromUtf16(view));

    m_ui.picChipIn1 = new QWidget(m_ui.picChipIn);
    m_ui.picChipIn1->setObjectName(u"picChipIn1"_s);
    Place(m_ui.picChipIn1, D::picChipIn1);

    // The data page: its header over the rows' columns, then the rows; the
    // other page's header has the same shape.
    MakePageHeader(
        {m_ui.picChipInDataHeader, m_ui.cmdSelAll, m_ui.chkFilterErr, m_ui.TxtFilterErr, m_ui.cmdSelErr},
        {u"picChipInDataHeader"_s, u"cmdSelAll"_s, u"chkFilterErr"_s, u"子容错"_s, u"TxtFilterErr"_s,
         u"cmdSelErr"_s},
        D::chkFilterErr, u"如：0-3 10 "_s);
    // The rows scroll inside an area of their own below the header, which
    // cuts them off at its edges: scrolled, they never cover the header or
    // the controls under the panel.
    m_rowsArea = new QScrollArea(m_ui.picChipIn1);
    m_rowsArea->setObjectName(u"picChipInRows"_s);
    m_rowsArea->setFrameShape(QFrame::NoFrame);
    m_rowsArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rowsArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rowsArea->setFocusPolicy(Qt::NoFocus);
    m_ui.picChipInData = new QWidget;
    m_ui.picChipInData->setObjectName(u"picChipInData"_s);
    m_ui.picChipInData->installEventFilter(this);
    m_rowsArea->setWidget(m_ui.picChipInData);
    // Tabbing to a row out of sight scrolls the area; the bar follows.
    connect(m_rowsArea->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int pixels) {
        if (!m_scrollingRows)
            m_ui.vslChipIn->setValue(static_cast<int>(std::lround(ScreenPixelsToTwips(pixels, this))));
    });

    MakePageHeader({m_ui.picChipInOtherHeader, m_ui.cmdSelAllOther, m_ui.chkOtherErr, m_ui.TxtOtherErr,
                    m_ui.cmdSelErrOther},
                   {u"picChipInOtherHeader"_s, u"cmdSelAllOther"_s, u"chkOtherErr"_s, u"容错"_s,
                    u"TxtOtherErr"_s, u"cmdSelErrOther"_s},
                   D::chkOtherErr, u"如：0-3 6"_s);
    MakeOtherPage();

    m_ui.vslChipIn = new QScrollBar(Qt::Vertical, m_ui.picChipIn1);
    m_ui.vslChipIn->setObjectName(u"vslChipIn"_s);
    m_ui.vslChipIn->setMinimum(0);
    m_ui.vslChipIn->setSingleStep(100);
    m_ui.vslChipIn->setPageStep(1000);
    // The keyboard stays with the panel.
    m_ui.vslChipIn->setFocusPolicy(Qt::NoFocus);
    Place(m_ui.vslChipIn, D::vslChipIn);

    m_ui.ChkErr = MakeCheck(u"数据总容错"_s, u"ChkErr"_s, m_ui.picChipIn);
    Place(m_ui.ChkErr, D::ChkErr);
    m_ui.TxtErr = MakeValueBox(u"TxtErr"_s, kValueTip, m_ui.picChipIn);
    Place(m_ui.TxtErr, D::TxtErr);
    m_ui.cmdChipInVali = MakeButton(u"验证"_s, u"cmdChipInVali"_s, m_ui.picChipIn);
    Place(m_ui.cmdChipInVali, D::cmdChipInVali);
    m_ui.cmdChipInNearLay = MakeButton(u"条件取值"_s, u"cmdChipInNearLay"_s, m_ui.picChipIn);
    Place(m_ui.cmdChipInNearLay, D::cmdChipInNearLay);
}

void fFilter::MakePageHeader(PageHeader header, const PageHeaderNames& names, const TwipsBox& switchBox,
                             const QString& example)
{
    header.Box = new QWidget(m_ui.picChipIn1);
    header.Box->setObjectName(names.Box);
    Place(header.Box, D::picChipInHeader);
    header.SelAll = MakeButton(u"选中"_s, names.SelAll, header.Box);
    Place(header.SelAll, D::cmdSelAll);
    header.ErrSwitch = MakeCheck(names.SwitchCaption, names.ErrSwitch, header.Box);
    Place(header.ErrSwitch, switchBox);
    header.ErrValues = MakeValueBox(
        names.ErrValues, u"用空格分开每个值,对于连续的值可以用-号连起来。"_s + example, header.Box);
    Place(header.ErrValues, D::TxtFilterErr);
    header.SelErr = MakeButton(u"容错"_s, names.SelErr, header.Box);
    Place(header.SelErr, D::cmdSelErr);
    PlaceEtchedLine(MakeEtchedLine(header.Box, names.Box + u"Line"_s), 0, D::kHeaderLineY,
                    D::picChipInHeader.Width);
}

fFilter::OtherRow fFilter::OtherFilterRow(size_t index)
{
    const std::array<OtherRow, 3> rows{{{m_ui.chkMatch, m_ui.cmdMatch, m_ui.chkMatchErr},
                                        {m_ui.chkHistory, m_ui.cmdHistory, m_ui.chkHistoryErr},
                                        {m_ui.chkGather, m_ui.cmdGather, m_ui.ChkGatherErr}}};
    return rows.at(index);
}

void fFilter::MakeOtherPage()
{
    m_ui.PicChipInOther = new QWidget(m_ui.picChipIn1);
    m_ui.PicChipInOther->setObjectName(u"PicChipInOther"_s);
    Place(m_ui.PicChipInOther, D::PicChipInOther);
    const QString switches[3] = {u"匹配过滤"_s, u"历史开奖过滤"_s, u"相生相克过滤"_s};
    const QString names[3] = {u"Match"_s, u"History"_s, u"Gather"_s};
    for (size_t i = 0; i < 3; ++i) {
        const int16_t top = D::kOtherTop[i];
        OtherRow row = OtherFilterRow(i);
        row.Switch = MakeCheck(switches[i], u"chk"_s + names[i], m_ui.PicChipInOther);
        Place(row.Switch, {D::kOtherSwitchLeft, top, D::kOtherSwitchWidth, D::kOtherLineHeight});
        row.SetUp = MakeButton(u"设置"_s, u"cmd"_s + names[i], m_ui.PicChipInOther);
        Place(row.SetUp, {D::kOtherButtonLeft, top, D::kOtherButtonWidth, D::kOtherLineHeight});
        row.ErrSwitch = MakeCheck(QString(), (i == 2 ? u"ChkGatherErr"_s : u"chk"_s + names[i] + u"Err"_s),
                                  m_ui.PicChipInOther);
        row.ErrSwitch->setAccessibleName(switches[i] + u"容错"_s);
        row.ErrSwitch->setEnabled(false);
        Place(row.ErrSwitch, {D::kOtherErrLeft, top, 255, D::kOtherLineHeight});
    }
    m_lblOtherMsg = new QLabel(u"特别提示：本级容错不算入数据总容错"_s, m_ui.PicChipInOther);
    m_lblOtherMsg->setObjectName(u"LblOtherMsg"_s);
    m_lblOtherMsg->setStyleSheet(u"color: blue"_s);
    Place(m_lblOtherMsg, D::LblOtherMsg);
    m_ui.PicChipInOther->hide();
    m_ui.picChipInOtherHeader->hide();
}

void fFilter::MakeResultPanel()
{
    m_ui.picResult = new QWidget(m_ui.FraResult);
    m_ui.picResult->setObjectName(u"picResult"_s);
    Place(m_ui.picResult, {D::kPanelLeft, D::kPanelTop, m_resultPanelWidth, D::kPanelHeight});

    m_ui.tbrResult = new CXpToolBar(u"tbrResult"_s, m_ui.picResult);
    m_ui.tbrResult->setObjectName(u"tbrResult"_s);
    m_ui.tbrResult->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_ui.tbrResult->setIconSize(QSize(16, 16));
    m_ui.tbrResult->AddButton(u"Prev"_s, u"撤消"_s, u"撤消"_s, ToolIcon(u"Prev"_s));
    m_ui.tbrResult->AddButton(u"Next"_s, u"重复"_s, u"重复"_s, ToolIcon(u"Next"_s));
    m_ui.tbrResult->AddButton(u"Refresh"_s, u"刷新"_s, u"刷新"_s, ToolIcon(u"Refresh"_s));
    Place(m_ui.tbrResult, D::tbrResult);
    m_lineResult3 = MakeEtchedLine(m_ui.picResult, u"LineResult3"_s);

    m_ui.msgResult = new CFlexGrid(m_ui.picResult);
    m_ui.msgResult->setObjectName(u"msgResult"_s);
    m_ui.msgResult->setAccessibleName(u"投注结果"_s);
    m_ui.msgResult->SetToolTipText(u"这里按下鼠标右键，可以对投注结果进行操作！"_s);
    m_ui.msgResult->SetSelectionMode(GridSelectionMode::ByRow);
    Place(m_ui.msgResult, D::msgResult);

    m_ui.lblCount = new QLabel(u"投注数："_s, m_ui.picResult);
    m_ui.lblCount->setObjectName(u"lblCount"_s);
    Place(m_ui.lblCount, D::lblCount);
    m_lineResult1 = MakeEtchedLine(m_ui.picResult, u"LineResult1"_s);
    m_ui.cmdGetFilter = MakeButton(u"过滤  V"_s, u"cmdGetFilter"_s, m_ui.picResult);
    m_ui.cmdPrintFilter = MakeButton(u"打印"_s, u"cmdPrintFilter"_s, m_ui.picResult);
    // Without the print window (tests that leave it out) the button rests.
    m_ui.cmdPrintFilter->setEnabled(static_cast<bool>(m_windows.PrintPreview));
    MakeResultShortcuts();
}

void fFilter::ConnectControls()
{
    connect(m_ui.cboNumName, &QComboBox::activated, this, [this] { cboNumName_Click(); });
    for (int i = 0; i < 4; ++i) {
        connect(m_ui.CboBc[static_cast<size_t>(i)], &QComboBox::activated, this,
                [this, i] { CboBc_Click(i); });
        connect(m_ui.msgBc[static_cast<size_t>(i)], &CFlexGrid::Click, this, [this, i] { msgBc_Click(i); });
    }
    connect(m_optGroup, &QButtonGroup::idClicked, this, [this](int id) { optSel_Click(id); });
    connect(m_ui.cmdSingle, &QPushButton::clicked, this, &fFilter::cmdSingle_Click);
    connect(m_ui.tspChipIn, &QTabBar::currentChanged, this, [this] { tspChipIn_Click(); });
    connect(m_ui.vslChipIn, &QScrollBar::valueChanged, this, [this] { vslChipIn_Change(); });
    connect(m_ui.chkFilterErr, &QCheckBox::clicked, this, &fFilter::chkFilterErr_Click);
    connect(m_ui.chkOtherErr, &QCheckBox::clicked, this, qOverload<>(&fFilter::chkOtherErr_Click));
    connect(m_ui.ChkErr, &QCheckBox::clicked, this, &fFilter::ChkErr_Click);
    for (int i = 0; i < 3; ++i) {
        const OtherRow row = OtherFilterRow(static_cast<size_t>(i));
        connect(row.Switch, &QCheckBox::clicked, this, [this, i] { chkOther_Click(i); });
        connect(row.ErrSwitch, &QCheckBox::clicked, this, [this, i] { chkOtherErr_Click(i); });
    }
    connect(m_ui.cmdSelAll, &QPushButton::clicked, this, &fFilter::cmdSelAll_Click);
    connect(m_ui.cmdSelErr, &QPushButton::clicked, this, &fFilter::cmdSelErr_Click);
    connect(m_ui.cmdSelAllOther, &QPushButton::clicked, this, &fFilter::cmdSelAllOther_Click);
    connect(m_ui.cmdSelErrOther, &QPushButton::clicked, this, &fFilter::cmdSelErrOther_Click);
    for (QLineEdit* box : {m_ui.TxtErr, m_ui.TxtFilterErr, m_ui.TxtOtherErr}) {
        box->setProperty(kValueBoxProperty, -1);
        box->installEventFilter(this);
    }
    connect(m_ui.tbrResult, &CXpToolBar::ButtonClick, this,
            [this](QAction* button) { tbrResult_ButtonClick(CXpToolBar::Key(button)); });
    connect(m_ui.msgResult, &CFlexGrid::MouseUp, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pos) {
                msgResult_MouseUp(button, pos);
            });
    connect(m_ui.msgResult, &CFlexGrid::DblClick, this, [this] { ViewFilterSel(); });
    connect(m_ui.cmdGetFilter, &QPushButton::clicked, this, &fFilter::cmdGetFilter_Click);
    connect(m_ui.cmdChipInVali, &QPushButton::clicked, this, &fFilter::VerifyScheme);
    connect(m_ui.cmdChipInNearLay, &QPushButton::clicked, this, &fFilter::cmdChipInNearLay_Click);
    connect(m_ui.cmdMatch, &QPushButton::clicked, this, &fFilter::cmdMatch_Click);
    connect(m_ui.cmdHistory, &QPushButton::clicked, this, &fFilter::cmdHistory_Click);
    connect(m_ui.cmdGather, &QPushButton::clicked, this, &fFilter::cmdGather_Click);
    connect(m_ui.cmdPrintFilter, &QPushButton::clicked, this, &fFilter::cmdPrintFilter_Click);
}

// ---------------------------------------------------------------------------
// Build

std::shared_ptr<CLottorData> fFilter::Game() const
{
    return m_app.CurLottorData;
}

void fFilter::BuildFilterWindow()
{
    const std::shared_ptr<CLottorData> game = Game();
    const QScopedValueRollback busy(m_isBusy, true);
    const CLottorHead& head = game->HeadData;
    m_bcMain = head.BcMain;
    m_mrMain = head.MrMain;
    const int32_t p = (head.BM + 42) * 5;
    CMsg msg;
    MsgProgressGuard progress(msg, u"加载过滤窗口"_s, p + 140, 0, 0, false);

    // Target issues.
    if (m_ui.cboNumName->count() > 0)
        m_ui.cboNumName->clear();
    progress.Step(10);
    m_ui.cboNumName->addItems(TargetIssueItems(*game));
    SelectTargetIssue(m_ui.cboNumName->count() - 1);
    progress.Step(30);

    // Digit grids and their presets.
    for (int16_t j = 0; j <= m_bcMain; ++j)
        BuildDigitGrid(j, *game);
    ShowDigitGrids(m_ui.optSel[0]->isChecked());
    progress.Step(40);

    BuildResultHeader(*game);
    progress.Step(45);

    // The two pages of the condition panel.
    m_ui.TxtErr->setText(u"0"_s);
    TxtErr_Change();
    m_ui.picChipInDataHeader->move(0, 0);
    m_ui.picChipInData->resize(TwipsToScreenPixels(D::kRowsWidth, this),
                               TwipsToScreenPixels(ConditionRowsHeight(m_bcMain), this));
    m_ui.TxtOtherErr->setText(u"0"_s);
    TxtOtherErr_Change();
    m_ui.picChipInOtherHeader->move(0, 0);
    m_ui.picChipInOtherHeader->hide();
    m_ui.PicChipInOther->move(0, TwipsToScreenPixels(D::kRowsTop, this));
    m_ui.PicChipInOther->hide();
    progress.Step(50);

    for (int16_t i = 0; i <= m_bcMain + 42; ++i) {
        BuildConditionRow(i);
        progress.Step(i * 5 + 50);
    }
    // Each row keeps its place in the keyboard's order.
    for (size_t i = 0; i < m_ui.chkFilter.size(); ++i) {
        QWidget* previous = i == 0 ? static_cast<QWidget*>(m_ui.cmdSelErr) : m_ui.chkFilter2[i - 1];
        for (QWidget* next :
             {static_cast<QWidget*>(m_ui.chkFilter[i]), static_cast<QWidget*>(m_ui.TxtFilter[i]),
              static_cast<QWidget*>(m_ui.chkFilter2[i])}) {
            setTabOrder(previous, next);
            previous = next;
        }
    }

    progress.Step(p + 55);
    m_ui.FraSet->show();
    progress.Step(p + 90);
    m_ui.FraChipIn->show();
    progress.Step(p + 100);
    progress.Step(p + 120);
    m_ui.tbrResult->Button(0)->setEnabled(false);
    m_ui.tbrResult->Button(1)->setEnabled(false);
    m_ui.FraResult->show();
    progress.Step(p + 140);
    progress.Finish();
    m_ui.tbrResult->SetFlat(true);
}

void fFilter::BuildDigitGrid(int16_t index, const CLottorData& game)
{
    const CLottorHead& head = game.HeadData;
    CFlexGrid* grid = m_ui.msgBc[static_cast<size_t>(index)];
    const int16_t rows = DigitGridRows(head.BcDataLen);
    grid->SetRedraw(false);
    grid->SetCols(5);
    grid->SetRows(rows);
    // Each row as high as the first one and its line; the grid as large as
    // its cells within its frame.
    const auto rowTwips = static_cast<int16_t>(grid->RowHeight(0) + 40);
    int height = 0;
    for (int r = 0; r < rows; ++r) {
        grid->SetRowHeight(r, rowTwips);
        height += TwipsToScreenPixels(rowTwips, grid);
    }
    const int frame = 2 * grid->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, grid);
    grid->resize(5 * TwipsToScreenPixels(D::kDigitColWidth, grid) + frame, height + frame);
    for (int c = 0; c < 5; ++c) {
        grid->SetColAlignment(c, Qt::AlignCenter);
        grid->SetColWidth(c, D::kDigitColWidth);
        for (int r = 0; r < rows; ++r) {
            const int v = 5 * r + c;
            if (v <= head.BcDataLen)
                grid->SetTextMatrix(r, c, QString::number(v));
        }
    }
    // The marks of the digits chosen before the window was built.
    for (int16_t v = 0; v < rows * 5; ++v)
        PaintDigitCell(index, v, game);
    grid->SetRedraw(true);

    QComboBox* presets = m_ui.CboBc[static_cast<size_t>(index)];
    presets->clear();
    presets->addItems(PresetItems());
    SelectPreset(index, 0);
}

void fFilter::BuildConditionRow(int16_t index)
{
    if (static_cast<int16_t>(m_ui.chkFilter.size()) - 1 < index) {
        auto* on = new QCheckBox(m_ui.picChipInData);
        on->setObjectName(u"chkFilter%1"_s.arg(index));
        on->setToolTip(u"只有选中才对过滤起作用"_s);
        auto* name = new QLabel(m_ui.picChipInData);
        name->setObjectName(u"LblFilter%1"_s.arg(index));
        name->setAlignment(Qt::AlignCenter);
        name->setCursor(Qt::PointingHandCursor);
        name->setToolTip(u"点击查看近期走势"_s);
        name->setProperty(kRowProperty, index);
        name->installEventFilter(this);
        auto* value = MakeValueBox(u"TxtFilter%1"_s.arg(index), kValueTip, m_ui.picChipInData);
        auto* err = new QCheckBox(m_ui.picChipInData);
        err->setObjectName(u"chkFilter2_%1"_s.arg(index));
        err->setToolTip(u"只有选中，该指标才对容错起作用"_s);
        for (QWidget* w : {static_cast<QWidget*>(on), static_cast<QWidget*>(name),
                           static_cast<QWidget*>(value), static_cast<QWidget*>(err)})
            w->hide();
        connect(on, &QCheckBox::clicked, this, [this, index] { chkFilter_Click(index); });
        connect(err, &QCheckBox::clicked, this, [this, index] { chkFilter2_Click(index); });
        value->setProperty(kValueBoxProperty, index);
        value->installEventFilter(this);
        m_ui.chkFilter.push_back(on);
        m_ui.LblFilter.push_back(name);
        m_ui.TxtFilter.push_back(value);
        m_ui.chkFilter2.push_back(err);
    }
    const auto i = static_cast<size_t>(index);
    const QString caption = ConditionName(index);
    m_ui.LblFilter[i]->setText(caption);
    m_ui.LblFilter[i]->setProperty("tag", caption);
    m_ui.chkFilter[i]->setAccessibleName(caption);
    m_ui.TxtFilter[i]->setAccessibleName(caption);
    m_ui.chkFilter2[i]->setAccessibleName(caption + u"容错"_s);
    const ConditionRowBoxes boxes = ConditionRowAt(index);
    Place(m_ui.chkFilter[i], boxes.Check);
    Place(m_ui.LblFilter[i], boxes.Name);
    Place(m_ui.TxtFilter[i], boxes.Value);
    Place(m_ui.chkFilter2[i], boxes.ErrCheck);
    for (QWidget* w : {static_cast<QWidget*>(m_ui.chkFilter[i]), static_cast<QWidget*>(m_ui.LblFilter[i]),
                       static_cast<QWidget*>(m_ui.TxtFilter[i]), static_cast<QWidget*>(m_ui.chkFilter2[i])})
        w->show();
}

void fFilter::BuildResultHeader(const CLottorData& game)
{
    const CLottorHead& head = game.HeadData;
    CFlexGrid* grid = m_ui.msgResult;
    grid->SetRedraw(false);
    const std::vector<ResultColumn> columns = ResultGridColumns(head);
    grid->SetCols(static_cast<int>(columns.size()));
    grid->SetRows(1);
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    for (size_t c = 0; c < columns.size(); ++c) {
        const int col = static_cast<int>(c);
        grid->SetTextMatrix(0, col, columns[c].Title);
        grid->SetColAlignment(col, Qt::AlignCenter);
        grid->SetColWidth(col, columns[c].Width);
    }
    grid->SetRow(0);
    grid->SetCol(1);
    grid->SetColSel(grid->Cols() - 1);
    m_bcWidth = head.BcNumMaxLen;
    m_mrWidth = head.MrNumMaxLen;
    grid->SetTextSource([this](int row, int col) { return ResultCellText(row, col); });
    grid->SetRedraw(true);
}

// ---------------------------------------------------------------------------
// Loading, showing and closing

void fFilter::Form_Load()
{
    if (m_loaded || !Game())
        return;
    BuildFilterWindow();
    m_loaded = true;
    // A window built anew shows the bets the list already holds, and the
    // bet type they were made as.
    GameDocument& doc = m_app.Document;
    const BetList& bets = doc.Bets();
    if (bets.BetCount() > 0)
        SelectBetType(static_cast<int>(bets.Type()));
    else
        doc.SetBetType(BetType::Direct); // the type the options start at
    SelectTab(2);
    Form_Resize();
    ShowResultCount();
}

bool fFilter::EnsureLoaded()
{
    if (m_loaded)
        return true;
    const std::shared_ptr<CLottorData> game = Game();
    if (!game)
        return false;
    if (!FilterWindowFits(game->HeadData.BcMain)) {
        MsgBox(nullptr, QMessageBox::Information, u"系统提示"_s, FilterWindowRefusal(game->HeadData.BcMain));
        return false;
    }
    Form_Load();
    return m_loaded;
}

void fFilter::ShowForm()
{
    if (EnsureLoaded())
        CChildForm::ShowForm();
}

bool fFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (const QVariant box = watched->property(kValueBoxProperty); box.isValid()) {
            ValueBox_Click(static_cast<QLineEdit*>(watched), box.toInt());
            return true;
        }
        const QVariant row = watched->property(kRowProperty);
        auto* label = qobject_cast<QLabel*>(watched);
        if (row.isValid() && label &&
            label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            LblFilter_Click(row.toInt());
            return true;
        }
    }
    if (watched == m_ui.picChipInData && event->type() == QEvent::Wheel) {
        // The wheel over the rows scrolls them through the bar.
        if (m_ui.vslChipIn->isVisible())
            QCoreApplication::sendEvent(m_ui.vslChipIn, event);
        return true;
    }
    return CChildForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Layout

int32_t fFilter::OuterWidthTwips() const
{
    return static_cast<int32_t>(ScreenPixelsToTwips(width(), this)) + D::kChromeWidth;
}

int32_t fFilter::OuterHeightTwips() const
{
    return static_cast<int32_t>(ScreenPixelsToTwips(height(), this)) + D::kChromeHeight;
}

void fFilter::resizeEvent(QResizeEvent* event)
{
    CChildForm::resizeEvent(event);
    Form_Resize();
}

void fFilter::Form_Resize()
{
    if (m_isBusy || !m_loaded)
        return;
    const FilterFrameLayout layout =
        LayoutFilterFrames(OuterWidthTwips(), OuterHeightTwips(), m_resultWidth, m_resultPanelWidth);
    m_panelHeight = layout.PanelHeight;
    m_resultWidth = layout.ResultWidth;
    m_resultPanelWidth = layout.ResultPanelWidth;
    Place(m_ui.FraSet, {D::FraSet.Left, D::FraSet.Top, D::FraSet.Width, layout.FrameHeight});
    Place(m_ui.FraChipIn, {D::FraChipIn.Left, D::FraChipIn.Top, D::FraChipIn.Width, layout.FrameHeight});
    Place(m_ui.FraResult, {D::FraResult.Left, D::FraResult.Top, m_resultWidth, layout.FrameHeight});
    Place(m_ui.picSet,
          {D::kPanelLeft, D::kPanelTop, static_cast<int16_t>(D::FraSet.Width - 80), m_panelHeight});
    Place(m_ui.picChipIn,
          {D::kPanelLeft, D::kPanelTop, static_cast<int16_t>(D::FraChipIn.Width - 120), m_panelHeight});
    Place(m_ui.picResult, {D::kPanelLeft, D::kPanelTop, m_resultPanelWidth, m_panelHeight});
    picSet_Resize();
    picChipIn_Resize();
    picResult_Resize();
}

void fFilter::picSet_Resize()
{
    std::array<int16_t, kBetTypeCount> heights{};
    heights.fill(D::kOptHeight);
    const SetPanelLayout layout = LayoutSetPanel(m_panelHeight, D::kLineSet3Y, m_optTop, heights);
    PlaceEtchedLine(m_lineSet7, 0, layout.LineY, D::FraSet.Width - 80);
    m_optTop = layout.OptTop;
    for (size_t i = 0; i < m_ui.optSel.size(); ++i)
        Place(m_ui.optSel[i], {D::kOptLeft, m_optTop[i], D::kOptWidth, D::kOptHeight});
    Place(m_ui.cmdSingle, {D::cmdSingle.Left, layout.SingleTop, D::cmdSingle.Width, D::cmdSingle.Height});
}

void fFilter::picResult_Resize()
{
    int16_t fixedCols = static_cast<int16_t>(m_ui.msgResult->ColWidth(0));
    if (m_ui.msgResult->Cols() > 2)
        fixedCols = static_cast<int16_t>(fixedCols + m_ui.msgResult->ColWidth(2));
    const ResultPanelLayout layout =
        LayoutResultPanel(m_resultPanelWidth, m_panelHeight, D::msgResult.Top, m_gridWidth, m_gridHeight,
                          fixedCols, D::kResultButtonWidth);
    PlaceEtchedLine(m_lineResult1, 0, layout.LowY, m_resultPanelWidth);
    PlaceEtchedLine(m_lineResult3, 0, D::kLineResult3Y, m_resultPanelWidth);
    if (layout.GridWidth >= 0)
        m_gridWidth = layout.GridWidth;
    if (layout.GridHeight >= 0)
        m_gridHeight = layout.GridHeight;
    Place(m_ui.msgResult, {D::msgResult.Left, D::msgResult.Top, m_gridWidth, m_gridHeight});
    if (layout.NumbersWidth >= 0)
        m_ui.msgResult->SetColWidth(1, layout.NumbersWidth);
    Place(m_ui.lblCount, {D::lblCount.Left, layout.CountTop, static_cast<int16_t>(m_resultPanelWidth - 120),
                          D::lblCount.Height});
    Place(m_ui.cmdGetFilter,
          {layout.GetLeft, layout.ButtonTop, D::kResultButtonWidth, D::kResultButtonHeight});
    Place(m_ui.cmdPrintFilter,
          {layout.PrintLeft, layout.ButtonTop, D::kResultButtonWidth, D::kResultButtonHeight});
}

void fFilter::picChipIn_Resize()
{
    const int tabsHeight = m_ui.tspChipIn->sizeHint().height();
    const ChipPanelLayout layout =
        LayoutChipPanel(m_panelHeight, static_cast<int16_t>(ScreenPixelsToTwips(tabsHeight, this)));
    Place(m_ui.ChkErr, {D::ChkErr.Left, layout.ErrTop, D::ChkErr.Width, D::ChkErr.Height});
    Place(m_ui.TxtErr, {D::TxtErr.Left, layout.TxtErrTop, D::TxtErr.Width, D::TxtErr.Height});
    Place(m_ui.cmdChipInVali,
          {D::cmdChipInVali.Left, layout.ButtonTop, D::cmdChipInVali.Width, D::cmdChipInVali.Height});
    Place(m_ui.cmdChipInNearLay, {D::cmdChipInNearLay.Left, layout.ButtonTop, D::cmdChipInNearLay.Width,
                                  D::cmdChipInNearLay.Height});
    // The tab strip: its tabs, and its body below them.
    m_ui.tspChipIn->setGeometry(TwipsToScreenPixels(D::tspChipIn.Left, this), 0,
                                TwipsToScreenPixels(D::tspChipIn.Width, this), tabsHeight);
    m_tabBody->setGeometry(TwipsToScreenPixels(D::tspChipIn.Left, this), tabsHeight - 1,
                           TwipsToScreenPixels(D::tspChipIn.Width, this),
                           std::max(0, TwipsToScreenPixels(layout.TabHeight, this) - tabsHeight + 1));
    m_innerHeight = layout.InnerHeight;
    // The other page ends with the inner box, as the rows' area does.
    m_ui.PicChipInOther->resize(m_ui.PicChipInOther->width(),
                                TwipsToScreenPixels(std::max(0, m_innerHeight - D::kRowsTop), this));
    Place(m_ui.picChipIn1, {D::picChipIn1.Left, layout.InnerTop, D::picChipIn1.Width, m_innerHeight});
    picChipIn1_Resize();
}

void fFilter::picChipIn1_Resize()
{
    const ConditionScroll scroll = LayoutConditionScroll(m_innerHeight, D::picChipInHeader.Height,
                                                         ConditionRowsHeight(m_bcMain), SelectedTab() == 1);
    // The rows' area fills the box below the header; the bar runs beside
    // it, clear of the header's separator.
    const auto rowsHeight = static_cast<int16_t>(std::max(0, m_innerHeight - D::kRowsTop));
    Place(m_rowsArea, {0, D::kRowsTop, D::vslChipIn.Left, rowsHeight});
    Place(m_ui.vslChipIn,
          {D::vslChipIn.Left, D::kRowsTop, D::vslChipIn.Width, std::min(scroll.BarHeight, rowsHeight)});
    m_ui.vslChipIn->setMaximum(scroll.Max);
    m_ui.vslChipIn->setVisible(scroll.Visible);
    m_ui.vslChipIn->raise();
}

void fFilter::vslChipIn_Change()
{
    // The rows' top, kRowsTop less the value, as a place in their area.
    const int top = ConditionRowsTop(static_cast<int16_t>(m_ui.vslChipIn->value())) - D::kRowsTop;
    const QScopedValueRollback scrolling(m_scrollingRows, true);
    m_rowsArea->verticalScrollBar()->setValue(-TwipsToScreenPixels(top, this));
}

} // namespace kelton
