#include "chart/ui/chart_painter.h"

#include <cmath>
#include <memory>
#include <set>
#include <vector>

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <gtest/gtest.h>

#include "chart/chart_model.h"
#include "chart/series_table.h"
#include "shell/ui/qt_app_env.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QSize kSize(400, 300);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kMarker(0, 50, 200);
const QColor kGrid(150, 150, 150);
const QColor kStat(0, 0, 255);

ChartPaintStyle Style()
{
    ChartPaintStyle style;
    style.Font.setPixelSize(11);
    style.Dpi = 96;
    return style;
}


// The picture the control would draw for a series with these options.
ChartPicture Picture(const std::vector<QVariant>& values, ChartOptions options, int16_t dataKind = 1)
{
    ChartModel model;
    model.StatData(test::SeriesTable(values), dataKind, options.Kind);
    ChartGeometry g;
    g.Width = kSize.width() + g.BarWidth;
    g.Height = kSize.height();
    return model.Draw(options, g).Picture;
}

ChartOptions Options(int16_t kind, bool grid)
{
    ChartOptions o;
    o.Kind = kind;
    o.LineX = grid;
    o.LineY = grid;
    return o;
}

struct Rendered {
    ChartPicture Pic;
    QImage Image;
    ChartFrame Frame;

    explicit Rendered(ChartPicture pic)
        : Pic(std::move(pic)), Image(RenderChart(Pic, kSize, Style())), Frame(LayOutChart(Pic, kSize, Style()))
    {
    }
    QColor At(double x, double y) const
    {
        return Image.pixelColor(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    }
    // Antialiased lines may fall between two rows: whether a pixel at or
    // next to (x, y) is mostly red.
    bool RedNear(double x, double y) const
    {
        for (int dy = -1; dy <= 1; ++dy) {
            const QColor c = At(x, y + dy);
            if (c.red() > 200 && c.green() == c.blue() && c.green() < 140)
                return true;
        }
        return false;
    }
    int CountOnRow(int y, QColor color, int from, int to) const
    {
        int n = 0;
        for (int x = from; x < to; ++x)
            n += Image.pixelColor(x, y) == color;
        return n;
    }
};

TEST(ChartPainterTest, LinesJoinNumericPointsAndLeaveGapsForTheRest)
{
    struct Case {
        const char* name;
        std::vector<QVariant> values;
        int category; // 1 and M are the empty end categories
        QColor want;
    };
    const Case cases[] = {
        {"a marker on a point", {3, 3, 3}, 3, kMarker},
        {"text is a gap", {3, QStringLiteral("缺"), 3}, 3, kWhite},
        {"an empty cell is a gap", {3, QVariant(), 3}, 3, kWhite},
        {"no line before the first point", {3, 3, 3}, 1, kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rendered r(Picture(c.values, Options(0, false)));
        EXPECT_EQ(r.At(r.Frame.X(c.category), r.Frame.Y(3)), c.want);
    }
    // Between two points the line is red.
    const Rendered r(Picture({3, 3, 3}, Options(0, false)));
    EXPECT_TRUE(r.RedNear((r.Frame.X(2) + r.Frame.X(3)) / 2, r.Frame.Y(3)));
}

// Each pixel a point of a long history falls on gets one marker, from the
// first point on it; gaps get none.
TEST(ChartPainterTest, EveryPixelWithAPointGetsOneMarker)
{
    std::vector<QVariant> values;
    for (int i = 0; i < 2000; ++i)
        values.push_back(i % 50 == 7 ? QVariant() : QVariant(1 + (i * 7) % 3));
    const ChartPicture pic = Picture(values, Options(0, false));
    const ChartFrame frame = LayOutChart(pic, kSize, Style());
    const auto pixel = [](QPointF p) { return std::pair(std::lround(p.x()), std::lround(p.y())); };
    std::set<std::pair<long, long>> want;
    std::vector<QPointF> firsts;
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i].isValid()) {
            const QPointF p(frame.X(static_cast<double>(i) + 2), frame.Y(values[i].toInt()));
            if (want.insert(pixel(p)).second)
                firsts.push_back(p);
        }
    }
    const std::vector<QPointF> marked = MarkedPoints(pic, frame, 1);
    EXPECT_LT(want.size(), values.size() / 2); // the history is dense
    EXPECT_EQ(marked, firsts);
}

