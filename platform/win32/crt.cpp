#include "platform/win32/crt.h"

#include <time.h>

int _localtime64_s(std::tm* out, const __time64_t* time) {
    constexpr int kInvalidArgument = 22;
    if (!out || !time || *time < 0) return kInvalidArgument;
    const std::time_t value = static_cast<std::time_t>(*time);
    return gmtime_r(&value, out) ? 0 : kInvalidArgument;
}
