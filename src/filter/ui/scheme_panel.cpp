#include "filter/ui/scheme_panel.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QDockWidget>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>

#include "data/app_state.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

constexpr int32_t kHeaderHeight = 255;
constexpr int32_t kSplitterWidth = 40;
constexpr int32_t kRowHeight = 180;
constexpr int32_t kRowGap = 120;
constexpr int32_t kBottomGap = 300;
const char* const kLeftProperty = "twipsLeft";
const char* const kTopProperty = "twipsTop";

QFont RowFont(bool underline)
{
    QFont font(u"新宋体"_s);
    font.setPointSize(9);
    font.setUnderline(underline);
    return font;
}

} // namespace

SchemePanel::SchemePanel(const AppState& app, OtherFilterPageOpener openOtherFilterPage, QWidget* parent)
    : QWidget(parent), m_app(app), m_openOtherFilterPage(std::move(openOtherFilterPage))
{
    setObjectName(u"picWindow"_s);
    setAccessibleName(u"过滤方案验证结果"_s);

    m_vail = new QWidget(this);
    m_vail->setObjectName(u"picVail"_s);

    m_box = new QWidget(this);
    m_box->setObjectName(u"picWindowBox"_s);
    m_box->setAutoFillBackground(true);
    QPalette boxColours = m_box->palette();
    boxColours.setColor(QPalette::Window, boxColours.color(QPalette::Active, QPalette::Highlight));
    m_box->setPalette(boxColours);
    m_title = new QLabel(u"过滤方案验证结果"_s, m_box);
    m_title->setObjectName(u"LblWindowBox"_s);
    QPalette titleColours = m_title->palette();
    titleColours.setColor(QPalette::WindowText,
                          titleColours.color(QPalette::Active, QPalette::HighlightedText));
    m_title->setPalette(titleColours);
    m_close = new QPushButton(u"╳"_s, m_box);
    m_close->setObjectName(u"CmdWindowClose"_s);
    m_close->setAccessibleName(u"关闭"_s);
    QFont closeFont(u"宋体"_s);
    closeFont.setPointSize(9);
    closeFont.setBold(true);
    m_close->setFont(closeFont);
    connect(m_close, &QPushButton::clicked, this, &SchemePanel::CmdWindowClose_Click);

    m_vsl = new QScrollBar(Qt::Vertical, this);
    m_vsl->setObjectName(u"VslWindow"_s);
    m_vsl->setFocusPolicy(Qt::NoFocus); // the bar never keeps the focus
    m_vsl->setTracking(false);          // the rows follow a finished move
    m_vsl->hide();
    connect(m_vsl, &QScrollBar::valueChanged, this, [this] { VslWindow_Change(); });

    m_size = new QWidget(this);
    m_size->setObjectName(u"picWindowSize"_s);
    m_size->setCursor(Qt::SizeHorCursor);
    m_size->setMouseTracking(false);
    m_size->installEventFilter(this);

    StatLabel(0)->hide();
    FilterLabel(0)->hide();
    SetWidthTwips(m_widthTwips);
    hide();
}

int32_t SchemePanel::Twips(int pixels) const
{
    return static_cast<int32_t>(std::lround(ScreenPixelsToTwips(pixels, this)));
}

int SchemePanel::Pixels(int32_t twips) const
{
    return TwipsToScreenPixels(twips, this);
}

int32_t SchemePanel::HeaderTwips() const
{
    // As designed, or as high as its title needs.
    const int32_t title = static_cast<int32_t>(std::ceil(ScreenPixelsToTwips(m_title->sizeHint().height(), this)));
    return std::max(kHeaderHeight, title + 2 * 30);
}

QLabel* SchemePanel::StatLabel(int index)
{
    while (static_cast<int>(m_lblStat.size()) <= index) {
        auto* label = new QLabel(m_vail);
        label->setObjectName(u"LblStat"_s);
        label->setFont(RowFont(false));
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, QColor(64, 0, 64));
        label->setPalette(colours);
        m_lblStat.push_back(label);
    }
    return m_lblStat[static_cast<size_t>(index)];
}

QLabel* SchemePanel::FilterLabel(int index)
{
    while (static_cast<int>(m_lblFilter.size()) <= index) {
        auto* label = new QLabel(m_vail);
        label->setObjectName(u"LblFilter"_s);
        label->setFont(RowFont(true));
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
        label->setPalette(colours);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        m_lblFilter.push_back(label);
    }
    return m_lblFilter[static_cast<size_t>(index)];
}

void SchemePanel::SetWidthTwips(int32_t width)
{
    m_widthTwips = width;
    setFixedWidth(Pixels(width));
}

QPoint SchemePanel::LabelTwips(const QLabel* label) const
{
    return {label->property(kLeftProperty).toInt(), label->property(kTopProperty).toInt()};
}

