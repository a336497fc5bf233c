// Conversion of multi-byte text to UTF-16. Only the UTF-8 code page (CP_UTF8) is modelled;
// another one is a strict failure naming the call.
#pragma once

#include "platform/win32/types.h"

inline constexpr UINT CP_UTF8 = 65001;

// As on Windows: with `cchWideChar` 0 the characters needed; otherwise the characters written,
// or 0 with ERROR_INSUFFICIENT_BUFFER. A negative `cbMultiByte` reads up to the terminator and
// counts it. Invalid bytes become U+FFFD.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar);
