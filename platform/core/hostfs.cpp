#include "platform/core/hostfs.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <signal.h>
#include <sys/stat.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/host_walk.h"
#include "platform/core/journal.h"
#include "platform/core/malformed_lines.h"

namespace platform::core {

namespace fs = std::filesystem;

namespace {

constexpr DWORD kStoredAttributeMask = 0x00000007;  // read-only, hidden, system
constexpr const char* kAttributesFile = "attributes.tsv";

using winpath::hasInvalidNameCharacter;

// Appends `text` in UTF-8; plain ASCII names (nearly all) without a converted copy.
void appendUtf8(std::string& out, std::wstring_view text) {
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<std::uint32_t>(c) < 0x80; })) {
        for (const wchar_t c : text) out.push_back(static_cast<char>(c));
        return;
    }
    out += toUtf8(text);
}

// Views into `normalizedPath`, which outlives them: every file access resolves a path, and
// copies of its names cost more than the look-up.
std::vector<std::wstring_view> componentsAfterRoot(std::wstring_view normalizedPath) {
    std::vector<std::wstring_view> parts;
    std::wstring_view rest = normalizedPath.substr(winpath::root(normalizedPath).size());
    while (!rest.empty()) {
        if (rest.front() == L'\\') {
            rest.remove_prefix(1);
            continue;
        }
        const std::size_t end = rest.find(L'\\');
        parts.emplace_back(rest.substr(0, end));
        if (end == std::wstring_view::npos) break;
        rest.remove_prefix(end);
    }
    return parts;
}

}  // namespace

bool keepTemporaryHosts() {
    const char* keep = std::getenv("KORVO_KEEP_HOST");
    return keep != nullptr && std::string_view(keep) == "1";
}

