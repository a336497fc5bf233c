#include "platform/compression/text_decoding.h"

#include <algorithm>

#include "platform/core/text.h"

namespace platform::compression {

std::wstring decodeText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return core::fromUtf8(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE")) return core::fromUtf16Le(bytes.substr(2));
    if (bytes.starts_with("\xFE\xFF")) {
        std::string swapped(bytes.substr(2));
        for (std::size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
        return core::fromUtf16Le(swapped);
    }
    return core::fromUtf8(bytes);
}

std::vector<std::wstring_view> splitLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        // The next break is a '\n', or a '\r' before it: both found by the library's fast search
        // rather than character by character (translation files are split whole at start-up).
        std::size_t end = std::min(text.find(L'\n', start), text.size());
        end = std::min(text.substr(0, end).find(L'\r', start), end);
        if (end == text.size()) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        if (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ++end;
        start = end + 1;
    }
    return lines;
}

}  // namespace platform::compression
