// Helpers shared by the application tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/text.h"
#include "tests/support/session_test.h"

namespace apptest {

inline constexpr std::wstring_view kUser = L"HKEY_CURRENT_USER";
inline constexpr std::wstring_view kMachine = L"HKEY_LOCAL_MACHINE";
inline constexpr std::wstring_view kClasses = L"HKEY_CLASSES_ROOT";
inline const std::wstring kProductKey = L"Software\\Velmora\\Korvo CAD 18.0";
inline const std::wstring kMachineProductKey = L"SOFTWARE\\Velmora\\Korvo CAD 18.0";

inline std::wstring section(std::wstring_view name) { return kProductKey + L"\\" + std::wstring(name); }

// Every needle occurs in `entries`, each in an entry after the one the previous needle matched.
inline void ExpectInOrder(const std::vector<std::wstring>& entries, std::initializer_list<std::wstring_view> needles) {
    std::size_t from = 0;
    for (std::wstring_view needle : needles) {
        std::size_t found = from;
        while (found < entries.size() && entries[found].find(needle) == std::wstring::npos) ++found;
        if (found == entries.size()) {
            ADD_FAILURE() << "\"" << platform::core::toUtf8(needle) << "\" not found after entry " << from;
            return;
        }
        from = found + 1;
    }
}

inline bool Contains(const std::vector<std::wstring>& entries, std::wstring_view needle) {
    return platform::harness::indexOf(entries, needle) >= 0;
}

inline std::string Utf8(std::wstring_view text) { return platform::core::toUtf8(text); }

// A window handle as the journal writes it ("0x%08x").
inline std::wstring HandleText(HWND window) {
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%08llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
    return text;
}

// Every journal entry as "<kind> <text>", in order: for orders across kinds (windows and calls).
inline std::vector<std::wstring> Lines(platform::harness::Session& session) {
    std::vector<std::wstring> lines;
    for (const platform::core::JournalEntry& entry : session.journal().entries()) lines.push_back(entry.line());
    return lines;
}

}  // namespace apptest
