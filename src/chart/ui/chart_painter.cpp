#include "chart/ui/chart_painter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <climits>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

namespace kelton {

namespace {

constexpr double kMargin = 6;
constexpr double kLabelGap = 3;
constexpr double kLegendSample = 24;

// The chart's own colours for series that bring none.
constexpr std::array<ChartRgb, 6> kPalette{{
    {0, 160, 0}, {0, 0, 255}, {255, 160, 0}, {160, 0, 160}, {0, 160, 160}, {128, 128, 128},
}};

QColor ToColor(const ChartRgb& rgb)
{
    return QColor(rgb.R, rgb.G, rgb.B);
}

QString NumberText(double v)
{
    return QString::number(v, 'g', 6);
}

int LabelEvery(const ChartPicture& picture)
{
    return std::max(picture.LabelStep, 1);
}

bool HasCaption(const ChartPicture& picture)
{
    return !picture.Caption.trimmed().isEmpty();
}

// The legend: one entry per series, its sample line and its name; entries
// run down a column as far as the plot is high, then on in the next column
// to the right. A name wider than a quarter of the chart (at least 80
// pixels) is cut short with an ellipsis.
void LayOutLegend(const ChartPicture& picture, const QFontMetricsF& fm, QSize size, double top, double bottom,
                  ChartFrame& f)
{
    const QStringList& names = picture.Data->SeriesNames;
    const auto count = static_cast<int>(names.size());
    if (count == 0)
        return;
    const double line = fm.height();
    const int perColumn = std::max(1, static_cast<int>((bottom - top) / line));
    const int columns = (count + perColumn - 1) / perColumn;
    const double cap = std::max(80.0, size.width() / 4.0);
    double nameWidth = 0;
    for (const QString& name : names)
        nameWidth = std::max(nameWidth, std::min(cap, fm.horizontalAdvance(name)));
    const double column = kLegendSample + 4 + nameWidth;
    const double w = columns * column + (columns - 1) * kMargin;
    const double h = std::min(count, perColumn) * line;
    f.Legend = QRectF(size.width() - kMargin - w, bottom - h, w, h);
    for (int s = 0; s < count; ++s) {
        const double left = f.Legend.left() + (s / perColumn) * (column + kMargin) + kLegendSample + 4;
        f.LegendEntries.emplace_back(left, f.Legend.top() + (s % perColumn) * line, nameWidth, line);
        f.LegendNames << fm.elidedText(names[s], Qt::ElideRight, nameWidth);
    }
}

} // namespace

double ChartFrame::Y(double value) const
{
    const double span = Maximum - Minimum;
    if (span <= 0)
        return Plot.bottom();
    return Plot.bottom() - (value - Minimum) / span * Plot.height();
}

QColor SeriesColor(const ChartPicture& picture, int series)
{
    const size_t i = static_cast<size_t>(series - 1);
    if (i < picture.Styles.size() && picture.Styles[i].Color)
        return ToColor(*picture.Styles[i].Color);
    return ToColor(kPalette[(i + kPalette.size() - 1) % kPalette.size()]);
}

ChartFrame LayOutChart(const ChartPicture& picture, QSize size, const ChartPaintStyle& style)
{
    ChartFrame f;
    if (picture.Kind == ChartKind::Empty || !picture.Data)
        return f;
    const QFontMetricsF fm(style.Font);
    const double tick = ChartUnitsToPixels(picture.TickLength, style.Dpi);
    f.Categories = picture.Data->Categories();
    f.Minimum = picture.Scale.Minimum;
    f.Maximum = picture.Scale.Maximum;

    double top = kMargin + fm.height() / 2; // room for the top value label
    if (HasCaption(picture)) {
        f.Caption = QRectF(kMargin, kMargin, size.width() - 2 * kMargin, fm.height());
        top = f.Caption.bottom() + kLabelGap + fm.height() / 2;
    }
    double labels = 0;
    for (int i = 0; i <= picture.Scale.Divisions; ++i) {
        const double v = picture.Scale.Minimum +
                         (picture.Scale.Divisions > 0
                              ? double(picture.Scale.Maximum - picture.Scale.Minimum) * i / picture.Scale.Divisions
                              : 0);
        labels = std::max(labels, fm.horizontalAdvance(NumberText(v)));
    }
    const double left = kMargin + labels + kLabelGap;
    const double bottom = size.height() - style.BottomReserve - kLabelGap - fm.height() - tick;
    double right = size.width() - kMargin;
    if (picture.Legend) {
        LayOutLegend(picture, fm, size, top, bottom, f);
        if (!f.Legend.isEmpty())
            right = f.Legend.left() - 2 * kMargin;
    }
    f.Plot = QRectF(QPointF(left, top), QPointF(std::max(right, left + 1), std::max(bottom, top + 1)));
    return f;
}

namespace {

class Painter {
public:
    Painter(QPainter& p, QSize size, const ChartPicture& pic, const ChartPaintStyle& style)
        : m_p(p), m_size(size), m_pic(pic), m_style(style), m_fm(style.Font),
          m_frame(LayOutChart(pic, size, style)), m_tick(ChartUnitsToPixels(pic.TickLength, style.Dpi))
    {
    }

