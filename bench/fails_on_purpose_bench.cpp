// A benchmark that fails its second repetition, there only when KORVO_BENCH_FAIL_ON_PURPOSE=1:
// `make bench-smoke` runs it to show that a failed repetition names itself on standard error,
// however the results are reported.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "bench/bench_support.h"

namespace {

void BM_FailsOnPurpose(benchmark::State& state) {
    static int repetition = 0;
    const bool failNow = ++repetition == 2;
    for (auto _ : state) {
        if (failNow) {
            bench::fail(state, "the second repetition fails on purpose");
            return;
        }
    }
}

bool registerOnRequest() {
    const char* value = std::getenv("KORVO_BENCH_FAIL_ON_PURPOSE");
    if (value == nullptr || std::strcmp(value, "1") != 0) return false;
    benchmark::RegisterBenchmark("BM_FailsOnPurpose", BM_FailsOnPurpose)->Iterations(1);
    return true;
}
const bool registered = registerOnRequest();

}  // namespace
