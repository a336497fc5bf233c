// The C run-time's wide-character conversions that Windows programs use and the C++ library
// spells otherwise.
#pragma once

#include <cwchar>

// The number at the start of `text` (leading white space skipped), 0.0 when there is none.
inline double _wtof(const wchar_t* text) { return text ? std::wcstod(text, nullptr) : 0.0; }
