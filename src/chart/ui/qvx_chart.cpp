#include "chart/ui/qvx_chart.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include <QAbstractButton>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextLayout>
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

    // The title wraps: a title that lists the codes of a pattern or pair
    // shows every code; the box grows to show it, up to half the control,
    // and scrolls past that.
    m_txtMsg = new QPlainTextEdit(this);
    m_txtMsg->setObjectName(QStringLiteral("TxtMsg"));
    m_txtMsg->setAccessibleName(QStringLiteral("图表标题"));
    m_txtMsg->setGeometry(ChartGeometry::kTitleLeft, 256, 425, ChartGeometry::kTitleHeight);
    m_txtMsg->setReadOnly(true);
    m_txtMsg->setFrameShape(QFrame::NoFrame);
    m_txtMsg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_txtMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_txtMsg->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
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

int16_t QvxChart::StatData(ChartData sData, int16_t sDataKind, int16_t sShowKind, const QString& sMsg,
                           int16_t sAll, int32_t sColor, int16_t sFirstDataLen)
{
    ChartAccept accepted;
    {
        BusyGuard busy(m_isBusy);
        accepted = m_model.StatData(std::move(sData), sDataKind, sShowKind, sMsg, sAll, sColor, sFirstDataLen);
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
    m_txtMsg->setPlainText(drawing.Title);
    FitTitle();
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

int QvxChart::TitleHeightFor(int width) const
{
    // The lines the box wraps the title into, as it lays them out.
    const QString title = m_txtMsg->toPlainText();
    const double margin = m_txtMsg->document()->documentMargin();
    const int inner = std::max(1, width - static_cast<int>(2 * margin) -
                                      m_txtMsg->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_txtMsg));
    QTextLayout layout(title, m_txtMsg->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    // Lines are as high as their glyphs need, those of a fallback font
    // (the Chinese ones) included.
    layout.beginLayout();
    double lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(inner);
        lines += line.height();
    }
    layout.endLayout();
    const int needed = static_cast<int>(std::ceil(lines + 2 * margin)) + 2;
    return std::clamp(needed, ChartGeometry::kTitleHeight, std::max(ChartGeometry::kTitleHeight, height() / 2));
}

void QvxChart::FitTitle()
{
    const int titleHeight = TitleHeightFor(m_txtMsg->width());
    if (titleHeight == m_txtMsg->height())
        return;
    m_txtMsg->resize(m_txtMsg->width(), titleHeight);
    m_chart->SetBottomReserve(titleHeight);
    // The chart leaves room for the title; the box stands on its lower edge.
    ApplyLayout(m_model.Resize(Geometry(), m_chkAll->isChecked()));
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
    FitTitle();
}

} // namespace kelton
