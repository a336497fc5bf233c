// FindFirstFileW and friends. A search reads the folder as it goes, a block of names at a time
// (as the system fetches directory entries), so the first entry of a huge folder comes as fast as
// that of a small one. Each block is sorted by case-insensitive name as NTFS returns names; a
// folder of up to one block of matching names (every folder but huge ones) lists in that order,
// so lists are deterministic. Windows promises no order at all.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <vector>

#include "platform/core/api_text.h"
#include "platform/core/costs.h"
#include "platform/core/hostfs.h"
#include "platform/core/text.h"
#include "platform/win32/files/file_detail.h"

namespace fs = std::filesystem;
using platform::core::hostFs;
using namespace platform::files::detail;

namespace {

// Matching names read per block.
constexpr std::size_t kBlockSize = 128;

struct Found {
    std::wstring name;
    platform::core::HostLocation location;
    bool link = false;  // a link inside the host folder: a reparse point to Windows
};

struct Search {
    platform::core::HostLocation folder;
    std::wstring mask;
    fs::directory_iterator entries;
    std::vector<Found> block;  // sorted; entries are made (their file read) only when returned
    std::size_t next = 0;
    bool dotsPending = true;
};

struct SearchTable {
    std::mutex mutex;
    std::map<ULONG_PTR, Search> searches;
    // Find handles live in their own range, apart from window and kernel-object handles.
    ULONG_PTR nextHandle = 0x00F00000;
};

SearchTable& searchTable() {
    static SearchTable table;
    return table;
}

// Windows wildcard rules for searches: '*' and '?' against the long name, case-insensitive;
// a trailing ".*" also matches names without an extension ("*.*" matches everything), and a
// trailing "." matches only names without one.
bool matchesSearch(std::wstring_view mask, std::wstring_view name) {
    if (platform::core::wildcardMatch(mask, name)) return true;
    if (mask.size() >= 2 && mask.ends_with(L".*")) return platform::core::wildcardMatch(mask.substr(0, mask.size() - 2), name);
    if (mask.size() >= 2 && mask.back() == L'.' && name.find(L'.') == std::wstring_view::npos) {
        return platform::core::wildcardMatch(mask.substr(0, mask.size() - 1), name);
    }
    return false;
}

FILETIME toFileTime(const timespec& time) {
    // 100-ns intervals between 1601-01-01 and 1970-01-01.
    constexpr std::int64_t kEpochDifference = 116444736000000000LL;
    const std::int64_t ticks = static_cast<std::int64_t>(time.tv_sec) * 10'000'000 + time.tv_nsec / 100 + kEpochDifference;
    FILETIME result;
    result.dwLowDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) & 0xFFFFFFFFu);
    result.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32);
    return result;
}

// One look at the file answers for its size and its time.
WIN32_FIND_DATAW makeEntry(std::wstring_view name, DWORD attributes, const fs::path& hostPath) {
    WIN32_FIND_DATAW data;
    data.dwFileAttributes = attributes;
    struct stat info{};
    if (::stat(hostPath.c_str(), &info) == 0) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            const auto size = static_cast<std::uint64_t>(info.st_size);
            data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
            data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        }
        data.ftCreationTime = data.ftLastAccessTime = data.ftLastWriteTime = toFileTime(info.st_mtim);
    }
    platform::core::copyTruncated(name, data.cFileName, MAX_PATH);
    return data;
}

// Splits "folder\\mask" keeping the mask exactly as written (path normalisation would drop a
// trailing '.', which is meaningful in a mask).
std::pair<std::wstring, std::wstring> splitPattern(std::wstring_view pattern) {
    std::size_t cut = std::wstring_view::npos;
    for (std::size_t i = pattern.size(); i-- > 0;) {
        if (platform::core::winpath::isSeparator(pattern[i])) {
            cut = i;
            break;
        }
    }
    if (cut == std::wstring_view::npos) {
        if (pattern.size() >= 2 && pattern[1] == L':') return {std::wstring(pattern.substr(0, 2)), std::wstring(pattern.substr(2))};
        return {L".", std::wstring(pattern)};
    }
    std::wstring folder(pattern.substr(0, cut + 1));
    return {folder, std::wstring(pattern.substr(cut + 1))};
}

