// How the stand-ins word what they journal: calls into the maker's libraries, warnings, and the
// argument texts those entries share (private to the platform).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/journal.h"

namespace platform::core {

// Records that a maker-library operation was called: kind "call", text = the call as written
// in code, e.g. L"GlobalContainer::PreInitSession(true)".
inline void recordCall(std::wstring text) { journal().add("call", std::move(text)); }
inline void recordWarning(std::wstring text) { journal().add("warning", std::move(text)); }

// Calls made from the program's idle pass: kept apart from the journal, which they would flood
// (a pass follows every burst of messages); only the most recent ones are kept.
void recordIdleCall(std::wstring text);
// The idle calls recorded since the last take, oldest first.
std::vector<std::wstring> takeIdleCalls();

inline const wchar_t* boolText(bool value) { return value ? L"true" : L"false"; }
// A string argument in double quotes; a null string as "null".
std::wstring quoted(std::wstring_view text);
std::wstring quoted(const wchar_t* text);
// A handle (window, box, kernel object) as "0x%08x": "0x00010010".
std::wstring handleText(const void* handle);
// A rectangle as every dump writes one: "(left,top)-(right,bottom)".
std::wstring rectText(int left, int top, int right, int bottom);

}  // namespace platform::core
