#include "commandbars/bars_layout.h"

#include "commandbars/app_custom_tool_bar.h"

void ApplyAddOnBarsVisibility(CXTPCommandBars* bars) {
    if (!bars) return;
    for (int i = 0; i < bars->GetCount(); ++i) {
        auto* addOn = dynamic_cast<CKVAppCustomToolBar*>(bars->GetAt(i));
        if (!addOn) continue;
        if (!addOn->IsActive()) addOn->SetVisible(FALSE);
        else if (addOn->GetSavedVisibility() != -1) addOn->SetVisible(addOn->GetSavedVisibility() != 0);
    }
}
