#include "platform/core/text.h"
#include "platform/textcore.h"

namespace Korvo {

namespace {

bool isCombiningMark(wchar_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
           (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F);
}

}  // namespace

CString GetSearchableEquivalent(const CString& text) {
    std::wstring result;
    result.reserve(static_cast<std::size_t>(text.GetLength()));
    for (wchar_t c : text.view()) {
        if (isCombiningMark(c)) continue;
        wchar_t folded = platform::core::foldCase(c);
        if (folded == L'\u0451') folded = L'\u0435';  // ё searches as е
        result.push_back(folded);
    }
    return CString(std::move(result));
}

}  // namespace Korvo
