// Modules as manifest files in the mapped file system (see module.h for the manifest format).
#include "platform/win32/process/module.h"

#include <mutex>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/hostfs.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/win32/files/file.h"
#include "platform/win32/last_error.h"
#include "platform/win32/process/module_manifest.h"
#include "platform/win32/process/thread.h"
#include "platform/win32/files/store_control.h"

namespace {

namespace winpath = platform::core::winpath;
using platform::modules::ModuleManifest;
using platform::win32::failWith;

constexpr ULONG_PTR kProgramModule = 0x00400000;
constexpr std::wstring_view kSystemFolder = L"C:\\Windows\\System32";

struct LoadedModule {
    ULONG_PTR handle = 0;
    std::wstring path;  // normalised Windows path
    std::string exports;
    int references = 0;
};

struct ModuleTable {
    std::recursive_mutex mutex;
    std::vector<LoadedModule> loaded;
    std::map<std::string, std::map<std::string, FARPROC>> exportSets;
    ULONG_PTR nextHandle = 0x10000000;
};

// Never destroyed: the application object, a static itself, unloads its modules when it goes.
ModuleTable& moduleTable() {
    static auto* table = new ModuleTable;
    return *table;
}

bool hasFolder(std::wstring_view name) {
    for (wchar_t c : name) {
        if (winpath::isSeparator(c) || c == L':') return true;
    }
    return false;
}

// Windows adds ".dll" to a module name without an extension; a trailing '.' means "no
// extension, add nothing".
std::wstring withDefaultExtension(std::wstring_view name) {
    const std::wstring file = winpath::fileName(L"C:\\" + std::wstring(name));
    if (!name.empty() && name.back() == L'.') return std::wstring(name.substr(0, name.size() - 1));
    if (file.find(L'.') == std::wstring::npos) return std::wstring(name) + L".dll";
    return std::wstring(name);
}

std::wstring programFolder() {
    auto folder = winpath::normalize(platform::core::config().programFolder);
    return folder ? *folder : std::wstring(L"C:\\");
}

LoadedModule* findLoaded(ModuleTable& table, std::wstring_view nameOrPath) {
    const bool byPath = hasFolder(nameOrPath);
    for (auto& module : table.loaded) {
        const bool matches = byPath ? winpath::equal(module.path, nameOrPath) : winpath::equal(winpath::fileName(module.path), nameOrPath);
        if (matches) return &module;
    }
    return nullptr;
}

}  // namespace

namespace platform::modules {

std::uint64_t makeVersion(WORD major, WORD minor, WORD build, WORD revision) {
    return (static_cast<std::uint64_t>(major) << 48) | (static_cast<std::uint64_t>(minor) << 32) |
           (static_cast<std::uint64_t>(build) << 16) | static_cast<std::uint64_t>(revision);
}

std::optional<std::wstring> locate(std::wstring_view name) {
    const std::wstring file = withDefaultExtension(name);
    std::vector<std::wstring> candidates;
    if (!winpath::isRelative(file)) {
        candidates.push_back(file);
    } else if (hasFolder(file)) {
        candidates.push_back(programFolder() + L"\\" + file);
    } else {
        candidates.push_back(programFolder() + L"\\" + file);
        candidates.push_back(std::wstring(kSystemFolder) + L"\\" + file);
        candidates.push_back(platform::core::hostFs().currentFolder() + L"\\" + file);
    }
    for (const auto& candidate : candidates) {
        const auto location = platform::core::hostFs().resolve(candidate);
        if (location.exists && !location.directory) return location.spelledPath;
    }
    return std::nullopt;
}

std::optional<ModuleManifest> readManifest(std::wstring_view windowsPath, DWORD& error) {
    std::string bytes;
    error = platform::files::readAll(windowsPath, bytes);
    if (error != 0) return std::nullopt;
    platform::core::MalformedLines problems{std::wstring(windowsPath)};
    auto parsed = parseManifest(bytes, &problems);
    problems.finish();
    if (!parsed.error.empty()) {
        error = ERROR_BAD_EXE_FORMAT;
        return std::nullopt;
    }
    return parsed.manifest;
}

std::optional<std::uint64_t> fileVersion(std::wstring_view windowsPath) {
    auto path = locate(windowsPath);
    if (!path) return std::nullopt;
    DWORD error = 0;
    auto manifest = readManifest(*path, error);
    if (!manifest) return std::nullopt;
    if (!manifest->version) {
        platform::core::journal().add("warning", *path + L": module manifest has no \"version=\" line");
        return std::nullopt;
    }
    return parseVersion(*manifest->version);
}

DWORD loadMilliseconds(std::wstring_view windowsPath) {
    auto path = locate(windowsPath);
    if (!path) return 0;
    DWORD error = 0;
    auto manifest = readManifest(*path, error);
    return manifest ? manifest->loadMilliseconds : 0;
}

HMODULE programModule() { return reinterpret_cast<HMODULE>(kProgramModule); }

std::wstring modulePath(HMODULE module) {
    if (module == programModule()) return programFolder() + L"\\" + platform::core::config().programFile;
    auto& table = moduleTable();
    std::lock_guard lock(table.mutex);
    for (const auto& loaded : table.loaded) {
        if (loaded.handle == reinterpret_cast<ULONG_PTR>(module)) return loaded.path;
    }
    return {};
}

void registerExportSet(std::string name, std::map<std::string, FARPROC> exports) {
    auto& table = moduleTable();
    std::lock_guard lock(table.mutex);
    table.exportSets[std::move(name)] = std::move(exports);
}

void reloadForTesting() {
    auto& table = moduleTable();
    std::lock_guard lock(table.mutex);
    table.loaded.clear();
}

}  // namespace platform::modules

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) { return LoadLibraryExW(lpLibFileName, nullptr, 0); }

