#include "platform/compression/text_decoding.h"

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
    for (std::size_t i = 0; i < text.size(); ++i) {
        // One comparison passes every character above the line breaks, that is, nearly all.
        if (text[i] > L'\r' || (text[i] != L'\n' && text[i] != L'\r')) continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace platform::compression
