// What the console prints of a browser pane: what it shows, its tool bar and its history.
#pragma once

#include <string>

#include "platform/win32.h"

namespace DocumentsMenu {

// The first browser pane in the window (the window itself or below it); empty when none.
std::wstring BrowserPaneOutline(HWND window);

}  // namespace DocumentsMenu
