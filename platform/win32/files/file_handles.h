// Files opened by handle: CreateFileW and the calls on its handle, over POSIX file descriptors
// of the mapped host file. Only what the shell asks is modelled: GENERIC_READ, GENERIC_WRITE or
// no access at all (a handle that only asks about the file), OPEN_EXISTING, CREATE_ALWAYS and
// OPEN_ALWAYS, no templates, and of the flags only FILE_FLAG_BACKUP_SEMANTICS, which lets
// OPEN_EXISTING open a folder; anything else is a strict failure naming the call. A link on the
// way is followed, as on Windows. Close the handle with CloseHandle.
//
// Tests inject a failing read or write at the fault points "ReadFile 1" and "WriteFile 1"
// (platform/faults.h): the call then fails with ERROR_READ_FAULT or ERROR_WRITE_FAULT.
#pragma once

#include "platform/win32/types.h"

inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;
inline constexpr DWORD FILE_SHARE_DELETE = 0x4;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
// Opens a folder too (its handle neither reads nor writes: ERROR_INVALID_FUNCTION).
inline constexpr DWORD FILE_FLAG_BACKUP_SEMANTICS = 0x02000000u;
inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;

// INVALID_HANDLE_VALUE on failure (the last error says why).
HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                   DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, DWORD* lpNumberOfBytesRead, void* lpOverlapped);
BOOL WriteFile(HANDLE hFile, const void* lpBuffer, DWORD nNumberOfBytesToWrite, DWORD* lpNumberOfBytesWritten,
               void* lpOverlapped);
BOOL GetFileSizeEx(HANDLE hFile, LARGE_INTEGER* lpFileSize);
BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, LARGE_INTEGER* lpNewFilePointer, DWORD dwMoveMethod);

// GetFinalPathNameByHandleW's flags: the name normalised or as opened (the same here: there are
// no short names), and how the volume is named.
inline constexpr DWORD FILE_NAME_NORMALIZED = 0x0;
inline constexpr DWORD FILE_NAME_OPENED = 0x8;
inline constexpr DWORD VOLUME_NAME_DOS = 0x0;
inline constexpr DWORD VOLUME_NAME_GUID = 0x1;
inline constexpr DWORD VOLUME_NAME_NT = 0x2;
inline constexpr DWORD VOLUME_NAME_NONE = 0x4;

// Where the open file or folder really is: every link on the way followed, "." and ".." gone,
// each name spelled as the file system keeps it. VOLUME_NAME_DOS gives "\\?\C:\Folder\name"
// ("\\?\UNC\server\share\..." for a share), VOLUME_NAME_NONE the same without the volume
// ("\Folder\name"); the volume's GUID or device name is not modelled (a strict failure naming
// the call). Buffer convention of the real call: the length without the terminator, or the size
// needed with it when `cchFilePath` is too small, or 0 (ERROR_INVALID_PARAMETER for unknown flags,
// ERROR_INVALID_HANDLE, ERROR_PATH_NOT_FOUND when the file is gone).
DWORD GetFinalPathNameByHandleW(HANDLE hFile, LPWSTR lpszFilePath, DWORD cchFilePath, DWORD dwFlags);