// The pixels of a inside area with no pixel of like colour at or next to
// them in b: what a shift by less than a pixel cannot explain.
int Unmatched(const QImage& a, const QImage& b, QRect area)
{
    const auto alike = [](QColor x, QColor y) {
        return std::abs(x.red() - y.red()) + std::abs(x.green() - y.green()) + std::abs(x.blue() - y.blue()) <= 200;
    };
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                    found = alike(a.pixelColor(x, y), b.pixelColor(x + dx, y + dy));
            n += !found;
        }
    }
    return n;
}

// On screen the markers are stamped, and a point on a pixel that already
// has its marker is left out; the picture is the one drawing every marker
// as a shape gives (as under a scaling transform), up to where an edge
// falls, whether the markers stand apart or crowd a long history.
TEST(ChartPainterTest, StampedMarkersLookLikeDrawnOnes)
{
    for (const int points : {40, 2000}) {
        SCOPED_TRACE(points);
        std::vector<QVariant> values;
        for (int i = 0; i < points; ++i)
            values.emplace_back(1 + (i * 7) % 9);
        const ChartPicture pic = Picture(values, Options(0, false));
        const QImage stamped = RenderChart(pic, kSize, Style());
        QImage drawn(stamped.size(), stamped.format());
        drawn.fill(Qt::white);
        {
            QPainter p(&drawn);
            p.scale(1 + 1e-9, 1);
            PaintChart(p, kSize, pic, Style());
        }
        const QRect plot = LayOutChart(pic, kSize, Style()).Plot.toAlignedRect();
        const int most = plot.width() * plot.height() / 500;
        EXPECT_LE(Unmatched(stamped, drawn, plot), most);
        EXPECT_LE(Unmatched(drawn, stamped, plot), most);
    }
}

TEST(ChartPainterTest, ValueTicksPointIntoThePlot)
{
    const Rendered r(Picture({1, 9}, Options(0, false))); // axis 0..10, divisions of 1
    const double y = r.Frame.Y(5);
    const double left = std::round(r.Frame.Plot.left());
    EXPECT_EQ(r.At(left + 1, y), kBlack);
    EXPECT_EQ(r.At(left + 6, y), kBlack); // 100 units at 96 dpi: 6.7 pixels
    EXPECT_EQ(r.At(left + 9, y), kWhite);
    EXPECT_EQ(r.At(left - 1, y), kWhite); // nothing outside
}

TEST(ChartPainterTest, GridLinesAreDottedAndFollowTheirBoxes)
{
    for (const bool grid : {true, false}) {
        SCOPED_TRACE(grid);
        const Rendered r(Picture({1, 9}, Options(0, grid)));
        const int y = static_cast<int>(std::lround(r.Frame.Y(7)));
        const int from = static_cast<int>(r.Frame.Plot.left()) + 10;
        const int to = static_cast<int>(r.Frame.X(2)) - 5; // clear of the line and markers
        const int grey = r.CountOnRow(y, kGrid, from, to);
        if (grid) {
            EXPECT_GT(grey, (to - from) / 4);
            EXPECT_LT(grey, to - from); // dotted, not solid
        } else {
            EXPECT_EQ(grey, 0);
        }
        const int x = static_cast<int>(std::lround(r.Frame.X(1)));
        EXPECT_EQ(r.Image.pixelColor(x, static_cast<int>(r.Frame.Plot.top()) + 20) == kGrid ||
                      r.Image.pixelColor(x, static_cast<int>(r.Frame.Plot.top()) + 21) == kGrid,
                  grid);
    }
}

