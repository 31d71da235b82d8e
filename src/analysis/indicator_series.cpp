#include "analysis/indicator_series.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "data/lottor_head.h"
#include "engine/stat.h"
#include "filter/filter_form_rules.h"
#include "platform/name_tables.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

constexpr int kIndicators = 43;

// A point's value: the empty text on the next issue, which has none.
QVariant SeriesCell(const CStat& stat, int32_t r, int16_t value)
{
    if (stat.BallCount() == r + 1)
        return QString();
    return value;
}

} // namespace

QString KindName(const CLottorHead& head, int16_t kind)
{
    if (kind >= 0 && kind <= 42 + head.BcMain)
        return ConditionName(kind);
    const int pos = kind - 42;
    if (pos > head.BcMain && pos <= head.BcMain + head.MrMain)
        return head.MrDataName + u"号码"_s + QString::number(pos - head.BcMain);
    return QString();
}

int16_t KindValue(const CStat& stat, int32_t r, int16_t kind)
{
    return kind < kIndicators ? stat.Filter(r, kind) : stat.Num(r, static_cast<int16_t>(kind - 42), 0);
}

int16_t KindValue(const CStat& stat, const SecondaryDraws& secondary, int32_t r, int16_t kind)
{
    const int16_t bcMain = stat.HeadData() ? stat.HeadData()->BcMain : 0;
    if (kind > 42 + bcMain)
        return secondary.Num(r, static_cast<int16_t>(kind - 42 - bcMain));
    return KindValue(stat, r, kind);
}

bool GetFilterArray(const CStat& stat, const SecondaryDraws& secondary, std::span<const int16_t> sKind,
                    int32_t sStart, int32_t sEnd, ChartData& oData)
{
    const CLottorHead* head = stat.HeadData();
    if (sStart > sEnd || !head || sKind.empty())
        return true;
    const int last = 42 + head->BcMain + head->MrMain;
    for (const int16_t k : sKind) {
        if (k < 0 || k > last)
            return true;
    }
    const int points = sEnd - sStart + 1;
    const int series = static_cast<int>(sKind.size());
    ChartData data(points, series);
    data.Set(0, 0, QStringLiteral(" "));
    for (int s = 0; s < series; ++s)
        data.Set(0, s + 1, KindName(*head, sKind[static_cast<size_t>(s)]));
    for (int p = 1; p <= points; ++p) {
        const int32_t r = sStart + p - 1;
        data.Set(p, 0, stat.NumName(r));
        for (int s = 0; s < series; ++s)
            data.Set(p, s + 1,
                     SeriesCell(stat, r, KindValue(stat, secondary, r, sKind[static_cast<size_t>(s)])));
    }
    oData = std::move(data);
    return false;
}

bool GetCycleArray(const CStat& stat, int32_t sStart, int32_t sEnd, ChartData& oData)
{
    if (sStart > sEnd)
        return true;
    const int points = sEnd - sStart + 1;
    ChartData data(points, 2);
    data.Set(0, 0, QStringLiteral(" "));
    data.Set(0, 1, QStringLiteral("开出的循环个数"));
    data.Set(0, 2, QStringLiteral("可能的循环个数"));
    for (int p = 1; p <= points; ++p) {
        const int32_t r = sStart + p - 1;
        data.Set(p, 0, stat.NumName(r));
        data.Set(p, 1, SeriesCell(stat, r, stat.Filter(r, 19)));
        data.Set(p, 2, stat.CycleCount(r, 0, 0));
    }
    oData = std::move(data);
    return false;
}

ChartData HeaderOnlySeries(const QString& name)
{
    ChartData data(0, 1);
    data.Set(0, 0, QStringLiteral(" "));
    data.Set(0, 1, name);
    return data;
}

ChartData OneEmptyPoint(const QString& name)
{
    ChartData data(1, 1);
    data.Set(0, 0, QStringLiteral(" "));
    data.Set(0, 1, name);
    data.Set(1, 0, QString());
    data.Set(1, 1, QString());
    return data;
}

QString TrendTitle(const CLottorHead& head, int16_t kind, const ChartData& series)
{
    if (kind >= 37 && kind <= 42)
        return FeatureLegend(kind - 37) + u' ' + head.LottorName;
    return ChartCellText(series.At(0, 1)) + u' ' + head.LottorName;
}

int IndicatorTableCols(const CLottorHead& head)
{
    return head.BcMain + head.MrMain + kIndicators + 1;
}

QString IndicatorTableCaption(const CLottorHead& head, int col)
{
    const int b = head.BcMain;
    const int r = head.MrMain;
    if (col == 0)
        return QStringLiteral("期数");
    if (col >= 1 && col <= b) {
        const int q = b - col + 1;
        return PlaceName(q);
    }
    if (col > b && col <= b + r)
        return head.MrDataName.left(1) + QString::number(col - b);
    const int k = col - b - r - 1;
    if (k >= 0 && k < kIndicators)
        return IndicatorName(k);
    return QString();
}

