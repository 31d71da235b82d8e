#include "chart/chart_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include <QHash>

#include "data/numeric_text.h"

namespace kelton {

namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

constexpr ChartRgb kRed{255, 0, 0};
constexpr ChartRgb kBlue{0, 0, 255};
constexpr ChartRgb kMarkerFill{0, 50, 200};
constexpr ChartRgb kCaptionColor{155, 0, 155};
constexpr int kTickLength = 100;
constexpr int kMarkerSize = 100;
constexpr int kStatWidth = 50;

QString Padded(QStringView text)
{
    QString out;
    out.reserve(text.size() + 2); // one allocation per label of a long chart
    out += QLatin1Char(' ');
    out += text;
    out += QLatin1Char(' ');
    return out;
}

// The padded labels of a chart, each made once: a long chart of issue
// numbers cut to their last few digits repeats few labels, and those that
// repeat share one text.
class LabelMaker {
public:
    explicit LabelMaker(int length) : m_length(length) {}

    QString Make(const QVariant& cell)
    {
        QStringView text = Text(cell);
        if (text.size() > m_length)
            text = text.right(m_length);
        // The key only looks at the text while it is searched for.
        const QString key = QString::fromRawData(text.constData(), text.size());
        auto at = m_made.constFind(key);
        if (at == m_made.constEnd())
            at = m_made.insert(text.toString(), Padded(text));
        return *at;
    }

private:
    // The label text of a cell (ChartCellText); whole numbers are written
    // into the maker's own buffer rather than a new string.
    QStringView Text(const QVariant& cell)
    {
        if (cell.typeId() == QMetaType::Int || cell.typeId() == QMetaType::LongLong) {
            const qlonglong value = cell.typeId() == QMetaType::Int ? *static_cast<const int*>(cell.constData())
                                                                      : *static_cast<const qlonglong*>(cell.constData());
            auto magnitude = static_cast<unsigned long long>(value < 0 ? -(value + 1) : value);
            if (value < 0)
                ++magnitude;
            qsizetype at = static_cast<qsizetype>(m_digits.size());
            do {
                m_digits[static_cast<size_t>(--at)] = static_cast<char16_t>(u'0' + magnitude % 10);
                magnitude /= 10;
            } while (magnitude != 0);
            if (value < 0)
                m_digits[static_cast<size_t>(--at)] = u'-';
            return QStringView(m_digits.data() + at, static_cast<qsizetype>(m_digits.size()) - at);
        }
        m_text = ChartCellText(cell);
        return m_text;
    }

    int m_length;
    QHash<QString, QString> m_made;
    std::array<char16_t, 24> m_digits{};
    QString m_text;
};

// The extremes of rounded values, seeded by the first.
struct Extremes {
    int16_t Largest = 0;
    int16_t Smallest = 0;
    void Take(int16_t v)
    {
        Largest = std::max(Largest, v);
        Smallest = std::min(Smallest, v);
    }
};

// Copies the values of point `point` of every series into `row` (a gap
// where nothing is drawn: text that is no number, an empty cell) and takes
// them into the extremes, an empty cell as 0. False for a value beyond 16 bits.
bool TakePoint(const ChartData& data, int point, double* row, Extremes& ext)
{
    for (int j = 1; j <= data.SeriesCount(); ++j) {
        const QVariant& cell = data.At(point, j);
        const std::optional<double> value = ChartCellNumber(cell);
        if (!value)
            continue;
        const std::optional<int16_t> v = ChartInt16(*value);
        if (!v)
            return false;
        ext.Take(*v);
        if (cell.isValid())
            row[j - 1] = *value;
    }
    return true;
}

} // namespace

double ChartCache::Value(int category, int series) const
{
    if (category < 1 || category > Categories() || series < 1 || series > Series)
        return kGap;
    return Values[static_cast<size_t>(category - 1) * static_cast<size_t>(Series) + static_cast<size_t>(series - 1)];
}

