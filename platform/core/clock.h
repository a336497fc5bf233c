// The platform clock: the only source of time for the stand-ins and the shell. Manual mode (tests)
// moves only when the harness advances it or the UI thread sleeps; real mode follows the host's
// steady clock (plus any advances).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>

#include "platform/core/config.h"
#include "platform/core/windows_types.h"

namespace platform::core {

class Clock {
public:
    Clock();

    ClockMode mode() const { return mode_.load(); }
    void setMode(ClockMode mode);

    // The steady face: time since the platform started.
    std::uint64_t nowMicros() const;
    std::uint64_t nowMillis() const { return nowMicros() / 1000; }

    // GetTickCount: the configured start value plus elapsed milliseconds, wrapping at 2^32.
    DWORD tickCount() const { return static_cast<DWORD>(tickStart_.load() + nowMillis()); }
    ULONGLONG tickCount64() const { return tickStart_.load() + nowMillis(); }
    void setTickStart(DWORD start) { tickStart_.store(start); }

    // The wall face: milliseconds since 1970-01-01 UTC; starts at the configured value.
    std::int64_t wallMillis() const { return wallStart_.load() + static_cast<std::int64_t>(nowMillis()); }
    void setWallStart(std::int64_t millisSinceEpoch) { wallStart_.store(millisSinceEpoch); }

    // Moves time forward (both modes) and wakes every thread waiting for a deadline.
    void advance(std::uint64_t milliseconds);
    void advanceMicros(std::uint64_t microseconds);
    // For callers that already hold the scheduler lock; they notify waiting threads themselves.
    void advanceWhileLocked(std::uint64_t microseconds) { offsetMicros_.fetch_add(microseconds); }
    // Manual mode: moves time forward to `millis` if it lies ahead.
    void advanceTo(std::uint64_t millis);

    // Host time point at which the platform clock reaches `millis` (real mode waits).
    std::chrono::steady_clock::time_point hostDeadline(std::uint64_t millis) const;

private:
    std::atomic<ClockMode> mode_{ClockMode::Manual};
    std::atomic<std::uint64_t> offsetMicros_{0};  // manual time, or advances on top of real time
    std::chrono::steady_clock::time_point hostStart_;
    std::atomic<std::uint64_t> tickStart_{0};
    std::atomic<std::int64_t> wallStart_{0};
};

Clock& clock();

}  // namespace platform::core
