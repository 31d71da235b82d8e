// Number formats and the draw-text reader: the first line is a number
// format, the rest draw lines, read with each test game. A line is read or
// refused; every draw read has exactly the game's positions.
#include "data/draw_text.h"
#include "data/lottor_head.h"
#include "data/number_format.h"
#include "data/text_helpers.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzz::Text(data, size);
    const auto [format, lines] = fuzz::SplitFormat(text);

    for (int game = 0; game < fuzz::kGameCount; ++game) {
        CLottorHead head = fuzz::Game(game);
        (void)head.FormatVail(format);

        FormatTokens tokens;
        const bool parsed = head.StrToFormat(format, tokens);
        if (parsed) {
            KELTON_FUZZ_CHECK(tokens.size() == static_cast<size_t>(format.toUpper().size()) + 1);
            for (const QString& line : SplitLines(lines)) {
                Draw draw;
                if (LineToNum(head, tokens, line, draw)) {
                    KELTON_FUZZ_CHECK(draw.Num.size() == static_cast<size_t>(head.BM) + 1);
                    KELTON_FUZZ_CHECK(draw.Num[0] == 0);
                }
            }
        }

        std::vector<Draw> draws;
        const int32_t count = StrToNum(head, format, lines, draws, game == 0);
        KELTON_FUZZ_CHECK(count >= 0);
        KELTON_FUZZ_CHECK(count == 0 || (parsed && static_cast<size_t>(count) == draws.size()));
        if (count > 0) {
            // Written back with the same format: no position outside the draw.
            QString out;
            (void)NumToStr(head, format, draws, out);
        }
    }
    return 0;
}