SeriesStats ComputeSeriesStats(const ChartCache& cache, int series)
{
    SeriesStats out;
    double sx = 0;
    double sy = 0;
    for (int c = 1; c <= cache.Categories(); ++c) {
        const double y = cache.Value(c, series);
        if (std::isnan(y))
            continue;
        ++out.Count;
        sx += c;
        sy += y;
    }
    if (out.Count == 0)
        return out;
    const double mx = sx / out.Count;
    out.Mean = sy / out.Count;
    double sxx = 0;
    double sxy = 0;
    double syy = 0;
    for (int c = 1; c <= cache.Categories(); ++c) {
        const double y = cache.Value(c, series);
        if (std::isnan(y))
            continue;
        sxx += (c - mx) * (c - mx);
        sxy += (c - mx) * (y - out.Mean);
        syy += (y - out.Mean) * (y - out.Mean);
    }
    out.StdDev = std::sqrt(syy / out.Count);
    out.Slope = sxx > 0 ? sxy / sxx : 0;
    out.Intercept = out.Mean - out.Slope * mx;
    return out;
}

QString DescribeChart(const ChartPicture& picture)
{
    if (picture.Kind == ChartKind::Empty || !picture.Data)
        return QStringLiteral("空图表");
    const ChartCache& data = *picture.Data;
    QString kind = picture.Kind == ChartKind::Line ? QStringLiteral("线状图") : QStringLiteral("柱状图");
    return QStringLiteral("%1，系列：%2；%3 个类别；数值轴 %4 至 %5")
        .arg(kind, data.SeriesNames.join(QStringLiteral("、")))
        .arg(data.Categories())
        .arg(picture.Scale.Minimum)
        .arg(picture.Scale.Maximum);
}

ChartAccept ChartModel::StatData(ChartData sData, int16_t sDataKind, int16_t sShowKind, const QString& sMsg,
                                 int16_t sAll, int32_t sColor, int16_t sFirstDataLen)
{
    ChartAccept out;
    out.ShowKind = sShowKind;
    const int p = sData.PointCount();
    const int s = sData.SeriesCount();
    if (p < 1 || s < 1)
        return out;
    out.Accepted = true;
    m_pointCount = p;
    m_seriesCount = s;
    m_data = std::move(sData);
    m_trendCache = std::make_shared<ChartCache>();
    m_countCache = std::make_shared<ChartCache>();
    if (sDataKind == 0 || sDataKind == 1)
        m_dataKind = sDataKind;
    if (sAll == 1)
        out.All = true;
    else if (sAll != -1)
        out.All = false;
    int16_t kind = sShowKind > 3 ? int16_t{0} : sShowKind;
    if (kind != -1) {
        kind = std::max<int16_t>(kind, 0);
        if (kind <= 1)
            out.Select = kind;
        else
            kind = -1; // no chart of that kind: the user's choice stays
    }
    out.ShowKind = kind;
    m_labelLen = sFirstDataLen >= 1 ? sFirstDataLen : kDefaultLabelLen;
    m_title = sMsg;
    m_color = sColor;
    return out;
}

ChartLayout ChartModel::Resize(const ChartGeometry& geometry, bool fit) const
{
    return ResizeLayout(geometry, fit, m_pointCount);
}

QString ChartModel::TrendTitle() const
{
    return m_dataKind == 1 ? m_title + QStringLiteral("  走势图") : m_title;
}

QString ChartModel::CountTitle() const
{
    return m_dataKind == 1 ? m_title + QStringLiteral("  每个值的出现次数") : m_title;
}

ChartDrawing ChartModel::Draw(const ChartOptions& options, const ChartGeometry& geometry)
{
    if (options.Kind == 0)
        return DrawTrend(options, geometry);
    return DrawCount(options, geometry);
}

QString ChartModel::CutLabel(const QVariant& cell) const
{
    const QString text = ChartCellText(cell);
    return text.size() > m_labelLen ? text.right(m_labelLen) : text;
}

