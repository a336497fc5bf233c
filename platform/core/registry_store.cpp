#include "platform/core/registry_store.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/core/checked_mark.h"
#include "platform/core/hostfs.h"
#include "platform/core/journal.h"
#include "platform/core/registry_store_detail.h"
#include "platform/core/winpath.h"

namespace platform::core {

namespace fs = std::filesystem;
using Key = RegistryStore::Key;

// ---- names and handles ----

namespace {

struct HiveNames {
    Hive hive;
    std::wstring_view name;
    std::wstring_view shortName;
    ULONG_PTR handle;
};

constexpr HiveNames kHiveNames[] = {
    {Hive::ClassesRoot, L"HKEY_CLASSES_ROOT", L"HKCR", 0x80000000u},
    {Hive::CurrentUser, L"HKEY_CURRENT_USER", L"HKCU", 0x80000001u},
    {Hive::LocalMachine, L"HKEY_LOCAL_MACHINE", L"HKLM", 0x80000002u},
    {Hive::Users, L"HKEY_USERS", L"HKU", 0x80000003u},
};

constexpr REGSAM kReadRights = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;
constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | 0x00010000 /* delete */;

// Generic rights as the registry maps them; the maximum allowed is everything here.
REGSAM grantedAccess(REGSAM requested) {
    REGSAM granted = requested & KEY_ALL_ACCESS;
    if (requested & 0x80000000u) granted |= KEY_READ;        // generic read
    if (requested & 0x40000000u) granted |= KEY_WRITE;       // generic write
    if (requested & 0x20000000u) granted |= KEY_EXECUTE;     // generic execute
    if (requested & 0x10000000u) granted |= KEY_ALL_ACCESS;  // generic all
    if (requested & 0x02000000u) granted |= KEY_ALL_ACCESS;  // maximum allowed
    return granted;
}

std::wstring joinPath(std::wstring_view base, std::wstring_view name) {
    if (base.empty()) return std::wstring(name);
    return std::wstring(base) + L"\\" + std::wstring(name);
}

// Bytes RegQueryValueExW reports for a value (strings as wchar_t with terminators).
DWORD dataSize(const RegistryValue& value) {
    switch (value.type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            return static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t));
        case REG_MULTI_SZ: {
            std::size_t characters = 1;
            for (const auto& text : value.strings) characters += text.size() + 1;
            return static_cast<DWORD>(characters * sizeof(wchar_t));
        }
        default:
            return static_cast<DWORD>(value.bytes.size());
    }
}

Key* walk(Key& root, std::wstring_view path) {
    Key* key = &root;
    for (const auto& name : winpath::components(path)) {
        key = key->findChild(name);
        if (key == nullptr) return nullptr;
    }
    return key;
}

// Why making the keys `names[first...]` below `key` would break the documented limits; empty
// when it would not.
std::wstring creationProblem(const Key& key, const std::vector<std::wstring_view>& names, std::size_t first) {
    if (key.depth + (names.size() - first) > kMaxKeyDepth) {
        return L"keys nested deeper than " + std::to_wstring(kMaxKeyDepth) + L" levels";
    }
    for (std::size_t i = first; i < names.size(); ++i) {
        if (names[i].size() > kMaxKeyNameLength) return L"a key name longer than " + std::to_wstring(kMaxKeyNameLength) + L" characters";
    }
    return {};
}

std::wstring valueNameProblem(std::wstring_view name) {
    if (name.size() <= kMaxValueNameLength) return {};
    return L"a value name longer than " + std::to_wstring(kMaxValueNameLength) + L" characters";
}

