#include "mainframe/statusline/update_throttle.h"

bool UpdateThrottle::Allow(int busyLevel, std::uint32_t now) {
    if (busyLevel == 0) return true;
    // Unsigned subtraction already spans a wrap of the tick count; a wrapped tick reads one less.
    std::uint32_t elapsed = now - tick_;
    if (now < tick_) --elapsed;
    if (elapsed < kWindowMs) return ++count_ < kDrawsPerWindow;
    tick_ = now;
    count_ = count_ < kDrawsPerWindow ? 0 : kDrawsPerWindow - 1;
    return true;
}
