#include "platform/core/costs.h"

#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace platform::core {

namespace {

std::atomic<bool> measuring{false};

struct Figures {
    std::mutex mutex;
    CostFigures figures;
    std::atomic<std::thread::id> uiThread{};
};

Figures& figures() {
    static Figures instance;
    return instance;
}

thread_local int stepDepth = 0;
thread_local std::uint64_t filesLookedAt = 0;

double wallMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

Cost operator+(const Cost& a, const Cost& b) { return {a.wallMs + b.wallMs, a.cpuMs + b.cpuMs}; }

}  // namespace

void measureCosts(bool on) { measuring.store(on, std::memory_order_relaxed); }
bool measuringCosts() { return measuring.load(std::memory_order_relaxed); }

CostMeter::CostMeter() : on_(measuringCosts()) {
    if (!on_) return;
    cpuBegin_ = threadCpuMs();
    wallBegin_ = wallMs();
}

Cost CostMeter::elapsed() const {
    if (!on_) return {};
    const double wall = wallMs() - wallBegin_;
    return {wall, threadCpuMs() - cpuBegin_};
}

void markUiThread() { figures().uiThread.store(std::this_thread::get_id()); }

void startMeasured(const Cost& cost) {
    if (!measuringCosts()) return;
    Figures& all = figures();
    std::lock_guard lock(all.mutex);
    all.figures.start = cost;
    all.figures.startWithFirstPass = false;
}

void loopPassMeasured(const Cost& cost) {
    if (!measuringCosts()) return;
    Figures& all = figures();
    std::lock_guard lock(all.mutex);
    CostFigures& f = all.figures;
    f.lastPass = cost;
    // The start-up lasts, for its user, until the loop first has nothing left to do.
    if (f.start && !f.startWithFirstPass) {
        f.start = *f.start + cost;
        f.startWithFirstPass = true;
    }
}

StepMeter::StepMeter() {
    if (stepDepth++ != 0 || !measuringCosts() || std::this_thread::get_id() != figures().uiThread.load()) return;
    filesBegin_ = filesLookedAt;
    meter_.emplace();
}

StepMeter::~StepMeter() {
    --stepDepth;
    if (!meter_) return;
    const StepCost step{meter_->elapsed(), filesLookedAt - filesBegin_};
    Figures& all = figures();
    std::lock_guard lock(all.mutex);
    CostFigures& f = all.figures;
    ++f.steps;
    if (step.cost.wallMs > f.longestStep.cost.wallMs) f.longestStep = step;
    if (step.filesLookedAt == 0) return;
    ++f.listingSteps;
    if (step.cost.wallMs > f.longestListingStep.cost.wallMs) f.longestListingStep = step;
    f.mostFilesInOneStep = std::max(f.mostFilesInOneStep, step.filesLookedAt);
}

void noteFileLookedAt() { ++filesLookedAt; }

CostFigures costFigures() {
    Figures& all = figures();
    std::lock_guard lock(all.mutex);
    return all.figures;
}

}  // namespace platform::core
