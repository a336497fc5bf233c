#include "platform/core/hostfs.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/journal.h"

namespace platform::core {

namespace fs = std::filesystem;

namespace {

constexpr DWORD kStoredAttributeMask = 0x00000007;  // read-only, hidden, system
constexpr const char* kAttributesFile = "attributes.tsv";

bool hasInvalidCharacter(std::wstring_view component) {
    for (wchar_t c : component) {
        if (c < 0x20) return true;
        switch (c) {
            case L'<': case L'>': case L':': case L'"': case L'|': case L'?': case L'*':
                return true;
            default:
                break;
        }
    }
    return false;
}

std::vector<std::wstring> componentsAfterRoot(std::wstring_view normalizedPath) {
    std::vector<std::wstring> parts;
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
    return fs::path(buffer.data());
}

std::string describe(const std::error_code& error) { return error.message(); }

}  // namespace

bool writeFileAtomically(const fs::path& target, std::string_view bytes, std::string* error) {
    static std::atomic<unsigned> counter{0};
    const fs::path temporary =
        target.parent_path() / (std::string(kAtomicTempPrefix) + std::to_string(::getpid()) + "-" +
                                std::to_string(counter.fetch_add(1)) + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            if (error) *error = "cannot create " + temporary.string();
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            if (error) *error = "cannot write " + temporary.string();
            out.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code renameError;
    fs::rename(temporary, target, renameError);
    if (renameError) {
        if (error) *error = "cannot replace " + target.string() + ": " + describe(renameError);
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
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
    return chosen;
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
    return winpath::combine(currentFolder(), path);
}

HostLocation HostFileSystem::resolve(std::wstring_view windowsPath) {
    HostLocation location;
    auto full = fullPath(windowsPath);
    if (!full) {
        location.error = windowsPath.empty() ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME;
        return location;
    }
    location.windowsPath = *full;

    // The root: "<host>/C" for a drive, "<host>/UNC/server/share" for a share; server and share
    // are looked up like any other component.
    fs::path current = root();
    std::vector<std::wstring> components = componentsAfterRoot(*full);
    if (full->starts_with(L"\\\\")) {
        const std::wstring rootText = winpath::root(*full);
        const std::size_t serverEnd = rootText.find(L'\\', 2);
        components.insert(components.begin(), rootText.substr(serverEnd + 1));
        components.insert(components.begin(), rootText.substr(2, serverEnd - 2));
        current /= "UNC";
    } else {
        current /= toUtf8(std::wstring(1, (*full)[0]));
    }

    std::wstring spelled = winpath::root(*full);
    const std::size_t rootComponents = full->starts_with(L"\\\\") ? 2 : 0;
    auto spell = [&](std::size_t index, const std::wstring& name) {
        if (index < rootComponents) return;  // server and share are already in the root text
        if (spelled.back() != L'\\') spelled.push_back(L'\\');
        spelled += name;
    };

    std::error_code error;
    bool present = fs::is_directory(current, error);
    for (std::size_t i = 0; i < components.size(); ++i) {
        const std::wstring& component = components[i];
        if (hasInvalidCharacter(component)) {
            location.error = ERROR_INVALID_NAME;
            location.hostPath = current;
            return location;
        }
        const bool last = i + 1 == components.size();
        if (last) location.parentExists = present;
        if (!present) {
            current /= toUtf8(component);
            spell(i, component);
            continue;
        }
        const fs::path exact = current / toUtf8(component);
        if (fs::exists(fs::symlink_status(exact, error))) {
            current = exact;
        } else {
            std::vector<fs::path> matches;
            for (const auto& entry : fs::directory_iterator(current, error)) {
                if (equalsNoCase(fromUtf8(entry.path().filename().string()), component)) matches.push_back(entry.path());
            }
            if (matches.size() > 1) {
                reportFailure(L"ambiguous path " + *full + L": \"" + component + L"\" matches " +
                              std::to_wstring(matches.size()) + L" host entries in " + fromUtf8(current.string()));
                location.error = ERROR_INVALID_NAME;
                location.hostPath = current / toUtf8(component);
                return location;
            }
            if (matches.empty()) {
                current = exact;
                present = false;
                spell(i, component);
                continue;
            }
            current = matches.front();
        }
        spell(i, fromUtf8(current.filename().string()));
        // A file in the middle of a path ends the lookup: nothing can lie below it.
        if (!last && !fs::is_directory(current, error)) present = false;
    }
    if (components.empty()) location.parentExists = present;
    location.hostPath = current;
    location.spelledPath = spelled;
    location.exists = present && fs::exists(fs::symlink_status(current, error));
    return location;
}

std::optional<std::wstring> HostFileSystem::windowsPathOf(const fs::path& hostPath) {
    const fs::path relative = hostPath.lexically_relative(root());
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
    std::ifstream in(file, std::ios::binary);
    if (!in) return;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::size_t tab = line.find('\t');
        char* end = nullptr;
        const unsigned long value = tab == std::string::npos ? 0 : std::strtoul(line.c_str(), &end, 16);
        if (tab == std::string::npos || tab == 0 || end != line.c_str() + tab || tab + 1 == line.size()) {
            reportFailure(fromUtf8(file.string()) + L":" + std::to_wstring(number) +
                          L": expected \"<hex attributes><tab><Windows path>\"; the file is left as it is");
            attributesBroken_ = true;
            continue;
        }
        auto path = winpath::normalize(fromUtf8(line.substr(tab + 1)));
        if (!path) {
            reportFailure(fromUtf8(file.string()) + L":" + std::to_wstring(number) + L": not an absolute Windows path");
            attributesBroken_ = true;
            continue;
        }
        const DWORD stored = static_cast<DWORD>(value) & kStoredAttributeMask;
        if (stored != 0) attributes_[*path] = stored;
    }
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

void HostFileSystem::moveStoredAttributes(std::wstring_view from, std::wstring_view to) {
    std::lock_guard lock(mutex_);
    ensureAttributesLoaded();
    std::vector<std::pair<std::wstring, DWORD>> moved;
    for (auto it = attributes_.begin(); it != attributes_.end();) {
        if (winpath::isWithin(it->first, from)) {
            moved.emplace_back(std::wstring(to) + it->first.substr(from.size()), it->second);
            it = attributes_.erase(it);
        } else {
            ++it;
        }
    }
    if (moved.empty()) return;
    for (auto& [path, value] : moved) attributes_[path] = value;
    saveAttributes();
}

void HostFileSystem::copyStoredAttributes(std::wstring_view from, std::wstring_view to) {
    std::lock_guard lock(mutex_);
    ensureAttributesLoaded();
    std::vector<std::pair<std::wstring, DWORD>> copied;
    for (const auto& [path, value] : attributes_) {
        if (winpath::isWithin(path, from)) copied.emplace_back(std::wstring(to) + path.substr(from.size()), value);
    }
    bool changed = false;
    // The copy replaces whatever the target had; a source without attributes clears them.
    for (auto it = attributes_.begin(); it != attributes_.end();) {
        if (winpath::isWithin(it->first, to)) {
            it = attributes_.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    for (auto& [path, value] : copied) {
        attributes_[path] = value;
        changed = true;
    }
    if (changed) saveAttributes();
}

void HostFileSystem::forgetStoredAttributes(std::wstring_view normalizedPath) {
    std::lock_guard lock(mutex_);
    ensureAttributesLoaded();
    bool changed = false;
    for (auto it = attributes_.begin(); it != attributes_.end();) {
        if (winpath::isWithin(it->first, normalizedPath)) {
            it = attributes_.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    if (changed) saveAttributes();
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
