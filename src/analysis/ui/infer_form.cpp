#include "analysis/ui/infer_form.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStringListModel>
#include <QTabBar>

#include "analysis/infer_frame.h"
#include "analysis/number_tables.h"
#include "chart/ui/qvx_chart.h"
#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "host/ui/window_host.h"
#include "platform/name_tables.h"
#include "platform/services.h"
#include "platform/string_table.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/label_fit.h"
#include "platform/ui/message_box.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

const char16_t* const kGatherCaptions[4] = {u"组选号码生克", u"百位与十位生克", u"十位与个位生克", u"个位与百位生克"};
const char16_t* const kMissCaptions[4] = {u"遗漏值", u"最大遗漏", u"平均遗漏", u"出现概率"};
const char16_t* const kMiss2Captions[5] = {u"遗漏组值", u"最大遗漏组", u"平均遗漏组值", u"出现概率组值",
                                           u"次数统计组值"};

QRadioButton* MakeOption(QWidget* page, const QString& caption, const QRect& twips)
{
    auto* option = new QRadioButton(caption, page);
    SetTwipsGeometry(option, twips);
    return option;
}

} // namespace

FInfer::FInfer(AppState& app, int16_t view, CStat& stat, QWidget* parent)
    : CChildForm(u"FInfer"_s, CStat::ViewName(view), parent), m_app(app), m_stat(stat), m_view(view)
{
    if (const QString name = ViewName(view); !name.isEmpty())
        setWindowTitle(name);
    GameDocument& doc = m_app.Document;
    connect(&doc, &GameDocument::markChanged, this, &FInfer::RefreshBall);
    const auto refreshConditions = [this] {
        if (FormOpen())
            RefreshFilter();
    };
    connect(&doc, &GameDocument::conditionsChanged, this, refreshConditions);
    connect(&doc, &GameDocument::betTypeChanged, this, refreshConditions);
    connect(&doc, &GameDocument::statisticsRebuilt, this, [this] {
        if (FormOpen())
            RefreshForm();
    });
}

FInfer::~FInfer()
{
    if (m_ui.msgMain)
        m_ui.msgMain->SetTextSource({});
}

AreaNames FInfer::Names() const
{
    const CLottorHead* head = m_stat.HeadData();
    return AreaNames{head ? head->MrDataName : QString()};
}

GameSizes FInfer::Sizes() const
{
    const CLottorHead* head = m_stat.HeadData();
    return head ? SizesOf(*head) : GameSizes{};
}

SecondaryDraws FInfer::Secondary() const
{
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    return game ? SecondaryDraws(*game, m_stat.CustomStat()) : SecondaryDraws();
}

// ---------------------------------------------------------------------------
// Loading

void FInfer::ShowForm()
{
    if (!m_loaded)
        Form_Load();
    CChildForm::ShowForm();
}

void FInfer::ShowLay(const QString& sShowSet)
{
    m_currentViewName = sShowSet;
    FindClick();
    ShowForm();
}

void FInfer::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    BuildControls();
    if (InitInferForm()) {
        FindClick();
    } else if (m_stat.HeadData()) {
        MsgBox(this, QMessageBox::Warning, LoadResString(Res::OperationPrompt),
               u"分析窗口“%1”无法建立：分析数据不可读。"_s.arg(windowTitle()));
    }
}