TEST(ChartPainterTest, CategoryTicksComeEveryKCategories)
{
    std::vector<QVariant> values(40, 5);
    ChartPicture pic = Picture(values, Options(0, false));
    pic.LabelStep = 3;
    const Rendered r(pic);
    const double below = std::round(r.Frame.Plot.bottom()) + 3;
    for (int c = 1; c <= 10; ++c)
        EXPECT_EQ(r.At(r.Frame.X(c), below) == kBlack, (c - 1) % 3 == 0) << c;
}

TEST(ChartPainterTest, TheLegendSitsAtTheBottomRight)
{
    const Rendered r(Picture({1, 9}, Options(0, false)));
    ASSERT_FALSE(r.Frame.Legend.isEmpty());
    EXPECT_GT(r.Frame.Legend.left(), r.Frame.Plot.right());
    EXPECT_DOUBLE_EQ(r.Frame.Legend.bottom(), r.Frame.Plot.bottom());
    const QPointF sample(r.Frame.Legend.left() + 3, r.Frame.Legend.center().y());
    EXPECT_TRUE(r.RedNear(sample.x(), sample.y()));

    const Rendered bars(Picture({1, 9}, Options(1, false)));
    EXPECT_TRUE(bars.Frame.Legend.isEmpty());
}

// A paint device that keeps the texts drawn on it.
class TextRecorder : public QPaintDevice {
public:
    QStringList Texts;
    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return kSize.width();
        case PdmHeight:
            return kSize.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 1;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(QStringList& texts) : m_texts(texts) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override { m_texts << item.text(); }
        Type type() const override { return User; }

    private:
        QStringList& m_texts;
    };
    mutable Engine m_engine{Texts};
};

// Every point's value is written above it, each in its own text.
TEST(ChartPainterTest, PointLabelsWriteEachValue)
{
    const ChartPicture pic = Picture({2.5, 7.25, 2.5, 7.25}, Options(0, false));
    ASSERT_TRUE(pic.PointLabels);
    TextRecorder recorder;
    {
        QPainter painter(&recorder);
        PaintChart(painter, kSize, pic, Style());
    }
    EXPECT_EQ(recorder.Texts.count(QStringLiteral("2.5")), 2) << recorder.Texts.join(u' ').toStdString();
    EXPECT_EQ(recorder.Texts.count(QStringLiteral("7.25")), 2) << recorder.Texts.join(u' ').toStdString();
}

// Every legend entry shows inside the chart: entries run on in a second
// column where one is not high enough, and a name too long for the legend
// is cut short with an ellipsis instead of running past the chart's edge.
TEST(ChartPainterTest, EveryLegendEntryShowsInsideTheChart)
{
    struct Case {
        const char* what;
        int series;
        QString name; // %1: the series' number
        int columns;
        bool elided;
    };
    const Case cases[] = {
        {"one column", 3, u"系列%1"_s, 1, false},
        {"27 codes", 27, u"%1=热热热"_s, 2, false},
        {"a name listing 84 pairs", 1, QString(u"A代表AC值,B代表和值  "_s).repeated(1) + u"0=A1B0;1=A1B1;%1"_s.repeated(40), 1, true},
    };
    for (const Case& c : cases) {
        ChartPicture pic = Picture({1, 9}, Options(0, false));
        auto data = std::make_shared<ChartCache>(*pic.Data);
        data->SeriesNames.clear();
        for (int s = 1; s <= c.series; ++s)
            data->SeriesNames << c.name.arg(s);
        data->Series = c.series;
        data->Values.assign(static_cast<size_t>(data->Categories() * c.series), 1);
        pic.Data = data;
        const ChartFrame frame = LayOutChart(pic, kSize, Style());
        ASSERT_EQ(frame.LegendEntries.size(), static_cast<size_t>(c.series)) << c.what;
        const QRectF chart(0, 0, kSize.width(), kSize.height());
        const QFontMetricsF fm(Style().Font);
        std::set<double> lefts;
        for (int s = 0; s < c.series; ++s) {
            const QRectF& entry = frame.LegendEntries[static_cast<size_t>(s)];
            EXPECT_TRUE(chart.contains(entry)) << c.what << " " << s;
            EXPECT_LE(fm.horizontalAdvance(frame.LegendNames[s]), entry.width() + 0.5) << c.what << " " << s;
            EXPECT_EQ(frame.LegendNames[s].endsWith(u'…'), c.elided) << c.what << " " << s;
            lefts.insert(entry.left());
        }
        EXPECT_EQ(static_cast<int>(lefts.size()), c.columns) << c.what;
        EXPECT_TRUE(chart.contains(frame.Legend)) << c.what;
        EXPECT_LT(frame.Plot.right(), frame.Legend.left()) << c.what;
    }
}

