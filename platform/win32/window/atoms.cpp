// Global atoms and registered window messages: one table, numbered from 0xC000, names compared
// case-insensitively. Integer atoms ("#123" or MAKEINTATOM) stand for themselves.
#include <algorithm>
#include <map>

#include "platform/core/api_text.h"
#include "platform/core/process.h"
#include "platform/core/text.h"
#include "platform/win32/process/thread.h"
#include "platform/win32/window/window.h"
#include "platform/win32/window/window_table.h"

namespace platform::win32 {

struct AtomTable {
    struct Entry {
        std::wstring name;
        int references = 0;
        bool permanent = false;  // registered messages live as long as the process
    };
    std::map<std::wstring, ATOM, core::NoCaseLess> byName;
    std::map<ATOM, Entry> byAtom;
    ATOM next = 0xC000;
};

AtomTable& atomTable() {
    static AtomTable& table = core::process().table<AtomTable>();
    return table;
}

std::vector<std::wstring> atomNames() {
    Lock lock = lockPlatform();
    std::vector<std::wstring> out;
    for (const auto& [atom, entry] : atomTable().byAtom) out.push_back(entry.name);
    return out;
}

}  // namespace platform::win32

using namespace platform::win32;

namespace {

constexpr ATOM kMaxIntAtom = 0xC000;

// An integer atom given as MAKEINTATOM or "#<decimal>", else 0.
ATOM integerAtom(LPCWSTR name) {
    const auto value = reinterpret_cast<std::uintptr_t>(name);
    if (value != 0 && value < 0x10000) return value < kMaxIntAtom ? static_cast<ATOM>(value) : 0;
    if (!name || name[0] != L'#' || !name[1]) return 0;
    unsigned number = 0;
    for (const wchar_t* p = name + 1; *p; ++p) {
        if (*p < L'0' || *p > L'9') return 0;
        number = number * 10 + static_cast<unsigned>(*p - L'0');
        if (number >= kMaxIntAtom) return 0;
    }
    return static_cast<ATOM>(number);
}

ATOM addAtom(LPCWSTR name, bool permanent) {
    if (ATOM a = integerAtom(name)) return a;
    if (!name || !*name || reinterpret_cast<std::uintptr_t>(name) < 0x10000)
        return failWith(ERROR_INVALID_PARAMETER, 0);
    Lock lock = lockPlatform();
    auto& table = atomTable();
    if (auto it = table.byName.find(std::wstring_view(name)); it != table.byName.end()) {
        auto& entry = table.byAtom[it->second];
        if (permanent)
            entry.permanent = true;
        else
            ++entry.references;
        return it->second;
    }
    if (table.next == 0xFFFF) return failWith(ERROR_NOT_ENOUGH_MEMORY, 0);
    const ATOM atom = table.next++;
    table.byName[name] = atom;
    table.byAtom[atom] = AtomTable::Entry{name, permanent ? 0 : 1, permanent};
    return atom;
}

}  // namespace

ATOM GlobalAddAtomW(LPCWSTR name) { return addAtom(name, false); }

ATOM GlobalFindAtomW(LPCWSTR name) {
    if (ATOM a = integerAtom(name)) return a;
    if (!name || reinterpret_cast<std::uintptr_t>(name) < 0x10000) return 0;
    Lock lock = lockPlatform();
    auto& table = atomTable();
    auto it = table.byName.find(std::wstring_view(name));
    if (it == table.byName.end()) return failWith(ERROR_FILE_NOT_FOUND, 0);
    return it->second;
}

UINT GlobalGetAtomNameW(ATOM atom, LPWSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    std::wstring name;
    if (atom < kMaxIntAtom) {
        if (atom == 0) return 0;
        name = L"#" + std::to_wstring(atom);
    } else {
        Lock lock = lockPlatform();
        auto& table = atomTable();
        auto it = table.byAtom.find(atom);
        if (it == table.byAtom.end()) return failWith(ERROR_INVALID_HANDLE, 0);
        name = it->second.name;
    }
    return static_cast<UINT>(platform::core::copyTruncated(name, buffer, static_cast<std::size_t>(size)));
}

ATOM GlobalDeleteAtom(ATOM atom) {
    if (atom < kMaxIntAtom) return 0;
    Lock lock = lockPlatform();
    auto& table = atomTable();
    auto it = table.byAtom.find(atom);
    if (it == table.byAtom.end()) return atom;
    auto& entry = it->second;
    if (entry.references > 0) --entry.references;
    if (entry.references == 0 && !entry.permanent) {
        table.byName.erase(entry.name);
        table.byAtom.erase(it);
    }
    return 0;
}

UINT RegisterWindowMessageW(LPCWSTR name) { return addAtom(name, true); }
