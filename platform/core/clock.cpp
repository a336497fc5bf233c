#include "platform/core/clock.h"

#include "platform/core/process.h"
#include "platform/core/threads.h"

namespace platform::core {

namespace {
// GetTickCount starts at one minute of "uptime", so code that takes 0 for "never" still works;
// the harness sets another start to test wrap-around.
constexpr DWORD kDefaultTickStart = 60000;
// The wall face starts at 2024-01-15 09:00:00 UTC in manual mode.
constexpr std::int64_t kDefaultWallStart = 1705309200000LL;
}  // namespace

Clock::Clock() : hostStart_(std::chrono::steady_clock::now()) {
    tickStart_.store(kDefaultTickStart);
    wallStart_.store(kDefaultWallStart);
}

void Clock::setMode(ClockMode mode) {
    if (mode == ClockMode::Real && mode_.load() == ClockMode::Manual) {
        // Real time continues from the manual reading.
        hostStart_ = std::chrono::steady_clock::now();
        wallStart_.store(std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count() -
                         static_cast<std::int64_t>(offsetMicros_.load() / 1000));
    }
    mode_.store(mode);
}

std::uint64_t Clock::nowMicros() const {
    std::uint64_t micros = offsetMicros_.load();
    if (mode_.load() == ClockMode::Real) {
        micros += static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                                 std::chrono::steady_clock::now() - hostStart_)
                                                 .count());
    }
    return micros;
}

void Clock::advance(std::uint64_t milliseconds) { advanceMicros(milliseconds * 1000); }

void Clock::advanceMicros(std::uint64_t microseconds) {
    auto& table = threads();
    std::lock_guard lock(table.mutex());
    offsetMicros_.fetch_add(microseconds);
    table.notifyAll();
}

void Clock::advanceTo(std::uint64_t millis) {
    const std::uint64_t now = nowMillis();
    if (millis > now) advance(millis - now);
}

std::chrono::steady_clock::time_point Clock::hostDeadline(std::uint64_t millis) const {
    const std::uint64_t now = nowMillis();
    const auto remaining = std::chrono::milliseconds(millis > now ? millis - now : 0);
    return std::chrono::steady_clock::now() + remaining;
}

Clock& clock() {
    static Clock& instance = process().clock();
    return instance;
}

}  // namespace platform::core
