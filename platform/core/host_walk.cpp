#include "platform/core/host_walk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/core/text.h"

namespace platform::core {

namespace {

// As many links as the host's own path resolution follows before it gives up on a loop.
constexpr int kMaxLinks = 40;

// The part of `path` below `root`, when `path` is `root` or lies below it.
bool below(std::string_view path, std::string_view root, std::string_view& rest) {
    while (root.size() > 1 && root.back() == '/') root.remove_suffix(1);
    if (root.empty() || !path.starts_with(root)) return false;
    rest = path.substr(root.size());
    return rest.empty() || rest.front() == '/';
}

}  // namespace

HostWalk::HostWalk(int rootFd, std::string realRoot, std::string configuredRoot, HostFolderIndex& index)
    : rootFd_(rootFd), realRoot_(std::move(realRoot)), configuredRoot_(std::move(configuredRoot)), index_(index) {}

HostWalk::~HostWalk() { backToRoot(); }

void HostWalk::popFolder() {
    ::close(folders_.back());
    folders_.pop_back();
    names_.pop_back();
}

void HostWalk::backToRoot() {
    while (!folders_.empty()) popFolder();
}

HostWalk::Step HostWalk::enter(std::string_view name) {
    if (name.empty() || name == ".") return Step::Folder;
    if (name == "..") {
        if (folders_.empty()) return Step::Outside;  // above the host root
        popFolder();
        return Step::Folder;
    }
    return step(name);
}

HostWalk::Step HostWalk::step(std::string_view name) {
    const std::string entry(name);
    struct stat info{};
    if (::fstatat(current(), entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT) return Step::Missing;
        error_ = errno;
        return Step::Failed;
    }
    if (S_ISLNK(info.st_mode)) return followLink(entry);
    if (!S_ISDIR(info.st_mode)) return Step::Other;
    // Never through a link: had the folder been swapped for one since, this fails.
    const int folder = ::openat(current(), entry.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        error_ = errno;
        return errno == ELOOP || errno == ENOTDIR ? Step::Outside : Step::Failed;
    }
    folders_.push_back(folder);
    names_.push_back(entry);
    return Step::Folder;
}

HostWalk::Step HostWalk::followLink(std::string_view name) {
    if (++linksFollowed_ > kMaxLinks) return Step::Outside;
    const std::string entry(name);
    std::string target(4096, '\0');
    const ssize_t length = ::readlinkat(current(), entry.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return Step::Outside;
    target.resize(static_cast<std::size_t>(length));
    std::string_view rest = target;
    if (rest.front() == '/') {
        // Only a target in the host folder, spelled through the root's real path or the
        // configured one, is followed; the walk starts again at the root.
        if (!below(target, realRoot_, rest) && !below(target, configuredRoot_, rest)) return Step::Outside;
        backToRoot();
    }
    // Relative to the folder holding the link, which is the current one.
    Step result = Step::Folder;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (result != Step::Folder) return Step::Outside;  // a file or nothing in the middle: a link to nowhere
        result = enter(part);
        if (result == Step::Missing) return Step::Outside;  // a dangling link leads wherever it would create
    }
    return result;
}

HostWalk::Step HostWalk::enterNoCase(std::wstring_view name, std::string& hostName, std::size_t& matchCount) {
    hostName = toUtf8(name);
    matchCount = 1;
    const Step exact = enter(hostName);
    if (exact != Step::Missing) return exact;
    std::string key;
    for (const auto& folder : names_) key += "/" + folder;
    const std::vector<std::string> matches = index_.matches(current(), key, name);
    matchCount = matches.size();
    if (matches.empty()) return Step::Missing;
    if (matches.size() > 1) return Step::Ambiguous;
    hostName = matches.front();
    return enter(hostName);
}

}  // namespace platform::core
