// File and folder functions over the host mapping. Access faults come from the harness's fault
// table and the stored read-only attribute, never from host permissions.
#include "platform/win32/files/file.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <system_error>
#include <utility>

#include "platform/core/api_text.h"
#include "platform/core/config.h"
#include "platform/core/hostfs.h"
#include "platform/core/text.h"
#include "platform/win32/files/file_detail.h"
#include "platform/win32/last_error.h"

namespace fs = std::filesystem;
using platform::core::copyWhenItFits;
using platform::core::FileAccess;
using platform::core::HostLocation;
using platform::core::hostFs;
using platform::core::viewOf;
using platform::win32::failWith;

namespace platform::files::detail {

DWORD setError(DWORD error) { return failWith(error, error); }

DWORD missingError(const HostLocation& location) {
    if (location.error != 0) return location.error;
    return location.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

bool isHostDirectory(const HostLocation& location) { return location.exists && location.directory; }

DWORD attributesOf(const HostLocation& location) {
    DWORD attributes = hostFs().storedAttributes(location.windowsPath);
    if (isHostDirectory(location)) return attributes | FILE_ATTRIBUTE_DIRECTORY;
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

bool isReadOnly(const HostLocation& location) {
    return (hostFs().storedAttributes(location.windowsPath) & FILE_ATTRIBUTE_READONLY) != 0;
}

namespace {

// Held files by host path, as the look-up spells them: every Windows spelling of one file maps
// to the same host path, while a link is a file of its own.
struct Holds {
    std::mutex mutex;
    std::multiset<std::string> paths;
};

Holds& holds() {
    static Holds instance;
    return instance;
}

}  // namespace

bool isHeldOpen(const HostLocation& location) {
    if (!location.exists) return false;
    const std::string path = location.hostPath.string();
    Holds& held = holds();
    const std::lock_guard lock(held.mutex);
    if (held.paths.contains(path)) return true;
    if (!isHostDirectory(location)) return false;
    const std::string below = path + "/";
    const auto next = held.paths.lower_bound(below);
    return next != held.paths.end() && next->starts_with(below);
}

}  // namespace platform::files::detail

namespace platform::files {

OpenFileHold::OpenFileHold(std::wstring_view windowsPath) {
    const HostLocation location = hostFs().resolve(windowsPath);
    if (!location.exists || detail::isHostDirectory(location)) return;
    hostPath_ = location.hostPath.string();
    detail::Holds& held = detail::holds();
    const std::lock_guard lock(held.mutex);
    held.paths.insert(hostPath_);
}

OpenFileHold::~OpenFileHold() { release(); }

OpenFileHold::OpenFileHold(OpenFileHold&& other) noexcept : hostPath_(std::exchange(other.hostPath_, {})) {}

OpenFileHold& OpenFileHold::operator=(OpenFileHold&& other) noexcept {
    if (this != &other) {
        release();
        hostPath_ = std::exchange(other.hostPath_, {});
    }
    return *this;
}

void OpenFileHold::release() {
    if (hostPath_.empty()) return;
    detail::Holds& held = detail::holds();
    const std::lock_guard lock(held.mutex);
    if (const auto found = held.paths.find(hostPath_); found != held.paths.end()) held.paths.erase(found);
    hostPath_.clear();
}

}  // namespace platform::files

using namespace platform::files::detail;

namespace {

BOOL fail(DWORD error) { return failWith(error, FALSE); }

BOOL succeed() {
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace

DWORD GetFileAttributesW(LPCWSTR lpFileName) {
    const HostLocation location = hostFs().resolve(viewOf(lpFileName));
    if (!location.exists) return failWith(missingError(location), INVALID_FILE_ATTRIBUTES);
    SetLastError(ERROR_SUCCESS);
    return attributesOf(location);
}

BOOL SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes) {
    const HostLocation location = hostFs().resolve(viewOf(lpFileName));
    if (!location.exists) return fail(missingError(location));
    if (hostFs().denied(location.windowsPath, FileAccess::Write)) return fail(ERROR_ACCESS_DENIED);
    hostFs().setStoredAttributes(location.windowsPath, dwFileAttributes);
    return succeed();
}

BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    const HostLocation location = hostFs().resolve(viewOf(lpPathName));
    if (location.error != 0) return fail(location.error);
    if (location.exists) return fail(ERROR_ALREADY_EXISTS);
    if (!location.parentExists) return fail(ERROR_PATH_NOT_FOUND);
    if (hostFs().denied(location.windowsPath, FileAccess::Write)) return fail(ERROR_ACCESS_DENIED);
    std::error_code error;
    if (!fs::create_directory(location.hostPath, error) || error) return fail(ERROR_ACCESS_DENIED);
    hostFs().forgetStoredAttributes(location.windowsPath);
    return succeed();
}

BOOL RemoveDirectoryW(LPCWSTR lpPathName) {
    const HostLocation location = hostFs().resolve(viewOf(lpPathName));
    if (!location.exists) return fail(missingError(location));
    if (!isHostDirectory(location)) return fail(ERROR_DIRECTORY);
    if (hostFs().denied(location.windowsPath, FileAccess::Write) || isReadOnly(location)) return fail(ERROR_ACCESS_DENIED);
    // A folder in use as the current folder cannot go, as on Windows.
    if (platform::core::winpath::isWithin(hostFs().currentFolder(), location.windowsPath)) return fail(ERROR_SHARING_VIOLATION);
    std::error_code error;
    if (!fs::is_empty(location.hostPath, error)) return fail(ERROR_DIR_NOT_EMPTY);
    if (!fs::remove(location.hostPath, error) || error) return fail(ERROR_ACCESS_DENIED);
    hostFs().forgetStoredAttributes(location.windowsPath);
    return succeed();
}

BOOL DeleteFileW(LPCWSTR lpFileName) {
    const HostLocation location = hostFs().resolve(viewOf(lpFileName));
    if (!location.exists) return fail(missingError(location));
    if (isHostDirectory(location)) return fail(ERROR_ACCESS_DENIED);
    if (hostFs().denied(location.windowsPath, FileAccess::Write) || isReadOnly(location)) return fail(ERROR_ACCESS_DENIED);
    if (isHeldOpen(location)) return fail(ERROR_SHARING_VIOLATION);
    std::error_code error;
    if (!fs::remove(location.hostPath, error) || error) return fail(ERROR_ACCESS_DENIED);
    hostFs().forgetStoredAttributes(location.windowsPath);
    return succeed();
}

BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName) {
    return MoveFileExW(lpExistingFileName, lpNewFileName, 0);
}

BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags) {
    const HostLocation source = hostFs().resolve(viewOf(lpExistingFileName));
    if (!source.exists) return fail(missingError(source));
    const HostLocation target = hostFs().resolve(viewOf(lpNewFileName));
    if (target.error != 0) return fail(target.error);
    if (hostFs().denied(source.windowsPath, FileAccess::Write) || hostFs().denied(target.windowsPath, FileAccess::Write)) {
        return fail(ERROR_ACCESS_DENIED);
    }
    // Names are renamed, never what a link points to: the target is the source only when both
    // name the same directory entry (a change of spelling, "a.txt" to "A.TXT"). Another entry,
    // even a link to the same file or a name differing only in case, is an existing file.
    std::error_code error;
    fs::path destination = target.hostPath;
    if (target.exists && target.hostPath == source.hostPath) {
        destination = source.hostPath.parent_path() / platform::core::toUtf8(platform::core::winpath::fileName(target.windowsPath));
    } else if (target.exists) {
        const bool replaceable = (dwFlags & MOVEFILE_REPLACE_EXISTING) != 0 && !isHostDirectory(source) && !isHostDirectory(target);
        if (!replaceable) return fail(ERROR_ALREADY_EXISTS);
        if (isReadOnly(target)) return fail(ERROR_ACCESS_DENIED);
        if (isHeldOpen(target)) return fail(ERROR_SHARING_VIOLATION);
    } else if (!target.parentExists) {
        return fail(ERROR_PATH_NOT_FOUND);
    }
    if (isHeldOpen(source)) return fail(ERROR_SHARING_VIOLATION);
    if (isHostDirectory(source) && platform::core::winpath::isWithin(target.windowsPath, source.windowsPath) &&
        !platform::core::winpath::equal(target.windowsPath, source.windowsPath)) {
        return fail(ERROR_SHARING_VIOLATION);
    }
    fs::rename(source.hostPath, destination, error);
    if (error) return fail(ERROR_ACCESS_DENIED);
    if (!platform::core::winpath::equal(source.windowsPath, target.windowsPath)) hostFs().forgetStoredAttributes(target.windowsPath);
    hostFs().moveStoredAttributes(source.windowsPath, target.windowsPath);
    return succeed();
}

BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists) {
    const HostLocation source = hostFs().resolve(viewOf(lpExistingFileName));
    if (!source.exists) return fail(missingError(source));
    if (isHostDirectory(source)) return fail(ERROR_ACCESS_DENIED);
    const HostLocation target = hostFs().resolve(viewOf(lpNewFileName));
    if (target.error != 0) return fail(target.error);
    if (!target.exists && !target.parentExists) return fail(ERROR_PATH_NOT_FOUND);
    if (target.exists) {
        if (bFailIfExists) return fail(ERROR_FILE_EXISTS);
        if (isHostDirectory(target) || isReadOnly(target)) return fail(ERROR_ACCESS_DENIED);
        std::error_code error;
        if (fs::equivalent(source.hostPath, target.hostPath, error)) return fail(ERROR_SHARING_VIOLATION);
    }
    if (hostFs().denied(source.windowsPath, FileAccess::Read) || hostFs().denied(target.windowsPath, FileAccess::Write)) {
        return fail(ERROR_ACCESS_DENIED);
    }
    std::ifstream in(source.hostPath, std::ios::binary);
    if (!in) return fail(ERROR_ACCESS_DENIED);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!platform::core::writeFileAtomically(target.hostPath, bytes)) return fail(ERROR_ACCESS_DENIED);
    hostFs().copyStoredAttributes(source.windowsPath, target.windowsPath);
    return succeed();
}

DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer, LPWSTR* lpFilePart) {
    const std::wstring_view name = viewOf(lpFileName);
    auto full = hostFs().fullPath(name);
    if (!full) return failWith(name.empty() ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME, 0);
    // A trailing separator stays: the result names a folder then, and has no file part.
    const bool trailingSeparator = platform::core::winpath::isSeparator(name.back());
    std::wstring text = *full;
    if (trailingSeparator && text.back() != L'\\') text.push_back(L'\\');
    const DWORD result = copyWhenItFits(text, lpBuffer, nBufferLength);
    if (lpFilePart != nullptr && result <= text.size() && lpBuffer != nullptr) {
        const std::size_t slash = text.rfind(L'\\');
        *lpFilePart = (trailingSeparator || slash + 1 >= text.size()) ? nullptr : lpBuffer + slash + 1;
    }
    SetLastError(ERROR_SUCCESS);
    return result;
}

DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer) {
    SetLastError(ERROR_SUCCESS);
    return copyWhenItFits(hostFs().currentFolder(), lpBuffer, nBufferLength);
}

BOOL SetCurrentDirectoryW(LPCWSTR lpPathName) {
    const HostLocation location = hostFs().resolve(viewOf(lpPathName));
    if (!location.exists) return fail(missingError(location));
    if (!isHostDirectory(location)) return fail(ERROR_DIRECTORY);
    hostFs().setCurrentFolder(location.windowsPath);
    return succeed();
}

DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
    auto folder = hostFs().fullPath(platform::core::config().tempFolder);
    std::wstring text = folder ? *folder : std::wstring(L"C:\\");
    if (text.back() != L'\\') text.push_back(L'\\');
    SetLastError(ERROR_SUCCESS);
    return copyWhenItFits(text, lpBuffer, nBufferLength);
}
