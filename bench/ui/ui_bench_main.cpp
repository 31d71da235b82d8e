// The window benchmarks' main. The windows a benchmark keeps for the whole
// run, and the QApplication they live in, are function statics; left to
// static destruction, the application would end after Qt's own globals and
// crash the process at exit, after every figure was printed. So the run
// ends here, its output flushed and the seeded sample folder removed,
// without static destruction.

#include <cstdio>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "../sample_game.h"

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kelton::bench::SampleFolder::RemoveIfMade();
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
