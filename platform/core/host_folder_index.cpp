#include "platform/core/host_folder_index.h"

#include <dirent.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include "platform/core/text.h"

namespace platform::core {

namespace {

// Folders indexed at once; beyond it the indexes start again (a session looks into few folders).
constexpr std::size_t kMaxFolders = 256;

// A folder changed less than this before it was read may change again within the same tick of
// the file system's clock without its modification time moving: its index is used once and
// read again next time.
constexpr long long kClockSlackNs = 20'000'000;

long long nanoseconds(const timespec& time) { return static_cast<long long>(time.tv_sec) * 1'000'000'000LL + time.tv_nsec; }

}  // namespace

bool HostFolderIndex::current(const Folder& folder, const struct stat& info) const {
    return folder.trusted && folder.device == info.st_dev && folder.inode == info.st_ino &&
           folder.modified.tv_sec == info.st_mtim.tv_sec && folder.modified.tv_nsec == info.st_mtim.tv_nsec;
}

bool HostFolderIndex::read(int folderFd, const struct stat& info, Folder& folder) {
    const int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0) return false;
    DIR* dir = ::fdopendir(listFd);
    if (dir == nullptr) {
        ::close(listFd);
        return false;
    }
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    folder.names.clear();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        folder.names[foldCase(fromUtf8(name))].push_back(name);
    }
    ::closedir(dir);
    folder.device = info.st_dev;
    folder.inode = info.st_ino;
    folder.modified = info.st_mtim;
    folder.trusted = nanoseconds(info.st_mtim) < nanoseconds(now) - kClockSlackNs;
    return true;
}

std::vector<std::string> HostFolderIndex::matches(int folderFd, const std::string& key, std::wstring_view name) {
    struct stat info{};
    if (::fstat(folderFd, &info) != 0) return {};
    std::lock_guard lock(mutex_);
    auto found = folders_.find(key);
    if (found == folders_.end()) {
        if (folders_.size() >= kMaxFolders) folders_.clear();
        found = folders_.emplace(key, Folder{}).first;
    }
    Folder& folder = found->second;
    if (!current(folder, info) && !read(folderFd, info, folder)) {
        folders_.erase(found);
        return {};
    }
    const auto names = folder.names.find(foldCase(name));
    return names == folder.names.end() ? std::vector<std::string>{} : names->second;
}

void HostFolderIndex::clear() {
    std::lock_guard lock(mutex_);
    folders_.clear();
}

}  // namespace platform::core
