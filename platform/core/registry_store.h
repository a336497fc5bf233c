// The registry behind the Win32 registry functions: four hives of keys and typed values,
// persisted as one readable text file per hive under "<host>/registry/" (HKEY_CURRENT_USER.reg
// ...), loaded on first access. As on Windows, changes reach the disk lazily: a changed hive is
// written out whole, atomically, when the UI thread's message queue runs dry (the framework's
// loop, a modal loop or a message box going idle), on RegFlushKey, and when the process ends
// (the program's end, ExitProcess or TerminateProcess, a normal exit of the host process). A
// process killed at any point leaves each hive file with its old or its new content. Setting a
// value to the same type and data, or creating a key that exists, changes nothing; changes that
// cancel out before the next save write nothing. Keys created volatile live in memory only and
// never reach the file. This header is also the harness's control surface (seed, read, dump,
// deny access, reload).
//
// File format (UTF-8):
//
//   ; registry hive HKEY_CURRENT_USER
//   [Software\Velmora\Korvo CAD 18.0\Settings]
//   "ToolBarIconSize"=dword:00000018
//   "UIStyle"="office2016white"
//   @="default value"
//   "Path"=expand:"%ProgramFiles%\\Velmora"
//   "List"=multi:"one","two"
//   "Big"=qword:000000000000002a
//   "Hash"=hex:3f,a0,01
//   "Odd"=hex(4):01,02           (any other type or size: hex(type in hex):bytes)
//
// Lines starting with ';' are comments. Every key has a section (an empty key too); "[]" is the
// hive's root. A section path longer than 1024 bytes is written relative to the section before
// it, so that deep trees do not make the file grow with the square of their depth: "[\\Name]"
// is a sub-key of the previous section's key, each further leading '\\' one level above it.
// The documented limits hold for files as for the functions: 512 levels of keys below the hive
// root, key names of up to 255 characters, value names of up to 16,383. Quoted texts escape '\\' as \\, '"' as \", line feed as \n, carriage return as
// \r, tab as \t and other control characters as \xHH (two hex digits, up to U+00FF) or \uHHHH;
// everything else is written as UTF-8. In a key path, where '\\' separates keys, '%' and control
// characters are written as %HH / %uHHHH.
//
// A file that does not parse is reported (reportFailure, naming file and line), left untouched
// and never overwritten: the hive runs empty in memory for the rest of the process and its
// changes are not persisted.
//
// A file exactly in the writer's own form is checked line by line once: the store then marks it
// with a fingerprint of its text (extended attribute "user.korvo.registry-checked", see
// checked_mark.h), and a later load of the same text only splits it into its keys.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/registry_types.h"
#include "platform/core/text.h"

namespace platform::core {

enum class Hive { ClassesRoot, CurrentUser, LocalMachine, Users };
inline constexpr Hive kAllHives[] = {Hive::ClassesRoot, Hive::CurrentUser, Hive::LocalMachine, Hive::Users};

std::wstring_view hiveName(Hive hive);  // "HKEY_CURRENT_USER"
// "HKEY_CURRENT_USER" or "HKCU" (any case).
std::optional<Hive> hiveFromName(std::wstring_view name);
std::optional<Hive> hiveFromHandle(HKEY key);
HKEY hiveHandle(Hive hive);
// Splits "HKEY_CURRENT_USER\\Software\\X" into the hive and "Software\\X".
std::optional<std::pair<Hive, std::wstring>> splitHivePath(std::wstring_view fullPath);

struct RegistryValue {
    DWORD type = REG_NONE;
    std::wstring text;                  // REG_SZ, REG_EXPAND_SZ
    std::vector<std::wstring> strings;  // REG_MULTI_SZ
    std::vector<std::uint8_t> bytes;    // everything else (REG_DWORD and REG_QWORD little-endian)

    static RegistryValue sz(std::wstring text);
    static RegistryValue expandSz(std::wstring text);
    static RegistryValue multiSz(std::vector<std::wstring> strings);
    static RegistryValue dword(DWORD value);
    static RegistryValue qword(std::uint64_t value);
    static RegistryValue binary(std::vector<std::uint8_t> bytes);
    static RegistryValue raw(DWORD type, std::vector<std::uint8_t> bytes);