// The harness's way in: makes what is missing of `path` (new keys take the volatility of their
// parent); null, reported as a failure, when that would break the limits. `created` is set when
// any key on the way was new.
Key* walkCreating(Hive hive, Key& root, std::wstring_view path, bool* created = nullptr) {
    const std::vector<std::wstring_view> names = winpath::components(path);
    Key* key = &root;
    std::size_t found = 0;
    for (Key* next = nullptr; found < names.size() && (next = key->findChild(names[found])) != nullptr; ++found) key = next;
    if (const std::wstring problem = creationProblem(*key, names, found); !problem.empty()) {
        reportFailure(L"registry: cannot create " + joinPath(hiveName(hive), path) + L": " + problem);
        return nullptr;
    }
    for (std::size_t i = found; i < names.size(); ++i) key = &key->child(names[i]);
    if (created && found < names.size()) *created = true;
    return key;
}

// How the fault tables name a key: its hive and path, without a trailing separator.
std::wstring faultPath(Hive hive, std::wstring_view path) {
    std::wstring full = joinPath(hiveName(hive), path);
    while (!full.empty() && full.back() == L'\\') full.pop_back();
    return full;
}

// Takes a key out of the tree; handles still holding it see it deleted.
void removeKey(Key& key) {
    Key* owner = key.parent;
    key.markDeleted();
    owner->children().erase(owner->children().find(key.name));
    ++owner->childrenChanges;
}

// Keys every Windows installation has, so that a fresh host behaves like a real machine (the
// shell opens HKEY_CLASSES_ROOT\CLSID for writing without creating it). They exist in memory
// and reach the file with the hive's first change.
// The rest of the stream, read at once: a character at a time costs more than the parsing.
std::string readWhole(std::ifstream& in) {
    std::string text;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        text.resize(static_cast<std::size_t>(size));
        in.read(text.data(), static_cast<std::streamsize>(size));
        text.resize(static_cast<std::size_t>(in.gcount()));
    }
    // Whatever its length said (a file still growing, or one that cannot tell), to its end.
    in.clear();
    text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return text;
}

void addBaselineKeys(Hive hive, RegistryStore::Key& root) {
    switch (hive) {
        case Hive::ClassesRoot: root.child(L"CLSID"); break;
        case Hive::CurrentUser: root.child(L"Software"); break;
        case Hive::LocalMachine: root.child(L"SOFTWARE"); break;
        case Hive::Users: break;
    }
}

}  // namespace

std::wstring_view hiveName(Hive hive) {
    for (const auto& names : kHiveNames) {
        if (names.hive == hive) return names.name;
    }
    return L"";
}

std::optional<Hive> hiveFromName(std::wstring_view name) {
    for (const auto& names : kHiveNames) {
        if (equalsNoCase(name, names.name) || equalsNoCase(name, names.shortName)) return names.hive;
    }
    return std::nullopt;
}

std::optional<Hive> hiveFromHandle(HKEY key) {
    for (const auto& names : kHiveNames) {
        if (reinterpret_cast<ULONG_PTR>(key) == names.handle) return names.hive;
    }
    return std::nullopt;
}

HKEY hiveHandle(Hive hive) {
    for (const auto& names : kHiveNames) {
        if (names.hive == hive) return reinterpret_cast<HKEY>(names.handle);
    }
    return nullptr;
}

std::optional<std::pair<Hive, std::wstring>> splitHivePath(std::wstring_view fullPath) {
    const std::size_t slash = fullPath.find(L'\\');
    auto hive = hiveFromName(fullPath.substr(0, slash));
    if (!hive) return std::nullopt;
    std::wstring rest = slash == std::wstring_view::npos ? std::wstring() : std::wstring(fullPath.substr(slash + 1));
    while (!rest.empty() && rest.back() == L'\\') rest.pop_back();
    return std::make_pair(*hive, rest);
}

// ---- values ----

RegistryValue RegistryValue::sz(std::wstring text) {
    RegistryValue value;
    value.type = REG_SZ;
    value.text = std::move(text);
    return value;
}

RegistryValue RegistryValue::expandSz(std::wstring text) {
    RegistryValue value = sz(std::move(text));
    value.type = REG_EXPAND_SZ;
    return value;
}

