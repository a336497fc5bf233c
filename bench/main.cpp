#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "bench/child.h"
#include "bench/failure_reporter.h"

int main(int argc, char** argv) {
    if (const int exitCode = bench::dispatchChild(argc, argv); exitCode >= 0) return exitCode;
    const bool aggregatesOnly = bench::takeAggregatesOnlyFlags(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The library keeps the reporter it makes for the flags; it is not ours to delete.
    bench::FailureReporter reporter(*benchmark::CreateDefaultDisplayReporter(), aggregatesOnly);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.anyFailed() || bench::anyFailed() ? 1 : 0;
}
