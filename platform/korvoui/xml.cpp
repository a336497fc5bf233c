#include "platform/korvoui/xml.h"

#include <atomic>
#include <string>

#include "platform/core/api_text.h"
#include "platform/core/record.h"

namespace Korvo::UI::XML {
namespace {

std::atomic<int> g_product{0};

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
    for (;;) {
        const std::size_t comma = rest.find(L',');
        CString item(rest.substr(0, comma));
        item.Trim();
        const bool included = item.Left(1) != L"!";
        if (!included) item = item.Mid(1).Trim();
        if (!item.IsEmpty()) items.push_back({item, included});
        if (comma == std::wstring_view::npos) return items;
        rest.remove_prefix(comma + 1);
    }
}

}  // namespace Korvo::UI::XML
