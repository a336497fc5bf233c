// XML property exchange: any text loads or is refused; a loaded document can be walked, and
// saved text loads again.
#include "fuzz/fuzz_support.h"
#include "platform/toolkit/propexchange.h"

namespace {

void walk(CXTPPropExchange& section, int depth) {
    if (depth > 8) return;
    section.GetSectionName();
    section.ReadValue(L"Name");
    section.ReadValue(L"Value");
    auto child = section.GetSection(L"Section");
    walk(*child, depth + 1);
    auto items = section.GetEnumerator(L"Item");
    POSITION position = items->GetPosition();
    for (int count = 0; position != nullptr && count < 64; ++count) {
        CXTPPropExchange* item = items->GetNext(position);
        FUZZ_CHECK(item != nullptr);
        walk(*item, depth + 1);
    }
}

}  // namespace

FUZZ_TARGET(xml_property_exchange) {
    CXTPPropExchangeXMLNode loading(TRUE, L"Settings");
    if (loading.LoadFromString(fuzz::wideOf(data, size), L"fuzz.xml")) {
        walk(loading, 0);
        const CString saved = loading.SaveToString();
        CXTPPropExchangeXMLNode again(TRUE, L"Settings");
        FUZZ_CHECK(again.LoadFromString(saved.view(), L"saved.xml"));
    }
    fuzz::forget();
    return 0;
}