std::optional<int16_t> IndicatorTableValue(const CStat& stat, const SecondaryDraws& secondary, int32_t p,
                                           int col, int mode)
{
    const CLottorHead* head = stat.HeadData();
    if (!head || p == stat.BallCount() - 1)
        return std::nullopt;
    const int b = head->BcMain;
    const int r = head->MrMain;
    if (col >= 1 && col <= b) {
        const int16_t n = stat.Num(p, static_cast<int16_t>(b - col + 1), 0);
        if (mode == 1)
            return n;
        if (mode == 0)
            return stat.Data(p, n, 1);
        return stat.Data(p, n, 0);
    }
    if (col > b && col <= b + r)
        return secondary.Num(p, static_cast<int16_t>(col - b));
    const int k = col - b - r - 1;
    if (k >= 0 && k < kIndicators)
        return stat.Filter(p, static_cast<int16_t>(k));
    return std::nullopt;
}

namespace {

// The values of columns 1.. at record p, as IndicatorTableValue gives them
// (values[c - 1] for column c), the record read once for them all.
void IndicatorRowValues(const CStat& stat, const SecondaryDraws& secondary, int32_t p, int mode,
                        std::span<std::optional<int16_t>> values)
{
    const CLottorHead* head = stat.HeadData();
    if (!head || p == stat.BallCount() - 1) {
        std::fill(values.begin(), values.end(), std::nullopt);
        return;
    }
    const int b = head->BcMain;
    const int r = head->MrMain;
    size_t at = 0;
    // The numbers first: they may come from the numbers cache, the rest
    // from the record.
    for (int col = 1; col <= b && at < values.size(); ++col)
        values[at++] = stat.Num(p, static_cast<int16_t>(b - col + 1), 0);
    for (int j = 1; j <= r && at < values.size(); ++j)
        values[at++] = secondary.Num(p, static_cast<int16_t>(j));
    const StatRecord& record = stat.LoadRecord(p);
    if (mode != 1) {
        const int sort = mode == 0 ? 1 : 0;
        for (size_t i = 0; i < static_cast<size_t>(b) && i < values.size(); ++i)
            values[i] = record.Data(sort, *values[i]);
    }
    for (int k = 0; k < kIndicators && at < values.size(); ++k)
        values[at++] = record.Filter(k);
    std::fill(values.begin() + static_cast<std::ptrdiff_t>(at), values.end(), std::nullopt);
}

} // namespace

void IndicatorTableRows(const CStat& stat, const SecondaryDraws& secondary, const CLottorHead& head,
                        const IndicatorTableSetup& setup, const GridRowSink& out)
{
    const int cols = IndicatorTableCols(head);
    std::vector<QString> captions(static_cast<size_t>(cols));
    std::vector<const QString*> texts(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) {
        captions[static_cast<size_t>(c)] = IndicatorTableCaption(head, c);
        texts[static_cast<size_t>(c)] = &captions[static_cast<size_t>(c)];
    }
    out({0, 0, texts, {}, {}, {}});
    const size_t values = static_cast<size_t>(cols - 1);
    texts.resize(values);
    const QString none;
    const int count = setup.RangeCount;
    const int32_t next = stat.BallCount() - 1;
    std::vector<std::optional<int16_t>> now(values);
    std::vector<std::optional<int16_t>> previous(values);
    std::vector<std::optional<int32_t>> fore(values);
    NumberTexts numbers;
    for (int m = 0; m < count; ++m) {
        const int32_t p = setup.RangeStart + m;
        const int r = setup.ListAsc ? count - m : m + 1;
        const QString issue = stat.NumName(p);
        const QString* const issueText = &issue;
        out({r, 0, std::span(&issueText, 1), {}, {}, {}});
        const int32_t back = ColorRgb(head.RowColor(setup.RowColours ? static_cast<int16_t>(r % 2) : 0));
        IndicatorRowValues(stat, secondary, p, setup.Mode, now);
        for (size_t i = 0; i < values; ++i) {
            const std::optional<int16_t>& v = now[i];
            const std::optional<int16_t>& u = previous[i];
            texts[i] = v ? &numbers.Of(*v) : &none;
            fore[i] = UpDownColour(setup.UpDown, m == 0 || !u, p == next, v.value_or(0), u.value_or(0));
        }
        out({r, 1, texts, back, fore, {}});
        std::swap(now, previous);
    }
}

void IndicatorTableCells(const CStat& stat, const SecondaryDraws& secondary, const CLottorHead& head,
                         const IndicatorTableSetup& setup, const GridCellSink& out)
{
    IndicatorTableRows(stat, secondary, head, setup, RowsAsCells(out));
}

int IndicatorColumnTwips(const CLottorHead& head, int col, double charTwips)
{
    if (col == 0)
        return 1000;
    return static_cast<int>(std::nearbyint((IndicatorTableCaption(head, col).size() + 0.5) * charTwips));
}

} // namespace kelton