RegistryValue RegistryValue::multiSz(std::vector<std::wstring> strings) {
    RegistryValue value;
    value.type = REG_MULTI_SZ;
    value.strings = std::move(strings);
    return value;
}

RegistryValue RegistryValue::dword(DWORD number) {
    RegistryValue value;
    value.type = REG_DWORD;
    for (int i = 0; i < 4; ++i) value.bytes.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
    return value;
}

RegistryValue RegistryValue::qword(std::uint64_t number) {
    RegistryValue value;
    value.type = REG_QWORD;
    for (int i = 0; i < 8; ++i) value.bytes.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
    return value;
}

RegistryValue RegistryValue::binary(std::vector<std::uint8_t> bytes) { return raw(REG_BINARY, std::move(bytes)); }

RegistryValue RegistryValue::raw(DWORD type, std::vector<std::uint8_t> bytes) {
    RegistryValue value;
    value.type = type;
    value.bytes = std::move(bytes);
    return value;
}

std::optional<DWORD> RegistryValue::asDword() const {
    if ((type != REG_DWORD && type != REG_BINARY) || bytes.size() != 4) return std::nullopt;
    DWORD number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | bytes[static_cast<std::size_t>(i)];
    return number;
}

std::optional<std::uint64_t> RegistryValue::asQword() const {
    if ((type != REG_QWORD && type != REG_BINARY) || bytes.size() != 8) return std::nullopt;
    std::uint64_t number = 0;
    for (int i = 7; i >= 0; --i) number = (number << 8) | bytes[static_cast<std::size_t>(i)];
    return number;
}

struct RegistryStore::HiveState {
    Hive hive = Hive::CurrentUser;
    std::shared_ptr<Key> root = std::make_shared<Key>();
    bool broken = false;  // the file did not parse: it is kept and never written over
    bool unsaved = false;  // changed since the file was last written
    bool saveFailureReported = false;  // once per run of failed saves, not at every idle pass
    // What the file holds as far as this process knows, so that changes that cancel out (a
    // probe key made and deleted again) write nothing.
    // Shared with the keys not read from it yet.
    std::shared_ptr<const std::string> fileText = std::make_shared<const std::string>();
    std::filesystem::path file;  // where the hive is kept
    std::filesystem::path spare;  // the spare file the saves go through, once one was made

    // The spare is this process's: it goes when the process is done with the hive.
    ~HiveState() {
        if (!spare.empty()) ::unlink(spare.c_str());
    }
};

struct RegistryStore::Handle {
    Hive hive = Hive::CurrentUser;
    std::shared_ptr<Key> key;
    REGSAM access = 0;
    // Where the last RegEnumKeyExW through this handle stopped: enumerating index 0, 1, 2, ...
    // steps on from there instead of counting from the first child each time.
    struct EnumCursor {
        DWORD index = 0;
        Key::Children::const_iterator at;
        std::uint64_t childrenChanges = 0;
    };
    std::optional<EnumCursor> enumCursor;
};

RegistryStore::RegistryStore() = default;
RegistryStore::~RegistryStore() = default;

std::string RegistryStore::hiveFile(Hive hive) {
    return (hostFs().registryFolder() / (toUtf8(hiveName(hive)) + ".reg")).string();
}

