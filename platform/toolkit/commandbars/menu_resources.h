// Menu resources of the product, turned into the toolkit's popup bars. The product's resource
// module is not part of the stand-in; the menus the program loads are defined here.
#pragma once

#include "platform/toolkit/commandbars/commandbar.h"

class CXTPCommandBars;

// A popup bar of `bars` holding menu resource `id`'s first popup (its items; sub-menus as popup
// controls with bars of their own). Null, with a strict failure naming the id, for a menu the
// resources do not hold. The caller holds the reference.
CXTPPopupBar* LoadMenuPopupBar(CXTPCommandBars* bars, UINT id);

// A popup bar of `bars` holding the items of the Windows menu `menu` as they are: captions, ids,
// check marks, greyed items disabled, separators as group marks, sub-menus as popup controls.
// The controls keep those states (the update pass leaves them alone). Null for no menu. The
// caller holds the reference.
CXTPPopupBar* MenuPopupBar(CXTPCommandBars* bars, HMENU menu);

// Removes every control with one of `ids` from the popup and its sub-menus; sub-menus left
// empty go too, and no group mark is left on a first control.
void RemoveMenuItems(CXTPCommandBar* popup, const std::vector<int>& ids);
