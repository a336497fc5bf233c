// Text crossing the platform's C-style interfaces: strings that may be null coming in, the
// caller's character buffers going out (private to the platform).
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/core/windows_types.h"

namespace platform::core {

// A string argument that may be null; null reads as empty.
inline std::wstring_view viewOf(const wchar_t* text) { return text ? std::wstring_view(text) : std::wstring_view(); }

// The Win32 convention for values that are all or nothing (paths, environment variables):
// copies `text` and its terminator when both fit in `capacity` characters and returns the
// length copied; otherwise copies nothing and returns the size needed, terminator included.
DWORD copyWhenItFits(std::wstring_view text, LPWSTR buffer, DWORD capacity);

// The convention for names and window texts: copies as much of `text` as fits before a
// terminator (`capacity` must be at least 1) and returns the number of characters copied.
std::size_t copyTruncated(std::wstring_view text, LPWSTR buffer, std::size_t capacity);

}  // namespace platform::core
