// Filter scheme texts read for a small real game with all eight views: a
// refused text changes nothing; a text read and applied is written, and the
// written text read and applied again gives that text back.
#include "data/lottor_data.h"
#include "filter/scheme_file.h"
#include "support.h"

using namespace kelton;

namespace {

// Reads and applies a text as the filter window does; the text of the
// setting it left, or the empty text when it was refused.
QString LoadAndWrite(CLottorData& game, const QString& text)
{
    std::optional<FilterScheme> scheme = ReadSchemeText(text, game);
    if (!scheme)
        return QString();
    SchemeWindowPart window = scheme->Window;
    window.IssuePosition = SchemeIssuePosition(*scheme, game.NumCount());
    KELTON_FUZZ_CHECK_TEXT(window.IssuePosition >= 0 && window.IssuePosition <= game.NumCount(), text);
    KELTON_FUZZ_CHECK_TEXT(window.BetType >= 0 && window.BetType <= 4, text);
    ApplySchemeToGame(std::move(*scheme), game);
    return SchemeText(game, window);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CLottorData& game = fuzz::SmallGame();
    const QString text = fuzz::Text(data, size);
    const QString before = SchemeText(game, {0, 0});
    const QString written = LoadAndWrite(game, text);
    if (written.isEmpty()) {
        KELTON_FUZZ_SAME(SchemeText(game, {0, 0}), before);
        return 0;
    }
    KELTON_FUZZ_SAME(LoadAndWrite(game, written), written);
    return 0;
}
