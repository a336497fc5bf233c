// Windows base types, handles and constants shared by every part of the Windows stand-in. The
// types themselves are the core's (its tables use them); the thread's last error is Windows' own.
#pragma once

#include "platform/core/windows_types.h"

DWORD GetLastError();
void SetLastError(DWORD error);
