#include "filter/ui/filter_bound_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabBar>

#include "chart/ui/qvx_chart.h"
#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "filter/filter_bound.h"
#include "pickers/ui/pick.h"
#include "platform/ui/label_fit.h"
#include "platform/ui/message_box.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

constexpr int16_t kPickedHigh = 32676;
constexpr int32_t kDesignWidth = 10095;
constexpr int32_t kTabTop = 4080;
constexpr int32_t kTabHeight = 1815;
constexpr int32_t kFrameHeight = 1455;
constexpr int kSliderAtLoad = 20;

} // namespace

FFilterBound::FFilterBound(AppState& app, QWidget* parent)
    : CChildForm(u"FFilterBound"_s, u"设置过滤极值范围"_s, parent), m_app(app)
{
    m_chart = new QvxChart(this);
    m_chart->setObjectName(u"chMain"_s);
    SetTwipsGeometry(m_chart, {0, 0, kDesignWidth, 3975});

    m_tabBody = new QFrame(this);
    m_tabBody->setObjectName(u"Tab1Body"_s);
    m_tabBody->setFrameShape(QFrame::StyledPanel);
    m_tab = new QTabBar(m_tabBody);
    m_tab->setObjectName(u"Tab1"_s);
    m_tab->setAccessibleName(u"数据"_s);
    m_tab->addTab(u"原始数据"_s);
    for (int v = 1; v <= 7; ++v)
        m_tab->addTab(u"转换数据%1"_s.arg(v));
    m_tab->addTab(u"所有数据"_s);

    m_frame = new QFrame(this);
    m_frame->setObjectName(u"Frame1"_s);
    m_picData = new QWidget(m_frame);
    m_picData->setObjectName(u"picData"_s);
    SetTwipsGeometry(m_picData, {120, 120, 9615, 1215});

    MakeTwipsControl<QLabel>(m_picData, u"Label1"_s, u"最近极值(期)"_s, {0, 120, 855, 495})
        ->setWordWrap(true);
    m_slider = new QSlider(Qt::Horizontal, m_picData);
    m_slider->setObjectName(u"sdrLay"_s);
    m_slider->setAccessibleName(u"最近极值(期)"_s);
    m_slider->setRange(0, 100);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(10);
    SetTwipsGeometry(m_slider, {1080, 120, 7455, 255});
    // The scale's numbers stand under the slider's handle at their values.
    const QRect scaleTwips(1080, 375, 7455, 180); // under the slider, as wide
    auto* scale = new CFramingLabel(
        u"0       10      20      30      40      50      60      70      80      90     100"_s, m_picData);
    scale->setObjectName(u"Label2"_s);
    SetTwipsGeometry(scale, scaleTwips);
    QStyleOptionSlider option;
    option.initFrom(m_slider);
    option.orientation = Qt::Horizontal;
    const int handle = m_slider->style()->pixelMetric(QStyle::PM_SliderLength, &option, m_slider);
    scale->SpreadWords(handle / 2, scale->width() - (handle + 1) / 2);
    m_cmdView = MakeTwipsControl<QPushButton>(m_picData, u"cmdView"_s, u"查看"_s, {8640, 120, 735, 375});
    m_cmdViewAll =
        MakeTwipsControl<QPushButton>(m_picData, u"cmdViewAll"_s, u"所有"_s, {8640, 120, 735, 375});
    MakeTwipsControl<QLabel>(m_picData, u"Label4"_s, u"本期极值设置范围"_s, {0, 720, 855, 495})
        ->setWordWrap(true);
    // The range label's words stand right of the lists in its blanks.
    const QRect rangeLabel(1080, 915, 4470, 270);
    const QRect start(1320, 840, 1575, 300);
    const QRect end(3240, 840, 1575, 300);
    auto* range = new CFramingLabel(u"从                   到                    期"_s, m_picData);
    range->setObjectName(u"Label3"_s);
    SetTwipsGeometry(range, rangeLabel);
    range->FitBlanks({{u'到', start.left() + start.width() + 30 - rangeLabel.left()},
                      {u'期', end.left() + end.width() + 30 - rangeLabel.left()}});
    m_cboStart = new QComboBox(m_picData);
    m_cboStart->setObjectName(u"cboStart"_s);
    m_cboStart->setAccessibleName(u"从"_s);
    SetTwipsGeometry(m_cboStart, start);
    m_cboEnd = new QComboBox(m_picData);
    m_cboEnd->setObjectName(u"cboEnd"_s);
    m_cboEnd->setAccessibleName(u"到"_s);
    SetTwipsGeometry(m_cboEnd, end);
    m_chkErr = new QCheckBox(u"子容错"_s, m_picData);
    m_chkErr->setObjectName(u"chkErr"_s);
    SetTwipsGeometry(m_chkErr, {5400, 870, 855, 255});
    m_txtErr = new QLineEdit(m_picData);
    m_txtErr->setObjectName(u"TxtErr"_s);
    m_txtErr->setReadOnly(true); // edited through the value picker only
    m_txtErr->setToolTip(u"用空格分开每个值,对于连续的值可以用-号连起来。如：0-3 10 "_s);
    m_txtErr->setAccessibleName(u"容错值"_s);
    m_txtErr->installEventFilter(this);
    SetTwipsGeometry(m_txtErr, {6240, 840, 1935, 270});
    m_cmdSetShk = MakeTwipsControl<QPushButton>(m_picData, u"cmdSetShk"_s, u"设置"_s, {8640, 840, 735, 375});

    connect(m_tab, &QTabBar::currentChanged, this, [this] { Tab1_Click(); });
    connect(m_slider, &QSlider::valueChanged, this, [this] { sdrLay_Change(); });
    connect(m_cmdView, &QPushButton::clicked, this, &FFilterBound::cmdView_Click);
    connect(m_cmdViewAll, &QPushButton::clicked, this, &FFilterBound::cmdViewAll_Click);
    connect(m_cmdSetShk, &QPushButton::clicked, this, &FFilterBound::cmdSetShk_Click);
    connect(m_chkErr, &QCheckBox::clicked, this, &FFilterBound::chkErr_Click);
    connect(m_txtErr, &QLineEdit::textChanged, this, [this] { TxtErr_Change(); });

    // A loaded window shows the tolerances as they change, whoever changes
    // them.
    connect(&m_app.Document, &GameDocument::conditionsChanged, this, [this] {
        if (m_loaded && FormOpen())
            RefreshFilter();
    });

    resize(TwipsToScreenPixels(kDesignWidth, this), TwipsToScreenPixels(kTabTop + kTabHeight, this));
}

