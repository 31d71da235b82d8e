// The game data file: header, draw records and definition text of any
// content, opened with two data views and no statistics files (so that the
// views are built from the draws). A refused file is left exactly as it was;
// a loaded game is released (its definition written back) and opens again
// with the same draws.
#include <QFile>

#include "data/lottor_data.h"
#include "engine/stat.h"
#include "support.h"

using namespace kelton;

namespace {

constexpr int16_t kViews = 2;

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::WorkFolder() + QStringLiteral("/lottor.dat");
    for (int16_t v = 0; v < CStat::kViewCount; ++v)
        QFile::remove(CLottorData::StatPath(path, v));
    const QByteArray input = fuzz::Bytes(data, size);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input) != input.size())
            fuzz::Fail("write the input file", __FILE__, __LINE__);
    }

    std::vector<int32_t> names;
    std::vector<int16_t> numbers;
    {
        CLottorData game;
        if (game.OpenData(kViews, path)) {
            KELTON_FUZZ_CHECK(game.NumCount() == 0 && game.ViewCount() == 0);
            KELTON_FUZZ_CHECK(FileBytes(path) == input);
            return 0;
        }
        const CLottorHead& head = game.HeadData;
        KELTON_FUZZ_CHECK(head.Enable());
        KELTON_FUZZ_CHECK(game.NumCount() >= 0 && game.NumCount() == game.Header().DrawCount);
        KELTON_FUZZ_CHECK(game.ViewCount() == kViews);
        for (int16_t v = 0; v < kViews; ++v) {
            const CStat* view = game.StatView(v);
            KELTON_FUZZ_CHECK(view && view->RecordCount() == game.NumCount() + 1);
        }
        for (int32_t i = -1; i <= game.NumCount(); ++i) {
            (void)game.NumName(i);
            for (int16_t p = -1; p <= head.BM + 1 && p < 50; ++p) {
                const int16_t n = game.Num(p, i);
                if (i >= 0 && i < game.NumCount() && p >= 1 && p <= head.BM)
                    KELTON_FUZZ_CHECK(n >= 0 && n <= (p <= head.BcMain ? head.BcDataLen : head.MrDataLen));
            }
        }
        names.assign(game.NameData().begin(), game.NameData().end());
        numbers.assign(game.NumData().begin(), game.NumData().end());
    }

    // Released: the definition was written back; the game opens again as it was.
    CLottorData again;
    KELTON_FUZZ_CHECK(!again.OpenData(kViews, path));
    KELTON_FUZZ_CHECK(std::equal(names.begin(), names.end(), again.NameData().begin(), again.NameData().end()));
    KELTON_FUZZ_CHECK(
        std::equal(numbers.begin(), numbers.end(), again.NumData().begin(), again.NumData().end()));
    return 0;
}
