#include "platform/core/host_folder_index.h"

#include <dirent.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>

#include "platform/core/text.h"

namespace platform::core {

namespace {

// Folders indexed at once; beyond it the indexes start again (a session looks into few folders).
constexpr std::size_t kMaxFolders = 256;

// Look-ups of a folder answered by going through its names before they are hashed. Going through
// them costs a small part of what listing the folder costs the host, and hashing them about as
// much as going through them a dozen times: a folder looked into for a name or two, as most are,
// is never hashed, and one looked into often is, so a look-up still costs the same in a big folder
// as in a small one, counting the listing it needs once.
constexpr int kScansBeforeHashing = 8;

// A folder changed less than this before it was read may change again within the same tick of
// the file system's clock without its modification time moving: its index is used once and
// read again next time.
constexpr long long kClockSlackNs = 20'000'000;

long long nanoseconds(const timespec& time) { return static_cast<long long>(time.tv_sec) * 1'000'000'000LL + time.tv_nsec; }

bool isAscii(std::string_view name) {
    for (const char c : name)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

char foldedAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// A host name folded as foldCase folds it, in UTF-8.
std::string foldedUtf8(std::string_view name) {
    if (!isAscii(name)) return toUtf8(foldCase(fromUtf8(name)));
    std::string folded(name);
    for (char& c : folded) c = foldedAscii(c);
    return folded;
}

// FNV-1a of the folded name's UTF-8; most host names are ASCII and are folded on the way.
std::uint64_t foldedHash(std::string_view name) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    auto add = [&hash](char c) { hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull; };
    if (isAscii(name)) {
        for (const char c : name) add(foldedAscii(c));
    } else {
        for (const char c : foldedUtf8(name)) add(c);
    }
    return hash;
}

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
    folder.beyondAscii.clear();
    folder.byFoldedHash.clear();
    folder.scans = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!isAscii(name)) folder.beyondAscii.push_back(static_cast<std::uint32_t>(folder.names.size()));
        folder.names.emplace_back(name);
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
    const std::string folded = toUtf8(foldCase(name));
    std::vector<std::string> hostNames;
    if (folder.byFoldedHash.empty() && folder.scans < kScansBeforeHashing) {
        ++folder.scans;
        // An ASCII name folds to ASCII of its own length: most names are told apart by that.
        if (isAscii(folded)) {
            auto beyond = folder.beyondAscii.begin();
            for (std::uint32_t i = 0; i < folder.names.size(); ++i) {
                if (beyond != folder.beyondAscii.end() && *beyond == i) {
                    ++beyond;
                    continue;
                }
                const std::string& hostName = folder.names[i];
                if (hostName.size() == folded.size() &&
                    std::equal(hostName.begin(), hostName.end(), folded.begin(), [](char a, char b) { return foldedAscii(a) == b; })) {
                    hostNames.push_back(hostName);
                }
            }
        }
        // Folding may change a longer text's length (and make ASCII of it), so these are folded.
        for (const std::uint32_t i : folder.beyondAscii) {
            if (foldedUtf8(folder.names[i]) == folded) hostNames.push_back(folder.names[i]);
        }
        return hostNames;
    }
    if (folder.byFoldedHash.empty()) {
        folder.byFoldedHash.reserve(folder.names.size());
        for (std::uint32_t i = 0; i < folder.names.size(); ++i) folder.byFoldedHash.emplace_back(foldedHash(folder.names[i]), i);
        std::sort(folder.byFoldedHash.begin(), folder.byFoldedHash.end());
    }
    const std::uint64_t hash = foldedHash(folded);
    auto at = std::lower_bound(folder.byFoldedHash.begin(), folder.byFoldedHash.end(), std::pair{hash, std::uint32_t{0}});
    for (; at != folder.byFoldedHash.end() && at->first == hash; ++at) {
        const std::string& hostName = folder.names[at->second];
        if (foldedUtf8(hostName) == folded) hostNames.push_back(hostName);
    }
    return hostNames;
}

void HostFolderIndex::clear() {
    std::lock_guard lock(mutex_);
    folders_.clear();
}

}  // namespace platform::core
