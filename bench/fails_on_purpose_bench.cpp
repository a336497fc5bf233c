// Benchmarks that fail on purpose, there only when KORVO_BENCH_FAIL_ON_PURPOSE=1: `make bench-smoke`
// runs them to show that a failed repetition names itself on standard error and ends the run with
// exit code 1, however the results are reported and whichever repetition fails.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "bench/bench_support.h"

namespace {

// Fails its second repetition inside the timing loop.
void BM_FailsOnPurpose(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    static int repetition = 0;
    const bool failNow = ++repetition == 2;
    for (auto _ : state) {
        if (failNow) {
            bench::fail(state, "the second repetition fails on purpose");
            return;
        }
    }
}

// Fails its first repetition, as a benchmark's own check can under load, and would pass the later
// ones: the library's aggregates over such repetitions are what once crashed `make bench`.
void BM_FailsOnPurposeFirst(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    static int repetition = 0;
    const bool failNow = ++repetition == 1;
    for (auto _ : state) {
    }
    if (failNow) bench::fail(state, "the first repetition fails on purpose");
}

// Passes two repetitions, then fails before its timing loop: the aggregates over the passed ones
// must still be computed, and the failed repetitions counted alike.
void BM_FailsOnPurposeBeforeItsLoop(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    static int repetition = 0;
    if (++repetition == 3) {
        bench::failBeforeLoop(state, "the third repetition fails on purpose before its loop");
        return;
    }
    for (auto _ : state) {
    }
}

bool registerOnRequest() {
    const char* value = std::getenv("KORVO_BENCH_FAIL_ON_PURPOSE");
    if (value == nullptr || std::strcmp(value, "1") != 0) return false;
    benchmark::RegisterBenchmark("BM_FailsOnPurpose", BM_FailsOnPurpose)->Iterations(1);
    benchmark::RegisterBenchmark("BM_FailsOnPurposeFirst", BM_FailsOnPurposeFirst)->Iterations(1);
    benchmark::RegisterBenchmark("BM_FailsOnPurposeBeforeItsLoop", BM_FailsOnPurposeBeforeItsLoop)->Iterations(1);
    return true;
}
const bool registered = registerOnRequest();

}  // namespace
