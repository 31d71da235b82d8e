// The options text of a game (download sources, formats, prizes, display
// options, the formula sections) read into an accepted definition of each
// test game; the text written reads back to the same text.
#include "data/lottor_head.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzz::Text(data, size);
    for (int game = 0; game < fuzz::kGameCount; ++game) {
        CLottorHead head = fuzz::Game(game);
        head.SetInfoStr(text);
        for (int16_t i = -1; i <= head.WayCount(); ++i) {
            for (int16_t kind = -1; kind <= 5; ++kind)
                (void)head.WayGet(i, kind);
        }
        for (int16_t i = -1; i <= CLottorHead::kFormatCount; ++i) {
            FormatTokens tokens;
            (void)head.StrToFormat(head.NumFormatStr(i), tokens);
        }
        const QString written = head.InfoStr();

        // Read back into the same game: the same options. Texts may lose a
        // line break or blanks once; after that the text reads back to itself.
        CLottorHead again = fuzz::Game(game);
        again.SetInfoStr(written);
        KELTON_FUZZ_CHECK(again.CustomStat == head.CustomStat && again.InferShowCourse == head.InferShowCourse);
        KELTON_FUZZ_CHECK(again.ListAsc == head.ListAsc);
        KELTON_FUZZ_CHECK(again.WayCount() == head.WayCount());
        KELTON_FUZZ_CHECK(again.WayGroupCount() == head.WayGroupCount());
        for (int16_t i = 0; i < CLottorHead::kFormatCount; ++i)
            KELTON_FUZZ_SAME(again.NumFormatStr(i), head.NumFormatStr(i));
        for (int16_t x = 0; x <= head.BcMain; ++x) {
            for (int16_t z = 0; z <= head.MrMain; ++z)
                KELTON_FUZZ_CHECK(again.WinMod(x, z, 1) == head.WinMod(x, z, 1));
        }
        const QString rewritten = again.InfoStr();
        CLottorHead third = fuzz::Game(game);
        third.SetInfoStr(rewritten);
        KELTON_FUZZ_SAME(third.InfoStr(), rewritten);
    }
    return 0;
}
