// Typed keyboard commands: keys typed into a main frame gather in one buffer shared by every
// frame, and a command whose key (its command string up to the first ":") is the only one left
// that starts with the buffer runs.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "platform/mfc.h"

namespace typed_commands {

// The character a virtual key adds to the buffer: upper-case letters, digits (the keypad's too)
// and Escape; none for every other key (the function keys among them).
std::optional<wchar_t> CharacterOfKey(UINT virtualKey);

// The commands whose key starts with `buffer` (upper case), in the kernel's order, up to the
// first whose key is exactly the buffer: a key that is the start of a key listed before it
// cannot be typed alone.
std::vector<UINT> Matches(const CString& buffer, const std::vector<std::pair<UINT, CString>>& commands);

// The buffer all frames type into.
CString& SharedBuffer();

}  // namespace typed_commands
