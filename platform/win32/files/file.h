// Files and folders as the shell uses them. Paths are Windows paths ("C:\\Users\\user\\x.ini",
// relative ones against the current folder, "\\\\server\\share\\..."); the platform maps them
// onto the host folder, matching every component case-insensitively. Failures set the Windows
// error code (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED...).
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/types.h"

inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x00000004;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
// Set by FindFirstFileW/FindNextFileW on an entry that is a link (the host's symbolic link).
inline constexpr DWORD FILE_ATTRIBUTE_REPARSE_POINT = 0x00000400;

inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001;
inline constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x00000002;

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes = 0;
    FILETIME ftCreationTime{};
    FILETIME ftLastAccessTime{};
    FILETIME ftLastWriteTime{};
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    DWORD dwReserved0 = 0;
    DWORD dwReserved1 = 0;
    WCHAR cFileName[MAX_PATH] = {};
    WCHAR cAlternateFileName[14] = {};  // always empty: there are no short names
};
using LPWIN32_FIND_DATAW = WIN32_FIND_DATAW*;

// Attributes: directory from the file system; read-only, hidden and system as set through
// SetFileAttributesW (or the harness); a plain file with none of them is FILE_ATTRIBUTE_NORMAL.
DWORD GetFileAttributesW(LPCWSTR lpFileName);
BOOL SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes);
BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
BOOL RemoveDirectoryW(LPCWSTR lpPathName);
BOOL DeleteFileW(LPCWSTR lpFileName);
BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName);
BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags);
BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists);

// Enumeration: '*' and '?' match long names case-insensitively ("*.grb" does not match
// "x.grbx"); "." and ".." come first for a sub-folder; entries in case-insensitive name order.
HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData);
BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData);
BOOL FindClose(HANDLE hFindFile);

// Buffer conventions as on Windows: the length without the terminator on success, the size
// needed including the terminator when the buffer is too small, 0 on failure.
DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer, LPWSTR* lpFilePart);
DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer);
BOOL SetCurrentDirectoryW(LPCWSTR lpPathName);
// The temporary folder with a trailing backslash.
DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);

// Whole-file access for the other stand-ins (ini files, string tables, logs, XML). Results are 0
// or a Windows error code (2 not found, 3 path not found, 5 access denied), also set as the
// thread's last error.
namespace platform::files {

DWORD readAll(std::wstring_view windowsPath, std::string& bytes);
// Writes a temporary file beside the target and renames it over the target, so a reader sees
// either the old or the new content. The folder must exist (else ERROR_PATH_NOT_FOUND).
DWORD writeAllAtomic(std::wstring_view windowsPath, std::string_view bytes);
// Appends, creating the file when missing. The folder must exist.
DWORD appendText(std::wstring_view windowsPath, std::string_view bytes);
// Creates the folder and any missing parents; an existing folder is success.
DWORD createDirectories(std::wstring_view windowsPath);
bool exists(std::wstring_view windowsPath);
bool isDirectory(std::wstring_view windowsPath);
// Deletes a folder and everything in it (a link inside is removed, never followed); 0 or the
// first error (what was deleted before it stays deleted).
DWORD deleteTree(std::wstring_view windowsFolder);
// Copies a folder and everything in it to `to` (made when missing; links inside are skipped);
// 0 or the first error.
DWORD copyTree(std::wstring_view windowsFolder, std::wstring_view to);
// The host path a Windows path maps to (for the harness and diagnostics; never for shell code).
std::string hostPath(std::wstring_view windowsPath);

// A file kept open by its holder (the kernel, for a document it shows) the way a Windows handle
// opened without FILE_SHARE_DELETE keeps it: others may read it, but renaming, moving or deleting
// the file (or renaming a folder above it) fails with ERROR_SHARING_VIOLATION until the hold ends.
class OpenFileHold {
public:
    OpenFileHold() = default;
    // Holds nothing when the path names no existing file.
    explicit OpenFileHold(std::wstring_view windowsPath);
    ~OpenFileHold();
    OpenFileHold(OpenFileHold&& other) noexcept;
    OpenFileHold& operator=(OpenFileHold&& other) noexcept;
    OpenFileHold(const OpenFileHold&) = delete;
    OpenFileHold& operator=(const OpenFileHold&) = delete;

    bool holds() const { return !hostPath_.empty(); }

private:
    void release();
    std::string hostPath_;
};

}  // namespace platform::files