ChartDrawing ChartModel::EmptyDrawing(const ChartOptions& options, const ChartGeometry& geometry,
                                      QString title) const
{
    ChartDrawing out;
    out.Drawn = true;
    out.Title = std::move(title);
    out.Layout = DrawLayout(geometry, options.All, 0, m_dataKind);
    return out;
}

bool ChartModel::FillTrendCache()
{
    auto cache = std::make_shared<ChartCache>();
    const int p = m_pointCount;
    const int s = m_seriesCount;
    cache->Corner = m_data.At(0, 0);
    cache->Series = s;
    for (int j = 1; j <= s; ++j)
        cache->SeriesNames << ChartCellText(m_data.At(0, j));
    cache->Labels.reserve(p + 2);
    cache->Values.assign(static_cast<size_t>(p + 2) * static_cast<size_t>(s), kGap);

    Extremes ext;
    if (const std::optional<double> first = ChartCellNumber(m_data.At(1, 1))) {
        const std::optional<int16_t> v = ChartInt16(*first);
        if (!v)
            return false;
        ext = {*v, *v};
    }
    cache->Labels << QStringLiteral(" ");
    LabelMaker labels(m_labelLen);
    double* row = cache->Values.data() + s; // category 2, the first point
    for (int i = 1; i <= p; ++i, row += s) {
        cache->Labels << labels.Make(m_data.At(i, 0));
        if (!TakePoint(m_data, i, row, ext))
            return false;
    }
    cache->Labels << QStringLiteral(" ");
    m_valueRange[0] = ext.Largest;
    m_valueRange[1] = ext.Smallest;
    m_trendCache = std::move(cache);
    ++m_trendFills;
    return true;
}

bool ChartModel::FillCounts(ChartCache& cache)
{
    const int p = m_pointCount;
    // Every value is rounded once and the rounded value used throughout, so
    // that no value can fall outside the categories.
    std::vector<std::optional<int16_t>> rounded(static_cast<size_t>(p) + 1);
    Extremes ext;
    for (int i = 1; i <= p; ++i) {
        const std::optional<double> value = ChartCellNumber(m_data.At(i, 1));
        if (!value) {
            if (i == 1)
                return false; // nothing to start the extremes from
            continue;
        }
        const std::optional<int16_t> v = ChartInt16(*value);
        if (!v)
            return false;
        if (i == 1)
            ext = {*v, *v};
        ext.Take(*v);
        rounded[static_cast<size_t>(i)] = v;
    }
    const int lo = ext.Smallest;
    const int c = ext.Largest - lo + 1;
    std::vector<int> counts(static_cast<size_t>(c), 0);
    for (int i = 1; i <= p; ++i) {
        if (rounded[static_cast<size_t>(i)])
            ++counts[static_cast<size_t>(*rounded[static_cast<size_t>(i)] - lo)];
    }
    cache.Series = 1;
    cache.SeriesNames << ChartCellText(m_data.At(0, 1));
    cache.Labels.reserve(c);
    cache.Values.resize(static_cast<size_t>(c));
    int most = counts[0];
    int least = counts[0];
    for (int i = 0; i < c; ++i) {
        cache.Labels << Padded(QString::number(lo + i));
        const int n = counts[static_cast<size_t>(i)];
        cache.Values[static_cast<size_t>(i)] = n > 0 ? n : kGap;
        most = std::max(most, n);
        least = std::min(least, n);
    }
    if (most > std::numeric_limits<int16_t>::max())
        return false;
    m_valueRange[2] = static_cast<int16_t>(most);
    m_valueRange[3] = static_cast<int16_t>(least);
    return true;
}

