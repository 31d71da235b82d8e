#include "analysis/miss_stats.h"

#include "analysis/indicator_series.h"
#include "data/lottor_head.h"
#include "engine/stat.h"

namespace kelton {

using namespace Qt::StringLiterals;

MissRange KindRange(const CLottorHead& head, int16_t kind)
{
    return {head.ShrinkHL(kind, 0), head.ShrinkHL(kind, 1)};
}

int32_t PairSlotCount(const MissRange& a, const MissRange& b)
{
    return a.Count() * b.Count();
}

MissCounts CountMisses(std::span<const int32_t> slotsNewestFirst, int32_t slots)
{
    MissCounts out;
    out.Slots = slots;
    out.Examined = static_cast<int32_t>(slotsNewestFirst.size());
    const int32_t m = out.Examined;
    out.Current.assign(static_cast<size_t>(slots), m);
    out.Longest.assign(static_cast<size_t>(slots), 0);
    out.Occurrences.assign(static_cast<size_t>(slots), 0);
    // last[s]: the walk position of the latest occurrence seen so far.
    std::vector<int32_t> last(static_cast<size_t>(slots), -1);
    for (int32_t i = 0; i < m; ++i) {
        const int32_t s = slotsNewestFirst[static_cast<size_t>(i)];
        if (s < 0 || s >= slots)
            continue;
        const auto k = static_cast<size_t>(s);
        const int32_t run = i - last[k] - 1;
        if (last[k] < 0)
            out.Current[k] = i;
        if (run > out.Longest[k])
            out.Longest[k] = run;
        last[k] = i;
        ++out.Occurrences[k];
    }
    for (size_t k = 0; k < static_cast<size_t>(slots); ++k) {
        const int32_t run = m - last[k] - 1;
        if (run > out.Longest[k])
            out.Longest[k] = run;
    }
    return out;
}

int64_t Tenths(int64_t a, int64_t b)
{
    return (20 * a / b + 1) / 2;
}

std::vector<int32_t> MissValues(const MissCounts& counts, MissStat stat)
{
    std::vector<int32_t> out(static_cast<size_t>(counts.Slots), 0);
    const int32_t m = counts.Examined;
    for (size_t k = 0; k < out.size(); ++k) {
        const int32_t c = counts.Occurrences[k];
        switch (stat) {
        case MissStat::Current:
            out[k] = counts.Current[k];
            break;
        case MissStat::Longest:
            out[k] = counts.Longest[k];
            break;
        case MissStat::Average:
            out[k] = c > 0 ? static_cast<int32_t>(Tenths(m, c)) : 10 * m;
            break;
        case MissStat::Ratio:
            // The current miss over the slots per occurrence: m ÷ (n ÷ c).
            out[k] = c > 0 ? static_cast<int32_t>(Tenths(int64_t(counts.Current[k]) * c, counts.Slots))
                           : 10 * counts.Current[k];
            break;
        case MissStat::Occurrences:
            out[k] = c;
            break;
        }
    }
    return out;
}

namespace {

int32_t SlotOf(int16_t value, const MissRange& range)
{
    return value >= range.Low && value <= range.High ? value - range.Low : -1;
}

} // namespace

std::vector<int32_t> KindSlots(const CStat& stat, int16_t kind, const MissRange& range, int32_t rangeStart,
                               int32_t rangeEnd)
{
    if (rangeEnd <= rangeStart)
        return {};
    // The records are read oldest first, as the view reads ahead, and laid
    // out newest first.
    std::vector<int32_t> out(static_cast<size_t>(rangeEnd - rangeStart));
    for (int32_t r = rangeStart; r < rangeEnd; ++r)
        out[static_cast<size_t>(rangeEnd - 1 - r)] = SlotOf(KindValue(stat, r, kind), range);
    return out;
}

std::vector<int32_t> PairSlots(const CStat& stat, int16_t kindA, const MissRange& a, int16_t kindB,
                               const MissRange& b, int32_t rangeStart, int32_t rangeEnd)
{
    if (rangeEnd <= rangeStart)
        return {};
    std::vector<int32_t> out(static_cast<size_t>(rangeEnd - rangeStart));
    const int32_t nB = b.Count();
    for (int32_t r = rangeStart; r < rangeEnd; ++r) {
        const int32_t sa = SlotOf(KindValue(stat, r, kindA), a);
        const int32_t sb = SlotOf(KindValue(stat, r, kindB), b);
        out[static_cast<size_t>(rangeEnd - 1 - r)] = sa < 0 || sb < 0 ? -1 : sa * nB + sb;
    }
    return out;
}

QString PairSeriesName(const QString& nameA, const MissRange& a, const QString& nameB, const MissRange& b)
{
    QString legend;
    int32_t code = 0;
    for (int va = a.Low; va <= a.High; ++va) {
        for (int vb = b.Low; vb <= b.High; ++vb) {
            if (code > 0)
                legend += u';';
            legend += QString::number(code) + u"=A"_s + QString::number(va) + u'B' + QString::number(vb);
            ++code;
        }
    }
    return u"A代表"_s + nameA + u",B代表"_s + nameB + u"  "_s + legend;
}

ChartData MissChart(const std::vector<int32_t>& values, MissStat stat, int32_t firstLabel, const QString& seriesName)
{
    const int n = static_cast<int>(values.size());
    ChartData data(n, 1);
    data.Set(0, 0, QStringLiteral(" "));
    data.Set(0, 1, seriesName);
    const bool tenths = MissInTenths(stat);
    for (int i = 0; i < n; ++i) {
        data.Set(i + 1, 0, firstLabel + i);
        const int32_t v = values[static_cast<size_t>(i)];
        data.Set(i + 1, 1, tenths ? QVariant(v / 10.0) : QVariant(v));
    }
    return data;
}

} // namespace kelton
