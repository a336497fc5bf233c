// Harness controls over modules and files that have no Win32 counterpart. Shell code never
// includes this header. (Registry control: platform/core/registry_store.h; path mapping,
// attributes and file faults: platform/core/hostfs.h.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/types.h"

namespace platform::modules {

struct ModuleManifest {
    std::optional<std::wstring> version;  // "18.0.21.0"; nothing writes a manifest without one
    std::wstring exports;                 // name of a fake export set, may be empty
    bool loadFails = false;
    DWORD loadError = ERROR_DLL_INIT_FAILED;
    DWORD loadMilliseconds = 0;  // the clock time loading takes
};

// Writes a module file (creating its folder). Returns 0 or a Windows error code.
DWORD writeManifest(std::wstring_view windowsPath, const ModuleManifest& manifest);
// Rewrites only the version line of an existing manifest (adding one when missing), keeping
// every other line. Returns 0 or a Windows error code.
DWORD setVersion(std::wstring_view windowsPath, std::wstring_view version);

// Forgets loaded modules (not the registered export sets), as a new run would.
void reloadForTesting();

}  // namespace platform::modules