RegistryStore::HiveState& RegistryStore::hiveState(Hive hive) {
    auto it = hives_.find(hive);
    if (it != hives_.end()) return *it->second;
    // The hive files are the host's own, yet someone may have put a link where they lie: one that
    // leads out of the host folder is never read, written or listed through.
    const bool folderInside = hostFs().staysInside(hostFs().registryFolder());
    if (hives_.empty() && folderInside) removeStaleTemporaries(hostFs().registryFolder());  // of runs that were killed
    // What is still unsaved when the process ends normally is written then. Registered after the
    // host file system and this store exist, so it runs before either is destroyed.
    static std::once_flag saveAtExit;
    std::call_once(saveAtExit, [] { std::atexit([] { registryStore().saveChangedHives(); }); });
    auto state = std::make_unique<HiveState>();
    state->hive = hive;
    state->file = hiveFile(hive);
    const std::string file = state->file.string();
    if (!folderInside || !hostFs().staysInside(state->file)) {
        reportFailure(L"registry file " + fromUtf8(file) +
                      L" leads out of the host folder (the hive runs empty and the file is left untouched)");
        state->broken = true;
    }
    std::ifstream in;
    if (!state->broken) in.open(file, std::ios::binary);
    if (in) {
        state->fileText = std::make_shared<const std::string>(readWhole(in));
        // A text that passed the check on an earlier load, unchanged since, need not pass it again.
        const bool checkedBefore = hasCheckedMark(file, kRegistryCheckedMark, *state->fileText);
        using registry_format::OwnFormCheck;
        if (registry_format::loadOwnForm(hive, state->fileText, *state->root,
                                         checkedBefore ? OwnFormCheck::DoneBefore : OwnFormCheck::Whole)) {
            // Read as it was written: its keys are read when first used.
            if (!checkedBefore) setCheckedMark(file, kRegistryCheckedMark, *state->fileText);
        } else if (auto error = registry_format::parse(*state->fileText, *state->root)) {
            reportFailure(L"registry file " + fromUtf8(file) + L", line " + std::to_wstring(error->line) + L": " + error->message +
                          L" (the hive runs empty and the file is left untouched)");
            state->root = std::make_shared<Key>();
            state->broken = true;
        }
    }
    addBaselineKeys(hive, *state->root);
    return *hives_.emplace(hive, std::move(state)).first->second;
}

void RegistryStore::changed(Hive hive, const Key& key) {
    if (key.isVolatile) return;
    HiveState& state = hiveState(hive);
    if (state.broken) return;
    state.unsaved = true;
    unsavedChanges_.store(true);
}

bool RegistryStore::save(HiveState& state) {
    if (!state.unsaved) return true;
    const fs::path& file = state.file;
    if (state.spare.empty()) state.spare = file.parent_path() / spareName(file.filename().string());
    std::string text = registry_format::serialize(state.hive, *state.root, registry_format::VolatileKeys::Leave, state.fileText->size());
    if (text == *state.fileText) {
        state.unsaved = false;
        return true;
    }
    if (beforeWrite_) beforeWrite_();
    std::string problem;
    const bool inside = hostFs().staysInside(file);
    bool saved = inside && writeFileThroughSpare(file, state.spare, text, &problem);
    // The registry folder is made on the first save (and again should anyone have removed it),
    // but never the host folder itself: a run's end must not bring back a folder already removed.
    std::error_code error;
    if (!saved && inside && fs::create_directory(file.parent_path(), error)) saved = writeFileThroughSpare(file, state.spare, text, &problem);
    if (!inside) problem = file.string() + " leads out of the host folder";
    if (saved) {
        state.fileText = std::make_shared<const std::string>(std::move(text));
        state.unsaved = false;
        state.saveFailureReported = false;
        return true;
    }
    if (!state.saveFailureReported) {
        state.saveFailureReported = true;
        reportFailure(L"cannot save the registry hive " + std::wstring(hiveName(state.hive)) + L": " + fromUtf8(problem));
    }
    return false;
}

void RegistryStore::saveChangedHives() {
    if (!unsavedChanges_.load()) return;
    std::lock_guard lock(mutex_);
    bool unsaved = false;
    for (auto& [hive, state] : hives_) {
        if (!save(*state)) unsaved = true;
    }
    unsavedChanges_.store(unsaved);
}

LONG RegistryStore::flushKey(HKEY key) {
    std::lock_guard lock(mutex_);
    Handle* handle = nullptr;
    if (LONG status = resolveHandle(key, 0, handle); status != ERROR_SUCCESS) return status;
    return save(hiveState(handle->hive)) ? ERROR_SUCCESS : static_cast<LONG>(ERROR_WRITE_FAULT);
}

