// Number-list text, the number field of a match-filter item: the first three
// bytes give the game's shape (main positions 1..4, largest main value
// 0..39, characters per number 0..3), the rest is the text (UTF-8). Every
// selected value lies in the game's range, the text written has the form of
// its mode, and it reads back to the same text.
#include "data/lottor_head.h"
#include "pickers/ball_list.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    CLottorHead head;
    head.BcMain = static_cast<int16_t>(1 + data[0] % 4);
    head.BM = head.BcMain;
    head.BcDataLen = static_cast<int16_t>(data[1] % 40);
    head.BcNumMaxLen = static_cast<int16_t>(data[2] % 4);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data) + 3, static_cast<qsizetype>(size - 3));

    CBallList list;
    list.SetHeadData(head);
    list.SetBall(text);
    const QString written = list.Ball();
    for (int row = 0; row <= head.BcMain; ++row) {
        for (int v : {-1, head.BcDataLen + 1})
            KELTON_FUZZ_CHECK(!list.Selected(row, v));
    }
    if (list.IsSingle())
        KELTON_FUZZ_CHECK_TEXT(written.count(QLatin1Char(',')) == head.BcMain - 1, written);
    else
        KELTON_FUZZ_CHECK_TEXT(!written.contains(QLatin1Char(',')), written);

    CBallList again;
    again.SetHeadData(head);
    again.SetIsSingle(list.IsSingle());
    again.SetBall(written);
    KELTON_FUZZ_SAME(again.Ball(), written);
    return 0;
}
