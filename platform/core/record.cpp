#include "platform/core/record.h"

#include <cstdint>
#include <cwchar>

namespace platform::core {

std::wstring quoted(std::wstring_view text) { return L"\"" + std::wstring(text) + L"\""; }

std::wstring quoted(const wchar_t* text) { return text ? quoted(std::wstring_view(text)) : L"null"; }

std::wstring handleText(const void* handle) {
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%08x", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(handle)));
    return text;
}

}  // namespace platform::core