bool RegistryStore::isDenied(Hive hive, std::wstring_view path, RegistryAccess access) const {
    if ((access == RegistryAccess::Read ? deniedRead_ : deniedWrite_).empty()) return false;
    const std::wstring full = joinPath(hiveName(hive), path);
    for (const auto& denied : access == RegistryAccess::Read ? deniedRead_ : deniedWrite_) {
        if (equalsNoCase(full, denied)) return true;
        if (startsWithNoCase(full, denied) && full.size() > denied.size() && full[denied.size()] == L'\\') return true;
    }
    return false;
}

LONG RegistryStore::resolveHandle(HKEY key, REGSAM needed, Handle*& handle) {
    static thread_local Handle predefined;
    if (auto hive = hiveFromHandle(key)) {
        predefined.hive = *hive;
        predefined.key = hiveState(*hive).root;
        predefined.access = KEY_ALL_ACCESS;
        handle = &predefined;
    } else {
        auto it = handles_.find(reinterpret_cast<ULONG_PTR>(key));
        if (it == handles_.end()) return ERROR_INVALID_HANDLE;
        handle = it->second.get();
    }
    if (handle->key->deleted) return ERROR_KEY_DELETED;
    if ((handle->access & needed) != needed) return ERROR_ACCESS_DENIED;
    // The key's path is only worked out when a fault is injected at all.
    if ((needed & kReadRights) != 0 && !deniedRead_.empty() && isDenied(handle->hive, handle->key->path(), RegistryAccess::Read)) {
        return ERROR_ACCESS_DENIED;
    }
    if ((needed & kWriteRights) != 0 && !deniedWrite_.empty() && isDenied(handle->hive, handle->key->path(), RegistryAccess::Write)) {
        return ERROR_ACCESS_DENIED;
    }
    return ERROR_SUCCESS;
}

// ---- the Win32 functions' model ----

LONG RegistryStore::reachKey(HKEY parent, std::wstring_view subKey, REGSAM access, bool create, bool makeVolatile, Hive& hive,
                             Key*& target, bool& madeNew) {
    madeNew = false;
    Handle* base = nullptr;
    if (LONG status = resolveHandle(parent, 0, base); status != ERROR_SUCCESS) return status;
    // A leading separator names no key; a trailing one is tolerated.
    if (!subKey.empty() && subKey.front() == L'\\') return ERROR_BAD_PATHNAME;
    hive = base->hive;
    const std::vector<std::wstring_view> names = winpath::components(subKey);

    // Find what exists; remember where creation would start.
    Key* key = base->key.get();
    std::size_t found = 0;
    for (; found < names.size(); ++found) {
        Key* next = key->findChild(names[found]);
        if (next == nullptr) break;
        key = next;
    }
    const bool faultsInjected = !deniedRead_.empty() || !deniedWrite_.empty();
    const std::wstring path = faultsInjected ? key->path() : std::wstring();
    if (found < names.size()) {
        if (!create) return ERROR_FILE_NOT_FOUND;
        if (!creationProblem(*key, names, found).empty()) return ERROR_INVALID_PARAMETER;
        if (key->isVolatile && !makeVolatile) return ERROR_CHILD_MUST_BE_VOLATILE;
        // Creating a key writes to its parent: the fault table decides, and when the parent is
        // the handle's own key, the handle must carry the right to create sub-keys.
        if (faultsInjected && isDenied(hive, joinPath(path, names[found]), RegistryAccess::Write)) return ERROR_ACCESS_DENIED;
        if (key == base->key.get() && (base->access & KEY_CREATE_SUB_KEY) == 0) return ERROR_ACCESS_DENIED;
    }
    const REGSAM granted = grantedAccess(access);
    if (faultsInjected) {
        std::wstring targetPath = path;
        for (std::size_t i = found; i < names.size(); ++i) targetPath = joinPath(targetPath, names[i]);
        if ((granted & kReadRights) != 0 && isDenied(hive, targetPath, RegistryAccess::Read)) return ERROR_ACCESS_DENIED;
        if ((granted & kWriteRights) != 0 && isDenied(hive, targetPath, RegistryAccess::Write)) return ERROR_ACCESS_DENIED;
    }

    for (std::size_t i = found; i < names.size(); ++i) {
        key = &key->child(names[i]);
        key->isVolatile = makeVolatile;
    }
    madeNew = found < names.size();
    target = key;
    return ERROR_SUCCESS;
}

