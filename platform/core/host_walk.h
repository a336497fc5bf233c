// Resolving a path below the host root one part at a time, each part checked as it is reached:
// every step opens the next folder relative to the one before (never by a whole path), and a
// symbolic link is read and its target walked the same way, so a link that leads out of the host
// folder is refused before anything outside is opened, listed or read, not even a name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/host_folder_index.h"

namespace platform::core {

class HostWalk {
public:
    // `rootFd` is the host root, open; `realRoot` its path with every link followed and
    // `configuredRoot` as configured: an absolute link target must lie below one of them.
    HostWalk(int rootFd, std::string realRoot, std::string configuredRoot, HostFolderIndex& index);
    ~HostWalk();
    HostWalk(const HostWalk&) = delete;
    HostWalk& operator=(const HostWalk&) = delete;

    enum class Step {
        Folder,     // stepped into a folder (or a link to one)
        Other,      // the entry exists and is no folder: the walk cannot go on below it
        Missing,    // no such entry
        Outside,    // a link on the way leads out of the host folder, nowhere, or in a loop
        Ambiguous,  // more than one entry matches but for case
        Failed,     // the host refused (error() tells why)
    };

    // Steps into the entry spelled exactly `name` of the current folder, following a link.
    Step enter(std::string_view name);
    // Steps into the entry of the current folder spelled `name` but for case: the exact spelling
    // first, else the only case-insensitive match, whose host spelling `hostName` receives;
    // `matchCount` counts the matches.
    Step enterNoCase(std::wstring_view name, std::string& hostName, std::size_t& matchCount);
    // The errno behind Step::Failed.
    int error() const { return error_; }

private:
    int current() const { return folders_.empty() ? rootFd_ : folders_.back(); }
    Step step(std::string_view name);
    Step followLink(std::string_view name);
    void popFolder();
    void backToRoot();

    int rootFd_;
    std::string realRoot_;
    std::string configuredRoot_;
    HostFolderIndex& index_;
    std::vector<int> folders_;  // open folders from the root down; each owned
    std::vector<std::string> names_;  // their names, for the index's key
    int linksFollowed_ = 0;
    int error_ = 0;
};

}  // namespace platform::core