TEST(ChartPainterTest, BarsStandOnTheAxisInTheirColour)
{
    // Counts of 3, 5, 5, 7: 1, none, 2, none, 1 on an axis from 0 to 3.
    const Rendered r(Picture({3, 5, 5, 7}, Options(1, false)));
    const double half = r.Frame.Y(0.5);
    const std::vector<QColor> want = {kRed, kWhite, kRed, kWhite, kRed};
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(r.At(r.Frame.X(c), half), want[static_cast<size_t>(c - 1)]) << c;
    EXPECT_EQ(r.At(r.Frame.X(3), r.Frame.Y(1.5)), kRed);
    EXPECT_EQ(r.At(r.Frame.X(1), r.Frame.Y(1.5)), kWhite);
}

TEST(ChartPainterTest, StatisticLinesOfSeriesOne)
{
    ChartOptions o = Options(0, false);
    o.Mean = true;
    const Rendered r(Picture({2, 8, 2, 8}, o)); // mean 5
    EXPECT_EQ(r.At(r.Frame.X(3.5), r.Frame.Y(5)), kStat);
    o.Mean = false;
    const Rendered none(Picture({2, 8, 2, 8}, o));
    EXPECT_NE(none.At(none.Frame.X(3.5), none.Frame.Y(5)), kStat);
}

TEST(ChartPainterTest, CaptionShowsOnlyWhenItHoldsText)
{
    ChartPicture pic = Picture({1, 9}, Options(1, false));
    EXPECT_TRUE(LayOutChart(pic, kSize, Style()).Caption.isEmpty());
    pic.Caption = QStringLiteral("和值分布");
    const Rendered r(pic);
    ASSERT_FALSE(r.Frame.Caption.isEmpty());
    EXPECT_GT(r.Frame.Plot.top(), r.Frame.Caption.bottom());
    bool coloured = false;
    for (int y = static_cast<int>(r.Frame.Caption.top()); y < r.Frame.Caption.bottom(); ++y)
        coloured = coloured || r.CountOnRow(y, QColor(155, 0, 155), 0, kSize.width()) > 0;
    EXPECT_TRUE(coloured);
}

TEST(ChartPainterTest, TheBottomReserveStaysBlank)
{
    ChartPaintStyle style = Style();
    style.BottomReserve = 41;
    const ChartPicture pic = Picture({3, 5, 5, 7}, Options(1, true));
    const QImage image = RenderChart(pic, kSize, style);
    for (int y = kSize.height() - 41; y < kSize.height(); ++y)
        for (int x = 0; x < kSize.width(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), kWhite) << x << "," << y;
}

TEST(ChartPainterTest, AnEmptyPictureIsBlank)
{
    const QImage image = RenderChart(ChartPicture{}, QSize(50, 40), Style());
    QImage white(image.size(), image.format());
    white.fill(Qt::white);
    EXPECT_EQ(image, white);
}

} // namespace
} // namespace kelton
