#include "platform/toolkit/dpi.h"

#include "platform/core/config.h"

CXTPDpi* CXTPDpi::GetInstance() {
    static CXTPDpi instance;
    return &instance;
}

int CXTPDpi::GetDPIX() const {
    const int dpi = platform::core::config().dpi;
    return dpi > 0 ? dpi : 96;
}

int CXTPDpi::ScaleX(int value) const {
    // Rounded to the nearest pixel, halves away from zero, as the toolkit's scaling does.
    const long long scaled = static_cast<long long>(value) * GetDPIX();
    return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : (scaled - 48) / 96);
}
