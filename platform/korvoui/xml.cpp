#include "platform/korvoui/xml.h"

#include <atomic>
#include <string>

#include "platform/core/api_text.h"
#include "platform/core/record.h"

namespace Korvo::UI::XML {
namespace {

std::atomic<int> g_product{0};

bool isSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring_view trim(std::wstring_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

void SetProduct(int product) {
    platform::core::recordCall(L"Korvo::UI::XML::SetProduct(" + std::to_wstring(product) + L")");
    g_product = product;
}

int GetProduct() { return g_product; }

CString GetProductName() {
    // Layout files name the products they apply to; the viewer edition is product 7.
    const int product = g_product;
    if (product == 7) return CString(L"Viewer");
    return CString(std::to_wstring(product));
}

std::vector<ValueSetItem> ParseValueSet(LPCWSTR text) {
    std::vector<ValueSetItem> items;
    std::wstring_view rest = platform::core::viewOf(text);
    while (true) {
        const std::size_t comma = rest.find(L',');
        std::wstring_view item = trim(rest.substr(0, comma));
        bool included = true;
        if (!item.empty() && item.front() == L'!') {
            included = false;
            item = trim(item.substr(1));
        }
        if (!item.empty()) items.push_back({CString(item), included});
        if (comma == std::wstring_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return items;
}

}  // namespace Korvo::UI::XML