void FInfer::BuildControls()
{
    // Wide enough at the start for the widest top bar.
    const int width = std::max(11800, kTopBarLeft + TopBarExtent() + 120);
    resize(TwipsToScreenPixels(width, this), TwipsToScreenPixels(6400, this));
    // Smaller, the top bar, the open option tabs and a few rows of the view
    // would not fit: the main window scrolls the window instead.
    setMinimumSize(TwipsToScreenPixels(kTopBarLeft + TopBarExtent() + 120, this),
                   TwipsToScreenPixels(kTopBarHeight + kTabOpenHeight + 580 + 1200 - kDialogFrame.Height, this));
    BuildTopBar();

    m_ui.msgMain = new CFlexGrid(this);
    m_ui.msgMain->setObjectName(u"msgMain"_s);
    m_ui.msgMain->setAccessibleName(windowTitle());
    m_ui.msgMain->hide();
    connect(m_ui.msgMain, &CFlexGrid::MouseMove, this, [this] { msgMain_MouseMove(); });
    connect(m_ui.msgMain, &CFlexGrid::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { msgMain_MouseDown(button); });
    m_ui.chMain = new QvxChart(this);
    m_ui.chMain->setObjectName(u"chMain"_s);
    m_ui.chMain->hide();

    m_ui.Tsp1 = new QTabBar(this);
    m_ui.Tsp1->setObjectName(u"Tsp1"_s);
    m_ui.Tsp1->setExpanding(false);
    for (int tab = 1; tab <= kTabCount; ++tab) {
        m_ui.Tsp1->addTab(TabCaption(tab));
        m_ui.Tsp1->setTabData(tab - 1, TabKey(tab));
    }
    m_ui.PicTsp = new QWidget(this);
    m_ui.PicTsp->setObjectName(u"PicTsp"_s);
    m_ui.HsbTsp = new QScrollBar(Qt::Horizontal, this);
    m_ui.HsbTsp->setObjectName(u"HsbTsp"_s);
    m_ui.HsbTsp->setMinimum(0);
    m_ui.HsbTsp->setPageStep(1);
    m_ui.HsbTsp->setFocusPolicy(Qt::NoFocus);
    SetTwipsGeometry(m_ui.HsbTsp, QRect(0, 1920, 495, 255));
    m_ui.HsbTsp->hide();
    connect(m_ui.HsbTsp, &QScrollBar::valueChanged, this, [this] { HsbTsp_Change(); });

    m_ui.FraFilter = new QFrame(m_ui.PicTsp);
    m_ui.FraFilter->setObjectName(u"FraFilter"_s);
    m_ui.FraFilter->setFrameShape(QFrame::StyledPanel);
    m_ui.FraFilter->setAutoFillBackground(true); // a page scrolled under it stays hidden
    SetTwipsGeometry(m_ui.FraFilter, QRect(10080, 0, kFraFilterWidth, kFraFilterHeight));
    m_ui.chkFilter = new QCheckBox(u"选择范围"_s, m_ui.FraFilter);
    SetTwipsGeometry(m_ui.chkFilter, QRect(120, 240, 1215, 255));
    m_ui.TxtFilter = new QLineEdit(m_ui.FraFilter);
    SetTwipsGeometry(m_ui.TxtFilter, QRect(120, 600, 1260, 300));
    m_ui.chkFilter->setEnabled(false);
    m_ui.TxtFilter->setEnabled(false);

    BuildPages();

    connect(m_ui.Tsp1, &QTabBar::currentChanged, this, [this](int) { Tsp1_Click(); });
    ConnectViewControls();
    m_ui.Tsp1->hide();
    m_ui.PicTsp->hide();
    m_ui.picTop->hide();
}

