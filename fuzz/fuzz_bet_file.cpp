// The bet-file reader: the first line is a number format (GBK), the rest
// the bytes of a bet file, read with each test game. Every non-empty line
// is a bet, left out for a number out of range, unreadable, or one of the
// two title lines; every bet
// kept has the game's positions with numbers in range. Bets read with the
// game's default format are written and read back to the same bets.
#include "data/draw_text.h"
#include "data/lottor_head.h"
#include "data/number_format.h"
#include "platform/gbk.h"
#include "results/bet_file.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const qsizetype end = bytes.indexOf('\n');
    QByteArrayView first = end < 0 ? QByteArrayView(bytes) : QByteArrayView(bytes).first(end);
    if (first.endsWith('\r'))
        first.chop(1);
    const QString format = FromGbk(first);
    const QByteArrayView rest = end < 0 ? QByteArrayView() : QByteArrayView(bytes).sliced(end + 1);

    for (int game = 0; game < fuzz::kGameCount; ++game) {
        const CLottorHead& head = fuzz::Game(game);
        FormatTokens tokens;
        if (!head.StrToFormat(format, tokens))
            continue;
        BetLineReader reader(head, tokens);
        ReadBetLines(rest, reader);
        KELTON_FUZZ_CHECK(reader.TitleLines() >= 0 && reader.TitleLines() <= 2);
        KELTON_FUZZ_CHECK(reader.Bets() + reader.OutOfRange() + reader.Unreadable() + reader.TitleLines() ==
                          reader.NonEmptyLines());
        const size_t stride = static_cast<size_t>(head.BM) + 1;
        const std::vector<int16_t> digits = reader.TakeDigits();
        KELTON_FUZZ_CHECK(digits.size() == static_cast<size_t>(reader.Bets()) * stride);
        for (size_t at = 0; at < digits.size(); at += stride) {
            KELTON_FUZZ_CHECK(digits[at] == 0);
            for (size_t p = 1; p < stride; ++p) {
                const int16_t high = p <= static_cast<size_t>(head.BcMain) ? head.BcDataLen : head.MrDataLen;
                KELTON_FUZZ_CHECK(digits[at + p] >= 0 && digits[at + p] <= high);
            }
        }

        if (format != DefaultNumFormat(head.BcMain, head.MrMain) || digits.empty())
            continue;
        QString text;
        Draw bet;
        for (size_t at = 0, id = 1; at < digits.size(); at += stride, ++id) {
            bet.Issue = static_cast<int32_t>(id);
            bet.Num.assign(digits.begin() + static_cast<ptrdiff_t>(at),
                           digits.begin() + static_cast<ptrdiff_t>(at + stride));
            KELTON_FUZZ_CHECK(AppendNumLine(head, tokens, bet, 1, text));
            text += QStringLiteral("\r\n");
        }
        BetLineReader again(head, tokens);
        ReadBetLines(ToGbk(text), again);
        KELTON_FUZZ_CHECK(again.TakeDigits() == digits);
    }
    return 0;
}