bool ChartModel::FillValues(ChartCache& cache)
{
    const int p = m_pointCount;
    const int s = m_seriesCount;
    const std::optional<double> first = ChartCellNumber(m_data.At(1, 1));
    if (!first)
        return false;
    const std::optional<int16_t> seed = ChartInt16(*first);
    if (!seed)
        return false;
    Extremes ext{*seed, *seed};
    cache.Series = s;
    for (int j = 1; j <= s; ++j)
        cache.SeriesNames << ChartCellText(m_data.At(0, j));
    cache.Labels.reserve(p);
    cache.Values.assign(static_cast<size_t>(p) * static_cast<size_t>(s), kGap);
    double* row = cache.Values.data();
    for (int i = 1; i <= p; ++i, row += s) {
        const QString label = CutLabel(m_data.At(i, 0));
        cache.Labels << (IsNumberText(label) ? Padded(label) : label);
        if (!TakePoint(m_data, i, row, ext))
            return false;
    }
    m_valueRange[2] = ext.Largest;
    m_valueRange[3] = ext.Smallest;
    return true;
}

bool ChartModel::FillCountCache()
{
    auto cache = std::make_shared<ChartCache>();
    cache->Corner = m_data.At(0, 0);
    const std::array<int16_t, 4> before = m_valueRange;
    if (!(m_dataKind == 1 ? FillCounts(*cache) : FillValues(*cache))) {
        m_valueRange = before;
        return false;
    }
    m_countCache = std::move(cache);
    ++m_countFills;
    return true;
}

ChartDrawing ChartModel::StartDrawing(ChartKind kind, std::shared_ptr<const ChartCache> data, QString title,
                                      const ChartOptions& options, const ChartGeometry& geometry, int count) const
{
    ChartDrawing out;
    out.Drawn = true;
    out.Title = std::move(title);
    out.Layout = DrawLayout(geometry, options.All, count, m_dataKind);
    ChartPicture& pic = out.Picture;
    pic.Kind = kind;
    pic.Data = std::move(data);
    pic.LabelStep = out.Layout.LabelStep;
    pic.TickLength = kTickLength;
    pic.GridX = options.LineX;
    pic.GridY = options.LineY;
    pic.CaptionColor = kCaptionColor;
    return out;
}

ChartDrawing ChartModel::DrawTrend(const ChartOptions& options, const ChartGeometry& geometry)
{
    if (m_pointCount < 1)
        return {};
    if (m_trendCache->Empty() && !FillTrendCache())
        return EmptyDrawing(options, geometry, TrendTitle());

    ChartDrawing out = StartDrawing(ChartKind::Line, m_trendCache, TrendTitle(), options, geometry, m_pointCount);
    ChartPicture& pic = out.Picture;
    for (int j = 1; j <= m_seriesCount; ++j) {
        ChartSeriesStyle style;
        style.Color = j == 1 ? kRed : kBlue;
        style.LineWidth = 1;
        style.Markers = true;
        style.MarkerSize = kMarkerSize;
        style.MarkerFill = kMarkerFill;
        style.MarkerOutline = 1;
        pic.Styles.push_back(style);
    }
    pic.Scale = TrendValueScale(m_valueRange[0], m_valueRange[1]);
    pic.Legend = true;
    pic.Caption = QStringLiteral(" ");
    pic.MeanLine = options.Mean;
    pic.StdDevLines = options.Dif;
    pic.RegressionLine = options.Back;
    pic.StatColor = kBlue;
    pic.StatWidth = kStatWidth;
    if (pic.MeanLine || pic.StdDevLines || pic.RegressionLine)
        pic.Stats = ComputeSeriesStats(*m_trendCache, 1);
    return out;
}

ChartDrawing ChartModel::DrawCount(const ChartOptions& options, const ChartGeometry& geometry)
{
    if (m_pointCount < 1)
        return {};
    if (m_countCache->Empty() && !FillCountCache())
        return EmptyDrawing(options, geometry, CountTitle());

    ChartDrawing out =
        StartDrawing(ChartKind::Bar, m_countCache, CountTitle(), options, geometry, m_countCache->Categories());
    ChartPicture& pic = out.Picture;
    for (int j = 1; j <= m_countCache->Series; ++j) {
        ChartSeriesStyle style;
        if (j == 1)
            style.Color = ChartRgb::FromNumber(m_color);
        pic.Styles.push_back(style);
    }
    pic.Scale = CountValueScale(m_valueRange[2], m_valueRange[3]);
    pic.Legend = false;
    return out;
}

} // namespace kelton
