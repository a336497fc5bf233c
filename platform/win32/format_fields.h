// The printing half of the format engine (private to platform/win32/format*.cpp): one conversion,
// already checked against its argument, appended to the result.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::formatting {

// Widths and precisions above this are refused: the result of one conversion stays bounded.
inline constexpr int kMaxWidthOrPrecision = 100000;

struct Spec {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    bool zero = false;
    int width = 0;
    int precision = -1;  // -1: none given
    int narrowTo = 0;    // bytes an h or hh length narrows an integer to; 0: the argument's own width
    wchar_t conversion = 0;
};

// Integers: `bits` holds the argument at `bytes` bytes (sign-extended or zero-extended).
void appendInteger(std::wstring& out, const Spec& spec, std::uint64_t bits, int bytes);
// Sixteen upper-case hexadecimal digits, as on 64-bit Windows.
void appendPointer(std::wstring& out, const Spec& spec, std::uint64_t bits);
// f F e E g G a A, exact at any precision up to kMaxWidthOrPrecision.
void appendDouble(std::wstring& out, const Spec& spec, double value);
// Strings and characters, already in their final characters.
void appendText(std::wstring& out, const Spec& spec, std::wstring_view text);

}  // namespace platform::formatting
