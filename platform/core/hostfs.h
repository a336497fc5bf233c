// The mapping of Windows paths onto the host folder, the side table of file attributes and the
// injected access faults. Platform code and the harness use it; shell code never does.
//
// Layout of the host folder: one sub-folder per drive ("C:\\x" is "<host>/C/x"), "UNC/server/
// share/..." for network paths, "registry/" for the registry hives and "attributes.tsv" for the
// attributes that a host file system cannot keep (hidden, read-only, system).
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <map>

#include "platform/core/host_folder_index.h"
#include "platform/core/text.h"
#include "platform/core/windows_types.h"
#include "platform/core/winpath.h"

namespace platform::core {

// Where a Windows path lands on the host.
struct HostLocation {
    std::wstring windowsPath;         // the normalised absolute Windows path, spelled as asked
    std::wstring spelledPath;         // the same with existing components spelled as on the host
    std::filesystem::path hostPath;   // existing components in their host spelling
    bool exists = false;              // the whole path exists on the host
    bool directory = false;           // ... and is a folder (or a link to one)
    bool parentExists = false;        // the folder that would contain it exists
    // The host's identity of what the path names, when every part of it was found as spelled in
    // one call (0 and 0 otherwise): lets a holder of an open file tell it is still the one named.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    // ERROR_INVALID_NAME for a bad or ambiguous path; ERROR_BAD_NETPATH for a server or share
    // named "." or ".."; ERROR_ACCESS_DENIED (and no host path) when a symbolic link on the way
    // leads out of the host folder or nowhere.
    DWORD error = 0;
};

enum class FileAccess { Read, Write };

// Whether temporary host folders are to be kept for a look afterwards: KORVO_KEEP_HOST=1 (any
// other value, or none, removes them).
bool keepTemporaryHosts();

class HostFileSystem {
public:
    // The host root; when the configuration leaves it empty, a fresh temporary directory is
    // created once per process, stored back into the configuration and removed again when the
    // process exits normally (unless keepTemporaryHosts()).
    std::filesystem::path root();
    std::filesystem::path registryFolder();

    // Current folder of the process, a normalised Windows path (initially the program folder).
    std::wstring currentFolder();
    void setCurrentFolder(std::wstring normalizedPath);
    // Absolute normalised Windows path of `path` (relative paths against the current folder).
    std::optional<std::wstring> fullPath(std::wstring_view path);

    // Maps a Windows path. Each component matches exactly first, else the only
    // case-insensitive match (found in an index of the folder's names, kept while the folder is
    // unchanged); two case-insensitive matches are reported as a failure and the path is refused
    // with ERROR_INVALID_NAME. Components that do not exist keep their spelling. Each part is
    // checked as it is reached, so a link leading out of the host folder is refused before
    // anything outside is opened, listed or read. A name over 255 characters, a path over 32,767
    // or one the host cannot hold gives ERROR_FILENAME_EXCED_RANGE; a name with a character
    // Windows forbids ERROR_INVALID_NAME.
    HostLocation resolve(std::wstring_view windowsPath);
    // Whether the host path, once every symbolic link on the way to its deepest existing part is
    // followed, lies in the host folder. Links between places inside it are followed.
    bool staysInside(const std::filesystem::path& hostPath);
    // The Windows path of a host path inside the root ("<host>/C/x" -> "C:\\x"), if any; the
    // root may be named by its real location (every link followed).
    std::optional<std::wstring> windowsPathOf(const std::filesystem::path& hostPath);

    // Attributes that the host cannot keep (read-only, hidden, system), by normalised path.
    DWORD storedAttributes(std::wstring_view normalizedPath);
    void setStoredAttributes(std::wstring_view normalizedPath, DWORD attributes);
    // Carry the attributes of a path and everything below it along a move, a copy or a delete.
    void moveStoredAttributes(std::wstring_view from, std::wstring_view to);
    void copyStoredAttributes(std::wstring_view from, std::wstring_view to);
    void forgetStoredAttributes(std::wstring_view normalizedPath);

    // Injected access faults on a path and everything below it (the host user may be the
    // superuser, so permission bits cannot produce them).
    void deny(std::wstring_view windowsPath, FileAccess access);
    void allow(std::wstring_view windowsPath, FileAccess access);
    bool denied(std::wstring_view normalizedPath, FileAccess access);

    // Forgets the in-memory state (current folder, attribute table, faults) so that a test can
    // act as the next run over the same host folder (the one in the configuration, which a
    // test may point elsewhere before calling this).
    void reloadForTesting();

private:
    static HostLocation refusedAsOutside(HostLocation& location);
    // Whether the folder of `relative` (below the root) exists as spelled, without a link, and
    // holds nothing named `lastPart`, not even but for case; `location` is filled in for that.
    bool lastPartMissing(int rootFd, const std::string& relative, const std::wstring& fullPath, const std::wstring& lastPart,
                         HostLocation& location);
    std::string realRoot();
    // The root as text: what resolve() puts in front of every host path (no copy of a path's
    // parsed parts).
    std::string rootText();
    // The host root, open for the walks below it (-1 when it cannot be opened).
    int openRoot();
    void ensureAttributesLoaded();
    void saveAttributes();

    std::recursive_mutex mutex_;
    std::optional<std::filesystem::path> root_;
    std::string rootText_;  // root_'s text
    std::string realRoot_;  // the root with every link followed, for links that name it
    int rootFd_ = -1;
    HostFolderIndex folderIndex_;
    std::optional<std::wstring> currentFolder_;
    bool attributesLoaded_ = false;
    bool attributesBroken_ = false;  // a malformed table is reported and never overwritten
    std::map<std::wstring, DWORD, NoCaseLess> attributes_;
    std::set<std::wstring, NoCaseLess> deniedRead_;
    std::set<std::wstring, NoCaseLess> deniedWrite_;
};

HostFileSystem& hostFs();

// Host-level helpers shared by the platform's own files (registry hives, attribute table):
// write to a temporary file in the same folder, then put it in the target's place in one step
// (the target's name holds the old or the new content, never a part; no fsync).
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error = nullptr);
// Temporary files of atomic writes start with this prefix and the writer's process id
// (".~korvo-<pid>-..."); enumeration never shows them.
inline constexpr std::string_view kAtomicTempPrefix = ".~korvo-";
// For a file replaced often (a registry hive after each change): the same atomic replacement,
// but through a spare file beside the target that is kept and rewritten each time instead of a
// file being made per write (making files is what costs most on some file systems). After a
// replacement the spare holds the replaced content. Its owner removes it when done; a process
// that is killed leaves it behind, hidden like any temporary file, for removeStaleTemporaries.
bool writeFileThroughSpare(const std::filesystem::path& target, const std::filesystem::path& spare, std::string_view bytes,
                           std::string* error = nullptr);
// The spare's name for a file of a folder, for this process: ".~korvo-<pid>-<name>.spare".
std::string spareName(std::string_view fileName);
// Removes the temporary and spare files (and folders) of processes that no longer run from a
// folder.
void removeStaleTemporaries(const std::filesystem::path& folder);

}  // namespace platform::core
