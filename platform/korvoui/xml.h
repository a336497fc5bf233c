// The UI library's layout-XML helpers, at their least.
#pragma once

#include <vector>

#include "platform/mfc.h"

namespace Korvo::UI::XML {

// The product whose layout elements apply (elements carry a product attribute).
void SetProduct(int product);
int GetProduct();
// The name of the product set, as layout files spell it.
CString GetProductName();

// One item of a value set: a name and whether the set includes (or, marked with a leading "!",
// excludes) it.
struct ValueSetItem {
    CString name;
    bool included = true;
    friend bool operator==(const ValueSetItem&, const ValueSetItem&) = default;
};
// Splits a comma-separated value set ("A, !B, C") into its items in order. Items are trimmed;
// empty items (and a "!" alone) are skipped.
std::vector<ValueSetItem> ParseValueSet(LPCWSTR text);

}  // namespace Korvo::UI::XML
