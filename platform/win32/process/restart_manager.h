// The restart manager ("rstrtmgr.dll"): which processes hold a file open, and the process calls
// the shell needs to name them. The module's exports are the export set "restartmanager": a
// manifest "exports=restartmanager" in the system folder makes the module loadable.
//
// The process table always holds the program's own process (GetCurrentProcessId(), its image
// the program file); tests add other processes and say which files each holds open.
#pragma once

#include <functional>
#include <string>

#include "platform/win32/types.h"

inline constexpr DWORD CCH_RM_SESSION_KEY = 32;
inline constexpr DWORD CCH_RM_MAX_APP_NAME = 255;
inline constexpr DWORD CCH_RM_MAX_SVC_NAME = 63;
inline constexpr DWORD PROCESS_QUERY_LIMITED_INFORMATION = 0x1000;

struct RM_UNIQUE_PROCESS {
    DWORD dwProcessId;
    FILETIME ProcessStartTime;
};

struct RM_PROCESS_INFO {
    RM_UNIQUE_PROCESS Process;
    WCHAR strAppName[CCH_RM_MAX_APP_NAME + 1];
    WCHAR strServiceShortName[CCH_RM_MAX_SVC_NAME + 1];
    int ApplicationType;
    ULONG AppStatus;
    DWORD TSSessionId;
    BOOL bRestartable;
};

using RmStartSessionFunction = DWORD (*)(DWORD* session, DWORD flags, WCHAR* sessionKey);
using RmRegisterResourcesFunction = DWORD (*)(DWORD session, UINT files, LPCWSTR* fileNames, UINT applications,
                                              RM_UNIQUE_PROCESS* processes, UINT services, LPCWSTR* serviceNames);
using RmGetListFunction = DWORD (*)(DWORD session, UINT* needed, UINT* room, RM_PROCESS_INFO* list, DWORD* rebootReasons);
using RmEndSessionFunction = DWORD (*)(DWORD session);

// A handle of a process in the table (close with CloseHandle); null with ERROR_INVALID_PARAMETER
// for an unknown id.
HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId);
// The process's image path; fails with ERROR_INSUFFICIENT_BUFFER when *size (characters, with
// the terminator) is too small, and with ERROR_INVALID_HANDLE for a handle that is no process.
BOOL QueryFullProcessImageNameW(HANDLE process, DWORD flags, LPWSTR name, DWORD* size);

namespace platform::processes {

// Adds (or renames) a running process.
void addProcess(DWORD id, std::wstring appName, std::wstring imagePath);
// The process now holds the file open (a full Windows path, compared without case).
void holdFile(DWORD id, std::wstring path);
// Runs once, right after the next list query has answered: lets a test open the file in
// another process between the shell's two list calls.
void afterNextList(std::function<void()> action);
// The next call of that restart-manager function fails with `error`.
void failNext(std::string function, DWORD error);

}  // namespace platform::processes
