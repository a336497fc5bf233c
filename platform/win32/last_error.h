// Private to the Windows stand-in: the way out of an API function that fails.
#pragma once

#include "platform/win32/types.h"

namespace platform::win32 {

// Sets the calling thread's last error and returns `result`. The last error belongs to the
// thread alone, so this needs no lock and may run with the scheduler lock held.
template <class Result>
Result failWith(DWORD error, Result result) {
    SetLastError(error);
    return result;
}

}  // namespace platform::win32
