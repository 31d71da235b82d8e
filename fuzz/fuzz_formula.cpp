// Formula texts: parsed (TestStrWay), range-checked (FilterWay) and evaluated
// (GetWayResult) at the first draw and the next issue of a small real game
// with all eight views. A refused text names a piece inside it; an
// evaluation gives a value within the size limit or a failure with its
// cause; no input takes a second.
#include <QElapsedTimer>

#include "data/lottor_data.h"
#include "formula/game_way_history.h"
#include "formula/way.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GameWayHistory history(fuzz::SmallGame());
    const QString text = fuzz::Text(data, size);
    QElapsedTimer timer;
    timer.start();

    CWay way;
    int32_t start = 0, count = 0;
    if (way.TestStrWay(text, start, count)) {
        // A piece of the text; one of length 0 may stand just past its end.
        KELTON_FUZZ_CHECK_TEXT(start >= 1 && count >= 0 && start + count - 1 <= text.size(), text);
        KELTON_FUZZ_CHECK_TEXT(way.GetWayResult(0, &history).Value.isEmpty(), text);
        return 0;
    }
    const QString message = way.FilterWay();
    KELTON_FUZZ_CHECK_TEXT(message.isEmpty() || message.startsWith(QStringLiteral("参数的值")), text);

    for (int32_t draw : {0, static_cast<int32_t>(history.NumCount())}) {
        const WayResult r = way.GetWayResult(draw, &history);
        if (r.Ok()) {
            KELTON_FUZZ_CHECK_TEXT(r.Value.size() <= CWay::kMaxValueChars && r.Cause.isEmpty(), text);
        } else {
            KELTON_FUZZ_CHECK_TEXT(r.Value.isEmpty() && !r.Cause.isEmpty(), text);
        }
    }
    KELTON_FUZZ_CHECK_TEXT(timer.elapsed() < 1000, text);
    return 0;
}