namespace {

HMODULE loadModule(const std::wstring& name, DWORD& loadMilliseconds) {
    auto& table = moduleTable();
    std::lock_guard lock(table.mutex);
    // A bare name that is already loaded is that module, wherever it came from.
    LoadedModule* loaded = hasFolder(name) ? nullptr : findLoaded(table, name);
    std::optional<std::wstring> path;
    if (loaded == nullptr) {
        path = platform::modules::locate(name);
        if (!path) return failWith(ERROR_MOD_NOT_FOUND, nullptr);
        loaded = findLoaded(table, *path);
    }
    if (loaded != nullptr) {
        ++loaded->references;
        SetLastError(ERROR_SUCCESS);
        return reinterpret_cast<HMODULE>(loaded->handle);
    }
    DWORD error = 0;
    auto manifest = platform::modules::readManifest(*path, error);
    if (!manifest) return failWith(error, nullptr);
    loadMilliseconds = manifest->loadMilliseconds;
    if (manifest->loadFails) return failWith(manifest->loadError, nullptr);
    table.nextHandle += 0x10000;
    table.loaded.push_back(LoadedModule{table.nextHandle, *path, platform::core::toUtf8(manifest->exports), 1});
    SetLastError(ERROR_SUCCESS);
    return reinterpret_cast<HMODULE>(table.nextHandle);
}

}  // namespace

HMODULE LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE, DWORD) {
    if (lpLibFileName == nullptr || *lpLibFileName == L'\0') return failWith(ERROR_INVALID_PARAMETER, nullptr);
    DWORD loadMilliseconds = 0;
    const HMODULE module = loadModule(withDefaultExtension(lpLibFileName), loadMilliseconds);
    // The time passes outside the table's lock, so threads due meanwhile may load modules too.
    if (loadMilliseconds != 0) {
        const DWORD error = GetLastError();
        Sleep(loadMilliseconds);
        SetLastError(error);
    }
    return module;
}

BOOL FreeLibrary(HMODULE hLibModule) {
    if (hLibModule == platform::modules::programModule()) return TRUE;
    auto& table = moduleTable();
    std::lock_guard lock(table.mutex);
    for (auto it = table.loaded.begin(); it != table.loaded.end(); ++it) {
        if (it->handle != reinterpret_cast<ULONG_PTR>(hLibModule)) continue;
        if (--it->references == 0) table.loaded.erase(it);
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    return failWith(ERROR_INVALID_HANDLE, FALSE);
}

HMODULE GetModuleHandleW(LPCWSTR lpModuleName) {
    if (lpModuleName == nullptr) return platform::modules::programModule();
    const std::wstring name = withDefaultExtension(lpModuleName);
    const std::wstring programPath = platform::modules::modulePath(platform::modules::programModule());
    if (hasFolder(name) ? winpath::equal(name, programPath) : winpath::equal(name, winpath::fileName(programPath))) {
        return platform::modules::programModule();
    }
    auto& table = moduleTable();
    std::lock_guard lock(table.mutex);
    std::wstring key = name;
    if (hasFolder(name)) {
        auto full = platform::core::hostFs().fullPath(name);
        if (full) key = *full;
    }
    if (LoadedModule* loaded = findLoaded(table, key)) return reinterpret_cast<HMODULE>(loaded->handle);
    return failWith(ERROR_MOD_NOT_FOUND, nullptr);
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    auto& table = moduleTable();
    std::lock_guard lock(table.mutex);
    const LoadedModule* module = nullptr;
    for (const auto& loaded : table.loaded) {
        if (loaded.handle == reinterpret_cast<ULONG_PTR>(hModule)) module = &loaded;
    }
    if (module == nullptr && hModule != platform::modules::programModule())
        return failWith(ERROR_MOD_NOT_FOUND, nullptr);
    // Ordinals (values below 0x10000) are not exported by any fake module.
    if (module == nullptr || reinterpret_cast<ULONG_PTR>(lpProcName) < 0x10000)
        return failWith(ERROR_PROC_NOT_FOUND, nullptr);
    auto set = table.exportSets.find(module->exports);
    if (set != table.exportSets.end()) {
        auto entry = set->second.find(lpProcName);
        if (entry != set->second.end()) return entry->second;
    }
    return failWith(ERROR_PROC_NOT_FOUND, nullptr);
}
