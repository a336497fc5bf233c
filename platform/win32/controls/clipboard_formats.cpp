#include <algorithm>
#include <map>
#include <string>

#include "platform/core/process.h"
#include "platform/core/text.h"
#include "platform/win32/controls/clipboard.h"
#include "platform/win32/window/window_table.h"

namespace {

struct FormatTable {
    std::map<std::wstring, UINT> byName;  // folded name -> number
    std::map<UINT, std::wstring> names;   // number -> the name first registered
    UINT next = 0xC000;
};

FormatTable& formats() {
    static FormatTable& table = platform::core::process().table<FormatTable>();
    return table;
}

}  // namespace

UINT RegisterClipboardFormatW(LPCWSTR name) {
    if (!name || !*name) return 0;
    auto lock = platform::win32::lockPlatform();
    auto& table = formats();
    const auto [it, added] = table.byName.try_emplace(platform::core::toUpperInvariant(name), table.next);
    if (added) table.names[table.next++] = name;
    return it->second;
}

int GetClipboardFormatNameW(UINT format, LPWSTR name, int size) {
    auto lock = platform::win32::lockPlatform();
    const auto& names = formats().names;
    const auto it = names.find(format);
    if (it == names.end() || !name || size <= 0) return 0;
    const int length = std::min(static_cast<int>(it->second.size()), size - 1);
    std::copy_n(it->second.data(), length, name);
    name[length] = L'\0';
    return length;
}
