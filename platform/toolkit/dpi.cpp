#include "platform/toolkit/dpi.h"

#include "platform/core/config.h"

namespace {

constexpr int kDesignDpi = 96;

// value * to / from, rounded to the nearest pixel, halves away from zero, as the toolkit's
// scaling does.
int rescale(int value, int to, int from) {
    const long long product = static_cast<long long>(value) * to;
    const long long half = from / 2;
    return static_cast<int>(product >= 0 ? (product + half) / from : (product - half) / from);
}

}  // namespace

CXTPDpi* CXTPDpi::GetInstance() {
    static CXTPDpi instance;
    return &instance;
}

int CXTPDpi::GetDPIX() const {
    const int dpi = platform::core::config().dpi;
    return dpi > 0 ? dpi : kDesignDpi;
}

int CXTPDpi::GetDPIY() const {
    const int dpi = platform::core::config().dpiY;
    return dpi > 0 ? dpi : GetDPIX();
}

int CXTPDpi::ScaleX(int value) const { return rescale(value, GetDPIX(), kDesignDpi); }
int CXTPDpi::ScaleY(int value) const { return rescale(value, GetDPIY(), kDesignDpi); }
int CXTPDpi::UnscaleX(int value) const { return rescale(value, kDesignDpi, GetDPIX()); }
int CXTPDpi::UnscaleY(int value) const { return rescale(value, kDesignDpi, GetDPIY()); }
