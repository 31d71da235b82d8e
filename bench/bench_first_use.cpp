// First calls in a fresh process (the probe program, seven runs each,
// medians) and the program's own peak memory on a first start.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "bench_support.h"

namespace {

using namespace kelton::bench;

constexpr int kRuns = 7;

// Runs the probe in one mode over the seeded folder; the medians of its
// words, or an empty map when it failed.
std::map<QString, double> ProbeMedians(const char* mode)
{
    std::map<QString, std::vector<double>> runs;
    for (int run = 0; run < kRuns; ++run) {
        const auto out = RunProbe({QString::fromLatin1(mode), SampleFolder::Get().Path()});
        if (out.empty())
            return {};
        for (const auto& [key, value] : out)
            runs[key].push_back(value);
    }
    std::map<QString, double> medians;
    for (auto& [key, values] : runs)
        medians[key] = Median(values);
    return medians;
}

// The medians of one probe mode into the state; false, with the benchmark
// skipped, when the probe failed.
bool Probe(benchmark::State& state, const char* mode, std::map<QString, double>& medians)
{
    medians = SampleFolder::Get().Ok() ? ProbeMedians(mode) : std::map<QString, double>{};
    if (medians.empty())
        state.SkipWithError("the probe failed");
    return !medians.empty();
}

void BM_FirstOpenFreshProcess(benchmark::State& state)
{
    std::map<QString, double> m;
    for (auto _ : state) {
        if (Probe(state, "open", m))
            state.counters["first_open_ms"] = m.at(QStringLiteral("ms"));
    }
}
BENCHMARK(BM_FirstOpenFreshProcess)->Iterations(1)->Unit(benchmark::kMillisecond);

// The first append of one draw after an open, against a rebuild of all views
// in the same process.
void BM_FirstAppendFreshProcess(benchmark::State& state)
{
    std::map<QString, double> m;
    for (auto _ : state) {
        if (!Probe(state, "append", m))
            continue;
        const double append = m.at(QStringLiteral("ms"));
        const double rebuild = m.at(QStringLiteral("rebuild_ms"));
        state.counters["first_append_ms"] = append;
        state.counters["rebuild_ms"] = rebuild;
        state.counters["append_per_rebuild_pct"] = rebuild > 0 ? 100 * append / rebuild : 0;
    }
}
BENCHMARK(BM_FirstAppendFreshProcess)->Iterations(1)->Unit(benchmark::kMillisecond);

// The first other-filter evaluation of the next issue right after the game
// was opened (the views' numbers come from their files).
void BM_FirstOtherFilterAfterOpen(benchmark::State& state)
{
    std::map<QString, double> m;
    for (auto _ : state) {
        if (Probe(state, "other", m))
            state.counters["first_other_ms"] = m.at(QStringLiteral("ms"));
    }
}
BENCHMARK(BM_FirstOtherFilterAfterOpen)->Iterations(1)->Unit(benchmark::kMillisecond);

#ifdef KELTON_PROGRAM
// CPU time used by a process so far, in clock ticks.
long CpuTicksOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;
}

// The program started on an empty data folder (offscreen): it seeds the
// folder, builds the sample game's statistics and shows its windows. Once
// it has sat idle for half a second its peak memory is read and it is
// stopped. Median of three starts.
void BM_ProgramPeakMemoryFirstStart(benchmark::State& state)
{
    std::vector<double> peaks;
    for (auto _ : state) {
        for (int run = 0; run < 3; ++run) {
            QTemporaryDir data;
            QProcess program;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            program.setProcessEnvironment(env);
            program.setStandardErrorFile(QProcess::nullDevice());
            program.start(QStringLiteral(KELTON_PROGRAM), {});
            if (!program.waitForStarted(10000)) {
                state.SkipWithError("the program did not start");
                return;
            }
            const qint64 pid = program.processId();
            long ticks = -1;
            int idle = 0;
            for (int wait = 0; wait < 600 && idle < 5; ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                const long now = CpuTicksOf(pid);
                idle = now == ticks && QFile::exists(data.path() + QStringLiteral("/Kelton/Kelton/Kelt.dat"))
                           ? idle + 1
                           : 0;
                ticks = now;
            }
            peaks.push_back(static_cast<double>(PeakKbOf(QStringLiteral("/proc/%1/status").arg(pid))) / 1024.0);
            program.kill();
            program.waitForFinished(10000);
        }
    }
    state.counters["program_peak_MiB"] = Median(peaks);
}
BENCHMARK(BM_ProgramPeakMemoryFirstStart)->Iterations(1)->Unit(benchmark::kMillisecond);