void FInfer::BuildTopBar()
{
    m_ui.picTop = new QWidget(this);
    m_ui.picTop->setObjectName(u"picTop"_s);
    m_ui.picTop->installEventFilter(this); // a click on the bar itself redraws
    const TopBarGeometry design = TopBarDesign();
    m_topGeom = design;
    const auto place = [&](TopCtl c, QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        m_ui.Top[static_cast<size_t>(c)] = w;
        SetTwipsGeometry(w, design[static_cast<size_t>(c)]);
        w->hide();
    };
    // Labels first: the lists stand in the blanks of their captions.
    auto* range = new CFramingLabel(u"统计范围: 从              到               期"_s, m_ui.picTop);
    auto* period = new CFramingLabel(u"统计期: 第                 期"_s, m_ui.picTop);
    auto* taxis = new CFramingLabel(u"突出前         位"_s, m_ui.picTop);
    place(TopCtl::LblPT1, range, "LblPT1");
    place(TopCtl::LblPT2, period, "LblPT2");
    place(TopCtl::LblPT3, taxis, "LblPT3");
    place(TopCtl::lblPT4, new QLabel(u"显示号码         位"_s, m_ui.picTop), "lblPT4");
    const TopBarLabelMarks marks = TopBarMarks();
    range->FitBlanks({{u'到', marks.RangeTo}, {u'期', marks.RangeEnd}});
    period->FitBlanks({{u'期', marks.PeriodEnd}});
    taxis->FitBlanks({{u'位', marks.PlacesEnd}});

    const auto combo = [&](TopCtl c, const char* name) {
        auto* box = new QComboBox(m_ui.picTop);
        place(c, box, name);
        connect(box, &QComboBox::activated, this, [this](int) { TopBarChanged(); });
        return box;
    };
    m_ui.cboPTStart = combo(TopCtl::cboPTStart, "cboPTStart");
    m_ui.cboPTEnd = combo(TopCtl::cboPTEnd, "cboPTEnd");
    QComboBox* index = combo(TopCtl::cboPTIndex, "cboPTIndex");
    m_ui.cboPTIndex = index;
    connect(index, &QComboBox::activated, this, [index] {
        if (index->isVisible())
            index->setFocus();
    });
    m_ui.cboPTBcTaxis = combo(TopCtl::cboPTBcTaxis, "cboPTBcTaxis");
    m_ui.cboPTSubarea = combo(TopCtl::cboPTSubarea, "cboPTSubarea");
    m_ui.cboPTSubarea2 = combo(TopCtl::cboPTSubarea2, "cboPTSubarea2");
    m_ui.cboPTFilter = combo(TopCtl::cboPTFilter, "cboPTFilter");
    m_ui.cboPTFilter2 = combo(TopCtl::cboPTFilter2, "cboPTFilter2");

    const auto check = [&](TopCtl c, const QString& caption, const char* name) {
        auto* box = new QCheckBox(caption, m_ui.picTop);
        place(c, box, name);
        connect(box, &QCheckBox::clicked, this, [this] { TopBarChanged(); });
        return box;
    };
    m_ui.chkPTShowHit = check(TopCtl::chkPTShowHit, u"只显示中出号码"_s, "chkPTShowHit");
    m_ui.chkPTColor = check(TopCtl::chkPTColor, u"行颜色"_s, "chkPTColor");
    m_ui.chkPTColorUpDown = check(TopCtl::chkPTColorUpDown, u"颜色突出升降"_s, "chkPTColorUpDown");
    m_ui.chkPTSort = check(TopCtl::chkPTSort, u"按值大小排列"_s, "chkPTSort");

    auto* kind = new QWidget(m_ui.picTop);
    place(TopCtl::picPTKind, kind, "picPTKind");
    const char16_t* const kindCaptions[3] = {u"号码数值", u"排行序列", u"原始号码"};
    const int kindLefts[3] = {2400, 0, 1200};
    for (int i = 0; i < 3; ++i) {
        auto* option = MakeOption(kind, QString::fromUtf16(kindCaptions[i]), QRect(kindLefts[i], 0, 1095, 255));
        option->setObjectName(u"OptPTKind%1"_s.arg(i));
        m_ui.OptPTKind[static_cast<size_t>(i)] = option;
        connect(option, &QRadioButton::clicked, this, [this] { TopBarChanged(); });
    }
    auto* list = new QWidget(m_ui.picTop);
    place(TopCtl::picPTList, list, "picPTList");
    m_ui.optPtOrder = MakeOption(list, u"排行次序"_s, QRect(0, 0, 1215, 255));
    m_ui.optPTVal = MakeOption(list, u"号码数值"_s, QRect(1320, 0, 1095, 255));
    m_ui.optPtOrder->setChecked(true);
    connect(m_ui.optPtOrder, &QRadioButton::clicked, this, [this] { TopBarChanged(); });
    connect(m_ui.optPTVal, &QRadioButton::clicked, this, [this] { TopBarChanged(); });
}

