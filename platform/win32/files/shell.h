// The shell's item lists as far as the program shows files in a folder window: a parsed path
// is an item list; opening a folder with items selected is recorded (no window opens).
#pragma once

#include "platform/win32/types.h"

struct ITEMIDLIST;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;
using PCUITEMID_CHILD_ARRAY = const ITEMIDLIST* const*;

// S_OK with a new item list for an existing file or folder; HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
// otherwise (the list stays null).
HRESULT SHParseDisplayName(LPCWSTR name, void* bindContext, PIDLIST_ABSOLUTE* list, ULONG attributesIn,
                           ULONG* attributesOut);
// Journals "SHOpenFolderAndSelectItems(folder, item, ...)" and returns S_OK.
HRESULT SHOpenFolderAndSelectItems(PCIDLIST_ABSOLUTE folder, UINT count, PCUITEMID_CHILD_ARRAY items, DWORD flags);
void ILFree(PIDLIST_ABSOLUTE list);

// ---- Shell execution --------------------------------------------------------------------------
// Journals "ShellExecuteW(verb, file, parameters)" and, kind "process", "shell-opened ..." (no
// program starts: the run has no desktop to show one on) and answers 42, above 32 as a success
// is. A null file, or one without a scheme ("http:", "mailto:") that does not exist, is
// ERROR_FILE_NOT_FOUND (2), journalled as "cannot shell-open ...".
HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, int show);

// ---- File operations ------------------------------------------------------------------------
inline constexpr UINT FO_MOVE = 1;
inline constexpr UINT FO_COPY = 2;
inline constexpr UINT FO_DELETE = 3;
inline constexpr UINT FO_RENAME = 4;
inline constexpr WORD FOF_SILENT = 0x4;
inline constexpr WORD FOF_ALLOWUNDO = 0x40;
inline constexpr WORD FOF_NOERRORUI = 0x400;

struct SHFILEOPSTRUCTW {
    HWND hwnd = nullptr;
    UINT wFunc = 0;
    LPCWSTR pFrom = nullptr;  // names, each ended by a NUL, the list by one more
    LPCWSTR pTo = nullptr;
    WORD fFlags = 0;
    BOOL fAnyOperationsAborted = FALSE;
    void* hNameMappings = nullptr;
    LPCWSTR lpszProgressTitle = nullptr;
};

// FO_RENAME of one file or folder within its folder: 0, or the error of the move (an existing
// target: ERROR_ALREADY_EXISTS; a missing source: ERROR_FILE_NOT_FOUND; a file some program
// keeps open: ERROR_SHARING_VIOLATION). Unless FOF_NOERRORUI is set, a failure is told to the
// user in the shell's error box, owned by `hwnd`. The folder watchers hear of the rename under
// the names the file system took (trailing dots dropped). FO_COPY and FO_MOVE of files into one
// folder (`pTo`) really copy or move them, in order, under their own names; the first failure
// (an existing target, a missing source or folder, an empty list) ends the operation with its
// error, told as above; a folder is copied with all it holds. FO_DELETE deletes each file, or
// folder with all it holds (links inside are not followed), stopping at the first failure.
// Other operations are strict failures.
int SHFileOperationW(SHFILEOPSTRUCTW* operation);

// ---- Known folders ----------------------------------------------------------------------------
using KNOWNFOLDERID = GUID;
using PWSTR = wchar_t*;
using REFKNOWNFOLDERID = const KNOWNFOLDERID&;
// {F1B32785-6FBA-4FCF-9D55-7B8E7F157091}
inline const KNOWNFOLDERID FOLDERID_LocalAppData = {0xF1B32785, 0x6FBA, 0x4FCF, {0x9D, 0x55, 0x7B, 0x8E, 0x7F, 0x15, 0x70, 0x91}};
inline constexpr DWORD KF_FLAG_DONT_VERIFY = 0x00004000;
// The user's local application-data folder (whether or not it exists); free the path with
// CoTaskMemFree. Other folders: E_INVALIDARG and a null path.
HRESULT SHGetKnownFolderPath(REFKNOWNFOLDERID id, DWORD flags, HANDLE token, PWSTR* path);
void CoTaskMemFree(void* memory);

// Whether the text is a URL: a scheme (a letter, then letters, digits, "+", "-" or ".", two
// characters at least, so a drive letter is none) followed by ":".
BOOL PathIsURLW(LPCWSTR text);
