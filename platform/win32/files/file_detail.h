// Helpers shared by the file functions (private to platform/win32/file*.cpp).
#pragma once

#include <string_view>

#include "platform/core/hostfs.h"
#include "platform/win32/files/file.h"

namespace platform::files::detail {

// Sets the thread's last error and returns it.
DWORD setError(DWORD error);
// ERROR_FILE_NOT_FOUND when only the last component is missing, ERROR_PATH_NOT_FOUND when a
// folder on the way is, or the location's own error.
DWORD missingError(const platform::core::HostLocation& location);
bool isHostDirectory(const platform::core::HostLocation& location);
DWORD attributesOf(const platform::core::HostLocation& location);
bool isReadOnly(const platform::core::HostLocation& location);
// Some holder keeps the file, or a file below the folder, open (OpenFileHold).
bool isHeldOpen(const platform::core::HostLocation& location);

}  // namespace platform::files::detail