LONG RegistryStore::openKey(HKEY parent, std::wstring_view subKey, REGSAM access, bool create, HKEY* result, bool* created,
                            DWORD options) {
    std::lock_guard lock(mutex_);
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (created) *created = false;
    Hive hive = Hive::CurrentUser;
    Key* key = nullptr;
    bool madeNew = false;
    const bool makeVolatile = (options & REG_OPTION_VOLATILE) != 0;
    if (LONG status = reachKey(parent, subKey, access, create, makeVolatile, hive, key, madeNew); status != ERROR_SUCCESS) {
        return status;
    }
    if (madeNew) changed(hive, *key);
    if (created) *created = madeNew;

    // Handles share ownership of the key, so a key deleted under an open handle stays valid
    // memory and reports ERROR_KEY_DELETED.
    std::shared_ptr<Key> shared;
    if (key->parent == nullptr) {
        shared = hiveState(hive).root;
    } else {
        shared = key->parent->children().find(key->name)->second;
    }
    auto handle = std::make_unique<Handle>();
    handle->hive = hive;
    handle->key = std::move(shared);
    handle->access = grantedAccess(access);
    nextHandle_ += 4;
    handles_.emplace(nextHandle_, std::move(handle));
    *result = reinterpret_cast<HKEY>(nextHandle_);
    return ERROR_SUCCESS;
}

LONG RegistryStore::closeKey(HKEY key) {
    std::lock_guard lock(mutex_);
    if (hiveFromHandle(key)) return ERROR_SUCCESS;
    return handles_.erase(reinterpret_cast<ULONG_PTR>(key)) == 0 ? ERROR_INVALID_HANDLE : ERROR_SUCCESS;
}

LONG RegistryStore::setValue(HKEY key, std::wstring_view name, RegistryValue value) {
    std::lock_guard lock(mutex_);
    Handle* handle = nullptr;
    if (LONG status = resolveHandle(key, KEY_SET_VALUE, handle); status != ERROR_SUCCESS) return status;
    if (!valueNameProblem(name).empty()) return ERROR_INVALID_PARAMETER;
    if (handle->key->storeValue(name, std::move(value))) changed(handle->hive, *handle->key);
    return ERROR_SUCCESS;
}

LONG RegistryStore::setKeyValue(HKEY parent, std::wstring_view subKey, std::wstring_view name, RegistryValue value) {
    // Without a sub-key the value goes to the handle's own key, which needs the right to set it.
    if (subKey.empty()) return setValue(parent, name, std::move(value));
    std::lock_guard lock(mutex_);
    if (!valueNameProblem(name).empty()) return ERROR_INVALID_PARAMETER;
    Hive hive = Hive::CurrentUser;
    Key* key = nullptr;
    bool madeNew = false;
    if (LONG status = reachKey(parent, subKey, KEY_SET_VALUE, true, false, hive, key, madeNew); status != ERROR_SUCCESS) {
        return status;
    }
    if (key->storeValue(name, std::move(value)) || madeNew) changed(hive, *key);
    return ERROR_SUCCESS;
}

LONG RegistryStore::queryValue(HKEY key, std::wstring_view name, RegistryValue& value) {
    std::lock_guard lock(mutex_);
    Handle* handle = nullptr;
    if (LONG status = resolveHandle(key, KEY_QUERY_VALUE, handle); status != ERROR_SUCCESS) return status;
    const RegistryValue* found = handle->key->findValue(name);
    if (found == nullptr) return ERROR_FILE_NOT_FOUND;
    value = *found;
    return ERROR_SUCCESS;
}

