// What the console prints of the form factors a browser pane shows.
#pragma once

#include <string>

#include "platform/toolkit.h"

namespace DocumentsMenu {

// The form-factor view below the window: its document, rows, focus and selection, then the
// form factor pending for the next insert or open; empty when the window has no such view.
std::wstring FormFactorsOutline(HWND window);
// The search box over the form factors shown below the window; null when none are shown.
CXTPControlEdit* FormFactorSearchBox(HWND window);

}  // namespace DocumentsMenu