namespace {

// The temporary host folder this process made for itself (a test of the stand-ins that set no
// host root). It goes with everything in it when the process ends normally, so test runs leave
// nothing behind; a process that is killed leaves it, as it would leave any host folder. Only
// the process that made it removes it (not a child forked from it), and KORVO_KEEP_HOST=1 keeps
// it for a look afterwards, as for the harness's own temporary folders.
class OwnedTemporaryRoot {
public:
    void adopt(fs::path folder) { folders_.emplace_back(std::move(folder), ::getpid()); }
    ~OwnedTemporaryRoot() {
        if (keepTemporaryHosts()) return;
        for (const auto& [folder, owner] : folders_) {
            if (owner != ::getpid()) continue;
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
    }

private:
    // More than one when a test points the root back to none.
    std::vector<std::pair<fs::path, pid_t>> folders_;
};

fs::path makeTemporaryRoot() {
    std::error_code error;
    fs::path base = fs::temp_directory_path(error);
    if (error) base = "/tmp";
    std::string pattern = (base / "korvo-host-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) {
        reportFailure(L"cannot create a temporary host folder under " + fromUtf8(base.string()));
        return base / "korvo-host";
    }
    static OwnedTemporaryRoot owned;
    owned.adopt(buffer.data());
    return fs::path(buffer.data());
}

std::string describe(const std::error_code& error) { return error.message(); }

std::string errnoText(int code) { return std::error_code(code, std::generic_category()).message(); }

// Writes everything from the file's start, resuming after a signal or a short write.
bool writeAllFromStart(int fd, std::string_view bytes) {
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

// Writes `bytes` as the whole content of `path` (created when missing); 0 or the errno.
int writeWholeFile(const fs::path& path, std::string_view bytes) {
    // Never through a link: a temporary or spare name is ours alone.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return errno;
    // Rewriting in place and cutting the rest, rather than truncating first: ext4 flushes a
    // file truncated to nothing on its close.
    int failure = 0;
    if (!writeAllFromStart(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) failure = errno;
    if (::close(fd) != 0 && failure == 0) failure = errno;
    return failure;
}

// Puts the complete temporary file in the target's place in one step. Exchanging the two names
// is as atomic for any reader and for a process that is killed at any point as a rename over
// the target (the target's name always holds one complete version), and it leaves the old
// content under the temporary name (`exchanged`), to be removed or reused. It is preferred
// because ext4 flushes the new file's data to the disk on a rename over an existing file, and
// frees the old file's blocks (with a synchronous discard on some mounts): some 100 us per
// replacement, against 15 us. Durability against a power loss was never promised (no fsync).
int putInPlace(const char* temporary, const char* target, bool& exchanged) {
    exchanged = false;
#ifdef RENAME_EXCHANGE
    if (::renameat2(AT_FDCWD, temporary, AT_FDCWD, target, RENAME_EXCHANGE) == 0) {
        exchanged = true;
        return 0;
    }
    // ENOENT: no target yet (a plain rename costs nothing extra then); EINVAL or ENOSYS: the
    // file system cannot exchange.
    if (errno != ENOENT && errno != EINVAL && errno != ENOSYS) return errno;
#endif
    return ::rename(temporary, target) == 0 ? 0 : errno;
}

// The process id in a temporary name "<prefix><pid>-...", or 0.
pid_t ownerOfTemporary(std::string_view name) {
    if (!name.starts_with(kAtomicTempPrefix)) return 0;
    name.remove_prefix(kAtomicTempPrefix.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash > 9 || dash == std::string_view::npos) return 0;
    pid_t pid = 0;
    for (char c : name.substr(0, dash)) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

}  // namespace

bool writeFileAtomically(const fs::path& target, std::string_view bytes, std::string* error) {
    static std::atomic<unsigned> counter{0};
    const fs::path temporary =
        target.parent_path() / (std::string(kAtomicTempPrefix) + std::to_string(::getpid()) + "-" +
                                std::to_string(counter.fetch_add(1)) + ".tmp");
    // A killed process of the same id may have left this name behind: it is simply rewritten.
    if (const int failure = writeWholeFile(temporary, bytes); failure != 0) {
        if (error) *error = "cannot write " + temporary.string() + ": " + errnoText(failure);
        ::unlink(temporary.c_str());
        return false;
    }
    bool exchanged = false;
    if (const int failure = putInPlace(temporary.c_str(), target.c_str(), exchanged); failure != 0) {
        if (error) *error = "cannot replace " + target.string() + ": " + errnoText(failure);
        ::unlink(temporary.c_str());
        return false;
    }
#ifdef RENAME_EXCHANGE
    if (exchanged && ::unlink(temporary.c_str()) != 0 && errno == EISDIR) {
        // The target was a folder, which a rename would have refused to replace: undo.
        ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE);
        ::unlink(temporary.c_str());
        if (error) *error = "cannot replace " + target.string() + ": " + errnoText(EISDIR);
        return false;
    }
#endif
    return true;
}

bool writeFileThroughSpare(const fs::path& target, const fs::path& spare, std::string_view bytes, std::string* error) {
    // Should the write fail half-way, only the spare is spoiled, and the next write rewrites it.
    if (const int failure = writeWholeFile(spare, bytes); failure != 0) {
        if (error) *error = "cannot write " + spare.string() + ": " + errnoText(failure);
        return false;
    }
    bool exchanged = false;
    if (const int failure = putInPlace(spare.c_str(), target.c_str(), exchanged); failure != 0) {
        if (error) *error = "cannot replace " + target.string() + ": " + errnoText(failure);
        return false;
    }
    return true;
}

std::string spareName(std::string_view fileName) {
    return std::string(kAtomicTempPrefix) + std::to_string(::getpid()) + "-" + std::string(fileName) + ".spare";
}

void removeStaleTemporaries(const fs::path& folder) {
    std::error_code error;
    for (auto it = fs::directory_iterator(folder, error); !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        const pid_t owner = ownerOfTemporary(name);
        if (owner == 0 || owner == ::getpid()) continue;
        if (::kill(owner, 0) == 0 || errno != ESRCH) continue;  // alive, or not ours to tell
        std::error_code ignored;
        fs::remove_all(it->path(), ignored);  // a file, or a folder being seeded
    }
}

fs::path HostFileSystem::root() {
    std::lock_guard lock(mutex_);
    if (root_) return *root_;
    auto& configured = config().hostRoot;
    fs::path chosen = configured.empty() ? makeTemporaryRoot() : fs::path(configured);
    std::error_code error;
    fs::create_directories(chosen, error);
    if (error) reportFailure(L"cannot create the host folder " + fromUtf8(chosen.string()) + L": " + fromUtf8(describe(error)));
    configured = chosen.string();
    root_ = chosen;
    rootText_ = chosen.native();
    return chosen;
}

std::string HostFileSystem::rootText() {
    std::lock_guard lock(mutex_);
    if (!root_) root();
    return rootText_;
}

fs::path HostFileSystem::registryFolder() { return root() / "registry"; }

std::wstring HostFileSystem::currentFolder() {
    std::lock_guard lock(mutex_);
    if (!currentFolder_) {
        auto program = winpath::normalize(config().programFolder);
        currentFolder_ = program ? *program : std::wstring(L"C:\\");
    }
    return *currentFolder_;
}

void HostFileSystem::setCurrentFolder(std::wstring normalizedPath) {
    std::lock_guard lock(mutex_);
    currentFolder_ = std::move(normalizedPath);
}

std::optional<std::wstring> HostFileSystem::fullPath(std::wstring_view path) {
    if (path.empty()) return std::nullopt;
    // An absolute path does not depend on the current folder (nor need a copy of it).
    if (!winpath::isRelative(path)) return winpath::normalize(path);
    return winpath::combine(currentFolder(), path);
}

namespace {

// Windows refuses longer names and paths with ERROR_FILENAME_EXCED_RANGE.
constexpr std::size_t kMaxComponentLength = 255;
constexpr std::size_t kMaxPathLength = 32767;

// Opens `relative` below the root in one call when no part of it is a link and every part is
// spelled as on the host (the kernel checks each part as it goes and refuses any link, so nothing
// outside is touched); -1 when that does not hold or the host cannot say so in one call.
int openWithoutLinks(int rootFd, const char* relative, std::uint64_t flags) {
#ifdef SYS_openat2
    static std::atomic<bool> unsupported{false};
    if (unsupported.load(std::memory_order_relaxed)) return -1;
    open_how how{};
    how.flags = flags | O_PATH | O_NOFOLLOW | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_BENEATH;
    const long fd = ::syscall(SYS_openat2, rootFd, relative, &how, sizeof how);
    if (fd < 0) {
        if (errno == ENOSYS || errno == EPERM) unsupported = true;  // EPERM: a sandbox filtering it
        return -1;
    }
    return static_cast<int>(fd);
#else
    (void)rootFd;
    (void)relative;
    (void)flags;
    return -1;
#endif
}

// The status of `relative` below the root, found as openWithoutLinks() finds it; nothing when
// that does not find it.
std::optional<struct stat> statWithoutLinks(int rootFd, const std::string& relative) {
    const int fd = openWithoutLinks(rootFd, relative.c_str(), 0);
    if (fd < 0) return std::nullopt;
    struct stat info{};
    const bool known = ::fstat(fd, &info) == 0 && !S_ISLNK(info.st_mode);
    ::close(fd);
    if (!known) return std::nullopt;
    return info;
}

DWORD errorOfHost(int code) { return code == ENAMETOOLONG ? ERROR_FILENAME_EXCED_RANGE : ERROR_ACCESS_DENIED; }

}  // namespace

HostLocation HostFileSystem::resolve(std::wstring_view windowsPath) {
    HostLocation location;
    auto full = fullPath(windowsPath);
    if (!full) {
        location.error = windowsPath.empty() ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME;
        return location;
    }
    location.windowsPath = *full;
    if (full->size() > kMaxPathLength) {
        location.error = ERROR_FILENAME_EXCED_RANGE;
        return location;
    }

    // The top folder: "<host>/C" for a drive, "<host>/UNC/server/share" for a share; server and
    // share are looked up like any other component.
    std::vector<std::wstring_view> components = componentsAfterRoot(*full);
    std::string top;
    std::size_t rootComponents = 0;  // server and share are already in the root's text
    if (full->starts_with(L"\\\\")) {
        // Views into the full path, which the root begins, as the components are.
        const std::wstring_view rootText = std::wstring_view(*full).substr(0, winpath::root(*full).size());
        const std::size_t serverEnd = rootText.find(L'\\', 2);
        const std::wstring_view server = rootText.substr(2, serverEnd - 2);
        const std::wstring_view share = rootText.substr(serverEnd + 1);
        // No server or share has such a name; on the host they would climb out of "UNC".
        if (winpath::isRelativeMarker(server) || winpath::isRelativeMarker(share)) {
            location.error = ERROR_BAD_NETPATH;
            return location;
        }
        components.insert(components.begin(), share);
        components.insert(components.begin(), server);
        rootComponents = 2;
        top = "UNC";
    } else {
        top = toUtf8(std::wstring(1, (*full)[0]));
    }
    for (const auto& component : components) {
        if (hasInvalidNameCharacter(component)) {
            location.error = ERROR_INVALID_NAME;
            return location;
        }
        if (component.size() > kMaxComponentLength) {
            location.error = ERROR_FILENAME_EXCED_RANGE;
            return location;
        }
    }

    const std::string rootPath = rootText();
    const int rootFd = openRoot();
    if (rootFd < 0) return refusedAsOutside(location);

    // Most paths exist exactly as spelled, without a link: one call answers for every part (an
    // exact match always wins over a case-insensitive one). Anything else takes the walk.
    std::string relative = top;
    relative.reserve(full->size() + top.size());
    for (const auto& component : components) {
        relative.push_back('/');
        appendUtf8(relative, component);
    }
    if (const auto info = statWithoutLinks(rootFd, relative)) {
        location.hostPath = rootPath + "/" + relative;
        location.spelledPath = *full;  // every component as asked
        location.exists = true;
        location.parentExists = true;
        location.directory = S_ISDIR(info->st_mode);
        location.device = static_cast<std::uint64_t>(info->st_dev);
        location.inode = static_cast<std::uint64_t>(info->st_ino);
        return location;
    }

    // A path to make (a file to write, a folder to create) most often lies in a folder that
    // exists as spelled, without a link: that folder found in one call, only the last part is
    // looked up, as the walk below would look it up. Anything else takes the walk.
    if (components.size() > rootComponents && lastPartMissing(rootFd, relative, *full, std::wstring(components.back()), location)) {
        location.hostPath = rootPath + "/" + relative;
        return location;
    }

    std::wstring spelled = winpath::root(*full);
    auto spell = [&](std::size_t index, std::wstring_view name) {
        if (index < rootComponents) return;
        if (spelled.back() != L'\\') spelled.push_back(L'\\');
        spelled += name;
    };
    HostWalk walk(rootFd, realRoot(), rootPath, folderIndex_);
    std::string host = rootPath + "/" + top;
    HostWalk::Step step = walk.enter(top);
    if (step == HostWalk::Step::Outside) return refusedAsOutside(location);
    if (step == HostWalk::Step::Failed) {
        location.error = errorOfHost(walk.error());
        return location;
    }
    bool present = step == HostWalk::Step::Folder;
    for (std::size_t i = 0; i < components.size(); ++i) {
        const std::wstring_view component = components[i];
        const bool last = i + 1 == components.size();
        if (last) location.parentExists = present;
        if (!present) {
            host += "/" + toUtf8(component);
            spell(i, component);
            continue;
        }
        std::string hostName;
        std::size_t matches = 0;
        step = walk.enterNoCase(component, hostName, matches);
        switch (step) {
            case HostWalk::Step::Ambiguous:
                reportFailure(L"ambiguous path " + *full + L": \"" + std::wstring(component) + L"\" matches " + std::to_wstring(matches) +
                              L" host entries in " + fromUtf8(host));
                location.error = ERROR_INVALID_NAME;
                location.hostPath = host + "/" + toUtf8(component);
                return location;
            case HostWalk::Step::Outside:
                return refusedAsOutside(location);
            case HostWalk::Step::Failed:
                location.error = errorOfHost(walk.error());
                return location;
            case HostWalk::Step::Missing:
                present = false;
                host += "/" + hostName;
                spell(i, component);
                break;
            case HostWalk::Step::Folder:
            case HostWalk::Step::Other:
                host += "/" + hostName;
                spell(i, fromUtf8(hostName));
                // A file in the middle of a path ends the lookup: nothing can lie below it.
                if (step == HostWalk::Step::Other && !last) present = false;
                break;
        }
    }
    if (components.empty()) location.parentExists = present;
    location.hostPath = host;
    location.spelledPath = spelled;
    location.exists = present;
    location.directory = present && step == HostWalk::Step::Folder;
    return location;
}

bool HostFileSystem::lastPartMissing(int rootFd, const std::string& relative, const std::wstring& fullPath,
                                     const std::wstring& lastPart, HostLocation& location) {
    const std::size_t slash = relative.rfind('/');
    if (slash == std::string::npos) return false;
    const std::string folderRelative = relative.substr(0, slash);
    const int folder = openWithoutLinks(rootFd, folderRelative.c_str(), O_DIRECTORY);
    if (folder < 0) return false;
    struct stat info{};
    const std::string name = relative.substr(slash + 1);
    bool missing = ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
    // Spelled otherwise on the host, the name is the walk's to match (or to find ambiguous).
    if (missing) missing = folderIndex_.matches(folder, "/" + folderRelative, lastPart).empty();
    ::close(folder);
    if (!missing) return false;
    location.spelledPath = fullPath;  // the folder's parts as asked, the missing name as asked
    location.exists = false;
    location.directory = false;
    location.parentExists = true;
    return true;
}

HostLocation HostFileSystem::refusedAsOutside(HostLocation& location) {
    location.error = ERROR_ACCESS_DENIED;
    location.exists = location.directory = location.parentExists = false;
    location.hostPath.clear();  // nothing to act on by mistake
    return location;
}

int HostFileSystem::openRoot() {
    std::lock_guard lock(mutex_);
    if (rootFd_ < 0) rootFd_ = ::open(root().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return rootFd_;
}

std::string HostFileSystem::realRoot() {
    std::lock_guard lock(mutex_);
    if (realRoot_.empty()) {
        const fs::path folder = root();
        char* real = ::realpath(folder.c_str(), nullptr);
        realRoot_ = real != nullptr ? std::string(real) : folder.lexically_normal().string();
        std::free(real);
    }
    return realRoot_;
}

bool HostFileSystem::staysInside(const fs::path& hostPath) {
    const fs::path rootPath = root();
    fs::path relative = hostPath.lexically_relative(rootPath);
    if (relative.empty() || *relative.begin() == "..") relative = hostPath.lexically_relative(realRoot());
    if (relative.empty() || *relative.begin() == "..") return false;
    const int rootFd = openRoot();
    if (rootFd < 0) return false;
    HostWalk walk(rootFd, realRoot(), rootPath.string(), folderIndex_);
    for (const auto& part : relative) {
        switch (walk.enter(part.native())) {
            case HostWalk::Step::Folder:
                continue;
            // The deepest part that exists decides: what is missing below it will be made inside it.
            case HostWalk::Step::Missing:
            case HostWalk::Step::Other:
                return true;
            case HostWalk::Step::Outside:
            case HostWalk::Step::Ambiguous:
            case HostWalk::Step::Failed:
                return false;
        }
    }
    return true;
}

std::optional<std::wstring> HostFileSystem::windowsPathOf(const fs::path& hostPath) {
    fs::path relative = hostPath.lexically_relative(root());
    // A path the host gives with every link followed starts at the root's real location.
    if (relative.empty() || *relative.begin() == "..") relative = hostPath.lexically_relative(realRoot());
    auto it = relative.begin();
    if (relative.empty() || it == relative.end() || it->string() == "..") return std::nullopt;
    std::wstring result;
    const std::wstring first = fromUtf8(it->string());
    ++it;
    if (first == L"UNC") {
        result = L"\\";
    } else if (first.size() == 1 && ((first[0] >= L'A' && first[0] <= L'Z') || (first[0] >= L'a' && first[0] <= L'z'))) {
        result = std::wstring{toUpperInvariant(first[0]), L':'};
    } else {
        return std::nullopt;
    }
    for (; it != relative.end(); ++it) {
        if (it->empty()) continue;
        result += L"\\" + fromUtf8(it->string());
    }
    if (result.size() == 2) result += L"\\";
    return winpath::normalize(result);
}

// ---- attribute side table ----

void HostFileSystem::ensureAttributesLoaded() {
    if (attributesLoaded_) return;
    attributesLoaded_ = true;
    attributes_.clear();
    const fs::path file = root() / kAttributesFile;
    // A link put in the table's place that leads out of the host folder is never read, nor
    // replaced by a save (the table is left as it is, like a malformed one).
    if (!staysInside(file)) {
        reportFailure(L"file attributes " + fromUtf8(file.string()) + L" lead out of the host folder; the file is left as it is");
        attributesBroken_ = true;
        return;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) return;
    std::string line;
    int number = 0;
    MalformedLines problems{fromUtf8(file.string()), [](std::wstring problem) { reportFailure(std::move(problem)); }};
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::size_t tab = line.find('\t');
        char* end = nullptr;
        const unsigned long value = tab == std::string::npos ? 0 : std::strtoul(line.c_str(), &end, 16);
        if (tab == std::string::npos || tab == 0 || end != line.c_str() + tab || tab + 1 == line.size()) {
            problems.report(static_cast<std::size_t>(number),
                            L"expected \"<hex attributes><tab><Windows path>\"; the file is left as it is");
            attributesBroken_ = true;
            continue;
        }
        auto path = winpath::normalize(fromUtf8(line.substr(tab + 1)));
        if (!path) {
            problems.report(static_cast<std::size_t>(number), L"not an absolute Windows path");
            attributesBroken_ = true;
            continue;
        }
        const DWORD stored = static_cast<DWORD>(value) & kStoredAttributeMask;
        if (stored != 0) attributes_[*path] = stored;
    }
    problems.finish();
}

void HostFileSystem::saveAttributes() {
    if (attributesBroken_) return;
    std::string text = "# file attributes the host cannot keep: <hex flags><tab><Windows path>\n";
    for (const auto& [path, value] : attributes_) {
        char flags[16];
        std::snprintf(flags, sizeof flags, "%08x", static_cast<unsigned>(value));
        text += flags;
        text += '\t';
        text += toUtf8(path);
        text += '\n';
    }
    std::string error;
    if (!writeFileAtomically(root() / kAttributesFile, text, &error)) reportFailure(L"cannot save file attributes: " + fromUtf8(error));
}

DWORD HostFileSystem::storedAttributes(std::wstring_view normalizedPath) {
    std::lock_guard lock(mutex_);
    ensureAttributesLoaded();
    auto it = attributes_.find(normalizedPath);
    return it == attributes_.end() ? 0 : it->second;
}

void HostFileSystem::setStoredAttributes(std::wstring_view normalizedPath, DWORD attributes) {
    std::lock_guard lock(mutex_);
    ensureAttributesLoaded();
    const DWORD stored = attributes & kStoredAttributeMask;
    auto it = attributes_.find(normalizedPath);
    if (stored == 0) {
        if (it == attributes_.end()) return;
        attributes_.erase(it);
    } else if (it != attributes_.end()) {
        if (it->second == stored) return;
        it->second = stored;
    } else {
        attributes_.emplace(std::wstring(normalizedPath), stored);
    }
    saveAttributes();
}

namespace {

using AttributeTable = std::map<std::wstring, DWORD, NoCaseLess>;
using AttributeEntries = std::vector<std::pair<std::wstring, DWORD>>;

// The entries of `folder` and everything below it, renamed as if the folder were `to`.
AttributeEntries entriesWithin(const AttributeTable& table, std::wstring_view folder, std::wstring_view to) {
    AttributeEntries entries;
    for (const auto& [path, value] : table) {
        if (winpath::isWithin(path, folder)) entries.emplace_back(std::wstring(to) + path.substr(folder.size()), value);
    }
    return entries;
}

// Removes the entries of `folder` and everything below it; false when there were none.
bool eraseWithin(AttributeTable& table, std::wstring_view folder) {
    return std::erase_if(table, [&](const auto& entry) { return winpath::isWithin(entry.first, folder); }) != 0;
}

}  // namespace

void HostFileSystem::moveStoredAttributes(std::wstring_view from, std::wstring_view to) {
    std::lock_guard lock(mutex_);
    ensureAttributesLoaded();
    const AttributeEntries moved = entriesWithin(attributes_, from, to);
    if (moved.empty()) return;
    eraseWithin(attributes_, from);
    for (const auto& [path, value] : moved) attributes_[path] = value;
    saveAttributes();
}

void HostFileSystem::copyStoredAttributes(std::wstring_view from, std::wstring_view to) {
    std::lock_guard lock(mutex_);
    ensureAttributesLoaded();
    const AttributeEntries copied = entriesWithin(attributes_, from, to);
    // The copy replaces whatever the target had; a source without attributes clears them.
    const bool cleared = eraseWithin(attributes_, to);
    for (const auto& [path, value] : copied) attributes_[path] = value;
    if (cleared || !copied.empty()) saveAttributes();
}

void HostFileSystem::forgetStoredAttributes(std::wstring_view normalizedPath) {
    std::lock_guard lock(mutex_);
    ensureAttributesLoaded();
    if (eraseWithin(attributes_, normalizedPath)) saveAttributes();
}

// ---- access faults ----

void HostFileSystem::deny(std::wstring_view windowsPath, FileAccess access) {
    auto full = fullPath(windowsPath);
    if (!full) {
        reportFailure(L"cannot deny access to the malformed path \"" + std::wstring(windowsPath) + L"\"");
        return;
    }
    std::lock_guard lock(mutex_);
    (access == FileAccess::Read ? deniedRead_ : deniedWrite_).insert(*full);
}

void HostFileSystem::allow(std::wstring_view windowsPath, FileAccess access) {
    auto full = fullPath(windowsPath);
    if (!full) return;
    std::lock_guard lock(mutex_);
    (access == FileAccess::Read ? deniedRead_ : deniedWrite_).erase(*full);
}

bool HostFileSystem::denied(std::wstring_view normalizedPath, FileAccess access) {
    std::lock_guard lock(mutex_);
    for (const auto& folder : access == FileAccess::Read ? deniedRead_ : deniedWrite_) {
        if (winpath::isWithin(normalizedPath, folder)) return true;
    }
    return false;
}

void HostFileSystem::reloadForTesting() {
    std::lock_guard lock(mutex_);
    root_.reset();  // taken again from the configuration, which holds the folder chosen before
    rootText_.clear();
    realRoot_.clear();
    if (rootFd_ >= 0) ::close(rootFd_);
    rootFd_ = -1;
    folderIndex_.clear();
    currentFolder_.reset();
    attributesLoaded_ = false;
    attributesBroken_ = false;
    attributes_.clear();
    deniedRead_.clear();
    deniedWrite_.clear();
}

HostFileSystem& hostFs() {
    static HostFileSystem instance;
    return instance;
}

}  // namespace platform::core