LONG RegistryStore::deleteValue(HKEY key, std::wstring_view name) {
    std::lock_guard lock(mutex_);
    Handle* handle = nullptr;
    if (LONG status = resolveHandle(key, KEY_SET_VALUE, handle); status != ERROR_SUCCESS) return status;
    if (!handle->key->eraseValue(name)) return ERROR_FILE_NOT_FOUND;
    changed(handle->hive, *handle->key);
    return ERROR_SUCCESS;
}

LONG RegistryStore::deleteKey(HKEY parent, std::wstring_view subKey) {
    std::lock_guard lock(mutex_);
    Handle* handle = nullptr;
    if (LONG status = resolveHandle(parent, 0, handle); status != ERROR_SUCCESS) return status;
    if (!subKey.empty() && subKey.front() == L'\\') return ERROR_BAD_PATHNAME;
    Key* key = walk(*handle->key, subKey);
    if (key == nullptr) return ERROR_FILE_NOT_FOUND;
    // A hive root cannot go; a key with sub-keys neither (only RegDeleteTree-like calls may).
    if (key->parent == nullptr || !key->children().empty()) return ERROR_ACCESS_DENIED;
    if (isDenied(handle->hive, key->path(), RegistryAccess::Write)) return ERROR_ACCESS_DENIED;
    changed(handle->hive, *key);
    removeKey(*key);
    return ERROR_SUCCESS;
}

LONG RegistryStore::enumKey(HKEY key, DWORD index, std::wstring& name) {
    std::lock_guard lock(mutex_);
    Handle* handle = nullptr;
    if (LONG status = resolveHandle(key, KEY_ENUMERATE_SUB_KEYS, handle); status != ERROR_SUCCESS) return status;
    Key& parent = *handle->key;
    const auto& children = parent.children();
    if (index >= children.size()) return ERROR_NO_MORE_ITEMS;
    auto& cursor = handle->enumCursor;
    if (cursor && cursor->childrenChanges == parent.childrenChanges && cursor->index <= index) {
        cursor->at = std::next(cursor->at, index - cursor->index);
    } else {
        cursor = Handle::EnumCursor{0, children.begin(), parent.childrenChanges};
        cursor->at = std::next(children.begin(), index);
    }
    cursor->index = index;
    name = cursor->at->second->name;
    return ERROR_SUCCESS;
}

LONG RegistryStore::enumValue(HKEY key, DWORD index, std::wstring& name, RegistryValue& value) {
    std::lock_guard lock(mutex_);
    Handle* handle = nullptr;
    if (LONG status = resolveHandle(key, KEY_QUERY_VALUE, handle); status != ERROR_SUCCESS) return status;
    const auto& values = handle->key->values();
    if (index >= values.size()) return ERROR_NO_MORE_ITEMS;
    name = values[index].first;
    value = values[index].second;
    return ERROR_SUCCESS;
}

LONG RegistryStore::queryInfo(HKEY key, RegistryKeyInfo& info) {
    std::lock_guard lock(mutex_);
    Handle* handle = nullptr;
    if (LONG status = resolveHandle(key, KEY_QUERY_VALUE, handle); status != ERROR_SUCCESS) return status;
    info = RegistryKeyInfo{};
    for (const auto& [name, child] : handle->key->children()) {
        ++info.subKeys;
        info.maxSubKeyLength = std::max<DWORD>(info.maxSubKeyLength, static_cast<DWORD>(child->name.size()));
    }
    for (const auto& [name, value] : handle->key->values()) {
        ++info.values;
        info.maxValueNameLength = std::max<DWORD>(info.maxValueNameLength, static_cast<DWORD>(name.size()));
        info.maxValueBytes = std::max(info.maxValueBytes, dataSize(value));
    }
    return ERROR_SUCCESS;
}

// ---- harness control ----

