// The item lines of the three other-filter lists, read for each test game:
// a line is taken or refused, and the line written for a taken item is read
// back to the same line.
#include "data/filter_items.h"
#include "data/lottor_head.h"
#include "data/text_helpers.h"
#include "support.h"

using namespace kelton;

namespace {

template <class List>
void ReadLines(const CLottorHead& head, const QStringList& lines)
{
    List list;
    list.IniClass(&head);
    for (const QString& line : lines) {
        const int16_t before = list.ItemCount();
        const bool taken = list.AddPerVal(line);
        KELTON_FUZZ_CHECK(list.ItemCount() == before + (taken ? 1 : 0));
    }
    List again;
    again.IniClass(&head);
    for (int16_t i = 1; i <= list.ItemCount(); ++i) {
        const QString written = list.PerVal(i);
        KELTON_FUZZ_CHECK(again.AddPerVal(written));
        KELTON_FUZZ_SAME(again.PerVal(i), written);
    }
    (void)list.PerVal(0);
    (void)list.PerVal(static_cast<int16_t>(list.ItemCount() + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList lines = SplitLines(fuzz::Text(data, size));
    for (int game = 0; game < fuzz::kGameCount; ++game) {
        CLottorHead head = fuzz::Game(game);
        ReadLines<CFilterMatch>(head, lines);
        ReadLines<CFilterHistory>(head, lines);
        ReadLines<CFilterGather>(head, lines);
    }
    return 0;
}
