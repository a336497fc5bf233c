// Journal helpers of the maker-library stand-ins (private to the platform).
#pragma once

#include <string>
#include <string_view>

#include "platform/core/journal.h"

namespace platform::kernel {

// Records that a maker-library operation was called: kind "call", text = the call as written
// in code, e.g. L"GlobalContainer::PreInitSession(true)".
inline void recordCall(std::wstring text) { platform::core::journal().add("call", std::move(text)); }
inline void recordWarning(std::wstring text) { platform::core::journal().add("warning", std::move(text)); }

inline const wchar_t* boolText(bool value) { return value ? L"true" : L"false"; }
// A string argument as it appears in a recorded call: in double quotes (null as "null").
inline std::wstring quoted(const wchar_t* text) {
    if (!text) return L"null";
    return L"\"" + std::wstring(text) + L"\"";
}

}  // namespace platform::kernel