void SchemePanel::Fill(const PanelContent& content)
{
    int32_t y = 120;
    for (const PanelRow& row : content.Rows) {
        QLabel* label = row.Header ? StatLabel(row.Index) : FilterLabel(row.Index);
        const int32_t left = row.Header ? 120 : 200;
        const int32_t top = row.Advance == RowAdvance::None ? 120 : y;
        label->setText(row.Text);
        label->setProperty("tag", row.Tag);
        label->setToolTip(row.Tip);
        label->adjustSize(); // the rows size themselves to their text
        label->move(Pixels(left), Pixels(top));
        label->setProperty(kLeftProperty, left);
        label->setProperty(kTopProperty, top);
        label->show();
        if (row.Advance == RowAdvance::TextHeight)
            y += Twips(label->height()) + kRowGap;
        else if (row.Advance == RowAdvance::Placed)
            y += kRowHeight + kRowGap;
    }
    m_vailHeight = y + kBottomGap;
    m_title->setText(content.Title);
    m_title->adjustSize();

    const auto headers = static_cast<size_t>(std::max<int16_t>(content.HeadersUsed, 1));
    while (m_lblStat.size() > headers) {
        delete m_lblStat.back();
        m_lblStat.pop_back();
    }
    const auto items = static_cast<size_t>(std::max<int16_t>(content.ItemsUsed, 0));
    while (m_lblFilter.size() > std::max<size_t>(items, 1)) {
        delete m_lblFilter.back();
        m_lblFilter.pop_back();
    }
    if (items == 0)
        m_lblFilter[0]->hide();

    if (content.Show) {
        show();
        picWindow_Resize();
    } else {
        hide();
    }
}

void SchemePanel::picWindow_Resize()
{
    const int32_t w = m_widthTwips;
    const int32_t h = Twips(height());
    const int32_t scrollWidth = Twips(m_vsl->sizeHint().width());
    const SidePanelLayout layout =
        LayOutSidePanel(w, h, HeaderTwips(), m_vailHeight, scrollWidth, kSplitterWidth);
    m_vsl->setGeometry(Pixels(layout.ScrollLeft), Pixels(HeaderTwips()), Pixels(scrollWidth),
                       Pixels(layout.ScrollHeight));
    m_vail->resize(Pixels(layout.ContentWidth), Pixels(m_vailHeight));
    if (layout.ScrollVisible) {
        m_scrollUnit = layout.ScrollUnit;
        {
            const QSignalBlocker quiet(m_vsl);
            m_vsl->setMaximum(layout.ScrollMax);
            m_vsl->setPageStep(layout.LargeChange);
        }
        m_vsl->show();
        VslWindow_Change();
    } else {
        m_vsl->hide();
        m_vail->move(0, Pixels(layout.ContentTop));
    }
    m_size->setGeometry(Pixels(layout.SplitterLeft), 0, Pixels(kSplitterWidth), height());
    const int32_t header = HeaderTwips();
    m_box->setGeometry(0, 0, Pixels(w), Pixels(header));
    // The close button at the header's right end.
    const int32_t boxWidth = w;
    m_close->setGeometry(Pixels(boxWidth > header ? boxWidth - header : 0), 0, Pixels(header), Pixels(header));
    m_title->move(Pixels(120), Pixels(30));
    m_size->raise();
}

void SchemePanel::VslWindow_Change()
{
    m_vail->move(0, Pixels(HeaderTwips() - m_vsl->value() * m_scrollUnit));
}

void SchemePanel::CmdWindowClose_Click()
{
    hide();
}

void SchemePanel::LblFilter_Click(int index)
{
    if (index < 0 || index >= LblFilterCount())
        return;
    const RowLink link = ParseRowTag(m_lblFilter[static_cast<size_t>(index)]->property("tag").toString(),
                                     AppState::InferCount);
    switch (link.Target) {
    case RowLink::View:
        if (IInferForm* form = m_app.InferForms[static_cast<size_t>(link.ViewIndex)])
            form->ShowLay(link.ViewName);
        break;
    case RowLink::Match:
    case RowLink::History:
    case RowLink::Gather:
        if (m_openOtherFilterPage) {
            if (link.Target == RowLink::Match)
                m_openOtherFilterPage(0);
            else if (link.Target == RowLink::History)
                m_openOtherFilterPage(1);
            else
                m_openOtherFilterPage(2);
        }
        break;
    case RowLink::Nothing:
        break;
    }
}

void SchemePanel::picWindowSize_MouseMove(Qt::MouseButtons buttons, int32_t xTwips)
{
    const QWidget* main = window();
    const int32_t mainWidth = main && main != this ? Twips(main->width()) : 0;
    const int32_t width = DraggedPanelWidth(m_widthTwips, xTwips, mainWidth, buttons == Qt::LeftButton);
    if (width != m_widthTwips) {
        SetWidthTwips(width);
        picWindow_Resize();
    }
}

bool SchemePanel::event(QEvent* event)
{
    // In a dock the dock follows the panel.
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        if (auto* dock = qobject_cast<QDockWidget*>(parentWidget()))
            dock->setVisible(event->type() == QEvent::ShowToParent);
    }
    return QWidget::event(event);
}

void SchemePanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    picWindow_Resize();
}

bool SchemePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_size && event->type() == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        picWindowSize_MouseMove(mouse->buttons(), Twips(static_cast<int>(mouse->position().x())));
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (size_t i = 0; i < m_lblFilter.size(); ++i) {
            if (watched == m_lblFilter[i] && mouse->button() == Qt::LeftButton) {
                LblFilter_Click(static_cast<int>(i));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kelton
