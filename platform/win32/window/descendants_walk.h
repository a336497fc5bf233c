// What the framework's walk over a window's descendants asks of each window it reached.
#pragma once

#include "platform/win32/types.h"

namespace platform::win32 {

// GetTopWindow(hwnd) and, when it has no child, GetWindow(hwnd, GW_HWNDNEXT), under one lock
// (`child` says which of the two the answer is).
HWND firstChildElseNext(HWND hwnd, bool& child);

}  // namespace platform::win32
