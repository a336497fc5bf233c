// The whole start-up on the sample setup, up to the end of the first idle pass, with the
// real-time clock: the first start over a fresh host folder, and a later start over a folder
// an earlier run has already set up (registry written, folders made).
//
// A session owns the process's state and cannot be started twice in one process, so every
// measured start-up runs in a fresh child process (this executable re-run with --startup-child).
// The child times only start() and the first runUntilIdle() (which includes writing out the
// registry hives the start-up changed, as the loop goes idle) and reports the microseconds; the
// benchmark uses that figure as the iteration's time, so process creation, seeding the host
// folder and shutting down are not counted.
//
// For scale, the child also times reading every file of the host folder once (what the start-up
// reads is a subset of it, plus what it wrote), reported as the counter `read_ms`; `x_read` is
// the start-up's multiple of it.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "bench/bench_support.h"
#include "platform/core/text.h"
#include "platform/harness.h"

extern char** environ;

// bench/finished_threads_bench.cpp: its child's flag and body.
extern const char* const kFinishedThreadsChildFlag;
int runFinishedThreadsChild();

namespace {

constexpr const char* kChildFlag = "--startup-child";

using Clock = std::chrono::steady_clock;

long long microsSince(Clock::time_point begin) {
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begin).count());
}

// Reads every regular file below `root` once; the time in microseconds.
long long timeReadingEveryFile(const std::filesystem::path& root) {
    const auto begin = Clock::now();
    std::error_code error;
    std::size_t bytes = 0;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error); !error && it != std::filesystem::end(it);
         it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        std::ifstream in(it->path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        bytes += text.size();
    }
    benchmark::DoNotOptimize(bytes);
    return microsSince(begin);
}

// The child: one start-up, over `hostRoot` when given (a later start) or over a fresh folder.
// Prints "<start-up us> <reading us>".
int runChild(const char* hostRoot) {
    platform::harness::Config config;
    config.platform.clock = platform::core::ClockMode::Real;
    if (hostRoot != nullptr) {
        config.platform.hostRoot = hostRoot;
        config.keepExistingProgramFolder = true;
    }
    platform::harness::Session session(config);
    const auto begin = Clock::now();
    session.start();
    session.runUntilIdle();
    const long long startupMicros = microsSince(begin);
    const int result = session.startResult();
    const long long readMicros = timeReadingEveryFile(session.hostRoot());
    session.quit();
    bool failed = result == 0;
    for (const auto& failure : session.takeFailures()) {
        std::cerr << "failure: " << platform::core::toUtf8(failure) << "\n";
        failed = true;
    }
    if (failed) return 1;
    std::printf("%lld %lld\n", startupMicros, readMicros);
    return 0;
}

struct Measurement {
    long long startupMicros = -1;
    long long readMicros = 0;
};

// Runs one child; a negative start-up time with `error` set when it failed.
Measurement measureOnce(const std::string& hostRoot, std::string& error) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        error = "pipe failed";
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::string self = "/proc/self/exe";
    std::string flag = kChildFlag;
    std::string host = hostRoot;
    std::vector<char*> argv{self.data(), flag.data()};
    if (!host.empty()) argv.push_back(host.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        error = std::string("cannot start a child: ") + std::strerror(spawned);
        return {};
    }
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    Measurement measurement;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(output.c_str(), "%lld %lld", &measurement.startupMicros, &measurement.readMicros) != 2) {
        error = "the start-up failed in the child (see its messages above)";
        return {};
    }
    return measurement;
}

void runStartups(benchmark::State& state, const std::string& hostRoot) {
    double readSeconds = 0;
    double startupSeconds = 0;
    for (auto _ : state) {
        std::string error;
        const Measurement measurement = measureOnce(hostRoot, error);
        if (measurement.startupMicros < 0) {
            bench::fail(state, error.c_str());
            return;
        }
        state.SetIterationTime(static_cast<double>(measurement.startupMicros) / 1e6);
        startupSeconds += static_cast<double>(measurement.startupMicros) / 1e6;
        readSeconds += static_cast<double>(measurement.readMicros) / 1e6;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["read_ms"] = readSeconds * 1e3 / iterations;
    state.counters["x_read"] = readSeconds > 0 ? startupSeconds / readSeconds : 0;
}

void BM_FirstStartup(benchmark::State& state) { runStartups(state, ""); }
BENCHMARK(BM_FirstStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(5));

// One folder for all repetitions, set up by an unmeasured first run.
void BM_LaterStartup(benchmark::State& state) {
    std::error_code ignored;
    std::string folder = (std::filesystem::temp_directory_path(ignored) / "korvo-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        bench::fail(state, "cannot create a host folder");
        return;
    }
    std::string error;
    if (measureOnce(folder, error).startupMicros < 0) {
        bench::fail(state, error.c_str());
    } else {
        runStartups(state, folder);
    }
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_LaterStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(5));

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], kChildFlag) == 0) return runChild(argc > 2 ? argv[2] : nullptr);
    if (argc > 1 && std::strcmp(argv[1], kFinishedThreadsChildFlag) == 0) return runFinishedThreadsChild();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return bench::anyFailed() ? 1 : 0;
}
