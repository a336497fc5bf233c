// Modules (DLLs). A module here is a small text manifest in the mapped file system, so a test
// changes a module's version or removes it by editing or deleting a file:
//
//   ; module manifest
//   version=18.0.21.0
//   exports=kernel
//   load=fail          (optional: LoadLibraryW fails, as if the module's initialisation failed)
//   error=1114         (optional: the error code of that failure; default ERROR_DLL_INIT_FAILED)
//   load_ms=400        (optional: loading takes that long on the platform clock, 0-60000)
//
// A bare module name is searched in the program folder, then in "C:\\Windows\\System32"; a
// relative path resolves against the program folder. A missing module fails with
// ERROR_MOD_NOT_FOUND (126); an export that the module's export set lacks with
// ERROR_PROC_NOT_FOUND (127).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/types.h"

using FARPROC = INT_PTR (*)();

inline constexpr DWORD LOAD_LIBRARY_AS_DATAFILE = 0x00000002;
inline constexpr DWORD LOAD_WITH_ALTERED_SEARCH_PATH = 0x00000008;
inline constexpr DWORD LOAD_LIBRARY_SEARCH_DEFAULT_DIRS = 0x00001000;

HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
HMODULE LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE hFile, DWORD dwFlags);
BOOL FreeLibrary(HMODULE hLibModule);
// Null name: the program's own module. Otherwise a loaded module by file name or full path.
HMODULE GetModuleHandleW(LPCWSTR lpModuleName);
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);

namespace platform::modules {

// The file version of a module file (major << 48 | minor << 32 | build << 16 | revision), or
// nothing when the file is missing, its manifest is malformed or carries no version (the last
// two are journalled as warnings naming file and line).
std::optional<std::uint64_t> fileVersion(std::wstring_view windowsPath);
// The clock time loading the module file takes ("load_ms="); 0 when the file is missing or
// malformed. The kernel library, which the program links rather than loads, spends it in its
// session start.
DWORD loadMilliseconds(std::wstring_view windowsPath);
std::uint64_t makeVersion(WORD major, WORD minor, WORD build, WORD revision);

// The handle of the program's own module (what GetModuleHandleW(nullptr) returns).
HMODULE programModule();
// Full Windows path of a loaded module (the program's own for programModule()); empty if unknown.
std::wstring modulePath(HMODULE module);

// Built-in fake export sets, named by a manifest's "exports=" line. Registering a set again
// replaces it.
void registerExportSet(std::string name, std::map<std::string, FARPROC> exports);

}  // namespace platform::modules
