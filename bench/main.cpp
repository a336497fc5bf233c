#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "bench/child.h"

int main(int argc, char** argv) {
    if (const int exitCode = bench::dispatchChild(argc, argv); exitCode >= 0) return exitCode;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return bench::anyFailed() ? 1 : 0;
}
