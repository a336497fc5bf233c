// What every benchmark shares: how many times its body runs, and how it reports a failure so
// that the run ends with a non-zero exit code (a skipped benchmark alone would not).
#pragma once

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

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

inline std::atomic<bool>& anyFailed() {
    static std::atomic<bool> failed{false};
    return failed;
}

inline void fail(benchmark::State& state, const char* message) {
    anyFailed() = true;
    state.SkipWithError(message);
}

}  // namespace bench
