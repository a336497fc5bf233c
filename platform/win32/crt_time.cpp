#include <cerrno>
#include <cstdio>

#include "platform/win32/crt.h"
#include "platform/win32/process/thread.h"

namespace {
constexpr __time64_t kCalendarStart = 1780304400;  // 2026-06-01 09:00:00 UTC
}

__time64_t _time64(__time64_t* result) {
    const __time64_t now = kCalendarStart + static_cast<__time64_t>(GetTickCount64() / 1000);
    if (result) *result = now;
    return now;
}

int _localtime64_s(std::tm* result, const __time64_t* time) {
    if (!result || !time || *time < 0) return EINVAL;
    const std::time_t value = static_cast<std::time_t>(*time);
    return gmtime_r(&value, result) ? 0 : EINVAL;
}

int _wasctime_s(wchar_t* buffer, std::size_t size, const std::tm* time) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (!buffer || !time || size < 26 || time->tm_wday < 0 || time->tm_wday > 6 || time->tm_mon < 0 || time->tm_mon > 11)
        return EINVAL;
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%s %s %2d %02d:%02d:%02d %d\n", kDays[time->tm_wday],
                                     kMonths[time->tm_mon], time->tm_mday, time->tm_hour, time->tm_min, time->tm_sec,
                                     time->tm_year + 1900);
    if (length < 0 || static_cast<std::size_t>(length) + 1 > size) return EINVAL;
    for (int at = 0; at <= length; ++at) buffer[at] = static_cast<wchar_t>(static_cast<unsigned char>(text[at]));
    return 0;
}
