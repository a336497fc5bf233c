#include "commandbars/bars_layout.h"

#include "commandbars/app_custom_tool_bar.h"

namespace {

// A saved place outside the docking sides and floating is no place: the bar goes to the top.
XTPBarPosition dockingPlace(int saved) {
    return saved >= xtpBarTop && saved <= xtpBarFloating ? static_cast<XTPBarPosition>(saved) : xtpBarTop;
}

}  // namespace

void ApplyAddOnBarsLayout(CXTPCommandBars* bars) {
    if (!bars) return;
    for (int i = 0; i < bars->GetCount(); ++i) {
        auto* addOn = dynamic_cast<CKVAppCustomToolBar*>(bars->GetAt(i));
        if (!addOn) continue;
        if (!addOn->IsActive()) addOn->SetVisible(FALSE);
        else if (addOn->GetSavedVisibility() != -1) addOn->SetVisible(addOn->GetSavedVisibility() != 0);
        addOn->SetPosition(dockingPlace(addOn->GetSavedPosition()));
    }
}