    void Paint()
    {
        m_p.save();
        m_p.setFont(m_style.Font);
        m_p.fillRect(QRect(QPoint(0, 0), m_size), Qt::white);
        if (m_pic.Kind != ChartKind::Empty && m_pic.Data && m_frame.Categories > 0) {
            Grid();
            if (m_pic.Kind == ChartKind::Bar)
                Bars();
            else
                Lines();
            StatLines();
            Axes();
            PointLabels();
            Legend();
            Caption();
        }
        m_p.restore();
    }

private:
    const ChartCache& Data() const { return *m_pic.Data; }
    const QRectF& Plot() const { return m_frame.Plot; }

    double Division(int i) const
    {
        const ValueScale& s = m_pic.Scale;
        if (s.Divisions <= 0)
            return s.Minimum;
        return s.Minimum + double(s.Maximum - s.Minimum) * i / s.Divisions;
    }

    void Grid()
    {
        QPen pen(ToColor(m_pic.GridColor), 1, Qt::DotLine);
        pen.setCosmetic(true);
        m_p.setPen(pen);
        m_p.setRenderHint(QPainter::Antialiasing, false);
        if (m_pic.GridY) {
            for (int i = 1; i <= m_pic.Scale.Divisions; ++i) {
                const double y = std::round(m_frame.Y(Division(i)));
                m_p.drawLine(QPointF(Plot().left(), y), QPointF(Plot().right(), y));
            }
        }
        if (m_pic.GridX) {
            for (int c = 1; c <= m_frame.Categories; c += LabelEvery(m_pic)) {
                const double x = std::round(m_frame.X(c));
                m_p.drawLine(QPointF(x, Plot().top()), QPointF(x, Plot().bottom()));
            }
        }
    }

    void Axes()
    {
        m_p.setRenderHint(QPainter::Antialiasing, false);
        m_p.setPen(QPen(Qt::black, 1));
        const double left = std::round(Plot().left());
        const double bottom = std::round(Plot().bottom());
        m_p.drawLine(QPointF(left, std::round(Plot().top())), QPointF(left, bottom));
        m_p.drawLine(QPointF(left, bottom), QPointF(std::round(Plot().right()), bottom));

        // Value axis: ticks point into the plot, labels to their left.
        for (int i = 0; i <= m_pic.Scale.Divisions; ++i) {
            const double y = std::round(m_frame.Y(Division(i)));
            m_p.drawLine(QPointF(left, y), QPointF(left + m_tick, y));
            const QString text = NumberText(Division(i));
            const QRectF box(0, y - m_fm.height() / 2, left - kLabelGap, m_fm.height());
            m_p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
        }
        // Category axis: a tick and a label, centred on it, every k categories.
        // A label that would run into the one before it is left out (a
        // narrow chart); its tick stays.
        const double labelTop = bottom + m_tick + kLabelGap;
        double lastRight = -1e9;
        for (int c = 1; c <= m_frame.Categories; c += LabelEvery(m_pic)) {
            const double x = std::round(m_frame.X(c));
            m_p.drawLine(QPointF(x, bottom), QPointF(x, bottom + m_tick));
            const QString& text = Data().Labels[c - 1];
            const double w = m_fm.horizontalAdvance(text);
            if (x - w / 2 < lastRight + m_fm.horizontalAdvance(u' '))
                continue;
            m_p.drawText(QRectF(x - w / 2 - 1, labelTop, w + 2, m_fm.height()), Qt::AlignCenter, text);
            lastRight = x + w / 2;
        }
    }

