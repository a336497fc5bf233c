#include "platform/kernel/documents/parameter_texts.h"

#include <algorithm>
#include <array>
#include <cwctype>

#include "platform/core/numbers.h"
#include "platform/kernel/strings.h"

bool g_fDefaultCtrlValue = true;

namespace {

constexpr wchar_t kDefaultText[] = L"Default";
constexpr std::array<double, 16> kFontSizes = {1.8, 2.5, 3.5, 5, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 36};

}  // namespace

int IsNumericEx(LPCWSTR text) {
    if (!text) return 0;
    std::wstring_view view(text);
    while (!view.empty() && std::iswspace(view.front())) view.remove_prefix(1);
    while (!view.empty() && std::iswspace(view.back())) view.remove_suffix(1);
    std::size_t i = 0;
    if (i < view.size() && (view[i] == L'+' || view[i] == L'-')) ++i;
    bool digits = false, point = false;
    for (; i < view.size(); ++i) {
        if (std::iswdigit(view[i])) {
            digits = true;
        } else if ((view[i] == L'.' || view[i] == L',') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0;
    if (i < view.size() && (view[i] == L'e' || view[i] == L'E')) {
        ++i;
        if (i < view.size() && (view[i] == L'+' || view[i] == L'-')) ++i;
        bool exponent = false;
        for (; i < view.size() && std::iswdigit(view[i]); ++i) exponent = true;
        if (!exponent) return 0;
    }
    return i == view.size() ? 1 : 0;
}

bool IsDefaultEditString(LPCWSTR text) { return text && CString(text).CompareNoCase(kDefaultText) == 0; }

CString GetDefaultEditString(bool isDefault, LPCWSTR text) { return isDefault ? CString(kDefaultText) : CString(text); }

CString GetDefaultEditString(bool isDefault, double number) {
    if (isDefault) return CString(kDefaultText);
    CString text;
    CDockFormEdit::FloatFormat(number, 0.0, text, false, nullptr);
    return text;
}

// The edits commit the text they show: a rounded text would change the number at every read.
void CDockFormEdit::FloatFormat(double value, double, CString& text, bool, KVDocument*) {
    text = platform::core::roundTripDecimal(value == 0.0 ? 0.0 : value).c_str();  // no "-0"
}

double FontSizeManager::GetIncreasedSize(double size, int step) {
    auto it = std::upper_bound(kFontSizes.begin(), kFontSizes.end(), size);
    for (int i = 1; i < step && it != kFontSizes.end(); ++i) ++it;
    return it == kFontSizes.end() ? size : *it;
}

double FontSizeManager::GetReducedSize(double size, int step) {
    auto it = std::lower_bound(kFontSizes.begin(), kFontSizes.end(), size);
    for (int i = 0; i < step; ++i) {
        if (it == kFontSizes.begin()) return size;
        --it;
    }
    return *it;
}

kvtypes::Units& kvtypes::Units::Instance() {
    static Units units;
    return units;
}

CString KVGetFormatMessage(UINT id, LPCWSTR argument) { return KVLoadFormatString(id, argument); }
