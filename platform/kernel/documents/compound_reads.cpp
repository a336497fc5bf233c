#include "platform/kernel/documents/compound_reads.h"

#include <sys/stat.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>

#include "platform/core/hostfs.h"
#include "platform/win32/files/file.h"

namespace platform::kernel {
namespace {

// What tells one state of a host file from another: a replaced file is another inode, a changed
// one has other change times.
struct Stamp {
    dev_t device;
    ino_t inode;
    off_t size;
    timespec modified, changed;

    friend bool operator==(const Stamp& a, const Stamp& b) {
        auto key = [](const Stamp& s) {
            return std::tuple(s.device, s.inode, s.size, s.modified.tv_sec, s.modified.tv_nsec, s.changed.tv_sec,
                              s.changed.tv_nsec);
        };
        return key(a) == key(b);
    }
};

std::optional<Stamp> stampOf(const std::string& hostPath) {
    struct stat status {};
    if (::stat(hostPath.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return Stamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

struct Kept {
    std::mutex mutex;
    std::string hostPath;
    std::optional<Stamp> stamp;
    std::shared_ptr<const CompoundStreams> streams;
};

Kept& kept() {
    static Kept instance;
    return instance;
}

std::atomic<std::size_t> reads{0};

}  // namespace

CompoundRead readCompoundDocument(std::wstring_view path) {
    using platform::core::hostFs;
    // Only a file the program may read now is served from what was kept; any other goes to the
    // file layer, which says why it cannot be read.
    const platform::core::HostLocation location = hostFs().resolve(path);
    const bool readable = location.error == 0 && location.exists && !location.directory &&
                          !hostFs().denied(location.windowsPath, platform::core::FileAccess::Read);
    const std::optional<Stamp> stamp = readable ? stampOf(location.hostPath.string()) : std::nullopt;
    Kept& cache = kept();
    if (stamp) {
        std::lock_guard lock(cache.mutex);
        if (cache.stamp == stamp && cache.hostPath == location.hostPath.string()) return {0, cache.streams};
    }
    std::string bytes;
    ++reads;
    if (const DWORD error = platform::files::readAll(path, bytes); error != 0) return {error, nullptr};
    std::optional<CompoundStreams> decoded = decodeCompoundFile(bytes);
    auto streams = decoded ? std::make_shared<const CompoundStreams>(std::move(*decoded)) : nullptr;
    if (stamp) {
        std::lock_guard lock(cache.mutex);
        cache.hostPath = location.hostPath.string();
        cache.stamp = stamp;  // taken before reading: a change meanwhile makes the next ask read again
        cache.streams = streams;
    }
    return {0, streams};
}

std::size_t compoundDocumentReads() { return reads.load(); }

}  // namespace platform::kernel