    void Lines()
    {
        m_p.setRenderHint(QPainter::Antialiasing, true);
        m_p.setClipRect(Plot().adjusted(-8, -8, 8, 8));
        for (int s = 1; s <= Data().Series; ++s) {
            const ChartSeriesStyle style = StyleOf(s);
            const QColor color = SeriesColor(m_pic, s);
            QPainterPath path;
            bool open = false;
            for (int c = 1; c <= m_frame.Categories; ++c) {
                const double v = Data().Value(c, s);
                if (std::isnan(v)) {
                    open = false; // a gap
                    continue;
                }
                const QPointF pt(m_frame.X(c), m_frame.Y(v));
                if (open)
                    path.lineTo(pt);
                else
                    path.moveTo(pt);
                open = true;
            }
            m_p.setPen(QPen(color, style.LineWidth));
            m_p.setBrush(Qt::NoBrush);
            m_p.drawPath(path);
            if (style.Markers)
                Markers(s, style, color);
        }
        m_p.setClipping(false);
    }

    // The markers of series s. On screen the marker is drawn once and
    // stamped at each point; other devices (a printer) get each marker as a
    // shape.
    void Markers(int s, const ChartSeriesStyle& style, const QColor& color)
    {
        const double r = ChartUnitsToPixels(style.MarkerSize, m_style.Dpi) / 2;
        const QPen pen = style.MarkerOutline > 0 ? QPen(color, style.MarkerOutline) : QPen(Qt::NoPen);
        const QColor fill = ToColor(style.MarkerFill);
        const bool stamped = m_p.paintEngine() && m_p.paintEngine()->type() == QPaintEngine::Raster &&
                             m_p.transform().type() <= QTransform::TxTranslate;
        QImage stamp;
        double half = 0;
        if (stamped) {
            half = std::ceil(r + std::max(0.0, style.MarkerOutline / 2.0)) + 1;
            const qreal ratio = m_p.device()->devicePixelRatioF();
            const int side = static_cast<int>(std::ceil(2 * half * ratio));
            stamp = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
            stamp.setDevicePixelRatio(ratio);
            stamp.fill(Qt::transparent);
            QPainter p(&stamp);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(pen);
            p.setBrush(fill);
            p.drawEllipse(QPointF(half, half), r, r);
        } else {
            m_p.setPen(pen);
            m_p.setBrush(fill);
        }
        for (const QPointF& at : MarkedPoints(m_pic, m_frame, s)) {
            if (stamped)
                m_p.drawImage(QPointF(at.x() - half, at.y() - half), stamp);
            else
                m_p.drawEllipse(at, r, r);
        }
    }

