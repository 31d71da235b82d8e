// Value-set text: the first four bytes give the bounds (two 16-bit
// little-endian values), the rest is the text (UTF-8). The set is sorted,
// disjoint, inside the bounds, and its text reads back to the same set.
#include "data/value_set.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const auto low = static_cast<int16_t>(data[0] | (data[1] << 8));
    const auto high = static_cast<int16_t>(data[2] | (data[3] << 8));
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data) + 4, static_cast<qsizetype>(size - 4));

    const ValueSet set = StrToRange(text, low, high);
    for (int i = 1; i <= set.Count(); ++i) {
        KELTON_FUZZ_CHECK(set[i].Low <= set[i].High);
        if (low <= high && low >= 0)
            KELTON_FUZZ_CHECK(set[i].Low >= low && set[i].High <= high);
        if (i > 1)
            KELTON_FUZZ_CHECK(int32_t{set[i].Low} > int32_t{set[i - 1].High} + 1);
    }
    for (int v : {-1, 0, 1, int{low}, int{high}, 32767, -32768})
        (void)set.Contains(v);

    const QString written = RangeToStr(set);
    if (low <= high && low >= 0)
        KELTON_FUZZ_CHECK(StrToRange(written, low, high) == set);
    return 0;
}
