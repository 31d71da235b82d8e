// The game-list text of the settings file: read, every game and group asked
// for, written and read again to the same text.
#include "data/lotto_items.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CLottoItem items;
    items.SetInfoStr(fuzz::Text(data, size));
    for (int16_t i = -1; i <= items.LottoCount(); ++i) {
        for (int16_t kind = -1; kind <= 3; ++kind)
            (void)items.LottoItemGet(i, kind);
    }
    for (int16_t i = -1; i <= items.LottoGroupCount(); ++i)
        (void)items.LottoGroupGet(i);
    const int16_t select = items.SelectItem();
    KELTON_FUZZ_CHECK(items.LottoCount() == 0 || (select >= 0 && select < items.LottoCount()));

    // Every game and the default game read back as they were, and the text
    // written reads back to itself. Group names are written unescaped, as
    // the text form has them: a name holding "=" or a line break, or one
    // that reads as a comment or a section line, changes on reading (and a
    // section-like name can move the lines after it), so the check is made
    // only for lists whose group names are plain.
    if (!fuzz::GroupNamesPlain(items))
        return 0;
    const QString written = items.InfoStr();
    CLottoItem again;
    again.SetInfoStr(written);
    KELTON_FUZZ_CHECK(again.LottoCount() == items.LottoCount());
    KELTON_FUZZ_CHECK(again.LottoGroupCount() == items.LottoGroupCount());
    for (int16_t i = 0; i < items.LottoCount(); ++i) {
        for (int16_t kind = 0; kind <= 2; ++kind)
            KELTON_FUZZ_SAME(again.LottoItemGet(i, kind), items.LottoItemGet(i, kind));
    }
    KELTON_FUZZ_CHECK(again.SelectItem() == items.SelectItem());
    KELTON_FUZZ_SAME(again.InfoStr(), written);
    return 0;
}