void FInfer::BuildPages()
{
    const char* const pageNames[7] = {"PicTspSort", "picTspData", "picTspCycle", "picTspCharacter",
                                      "PicTspPos", "PicTspRelate", "PicTspMiss"};
    const int pageWidths[7] = {10095, 7425, 8055, 8415, 6735, 5175, 7095};
    for (int t = 0; t < 7; ++t) {
        auto* page = new QWidget(m_ui.PicTsp);
        page->setObjectName(QString::fromLatin1(pageNames[t]));
        SetTwipsGeometry(page, QRect(120, 0, pageWidths[t], kPageHeight));
        page->hide();
        m_ui.Pages[static_cast<size_t>(t)] = page;
    }
    const auto connectView = [this](QRadioButton* option, ViewFamily family, int16_t index) {
        connect(option, &QRadioButton::clicked, this, [this, family, index] { RunView(ViewId{family, index}); });
    };
    const auto separator = [](QWidget* page, int x) {
        auto* line = new QFrame(page);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        SetTwipsGeometry(line, QRect(x, 0, 30, kPageHeight));
        return line;
    };

    // Sort: distributions left, rankings right.
    QWidget* sort = m_ui.Page(1);
    m_ui.OptListAll = MakeOption(sort, u"历史分布图"_s, QRect(0, 120, 1455, 255));
    connectView(m_ui.OptListAll, ViewFamily::ListAll, 0);
    m_ui.OptStatAll = MakeOption(sort, u"综合排行"_s, QRect(4680, 120, 1455, 255));
    connectView(m_ui.OptStatAll, ViewFamily::StatAll, 0);
    for (int16_t k = 0; k < 8; ++k) {
        m_ui.OptList[static_cast<size_t>(k)] =
            MakeOption(sort, OptListCaption(k, 10), QRect(0, 120, 1455, 255));
        connectView(m_ui.OptList[static_cast<size_t>(k)], ViewFamily::List, k);
        m_ui.OptStat[static_cast<size_t>(k)] =
            MakeOption(sort, OptStatCaption(k, 10), QRect(4680, 120, 1455, 255));
        connectView(m_ui.OptStat[static_cast<size_t>(k)], ViewFamily::Stat, k);
    }
    m_ui.Separators[0] = separator(sort, 4560);

    // Indicator options 0..42 on their pages.
    for (int16_t k = 0; k <= 42; ++k) {
        const int tab = TabOf(ViewFamily::Filter, k);
        auto* option = MakeOption(m_ui.Page(tab), IndicatorName(k),
                                  QRect(0, 120, 1215, tab == 2 ? kDataOptionHeight : kOptionHeight));
        connectView(option, ViewFamily::Filter, k);
        m_ui.OptFilter.push_back(option);
    }
    m_ui.OptAll = MakeOption(m_ui.Page(2), u"综合"_s, QRect(0, 120, 1095, kDataOptionHeight));
    connectView(m_ui.OptAll, ViewFamily::All, 0);

    // Cycle.
    m_ui.OptCycle = MakeOption(m_ui.Page(3), u"循环分布数据"_s, QRect(0, 120, 1400, 255));
    connectView(m_ui.OptCycle, ViewFamily::Cycle, 0);
    SetTwipsGeometry(m_ui.OptFilter[19], QRect(0, 720, 1400, 255));
    m_ui.LstCycle = new QListWidget(m_ui.Page(3));
    m_ui.LstCycle->setObjectName(u"LstCycle"_s);
    SetTwipsGeometry(m_ui.LstCycle, QRect(1440, 0, 3240, 1140));
    m_ui.txtCycle = new QPlainTextEdit(m_ui.Page(3));
    m_ui.txtCycle->setObjectName(u"txtCycle"_s);
    SetTwipsGeometry(m_ui.txtCycle, QRect(4680, 0, 3240, 1140));

    // Relate.
    const int gatherTops[4] = {45, 310, 575, 840};
    for (int16_t k = 0; k < 4; ++k) {
        m_ui.OptGather[static_cast<size_t>(k)] = MakeOption(
            m_ui.Page(6), QString::fromUtf16(kGatherCaptions[k]), QRect(0, gatherTops[k], 1755, 255));
        connectView(m_ui.OptGather[static_cast<size_t>(k)], ViewFamily::Gather, k);
    }
    m_ui.LstRelate = new QListWidget(m_ui.Page(6));
    m_ui.LstRelate->setObjectName(u"LstRelate"_s);
    // A click or an arrow key: whatever moves the current row redraws.
    connect(m_ui.LstRelate, &QListWidget::currentRowChanged, this, [this] { TopBarChanged(); });
    SetTwipsGeometry(m_ui.LstRelate, QRect(1800, 0, 3240, 1140));

    // Miss.
    for (int16_t k = 0; k < 4; ++k) {
        m_ui.optFilterMiss[static_cast<size_t>(k)] =
            MakeOption(m_ui.Page(7), QString::fromUtf16(kMissCaptions[k]), QRect(120, 120, 1215, 375));
        connectView(m_ui.optFilterMiss[static_cast<size_t>(k)], ViewFamily::FilterMiss, k);
    }
    for (int16_t k = 0; k < 5; ++k) {
        m_ui.optFilterMiss2[static_cast<size_t>(k)] =
            MakeOption(m_ui.Page(7), QString::fromUtf16(kMiss2Captions[k]), QRect(2880, 120, 1455, 375));
        connectView(m_ui.optFilterMiss2[static_cast<size_t>(k)], ViewFamily::FilterMiss2, k);
    }
    m_ui.Separators[1] = separator(m_ui.Page(7), 2760);
    for (int t = 1; t <= 7; ++t)
        LayoutPage(t, pageWidths[t - 1]);
}

