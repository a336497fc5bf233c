// The UI library's popup tool bar: the small bar of commands for the current selection that
// appears over a document's view.
#pragma once

#include "platform/mfc.h"

namespace Korvo::UI {

class PopupToolBar {
public:
    // Shows the bar over `view`, moved by `offset` from where the library puts it.
    static void ShowPopupToolBar(CView* view, POINT offset);
    static void HidePopupToolBar();
    // The view the bar shows over, or null while hidden.
    static CView* GetShownView();
};

}  // namespace Korvo::UI
