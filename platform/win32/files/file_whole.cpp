// Whole-file access for the platform's other stand-ins (ini files, string tables, logs, XML).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include "platform/core/hostfs.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/win32/files/file_detail.h"

namespace fs = std::filesystem;
using platform::core::FileAccess;
using platform::core::HostLocation;
using platform::core::hostFs;

namespace platform::files {

using namespace detail;

namespace {

// The checks every write shares; 0 when the target may be written.
DWORD checkWritable(const HostLocation& location) {
    if (location.error != 0) return location.error;
    if (!location.exists && !location.parentExists) return ERROR_PATH_NOT_FOUND;
    if (location.exists && (isHostDirectory(location) || isReadOnly(location))) return ERROR_ACCESS_DENIED;
    if (hostFs().denied(location.windowsPath, FileAccess::Write)) return ERROR_ACCESS_DENIED;
    return 0;
}

}  // namespace

DWORD readAll(std::wstring_view windowsPath, std::string& bytes) {
    bytes.clear();
    const HostLocation location = hostFs().resolve(windowsPath);
    if (!location.exists) return setError(missingError(location));
    if (isHostDirectory(location) || hostFs().denied(location.windowsPath, FileAccess::Read)) return setError(ERROR_ACCESS_DENIED);
    std::ifstream in(location.hostPath, std::ios::binary);
    if (!in) return setError(ERROR_ACCESS_DENIED);
    // A block at a time: a character at a time costs more than the reading.
    char block[16384];
    while (in.read(block, sizeof block) || in.gcount() > 0) bytes.append(block, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        bytes.clear();
        return setError(ERROR_READ_FAULT);
    }
    return setError(ERROR_SUCCESS);
}

DWORD writeAllAtomic(std::wstring_view windowsPath, std::string_view bytes) {
    const HostLocation location = hostFs().resolve(windowsPath);
    if (DWORD error = checkWritable(location); error != 0) return setError(error);
    std::string problem;
    if (!platform::core::writeFileAtomically(location.hostPath, bytes, &problem)) {
        platform::core::journal().add("warning", L"cannot write " + location.windowsPath + L": " + platform::core::fromUtf8(problem));
        return setError(ERROR_WRITE_FAULT);
    }
    return setError(ERROR_SUCCESS);
}

namespace {

// The file appended to last, kept open: a log gets one line at a time, and opening the file for
// each costs more than writing the line. It is used only while the path still names that very
// file (same host path, device and inode), so a file renamed, removed or replaced between two
// appends is opened afresh, as if it were opened for every append.
class AppendTarget {
public:
    ~AppendTarget() { forget(); }

    // The open file for `location`, opened when it is not the one kept; -1 when it cannot be.
    int open(const HostLocation& location) {
        if (fd_ >= 0 && location.exists && location.inode != 0 && location.device == device_ && location.inode == inode_ &&
            location.hostPath.native() == hostPath_)
            return fd_;
        forget();
        const int fd = ::open(location.hostPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (fd < 0) return -1;
        struct stat info{};
        if (::fstat(fd, &info) != 0) return fd;  // used once, never kept
        fd_ = fd;
        device_ = static_cast<std::uint64_t>(info.st_dev);
        inode_ = static_cast<std::uint64_t>(info.st_ino);
        hostPath_ = location.hostPath.native();
        return fd;
    }
    bool keeps(int fd) const { return fd >= 0 && fd == fd_; }
    void forget() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        hostPath_.clear();
    }

private:
    int fd_ = -1;
    std::uint64_t device_ = 0;
    std::uint64_t inode_ = 0;
    std::string hostPath_;
};

struct AppendState {
    std::mutex mutex;
    AppendTarget target;
};

AppendState& appendState() {
    static AppendState state;
    return state;
}

}  // namespace

DWORD appendText(std::wstring_view windowsPath, std::string_view bytes) {
    const HostLocation location = hostFs().resolve(windowsPath);
    if (DWORD error = checkWritable(location); error != 0) return setError(error);
    // Straight to the file (no buffer of ours): the text is there when this returns, whatever
    // then happens to the process.
    auto& state = appendState();
    std::lock_guard lock(state.mutex);
    const int fd = state.target.open(location);
    if (fd < 0) return setError(ERROR_ACCESS_DENIED);
    bool written = true;
    for (std::string_view rest = bytes; !rest.empty();) {
        const ssize_t count = ::write(fd, rest.data(), rest.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) {
            written = false;
            break;
        }
        rest.remove_prefix(static_cast<std::size_t>(count));
    }
    if (!state.target.keeps(fd)) {
        const bool closed = ::close(fd) == 0;
        return setError(written && closed ? ERROR_SUCCESS : ERROR_WRITE_FAULT);
    }
    if (!written) state.target.forget();  // the next append tries a fresh open
    return setError(written ? ERROR_SUCCESS : ERROR_WRITE_FAULT);
}

DWORD createDirectories(std::wstring_view windowsPath) {
    auto full = hostFs().fullPath(windowsPath);
    if (!full) return setError(windowsPath.empty() ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME);
    // Walk up to the deepest existing folder, then create downwards, so every component is
    // matched case-insensitively against what exists. The places found on the way up stay right
    // on the way down: below the deepest existing folder nothing is there to match.
    std::vector<HostLocation> missing;
    std::wstring current = *full;
    while (true) {
        HostLocation location = hostFs().resolve(current);
        if (location.error != 0) return setError(location.error);
        if (location.exists) {
            if (!isHostDirectory(location)) return setError(missing.empty() ? ERROR_ALREADY_EXISTS : ERROR_PATH_NOT_FOUND);
            break;
        }
        std::wstring parent = platform::core::winpath::parent(current);
        if (parent.empty() || parent == current) {
            // A drive or share root has no folder yet: create it on the host.
            std::error_code error;
            fs::create_directories(location.hostPath, error);
            if (error) return setError(ERROR_ACCESS_DENIED);
            break;
        }
        missing.push_back(std::move(location));
        current = std::move(parent);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (hostFs().denied(it->windowsPath, FileAccess::Write)) return setError(ERROR_ACCESS_DENIED);
        std::error_code error;
        fs::create_directory(it->hostPath, error);
        if (error) return setError(ERROR_ACCESS_DENIED);
    }
    return setError(ERROR_SUCCESS);
}

bool exists(std::wstring_view windowsPath) { return hostFs().resolve(windowsPath).exists; }

bool isDirectory(std::wstring_view windowsPath) { return isHostDirectory(hostFs().resolve(windowsPath)); }

std::string hostPath(std::wstring_view windowsPath) { return hostFs().resolve(windowsPath).hostPath.string(); }

}  // namespace platform::files
