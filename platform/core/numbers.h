// Numbers read from text the platform's files and scripts hold (private to the platform).
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace platform::core {

// The whole of `text` as a number of type T in `base`: nothing when the text is empty, holds
// anything else, or names a value T cannot hold.
template <class T>
std::optional<T> parseWholeNumber(std::string_view text, int base = 10) {
    if (text.empty()) return std::nullopt;
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The shortest text that reads back as exactly `value`, plain as %g writes it where %g would
// ("1234567.89", "100000000", "0.0001") and with an exponent beyond ("1e-05", "1e+20"): what a
// program shows of a number it keeps must give that number again when it is read.
inline std::wstring roundTripDecimal(double value) {
    char text[64];
    const double magnitude = value < 0 ? -value : value;
    const bool plain = magnitude == 0.0 || (magnitude >= 1e-4 && magnitude < 1e16);
    const auto result = plain ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed)
                              : std::to_chars(text, text + sizeof text, value);
    return std::wstring(text, result.ptr);
}

}  // namespace platform::core
