// The message loop with nothing to do (the harness's run until idle, which also checks that every
// other thread is at rest), before and after 10^4 kernel callbacks made on worker threads that
// have all finished: finished threads must cost the loop nothing.
//
// Each measurement runs in a child process of its own, so the loop is timed in a program that did
// nothing else. The child prints the median of many empty loops before and after the workers, in
// nanoseconds; `x_before` is their ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/child.h"
#include "platform/harness.h"

namespace {

constexpr int kWorkers = 10000;
constexpr int kLoops = 2000;

// The median time of one empty loop, in nanoseconds.
long long medianEmptyLoop(platform::harness::Session& session) {
    std::vector<long long> times;
    times.reserve(kLoops);
    for (int i = 0; i < kLoops; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        session.runUntilIdle();
        times.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - begin).count());
    }
    std::nth_element(times.begin(), times.begin() + kLoops / 2, times.end());
    return times[kLoops / 2];
}

int finishedThreadsChild(const std::vector<std::string>&) {
    platform::harness::Session session;
    session.start();
    if (session.startResult() == 0) return 1;
    session.runUntilIdle();
    const long long before = medianEmptyLoop(session);
    for (int i = 0; i < kWorkers; ++i) session.kernel().callback([](KorvoServerAppProxy&) {}, true);
    const long long after = medianEmptyLoop(session);
    session.quit();
    if (!session.takeFailures().empty()) return 1;
    std::printf("%lld %lld\n", before, after);
    return 0;
}
const bool registered = bench::registerChild("finished-threads", finishedThreadsChild);

void BM_EmptyLoopAfterFinishedWorkers(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    double before = 0, after = 0;
    for (auto _ : state) {
        std::vector<double> figures;
        std::string error;
        if (!bench::runChild("finished-threads", {}, figures, error) || figures.size() != 2) {
            bench::fail(state, error.empty() ? "the child printed no figures" : error.c_str());
            return;
        }
        state.SetIterationTime(figures[1] / 1e9);
        before += figures[0];
        after += figures[1];
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["before_ns"] = before / iterations;
    state.counters["after_ns"] = after / iterations;
    state.counters["x_before"] = before > 0 ? after / before : 0;
}
BENCHMARK(BM_EmptyLoopAfterFinishedWorkers)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(bench::iterations(3));

}  // namespace
