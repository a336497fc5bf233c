// The user switching a ribbon tab off and on (the ribbon-tabs pop-up, the ribbon page's tick,
// removing a tab of the default layout). A tab switched off leaves the tab row; switched on again
// it comes back, except a tab shown by document keywords or by the document's context, which
// waits for the next pass that shows such tabs.
#pragma once

#include "platform/korvoui/ribbon.h"

namespace Korvo::UI {

void SwitchTabByUser(RibbonTab& tab, bool off);

}  // namespace Korvo::UI
