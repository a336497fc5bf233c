// One real idle pass of the running program: a message posted to the first main frame, then the
// framework's loop until it is idle again (the update pass of every frame's command bars, panes
// and status line included), with 1, 2, 4 and 8 main frames, each showing a drawing of its own.
// The counters give the microseconds of a pass (`us_N`) and, per frame, its multiple of the
// one-frame pass (`x_per_frame_N`: 1 when each frame costs what the only one did); `cpu_us_N`
// and `cpu_us_per_frame_N` the same pass by the UI thread's processor time, which a machine busy
// with other work does not stretch.
//
// It runs in a child process with a session of its own; the frames are added one after the other
// in that one session, so the ratios come from one run.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_support.h"
#include "bench/child.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/win32.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kFileOpen = 0xE101;
constexpr int kFrameCounts[] = {1, 2, 4, 8};
constexpr int kPasses = 201;  // the median of these is the figure

double threadCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// The median pass in microseconds, by the clock and by processor time.
std::pair<double, double> medianPassMicros(platform::harness::Session& session, HWND frame) {
    std::vector<double> passes, cpuPasses;
    for (int i = 0; i < kPasses; ++i) {
        const double cpuBegin = threadCpuMicros();
        const auto begin = Clock::now();
        PostMessageW(frame, WM_NULL, 0, 0);
        session.runUntilIdle();
        passes.push_back(std::chrono::duration<double, std::micro>(Clock::now() - begin).count());
        cpuPasses.push_back(threadCpuMicros() - cpuBegin);
    }
    return {median(passes), median(cpuPasses)};
}

// Prints the median pass in microseconds for each frame count, by the clock and by processor time.
int idleChild(const std::vector<std::string>&) {
    platform::harness::Session session;
    session.start();
    session.runUntilIdle();
    if (session.startResult() == 0) return 1;
    // A new frame is the active one: its drawing opens there.
    auto openDrawing = [&session](int number) {
        const std::wstring path = L"C:\\Work\\drawing " + std::to_wstring(number) + L".grb";
        session.kernel().writeDocumentFile(path);
        session.user().expectFileChoose(path);
        session.user().command(session.inspect().activeMainFrame(), kFileOpen);
        session.runUntilIdle();
    };
    openDrawing(0);
    int frames = 1;
    for (int wanted : kFrameCounts) {
        for (; frames < wanted; ++frames) {
            if (!session.kernel().newMainFrame()) return 1;
            session.runUntilIdle();
            openDrawing(frames);
        }
        const auto [wall, cpu] = medianPassMicros(session, session.inspect().mainFrames().front());
        std::printf("%f %f ", wall, cpu);
    }
    std::printf("%zu\n", session.kernel().openedDocuments().size());
    session.quit();
    bool failed = false;
    for (const auto& failure : session.takeFailures()) {
        std::cerr << "failure: " << platform::core::toUtf8(failure) << "\n";
        failed = true;
    }
    return failed ? 1 : 0;
}
const bool registered = bench::registerChild("idle", idleChild);

void BM_IdlePass(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    std::vector<double> sums(std::size(kFrameCounts), 0.0), cpuSums(std::size(kFrameCounts), 0.0);
    double documents = 0;
    for (auto _ : state) {
        std::vector<double> figures;
        std::string error;
        if (!bench::runChild("idle", {}, figures, error) || figures.size() != 2 * sums.size() + 1) {
            bench::fail(state, error.empty() ? "the child printed no figures" : error.c_str());
            return;
        }
        state.SetIterationTime(figures[0] / 1e6);
        for (std::size_t i = 0; i < sums.size(); ++i) {
            sums[i] += figures[2 * i];
            cpuSums[i] += figures[2 * i + 1];
        }
        documents = figures.back();
    }
    const double n = static_cast<double>(state.iterations());
    for (std::size_t i = 0; i < sums.size(); ++i) {
        const std::string frames = std::to_string(kFrameCounts[i]);
        state.counters["us_" + frames] = sums[i] / n;
        if (i > 0) state.counters["x_per_frame_" + frames] = sums[i] / kFrameCounts[i] / sums[0];
        state.counters["cpu_us_" + frames] = cpuSums[i] / n;
        state.counters["cpu_us_per_frame_" + frames] = cpuSums[i] / kFrameCounts[i] / n;
    }
    state.counters["documents"] = documents;
}
BENCHMARK(BM_IdlePass)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(bench::iterations(3));

}  // namespace
