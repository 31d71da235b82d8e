// The definition text of a game (the seven base sections and the options
// text): accepted or refused; an accepted one answers every query and its
// text reads back to the same definition.
#include "data/lottor_head.h"
#include "support.h"

using namespace kelton;

namespace {

void AskEverything(CLottorHead& head)
{
    for (int16_t i = -1; i <= 2; ++i) {
        (void)head.RowColor(i);
        (void)head.RankColor(i);
    }
    for (int16_t i = -1; i <= CLottorHead::kSourceCount; ++i) {
        (void)head.WwwNumLink(i);
        (void)head.WwwNumFormat(i);
        (void)head.WwwNumCaption(i);
    }
    FormatTokens tokens;
    for (int16_t i = -1; i <= CLottorHead::kFormatCount; ++i) {
        const QString format = head.NumFormatStr(i);
        (void)head.FormatVail(format);
        (void)head.StrToFormat(format, tokens);
    }
    for (int16_t x = -1; x <= head.BcMain + 1 && x < 40; ++x) {
        for (int16_t z = -1; z <= head.MrMain + 1 && z < 40; ++z) {
            for (int16_t l = -1; l <= 2; ++l)
                (void)head.WinMod(x, z, l);
        }
    }
    for (int filter = -1; filter <= head.BcMain + 44 && filter < 200; ++filter) {
        (void)head.ShrinkHL(static_cast<int16_t>(filter), 0);
        (void)head.ShrinkHL(static_cast<int16_t>(filter), 1);
    }
    for (int16_t i = -1; i <= head.WayCount() && i < 200; ++i) {
        for (int16_t kind = -1; kind <= 5; ++kind)
            (void)head.WayGet(i, kind);
    }
    for (int16_t i = -1; i <= head.WayGroupCount() && i < 200; ++i)
        (void)head.WayGroupGet(i);
    for (int row = -1; row <= head.BM + 45 && row < 200; ++row) {
        (void)head.WayDefConsult(static_cast<int16_t>(row), 0);
        (void)head.WayDefConsult(static_cast<int16_t>(row), 1);
    }
    (void)head.GetDefFormat();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CLottorHead head;
    head.SetHeadStr(fuzz::Text(data, size));
    if (!head.Enable()) {
        KELTON_FUZZ_CHECK(head.HeadStr().isEmpty());
        return 0;
    }
    KELTON_FUZZ_CHECK(head.BcMain >= 1 && head.BcMain <= head.BcDataLen);
    KELTON_FUZZ_CHECK(head.MrMain >= 0 && head.MrMain <= head.MrDataLen);
    KELTON_FUZZ_CHECK(head.BM == head.BcMain + head.MrMain);
    KELTON_FUZZ_CHECK(head.FormatVail(head.DefNumFormat));
    AskEverything(head);

    // The text written reads back to the same game. A name may lose a line
    // break or blanks around it once; after that the text reads back to itself.
    const QString written = head.HeadStr();
    CLottorHead again;
    again.SetHeadStr(written);
    KELTON_FUZZ_CHECK_TEXT(again.Enable(), written);
    KELTON_FUZZ_CHECK(again.BcDataLen == head.BcDataLen && again.BcMain == head.BcMain);
    KELTON_FUZZ_CHECK(again.MrDataLen == head.MrDataLen && again.MrMain == head.MrMain);
    KELTON_FUZZ_CHECK(again.CustomStat == head.CustomStat && again.InferShowCourse == head.InferShowCourse);
    KELTON_FUZZ_CHECK(again.ListAsc == head.ListAsc && again.CycleColor == head.CycleColor);
    KELTON_FUZZ_CHECK(again.WayCount() == head.WayCount() && again.WayGroupCount() == head.WayGroupCount());
    for (int16_t i = 0; i < CLottorHead::kFormatCount; ++i)
        KELTON_FUZZ_SAME(again.NumFormatStr(i), head.NumFormatStr(i));
    for (int16_t x = 0; x <= head.BcMain && x < 40; ++x) {
        for (int16_t z = 0; z <= head.MrMain && z < 40; ++z) {
            KELTON_FUZZ_CHECK(again.WinMod(x, z, 0) == head.WinMod(x, z, 0));
            KELTON_FUZZ_CHECK(again.WinMod(x, z, 1) == head.WinMod(x, z, 1));
        }
    }
    const QString rewritten = again.HeadStr();
    CLottorHead third;
    third.SetHeadStr(rewritten);
    KELTON_FUZZ_SAME(third.HeadStr(), rewritten);
    return 0;
}
