// Private to the platform: the process table behind _wspawnl.
#pragma once

#include <string_view>

#include "platform/win32/types.h"

namespace platform::win32 {
// A new start of the program at `path` (an existing file): its process handle.
HANDLE startProgram(std::wstring_view path);
}  // namespace platform::win32