FFilterBound::~FFilterBound() = default;

std::shared_ptr<CLottorData> FFilterBound::Game() const
{
    return m_app.CurLottorData;
}

int FFilterBound::SelectedTab() const
{
    return m_tab->currentIndex() + 1;
}

CStat* FFilterBound::ShownView() const
{
    const std::shared_ptr<CLottorData> game = Game();
    const int tab = SelectedTab();
    return game && tab >= 1 && tab <= AppState::InferCount ? game->StatView(static_cast<int16_t>(tab - 1))
                                                           : nullptr;
}

// ---------------------------------------------------------------------------
// Protocol

void FFilterBound::ShowForm()
{
    if (!m_loaded)
        Form_Load();
    CChildForm::ShowForm();
}

void FFilterBound::Form_Load()
{
    m_loaded = true;
    FillIssueLists();
    m_cboEnd->setCurrentIndex(m_cboEnd->count() - 1);
    if (m_slider->value() == kSliderAtLoad)
        sdrLay_Change();
    else
        m_slider->setValue(kSliderAtLoad);
    SelectTab(1);
    Form_Resize();
}

void FFilterBound::FillIssueLists()
{
    m_cboStart->clear();
    m_cboEnd->clear();
    const std::shared_ptr<CLottorData> game = Game();
    if (!game)
        return;
    QStringList issues;
    issues.reserve(game->NumCount());
    for (int32_t i = 0; i < game->NumCount(); ++i)
        issues << QString::number(game->NumName(i));
    m_cboStart->addItems(issues);
    m_cboEnd->addItems(issues);
}

void FFilterBound::RefreshForm()
{
    const QScopedValueRollback busy(m_isBusy, true);
    FillIssueLists();
    m_cboEnd->setCurrentIndex(m_cboEnd->count() - 1);
    sdrLay_Change();
}

void FFilterBound::RefreshFilter()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game)
        return;
    const QScopedValueRollback busy(m_isBusy, true);
    if (AllViews()) {
        m_chkErr->setChecked(game->ShrinkAllErrSel != 0);
    } else if (const CStat* stat = ShownView()) {
        m_chkErr->setChecked(stat->ShrinkSel(static_cast<int16_t>(game->HeadData.BcMain + 43)) != 0);
    }
    TxtErr_Change();
    m_txtErr->setEnabled(m_chkErr->isChecked());
}

// ---------------------------------------------------------------------------
// Handlers

void FFilterBound::SelectTab(int tab)
{
    if (m_tab->currentIndex() == tab - 1)
        Tab1_Click();
    else
        m_tab->setCurrentIndex(tab - 1); // runs Tab1_Click
}

void FFilterBound::Tab1_Click()
{
    CMsg msg;
    const MsgBusyGuard wait(msg);
    const bool all = AllViews();
    m_cmdView->setVisible(!all);
    m_cmdSetShk->setVisible(!all);
    m_cmdViewAll->setVisible(all);
    m_chkErr->setText(all ? u"总容错"_s : u"子容错"_s);
    RefreshFilter();
    DrawChart(all);
}

void FFilterBound::sdrLay_Change()
{
    m_slider->setToolTip(QString::number(m_slider->value()));
    const int32_t start = SliderStartIndex(m_cboEnd->currentIndex(), m_slider->value(), m_cboStart->count());
    if (start >= 0)
        m_cboStart->setCurrentIndex(start);
}