bool FInfer::InitInferForm()
{
    CLottorHead* head = m_stat.HeadData();
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    // Nothing to show without a game; a view without records (not even the
    // next issue) cannot be read.
    if (!head || m_stat.BallCount() < 1) {
        m_isBusy = false;
        return false;
    }
    m_isBusy = true;
    const GameSizes g = SizesOf(*head);
    const AreaNames names = Names();
    const int bm = g.B + g.R;
    const int32_t draws = std::max<int32_t>(0, m_stat.BallCount() - 1);
    {
        MsgProgressGuard progress(head->msg, u"加载"_s + windowTitle(), ConstructionProgressMax(draws, g), 0, 0,
                                  false);
        const int16_t custom = head->CustomStat > 0 ? head->CustomStat : 10;
        m_ui.OptStat[4]->setText(OptStatCaption(4, custom));
        m_ui.OptList[4]->setText(OptListCaption(4, custom));
        progress.Step(2);
        for (int k = 0; k <= 42; ++k)
            m_ui.OptFilter[static_cast<size_t>(k)]->setText(IndicatorName(k));
        // The positions and secondary numbers of this game.
        for (int n = 1; n <= bm; ++n) {
            const int k = 42 + n;
            if (static_cast<int>(m_ui.OptFilter.size()) <= k) {
                auto* option =
                    MakeOption(m_ui.Page(5), RunTimeOptionCaption(static_cast<int16_t>(k), g, names),
                               QRect(0, 120, 1215, 255));
                connect(option, &QRadioButton::clicked, this,
                        [this, k] { RunView(ViewId{ViewFamily::Filter, static_cast<int16_t>(k)}); });
                option->show();
                m_ui.OptFilter.push_back(option);
            }
            progress.Step(5 * n + 2);
        }
        m_posPageWidth = PosPageWidth(bm);
        m_ui.Tsp1->show();
        m_ui.PicTsp->show();
        m_ui.picTop->show();
        m_ui.HsbTsp->hide();

        std::vector<QString> periods;
        periods.reserve(static_cast<size_t>(draws) + 1);
        for (int32_t i = 0; i < draws; ++i) {
            periods.push_back(game && i < game->NumCount() ? QString::number(game->NumName(i)) : m_stat.NumName(i));
            progress.Step(5 * bm + 2 + i);
        }
        periods.push_back(u"下期"_s);
        FillPeriodLists(periods);
        m_ui.OptPTKind[1]->setChecked(true);
        progress.Step(draws + 20 + 5 * bm);

        m_ui.cboPTBcTaxis->clear();
        m_ui.cboPTBcTaxis->addItems(BcTaxisItems(g));
        m_ui.cboPTSubarea->clear();
        m_ui.cboPTSubarea->addItems(SubareaItems(g, names));
        m_ui.cboPTSubarea->setCurrentIndex(0);
        m_ui.cboPTSubarea2->clear();
        m_ui.cboPTSubarea2->addItems(Subarea2Items(g, names));
        m_ui.cboPTSubarea2->setCurrentIndex(0);
        m_ui.LstRelate->clear();
        m_ui.LstRelate->addItems(RelateItems(g));
        m_ui.LstRelate->setCurrentRow(0);
        const QStringList indicators = IndicatorItems(g, names);
        for (QComboBox* box : {m_ui.cboPTFilter, m_ui.cboPTFilter2}) {
            box->clear();
            box->addItems(indicators);
            box->setCurrentIndex(0);
        }
        progress.Step(draws + 30 + 5 * bm);
        m_ui.cboPTBcTaxis->setCurrentIndex(BcTaxisDefault(g));
        m_ui.chkPTColor->setChecked(true);
        m_ui.chkPTShowHit->setChecked(true);

        if (m_currentViewName.isEmpty())
            m_currentViewName = m_ui.OptListAll->text();
        m_ui.OptListAll->setChecked(true);
        m_ui.OptFilter[0]->setChecked(true);
        m_ui.OptFilter[19]->setChecked(true);
        for (int tab = 1; tab <= 7; ++tab) {
            const ViewId id = DefaultTabView(tab);
            m_tabViewName[static_cast<size_t>(tab)] = m_ui.OptionOf(id)->text();
        }
        progress.Step(ConstructionProgressMax(draws, g));
        m_isBusy = false;
    }
    // The first tab's page, laid out.
    m_ui.Tsp1->blockSignals(true);
    m_ui.Tsp1->setCurrentIndex(0);
    m_ui.Tsp1->blockSignals(false);
    m_isBusy = true;
    Tsp1_Click();
    m_isBusy = false;
    return true;
}

