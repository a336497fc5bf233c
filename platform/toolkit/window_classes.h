// Window classes of the toolkit's windows (private to the platform).
#pragma once

#include "platform/win32/types.h"

namespace platform::toolkit {

// Registers (once) the toolkit window class `name` with the framework's window procedure and
// returns its name, valid for the life of the process.
LPCWSTR toolkitWindowClass(LPCWSTR name);

}  // namespace platform::toolkit
