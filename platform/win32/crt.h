// The C run-time's wide-character conversions that Windows programs use and the C++ library
// spells otherwise.
#pragma once

#include <cwchar>

// The number at the start of `text` (leading white space skipped), 0.0 when there is none.
inline double _wtof(const wchar_t* text) { return text ? std::wcstod(text, nullptr) : 0.0; }

#include <ctime>

using __time64_t = long long;
// Local time of the stand-in machine, which keeps its clock in UTC. 0 on success; EINVAL (22)
// for a null argument or a time before 1970.
int _localtime64_s(std::tm* out, const __time64_t* time);
