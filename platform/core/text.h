// Text helpers of the platform: UTF conversions at byte boundaries and the fixed,
// locale-independent case folding every case-insensitive comparison uses.
#pragma once

#include <string>
#include <string_view>

namespace platform::core {

std::string toUtf8(std::wstring_view text);
// The bytes after a UTF-8 byte-order mark, or all of them when there is none.
std::string_view withoutUtf8Bom(std::string_view bytes);
// Invalid UTF-8 bytes are taken as Windows-1252 characters, so no input is lost.
std::wstring fromUtf8(std::string_view bytes);
// UTF-16 little-endian bytes, for data that leaves the program in Windows layouts.
std::string toUtf16Le(std::wstring_view text);
std::wstring fromUtf16Le(std::string_view bytes);

// Simple case folding over fixed tables (ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic),
// independent of the host locale.
wchar_t foldCase(wchar_t c);
wchar_t toUpperInvariant(wchar_t c);
std::wstring foldCase(std::wstring_view text);
std::wstring toUpperInvariant(std::wstring_view text);
bool equalsNoCase(std::wstring_view a, std::wstring_view b);
// <0, 0, >0 comparing folded texts code unit by code unit.
int compareNoCase(std::wstring_view a, std::wstring_view b);
bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix);
bool endsWithNoCase(std::wstring_view text, std::wstring_view suffix);

// Windows wildcard match ('*' any run, '?' one character), case-insensitive.
bool wildcardMatch(std::wstring_view pattern, std::wstring_view text);

struct NoCaseLess {
    using is_transparent = void;
    bool operator()(std::wstring_view a, std::wstring_view b) const { return compareNoCase(a, b) < 0; }
};

}  // namespace platform::core
