// The program's first start in an empty program folder, with the main
// window on screen (offscreen): the sample game seeded, its statistics built
// under the progress bar, then opened. Against a plain write of the same
// bytes in as many files, in turn with each start, the file system synced
// before each side. Medians of five.
//
// And "重新生成分析数据" chosen from the menu of the started window, from
// the choice until the command is done (the statistics files complete, the
// windows refreshed); against writing the eight statistics files' bytes in
// 1 MiB blocks, in turn. Medians of five. Goal: within 1.2 times.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include "ui_bench_app.h"

#include "data/app_state.h"
#include "host/ui/app_context.h"
#include "platform/program_folder.h"
#include "platform/services.h"
#include "platform/ui/message_box.h"
#include "shell/lottor_loader.h"
#include "shell/ui/mdi_main.h"

namespace kelton {
namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double MedianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// No message is expected; one that comes is answered at once.
class QuietBoxes : public IMessageBoxes {
public:
    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString&, const QString&,
                                     QMessageBox::StandardButtons) override
    {
        ++Shown;
        return QMessageBox::Ok;
    }
    int Shown = 0;
};

// The sizes of the files under a folder.
std::vector<qint64> FileSizes(const QString& folder)
{
    std::vector<qint64> sizes;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        sizes.push_back(it.fileInfo().size());
    }
    return sizes;
}

// Writes out what is waiting to be written on the file system of a folder,
// so that neither side of a comparison pays for what the other left.
void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

// Writes files of those sizes into a fresh folder in 1 MiB blocks, as the
// statistics benchmark's plain write does.
double PlainWriteMs(const std::vector<qint64>& sizes)
{
    QTemporaryDir dir;
    const std::vector<char> block(size_t(1) << 20, 'x');
    const Clock::time_point start = Clock::now();
    for (size_t i = 0; i < sizes.size(); ++i) {
        const QByteArray path = dir.filePath(QString::number(i)).toLocal8Bit();
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return -1;
        for (qint64 left = sizes[i]; left > 0;) {
            const auto take = static_cast<size_t>(std::min<qint64>(left, static_cast<qint64>(block.size())));
            if (::write(fd, block.data(), take) != static_cast<ssize_t>(take))
                break;
            left -= static_cast<qint64>(take);
        }
        ::close(fd);
    }
    return MsSince(start);
}

void BM_FirstStartAgainstPlainWrite(benchmark::State& state)
{
    bench::EnsureApplication();
    const QString folderBefore = ProgramFolder();
    QuietBoxes boxes;
    const ScopedService<IMessageBoxes> answered(&boxes);
    const ScopedService<LottorLoader> loader(&OpenLottorFile);
    std::vector<double> starts;
    std::vector<double> writes;
    qint64 bytes = 0;
    for (auto _ : state) {
        for (int run = 0; run < 5; ++run) {
            QTemporaryDir dir;
            SetProgramFolder(dir.path());
            double ms = 0;
            {
                AppContext context;
                auto window = std::make_unique<MDIMain>(context);
                SyncFolder(dir.path());
                const Clock::time_point start = Clock::now();
                window->MDIForm_Load();
                ms = MsSince(start);
                if (!context.State.CurLottorData) {
                    state.SkipWithError("the sample game did not open");
                    break;
                }
                context.State.CurLottorData.reset();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const std::vector<qint64> sizes = FileSizes(dir.path());
            bytes = 0;
            for (qint64 size : sizes)
                bytes += size;
            starts.push_back(ms);
            SyncFolder(dir.path());
            writes.push_back(PlainWriteMs(sizes));
        }
    }
    SetProgramFolder(folderBefore);
    const double start = MedianOf(starts);
    const double write = MedianOf(writes);
    state.counters["first_start_ms"] = start;
    state.counters["plain_write_ms"] = write;
    state.counters["ratio"] = write > 0 ? start / write : 0;
    state.counters["MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["boxes"] = boxes.Shown;
}
BENCHMARK(BM_FirstStartAgainstPlainWrite)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MenuRebuildAgainstPlainWrite(benchmark::State& state)
{
    bench::EnsureApplication();
    const QString folderBefore = ProgramFolder();
    QuietBoxes boxes;
    const ScopedService<IMessageBoxes> answered(&boxes);
    const ScopedService<LottorLoader> loader(&OpenLottorFile);
    QTemporaryDir dir;
    SetProgramFolder(dir.path());
    std::vector<double> rebuilds;
    std::vector<double> writes;
    {
        AppContext context;
        auto window = std::make_unique<MDIMain>(context);
        window->MDIForm_Load();
        QCoreApplication::processEvents();
        QAction* command = window->Entry(MainCommand::DataRefresh);
        if (!context.State.CurLottorData || !command || !command->isEnabled()) {
            state.SkipWithError("the sample game did not open");
        } else {
            std::vector<qint64> sizes;
            for (const qint64 size : FileSizes(dir.path() + QStringLiteral("/Lottor"))) {
                if (size > 1024 * 1024)
                    sizes.push_back(size); // the statistics files
            }
            for (auto _ : state) {
                for (int run = 0; run < 5; ++run) {
                    SyncFolder(dir.path());
                    const Clock::time_point start = Clock::now();
                    command->trigger();
                    rebuilds.push_back(MsSince(start));
                    QCoreApplication::processEvents();
                    SyncFolder(dir.path());
                    writes.push_back(PlainWriteMs(sizes));
                }
            }
        }
        context.State.CurLottorData.reset();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetProgramFolder(folderBefore);
    const double rebuild = MedianOf(rebuilds);
    const double write = MedianOf(writes);
    state.counters["rebuild_ms"] = rebuild;
    state.counters["plain_write_ms"] = write;
    state.counters["ratio"] = write > 0 ? rebuild / write : 0;
    state.counters["boxes"] = boxes.Shown;
}
BENCHMARK(BM_MenuRebuildAgainstPlainWrite)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelton
