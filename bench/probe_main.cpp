// The probe: one measured call in a fresh process, for what a benchmark
// loop cannot see (first use of buffers and tables, peak memory). Prints
// "key=value" words; the benchmarks run it and take medians.
//
//   kelton_probe open <seeded folder>     first open of the sample game
//   kelton_probe append <seeded folder>   first append of one draw, then a
//                                         rebuild in the same process
//   kelton_probe other <seeded folder>    first other-filter evaluation of
//                                         the next issue after an open
//   kelton_probe rebuild <draws>          rebuild of all views of a history
//                                         of that length: time, peak memory
//   kelton_probe seed <folder>            seeds a program folder, for running
//                                         the modes above by hand

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "bench_support.h"
#include "engine/stat.h"
#include "engine/stat_views.h"
#include "platform/program_folder.h"

using namespace kelton;
using namespace kelton::bench;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Writes out what is waiting to be written on the file system of a folder.
void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

long PeakKb()
{
    return PeakKbOf(QStringLiteral("/proc/self/status"));
}

int Open(bool append, bool other)
{
    const auto start = Clock::now();
    auto game = std::make_unique<CLottorData>();
    if (game->OpenData(8, QString::fromLatin1(kSampleGamePath)))
        return 1;
    const double openMs = MsSince(start);
    if (!append && !other) {
        std::printf("ms=%.3f draws=%d\n", openMs, game->NumCount());
        return 0;
    }
    if (other) {
        SetOtherFilters(*game);
        const std::vector<int16_t> bet = {0, 1, 2, 3};
        const auto first = Clock::now();
        const bool passed = game->FilterOther(bet, game->NumCount());
        std::printf("ms=%.3f passed=%d\n", MsSince(first), passed ? 1 : 0);
        return 0;
    }
    std::vector<Draw> longer = GameHistory(*game);
    longer.push_back(Draw{longer.back().Issue + 1, {0, 4, 5, 6}});
    const auto appendStart = Clock::now();
    if (game->Add(longer) != static_cast<int16_t>(longer.size()) || game->UpData())
        return 1;
    const double appendMs = MsSince(appendStart);
    const auto rebuildStart = Clock::now();
    if (game->ReStat())
        return 1;
    std::printf("ms=%.3f rebuild_ms=%.3f\n", appendMs, MsSince(rebuildStart));
    return 0;
}

int Rebuild(int32_t draws)
{
    QTemporaryDir dir;
    const StatHistory h = HistoryOf(draws);
    if (static_cast<int32_t>(h.Issues.size()) != draws)
        return 1;
    std::vector<std::unique_ptr<CStat>> owned;
    std::vector<CStat*> views;
    for (int16_t v = 0; v < CStat::kViewCount; ++v) {
        owned.push_back(std::make_unique<CStat>());
        if (!owned.back()->StatCreate(ThreeDigitHead(), dir.filePath(QStringLiteral("g.%1").arg(v)), v))
            return 1;
        views.push_back(owned.back().get());
    }
    const long before = PeakKb();
    const auto start = Clock::now();
    if (BuildStatViews(views, h.Issues, h.Numbers, 0))
        return 1;
    owned.clear(); // the files are closed
    const double ms = MsSince(start);
    const long after = PeakKb();
    const int64_t fileBytes = 37 + int64_t(draws + 1) * 6040;

    // The same bytes in 1 MiB blocks into eight fresh files, for scale.
    const std::vector<char> block(size_t(1) << 20, 'x');
    const auto writeStart = Clock::now();
    for (int v = 0; v < CStat::kViewCount; ++v) {
        QFile file(dir.filePath(QStringLiteral("plain.%1").arg(v)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            return 1;
        for (int64_t left = fileBytes; left > 0; left -= int64_t(block.size()))
            file.write(block.data(), std::min<int64_t>(left, int64_t(block.size())));
    }
    const double writeMs = MsSince(writeStart);
    std::printf("ms=%.3f us_per_draw=%.3f block_write_us_per_draw=%.3f file_bytes_per_draw=%.1f "
                "peak_growth_bytes_per_draw=%.1f\n",
                ms, 1000 * ms / draws, 1000 * writeMs / draws, double(CStat::kViewCount * fileBytes) / draws,
                1024.0 * double(after - before) / draws);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString mode = args[1];
    if (mode == QLatin1String("rebuild"))
        return Rebuild(args[2].toInt());
    if (mode == QLatin1String("seed")) {
        SetProgramFolder(args[2]);
        CLottoItem items;
        return SeedProgramFolder(items, SettingsFileState::NotRead) ? 0 : 1;
    }
    // A copy of the seeded folder, so that every run starts from the same
    // files; the copy is made, and written out, before the clock starts: a
    // user opens files written long before, not 400 MB still on their way
    // to the disk.
    QTemporaryDir dir;
    if (!CopyTree(args[2], dir.path()))
        return 1;
    SyncFolder(dir.path());
    SetProgramFolder(dir.path());
    if (mode == QLatin1String("open"))
        return Open(false, false);
    if (mode == QLatin1String("append"))
        return Open(true, false);
    if (mode == QLatin1String("other"))
        return Open(false, true);
    return 2;
}
