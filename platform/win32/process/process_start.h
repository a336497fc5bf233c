// Starting programs. The program's own file starts (a restart): it is recorded with its command
// line and joins the restart manager's process table. Any other program file that exists starts
// as a stand-in program: it reads its standard input (given with STARTF_USESTDHANDLES, an
// inherited pipe's read end) to the end, or, when its file's text holds "exits-early", ends at
// once without reading; each start is kept with what it read (platform/win32/process/pipes.h).
// A missing program fails with ERROR_FILE_NOT_FOUND.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/win32/types.h"

// As the API's own structure: no member has a value until the caller gives it one, and `cb` must
// hold the structure's size.
inline constexpr DWORD STARTF_USESTDHANDLES = 0x00000100;

struct STARTUPINFOW {
    DWORD cb;
    DWORD dwFlags;
    WORD wShowWindow;
    HANDLE hStdInput;  // these three only with STARTF_USESTDHANDLES
    HANDLE hStdOutput;
    HANDLE hStdError;
};

struct PROCESS_INFORMATION {
    HANDLE hProcess = nullptr;
    HANDLE hThread = nullptr;
    DWORD dwProcessId = 0;
    DWORD dwThreadId = 0;
};

// Journalled as kind "process" ("started <path> <command line>"). The handles returned must be
// closed with CloseHandle. A missing start-up record or one whose `cb` is not its size fails with
// ERROR_INVALID_PARAMETER.
BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                    LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    LPVOID environment, LPCWSTR currentDirectory, STARTUPINFOW* startupInfo,
                    PROCESS_INFORMATION* processInformation);
// Recorded; always allowed.
BOOL AllowSetForegroundWindow(DWORD processId);
// How this process was started: `cb` its size, no flags, shown normally.
void GetStartupInfoW(STARTUPINFOW* startupInfo);

// The C run-time's program start with a list of arguments ending in a null pointer. Only
// _P_NOWAIT is known (the caller does not wait); any other mode is a strict failure. The
// arguments reach the program joined with blanks, as the run-time does (an argument of one blank
// is no argument of its own). Journalled as kind "process": "spawned <path> <arguments...>" with
// the process handle as the answer (the caller closes it with CloseHandle; it is signalled when
// the program ends), or "cannot spawn ..." with -1 when the program file does not exist or is a folder. A program
// registered with registerProgram behaves as registered; any other existing file runs until the
// end of the process.
inline constexpr int _P_NOWAIT = 1;
intptr_t _wspawnl(int mode, const wchar_t* path, const wchar_t* arg0, ...);

// The exit code of a process that _wspawnl started: STILL_ACTIVE while it runs. FALSE, with
// ERROR_INVALID_HANDLE, for a handle that is no such process.
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode);

namespace platform::win32 {
// The programs a test puts behind a path (compared case-insensitively): one that ends at once
// with `exitCode`, or, without one, one that runs until endProgram ends it. Registering again
// replaces the earlier behaviour for later starts.
void registerProgram(std::wstring_view path, std::optional<DWORD> exitCode);
// Ends every running start of the program at `path` with `exitCode` (journalled) and answers how
// many ended; when none runs, the next start of it ends with `exitCode` the first time its starter
// asks for its exit code, and the answer is 0.
int endProgram(std::wstring_view path, DWORD exitCode);
}  // namespace platform::win32
