// Limits how often the status line redraws while work is busy: at most 20 redraws in a 250 ms
// window, and after a window that reached the limit, one per window until a window passes
// quietly. Idle status lines are never held back.
#pragma once

#include <cstdint>

class UpdateThrottle {
public:
    static constexpr std::uint32_t kWindowMs = 250;
    static constexpr int kDrawsPerWindow = 20;

    explicit UpdateThrottle(std::uint32_t now) : tick_(now) {}

    // Whether an update may be drawn at `now` (a 32-bit tick count that may have wrapped) while
    // the status line's busy level is `busyLevel`.
    bool Allow(int busyLevel, std::uint32_t now);
    // A new progress starts its count afresh (the window keeps its start).
    void ResetCount() { count_ = 0; }

private:
    std::uint32_t tick_;
    int count_ = 0;
};
