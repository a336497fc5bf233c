// The message loop with nothing to do (the harness's run until idle, which also checks that every
// other thread is at rest), before and after 10^4 kernel callbacks made on worker threads that
// have all finished: finished threads must cost the loop nothing.
//
// Each measurement runs in a fresh child process (this executable re-run with the flag below),
// so the loop is timed in a program that did nothing else. The child prints the median of many
// empty loops before and after the workers, in nanoseconds; `x_before` is their ratio.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/harness.h"

extern char** environ;

// The flag that makes this executable the child of the benchmark (see main).
extern const char* const kFinishedThreadsChildFlag = "--finished-threads-child";
int runFinishedThreadsChild();

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

struct Measurement {
    long long beforeNanos = -1;
    long long afterNanos = 0;
};

Measurement measureInChild() {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::string self = "/proc/self/exe";
    std::string flag = kFinishedThreadsChildFlag;
    char* argv[] = {self.data(), flag.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return {};
    }
    std::string output;
    char buffer[128];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    Measurement measurement;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(output.c_str(), "%lld %lld", &measurement.beforeNanos, &measurement.afterNanos) != 2) {
        return {};
    }
    return measurement;
}

void BM_EmptyLoopAfterFinishedWorkers(benchmark::State& state) {
    double before = 0, after = 0;
    for (auto _ : state) {
        const Measurement measurement = measureInChild();
        if (measurement.beforeNanos < 0) {
            state.SkipWithError("the child failed (see its messages above)");
            return;
        }
        state.SetIterationTime(static_cast<double>(measurement.afterNanos) / 1e9);
        before += static_cast<double>(measurement.beforeNanos);
        after += static_cast<double>(measurement.afterNanos);
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["before_ns"] = before / iterations;
    state.counters["after_ns"] = after / iterations;
    state.counters["x_before"] = before > 0 ? after / before : 0;
}
BENCHMARK(BM_EmptyLoopAfterFinishedWorkers)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3);

}  // namespace

int runFinishedThreadsChild() {
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
