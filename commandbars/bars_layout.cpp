#include "commandbars/bars_layout.h"

#include <vector>

#include "commandbars/app_custom_tool_bar.h"

namespace {

constexpr const wchar_t* kBarsSection = L"CommandBars";

std::vector<CKVAppCustomToolBar*> AddOnBars(CXTPCommandBars* bars) {
    std::vector<CKVAppCustomToolBar*> found;
    for (int i = 0; i < bars->GetCount(); ++i)
        if (auto* addOn = dynamic_cast<CKVAppCustomToolBar*>(bars->GetAt(i))) found.push_back(addOn);
    return found;
}

}  // namespace

void ExchangeBarsLayout(CXTPCommandBars* bars, CXTPPropExchange& section, bool loading) {
    if (!bars) return;
    std::unique_ptr<CXTPPropExchange> layout = section.GetSection(kBarsSection);
    if (!layout) return;
    if (!loading) {
        bars->DoPropExchange(layout.get());
        return;
    }
    for (CKVAppCustomToolBar* addOn : AddOnBars(bars)) bars->Remove(addOn);
    bars->DoPropExchange(layout.get());
    for (CKVAppCustomToolBar* addOn : AddOnBars(bars)) {
        if (!addOn->IsActive()) addOn->SetVisible(FALSE);
        else if (addOn->GetSavedVisibility() != -1) addOn->SetVisible(addOn->GetSavedVisibility() != 0);
    }
}
