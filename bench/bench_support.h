// What every benchmark shares: how many times its body runs, and how it reports a failure so
// that the run ends with a non-zero exit code (a skipped benchmark alone would not).
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace bench {

// `KORVO_BENCH_SMOKE=1` (what CI sets) runs each body once: a check that every benchmark still
// builds and runs, not a timing.
inline bool smokeRun() {
    const char* value = std::getenv("KORVO_BENCH_SMOKE");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

inline int iterations(int timed) { return smokeRun() ? 1 : timed; }

// Fewer repetitions than `make bench` asks of the others, for a benchmark whose every run first
// writes a folder of 10^5 files: on this machine's file system that takes most of a minute, and
// nine repetitions of it would hold `make bench` for over half an hour.
inline int bigFolderRepetitions() { return smokeRun() ? 1 : 3; }

// The middle value (the upper one of an even count): what a benchmark judges, so that a few
// timings a busy machine spoiled do not decide. Zero when there are none.
inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

inline std::atomic<bool>& anyFailed() {
    static std::atomic<bool> failed{false};
    return failed;
}

// Set when a repetition of the benchmark now running failed; the failure reporter clears it once
// the benchmark's repetitions are over (the library reports them together, before the next
// benchmark starts, unless --benchmark_enable_random_interleaving mixes the benchmarks' turns).
inline bool& repetitionFailed() {
    static bool failed = false;
    return failed;
}

// Fails the repetition from inside its timing loop, or after it (the caller then leaves the loop).
inline void fail(benchmark::State& state, const char* message) {
    anyFailed() = true;
    repetitionFailed() = true;
    state.SkipWithError(message);
}

// Fails the repetition before its timing loop has started. The loop still runs (no iteration
// runs once the repetition failed): the library counts a repetition's iterations only once its
// loop has started, and aggregates over repetitions of unequal counts end the run with an abort.
inline void failBeforeLoop(benchmark::State& state, const char* message) {
    fail(state, message);
    for (auto _ : state) {
    }
}

// What every benchmark body calls first: false, with the repetition failed at once, when an
// earlier repetition of the same benchmark failed. The library (1.7) computes the aggregates of
// a benchmark whose first repetition failed from that repetition's unset statistics, and crashes,
// when two or more later ones ran: failing the rest leaves it nothing to compute from, and the
// run ends with exit code 1 instead.
inline bool mayRun(benchmark::State& state) {
    if (!repetitionFailed()) return true;
    failBeforeLoop(state, "an earlier repetition failed");
    return false;
}

}  // namespace bench