    bool isString() const { return type == REG_SZ || type == REG_EXPAND_SZ; }
    // A REG_DWORD of four bytes, or a REG_BINARY of exactly four bytes.
    std::optional<DWORD> asDword() const;
    std::optional<std::uint64_t> asQword() const;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// Everything about a key that RegQueryInfoKeyW reports (lengths in characters, without the
// terminator; the data length in bytes as RegQueryValueExW would report it).
struct RegistryKeyInfo {
    DWORD subKeys = 0;
    DWORD maxSubKeyLength = 0;
    DWORD values = 0;
    DWORD maxValueNameLength = 0;
    DWORD maxValueBytes = 0;
};

enum class RegistryAccess { Read, Write };

class RegistryStore {
public:
    RegistryStore();
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // ---- Harness control (paths are relative to the hive; creating what is missing) ----
    void setValue(Hive hive, std::wstring_view path, std::wstring_view name, RegistryValue value);
    std::optional<RegistryValue> value(Hive hive, std::wstring_view path, std::wstring_view name);
    bool deleteValue(Hive hive, std::wstring_view path, std::wstring_view name);
    void createKey(Hive hive, std::wstring_view path);
    bool keyExists(Hive hive, std::wstring_view path);
    // Deletes the key with everything below it.
    bool deleteTree(Hive hive, std::wstring_view path);
    std::vector<std::wstring> subKeyNames(Hive hive, std::wstring_view path);
    std::vector<std::wstring> valueNames(Hive hive, std::wstring_view path);
    // The hive in its file format.
    std::wstring dump(Hive hive);
    // Access faults on a key and everything below it.
    void deny(Hive hive, std::wstring_view path, RegistryAccess access);
    void allow(Hive hive, std::wstring_view path, RegistryAccess access);
    // Forgets every hive, open handle and fault; the next access reloads from the host folder,
    // as the next run would. A normal end saves what is unsaved first; a killed run does not.
    enum class EndOfRun { Normal, Killed };
    void reloadForTesting(EndOfRun end = EndOfRun::Normal);
    std::string hiveFile(Hive hive);
    // Called before each write of a hive file (a test that ends a run at each step of some work);
    // an empty function removes it.
    void beforeEachWriteForTesting(std::function<void()> listener) { beforeWrite_ = std::move(listener); }

    // ---- The Win32 functions' model (results are Windows error codes) ----
    // `subKey` may be empty (a new handle to the same key). `create` makes missing keys and sets
    // `*created` when the last one was new.
    // With REG_OPTION_VOLATILE in `options`, the keys it makes are volatile.
    LONG openKey(HKEY parent, std::wstring_view subKey, REGSAM access, bool create, HKEY* result, bool* created,
                 DWORD options = REG_OPTION_NON_VOLATILE);
    LONG closeKey(HKEY key);
    LONG setValue(HKEY key, std::wstring_view name, RegistryValue value);
    // Creates what is missing of `subKey` below `parent` and sets a value there: one change, so
    // the hive is written once.
    LONG setKeyValue(HKEY parent, std::wstring_view subKey, std::wstring_view name, RegistryValue value);
    LONG queryValue(HKEY key, std::wstring_view name, RegistryValue& value);
    LONG deleteValue(HKEY key, std::wstring_view name);
    LONG deleteKey(HKEY parent, std::wstring_view subKey);
    LONG enumKey(HKEY key, DWORD index, std::wstring& name);
    LONG enumValue(HKEY key, DWORD index, std::wstring& name, RegistryValue& value);
    LONG queryInfo(HKEY key, RegistryKeyInfo& info);
    // Writes the key's hive now when it has unsaved changes.
    LONG flushKey(HKEY key);

    // ---- The lazy writer ----
    // Writes every hive with unsaved changes; cheap when there are none (called whenever the UI
    // thread goes idle).
    void saveChangedHives();
    bool hasUnsavedChanges() const { return unsavedChanges_.load(); }

    struct Key;
    struct HiveState;

private:
    struct Handle;
    HiveState& hiveState(Hive hive);
    LONG resolveHandle(HKEY key, REGSAM needed, Handle*& handle);
    // Finds the key `subKey` names below `parent` (with `create`, making what is missing, volatile
    // with `makeVolatile`, which `madeNew` reports and the caller records as a change), checking
    // the limits and the rights `access` asks for on it.
    LONG reachKey(HKEY parent, std::wstring_view subKey, REGSAM access, bool create, bool makeVolatile, Hive& hive,
                  Key*& target, bool& madeNew);
    // Notes that `key` of the hive changed, for the next save (nothing to save for a volatile key).
    void changed(Hive hive, const Key& key);
    // Writes the hive when it has unsaved changes; false (reported once) when that failed.
    bool save(HiveState& state);
    bool isDenied(Hive hive, std::wstring_view path, RegistryAccess access) const;

    std::recursive_mutex mutex_;
    std::map<Hive, std::unique_ptr<HiveState>> hives_;
    std::map<ULONG_PTR, std::unique_ptr<Handle>> handles_;
    ULONG_PTR nextHandle_ = 0x00A00010;
    std::atomic<bool> unsavedChanges_{false};
    std::set<std::wstring, NoCaseLess> deniedRead_;
    std::set<std::wstring, NoCaseLess> deniedWrite_;
    std::function<void()> beforeWrite_;
};

RegistryStore& registryStore();

}  // namespace platform::core