void FInfer::FillPeriodLists(const std::vector<QString>& names)
{
    QStringList items;
    items.reserve(static_cast<qsizetype>(names.size()));
    for (const QString& name : names)
        items << name;
    // The three lists hold the same items: one model serves them all, each
    // keeping its own choice.
    if (!m_periods)
        m_periods = new QStringListModel(this);
    m_periods->setStringList(items);
    for (QComboBox* box : {m_ui.cboPTIndex, m_ui.cboPTEnd, m_ui.cboPTStart}) {
        if (box->model() != m_periods)
            box->setModel(m_periods);
    }
    SelectDefaultPeriods();
}

void FInfer::SelectDefaultPeriods()
{
    const CLottorHead* head = m_stat.HeadData();
    m_showCourse = head ? head->InferShowCourse : 0;
    const PeriodChoice c = DefaultPeriods(m_periods ? m_periods->rowCount() : 0, m_showCourse);
    m_ui.cboPTIndex->setCurrentIndex(c.Index);
    m_ui.cboPTEnd->setCurrentIndex(c.End);
    m_ui.cboPTStart->setCurrentIndex(c.Start);
}

void FInfer::RefreshForm()
{
    if (!m_loaded)
        return;
    const bool wasBusy = std::exchange(m_isBusy, true);
    std::vector<QString> names;
    const int32_t count = m_stat.BallCount();
    names.reserve(static_cast<size_t>(std::max(0, count)));
    for (int32_t i = 0; i < count; ++i)
        names.push_back(m_stat.NumName(i));
    FillPeriodLists(names);
    m_isBusy = wasBusy;
    // The view shown follows the lists at once: the top bar and the table
    // never tell two ranges.
    if (!m_isBusy)
        FindClick();
}

IGridCells* FInfer::msgMain()
{
    return m_ui.msgMain;
}

// ---------------------------------------------------------------------------
// Controls

QWidget* InferControls::Page(int tab) const
{
    return tab >= 1 && tab <= 7 ? Pages[static_cast<size_t>(tab - 1)] : nullptr;
}

