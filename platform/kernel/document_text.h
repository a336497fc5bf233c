// How the kernel stand-in names a document in the journal (private to the platform).
#pragma once

#include <cstdint>
#include <cwchar>
#include <string>

#include "platform/kernel/record.h"
#include "platform/mfc.h"

namespace platform::kernel {

// The document's title in quotes (its path when it has no title), "untitled" without either,
// "null" for no document.
inline std::wstring documentText(const CDocument* document) {
    if (!document) return L"null";
    if (!document->GetTitle().IsEmpty()) return quoted(document->GetTitle());
    if (!document->GetPathName().IsEmpty()) return quoted(document->GetPathName());
    return L"untitled";
}

inline std::wstring handleText(HWND window) {
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%08x", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window)));
    return text;
}

}  // namespace platform::kernel
