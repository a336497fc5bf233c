// The names of host folders, folded for case-insensitive look-up: what a Windows path that is
// not spelled as on the host is matched against. A folder is read once and its index kept while
// the folder stays as it was (the same inode and modification time, which every entry made,
// renamed or removed in it changes), so looking up a missing name costs the same in a folder of
// a million files as in one of ten.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace platform::core {

class HostFolderIndex {
public:
    // The host names in the open folder `folderFd` equal to `name` but for case; `key` names the
    // folder among those indexed (its path below the host root). An empty answer when the
    // folder cannot be read.
    std::vector<std::string> matches(int folderFd, const std::string& key, std::wstring_view name);
    void clear();

private:
    struct Folder {
        dev_t device = 0;
        ino_t inode = 0;
        timespec modified{};
        bool trusted = false;  // false when the folder changed too recently to tell a later change
        std::vector<std::string> names;  // as the host spells them
        std::vector<std::uint32_t> beyondAscii;  // indexes in `names` of those that are not ASCII
        // (hash of the folded name, index in `names`), sorted; made on the folder's first few
        // look-ups' behalf only once they outnumber what it saves (see matches()).
        std::vector<std::pair<std::uint64_t, std::uint32_t>> byFoldedHash;
        int scans = 0;  // look-ups answered by going through `names` since it was read
    };
    bool current(const Folder& folder, const struct stat& info) const;
    bool read(int folderFd, const struct stat& info, Folder& folder);

    std::mutex mutex_;
    std::map<std::string, Folder> folders_;
};

}  // namespace platform::core