void FFilterBound::cmdSetShk_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    CStat* stat = ShownView();
    if (!game || !stat)
        return;
    if (game->NumCount() < 1) {
        MsgBox(this, QMessageBox::Information, u"操作提示"_s, u"还没有开奖数据，不能设置极值范围！"_s);
        return;
    }
    const int32_t start = std::max(m_cboStart->currentIndex(), 0);
    const int32_t end = std::max(m_cboEnd->currentIndex(), 0);
    const bool set = m_app.Document.ChangeConditions(
        [&](CLottorData& changed) { return SetConditionsToExtremes(*stat, changed.HeadData.BcMain, start, end); });
    if (!set)
        return;
    MsgBox(this, QMessageBox::NoIcon, AppTitle(),
           ExtremesSetMessage(m_tab->tabText(m_tab->currentIndex()), m_cboStart->currentText(),
                              m_cboEnd->currentText()));
}

void FFilterBound::DrawChart(bool allViews)
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game)
        return;
    std::vector<const CStat*> views;
    if (allViews) {
        for (int16_t v = 0; v < AppState::InferCount; ++v)
            views.push_back(game->StatView(v));
    } else {
        views.push_back(ShownView());
    }
    m_chart->StatData(OutOfRangeChart(*game, views, m_slider->value()), 1, -1,
                      OutOfRangeTitle(game->HeadData.LottorName), -1, 255, 3);
}

void FFilterBound::cmdView_Click()
{
    CMsg msg;
    const MsgBusyGuard wait(msg);
    DrawChart(false);
}

void FFilterBound::cmdViewAll_Click()
{
    CMsg msg;
    const MsgBusyGuard wait(msg);
    DrawChart(true);
}

void FFilterBound::chkErr_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (m_isBusy || !game)
        return;
    const int16_t on = m_chkErr->isChecked() ? 1 : 0;
    CStat* stat = ShownView();
    m_app.Document.ChangeConditions([&](CLottorData& changed) {
        if (AllViews())
            changed.ShrinkAllErrSel = on;
        else if (stat)
            stat->SetShrinkSel(static_cast<int16_t>(changed.HeadData.BcMain + 43), on);
    });
}

void FFilterBound::TxtErr_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game || !m_txtErr->isEnabled())
        return;
    // The picker starts from the stored set, whatever the box shows. The
    // other windows show the same tolerance: they follow at once.
    GameDocument& doc = m_app.Document;
    if (AllViews()) {
        const QString picked = ShowSelVal(RangeToStr(game->ShrinkAllErrVal), 0, 200, QString(), QString());
        doc.ChangeConditions([&picked](CLottorData& changed) {
            changed.ShrinkAllErrVal = StrToRange(picked, 0, kPickedHigh);
            changed.ShrinkAllErrValUbound = static_cast<int16_t>(changed.ShrinkAllErrVal.Count());
        });
    } else if (CStat* stat = ShownView()) {
        const auto own = static_cast<int16_t>(game->HeadData.BcMain + 43);
        const QString picked = ShowSelVal(RangeToStr(stat->ShrinkVal(own)), game->HeadData.ShrinkHL(own, 0),
                                          game->HeadData.ShrinkHL(own, 1), QString(), QString());
        doc.ChangeConditions(
            [&](CLottorData&) { stat->SetShrinkVal(own, StrToRange(picked, 0, kPickedHigh)); });
    }
    TxtErr_Change();
}

void FFilterBound::TxtErr_Change()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game)
        return;
    QString text;
    if (AllViews())
        text = RangeToStr(game->ShrinkAllErrVal);
    else if (const CStat* stat = ShownView())
        text = RangeToStr(stat->ShrinkVal(static_cast<int16_t>(game->HeadData.BcMain + 43)));
    if (m_txtErr->text() != text) {
        const QSignalBlocker quiet(m_txtErr);
        m_txtErr->setText(text);
    }
}

// ---------------------------------------------------------------------------
// Layout

void FFilterBound::Form_Resize()
{
    const auto twips = [this](int pixels) {
        return static_cast<int32_t>(std::lround(ScreenPixelsToTwips(pixels, this)));
    };
    const QWidget* outer = SubWindow() ? static_cast<QWidget*>(SubWindow()) : this;
    const FilterBoundLayout layout =
        LayOutFilterBound(twips(outer->width()), twips(width()), twips(height()), kTabHeight);
    SetTwipsGeometry(m_tabBody, {0, layout.TabTop, layout.TabWidth, kTabHeight});
    m_tab->setGeometry(0, 0, m_tabBody->width(), m_tab->sizeHint().height());
    SetTwipsGeometry(m_frame, {layout.FrameLeft, layout.FrameTop, layout.FrameWidth, kFrameHeight});
    SetTwipsGeometry(m_chart, {0, 0, layout.ChartWidth, layout.ChartHeight});
    m_frame->raise();
}

void FFilterBound::resizeEvent(QResizeEvent* event)
{
    CChildForm::resizeEvent(event);
    Form_Resize();
}

bool FFilterBound::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtErr && event->type() == QEvent::MouseButtonRelease) {
        TxtErr_Click();
        return true;
    }
    return CChildForm::eventFilter(watched, event);
}

} // namespace kelton
