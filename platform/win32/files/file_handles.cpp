// Files by handle over POSIX descriptors of the mapped host file.
#include "platform/win32/files/file_handles.h"
#include "platform/win32/process/pipes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "platform/core/api_text.h"
#include "platform/core/hostfs.h"
#include "platform/core/journal.h"
#include "platform/faults.h"
#include "platform/win32/files/file_detail.h"
#include "platform/win32/last_error.h"
#include "platform/win32/process/kernel_objects.h"
#include "platform/win32/window/window_table.h"

namespace {

using platform::core::FileAccess;
using platform::core::hostFs;
using platform::win32::failWith;
using platform::win32::KernelObject;

struct FileObject : KernelObject {
    FileObject() : KernelObject(Kind::File) {}
    ~FileObject() override {
        if (fd >= 0) ::close(fd);
    }
    FileObject(const FileObject&) = delete;
    FileObject& operator=(const FileObject&) = delete;
    int fd = -1;
    bool read = false;
    bool write = false;
    // A folder's handle (FILE_FLAG_BACKUP_SEMANTICS): it only answers questions about the folder.
    bool folder = false;
};

std::shared_ptr<FileObject> findFile(HANDLE handle) {
    auto lock = platform::win32::lockPlatform();
    auto object = platform::win32::findObject(handle);
    if (!object || object->kind != KernelObject::Kind::File) return nullptr;
    return std::static_pointer_cast<FileObject>(object);
}

}  // namespace

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
    const bool backupSemantics = dwFlagsAndAttributes == FILE_FLAG_BACKUP_SEMANTICS;
    const bool known = (dwDesiredAccess & ~(GENERIC_READ | GENERIC_WRITE)) == 0 &&
                       (dwFlagsAndAttributes == 0 || (backupSemantics && dwCreationDisposition == OPEN_EXISTING)) &&
                       hTemplateFile == nullptr &&
                       (dwCreationDisposition == OPEN_EXISTING || dwCreationDisposition == CREATE_ALWAYS ||
                        dwCreationDisposition == OPEN_ALWAYS);
    if (!known) {
        platform::core::reportFailure(L"CreateFileW: this access, disposition or flag is not modelled");
        return failWith(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    if (lpFileName == nullptr || *lpFileName == L'\0') return failWith(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    const auto location = hostFs().resolve(lpFileName);
    if (location.error != 0) return failWith(location.error, INVALID_HANDLE_VALUE);
    if (!location.exists && (dwCreationDisposition == OPEN_EXISTING || !location.parentExists))
        return failWith(platform::files::detail::missingError(location), INVALID_HANDLE_VALUE);
    const bool reading = (dwDesiredAccess & GENERIC_READ) != 0;
    const bool writing = (dwDesiredAccess & GENERIC_WRITE) != 0;
    const bool folder = location.exists && platform::files::detail::isHostDirectory(location);
    if (folder && !backupSemantics) return failWith(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    if ((reading && hostFs().denied(location.windowsPath, FileAccess::Read)) ||
        (writing && (hostFs().denied(location.windowsPath, FileAccess::Write) ||
                     (location.exists && platform::files::detail::isReadOnly(location)))))
        return failWith(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    int flags = reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY;
    // A folder, or a handle with no access, is only asked about: it needs no read permission.
    if (folder || (!reading && !writing)) flags = O_PATH;
    if (dwCreationDisposition != OPEN_EXISTING) flags |= O_CREAT;
    if (dwCreationDisposition == CREATE_ALWAYS) flags |= O_TRUNC;
    auto file = std::make_shared<FileObject>();
    file->fd = ::open(location.hostPath.c_str(), flags | O_CLOEXEC, 0644);
    if (file->fd < 0) return failWith(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    file->read = reading && !folder;
    file->write = writing && !folder;
    file->folder = folder;
    auto lock = platform::win32::lockPlatform();
    HANDLE handle = platform::win32::addHandle(std::move(file));
    SetLastError(ERROR_SUCCESS);
    return handle;
}

DWORD GetFinalPathNameByHandleW(HANDLE hFile, LPWSTR lpszFilePath, DWORD cchFilePath, DWORD dwFlags) {
    if ((dwFlags & ~(FILE_NAME_OPENED | VOLUME_NAME_GUID | VOLUME_NAME_NT | VOLUME_NAME_NONE)) != 0)
        return failWith(ERROR_INVALID_PARAMETER, 0);
    const DWORD volume = dwFlags & (VOLUME_NAME_GUID | VOLUME_NAME_NT | VOLUME_NAME_NONE);
    if (volume != VOLUME_NAME_DOS && volume != VOLUME_NAME_NONE) {
        platform::core::reportFailure(L"GetFinalPathNameByHandleW: a volume's GUID or device name is not modelled");
        return failWith(ERROR_INVALID_PARAMETER, 0);
    }
    auto file = findFile(hFile);
    if (!file) return failWith(ERROR_INVALID_HANDLE, 0);
    // The descriptor knows where the file is now, whatever it was opened as and wherever it moved.
    char real[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(file->fd);
    const ssize_t length = ::readlink(link.c_str(), real, sizeof real - 1);
    if (length <= 0) return failWith(ERROR_PATH_NOT_FOUND, 0);
    struct stat status {};
    if (::fstat(file->fd, &status) != 0 || status.st_nlink == 0) return failWith(ERROR_PATH_NOT_FOUND, 0);
    const auto windowsPath = hostFs().windowsPathOf(std::string(real, static_cast<std::size_t>(length)));
    if (!windowsPath) return failWith(ERROR_PATH_NOT_FOUND, 0);
    std::wstring text;
    if (volume == VOLUME_NAME_NONE) {
        // Without the volume: the path from the volume's root folder.
        const bool share = windowsPath->starts_with(L"\\\\");
        std::size_t root = share ? windowsPath->find(L'\\', windowsPath->find(L'\\', 2) + 1) : 2;
        text = root == std::wstring::npos ? std::wstring(L"\\") : windowsPath->substr(root);
    } else {
        text = windowsPath->starts_with(L"\\\\") ? L"\\\\?\\UNC" + windowsPath->substr(1) : L"\\\\?\\" + *windowsPath;
    }
    SetLastError(ERROR_SUCCESS);
    return platform::core::copyWhenItFits(text, lpszFilePath, cchFilePath);
}

namespace {

// A read or write on an open file's descriptor: `io` moves the bytes (-1 on failure); a fault
// point makes the call fail as a device error would.
template <class Bytes, class Io>
BOOL transfer(const wchar_t* call, HANDLE hFile, Bytes buffer, DWORD count, DWORD* done, void* overlapped, bool write,
              Io io) {
    if (done) *done = 0;
    if (overlapped) {
        platform::core::reportFailure(std::wstring(call) + L": overlapped transfers are not modelled");
        return failWith(ERROR_INVALID_PARAMETER, FALSE);
    }
    auto file = findFile(hFile);
    if (!file) return failWith(ERROR_INVALID_HANDLE, FALSE);
    if (file->folder) return failWith(ERROR_INVALID_FUNCTION, FALSE);
    if (!(write ? file->write : file->read)) return failWith(ERROR_ACCESS_DENIED, FALSE);
    const DWORD fault = write ? ERROR_WRITE_FAULT : ERROR_READ_FAULT;
    if (platform::faultInjected(std::wstring(call) + L" 1")) return failWith(fault, FALSE);
    const ssize_t n = io(file->fd, buffer, count);
    if (n < 0) return failWith(fault, FALSE);
    if (done) *done = static_cast<DWORD>(n);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, DWORD* lpNumberOfBytesRead, void* lpOverlapped) {
    return transfer(L"ReadFile", hFile, lpBuffer, nNumberOfBytesToRead, lpNumberOfBytesRead, lpOverlapped, false, &::read);
}

BOOL WriteFile(HANDLE hFile, const void* lpBuffer, DWORD nNumberOfBytesToWrite, DWORD* lpNumberOfBytesWritten,
               void* lpOverlapped) {
    if (platform::win32::isPipe(hFile))
        return platform::win32::writePipe(hFile, lpBuffer, nNumberOfBytesToWrite, lpNumberOfBytesWritten);
    return transfer(L"WriteFile", hFile, lpBuffer, nNumberOfBytesToWrite, lpNumberOfBytesWritten, lpOverlapped, true,
                    &::write);
}

BOOL GetFileSizeEx(HANDLE hFile, LARGE_INTEGER* lpFileSize) {
    auto file = findFile(hFile);
    if (!file || !lpFileSize) return failWith(file ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE, FALSE);
    struct stat status {};
    if (::fstat(file->fd, &status) != 0) return failWith(ERROR_ACCESS_DENIED, FALSE);
    lpFileSize->QuadPart = status.st_size;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, LARGE_INTEGER* lpNewFilePointer, DWORD dwMoveMethod) {
    auto file = findFile(hFile);
    if (!file) return failWith(ERROR_INVALID_HANDLE, FALSE);
    const int whence = dwMoveMethod == FILE_BEGIN ? SEEK_SET : dwMoveMethod == FILE_CURRENT ? SEEK_CUR
                     : dwMoveMethod == FILE_END   ? SEEK_END : -1;
    if (whence < 0) return failWith(ERROR_INVALID_PARAMETER, FALSE);
    // Windows refuses a position before the start.
    const off_t position = ::lseek(file->fd, static_cast<off_t>(liDistanceToMove.QuadPart), whence);
    if (position < 0) return failWith(ERROR_NEGATIVE_SEEK, FALSE);
    if (lpNewFilePointer) lpNewFilePointer->QuadPart = position;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
