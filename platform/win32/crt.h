// The C run-time's wide-character conversions that Windows programs use and the C++ library
// spells otherwise.
#pragma once

#include <cwchar>

// The number at the start of `text` (leading white space skipped), 0.0 when there is none.
inline double _wtof(const wchar_t* text) { return text ? std::wcstod(text, nullptr) : 0.0; }

#include <cstdint>
#include <ctime>

// 0 when the file or folder at `path` exists and allows `mode` (0 existence, 2 writing, 4 reading,
// 6 both; a read-only file refuses writing), else -1.
int _waccess(const wchar_t* path, int mode);

// The calendar time of the platform clock: seconds since 1970 (UTC). The stand-in's calendar
// starts at 1 June 2026 09:00:00 and moves with the platform clock, so a test sees the same
// dates in every run; local time is UTC.
using __time64_t = std::int64_t;
__time64_t _time64(__time64_t* result);
// 0 on success; EINVAL for a null argument or a time before 1970.
int _localtime64_s(std::tm* result, const __time64_t* time);
// The asctime form, "Mon Jun  1 09:00:00 2026\n"; 0 on success, EINVAL when it does not fit.
int _wasctime_s(wchar_t* buffer, std::size_t size, const std::tm* time);
