// First calls in a fresh process (the probe program, seven runs each,
// medians) and the program's own peak memory on a first start.

#include <benchmark/benchmark.h>

#include <signal.h>

#include <chrono>
#include <thread>
#include <vector>

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
#endif

} // namespace
