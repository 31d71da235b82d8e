#include "chart/ui/qvx_chart.h"

#include <algorithm>
#include <initializer_list>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include "chart/ui/chart_view.h"

namespace kelton {

namespace {

// Sets a busy flag for a scope and puts back what it was.
class BusyGuard {
public:
    explicit BusyGuard(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~BusyGuard() { m_flag = m_was; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& m_flag;
    bool m_was;
};

template <typename Button>
Button* MakeButton(QWidget* parent, const char* name, const QString& text, bool checked)
{
    auto* button = new Button(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setChecked(checked);
    return button;
}

} // namespace

QvxChart::QvxChart(QWidget* parent) : QWidget(parent)
{
    BusyGuard busy(m_isBusy);
    setObjectName(QStringLiteral("QvxChart"));
    setAccessibleName(QStringLiteral("图表控件"));

    m_chart = new ChartView(this);
    m_chart->setGeometry(0, 0, 425, 283);
    m_chart->SetBottomReserve(ChartGeometry::kTitleHeight);

    m_txtMsg = new QLineEdit(this);
    m_txtMsg->setObjectName(QStringLiteral("TxtMsg"));
    m_txtMsg->setAccessibleName(QStringLiteral("图表标题"));
    m_txtMsg->setGeometry(ChartGeometry::kTitleLeft, 256, 425, ChartGeometry::kTitleHeight);
    m_txtMsg->setReadOnly(true);
    m_txtMsg->setFrame(false);
    m_txtMsg->setFocusPolicy(Qt::ClickFocus);
    QPalette titlePalette = m_txtMsg->palette();
    titlePalette.setColor(QPalette::Base, Qt::white);
    titlePalette.setColor(QPalette::Text, QColor(150, 0, 150));
    m_txtMsg->setPalette(titlePalette);

    m_hsl = new QScrollBar(Qt::Horizontal, this);
    m_hsl->setObjectName(QStringLiteral("Hsl"));
    m_hsl->setGeometry(0, 296, 425, ChartGeometry::kScrollHeight);
    m_hsl->setFocusPolicy(Qt::NoFocus);
    m_hsl->setRange(0, 0);
    m_hsl->hide();
    connect(m_hsl, &QScrollBar::valueChanged, this, &QvxChart::Hsl_Change);

    m_picBar = new QWidget(this);
    m_picBar->setObjectName(QStringLiteral("PicBar"));
    m_picBar->setAutoFillBackground(true);
    m_picBar->setFocusPolicy(Qt::StrongFocus);

    // The column stacks its options from the top and is as wide as the
    // widest of them needs, at least as designed.
    m_optKind[0] = MakeButton<QRadioButton>(m_picBar, "OptKind0", QStringLiteral("线状"), true);
    m_optKind[1] = MakeButton<QRadioButton>(m_picBar, "OptKind1", QStringLiteral("柱状"), false);
    m_chkAll = MakeButton<QCheckBox>(m_picBar, "chkAll", QStringLiteral("满图"), true);
    m_chkLineX = MakeButton<QCheckBox>(m_picBar, "ChkLineX", QStringLiteral("竖线"), true);
    m_chkLineY = MakeButton<QCheckBox>(m_picBar, "ChkLineY", QStringLiteral("横线"), true);
    m_chkMean = MakeButton<QCheckBox>(m_picBar, "chkMean", QStringLiteral("平均线"), false);
    // Too long for one line of the narrow column: it wraps.
    m_chkDif = MakeButton<QCheckBox>(m_picBar, "chkDif", QStringLiteral("标准偏\n差线"), false);
    m_chkDif->setAccessibleName(QStringLiteral("标准偏差线"));
    m_chkBack = MakeButton<QCheckBox>(m_picBar, "chkBack", QStringLiteral("趋势线"), false);
    auto* column = new QVBoxLayout(m_picBar);
    column->setContentsMargins(4, 8, 2, 8);
    for (QAbstractButton* option : std::initializer_list<QAbstractButton*>{
             m_optKind[0], m_optKind[1], m_chkAll, m_chkLineX, m_chkLineY, m_chkMean, m_chkDif, m_chkBack})
        column->addWidget(option);
    column->addStretch();

    for (QRadioButton* option : m_optKind)
        connect(option, &QRadioButton::clicked, this, &QvxChart::OptionClick);
    for (QCheckBox* box : {m_chkAll, m_chkLineX, m_chkLineY, m_chkMean, m_chkDif, m_chkBack})
        connect(box, &QCheckBox::clicked, this, &QvxChart::OptionClick);

    PlaceBar();
    resize(kDesignWidth, kDesignHeight);
}

void QvxChart::PlaceBar()
{
    // The same width whichever options the chart kind shows.
    int widest = 0;
    for (const QAbstractButton* option : m_picBar->findChildren<QAbstractButton*>())
        widest = std::max(widest, option->sizeHint().width());
    const QMargins margins = m_picBar->layout()->contentsMargins();
    const int bar = std::max(ChartGeometry::kBarWidth, widest + margins.left() + margins.right());
    m_picBar->setGeometry(width() - bar, 0, bar, height());
}

ChartOptions QvxChart::Options() const
{
    ChartOptions o;
    o.Kind = m_optKind[1]->isChecked() ? 1 : 0;
    o.All = m_chkAll->isChecked();
    o.LineX = m_chkLineX->isChecked();
    o.LineY = m_chkLineY->isChecked();
    o.Mean = m_chkMean->isChecked();
    o.Dif = m_chkDif->isChecked();
    o.Back = m_chkBack->isChecked();
    return o;
}

int16_t QvxChart::StatData(const ChartData& sData, int16_t sDataKind, int16_t sShowKind, const QString& sMsg,
                           int16_t sAll, int32_t sColor, int16_t sFirstDataLen)
{
    ChartAccept accepted;
    {
        BusyGuard busy(m_isBusy);
        accepted = m_model.StatData(sData, sDataKind, sShowKind, sMsg, sAll, sColor, sFirstDataLen);
        if (!accepted.Accepted)
            return accepted.ShowKind;
        // Set from code, these controls run their click handlers, which the
        // busy flag keeps from drawing half-set data.
        if (accepted.All) {
            m_chkAll->setChecked(*accepted.All);
            OptionClick();
        }
        if (accepted.Select) {
            m_optKind[static_cast<size_t>(*accepted.Select)]->setChecked(true);
            OptionClick();
        }
    }
    RefreshChart();
    return accepted.ShowKind;
}

void QvxChart::OptionClick()
{
    if (m_isBusy)
        return;
    RefreshChart();
}

void QvxChart::RefreshChart()
{
    const ChartOptions options = Options();
    const bool trend = options.Kind == 0;
    m_chkMean->setVisible(trend);
    m_chkDif->setVisible(trend);
    m_chkBack->setVisible(trend);
    const ChartDrawing drawing =
        trend ? m_model.DrawTrend(options, Geometry()) : m_model.DrawCount(options, Geometry());
    if (!drawing.Drawn)
        return;
    // One repaint at the end, with every setting in place.
    m_chart->setUpdatesEnabled(false);
    ApplyLayout(drawing.Layout);
    m_txtMsg->setText(drawing.Title);
    m_txtMsg->setCursorPosition(0);
    m_chart->setAccessibleName(drawing.Title.isEmpty() ? QStringLiteral("图表") : drawing.Title);
    m_chart->SetPicture(drawing.Picture);
    m_chart->setUpdatesEnabled(true);
    m_chart->show();
}

ChartGeometry QvxChart::Geometry() const
{
    ChartGeometry g;
    g.Width = width();
    g.Height = height();
    g.BarWidth = m_picBar->width();
    g.ScrollHeight = m_hsl->height();
    g.TitleHeight = m_txtMsg->height();
    return g;
}

void QvxChart::ApplyLayout(const ChartLayout& layout)
{
    m_chart->resize(layout.ChartWidth, layout.ChartHeight);
    if (!layout.KeepScrollBar) {
        if (layout.ScrollTop)
            m_hsl->move(0, *layout.ScrollTop);
        if (layout.ScrollWidth)
            m_hsl->resize(*layout.ScrollWidth, m_hsl->height());
        if (layout.Scroll) {
            m_hsl->setRange(0, layout.Scroll->Maximum); // pulls the value down to a smaller maximum
            m_hsl->setSingleStep(layout.Scroll->SmallChange);
            m_hsl->setPageStep(layout.Scroll->LargeChange);
            Hsl_Change(m_hsl->value());
            m_hsl->show();
        } else {
            m_hsl->hide();
            m_chart->move(0, 0);
        }
    }
    m_txtMsg->move(ChartGeometry::kTitleLeft, layout.TitleTop);
    if (layout.TitleWidth)
        m_txtMsg->resize(*layout.TitleWidth, m_txtMsg->height());
}

void QvxChart::Hsl_Change(int value)
{
    m_chart->move(-value, 0);
}

void QvxChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceBar();
    ApplyLayout(m_model.Resize(Geometry(), m_chkAll->isChecked()));
}

} // namespace kelton
