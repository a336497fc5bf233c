#include "platform/korvoui/ribbon_tab_switch.h"

namespace Korvo::UI {

void SwitchTabByUser(RibbonTab& tab, bool off) {
    tab.SetDisabledByUser(off);
    if (off) tab.SetVisible(FALSE);
    else if (!tab.CarriesTags() && tab.GetContextColor() == xtpRibbonTabContextColorNone) tab.SetVisible(TRUE);
}

}  // namespace Korvo::UI
