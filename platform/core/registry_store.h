// The registry behind the Win32 registry functions: four hives of keys and typed values,
// persisted as one readable text file per hive under "<host>/registry/" (HKEY_CURRENT_USER.reg
// ...), loaded on first access and rewritten atomically, before the call returns, after every
// call that changes it (setting a value to the same type and data, or creating a key that
// exists, changes nothing and writes nothing). This header is
// also the harness's control surface (seed, read, dump, deny access, reload).
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
// hive's root. Quoted texts escape '\\' as \\, '"' as \", line feed as \n, carriage return as
// \r, tab as \t and other control characters as \xHH (two hex digits, up to U+00FF) or \uHHHH;
// everything else is written as UTF-8. In a key path, where '\\' separates keys, '%' and control
// characters are written as %HH / %uHHHH.
//
// A file that does not parse is reported (reportFailure, naming file and line), left untouched
// and never overwritten: the hive runs empty in memory for the rest of the process and its
// changes are not persisted.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/text.h"
#include "platform/win32/registry.h"

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
    // as the next run would.
    void reloadForTesting();
    std::string hiveFile(Hive hive);

    // ---- The Win32 functions' model (results are Windows error codes) ----
    // `subKey` may be empty (a new handle to the same key). `create` makes missing keys and sets
    // `*created` when the last one was new.
    LONG openKey(HKEY parent, std::wstring_view subKey, REGSAM access, bool create, HKEY* result, bool* created);
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

    struct Key;
    struct HiveState;

private:
    struct Handle;
    HiveState& hiveState(Hive hive);
    LONG resolveHandle(HKEY key, REGSAM needed, Handle*& handle);
    // Finds the key `subKey` names below `parent` (with `create`, making what is missing, which
    // `madeNew` reports and the caller persists), checking the rights `access` asks for on it.
    LONG reachKey(HKEY parent, std::wstring_view subKey, REGSAM access, bool create, Hive& hive, Key*& target,
                  bool& madeNew);
    void persist(Hive hive);
    bool isDenied(Hive hive, std::wstring_view path, RegistryAccess access) const;

    std::recursive_mutex mutex_;
    std::map<Hive, std::unique_ptr<HiveState>> hives_;
    std::map<ULONG_PTR, std::unique_ptr<Handle>> handles_;
    ULONG_PTR nextHandle_ = 0x00A00010;
    std::set<std::wstring, NoCaseLess> deniedRead_;
    std::set<std::wstring, NoCaseLess> deniedWrite_;
};

RegistryStore& registryStore();

}  // namespace platform::core
