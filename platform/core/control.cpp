#include "platform/core/control.h"

#include <atomic>
#include <stdexcept>

#include "platform/core/clock.h"
#include "platform/core/process.h"
#include "platform/core/process_heap.h"
#include "platform/core/record.h"

namespace platform::core::control {

namespace {
std::atomic<bool> sessionStarted{false};
}  // namespace

void configure(const Config& settings) {
    if (sessionStarted.exchange(true))
        throw std::logic_error("the platform was already configured: one session per process");
    useEagerlyMergingHeap();
    config() = settings;
    clock().setMode(settings.clock);
}

bool configured() { return sessionStarted.load(); }

void advanceClock(std::uint64_t milliseconds) { clock().advance(milliseconds); }
std::uint64_t nowMillis() { return clock().nowMillis(); }
void setTickStart(DWORD start) { clock().setTickStart(start); }
void setWallStart(std::int64_t millisSinceEpoch) { clock().setWallStart(millisSinceEpoch); }

UserAgent& user() { return userAgent(); }

std::vector<ThreadInfo> threads() { return core::threads().list(); }
bool quiesce(std::chrono::milliseconds limit) { return core::threads().quiesce(limit); }
std::wstring dumpThreads() { return core::threads().dump(); }

std::wstring formatHandle(HWND hwnd) { return handleText(hwnd); }

bool terminated() { return process().terminated(); }
std::optional<UINT> exitCode() {
    if (!process().terminated()) return std::nullopt;
    return process().exitCode();
}

}  // namespace platform::core::control
