// Decoding of the text files the maker's libraries read (ini files, translation tables).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::compression {

// A byte-order mark selects UTF-8, UTF-16LE or UTF-16BE; without one the bytes are UTF-8 with
// invalid sequences taken as Windows-1252, so no input is lost.
std::wstring decodeText(std::string_view bytes);

// Splits text into lines at "\r\n", "\n" or "\r"; a final line without an end is kept.
std::vector<std::wstring_view> splitLines(std::wstring_view text);

}  // namespace platform::compression