QRadioButton* InferControls::OptionOf(const ViewId& id) const
{
    const auto at = [](const auto& array, int16_t i) -> QRadioButton* {
        return i >= 0 && static_cast<size_t>(i) < array.size() ? array[static_cast<size_t>(i)] : nullptr;
    };
    switch (id.Family) {
    case ViewFamily::ListAll:
        return OptListAll;
    case ViewFamily::List:
        return at(OptList, id.Index);
    case ViewFamily::Stat:
        return at(OptStat, id.Index);
    case ViewFamily::StatAll:
        return OptStatAll;
    case ViewFamily::All:
        return OptAll;
    case ViewFamily::Filter:
        return at(OptFilter, id.Index);
    case ViewFamily::Cycle:
        return OptCycle;
    case ViewFamily::Gather:
        return at(OptGather, id.Index);
    case ViewFamily::FilterMiss:
        return at(optFilterMiss, id.Index);
    case ViewFamily::FilterMiss2:
        return at(optFilterMiss2, id.Index);
    }
    return nullptr;
}

QString FInfer::TabViewName(int tab) const
{
    return tab >= 1 && tab <= kTabCount ? m_tabViewName[static_cast<size_t>(tab)] : QString();
}

int FInfer::SelectedTab() const
{
    return m_ui.Tsp1 ? m_ui.Tsp1->currentIndex() + 1 : 0;
}

// ---------------------------------------------------------------------------
// Layout

void FInfer::resizeEvent(QResizeEvent* event)
{
    CChildForm::resizeEvent(event);
    if (m_loaded && m_ui.Tsp1)
        Form_Resize();
}

void FInfer::Form_Resize()
{
    const int tab = SelectedTab();
    FrameInput in;
    in.W = static_cast<int>(ScreenPixelsToTwips(width(), this)) + kDialogFrame.Width;
    in.H = static_cast<int>(ScreenPixelsToTwips(height(), this)) + kDialogFrame.Height;
    in.TabHeight = m_tspHeight;
    in.HolderHeight = static_cast<int>(ScreenPixelsToTwips(m_ui.PicTsp->height(), this));
    in.Key = TabKey(tab);
    QWidget* page = m_ui.Page(tab);
    in.PageLeft = page ? static_cast<int>(ScreenPixelsToTwips(page->x(), this)) : 120;
    in.PosPageWidth = m_posPageWidth;
    const FrameLayout out = LayoutFrame(in);

    const int topRow = m_ui.msgMain->Rows() >= 4 ? m_ui.msgMain->TopRow() : -1;
    SetTwipsGeometry(m_ui.picTop, out.Top);
    SetTwipsGeometry(m_ui.msgMain, out.View);
    SetTwipsGeometry(m_ui.chMain, out.View);
    SetTwipsGeometry(m_ui.Tsp1, QRect(out.Tabs.left(), out.Tabs.top(), out.Tabs.width(), kTabClosedHeight));
    SetTwipsGeometry(m_ui.PicTsp, out.Holder);
    SetTwipsGeometry(m_ui.FraFilter, out.Frame);
    SetTwipsGeometry(m_ui.HsbTsp, QRect(0, out.BarTop, 495, 255));
    if (page && out.SizesPage) {
        page->show();
        if (out.HideFrame)
            m_ui.FraFilter->hide();
        else
            m_ui.FraFilter->raise();
        SetTwipsGeometry(page, QRect(out.PageLeft, 0, out.PageWidth, kPageHeight));
        LayoutPage(tab, out.PageWidth);
        if (out.BarVisible) {
            m_ui.HsbTsp->setMaximum(out.BarMax);
            m_ui.HsbTsp->setSingleStep(out.BarSmallChange);
            m_ui.HsbTsp->show();
            m_ui.HsbTsp->raise();
        } else {
            m_ui.HsbTsp->hide();
        }
    }
    if (topRow >= 0 && m_ui.msgMain->Rows() > 3)
        m_ui.msgMain->SetTopRow(topRow);
}

