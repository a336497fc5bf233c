#pragma once
// Fixed-width hex digits written straight into a buffer, for texts made often enough (class names,
// registration keys) that the general formatter's cost shows.
#include <cstdint>

namespace platform::core {

// Writes `digits` upper-case hex digits of `value` at `out`, most significant first, with leading
// zeros; returns the position after the last.
inline wchar_t* putUpperHex(wchar_t* out, std::uint64_t value, int digits) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) *out++ = kDigits[(value >> shift) & 0xF];
    return out;
}

}  // namespace platform::core