bool lessForListing(const Found& a, const Found& b) {
    const int order = platform::core::compareNoCase(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
}

// The next block of matching names; a sub-folder lists itself and its parent first (a root has
// neither).
void readBlock(Search& search) {
    search.block.clear();
    search.next = 0;
    if (search.dotsPending) {
        search.dotsPending = false;
        const bool isRoot = platform::core::winpath::root(search.folder.windowsPath).size() >= search.folder.windowsPath.size();
        if (!isRoot) {
            for (const wchar_t* dots : {L".", L".."}) {
                if (!matchesSearch(search.mask, dots)) continue;
                platform::core::HostLocation location = search.folder;
                location.directory = true;
                search.block.push_back({dots, location});
            }
            if (!search.block.empty()) return;
        }
    }
    std::error_code error;
    const fs::directory_iterator end;
    const std::size_t first = search.block.size();
    for (; search.entries != end && search.block.size() - first < kBlockSize; search.entries.increment(error)) {
        if (error) break;
        const fs::directory_entry& entry = *search.entries;
        const std::string hostName = entry.path().filename().string();
        if (hostName.starts_with(platform::core::kAtomicTempPrefix)) continue;
        // A link leading out of the host folder is no part of the Windows world it maps.
        std::error_code linkError;
        const bool link = entry.is_symlink(linkError);
        if (link && !hostFs().staysInside(entry.path())) continue;
        std::wstring name = platform::core::fromUtf8(hostName);
        if (!matchesSearch(search.mask, name)) continue;
        platform::core::HostLocation location;
        location.windowsPath =
            search.folder.windowsPath + (search.folder.windowsPath.back() == L'\\' ? L"" : L"\\") + name;
        location.hostPath = entry.path();
        location.exists = true;
        std::error_code typeError;
        location.directory = entry.is_directory(typeError);
        search.block.push_back({std::move(name), std::move(location), link});
    }
    if (error) search.entries = end;
    std::stable_sort(search.block.begin() + static_cast<std::ptrdiff_t>(first), search.block.end(), lessForListing);
}

// The next entry of the search, false when there is none left.
bool nextEntry(Search& search, WIN32_FIND_DATAW& data) {
    if (search.next >= search.block.size()) readBlock(search);
    if (search.next >= search.block.size()) return false;
    const Found& found = search.block[search.next++];
    platform::core::noteFileLookedAt();
    const bool dots = found.name == L"." || found.name == L"..";
    const DWORD attributes = dots ? FILE_ATTRIBUTE_DIRECTORY
                                  : attributesOf(found.location) | (found.link ? FILE_ATTRIBUTE_REPARSE_POINT : 0);
    data = makeEntry(found.name, attributes, found.location.hostPath);
    return true;
}

}  // namespace

HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData) {
    if (lpFileName == nullptr || lpFindFileData == nullptr || *lpFileName == L'\0') {
        setError(lpFileName != nullptr && *lpFileName == L'\0' ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const auto [folderText, mask] = splitPattern(lpFileName);
    if (mask.empty()) {
        setError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const platform::core::HostLocation folder = hostFs().resolve(folderText);
    if (!folder.exists || !isHostDirectory(folder)) {
        setError(folder.error != 0 ? folder.error : ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (hostFs().denied(folder.windowsPath, platform::core::FileAccess::Read)) {
        setError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    Search search;
    search.folder = folder;
    search.mask = mask;
    std::error_code error;
    search.entries = fs::directory_iterator(folder.hostPath, error);
    if (!nextEntry(search, *lpFindFileData)) {
        setError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto& table = searchTable();
    std::lock_guard lock(table.mutex);
    table.nextHandle += 4;
    const ULONG_PTR handle = table.nextHandle;
    table.searches.emplace(handle, std::move(search));
    setError(ERROR_SUCCESS);
    return reinterpret_cast<HANDLE>(handle);
}

BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData) {
    auto& table = searchTable();
    std::lock_guard lock(table.mutex);
    auto it = table.searches.find(reinterpret_cast<ULONG_PTR>(hFindFile));
    if (it == table.searches.end() || lpFindFileData == nullptr) {
        setError(it == table.searches.end() ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!nextEntry(it->second, *lpFindFileData)) {
        setError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    setError(ERROR_SUCCESS);
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
    auto& table = searchTable();
    std::lock_guard lock(table.mutex);
    if (table.searches.erase(reinterpret_cast<ULONG_PTR>(hFindFile)) == 0) {
        setError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    setError(ERROR_SUCCESS);
    return TRUE;
}
