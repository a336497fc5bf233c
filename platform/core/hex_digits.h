#pragma once
// Hex digits: written at fixed width straight into a buffer or a text (class names, registration
// keys, saved bytes and pixels, escaped characters), and read one at a time.
#include <cstdint>
#include <string>

namespace platform::core {

// Writes `digits` upper-case hex digits of `value` at `out`, most significant first, with leading
// zeros; returns the position after the last.
inline wchar_t* putUpperHex(wchar_t* out, std::uint64_t value, int digits) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) *out++ = kDigits[(value >> shift) & 0xF];
    return out;
}

// The same digits appended to `text`.
inline void appendUpperHex(std::wstring& text, std::uint64_t value, int digits) {
    const std::size_t at = text.size();
    text.resize(at + static_cast<std::size_t>(digits));
    putUpperHex(text.data() + at, value, digits);
}

// The value of one hex digit in either case, or -1 for any other character.
inline int hexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace platform::core
