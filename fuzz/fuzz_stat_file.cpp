// The statistics file of a data view, of any content, opened for the
// three-digit game: the first byte picks the view (0..7), the rest is the
// file. A refused file reads as no records; every record of an accepted one
// answers every query without failing.
#include <QFile>

#include "data/lottor_head.h"
#include "engine/stat.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static CLottorHead head = fuzz::Game(0);
    const auto view = static_cast<int16_t>(data[0] % CStat::kViewCount);
    const QString path = fuzz::WorkFolder() + QStringLiteral("/lottor.dat.") + QString::number(view);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data) + 1, static_cast<qint64>(size - 1)) !=
                static_cast<qint64>(size - 1))
            fuzz::Fail("write the input file", __FILE__, __LINE__);
    }

    CStat stat;
    const int32_t count = stat.StatOpen(head, path, view);
    KELTON_FUZZ_CHECK(count >= 0 && count <= CStat::kMaxRecords);
    KELTON_FUZZ_CHECK(stat.BallCount() == count);
    if (count == 0)
        return 0;

    const int16_t values = static_cast<int16_t>(head.BcDataLen + 1);
    std::array<int16_t, kCycleSlots> periods{};
    std::array<int16_t, kCycleSlots> runs{};
    for (int32_t i = -1; i <= count; ++i) {
        (void)stat.LoadRecord(i);
        (void)stat.NumName(i);
        for (int16_t x = -1; x <= head.BM + 1; ++x)
            (void)stat.Num(i, x);
        for (int16_t y = -1; y <= values; ++y) {
            for (int16_t sort = 0; sort <= 3; ++sort) {
                (void)stat.Data(i, y, sort);
                (void)stat.DataMr(i, y, sort);
            }
            for (int16_t x = 0; x <= head.BcMain; ++x) {
                (void)stat.Cycle(i, x, y, periods, runs);
                for (int16_t kind = 0; kind < StatKind::Kinds; ++kind) {
                    for (int16_t sort = 0; sort <= 2; ++sort)
                        (void)stat.Stat(i, x, y, kind, sort);
                }
            }
        }
        for (int16_t kind = -1; kind <= kIndicatorCount; ++kind)
            (void)stat.Filter(i, kind);
        (void)stat.CycleCount(i);
        for (int16_t c = 0; c <= 2; ++c) {
            (void)stat.GetHWC(i, c);
            (void)stat.GetNAP(i, c);
            (void)stat.GetPSN(i, c);
        }
    }
    (void)stat.NumTable();
    (void)stat.GetShrinkLowHigh(0, count - 1);
    for (int16_t kind = 0; kind < StatKind::Kinds; ++kind) {
        std::vector<int16_t> keys;
        (void)stat.StatArray(kind, 0, keys);
    }
    stat.IniShrinkData();
    for (int32_t target : {count - 1, count - 2, 0}) {
        stat.GetFilterIni(target);
        const int16_t candidate[] = {0, 1, 2, 3};
        (void)stat.GetShrinkErr(candidate);
    }
    stat.StatClose();
    return 0;
}
