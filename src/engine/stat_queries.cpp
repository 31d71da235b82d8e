#include "engine/stat.h"

#include "data/lottor_head.h"
#include "engine/stat.h"

namespace kelton {

namespace {

// Values 0..BcDataLen of the view; 0 before the view was ever opened.
size_t ValueCount(const CStat& sView)
{
    if (sView.Layout())
        return static_cast<size_t>(sView.Layout()->Values());
    if (sView.HeadData())
        return static_cast<size_t>(sView.HeadData()->BcDataLen + 1);
    return 0;
}

// The numbers of record sIndex (Sorted 1..BcMain).
std::vector<int16_t> NumbersOf(const CStat& sView, int32_t sIndex)
{
    const StatRecord& rec = sView.LoadRecord(sIndex);
    std::vector<int16_t> out;
    if (!rec.IsSized())
        return out;
    for (int p = 1; p <= rec.Layout().BcMain(); ++p)
        out.push_back(rec.Sorted(p));
    return out;
}

void Mark(std::vector<int16_t>& flags, int v, int16_t value)
{
    if (v >= 0 && static_cast<size_t>(v) < flags.size())
        flags[static_cast<size_t>(v)] = value;
}

void Invert(std::vector<int16_t>& flags)
{
    for (int16_t& f : flags)
        f = f ? 0 : 1;
}

} // namespace

int32_t CStat::BallCount() const
{
    return RecordCount();
}

QString CStat::NumName(int32_t sIndex) const
{
    if (!Layout())
        return QString();
    if (RecordCount() >= 1 && sIndex == RecordCount() - 1)
        return QStringLiteral("下期");
    return QString::number(LoadRecord(sIndex).Issue());
}

int16_t CStat::Num(int32_t sIndex, int16_t sX, int16_t /*sKind*/) const
{
    if (!Layout() || sX < 0 || sX > Layout()->BM())
        return -1;
    if (sIndex >= CacheStart()) {
        if (const int16_t* cached = CachedNum(sIndex))
            return cached[sX];
    }
    return LoadRecord(sIndex).Num(sX);
}

int16_t CStat::Stat(int32_t sIndex, int16_t sX, int16_t sY, int16_t sKind, int16_t sSort) const
{
    const StatRecord& rec = LoadRecord(sIndex);
    if (!rec.IsSized() || sKind < 0 || sKind >= StatKind::Kinds || sSort < 0 || sSort >= kStatColumns)
        return 0;
    return sX == 0 ? rec.StatAll(sKind, sSort, sY) : rec.Stat(sX, sKind, sSort, sY);
}

int16_t CStat::Data(int32_t sIndex, int16_t sY, int16_t sSort) const
{
    return LoadRecord(sIndex).Data(sSort, sY);
}

int16_t CStat::DataMr(int32_t sIndex, int16_t sY, int16_t sSort) const
{
    return Data(sIndex, sY, sSort);
}

int16_t CStat::Filter(int32_t sIndex, int16_t sKind) const
{
    return LoadRecord(sIndex).Filter(sKind);
}

int16_t CStat::Cycle(int32_t sIndex, int16_t sX, int16_t sY, std::array<int16_t, kCycleSlots>& oSP,
                     std::array<int16_t, kCycleSlots>& oSPCount) const
{
    const CycleRec cycle = LoadRecord(sIndex).Cycle(sX, sY);
    oSP = cycle.Period;
    oSPCount = cycle.Runs;
    return cycle.Count;
}

int16_t CStat::CycleCount(int32_t sIndex, int16_t /*oHCycle*/, int16_t /*sArea*/) const
{
    const StatRecord& rec = LoadRecord(sIndex);
    if (!rec.IsSized())
        return 0;
    int32_t sum = 0;
    for (int p = 1; p <= rec.Layout().BcMain(); ++p)
        sum += rec.CycleCount(p);
    return static_cast<int16_t>(sum);
}

std::vector<int16_t> CStat::GetHWC(int32_t sIndex, int16_t sHWC) const
{
    std::vector<int16_t> flags(ValueCount(*this), 0);
    if (sIndex < 0 || sIndex >= RecordCount() || sHWC < 0 || sHWC > 2)
        return flags;
    const StatRecord& rec = LoadRecord(sIndex);
    for (size_t v = 0; v < flags.size(); ++v) {
        const int16_t recent = rec.Recent7(static_cast<int>(v));
        const bool hit = sHWC == 0 ? recent >= 3 : sHWC == 1 ? recent == 2 : recent <= 1;
        flags[v] = hit ? 1 : 0;
    }
    return flags;
}

std::vector<int16_t> CStat::GetNAP(int32_t sIndex, int16_t sNAP) const
{
    std::vector<int16_t> flags(ValueCount(*this), 0);
    if (sIndex < 1 || sIndex >= RecordCount() || sNAP < 0 || sNAP > 2)
        return flags;
    const int top = static_cast<int>(flags.size()) - 1;
    const std::vector<int16_t> previous = NumbersOf(*this, sIndex - 1);
    for (int16_t b : previous) {
        if (sNAP == 2) {
            Mark(flags, b, 1);
            continue;
        }
        if (sNAP == 1)
            Mark(flags, b, 1);
        if (b > 0)
            Mark(flags, b - 1, 1);
        if (b < top)
            Mark(flags, b + 1, 1);
    }
    if (sNAP == 0) {
        for (int16_t b : previous)
            Mark(flags, b, 0);
    } else if (sNAP == 1) {
        Invert(flags);
    }
    return flags;
}

std::vector<int16_t> CStat::GetPSN(int32_t sIndex, int16_t sPSN) const
{
    std::vector<int16_t> flags(ValueCount(*this), 0);
    if (sIndex < 1 || sIndex >= RecordCount() || sPSN < 0 || sPSN > 2)
        return flags;
    switch (sPSN) {
    case 0:
        for (int16_t b : NumbersOf(*this, sIndex - 1))
            Mark(flags, b, 1);
        break;
    case 1:
        if (sIndex >= 2) {
            for (int16_t b : NumbersOf(*this, sIndex - 2))
                Mark(flags, b, 1);
            for (int16_t b : NumbersOf(*this, sIndex - 1))
                Mark(flags, b, 0);
        }
        break;
    default:
        for (int16_t b : NumbersOf(*this, sIndex - 1))
            Mark(flags, b, 1);
        if (sIndex >= 2) {
            for (int16_t b : NumbersOf(*this, sIndex - 2))
                Mark(flags, b, 1);
        }
        Invert(flags);
        break;
    }
    return flags;
}

} // namespace kelton