void FInfer::LayoutPage(int tab, int width)
{
    const auto put = [this](QWidget* w, QPoint twips) {
        const QRect r(twips, QSize(static_cast<int>(ScreenPixelsToTwips(w->width(), this)),
                                   static_cast<int>(ScreenPixelsToTwips(w->height(), this))));
        SetTwipsGeometry(w, r);
    };
    switch (tab) {
    case 1: {
        const SortPagePlaces p = SortPage(width);
        if (!p.Applies)
            return;
        put(m_ui.OptListAll, p.List[0]);
        put(m_ui.OptStatAll, p.Stat[0]);
        for (int k = 0; k < 8; ++k) {
            put(m_ui.OptList[static_cast<size_t>(k)], p.List[static_cast<size_t>(k + 1)]);
            put(m_ui.OptStat[static_cast<size_t>(k)], p.Stat[static_cast<size_t>(k + 1)]);
        }
        SetTwipsGeometry(m_ui.Separators[0], QRect(p.SeparatorX, 0, 30, kPageHeight));
        return;
    }
    case 2: {
        const std::vector<QPoint> p = DataPage(width);
        put(m_ui.OptAll, p[0]);
        for (int k = 0; k <= 18; ++k)
            put(m_ui.OptFilter[static_cast<size_t>(k)], p[static_cast<size_t>(k + 1)]);
        return;
    }
    case 4: {
        const std::vector<QPoint> p = CharacterPage(width);
        for (int k = 20; k <= 36; ++k)
            put(m_ui.OptFilter[static_cast<size_t>(k)], p[static_cast<size_t>(k - 20)]);
        return;
    }
    case 5: {
        const int bm = Sizes().B + Sizes().R;
        const std::vector<QPoint> p = PosPage(width, bm);
        for (size_t n = 0; n < p.size() && 37 + n < m_ui.OptFilter.size(); ++n)
            put(m_ui.OptFilter[37 + n], p[n]);
        return;
    }
    case 7: {
        const MissPagePlaces p = MissPage(width);
        if (!p.Applies)
            return;
        for (int k = 0; k < 4; ++k)
            put(m_ui.optFilterMiss[static_cast<size_t>(k)], p.Miss[static_cast<size_t>(k)]);
        for (int k = 0; k < 5; ++k)
            put(m_ui.optFilterMiss2[static_cast<size_t>(k)], p.Miss2[static_cast<size_t>(k)]);
        SetTwipsGeometry(m_ui.Separators[1], QRect(p.SeparatorX, 0, 30, kPageHeight));
        return;
    }
    default:
        return;
    }
}

void FInfer::HsbTsp_Change()
{
    if (QWidget* page = m_ui.Page(SelectedTab())) {
        const QRect at(120 - m_ui.HsbTsp->value(), 0,
                       static_cast<int>(ScreenPixelsToTwips(page->width(), this)), kPageHeight);
        SetTwipsGeometry(page, at);
    }
}

// ---------------------------------------------------------------------------
// The grid's mouse and the top bar's click

bool FInfer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui.picTop && event->type() == QEvent::MouseButtonRelease)
        TopBarChanged();
    if (watched == m_ui.TxtFilter && event->type() == QEvent::MouseButtonRelease &&
        m_ui.TxtFilter->isEnabled())
        TxtFilter_Click();
    return CChildForm::eventFilter(watched, event);
}

void FInfer::msgMain_MouseMove()
{
    const int row = m_ui.msgMain->MouseRow();
    const int col = m_ui.msgMain->MouseCol();
    if (m_ui.msgMain->TextMatrix(row, 0) == u"下期"_s) {
        m_ui.msgMain->SetToolTipText(u" "_s + m_ui.msgMain->TextMatrix(row, col) +
                                     u" 双击这个位置选择或取消号码"_s);
        m_ui.msgMain->SetMousePointer(Qt::PointingHandCursor);
        return;
    }
    const QString text = m_ui.msgMain->TextMatrix(row, col);
    if (!text.isEmpty())
        m_ui.msgMain->SetToolTipText(u" "_s + text + u" "_s);
    m_ui.msgMain->SetMousePointer(Qt::ArrowCursor);
}

void FInfer::msgMain_MouseDown(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    if (const IWindowHost* host = Service<IWindowHost>()) {
        if (QMenu* menu = host->Menu(MainMenu::List))
            menu->popup(QCursor::pos());
    }
}

} // namespace kelton
