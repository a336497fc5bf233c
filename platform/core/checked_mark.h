// A mark on a file that its text passed a check, so that a later load of the same text need not
// check it again: a 64-bit fingerprint of the text, kept in an extended attribute of the file.
// Any change to the text, by this program or by hand, makes the fingerprint mismatch, and the
// check runs whole again. Where the file system keeps no extended attributes (or the file may not
// be changed) there is no mark, and every load checks whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::core {

// A 64-bit fingerprint of the bytes, eight at a time: any change within one of the text's
// eight-byte words always changes it; any other change does but for a chance of about 2^-64.
std::uint64_t textFingerprint(std::string_view text);

// True when `file` carries the mark `attribute` for exactly `text`.
bool hasCheckedMark(const std::string& file, const char* attribute, std::string_view text);
// Marks `file` as having `text` checked; quietly nothing where the mark cannot be kept.
void setCheckedMark(const std::string& file, const char* attribute, std::string_view text);

}  // namespace platform::core