    // A group of bars per category, standing on 0 or on the nearer end of the axis.
    void Bars()
    {
        m_p.setRenderHint(QPainter::Antialiasing, false);
        const int n = Data().Series;
        const double group = m_frame.CategoryWidth() * 0.7;
        const double bar = group / n;
        const double base =
            m_frame.Y(std::clamp(0.0, double(m_pic.Scale.Minimum), double(m_pic.Scale.Maximum)));
        for (int s = 1; s <= n; ++s) {
            const QColor color = SeriesColor(m_pic, s);
            m_p.setBrush(color);
            m_p.setPen(bar >= 4 ? QPen(color.darker(160), 1) : QPen(Qt::NoPen));
            for (int c = 1; c <= m_frame.Categories; ++c) {
                const double v = Data().Value(c, s);
                if (std::isnan(v))
                    continue;
                const double x = m_frame.X(c) - group / 2 + (s - 1) * bar;
                const double y = m_frame.Y(std::clamp(v, double(m_pic.Scale.Minimum), double(m_pic.Scale.Maximum)));
                m_p.drawRect(QRectF(QPointF(x, std::min(y, base)), QPointF(x + bar, std::max(y, base))).toRect());
            }
        }
    }

    // Each value above its point or bar, where the category is wide enough.
    void PointLabels()
    {
        if (!m_pic.PointLabels)
            return;
        m_p.setRenderHint(QPainter::Antialiasing, false);
        const int n = Data().Series;
        const double width = m_pic.Kind == ChartKind::Bar ? m_frame.CategoryWidth() * 0.7 / n : m_frame.CategoryWidth();
        const double lift = m_pic.Kind == ChartKind::Line && !m_pic.Styles.empty() && m_pic.Styles[0].Markers
                                ? ChartUnitsToPixels(m_pic.Styles[0].MarkerSize, m_style.Dpi) / 2
                                : 0;
        m_p.setPen(Qt::black);
        // A long series repeats few values: each value's text is made and
        // measured once.
        struct Label {
            QString Text;
            double Width = 0;
        };
        std::unordered_map<uint64_t, Label> labels; // by the value's bits: -0 writes "-0"
        for (int s = 1; s <= n; ++s) {
            for (int c = 1; c <= m_frame.Categories; ++c) {
                const double v = Data().Value(c, s);
                if (std::isnan(v))
                    continue;
                auto [at, made] = labels.try_emplace(std::bit_cast<uint64_t>(v));
                if (made) {
                    at->second.Text = NumberText(v);
                    at->second.Width = m_fm.horizontalAdvance(at->second.Text);
                }
                const QString& text = at->second.Text;
                const double w = at->second.Width;
                if (w > width)
                    continue;
                double x = m_frame.X(c);
                if (m_pic.Kind == ChartKind::Bar)
                    x += -m_frame.CategoryWidth() * 0.35 + (s - 0.5) * width;
                const double y = m_frame.Y(std::clamp(v, double(m_pic.Scale.Minimum), double(m_pic.Scale.Maximum)));
                const double top = std::max(y - lift - 1 - m_fm.height(), Plot().top() - m_fm.height());
                m_p.drawText(QRectF(x - w / 2 - 1, top, w + 2, m_fm.height()), Qt::AlignCenter, text);
            }
        }
    }

    void StatLines()
    {
        if (m_pic.Kind != ChartKind::Line || m_pic.Stats.Count == 0)
            return;
        const SeriesStats& st = m_pic.Stats;
        const double width = std::max(1.0, ChartUnitsToPixels(m_pic.StatWidth, m_style.Dpi));
        const QColor color = ToColor(m_pic.StatColor);
        m_p.setRenderHint(QPainter::Antialiasing, true);
        m_p.setClipRect(Plot());
        m_p.setBrush(Qt::NoBrush);
        const double x0 = m_frame.X(1);
        const double x1 = m_frame.X(m_frame.Categories);
        auto level = [&](double value, Qt::PenStyle style) {
            m_p.setPen(QPen(color, width, style, Qt::FlatCap));
            m_p.drawLine(QPointF(x0, m_frame.Y(value)), QPointF(x1, m_frame.Y(value)));
        };
        if (m_pic.MeanLine)
            level(st.Mean, Qt::SolidLine);
        if (m_pic.StdDevLines) {
            level(st.Mean + st.StdDev, Qt::DotLine);
            level(st.Mean - st.StdDev, Qt::DotLine);
        }
        if (m_pic.RegressionLine) {
            m_p.setPen(QPen(color, width, Qt::DashDotDotLine, Qt::FlatCap));
            m_p.drawLine(QPointF(x0, m_frame.Y(st.At(1))),
                         QPointF(x1, m_frame.Y(st.At(m_frame.Categories))));
        }
        m_p.setClipping(false);
    }