void RegistryStore::setValue(Hive hive, std::wstring_view path, std::wstring_view name, RegistryValue value) {
    std::lock_guard lock(mutex_);
    if (const std::wstring problem = valueNameProblem(name); !problem.empty()) {
        reportFailure(L"registry: cannot set a value in " + joinPath(hiveName(hive), path) + L": " + problem);
        return;
    }
    bool made = false;
    Key* key = walkCreating(hive, *hiveState(hive).root, path, &made);
    if (key == nullptr) return;
    if (key->storeValue(name, std::move(value)) || made) changed(hive, *key);
}

std::optional<RegistryValue> RegistryStore::value(Hive hive, std::wstring_view path, std::wstring_view name) {
    std::lock_guard lock(mutex_);
    Key* key = walk(*hiveState(hive).root, path);
    if (key == nullptr) return std::nullopt;
    const RegistryValue* found = key->findValue(name);
    if (found == nullptr) return std::nullopt;
    return *found;
}

bool RegistryStore::deleteValue(Hive hive, std::wstring_view path, std::wstring_view name) {
    std::lock_guard lock(mutex_);
    Key* key = walk(*hiveState(hive).root, path);
    if (key == nullptr || !key->eraseValue(name)) return false;
    changed(hive, *key);
    return true;
}

void RegistryStore::createKey(Hive hive, std::wstring_view path) {
    std::lock_guard lock(mutex_);
    bool made = false;
    Key* key = walkCreating(hive, *hiveState(hive).root, path, &made);
    if (key != nullptr && made) changed(hive, *key);
}

bool RegistryStore::keyExists(Hive hive, std::wstring_view path) {
    std::lock_guard lock(mutex_);
    return walk(*hiveState(hive).root, path) != nullptr;
}

bool RegistryStore::deleteTree(Hive hive, std::wstring_view path) {
    std::lock_guard lock(mutex_);
    Key* key = walk(*hiveState(hive).root, path);
    if (key == nullptr || key->parent == nullptr) return false;
    changed(hive, *key);
    removeKey(*key);
    return true;
}

std::vector<std::wstring> RegistryStore::subKeyNames(Hive hive, std::wstring_view path) {
    std::lock_guard lock(mutex_);
    std::vector<std::wstring> names;
    if (Key* key = walk(*hiveState(hive).root, path)) {
        for (const auto& [name, child] : key->children()) names.push_back(child->name);
    }
    return names;
}

std::vector<std::wstring> RegistryStore::valueNames(Hive hive, std::wstring_view path) {
    std::lock_guard lock(mutex_);
    std::vector<std::wstring> names;
    if (Key* key = walk(*hiveState(hive).root, path)) {
        for (const auto& [name, value] : key->values()) names.push_back(name);
    }
    return names;
}

std::wstring RegistryStore::dump(Hive hive) {
    std::lock_guard lock(mutex_);
    return fromUtf8(registry_format::serialize(hive, *hiveState(hive).root, registry_format::VolatileKeys::Show));
}

void RegistryStore::deny(Hive hive, std::wstring_view path, RegistryAccess access) {
    std::lock_guard lock(mutex_);
    (access == RegistryAccess::Read ? deniedRead_ : deniedWrite_).insert(faultPath(hive, path));
}

void RegistryStore::allow(Hive hive, std::wstring_view path, RegistryAccess access) {
    std::lock_guard lock(mutex_);
    (access == RegistryAccess::Read ? deniedRead_ : deniedWrite_).erase(faultPath(hive, path));
}

void RegistryStore::reloadForTesting(EndOfRun end) {
    if (end == EndOfRun::Normal) saveChangedHives();
    std::lock_guard lock(mutex_);
    for (auto& [hive, state] : hives_) state->root->markDeleted();
    hives_.clear();
    handles_.clear();
    deniedRead_.clear();
    deniedWrite_.clear();
    unsavedChanges_.store(false);
}

RegistryStore& registryStore() {
    static RegistryStore store;
    return store;
}

}  // namespace platform::core
