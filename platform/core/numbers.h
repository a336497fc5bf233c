// Numbers read from text the platform's files and scripts hold (private to the platform).
#pragma once

#include <charconv>
#include <optional>
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

}  // namespace platform::core