    void Legend()
    {
        if (!m_pic.Legend || m_frame.Legend.isEmpty())
            return;
        for (int s = 1; s <= Data().Series && s <= static_cast<int>(m_frame.LegendEntries.size()); ++s) {
            const QRectF& name = m_frame.LegendEntries[static_cast<size_t>(s - 1)];
            const double y = name.center().y();
            const double sample = name.left() - 4 - kLegendSample;
            const QColor color = SeriesColor(m_pic, s);
            const ChartSeriesStyle style = StyleOf(s);
            m_p.setRenderHint(QPainter::Antialiasing, true);
            m_p.setPen(QPen(color, style.LineWidth));
            m_p.drawLine(QPointF(sample, y), QPointF(sample + kLegendSample, y));
            if (style.Markers) {
                const double r = ChartUnitsToPixels(style.MarkerSize, m_style.Dpi) / 2;
                m_p.setPen(style.MarkerOutline > 0 ? QPen(color, style.MarkerOutline) : QPen(Qt::NoPen));
                m_p.setBrush(ToColor(style.MarkerFill));
                m_p.drawEllipse(QPointF(sample + kLegendSample / 2, y), r, r);
            }
            m_p.setRenderHint(QPainter::Antialiasing, false);
            m_p.setPen(Qt::black);
            m_p.drawText(name, Qt::AlignLeft | Qt::AlignVCenter, m_frame.LegendNames[s - 1]);
        }
    }

    void Caption()
    {
        if (!HasCaption(m_pic))
            return;
        m_p.setPen(ToColor(m_pic.CaptionColor));
        m_p.drawText(m_frame.Caption, Qt::AlignCenter, m_pic.Caption);
    }

    ChartSeriesStyle StyleOf(int series) const
    {
        const size_t i = static_cast<size_t>(series - 1);
        return i < m_pic.Styles.size() ? m_pic.Styles[i] : ChartSeriesStyle{};
    }

    QPainter& m_p;
    QSize m_size;
    const ChartPicture& m_pic;
    const ChartPaintStyle& m_style;
    QFontMetricsF m_fm;
    ChartFrame m_frame;
    double m_tick;
};

} // namespace

std::vector<QPointF> MarkedPoints(const ChartPicture& picture, const ChartFrame& frame, int series)
{
    std::vector<QPointF> points;
    if (!picture.Data)
        return points;
    int column = INT_MIN;
    std::vector<int> rowsMarked; // the pixel rows marked in this column
    for (int c = 1; c <= frame.Categories; ++c) {
        const double v = picture.Data->Value(c, series);
        if (std::isnan(v))
            continue;
        const QPointF at(frame.X(c), frame.Y(v));
        const int x = static_cast<int>(std::lround(at.x()));
        const int y = static_cast<int>(std::lround(at.y()));
        if (x != column) {
            column = x;
            rowsMarked.clear();
        } else if (std::find(rowsMarked.begin(), rowsMarked.end(), y) != rowsMarked.end()) {
            continue;
        }
        rowsMarked.push_back(y);
        points.push_back(at);
    }
    return points;
}

void PaintChart(QPainter& painter, QSize size, const ChartPicture& picture, const ChartPaintStyle& style)
{
    Painter(painter, size, picture, style).Paint();
}

QImage RenderChart(const ChartPicture& picture, QSize size, const ChartPaintStyle& style)
{
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(style.Dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintChart(painter, size, picture, style);
    return image;
}

} // namespace kelton