// Watches a folder that does not exist yet for the closing of files written
// in it: the folders on the way are watched as they come, and each is
// looked at once watched, so that none made in between is missed.
class CloseWatch {
public:
    CloseWatch(QString root, QStringList path) : m_root(std::move(root)), m_path(std::move(path))
    {
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd >= 0)
            m_watch = inotify_add_watch(m_fd, m_root.toLocal8Bit().constData(), IN_CREATE);
        Descend();
    }
    ~CloseWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool Ok() const { return m_watch >= 0; }

    // Waits up to timeoutMs for the next file closed after writing in the
    // watched folder; its name, or an empty string.
    QString NextClosed(int timeoutMs)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (m_closed.isEmpty()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                until - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return QString();
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                continue;
            alignas(inotify_event) char buffer[16384];
            const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
            for (ssize_t at = 0; got > 0 && at < got;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                if (e->mask & IN_CLOSE_WRITE && m_depth == m_path.size())
                    m_closed << QString::fromLocal8Bit(e->name);
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
            Descend();
        }
        return m_closed.takeFirst();
    }

private:
    // Watches the deepest folder of the path that exists.
    void Descend()
    {
        while (m_fd >= 0 && m_depth < m_path.size()) {
            const QString next = Folder(m_depth + 1);
            if (!QFileInfo(next).isDir())
                return;
            if (m_watch >= 0)
                inotify_rm_watch(m_fd, m_watch);
            ++m_depth;
            const uint32_t mask = m_depth == m_path.size() ? IN_CLOSE_WRITE : IN_CREATE;
            m_watch = inotify_add_watch(m_fd, Folder(m_depth).toLocal8Bit().constData(), mask);
        }
    }
    QString Folder(qsizetype depth) const
    {
        QString folder = m_root;
        for (qsizetype i = 0; i < depth; ++i)
            folder += QLatin1Char('/') + m_path[i];
        return folder;
    }

    QString m_root;
    QStringList m_path;
    int m_fd = -1;
    int m_watch = -1;
    qsizetype m_depth = 0;
    QStringList m_closed;
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

// Writes out what is waiting to be written on the file system of a folder.
void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

// Writes files of those sizes into a fresh folder in 1 MiB blocks.
double PlainWriteMs(const std::vector<qint64>& sizes)
{
    QTemporaryDir dir;
    const std::vector<char> block(size_t(1) << 20, 'x');
    const auto start = std::chrono::steady_clock::now();
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
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The program started as a user starts it, on an empty data folder
// (offscreen), timed from the start of the process until the eighth of the
// sample game's statistics files is closed, complete; against writing the
// files of the seeded folder in 1 MiB blocks, in turn with each start. The
// file system is synced before each side, so that neither pays for what the
// other left to be written.
// Medians of seven starts; "ratio" is the start over the write.
void BM_FirstStartWholeProcess(benchmark::State& state)
{
    std::vector<double> starts;
    std::vector<double> writes;
    qint64 bytes = 0;
    for (auto _ : state) {
        for (int run = 0; run < kRuns; ++run) {
            QTemporaryDir data;
            CloseWatch watch(data.path(), {QStringLiteral("Kelton"), QStringLiteral("Kelton"),
                                           QStringLiteral("Lottor")});
            if (!watch.Ok()) {
                state.SkipWithError("the data folder cannot be watched");
                return;
            }
            QProcess program;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            program.setProcessEnvironment(env);
            program.setStandardErrorFile(QProcess::nullDevice());
            // Both sides start with nothing waiting to be written.
            SyncFolder(data.path());
            const auto start = std::chrono::steady_clock::now();
            program.start(QStringLiteral(KELTON_PROGRAM), {});
            int complete = 0;
            for (QString name; complete < 8 && !(name = watch.NextClosed(30000)).isEmpty();)
                complete += name.startsWith(QLatin1String("lottor1000.")) ? 1 : 0;
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            program.kill();
            program.waitForFinished(10000);
            if (complete < 8) {
                state.SkipWithError("the statistics files were not completed");
                return;
            }
            const std::vector<qint64> sizes = FileSizes(data.path() + QStringLiteral("/Kelton/Kelton"));
            bytes = 0;
            for (qint64 size : sizes)
                bytes += size;
            starts.push_back(ms);
            SyncFolder(data.path());
            writes.push_back(PlainWriteMs(sizes));
        }
    }
    const double start = Median(starts);
    const double write = Median(writes);
    state.counters["first_start_ms"] = start;
    state.counters["first_start_min_ms"] = *std::min_element(starts.begin(), starts.end());
    state.counters["block_write_ms"] = write;
    state.counters["ratio"] = write > 0 ? start / write : 0;
    state.counters["MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_FirstStartWholeProcess)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

} // namespace
