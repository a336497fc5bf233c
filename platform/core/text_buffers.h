// How the platform's API functions hand text out through the caller's character buffers
// (private to the platform).
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/win32/types.h"

namespace platform::core {

// The Win32 convention for values that are all or nothing (paths, environment variables):
// copies `text` and its terminator when both fit in `capacity` characters and returns the
// length copied; otherwise copies nothing and returns the size needed, terminator included.
DWORD copyWhenItFits(std::wstring_view text, LPWSTR buffer, DWORD capacity);

// The convention for names and window texts: copies as much of `text` as fits before a
// terminator (`capacity` must be at least 1) and returns the number of characters copied.
std::size_t copyTruncated(std::wstring_view text, LPWSTR buffer, std::size_t capacity);

}  // namespace platform::core
