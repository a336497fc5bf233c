// The whole start-up on the sample setup, up to the end of the first idle pass, with the
// real-time clock.
//
// A session owns the process's state and cannot be started twice in one process, so every
// measured start-up runs in a fresh child process (this executable re-run with --startup-child).
// The child times only start() and the first runUntilIdle() and reports the microseconds; the
// benchmark uses that figure as the iteration's time, so process creation, seeding the host
// folder and shutting down are not counted.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "platform/core/text.h"
#include "platform/harness.h"

extern char** environ;

namespace {

constexpr const char* kChildFlag = "--startup-child";

int runChild() {
    platform::harness::Config config;
    config.platform.clock = platform::core::ClockMode::Real;
    platform::harness::Session session(config);
    const auto begin = std::chrono::steady_clock::now();
    session.start();
    session.runUntilIdle();
    const auto end = std::chrono::steady_clock::now();
    const int result = session.startResult();
    session.quit();
    bool failed = result == 0;
    for (const auto& failure : session.takeFailures()) {
        std::cerr << "failure: " << platform::core::toUtf8(failure) << "\n";
        failed = true;
    }
    if (failed) return 1;
    std::printf("%lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(end - begin).count()));
    return 0;
}

// Runs one child and returns its start-up time in microseconds, or a negative value.
long long measureOnce(std::string& error) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        error = "pipe failed";
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    char self[] = "/proc/self/exe";
    char flag[64];
    std::snprintf(flag, sizeof flag, "%s", kChildFlag);
    char* argv[] = {self, flag, nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        error = std::string("cannot start a child: ") + std::strerror(spawned);
        return -1;
    }
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "the start-up failed in the child (see its messages above)";
        return -1;
    }
    return std::stoll(output);
}

void BM_StartupToFirstIdle(benchmark::State& state) {
    for (auto _ : state) {
        std::string error;
        const long long micros = measureOnce(error);
        if (micros < 0) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(static_cast<double>(micros) / 1e6);
    }
}
BENCHMARK(BM_StartupToFirstIdle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], kChildFlag) == 0) return runChild();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
