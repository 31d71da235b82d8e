// The draw editor's reading of a draw text into its table (the import and
// the download): the first line is a number format, the rest the text, read
// with each test game into a table that already holds two draws. The table
// stays in ascending issue order without repeats, and every row it gains
// holds a positive issue and the game's count of numbers, each within its
// area.
#include "data/lottor_head.h"
#include "data/text_helpers.h"
#include "games/draw_grid.h"
#include "support.h"

using namespace kelton;

namespace {

bool NumbersFit(const CLottorHead& head, const QString& numbers)
{
    const QStringList fields = numbers.split(QLatin1Char(' '));
    if (fields.size() != head.BM)
        return false;
    for (int i = 0; i < head.BM; ++i) {
        bool ok = false;
        const int value = fields[i].toInt(&ok);
        if (!ok || value < 0 || value > (i < head.BcMain ? head.BcDataLen : head.MrDataLen))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzz::Text(data, size);
    const auto [format, lines] = fuzz::SplitFormat(text);

    for (int game = 0; game < fuzz::kGameCount; ++game) {
        CLottorHead head = fuzz::Game(game);
        CGridData cells;
        CGridDataRows rows(cells);
        QStringList zeros;
        for (int i = 0; i < head.BM; ++i)
            zeros << QStringLiteral("0");
        rows.InsertRow(1, QStringLiteral("2024002"), zeros.join(QLatin1Char(' ')));
        rows.InsertRow(2, QStringLiteral("2024004"), zeros.join(QLatin1Char(' ')));

        const DrawTextRead read = ParseDrawText(rows, head, lines, format);
        KELTON_FUZZ_CHECK(!read.Failed);
        KELTON_FUZZ_CHECK(read.Read || read.Inserted == 0);
        KELTON_FUZZ_CHECK(rows.Rows() == 3 + read.Inserted);
        KELTON_FUZZ_CHECK(read.Inserted == 0 || (read.LastRow >= 1 && read.LastRow < rows.Rows()));
        int64_t previous = 0;
        for (int r = 1; r < rows.Rows(); ++r) {
            const std::optional<int64_t> issue = IssueValue(rows.TextMatrix(r, kIssueCol));
            KELTON_FUZZ_CHECK(issue && *issue > previous);
            KELTON_FUZZ_CHECK_TEXT(NumbersFit(head, rows.TextMatrix(r, kNumbersCol)), rows.TextMatrix(r, kNumbersCol));
            previous = *issue;
        }
    }
    return 0;
}
