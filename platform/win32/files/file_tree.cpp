// Whole folders through the file functions, as the shell's helpers walk them.
#include <string>
#include <vector>

#include "platform/win32/files/file.h"
#include "platform/win32/last_error.h"

namespace platform::files {

namespace {

struct Entry {
    std::wstring name;
    DWORD attributes = 0;
};

// The entries of a folder without "." and ".."; false when it cannot be listed.
bool listFolder(const std::wstring& folder, std::vector<Entry>& entries) {
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") entries.push_back({name, data.dwFileAttributes});
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return true;
}

DWORD failure() {
    const DWORD error = GetLastError();
    return error ? error : ERROR_ACCESS_DENIED;
}

}  // namespace

DWORD deleteTree(std::wstring_view windowsFolder) {
    const std::wstring folder(windowsFolder);
    std::vector<Entry> entries;
    if (!listFolder(folder, entries)) return failure();
    for (const Entry& entry : entries) {
        const std::wstring path = folder + L"\\" + entry.name;
        const bool folderEntry = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folderEntry && !(entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            if (const DWORD error = deleteTree(path); error != 0) return error;
            continue;
        }
        if (!DeleteFileW(path.c_str()) && !(folderEntry && RemoveDirectoryW(path.c_str()))) return failure();
    }
    return RemoveDirectoryW(folder.c_str()) ? 0 : failure();
}

DWORD copyTree(std::wstring_view windowsFolder, std::wstring_view to) {
    const std::wstring folder(windowsFolder);
    const std::wstring target(to);
    std::vector<Entry> entries;
    if (!listFolder(folder, entries)) return failure();
    if (const DWORD error = createDirectories(target); error != 0) return error;
    for (const Entry& entry : entries) {
        if (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        const std::wstring from = folder + L"\\" + entry.name;
        const std::wstring into = target + L"\\" + entry.name;
        if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (const DWORD error = copyTree(from, into); error != 0) return error;
        } else if (!CopyFileW(from.c_str(), into.c_str(), FALSE)) {
            return failure();
        }
    }
    return 0;
}

}  // namespace platform::files
